import QtQuick
import modules.qml

// The buttons at the bottom right: reset, and the hidden reload and save (every change
// applies at once, so nothing is left to reload or save).
Row {
    id: menu

    property var mainLang: []

    signal resetClicked()
    signal reloadClicked()
    signal saveClicked()

    spacing: 8

    TextButton {
        objectName: "resetButton"
        text: menu.mainLang[26] ?? ""
        onClicked: menu.resetClicked()
    }
    TextButton {
        objectName: "reloadButton"
        visible: false
        text: menu.mainLang[29] ?? ""
        onClicked: menu.reloadClicked()
    }
    TextButton {
        objectName: "saveButton"
        visible: false
        text: menu.mainLang[25] ?? ""
        onClicked: menu.saveClicked()
    }
}
