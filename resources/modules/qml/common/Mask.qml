import QtQuick
import modules.qml

// The dark layer under an open dialog. Pressing it is pressing an empty part of the window;
// nothing under it takes the pointer's hover or clicks.
Rectangle {
    id: mask

    signal pressedHere()
    signal dragged(int dx, int dy)

    visible: false
    color: Style.maskColor

    WindowDragArea {
        anchors.fill: parent
        hoverEnabled: true
        onPressedHere: mask.pressedHere()
        onDragged: function(dx, dy) { mask.dragged(dx, dy) }
    }
}
