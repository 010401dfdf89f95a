// The profile page's rules: reading and naming the rows, New, Delete, Copy, rename, the
// six-profile limit, and the name list each change leaves behind.
#include <QSignalSpy>
#include <QTest>

#include "settings/name_lists.h"
#include "settings/profile_list_model.h"
#include "support/scratch_dir.h"
#include "support/scripted_prompts.h"

using z718::ProfileListModel;
using z718::test::ScratchDir;

namespace {

QStringList stored() {
    QStringList names;
    for (const QVariant& name : z718::namelists::read(2)) {
        names << name.toString();
    }
    return names;
}

QStringList shown(const ProfileListModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        const QModelIndex at = model.index(r);
        rows << model.data(at, ProfileListModel::NameRole).toString() +
                    model.data(at, ProfileListModel::NumberRole).toString();
    }
    return rows;
}

}  // namespace

class ProfileListModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
        store_ = std::make_unique<z718::SettingsStore>();
        rules_ = std::make_unique<z718::AppRules>();
        model_ = std::make_unique<ProfileListModel>(*store_, prompts_, *rules_);
    }
    void cleanup() {
        model_.reset();
        rules_.reset();
        store_.reset();
        scratch_.reset();
    }

    void loadNamesTheFirstRowAndSelectsTheCurrentProfile_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("standardFirst");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("selected");
        QTest::newRow("renamed") << QStringList{"Mine0", "FPS1"} << 1 << true
                                 << QStringList{"Standard0", "FPS1"} << 1;
        QTest::newRow("kept") << QStringList{"Mine0", "FPS1"} << 0 << false
                              << QStringList{"Mine0", "FPS1"} << 0;
        QTest::newRow("one name") << QStringList{"Solo3", "listpadguard"} << 3 << false
                                  << QStringList{"Solo3"} << 0;
        QTest::newRow("no such number")
            << QStringList{"A0", "B4"} << 2 << false << QStringList{"A0", "B4"} << 0;
    }
    void loadNamesTheFirstRowAndSelectsTheCurrentProfile() {
        QFETCH(QStringList, names);
        QFETCH(int, current);
        QFETCH(bool, standardFirst);
        z718::namelists::store(2, names);
        model_->load(current, standardFirst);
        QFETCH(QStringList, rows);
        QFETCH(int, selected);
        QCOMPARE(shown(*model_), rows);
        QCOMPARE(model_->selectedRow(), selected);
        if (standardFirst) {
            QCOMPARE(stored(), shown(*model_));
        }
    }

    void newTakesTheFirstFreeNameAndNumberAndResetsItsFile() {
        z718::namelists::store(2, {"Standard0", "profile_03"});
        model_->load(0, false);
        rules_->setRule("stale", 1);
        QSignalSpy chosen(model_.get(), &ProfileListModel::profileChosen);
        model_->addNew();
        QCOMPARE(rules_->profileFor("stale"), -1);
        QCOMPARE(shown(*model_), (QStringList{"Standard0", "profile_03", "profile_11"}));
        QCOMPARE(stored(), shown(*model_));
        QCOMPARE(model_->selectedRow(), 2);
        QCOMPARE(chosen.takeFirst().at(0).toInt(), 1);
        QCOMPARE(store_->profile(1).value("sensor/cursorSpeed_Q7").toInt(), 9);
    }

    void newWithSixRowsAddsNoneButResetsTheSeventhFile() {
        const QStringList six{"S0", "A1", "B2", "C3", "D4", "E5"};
        z718::namelists::store(2, six);
        model_->load(0, false);
        model_->addNew();
        QCOMPARE(shown(*model_), six);
        QCOMPARE(store_->profile(6).value("sensor/cursorSpeed_Q7").toInt(), 9);
    }

    void deleteKeepsTheLastRowAndAnnouncesTheNextSelection() {
        z718::namelists::store(2, {"Standard0", "listpadguard"});
        model_->load(0, false);
        model_->removeSelected();
        QCOMPARE(shown(*model_), QStringList{"Standard0"});
        z718::namelists::store(2, {"Standard0", "FPS1"});
        model_->load(0, false);
        rules_->setRule("game", 0);
        rules_->setRule("chat", 1);
        QSignalSpy chosen(model_.get(), &ProfileListModel::profileChosen);
        model_->removeSelected();
        QCOMPARE(shown(*model_), QStringList{"FPS1"});
        QCOMPARE(rules_->profileFor("game"), -1);
        QCOMPARE(rules_->profileFor("chat"), 1);
        QCOMPARE(stored(), (QStringList{"FPS1", "listpadguard"}));
        QCOMPARE(chosen.takeFirst().at(0).toInt(), 1);
    }

    void copyNumbersPastExistingCopiesAndCopiesTheFile() {
        z718::namelists::store(2, {"Standard0", "FPS1", "FPS(0)2"});
        store_->profile(1).setValue("sensor/cursorSpeed_Q7", 4);
        store_->flushProfile(1);
        model_->load(1, false);
        rules_->setRule("stale", 3);
        model_->copySelected();
        QCOMPARE(rules_->profileFor("stale"), -1);
        QCOMPARE(shown(*model_), (QStringList{"Standard0", "FPS1", "FPS(0)2", "FPS(1)3"}));
        QCOMPARE(store_->profile(3).value("sensor/cursorSpeed_Q7").toInt(), 4);
    }

    void renameRefusesANameInUse() {
        z718::namelists::store(2, {"Standard0", "FPS1"});
        model_->load(0, false);
        QVERIFY(!model_->rename(1, "Standard"));
        QVERIFY(!model_->rename(1, "FPS"));
        QVERIFY(model_->rename(1, "Race"));
        QCOMPARE(stored(), (QStringList{"Standard0", "Race1"}));
    }

    // A program brings one profile; names match whatever their case; what cannot be a rule
    // is refused, in calls and in the file; the rules survive a restart; rows show them.
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
        model_ = std::make_unique<ProfileListModel>(*store_, prompts_, *rules_);
        z718::namelists::store(2, {"Standard0", "FPS4"});
        model_->load(0, false);
        QSignalSpy changed(model_.get(), &ProfileListModel::dataChanged);
        rules_->setRule("editor", 0);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(model_->data(model_->index(1), ProfileListModel::ProgramsRole).toString(),
                 "game, chat");
    }

private:
    z718::ScriptedPrompts prompts_;
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::SettingsStore> store_;
    std::unique_ptr<z718::AppRules> rules_;
    std::unique_ptr<ProfileListModel> model_;
};

QTEST_GUILESS_MAIN(ProfileListModelTest)
#include "tst_profile_list_model.moc"
