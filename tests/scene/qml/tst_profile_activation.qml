import QtQuick
import QtTest

// Applying a profile, as the profile page and the start-up do it, leaves the engine, the
// macro slots, the pointer settings and the profile exactly as recorded for a fixture of ten
// varied profiles (tests/fixtures/profile_switch).
SceneUser {
    name: "ProfileActivation"

    // A Windows file URL has a slash before the drive letter: file:///C:/...
    readonly property string fixture: decodeURIComponent(
        Qt.resolvedUrl("../../fixtures/profile_switch").toString()
            .replace(/^file:\/\/(\/(?=[A-Za-z]:))?/, ""))

    function cleanupTestCase() {
        verify(scene.restartWith())
        waitForInput()
    }

    function test_everyProfileAppliesAsRecorded() {
        ui_View.setProfile(0)
        virtualInput.resetPointerSettings()
        verify(scene.restartWith(fixture + "/modules"))
        waitForInput()
        let records = ["== start, profile 0", scene.activationRecord()]
        clickOn("profileButton")
        const page = scene.find("profilePage")
        for (const n of [1, 2, 3, 4, 5, 6, 7, 8, 9, 0]) {
            page.changeProfile(n)
            page.close()
            records.push("== profile " + n, scene.activationRecord())
        }
        const recorded = records.join("\n") + "\n"
        const expected = scene.readText(fixture + "/activation.golden")
        if (recorded !== expected)
            console.log("ACTIVATION RECORD BEGIN\n" + recorded + "ACTIVATION RECORD END")
        compare(recorded, expected)
    }

    // Rules bring profile 1 with "game"; "chat" has none and brings back the profile chosen
    // by hand, until a profile chosen by hand while "game" is in front stays. The forward
    // button gives the key A in profile 0 and Alt + Right in profile 1: held as "game" comes
    // to the front, it comes up as the A it went down as; the next press is profile 1's.
    function test_focusMovingBetweenProgramsSwitchesProfiles() {
        verify(scene.restartWith())
        waitForInput()
        const rules = ui_View.programRules
        verify(rules.setRule("game", 1))
        setEntries({ 3: [0, 0, 0x04, 0] })
        virtualInput.clearDelivered()
        feedButton("forward", false)
        compare(injectedKeys(1), ["down 0x41"])
        foreground.bringToFront("game")
        compare(Number(ui_View.getProfile()), 1)
        compare(scene.find("shell").profileNo, 1)
        feedButton("forward", true)
        clickButton("forward")
        compare(injectedKeys(6), ["down 0x41", "up 0x41", "down 0x12", "down 0x27", "up 0x12",
                                  "up 0x27"])
        const steps = [["chat", -1, 0], ["game", -1, 1], ["chat", 2, 2], ["game", -1, 1],
                       ["", -1, 2]]
        for (const [program, byHand, profile] of steps) {
            if (byHand >= 0)
                ui_View.activateProfile(byHand, true)
            foreground.bringToFront(program)
            compare(Number(ui_View.getProfile()), profile, program)
        }
        rules.removeRule("game")
    }
}
