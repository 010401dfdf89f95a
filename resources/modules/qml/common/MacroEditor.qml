import QtQuick
import modules.qml
import "macroActions.js" as MacroActions

// Records, edits and manages macros: the list of macros and the actions of the selected one.
// Every change is saved at once and uploaded to every button that uses the macro.
DialogFrame {
    id: editor

    // The program's view, and the key table naming keys and buttons.
    property var view: null
    property var keyTable: null
    property var macroEditorLang: ["메크로 메니저", "메크로", "순서", "Options", "Start Record",
        "Stop Record", "Rec Time", "루프 타이머", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
        "기본 지연시간", "Insert Action", "Mouse/Keyboard Action", "Delay Action", "Insert",
        "Insert Before", "Insert After", ""]
    // Why a name is refused, by view.macroNameFault's numbers 1 to 4. A language file gives
    // them as macroEditorLang's entries 25 to 28; an older file without them leaves these.
    readonly property var nameFaultLang: ["Enter a name", "Name too long",
        "Not allowed: / \\ : * ? \" < > |", "Not usable as a file name"]
    readonly property alias isInputting: recordPanel.isInputting
    property alias isInsertting: insertPanel.isInsertting
    property alias isInsertEnd: insertPanel.isInsertEnd
    // The macro library (the program's macro list model): its rows and rules. Typed as an
    // object: a var would hand readers in another engine this engine's own value.
    readonly property QtObject macroListModel: view ? view.macroList : null
    property int selectedMacro: -1
    property int selectedAction: -1
    readonly property int maxRecordedRows: 252
    readonly property int maxMenuRows: 126
    // A button plays at most this many actions; a longer macro is cut, never between a press
    // and its release. A language file gives the notice as macroEditorLang's entry 29.
    readonly property int maxPlayedActions: 199
    readonly property string cutNotice: macroEditorLang[29] || "Too long: it will be cut"

    signal deleteMacroSignal(string macroName)
    signal macroRenamed()
    signal closeUI()

    width: 680
    height: 480
    visible: false
    title: macroEditorLang[0] ?? ""
    onCloseClicked: close()
    onTitlePressed: macroEditorFocus()

    // --- the macro list ---

    function init() {
        view.macroList.load()
        selectMacro(-1)
        actionMenu.labels = macroEditorLang.slice(12, 17)
        insertPanel.positionList.model = [macroEditorLang[22], macroEditorLang[23]]
    }

    function selectedName() {
        return view ? view.macroList.nameAt(selectedMacro) : ""
    }

    function selectMacro(index) {
        selectedMacro = index
        loadActions()
    }

    function loadActions() {
        actionListModel.clear()
        selectedAction = -1
        if (selectedMacro < 0)
            return
        const lines = view.loadMacroIni(selectedName())
        for (const row of MacroActions.rowsOf(lines))
            actionListModel.append(row)
        if (lines.length > 0)
            recordPanel.loopCountField.text = lines[lines.length - 1]
    }

    function newMacro() {
        const row = view.macroList.addNew()
        if (row >= 0)
            selectMacro(row)
    }

    // A refused name shows its reason in the row being edited.
    function renameMacro(index, newName) {
        const fault = view.macroList.rename(index, newName)
        if (fault > 0)
            macroPanel.refuseEdit(index, macroEditorLang[24 + fault] || nameFaultLang[fault - 1])
        else if (fault === 0)
            macroRenamed()
    }

    function deleteMacro() {
        if (selectedMacro < 0)
            return
        const name = selectedName()
        actionListModel.clear()
        selectMacro(view.macroList.remove(selectedMacro))
        deleteMacroSignal(name)
    }

    function exportMacro() {
        if (selectedMacro >= 0)
            view.saveMacroFile(selectedName())
    }

    function importMacro() {
        const name = String(view.loadMacroIniFromFile())
        if (name === "")
            return
        if (view.macroList.addImported(name, selectedMacro)) {
            // Listed before the selected row, which stays selected.
            if (selectedMacro >= 0)
                ++selectedMacro
            return
        }
        // A listed name: its file has just been replaced.
        loadActions()
        autoSave()
        if (name !== selectedName())
            uploadToUsers(name)
    }

    // --- saving and uploading ---

    function autoSave() {
        if (selectedMacro < 0)
            return
        const lines = []
        for (let i = 0; i < actionListModel.count; ++i)
            lines.push(MacroActions.toLine(actionListModel.get(i)))
        const name = selectedName()
        view.saveMacroIni(name, lines, MacroActions.toInteger(recordPanel.loopCountField.text))
        uploadToUsers(name)
    }

    function uploadToUsers(name) {
        const users = view.isMacroUse(name)
        for (let i = 1; i < users.length; ++i)
            sendMacro(MacroActions.toInteger(users[i]), name)
    }

    // Loads macro `name` into the playback slot of `button`. The loop field takes the
    // macro's repeat count only when it is the selected macro: it shows, and a save stores,
    // the selected macro's own count, whatever other macro a profile switch loads.
    function sendMacro(button, name) {
        const lines = view.loadMacroIni(name)
        if (lines.length === 0)
            return
        if (name === selectedName())
            recordPanel.loopCountField.text = String(MacroActions.toInteger(lines[lines.length - 1]))
        view.uploadMacro(button, name)
    }

    // --- recording ---

    function toggleRecording() {
        if (isInputting) {
            stopRecording()
            return
        }
        actionListModel.clear()
        selectedAction = -1
        recordPanel.start()
    }

    function stopRecording() {
        if (isInputting) {
            recordPanel.stop()
            autoSave()
        }
    }

    // A key report while recording; `isDown` is true for a release.
    function detectKeyboard(isDown, usbCode) {
        if (recordPanel.record(isDown, usbCode))
            actionPanel.scrollToEnd()
    }

    // --- inserting and editing actions ---

    // A key or button report while the insert field waits for one.
    function detectInput(isDown, code) {
        insertPanel.detectInput(code)
    }

    // Inserts `rows` before or after the selected action, or at the end with none selected.
    function insertRows(rows, before) {
        const at = selectedAction < 0 ? actionListModel.count
                                      : before ? selectedAction : selectedAction + 1
        rows.forEach((row, i) => actionListModel.insert(at + i, row))
        if (selectedAction >= 0 && before)
            selectedAction += rows.length
    }

    function insertClicked() {
        const before = insertPanel.positionList.currentIndex === 0
        if (actionListModel.count < maxRecordedRows) {
            if (insertPanel.delayKind) {
                const delay = MacroActions.toInteger(insertPanel.delayField.text)
                insertRows([{ type: MacroActions.delay, info: String(delay) }], before)
            } else {
                const name = insertPanel.actionName
                const code = keyTable.keyCode(name)
                if (!code)
                    return
                insertRows(MacroActions.pressAndRelease(code, name), before)
            }
        }
        autoSave()
    }

    function removeSelectedAction() {
        if (selectedAction >= 0) {
            actionListModel.remove(selectedAction)
            selectedAction = Math.min(selectedAction, actionListModel.count - 1)
        }
        autoSave()
    }

    function menuTriggered(entry) {
        const buttons = ["MS-L", "MS-M", "MS-R"]
        if (entry === 0) {
            removeSelectedAction()
            return
        }
        if (actionListModel.count < maxMenuRows) {
            if (entry <= buttons.length) {
                const name = buttons[entry - 1]
                insertRows(MacroActions.pressAndRelease(keyTable.keyCode(name), name), false)
            } else {
                insertRows([{ type: MacroActions.delay, info: "50" }], true)
                --selectedAction
            }
        }
        autoSave()
    }

    function delayEdited(index, text) {
        const value = parseInt(text, 10)
        if (!isNaN(value) && value >= 0 && value <= 100000)
            actionListModel.setProperty(index, "info", String(value))
        autoSave()
    }

    // --- focus, closing ---

    function macroEditorFocus() {
        recordPanel.defaultDelayField.dropFocus()
        recordPanel.loopCountField.dropFocus()
        insertPanel.delayField.dropFocus()
        macroPanel.finishEdits()
        actionPanel.finishEdits()
        actionMenu.close()
        insertPanel.positionList.close()
    }

    // Escape closes the open menu or list first, then the dialog.
    function escapePressed() {
        if (actionMenu.visible || insertPanel.positionList.isOpen) {
            macroEditorFocus()
            forceActiveFocus()
        } else {
            close()
        }
    }

    function close() {
        stopRecording()
        macroEditorFocus()
        macroPanel.cancelEdits() // a refused name left open
        isInsertting = false
        visible = false
        closeUI()
    }

    function within(item, mouse) {
        if (!item || !item.visible)
            return false
        const point = pressWatcher.mapToItem(item, mouse.x, mouse.y)
        return item.contains(point)
    }

    // Presses on a part that is open keep it open; any other press closes them first.
    function pressKeepsOpen(mouse) {
        const list = insertPanel.positionList
        const open = [macroPanel.editingItem, actionPanel.editingItem, actionMenu]
        for (const field of [recordPanel.defaultDelayField, recordPanel.loopCountField,
                             insertPanel.delayField]) {
            if (field.editing)
                open.push(field)
        }
        if (list.isOpen)
            open.push(list, list.popupItem)
        return open.some(item => within(item, mouse))
    }

    // --- layout ---

    ListModel {
        id: actionListModel
    }

    MacroListPanel {
        id: macroPanel
        objectName: "macroList"
        x: 16
        y: 10
        width: 190
        height: editor.height - editor.titleHeight - 26
        title: editor.macroEditorLang[1] ?? ""
        iconNames: [editor.macroEditorLang[8] ?? "", editor.macroEditorLang[9] ?? "",
                    Names.importFile, Names.exportFile]
        model: editor.macroListModel
        currentIndex: editor.selectedMacro
        onRowClicked: index => editor.selectMacro(index)
        onRenameCommitted: (index, newName) => editor.renameMacro(index, newName)
        onAddClicked: editor.newMacro()
        onDeleteClicked: editor.deleteMacro()
        onImportClicked: editor.importMacro()
        onExportClicked: editor.exportMacro()
    }

    ActionListPanel {
        id: actionPanel
        objectName: "actionList"
        x: 222
        y: 10
        width: 220
        height: macroPanel.height
        title: editor.macroEditorLang[2] ?? ""
        deleteName: editor.macroEditorLang[12] ?? ""
        model: actionListModel
        currentIndex: editor.selectedAction
        onRowClicked: index => editor.selectedAction = index
        onMenuRequested: (index, atX, atY) => {
            editor.selectedAction = index
            const at = actionPanel.mapToItem(actionMenu.parent, atX, atY)
            actionMenu.popup(at.x, at.y)
        }
        notice: actionListModel.count > editor.maxPlayedActions ? editor.cutNotice : ""
        onDelayCommitted: (index, text) => editor.delayEdited(index, text)
        onDeleteClicked: editor.removeSelectedAction()
    }

    MacroRecordPanel {
        id: recordPanel
        x: 462
        y: 10
        width: 200
        lang: editor.macroEditorLang
        actions: actionListModel
        keyTable: editor.keyTable
        maxRows: editor.maxRecordedRows
        onRecordClicked: editor.toggleRecording()
        onLoopCountDone: editor.autoSave()
    }

    MacroInsertPanel {
        id: insertPanel
        x: 462
        y: 180
        z: positionList.isOpen ? 10 : 0
        width: 200
        lang: editor.macroEditorLang
        keyTable: editor.keyTable
        onInsertClicked: editor.insertClicked()
    }

    PopupMenu {
        id: actionMenu
        objectName: "actionMenu"
        onTriggered: entry => editor.menuTriggered(entry)
    }

    // Sees every press in the dialog first: a press outside what is open ends the edits and
    // closes the menus, then goes on to whatever lies below.
    MouseArea {
        id: pressWatcher
        anchors.fill: parent
        z: 1000
        onPressed: mouse => {
            if (!editor.pressKeepsOpen(mouse))
                editor.macroEditorFocus()
            mouse.accepted = false
        }
    }
}
