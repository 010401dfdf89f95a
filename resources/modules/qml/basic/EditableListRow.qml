import QtQuick
import modules.qml

// A row of an EditableList, shown selected or under the pointer; `editField` is the field the
// list edits in place. The selected row (the first when none is) is the list's Tab stop;
// Space or Enter selects the row with the keyboard focus, the Menu key gives its context menu
// and F2 its in-place edit.
Rectangle {
    id: row

    required property int index
    property int currentIndex: -1
    readonly property bool selected: index === currentIndex
    // What a screen reader calls the row.
    property alias name: keyFocus.name
    property EditableText editField: null
    property alias acceptedButtons: area.acceptedButtons

    signal clicked(int button, real atX, real atY)
    signal doubleClicked(int button)

    // The field's note lies over the rows below.
    z: editField && editField.editing ? 1 : 0
    y: index * height
    width: parent ? parent.width : 0
    height: 22
    color: selected ? Style.selectColor : area.containsMouse ? Style.hoverColor : "transparent"

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: mouse => row.clicked(mouse.button, mouse.x, mouse.y)
        onDoubleClicked: mouse => row.doubleClicked(mouse.button)
    }

    KeyFocus {
        id: keyFocus
        role: Accessible.ListItem
        markOutset: 0
        activeFocusOnTab: row.index === Math.max(0, row.currentIndex)
        Accessible.selectable: true
        Accessible.selected: row.selected
        onActivated: row.clicked(Qt.LeftButton, 0, 0)
        onMenuRequested: row.clicked(Qt.RightButton, row.width / 2, row.height / 2)
        onEditRequested: row.doubleClicked(Qt.LeftButton)
    }
}
