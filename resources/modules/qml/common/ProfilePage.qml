import QtQuick
import modules.qml

// Lists the profiles by name and switches, creates, renames, copies, deletes, imports and
// exports them; the rules are the profile list model's. The shell makes a chosen profile
// current and applies it.
Item {
    id: page

    // The program's view (import and export) and its profile list model.
    property var view: null
    property var profiles: null
    property int language: 0
    property var mainLang: []
    property int profileNo: 0
    readonly property int selectedRow: profiles ? profiles.selectedRow : -1

    signal changeProfile(int tmpProfileNo)
    signal closeUI()
    // The current profile was replaced from a file: every panel applies it again.
    signal profileLoaded()
    // The user asked which programs bring profile `number`.
    signal pickPrograms(int number, string name)

    readonly property string programsLabel: language === 1 ? "程序" : "Programs"

    width: 263
    height: 620
    visible: false
    Accessible.role: Accessible.Dialog
    Accessible.name: mainLang[19] ?? ""

    Connections {
        target: page.profiles
        function onProfileChosen(profileNo: int) { page.changeProfile(profileNo) }
    }

    // The menu's labels. The shell loads the list itself at start, long before the page is
    // first made.
    function init() {
        profileMenu.labels = mainLang.slice(21, 26).concat([programsLabel])
    }

    function menuTriggered(entry) {
        switch (entry) {
        case 0:
            profiles.removeSelected()
            break
        case 1:
            list.startRename(selectedRow)
            break
        case 2:
            profiles.copySelected()
            break
        case 3:
            if (view.loadProfile(profileNo))
                profileLoaded()
            break
        case 4:
            view.saveProfile(profileNo)
            break
        case 5: {
            const number = profiles.numberAt(selectedRow)
            pickPrograms(number, profiles.nameOf(number))
            break
        }
        }
    }

    function profileEditorFocus() {
        list.finishEdits()
        profileMenu.close()
    }

    // Escape closes the open menu first, then the page.
    function escapePressed() {
        if (profileMenu.visible) {
            profileMenu.close()
            forceActiveFocus()
        } else {
            close()
        }
    }

    function close() {
        profileEditorFocus()
        visible = false
        closeUI()
    }

    // Nothing under the page takes the pointer's hover; presses fall through to the mask.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
    }

    Picture {
        anchors.fill: parent
        source: Style.image("profile", "background.svg")
    }

    Label {
        x: 10
        y: 9
        text: page.mainLang[19] ?? ""
        font.pixelSize: Style.fontMiddleSize
        font.bold: true
    }

    ImageButton {
        objectName: "profileClose"
        x: 240
        y: 12
        width: 14
        height: 14
        source: Style.image("profile", "close.svg")
        name: Names.close
        onClicked: page.close()
    }

    Rectangle {
        anchors.fill: list
        color: Style.dialogColor
    }

    ProfileList {
        id: list
        objectName: "profileList"
        y: 31
        width: 263
        height: 544
        model: page.profiles
        currentIndex: page.selectedRow
        onRowClicked: index => page.profiles.select(index)
        onMenuRequested: (index, atX, atY) => {
            page.profiles.select(index)
            const at = list.mapToItem(page, atX, atY)
            profileMenu.popup(at.x, at.y)
        }
        onRenameCommitted: (index, newName) => page.profiles.rename(index, newName)
    }

    TextButton {
        objectName: "profileNew"
        x: 40
        y: 580
        width: 80
        text: page.mainLang[20] ?? ""
        onClicked: page.profiles.addNew()
    }

    TextButton {
        objectName: "profileDelete"
        x: 175
        y: 580
        width: 80
        text: page.mainLang[21] ?? ""
        onClicked: page.profiles.removeSelected()
    }

    PopupMenu {
        id: profileMenu
        objectName: "profileMenu"
        // A sixth entry beside the usual five, for the programs that bring the profile; the
        // menu grows by one entry's height.
        height: 126
        labels: ["删除", "编辑", "复制", "加载", "保存", "程序"]
        onTriggered: entry => page.menuTriggered(entry)
    }

    // Sees every press on the page first: a press outside the name being edited or the menu
    // ends the edit and closes the menu, then goes on to whatever lies below.
    MouseArea {
        id: pressWatcher
        anchors.fill: parent
        z: 1000
        onPressed: mouse => {
            const inside = item => item && item.visible
                && item.contains(pressWatcher.mapToItem(item, mouse.x, mouse.y))
            if (!inside(list.editingItem) && !inside(profileMenu))
                page.profileEditorFocus()
            mouse.accepted = false
        }
    }
}
