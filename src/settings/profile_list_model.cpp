#include "settings/profile_list_model.h"

#include "settings/name_lists.h"
#include "settings/profile_manager.h"

namespace z718 {

namespace {

constexpr int kProfileNames = 2;  // the name list of the profiles

QStringList withoutPadGuard(const QVariantList& stored) {
    QStringList names;
    for (const QVariant& name : stored) {
        names << name.toString();
    }
    if (names.size() == 2 && names[1] == namelists::kPadGuard) {
        names.removeLast();
    }
    return names;
}

}  // namespace

ProfileListModel::ProfileListModel(SettingsStore& settings, Prompts& prompts, AppRules& rules,
                                   QObject* parent)
    : QAbstractListModel(parent), settings_(settings), prompts_(prompts), rules_(rules) {
    for (auto signal : {&AppRules::rowsInserted, &AppRules::rowsRemoved}) {
        connect(&rules_, signal, this, &ProfileListModel::programsChanged);
    }
    connect(&rules_, &AppRules::dataChanged, this, &ProfileListModel::programsChanged);
}

int ProfileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ProfileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<size_t>(index.row())];
    return role == NameRole       ? QVariant(row.name)
           : role == NumberRole   ? QVariant(row.number)
           : role == ProgramsRole ? QVariant(rules_.programsOf(row.number).join(", "))
                                  : QVariant();
}

QHash<int, QByteArray> ProfileListModel::roleNames() const {
    return {{NameRole, "profileName"}, {NumberRole, "profileNo"}, {ProgramsRole, "programs"}};
}

// A stored row is the name followed by the number as its last character.
void ProfileListModel::load(int profileNo, bool standardFirst) {
    beginResetModel();
    rows_.clear();
    for (const QString& text : withoutPadGuard(namelists::read(kProfileNames))) {
        rows_.push_back({text.chopped(qMin<qsizetype>(1, text.size())), text.right(1).toInt()});
    }
    if (standardFirst && !rows_.empty()) {
        rows_.front().name = QStringLiteral("Standard");
    }
    endResetModel();
    setSelected(rows_.empty() ? -1 : qMax(0, rowOfNumber(profileNo)));
    if (standardFirst && !rows_.empty()) {
        writeNames();
    }
}

void ProfileListModel::select(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    setSelected(row);
    announce();
}

void ProfileListModel::follow(int profileNo) {
    if (const int row = rowOfNumber(profileNo); row >= 0) {
        setSelected(row);
    }
}

void ProfileListModel::addNew() {
    const int n = firstFreeName(QStringLiteral("profile_"), QString());
    const int number = firstFreeNumber();
    rules_.forgetProfile(number);
    if (rowCount() < kMaxProfiles) {
        append({QStringLiteral("profile_%1").arg(n), number});
        setSelected(rowCount() - 1);
        writeNames();
    }
    ProfileManager(settings_, prompts_).resetToDefault(number);
    announce();
}

void ProfileListModel::removeSelected() {
    if (rowCount() <= 1 || selected_ < 0) {
        return;
    }
    rules_.forgetProfile(rows_[static_cast<size_t>(selected_)].number);
    beginRemoveRows({}, selected_, selected_);
    rows_.erase(rows_.begin() + selected_);
    endRemoveRows();
    setSelected(qMin(selected_, rowCount() - 1));
    writeNames();
    announce();
}

void ProfileListModel::copySelected() {
    if (selected_ < 0) {
        return;
    }
    const Row source = rows_[static_cast<size_t>(selected_)];
    const int n = firstFreeName(source.name + QLatin1Char('('), QStringLiteral(")"));
    const int number = firstFreeNumber();
    rules_.forgetProfile(number);
    ProfileManager(settings_, prompts_).copy(number, source.number);
    if (rowCount() < kMaxProfiles) {
        append({source.name + QStringLiteral("(%1)").arg(n), number});
    }
    writeNames();
    announce();
}

bool ProfileListModel::rename(int row, const QString& name) {
    if (row < 0 || row >= rowCount() || nameTaken(name)) {
        return false;
    }
    rows_[static_cast<size_t>(row)].name = name;
    emit dataChanged(index(row), index(row), {NameRole});
    writeNames();
    return true;
}

int ProfileListModel::numberAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].number : -1;
}

QString ProfileListModel::nameOf(int profileNo) const {
    const int row = rowOfNumber(profileNo);
    return row < 0 ? QString() : rows_[static_cast<size_t>(row)].name;
}

bool ProfileListModel::nameTaken(const QString& name) const {
    return std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return r.name == name; });
}

int ProfileListModel::rowOfNumber(int number) const {
    const auto it =
        std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.number == number; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

// The first of 0..5 no row uses; 6 when all are used.
int ProfileListModel::firstFreeNumber() const {
    int n = 0;
    while (n < kMaxProfiles && rowOfNumber(n) >= 0) {
        ++n;
    }
    return n;
}

// The first n below 12 for which prefix + n + suffix names no row; 12 when all do.
int ProfileListModel::firstFreeName(const QString& prefix, const QString& suffix) const {
    int n = 0;
    while (n < kMaxNameNumber && nameTaken(prefix + QString::number(n) + suffix)) {
        ++n;
    }
    return n;
}

void ProfileListModel::setSelected(int row) {
    if (row != selected_) {
        selected_ = row;
        emit selectedRowChanged();
    }
}

void ProfileListModel::announce() {
    if (selected_ >= 0) {
        emit profileChosen(rows_[static_cast<size_t>(selected_)].number);
    }
}

void ProfileListModel::writeNames() {
    QStringList names;
    for (const Row& row : rows_) {
        names << row.name + QString::number(row.number);
    }
    namelists::store(kProfileNames, names);
}

void ProfileListModel::programsChanged() {
    if (rowCount() > 0) {
        emit dataChanged(index(0), index(rowCount() - 1), {ProgramsRole});
    }
}

void ProfileListModel::append(const Row& row) {
    beginInsertRows({}, rowCount(), rowCount());
    rows_.push_back(row);
    endInsertRows();
}

}  // namespace z718
