import QtQuick
import modules.qml

// "LOADING ......" pulsing while shown; it stops whenever the window is hidden.
Item {
    id: indicator

    readonly property bool animating: pulse.running

    Rectangle {
        anchors.centerIn: parent
        width: text.implicitWidth + 48
        height: text.implicitHeight + 24
        radius: height / 2
        color: Style.dialogColor
        border.color: Style.accentColor
    }

    Label {
        id: text
        anchors.centerIn: parent
        text: "LOADING ......"
        font.pixelSize: Style.fontMaxSize
        font.bold: true

        SequentialAnimation on opacity {
            id: pulse
            // The scene's window reports Hidden while the program's window is hidden.
            running: indicator.visible && indicator.Window.visibility !== Window.Hidden
                     && indicator.Window.visibility !== Window.Minimized
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
