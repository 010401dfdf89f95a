#include <QtTest>
#include <memory>

#include "macro/gun_store.h"
#include "scratch_dir.h"

using z718::GunStore;

class TestGunStore : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::SettingsStore> settings_;
    std::unique_ptr<GunStore> guns_;

    static QVariantList entry(const QString& name, int x) {
        return {name, "L-Click", 10, x, -3, 0};
    }
    static QVariantList values(int x) { return {"L-Click", "10", QString::number(x), "-3", "0"}; }

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        QVERIFY(scratch_->isValid());
        ScratchDir::writeText(z718::kGunDataPath, "");
        settings_ = std::make_unique<z718::SettingsStore>();
        guns_ = std::make_unique<GunStore>(*settings_);
    }
    void cleanup() {
        guns_.reset();
        settings_.reset();
        scratch_.reset();
    }

    void missingFileMakesEverythingANoOp() {
        QVERIFY(QFile::remove(z718::kGunDataPath));
        guns_->saveGundata(entry("AK", 1));
        guns_->modifyGundata(1, entry("AK", 1) << "old");
        guns_->setSelectGun(0, "AK");
        guns_->setXYSensitive(0, 7);
        QCOMPARE(guns_->getGunDataKey(), QStringList{});
        QCOMPARE(guns_->getGunData("AK"), QVariantList{});
        QCOMPARE(guns_->getselectGun(0).toString(), QString());
        QVERIFY(!guns_->getXYSensitive(0).isValid());
        QVERIFY(!QFile::exists(z718::kGunDataPath));
        QVERIFY(!settings_->currentProfile().contains("selectGun/0"));
        QVERIFY(!settings_->currentProfile().contains("XYSensitive/0"));
    }

    void saveAndRead() {
        guns_->saveGundata(entry("AK", -2));
        guns_->saveGundata(entry("M4 A1", 5));
        QCOMPARE(guns_->getGunData("AK"), values(-2));
        QCOMPARE(guns_->getGunData("M4 A1"), values(5));
        QStringList keys = guns_->getGunDataKey();
        keys.sort();
        QCOMPARE(keys, (QStringList{"AK", "M4 A1"}));
        QCOMPARE(guns_->getGunData("none"), QVariantList{});
    }

    void namesWithSeparatorsStayKeys() {
        guns_->saveGundata(entry("a/b", 1));
        guns_->saveGundata(entry("c=d,e", 2));
        QCOMPARE(guns_->getGunData("a/b"), values(1));
        QCOMPARE(guns_->getGunData("c=d,e"), values(2));
        QStringList keys = guns_->getGunDataKey();
        keys.sort();
        QCOMPARE(keys, (QStringList{"a/b", "c=d,e"}));
    }

    void modify() {
        guns_->saveGundata(entry("AK", 1));
        guns_->saveGundata(entry("M4", 2));
        guns_->modifyGundata(1, entry("AK", 3) << "AK");
        QCOMPARE(guns_->getGunData("AK"), values(3));
        guns_->modifyGundata(2, {"AK"});
        guns_->modifyGundata(1, {"AK"});
        QCOMPARE(guns_->getGunData("AK"), values(3));
        guns_->modifyGundata(1, entry("M4", 4) << "AK");
        QCOMPARE(guns_->getGunDataKey(), QStringList{"M4"});
        QCOMPARE(guns_->getGunData("M4"), values(4));
        guns_->modifyGundata(0, {"M4"});
        QCOMPARE(guns_->getGunDataKey(), QStringList{});
    }

    void shortEntryIgnored() {
        guns_->saveGundata({"AK", "L-Click", 10});
        QCOMPARE(guns_->getGunDataKey(), QStringList{});
    }

    void selectionAndSensitivityPerProfile() {
        QCOMPARE(guns_->getXYSensitive(0), QVariant(4));
        QCOMPARE(guns_->getselectGun(0).toString(), QString(""));
        guns_->setSelectGun(0, "AK");
        guns_->setXYSensitive(1, 9);
        QCOMPARE(guns_->getselectGun(0).toString(), QString("AK"));
        QCOMPARE(guns_->getXYSensitive(1).toInt(), 9);
        settings_->setCurrentProfileIndex(3);
        QCOMPARE(guns_->getselectGun(0).toString(), QString(""));
        QCOMPARE(guns_->getXYSensitive(1), QVariant(4));
        QCOMPARE(settings_->profile(0).value("XYSensitive/1").toInt(), 9);
    }
};

QTEST_GUILESS_MAIN(TestGunStore)
#include "tst_gun_store.moc"
