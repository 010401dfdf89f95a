#include <QFile>
#include <QtTest>

#include "device_rig.h"
#include "platform/portable/portable_input.h"
#include "support/recorded_waits.h"
#include "support/scripted_prompts.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

using namespace z718;
using namespace z718::test;

// The view's device slots as the scene reaches them: by name, with the scene's value types.
class ViewDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        t_ = std::make_unique<Fixture>();
        t_->view.setHid(t_->rig.hid.get());
        platform::portablePointerSettings().reset();
    }
    void cleanup() {
        t_.reset();
        platform::portablePointerSettings().reset();
    }

    void slotsAnswerByName() {
        myQQuickView* view = &t_->view;
        const QVariantList codes{4, 8, 16, 32, 64, 128, 128, 128}, shown{400, 800};
        QVERIFY(QMetaObject::invokeMethod(view, "ui_11H_SetDPISet", Q_ARG(uchar, 7),
                                          Q_ARG(QVariantList, codes), Q_ARG(QVariantList, shown)));
        QCOMPARE(t_->rig.wire("feature-out"), QStringList{"00 11 07 08 00 00 00 00 DF"});

        t_->rig.mouse.clearLog();
        QVariant stage;  // hidden, the view does not ask the mouse for its stage
        QVERIFY(QMetaObject::invokeMethod(view, "ui_8BH_GetCurrentDPIStage",
                                          Q_RETURN_ARG(QVariant, stage)));
        QCOMPARE(stage, QVariant(0));
        QVERIFY(t_->rig.mouse.log().isEmpty());

        QVERIFY(QMetaObject::invokeMethod(view, "ui_12H_SetKeyMatrix",
                                          Q_ARG(QVariantList, QVariantList(64, 1))));
        QVERIFY(QMetaObject::invokeMethod(view, "ui_12H_SetGunKeyMatrix",
                                          Q_ARG(QVariantList, QVariantList(64, 11))));
        QVariantList key;
        QVERIFY(QMetaObject::invokeMethod(view, "getKeydefine", Q_RETURN_ARG(QVariantList, key),
                                          Q_ARG(QVariant, 2)));
        QCOMPARE(key.value(0).toInt(), 1);  // the gun matrix is not kept

        t_->rig.use(DeviceRig::Keyboard);  // the scene's numbers and texts cut to bytes
        QVERIFY(QMetaObject::invokeMethod(view, "ui_0EH_SetXYSensitive",
                                          Q_ARG(QVariant, QVariant(300u)),
                                          Q_ARG(QVariant, QVariant(QStringLiteral("7")))));
        QCOMPARE(t_->rig.firmware(DeviceRig::Keyboard).xySensitive, (std::array<uchar, 2>{44, 7}));

        QVERIFY(QMetaObject::invokeMethod(view, "setCursorSpeed", Q_ARG(uint, 4)));
        QCOMPARE(view->getCursorSpeed(), 4u);
        int systemSpeed = 0;
        platform::pointerSettings().systemParametersInfo(win::kSpiGetMouseSpeed, 0, &systemSpeed,
                                                         0);
        QCOMPARE(systemSpeed, 8);
    }

    void foolProofingAsksWithTheConfirmationTexts() {
        ScriptedPrompts scripted;
        ScopedPrompts installed(scripted);
        scripted.answers = {true, false};
        QVERIFY(t_->view.getMsgAns_FoolProofing());
        QVERIFY(!t_->view.getMsgAns_FoolProofing());
        QCOMPARE(scripted.asked.size(), size_t(2));
        QCOMPARE(scripted.asked[0].kind, QStringLiteral("question"));
        QCOMPARE(scripted.asked[0].caption, t_->view.settings().messageStrings().value(4));
        QCOMPARE(scripted.asked[0].text, t_->view.settings().messageStrings().value(5));
    }

    void updaterStartsAfterTheWorkerStopped() {
#ifdef Q_OS_WIN
        QSKIP("the updater stand-in is a shell script");
#endif
        ScratchDir::write(QStringLiteral("update/update"),
                          "#!/bin/sh\necho started > update/started\nexec sleep 30\n");
        QFile::setPermissions(QStringLiteral("update/update"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        t_->rig.hid->startWorker(1);
        durations().updaterDelayMs = 500;
        RecordedWaits waits;
        t_->view.openUpdateExe();
        QVERIFY(!t_->rig.hid->workerRunning());
        QCOMPARE(waits.waits, QList<int>{500});
        auto* updater = t_->view.findChild<QProcess*>();
        QVERIFY(updater && updater->state() != QProcess::NotRunning);  // not waited for
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("update/started")), 10000);
        // End it before the view that owns it goes away.
        updater->kill();
        QVERIFY(updater->waitForFinished(10000));
    }

    void withoutAnUpdaterTheMouseStaysConnected() {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps starting update.exe");
#endif
        ScriptedPrompts scripted;
        ScopedPrompts installed(scripted);
        t_->rig.hid->startWorker(1);
        t_->view.openUpdateExe();  // no update/update here
        QVERIFY(t_->rig.hid->workerRunning());
        QVERIFY(!t_->view.findChild<QProcess*>());
        QCOMPARE(scripted.asked.size(), size_t(1));
        QCOMPARE(scripted.asked[0].text,
                 QStringLiteral("Updates come from the system's package manager."));
        t_->rig.hid->stopWorker();
    }

private:
    struct Fixture {
        ScratchDir scratch;
        DeviceRig rig;
        myQQuickView view;
    };
    std::unique_ptr<Fixture> t_;
};

QTEST_MAIN(ViewDeviceTest)
#include "tst_view_device.moc"
