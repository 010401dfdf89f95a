import QtQuick
import modules.qml

// The strip that opens the macro editor.
Rectangle {
    id: bar

    property string text
    signal clicked()

    width: 286
    height: 38
    color: Style.panelColor

    Picture {
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 18
        height: 18
        source: Style.image("macros", "macro_manager.svg")
    }

    Label {
        anchors.centerIn: parent
        text: bar.text
        font.pixelSize: Style.fontMiddleSize
        color: area.containsMouse ? Style.fontSelectColor : Style.fontColor
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: bar.clicked()
    }

    KeyFocus {
        name: bar.text
        onActivated: bar.clicked()
    }
}
