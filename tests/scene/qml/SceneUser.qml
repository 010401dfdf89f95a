import QtQuick
import QtTest

// A test case that uses the window as a user does: finds things by name, clicks their middle
// and waits for the window to take input again.
TestCase {
    when: scene.root() !== null && scene.root().visible

    function center(name) {
        const r = scene.rect(name)
        verify(r !== undefined, "no item named " + name)
        return Qt.point(Math.round(r.x + r.width / 2), Math.round(r.y + r.height / 2))
    }

    function clickOn(name) {
        const p = center(name)
        verify(scene.click(p.x, p.y), "no click reached " + name)
    }

    function shown(name) {
        const item = scene.find(name)
        return item !== null && item.visible
    }

    function waitForInput() {
        tryVerify(function() { return !shown("busyIndicator") && ui_View.enabled }, 5000,
                  "the window stays protected")
    }

    function restartAndWait() {
        scene.restart()
        tryVerify(function() { return scene.root() !== null && scene.root().visible }, 5000)
        waitForInput()
    }
}
