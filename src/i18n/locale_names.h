#pragma once

#include <QString>

namespace z718 {

// English name of a QLocale language or country number, as the language files' naming
// scheme has always shown it ("Chinese", "Taiwan"); "Unknown" for numbers without a name.
QString languageName(int number);
QString countryName(int number);

}  // namespace z718
