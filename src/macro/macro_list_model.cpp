#include "macro/macro_list_model.h"

#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "settings/name_lists.h"

namespace z718 {

namespace {

constexpr int kMacroNames = 0;  // the name list of the macros

}  // namespace

MacroListModel::MacroListModel(SettingsStore& settings, QObject* parent)
    : QAbstractListModel(parent),
      settings_(settings),
      actions_(new MacroActionModel(settings, this)) {
    connect(actions_, &MacroActionModel::saved, this, &MacroListModel::macroChanged);
}

int MacroListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant MacroListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || role != NameRole) {
        return {};
    }
    return names_[index.row()];
}

QHash<int, QByteArray> MacroListModel::roleNames() const {
    return {{NameRole, "macroName"}};
}

void MacroListModel::load() {
    beginResetModel();
    names_.clear();
    for (const QVariant& name : namelists::read(kMacroNames)) {
        names_ << name.toString();
    }
    if (names_.size() == 2 && names_[1] == namelists::kPadGuard) {
        names_.removeLast();
    }
    endResetModel();
    emit countChanged();
    select(-1);
}

void MacroListModel::select(int row) {
    current_ = row >= 0 && row < count() ? row : -1;
    actions_->load(nameAt(current_));
    emit currentChanged();
}

QVariantMap MacroListModel::get(int row) const {
    if (row < 0 || row >= count()) {
        return {};
    }
    return {{QStringLiteral("macroName"), names_[row]}};
}

QString MacroListModel::nameAt(int row) const {
    return row >= 0 && row < count() ? names_[row] : QString();
}

int MacroListModel::addNew() {
    if (count() >= kMaxMacros) {
        return -1;
    }
    int n = 0;
    while (names_.contains(QStringLiteral("Macro_%1").arg(n))) {
        ++n;
    }
    const QString name = QStringLiteral("Macro_%1").arg(n);
    const int row = count();
    insertRow(row, name);
    MacroStore(settings_).create(name, static_cast<uint>(row));
    writeNames();
    select(row);
    return row;
}

int MacroListModel::rename(int row, const QString& name) {
    if (row < 0 || row >= count() || names_.contains(name)) {
        return -1;
    }
    if (const MacroNameFault fault = macroNameFault(name); fault != MacroNameFault::None) {
        return static_cast<int>(fault);
    }
    MacroStore(settings_).rename(names_[row], name);
    names_[row] = name;
    if (row == current_) {
        actions_->follow(name);
    }
    emit dataChanged(index(row), index(row), {NameRole});
    writeNames();
    return 0;
}

QString MacroListModel::removeCurrent() {
    const int row = current_;
    if (row < 0) {
        return {};
    }
    const QString name = names_[row];
    MacroStore(settings_).remove(name);
    beginRemoveRows({}, row, row);
    names_.removeAt(row);
    endRemoveRows();
    emit countChanged();
    writeNames();
    emit removed(name);
    select(qMin(row, count() - 1));
    return name;
}

bool MacroListModel::addImported(const QString& name) {
    if (name.isEmpty()) {
        return false;
    }
    if (names_.contains(name)) {
        actions_->load(nameAt(current_));
        actions_->save();
        if (name != nameAt(current_)) {
            emit macroChanged(name);
        }
        return false;
    }
    insertRow(current_ < 0 ? count() : current_, name);
    writeNames();
    if (current_ >= 0) {
        ++current_;
        emit currentChanged();
    }
    return true;
}

void MacroListModel::insertRow(int row, const QString& name) {
    beginInsertRows({}, row, row);
    names_.insert(row, name);
    endInsertRows();
    emit countChanged();
}

void MacroListModel::writeNames() {
    namelists::store(kMacroNames, names_);
}

}  // namespace z718
