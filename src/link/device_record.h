#pragma once

#include <QList>
#include <QString>

namespace z718 {

// What a scan found for one catalogue entry.
struct DeviceRecord {
    int index = 0;
    QString name;
    int type = -1;
    QString interface1Path;  // empty when not found
    QString interface2Path;
    int reportLength = 0;
};

}  // namespace z718
