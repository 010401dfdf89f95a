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

namespace {

// The factory key matrix, entries 0..15.
const QList<QVariantList> kFactoryMatrix = {
    {1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0}, {1, 0, 0xF4, 0},
    {1, 0, 0xF3, 0}, {0, 0, 0xE3, 7}, {7, 0, 1, 0},    {7, 0, 2, 0},
    {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
    {0, 0, 0, 0},    {0, 0, 0, 0},    {4, 0, 1, 0},    {4, 0, 2, 0},
};

QList<int> asInts(const QVariantList& values) {
    QList<int> ints;
    for (const QVariant& value : values) {
        ints.append(value.toInt());
    }
    return ints;
}

}  // namespace

class ShippedFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyProfileHoldsTheFactorySettings_data();
    void everyProfileHoldsTheFactorySettings();
    void applicationConfigurationAndItsFactoryTwin();
    void nameListsAndOtherFiles();
    void chineseLanguageFileIsComplete();
};

void ShippedFilesTest::everyProfileHoldsTheFactorySettings_data() {
    QTest::addColumn<QString>("path");
    for (int i = 0; i < z718::kProfileCount; ++i) {
        QTest::newRow(qPrintable(z718::SettingsStore::profilePath(i)))
            << z718::SettingsStore::profilePath(i);
    }
    QTest::newRow("pD.bin") << z718::kDefaultProfilePath;
}

void ShippedFilesTest::everyProfileHoldsTheFactorySettings() {
    QFETCH(QString, path);
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    QSettings profile(path, QSettings::IniFormat);
    for (int k = 0; k < 16; ++k) {
        const QVariantList entry =
            z718::listValue(profile.value(QStringLiteral("keydefine_Q7/%1").arg(k)));
        QCOMPARE(asInts(entry), asInts(kFactoryMatrix[k]));
    }
    QCOMPARE(z718::defaultProfilePage(3, path), (QVariantList{2, 5, 2, 5, 2}));
    QCOMPARE(profile.value("keydefine_Q7/scrollswap").toBool(), false);
}

void ShippedFilesTest::applicationConfigurationAndItsFactoryTwin() {
    QSettings config(z718::kAppConfigPath, QSettings::IniFormat);
    QCOMPARE(z718::appconfig::language(config).toString(), QStringLiteral("English"));
    QVERIFY(!config.value("common/name").toString().isEmpty());
    QCOMPARE(config.value("common/product_name").toStringList().size(), 2);
    QCOMPARE(z718::appconfig::profileNumber(config).toInt(), 0);
    QCOMPARE(z718::appconfig::deviceEntries(config), QVariantList{8});

    QSettings factory(z718::kAppConfigFactoryPath, QSettings::IniFormat);
    QCOMPARE(factory.allKeys(), config.allKeys());
    for (const QString& key : config.allKeys()) {
        QCOMPARE(factory.value(key), config.value(key));
    }
}

void ShippedFilesTest::nameListsAndOtherFiles() {
    QCOMPARE(z718::namelists::read(2),
             (QVariantList{QStringLiteral("Standard0"), QStringLiteral("listpadguard")}));
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
    QCOMPARE(z718::i18n::groupTexts(2, QStringLiteral("lang_025044")).at(21),
             QStringLiteral(u"播放/暂停"));
    QCOMPARE(z718::i18n::groupTexts(1, QStringLiteral("lang_025044")).at(0),
             QStringLiteral(u"宏: "));
    QVERIFY(z718::i18n::groupTexts(5, QStringLiteral("lang_025044")).at(2).contains('\n'));
    const QStringList layout = z718::i18n::layoutTexts(QStringLiteral("025044"));
    QCOMPARE(layout.size(), 16);
    QVERIFY(!layout.contains(QString()));
    QCOMPARE(z718::i18n::availableLanguages().value(QStringLiteral("CHINESE (Simp)")).toString(),
             QStringLiteral("025044"));
}

QTEST_GUILESS_MAIN(ShippedFilesTest)
#include "tst_shipped_files.moc"
