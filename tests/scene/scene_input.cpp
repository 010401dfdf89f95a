#include "scene_input.h"

#include <QtTest>

#include "test_objects.h"

namespace scene_input {

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos) {
    if (press) {
        QTest::mousePress(window, button, {}, pos);
    } else {
        QTest::mouseRelease(window, button, {}, pos);
    }
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

}  // namespace scene_input

// virtualInput here: the portable hooks this process's window feeds.
VirtualInputObject::~VirtualInputObject() = default;

void VirtualInputObject::programHooksInstalled() {}

bool VirtualInputObject::feedKey(int vk, int scanCode, bool up, int time) {
    return input_.window()->feedKey(vk, scanCode, up, time);
}

bool VirtualInputObject::feedMouse(int message, int x, int y, int mouseData, int time) {
    return input_.window()->feedMouse(message, x, y, mouseData, time);
}

QVariantList VirtualInputObject::delivered() const {
    return describeDelivered(input_.window()->delivered());
}

void VirtualInputObject::clearDelivered() {
    input_.window()->clearDelivered();
}
