import QtQuick
import QtTest
import "../../tests/scene/qml"

// Takes the README's pictures in docs/: the window as it starts, the key menu of the second
// button with its basic commands open, a macro recorded from fed keys, a few profiles.
//   xvfb-run -a build/asan/bin/z718_scene_tests -input docs/shots
SceneUser {
    name: "Shots"

    function save(file) {
        const path = Qt.resolvedUrl("../" + file).toString().replace("file://", "")
        verify(scene.grab(path), path)
    }

    function test_keyMenu() {
        waitForInput()
        scene.move(400, 20)
        save("main-window.png")
        clickOn("keyRow1")
        hoverOn("keyMenuEntry8")
        hoverOn("keyMenuEntry27")
        wait(300)
        save("key-menu.png")
    }

    function test_macroEditor() {
        const lines = ["1,R", "0,30", "2,R"]
        openMacroEditorWith([["Reload", lines], ["Burst", lines], ["Copy paste", lines]], 2)
        clickOn("recordButton")
        // Virtual key and scan code, up or down, then a pause in milliseconds.
        for (const key of [[0xA2, 0x1D, false, 140], [0x43, 0x2E, false, 80],
                           [0x43, 0x2E, true, 210], [0x56, 0x2F, false, 70],
                           [0x56, 0x2F, true, 50], [0xA2, 0x1D, true, 500]]) {
            virtualInput.feedKey(key[0], key[1], key[2])
            wait(key[3])
        }
        clickOn("recordButton")
        clickOn("actionRow4")
        save("macro-editor.png")
    }

    function test_profilePage() {
        openProfilePageWith(["Standard0", "FPS1", "Racing2", "FPS(0)3"], 1)
        const row = rect("profileRow2")
        scene.move(row.x + 50, row.y + row.height / 2)
        save("profile-page.png")
    }
}
