pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The macro list: each row shows its position and the macro's name. A press selects a row,
// a double press renames it in place. The add, delete, import and export icons sit below.
EditableList {
    id: panel

    // What a screen reader calls the add, delete, import and export icons.
    property var iconNames: []

    signal rowClicked(int index)
    signal renameCommitted(int index, string newName)
    signal addClicked()
    signal deleteClicked()
    signal importClicked()
    signal exportClicked()

    delegate: EditableListRow {
        id: row
        required property string macroName
        objectName: "macroRow" + index
        currentIndex: panel.currentIndex
        editField: name
        name: row.macroName
        onClicked: panel.rowClicked(row.index)
        onDoubleClicked: panel.startEdit(row.index)
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

    ImageButton {
        objectName: "macroAddButton"
        name: panel.iconNames[0] ?? ""
        width: 22
        height: 22
        source: Style.image("macros", "macro_add.svg")
        onClicked: panel.addClicked()
    }
    ImageButton {
        objectName: "macroDeleteButton"
        name: panel.iconNames[1] ?? ""
        width: 22
        height: 22
        source: Style.image("macros", "macro_delete.svg")
        onClicked: panel.deleteClicked()
    }
    ImageButton {
        objectName: "macroImportButton"
        name: panel.iconNames[2] ?? ""
        width: 22
        height: 22
        source: Style.image("macros", "macro_import.svg")
        onClicked: panel.importClicked()
    }
    ImageButton {
        objectName: "macroExportButton"
        name: panel.iconNames[3] ?? ""
        width: 22
        height: 22
        source: Style.image("macros", "macro_export.svg")
        onClicked: panel.exportClicked()
    }
}
