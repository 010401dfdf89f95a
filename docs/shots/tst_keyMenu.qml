import QtQuick
import QtTest

// Takes docs/key-menu.png, the README's picture: the key menu of the second button with its
// basic commands open.  xvfb-run -a build/asan/bin/z718_scene_tests -input docs/shots
TestCase {
    name: "KeyMenuShot"

    function moveTo(name) {
        const r = scene.rect(name)
        scene.hover(r.x + r.width / 2, r.y + r.height / 2)
        return Qt.point(r.x + r.width / 2, r.y + r.height / 2)
    }

    function test_shot() {
        tryVerify(() => scene.root() && scene.root().visible && !scene.find("busyIndicator").visible
                  && ui_View.enabled, 5000)
        const row = moveTo("keyRow1")
        scene.click(row.x, row.y)
        moveTo("keyMenuEntry8")
        moveTo("keyMenuEntry27")
        wait(300)
        const file = Qt.resolvedUrl("../key-menu.png").toString().replace("file://", "")
        verify(scene.grab(file), file)
    }
}
