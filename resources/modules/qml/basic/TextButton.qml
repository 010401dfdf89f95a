import QtQuick
import modules.qml

// A labelled button: a dark plate that lights up in the accent colour while hovered.
Rectangle {
    id: button

    property alias text: label.text
    signal clicked()

    implicitWidth: Math.max(96, label.implicitWidth + 24)
    implicitHeight: 28
    radius: 3
    color: area.pressed ? Style.accentColor : Style.panelColor
    border.color: area.containsMouse ? Style.accentColor : Style.lineColor
    border.width: 1

    Label {
        id: label
        anchors.centerIn: parent
        color: area.containsMouse && !area.pressed ? Style.fontSelectColor : Style.fontColor
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }

    KeyFocus {
        name: button.text
        onActivated: button.clicked()
    }
}
