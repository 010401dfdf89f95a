import QtQuick
import QtTest

// Applying a profile, as the profile page and the start-up do it, leaves the engine, the
// macro slots, the pointer settings and the profile exactly as recorded for a fixture of ten
// varied profiles (tests/fixtures/profile_switch).
TestCase {
    name: "ProfileActivation"

    readonly property string fixture: decodeURIComponent(
        Qt.resolvedUrl("../../fixtures/profile_switch").toString().replace("file://", ""))

    function waitUntilReady() {
        tryVerify(() => scene.root() && scene.root().visible && !scene.find("busyIndicator").visible
                        && ui_View.enabled, 5000)
    }

    function cleanupTestCase() {
        verify(scene.restartWith(scene.shippedModules()))
        waitUntilReady()
    }

    function test_everyProfileAppliesAsRecorded() {
        ui_View.setProfile(0)
        virtualInput.resetPointerSettings()
        verify(scene.restartWith(fixture + "/modules"))
        waitUntilReady()
        let records = ["== start, profile 0", scene.activationRecord(virtualMouse.log())]
        const page = scene.find("profilePage")
        for (const n of [1, 2, 3, 4, 5, 6, 7, 8, 9, 0]) {
            virtualMouse.clearLog()
            page.changeProfile(n)
            page.close()
            records.push("== profile " + n, scene.activationRecord(virtualMouse.log()))
        }
        const recorded = records.join("\n") + "\n"
        const expected = scene.readText(fixture + "/activation.golden")
        if (recorded !== expected)
            console.log("ACTIVATION RECORD BEGIN\n" + recorded + "ACTIVATION RECORD END")
        compare(recorded, expected)
    }
}
