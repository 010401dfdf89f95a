import QtQuick
import modules.qml

// The window buttons at the top right: help, minimise, close.
Row {
    id: menu

    signal helpClicked()
    signal minimizeClicked()
    signal closeClicked()

    spacing: 6

    ImageButton {
        objectName: "helpButton"
        source: Style.image("index", "help.svg")
        name: Names.help
        onClicked: menu.helpClicked()
    }
    ImageButton {
        objectName: "minimizeButton"
        source: Style.image("index", "minimize.svg")
        name: Names.minimize
        onClicked: menu.minimizeClicked()
    }
    ImageButton {
        objectName: "closeButton"
        source: Style.image("index", "close.svg")
        name: Names.close
        onClicked: menu.closeClicked()
    }
}
