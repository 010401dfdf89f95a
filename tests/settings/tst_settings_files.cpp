// The INI files as the old program wrote them, the application configuration, name lists and
// the default profile, including damaged and hostile files.
#include <QDir>
#include <QSettings>
#include <QTest>

#include "scratch_dir.h"
#include "settings/app_config.h"
#include "settings/default_profile.h"
#include "settings/ini_values.h"
#include "settings/name_lists.h"
#include "settings/settings_store.h"

using z718::test::ScratchDir;

class SettingsFilesTest : public QObject {
    Q_OBJECT

private slots:
    void readsFilesInTheOldProgramsForm();
    void writesScalarsAndListsInTheOldForm();
    void genericEntriesFollowTheStoredTotal();
    void profileNumberAndDeviceEntries();
    void resetApconfigRestoresTheFactoryCopy();
    void resetApconfigWithoutFactoryCopyLeavesDefaults();
    void skinChoiceNeedsTwoSubdirectories();
    void nameListsKeepSingleNamesAsLists();
    void nameListsIgnoreUnknownTypes();
    void largeAndHostileNameLists();
    void defaultProfilePages();
    void defaultProfileMissingOrBroken();
    void damagedProfilesReadAsDefaults();
    void outOfRangeProfileIndexes();
};

void SettingsFilesTest::readsFilesInTheOldProgramsForm() {
    ScratchDir scratch;
    // \x escapes for non-ASCII text, %U escapes in key names, quoted commas, one-element lists.
    ScratchDir::write(QStringLiteral("old.bin"),
                      "[common]\r\n"
                      "title=\\x4e2d\\x6587 Z718\r\n"
                      "quoted=\"a, b\"\r\n"
                      "mixed=\"a,b\", c\r\n"
                      "single=240\r\n"
                      "ints=1, 0, 240, 0\r\n"
                      "flag=true\r\n"
                      "[gunData]\r\n"
                      "%C4rger=L-Click, 10, -2, 3, 0\r\n"
                      "%U4E2D%U6587=R-Click, 20, 0, 0, 1\r\n");
    QSettings old(QStringLiteral("old.bin"), QSettings::IniFormat);
    QCOMPARE(old.value("common/title").toString(), QStringLiteral(u"中文 Z718"));
    QCOMPARE(old.value("common/quoted").toString(), QStringLiteral("a, b"));
    QCOMPARE(z718::listValue(old.value("common/quoted")), QVariantList());
    QCOMPARE(z718::listValue(old.value("common/mixed")),
             (QVariantList{QStringLiteral("a,b"), QStringLiteral("c")}));
    // A one-element list reads back as a plain string, which is no list at all.
    QCOMPARE(old.value("common/single").toString(), QStringLiteral("240"));
    QVERIFY(z718::listValue(old.value("common/single")).isEmpty());

    const QVariantList ints = z718::listValue(old.value("common/ints"));
    QCOMPARE(ints.size(), 4);
    QCOMPARE(ints[2].typeId(), QMetaType::QString);
    QCOMPARE(ints[2].toInt(), 240);
    QVERIFY(old.value("common/flag").toBool());
    QCOMPARE(old.value(QStringLiteral(u"gunData/Ärger")).toStringList().size(), 5);
    QCOMPARE(old.value(QStringLiteral(u"gunData/中文")).toStringList().value(0),
             QStringLiteral("R-Click"));
}

void SettingsFilesTest::writesScalarsAndListsInTheOldForm() {
    ScratchDir scratch;
    {
        QSettings file(QStringLiteral("new.bin"), QSettings::IniFormat);
        file.setValue("a/list", QVariantList{1, 0, 240, 0});
        file.setValue("a/one", QStringList{QStringLiteral("7")});
        file.setValue("a/boxed", QVariantList{7});
        file.setValue("a/sum", z718::storedForm(0.1 + 0.2));
        file.setValue("a/whole", z718::storedForm(QVariantList{5.0, 2.5}));
    }
    const QByteArray text = ScratchDir::read(QStringLiteral("new.bin"));
    QVERIFY2(text.contains("list=1, 0, 240, 0"), text.constData());
    // A one-element string list is written bare; a one-element variant list, as then, in the
    // binary variant form.
    QVERIFY2(text.contains("one=7\n"), text.constData());
    QVERIFY2(text.contains("boxed=@Variant(\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\x2\\0\\0\\0\\a)"),
             text.constData());
    QVERIFY2(text.contains("sum=0.3\n"), text.constData());
    QVERIFY2(text.contains("whole=5, 2.5\n"), text.constData());

    // Settings objects of this process remember what they wrote; read a copy to see the file.
    QFile::copy(QStringLiteral("new.bin"), QStringLiteral("copy.bin"));
    QSettings back(QStringLiteral("copy.bin"), QSettings::IniFormat);
    const QVariantList list = z718::listValue(back.value("a/list"));
    QCOMPARE(list, (QVariantList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("240"),
                                 QStringLiteral("0")}));
    QVERIFY(z718::listValue(back.value("a/one")).isEmpty());
    QCOMPARE(z718::listValue(back.value("a/boxed")), QVariantList{7});
}

void SettingsFilesTest::genericEntriesFollowTheStoredTotal() {
    ScratchDir scratch;
    QSettings config(z718::kAppConfigPath, QSettings::IniFormat);
    QVERIFY(z718::appconfig::generic(config).isEmpty());

    z718::appconfig::setGeneric(config, {1, 2, 3, 4, 5});
    z718::appconfig::setGeneric(config, {QStringLiteral("x"), 7, true});
    config.sync();
    QCOMPARE(config.value("common/4").toInt(), 5);  // stale entries stay in the file
    const QVariantList entries = z718::appconfig::generic(config);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0].toString(), QStringLiteral("x"));
    QCOMPARE(entries[1].toInt(), 7);

    // A missing entry reads as 0; an absurd total is not followed to the end.
    config.setValue("common/total", 5);
    config.remove("common/3");
    QCOMPARE(z718::appconfig::generic(config).at(3).toInt(), 0);
    config.setValue("common/total", 1000000000);
    QVERIFY(z718::appconfig::generic(config).size() < 10000);
    config.setValue("common/total", -3);
    QVERIFY(z718::appconfig::generic(config).isEmpty());
}

void SettingsFilesTest::profileNumberAndDeviceEntries() {
    ScratchDir scratch;
    QSettings config(z718::kAppConfigPath, QSettings::IniFormat);
    QCOMPARE(z718::appconfig::profileNumber(config).toInt(), 0);
    QVERIFY(!z718::appconfig::language(config).isValid());
    QCOMPARE(z718::appconfig::deviceEntries(config), QVariantList{8});

    z718::appconfig::setProfileNumber(config, 3.0);  // the scene's numbers are doubles
    config.setValue("Q7/colorMaxStage", QStringLiteral("6"));
    config.sync();
    QVERIFY(ScratchDir::read(z718::kAppConfigPath).contains("profileNo=3\n"));
    QCOMPARE(z718::appconfig::profileNumber(config).toInt(), 3);
    QCOMPARE(z718::appconfig::deviceEntries(config), QVariantList{6});
}

void SettingsFilesTest::resetApconfigRestoresTheFactoryCopy() {
    ScratchDir scratch;
    ScratchDir::write(z718::kAppConfigPath, "[Q7]\nprofileNo=4\n");
    ScratchDir::write(z718::kAppConfigFactoryPath,
                      "[Q7]\nprofileNo=0\n[common]\nlanguage=English\n");
    z718::SettingsStore store;
    z718::appconfig::setProfileNumber(store.appConfig(), 5);  // still buffered
    store.replaceAppConfig(z718::kAppConfigFactoryPath);

    QCOMPARE(z718::appconfig::profileNumber(store.appConfig()).toInt(), 0);
    QCOMPARE(z718::appconfig::language(store.appConfig()).toString(), QStringLiteral("English"));
    QCOMPARE(ScratchDir::read(z718::kAppConfigPath), ScratchDir::read(z718::kAppConfigFactoryPath));
}

void SettingsFilesTest::resetApconfigWithoutFactoryCopyLeavesDefaults() {
    ScratchDir scratch;
    ScratchDir::write(z718::kAppConfigPath, "[Q7]\nprofileNo=4\ncolorMaxStage=3\n");
    z718::SettingsStore store;
    store.replaceAppConfig(z718::kAppConfigFactoryPath);
    QVERIFY(!QFile::exists(z718::kAppConfigPath));
    QCOMPARE(z718::appconfig::profileNumber(store.appConfig()).toInt(), 0);
    QCOMPARE(z718::appconfig::deviceEntries(store.appConfig()), QVariantList{8});
}

void SettingsFilesTest::skinChoiceNeedsTwoSubdirectories() {
    ScratchDir scratch;
    QDir img(QStringLiteral("modules/img"));
    ScratchDir::write(QStringLiteral("modules/img/trayIcon.ico"), "ico");
    QVERIFY(!z718::appconfig::hasSkinChoice());
    img.mkdir(QStringLiteral("skin1"));
    QVERIFY(!z718::appconfig::hasSkinChoice());
    img.mkdir(QStringLiteral("skin2"));
    QVERIFY(z718::appconfig::hasSkinChoice());
    QVERIFY(!z718::appconfig::hasSkinChoice(QStringLiteral("./modules/absent")));
}

void SettingsFilesTest::nameListsKeepSingleNamesAsLists() {
    ScratchDir scratch;
    z718::namelists::store(0, {QStringLiteral("jump")});
    QCOMPARE(z718::namelists::read(0),
             (QVariantList{QStringLiteral("jump"), QStringLiteral("listpadguard")}));

    z718::namelists::store(2, {QStringLiteral("Standard0"), QStringLiteral(u"游戏, 1")});
    QCOMPARE(z718::namelists::read(2).at(1).toString(), QStringLiteral(u"游戏, 1"));

    z718::namelists::store(0, {});
    QVERIFY(z718::namelists::read(0).isEmpty());
    QVERIFY(!ScratchDir::read(z718::kNameListPath).contains("macroName"));
    QCOMPARE(z718::namelists::read(2).size(), 2);

    // A single name written without the guard is no list for the readers.
    ScratchDir::write(z718::kNameListPath, "[gun]\ngunName=AK\n");
    QVERIFY(z718::namelists::read(1).isEmpty());
}

void SettingsFilesTest::nameListsIgnoreUnknownTypes() {
    ScratchDir scratch;
    z718::namelists::store(3, {QStringLiteral("a"), QStringLiteral("b")});
    const QByteArray before = ScratchDir::read(z718::kNameListPath);
    z718::namelists::store(4, {QStringLiteral("x")});
    z718::namelists::store(-1, {QStringLiteral("x")});
    QCOMPARE(ScratchDir::read(z718::kNameListPath), before);
    QVERIFY(z718::namelists::read(4).isEmpty());
    QCOMPARE(z718::namelists::read(3).size(), 2);
}

void SettingsFilesTest::largeAndHostileNameLists() {
    ScratchDir scratch;
    QByteArray many = "[macro]\nmacroName=m0";
    for (int i = 1; i < 10000; ++i) {
        many += ", m" + QByteArray::number(i);
    }
    ScratchDir::write(z718::kNameListPath, many + "\n");
    QCOMPARE(z718::namelists::read(0).size(), 10000);
    QCOMPARE(z718::namelists::read(0).last().toString(), QStringLiteral("m9999"));

    ScratchDir::write(z718::kNameListPath, QByteArray("\x00\xff\x01[[[=\n", 9));
    QVERIFY(z718::namelists::read(0).isEmpty());

    QFile::remove(z718::kNameListPath);
    QDir().mkpath(z718::kNameListPath);  // a directory where the file should be
    z718::namelists::store(0, {QStringLiteral("a"), QStringLiteral("b")});
    QVERIFY(z718::namelists::read(0).isEmpty());
    QDir().rmdir(z718::kNameListPath);

    ScratchDir::write(z718::kNameListPath,
                      "[macro]\nmacroName=a, b\n" + QByteArray(5 * 1024 * 1024, ' '));
    QVERIFY(z718::namelists::read(0).isEmpty());  // too large to be a name list
}

void SettingsFilesTest::defaultProfilePages() {
    ScratchDir scratch;
    ScratchDir::write(z718::kDefaultProfilePath,
                      "[keydefine_Q7]\n0=1, 0, 240, 0\n1=1, 0, 241, 0\n3=4\n"
                      "[color_Q7]\ntype0=255, 0, 0, 0, 255, 0\nledEffect=1, 2\n"
                      "type2=9, 9\n"
                      "[sensor]\nreportRate_Q7=3\ndpi_Q7=800, 1600\n");
    const QVariantList keys = z718::defaultProfilePage(0);
    QCOMPARE(keys.size(), 8);  // entries 0 and 1; 2 is missing, 3 is a single value
    QCOMPARE(keys[6].toInt(), 241);

    QCOMPARE(z718::defaultProfilePage(2).size(), 8);
    QCOMPARE(z718::defaultProfilePage(2).at(6).toInt(), 1);

    const QVariantList sensor = z718::defaultProfilePage(3);
    QCOMPARE(sensor, (QVariantList{3, 5, 2, 5, QStringLiteral("800"), QStringLiteral("1600"), 2,
                                   QStringLiteral("9"), QStringLiteral("9")}));
    QVERIFY(z718::defaultProfilePage(1).isEmpty());
    QVERIFY(z718::defaultProfilePage(255).isEmpty());
}

void SettingsFilesTest::defaultProfileMissingOrBroken() {
    ScratchDir scratch;
    QVERIFY(z718::defaultProfilePage(0).isEmpty());
    QVERIFY(z718::defaultProfilePage(2).isEmpty());
    QCOMPARE(z718::defaultProfilePage(3), (QVariantList{2, 5, 2, 5, 2}));

    ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\nreportRate_Q7=1\ncursorSpeed_Q7=");
    QCOMPARE(z718::defaultProfilePage(3).at(0).toInt(), 1);  // a truncated file still reads
    QDir().mkpath(z718::kDefaultProfilePath + QStringLiteral(".d"));
    QCOMPARE(z718::defaultProfilePage(3, z718::kDefaultProfilePath + QStringLiteral(".d")),
             (QVariantList{2, 5, 2, 5, 2}));
}

void SettingsFilesTest::damagedProfilesReadAsDefaults() {
    ScratchDir scratch;
    QDir().mkpath(z718::SettingsStore::profilePath(0));  // p1.bin is a directory
    ScratchDir::write(z718::SettingsStore::profilePath(1), QByteArray(4096, '\xff'));
    ScratchDir::write(z718::SettingsStore::profilePath(2), "[keydefine_Q7]\n0=1, 0, 2");
    ScratchDir::write(z718::SettingsStore::profilePath(3),
                      "[sensor]\n" + QByteArray(5 * 1024 * 1024, 'x'));
    z718::SettingsStore store;
    QVERIFY(store.profile(0).allKeys().isEmpty());
    QCOMPARE(store.profile(1).value("sensor/cursorSpeed_Q7", 0).toInt(), 0);
    QCOMPARE(z718::listValue(store.profile(2).value("keydefine_Q7/0")).size(), 3);
    // The oversized file is moved aside instead of being loaded.
    QVERIFY(store.profile(3).allKeys().isEmpty());
    QVERIFY(QFile::exists(z718::SettingsStore::profilePath(3) + QStringLiteral(".bad")));
    store.profile(0).setValue("sensor/stage_Q7", 1);
    store.profile(0).sync();  // cannot be written: the change is lost quietly
    QVERIFY(QFileInfo(z718::SettingsStore::profilePath(0)).isDir());
}

void SettingsFilesTest::outOfRangeProfileIndexes() {
    ScratchDir scratch;
    z718::SettingsStore store;
    store.setCurrentProfileIndex(4);
    store.setCurrentProfileIndex(10);
    store.setCurrentProfileIndex(-1);
    QCOMPARE(store.currentProfileIndex(), 4);
    QCOMPARE(&store.profile(42), &store.profile(9));
    store.replaceProfile(10, z718::kDefaultProfilePath);
    QVERIFY(!QFile::exists(QStringLiteral("modules/setting/p11.bin")));
}

QTEST_GUILESS_MAIN(SettingsFilesTest)
#include "tst_settings_files.moc"
