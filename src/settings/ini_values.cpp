#include "settings/ini_values.h"

#include <QStringList>
#include <cfloat>

namespace z718 {

QVariantList listValue(const QVariant& stored) {
    switch (stored.typeId()) {
        case QMetaType::QVariantList:
            return stored.toList();
        case QMetaType::QStringList: {
            QVariantList list;
            for (const QString& element : stored.toStringList()) {
                list.append(element);
            }
            return list;
        }
        default:
            // Qt 6 would turn a single string into a one-element list; the files' format
            // never did, and the one-element rule depends on that.
            return {};
    }
}

QVariant storedForm(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Double:
            return QString::number(value.toDouble(), 'g', DBL_DIG);
        case QMetaType::Float:
            return QString::number(value.toFloat(), 'g', FLT_DIG);
        case QMetaType::QVariantList: {
            QVariantList converted;
            for (const QVariant& element : value.toList()) {
                converted.append(storedForm(element));
            }
            return converted;
        }
        default:
            return value;
    }
}

}  // namespace z718
