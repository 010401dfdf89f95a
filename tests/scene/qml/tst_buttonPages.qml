import QtQuick
import QtTest

// Giving the mouse's buttons their functions in the window, as a user does, and what then
// reaches the profile and the engine. While a dialog is open, what lies under its mask takes
// neither hover nor clicks, and the button the dialog was opened for stays the one it writes
// to; opening a dialog ends the menus that were open. Macros on buttons are loaded into the
// engine at every start.
SceneUser {
    name: "ButtonPages"

    function cleanup() {
        tidyUp()
        forgetMacros()
    }

    // The pointer over every key row and every hot spot of the front view (under the mask,
    // or under the dialog where it covers the picture), then a click on a row and a spot.
    function sweepUnderTheMask(row) {
        const rowNames = [0, 1, 2, 3, 4, 5, 6, 7].map(r => "keyRow" + r)
        for (const target of rowNames.concat([0, 1, 2, 5, 6, 7].map(n => "buttonSpot" + n))) {
            hoverOn(target)
            if (target.startsWith("keyRow") && target !== "keyRow" + row)
                verify(!scene.find(target).lit, target + " lights up under the mask")
            compare(scene.find("mousePicture").selectKey, row, "after hovering " + target)
        }
        for (const target of ["keyRow6", "buttonSpot1"]) {
            hoverOn(target)
            scene.click(...center(target))
            verify(!shown("keyMenu"), "a click on " + target + " opens the key menu")
            compare(scene.find("mousePicture").selectKey, row, "after clicking " + target)
        }
    }

    function test_copyFromBasicCommandsReachesProfileAndEngine() {
        clickOn("keyRow1")
        verify(shown("buttonHighlight1"))
        // The entry hovered, and whether the basic commands and the media submenus show.
        for (const [entry, basic, media] of [[8, true, false], [7, false, true], [0, false, false],
                                             [8, true, false]]) {
            hoverOn("keyMenuEntry" + entry)
            compare([shown("keyMenuBasic"), shown("keyMenuMedia")], [basic, media], entry)
        }
        clickOn("keyMenuEntry27")
        verify(!shown("keyMenu") && !shown("buttonHighlight1"))
        compare(rowText(1), "복사")
        compare(entry(1), [0, 0, 0xE0, 0x06])

        clickButton("right")
        compare(injectedKeys(4), ["down 0xa2", "down 0x43", "up 0xa2", "up 0x43"])
    }

    function test_menuShowsOnlyOfferedEntries() {
        clickOn("keyRow7")
        compare(rect("keyMenu").y, 278)
        verify(!shown("keyMenuEntry6") && !shown("keyMenuEntry12"), "DPI and gun stay hidden")
        const texts = scene.visibleTexts()
        for (const label of ["Left Button", "Forward", "Back", "바탕화면 보기", "Fire key",
                             "키보드 키 할당", "메크로", "비활성화"])
            verify(texts.indexOf(label) >= 0, label + " missing from " + texts)
        clickOn("keyMenuEntry13")
        compare(rowText(7), "비활성화")
        compare(entry(7), [0, 0, 0, 0])
        // The only left button keeps the left click.
        choose(0, "keyMenuEntry1")
        compare(rowText(0), "Left Button")
        compare(entry(0), [1, 0, 0xF0, 0])
    }

    function test_singleKeyDialogTakesOnlyKnownKeys() {
        choose(4, "keyMenuEntry10")
        verify(shown("singleKeyDialog") && shown("mask") && !shown("keyMenu"))
        scene.key(Qt.Key_Q)
        compare(scene.find("singleKeyField").text, "Q")
        virtualInput.feedKey(0xFF, 0, false)  // a key the table has no name for
        tryCompare(scene.find("singleKeyField"), "text", "")
        clickOn("singleKeyOk")
        verify(!shown("singleKeyDialog") && !shown("mask"))
        compare(entry(4), [1, 0, 0xF3, 0])

        choose(4, "keyMenuEntry10")
        scene.key(Qt.Key_Q)
        sweepUnderTheMask(4)
        clickOn("singleKeyOk")
        compare(rowText(4), "버튼 할당Q")
        compare(entry(4), [0, 0, 0x14, 0])
    }

    function test_macroKeyDialogAssignsMacroAndRepeatMode() {
        writeMacros([["Hello", ["1,H", "2,H"]]])
        restartAndWait()
        choose(3, "keyMenuEntry11")
        verify(shown("macroKeyDialog") && shown("mask") && !shown("keyMenu"))
        sweepUnderTheMask(3)
        clickOn("macroKeyMode2")  // the only name is chosen already
        clickOn("macroKeyOk")
        verify(!shown("macroKeyDialog") && !shown("mask"))
        compare(entry(3), [9, 2, 3, 0])
        compare(String(ui_View.getMacroKey(3)), "Hello")
        compare(rowText(3), "Macro: Hello")

        clickButton("forward")
        compare(injectedKeys(2).slice(0, 2), ["down 0x48", "up 0x48"])

        choose(3, "keyMenuEntry11")
        verify(scene.find("macroKeyMode2").checked, "the repeat mode stays as it was")
        clickOn("macroKeyCancel")
        compare(entry(3), [9, 2, 3, 0])
    }

    // Opening any dialog first closes what a press elsewhere would have closed.
    function test_openingADialogEndsTheOpenMenus_data() {
        return [["keyMenu", "resetButton", "resetDialog"],
                ["keyMenu", "macroManagerBar", "macroEditor"],
                ["helpMenu", "resetButton", "resetDialog"]
        ].map(([menu, opener, dialog]) => ({ tag: menu + ", " + dialog, menu, opener, dialog }))
    }

    function test_openingADialogEndsTheOpenMenus(data) {
        clickOn(data.menu === "keyMenu" ? "keyRow1" : "helpButton")
        verify(shown(data.menu))
        clickOn(data.opener)
        verify(shown(data.dialog))
        verify(!shown(data.menu), data.menu + " stays open above the dialog")
        compare(scene.find("mousePicture").selectKey, -1)
    }

    function test_hoverAndHotSpotsFollowTheButtons() {
        // Under Wine the hover's enter and exit can trail the pointer's arrival on a busy
        // machine: each check waits for them.
        hoverOn("keyRow3")
        tryVerify(() => shown("buttonHighlight3"), 5000, "the side view shows the forward button")
        verify(scene.find("sideViewChoice").checked)
        hoverOn("background")
        tryVerify(() => !shown("buttonHighlight3"), 5000, "the highlight goes with the pointer")
        clickOn("frontViewChoice")
        hoverOn("buttonSpot2")
        tryVerify(() => shown("buttonHighlight2"), 5000, "the wheel's spot shows it")
        clickOn("buttonSpot2")
        compare(rect("keyMenu").y, 135)
        clickOn("keyMenuEntry43")
        compare(rowText(2), "Back")
    }

    function test_chineseTextsNameEntriesFromTheChineseColumn() {
        startIn("ChineseSimplified")
        compare(rowText(0), "左键")
        compare(rowText(5), "显示桌面")
        verify(scene.visibleTexts().indexOf("按键 1") >= 0)
        choose(1, "keyMenuEntry27", "keyMenuEntry8")
        compare(rowText(1), "复制")
    }

    // A fresh start names every form of entry and loads the macro of every macro row; deleted
    // in the macro editor, a macro leaves its buttons with their defaults.
    function test_startNamesEveryEntryAndLoadsEveryMacro() {
        writeMacros([["Wave", ["1,W", "0,20", "2,W"]], ["Tap", ["1,T", "2,T"]]])
        setEntries({ 2: [0, 0, 0x2C, 0], 3: [9, 0, 3, 0], 4: [9, 0, 4, 0], 5: [9, 0, 5, 0],
                     6: [0, 0, 0, 5], 7: [0, 0, 0, 0] }, { 3: "Wave", 4: "Tap", 5: "Tap" })
        restartAndWait()
        compare([2, 3, 4, 5, 6, 7].map(rowText),
                ["버튼 할당Space", "Macro: Wave", "Macro: Tap", "Macro: Tap", "", "비활성화"])
        clickButton("forward")
        compare(injectedKeys(2), ["down 0x57", "up 0x57"])
        virtualInput.clearDelivered()
        clickButton("back")
        compare(injectedKeys(2), ["down 0x54", "up 0x54"])
        clickOn("macroManagerBar")
        clickOn("macroRow1")
        clickOn("macroDeleteButton")
        compare(entry(4), [1, 0, 0xF3, 0])
        compare(entry(5), [0, 0, 0xE3, 0x07])
        compare(rowText(5), "바탕화면 보기")
    }

    // Nothing the engine presses stays held: a macro longer than a button plays ends with the
    // releases of what it pressed; a while-held macro released while another plays ends once
    // it has its turn, so the next press plays; a Windows key tapped within a tick comes up
    // after its replayed press.
    function test_nothingTheEnginePressesStaysHeld() {
        const lines = ["1,L Ctrl"].concat(...Array(110).fill(["1,A", "2,A"]), "2,L Ctrl")
        writeMacros([["Long", lines], ["Held", ["1,H", "0,20", "2,H"]]])
        setEntries({ 3: [9, 0, 3, 0], 4: [9, 2, 4, 0] }, { 3: "Long", 4: "Held" })
        restartAndWait()
        virtualInput.clearDelivered()
        clickButton("forward")
        clickButton("back")
        let keys = injectedKeys(1)
        tryVerify(() => (keys = injectedKeys(1)).includes("up 0x48"), 30000, "played: " + keys)
        const ctrlUp = keys.indexOf("up 0xa2")
        verify(ctrlUp > 0 && ctrlUp < keys.indexOf("down 0x48"), keys)
        const count = what => keys.slice(0, ctrlUp).filter(k => k === what).length
        compare(count("down 0x41"), count("up 0x41"))
        // Pressed and held: it plays once the macro before it has ended.
        feedButton("forward", false)
        tryVerify(() => (keys = injectedKeys(1)).filter(k => k === "up 0xa2").length === 2,
                  30000, "played: " + keys)
        feedButton("forward", true)
        compare(keys.filter(k => k === "down 0x48").length, 1)

        virtualInput.clearDelivered()
        verify(!virtualInput.feedKey(0x5B, 0x5B, false, 500))
        // On a busy machine the replayed press can be through before the release is sent;
        // the release then passes on as it is.
        const held = !virtualInput.feedKey(0x5B, 0x5B, true, 505)
        compare(injectedKeys(held ? 2 : 1), held ? ["down 0x5b", "up 0x5b"] : ["down 0x5b"])
    }
}
