#pragma once

#include <QByteArrayView>

namespace z718 {

// True when INI text holds a variant value nested deeper than any program writes. The settings
// reader recurses once per nested variant container, so such a value would overflow its stack.
// Decides from the text alone, reading it as that reader unescapes values.
bool nestsTooDeep(QByteArrayView iniText);

}  // namespace z718
