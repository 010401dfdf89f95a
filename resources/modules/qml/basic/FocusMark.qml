import QtQuick
import modules.qml

// The keyboard focus's mark: a frame just outside the control that has the focus, in a
// colour nothing else in the window uses.
Rectangle {
    anchors.fill: parent
    anchors.margins: -3
    z: 100
    color: "transparent"
    border.color: Style.focusColor
    border.width: 2
    radius: 4
}
