#include "app/tray_profiles.h"

#include <QAction>
#include <QMenu>

#include "settings/profile_list_model.h"
#include "ui/myQQuickView.h"

TrayProfiles::TrayProfiles(QMenu* menu, QAction* before, myQQuickView* view)
    : QObject(menu), menu_(menu), before_(before), view_(view) {
    connect(menu_, &QMenu::aboutToShow, this, &TrayProfiles::refresh);
}

void TrayProfiles::refresh() {
    qDeleteAll(entries_);
    entries_.clear();
    const z718::ProfileListModel* rows = &view_->profileList();
    const int current = view_->settings().currentProfileIndex();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QModelIndex at = rows->index(row);
        const int number = rows->data(at, z718::ProfileListModel::NumberRole).toInt();
        auto* entry =
            new QAction(rows->data(at, z718::ProfileListModel::NameRole).toString(), menu_);
        entry->setCheckable(true);
        entry->setChecked(number == current);
        connect(entry, &QAction::triggered, view_,
                [view = view_, number] { view->activateProfile(number, true); });
        menu_->insertAction(before_, entry);
        entries_ << entry;
    }
    if (!entries_.isEmpty()) {
        entries_ << menu_->insertSeparator(before_);
    }
}
