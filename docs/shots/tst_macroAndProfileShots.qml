import QtQuick
import QtTest
import "../../tests/scene/qml"

// Takes docs/macro-editor.png and docs/profile-page.png, the README's pictures: a macro
// recorded from fed keys, and a few profiles.  xvfb-run -a build/asan/bin/z718_scene_tests
// -input docs/shots
SceneUser {
    name: "MacroAndProfileShots"

    // Virtual key and scan code, up or down, then a pause in milliseconds.
    function feed(keys) {
        for (const key of keys) {
            virtualInput.feedKey(key[0], key[1], key[2])
            wait(key[3])
        }
    }
    function save(file) {
        const path = Qt.resolvedUrl("../" + file).toString().replace("file://", "")
        verify(scene.grab(path), path)
    }

    function test_macroEditor() {
        for (const name of ["Reload", "Burst", "Copy paste"]) {
            ui_View.createMacroIni(name, 0)
            ui_View.saveMacroIni(name, ["1,R", "0,30", "2,R"], 1)
        }
        ui_View.updataNameList(0, ["Reload", "Burst", "Copy paste"])
        restartAndWait()
        clickOn("macroManagerBar")
        clickOn("macroRow2")
        clickOn("recordButton")
        feed([[0xA2, 0x1D, false, 140], [0x43, 0x2E, false, 80], [0x43, 0x2E, true, 210],
              [0x56, 0x2F, false, 70], [0x56, 0x2F, true, 50], [0xA2, 0x1D, true, 500]])
        clickOn("recordButton")
        clickOn("actionRow4")
        save("macro-editor.png")
    }

    function test_profilePage() {
        ui_View.updataNameList(2, ["Standard0", "FPS1", "Racing2", "FPS(0)3"])
        ui_View.setProfile(1)
        restartAndWait()
        clickOn("profileButton")
        const row = scene.rect("profileRow2")
        scene.hover(row.x + 50, row.y + row.height / 2)
        save("profile-page.png")
    }
}
