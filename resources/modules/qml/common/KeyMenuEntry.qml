import QtQuick
import modules.qml

// One line of the key menu; a line that opens a sub-menu shows an arrow. The keyboard focus on
// a line counts as the pointer over it; Space or Enter on a line with a sub-menu enters it.
Rectangle {
    id: entry

    property alias text: label.text
    property bool opensSubmenu: false
    property bool open: false
    readonly property bool lit: area.containsMouse || open

    signal hovered()
    signal clicked()
    signal submenuEntered()

    width: 150
    height: 22
    color: lit ? "#2a0095de" : "transparent"

    Label {
        id: label
        x: 12
        width: parent.width - 30
        height: parent.height
        elide: Text.ElideRight
        color: entry.lit ? Style.fontSelectColor : Style.fontColor
    }

    Label {
        visible: entry.opensSubmenu
        anchors.right: parent.right
        anchors.rightMargin: 8
        height: parent.height
        text: "▸"
        color: label.color
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onEntered: entry.hovered()
        onClicked: entry.clicked()
    }

    KeyFocus {
        name: entry.text
        role: Accessible.MenuItem
        onActiveFocusChanged: {
            if (activeFocus)
                entry.hovered()
        }
        onActivated: entry.opensSubmenu ? entry.submenuEntered() : entry.clicked()
    }
}
