// z718_scene_tests: runs the tst_*.qml files of any folder (-input DIR) against the program's
// real window, with the virtual mouse plugged in and the program's own input backend (the
// portable one, or on Windows the system's hooks).
#include <QApplication>
#include <QtQuickTest>

#include "app/startup.h"
#include "scene_driver.h"

int main(int argc, char** argv) {
    // The scene graph the program picks; under Wine, Direct3D would draw a white window.
    z718::chooseSceneGraph();
    // The main window is a widget: the test runner takes this application instead of making
    // a QGuiApplication of its own.
    QApplication app(argc, argv);
    SceneDriver scene;
    if (!scene.start()) {
        return 1;
    }
    return quick_test_main_with_setup(argc, argv, "z718_scene_tests", nullptr, &scene);
}
