#include "macro/macro_action_model.h"

#include "engine/queues.h"
#include "i18n/ui_key_table.h"
#include "macro/macro_store.h"
#include "macro/playback_list.h"

namespace z718 {

namespace {

constexpr int kFirstMouseCode = 0xF0;  // codes from here on are mouse buttons
constexpr int kMaxDelayEdit = 100000;

QString number(const QString& text) {
    return QString::number(leadingInteger(text).toLongLong());
}

}  // namespace

MacroActionModel::MacroActionModel(SettingsStore& settings, QObject* parent)
    : QAbstractListModel(parent), settings_(settings) {}

int MacroActionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant MacroActionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) {
        return {};
    }
    const Row& row = rows_[index.row()];
    switch (role) {
        case TypeRole:
            return row.type;
        case InfoRole:
            return row.info;
        case IsDelayRole:
            return row.type == Delay;
        default:
            return {};
    }
}

QHash<int, QByteArray> MacroActionModel::roleNames() const {
    return {{TypeRole, "type"}, {InfoRole, "info"}, {IsDelayRole, "isDelay"}};
}

void MacroActionModel::setCurrent(int row) {
    const int current = row >= 0 && row < count() ? row : -1;
    if (current != current_) {
        current_ = current;
        emit currentChanged();
    }
}

void MacroActionModel::setRepeat(int repeat) {
    if (repeat != repeat_) {
        repeat_ = repeat;
        emit repeatChanged();
    }
}

bool MacroActionModel::tooLong() const {
    return count() > MyQueue::kLimit;
}

void MacroActionModel::load(const QString& name) {
    name_ = name;
    const QStringList lines =
        name.isEmpty() ? QStringList() : MacroStore(settings_).savedLines(name);
    QList<Row> rows;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        rows << Row{leadingInteger(lines[i].left(1)).toInt(), lines[i].mid(2)};
    }
    reset(rows);
    if (!lines.isEmpty()) {
        repeat_ = leadingInteger(lines.last()).toInt();
    }
    emit repeatChanged();  // even unchanged: the loop field shows this macro's count now
}

void MacroActionModel::clear() {
    reset({});
}

bool MacroActionModel::record(bool released, int code, const QString& delay) {
    if (count() >= kMaxRecordedRows) {
        return false;
    }
    QList<Row> rows;
    if (count() > 0) {
        rows << Row{Delay, number(delay)};
    }
    const bool mouse = code >= kFirstMouseCode;
    const int type = mouse ? (released ? MouseUp : MouseDown) : (released ? KeyUp : KeyDown);
    rows << Row{type, ui_keys::codeName(code)};
    beginInsertRows({}, count(), count() + static_cast<int>(rows.size()) - 1);
    rows_ << rows;
    endInsertRows();
    emit countChanged();
    return true;
}

void MacroActionModel::insertAction(const QString& name, bool after) {
    if (count() < kMaxRecordedRows) {
        const int code = ui_keys::code(name);
        if (code == 0) {
            return;
        }
        const bool mouse = code >= kFirstMouseCode;
        place({{mouse ? MouseDown : KeyDown, name}, {mouse ? MouseUp : KeyUp, name}}, after);
    }
    save();
}

void MacroActionModel::insertDelay(const QString& delay, bool after) {
    if (count() < kMaxRecordedRows) {
        place({{Delay, number(delay)}}, after);
    }
    save();
}

void MacroActionModel::menuChosen(int entry) {
    static const QString kButtons[] = {QStringLiteral("MS-L"), QStringLiteral("MS-M"),
                                       QStringLiteral("MS-R")};
    if (entry == 0) {
        removeCurrent();
        return;
    }
    if (count() < kMaxMenuRows && entry >= 1 && entry <= 3) {
        const QString& button = kButtons[entry - 1];
        place({{MouseDown, button}, {MouseUp, button}}, true);
    } else if (count() < kMaxMenuRows && entry == 4) {
        place({{Delay, QStringLiteral("50")}}, false);
        if (current_ > 0) {
            setCurrent(current_ - 1);  // the new delay
        }
    }
    save();
}

void MacroActionModel::removeCurrent() {
    if (current_ >= 0) {
        beginRemoveRows({}, current_, current_);
        rows_.removeAt(current_);
        endRemoveRows();
        emit countChanged();
        const int row = qMin(current_, count() - 1);
        current_ = -1;
        setCurrent(row);
    }
    save();
}

void MacroActionModel::setDelay(int row, const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= 0 && value <= kMaxDelayEdit && row >= 0 && row < count()) {
        rows_[row].info = QString::number(value);
        emit dataChanged(index(row), index(row), {InfoRole});
    }
    save();
}

void MacroActionModel::save() {
    if (name_.isEmpty()) {
        return;
    }
    QStringList lines;
    for (const Row& row : rows_) {
        lines << QString::number(row.type) + QLatin1Char(',') + row.info;
    }
    if (MacroStore(settings_).save(name_, lines, repeat_)) {
        emit saved(name_);
    }
}

void MacroActionModel::reset(const QList<Row>& rows) {
    beginResetModel();
    rows_ = rows;
    current_ = -1;
    endResetModel();
    emit countChanged();
    emit currentChanged();
}

void MacroActionModel::place(const QList<Row>& rows, bool after) {
    const int at = current_ < 0 ? count() : after ? current_ + 1 : current_;
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows_.insert(at + i, rows[i]);
    }
    endInsertRows();
    emit countChanged();
    if (current_ >= 0 && !after) {
        current_ += static_cast<int>(rows.size());
        emit currentChanged();
    }
}

}  // namespace z718
