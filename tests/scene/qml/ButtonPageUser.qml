import QtQuick
import QtTest

// A scene test of the button page: each test starts from the factory profile, with no dialog
// or menu in its way and the delivered input cleared.
SceneUser {
    function rowText(row) {
        return scene.find("keyRow" + row).text
    }

    function entry(row) {
        return ui_View.getKeydefine(row).map(Number)
    }

    function init() {
        waitForInput()
        virtualInput.clearDelivered()
    }

    // A test that switched the language switches it back. The profile goes back first: a
    // remapped left button would keep the clicks from the window.
    function cleanup() {
        if (scene.root().language === 1) {
            scene.writeSetting("apConfig.bin", "common/language", "English")
            restartAndWait()
        }
        ui_View.resetProfile(Number(ui_View.getProfile()))
        ui_View.activateProfile(Number(ui_View.getProfile()), false)
        for (const name of ["macroKeyCancel", "singleKeyCancel", "resetCancel",
                            "macroEditorClose"]) {
            if (shown(name))
                clickOn(name)
        }
        if (shown("keyMenu")) {
            scene.hover(400, 20)
            scene.click(400, 20)
        }
    }

    // Picks `entryName` from the key menu of `row`, opening a submenu first when given.
    function choose(row, entryName, submenuOpener) {
        clickOn("keyRow" + row)
        verify(shown("keyMenu"))
        if (submenuOpener)
            hoverOn(submenuOpener)
        clickOn(entryName)
    }
}
