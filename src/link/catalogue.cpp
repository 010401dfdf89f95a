#include "link/catalogue.h"

#include <QSettings>

namespace z718 {

namespace {

uint16_t hex16(const QSettings& ini, const QString& key) {
    bool ok = false;
    const uint value = ini.value(key).toString().toUInt(&ok, 16);
    return ok ? static_cast<uint16_t>(value) : 0;
}

}  // namespace

QList<CatalogueEntry> loadCatalogue(const QString& path, const QStringList& productNames) {
    const QSettings ini(path, QSettings::IniFormat);
    const int total = ini.value(QStringLiteral("common/total"), 0).toInt();
    QList<CatalogueEntry> entries;
    for (int n = 0; n < total; ++n) {
        const QString section = QString::number(n) + QLatin1Char('/');
        CatalogueEntry entry;
        const QVariant type = ini.value(section + QStringLiteral("type"));
        entry.type = type.isValid() ? type.toString().toInt(nullptr, 16) : -1;
        entry.vid = hex16(ini, section + QStringLiteral("vid"));
        entry.pid = hex16(ini, section + QStringLiteral("pid"));
        entry.usagePage = hex16(ini, section + QStringLiteral("usagePage"));
        entry.usage = hex16(ini, section + QStringLiteral("usage"));
        entry.usagePage2 = hex16(ini, section + QStringLiteral("usagePage2"));
        entry.usage2 = hex16(ini, section + QStringLiteral("usage2"));
        entry.name = productNames.value(n);
        entry.reportLength = ini.value(section + QStringLiteral("reportLength"), 0).toUInt();
        entries.append(entry);
    }
    return entries;
}

}  // namespace z718
