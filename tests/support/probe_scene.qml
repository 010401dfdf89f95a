import QtQuick

// Probe scene for the window and hook tests: notes which scene functions the program called
// (`calls`) and the hooks' last reports (`lastKey`, `lastMouse`).
Rectangle {
    id: root
    width: 1000
    height: 640
    color: "#2b2c30"
    radius: 8

    property bool connected: false
    property string lastKey: "-"
    property string lastMouse: "-"
    property int busyTime: 0
    property var calls: []  // names of the functions the program called, oldest first

    function note(name) { root.calls = root.calls.concat([name]) }
    function initUI() { note("initUI"); root.connected = true; status.text = "Device connected" }
    function run() { note("run"); runState.text = "Running" }
    function setProtectUI(busy) { note("setProtectUI"); root.busyTime = busy }
    function detectKeyboard(released, usage) {
        root.lastKey = "usage " + usage + (released ? " up" : " down")
    }
    function detectMouse(pressed, code, x, y) {
        root.lastMouse = "0x" + code.toString(16) + (pressed ? " down" : " up") + " at " + x + "," + y
    }

    MouseArea {
        anchors.fill: parent
        property point pressPoint
        onPressed: function(mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
        onPositionChanged: function(mouse) {
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 12
        Text { text: "KESTRAN SOLUX MOUSE Z718"; color: "white"; font.pixelSize: 32 }
        Text { id: status; text: "Waiting for the mouse"; color: "#9fd3ff"; font.pixelSize: 20 }
        Text { id: runState; text: ""; color: "#9fd3ff"; font.pixelSize: 16 }
        Text { text: "Last key: " + root.lastKey; color: "#dddddd"; font.pixelSize: 16 }
        Text { text: "Last button: " + root.lastMouse; color: "#dddddd"; font.pixelSize: 16 }
    }
}
