import QtQuick
import modules.qml

// Records, edits and manages macros: the list of macros and the actions of the selected one.
// The program's macro models hold their rules: every change is saved at once and loaded into
// every button of the current profile that plays the macro.
DialogFrame {
    id: editor

    // The program's view, and the key table naming keys and buttons.
    property var view: null
    property var keyTable: null
    property var macroEditorLang: []
    // Why a name is refused, by view.macroNameFault's numbers 1 to 4. A language file gives
    // them as macroEditorLang's entries 25 to 28; an older file without them leaves these.
    readonly property var nameFaultLang: ["Enter a name", "Name too long",
        "Not allowed: / \\ : * ? \" < > |", "Not usable as a file name"]
    readonly property alias isInputting: recordPanel.isInputting
    property alias isInsertting: insertPanel.isInsertting
    property alias isInsertEnd: insertPanel.isInsertEnd
    // The macro library (the program's macro list model): its rows and the selected macro.
    // Typed as an object: a var would hand readers in another engine this engine's own value.
    readonly property QtObject macroListModel: view ? view.macroList : null
    // The selected macro's actions (the program's action model).
    readonly property var actions: view ? view.macroList.actions : null
    readonly property int selectedMacro: view ? view.macroList.current : -1
    // A macro longer than a button plays is cut, never between a press and its release. A
    // language file gives the notice as macroEditorLang's entry 29.
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

    // A refused name shows its reason in the row being edited.
    function renameMacro(index, newName) {
        const fault = view.macroList.rename(index, newName)
        if (fault > 0)
            macroPanel.refuseEdit(index, macroEditorLang[24 + fault] || nameFaultLang[fault - 1])
        else if (fault === 0)
            macroRenamed()
    }

    // The program gives the buttons that played it their defaults; the panels show them.
    function deleteMacro() {
        const name = view.macroList.removeCurrent()
        if (name !== "")
            deleteMacroSignal(name)
    }

    function exportMacro() {
        if (selectedMacro >= 0)
            view.saveMacroFile(view.macroList.nameAt(selectedMacro))
    }

    function importMacro() {
        view.macroList.addImported(String(view.loadMacroIniFromFile()))
    }

    // Loads macro `name` into the playback slot of `button`.
    // --- recording ---

    function toggleRecording() {
        if (isInputting) {
            stopRecording()
            return
        }
        actions.clear()
        recordPanel.start()
    }

    function stopRecording() {
        if (isInputting) {
            recordPanel.stop()
            actions.save()
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

    function insertClicked() {
        const after = insertPanel.positionList.currentIndex === 1
        if (insertPanel.delayKind)
            actions.insertDelay(insertPanel.delayField.text, after)
        else
            actions.insertAction(insertPanel.actionName, after)
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
        onRowClicked: index => editor.view.macroList.current = index
        onRenameCommitted: (index, newName) => editor.renameMacro(index, newName)
        onAddClicked: editor.view.macroList.addNew()
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
        model: editor.actions
        currentIndex: editor.actions?.current ?? -1
        onRowClicked: index => editor.actions.current = index
        onMenuRequested: (index, atX, atY) => {
            editor.actions.current = index
            const at = actionPanel.mapToItem(actionMenu.parent, atX, atY)
            actionMenu.popup(at.x, at.y)
        }
        notice: editor.actions?.tooLong ? editor.cutNotice : ""
        onDelayCommitted: (index, text) => editor.actions.setDelay(index, text)
        onDeleteClicked: editor.actions.removeCurrent()
    }

    MacroRecordPanel {
        id: recordPanel
        x: 462
        y: 10
        width: 200
        lang: editor.macroEditorLang
        actions: editor.actions
        onRecordClicked: editor.toggleRecording()
        onLoopCountDone: editor.actions.save()
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
        labels: editor.macroEditorLang.slice(12, 17)
        onTriggered: entry => editor.actions.menuChosen(entry)
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
