import QtQuick
import QtTest

// The pointer-speed and scroll panels change the system's settings as a user works them.
SceneUser {
    name: "PointerPanels"

    // Where the knob's middle is, in steps along its track.
    function knobStep(slider) {
        const track = rect(slider)
        const knob = rect(slider + "Knob")
        return (knob.x + knob.width / 2 - track.x) / 25
    }

    function clickTrackAt(slider, x) {
        const track = rect(slider)
        verify(scene.click(track.x + x, track.y + track.height / 2))
    }

    // A click on a track sets the step under the pointer at once; a dragged knob shows its
    // step at once and applies it on release.
    function test_aTrackClickOrADragSetsTheStep() {
        // Slider, where on its track, the step, and for the cursor speed the system's speed.
        for (const [slider, x, step, speed] of [["cursorSpeedSlider", 210, 8, 16],
                                                ["cursorSpeedSlider", 130, 5, 10],
                                                ["doubleClickSlider", 5, 0],
                                                ["doubleClickSlider", 255, 10]]) {
            clickTrackAt(slider, x)
            compare(knobStep(slider), step)
            compare(scene.find(slider).value, step)
            if (speed)
                compare(virtualInput.mouseSpeed(), speed)
        }
        const [x, y] = center("cursorSpeedSliderKnob")
        verify(scene.press(x, y))
        scene.move(x + 30, y)
        scene.move(x + 55, y)
        compare(knobStep("cursorSpeedSlider"), 7)
        compare(virtualInput.mouseSpeed(), 10)
        verify(scene.release(x + 55, y))
        compare(virtualInput.mouseSpeed(), 14)
    }

    // A stored step above ten shows at ten; a reset sends the defaults to the system.
    function test_aStoredStepShowsAtMostTenAndResetSendsTheDefaults() {
        ui_View.setCursorSpeed(12)
        restartAndWait()
        compare(knobStep("cursorSpeedSlider"), 10)
        clickTrackAt("cursorSpeedSlider", 210)
        compare(virtualInput.mouseSpeed(), 16)
        clickOn("screenOption")
        clickOn("resetButton")
        clickOn("resetOk")
        verify(!shown("resetDialog"))
        compare(virtualInput.mouseSpeed(), 10)
        compare(knobStep("cursorSpeedSlider"), 5)
        compare(virtualInput.wheelScrollLines(), 2)
        verify(scene.find("linesOption").checked)
        compare(scene.find("linesField").text, "2")
    }

    function test_oneScreenPerNotchKeepsTheLinesText() {
        const lines = virtualInput.wheelScrollLines()
        clickOn("linesUp")
        clickOn("linesUp")
        compare(scene.find("linesField").text, "4")
        compare(virtualInput.wheelScrollLines(), lines)  // the arrows only change the field
        clickOn("screenOption")
        verify(scene.find("screenOption").checked && !scene.find("linesOption").checked)
        compare(scene.find("linesField").text, "4")
        verify(virtualInput.wheelScrollLines() !== 4)
        restartAndWait()
        verify(scene.find("screenOption").checked)
        clickOn("linesOption")
        compare(virtualInput.wheelScrollLines(), 1)
    }

    function test_zeroTypedInTheLinesFieldBecomesOne() {
        clickOn("linesField")
        verify(scene.find("linesField").activeFocus)
        scene.key(Qt.Key_A, Qt.ControlModifier)
        scene.typeText("0")
        compare(scene.find("linesField").text, "0")
        verify(scene.click(500, 600))  // elsewhere: the edit ends
        verify(!scene.find("linesField").activeFocus)
        compare(scene.find("linesField").text, "1")
        compare(virtualInput.wheelScrollLines(), 1)
    }

    function test_collapseIgnoresClicksWhileMoving() {
        const full = rect("scrollPanel").height
        clickOn("scrollPanelTitle")
        clickOn("scrollPanelTitle")
        tryVerify(function() { return rect("scrollPanel").height === 18 }, 1000)
        verify(scene.visibleTexts().indexOf("한 화면 스크롤") < 0)
        clickOn("scrollPanelTitle")
        tryVerify(function() { return rect("scrollPanel").height === full }, 1000)
        verify(scene.visibleTexts().indexOf("한 화면 스크롤") >= 0)
    }
}
