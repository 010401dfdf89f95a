#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <memory>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "platform/timing.h"
#include "settings/settings_store.h"
#include "sim/virtual_mouse.h"
#include "support/fake_services.h"
#include "support/quiet_host.h"
#include "support/scratch_dir.h"
#include "ui/Hid_Thread.h"

namespace z718::test {

// The virtual mouse, able to lose the reply to one command code only.
struct RigMouse : sim::VirtualMouse {
    int replyFailsFor = -1;
    int lastCode = -1;  // of the frame sent last
    int sendFeatureReport(Device* d, const unsigned char* data, size_t length) override {
        lastCode = data[1];
        return VirtualMouse::sendFeatureReport(d, data, length);
    }
    int getFeatureReport(Device* d, unsigned char* data, size_t length) override {
        return lastCode == replyFailsFor ? -1 : VirtualMouse::getFeatureReport(d, data, length);
    }
};

// The virtual mouse and its keyboard sibling, scanned into a Hid_Thread, with waits cut to
// nothing. Catalogue entry 0 is the keyboard, entry 1 the mouse.
class DeviceRig {
public:
    enum Family { Keyboard = 0, Mouse = 1 };

    DeviceRig() {
        Durations& waits = durations() = Durations{};
        waits.acquireRoundMs = waits.settleSleepMs = waits.reportPauseMs = waits.commandPauseMs =
            waits.updaterDelayMs = 0;
        mouse.setKeyboardPresent(true);
        hid = std::make_unique<Hid_Thread>(&host, mouse, fakes.input);
        hid->link().setDevices(scanDevices(mouse, loadCatalogue(kCataloguePath, {}), 0).devices);
        use(Mouse);
    }

    void use(Family family) {
        hid->link().setCurrentIndex(static_cast<uint32_t>(family));
        mouse.clearLog();
    }
    sim::FirmwareState& firmware(Family family) {
        return family == Mouse ? mouse.mouseFirmware().state() : mouse.keyboardFirmware().state();
    }
    // Makes `call` while another command holds the link: nothing may reach the mouse.
    template <typename Call>
    void whileBusy(Call call) {
        QVERIFY(hid->link().acquireLink());
        mouse.clearLog();
        call();
        hid->link().setIdle();
        QVERIFY(mouse.log().isEmpty());
    }
    // The logged reports of one kind ("feature-out", "output", ...), without the kind.
    QStringList wire(const QString& kind) const {
        const QRegularExpression prefix(QLatin1Char('^') + kind + QLatin1Char(' '));
        return mouse.log().filter(prefix).replaceInStrings(prefix, QString());
    }

    RigMouse mouse;
    Fakes fakes;
    QuietHost host;
    std::unique_ptr<Hid_Thread> hid;
};

constexpr auto Kb = DeviceRig::Keyboard;
constexpr auto Ms = DeviceRig::Mouse;

// A scratch ./modules, the settings store over it and the rig, torn down in reverse.
struct StoreRig {
    ScratchDir scratch;
    SettingsStore store;
    DeviceRig rig;
};

inline uchar* bytes(QByteArray& block) {
    return reinterpret_cast<uchar*>(block.data());
}

// A block whose every byte differs from its neighbours, so a shifted or cut copy shows.
inline QByteArray pattern(int length, int seed) {
    QByteArray block(length, '\0');
    std::generate(block.begin(), block.end(), [&seed] { return char(seed += 7); });
    return block;
}

template <size_t N>
void primeBlock(std::array<uchar, N>& target, int seed) {
    std::ranges::copy(pattern(static_cast<int>(N), seed), target.begin());
}

inline QVariantList range(int count, int first = 0) {
    QVariantList list(count);
    std::generate(list.begin(), list.end(), [&first] { return first++; });
    return list;
}

inline QString hex(const QByteArray& block) {
    return QString::fromLatin1(block.toHex(' ').toUpper());
}

}  // namespace z718::test
