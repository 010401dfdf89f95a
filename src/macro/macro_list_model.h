#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QVariantMap>

#include "settings/settings_store.h"

namespace z718 {

// The macro library the macro editor shows: the macro names in the order of the macro name
// list, at most 100 of them, no two alike. Every change is written to the name list and to
// the macro files at once.
class MacroListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum Role { NameRole = Qt::UserRole + 1 };
    static constexpr int kMaxMacros = 100;

    explicit MacroListModel(SettingsStore& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(names_.size()); }

    // Reads the rows from the name list again.
    Q_INVOKABLE void load();
    // {macroName} of `row`, as the drop-downs read a row; empty outside the rows.
    Q_INVOKABLE QVariantMap get(int row) const;
    // The name of `row`; "" outside the rows.
    Q_INVOKABLE QString nameAt(int row) const;
    // A row "Macro_<n>" with the first n no row has, its file created; the new row, or -1
    // when the library is full.
    Q_INVOKABLE int addNew();
    // -1 changing nothing when a row already has the name; 0 renamed (file, assignments and
    // row); otherwise why no file can have that name (1 empty, 2 too long, 3 a character,
    // 4 a name the system keeps), nothing renamed.
    Q_INVOKABLE int rename(int row, const QString& name);
    // Deletes the macro of `row` and its file; the row to select after it (-1 when none).
    Q_INVOKABLE int remove(int row);
    // Lists an imported macro before `row` (at the end when `row` is -1); false, changing
    // nothing, when a row already has the name.
    Q_INVOKABLE bool addImported(const QString& name, int row);

signals:
    void countChanged();
    // Macro `name` and its file are gone, its row too.
    void removed(const QString& name);

private:
    void insertRow(int row, const QString& name);
    void writeNames();

    SettingsStore& settings_;
    QStringList names_;
};

}  // namespace z718
