#include <QFile>
#include <QtTest>

#include "device_rig.h"
#include "platform/portable/portable_input.h"
#include "settings/scratch_dir.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

using namespace z718;
using namespace z718::test;

// The view's device slots as the scene reaches them: by name, with the scene's value types.
class ViewDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void slotsAnswerByName();
    void foolProofingAsksWithTheConfirmationTexts();
    void updaterStartsAfterTheWorkerStopped();

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<DeviceRig> rig_;
    std::unique_ptr<myQQuickView> view_;
};

void ViewDeviceTest::init() {
    scratch_ = std::make_unique<ScratchDir>();
    rig_ = std::make_unique<DeviceRig>();
    view_ = std::make_unique<myQQuickView>();
    view_->setHid(rig_->hid.get());
    platform::portablePointerSettings().reset();
}

void ViewDeviceTest::cleanup() {
    view_.reset();
    rig_.reset();
    scratch_.reset();
    platform::portablePointerSettings().reset();
}

void ViewDeviceTest::slotsAnswerByName() {
    const QVariantList codes{4, 8, 16, 32, 64, 128, 128, 128};
    const QVariantList shown{400, 800, 1600, 3200, 6400, 0, 0};
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "ui_11H_SetDPISet", Q_ARG(uchar, 7),
                                      Q_ARG(QVariantList, codes), Q_ARG(QVariantList, shown)));
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 11 07 08 00 00 00 00 DF"});
    QVariantList stored;
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "ui_91H_GetDPISet",
                                      Q_RETURN_ARG(QVariantList, stored)));
    QCOMPARE(stored.size(), shown.size());

    // Hidden, the view does not ask the mouse for its stage.
    rig_->mouse.clearLog();
    QVariant stage;
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "ui_8BH_GetCurrentDPIStage",
                                      Q_RETURN_ARG(QVariant, stage)));
    QCOMPARE(stage, QVariant(0));
    QVERIFY(rig_->mouse.log().isEmpty());

    QVERIFY(QMetaObject::invokeMethod(view_.get(), "ui_12H_SetKeyMatrix",
                                      Q_ARG(QVariantList, QVariantList(64, 1))));
    QVariantList key;
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "getKeydefine", Q_RETURN_ARG(QVariantList, key),
                                      Q_ARG(QVariant, 2)));
    QCOMPARE(key.size(), 4);
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "ui_12H_SetGunKeyMatrix",
                                      Q_ARG(QVariantList, QVariantList(64, 11))));
    QCOMPARE(view_->getKeydefine(2).at(0).toInt(), 1);  // the gun matrix is not kept

    QVERIFY(QMetaObject::invokeMethod(view_.get(), "setCursorSpeed", Q_ARG(uint, 4)));
    uint speed = 0;
    QVERIFY(QMetaObject::invokeMethod(view_.get(), "getCursorSpeed", Q_RETURN_ARG(uint, speed)));
    QCOMPARE(speed, 4u);
    int systemSpeed = 0;
    platform::pointerSettings().systemParametersInfo(win::kSpiGetMouseSpeed, 0, &systemSpeed, 0);
    QCOMPARE(systemSpeed, 8);
}

void ViewDeviceTest::foolProofingAsksWithTheConfirmationTexts() {
    ScriptedPrompts scripted;
    ScopedPrompts installed(scripted);
    scripted.answers = {true, false};
    QVERIFY(view_->getMsgAns_FoolProofing());
    QVERIFY(!view_->getMsgAns_FoolProofing());
    QCOMPARE(scripted.asked.size(), size_t(2));
    QCOMPARE(scripted.asked[0].kind, QStringLiteral("question"));
    QCOMPARE(scripted.asked[0].caption, view_->settings().messageStrings().value(4));
    QCOMPARE(scripted.asked[0].text, view_->settings().messageStrings().value(5));
}

void ViewDeviceTest::updaterStartsAfterTheWorkerStopped() {
#ifdef Q_OS_WIN
    QSKIP("the updater stand-in is a shell script");
#endif
    QVERIFY(QDir().mkpath(QStringLiteral("update")));
    ScratchDir::write(QStringLiteral("update/update"),
                      "#!/bin/sh\necho started > update/started\nsleep 1\n");
    QFile::setPermissions(QStringLiteral("update/update"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    rig_->hid->startWorker(1);
    QVERIFY(rig_->hid->workerRunning());
    QElapsedTimer timer;
    timer.start();
    view_->openUpdateExe();
    QVERIFY(!rig_->hid->workerRunning());
    QVERIFY(timer.elapsed() < 900);  // the updater is not waited for
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("update/started")), 10000);
    // Let it end before the view that owns it goes away.
    auto* updater = view_->findChild<QProcess*>();
    QVERIFY(updater);
    QVERIFY(updater->waitForFinished(10000));
}

QTEST_MAIN(ViewDeviceTest)
#include "tst_view_device.moc"
