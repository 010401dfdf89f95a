import QtQuick
import QtTest

// Macros on the mouse's buttons: loaded into the engine at every start, played without
// leaving a key held.
SceneUser {
    name: "MacroButtons"

    function init() {
        waitForInput()
        virtualInput.clearDelivered()
    }

    function cleanup() {
        tidyUp()
        forgetMacros()
    }

    // Presses and releases an X button: forward (row 3) or back (row 4).
    function pressXButton(forward) {
        const data = forward ? 0x20000 : 0x10000
        virtualInput.feedMouse(0x020B, 10, 10, data)
        virtualInput.feedMouse(0x020C, 10, 10, data)
    }

    // A fresh start names every form of entry and loads the macro of every macro row.
    function test_freshStartNamesEveryEntryAndLoadsEveryMacro() {
        writeMacros([["Wave", ["1,W", "0,20", "2,W"]], ["Tap", ["1,T", "2,T"]]])
        setEntries({ 3: [9, 0, 3, 0], 4: [9, 0, 4, 0], 5: [0, 0, 0x2C, 0], 6: [0, 0, 0, 5],
                     7: [0, 0, 0, 0] }, { 3: "Wave", 4: "Tap" })
        restartAndWait()

        compare([3, 4, 5, 6, 7].map(rowText),
                ["Macro: Wave", "Macro: Tap", "버튼 할당Space", "", "비활성화"])
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
        writeMacros([["Long", lines], ["Held", ["1,H", "0,20", "2,H"]]])
        setEntries({ 3: [9, 0, 3, 0], 4: [9, 2, 4, 0] }, { 3: "Long", 4: "Held" })
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
        setEntries({ 3: [0, 0xE0, 0x06, 0] })
        virtualInput.feedMouse(0x020B, 10, 10, 0x20000)
        compare(injectedKeys(2), ["down 0xa2", "down 0x43"])
        virtualMouse.unplug()
        tryVerify(() => !ui_View.enabled, 10000)
        compare(injectedKeys(4).slice(2).sort(), ["up 0x43", "up 0xa2"])
        virtualInput.feedMouse(0x020C, 10, 10, 0x20000)
        virtualMouse.plug()
        tryVerify(() => ui_View.enabled, 10000)
        compare(virtualMouse.openHandles(), 0)
        scene.showWindow()  // where a tray holds the icon, only the tray brings the window back
        waitForInput()
    }
}
