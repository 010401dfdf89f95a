import QtQuick
import modules.qml

// The buttons and what each one does. (Rows, texts and sending the matrix come next.)
CollapsiblePanel {
    id: panel

    property var view: null
    property int language: 0
    property string selectGunName
    property var keyMatrixLang: ["Macro: ", "비활성화", "Keyboard Key-", "버튼 할당", "버튼 ",
        "Fire Key", "", "", "", ""]
    property bool isNeedSave: false

    signal clickKeyMatrix(int row)
    signal enterBtn(int row)
    signal leaveBtn(int row)
    // Asks the macro editor to upload macro `name` for button `row`.
    signal macroUpload(int row, string name)

    title: keyMatrixLang[3] ?? ""
    openHeight: 183

    function init(isSendData: bool) {
    }

    function refreashUI(isSendData: bool) {
    }

    function modifyData(row: int, b0: int, b1: int, b2: int, b3: int) {
    }

    function deleteMacroProc(macroName: string) {
    }

    function getx(row: int): real {
        return 0
    }

    function gety(row: int): real {
        return 0
    }
}
