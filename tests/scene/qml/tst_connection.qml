import QtQuick
import QtTest

// The program as the scene sees it once the virtual mouse is connected.
TestCase {
    name: "Connection"

    function test_unplugAndReplug() {
        virtualMouse.unplug()
        tryVerify(function() { return !ui_View.enabled }, 10000)
        virtualMouse.plug()
        tryVerify(function() { return ui_View.enabled }, 10000)
        compare(virtualMouse.openHandles(), 0)
    }
}
