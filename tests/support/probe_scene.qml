import QtQuick

// Probe scene for the window and hook tests: notes which scene functions the program called
// (`calls`) and the hooks' last reports (`lastKey`, `lastMouse`).
Rectangle {
    id: root
    width: 1000
    height: 640

    property string lastKey: "-"
    property string lastMouse: "-"
    property int busyTime: 0
    property var calls: []  // names of the functions the program called, oldest first

    function note(name) { root.calls = root.calls.concat([name]) }
    function initUI() { note("initUI") }
    function run() { note("run") }
    function setProtectUI(busy) { note("setProtectUI"); root.busyTime = busy }
    function detectKeyboard(released, usage) {
        root.lastKey = "usage " + usage + (released ? " up" : " down")
    }
    function detectMouse(pressed, code, x, y) {
        root.lastMouse = "0x" + code.toString(16) + (pressed ? " down" : " up") + " at " + x + "," + y
    }
}
