pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The actions of the selected macro: the type's icon and the key, button or delay. A press
// selects a row, a right press asks for the context menu, a double press on a delay edits it.
// The delete-action icon sits below.
EditableList {
    id: panel

    // One line beside the delete icon, e.g. that the macro is too long to play whole.
    property alias notice: noticeText.text
    // What a screen reader calls the delete-action icon.
    property alias deleteName: deleteIcon.name
    readonly property var typeIcons: ["delay.svg", "key_down.svg", "key_up.svg",
                                      "mouse_down.svg", "mouse_up.svg"]

    signal rowClicked(int index)
    signal menuRequested(int index, real atX, real atY)
    signal delayCommitted(int index, string newText)
    signal deleteClicked()

    delegate: EditableListRow {
        id: row
        required property int type
        required property string info
        required property bool isDelay
        objectName: "actionRow" + index
        currentIndex: panel.currentIndex
        editField: infoText
        name: infoText.text
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: (button, atX, atY) => {
            if (button !== Qt.RightButton) {
                panel.rowClicked(row.index)
                return
            }
            const at = row.mapToItem(panel, atX, atY)
            panel.menuRequested(row.index, at.x, at.y)
        }
        onDoubleClicked: button => {
            if (button === Qt.LeftButton && row.isDelay)
                panel.startEdit(row.index, row.info)
        }
        Picture {
            id: icon
            x: 8
            y: (parent.height - height) / 2
            width: 16
            height: 16
            source: Style.image("macros", panel.typeIcons[row.type] ?? "delay.svg")
        }
        EditableText {
            id: infoText
            x: icon.x + icon.width + 8
            width: parent.width - x - 6
            height: parent.height
            text: row.info + (row.isDelay ? " ms" : "")
            validator: IntValidator {
                bottom: 0
                top: 100000
            }
            onCommitted: newText => panel.delayCommitted(row.index, newText)
        }
    }

    ImageButton {
        id: deleteIcon
        objectName: "actionDeleteButton"
        width: 22
        height: 22
        source: Style.image("macros", "macro_delete.svg")
        onClicked: panel.deleteClicked()
    }

    Label {
        id: noticeText
        objectName: "actionNotice"
        width: panel.width - deleteIcon.width - 16
        height: deleteIcon.height
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        color: Style.fontSelectColor
    }
}
