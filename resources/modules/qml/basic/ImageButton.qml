import QtQuick

// A button drawn by one image, dimmed until hovered.
Item {
    id: button

    property alias source: icon.source
    // What a screen reader calls it.
    property alias name: keyFocus.name
    signal clicked()

    implicitWidth: 16
    implicitHeight: 16

    Picture {
        id: icon
        anchors.fill: parent
        opacity: area.containsMouse ? 1.0 : 0.75
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }

    KeyFocus {
        id: keyFocus
        onActivated: button.clicked()
    }
}
