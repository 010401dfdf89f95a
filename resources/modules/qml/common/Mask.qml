import QtQuick
import modules.qml

// The dark layer under an open dialog. Pressing it is pressing an empty part of the window.
Rectangle {
    id: mask

    signal pressedHere()
    signal dragged(int dx, int dy)

    visible: false
    color: Style.maskColor

    WindowDragArea {
        anchors.fill: parent
        onPressedHere: mask.pressedHere()
        onDragged: function(dx, dy) { mask.dragged(dx, dy) }
    }
}
