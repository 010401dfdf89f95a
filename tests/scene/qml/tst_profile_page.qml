import QtQuick
import QtTest

// The profile page as a user works it, from the profiles the name file lists at start-up.
SceneUser {
    name: "ProfilePage"

    function shownRows() {
        return rows("profileRow", row => row.profileName + row.profileNo)
    }
    // Starts the program afresh with these profiles and profile `current` in use, and opens
    // the page.
    function startWith(profiles, current) {
        ui_View.updataNameList(2, profiles)
        ui_View.setProfile(current)
        restartAndWait()
        clickOn("profileButton")
        verify(scene.find("profilePage").visible)
    }
    function cleanup() {
        ui_View.updataNameList(2, ["Standard0"])
        ui_View.ui_02H_SetCurrentProfile(0)
    }

    // Later tests find the window as a fresh start shows it.
    function cleanupTestCase() {
        restartAndWait()
    }

    function test_startShowsTheListedProfilesAndSelectsTheCurrentOne() {
        startWith(["Mine0", "FPS1"], 1)
        // Every start names the first profile "Standard" and writes the list back.
        compare(shownRows(), ["Standard0", "FPS1"])
        compare(ui_View.getNameList(2), ["Standard0", "FPS1"])
        compare(scene.find("profileList").currentIndex, 1)
    }

    function test_choosingAProfileMakesItCurrentWhenThePageCloses() {
        startWith(["Standard0", "FPS1"], 0)
        clickOn("profileRow1")
        compare(Number(ui_View.getProfile()), 1)
        clickOn("profileClose")
        verify(!scene.find("profilePage").visible)
        verify(!scene.find("mask").visible)
    }

    function test_copyNumbersPastExistingCopies() {
        startWith(["Standard0", "FPS1", "FPS(0)2"], 1)
        rightClickOn("profileRow1")
        verify(scene.find("profileMenu").visible)
        clickOn("profileMenuItem2")
        compare(shownRows(), ["Standard0", "FPS1", "FPS(0)2", "FPS(1)3"])
        compare(ui_View.getNameList(2), ["Standard0", "FPS1", "FPS(0)2", "FPS(1)3"])
    }

    function test_newTakesTheFirstFreeNameAndNumber() {
        startWith(["Standard0", "profile_03"], 0)
        clickOn("profileNew")
        compare(shownRows(), ["Standard0", "profile_03", "profile_11"])
        compare(scene.find("profileList").currentIndex, 2)
        compare(Number(ui_View.getProfile()), 1)
    }

    function test_deleteRemovesTheSelectedProfile() {
        startWith(["Standard0", "FPS1"], 0)
        clickOn("profileDelete")
        compare(shownRows(), ["FPS1"])
        compare(ui_View.getNameList(2), ["FPS1", "listpadguard"])
        compare(Number(ui_View.getProfile()), 1)
    }

    function test_renameInPlaceRefusesANameInUse() {
        startWith(["Standard0", "FPS1"], 0)
        rightClickOn("profileRow1")
        clickOn("profileMenuItem1")
        scene.typeText("Standard")
        scene.key(Qt.Key_Return)
        compare(shownRows(), ["Standard0", "FPS1"])
        doubleClickOn("profileRow1")
        scene.typeText("Race")
        // A press elsewhere on the page ends the edit.
        clickOn("profileRow0")
        compare(shownRows(), ["Standard0", "Race1"])
        compare(ui_View.getNameList(2), ["Standard0", "Race1"])
    }

    // The menu's last entry lists the programs with a window and those the profile has; a
    // click ticks one (its rule made) or unticks it, a typed name is added; the row shows them.
    function test_programsPickedForAProfileBringIt() {
        foreground.setPrograms(["chat", "game"])
        startWith(["Standard0", "FPS1"], 0)
        rightClickOn("profileRow1")
        clickOn("profileMenuItem5")
        verify(scene.find("programPicker").visible)
        compare(rows("programRow", row => row.modelData), ["chat", "game"])
        clickOn("programRow1")
        clickOn("programRow0")
        clickOn("programName")
        scene.typeText("editor")
        clickOn("programAdd")
        clickOn("programRow0")
        compare(ui_View.programRules.programsOf(1), ["game", "editor"])
        compare(scene.find("profilePrograms1").text, "game, editor")
        clickOn("programPickerOk")
        verify(!scene.find("programPicker").visible)
        for (const program of ["game", "editor"])
            ui_View.programRules.removeRule(program)
    }
}
