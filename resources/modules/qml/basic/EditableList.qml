import QtQuick
import modules.qml

// A titled, framed list with one row selected, whose rows (EditableListRow) may each hold a
// field edited in place; the buttons given as children sit in a row below it.
Item {
    id: panel

    property alias model: list.model
    property alias delegate: list.delegate
    property int currentIndex: -1
    property alias title: header.text
    property int editingRow: -1
    default property alias buttons: buttonRow.data
    // The field being edited, if any.
    readonly property EditableText editingItem: {
        const row = editingRow >= 0 ? list.itemAt(editingRow) : null
        return row && row.editField && row.editField.editing ? row.editField : null
    }

    // Edits the field of row `index`, from `initialText` or else the text it shows.
    function startEdit(index, initialText) {
        finishEdits()
        editingRow = index
        list.itemAt(index).editField.startEdit(initialText)
    }

    // The field may open again on a refused text (refuseEdit), so the row is let go first.
    function finishEdits() {
        const item = editingItem
        editingRow = -1
        if (item)
            item.finishEdit()
    }

    function cancelEdits() {
        if (editingItem)
            editingItem.cancelEdit()
        editingRow = -1
    }

    // Opens the field of row `index` again, showing why its text was refused.
    function refuseEdit(index: int, reason: string) {
        editingRow = index
        list.itemAt(index).editField.refuse(reason)
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
        height: buttonRow.y - y - 10
    }

    Row {
        id: buttonRow
        y: panel.height - height
        spacing: 16
    }
}
