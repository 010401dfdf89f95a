import QtQuick
import QtTest
import "../../tests/scene/qml"

// Takes docs/main-window.png and docs/key-menu.png, the README's pictures: the window as it
// starts, and the key menu of the second button with its basic commands open.
//   xvfb-run -a build/asan/bin/z718_scene_tests -input docs/shots
SceneUser {
    name: "KeyMenuShot"

    function save(file) {
        const path = Qt.resolvedUrl("../" + file).toString().replace("file://", "")
        verify(scene.grab(path), path)
    }

    function test_shot() {
        waitForInput()
        scene.hover(400, 20)
        save("main-window.png")
        clickOn("keyRow1")
        hoverOn("keyMenuEntry8")
        hoverOn("keyMenuEntry27")
        wait(300)
        save("key-menu.png")
    }
}
