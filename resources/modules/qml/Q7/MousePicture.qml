import QtQuick
import modules.qml

// The mouse from the top or the side, 125 pixels right of the window's centre, with the
// selected button highlighted. (Hot spots, overlays and the view choice come next.)
Item {
    id: picture

    property var mainLang: []
    property int selectKey: -1
    property bool sideView: false

    Picture {
        id: mouse
        x: picture.width / 2 + 125 - width / 2
        y: (picture.height - height) / 2
        width: 300
        height: 440
        source: Style.image("mouse", picture.sideView ? "mouse_side.svg" : "mouse_top.svg")
    }
}
