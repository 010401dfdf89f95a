#pragma once

#include <QString>
#include <QVariantList>

#include "settings/settings_store.h"

namespace z718 {

// The factory values of one settings page, read from the default profile: page 0 the key
// matrix, page 2 the lighting colours and effect, page 3 rate, pointer, scroll, double-click,
// DPI and the other two colour types. Other pages have none.
QVariantList defaultProfilePage(int pageId, const QString& path = kDefaultProfilePath);

}  // namespace z718
