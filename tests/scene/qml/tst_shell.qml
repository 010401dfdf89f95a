import QtQuick
import QtTest

// The main window's frame as a user meets it: start-up, busy protection, moving the window,
// the reset dialog, the language of the texts.
SceneUser {
    name: "Shell"

    SignalSpy {
        id: frames
        signalName: "afterRendering"
    }

    // The help menu offers the version; a press elsewhere closes it.
    function test_startUpShowsTheWindowWithItsBuiltInTexts() {
        clickOn("helpButton")
        const texts = scene.visibleTexts()
        for (const text of ["버튼 할당", "메크로 메니저", "마우스 속도", "더블클릭 속도", "느리게",
                            "빠르게", "스크롤 속도", "행 수", "한 화면 스크롤", "Config", "Reset",
                            "update", "verison:1.0"])
            verify(texts.indexOf(text) >= 0, text + " missing from " + texts)
        verify(texts.indexOf("LOADING ......") < 0)
        compare([rect("shell").width, rect("shell").height], [1000, 640])
        verify(scene.click(500, 600))
        verify(!shown("helpMenu"))
    }

    function test_protectionShowsTheBusyTextAndBlocksInput_data() {
        return [{ tag: "1000 ms", time: 1000 }, { tag: "0 ms", time: 0 }]
    }

    function test_protectionShowsTheBusyTextAndBlocksInput(data) {
        ui_Ctl.setBusy(data.time)
        verify(shown("busyIndicator") && !ui_View.enabled)
        verify(scene.visibleTexts().indexOf("LOADING ......") >= 0)
        if (data.time > 0) {
            verify(!scene.click(...center("resetButton")))
            verify(!shown("resetDialog"))
        }
        tryVerify(() => ui_View.enabled && !shown("busyIndicator"), data.time + 500)
    }

    // Nothing animates while the window is hidden.
    function test_busyTextStopsPulsingWhileTheWindowIsHidden() {
        ui_Ctl.setBusy(3000)
        tryVerify(function() { return scene.find("busyIndicator").animating }, 1000)
        ui_Ctl.onClose()
        tryVerify(function() { return !scene.find("busyIndicator")?.animating }, 1000)
        restartAndWait()
    }

    // Hidden, the window lets go of its scene; shown again, it shows and draws as before, at
    // once and without the start-up's busy time.
    function test_windowShownAgainDrawsAsBefore() {
        const areas = [[600, 300, 24, 24], [420, 120, 24, 24], [4, 620, 24, 16]]
        const before = areas.map(a => scene.pixels(...a))
        const texts = scene.visibleTexts()
        frames.target = scene.quickWindow()
        frames.clear()
        scene.hideWindow()
        verify(!ui_View.visible)
        // Letting go takes one last frame, drawn unseen.
        tryVerify(function() { return frames.count > 0 }, 5000, "nothing let go")
        frames.clear()
        scene.showWindow()
        tryVerify(function() { return ui_View.visible && frames.count > 0 }, 5000,
                  "nothing drawn after the show")
        compare(areas.map(a => scene.pixels(...a)), before)
        compare(scene.visibleTexts(), texts)
        verify(!shown("busyIndicator") && ui_View.enabled)
    }

    // Dragging an empty part moves the window by the offset; a dragged reset dialog stays
    // inside the window.
    function test_draggingTheWindowAndTheResetDialog() {
        const before = scene.windowPosition()
        verify(scene.press(500, 600))
        scene.move(510, 605)
        // The window followed the pointer, which is back over the press point of the window.
        verify(scene.release(500, 600))
        const after = scene.windowPosition()
        compare([after.x - before.x, after.y - before.y], [10, 5])
        clickOn("resetButton")
        verify(scene.visibleTexts().indexOf("Reset Factroy Setting") >= 0)
        const r = rect("resetDialog")
        const grip = Qt.point(r.x + 40, r.y + 12)
        verify(scene.press(grip.x, grip.y))
        scene.move(grip.x + 20, grip.y + 20)
        scene.move(990, 630)
        verify(scene.release(990, 630))
        const moved = rect("resetDialog")
        compare(moved.x, 1000 - moved.width)
        compare(moved.y, 640 - moved.height)
        clickOn("resetCancel")
        verify(!shown("resetDialog") && !shown("mask"))
    }
}
