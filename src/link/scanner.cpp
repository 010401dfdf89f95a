#include "link/scanner.h"

namespace z718 {

namespace {

void findInterfaces(HidApi& hid, const CatalogueEntry& entry, DeviceRecord& record) {
    HidApi::Enumeration* list = hid.enumerate(entry.vid, entry.pid);
    QString path1;
    QString path2;
    for (const HidApi::DeviceInfo& info : *list) {
        if (info.usagePage == entry.usagePage && info.usage == entry.usage) {
            path1 = QString::fromStdString(info.path);
        }
        if (info.usagePage == entry.usagePage2 && info.usage == entry.usage2) {
            path2 = QString::fromStdString(info.path);
        }
        if (!path1.isEmpty() && !path2.isEmpty()) {
            break;
        }
    }
    hid.freeEnumeration(list);
    if (!path1.isEmpty() && !path2.isEmpty()) {
        record.interface1Path = path1;
        record.interface2Path = path2;
    }
}

}  // namespace

ScanResult scanDevices(HidApi& hid, const QList<CatalogueEntry>& entries, uint32_t previousIndex) {
    ScanResult result;
    result.currentIndex = previousIndex;
    for (int n = 0; n < entries.size(); ++n) {
        const CatalogueEntry& entry = entries[n];
        DeviceRecord record{n,  entry.name, entry.type,
                            {}, {},         static_cast<int>(entry.reportLength)};
        findInterfaces(hid, entry, record);
        if (!record.interface1Path.isEmpty()) {
            result.currentIndex = static_cast<uint32_t>(n);
        }
        result.devices.append(record);
    }
    return result;
}

}  // namespace z718
