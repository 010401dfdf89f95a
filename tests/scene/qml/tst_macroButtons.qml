import QtQuick
import QtTest

// Macros on the mouse's buttons: assigned in the window, loaded into the engine at once and
// again at every start. Each test starts from the factory profile.
SceneUser {
    name: "MacroButtons"

    readonly property int wmKeyUp: 0x101

    function hoverOn(name) {
        const p = center(name)
        scene.hover(p.x, p.y)
    }

    function rowText(row) {
        return scene.find("keyRow" + row).text
    }

    function entry(row) {
        return ui_View.getKeydefine(row).map(Number)
    }

    function init() {
        waitForInput()
        virtualInput.clearDelivered()
    }

    // The next test starts from the factory profile, with no dialog or menu in its way. The
    // profile goes back first: a remapped left button would keep the clicks from the window.
    function cleanup() {
        ui_View.resetProfile(Number(ui_View.getProfile()))
        ui_View.activateProfile(Number(ui_View.getProfile()), false)
        for (const name of ["macroKeyCancel", "singleKeyCancel", "resetCancel"]) {
            if (shown(name))
                clickOn(name)
        }
        if (shown("keyMenu")) {
            scene.hover(400, 20)
            scene.click(400, 20)
        }
    }

    // Presses and releases an X button: forward (row 3) or back (row 4).
    function pressXButton(forward) {
        const data = forward ? 0x20000 : 0x10000
        virtualInput.feedMouse(0x020B, 10, 10, data)
        virtualInput.feedMouse(0x020C, 10, 10, data)
    }

    function choose(row, entryName, submenuOpener) {
        clickOn("keyRow" + row)
        verify(shown("keyMenu"))
        if (submenuOpener)
            hoverOn(submenuOpener)
        clickOn(entryName)
    }

    // Key events the engine injected, as "down 0xa2"; waits until `count` have come.
    function injectedKeys(count) {
        const keys = () => virtualInput.delivered().filter(d => !d.mouse && d.injected).map(
            d => (d.message === wmKeyUp ? "up 0x" : "down 0x") + d.code.toString(16))
        tryVerify(() => keys().length >= count, 3000, "injected: " + keys())
        return keys()
    }

    function test_macroKeyDialogAssignsMacroAndRepeatMode() {
        ui_View.createMacroIni("Hello", 0)
        ui_View.saveMacroIni("Hello", ["1,H", "2,H"], 1)
        ui_View.updataNameList(0, ["Hello", "listpadguard"])
        restartAndWait()

        choose(3, "keyMenuEntry11")
        verify(shown("macroKeyDialog") && shown("mask"))
        clickOn("macroKeyMode2")  // the only name is chosen already
        clickOn("macroKeyOk")
        verify(!shown("macroKeyDialog") && !shown("mask"))
        compare(entry(3), [9, 2, 3, 0])
        compare(String(ui_View.getMacroKey(3)), "Hello")
        compare(rowText(3), "Macro: Hello")

        pressXButton(true)
        compare(injectedKeys(2).slice(0, 2), ["down 0x48", "up 0x48"])

        choose(3, "keyMenuEntry11")
        verify(scene.find("macroKeyMode2").checked, "the repeat mode stays as it was")
        clickOn("macroKeyCancel")
        compare(entry(3), [9, 2, 3, 0])
    }

    function test_freshStartLoadsTheMacroOfEveryMacroRow() {
        ui_View.createMacroIni("Wave", 0)
        ui_View.saveMacroIni("Wave", ["1,W", "0,20", "2,W"], 1)
        ui_View.createMacroIni("Tap", 1)
        ui_View.saveMacroIni("Tap", ["1,T", "2,T"], 1)
        ui_View.setMacroKey(3, "Wave")
        ui_View.setMacroKey(4, "Tap")
        let matrix = []
        for (let row = 0; row < 16; ++row)
            matrix = matrix.concat(entry(row))
        matrix.splice(12, 8, 9, 0, 3, 0, 9, 0, 4, 0)
        ui_View.ui_12H_SetKeyMatrix(matrix)
        restartAndWait()

        compare(rowText(3), "Macro: Wave")
        compare(rowText(4), "Macro: Tap")
        virtualInput.clearDelivered()
        pressXButton(true)
        compare(injectedKeys(2), ["down 0x57", "up 0x57"])
        virtualInput.clearDelivered()
        pressXButton(false)
        compare(injectedKeys(2), ["down 0x54", "up 0x54"])
    }
}
