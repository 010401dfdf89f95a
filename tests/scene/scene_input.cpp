#include "scene_input.h"

#include <QtTest>

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
