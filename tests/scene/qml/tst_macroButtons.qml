import QtQuick
import QtTest

// Macros on the mouse's buttons: assigned in the window, loaded into the engine at once and
// again at every start.
ButtonPageUser {
    name: "MacroButtons"

    // Presses and releases an X button: forward (row 3) or back (row 4).
    function pressXButton(forward) {
        const data = forward ? 0x20000 : 0x10000
        virtualInput.feedMouse(0x020B, 10, 10, data)
        virtualInput.feedMouse(0x020C, 10, 10, data)
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
        const matrix = keyMatrix()
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

    // Nothing the engine presses stays held: a macro longer than a button plays ends with the
    // releases of what it pressed; a while-held macro released while another plays ends once
    // it has its turn, so the next press plays; a Windows key tapped within a tick comes up
    // after its replayed press.
    function test_nothingTheEnginePressesStaysHeld() {
        const lines = ["1,L Ctrl"]
        for (let i = 0; i < 110; ++i)
            lines.push("1,A", "2,A")
        lines.push("2,L Ctrl")
        ui_View.createMacroIni("Long", 0)
        ui_View.saveMacroIni("Long", lines, 1)
        ui_View.createMacroIni("Held", 1)
        ui_View.saveMacroIni("Held", ["1,H", "0,20", "2,H"], 1)
        ui_View.setMacroKey(3, "Long")
        ui_View.setMacroKey(4, "Held")
        const matrix = keyMatrix()
        matrix.splice(12, 8, 9, 0, 3, 0, 9, 2, 4, 0)
        ui_View.ui_12H_SetKeyMatrix(matrix)
        restartAndWait()
        virtualInput.clearDelivered()

        pressXButton(true)
        pressXButton(false)
        let keys = injectedKeys(1)
        tryVerify(() => (keys = injectedKeys(1)).includes("up 0x48"), 30000, "played: " + keys)
        const ctrlUp = keys.indexOf("up 0xa2")
        verify(ctrlUp > 0 && ctrlUp < keys.indexOf("down 0x48"), keys)
        const count = what => keys.slice(0, ctrlUp).filter(k => k === what).length
        compare(count("down 0x41"), count("up 0x41"))
        // Pressed and held: it plays once the macro before it has ended.
        virtualInput.feedMouse(0x020B, 10, 10, 0x20000)
        tryVerify(() => (keys = injectedKeys(1)).filter(k => k === "up 0xa2").length === 2,
                  30000, "played: " + keys)
        virtualInput.feedMouse(0x020C, 10, 10, 0x20000)
        compare(keys.filter(k => k === "down 0x48").length, 1)

        virtualInput.clearDelivered()
        verify(!virtualInput.feedKey(0x5B, 0x5B, false, 500))
        verify(!virtualInput.feedKey(0x5B, 0x5B, true, 505))
        compare(injectedKeys(2), ["down 0x5b", "up 0x5b"])
    }

    // The mouse taken away while a button remapped to keys is held: the keys the engine
    // pressed are let go at once, although the real release never reaches it.
    function test_unplugWhileHeldLetsGoOfWhatTheEnginePressed() {
        let matrix = []
        for (let row = 0; row < 16; ++row)
            matrix = matrix.concat(entry(row))
        matrix.splice(12, 4, 0, 0xE0, 0x06, 0)
        ui_View.ui_12H_SetKeyMatrix(matrix)
        virtualInput.feedMouse(0x020B, 10, 10, 0x20000)
        compare(injectedKeys(2), ["down 0xa2", "down 0x43"])
        virtualMouse.unplug()
        tryVerify(() => !ui_View.enabled, 10000)
        compare(injectedKeys(4).slice(2).sort(), ["up 0x43", "up 0xa2"])
        virtualInput.feedMouse(0x020C, 10, 10, 0x20000)
        virtualMouse.plug()
        tryVerify(() => ui_View.enabled, 10000)
        compare(virtualMouse.openHandles(), 0)
        waitForInput()
    }
}
