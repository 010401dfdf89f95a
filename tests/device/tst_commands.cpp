#include <QtTest>
#include <functional>

#include "device_rig.h"
#include "support/debug_capture.h"
#include "support/recorded_waits.h"
#include "support/table_rows.h"

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

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { rig_ = std::make_unique<DeviceRig>(); }
    void cleanup() {
        QCOMPARE(rig_->mouse.openHandles(), 0);
        QVERIFY(rig_->hid->link().isIdle());
        rig_.reset();
    }

    // While the link is busy nothing goes out and the command's failure is printed.
    void setCommands() {
        durations().settleSleepMs = 60;
        durations().commandPauseMs = 50;
        DebugCapture debug;
        for (const SetCase& c : kSetCases) {
            RowName row(c.slot);
            rig_->use(c.family);
            QByteArray block = pattern(512, 0x21);
            RecordedWaits waits;
            c.call(*rig_->hid, bytes(block));
            QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});
            QCOMPARE(rig_->wire("output"), payloadReports(pattern(c.payload, 0x21)));
            QVERIFY(rig_->wire("feature-in").isEmpty());  // a set reads no answer
            QCOMPARE(waits.waits, c.waits);

            debug.clear();
            rig_->whileBusy([&] { c.call(*rig_->hid, bytes(block)); });
            QCOMPARE(debug.captured(), QStringList{"cmd Failed " + QString(c.frame).mid(3, 2)});
        }
    }

    // A good exchange with the primed firmware, a failed one, and none while the link is busy.
    void getCommands() {
        DebugCapture debug;
        for (const GetCase& c : kGetCases) {
            RowName row(c.slot);
            rig_->use(c.family);
            c.prime(rig_->firmware(c.family));
            QCOMPARE(c.call(*rig_->hid, 0x55), c.answer);
            QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});
            QCOMPARE(rig_->wire("feature-in").size(), 1);
            QCOMPARE(rig_->wire("input").size(), c.inputReports);
            QCOMPARE(rig_->wire("output").size(), 0);

            rig_->use(c.family);
            rig_->mouse.setFault(c.failure);
            QCOMPARE(c.call(*rig_->hid, 0x55), c.afterFailure);
            rig_->mouse.clearFaults();
            QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});

            debug.clear();
            QByteArray handedBack;
            rig_->whileBusy([&] { handedBack = c.call(*rig_->hid, 0x55); });
            const bool secrecy = QByteArray(c.frame).startsWith("00 00");
            QCOMPARE(debug.captured(), QStringList{secrecy ? "cmd Failed 00" : "cmd Failed"});
            QCOMPARE(handedBack, c.untouched.isEmpty() ? filled(handedBack.size()) : c.untouched);
        }
    }

private:
    std::unique_ptr<DeviceRig> rig_;
};

QTEST_GUILESS_MAIN(CommandsTest)
#include "tst_commands.moc"
