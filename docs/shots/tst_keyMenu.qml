import QtQuick
import QtTest
import "../../tests/scene/qml"

// Takes docs/key-menu.png, the README's picture: the key menu of the second button with its
// basic commands open.  xvfb-run -a build/asan/bin/z718_scene_tests -input docs/shots
SceneUser {
    name: "KeyMenuShot"

    function test_shot() {
        waitForInput()
        clickOn("keyRow1")
        hoverOn("keyMenuEntry8")
        hoverOn("keyMenuEntry27")
        wait(300)
        const file = Qt.resolvedUrl("../key-menu.png").toString().replace("file://", "")
        verify(scene.grab(file), file)
    }
}
