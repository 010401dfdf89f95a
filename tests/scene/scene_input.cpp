#include "scene_input.h"

#include <QtTest>

#include "platform/portable/portable_input.h"
#include "scene_driver.h"

namespace scene_input {

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos) {
    QTest::mouseEvent(press ? QTest::MousePress : QTest::MouseRelease, window, button, {}, pos);
}

void doubleClick(QWindow* window, QPoint pos) {
    QTest::mouseDClick(window, Qt::LeftButton, {}, pos);
}

void move(QWindow* window, QPoint pos) {
    QTest::mouseMove(window, pos);
}

void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window, key, modifiers);
}

void charClick(QWindow* window, char c) {
    QTest::keyClick(window, c);
}

void programHooks(bool) {}

}  // namespace scene_input

// virtualInput here: the portable hooks this process's window feeds.
bool SceneDriver::feedKey(int vk, int scanCode, bool up, int time) {
    return input_.window()->feedKey(vk, scanCode, up, time);
}

bool SceneDriver::feedMouse(int message, int x, int y, int mouseData, int time) {
    return input_.window()->feedMouse(message, x, y, mouseData, time);
}

QVariantList SceneDriver::delivered() {
    return scene_input::describeDelivered(input_.window()->delivered());
}

void SceneDriver::clearDelivered() {
    input_.window()->clearDelivered();
}
