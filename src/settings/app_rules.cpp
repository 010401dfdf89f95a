#include "settings/app_rules.h"

#include "settings/settings_file.h"
#include "settings/settings_store.h"

namespace z718 {

namespace {

// One string per rule: the profile number, a colon, the program.
const QString kRulesKey = QStringLiteral("rules/rule");

}  // namespace

AppRules::AppRules(const QString& path, QObject* parent) : QAbstractListModel(parent), path_(path) {
    if (!isReadableSettingsFile(path_)) {
        return;
    }
    for (const QString& text : openIni(path_)->value(kRulesKey).toStringList()) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        bool number = false;
        const int profile = text.left(colon).toInt(&number);
        const QString program = text.mid(colon + 1).trimmed();
        if (colon > 0 && number && SettingsStore::isProfileIndex(profile) && !program.isEmpty() &&
            rowOf(program) < 0) {
            rules_.push_back({program, profile});
        }
    }
}

int AppRules::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rules_.size());
}

QVariant AppRules::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Rule& rule = rules_[static_cast<size_t>(index.row())];
    return role == ProgramRole   ? QVariant(rule.program)
           : role == ProfileRole ? QVariant(rule.profile)
                                 : QVariant();
}

QHash<int, QByteArray> AppRules::roleNames() const {
    return {{ProgramRole, "program"}, {ProfileRole, "profileNo"}};
}

bool AppRules::setRule(const QString& program, int profile) {
    const QString name = program.trimmed();
    if (name.isEmpty() || name.size() > kMaxProgramName ||
        !SettingsStore::isProfileIndex(profile)) {
        return false;
    }
    if (const int row = rowOf(name); row >= 0) {
        rules_[static_cast<size_t>(row)].profile = profile;
        emit dataChanged(index(row), index(row), {ProfileRole});
    } else {
        beginInsertRows({}, rowCount(), rowCount());
        rules_.push_back({name, profile});
        endInsertRows();
    }
    write();
    return true;
}

void AppRules::removeRule(const QString& program) {
    const int row = rowOf(program.trimmed());
    if (row < 0) {
        return;
    }
    beginRemoveRows({}, row, row);
    rules_.erase(rules_.begin() + row);
    endRemoveRows();
    write();
}

void AppRules::toggle(const QString& program, int profile) {
    if (profileFor(program.trimmed()) == profile) {
        removeRule(program);
    } else {
        setRule(program, profile);
    }
}

QStringList AppRules::choices(const QStringList& withWindows, int profile) const {
    QStringList offered = programsOf(profile);
    for (const QString& program : withWindows) {
        if (!offered.contains(program, Qt::CaseInsensitive)) {
            offered << program;
        }
    }
    return offered;
}

QStringList AppRules::programsOf(int profile) const {
    QStringList programs;
    for (const Rule& rule : rules_) {
        if (rule.profile == profile) {
            programs << rule.program;
        }
    }
    return programs;
}

int AppRules::profileFor(const QString& program) const {
    const int row = rowOf(program);
    return row < 0 ? -1 : rules_[static_cast<size_t>(row)].profile;
}

void AppRules::forgetProfile(int profile) {
    for (const QString& program : programsOf(profile)) {
        removeRule(program);
    }
}

// Windows names files without regard to case, and X11 windows give their names in either.
int AppRules::rowOf(const QString& program) const {
    for (size_t row = 0; row < rules_.size(); ++row) {
        if (rules_[row].program.compare(program, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void AppRules::write() const {
    QStringList texts;
    for (const Rule& rule : rules_) {
        texts << QString::number(rule.profile) + QLatin1Char(':') + rule.program;
    }
    const auto file = openIni(path_);
    if (texts.isEmpty()) {
        file->remove(kRulesKey);
    } else {
        file->setValue(kRulesKey, texts);
    }
}

}  // namespace z718
