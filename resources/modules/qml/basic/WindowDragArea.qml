import QtQuick

// Reports a press and, while the button is held, the pointer's offset from the press point.
// The window follows each offset, so the pointer stays at the press point of the window.
MouseArea {
    id: area

    signal pressedHere()
    signal dragged(int dx, int dy)

    property point pressPoint

    onPressed: function(mouse) {
        area.pressPoint = Qt.point(mouse.x, mouse.y)
        area.pressedHere()
    }
    onPositionChanged: function(mouse) {
        area.dragged(mouse.x - area.pressPoint.x, mouse.y - area.pressPoint.y)
    }
}
