import QtQuick
import QtTest

// A test case that uses the window as a user does: finds things by name, clicks their middle
// and waits for the window to take input again. (No `when` on the scene: after a restart the
// test case would be run again.)
TestCase {

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

    // The window shown, started and no longer protected.
    function waitForInput() {
        tryVerify(function() {
            return scene.root() !== null && scene.root().visible && !shown("busyIndicator")
                && ui_View.enabled
        }, 5000, "the window does not take input")
    }

    function restartAndWait() {
        scene.restart()
        waitForInput()
    }
}
