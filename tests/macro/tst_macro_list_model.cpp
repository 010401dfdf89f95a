// The macro library's rules: new names and freed numbers, the 100-macro limit, renames and
// the names refused, deleting, imported names, the name list each change leaves behind and
// the selection; and the selected macro's actions as each edit leaves them in its file.
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "macro/macro_list_model.h"
#include "macro/macro_store.h"
#include "settings/name_lists.h"
#include "support/scratch_dir.h"

using z718::MacroActionModel;
using z718::MacroListModel;
using z718::test::ScratchDir;

namespace {

QStringList shown(const MacroListModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        rows << model.data(model.index(r), MacroListModel::NameRole).toString();
    }
    return rows;
}

QStringList stored() {
    QStringList names;
    for (const QVariant& name : z718::namelists::read(0)) {
        names << name.toString();
    }
    return names.size() == 2 && names[1] == z718::namelists::kPadGuard ? names.mid(0, 1) : names;
}

QStringList numbered(int n) {
    QStringList names;
    for (int i = 0; i < n; ++i) {
        names << QStringLiteral("Macro_%1").arg(i);
    }
    return names;
}

QStringList repeated(int n, const QString& line = QStringLiteral("1,A")) {
    return QStringList(n, line);
}

QStringList shownActions(const MacroActionModel& actions) {
    QStringList rows;
    for (int r = 0; r < actions.rowCount(); ++r) {
        const QModelIndex at = actions.index(r);
        rows << actions.data(at, MacroActionModel::TypeRole).toString() + ',' +
                    actions.data(at, MacroActionModel::InfoRole).toString();
    }
    return rows;
}

}  // namespace

class MacroListModelTest : public QObject {
    Q_OBJECT

private slots:
    // `op` is "new", "rename <row> <name>", "remove <row>" or "import <row> <name>", <row>
    // selected first; the macro X has a file as an import leaves it. `result` is what new and
    // rename return, the selected row after the others. `gone` is a name whose file must be
    // gone; `changed` the macros whose buttons must load them again.
    void eachChangeKeepsRowsNameListAndFilesAlike_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("gone");
        QTest::addColumn<QStringList>("changed");
        const QStringList ab{"A", "B"};
        QTest::newRow("new, first free number")
            << QStringList{"Macro_0", "Macro_2"} << "new" << 2
            << QStringList{"Macro_0", "Macro_2", "Macro_1"} << "" << QStringList{};
        QTest::newRow("new, one stored name")
            << QStringList{"Solo", "listpadguard"} << "new" << 1 << QStringList{"Solo", "Macro_0"}
            << "" << QStringList{};
        QTest::newRow("new, full")
            << numbered(100) << "new" << -1 << numbered(100) << "" << QStringList{};
        QTest::newRow("rename") << ab << "rename 1 C" << 0 << QStringList{"A", "C"} << "B"
                                << QStringList{};
        QTest::newRow("rename, listed") << ab << "rename 1 A" << -1 << ab << "" << QStringList{};
        QTest::newRow("rename, own name") << ab << "rename 0 A" << -1 << ab << "" << QStringList{};
        QTest::newRow("rename, empty") << ab << "rename 0" << 1 << ab << "" << QStringList{};
        QTest::newRow("rename, character")
            << ab << "rename 0 a|b" << 3 << ab << "" << QStringList{};
        QTest::newRow("rename, reserved") << ab << "rename 0 NUL" << 4 << ab << "" << QStringList{};
        QTest::newRow("remove, middle") << QStringList{"A", "B", "C"} << "remove 1" << 1
                                        << QStringList{"A", "C"} << "B" << QStringList{};
        QTest::newRow("remove, last")
            << ab << "remove 1" << 0 << QStringList{"A"} << "B" << QStringList{};
        QTest::newRow("remove, only")
            << QStringList{"A"} << "remove 0" << -1 << QStringList{} << "A" << QStringList{};
        QTest::newRow("import, before row")
            << ab << "import 1 X" << 2 << QStringList{"A", "X", "B"} << "" << QStringList{};
        QTest::newRow("import, no row")
            << ab << "import -1 X" << -1 << QStringList{"A", "B", "X"} << "" << QStringList{};
        QTest::newRow("import, listed")
            << ab << "import 0 B" << 0 << ab << "" << QStringList{"A", "B"};
    }
    void eachChangeKeepsRowsNameListAndFilesAlike() {
        QFETCH(QStringList, before);
        QFETCH(QString, op);
        ScratchDir scratch;
        z718::SettingsStore settings;
        for (const QString& name : before + QStringList{"X"}) {
            z718::MacroStore(settings).create(name, 0);
        }
        z718::namelists::store(0, before);
        MacroListModel model(settings);
        model.load();
        QSignalSpy changes(&model, &MacroListModel::macroChanged);
        const QStringList word = op.split(' ');
        const int row = word.value(1).toInt();
        model.select(row);
        const int got = word[0] == "new"      ? model.addNew()
                        : word[0] == "rename" ? model.rename(row, word.value(2))
                        : word[0] == "remove" ? (model.removeCurrent(), model.current())
                                              : (model.addImported(word[2]), model.current());
        QFETCH(int, result);
        QFETCH(QStringList, after);
        QFETCH(QString, gone);
        QFETCH(QStringList, changed);
        QCOMPARE(got, result);
        // The actions shown are the selected macro's, under its name now.
        QCOMPARE(model.actionModel().name(), model.nameAt(model.current()));
        QStringList changedNames;
        for (const QList<QVariant>& change : changes) {
            changedNames << change[0].toString();
        }
        QCOMPARE(changedNames, changed);
        QCOMPARE(shown(model), after);
        QCOMPARE(model.count(), after.size());
        QCOMPARE(stored(), after);
        for (const QString& name : after) {
            QVERIFY2(!z718::MacroStore::existingFile(name).isEmpty(), qPrintable(name));
        }
        QVERIFY(gone.isEmpty() || z718::MacroStore::existingFile(gone).isEmpty());
    }

    // Macro M (repeat count 3) with `before` and the action `current` selected takes `op`:
    // "record <released> <code> <delay>", "insert <name> <before|after>", "delay <ms>
    // <before|after>", "menu <entry>", "edit <row> <text>" or "remove". `after` is what it
    // shows and, when `saves`, what its file holds.
    void eachActionEditIsSavedAtOnce_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("currentAfter");
        QTest::addColumn<bool>("saves");
        const QStringList clicks{"3,MS-L", "0,10", "4,MS-L", "0,20", "1,C", "2,C"};
        const QStringList c{"1,C", "0,5", "2,C"};
        QTest::newRow("record, first: no delay")
            << QStringList{} << -1 << "record 0 4 120" << QStringList{"1,A"} << -1 << false;
        QTest::newRow("record, a release") << QStringList{"1,A"} << -1 << "record 1 4 120"
                                           << QStringList{"1,A", "0,120", "2,A"} << -1 << false;
        QTest::newRow("record, a button") << QStringList{"1,A"} << -1 << "record 0 240 30"
                                          << QStringList{"1,A", "0,30", "3,MS-L"} << -1 << false;
        QTest::newRow("record, full")
            << repeated(252) << -1 << "record 0 4 10" << repeated(252) << -1 << false;
        QTest::newRow("insert before")
            << clicks << 3 << "insert B before"
            << QStringList{"3,MS-L", "0,10", "4,MS-L", "1,B", "2,B", "0,20", "1,C", "2,C"} << 5
            << true;
        QTest::newRow("insert after the last")
            << QStringList{"1,C", "2,C"} << 1 << "insert B after"
            << QStringList{"1,C", "2,C", "1,B", "2,B"} << 1 << true;
        QTest::newRow("insert, none selected") << QStringList{} << -1 << "insert MS-R before"
                                               << QStringList{"3,MS-R", "4,MS-R"} << -1 << true;
        QTest::newRow("insert, no such key") << c << 0 << "insert Nope after" << c << 0 << false;
        QTest::newRow("insert, full")
            << repeated(252) << 0 << "insert B after" << repeated(252) << 0 << true;
        QTest::newRow("delay after")
            << c << 0 << "delay 30 after" << QStringList{"1,C", "0,30", "0,5", "2,C"} << 0 << true;
        QTest::newRow("menu, delete")
            << c << 2 << "menu 0" << QStringList{"1,C", "0,5"} << 1 << true;
        QTest::newRow("menu, middle button")
            << c << 0 << "menu 2" << QStringList{"1,C", "3,MS-M", "4,MS-M", "0,5", "2,C"} << 0
            << true;
        QTest::newRow("menu, delay: selected")
            << c << 2 << "menu 4" << QStringList{"1,C", "0,5", "0,50", "2,C"} << 2 << true;
        QTest::newRow("menu, full") << repeated(126) << 0 << "menu 1" << repeated(126) << 0 << true;
        QTest::newRow("edit a delay")
            << c << -1 << "edit 1 250" << QStringList{"1,C", "0,250", "2,C"} << -1 << true;
        QTest::newRow("edit, not a number") << c << -1 << "edit 1 x" << c << -1 << true;
        QTest::newRow("edit, above 100000") << c << -1 << "edit 1 100001" << c << -1 << true;
        QTest::newRow("remove, none selected") << c << -1 << "remove" << c << -1 << true;
    }
    void eachActionEditIsSavedAtOnce() {
        QFETCH(QStringList, before);
        QFETCH(int, current);
        QFETCH(QString, op);
        ScratchDir scratch;
        z718::SettingsStore settings;
        z718::MacroStore(settings).create("M", 0);
        z718::MacroStore(settings).save("M", before, 3);
        MacroActionModel actions(settings);
        actions.load("M");
        actions.setCurrent(current);
        QSignalSpy saved(&actions, &MacroActionModel::saved);
        const QStringList word = op.split(' ');
        if (word[0] == "record") {
            actions.record(word[1] == "1", word[2].toInt(), word[3]);
        } else if (word[0] == "insert") {
            actions.insertAction(word[1], word[2] == "after");
        } else if (word[0] == "delay") {
            actions.insertDelay(word[1], word[2] == "after");
        } else if (word[0] == "menu") {
            actions.menuChosen(word[1].toInt());
        } else if (word[0] == "edit") {
            actions.setDelay(word[1].toInt(), word[2]);
        } else {
            actions.removeCurrent();
        }
        QFETCH(QStringList, after);
        QFETCH(int, currentAfter);
        QFETCH(bool, saves);
        QCOMPARE(shownActions(actions), after);
        QCOMPARE(actions.current(), currentAfter);
        QCOMPARE(saved.size(), int(saves));
        QCOMPARE(z718::MacroStore(settings).savedLines("M"),
                 (saves ? after : before) + QStringList{"3"});
    }
};

QTEST_GUILESS_MAIN(MacroListModelTest)
#include "tst_macro_list_model.moc"
