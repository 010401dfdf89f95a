#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace z718::i18n {

inline const QString kLanguageDir = QStringLiteral("./modules/i18n/");

// Display name ("CHINESE (Simp)") -> six-digit code of every "lang_*.ini" in `dir`.
QVariantMap availableLanguages(const QString& dir = kLanguageDir);

// Texts of language group `type` (0 main .. 5 macroKey, 6 other) from `dir` + `fileBase` +
// ".ini", e.g. fileBase "lang_025044". Empty when the file is missing.
QStringList groupTexts(int type, const QString& fileBase, const QString& dir = kLanguageDir);

// The 16 product layout texts from `dir` + "lang_" + `code` + ".ini"; missing ones are "".
QStringList layoutTexts(const QString& code, const QString& dir = kLanguageDir);

// The section name of a language group; "" for types without one.
QString groupName(int type);

}  // namespace z718::i18n
