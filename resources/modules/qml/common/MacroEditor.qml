import QtQuick
import modules.qml

// Records, edits and manages macros. (Lists, recording and editing come next.)
DialogFrame {
    id: editor

    property var view: null
    property var device: null
    property var macroEditorLang: ["메크로 메니저", "메크로", "순서", "Options", "Start Record",
        "Stop Record", "Rec Time", "루프 타이머", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
        "기본 지연시간", "Insert Action", "Mouse/Keyboard Action", "Delay Action", "Insert",
        "Insert Before", "Insert After", ""]
    property bool isInputting: false
    property bool isInsertting: false
    property ListModel macroListModel: ListModel {}

    signal deleteMacroSignal(string macroName)
    signal closeUI()

    width: 640
    height: 480
    visible: false
    title: macroEditorLang[0] ?? ""
    onCloseClicked: {
        visible = false
        closeUI()
    }

    function init() {
    }

    // Loads macro `name` into the playback slot of button `button`.
    function sendMacro(button: int, name: string) {
    }

    function detectKeyboard(isDown: bool, usbCode: int) {
    }

    function detectInput(isDown: bool, code: int) {
    }

    function macroEditorFocus() {
    }
}
