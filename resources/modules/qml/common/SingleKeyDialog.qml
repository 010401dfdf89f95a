import QtQuick

// Assigns one keyboard key to the selected button. (Content comes next.)
Item {
    id: dialog

    property var macroKeyLang: []

    signal closeSure()

    visible: false

    function detectKeyboard(isDown: bool, usbCode: int) {
    }
}
