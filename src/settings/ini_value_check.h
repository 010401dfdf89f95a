#pragma once

#include <QByteArrayView>

namespace z718 {

// True when INI text holds a value the settings reader must not load. These files hold text,
// numbers, byte arrays and lists and maps of them; the reader would also build any other
// registered type from a value's variant stream: regions whose rectangle count keeps it busy
// for minutes, icons and pixmaps that open whatever file they name. So a variant stream passes
// only when it holds those types alone, nested no deeper than any program writes, and every
// count and length in it fits in what follows (the reader reserves memory for a list's count
// before reading its elements). Decides from the text alone, cutting and unescaping it as that
// reader does.
bool holdsUnsafeValue(QByteArrayView iniText);

}  // namespace z718
