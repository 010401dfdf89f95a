pragma ComponentBehavior: Bound
import QtQuick
import modules.qml
import "keyMenuEntries.js" as KeyMenuEntries

// The functions a button can take. Hovering a main entry opens its sub-menu and closes the
// others; choosing an entry with a value reports it, two entries open the dialogs. It takes the
// keyboard focus when it opens: arrows move along its lines, Right enters an open sub-menu and
// Left leaves it.
Item {
    id: menu

    property int language: 0
    property var keyMenuLang: []
    // Where the menu opens for each of the eight shown rows.
    readonly property var rowY: [86, 110, 135, 160, 185, 210, 257, 278]
    property string openSubmenu: ""
    property real submenuAnchor: 0
    property Item submenuOwner: null

    // The entry's value as eight hexadecimal digits, e.g. "0100f000".
    signal menuCmd(string entryText)
    signal openSingleKeyDialog()
    signal openMacroKeyDialog()

    visible: false
    width: plate.width
    height: plate.height
    Accessible.role: Accessible.PopupMenu
    Keys.onUpPressed: FocusChain.step(mainColumn, false)
    Keys.onDownPressed: FocusChain.step(mainColumn, true)
    Keys.onRightPressed: enterSubmenu()

    function showControl() {
        openSubmenu = ""
    }

    function enterSubmenu() {
        for (let i = 0; i < submenus.count; ++i) {
            const submenu = submenus.itemAt(i) as KeySubMenu
            if (submenu && submenu.visible)
                submenu.focusFirst()
        }
    }

    function choose(entry) {
        if (entry.value !== undefined)
            menuCmd(entry.value)
        else if (entry.dialog === "singleKey")
            openSingleKeyDialog()
        else if (entry.dialog === "macroKey")
            openMacroKeyDialog()
    }

    // Beside the entry that opened it, kept inside the window.
    function submenuY(submenuHeight: real): real {
        const room = (parent ? parent.height : 640) - y - submenuHeight
        return Math.max(-y, Math.min(submenuAnchor, room))
    }

    Rectangle {
        id: plate
        width: 150
        height: mainColumn.height + 6
        color: Style.dialogColor
        border.color: Style.accentColor
        border.width: 1
        radius: 2

        Column {
            id: mainColumn
            y: 3

            Repeater {
                model: KeyMenuEntries.mainEntries

                KeyMenuEntry {
                    id: mainEntry
                    required property var modelData
                    objectName: "keyMenuEntry" + modelData.label
                    visible: !modelData.hidden
                    text: menu.keyMenuLang[mainEntry.modelData.label] ?? ""
                    opensSubmenu: modelData.submenu !== undefined
                    open: opensSubmenu && menu.openSubmenu === mainEntry.modelData.submenu
                    onHovered: {
                        menu.submenuAnchor = mainEntry.y
                        menu.submenuOwner = mainEntry
                        menu.openSubmenu = mainEntry.modelData.submenu ?? ""
                    }
                    onClicked: menu.choose(mainEntry.modelData)
                    onSubmenuEntered: menu.enterSubmenu()
                }
            }
        }
    }

    Repeater {
        id: submenus
        model: [["keyMenuBasic", "basic"], ["keyMenuMedia", "media"], ["keyMenuMore", "more"],
                ["keyMenuDpi", "dpi"]]

        KeySubMenu {
            id: submenu
            required property var modelData
            objectName: modelData[0]
            x: plate.width + 2
            y: menu.submenuY(height)
            visible: menu.openSubmenu === submenu.modelData[1]
            entries: KeyMenuEntries.subEntries[submenu.modelData[1]]
            labels: menu.keyMenuLang
            onChosen: function(entryText) { menu.menuCmd(entryText) }
            onBackRequested: {
                const owner = menu.submenuOwner
                if (owner)
                    FocusChain.controls(owner)[0]?.forceActiveFocus()
            }
        }
    }
}
