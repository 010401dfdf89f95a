// The INI files in the old program's form, the application configuration, name lists and the
// default profile, including damaged and hostile files; the files shipped beside the programs,
// as a program run from the build tree finds them (read-only: nothing may change them).
#include <unistd.h>

#include <QDir>
#include <QSettings>
#include <QTest>
#include <atomic>
#include <thread>

#include "i18n/language_files.h"
#include "settings/app_config.h"
#include "settings/default_profile.h"
#include "settings/file_access.h"
#include "settings/ini_values.h"
#include "settings/name_lists.h"
#include "settings/settings_store.h"
#include "support/hostile_files.h"
#include "support/scratch_dir.h"

using namespace z718;
using namespace test;

class SettingsFilesTest : public QObject {
    Q_OBJECT

private slots:
    // Old files as the readers see them: two or more elements make a list, one element (quoted
    // commas included) none; a one-element variant list is one (checked with the unsafe values).
    // Values from the scene are stored as the old program wrote them: doubles with 15 digits.
    void valuesDefaultPagesConfigurationAndNameLists() {
        ScratchDir scratch;
        ScratchDir::write("old.bin",
                          "[common]\r\nquoted=\"a, b\"\r\nmixed=\"a,b\", c\r\n"
                          "ints=1, 0, 240, 0\r\n");
        QSettings old(QStringLiteral("old.bin"), QSettings::IniFormat);
        QCOMPARE(listValue(old.value("common/quoted")), QVariantList());
        QCOMPARE(listValue(old.value("common/mixed")), (QVariantList{"a,b", "c"}));
        QCOMPARE(listValue(old.value("common/ints")), (QVariantList{"1", "0", "240", "0"}));
        QCOMPARE(storedForm(0.1 + 0.2), QVariant(QStringLiteral("0.3")));
        QCOMPARE(storedForm(QVariantList{5.0, 2.5}), QVariant(QVariantList{"5", "2.5"}));

        // The default profile's pages, from pD.bin or built in (with a FIFO there: see below).
        QVERIFY(defaultProfilePage(0).isEmpty());  // no pD.bin

        ScratchDir::write(kDefaultProfilePath,
                          "[keydefine_Q7]\n0=1, 0, 240, 0\n1=1, 0, 241, 0\n3=4\n"
                          "[color_Q7]\ntype0=255, 0, 0, 0, 255, 0\nledEffect=1, 2\ntype2=9, 9\n"
                          "[sensor]\nreportRate_Q7=3\ndpi_Q7=800, 1600\n");
        // entries 0 and 1; 2 is missing, 3 is a single value
        QCOMPARE(defaultProfilePage(0), (QVariantList{"1", "0", "240", "0", "1", "0", "241", "0"}));
        QCOMPARE(defaultProfilePage(2), (QVariantList{"255", "0", "0", "0", "255", "0", "1", "2"}));
        QCOMPARE(defaultProfilePage(3), (QVariantList{3, 5, 2, 5, "800", "1600", 2, "9", "9"}));
        QVERIFY(defaultProfilePage(1).isEmpty() && defaultProfilePage(255).isEmpty());

        // The application configuration: only the first start chooses the language, from the
        // desktop's. The name lists beside it.
        QSettings config(kAppConfigPath, QSettings::IniFormat);
        QVERIFY(!appconfig::language(config).isValid());
        for (const char* desktop : {"zh_TW", "en_GB"}) {
            appconfig::chooseFirstLanguage(config, QLocale(QString::fromLatin1(desktop)));
            QCOMPARE(appconfig::language(config).toString(), QString("ChineseSimplified"));
        }
        config.remove("common/language");
        appconfig::chooseFirstLanguage(config, QLocale(QStringLiteral("de_DE")));
        QCOMPARE(appconfig::language(config).toString(), QString("English"));
        QVERIFY(appconfig::generic(config).isEmpty());

        appconfig::setProfileNumber(config, 3.0);  // the scene's numbers are doubles
        appconfig::setGeneric(config, {1, 2, 3, 4, 5});
        appconfig::setGeneric(config, {QStringLiteral("x"), 7, true});
        config.sync();
        QVERIFY(ScratchDir::read(kAppConfigPath).contains("profileNo=3\n"));
        QCOMPARE(config.value("common/4").toInt(), 5);  // stale entries stay in the file
        QCOMPARE(appconfig::generic(config), (QVariantList{"x", 7, true}));

        // A missing entry reads as 0; an absurd total is not followed.
        config.setValue("common/total", 5);
        config.remove("common/3");
        QCOMPARE(appconfig::generic(config).at(3).toInt(), 0);
        config.setValue("common/total", 1000000000);
        QVERIFY(appconfig::generic(config).size() < 10000);

        QDir().mkpath(QStringLiteral("modules/img/skin1"));
        QVERIFY(!appconfig::hasSkinChoice());
        QDir().mkpath(QStringLiteral("modules/img/skin2"));
        QVERIFY(appconfig::hasSkinChoice());
        QVERIFY(!appconfig::hasSkinChoice(QStringLiteral("./modules/absent")));

        // Name lists.
        namelists::store(0, {QStringLiteral("Standard0"), QStringLiteral(u"游戏, 1")});
        QCOMPARE(namelists::read(0).at(1).toString(), QStringLiteral(u"游戏, 1"));
        namelists::store(0, {});
        QVERIFY(!ScratchDir::read(kNameListPath).contains("macroName"));

        // Unknown types change and read nothing.
        const QByteArray before = ScratchDir::read(kNameListPath);
        namelists::store(4, {QStringLiteral("x")});
        namelists::store(-1, {QStringLiteral("x")});
        QCOMPARE(ScratchDir::read(kNameListPath), before);
        QVERIFY(namelists::read(4).isEmpty());

        // A single name written without the guard is no list for the readers.
        ScratchDir::write(kNameListPath, "[gun]\ngunName=AK\n");
        QVERIFY(namelists::read(1).isEmpty());
    }
    void damagedProfilesReadAsDefaults() {
        ScratchDir scratch;
        QDir().mkpath(SettingsStore::profilePath(0));  // p1.bin is a directory
        ScratchDir::write(SettingsStore::profilePath(1), QByteArray(4096, '\xff'));
        ScratchDir::write(SettingsStore::profilePath(2), "[keydefine_Q7]\n0=1, 0, 2");
        ScratchDir::write(SettingsStore::profilePath(3),
                          "[sensor]\n" + QByteArray(5 * 1024 * 1024, 'x'));
        SettingsStore store;
        QVERIFY(store.profile(0).allKeys().isEmpty());
        QCOMPARE(store.profile(1).value("sensor/cursorSpeed_Q7", 0).toInt(), 0);
        QCOMPARE(listValue(store.profile(2).value("keydefine_Q7/0")).size(), 3);
        // Profiles stay read all day: each holds memory by its size, not by the size limit.
        QVERIFY(FileAccess::read(SettingsStore::profilePath(2), kMaxSettingsFileBytes)->capacity() <
                4096);
        // The oversized file is moved aside instead of being loaded.
        QVERIFY(store.profile(3).allKeys().isEmpty());
        QVERIFY(QFile::exists(SettingsStore::profilePath(3) + QStringLiteral(".bad")));
        store.profile(0).setValue("sensor/stage_Q7", 1);
        store.profile(0).sync();  // cannot be written: the change is lost quietly
        QVERIFY(QFileInfo(SettingsStore::profilePath(0)).isDir());

        // Stray profile numbers neither crash nor create files.
        store.setCurrentProfileIndex(4);
        store.setCurrentProfileIndex(10);
        QCOMPARE(store.currentProfileIndex(), 4);
        QCOMPARE(&store.profile(42), &store.profile(9));
        store.replaceProfile(10, kDefaultProfilePath);
        QVERIFY(!QFile::exists(QStringLiteral("modules/setting/p11.bin")));
    }
    // Nothing below ./modules is followed out of it or opened unless it is a regular file.
    void linksAndFifosAreNeitherFollowedNorOpened() {
        ScratchDir scratch;
        const LinkTargets outside(scratch.path());
        QVERIFY(outside.link(kAppConfigPath));
        QVERIFY(outside.link(SettingsStore::profilePath(0), true));
        QVERIFY(outside.link(kNameListPath));
        const FifoTrap profile(SettingsStore::profilePath(1));
        const FifoTrap defaults(kDefaultProfilePath);
        const FifoTrap lock(SettingsStore::profilePath(4) + QStringLiteral(".lock"));
        QVERIFY(profile.made() && defaults.made() && lock.made());
        {
            SettingsStore store;
            QVERIFY(!store.appConfig().contains("canary/key"));
            appconfig::setProfileNumber(store.appConfig(), 3);
            store.profile(0).setValue("sensor/stage_Q7", 1);
            store.profile(1).setValue("sensor/stage_Q7", 1);
            // A link made while the program runs is not followed by the next write either.
            QVERIFY(outside.link(SettingsStore::profilePath(2)));
            store.profile(2).setValue("sensor/stage_Q7", 1);
            store.profile(4).setValue("sensor/stage_Q7", 1);
            QCoreApplication::sendPostedEvents();
            namelists::store(0, {QStringLiteral("a"), QStringLiteral("b")});
            QVERIFY(namelists::read(0).isEmpty());
            QCOMPARE(defaultProfilePage(3), (QVariantList{2, 5, 2, 5, 2}));
            // Nor is one made after the last write the event loop carried, before the program ends.
            store.profile(3).setValue("sensor/stage_Q7", 1);
            QVERIFY(outside.link(SettingsStore::profilePath(3)));
        }
        QVERIFY(outside.untouched());
        QVERIFY(!profile.opened() && !defaults.opened() && !lock.opened());
        // The writes went to regular files in place of the links and the FIFO.
        QVERIFY(ScratchDir::read(kAppConfigPath).contains("profileNo=3"));
        for (int p = 0; p < 4; ++p) {
            const QString path = SettingsStore::profilePath(p);
            QVERIFY2(!QFileInfo(path).isSymLink() && ScratchDir::read(path).contains("stage_Q7=1"),
                     qPrintable(path));
        }

        // Another process puts a link in a file's place again and again while the program saves
        // it, and one in place of a folder: whichever a write meets, it never goes through it.
        const QByteArray target = QFile::encodeName(SettingsStore::profilePath(0));
        const QByteArray swap = target + ".swap";
        std::atomic<bool> stop{false};
        std::atomic<int> swaps{0};
        std::thread swapper([&] {
            for (int i = 0; !stop.load(); ++i) {
                ::unlink(swap.constData());
                swaps += outside.link(QFile::decodeName(swap), i % 2) &&
                         ::rename(swap.constData(), target.constData()) == 0;
            }
        });
        {
            SettingsStore store;
            for (int i = 0; i < 200 || swaps.load() < 200; ++i) {
                store.profile(0).setValue("sensor/stage_Q7", i);
                store.profile(0).sync();
            }
        }
        stop.store(true);
        swapper.join();
        QVERIFY(outside.untouched());

        const QString elsewhere = scratch.path() + QStringLiteral("/elsewhere");
        QVERIFY(QDir().mkpath(elsewhere) &&
                QDir(QStringLiteral("modules/macro")).removeRecursively());
        QVERIFY(QFile::link(elsewhere, QStringLiteral("modules/macro")));
        openIni(QStringLiteral("modules/macro/a.bin"))->setValue("a/b", 1);
        QVERIFY(QDir(elsewhere).isEmpty());
    }
    void unsafeValuesAreRefused_data() {
        QTest::addColumn<QByteArray>("value");
        for (const auto& [name, value] : unsafeValues(QStringLiteral("named.fifo"))) {
            QTest::newRow(name) << value;
        }
    }
    // Values that would overflow the reader's stack, keep it busy for minutes, make it reserve
    // gigabytes or open a file they name; no program writes one. The files holding them are set
    // aside and read as missing, and never reach the reader.
    void unsafeValuesAreRefused() {
        QFETCH(QByteArray, value);
        ScratchDir scratch;
        const FifoTrap named(QStringLiteral("named.fifo"));
        const QByteArray nested = "[common]\nname=" + value + "\n";
        ScratchDir::write(kAppConfigPath, nested);
        ScratchDir::write(QStringLiteral("imported.pf"), nested);
        ScratchDir::write(kNameListPath, "[macro]\nmacroName=a, b\n" + nested);
        // What programs do write, lists inside lists, still reads, however many there are; a
        // one-element variant list in the binary form of then is a list.
        const QByteArray boxed =
            "boxed=@Variant(\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\x2\\0\\0\\0\\t)\n";
        ScratchDir::write(SettingsStore::profilePath(1), "[a]\n" + boxed.repeated(400));
        SettingsStore store;
        QVERIFY(!store.appConfig().value("common/name").isValid());
        QVERIFY(QFile::exists(kAppConfigPath + QStringLiteral(".bad")));
        store.replaceProfile(0, QStringLiteral("imported.pf"));
        QVERIFY(!store.profile(0).value("common/name").isValid());
        QVERIFY(namelists::read(0).isEmpty());
        QCOMPARE(listValue(store.profile(1).value("a/boxed")), QVariantList{9});
        QVERIFY(!named.opened());
    }
    // What the program ships beside itself: the factory settings in every profile, the
    // configuration and its factory copy, name lists, folders and a complete Chinese text file.
    void shippedFiles() {
        // The factory key matrix, entries 0..15 of four numbers each.
        const QString factoryMatrix =
            "1 0 240 0 1 0 241 0 1 0 242 0 1 0 244 0 1 0 243 0 0 0 227 7 7 0 1 0 7 0 2 0 "
            "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 4 0 1 0 4 0 2 0";
        for (int p = -1; p < kProfileCount; ++p) {
            const QString path = p < 0 ? kDefaultProfilePath : SettingsStore::profilePath(p);
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
            QCOMPARE(QVariant(defaultProfilePage(0, path)).toStringList().join(' '), factoryMatrix);
            QCOMPARE(defaultProfilePage(3, path), (QVariantList{2, 5, 2, 5, 2}));
            QCOMPARE(QSettings(path, QSettings::IniFormat).value("keydefine_Q7/scrollswap"),
                     QVariant(QStringLiteral("false")));
        }

        QSettings config(kAppConfigPath, QSettings::IniFormat);
        QCOMPARE(config.value("common/name").toString(),
                 QStringLiteral("KESTRAN SOLUX MOUSE Z718"));
        QCOMPARE(config.value("common/product_name").toStringList().size(), 2);
        QCOMPARE(appconfig::profileNumber(config).toInt(), 0);
        QCOMPARE(appconfig::deviceEntries(config), QVariantList{8});
        // The factory copy matches, apart from the language that a first start saves.
        QSettings factory(kAppConfigFactoryPath, QSettings::IniFormat);
        QVERIFY(!appconfig::language(factory).isValid());
        QStringList keys = config.allKeys();
        keys.removeAll(QStringLiteral("common/language"));
        QCOMPARE(factory.allKeys(), keys);
        for (const QString& key : factory.allKeys()) {
            QCOMPARE(factory.value(key), config.value(key));
        }

        QCOMPARE(namelists::read(2), (QVariantList{"Standard0", "listpadguard"}));
        QVERIFY(QFileInfo(QStringLiteral("./modules/gun/gunData.bin")).isFile());
        QVERIFY(QFileInfo(QStringLiteral("./modules/macro")).isDir());
        QVERIFY(QFileInfo(QStringLiteral("./modules/img/trayIcon.ico")).size() > 0);
        QVERIFY(appconfig::hasSkinChoice());

        const QList<int> minimumTexts = {35, 10, 45, 25, 15, 10};
        for (int type = 0; type < minimumTexts.size(); ++type) {
            const QStringList texts = i18n::groupTexts(type, QStringLiteral("lang_025044"));
            QVERIFY2(texts.size() >= minimumTexts[type], qPrintable(i18n::groupName(type)));
            QVERIFY(!texts.first().isEmpty());
        }
        QCOMPARE(i18n::groupTexts(1, QStringLiteral("lang_025044")).at(0), QStringLiteral(u"宏: "));
        QVERIFY(i18n::groupTexts(5, QStringLiteral("lang_025044")).at(2).contains('\n'));
        QVERIFY(!i18n::layoutTexts(QStringLiteral("025044")).contains(QString()));
        QCOMPARE(i18n::availableLanguages().value(QStringLiteral("CHINESE (Simp)")).toString(),
                 QStringLiteral("025044"));
    }
};

// A full application, so that the reader knows every type the program's own would.
QTEST_MAIN(SettingsFilesTest)
#include "tst_settings_files.moc"
