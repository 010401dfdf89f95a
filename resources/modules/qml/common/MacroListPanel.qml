pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The macro list: each row shows its position and the macro's name. A press selects a row,
// a double press renames it in place. The add, delete, import and export icons sit below.
Item {
    id: panel

    property alias model: list.model
    property int currentIndex: -1
    property alias title: header.text
    property int editingRow: -1
    // The name field being edited, if any.
    readonly property EditableText editingItem: {
        const row = editingRow >= 0 ? list.itemAt(editingRow) : null
        return row && row.nameField.editing ? row.nameField : null
    }

    signal rowClicked(int index)
    signal renameCommitted(int index, string newName)
    signal addClicked()
    signal deleteClicked()
    signal importClicked()
    signal exportClicked()

    function startRename(index) {
        finishEdits()
        editingRow = index
        list.itemAt(index).nameField.startEdit()
    }

    // The field may open again on a refused name (refuseRename), so the row is let go first.
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

    function refuseRename(index: int, reason: string) {
        editingRow = index
        list.itemAt(index).nameField.refuse(reason)
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
        height: icons.y - y - 10
        delegate: Rectangle {
            id: row
            required property int index
            required property string macroName
            readonly property alias nameField: name
            objectName: "macroRow" + index
            // The field's note lies over the rows below.
            z: name.editing ? 1 : 0
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
                onClicked: panel.rowClicked(row.index)
                onDoubleClicked: panel.startRename(row.index)
            }
            Label {
                id: position
                x: 8
                width: 28
                height: parent.height
                text: row.index
            }
            EditableText {
                id: name
                x: position.x + position.width
                width: parent.width - x - 6
                height: parent.height
                text: row.macroName
                onCommitted: newText => panel.renameCommitted(row.index, newText)
            }
        }
    }

    Row {
        id: icons
        y: panel.height - height
        spacing: 16
        ImageButton {
            objectName: "macroAddButton"
            width: 22
            height: 22
            source: Style.image("macros", "macro_add.svg")
            onClicked: panel.addClicked()
        }
        ImageButton {
            objectName: "macroDeleteButton"
            width: 22
            height: 22
            source: Style.image("macros", "macro_delete.svg")
            onClicked: panel.deleteClicked()
        }
        ImageButton {
            objectName: "macroImportButton"
            width: 22
            height: 22
            source: Style.image("macros", "macro_import.svg")
            onClicked: panel.importClicked()
        }
        ImageButton {
            objectName: "macroExportButton"
            width: 22
            height: 22
            source: Style.image("macros", "macro_export.svg")
            onClicked: panel.exportClicked()
        }
    }
}
