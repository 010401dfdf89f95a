// The slots the scene reaches, on a real link with the virtual mouse: Hid_Thread's commands as
// they go over the wire, and the view's by name, with the scene's value types. Every view slot is
// called under its exact name and parameter types; a missing one makes Qt warn, and the warning
// fails the test.
#include <QFile>
#include <QOperatingSystemVersion>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <numeric>

#include "device_rig.h"
#include "support/debug_capture.h"
#include "support/recorded_waits.h"
#include "support/scripted_prompts.h"
#include "support/table_rows.h"
#include "ui/myQQuickView.h"

using namespace z718;
using namespace z718::test;
using K = Hid_Thread;
using S = sim::FirmwareState;

namespace {

QByteArray outs(std::initializer_list<uchar> values) {
    return QByteArray(reinterpret_cast<const char*>(std::data(values)),
                      static_cast<qsizetype>(values.size()));
}

QByteArray filled(int length) {
    return QByteArray(length, '\x55');
}

// One set command as it must appear on the wire. The call gets a 512-byte block to send from.
struct SetCase {
    const char* slot;
    DeviceRig::Family family;
    std::function<void(K&, uchar*)> call;
    const char* frame;
    int payload;       // leading block bytes that follow the frame
    QList<int> waits;  // a settle wait is two sleeps of 60 ms, the pause after a command 50 ms
};

// clang-format off
const QList<SetCase> kSetCases{
    {"hid_01H_SetReportRate",            Ms, [](K& h, uchar*) { h.hid_01H_SetReportRate(4); },                      "00 01 04 00 00 00 00 00 FA",   0, {60, 60}},
    {"hid_02H_SetCurrentProfile",        Kb, [](K& h, uchar*) { h.hid_02H_SetCurrentProfile(3); },                  "00 02 03 00 00 00 00 00 FA",   0, {50}},
    {"hid_03H_SetKeyboardoption",        Kb, [](K& h, uchar*) { h.hid_03H_SetKeyboardoption(0x11, 0x22, 0x33, 0x44); }, "00 03 11 22 33 44 00 00 52", 0, {50}},
    {"hid_04H_SetGunData",               Ms, [](K& h, uchar*) { h.hid_04H_SetGunData(1, 2, 3, 4, 5); },             "00 04 01 02 03 04 05 00 EC",   0, {60, 60}},
    {"hid_07H_SetControlIndicatorLight", Kb, [](K& h, uchar*) { h.hid_07H_SetControlIndicatorLight(2, 9); },        "00 07 02 09 00 00 00 00 ED",   0, {50}},
    {"hid_08H_SetLEDType",               Kb, [](K& h, uchar*) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); },          "00 08 01 02 03 04 05 06 E2",   0, {60, 60}},
    {"hid_09H_SetKeyboardMode",          Kb, [](K& h, uchar*) { h.hid_09H_SetKeyboardMode(2); },                    "00 09 02 00 00 00 00 00 F4",   0, {60, 60}},
    {"hid_0DH_SetKeyMatrix",             Kb, [](K& h, uchar* b) { h.hid_0DH_SetKeyMatrix(b); },                     "00 0D 00 00 08 00 00 00 EA", 512, {60, 60, 60, 60}},
    {"hid_0EH_SetKeyOnOff",              Kb, [](K& h, uchar* b) { h.hid_0EH_SetKeyOnOff(b); },                      "00 0E 00 00 15 00 00 00 DC",  21, {60, 60, 60, 60}},
    {"hid_0EH_SetXYSensitive",           Kb, [](K& h, uchar*) { h.hid_0EH_SetXYSensitive(0x30, 0x40); },            "00 0E 30 40 00 00 00 00 81",   0, {60, 60}},
    {"hid_11H_SetMacroKey",              Kb, [](K& h, uchar* b) { h.hid_11H_SetMacroKey(5, b); },                   "00 11 00 05 03 00 00 00 E6", 192, {60, 60, 60, 60}},
    {"hid_12H_SetUserPicture",           Kb, [](K& h, uchar* b) { h.hid_12H_SetUserPicture(2, 7, b); },             "00 12 00 02 08 07 00 00 DC", 512, {60, 60, 60, 60}},
    {"hid_13H_SetRecoveryData",          Kb, [](K& h, uchar*) { h.hid_13H_SetRecoveryData(); },                     "00 13 FF 00 00 00 00 00 ED",   0, {50}},
    {"hid_14H_SetColor",                 Kb, [](K& h, uchar*) { h.hid_14H_SetColor(3, 0xAA, 0xBB, 0xCC); },         "00 14 00 03 AA BB CC 00 B7",   0, {50}},
    {"hid_03H_SetFunctionOption",        Ms, [](K& h, uchar*) { h.hid_03H_SetFunctionOption(0x12, 4, 0x81, 0x05); }, "00 03 12 04 81 05 00 00 60",  0, {60, 60, 50}},
    {"hid_07H_SetLEDInstructFunction",   Ms, [](K& h, uchar*) { h.hid_07H_SetLEDInstructFunction(1, 2, 3, 4); },    "00 07 01 02 03 04 00 00 EE",   0, {}},
    {"hid_0BH_SetCurrentDPIStage",       Ms, [](K& h, uchar*) { h.hid_0BH_SetCurrentDPIStage(3); },                 "00 0B 03 00 00 00 00 00 F1",   0, {60, 60}},
    {"hid_0DH_SetRGBLedEffect",          Ms, [](K& h, uchar*) { h.hid_0DH_SetRGBLedEffect(5, 6, 7); },              "00 0D 05 06 07 00 00 00 E0",   0, {60, 60}},
    {"hid_10H_SetLED8StageColor type 2", Ms, [](K& h, uchar* b) { h.hid_10H_SetLED8StageColor(2, b); },             "00 10 02 04 00 00 00 00 E9",   4, {60, 60, 60, 60}},
    {"hid_10H_SetLED8StageColor type 1", Ms, [](K& h, uchar* b) { h.hid_10H_SetLED8StageColor(1, b); },             "00 10 01 18 00 00 00 00 D6",  24, {60, 60, 60, 60}},
    {"hid_11H_SetDPISet",                Ms, [](K& h, uchar* b) { h.hid_11H_SetDPISet(7, b); },                     "00 11 07 08 00 00 00 00 DF",   8, {60, 60, 60, 60}},
};
// clang-format on

// What a get slot hands back, every out-argument and block byte starting at `fill`: a bool
// result first, then the out-arguments, then the block.
using GetCall = std::function<QByteArray(K&, uchar fill)>;

// A slot whose arguments are all out-bytes.
template <typename... Refs>
GetCall outArgs(void (K::*slot)(Refs...)) {
    return [slot](K& h, uchar fill) {
        std::array<uchar, sizeof...(Refs)> out;
        out.fill(fill);
        std::apply([&](auto&... each) { (h.*slot)(each...); }, out);
        return QByteArray(reinterpret_cast<const char*>(out.data()), out.size());
    };
}

// A slot that reads `length` bytes into a block, after its selector arguments.
template <typename Slot, typename... Selectors>
GetCall blockOf(Slot slot, int length, Selectors... selectors) {
    return [=](K& h, uchar fill) {
        QByteArray block(length, static_cast<char>(fill));
        (h.*slot)(uchar(selectors)..., bytes(block));
        return block;
    };
}

struct GetCase {
    const char* slot;
    DeviceRig::Family family;
    std::function<void(S&)> prime;
    GetCall call;
    const char* frame;
    int inputReports;
    QByteArray answer;        // after a good exchange with the primed firmware
    QByteArray afterFailure;  // after a failed exchange, by `failure`
    QByteArray untouched{};   // when the link is busy; empty: every byte still `fill`
    sim::VirtualMouse::Fault failure = sim::VirtualMouse::GetFeatureFails;
};

// clang-format off
const QList<GetCase> kGetCases{
    {"hid_00H_GetSecrecyCode", Ms, [](S& s) { s.secrecyCode = {0xA1, 0xA2, 0xA3, 0xA4}; },
     [](K& h, uchar) { uchar a = 0x11, b = 0x22, c = 0x33, d = 0x44; h.hid_00H_GetSecrecyCode(a, b, c, d); return outs({a, b, c, d}); },
     "00 00 11 22 33 44 00 00 55", 0, outs({0xA1, 0xA2, 0xA3, 0xA4}), outs({0, 0, 0, 0}), outs({0x11, 0x22, 0x33, 0x44})},
    {"hid_80H_GetFWVersion", Ms, [](S& s) { s.firmwareVersion = {0x1A, 0x0B}; },
     [](K& h, uchar) { QString version = QStringLiteral("before"); h.hid_80H_GetFWVersion(version); return version.toLatin1(); },
     "00 80 00 00 00 00 00 00 7F", 0, "1a.0B", "unknown", "before"},
    {"hid_81H_GetReportRate", Ms, [](S& s) { s.reportRate = 8; }, outArgs(&K::hid_81H_GetReportRate), "00 81 00 00 00 00 00 00 7E", 0, outs({8}), filled(1)},
    {"hid_82H_GetCurrentProfile", Kb, [](S& s) { s.currentProfile = 3; }, outArgs(&K::hid_82H_GetCurrentProfile), "00 82 00 00 00 00 00 00 7D", 0, outs({3}), filled(1)},
    {"hid_83H_GetKeyboardoption", Kb, [](S& s) { s.keyboardOptions = {1, 2, 3, 4}; }, outArgs(&K::hid_83H_GetKeyboardoption), "00 83 00 00 00 00 00 00 7C", 0, outs({1, 2, 3, 4}), filled(4)},
    {"hid_84H_GetButtonSensitivity", Kb, [](S& s) { s.buttonSensitivity = {5, 6, 7, 8}; }, outArgs(&K::hid_84H_GetButtonSensitivity), "00 84 00 00 00 00 00 00 7B", 0, outs({5, 6, 7, 8}), filled(4)},
    {"hid_88H_GetLEDType", Kb, [](S& s) { s.ledType = {9, 8, 7, 6, 5}; }, outArgs(&K::hid_88H_GetLEDType), "00 88 00 00 00 00 00 00 77", 0, outs({9, 8, 7, 6, 5}), filled(5)},
    {"hid_89H_GetKeyboardMode", Kb, [](S& s) { s.keyboardMode = 2; }, outArgs(&K::hid_89H_GetKeyboardMode), "00 89 00 00 00 00 00 00 76", 0, outs({2}), filled(1)},
    {"hid_8DH_GetKeyMatrix", Kb, [](S& s) { primeBlock(s.keyMatrix, 3); }, blockOf(&K::hid_8DH_GetKeyMatrix, 512), "00 8D 00 00 00 00 00 00 72", 16, pattern(512, 3), filled(512)},
    {"hid_8EH_GetKeyOnOff", Kb, [](S& s) { primeBlock(s.keyOnOff, 4); }, blockOf(&K::hid_8EH_GetKeyOnOff, 21), "00 8E 00 00 00 00 00 00 71", 1, pattern(21, 4), filled(21)},
    {"hid_91H_GetMacroKey", Kb, [](S& s) { primeBlock(s.macros[6], 5); }, blockOf(&K::hid_91H_GetMacroKey, 192, 6), "00 91 00 06 00 00 00 00 68", 6, pattern(192, 5), filled(192)},
    {"hid_92H_GetUserPicture", Kb, [](S& s) { primeBlock(s.userPictures[2], 6); }, blockOf(&K::hid_92H_GetUserPicture, 512, 2), "00 92 00 02 00 00 00 00 6B", 16, pattern(512, 6), filled(512)},
    {"hid_94H_GetColor", Kb, [](S& s) { s.colors[3] = {0xAA, 0xBB, 0xCC}; },
     [](K& h, uchar f) { uchar r = f, g = f, b = f; h.hid_94H_GetColor(3, r, g, b); return outs({r, g, b}); },
     "00 94 00 03 00 00 00 00 68", 0, outs({0xAA, 0xBB, 0xCC}), filled(3)},
    {"hid_83H_GetFunctionOption", Ms, [](S& s) { s.sensorType = 0x12; s.reportRate = 4; s.functionOptions = {0x81, 0x05}; }, outArgs(&K::hid_83H_GetFunctionOption), "00 83 00 00 00 00 00 00 7C", 0, outs({0x12, 0x81, 0x05}), outs({0, 0, 0})},
    {"hid_87H_GetLEDInstructFunction", Ms, [](S& s) { s.ledInstruct[1] = {7, 8, 9}; },
     [](K& h, uchar f) { uchar a = f, b = f, c = f; const bool ok = h.hid_87H_GetLEDInstructFunction(1, a, b, c); return outs({ok, a, b, c}); },
     "00 87 01 00 00 00 00 00 77", 0, outs({1, 7, 8, 9}), outs({0, 0x55, 0x55, 0x55}), outs({0, 0x55, 0x55, 0x55})},
    {"hid_8BH_GetCurrentDPIStage", Ms, [](S& s) { s.dpiStage = 3; }, outArgs(&K::hid_8BH_GetCurrentDPIStage), "00 8B 00 00 00 00 00 00 74", 0, outs({3}), outs({0})},
    {"hid_8DH_GetRGBLedEffect", Ms, [](S& s) { s.rgbEffect = {4, 5, 6}; }, outArgs(&K::hid_8DH_GetRGBLedEffect), "00 8D 00 00 00 00 00 00 72", 0, outs({4, 5, 6}), outs({0, 0, 0})},
    {"hid_90H_GetLED8StageColor type 2", Ms, [](S& s) { primeBlock(s.stageColors[2], 7); }, blockOf(&K::hid_90H_GetLED8StageColor, 24, 2), "00 90 02 00 00 00 00 00 6D", 1, pattern(4, 7) + filled(20), filled(24)},
    {"hid_90H_GetLED8StageColor type 1", Ms, [](S& s) { primeBlock(s.stageColors[1], 8); }, blockOf(&K::hid_90H_GetLED8StageColor, 24, 1), "00 90 01 00 00 00 00 00 6E", 1, pattern(24, 8), filled(24)},
    // Its failure: the reply came but the payload did not, and the stage count is not taken either.
    {"hid_91H_GetDPISet", Ms, [](S& s) { s.dpiMaxStage = 7; primeBlock(s.dpiCodes, 9); },
     [](K& h, uchar f) { uchar n = f; QByteArray codes(8, char(f)); const bool ok = h.hid_91H_GetDPISet(n, bytes(codes)); return outs({ok, n}) + codes; },
     "00 91 00 00 00 00 00 00 6E", 1, outs({1, 7}) + pattern(8, 9), outs({0, 0x55}) + filled(8), outs({0, 0x55}) + filled(8), sim::VirtualMouse::ReadFails},
    {"hid_92H_GetKeyMatrix", Ms, [](S& s) { primeBlock(s.keyMatrix, 10); }, blockOf(&K::hid_92H_GetKeyMatrix, 64), "00 92 01 00 00 00 00 00 6C", 2, pattern(64, 10), filled(64)},
    {"hid_93H_GetMacroKey", Ms, [](S& s) { primeBlock(s.macros[4], 11); }, blockOf(&K::hid_93H_GetMacroKey, 128, 4), "00 93 04 00 00 00 00 00 68", 4, pattern(128, 11), filled(128)},
};

// clang-format on

// The output reports a payload becomes: report id 0, then 32 data bytes, zero-filled.
QStringList payloadReports(const QByteArray& payload) {
    QStringList reports;
    for (int offset = 0; offset < payload.size(); offset += 32) {
        QByteArray report = QByteArray(1, '\0') + payload.mid(offset, 32);
        reports.append(hex(report.leftJustified(33, '\0')));
    }
    return reports;
}

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

}  // namespace

class SlotsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("No such method")));
        t_ = std::make_unique<Fixture>();
        t_->view.setHid(rig().hid.get());
    }
    void cleanup() {
        QCOMPARE(rig().mouse.openHandles(), 0);
        QVERIFY(rig().hid->link().isIdle());
        t_.reset();
    }

    // While the link is busy nothing goes out and the command's failure is printed.
    void setCommands() {
        durations().settleSleepMs = 60;
        durations().commandPauseMs = 50;
        DebugCapture debug;
        for (const SetCase& c : kSetCases) {
            RowName row(c.slot);
            rig().use(c.family);
            QByteArray block = pattern(512, 0x21);
            RecordedWaits waits;
            c.call(*rig().hid, bytes(block));
            QCOMPARE(rig().wire("feature-out"), QStringList{c.frame});
            QCOMPARE(rig().wire("output"), payloadReports(pattern(c.payload, 0x21)));
            QVERIFY(rig().wire("feature-in").isEmpty());  // a set reads no answer
            QCOMPARE(waits.waits, c.waits);

            debug.clear();
            rig().whileBusy([&] { c.call(*rig().hid, bytes(block)); });
            QCOMPARE(debug.captured(), QStringList{"cmd Failed " + QString(c.frame).mid(3, 2)});
        }
    }

    // A good exchange with the primed firmware, a failed one, and none while the link is busy.
    void getCommands() {
        DebugCapture debug;
        for (const GetCase& c : kGetCases) {
            RowName row(c.slot);
            rig().use(c.family);
            c.prime(rig().firmware(c.family));
            QCOMPARE(c.call(*rig().hid, 0x55), c.answer);
            QCOMPARE(rig().wire("feature-out"), QStringList{c.frame});
            QCOMPARE(rig().wire("feature-in").size(), 1);
            QCOMPARE(rig().wire("input").size(), c.inputReports);
            QCOMPARE(rig().wire("output").size(), 0);

            rig().use(c.family);
            rig().mouse.setFault(c.failure);
            QCOMPARE(c.call(*rig().hid, 0x55), c.afterFailure);
            rig().mouse.clearFaults();
            QCOMPARE(rig().wire("feature-out"), QStringList{c.frame});

            debug.clear();
            QByteArray handedBack;
            rig().whileBusy([&] { handedBack = c.call(*rig().hid, 0x55); });
            const bool secrecy = QByteArray(c.frame).startsWith("00 00");
            QCOMPARE(debug.captured(), QStringList{secrecy ? "cmd Failed 00" : "cmd Failed"});
            QCOMPARE(handedBack, c.untouched.isEmpty() ? filled(handedBack.size()) : c.untouched);
        }
    }

    void configurationProfileAndLanguageSlots() {
        ScratchDir::write(kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
        ScratchDir::write("modules/i18n/lang_025044.ini",
                          "[main]\ntotal=1\n0=\xe8\xbd\xb4\n[Q7_5E08F1D]\n3=x\n");
        myQQuickView view(prompts(), rig().fakes.pointer);  // reads the files written above
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
        QCOMPARE(rig().wire("feature-out"), QStringList{"00 11 07 08 00 00 00 00 DF"});

        rig().mouse.clearLog();
        // hidden, the view does not ask the mouse for its stage
        QCOMPARE(call<QVariant>(view, "ui_8BH_GetCurrentDPIStage"), QVariant(0));
        QVERIFY(rig().mouse.log().isEmpty());

        call(view, "ui_12H_SetKeyMatrix", QVariantList(64, 1));
        call(view, "ui_12H_SetGunKeyMatrix", QVariantList(64, 11));
        // the gun matrix is not kept
        QCOMPARE(call<QVariantList>(view, "getKeydefine", QVariant(2)).value(0).toInt(), 1);

        rig().use(Kb);  // the scene's numbers and texts cut to bytes
        call(view, "ui_0EH_SetXYSensitive", QVariant(300u), QVariant(QStringLiteral("7")));
        QCOMPARE(rig().firmware(Kb).xySensitive, (std::array<uchar, 2>{44, 7}));

        // Fool-proofing asks with the confirmation texts.
        prompts().answers = {true, false};
        QVERIFY(view->getMsgAns_FoolProofing());
        QVERIFY(!view->getMsgAns_FoolProofing());
        QCOMPARE(prompts().asked.size(), size_t(2));
        QCOMPARE(prompts().last(), "question|" + message(4) + '|' + message(5) + '|');

        // The gun slots pass the scene's numbers on as the store's decimal keys.
        ScratchDir::write("./modules/gun/gunData.bin", "");
        view->saveGundata({"AK", "L-Click", 10, 0, -1, 0});
        QCOMPARE(view->getGunData("AK").value(3).toInt(), -1);
        view->setXYSensitive(2.0, 7);
        QCOMPARE(view->settings().currentProfile().value("XYSensitive/2").toInt(), 7);
    }

    // Without an updater the mouse stays connected; with one, it starts after the worker stopped.
    void updaterStartsAfterTheWorkerStopped() {
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows) {
            QSKIP("the updater stand-in is a shell script");
        }
        rig().hid->startWorker(1);
        t_->view.openUpdateExe();  // no update/update yet
        QVERIFY(rig().hid->workerRunning());
        QVERIFY(!t_->view.findChild<QProcess*>());
        QCOMPARE(prompts().asked.size(), size_t(1));
        QCOMPARE(
            prompts().last(),
            "warning|KESTRAN SOLUX MOUSE Z718|Updates come from the system's package manager.|");
        ScratchDir::write(QStringLiteral("update/update"),
                          "#!/bin/sh\necho started > update/started\nexec sleep 30\n");
        QFile::setPermissions("update/update",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        durations().updaterDelayMs = 500;
        RecordedWaits waits;
        t_->view.openUpdateExe();
        QVERIFY(!rig().hid->workerRunning());
        QCOMPARE(waits.waits, QList<int>{500});
        auto* updater = t_->view.findChild<QProcess*>();
        QVERIFY(updater && updater->state() != QProcess::NotRunning);  // not waited for
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("update/started")), 10000);
        // End it before the view that owns it goes away.
        updater->kill();
        QVERIFY(updater->waitForFinished(10000));
    }

    void writesAndReadsDeviceMacroMemory() {
        rig().use(Kb);
        saveMacro("dev", {"A    [Down]", "50   [Delay]", "A      [Up]"});
        t_->view.ui_11H_SetMacroKey(0x103, "dev");
        QCOMPARE(rig().firmware(Kb).macros[3],
                 (std::array<uchar, 192>{0, 1, 1, 4, 0x7F, 0, 0, 5, 0x81, 4, 0, 0}));
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
        QVERIFY(std::ranges::equal(rig().firmware(Kb).macros[1], stream.first(192)));

        // Reads; failed ones, and those without a link, give zeros.
        auto& keyboard = rig().firmware(Kb).macros[2];
        std::iota(keyboard.begin(), keyboard.end(), uchar(0));
        QCOMPARE(t_->view.ui_91H_GetMacroKey(2), range(192));
        rig().use(Ms);
        rig().firmware(Ms).macros[2] = keyboard;
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), range(128));
        rig().mouse.setFault(sim::VirtualMouse::ReadFails);
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), QVariantList(128, 0));
        rig().mouse.setFault(sim::VirtualMouse::ReadFails, false);
        rig().use(Kb);
        rig().mouse.setKeyboardPresent(false);
        QCOMPARE(t_->view.ui_91H_GetMacroKey(2), QVariantList(192, 0));
        t_->view.setHid(nullptr);
        QCOMPARE(t_->view.ui_93H_GetMacroKey(2), QVariantList(128, 0));
    }

    void macroEncodingAndConfigFollowSelectedDevice() {
        const QStringList lines{"A    [Down]", "2000   [Delay]"};
        saveMacro("m", {});
        rig().use(Ms);
        QCOMPARE(t_->view.macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x64, 1, 0, 0}));
        t_->view.setMacroIniConfig("m", {6, 9});
        QCOMPARE(t_->view.loadMacroType("m").toInt(), 1);
        QCOMPARE(t_->view.loadMacroIniConfig("m"), (QVariantList{6, 9}));
        rig().use(Kb);
        QCOMPARE(t_->view.macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x7F, 0, 0, 0xC8, 0, 0}));
        QCOMPARE(t_->view.loadMacroIniConfig("m"), (QVariantList{-1, 9}));
        // A macro never configured belongs to no device, also before the view has a link.
        t_->view.setHid(nullptr);
        saveMacro("fresh", {});
        QCOMPARE(t_->view.loadMacroIniConfig("fresh"), (QVariantList{-1, 1}));
    }

private:
    DeviceRig& rig() { return t_->rig; }
    ScriptedPrompts& prompts() { return rig().fakes.prompts; }
    QString message(int index) { return t_->view.settings().messageStrings().value(index); }
    void saveMacro(const QString& name, const QStringList& lines) {
        QVERIFY(t_->view.createMacroIni(name, 0).toBool());
        QVERIFY(t_->view.saveMacroIni(name, lines, 1).toBool());
    }

    struct Fixture {
        ScratchDir scratch;
        DeviceRig rig;
        myQQuickView view{rig.fakes.prompts, rig.fakes.pointer};
    };
    std::unique_ptr<Fixture> t_;
};

QTEST_MAIN(SlotsTest)
#include "tst_slots.moc"
