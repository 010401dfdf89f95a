#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace z718::appconfig {

QVariant language(QSettings& config);       // "common/language", invalid if unset
QVariant profileNumber(QSettings& config);  // "Q7/profileNo", default 0
void setProfileNumber(QSettings& config, const QVariant& profileNo);
QVariantList generic(QSettings& config);  // "common/0" .. "common/<total-1>"
void setGeneric(QSettings& config, const QVariantList& entries);
QVariantList deviceEntries(QSettings& config);  // ["Q7/colorMaxStage", default 8]

// True when `imageDir` holds two or more skin subdirectories.
bool hasSkinChoice(const QString& imageDir = QStringLiteral("./modules/img"));

}  // namespace z718::appconfig
