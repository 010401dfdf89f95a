#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

#include "platform/prompts.h"
#include "settings/app_rules.h"
#include "settings/settings_store.h"

namespace z718 {

// The profiles the profile page offers: at most six rows of a name and a profile number
// (0..5), kept as the profile name list ("<name><digit>" per row). The selected row is the
// profile the user chose; every change of it is announced with profileChosen. A profile
// deleted, or whose number New or Copy takes again, loses its program rules.
class ProfileListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)
public:
    enum Role { NameRole = Qt::UserRole + 1, NumberRole, ProgramsRole };
    static constexpr int kMaxProfiles = 6;
    static constexpr int kMaxNameNumber = 12;  // "profile_0".."profile_11", copies "(0)".."(11)"

    ProfileListModel(SettingsStore& settings, Prompts& prompts, AppRules& rules,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int selectedRow() const { return selected_; }

    // Reads the name list and selects the row of `profileNo` (the first row when none has
    // it). With `standardFirst` the first row is named "Standard" and the list written back.
    Q_INVOKABLE void load(int profileNo, bool standardFirst);
    Q_INVOKABLE void select(int row);
    // Selects the row of `profileNo`, if one has it, without announcing it: the profile was
    // applied from elsewhere (the tray).
    Q_INVOKABLE void follow(int profileNo);
    // A row named "profile_<n>" with the first free number, its file reset to the default.
    // With six rows no row is added, but the next number's file is still reset.
    Q_INVOKABLE void addNew();
    // Removes the selected row (never the last one); the profile's file stays.
    Q_INVOKABLE void removeSelected();
    // A copy of the selected profile under "<name>(<n>)" with the first free number.
    Q_INVOKABLE void copySelected();
    // False, changing nothing, when another row (or this one) already has the name.
    Q_INVOKABLE bool rename(int row, const QString& name);
    Q_INVOKABLE int numberAt(int row) const;
    // The name of the row of `profileNo`; "" when no row has it.
    Q_INVOKABLE QString nameOf(int profileNo) const;

signals:
    void selectedRowChanged();
    void profileChosen(int profileNo);

private:
    struct Row {
        QString name;
        int number = 0;
    };

    bool nameTaken(const QString& name) const;
    int rowOfNumber(int number) const;
    int firstFreeNumber() const;
    int firstFreeName(const QString& prefix, const QString& suffix) const;
    void setSelected(int row);
    void announce();
    void writeNames();
    void append(const Row& row);
    void programsChanged();

    SettingsStore& settings_;
    Prompts& prompts_;
    AppRules& rules_;
    std::vector<Row> rows_;
    int selected_ = -1;
};

}  // namespace z718
