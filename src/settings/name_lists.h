#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include "settings/settings_store.h"

namespace z718::namelists {

// A single name is stored with this element after it, so that it reads back as a list.
inline const QString kPadGuard = QStringLiteral("listpadguard");

// Stores `names` as name list `type` (0 macros, 1 guns, 2 profiles, 3 selected gun) of the
// file at `path`; an empty list removes it; other types change nothing.
void store(int type, QStringList names, const QString& path = kNameListPath);
// Name list `type`, or an empty list.
QVariantList read(int type, const QString& path = kNameListPath);

}  // namespace z718::namelists
