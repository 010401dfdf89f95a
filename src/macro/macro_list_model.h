#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QVariantMap>

#include "macro/macro_action_model.h"
#include "settings/settings_store.h"

namespace z718 {

// The macro library the macro editor shows: the macro names in the order of the macro name
// list, at most 100 of them, no two alike, and the selected macro (`current`, -1 for none)
// whose actions `actions` shows. Every change is written to the name list and to the macro
// files at once.
class MacroListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int current READ current WRITE select NOTIFY currentChanged)
    Q_PROPERTY(QObject* actions READ actions CONSTANT)
public:
    enum Role { NameRole = Qt::UserRole + 1 };
    static constexpr int kMaxMacros = 100;

    explicit MacroListModel(SettingsStore& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(names_.size()); }
    int current() const { return current_; }
    // Selects `row` (none for a number outside the rows) and shows its actions.
    void select(int row);
    QObject* actions() { return actions_; }
    MacroActionModel& actionModel() { return *actions_; }

    // Reads the rows from the name list again; none selected.
    Q_INVOKABLE void load();
    // {macroName} of `row`, as the drop-downs read a row; empty outside the rows.
    Q_INVOKABLE QVariantMap get(int row) const;
    // The name of `row`; "" outside the rows.
    Q_INVOKABLE QString nameAt(int row) const;
    // A row "Macro_<n>" with the first n no row has, its file created, and selected; the new
    // row, or -1 when the library is full.
    Q_INVOKABLE int addNew();
    // -1 changing nothing when a row already has the name; 0 renamed (file, assignments and
    // row); otherwise why no file can have that name (1 empty, 2 too long, 3 a character,
    // 4 a name the system keeps), nothing renamed.
    Q_INVOKABLE int rename(int row, const QString& name);
    // Deletes the selected macro and its file and selects the row now in its place (the new
    // last row when it was last); the name deleted, "" when none was selected.
    Q_INVOKABLE QString removeCurrent();
    // An import has just written macro `name`'s file ("" for none). A new name is listed
    // before the selected row (at the end with none selected), the selection staying on its
    // macro. A listed name had its file replaced: the selected macro is shown and saved
    // again, and macroChanged() tells of the replaced one. False for a listed name or "".
    Q_INVOKABLE bool addImported(const QString& name);

signals:
    void countChanged();
    void currentChanged();
    // Macro `name`'s file holds new actions: the buttons that play it load it again.
    void macroChanged(const QString& name);
    // Macro `name` and its file are gone, its row too.
    void removed(const QString& name);

private:
    void insertRow(int row, const QString& name);
    void writeNames();

    SettingsStore& settings_;
    QStringList names_;
    int current_ = -1;
    MacroActionModel* actions_;
};

}  // namespace z718
