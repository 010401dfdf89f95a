// Import, export, reset and copy of whole profiles, and the image picker, with scripted
// dialogs; the profile page's rules: reading and naming the rows, New, Delete, Copy, rename, the
// six-profile limit, the name list each change leaves behind, and the program rules.
#include <QDirIterator>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include "settings/file_access.h"
#include "settings/ini_values.h"
#include "settings/name_lists.h"
#include "settings/profile_list_model.h"
#include "settings/profile_manager.h"
#include "settings/settings_store.h"
#include "support/hostile_files.h"
#include "support/scratch_dir.h"
#include "support/scripted_prompts.h"
#include "support/table_rows.h"

using z718::ProfileListModel;
using z718::test::ScratchDir;

namespace {

// Names are separated by blanks. The name list `names` is loaded with profile `current` in use,
// then takes `op`: "standard" (loaded again naming the first row "Standard"), "new", "delete",
// "copy", "rename <row> <name>" or "" (nothing). Each profile n has had a rule for program "pn"
// and profile `current` cursor speed 4; `forgotten` is the profile whose rules are gone and,
// after new or copy, whose file is the default's or the copy. `chosen` is the profile
// announced, -1 for none, -2 for either.
struct ProfileChange {
    const char* tag;
    QString names;
    int current;
    QString op, rows;
    int selected, chosen, forgotten;
};

}  // namespace

Q_DECLARE_METATYPE(ProfileChange)

class ProfilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { t_ = std::make_unique<Rig>(); }
    void cleanup() { t_.reset(); }
    // Import, export and the image picker, each through its dialog.
    void importExportAndImagePicker() {
        QVERIFY(!t_->manager.importProfile(3));  // cancelled
        QCOMPARE(fileOf(3), profileText(103));
        QCOMPARE(t_->prompts.last(), "open|Open File|" + desktop() + "|Profile(*.pf)");

        // What the old object still buffers must not end up in the imported copy.
        t_->store.setCurrentProfileIndex(3);
        t_->store.currentProfile().setValue("sensor/extra", 1);
        ScratchDir::write("mine.pf", profileText(4));
        t_->prompts.fileNames.push_back(t_->scratch.path() + QStringLiteral("/mine.pf"));
        QVERIFY(t_->manager.importProfile(3));
        QCoreApplication::processEvents();  // where buffered writes would normally land
        QCOMPARE(fileOf(3), profileText(4));
        QCOMPARE(firstKeyCode(t_->store.currentProfile()), 4);
        QCOMPARE(firstKeyCode(t_->store.profile(2)), 102);
        QCOMPARE(t_->store.currentProfileIndex(), 3);

        // A file holding what no settings file may hold is refused with a message.
        const QByteArray unsafe = z718::test::unsafeValues(QStringLiteral("x")).first().second;
        ScratchDir::write("bad.pf", "[a]\nb=" + unsafe + "\n");
        t_->prompts.fileNames.push_back(QStringLiteral("bad.pf"));
        QVERIFY(!t_->manager.importProfile(2));
        QCOMPARE(t_->prompts.last(), "warning|" + message(6) + '|' + message(7) + "bad.pf|");
        QCOMPARE(firstKeyCode(t_->store.profile(2)), 102);

        // Export copies the current content.
        ScratchDir::write("out.pf", QByteArray(10000, 'z'));
        t_->store.profile(2).setValue("sensor/stage_Q7", 3);  // not yet on disk
        t_->prompts.fileNames.push_back(QStringLiteral("out.pf"));
        t_->manager.exportProfile(2);
        QCOMPARE(t_->prompts.last(), "save|Save File|" + desktop() + "|Profile(*.pf)");
        QSettings exported(QStringLiteral("out.pf"), QSettings::IniFormat);
        QCOMPARE(exported.value("sensor/stage_Q7").toInt(), 3);

        // Choosing the profile's own file must not delete it.
        t_->prompts.fileNames.push_back(z718::SettingsStore::profilePath(4));
        t_->manager.exportProfile(4);
        QCOMPARE(fileOf(4), profileText(104));

        // Only a regular file that opens is an image; a FIFO would block the open for good and is
        // never opened. A cancel warns of nothing.
        const QString dialog = "open|Open File|" +
                               QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                               "|Image Files(*.png)";
        ScratchDir::write("logo.png", "png");
        const z718::test::FifoTrap fifo(QStringLiteral("fifo.png"));
        for (const QString file : {"", "logo.png", "gone.png", "fifo.png"}) {
            const z718::test::RowName row(file);
            t_->prompts.fileNames = {file};
            const bool image = file == "logo.png";
            QCOMPARE(t_->manager.pickCustomImage(), image ? file : QString());
            QCOMPARE(t_->prompts.last(), file.isEmpty() || image ? dialog
                                                                 : "warning|" + message(2) + '|' +
                                                                       message(3) + file + '|');
        }
        QVERIFY(!fifo.opened());
    }
    void copyResetAndReplacing() {
        t_->store.profile(0).setValue("sensor/stage_Q7", 4);  // buffered in the source
        t_->manager.copy(3, 0);
        QCOMPARE(firstKeyCode(t_->store.profile(3)), 100);
        QCOMPARE(t_->store.profile(3).value("sensor/stage_Q7").toInt(), 4);
        t_->manager.copy(4, 4);  // onto itself: nothing lost
        QCOMPARE(firstKeyCode(t_->store.profile(4)), 104);

        ScratchDir::write(z718::kDefaultProfilePath, profileText(240));
        t_->store.setCurrentProfileIndex(6);
        t_->store.currentProfile().setValue("sensor/cursorSpeed_Q7", 19);
        t_->manager.resetToDefault(6);
        QCOMPARE(firstKeyCode(t_->store.currentProfile()), 240);
        QCOMPARE(t_->store.currentProfile().value("sensor/cursorSpeed_Q7").toInt(), 7);
        QCOMPARE(fileOf(6), profileText(240));

        QFile::remove(z718::kDefaultProfilePath);
        t_->manager.resetToDefault(7);
        QVERIFY(t_->store.profile(7).allKeys().isEmpty());
        QVERIFY(!QFile::exists(z718::SettingsStore::profilePath(7)));
        QCOMPARE(firstKeyCode(t_->store.profile(8)), 108);

        // The old file stays whole until the new one, complete beside it, takes its place in one
        // step: a kill at any point leaves one complete version. The new one has the old one's
        // length and follows it at once: it must still read as the new content.
        QByteArray before = fileOf(0), atReplace;
        int wholeCopies = 0;
        z718::FileAccess::setBeforeReplace([&](const QString& path) {
            atReplace = ScratchDir::read(path);
            const QByteArray copied = ScratchDir::read(z718::kDefaultProfilePath);
            QDirIterator beside(QFileInfo(path).path(), QDir::Files | QDir::Hidden);
            for (wholeCopies = 0; beside.hasNext();) {
                wholeCopies += ScratchDir::read(beside.next()) == copied;
            }
        });
        const auto unhook = qScopeGuard([] { z718::FileAccess::setBeforeReplace({}); });
        for (int round = 0; round < 20; ++round) {
            const QByteArray text = profileText(200 + round % 2);
            ScratchDir::write(z718::kDefaultProfilePath, text);
            t_->manager.resetToDefault(0);
            QCOMPARE(atReplace, before);
            QCOMPARE(wholeCopies, 2);  // the default and the new copy
            QCOMPARE(firstKeyCode(t_->store.profile(0)), 200 + round % 2);
            before = text;
        }
    }
    void eachChangeKeepsRowsNameListAndRulesAlike_data() {
        const ProfileChange rows[] = {
            {"first row named", "Mine0 FPS1", 1, "standard", "Standard0 FPS1", 1, -1, -1},
            {"loaded", "Mine0 FPS1", 0, "", "Mine0 FPS1", 0, -1, -1},
            {"one name", "Solo3 listpadguard", 3, "", "Solo3", 0, -1, -1},
            {"no such number", "A0 B4", 2, "", "A0 B4", 0, -1, -1},
            {"new", "Standard0 profile_03", 0, "new", "Standard0 profile_03 profile_11", 2, 1, 1},
            {"new, six rows", "S0 A1 B2 C3 D4 E5", 0, "new", "S0 A1 B2 C3 D4 E5", 0, -2, 6},
            {"delete", "S0 FPS1", 0, "delete", "FPS1", 0, 1, 0},
            {"delete, last row", "S0 listpadguard", 0, "delete", "S0", 0, -1, -1},
            {"copy", "S0 FPS1 FPS(0)2", 1, "copy", "S0 FPS1 FPS(0)2 FPS(1)3", 1, -2, 3},
            {"rename", "S0 FPS1", 0, "rename 1 Race", "S0 Race1", 0, -1, -1},
            {"rename, taken", "S0 FPS1", 0, "rename 1 S", "S0 FPS1", 0, -1, -1},
            {"rename, own name", "S0 FPS1", 0, "rename 1 FPS", "S0 FPS1", 0, -1, -1},
        };
        z718::test::addRows(rows);
    }
    void eachChangeKeepsRowsNameListAndRulesAlike() {
        QFETCH(ProfileChange, row);
        const auto& [tag, names, current, op, rows, selected, chosen, forgotten] = row;
        z718::namelists::store(2, names.split(' '));
        for (int n = 0; n <= 6; ++n) {
            QVERIFY(t_->rules.setRule(QStringLiteral("p%1").arg(n), n));
        }
        t_->store.profile(current).setValue("sensor/cursorSpeed_Q7", 4);
        t_->store.flushProfile(current);
        t_->model.load(current, false);
        QSignalSpy announced(&t_->model, &ProfileListModel::profileChosen);
        const QStringList word = op.split(' ');
        bool renamed = false;
        op == "standard"      ? t_->model.load(current, true)
        : op == "new"         ? t_->model.addNew()
        : op == "delete"      ? t_->model.removeSelected()
        : op == "copy"        ? t_->model.copySelected()
        : word[0] == "rename" ? void(renamed = t_->model.rename(word[1].toInt(), word[2]))
                              : void();
        QCOMPARE(renamed, word[0] == "rename" && rows != names);
        QCOMPARE(z718::test::shownRows(t_->model,
                                       {ProfileListModel::NameRole, ProfileListModel::NumberRole}),
                 rows.split(' '));
        QCOMPARE(z718::test::storedNames(2), rows.split(' '));
        QCOMPARE(t_->model.selectedRow(), selected);
        if (chosen != -2) {
            QCOMPARE(announced.isEmpty() ? -1 : announced.last().at(0).toInt(), chosen);
        }
        for (int n = 0; n <= 6; ++n) {
            QCOMPARE(t_->rules.profileFor(QStringLiteral("p%1").arg(n)), n == forgotten ? -1 : n);
        }
        if (op == "new" || op == "copy") {
            QCOMPARE(t_->store.profile(forgotten).value("sensor/cursorSpeed_Q7").toInt(),
                     op == "new" ? 9 : 4);
        }
    }

    // A program brings one profile; names match whatever their case; what cannot be a rule
    // is refused, in calls and in the file; the rules survive a restart.
    void programRulesBindOneProfileEach() {
        ScratchDir::write(z718::kAppRulesPath,
                          "[rules]\nrule=2:kept, x:bad, 12:far, :none, 4:KEPT, 3:  \n");
        z718::AppRules rules;
        QCOMPARE(rules.profileFor("Kept"), 2);
        QCOMPARE(rules.rowCount(), 1);
        const std::tuple<QString, int, bool> calls[] = {
            {"game", 1, true},
            {" GAME ", 4, true},
            {"", 1, false},
            {"  ", 0, false},
            {"x", 10, false},
            {"x", -1, false},
            {QString(256, 'a'), 1, false},
            {"chat", 4, true},
        };
        for (const auto& [program, profile, taken] : calls) {
            QCOMPARE(rules.setRule(program, profile), taken);
        }
        QCOMPARE(rules.profileFor("Game"), 4);
        QCOMPARE(rules.programsOf(4), (QStringList{"game", "chat"}));
        QCOMPARE(rules.profileFor(""), -1);
        QCOMPARE(rules.choices({"CHAT", "xterm", "kept"}, 4),
                 (QStringList{"game", "chat", "xterm", "kept"}));
        rules.toggle("xterm", 4);
        rules.toggle("KEPT", 2);
        QCOMPARE(rules.programsOf(4), (QStringList{"game", "chat", "xterm"}));
        rules.toggle("XTERM", 4);

        const z718::AppRules restarted;
        QCOMPARE(restarted.programsOf(4), (QStringList{"game", "chat"}));
        QCOMPARE(restarted.rowCount(), 2);
    }

private:
    static QByteArray profileText(int firstKeyCode) {
        return "[keydefine_Q7]\n0=1, 0, " + QByteArray::number(firstKeyCode) +
               ", 0\n[sensor]\ncursorSpeed_Q7=7\n";
    }
    static int firstKeyCode(QSettings& profile) {
        return z718::listValue(profile.value("keydefine_Q7/0")).value(2).toInt();
    }
    static QByteArray fileOf(int n) {
        return ScratchDir::read(z718::SettingsStore::profilePath(n));
    }
    // Profile n's first key code is 100 + n, the default profile's cursor speed 9.
    struct Profiles : ScratchDir {
        Profiles() {
            for (int i = 0; i < z718::kProfileCount; ++i) {
                write(z718::SettingsStore::profilePath(i), profileText(100 + i));
            }
            write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
        }
    };
    struct Rig {
        Profiles scratch;
        z718::SettingsStore store;
        z718::ScriptedPrompts prompts;
        z718::ProfileManager manager{store, prompts};
        z718::AppRules rules;
        ProfileListModel model{store, prompts, rules};
    };
    QString message(int i) const { return t_->store.messageStrings().at(i); }
    static QString desktop() {
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    }

    std::unique_ptr<Rig> t_;
};

QTEST_GUILESS_MAIN(ProfilesTest)
#include "tst_profiles.moc"
