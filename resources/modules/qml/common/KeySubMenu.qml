pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// A sub-menu of the key menu: entries given as [label index, entry written].
Rectangle {
    id: submenu

    property var entries: []
    property var labels: []

    signal chosen(string entryText)
    // Left arrow: back to the line that opened it.
    signal backRequested()

    function focusFirst() {
        FocusChain.step(column, true)
    }

    width: 150
    height: column.height + 6
    color: Style.dialogColor
    border.color: Style.accentColor
    border.width: 1
    radius: 2
    Accessible.role: Accessible.PopupMenu
    Keys.onUpPressed: FocusChain.step(column, false)
    Keys.onDownPressed: FocusChain.step(column, true)
    Keys.onLeftPressed: backRequested()

    Column {
        id: column
        y: 3

        Repeater {
            model: submenu.entries

            KeyMenuEntry {
                id: entry
                required property var modelData
                objectName: "keyMenuEntry" + modelData[0]
                text: submenu.labels[entry.modelData[0]] ?? ""
                onClicked: submenu.chosen(entry.modelData[1])
            }
        }
    }
}
