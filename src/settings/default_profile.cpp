#include "settings/default_profile.h"

#include <QSettings>
#include <memory>

#include "settings/ini_values.h"
#include "settings/settings_file.h"

namespace z718 {
namespace {

struct Source {
    QSettings* file;  // null when the default profile cannot be read

    QVariantList listAt(const QString& key) const {
        return file ? listValue(file->value(key)) : QVariantList{};
    }
    int numberAt(const QString& key, int fallback) const {
        return file ? file->value(key, fallback).toInt() : fallback;
    }
};

QVariantList keyMatrixPage(const Source& pd) {
    QVariantList values;
    for (int k = 0; k < 16; ++k) {
        values += pd.listAt(QStringLiteral("keydefine_Q7/") + QString::number(k));
    }
    return values;
}

QVariantList lightingPage(const Source& pd) {
    return pd.listAt(QStringLiteral("color_Q7/type0")) +
           pd.listAt(QStringLiteral("color_Q7/ledEffect"));
}

QVariantList sensorPage(const Source& pd) {
    QVariantList values = {
        pd.numberAt(QStringLiteral("sensor/reportRate_Q7"), 2),
        pd.numberAt(QStringLiteral("sensor/cursorSpeed_Q7"), 5),
        pd.numberAt(QStringLiteral("sensor/verticalScrollLines_Q7"), 2),
        pd.numberAt(QStringLiteral("sensor/doubleClickSpeed_Q7"), 5),
    };
    values += pd.listAt(QStringLiteral("sensor/dpi_Q7"));
    values.append(pd.numberAt(QStringLiteral("sensor/stage_Q7"), 2));
    values += pd.listAt(QStringLiteral("color_Q7/type1"));
    values += pd.listAt(QStringLiteral("color_Q7/type2"));
    return values;
}

}  // namespace

QVariantList defaultProfilePage(int pageId, const QString& path) {
    IniFile file;
    if (isReadableSettingsFile(path)) {
        file = openIni(path);
    }
    const Source pd{file.get()};
    switch (pageId) {
        case 0:
            return keyMatrixPage(pd);
        case 2:
            return lightingPage(pd);
        case 3:
            return sensorPage(pd);
        default:
            return {};
    }
}

}  // namespace z718
