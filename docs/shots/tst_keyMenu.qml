import QtQuick
import QtTest

// Takes docs/main-window.png and docs/key-menu.png, the README's pictures: the window as it
// starts, and the key menu of the second button with its basic commands open.
//   xvfb-run -a build/asan/bin/z718_scene_tests -input docs/shots
TestCase {
    name: "KeyMenuShot"

    function moveTo(name) {
        const r = scene.rect(name)
        scene.hover(r.x + r.width / 2, r.y + r.height / 2)
        return Qt.point(r.x + r.width / 2, r.y + r.height / 2)
    }

    function save(file) {
        const path = Qt.resolvedUrl("../" + file).toString().replace("file://", "")
        verify(scene.grab(path), path)
    }

    function test_shot() {
        tryVerify(() => scene.root() && scene.root().visible && !scene.find("busyIndicator").visible
                  && ui_View.enabled, 5000)
        scene.hover(400, 20)
        save("main-window.png")
        const row = moveTo("keyRow1")
        scene.click(row.x, row.y)
        moveTo("keyMenuEntry8")
        moveTo("keyMenuEntry27")
        wait(300)
        save("key-menu.png")
    }
}
