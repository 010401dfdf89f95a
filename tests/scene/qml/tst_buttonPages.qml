import QtQuick
import QtTest

// Giving the mouse's buttons their functions in the window, as a user does, and what then
// reaches the profile and the engine.
ButtonPageUser {
    name: "ButtonPages"

    function test_copyFromBasicCommandsReachesProfileAndEngine() {
        clickOn("keyRow1")
        verify(shown("buttonHighlight1"))
        hoverOn("keyMenuEntry8")
        verify(shown("keyMenuBasic"))
        hoverOn("keyMenuEntry7")
        verify(shown("keyMenuMedia") && !shown("keyMenuBasic"))
        hoverOn("keyMenuEntry0")
        verify(!shown("keyMenuMedia"))
        hoverOn("keyMenuEntry8")
        clickOn("keyMenuEntry27")
        verify(!shown("keyMenu"))
        verify(!shown("buttonHighlight1"))
        compare(rowText(1), "복사")
        compare(entry(1), [0, 0, 0xE0, 0x06])

        virtualInput.feedMouse(0x0204, 10, 10)
        virtualInput.feedMouse(0x0205, 10, 10)
        compare(injectedKeys(4), ["down 0xa2", "down 0x43", "up 0xa2", "up 0x43"])
    }

    function test_menuShowsOnlyOfferedEntries() {
        clickOn("keyRow7")
        compare(scene.rect("keyMenu").y, 278)
        verify(!shown("keyMenuEntry6") && !shown("keyMenuEntry12"), "DPI and gun stay hidden")
        const texts = scene.visibleTexts()
        for (const label of ["Left Button", "Forward", "Back", "바탕화면 보기", "Fire key",
                             "키보드 키 할당", "메크로", "비활성화"])
            verify(texts.indexOf(label) >= 0, label + " missing from " + texts)
        clickOn("keyMenuEntry13")
        compare(rowText(7), "비활성화")
        compare(entry(7), [0, 0, 0, 0])
    }

    function test_theOnlyLeftButtonKeepsTheLeftClick() {
        choose(0, "keyMenuEntry1")
        compare(rowText(0), "Left Button")
        compare(entry(0), [1, 0, 0xF0, 0])
        choose(2, "keyMenuEntry0")
        choose(0, "keyMenuEntry1")
        compare(rowText(0), "Right Button")
        compare(rowText(2), "Left Button")
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
        clickOn("singleKeyOk")
        compare(rowText(4), "버튼 할당Q")
        compare(entry(4), [0, 0, 0x14, 0])
    }

    function test_hoverAndHotSpotsFollowTheButtons() {
        hoverOn("keyRow3")
        verify(shown("buttonHighlight3"), "the forward button shows on the side view")
        verify(scene.find("sideViewChoice").checked)
        hoverOn("background")
        verify(!shown("buttonHighlight3"))
        clickOn("frontViewChoice")
        hoverOn("buttonSpot2")
        verify(shown("buttonHighlight2"))
        clickOn("buttonSpot2")
        compare(scene.rect("keyMenu").y, 135)
        clickOn("keyMenuEntry43")
        compare(rowText(2), "Back")
    }

    // A fresh start shows every form of entry by its name.
    function test_freshStartNamesEveryEntry() {
        ui_View.setMacroKey(3, "Wave")
        const matrix = keyMatrix()
        const rows = { 3: [9, 0, 3, 0], 5: [0, 0, 0x2C, 0], 6: [0, 0, 0, 5], 7: [0, 0, 0, 0] }
        for (const row in rows)
            matrix.splice(4 * row, 4, ...rows[row])
        ui_View.ui_12H_SetKeyMatrix(matrix)
        restartAndWait()

        compare(rowText(3), "Macro: Wave")
        compare(rowText(5), "버튼 할당Space")
        compare(rowText(6), "")
        compare(rowText(7), "비활성화")
    }

    function test_chineseTextsNameEntriesFromTheChineseColumn() {
        scene.writeSetting("apConfig.bin", "common/language", "ChineseSimplified")
        restartAndWait()
        compare(rowText(0), "左键")
        compare(rowText(5), "显示桌面")
        verify(scene.visibleTexts().indexOf("按键 1") >= 0)
        choose(1, "keyMenuEntry27", "keyMenuEntry8")
        compare(rowText(1), "复制")
    }

    // Deleted in the macro editor, the macro leaves its buttons with their defaults.
    function test_deletedMacroGivesRowsTheirDefaults() {
        ui_View.createMacroIni("Gone", 0)
        ui_View.updataNameList(0, ["Gone", "listpadguard"])
        const matrix = keyMatrix()
        for (const row of [2, 5]) {
            ui_View.setMacroKey(row, "Gone")
            matrix.splice(4 * row, 4, 9, 0, row, 0)
        }
        ui_View.ui_12H_SetKeyMatrix(matrix)
        restartAndWait()
        compare(rowText(2), "Macro: Gone")
        clickOn("macroManagerBar")
        clickOn("macroRow0")
        clickOn("macroDeleteButton")
        compare(entry(2), [1, 0, 0xF2, 0])
        compare(entry(5), [0, 0, 0xE3, 0x07])
        compare(rowText(5), "바탕화면 보기")
    }
}
