import QtQuick
import QtTest

// The main window as a user meets it: start-up, busy protection, window buttons, reset.
TestCase {
    name: "Shell"
    when: scene.root() !== null && scene.root().visible

    function center(name) {
        const r = scene.rect(name)
        return Qt.point(r.x + r.width / 2, r.y + r.height / 2)
    }

    function clickOn(name) {
        const p = center(name)
        verify(scene.click(p.x, p.y), "no click reached " + name)
    }

    function waitUnprotected() {
        tryVerify(function() { return !scene.find("busyIndicator").visible && ui_View.enabled },
                  5000)
    }

    function init() {
        waitUnprotected()
    }

    function test_startUpShowsTheWindowWithItsPanels() {
        const texts = scene.visibleTexts()
        for (const text of ["버튼 할당", "메크로 메니저", "마우스 속도", "스크롤 속도", "Reset"])
            verify(texts.indexOf(text) >= 0, text + " missing from " + texts)
        compare(scene.rect("shell").width, 1000)
        compare(scene.rect("shell").height, 640)
    }

    function test_resetDialogOpensAndCancels() {
        clickOn("resetButton")
        verify(scene.find("resetDialog").visible)
        verify(scene.find("mask").visible)
        verify(scene.visibleTexts().indexOf("Reset Factroy Setting") >= 0)
        clickOn("resetCancel")
        verify(!scene.find("resetDialog").visible)
        verify(!scene.find("mask").visible)
    }
}
