import QtQuick
import modules.qml
import "nameLists.js" as NameLists

// Lists the profiles by name and switches, creates, renames, copies, deletes, imports and
// exports them. The shell makes a chosen profile current and applies it.
Item {
    id: page

    property var view: null
    property int language: 0
    property var mainLang: []
    property int profileNo: 0
    property int selectedRow: -1
    readonly property int maxProfiles: 6
    // Names of copies and new profiles count up to this.
    readonly property int maxNameNumber: 12

    signal changeProfile(int tmpProfileNo)
    signal closeUI()
    // The current profile was replaced from a file: every panel applies it again.
    signal profileLoaded()

    width: 263
    height: 620
    visible: false

    ListModel {
        id: profileListModel
    }

    function init() {
        profileMenu.labels = mainLang.slice(21, 26)
        profileListModel.clear()
        for (const text of NameLists.dropListGuard(view.getNameList(2)))
            profileListModel.append(NameLists.decodeProfile(String(text)))
        selectedRow = profileListModel.count > 0 ? Math.max(0, rowOfNumber(profileNo)) : -1
        if (language === 0 && profileListModel.count > 0) {
            profileListModel.setProperty(0, "profileName", "Standard")
            writeNameList()
        }
    }

    function rows() {
        const list = []
        for (let i = 0; i < profileListModel.count; ++i)
            list.push(profileListModel.get(i))
        return list
    }

    function rowOfNumber(number) {
        return rows().findIndex(row => row.profileNo === number)
    }

    function nameTaken(name) {
        return rows().some(row => row.profileName === name)
    }

    function firstFreeNumber() {
        return NameLists.firstFree(maxProfiles, n => rowOfNumber(n) >= 0)
    }

    function writeNameList() {
        view.updataNameList(2, rows().map(row => NameLists.encodeProfile(row.profileName,
                                                                          row.profileNo)))
    }

    function selectRow(index) {
        selectedRow = index
        changeProfile(profileListModel.get(index).profileNo)
    }

    function announceSelection() {
        if (selectedRow >= 0)
            changeProfile(profileListModel.get(selectedRow).profileNo)
    }

    function newProfile() {
        const n = NameLists.firstFree(maxNameNumber, k => nameTaken("profile_" + k))
        const number = firstFreeNumber()
        if (profileListModel.count < maxProfiles) {
            profileListModel.append({ profileName: "profile_" + n, profileNo: number })
            selectedRow = profileListModel.count - 1
            writeNameList()
        }
        view.resetProfile(number)
        announceSelection()
    }

    function deleteProfile() {
        if (profileListModel.count <= 1 || selectedRow < 0)
            return
        profileListModel.remove(selectedRow)
        selectedRow = Math.min(selectedRow, profileListModel.count - 1)
        writeNameList()
        announceSelection()
    }

    function copyProfile() {
        if (selectedRow < 0)
            return
        const source = profileListModel.get(selectedRow)
        const copyName = k => source.profileName + "(" + k + ")"
        const name = copyName(NameLists.firstFree(maxNameNumber, k => nameTaken(copyName(k))))
        const number = firstFreeNumber()
        view.copyProfile(number, source.profileNo)
        if (profileListModel.count < maxProfiles)
            profileListModel.append({ profileName: name, profileNo: number })
        writeNameList()
        announceSelection()
    }

    function renameProfile(index, newName) {
        if (nameTaken(newName))
            return
        profileListModel.setProperty(index, "profileName", newName)
        writeNameList()
    }

    function menuTriggered(entry) {
        switch (entry) {
        case 0:
            deleteProfile()
            break
        case 1:
            list.startRename(selectedRow)
            break
        case 2:
            copyProfile()
            break
        case 3:
            if (view.loadProfile(profileNo))
                profileLoaded()
            break
        case 4:
            view.saveProfile(profileNo)
            break
        }
    }

    function profileEditorFocus() {
        list.finishEdits()
        profileMenu.close()
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
        model: profileListModel
        currentIndex: page.selectedRow
        onRowClicked: index => page.selectRow(index)
        onMenuRequested: (index, atX, atY) => {
            page.selectRow(index)
            const at = list.mapToItem(page, atX, atY)
            profileMenu.popup(at.x, at.y)
        }
        onRenameCommitted: (index, newName) => page.renameProfile(index, newName)
    }

    TextButton {
        objectName: "profileNew"
        x: 40
        y: 580
        width: 80
        text: page.mainLang[20] ?? ""
        onClicked: page.newProfile()
    }

    TextButton {
        objectName: "profileDelete"
        x: 175
        y: 580
        width: 80
        text: page.mainLang[21] ?? ""
        onClicked: page.deleteProfile()
    }

    PopupMenu {
        id: profileMenu
        objectName: "profileMenu"
        labels: ["删除", "编辑", "复制", "加载", "保存"]
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
