import QtQuick
import QtTest

// A test case that uses the window as a user does: finds things by name, clicks their middle
// and waits for the window to take input again. (No `when` on the scene: after a restart the
// test case would be run again.)
TestCase {
    // The mouse's buttons as the hooks take them: the WM_ message of the press (the release's
    // is one more) and the mouseData of an X button.
    readonly property var mouseButtons: ({ right: [0x0204, 0], middle: [0x0207, 0],
                                           back: [0x020B, 0x10000], forward: [0x020B, 0x20000] })

    function init() {
        waitForInput()
        virtualInput.clearDelivered()
    }

    // Later test files find the window as a fresh start shows it.
    function cleanupTestCase() {
        restartAndWait()
    }

    // A press (or release) of the mouse's button `name` through the hooks; then both.
    function feedButton(name, up) {
        const button = mouseButtons[name]
        return virtualInput.feedMouse(button[0] + (up ? 1 : 0), 10, 10, button[1])
    }
    function clickButton(name) {
        feedButton(name, false)
        feedButton(name, true)
    }

    // {x, y, width, height} of the item named `name`, in window coordinates: the scene fills
    // the window from its top-left corner.
    function rect(name) {
        const item = scene.find(name)
        verify(item !== null, "no item named " + name)
        return item.mapToItem(null, 0, 0, item.width, item.height)
    }

    // [x, y] of the middle of the item named `name`.
    function center(name) {
        const r = rect(name)
        return [Math.round(r.x + r.width / 2), Math.round(r.y + r.height / 2)]
    }

    function clickOn(name, button) {
        verify(scene.click(...center(name), button ?? Qt.LeftButton), "no click reached " + name)
    }

    // A second click on the same spot, late enough not to make a double click.
    function clickAgainOn(name) {
        wait(Qt.styleHints.mouseDoubleClickInterval)
        clickOn(name)
    }

    function doubleClickOn(name) {
        scene.doubleClick(...center(name))
    }

    function hoverOn(name) {
        scene.move(...center(name))
    }

    function shown(name) {
        return scene.find(name)?.visible === true
    }

    // `describe` of every item named prefix0, prefix1, ... up to the first missing one.
    function rows(prefix, describe) {
        const found = []
        for (let row = scene.find(prefix + "0"); row; row = scene.find(prefix + found.length))
            found.push(describe(row))
        return found
    }

    // Replaces the text of the focused field (with nothing when empty) and confirms it.
    function retype(text) {
        scene.key(Qt.Key_A, Qt.ControlModifier)
        scene.key(Qt.Key_Backspace)
        scene.typeText(text)
        scene.key(Qt.Key_Return)
    }

    // The current profile's entry of button `row`, four numbers, and the text its row shows.
    function entry(row) {
        return ui_View.getKeydefine(row).map(Number)
    }
    function rowText(row) {
        return scene.find("keyRow" + row).text
    }

    // Gives rows of the current profile these entries ({row: four numbers}), the macro rows
    // their macro's name ({row: name}); the other rows of the sixteen keep theirs.
    function setEntries(entries, macros) {
        const all = Array.from({ length: 16 }, (_, row) => entries[row] ?? entry(row))
        const matrix = [].concat(...all)
        for (const row in macros ?? {})
            ui_View.setMacroKey(Number(row), macros[row])
        ui_View.ui_12H_SetKeyMatrix(matrix)
    }

    // Macro files for these macros (name, lines and optionally the repeat count), listed in
    // this order.
    function writeMacros(macros) {
        for (const macro of macros) {
            ui_View.createMacroIni(macro[0], 0)
            ui_View.saveMacroIni(macro[0], macro[1], macro[2] ?? 1)
        }
        ui_View.updataNameList(0, macros.map(macro => macro[0]))
    }

    // Deletes every listed macro and its file.
    function forgetMacros() {
        for (const name of ui_View.getNameList(0))
            ui_View.deleteMacroIni(name)
        ui_View.updataNameList(0, [])
    }

    // A fresh start in "English" or "ChineseSimplified".
    function startIn(language) {
        verify(scene.writeSetting("apConfig.bin", "common/language", language))
        restartAndWait()
    }

    // A fresh start with these macros (as for writeMacros), the macro editor open and, when
    // given, macro `row` selected.
    function openMacroEditorWith(macros, row) {
        writeMacros(macros)
        restartAndWait()
        clickOn("macroManagerBar")
        verify(shown("macroEditor"))
        if (row !== undefined)
            clickOn("macroRow" + row)
    }

    // A fresh start with these profiles listed ("name" + number) and profile `current` in
    // use, the profile page open.
    function openProfilePageWith(profiles, current) {
        ui_View.updataNameList(2, profiles)
        ui_View.setProfile(current)
        restartAndWait()
        clickOn("profileButton")
        verify(shown("profilePage"))
    }

    // Picks `entryName` from the key menu of `row`, opening a submenu first when given.
    function choose(row, entryName, submenuOpener) {
        clickOn("keyRow" + row)
        verify(shown("keyMenu"))
        if (submenuOpener)
            hoverOn(submenuOpener)
        clickOn(entryName)
    }

    // Back to English and the factory profile, no dialog or menu open. The profile goes back
    // before any click: a remapped left button would keep the clicks from the window.
    function tidyUp() {
        if (scene.find("shell").language === 1)
            startIn("English")
        ui_View.resetProfile(Number(ui_View.getProfile()))
        ui_View.activateProfile(Number(ui_View.getProfile()), false)
        for (const name of ["macroKeyCancel", "singleKeyCancel", "resetCancel", "macroEditorClose",
                            "profileClose"]) {
            if (shown(name))
                clickOn(name)
        }
        if (shown("keyMenu") || shown("helpMenu")) {
            scene.move(400, 20)
            scene.click(400, 20)
        }
    }

    // The window shown, started and no longer protected.
    function waitForInput() {
        tryVerify(() => shown("shell") && !shown("busyIndicator") && ui_View.enabled, 5000,
                  "the window does not take input")
    }

    function restartAndWait() {
        scene.restart()
        waitForInput()
    }

    // Key events the engine injected, as "down 0xa2" (0x101: WM_KEYUP); waits until `count`
    // have come.
    function injectedKeys(count) {
        const keys = () => virtualInput.delivered().filter(d => !d.mouse && d.injected).map(
            d => (d.message === 0x101 ? "up 0x" : "down 0x") + d.code.toString(16))
        tryVerify(() => keys().length >= count, 3000, "injected: " + keys())
        return keys()
    }
}
