import QtQuick
import QtTest

// The program as the scene sees it once the virtual mouse is connected.
TestCase {
    name: "Connection"

    function test_objectsAreRegistered() {
        verify(ui_View !== undefined && ui_View !== null)
        verify(hid !== undefined && hid !== null)
        verify(ui_Ctl !== undefined && ui_Ctl !== null)
    }

    function test_unplugAndReplug() {
        virtualMouse.clearLog()
        virtualMouse.unplug()
        tryVerify(function() { return !ui_View.enabled }, 10000)
        virtualMouse.plug()
        tryVerify(function() { return ui_View.enabled }, 10000)
        compare(virtualMouse.openHandles(), 0)
    }

    function test_unknownFaultName() {
        verify(!virtualMouse.setFault("noSuchFault"))
        verify(virtualMouse.setFault("readFails"))
        virtualMouse.clearFaults()
    }
}
