#pragma once

#include <QString>

namespace z718 {

// The pages' key table: keyboard keys by their HID usage under short names ("A", "KP Enter",
// "L Ctrl"), and the five mouse buttons 0xF0..0xF4 ("MS-L" .. "MS-B5") that key entries and
// macros use. Unlike the key-name table both Alt keys read "Alt" here. A name listed twice
// resolves to its last code ("Alt" 0xE6, "\ |" 0x32); from code to name every code keeps its
// name, so 0xE2 and 0xE6 both read "Alt".
namespace ui_keys {

// The code of a key or mouse-button name; 0 (no key) for any other text.
int code(const QString& name);
// The name of a keyboard usage; "" when no key has it.
QString keyName(int code);
// The name of a mouse-button code 0xF0..0xF4; "" for any other code.
QString mouseName(int code);
// Keyboard names below 0xF0, mouse-button names from 0xF0 on, as macros store them.
QString codeName(int code);

}  // namespace ui_keys
}  // namespace z718
