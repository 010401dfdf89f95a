pragma ComponentBehavior: Bound
import QtQuick
import modules.qml
import "macroActions.js" as MacroActions

// The actions of the selected macro: the type's icon and the key, button or delay. A press
// selects a row, a right press asks for the context menu, a double press on a delay edits it.
// The delete-action icon sits below.
Item {
    id: panel

    property alias model: list.model
    property int currentIndex: -1
    property alias title: header.text
    // One line beside the delete icon, e.g. that the macro is too long to play whole.
    property alias notice: noticeText.text
    readonly property var typeIcons: ["delay.svg", "key_down.svg", "key_up.svg",
                                      "mouse_down.svg", "mouse_up.svg"]
    property int editingRow: -1
    // The delay field being edited, if any.
    readonly property EditableText editingItem: {
        const row = editingRow >= 0 ? list.itemAt(editingRow) : null
        return row && row.delayField.editing ? row.delayField : null
    }

    signal rowClicked(int index)
    signal menuRequested(int index, real atX, real atY)
    signal delayCommitted(int index, string newText)
    signal deleteClicked()

    function startDelayEdit(index) {
        finishEdits()
        editingRow = index
        const row = list.itemAt(index)
        row.delayField.startEdit(row.info)
    }

    function finishEdits() {
        if (editingItem)
            editingItem.finishEdit()
        editingRow = -1
    }

    function scrollToEnd() {
        list.scrollToEnd()
    }

    Label {
        id: header
        height: 24
        color: Style.fontSelectColor
        font.pixelSize: Style.fontMiddleSize
        font.bold: true
    }

    Rectangle {
        anchors.fill: list
        color: Style.panelColor
        border.color: Style.lineColor
    }

    ScrollList {
        id: list
        y: header.height
        width: parent.width
        height: deleteIcon.y - y - 10
        delegate: Rectangle {
            id: row
            required property int index
            required property int type
            required property string info
            readonly property alias delayField: infoText
            readonly property bool isDelay: type === MacroActions.delay
            objectName: "actionRow" + index
            y: index * height
            width: list.width
            height: list.rowHeight
            color: index === panel.currentIndex ? Style.selectColor
                                                : area.containsMouse ? Style.hoverColor
                                                                     : "transparent"
            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: mouse => {
                    if (mouse.button !== Qt.RightButton) {
                        panel.rowClicked(row.index)
                        return
                    }
                    const at = mapToItem(panel, mouse.x, mouse.y)
                    panel.menuRequested(row.index, at.x, at.y)
                }
                onDoubleClicked: mouse => {
                    if (mouse.button === Qt.LeftButton && row.isDelay)
                        panel.startDelayEdit(row.index)
                }
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
    }

    ImageButton {
        id: deleteIcon
        objectName: "actionDeleteButton"
        y: panel.height - height
        width: 22
        height: 22
        source: Style.image("macros", "macro_delete.svg")
        onClicked: panel.deleteClicked()
    }

    Label {
        id: noticeText
        objectName: "actionNotice"
        x: deleteIcon.width + 8
        y: deleteIcon.y
        width: panel.width - x
        height: deleteIcon.height
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        color: Style.fontSelectColor
    }
}
