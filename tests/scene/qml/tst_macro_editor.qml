import QtQuick
import QtTest

// The macro editor as a user works it: clicks at window coordinates, keys and buttons fed
// through the hooks by `virtualInput`, file dialogs answered by `prompts`.
SceneUser {
    name: "MacroEditor"

    // Windows' virtual keys and scan codes of the keys used here.
    readonly property var keyA: [0x41, 0x1E]
    readonly property var keyB: [0x42, 0x30]

    // A click on the insert field, then B pressed: the key to insert.
    function takeKeyB() {
        clickOn("insertValueField")
        verify(scene.find("macroEditor").isInsertting)
        verify(virtualInput.feedKey(...keyB, false))
        verify(virtualInput.feedKey(...keyB, true))
        tryCompare(scene.find("macroEditor"), "isInsertting", false)
    }
    function actionRows() {
        return rows("actionRow", row => row.type + "," + row.info)
    }
    function macroNames() {
        return rows("macroRow", row => row.macroName)
    }
    // Types `text` over the focused field's; a press on the dialog's title strip then ends the
    // edit, as a press anywhere in it does.
    function typeOverAndLeave(text) {
        scene.key(Qt.Key_A, Qt.ControlModifier)
        scene.typeText(text)
        const r = rect("macroEditor")
        verify(scene.click(r.x + 120, r.y + 12))
    }

    function cleanup() {
        forgetMacros()
        ui_View.resetProfile(Number(ui_View.getProfile()))
    }

    // Recording takes the time between keys, in whole 10 ms ticks, or the default delay when
    // one is chosen. Closing the dialog ends a recording as the record button does, with its save.
    function test_recordingTakesTheTimeOrTheDefaultDelay_data() {
        return [{ tag: "time taken, record button", stop: "recordButton" },
                { tag: "default delay, close icon", stop: "macroEditorClose", delay: true }]
    }

    function test_recordingTakesTheTimeOrTheDefaultDelay(data) {
        openMacroEditorWith([["Keys", []]], 0)
        if (data.delay) {
            clickOn("defaultDelayOption")
            clickOn("defaultDelayField")
            retype("30")
        }
        clickOn("recordButton")
        // The window takes each key when its report arrives, which a busy frame can delay:
        // release 120 ms after the press has arrived, and bound the delay by when both had.
        const fed = Date.now()
        verify(virtualInput.feedKey(...keyA, false))
        tryVerify(() => actionRows().length === 1)
        wait(120)
        verify(virtualInput.feedKey(...keyA, true))
        tryVerify(() => actionRows().length === 3)
        const gap = Date.now() - fed
        verify(virtualInput.feedKey(...keyB, false))
        tryVerify(() => actionRows().length === 5)
        clickAgainOn(data.stop)
        const saved = ui_View.loadMacroIni("Keys")
        if (data.delay) {
            compare(saved, ["1,A", "0,30", "2,A", "0,30", "1,B", "1"])
            return
        }
        compare([saved[0], saved[2], saved[4], saved[5]], ["1,A", "2,A", "1,B", "1"])
        // Counted in whole 10 ms ticks.
        const delay = Number(saved[1].slice(2))
        verify(saved[1].startsWith("0,") && delay % 10 === 0 && delay >= 120 && delay <= gap,
               saved[1] + " for keys at most " + gap + " ms apart")
    }

    function test_insertingBeforeAndAfterTheSelectedAction() {
        openMacroEditorWith([["Clicks", ["3,MS-L", "0,10", "4,MS-L", "0,20", "1,C", "2,C"]]], 0)
        clickOn("actionRow3")
        takeKeyB()
        clickOn("insertButton")
        compare(actionRows(), ["3,MS-L", "0,10", "4,MS-L", "1,B", "2,B", "0,20", "1,C", "2,C"])
        compare(scene.find("actionList").currentIndex, 5)
        // A delay after the selected action, chosen from the drop-down list.
        clickOn("insertDelayOption")
        clickOn("insertPositionList")
        tryCompare(scene.find("insertPositionListPopup"), "height", 2 * 24)
        clickOn("insertPositionListRow1")
        clickOn("insertButton")
        compare(ui_View.loadMacroIni("Clicks"),
                ["3,MS-L", "0,10", "4,MS-L", "1,B", "2,B", "0,20", "0,10", "1,C", "2,C", "1"])
    }

    // A macro renamed in place; an exported macro imports before the selected row.
    function test_renamingInPlaceAndImportingAnExport() {
        openMacroEditorWith([["Fast", ["1,A", "2,A"]], ["Slow", []]])
        doubleClickOn("macroRow1")
        scene.typeText("Steady")
        // A press elsewhere in the dialog ends the edit.
        clickOn("macroRow0")
        compare(macroNames(), ["Fast", "Steady"])
        compare(ui_View.getNameList(0), ["Fast", "Steady"])
        compare(ui_View.loadMacroIni("Steady"), ["1"])
        prompts.answerFile("Other.mc")
        clickOn("macroExportButton")
        prompts.answerFile("Other.mc")
        clickOn("macroImportButton")
        compare(macroNames(), ["Other", "Fast", "Steady"])
        compare(ui_View.loadMacroIni("Other"), ["1,A", "2,A", "1"])
    }

    // A saved edit reaches the button that plays the macro at once.
    function test_anEditedMacroPlaysOnItsButton() {
        setEntries({ 2: [9, 0, 2, 0] }, { 2: "Keys" })
        openMacroEditorWith([["Keys", ["1,A", "2,A"]]], 0)
        takeKeyB()
        clickOn("insertButton")
        clickButton("middle")
        compare(injectedKeys(4), ["down 0x41", "up 0x41", "down 0x42", "up 0x42"])
    }

    // A delay from the context menu, edited in place; the loop count saves when its field loses
    // the focus.
    function test_delayAndLoopCountEditing() {
        openMacroEditorWith([["Clicks", ["1,C", "2,C"]]], 0)
        clickOn("actionRow1", Qt.RightButton)
        verify(scene.find("actionMenu").visible)
        clickOn("actionMenuItem4")
        compare(actionRows(), ["1,C", "0,50", "2,C"])
        doubleClickOn("actionRow1")
        typeOverAndLeave("250")
        compare(ui_View.loadMacroIni("Clicks"), ["1,C", "0,250", "2,C", "1"])
        clickOn("loopCountField")
        retype("70000")
        compare(ui_View.loadMacroIni("Clicks"), ["1,C", "0,250", "2,C", "65535"])
        clickOn("loopCountField")
        scene.key(Qt.Key_A, Qt.ControlModifier)
        scene.key(Qt.Key_Backspace)
        // A press elsewhere in the dialog takes the focus away.
        clickOn("actionRow0")
        compare(scene.find("loopCountField").text, "1")
        compare(ui_View.loadMacroIni("Clicks"), ["1,C", "0,250", "2,C", "1"])
        clickAgainOn("loopCountField")
        typeOverAndLeave("7")
        compare(ui_View.loadMacroIni("Clicks"), ["1,C", "0,250", "2,C", "7"])
    }

    // The editor's notices are one line in the window's language: past what a button can
    // play, that the macro will be cut; for a name no file can have, why it is refused, the row
    // keeping its name (the list's unit test checks its file and name list).
    function test_noticesInTheWindowsLanguage_data() {
        return [
            { tag: "empty", text: "", why: "Enter a name", cut: "Too long: it will be cut" },
            { tag: "separator", text: "a/b", why: "Not allowed: / \\ : * ? \" < > |" },
            { tag: "too long", text: "x".repeat(245), why: "Name too long" },
            { tag: "device name", text: "CON", why: "Not usable as a file name" },
            { tag: "Chinese", text: "", why: "请输入名称", cut: "过长：将被截断", chinese: true },
            // A language file copied before these texts existed.
            { tag: "older Chinese file", text: "", why: "Enter a name", chinese: true, texts: 25 }
        ]
    }

    function test_noticesInTheWindowsLanguage(data) {
        const language = "../i18n/lang_025044.ini"
        const lines = [].concat(...Array(100).fill(["1,A", "2,A"]))
        if (data.chinese)
            scene.writeSetting("apConfig.bin", "common/language", "ChineseSimplified")
        if (data.texts)
            verify(scene.writeSetting(language, "macroEditor/total", data.texts))
        openMacroEditorWith([["Fast", ["1,A", "2,A"]], ["Long", lines],
                             ["Short", lines.slice(0, 199)]])
        scene.writeSetting("apConfig.bin", "common/language", "English")
        if (data.texts)
            scene.writeSetting(language, "macroEditor/total", 30)
        doubleClickOn("macroRow0")
        retype(data.text)
        compare(macroNames(), ["Fast", "Long", "Short"])
        verify(scene.visibleTexts().indexOf(data.why) >= 0, data.why + " missing")
        // The field stays open for a better name; a second try of the same text gives up.
        verify(scene.find("macroRow0").editField.editing)
        clickOn("actionList")
        verify(!scene.find("macroRow0").editField.editing)
        compare(macroNames(), ["Fast", "Long", "Short"])
        verify(scene.visibleTexts().indexOf(data.why) < 0)
        if (!data.cut)
            return
        clickOn("macroRow1")
        tryVerify(() => actionRows().length === 200)
        verify(scene.visibleTexts().includes(data.cut))
        clickOn("macroRow2")
        tryVerify(() => actionRows().length === 199)
        verify(!scene.visibleTexts().includes(data.cut))
    }

    // Loading macro "Other" into its button, as a profile switch does, leaves the selected
    // macro's loop count in the field and in its file.
    function test_theLoopFieldKeepsTheSelectedMacrosCount() {
        setEntries({ 2: [9, 0, 2, 0] }, { 2: "Other" })
        openMacroEditorWith([["Mine", ["1,A", "2,A"], 3], ["Other", ["1,B", "2,B"], 5]], 0)
        compare(scene.find("loopCountField").text, "3")
        const current = scene.find("shell").profileNo
        ui_View.activateProfile((current + 1) % 6, false)
        ui_View.activateProfile(current, false)
        compare(scene.find("loopCountField").text, "3")
        clickOn("insertButton")
        const lines = ui_View.loadMacroIni("Mine")
        compare(lines[lines.length - 1], "3")
    }

    // Every wheel notch over a long list scrolls it further.
    function test_eachWheelNotchScrollsTheList() {
        openMacroEditorWith(Array.from({ length: 40 }, (_, n) => ["Macro_" + n, []]))
        const p = center("macroList")
        scene.move(...p)
        // The rows' parent is the content item of the list's flickable.
        const flickable = scene.find("macroRow0").parent.parent
        const top = () => rect("macroRow0").y
        for (let notch = 1; notch <= 3; ++notch) {
            const before = top()
            mouseWheel(scene.find("shell"), ...p, 0, -120)
            tryVerify(() => top() < before, 2000, "notch " + notch + " scrolls")
            tryVerify(() => !flickable.moving, 5000, "the list comes to rest")
        }
    }
}
