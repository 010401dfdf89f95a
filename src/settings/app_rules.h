#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <vector>

namespace z718 {

inline const QString kAppRulesPath = QStringLiteral("./modules/setting/appRules.bin");

// Which profile a program brings with it: one row per program (named as the focus source
// names it, compared without regard to case), each with a profile number 0..9. Every change
// is written to the rules file at once.
class AppRules : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { ProgramRole = Qt::UserRole + 1, ProfileRole };
    static constexpr int kMaxProgramName = 255;

    // Reads the rules file at `path`; a missing or unreadable one holds no rules.
    explicit AppRules(const QString& path = kAppRulesPath, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // `program` brings `profile` from now on, in place of any profile it brought before.
    // False, changing nothing, for an empty or overlong name or a number outside 0..9.
    Q_INVOKABLE bool setRule(const QString& program, int profile);
    Q_INVOKABLE void removeRule(const QString& program);
    // Removes the rule when `program` brings `profile`, else makes it bring `profile`.
    Q_INVOKABLE void toggle(const QString& program, int profile);
    // The profile `program` brings; -1 when it has no rule.
    Q_INVOKABLE int profileFor(const QString& program) const;
    // What a picker offers for `profile`: the programs that bring it, then those of
    // `withWindows` that do not, each once.
    QStringList choices(const QStringList& withWindows, int profile) const;
    // The programs that bring `profile`, in the order their rules were made.
    Q_INVOKABLE QStringList programsOf(int profile) const;
    // Drops the rules of `profile`: it was deleted, or its number now holds another profile.
    void forgetProfile(int profile);

private:
    struct Rule {
        QString program;
        int profile = 0;
    };

    int rowOf(const QString& program) const;
    void write() const;

    QString path_;
    std::vector<Rule> rules_;
};

}  // namespace z718
