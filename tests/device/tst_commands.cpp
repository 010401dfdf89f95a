#include <QElapsedTimer>
#include <QtTest>
#include <functional>

#include "device_rig.h"
#include "support/debug_capture.h"

using namespace z718;
using namespace z718::test;
using Family = DeviceRig::Family;

namespace {

// One set command as it must appear on the wire. The call gets a payload block to send from.
struct SetCase {
    const char* slot;
    Family family;
    std::function<void(Hid_Thread&, uchar*)> call;
    const char* frame;
    int payload;  // leading block bytes that follow the frame
    int settleWaits;
    bool pause;
};

const QList<SetCase>& setCases() {
    using K = Hid_Thread;
    static const QList<SetCase> cases{
        {"hid_01H_SetReportRate", Family::Mouse, [](K& h, uchar*) { h.hid_01H_SetReportRate(4); },
         "00 01 04 00 00 00 00 00 FA", 0, 1, false},
        {"hid_02H_SetCurrentProfile", Family::Keyboard,
         [](K& h, uchar*) { h.hid_02H_SetCurrentProfile(3); }, "00 02 03 00 00 00 00 00 FA", 0, 0,
         true},
        {"hid_03H_SetKeyboardoption", Family::Keyboard,
         [](K& h, uchar*) { h.hid_03H_SetKeyboardoption(0x11, 0x22, 0x33, 0x44); },
         "00 03 11 22 33 44 00 00 52", 0, 0, true},
        {"hid_04H_SetGunData", Family::Mouse,
         [](K& h, uchar*) { h.hid_04H_SetGunData(1, 2, 3, 4, 5); }, "00 04 01 02 03 04 05 00 EC", 0,
         1, false},
        {"hid_07H_SetControlIndicatorLight", Family::Keyboard,
         [](K& h, uchar*) { h.hid_07H_SetControlIndicatorLight(2, 9); },
         "00 07 02 09 00 00 00 00 ED", 0, 0, true},
        {"hid_08H_SetLEDType", Family::Keyboard,
         [](K& h, uchar*) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); }, "00 08 01 02 03 04 05 06 E2",
         0, 1, false},
        {"hid_09H_SetKeyboardMode", Family::Keyboard,
         [](K& h, uchar*) { h.hid_09H_SetKeyboardMode(2); }, "00 09 02 00 00 00 00 00 F4", 0, 1,
         false},
        {"hid_0DH_SetKeyMatrix", Family::Keyboard,
         [](K& h, uchar* b) { h.hid_0DH_SetKeyMatrix(b); }, "00 0D 00 00 08 00 00 00 EA", 512, 2,
         false},
        {"hid_0EH_SetKeyOnOff", Family::Keyboard, [](K& h, uchar* b) { h.hid_0EH_SetKeyOnOff(b); },
         "00 0E 00 00 15 00 00 00 DC", 21, 2, false},
        {"hid_0EH_SetXYSensitive", Family::Keyboard,
         [](K& h, uchar*) { h.hid_0EH_SetXYSensitive(0x30, 0x40); }, "00 0E 30 40 00 00 00 00 81",
         0, 1, false},
        {"hid_11H_SetMacroKey", Family::Keyboard,
         [](K& h, uchar* b) { h.hid_11H_SetMacroKey(5, b); }, "00 11 00 05 03 00 00 00 E6", 192, 2,
         false},
        {"hid_12H_SetUserPicture", Family::Keyboard,
         [](K& h, uchar* b) { h.hid_12H_SetUserPicture(2, 7, b); }, "00 12 00 02 08 07 00 00 DC",
         512, 2, false},
        {"hid_13H_SetRecoveryData", Family::Keyboard,
         [](K& h, uchar*) { h.hid_13H_SetRecoveryData(); }, "00 13 FF 00 00 00 00 00 ED", 0, 0,
         true},
        {"hid_14H_SetColor", Family::Keyboard,
         [](K& h, uchar*) { h.hid_14H_SetColor(3, 0xAA, 0xBB, 0xCC); },
         "00 14 00 03 AA BB CC 00 B7", 0, 0, true},
        {"hid_03H_SetFunctionOption", Family::Mouse,
         [](K& h, uchar*) { h.hid_03H_SetFunctionOption(0x12, 4, 0x81, 0x05); },
         "00 03 12 04 81 05 00 00 60", 0, 1, true},
        {"hid_07H_SetLEDInstructFunction", Family::Mouse,
         [](K& h, uchar*) { h.hid_07H_SetLEDInstructFunction(1, 2, 3, 4); },
         "00 07 01 02 03 04 00 00 EE", 0, 0, false},
        {"hid_0BH_SetCurrentDPIStage", Family::Mouse,
         [](K& h, uchar*) { h.hid_0BH_SetCurrentDPIStage(3); }, "00 0B 03 00 00 00 00 00 F1", 0, 1,
         false},
        {"hid_0DH_SetRGBLedEffect", Family::Mouse,
         [](K& h, uchar*) { h.hid_0DH_SetRGBLedEffect(5, 6, 7); }, "00 0D 05 06 07 00 00 00 E0", 0,
         1, false},
        {"hid_10H_SetLED8StageColor type 2", Family::Mouse,
         [](K& h, uchar* b) { h.hid_10H_SetLED8StageColor(2, b); }, "00 10 02 04 00 00 00 00 E9", 4,
         2, false},
        {"hid_10H_SetLED8StageColor type 1", Family::Mouse,
         [](K& h, uchar* b) { h.hid_10H_SetLED8StageColor(1, b); }, "00 10 01 18 00 00 00 00 D6",
         24, 2, false},
        {"hid_11H_SetDPISet", Family::Mouse, [](K& h, uchar* b) { h.hid_11H_SetDPISet(7, b); },
         "00 11 07 08 00 00 00 00 DF", 8, 2, false},
    };
    return cases;
}

// One get command: the call starts every out-argument and block byte at `fill` and returns
// what it handed back (a bool result first, then the out-arguments, then the block).
struct GetCase {
    const char* slot;
    Family family;
    std::function<void(sim::FirmwareState&)> prime;
    std::function<QByteArray(Hid_Thread&, uchar fill)> call;
    const char* frame;
    int inputReports;
    QByteArray answer;        // after a good exchange with the primed firmware
    QByteArray afterFailure;  // after a failed exchange, calls starting from 0x55
};

QByteArray outs(std::initializer_list<uchar> values) {
    return QByteArray(reinterpret_cast<const char*>(std::data(values)),
                      static_cast<qsizetype>(values.size()));
}

QByteArray filled(int length) {
    return QByteArray(length, '\x55');
}

template <size_t N>
void primeBlock(std::array<uchar, N>& target, int seed) {
    const QByteArray source = pattern(static_cast<int>(N), seed);
    std::copy(source.begin(), source.end(), target.begin());
}

// Reads a block of `length` bytes with a slot that takes only the block.
template <typename Read>
QByteArray block(int length, uchar fill, Read read) {
    QByteArray b(length, static_cast<char>(fill));
    read(bytes(b));
    return b;
}

const QList<GetCase>& getCases() {
    using S = sim::FirmwareState;
    using K = Hid_Thread;
    static const QList<GetCase> cases{
        {"hid_00H_GetSecrecyCode", Family::Mouse,
         [](S& s) {
             s.secrecyCode = {0xA1, 0xA2, 0xA3, 0xA4};
         },
         [](K& h, uchar) {
             uchar a = 0x11, b = 0x22, c = 0x33, d = 0x44;
             h.hid_00H_GetSecrecyCode(a, b, c, d);
             return outs({a, b, c, d});
         },
         "00 00 11 22 33 44 00 00 55", 0, outs({0xA1, 0xA2, 0xA3, 0xA4}), outs({0, 0, 0, 0})},
        {"hid_80H_GetFWVersion", Family::Mouse,
         [](S& s) {
             s.firmwareVersion = {0x1A, 0x0B};
         },
         [](K& h, uchar) {
             QString version = QStringLiteral("before");
             h.hid_80H_GetFWVersion(version);
             return version.toLatin1();
         },
         "00 80 00 00 00 00 00 00 7F", 0, "1a.0B", "unknown"},
        {"hid_81H_GetReportRate", Family::Mouse, [](S& s) { s.reportRate = 8; },
         [](K& h, uchar fill) {
             uchar rate = fill;
             h.hid_81H_GetReportRate(rate);
             return outs({rate});
         },
         "00 81 00 00 00 00 00 00 7E", 0, outs({8}), outs({0x55})},
        {"hid_82H_GetCurrentProfile", Family::Keyboard, [](S& s) { s.currentProfile = 3; },
         [](K& h, uchar fill) {
             uchar profile = fill;
             h.hid_82H_GetCurrentProfile(profile);
             return outs({profile});
         },
         "00 82 00 00 00 00 00 00 7D", 0, outs({3}), outs({0x55})},
        {"hid_83H_GetKeyboardoption", Family::Keyboard,
         [](S& s) {
             s.keyboardOptions = {1, 2, 3, 4};
         },
         [](K& h, uchar fill) {
             uchar a = fill, b = fill, c = fill, d = fill;
             h.hid_83H_GetKeyboardoption(a, b, c, d);
             return outs({a, b, c, d});
         },
         "00 83 00 00 00 00 00 00 7C", 0, outs({1, 2, 3, 4}), filled(4)},
        {"hid_84H_GetButtonSensitivity", Family::Keyboard,
         [](S& s) {
             s.buttonSensitivity = {5, 6, 7, 8};
         },
         [](K& h, uchar fill) {
             uchar a = fill, b = fill, c = fill, d = fill;
             h.hid_84H_GetButtonSensitivity(a, b, c, d);
             return outs({a, b, c, d});
         },
         "00 84 00 00 00 00 00 00 7B", 0, outs({5, 6, 7, 8}), filled(4)},
        {"hid_88H_GetLEDType", Family::Keyboard,
         [](S& s) {
             s.ledType = {9, 8, 7, 6, 5};
         },
         [](K& h, uchar fill) {
             uchar a = fill, b = fill, c = fill, d = fill, e = fill;
             h.hid_88H_GetLEDType(a, b, c, d, e);
             return outs({a, b, c, d, e});
         },
         "00 88 00 00 00 00 00 00 77", 0, outs({9, 8, 7, 6, 5}), filled(5)},
        {"hid_89H_GetKeyboardMode", Family::Keyboard, [](S& s) { s.keyboardMode = 2; },
         [](K& h, uchar fill) {
             uchar mode = fill;
             h.hid_89H_GetKeyboardMode(mode);
             return outs({mode});
         },
         "00 89 00 00 00 00 00 00 76", 0, outs({2}), outs({0x55})},
        {"hid_8DH_GetKeyMatrix", Family::Keyboard, [](S& s) { primeBlock(s.keyMatrix, 3); },
         [](K& h, uchar fill) {
             return block(512, fill, [&](uchar* b) { h.hid_8DH_GetKeyMatrix(b); });
         },
         "00 8D 00 00 00 00 00 00 72", 16, pattern(512, 3), filled(512)},
        {"hid_8EH_GetKeyOnOff", Family::Keyboard, [](S& s) { primeBlock(s.keyOnOff, 4); },
         [](K& h, uchar fill) {
             return block(21, fill, [&](uchar* b) { h.hid_8EH_GetKeyOnOff(b); });
         },
         "00 8E 00 00 00 00 00 00 71", 1, pattern(21, 4), filled(21)},
        {"hid_91H_GetMacroKey", Family::Keyboard, [](S& s) { primeBlock(s.macros[6], 5); },
         [](K& h, uchar fill) {
             return block(192, fill, [&](uchar* b) { h.hid_91H_GetMacroKey(6, b); });
         },
         "00 91 00 06 00 00 00 00 68", 6, pattern(192, 5), filled(192)},
        {"hid_92H_GetUserPicture", Family::Keyboard, [](S& s) { primeBlock(s.userPictures[2], 6); },
         [](K& h, uchar fill) {
             return block(512, fill, [&](uchar* b) { h.hid_92H_GetUserPicture(2, b); });
         },
         "00 92 00 02 00 00 00 00 6B", 16, pattern(512, 6), filled(512)},
        {"hid_94H_GetColor", Family::Keyboard,
         [](S& s) {
             s.colors[3] = {0xAA, 0xBB, 0xCC};
         },
         [](K& h, uchar fill) {
             uchar r = fill, g = fill, b = fill;
             h.hid_94H_GetColor(3, r, g, b);
             return outs({r, g, b});
         },
         "00 94 00 03 00 00 00 00 68", 0, outs({0xAA, 0xBB, 0xCC}), filled(3)},
        {"hid_83H_GetFunctionOption", Family::Mouse,
         [](S& s) {
             s.sensorType = 0x12;
             s.reportRate = 4;
             s.functionOptions = {0x81, 0x05};
         },
         [](K& h, uchar fill) {
             uchar type = fill, option1 = fill, option2 = fill;
             h.hid_83H_GetFunctionOption(type, option1, option2);
             return outs({type, option1, option2});
         },
         "00 83 00 00 00 00 00 00 7C", 0, outs({0x12, 0x81, 0x05}), outs({0, 0, 0})},
        {"hid_87H_GetLEDInstructFunction", Family::Mouse,
         [](S& s) {
             s.ledInstruct[1] = {7, 8, 9};
         },
         [](K& h, uchar fill) {
             uchar a = fill, b = fill, c = fill;
             const bool ok = h.hid_87H_GetLEDInstructFunction(1, a, b, c);
             return outs({ok, a, b, c});
         },
         "00 87 01 00 00 00 00 00 77", 0, outs({1, 7, 8, 9}), outs({0, 0x55, 0x55, 0x55})},
        {"hid_8BH_GetCurrentDPIStage", Family::Mouse, [](S& s) { s.dpiStage = 3; },
         [](K& h, uchar fill) {
             uchar stage = fill;
             h.hid_8BH_GetCurrentDPIStage(stage);
             return outs({stage});
         },
         "00 8B 00 00 00 00 00 00 74", 0, outs({3}), outs({0})},
        {"hid_8DH_GetRGBLedEffect", Family::Mouse,
         [](S& s) {
             s.rgbEffect = {4, 5, 6};
         },
         [](K& h, uchar fill) {
             uchar effect = fill, option1 = fill, option2 = fill;
             h.hid_8DH_GetRGBLedEffect(effect, option1, option2);
             return outs({effect, option1, option2});
         },
         "00 8D 00 00 00 00 00 00 72", 0, outs({4, 5, 6}), outs({0, 0, 0})},
        {"hid_90H_GetLED8StageColor type 2", Family::Mouse,
         [](S& s) { primeBlock(s.stageColors[2], 7); },
         [](K& h, uchar fill) {
             return block(24, fill, [&](uchar* b) { h.hid_90H_GetLED8StageColor(2, b); });
         },
         "00 90 02 00 00 00 00 00 6D", 1, pattern(4, 7) + filled(20), filled(24)},
        {"hid_90H_GetLED8StageColor type 1", Family::Mouse,
         [](S& s) { primeBlock(s.stageColors[1], 8); },
         [](K& h, uchar fill) {
             return block(24, fill, [&](uchar* b) { h.hid_90H_GetLED8StageColor(1, b); });
         },
         "00 90 01 00 00 00 00 00 6E", 1, pattern(24, 8), filled(24)},
        {"hid_91H_GetDPISet", Family::Mouse,
         [](S& s) {
             s.dpiMaxStage = 7;
             primeBlock(s.dpiCodes, 9);
         },
         [](K& h, uchar fill) {
             uchar stages = fill;
             QByteArray codes(8, static_cast<char>(fill));
             const bool ok = h.hid_91H_GetDPISet(stages, bytes(codes));
             return outs({ok, stages}) + codes;
         },
         "00 91 00 00 00 00 00 00 6E", 1, outs({1, 7}) + pattern(8, 9),
         outs({0, 0x55}) + filled(8)},
        {"hid_92H_GetKeyMatrix", Family::Mouse, [](S& s) { primeBlock(s.keyMatrix, 10); },
         [](K& h, uchar fill) {
             return block(64, fill, [&](uchar* b) { h.hid_92H_GetKeyMatrix(b); });
         },
         "00 92 01 00 00 00 00 00 6C", 2, pattern(64, 10), filled(64)},
        {"hid_93H_GetMacroKey", Family::Mouse, [](S& s) { primeBlock(s.macros[4], 11); },
         [](K& h, uchar fill) {
             return block(128, fill, [&](uchar* b) { h.hid_93H_GetMacroKey(4, b); });
         },
         "00 93 04 00 00 00 00 00 68", 4, pattern(128, 11), filled(128)},
    };
    return cases;
}

// The output reports a payload becomes: report id 0, then 32 data bytes, zero-filled.
QStringList payloadReports(const QByteArray& payload) {
    QStringList reports;
    for (int offset = 0; offset < payload.size(); offset += 32) {
        QByteArray report = QByteArray(1, '\0') + payload.mid(offset, 32);
        report.append(QByteArray(33 - report.size(), '\0'));
        reports.append(hex(report));
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
    void setCommandsOnTheWire();
    void getCommandsOnTheWire();
    void setThenGetThroughTheFirmware();
    void busyLinkDropsEveryCommand();
    void failedExchangeHandsBackPrefills();
    void settleWaitsAndPauses();

private:
    std::unique_ptr<DeviceRig> rig_;
};

void CommandsTest::setCommandsOnTheWire() {
    for (const SetCase& c : setCases()) {
        rig_->use(c.family);
        QByteArray block = pattern(512, 0x21);
        c.call(*rig_->hid, bytes(block));
        QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});
        QCOMPARE(rig_->wire("output"), payloadReports(block.left(c.payload)));
        QVERIFY2(rig_->wire("feature-in").isEmpty(), c.slot);  // a set reads no answer
    }
}

void CommandsTest::getCommandsOnTheWire() {
    for (const GetCase& c : getCases()) {
        rig_->use(c.family);
        c.prime(rig_->firmware(c.family));
        const QByteArray handedBack = c.call(*rig_->hid, 0x55);
        QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});
        QCOMPARE(rig_->wire("feature-in").size(), 1);
        QCOMPARE(rig_->wire("input").size(), c.inputReports);
        QCOMPARE(rig_->wire("output").size(), 0);
        QVERIFY2(handedBack == c.answer,
                 qPrintable(QString::fromLatin1(c.slot) + ": " + hex(handedBack)));
    }
}

void CommandsTest::setThenGetThroughTheFirmware() {
    Hid_Thread& h = *rig_->hid;
    rig_->use(Family::Mouse);
    h.hid_0BH_SetCurrentDPIStage(5);
    uchar stage = 0;
    h.hid_8BH_GetCurrentDPIStage(stage);
    QCOMPARE(stage, uchar(5));

    h.hid_0DH_SetRGBLedEffect(3, 2, 1);
    uchar effect = 0, option1 = 0, option2 = 0;
    h.hid_8DH_GetRGBLedEffect(effect, option1, option2);
    QCOMPARE(outs({effect, option1, option2}), outs({3, 2, 1}));

    QByteArray codes = pattern(8, 0x40);
    h.hid_11H_SetDPISet(6, bytes(codes));
    uchar stages = 0;
    QByteArray back(8, '\0');
    QVERIFY(h.hid_91H_GetDPISet(stages, bytes(back)));
    QCOMPARE(stages, uchar(6));
    QCOMPARE(back, codes);

    QByteArray colours = pattern(24, 0x50);
    h.hid_10H_SetLED8StageColor(1, bytes(colours));
    QByteArray colourBack(24, '\0');
    h.hid_90H_GetLED8StageColor(1, bytes(colourBack));
    QCOMPARE(colourBack, colours);

    h.hid_03H_SetFunctionOption(0x21, 2, 0xC1, 0x07);
    uchar type = 0;
    h.hid_83H_GetFunctionOption(type, option1, option2);
    QCOMPARE(outs({type, option1, option2}), outs({0x21, 0xC1, 0x07}));
    uchar rate = 0;
    h.hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(2));

    h.hid_07H_SetLEDInstructFunction(0, 1, 2, 3);
    uchar o1 = 0, o2 = 0, o3 = 0;
    QVERIFY(h.hid_87H_GetLEDInstructFunction(0, o1, o2, o3));
    QCOMPARE(outs({o1, o2, o3}), outs({1, 2, 3}));

    rig_->use(Family::Keyboard);
    h.hid_02H_SetCurrentProfile(4);
    uchar profile = 0;
    h.hid_82H_GetCurrentProfile(profile);
    QCOMPARE(profile, uchar(4));

    h.hid_08H_SetLEDType(9, 1, 2, 3, 4, 5);
    uchar led[5] = {};
    h.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4]);
    QCOMPARE(outs({led[0], led[1], led[2], led[3], led[4]}), outs({1, 2, 3, 4, 5}));

    QByteArray picture = pattern(512, 0x60);
    h.hid_12H_SetUserPicture(1, 0, bytes(picture));
    QByteArray pictureBack(512, '\0');
    h.hid_92H_GetUserPicture(1, bytes(pictureBack));
    QCOMPARE(pictureBack, picture);

    QByteArray macro = pattern(192, 0x70);
    h.hid_11H_SetMacroKey(2, bytes(macro));
    QByteArray macroBack(192, '\0');
    h.hid_91H_GetMacroKey(2, bytes(macroBack));
    QCOMPARE(macroBack, macro);

    h.hid_14H_SetColor(6, 10, 20, 30);
    uchar r = 0, g = 0, b = 0;
    h.hid_94H_GetColor(6, r, g, b);
    QCOMPARE(outs({r, g, b}), outs({10, 20, 30}));
}

void CommandsTest::busyLinkDropsEveryCommand() {
    DebugCapture debug;
    QVERIFY(rig_->hid->link().acquireLink());
    for (const SetCase& c : setCases()) {
        rig_->use(c.family);
        debug.clear();
        QByteArray block = pattern(512);
        c.call(*rig_->hid, bytes(block));
        QVERIFY2(rig_->mouse.log().isEmpty(), c.slot);
        const QString code = QString::fromLatin1(c.frame).mid(3, 2);
        QCOMPARE(debug.captured(), QStringList{QStringLiteral("cmd Failed ") + code});
    }
    for (const GetCase& c : getCases()) {
        rig_->use(c.family);
        debug.clear();
        const QByteArray handedBack = c.call(*rig_->hid, 0x55);
        QVERIFY2(rig_->mouse.log().isEmpty(), c.slot);
        const bool secrecy = QByteArray(c.slot).startsWith("hid_00H");
        QCOMPARE(debug.captured(), QStringList{secrecy ? QStringLiteral("cmd Failed 00")
                                                       : QStringLiteral("cmd Failed")});
        if (secrecy) {
            QCOMPARE(handedBack, outs({0x11, 0x22, 0x33, 0x44}));
        } else if (QByteArray(c.slot).startsWith("hid_80H")) {
            QCOMPARE(handedBack, QByteArray("before"));
        } else if (QByteArray(c.slot).startsWith("hid_87H") ||
                   QByteArray(c.slot).startsWith("hid_91H_GetDPISet")) {
            QCOMPARE(handedBack.at(0), '\0');  // false, arguments untouched
            QCOMPARE(handedBack.mid(1), filled(handedBack.size() - 1));
        } else {
            QCOMPARE(handedBack, filled(handedBack.size()));
        }
    }
    rig_->hid->link().setIdle();
}

void CommandsTest::failedExchangeHandsBackPrefills() {
    rig_->mouse.setFault(sim::VirtualMouse::GetFeatureFails);
    for (const GetCase& c : getCases()) {
        rig_->use(c.family);
        c.prime(rig_->firmware(c.family));
        const QByteArray handedBack = c.call(*rig_->hid, 0x55);
        QCOMPARE(rig_->wire("feature-out"), QStringList{c.frame});
        QVERIFY2(handedBack == c.afterFailure,
                 qPrintable(QString::fromLatin1(c.slot) + ": " + hex(handedBack)));
    }
    // A failing payload read keeps the caller's bytes where nothing arrived.
    rig_->mouse.clearFaults();
    rig_->mouse.setFault(sim::VirtualMouse::ReadFails);
    rig_->use(Family::Mouse);
    uchar stages = 0x55;
    QByteArray codes = filled(8);
    QVERIFY(!rig_->hid->hid_91H_GetDPISet(stages, bytes(codes)));
    QCOMPARE(stages, uchar(0x55));
    QCOMPARE(codes, filled(8));
}

void CommandsTest::settleWaitsAndPauses() {
    // Long enough to tell one settle wait, two and a pause apart on a busy machine.
    durations().settleSleepMs = 60;
    durations().commandPauseMs = 50;
    const qint64 tolerance = 50;
    for (const SetCase& c : setCases()) {
        rig_->use(c.family);
        const qint64 expected = c.settleWaits * 2 * 60 + (c.pause ? 50 : 0);
        qint64 elapsed = 0;
        for (int attempt = 0; attempt < 3; ++attempt) {
            QByteArray block = pattern(512);
            QElapsedTimer timer;
            timer.start();
            c.call(*rig_->hid, bytes(block));
            elapsed = timer.elapsed();
            if (elapsed < expected + tolerance) {
                break;  // a late wake-up on a loaded machine earns another try, not a failure
            }
        }
        QVERIFY2(
            elapsed >= expected && elapsed < expected + tolerance,
            qPrintable(
                QStringLiteral("%1: %2 ms, expected %3").arg(c.slot).arg(elapsed).arg(expected)));
    }
}

QTEST_GUILESS_MAIN(CommandsTest)
#include "tst_commands.moc"
