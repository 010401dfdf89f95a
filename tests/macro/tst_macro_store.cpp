#include <QSettings>
#include <QtTest>
#include <memory>

#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "scratch_dir.h"

using z718::MacroStore;

class TestMacroStore : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::SettingsStore> settings_;
    std::unique_ptr<MacroStore> store_;

    static QSettings macroFile(const QString& name) {
        return QSettings(QStringLiteral("./modules/macro/%1.bin").arg(name), QSettings::IniFormat);
    }
    void assign(int profile, int button, const QString& name) {
        settings_->profile(profile).setValue(QStringLiteral("macro/%1").arg(button), name);
    }
    QString assigned(int profile, int button) {
        return settings_->profile(profile).value(QStringLiteral("macro/%1").arg(button)).toString();
    }

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        QVERIFY(scratch_->isValid());
        settings_ = std::make_unique<z718::SettingsStore>();
        store_ = std::make_unique<MacroStore>(*settings_);
    }
    void cleanup() {
        store_.reset();
        settings_.reset();
        scratch_.reset();
    }

    void createWritesConfigAndNoLines() {
        QVERIFY(store_->createMacroIni(QStringLiteral("Macro_0"), 3));
        QSettings file = macroFile(QStringLiteral("Macro_0"));
        QCOMPARE(file.value("config/index").toInt(), 3);
        QCOMPARE(file.value("config/total").toInt(), 0);
        QCOMPARE(file.value("config/repeat").toInt(), 1);
        QCOMPARE(file.value("config/did").toInt(), -1);
        QVERIFY(!file.childGroups().contains("macro"));
        QCOMPARE(store_->loadMacroIni("Macro_0"), QStringList{"1"});
    }

    void createKeepsExistingLines() {
        store_->createMacroIni("m", 0);
        QVERIFY(store_->saveMacroIni("m", {"1,A", "2,A"}, 4));
        store_->createMacroIni("m", 7);
        QCOMPARE(macroFile("m").value("macro/1").toString(), QString("2,A"));
        QCOMPARE(store_->loadMacroIni("m"), QStringList{"1"});
    }

    void createMakesMissingMacroFolder() {
        QVERIFY(QDir("./modules/macro").removeRecursively());
        QVERIFY(store_->createMacroIni("m", 0));
        QVERIFY(QFile::exists("./modules/macro/m.bin"));
    }

    void saveRewritesWholeGroup() {
        store_->createMacroIni("m", 0);
        QVERIFY(store_->saveMacroIni("m", {"1,A", "0,50", "2,A"}, 2));
        QVERIFY(store_->saveMacroIni("m", {"1,B"}, 65535));
        QSettings file = macroFile("m");
        file.beginGroup("macro");
        QCOMPARE(file.childKeys(), QStringList{"0"});
        file.endGroup();
        QCOMPARE(file.value("config/total").toInt(), 1);
        QCOMPARE(store_->loadMacroIni("m"), (QStringList{"1,B", "65535"}));
    }

    void saveWithoutFileCreatesNothing() {
        QVERIFY(!store_->saveMacroIni("never", {"1,A"}, 1));
        QVERIFY(!QFile::exists("./modules/macro/never.bin"));
        QCOMPARE(store_->loadMacroIni("never"), QStringList{});
    }

    void linesRoundTripUnsplit() {
        const QStringList lines{"1,A",    "1,, <",   "3,MS-L",      "1,\u25ba",
                                "2,\\ |", "1,\"q\"", "A    [Down]", "0,@Variant"};
        store_->createMacroIni("m", 0);
        QVERIFY(store_->saveMacroIni("m", lines, 1));
        QCOMPARE(store_->loadMacroIni("m"), lines + QStringList{"1"});
    }

    // A file as the first release of the program wrote it: quoted lines holding commas,
    // non-ASCII as escape sequences, blanks of the tagged form kept inside quotes.
    void readsLegacyFile() {
        ScratchDir::writeText("./modules/macro/old.bin",
                              "[config]\r\nindex=2\r\ntotal=5\r\nrepeat=3\r\ndid=1\r\n\r\n"
                              "[macro]\r\n0=\"1,A\"\r\n1=\"0,120\"\r\n2=\"1,\\x25ba\"\r\n"
                              "3=\"2,, <\"\r\n4=A      [Up]\r\n");
        QCOMPARE(store_->loadMacroIni("old"),
                 (QStringList{"1,A", "0,120", "1,\u25ba", "2,, <", "A      [Up]", "3"}));
        QCOMPARE(store_->loadMacroIniConfig("old", 1), (QVariantList{2, 3}));
        QCOMPARE(store_->loadMacroIndex("old").toInt(), 2);
        QCOMPARE(store_->loadMacroType("old").toInt(), 1);
    }

    void missingLinesAndCountsReadAsDefaults() {
        ScratchDir::writeText("./modules/macro/gap.bin", "[config]\ntotal=3\n[macro]\n1=\"1,A\"\n");
        QCOMPARE(store_->loadMacroIni("gap"), (QStringList{"0", "1,A", "0", "0"}));
        ScratchDir::writeText("./modules/macro/bad.bin", "[config]\ntotal=-4\n");
        QCOMPARE(store_->loadMacroIni("bad"), QStringList{"0"});
        QCOMPARE(store_->loadMacroIniConfig("bad", -1), (QVariantList{-1, 1}));
    }

    void configFollowsSelectedDevice() {
        store_->createMacroIni("m", 5);
        QCOMPARE(store_->loadMacroIniConfig("m", 0), (QVariantList{-1, 1}));
        QCOMPARE(store_->loadMacroIniConfig("m", 1), (QVariantList{-1, 1}));
        store_->setMacroIniConfig("m", {9, 12}, 1);
        QCOMPARE(store_->loadMacroIniConfig("m", 1), (QVariantList{9, 12}));
        QCOMPARE(store_->loadMacroIniConfig("m", 0), (QVariantList{-1, 12}));
        store_->setMacroType("m", 0);
        store_->setMacroIndex("m", 4);
        QCOMPARE(store_->loadMacroIniConfig("m", 0), (QVariantList{4, 12}));
        QCOMPARE(store_->loadMacroIniConfig("absent", 0), QVariantList{});
        QCOMPARE(store_->loadMacroIndex("absent"), QVariant(0));
        QCOMPARE(store_->loadMacroType("absent"), QVariant(0));
        store_->setMacroIndex("absent", 1);
        QVERIFY(!QFile::exists("./modules/macro/absent.bin"));
    }

    void renameRewritesFirstSixProfiles() {
        store_->createMacroIni("M1", 0);
        assign(0, 3, "M1");
        assign(5, 9, "M1");
        assign(6, 3, "M1");
        assign(1, 2, "Other");
        QVERIFY(store_->modifyMacroName("M1", "M2"));
        QCOMPARE(assigned(0, 3), QString("M2"));
        QCOMPARE(assigned(5, 9), QString("M2"));
        QCOMPARE(assigned(6, 3), QString("M1"));
        QCOMPARE(assigned(1, 2), QString("Other"));
        QVERIFY(QFile::exists("./modules/macro/M2.bin"));
        QVERIFY(!QFile::exists("./modules/macro/M1.bin"));
    }

    void renameOntoExistingFailsAfterRewriting() {
        store_->createMacroIni("M1", 0);
        store_->createMacroIni("M2", 1);
        assign(2, 4, "M1");
        QVERIFY(!store_->modifyMacroName("M1", "M2"));
        QCOMPARE(assigned(2, 4), QString("M2"));
        QVERIFY(QFile::exists("./modules/macro/M1.bin"));
        QCOMPARE(macroFile("M2").value("config/index").toInt(), 1);
        QVERIFY(!store_->modifyMacroName("gone", "M3"));
    }

    // Nothing of a renamed or deleted file comes back under its old name.
    void oldNameStartsAfresh() {
        store_->createMacroIni("a", 0);
        store_->saveMacroIni("a", {"1,A", "2,A"}, 5);
        QVERIFY(store_->modifyMacroName("a", "b"));
        store_->createMacroIni("a", 1);
        QCOMPARE(store_->loadMacroIni("a"), QStringList{"1"});
        QVERIFY(!macroFile("a").childGroups().contains("macro"));
        QVERIFY(store_->deleteMacroIni("b"));
        store_->createMacroIni("b", 2);
        QCOMPARE(store_->loadMacroIni("b"), QStringList{"1"});
    }

    void renameFileLeavesAssignments() {
        store_->createMacroIni("a", 0);
        assign(0, 1, "a");
        QVERIFY(store_->renameMacroIniFile("a", "b"));
        QVERIFY(QFile::exists("./modules/macro/b.bin"));
        QCOMPARE(assigned(0, 1), QString("a"));
        QVERIFY(!store_->renameMacroIniFile("a", "c"));
    }

    void deleteOnlyExisting() {
        store_->createMacroIni("d", 0);
        assign(0, 1, "d");
        QVERIFY(store_->deleteMacroIni("d"));
        QVERIFY(!QFile::exists("./modules/macro/d.bin"));
        QVERIFY(!store_->deleteMacroIni("d"));
        QCOMPARE(assigned(0, 1), QString("d"));
    }

    void usersListedPerProfile() {
        assign(0, 3, "M");
        assign(1, 3, "M");
        assign(1, 4, "N");
        assign(6, 5, "M");
        QCOMPARE(store_->isMacroUse("M"), (QStringList{"Name", "3", "3"}));
        QCOMPARE(store_->isMacroUse("none"), QStringList{"Name"});
    }

    void macroKeyOfCurrentProfile() {
        QCOMPARE(store_->getMacroKey(2), QVariant(0));
        store_->setMacroKey(2, "M");
        QCOMPARE(store_->getMacroKey(2).toString(), QString("M"));
        settings_->setCurrentProfileIndex(4);
        QCOMPARE(store_->getMacroKey(2), QVariant(0));
        store_->setMacroKey(12, "N");
        QCOMPARE(assigned(4, 12), QString("N"));
    }

    void hostileNamesTouchNothing_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"",        "../escape", "a/b",  "a\\b", "/abs",      "C:x",    "c:",  "CON",
              "con.txt", "Nul",       "LPT1", "COM9", "com\u00b9", "aux .x", "a.",  "a ",
              ".",       "..",        "a\tb", "a?b",  "a*b",       "a|b",    "a<b", "a\"b"}) {
            QTest::newRow(name) << QString::fromUtf8(name);
        }
        QTest::newRow("too long") << QString(245, QLatin1Char('x'));
    }
    void hostileNamesTouchNothing() {
        QFETCH(QString, name);
        store_->createMacroIni("ok", 0);
        assign(0, 1, "ok");
        const QStringList before = scratch_->files();
        QVERIFY(!store_->createMacroIni(name, 0));
        QVERIFY(!store_->saveMacroIni(name, {"1,A"}, 1));
        QVERIFY(!store_->modifyMacroName("ok", name));
        QVERIFY(!store_->renameMacroIniFile("ok", name));
        QVERIFY(!store_->deleteMacroIni(name));
        store_->setMacroIniConfig(name, {1, 1}, 0);
        QCOMPARE(store_->loadMacroIni(name), QStringList{});
        QCOMPARE(assigned(0, 1), QString("ok"));
        QCOMPARE(scratch_->files(), before);
    }

    void ordinaryNamesAccepted_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Macro_0", "my macro", " lead", "attack.fast", ".hidden",
                                 "CONSOLE", "COM10", "\u5b8f"}) {
            QTest::newRow(name) << QString::fromUtf8(name);
        }
        QTest::newRow("longest") << QString(244, QLatin1Char('x'));
    }
    void ordinaryNamesAccepted() {
        QFETCH(QString, name);
        QVERIFY(store_->createMacroIni(name, 0));
        QVERIFY(QFile::exists("./modules/macro/" + name + ".bin"));
    }
};

QTEST_GUILESS_MAIN(TestMacroStore)
#include "tst_macro_store.moc"
