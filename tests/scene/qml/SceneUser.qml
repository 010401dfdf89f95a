import QtQuick
import QtTest

// A test case that uses the window as a user does: finds things by name, clicks their middle
// and waits for the window to take input again. (No `when` on the scene: after a restart the
// test case would be run again.)
TestCase {
    readonly property int wmKeyUp: 0x101

    function center(name) {
        const r = scene.rect(name)
        verify(r !== undefined, "no item named " + name)
        return Qt.point(Math.round(r.x + r.width / 2), Math.round(r.y + r.height / 2))
    }

    function clickOn(name) {
        const p = center(name)
        verify(scene.click(p.x, p.y), "no click reached " + name)
    }

    // A second click on the same spot, late enough not to make a double click.
    function clickAgainOn(name) {
        wait(Qt.styleHints.mouseDoubleClickInterval)
        clickOn(name)
    }

    function rightClickOn(name) {
        const p = center(name)
        verify(scene.rightClick(p.x, p.y), "no right click reached " + name)
    }

    function doubleClickOn(name) {
        const p = center(name)
        scene.doubleClick(p.x, p.y)
    }

    function hoverOn(name) {
        const p = center(name)
        scene.hover(p.x, p.y)
    }

    function shown(name) {
        const item = scene.find(name)
        return item !== null && item.visible
    }

    // `describe` of every item named prefix0, prefix1, ... up to the first missing one.
    function rows(prefix, describe) {
        const found = []
        for (let row = scene.find(prefix + "0"); row; row = scene.find(prefix + found.length))
            found.push(describe(row))
        return found
    }

    // Replaces the text of the focused field and confirms it.
    function retype(text) {
        scene.key(Qt.Key_A, Qt.ControlModifier)
        scene.typeText(text)
        scene.key(Qt.Key_Return)
    }

    // The current profile's sixteen key entries, four numbers each, in one list.
    function keyMatrix() {
        let values = []
        for (let row = 0; row < 16; ++row)
            values = values.concat(ui_View.getKeydefine(row).map(Number))
        return values
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

    // Key events the engine injected, as "down 0xa2"; waits until `count` have come.
    function injectedKeys(count) {
        const keys = () => virtualInput.delivered().filter(d => !d.mouse && d.injected).map(
            d => (d.message === wmKeyUp ? "up 0x" : "down 0x") + d.code.toString(16))
        tryVerify(() => keys().length >= count, 3000, "injected: " + keys())
        return keys()
    }
}
