#pragma once

#include <QLocale>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace z718::appconfig {

QVariant language(QSettings& config);  // "common/language", invalid if unset
// With no language saved yet (the first start, or after a factory reset), saves the one that
// matches the desktop's: Chinese for any Chinese locale, else English. A saved one stays.
void chooseFirstLanguage(QSettings& config, const QLocale& desktop);
QVariant profileNumber(QSettings& config);  // "Q7/profileNo", default 0
void setProfileNumber(QSettings& config, const QVariant& profileNo);
QVariantList generic(QSettings& config);  // "common/0" .. "common/<total-1>"
void setGeneric(QSettings& config, const QVariantList& entries);
QVariantList deviceEntries(QSettings& config);  // ["Q7/colorMaxStage", default 8]

// True when `imageDir` holds two or more skin subdirectories.
bool hasSkinChoice(const QString& imageDir = QStringLiteral("./modules/img"));

}  // namespace z718::appconfig
