import QtQuick

// Assigns a macro and its repeat mode to the selected button. (Content comes next.)
Item {
    id: dialog

    property var macroListModel: null
    property int macroType: 0
    property var macroKeyLang: ["Macro Key", "Please select a macro",
        "Macro runs one-time after\npressing the button",
        "Macro runs endless loop\nuntil any button is pressed",
        "Macro runs endless loop\nuntil button is released", "OK", "Cancel", "Key",
        "Please assign a Key", ""]

    signal closeSure()

    visible: false

    function showUI() {
    }

    function macroKeyFocus() {
    }
}
