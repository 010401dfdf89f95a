import QtQuick
import modules.qml

// A text in the scene's font and colour.
Text {
    font.family: Style.fontFamily
    font.pixelSize: Style.fontNormalSize
    color: Style.fontColor
    verticalAlignment: Text.AlignVCenter
}
