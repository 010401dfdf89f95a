#pragma once

#include <QPoint>
#include <QVariantList>
#include <Qt>
#include <vector>

#include "platform/portable/portable_input.h"

class QWindow;

// The pointer and the keys of the scene driver, at window coordinates. Off Windows they are
// window-system events handed to the window, which the program's window feed passes through
// the portable hooks. On Windows they enter as hardware input (win32/scene_input_win.cpp), so the
// system's own low-level hooks take them first, as they take the user's.
namespace scene_input {

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos);
void doubleClick(QWindow* window, QPoint pos);
void move(QWindow* window, QPoint pos);
void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers);
// A letter, a digit, a space or a punctuation mark.
void charClick(QWindow* window, char c);
// Called once the program's hooks have been installed, and before they go: on Windows the
// witness of what reaches the system comes before them in the hook chain.
void programHooks(bool installed);
// The rows of virtualInput.delivered(), from either platform's record of what reached the
// system.
QVariantList describeDelivered(const std::vector<z718::platform::PortableInput::Delivered>& events);

}  // namespace scene_input
