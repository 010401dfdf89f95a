#pragma once

#include <cstdint>

#include "link/catalogue.h"
#include "link/device_record.h"
#include "link/hid_api.h"

namespace z718 {

struct ScanResult {
    QList<DeviceRecord> devices;  // one record per catalogue entry
    uint32_t currentIndex = 0;    // the last entry found, else the previous index
};

// Enumerates the interfaces of each entry; an entry is present only when both of its
// usage pairs were found.
ScanResult scanDevices(HidApi& hid, const QList<CatalogueEntry>& entries, uint32_t previousIndex);

}  // namespace z718
