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

QByteArray profileText(int firstKeyCode) {
    return "[keydefine_Q7]\n0=1, 0, " + QByteArray::number(firstKeyCode) +
           ", 0\n[sensor]\ncursorSpeed_Q7=7\n";
}

int firstKeyCode(QSettings& profile) {
    return z718::listValue(profile.value("keydefine_Q7/0")).value(2).toInt();
}

QByteArray fileOf(int profile) {
    return ScratchDir::read(z718::SettingsStore::profilePath(profile));
}

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
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        for (int i = 0; i < z718::kProfileCount; ++i) {
            ScratchDir::write(z718::SettingsStore::profilePath(i), profileText(100 + i));
        }
        ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
        store_ = std::make_unique<z718::SettingsStore>();
        prompts_ = z718::ScriptedPrompts();
        manager_ = std::make_unique<z718::ProfileManager>(*store_, prompts_);
        rules_ = std::make_unique<z718::AppRules>();
        model_ = std::make_unique<ProfileListModel>(*store_, prompts_, *rules_);
    }
    void cleanup() {
        model_.reset();
        rules_.reset();
        manager_.reset();
        store_.reset();
        scratch_.reset();
    }
    void importReplacesTheFileAndItsObject() {
        QVERIFY(!manager_->importProfile(3));  // cancelled
        QCOMPARE(fileOf(3), profileText(103));
        QCOMPARE(prompts_.last(), "open|Open File|" + desktop() + "|Profile(*.pf)");

        // What the old object still buffers must not end up in the imported copy.
        store_->setCurrentProfileIndex(3);
        store_->currentProfile().setValue("sensor/extra", 1);
        ScratchDir::write("mine.pf", profileText(4));
        prompts_.fileNames.push_back(scratch_->path() + QStringLiteral("/mine.pf"));
        QVERIFY(manager_->importProfile(3));
        QCoreApplication::processEvents();  // where buffered writes would normally land
        QCOMPARE(fileOf(3), profileText(4));
        QCOMPARE(firstKeyCode(store_->currentProfile()), 4);
        QVERIFY(!store_->currentProfile().contains("sensor/extra"));
        QCOMPARE(firstKeyCode(store_->profile(2)), 102);
        QCOMPARE(store_->currentProfileIndex(), 3);

        // A file holding what no settings file may hold is refused with a message.
        const QByteArray unsafe = z718::test::unsafeValues(QStringLiteral("x")).first().second;
        ScratchDir::write("bad.pf", "[a]\nb=" + unsafe + "\n");
        const QString bad = scratch_->path() + QStringLiteral("/bad.pf");
        prompts_.fileNames.push_back(bad);
        QVERIFY(!manager_->importProfile(2));
        QCOMPARE(prompts_.last(), "warning|" + message(6) + '|' + message(7) + bad + '|');
        QCOMPARE(firstKeyCode(store_->profile(2)), 102);
    }
    void exportCopiesTheCurrentContent() {
        ScratchDir::write("out.pf", QByteArray(10000, 'z'));
        store_->profile(2).setValue("sensor/stage_Q7", 3);  // not yet on disk
        prompts_.fileNames.push_back(QStringLiteral("out.pf"));
        manager_->exportProfile(2);
        QCOMPARE(prompts_.last(), "save|Save File|" + desktop() + "|Profile(*.pf)");
        QSettings exported(QStringLiteral("out.pf"), QSettings::IniFormat);
        QCOMPARE(exported.value("sensor/stage_Q7").toInt(), 3);

        // Choosing the profile's own file must not delete it.
        prompts_.fileNames.push_back(z718::SettingsStore::profilePath(4));
        manager_->exportProfile(4);
        QCOMPARE(fileOf(4), profileText(104));
    }
    void copyAndReset() {
        store_->profile(0).setValue("sensor/stage_Q7", 4);  // buffered in the source
        manager_->copy(3, 0);
        QCOMPARE(firstKeyCode(store_->profile(3)), 100);
        QCOMPARE(store_->profile(3).value("sensor/stage_Q7").toInt(), 4);
        manager_->copy(4, 4);  // onto itself: nothing lost
        QCOMPARE(firstKeyCode(store_->profile(4)), 104);

        ScratchDir::write(z718::kDefaultProfilePath, profileText(240));
        store_->setCurrentProfileIndex(6);
        store_->currentProfile().setValue("sensor/cursorSpeed_Q7", 19);
        manager_->resetToDefault(6);
        QCOMPARE(firstKeyCode(store_->currentProfile()), 240);
        QCOMPARE(store_->currentProfile().value("sensor/cursorSpeed_Q7").toInt(), 7);
        QCOMPARE(fileOf(6), profileText(240));

        QFile::remove(z718::kDefaultProfilePath);
        manager_->resetToDefault(7);
        QVERIFY(store_->profile(7).allKeys().isEmpty());
        QVERIFY(!QFile::exists(z718::SettingsStore::profilePath(7)));
        QCOMPARE(firstKeyCode(store_->profile(8)), 108);
    }
    // The old file stays whole until the new one, complete beside it, takes its place in one
    // step: a kill at any point leaves one complete version. The new one has the old one's
    // length and follows it at once: it must still read as the new content.
    void replacingLeavesOneCompleteVersionAtAnyTime() {
        QByteArray before = profileText(100), atReplace;
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
            manager_->resetToDefault(0);
            QCOMPARE(atReplace, before);
            QCOMPARE(wholeCopies, 2);  // the default and the new copy
            QCOMPARE(firstKeyCode(store_->profile(0)), 200 + round % 2);
            before = text;
        }
    }
    // Only a regular file that opens is an image; a FIFO would block the open for good and is
    // never opened. A cancel warns of nothing.
    void customFilePath() {
        const QString dialog = "open|Open File|" +
                               QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                               "|Image Files(*.png)";
        ScratchDir::write("logo.png", "png");
        const z718::test::FifoTrap fifo(QStringLiteral("fifo.png"));
        for (const QString file : {"", "logo.png", "gone.png", "fifo.png"}) {
            const z718::test::RowName row(file);
            prompts_.fileNames = {file};
            const bool image = file == "logo.png";
            QCOMPARE(manager_->pickCustomImage(), image ? file : QString());
            QCOMPARE(prompts_.last(), file.isEmpty() || image ? dialog
                                                              : "warning|" + message(2) + '|' +
                                                                    message(3) + file + '|');
        }
        QVERIFY(!fifo.opened());
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
            QVERIFY(rules_->setRule(QStringLiteral("p%1").arg(n), n));
        }
        store_->profile(current).setValue("sensor/cursorSpeed_Q7", 4);
        store_->flushProfile(current);
        model_->load(current, false);
        QSignalSpy announced(model_.get(), &ProfileListModel::profileChosen);
        const QStringList word = op.split(' ');
        if (op == "standard") {
            model_->load(current, true);
        } else if (op == "new") {
            model_->addNew();
        } else if (op == "delete") {
            model_->removeSelected();
        } else if (op == "copy") {
            model_->copySelected();
        } else if (word[0] == "rename") {
            QCOMPARE(model_->rename(word[1].toInt(), word[2]), rows != names);
        }
        QCOMPARE(z718::test::shownRows(*model_,
                                       {ProfileListModel::NameRole, ProfileListModel::NumberRole}),
                 rows.split(' '));
        QCOMPARE(z718::test::storedNames(2), rows.split(' '));
        QCOMPARE(model_->selectedRow(), selected);
        if (chosen != -2) {
            QCOMPARE(announced.isEmpty() ? -1 : announced.last().at(0).toInt(), chosen);
        }
        for (int n = 0; n <= 6; ++n) {
            QCOMPARE(rules_->profileFor(QStringLiteral("p%1").arg(n)), n == forgotten ? -1 : n);
        }
        if (op == "new" || op == "copy") {
            QCOMPARE(store_->profile(forgotten).value("sensor/cursorSpeed_Q7").toInt(),
                     op == "new" ? 9 : 4);
        }
    }

    // A program brings one profile; names match whatever their case; what cannot be a rule
    // is refused, in calls and in the file; the rules survive a restart.
    void programRulesBindOneProfileEach() {
        ScratchDir::write(z718::kAppRulesPath,
                          "[rules]\nrule=2:kept, x:bad, 12:far, :none, 4:KEPT, 3:  \n");
        rules_ = std::make_unique<z718::AppRules>();
        QCOMPARE(rules_->profileFor("Kept"), 2);
        QCOMPARE(rules_->rowCount(), 1);
        const struct {
            QString program;
            int profile;
            bool taken;
        } calls[] = {{"game", 1, true},
                     {" GAME ", 4, true},
                     {"", 1, false},
                     {"  ", 0, false},
                     {"x", 10, false},
                     {"x", -1, false},
                     {QString(256, 'a'), 1, false},
                     {"chat", 4, true}};
        for (const auto& call : calls) {
            QCOMPARE(rules_->setRule(call.program, call.profile), call.taken);
        }
        QCOMPARE(rules_->profileFor("Game"), 4);
        QCOMPARE(rules_->programsOf(4), (QStringList{"game", "chat"}));
        QCOMPARE(rules_->profileFor(""), -1);
        QCOMPARE(rules_->choices({"CHAT", "xterm", "kept"}, 4),
                 (QStringList{"game", "chat", "xterm", "kept"}));
        rules_->toggle("xterm", 4);
        rules_->toggle("KEPT", 2);
        QCOMPARE(rules_->programsOf(4), (QStringList{"game", "chat", "xterm"}));
        rules_->toggle("XTERM", 4);

        rules_ = std::make_unique<z718::AppRules>();
        QCOMPARE(rules_->programsOf(4), (QStringList{"game", "chat"}));
        QCOMPARE(rules_->rowCount(), 2);
    }

private:
    QString message(int i) const { return store_->messageStrings().at(i); }
    static QString desktop() {
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    }

    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::SettingsStore> store_;
    z718::ScriptedPrompts prompts_;
    std::unique_ptr<z718::ProfileManager> manager_;
    std::unique_ptr<z718::AppRules> rules_;
    std::unique_ptr<ProfileListModel> model_;
};

QTEST_GUILESS_MAIN(ProfilesTest)
#include "tst_profiles.moc"
