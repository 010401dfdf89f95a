import QtQuick

// The functions a button can take. (Entries and sub-menus come next.)
Item {
    id: menu

    property int language: 0
    property var keyMenuLang: []

    // The entry's value as eight hexadecimal digits, e.g. "0100f000".
    signal menuCmd(string entryText)
    signal openSingleKeyDialog()
    signal openMacroKeyDialog()

    visible: false

    function init() {
    }

    function showControl() {
    }
}
