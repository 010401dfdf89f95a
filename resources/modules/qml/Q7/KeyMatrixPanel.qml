pragma ComponentBehavior: Bound
import QtQuick
import modules.qml
import "keyEntryText.js" as KeyEntryText

// The buttons and what each one does. Keeps the sixteen key entries of the current profile,
// shows the first eight, and passes the whole matrix on after every change.
CollapsiblePanel {
    id: panel

    property var view: null
    property var keyTable: null
    property int language: 0
    property string selectGunName
    property int selectKey: -1
    property var keyMatrixLang: ["Macro: ", "비활성화", "Keyboard Key-", "버튼 할당", "버튼 ",
        "Fire Key", "", "", "", ""]
    property bool isNeedSave: false
    readonly property int rowCount: 16
    readonly property int shownRows: 8

    property var entries: []
    property var texts: []
    property var rowLabels: []
    // What a screen reader calls each shown row: its label and what the button does.
    readonly property var rowNames: rowLabels.map((label, row) => label + ": " + (texts[row] ?? ""))

    signal clickKeyMatrix(int row)
    signal enterBtn(int row)
    signal leaveBtn(int row)

    title: keyMatrixLang[3] ?? ""
    openHeight: 183

    // Shows the current profile's entries; the program has applied them.
    function init() {
        let labels = []
        for (let n = 1; n <= shownRows; ++n)
            labels.push(keyMatrixLang[4] + n)
        rowLabels = labels
        let read = []
        for (let row = 0; row < rowCount; ++row)
            read.push(readEntry(row))
        entries = read
        texts = read.map(entryText)
    }

    function refreashUI(isSendData: bool) {
        texts = entries.map(entryText)
        if (isSendData)
            view.ui_12H_SetKeyMatrix(matrix())
        else
            isNeedSave = true
    }

    // The program refuses the change that would take the last left click.
    function modifyData(row: int, b0: int, b1: int, b2: int, b3: int) {
        if (row < 0 || row >= entries.length || !view.mayChangeKeydefine(matrix(), row))
            return
        let changed = entries.slice()
        changed[row] = [b0, b1, b2, b3]
        entries = changed
    }

    // The program has given the deleted macro's buttons their defaults.
    function deleteMacroProc(macroName: string) {
        init()
    }

    function getx(row: int): real {
        return rowItems.itemAt(row)?.mapToItem(null, 0, 0).x ?? 0
    }

    function gety(row: int): real {
        return rowItems.itemAt(row)?.mapToItem(null, 0, 0).y ?? 0
    }

    // A missing or short entry reads as zeros.
    function readEntry(row: int) {
        const stored = view.getKeydefine(row)
        let bytes = []
        for (let i = 0; i < 4; ++i)
            bytes.push(i < stored.length ? (parseInt(String(stored[i]), 10) || 0) : 0)
        return bytes
    }

    function entryText(bytes) {
        return KeyEntryText.entryText(bytes, {
            keyMatrixLang: keyMatrixLang,
            language: language,
            keyName: code => keyTable ? keyTable.keyName(code) : "",
            macroName: button => String(view.getMacroKey(button)),
            gunName: selectGunName
        })
    }

    function matrix() {
        let values = []
        for (let row = 0; row < rowCount; ++row)
            values = values.concat(entries[row] ?? [0, 0, 0, 0])
        return values
    }

    Column {
        x: 0
        y: 3
        width: panel.width

        Repeater {
            id: rowItems
            model: panel.shownRows

            Rectangle {
                id: rowItem
                required property int index
                readonly property bool lit: area.containsMouse || panel.selectKey === rowItem.index
                property string text: panel.texts[rowItem.index] ?? ""

                objectName: "keyRow" + rowItem.index
                width: panel.width
                height: 20
                color: lit ? "#33ffffff" : "transparent"

                Label {
                    id: rowLabel
                    x: 14
                    width: 64
                    height: parent.height
                    text: panel.rowLabels[rowItem.index] ?? ""
                    color: rowItem.lit ? Style.fontSelectColor : Style.fontColor
                }

                // On the row label's baseline, whatever scripts the two texts hold.
                Label {
                    x: 84
                    width: parent.width - x - 10
                    anchors.baseline: rowLabel.baseline
                    verticalAlignment: Text.AlignTop
                    text: rowItem.text
                    elide: Text.ElideRight
                    color: rowItem.lit ? Style.fontSelectColor : Style.fontColor
                }

                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: panel.enterBtn(rowItem.index)
                    onExited: panel.leaveBtn(rowItem.index)
                    onClicked: panel.clickKeyMatrix(rowItem.index)
                }

                KeyFocus {
                    name: panel.rowNames[rowItem.index] ?? ""
                    markOutset: 0
                    onActivated: panel.clickKeyMatrix(rowItem.index)
                }
            }
        }
    }
}
