// The macro files, their export and import, the assignments the profiles keep, gun data; the
// macro library's rules: new names and freed numbers, the 100-macro limit, renames and the
// names refused, deleting, imported names, the name list each change leaves behind and the
// selection; and the selected macro's actions as each edit leaves them in its file.
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "macro/gun_store.h"
#include "macro/macro_exchange.h"
#include "macro/macro_list_model.h"
#include "macro/macro_store.h"
#include "settings/file_access.h"
#include "settings/name_lists.h"
#include "support/hostile_files.h"
#include "support/scratch_dir.h"
#include "support/scripted_prompts.h"
#include "support/table_rows.h"

using z718::MacroActionModel;
using z718::MacroListModel;
using z718::test::ScratchDir;

namespace {

// Names are separated by blanks. `op` is "new", "rename <row> <name>", "remove <row>" or
// "import <row> <name>", <row> selected first; the macro X has a file as an import leaves it.
// `result` is what new and rename return, the selected row after the others. A name listed
// before and not after must have lost its file; `changed` are the macros whose buttons must
// load them again.
struct ListChange {
    const char* tag;
    QString before, op;
    int result;
    QString after, changed;
};

// Macro M (repeat count 3) with `before` and the action `current` selected takes `op`:
// "record <released> <code> <delay>", "insert <name> <before|after>", "delay <ms>
// <before|after>", "menu <entry>", "edit <row> <text>" or "remove". `after` is what it shows
// and, when `saves`, what its file holds. Actions are separated by blanks.
struct ActionEdit {
    const char* tag;
    QString before;
    int current;
    QString op, after;
    int currentAfter;
    bool saves;
};

}  // namespace

Q_DECLARE_METATYPE(ListChange)
Q_DECLARE_METATYPE(ActionEdit)

class TestMacroStore : public QObject {
    Q_OBJECT

private:
    // A fresh folder and stores for each test.
    struct Rig {
        ScratchDir scratch;
        z718::SettingsStore settings;
        z718::MacroStore store{settings};
        z718::GunStore guns{settings};
        z718::ScriptedPrompts prompts;
        z718::MacroExchange exchange{prompts, nullptr, {"Refused", "Not a macro: "}};
    };
    std::unique_ptr<Rig> t_;

    static QStringList names(const QString& blankSeparated) {
        return blankSeparated.split(' ', Qt::SkipEmptyParts);
    }
    // A macro file as the first release of the program wrote it.
    const QByteArray legacyMacro_ =
        "[config]\r\nindex=0\r\ntotal=2\r\nrepeat=1\r\ndid=-1\r\n\r\n"
        "[macro]\r\n0=\"1,\\x25ba\"\r\n1=\"2,\\x25ba\"\r\n";

    // Each entry gives macro `name` to `button` of `profile`.
    void assign(std::initializer_list<std::tuple<int, int, const char*>> entries) {
        for (const auto& [profile, button, name] : entries) {
            t_->settings.profile(profile).setValue(QStringLiteral("macro/%1").arg(button), name);
        }
    }
    QString assigned(int profile, int button) {
        return t_->settings.profile(profile)
            .value(QStringLiteral("macro/%1").arg(button))
            .toString();
    }
    static QVariantList gunValues(int x) {
        return {"L-Click", "10", QString::number(x), "-3", "0"};
    }

    QString outside(const QString& fileName) { return t_->scratch.path() + "/" + fileName; }

    static QString dialog(const QString& kind, const QString& caption) {
        return kind + '|' + caption + '|' +
               QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "|Macro(*.mc)";
    }

private slots:
    void init() {
        t_ = std::make_unique<Rig>();
        ScratchDir::write(z718::kGunDataPath, "");
        ScratchDir::write("./modules/macro/m.bin", legacyMacro_);
    }
    void cleanup() { t_.reset(); }

    // Create writes the configuration alone, in a folder made if missing, and a second create
    // resets it, keeping the lines; save rewrites the whole group of an existing macro and
    // gives every line back whole, whatever it holds. Files of older releases read the same.
    void createSaveReadAndRename() {
        QVERIFY(QDir("./modules/macro").removeRecursively());
        QVERIFY(!t_->store.save("never", {"1,A"}, 1));
        QVERIFY(!QFile::exists("./modules/macro/never.bin"));
        QVERIFY(t_->store.create("m", 3));
        QCOMPARE(ScratchDir::read("./modules/macro/m.bin"),
                 QByteArray("[config]\ndid=-1\nindex=3\nrepeat=1\ntotal=0\n"));
        QVERIFY(t_->store.save("m", {"1,A", "0,50", "2,A"}, 2));
        QVERIFY(t_->store.save("m", {"1,B"}, 65535));
        QVERIFY(!ScratchDir::read("./modules/macro/m.bin").contains("\n1="));
        QCOMPARE(t_->store.savedLines("m"), (QStringList{"1,B", "65535"}));
        t_->store.create("m", 7);
        QVERIFY(ScratchDir::read("./modules/macro/m.bin").contains("\n0=\"1,B\"\n"));
        QCOMPARE(t_->store.savedLines("m"), QStringList{"1"});
        const QStringList lines{"1,, <", "1,\u25ba", "2,\\ |", "1,\"q\"", "A    [Down]", "0,@V"};
        QVERIFY(t_->store.save("m", lines, 1));
        QCOMPARE(t_->store.savedLines("m"), lines + QStringList{"1"});

        // Files as the first release of the program wrote them: quoted lines holding commas,
        // non-ASCII as escape sequences, blanks of the tagged form kept inside quotes.
        ScratchDir::write("./modules/macro/old.bin",
                          "[config]\r\nindex=2\r\ntotal=5\r\nrepeat=3\r\ndid=1\r\n\r\n"
                          "[macro]\r\n0=\"1,A\"\r\n1=\"0,120\"\r\n2=\"1,\\x25ba\"\r\n"
                          "3=\"2,, <\"\r\n4=A      [Up]\r\n");
        QCOMPARE(t_->store.savedLines("old"),
                 (QStringList{"1,A", "0,120", "1,\u25ba", "2,, <", "A      [Up]", "3"}));
        QCOMPARE((QVariantList{t_->store.slotOf("old"), t_->store.typeOf("old")}),
                 (QVariantList{2, 1}));
        // The slot is the selected device's only; -1, no device yet, is none of them.
        t_->store.setSlot("old", 4);
        t_->store.setType("old", -1);
        QCOMPARE(t_->store.config("old", 0xFFFFFFFFu), (QVariantList{-1, 3}));
        t_->store.setType("old", 0);
        QCOMPARE(t_->store.config("old", 0), (QVariantList{4, 3}));
        QCOMPARE(t_->store.config("absent", 0), QVariantList{});
        QCOMPARE((QVariantList{t_->store.slotOf("absent"), t_->store.typeOf("absent")}),
                 (QVariantList{0, 0}));
        ScratchDir::write("./modules/macro/gap.bin", "[config]\ntotal=3\n[macro]\n1=\"1,A\"\n");
        QCOMPARE(t_->store.savedLines("gap"), (QStringList{"0", "1,A", "0", "0"}));
        ScratchDir::write("./modules/macro/bad.bin", "[config]\ntotal=-4\n");
        QCOMPARE(t_->store.savedLines("bad"), QStringList{"0"});

        // The six profiles the page offers keep the assignments: a rename moves them, even when
        // the file cannot move; plain renames and deletions leave them. Nothing of a renamed or
        // deleted file comes back under its old name.
        t_->store.create("M1", 0);
        t_->store.save("M1", {"1,A", "2,A"}, 5);
        assign({{0, 3, "M1"}, {1, 3, "M1"}, {1, 4, "N"}, {5, 9, "M1"}, {6, 3, "M1"}});
        QCOMPARE(t_->store.users("M1"), (QStringList{"Name", "3", "3", "9"}));
        QVERIFY(t_->store.rename("M1", "M2"));
        QCOMPARE((QStringList{assigned(0, 3), assigned(5, 9), assigned(6, 3)}),
                 (QStringList{"M2", "M2", "M1"}));
        QVERIFY(!QFile::exists("./modules/macro/M1.bin"));
        t_->store.create("M3", 1);
        QVERIFY(!t_->store.rename("M2", "M3"));
        QCOMPARE(assigned(0, 3), QString("M3"));
        QVERIFY(!t_->store.rename("gone", "M4"));
        QVERIFY(t_->store.renameFileOnly("M2", "b"));
        QVERIFY(!t_->store.renameFileOnly("M2", "c"));
        t_->store.create("M2", 1);
        QCOMPARE(t_->store.savedLines("M2"), QStringList{"1"});
        QVERIFY(t_->store.remove("b"));
        QVERIFY(!t_->store.remove("b"));
        t_->store.create("b", 2);
        QCOMPARE(t_->store.savedLines("b"), QStringList{"1"});
        QCOMPARE(assigned(0, 3), QString("M3"));

        QCOMPARE(t_->store.assigned(2), QVariant(0));
        t_->settings.setCurrentProfileIndex(4);
        t_->store.assign(12, "N");
        QCOMPARE(assigned(4, 12), QString("N"));
    }

    // Names no file may have, and links and FIFOs where the macro and gun files go.
    void hostileNamesAndFilesTouchNothing() {
        t_->store.create("ok", 0);
        assign({{0, 1, "ok"}});
        const QStringList before = t_->scratch.files();
        // The last is one byte too long for a file name.
        const QStringList refused = {
            "",        "../escape", "a/b",       "a\\b",   "/abs", "C:x",  "CON",
            "con.txt", "LPT1",      "com\u00b9", "aux .x", "a.",   "a ",   "..",
            "a\tb",    "a?b",       "a*b",       "a|b",    "a<b",  "a\"b", QString(245, 'x')};
        for (const QString& name : refused) {
            QVERIFY2(!t_->store.create(name, 0), qPrintable(name));
            QVERIFY(!t_->store.save(name, {"1,A"}, 1));
            QVERIFY(!t_->store.rename("ok", name));
            QVERIFY(!t_->store.renameFileOnly("ok", name));
            QVERIFY(!t_->store.remove(name));
            t_->store.setConfig(name, {1, 1}, 0);
            QCOMPARE(t_->store.savedLines(name), QStringList{});
        }
        QCOMPARE(assigned(0, 1), QString("ok"));
        QCOMPARE(t_->scratch.files(), before);
        for (const QString& name : QStringList{" lead", "a.b", ".hidden", "CONSOLE", "COM10",
                                               "\u5b8f", QString(244, 'x')}) {
            QVERIFY2(t_->store.create(name, 0), qPrintable(name));
        }
        QCOMPARE(t_->scratch.files().size(), before.size() + 7);

        // Links are not followed, FIFOs not opened. Which files the settings reader refuses is
        // checked beside it; here, that each way in asks it.
        const z718::test::LinkTargets links(t_->scratch.path());
        const QString dir = QStringLiteral("./modules/macro/");
        QVERIFY(links.link(dir + "linked.bin"));
        QVERIFY(links.link(dir + "dangling.bin", true));
        const z718::test::FifoTrap fifo(dir + "fifo.bin");
        QVERIFY(!t_->store.save("linked", {"1,A"}, 1));
        t_->store.setSlot("linked", 4);
        QVERIFY(t_->store.create("dangling", 2));
        QCOMPARE(t_->store.savedLines("dangling"), QStringList{"1"});
        QVERIFY(links.link(dir + "imported.bin", true));
        ScratchDir::write(outside("imported.mc"), legacyMacro_);
        t_->prompts.fileNames.push_back(outside("imported.mc"));
        QCOMPARE(t_->exchange.importMacro(), QString("imported"));
        QCOMPARE(t_->store.savedLines("imported").size(), 3);
        QVERIFY(links.link(dir + "taken.bin", true));
        QVERIFY(!t_->store.rename("m", "taken"));
        QVERIFY(!t_->store.renameFileOnly("m", "taken"));
        QVERIFY(t_->store.savedLines("linked").isEmpty() && t_->store.savedLines("fifo").isEmpty());
        QVERIFY(QFile::remove(z718::kGunDataPath));
        QVERIFY(links.link(z718::kGunDataPath));
        t_->guns.add(QVariantList{"AK"} + gunValues(1));
        QVERIFY(t_->guns.names().isEmpty());
        QVERIFY(links.untouched());
        QVERIFY(!fifo.opened());
    }

    // Export asks for the target, then replaces it.
    void exportAndImport() {
        ScratchDir::write(outside("out.mc"), "older export");
        t_->prompts.fileNames.push_back(outside("out.mc"));
        t_->exchange.exportMacro("m");
        QCOMPARE(t_->prompts.last(), dialog("save", "Save File"));
        QCOMPARE(ScratchDir::read(outside("out.mc")), legacyMacro_);
        t_->exchange.exportMacro("m");  // cancelled
        // A missing source leaves the target alone; the checking export does not even ask.
        ScratchDir::write(outside("keep.mc"), "keep");
        t_->prompts.fileNames.push_back(outside("keep.mc"));
        t_->exchange.exportMacro("missing");
        t_->exchange.exportExisting("missing");
        t_->exchange.exportExisting("../modules/macro/m");
        QCOMPARE(t_->prompts.asked.size(), size_t(3));
        QCOMPARE(ScratchDir::read(outside("keep.mc")), QByteArray("keep"));
        t_->prompts.fileNames.push_back(outside("checked.mc"));
        t_->exchange.exportExisting("m");
        QCOMPARE(t_->prompts.last(), dialog("save", "Save File"));
        QCOMPARE(ScratchDir::read(outside("checked.mc")), legacyMacro_);

        // The picked file becomes the macro named by what stands before its first dot, in a
        // folder made if missing, the old macro whole until the new one takes its place. A name
        // no macro can have, a file gone before the copy, content no settings file may hold
        // (refused with a message) and a cancel change nothing.
        QVERIFY(QDir("./modules/macro").removeRecursively());
        const QByteArray unsafe =
            "[config]\nindex=" + z718::test::unsafeValues("x").first().second + "\n";
        const std::tuple<QString, QByteArray, const char*, bool> rows[] = {
            {outside("m.fast.mc"), "[config]\ntotal=0\n", "m", false},
            {QDir::current().absoluteFilePath("modules/macro/m.bin"), legacyMacro_, "m", false},
            {outside("CON.mc"), legacyMacro_, "", false},
            {outside(".mc"), legacyMacro_, "", false},
            {outside("m .mc"), legacyMacro_, "", false},
            {outside("gone.mc"), {}, "", true},
            {outside("u.mc"), unsafe, "", true},
            {QString(), {}, "", false},
            {outside("m.mc"), "[config]\ntotal=1\n", "m", false},
        };
        QByteArray atReplace;
        z718::FileAccess::setBeforeReplace(
            [&](const QString& path) { atReplace = ScratchDir::read(path); });
        const auto unhook = qScopeGuard([] { z718::FileAccess::setBeforeReplace({}); });
        for (const auto& [file, content, macro, refused] : rows) {
            const z718::test::RowName row(file);
            if (!content.isEmpty()) {
                ScratchDir::write(file, content);
            }
            const QStringList before = t_->scratch.files();
            const QByteArray old = ScratchDir::read("./modules/macro/m.bin");
            t_->prompts.fileNames.push_back(file);
            QCOMPARE(t_->exchange.importMacro(), QString(macro));
            QCOMPARE(t_->prompts.last(), refused ? "warning|Refused|Not a macro: " + file + '|'
                                                 : dialog("open", "Open File"));
            if (*macro) {
                QCOMPARE(ScratchDir::read("./modules/macro/m.bin"), content);
                QCOMPARE(atReplace, old);
            } else {
                QCOMPARE(t_->scratch.files(), before);
            }
        }
    }

    // Entries of five values by name, a name holding the INI's group separator staying one
    // key; the selected gun and the sensitivity are the current profile's; without the gun
    // file every call is a no-op.
    void gunData() {
        ScratchDir::write(z718::kGunDataPath,
                          "[gunData]\nAK=L-Click, 10, 2, -3, 0\nsingle=L-Click\n");
        QCOMPARE(t_->guns.values("AK"), gunValues(2));
        QCOMPARE(t_->guns.values("single"), QVariantList{});  // one value is not a list
        t_->guns.add(QVariantList{"a/b"} + gunValues(2));
        t_->guns.add({"short", "L-Click", 10});
        QCOMPARE(t_->guns.names(), (QStringList{"AK", "a/b", "single"}));
        QCOMPARE(t_->guns.values("a/b"), gunValues(2));
        t_->guns.modify(1, QVariantList{"AK"} + gunValues(7) + QVariantList{"AK"});
        QCOMPARE(t_->guns.values("AK"), gunValues(7));
        t_->guns.modify(2, {"AK"});
        t_->guns.modify(1, {"AK"});
        t_->guns.modify(1, QVariantList{"a/b"} + gunValues(8) + QVariantList{"AK"});
        t_->guns.modify(0, {"single"});
        QCOMPARE(t_->guns.names(), QStringList{"a/b"});
        QCOMPARE(t_->guns.values("a/b"), gunValues(8));

        const auto selection = [&] {
            return QVariantList{t_->guns.selectedGun(0), t_->guns.xySensitivity(1)};
        };
        QCOMPARE(selection(), (QVariantList{"", 4}));
        t_->guns.selectGun(0, "AK");
        t_->guns.setXYSensitivity(1, 9);
        QCOMPARE(selection(), (QVariantList{"AK", 9}));
        t_->settings.setCurrentProfileIndex(3);
        QCOMPARE(selection(), (QVariantList{"", 4}));

        QVERIFY(QFile::remove(z718::kGunDataPath));
        t_->guns.add(QVariantList{"AK"} + gunValues(1));
        t_->guns.modify(1, {"AK", "L-Click", 10, 1, -3, 0, "old"});
        t_->guns.selectGun(0, "AK");
        t_->guns.setXYSensitivity(1, 7);
        QCOMPARE(selection(), (QVariantList{"", QVariant()}));
        QVERIFY(t_->scratch.files().filter("gun").isEmpty());
        QVERIFY(t_->settings.currentProfile().childGroups().isEmpty());
    }

    void eachChangeKeepsRowsNameListAndFilesAlike_data() {
        QString full;
        for (int i = 0; i < 100; ++i) {
            full += QStringLiteral("Macro_%1 ").arg(i);
        }
        const ListChange rows[] = {
            {"new, full", full, "new", -1, full, ""},
            {"new", "Macro_0 Macro_2", "new", 2, "Macro_0 Macro_2 Macro_1", ""},
            {"new, one stored name", "Solo listpadguard", "new", 1, "Solo Macro_0", ""},
            {"rename", "A B", "rename 1 C", 0, "A C", ""},
            {"rename, listed", "A B", "rename 1 A", -1, "A B", ""},
            {"rename, own name", "A B", "rename 0 A", -1, "A B", ""},
            {"rename, empty", "A B", "rename 0", 1, "A B", ""},
            {"rename, character", "A B", "rename 0 a|b", 3, "A B", ""},
            {"rename, reserved", "A B", "rename 0 NUL", 4, "A B", ""},
            {"remove, middle", "A B C", "remove 1", 1, "A C", ""},
            {"remove, last", "A B", "remove 1", 0, "A", ""},
            {"remove, only", "A", "remove 0", -1, "", ""},
            {"import, before row", "A B", "import 1 X", 2, "A X B", ""},
            {"import, no row", "A B", "import -1 X", -1, "A B X", ""},
            {"import, listed", "A B", "import 0 B", 0, "A B", "A B"},
        };
        z718::test::addRows(rows);
    }
    void eachChangeKeepsRowsNameListAndFilesAlike() {
        QFETCH(ListChange, row);
        const auto& [tag, before, op, result, after, changed] = row;
        for (const QString& name : names(before) + QStringList{"X"}) {
            t_->store.create(name, 0);
        }
        z718::namelists::store(0, names(before));
        MacroListModel model(t_->settings);
        model.load();
        QStringList changedNames;
        connect(&model, &MacroListModel::macroChanged,
                [&](const QString& name) { changedNames << name; });
        const QStringList word = op.split(' ');
        const int at = word.value(1).toInt();
        model.select(at);
        const int got = word[0] == "new"      ? model.addNew()
                        : word[0] == "rename" ? model.rename(at, word.value(2))
                        : word[0] == "remove" ? (model.removeCurrent(), model.current())
                                              : (model.addImported(word[2]), model.current());
        QCOMPARE(got, result);
        // The actions shown are the selected macro's, under its name now.
        QCOMPARE(model.actionModel().name(), model.nameAt(model.current()));
        QCOMPARE(changedNames, names(changed));
        QCOMPARE(z718::test::shownRows(model, {MacroListModel::NameRole}), names(after));
        QCOMPARE(model.count(), names(after).size());
        QCOMPARE(z718::test::storedNames(0), names(after));
        for (const QString& name : names(before) + names(after)) {
            const bool hasFile = !z718::MacroStore::existingFile(name).isEmpty();
            QVERIFY2(hasFile == names(after).contains(name) || name == z718::namelists::kPadGuard,
                     qPrintable(name));
        }
    }

    void eachActionEditIsSavedAtOnce_data() {
        const QString full = QStringList(252, "1,A").join(' ');
        const QString half = QStringList(126, "1,A").join(' ');
        const char* c = "1,C 0,5 2,C";
        const ActionEdit rows[] = {
            {"record, full", full, -1, "record 0 4 10", full, -1, false},
            {"insert, full", full, 0, "insert B after", full, 0, true},
            {"menu, full", half, 0, "menu 1", half, 0, true},
            {"record, first: no delay", "", -1, "record 0 4 120", "1,A", -1, false},
            {"record, a button", "1,A", -1, "record 0 240 30", "1,A 0,30 3,MS-L", -1, false},
            {"insert after the last", "1,C 2,C", 1, "insert B after", "1,C 2,C 1,B 2,B", 1, true},
            {"insert, none selected", "", -1, "insert MS-R before", "3,MS-R 4,MS-R", -1, true},
            {"insert, no such key", c, 0, "insert Nope after", c, 0, false},
            {"delay after", c, 0, "delay 30 after", "1,C 0,30 0,5 2,C", 0, true},
            {"menu, delete", c, 2, "menu 0", "1,C 0,5", 1, true},
            {"menu, middle button", c, 0, "menu 2", "1,C 3,MS-M 4,MS-M 0,5 2,C", 0, true},
            {"menu, delay: selected", c, 2, "menu 4", "1,C 0,5 0,50 2,C", 2, true},
            {"edit, not a number", c, -1, "edit 1 x", c, -1, true},
            {"edit, above 100000", c, -1, "edit 1 100001", c, -1, true},
            {"remove, none selected", c, -1, "remove", c, -1, true},
        };
        z718::test::addRows(rows);
    }
    void eachActionEditIsSavedAtOnce() {
        QFETCH(ActionEdit, row);
        const auto& [tag, before, current, op, after, currentAfter, saves] = row;
        t_->store.create("M", 0);
        t_->store.save("M", names(before), 3);
        MacroActionModel actions(t_->settings);
        actions.load("M");
        actions.setCurrent(current);
        QSignalSpy saved(&actions, &MacroActionModel::saved);
        const QStringList word = op.split(' ');
        word[0] == "record"   ? void(actions.record(word[1] == "1", word[2].toInt(), word[3]))
        : word[0] == "insert" ? actions.insertAction(word[1], word[2] == "after")
        : word[0] == "delay"  ? actions.insertDelay(word[1], word[2] == "after")
        : word[0] == "menu"   ? actions.menuChosen(word[1].toInt())
        : word[0] == "edit"   ? actions.setDelay(word[1].toInt(), word[2])
                              : actions.removeCurrent();
        QCOMPARE(z718::test::shownRows(
                     actions, {MacroActionModel::TypeRole, MacroActionModel::InfoRole}, ","),
                 names(after));
        QCOMPARE(actions.current(), currentAfter);
        QCOMPARE(saved.size(), int(saves));
        QCOMPARE(t_->store.savedLines("M"), names(saves ? after : before) + QStringList{"3"});
    }
};

QTEST_GUILESS_MAIN(TestMacroStore)
#include "tst_macro_store.moc"
