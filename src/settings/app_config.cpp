#include "settings/app_config.h"

#include <QDir>
#include <algorithm>

#include "settings/ini_values.h"

namespace z718::appconfig {
namespace {

const QString kTotalKey = QStringLiteral("common/total");

QString genericKey(int i) {
    return QStringLiteral("common/") + QString::number(i);
}

// Generic entries are numbered by a count taken from the file; a hostile count must not make
// us read millions of absent keys.
constexpr int kMaxGenericEntries = 4096;

}  // namespace

QVariant language(QSettings& config) {
    return config.value(QStringLiteral("common/language"));
}

void chooseFirstLanguage(QSettings& config, const QLocale& desktop) {
    const QString key = QStringLiteral("common/language");
    if (!config.contains(key)) {
        // The scene's only translation is Simplified Chinese; it still reads better than
        // English on a Traditional Chinese desktop.
        config.setValue(key, desktop.language() == QLocale::Chinese
                                 ? QStringLiteral("ChineseSimplified")
                                 : QStringLiteral("English"));
    }
}

QVariant profileNumber(QSettings& config) {
    return config.value(QStringLiteral("Q7/profileNo"), 0);
}

void setProfileNumber(QSettings& config, const QVariant& profileNo) {
    config.setValue(QStringLiteral("Q7/profileNo"), profileNo.toUInt());
}

QVariantList generic(QSettings& config) {
    const int total = std::min(config.value(kTotalKey, 0).toInt(), kMaxGenericEntries);
    QVariantList entries;
    for (int i = 0; i < total; ++i) {
        entries.append(config.value(genericKey(i), 0));
    }
    return entries;
}

void setGeneric(QSettings& config, const QVariantList& entries) {
    config.setValue(kTotalKey, static_cast<int>(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        config.setValue(genericKey(i), storedForm(entries[i]));
    }
}

QVariantList deviceEntries(QSettings& config) {
    return {config.value(QStringLiteral("Q7/colorMaxStage"), 8).toInt()};
}

bool hasSkinChoice(const QString& imageDir) {
    return QDir(imageDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() >= 2;
}

}  // namespace z718::appconfig
