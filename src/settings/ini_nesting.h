#pragma once

#include <QByteArrayView>

namespace z718 {

// True when INI text holds a variant value nested deeper than any program writes. The settings
// reader recurses once per nested variant, so such a value would overflow its stack. Decides
// from the text alone, cutting and unescaping it as that reader does.
bool nestsTooDeep(QByteArrayView iniText);

}  // namespace z718
