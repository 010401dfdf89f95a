#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace z718 {

// One entry of the device catalogue: which vendor/product to enumerate and the usage pairs
// of the two interfaces that prove the device is there.
struct CatalogueEntry {
    int type = -1;  // 0 keyboard, 1 mouse
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t usagePage2 = 0;
    uint16_t usage2 = 0;
    QString name;
    uint32_t reportLength = 0;
};

inline const QString kCataloguePath = QStringLiteral(":/DevInfo.ini");

// Reads the catalogue afresh; productNames gives entry N its display name.
QList<CatalogueEntry> loadCatalogue(const QString& path, const QStringList& productNames);

}  // namespace z718
