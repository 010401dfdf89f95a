// The view's slots as the scene reaches them: by name, with the scene's value types, on a real
// view and link with the virtual mouse. Every slot is called under its exact name and
// parameter types; a missing one makes Qt warn, and the warning fails the test.
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <numeric>

#include "device_rig.h"
#include "support/recorded_waits.h"
#include "support/scripted_prompts.h"
#include "ui/myQQuickView.h"

using namespace z718;
using namespace z718::test;

namespace {

// Calls `slot` by name, its arguments typed exactly as given, and hands back its result.
template <typename R = void, typename... Args>
R call(QObject* object, const char* slot, const Args&... args) {
    std::conditional_t<std::is_void_v<R>, int, R> result{};
    QGenericReturnArgument back;
    if constexpr (!std::is_void_v<R>) {
        back = QReturnArgument<R>(QMetaType::fromType<R>().name(), result);
    }
    QTest::qVerify(
        QMetaObject::invokeMethod(object, slot, Qt::DirectConnection, back,
                                  QGenericArgument(QMetaType::fromType<Args>().name(), &args)...),
        "invokeMethod", slot, __FILE__, __LINE__);
    return static_cast<R>(result);
}

std::array<uchar, 192> padded(const QList<uchar>& bytes) {
    std::array<uchar, 192> block{};
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), 192), block.begin());
    return block;
}

}  // namespace

class ViewSlotsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("No such method")));
        t_ = std::make_unique<Fixture>();
        t_->view.setHid(t_->rig.hid.get());
    }
    void cleanup() { t_.reset(); }

    void configurationProfileAndLanguageSlots() {
        ScratchDir::write(kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
        ScratchDir::write("modules/i18n/lang_025044.ini",
                          "[main]\ntotal=1\n0=\xe8\xbd\xb4\n[Q7_5E08F1D]\n3=x\n");
        myQQuickView view(prompts(), t_->rig.fakes.pointer);  // reads the files written above
        call(&view, "setProfile", QVariant(4));
        QCOMPARE(call<QVariant>(&view, "getProfile").toInt(), 4);
        QCOMPARE(view.settings().currentProfileIndex(), 0);  // the number alone changes no index

        call(&view, "saveApConfig", QVariantList{1, 2});
        QCOMPARE(call<QVariantList>(&view, "loadApConfig").size(), 2);
        QCOMPARE(call<QVariantList>(&view, "loadDeviceApConfig"), QVariantList{8});
        QCOMPARE(call<QVariantList>(&view, "loadDefaultProfile", uchar(3)).at(1).toInt(), 9);
        QVERIFY(!call<bool>(&view, "getIsSkinShow"));
        call(&view, "resetApconfig");  // no factory copy: all defaults
        QCOMPARE(call<QVariant>(&view, "getProfile").toInt(), 0);

        QVERIFY(!call<bool>(&view, "loadProfile", 0));
        call(&view, "resetProfile", 1);
        call(&view, "copyProfile", 2, 1);
        QCOMPARE(view.settings().profile(2).value("sensor/cursorSpeed_Q7").toInt(), 9);
        prompts().fileNames.push_back(QStringLiteral("out.pf"));
        call(&view, "saveProfile", 2);
        QVERIFY(ScratchDir::read("out.pf").contains("cursorSpeed_Q7=9"));
        QCOMPARE(call<QString>(&view, "getCustomFilePath"), QString());
        QCOMPARE(prompts().asked.size(), size_t(3));

        QCOMPARE(call<QVariantMap>(&view, "chkLanguages").keys(), QStringList{"CHINESE (Simp)"});
        const QString layout = QStringLiteral("025044");
        QCOMPARE(call<QStringList>(&view, "getProductLayoutStrings_Q7", layout).value(3), "x");
    }

    void deviceSlots() {
        myQQuickView* view = &t_->view;
        call(view, "ui_11H_SetDPISet", uchar(7), QVariantList{4, 8, 16, 32, 64, 128, 128, 128},
             QVariantList{400, 800});
        QCOMPARE(t_->rig.wire("feature-out"), QStringList{"00 11 07 08 00 00 00 00 DF"});

        t_->rig.mouse.clearLog();
        // hidden, the view does not ask the mouse for its stage
        QCOMPARE(call<QVariant>(view, "ui_8BH_GetCurrentDPIStage"), QVariant(0));
        QVERIFY(t_->rig.mouse.log().isEmpty());

        call(view, "ui_12H_SetKeyMatrix", QVariantList(64, 1));
        call(view, "ui_12H_SetGunKeyMatrix", QVariantList(64, 11));
        // the gun matrix is not kept
        QCOMPARE(call<QVariantList>(view, "getKeydefine", QVariant(2)).value(0).toInt(), 1);

        t_->rig.use(Kb);  // the scene's numbers and texts cut to bytes
        call(view, "ui_0EH_SetXYSensitive", QVariant(300u), QVariant(QStringLiteral("7")));
        QCOMPARE(t_->rig.firmware(Kb).xySensitive, (std::array<uchar, 2>{44, 7}));
    }

    void foolProofingAsksWithTheConfirmationTexts() {
        prompts().answers = {true, false};
        QVERIFY(t_->view.getMsgAns_FoolProofing());
        QVERIFY(!t_->view.getMsgAns_FoolProofing());
        QCOMPARE(prompts().asked.size(), size_t(2));
        QCOMPARE(prompts().last(), "question|" + message(4) + '|' + message(5) + '|');
    }

    // Without an updater the mouse stays connected; with one, it starts after the worker stopped.
    void updaterStartsAfterTheWorkerStopped() {
#ifdef Q_OS_WIN
        QSKIP("the updater stand-in is a shell script");
#endif
        t_->rig.hid->startWorker(1);
        t_->view.openUpdateExe();  // no update/update yet
        QVERIFY(t_->rig.hid->workerRunning());
        QVERIFY(!t_->view.findChild<QProcess*>());
        QCOMPARE(prompts().asked.size(), size_t(1));
        QCOMPARE(
            prompts().last(),
            "warning|KESTRAN SOLUX MOUSE Z718|Updates come from the system's package manager.|");
        ScratchDir::write(QStringLiteral("update/update"),
                          "#!/bin/sh\necho started > update/started\nexec sleep 30\n");
        QFile::setPermissions(QStringLiteral("update/update"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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

    void writesDeviceMacroMemory() {
        t_->rig.use(Kb);
        saveMacro("dev", {"A    [Down]", "50   [Delay]", "A      [Up]"});
        t_->view.ui_11H_SetMacroKey(0x103, "dev");
        QCOMPARE(t_->rig.firmware(Kb).macros[3],
                 padded({0x00, 0x01, 0x01, 0x04, 0x7F, 0x00, 0x00, 0x05, 0x81, 0x04, 0x00, 0x00}));
        QVERIFY(prompts().asked.empty());
        // 50 presses and releases make 204 bytes: a warning, then the first 192 go out.
        saveMacro(
            "long",
            QString("A    [Down]\nA      [Up]\n").repeated(50).split('\n', Qt::SkipEmptyParts));
        const QList<uchar> stream = t_->view.macroIncode(t_->view.loadMacroIni("long"));
        QCOMPARE(stream.size(), 204);
        t_->view.ui_11H_SetMacroKey(1, "long");
        QCOMPARE(prompts().asked.size(), size_t(1));
        QCOMPARE(prompts().last(), "warning|" + message(0) + '|' + message(1) + '|');
        QVERIFY(!message(0).isEmpty());
        QCOMPARE(t_->rig.firmware(Kb).macros[1], padded(stream));
    }

    // Failed reads, and reads without a link, give zeros.
    void readsDeviceMacroMemory() {
        t_->rig.use(Kb);
        auto& keyboard = t_->rig.firmware(Kb).macros[2];
        std::iota(keyboard.begin(), keyboard.end(), uchar(0));
        QCOMPARE(t_->view.ui_91H_GetMacroKey(2), range(192));
        t_->rig.use(Ms);
        t_->rig.firmware(Ms).macros[2] = keyboard;
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), range(128));
        t_->rig.mouse.setFault(sim::VirtualMouse::ReadFails);
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), QVariantList(128, 0));
        t_->rig.mouse.setFault(sim::VirtualMouse::ReadFails, false);
        t_->rig.use(Kb);
        t_->rig.mouse.setKeyboardPresent(false);
        QCOMPARE(t_->view.ui_91H_GetMacroKey(2), QVariantList(192, 0));
        t_->view.setHid(nullptr);
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), QVariantList(128, 0));
    }

    void macroEncodingAndConfigFollowSelectedDevice() {
        const QStringList lines{"A    [Down]", "2000   [Delay]"};
        saveMacro("m", {});
        t_->rig.use(Ms);
        QCOMPARE(t_->view.macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x64, 1, 0, 0}));
        t_->view.setMacroIniConfig("m", {6, 9});
        QCOMPARE(t_->view.loadMacroType("m").toInt(), 1);
        QCOMPARE(t_->view.loadMacroIniConfig("m"), (QVariantList{6, 9}));
        t_->rig.use(Kb);
        QCOMPARE(t_->view.macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x7F, 0, 0, 0xC8, 0, 0}));
        QCOMPARE(t_->view.loadMacroIniConfig("m"), (QVariantList{-1, 9}));
        // A macro never configured belongs to no device, also before the view has a link.
        t_->view.setHid(nullptr);
        saveMacro("fresh", {});
        QCOMPARE(t_->view.loadMacroIniConfig("fresh"), (QVariantList{-1, 1}));
    }

    // The view passes the scene's numbers on as the store's decimal keys.
    void gunSlots() {
        ScratchDir::write("./modules/gun/gunData.bin", "");
        t_->view.saveGundata({"AK", "L-Click", 10, 0, -1, 0});
        QCOMPARE(t_->view.getGunData("AK").value(3).toInt(), -1);
        t_->view.setXYSensitive(2.0, 7);
        QCOMPARE(t_->view.settings().currentProfile().value("XYSensitive/2").toInt(), 7);
    }

private:
    struct Fixture {
        ScratchDir scratch;
        DeviceRig rig;
        myQQuickView view{rig.fakes.prompts, rig.fakes.pointer};
    };
    ScriptedPrompts& prompts() {
        return t_->rig.fakes.prompts;
    }
    QString message(int index) {
        return t_->view.settings().messageStrings().value(index);
    }
    void saveMacro(const QString& name, const QStringList& lines) {
        QVERIFY(t_->view.createMacroIni(name, 0).toBool());
        QVERIFY(t_->view.saveMacroIni(name, lines, 1).toBool());
    }

    std::unique_ptr<Fixture> t_;
};

QTEST_MAIN(ViewSlotsTest)
#include "tst_view_slots.moc"
