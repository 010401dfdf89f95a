pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The profile rows: a press (left or right) selects, a right press also asks for the menu,
// a double press renames the profile in place. The selected row is the list's Tab stop; Space
// or Enter selects the row with the keyboard focus.
ScrollList {
    id: list

    property int currentIndex: -1
    property int editingRow: -1
    // The name field being edited, if any.
    readonly property EditableText editingItem: {
        const row = editingRow >= 0 ? itemAt(editingRow) : null
        return row && row.nameField.editing ? row.nameField : null
    }

    rowHeight: 18

    signal rowClicked(int index)
    signal menuRequested(int index, real atX, real atY)
    signal renameCommitted(int index, string newName)

    function startRename(index) {
        finishEdits()
        if (index < 0)
            return
        editingRow = index
        itemAt(index).nameField.startEdit()
    }

    function finishEdits() {
        if (editingItem)
            editingItem.finishEdit()
        editingRow = -1
    }

    delegate: Rectangle {
        id: row
        required property int index
        required property string profileName
        required property int profileNo
        required property string programs
        readonly property alias nameField: name
        objectName: "profileRow" + index
        y: index * height
        width: list.width
        height: list.rowHeight
        color: index === list.currentIndex ? Style.selectColor
                                           : area.containsMouse ? Style.hoverColor : "transparent"
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: mouse => {
                if (mouse.button !== Qt.RightButton) {
                    list.rowClicked(row.index)
                    return
                }
                const at = mapToItem(list, mouse.x, mouse.y)
                list.menuRequested(row.index, at.x, at.y)
            }
            onDoubleClicked: mouse => {
                if (mouse.button === Qt.LeftButton)
                    list.startRename(row.index)
            }
        }
        KeyFocus {
            name: row.profileName
            role: Accessible.ListItem
            markOutset: 0
            activeFocusOnTab: row.index === Math.max(0, list.currentIndex)
            Accessible.selectable: true
            Accessible.selected: row.index === list.currentIndex
            onActivated: list.rowClicked(row.index)
            onMenuRequested: {
                const at = row.mapToItem(list, row.width / 2, row.height / 2)
                list.menuRequested(row.index, at.x, at.y)
            }
            onEditRequested: list.startRename(row.index)
        }
        // The programs that bring the profile, at the right of its name.
        Label {
            objectName: "profilePrograms" + row.index
            anchors.right: parent.right
            anchors.rightMargin: 12
            width: Math.min(implicitWidth, 120)
            height: parent.height
            visible: !name.editing
            elide: Text.ElideRight
            font.pixelSize: Style.fontMinSize
            color: row.index === list.currentIndex ? Style.fontColor : Style.fontDimColor
            text: row.programs
        }
        EditableText {
            id: name
            x: 12
            width: parent.width - 24
            height: parent.height
            text: row.profileName
            onCommitted: newText => list.renameCommitted(row.index, newText)
        }
    }
}
