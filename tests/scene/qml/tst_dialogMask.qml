import QtQuick
import QtTest

// While a dialog is open, what lies under its mask takes neither hover nor clicks, and the
// button the dialog was opened for stays the one it writes to. Opening a dialog ends the
// menus that were open.
SceneUser {
    name: "DialogMask"

    function init() {
        waitForInput()
    }

    function cleanup() {
        ui_View.resetProfile(Number(ui_View.getProfile()))
        ui_View.activateProfile(Number(ui_View.getProfile()), false)
        for (const name of ["macroKeyCancel", "singleKeyCancel", "resetCancel", "macroEditorClose"]) {
            if (shown(name))
                clickOn(name)
        }
        for (const name of ui_View.getNameList(0))
            ui_View.deleteMacroIni(name)
        ui_View.updataNameList(0, [])
        scene.find("macroEditor").init()
    }

    function entry(row) {
        return ui_View.getKeydefine(row).map(Number)
    }

    function selectedButton() {
        return scene.find("mousePicture").selectKey
    }

    // The pointer over every key row and every hot spot of the front view (under the mask,
    // or under the dialog where it covers the picture), then a click on a row and a spot.
    function sweepUnderTheMask(row) {
        const spots = ["buttonSpot0", "buttonSpot1", "buttonSpot2", "buttonSpot5",
                       "buttonSpot6", "buttonSpot7"]
        for (let r = 0; r < 8; ++r) {
            const p = center("keyRow" + r)
            scene.hover(p.x, p.y)
            if (r !== row)
                verify(!scene.find("keyRow" + r).lit, "row " + r + " lights up under the mask")
            compare(selectedButton(), row, "after hovering row " + r)
        }
        for (const spot of spots) {
            const p = center(spot)
            scene.hover(p.x, p.y)
            compare(selectedButton(), row, "after hovering " + spot)
        }
        scene.hover(400, 20)
        compare(selectedButton(), row)
        for (const target of ["keyRow6", "buttonSpot1"]) {
            const p = center(target)
            scene.hover(p.x, p.y)
            scene.click(p.x, p.y)
            verify(!shown("keyMenu"), "a click on " + target + " opens the key menu")
            compare(selectedButton(), row, "after clicking " + target)
        }
    }

    function openFromKeyMenu(row, entryName) {
        clickOn("keyRow" + row)
        verify(shown("keyMenu"))
        clickOn(entryName)
        verify(shown("mask") && !shown("keyMenu"))
        compare(selectedButton(), row)
    }

    function test_theMacroKeyDialogWritesTheRowItWasOpenedFor() {
        ui_View.createMacroIni("Wave", 0)
        ui_View.saveMacroIni("Wave", ["1,A", "2,A"], 1)
        ui_View.updataNameList(0, ["Wave"])
        scene.find("macroEditor").init()
        openFromKeyMenu(3, "keyMenuEntry11")
        sweepUnderTheMask(3)
        clickOn("macroKeyMode1")
        clickOn("macroKeyOk")
        verify(!shown("macroKeyDialog") && !shown("mask"))
        compare(String(ui_View.getMacroKey(3)), "Wave")
        compare(entry(3), [9, 1, 3, 0])
        compare(Number(ui_View.getMacroKey(-1)), 0, "no macro for button -1")
    }

    function test_theSingleKeyDialogWritesTheRowItWasOpenedFor() {
        openFromKeyMenu(4, "keyMenuEntry10")
        scene.key(Qt.Key_Q)
        sweepUnderTheMask(4)
        clickOn("singleKeyOk")
        compare(entry(4), [0, 0, 0x14, 0])
        compare(scene.find("keyRow4").text, "버튼 할당Q")
    }

    function test_nothingUnderTheResetDialogTakesThePointer() {
        clickOn("resetButton")
        verify(shown("resetDialog"))
        sweepUnderTheMask(-1)
        verify(shown("resetDialog") && shown("mask"))
        clickOn("resetCancel")
        verify(!shown("mask"))
    }

    // Opening any dialog first closes what a press elsewhere would have closed.
    function test_openingADialogEndsTheOpenMenus_data() {
        return [
            { tag: "key menu, reset", menu: "keyMenu", opener: "resetButton", dialog: "resetDialog" },
            { tag: "key menu, macro editor", menu: "keyMenu", opener: "macroManagerBar",
              dialog: "macroEditor" },
            { tag: "help menu, reset", menu: "helpMenu", opener: "resetButton",
              dialog: "resetDialog" }
        ]
    }

    function test_openingADialogEndsTheOpenMenus(data) {
        clickOn(data.menu === "keyMenu" ? "keyRow1" : "helpButton")
        verify(shown(data.menu))
        clickOn(data.opener)
        verify(shown(data.dialog))
        verify(!shown(data.menu), data.menu + " stays open above the dialog")
        compare(selectedButton(), -1)
    }
}
