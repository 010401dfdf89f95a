#pragma once

#include <QStringList>
#include <QVariantList>

namespace z718 {

// The leading decimal number of a text as the macro and key files have always been read:
// blanks skipped, an optional sign, then digits up to the first other character ("7abc" is
// 7, "1.5" is 1). 0 when the text does not start with a number. Whole numbers within int
// range come back as int, larger ones as double.
QVariant leadingInteger(const QString& text);

// What a playback slot takes for saved macro lines ("<type>,<info>" lines followed by the
// repeat count): a (type, value) pair per line, keys and buttons (types 1 to 4) as codes of
// the pages' key table, any other value as its number, then the repeat count. An empty list
// for no lines (a missing macro).
QVariantList playbackList(const QStringList& lines);

}  // namespace z718
