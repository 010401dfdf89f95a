import QtQuick
import QtTest

// The profile page as a user works it, from the profiles the name file lists at start-up. The
// list's rules have unit tests of their own: here each control shows it reaches them.
SceneUser {
    name: "ProfilePage"

    function shownRows() {
        return rows("profileRow", row => row.profileName + row.profileNo)
    }
    function profile() {
        return Number(ui_View.getProfile())
    }
    function cleanup() {
        ui_View.updataNameList(2, ["Standard0"])
        ui_View.ui_02H_SetCurrentProfile(0)
    }

    // Each change shows in the rows and in the name file; a chosen row is the profile in use.
    function test_everyControlChangesTheListedProfiles() {
        openProfilePageWith(["Mine0", "FPS1"], 1)
        // Every start names the first profile "Standard" and writes the list back.
        compare(shownRows(), ["Standard0", "FPS1"])
        compare(ui_View.getNameList(2), ["Standard0", "FPS1"])
        compare(scene.find("profileList").currentIndex, 1)

        clickOn("profileRow1", Qt.RightButton)
        clickOn("profileMenuItem1")
        verify(scene.find("profileRow1").nameField.editing)
        scene.typeText("Standard")
        scene.key(Qt.Key_Return)
        compare(shownRows(), ["Standard0", "FPS1"])
        doubleClickOn("profileRow1")
        scene.typeText("Race")
        // A press elsewhere on the page ends the edit.
        clickOn("profileRow0")
        compare(shownRows(), ["Standard0", "Race1"])
        compare(profile(), 0)

        clickOn("profileRow1", Qt.RightButton)
        clickOn("profileMenuItem2")
        compare(shownRows(), ["Standard0", "Race1", "Race(0)2"])
        clickOn("profileNew")
        compare(shownRows(), ["Standard0", "Race1", "Race(0)2", "profile_03"])
        compare(scene.find("profileList").currentIndex, 3)
        compare(profile(), 3)
        clickOn("profileRow0")
        clickOn("profileDelete")
        compare(ui_View.getNameList(2), ["Race1", "Race(0)2", "profile_03"])
        compare(profile(), 1)
        clickOn("profileRow1")
        compare(profile(), 2)
        clickOn("profileClose")
        verify(!shown("profilePage") && !shown("mask"))
    }

    // The menu's last entry lists the programs with a window and those the profile has; a
    // click ticks one (its rule made) or unticks it, a typed name is added; the row shows them.
    function test_programsPickedForAProfileBringIt() {
        foreground.setPrograms(["chat", "game"])
        openProfilePageWith(["Standard0", "FPS1"], 0)
        clickOn("profileRow1", Qt.RightButton)
        clickOn("profileMenuItem5")
        verify(shown("programPicker"))
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
        verify(!shown("programPicker"))
        for (const program of ["game", "editor"])
            ui_View.programRules.removeRule(program)
    }
}
