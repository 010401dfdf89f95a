#pragma once

#include <QMap>
#include <QString>
#include <QtGlobal>

namespace z718 {

// The process-wide table from key label ("KP Enter", "L Ctrl", "MS-L", the arrow "►") to its
// 8-bit key code: HID keyboard usages, and 0xF0..0xF4 for the five mouse buttons.

// Empties the table and fills it with all 132 labels. The view's constructor calls it; a
// repeated build gives the same table. GUI thread only.
void buildKeyNameTable();

// The code of `label` (exact, case-sensitive), or 0 when no key has that label. Builds the
// table first if nothing has built it yet. GUI thread only.
quint8 keyCode(const QString& label);

// The whole table, for listing.
const QMap<QString, quint8>& keyNameTable();

}  // namespace z718
