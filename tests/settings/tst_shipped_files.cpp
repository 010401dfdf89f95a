// The files shipped beside the programs, as a program run from the build tree finds them.
// Read-only: nothing here may change them.
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include "i18n/language_files.h"
#include "settings/app_config.h"
#include "settings/default_profile.h"
#include "settings/ini_values.h"
#include "settings/name_lists.h"
#include "settings/settings_store.h"

class ShippedFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyProfileHoldsTheFactorySettings();
    void configurationNameListsAndFolders();
    void chineseLanguageFileIsComplete();
};

void ShippedFilesTest::everyProfileHoldsTheFactorySettings() {
    // The factory key matrix, entries 0..15, flattened.
    const QVariantList factoryMatrix = {1, 0, 0xF0, 0, 1, 0, 0xF1, 0, 1, 0, 0xF2, 0, 1, 0, 0xF4, 0,
                                        1, 0, 0xF3, 0, 0, 0, 0xE3, 7, 7, 0, 1,    0, 7, 0, 2,    0,
                                        0, 0, 0,    0, 0, 0, 0,    0, 0, 0, 0,    0, 0, 0, 0,    0,
                                        0, 0, 0,    0, 0, 0, 0,    0, 4, 0, 1,    0, 4, 0, 2,    0};
    QStringList paths = {z718::kDefaultProfilePath};
    for (int i = 0; i < z718::kProfileCount; ++i) {
        paths << z718::SettingsStore::profilePath(i);
    }
    for (const QString& path : paths) {
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QVariantList matrix;
        for (const QVariant& value : z718::defaultProfilePage(0, path)) {
            matrix << value.toInt();
        }
        QCOMPARE(matrix, factoryMatrix);
        QCOMPARE(z718::defaultProfilePage(3, path), (QVariantList{2, 5, 2, 5, 2}));
        QCOMPARE(QSettings(path, QSettings::IniFormat).value("keydefine_Q7/scrollswap"),
                 QVariant(QStringLiteral("false")));
    }
}

void ShippedFilesTest::configurationNameListsAndFolders() {
    QSettings config(z718::kAppConfigPath, QSettings::IniFormat);
    QCOMPARE(config.value("common/name").toString(), QStringLiteral("KESTRAN SOLUX MOUSE Z718"));
    QCOMPARE(config.value("common/product_name").toStringList().size(), 2);
    QCOMPARE(z718::appconfig::profileNumber(config).toInt(), 0);
    QCOMPARE(z718::appconfig::deviceEntries(config), QVariantList{8});
    // The factory copy matches, apart from the language that a first start saves.
    QSettings factory(z718::kAppConfigFactoryPath, QSettings::IniFormat);
    QVERIFY(!z718::appconfig::language(factory).isValid());
    QStringList keys = config.allKeys();
    keys.removeAll(QStringLiteral("common/language"));
    QCOMPARE(factory.allKeys(), keys);
    for (const QString& key : factory.allKeys()) {
        QCOMPARE(factory.value(key), config.value(key));
    }

    QCOMPARE(z718::namelists::read(2), (QVariantList{"Standard0", "listpadguard"}));
    QVERIFY(QFileInfo(QStringLiteral("./modules/gun/gunData.bin")).isFile());
    QVERIFY(QFileInfo(QStringLiteral("./modules/macro")).isDir());
    QVERIFY(QFileInfo(QStringLiteral("./modules/img/trayIcon.ico")).size() > 0);
    QVERIFY(z718::appconfig::hasSkinChoice());
}

void ShippedFilesTest::chineseLanguageFileIsComplete() {
    const QList<int> minimumTexts = {35, 10, 45, 25, 15, 10};
    for (int type = 0; type < minimumTexts.size(); ++type) {
        const QStringList texts = z718::i18n::groupTexts(type, QStringLiteral("lang_025044"));
        QVERIFY2(texts.size() >= minimumTexts[type], qPrintable(z718::i18n::groupName(type)));
        QVERIFY(!texts.first().isEmpty());
    }
    QCOMPARE(z718::i18n::groupTexts(1, QStringLiteral("lang_025044")).at(0),
             QStringLiteral(u"宏: "));
    QVERIFY(z718::i18n::groupTexts(5, QStringLiteral("lang_025044")).at(2).contains('\n'));
    QVERIFY(!z718::i18n::layoutTexts(QStringLiteral("025044")).contains(QString()));
    QCOMPARE(z718::i18n::availableLanguages().value(QStringLiteral("CHINESE (Simp)")).toString(),
             QStringLiteral("025044"));
}

QTEST_GUILESS_MAIN(ShippedFilesTest)
#include "tst_shipped_files.moc"
