#include "i18n/language_files.h"

#include <QDir>
#include <QSettings>
#include <algorithm>
#include <array>
#include <memory>

#include "i18n/locale_names.h"
#include "settings/settings_file.h"

namespace z718::i18n {
namespace {

constexpr std::array<const char*, 7> kGroups = {
    "main", "keyMatrix", "keyMenu", "macroEditor", "gunControl", "macroKey", "other",
};

// The largest group needs 45 texts; a file's "total" beyond this is not believed.
constexpr int kMaxTextsPerGroup = 1000;
constexpr int kLayoutTexts = 16;

// Country numbers with a short suffix of their own.
QString countrySuffix(int country) {
    switch (country) {
        case 0:
            return {};
        case 44:
            return QStringLiteral(" (Simp)");
        case 208:
            return QStringLiteral(" (Trad)");
        default:
            return QStringLiteral(" (") + countryName(country).toUpper() + QLatin1Char(')');
    }
}

// Null when the file cannot be a language file; the name must not lead out of `dir`.
std::unique_ptr<QSettings> openLanguageFile(const QString& dir, const QString& baseName) {
    if (baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\'))) {
        return nullptr;
    }
    const QString path = dir + baseName + QStringLiteral(".ini");
    if (!isReadableSettingsFile(path)) {
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

}  // namespace

QString groupName(int type) {
    if (type < 0 || type >= static_cast<int>(kGroups.size())) {
        return {};
    }
    return QString::fromLatin1(kGroups[static_cast<size_t>(type)]);
}

QVariantMap availableLanguages(const QString& dir) {
    QVariantMap languages;
    const QStringList files = QDir(dir).entryList({QStringLiteral("lang_*.ini")}, QDir::NoFilter,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        const QString code = file.mid(5, 6);
        const QString name =
            languageName(code.left(3).toInt()).toUpper() + countrySuffix(code.mid(3, 3).toInt());
        languages.insert(name, code);
    }
    return languages;
}

QStringList groupTexts(int type, const QString& fileBase, const QString& dir) {
    const auto file = openLanguageFile(dir, fileBase);
    if (!file) {
        return {};
    }
    const QString section = groupName(type);
    const int total =
        std::min(file->value(section + QStringLiteral("/total"), 0).toInt(), kMaxTextsPerGroup);
    QStringList texts;
    for (int i = 0; i < total; ++i) {
        texts.append(file->value(section + QLatin1Char('/') + QString::number(i)).toString());
    }
    return texts;
}

QStringList layoutTexts(const QString& code, const QString& dir) {
    const auto file = openLanguageFile(dir, QStringLiteral("lang_") + code);
    QStringList texts;
    for (int i = 0; i < kLayoutTexts; ++i) {
        texts.append(
            file ? file->value(QStringLiteral("Q7_5E08F1D/") + QString::number(i)).toString()
                 : QString());
    }
    return texts;
}

}  // namespace z718::i18n
