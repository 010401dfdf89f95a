pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The help button's menu: the brand's web site, the firmware updater and the version.
Rectangle {
    id: menu

    readonly property string webSite: "https://www.kestran.com"
    signal updateChosen()

    width: 150
    height: entries.height + 8
    visible: false
    color: Style.dialogColor
    border.color: Style.accentColor
    radius: 3
    Accessible.role: Accessible.PopupMenu
    Keys.onUpPressed: FocusChain.step(menu, false)
    Keys.onDownPressed: FocusChain.step(menu, true)

    function choose(action: string) {
        if (action === "link")
            Qt.openUrlExternally(menu.webSite)
        else if (action === "update")
            menu.updateChosen()
        menu.visible = false
    }

    Column {
        id: entries
        x: 1
        y: 4
        width: menu.width - 2

        Repeater {
            model: [
                { text: "www.kestran.com", action: "link" },
                { text: "update", action: "update" },
                { text: "verison:1.0", action: "" }
            ]

            Rectangle {
                id: entry
                required property var modelData
                width: 148
                height: 24
                color: area.containsMouse && entry.modelData.action !== "" ? Style.accentColor
                                                                           : "transparent"
                Label {
                    x: 10
                    height: parent.height
                    text: entry.modelData.text
                    color: entry.modelData.action === "" ? Style.fontDimColor : Style.fontColor
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menu.choose(entry.modelData.action)
                }
                KeyFocus {
                    name: entry.modelData.text
                    role: Accessible.MenuItem
                    onActivated: menu.choose(entry.modelData.action)
                }
            }
        }
    }
}
