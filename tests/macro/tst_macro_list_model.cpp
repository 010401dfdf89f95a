// The macro library's rules: new names and freed numbers, the 100-macro limit, renames and
// the names refused, deleting, imported names, and the name list each change leaves behind.
#include <QTest>
#include <memory>

#include "macro/macro_list_model.h"
#include "macro/macro_store.h"
#include "settings/name_lists.h"
#include "support/scratch_dir.h"

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

}  // namespace

class MacroListModelTest : public QObject {
    Q_OBJECT

private slots:
    // `op` is "new", "rename <row> <name>", "remove <row>" or "import <row> <name>"; the
    // macro X has a file as an import leaves it. `gone` is a name whose file must be gone.
    void eachChangeKeepsRowsNameListAndFilesAlike_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("gone");
        const QStringList ab{"A", "B"};
        QTest::newRow("new, first free number")
            << QStringList{"Macro_0", "Macro_2"} << "new" << 2
            << QStringList{"Macro_0", "Macro_2", "Macro_1"} << "";
        QTest::newRow("new, one stored name") << QStringList{"Solo", "listpadguard"} << "new" << 1
                                              << QStringList{"Solo", "Macro_0"} << "";
        QTest::newRow("new, full") << numbered(100) << "new" << -1 << numbered(100) << "";
        QTest::newRow("rename") << ab << "rename 1 C" << 0 << QStringList{"A", "C"} << "B";
        QTest::newRow("rename, listed") << ab << "rename 1 A" << -1 << ab << "";
        QTest::newRow("rename, own name") << ab << "rename 0 A" << -1 << ab << "";
        QTest::newRow("rename, empty") << ab << "rename 0" << 1 << ab << "";
        QTest::newRow("rename, character") << ab << "rename 0 a|b" << 3 << ab << "";
        QTest::newRow("rename, reserved") << ab << "rename 0 NUL" << 4 << ab << "";
        QTest::newRow("remove, middle")
            << QStringList{"A", "B", "C"} << "remove 1" << 1 << QStringList{"A", "C"} << "B";
        QTest::newRow("remove, last") << ab << "remove 1" << 0 << QStringList{"A"} << "B";
        QTest::newRow("remove, only")
            << QStringList{"A"} << "remove 0" << -1 << QStringList{} << "A";
        QTest::newRow("import, before row")
            << ab << "import 1 X" << 1 << QStringList{"A", "X", "B"} << "";
        QTest::newRow("import, no row")
            << ab << "import -1 X" << 1 << QStringList{"A", "B", "X"} << "";
        QTest::newRow("import, listed") << ab << "import 0 B" << 0 << ab << "";
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
        const QStringList word = op.split(' ');
        const int row = word.value(1).toInt();
        const int got = word[0] == "new"      ? model.addNew()
                        : word[0] == "rename" ? model.rename(row, word.value(2))
                        : word[0] == "remove" ? model.remove(row)
                                              : int(model.addImported(word[2], row));
        QFETCH(int, result);
        QFETCH(QStringList, after);
        QFETCH(QString, gone);
        QCOMPARE(got, result);
        QCOMPARE(shown(model), after);
        QCOMPARE(model.count(), after.size());
        QCOMPARE(stored(), after);
        for (const QString& name : after) {
            QVERIFY2(!z718::MacroStore::existingFile(name).isEmpty(), qPrintable(name));
        }
        QVERIFY(gone.isEmpty() || z718::MacroStore::existingFile(gone).isEmpty());
    }
};

QTEST_GUILESS_MAIN(MacroListModelTest)
#include "tst_macro_list_model.moc"
