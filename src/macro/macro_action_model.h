#pragma once

#include <QAbstractListModel>
#include <QList>

#include "settings/settings_store.h"

namespace z718 {

// The actions of the macro the editor has selected, its repeat count and the selected action
// (`current`, -1 for none). Every edit ends in a save of the macro's file; saved() then tells
// whoever loads the macro into the buttons that play it.
class MacroActionModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int current READ current WRITE setCurrent NOTIFY currentChanged)
    Q_PROPERTY(int repeat READ repeat WRITE setRepeat NOTIFY repeatChanged)
    // More actions than a button plays: the end of the macro is cut when it plays.
    Q_PROPERTY(bool tooLong READ tooLong NOTIFY countChanged)
public:
    enum Role { TypeRole = Qt::UserRole + 1, InfoRole, IsDelayRole };
    enum Type { Delay, KeyDown, KeyUp, MouseDown, MouseUp };
    // Recording and the Insert button stop adding here, the context menu earlier.
    static constexpr int kMaxRecordedRows = 252;
    static constexpr int kMaxMenuRows = 126;

    explicit MacroActionModel(SettingsStore& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(rows_.size()); }
    int current() const { return current_; }
    void setCurrent(int row);
    int repeat() const { return repeat_; }
    void setRepeat(int repeat);
    bool tooLong() const;

    // Shows macro `name` ("" for none) as its file holds it, no action selected. A missing
    // file shows no actions and keeps the repeat count.
    void load(const QString& name);
    // The shown macro is called `name` now; its actions stay as they are.
    void follow(const QString& name) { name_ = name; }
    const QString& name() const { return name_; }

    // No actions and none selected, as a recording starts; saved when the recording ends.
    Q_INVOKABLE void clear();
    // Appends a recorded key or button (`released` as the hooks report it), after a delay row
    // of `delay` ms unless it is the first; false, adding nothing, when the list is full.
    Q_INVOKABLE bool record(bool released, int code, const QString& delay);
    // The press and release of key or button `name` before the selected action, or after it;
    // at the end with none selected. A name that is no key changes and saves nothing.
    Q_INVOKABLE void insertAction(const QString& name, bool after);
    // A delay of `delay` ms, placed as insertAction() places its pair.
    Q_INVOKABLE void insertDelay(const QString& delay, bool after);
    // An entry of the action's context menu: 0 deletes the selected action, 1 to 3 click the
    // left, middle or right button after it, 4 waits 50 ms before it (and is selected).
    Q_INVOKABLE void menuChosen(int entry);
    Q_INVOKABLE void removeCurrent();
    // A delay row's new text: a whole number 0..100000 replaces its delay, anything else
    // keeps it.
    Q_INVOKABLE void setDelay(int row, const QString& text);
    // Writes the actions and the repeat count to the macro's file.
    Q_INVOKABLE void save();

signals:
    void countChanged();
    void currentChanged();
    void repeatChanged();
    // Macro `name`'s file holds its new actions.
    void saved(const QString& name);

private:
    struct Row {
        int type;
        QString info;
    };

    void reset(const QList<Row>& rows);
    // Inserts `rows` before or after the selected row (at the end with none selected); the
    // selection stays on its action.
    void place(const QList<Row>& rows, bool after);

    SettingsStore& settings_;
    QString name_;
    QList<Row> rows_;
    int current_ = -1;
    int repeat_ = 1;
};

}  // namespace z718
