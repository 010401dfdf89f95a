// The Linux backend with recorded event sequences in place of the mouse's event nodes and
// fakes in place of uinput: the hook procedures and the engine are the real ones.

#include <QtTest>
#include <cerrno>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "engine/key_tables.h"
#include "platform/linux/evdev_io.h"
#include "platform/linux/linux_input.h"
#include "support/engine_rig.h"

using namespace z718;
using namespace z718::test;
using namespace z718::platform::evdev;
using platform::LinuxInput;

namespace {

// What went out through the uinput devices and what was grabbed, in order: "event5: REL_X 3",
// "event5: SYN", "injector: BTN_LEFT 1", "event5 ungrabbed".
struct OutputLog {
    void add(const QString& line) {
        std::lock_guard lock(mutex);
        lines.append(line);
    }
    QStringList take() {
        std::lock_guard lock(mutex);
        return std::exchange(lines, {});
    }

    std::mutex mutex;
    QStringList lines;
};

inline QString describe(uint16_t type, uint16_t code, int32_t value) {
    static const std::map<std::pair<uint16_t, uint16_t>, const char*> kNames = {
        {{kEvSyn, kSynReport}, "SYN"},      {{kEvRel, kRelX}, "REL_X"},
        {{kEvRel, kRelY}, "REL_Y"},         {{kEvRel, kRelWheel}, "REL_WHEEL"},
        {{kEvMsc, kMscScan}, "MSC_SCAN"},   {{kEvKey, kBtnLeft}, "BTN_LEFT"},
        {{kEvKey, kBtnRight}, "BTN_RIGHT"}, {{kEvKey, kKeyLeftMeta}, "KEY_LEFTMETA"},
        {{kEvKey, kKeyD}, "KEY_D"},         {{kEvKey, 29}, "KEY_LEFTCTRL"},
    };
    const auto it = kNames.find({type, code});
    const QString name =
        it != kNames.end() ? QLatin1String(it->second) : QString::asprintf("%u/%u", type, code);
    return type == kEvSyn ? name : QString::asprintf("%s %d", qPrintable(name), value);
}

struct FakeSink : EventSink {
    FakeSink(QString sinkName, OutputLog& output) : name(std::move(sinkName)), log(output) {}
    void write(uint16_t type, uint16_t code, int32_t value) override {
        log.add(name + QStringLiteral(": ") + describe(type, code, value));
    }

    QString name;
    OutputLog& log;
};

// A recorded event node: hands out its steps as libevdev_next_event would, then Again.
struct FakeNode : GrabbedNode {
    struct Step {
        ReadStatus status;
        InputEvent event;
        ReadMode mode = ReadMode::Normal;  // the mode libevdev is asked in at this step
    };

    FakeNode(const QString& name, OutputLog& log) : sink(name, log) {}
    ~FakeNode() override { sink.log.add(sink.name + QStringLiteral(" ungrabbed")); }

    EventSink& mirror() override { return sink; }
    ReadStatus next(ReadMode mode, InputEvent& event) override {
        if (steps.empty()) {
            return gone ? ReadStatus::Gone : ReadStatus::Again;
        }
        const Step step = steps.front();
        steps.pop_front();
        if (step.mode != mode) {
            misreads.append(describe(step.event.type, step.event.code, step.event.value));
        }
        event = step.event;
        return step.status;
    }

    // Events of one frame, then its SYN_REPORT, as the kernel sends them.
    void frame(std::initializer_list<InputEvent> events, uint32_t timeMs = 0) {
        for (InputEvent e : events) {
            e.timeMs = timeMs;
            steps.push_back({ReadStatus::Event, e});
        }
        steps.push_back({ReadStatus::Event, {kEvSyn, kSynReport, 0, timeMs}});
    }
    void unplug() { gone = true; }

    FakeSink sink;  // the node's mirror, logged under its name
    std::deque<Step> steps;
    bool gone = false;
    QStringList misreads;  // steps read in the wrong mode
};

struct FakeSystem : EvdevSystem {
    explicit FakeSystem(OutputLog& output) : log(output) {}

    std::vector<std::string> eventNodes(uint16_t vendor, uint16_t product) override {
        return vendor == 0x3151 && product == 0x5718 ? plugged : std::vector<std::string>{};
    }
    std::unique_ptr<GrabbedNode> grab(const std::string& path, int& error) override {
        ++grabs;
        if (const auto it = grabErrors.find(path); it != grabErrors.end()) {
            error = it->second;
            return nullptr;
        }
        auto node = std::make_unique<FakeNode>(QString::fromStdString(path).section('/', -1), log);
        nodes[path] = node.get();
        return node;
    }
    std::unique_ptr<EventSink> createInjector(int& error) override {
        error = injectorError;
        return error ? nullptr : std::make_unique<FakeSink>(QStringLiteral("injector"), log);
    }
    std::unique_ptr<NodeReader> read(const std::vector<GrabbedNode*>& grabbed,
                                     std::function<bool(size_t)> pumpNode) override {
        reading = grabbed;
        pump = std::move(pumpNode);
        return std::make_unique<NodeReader>();
    }

    // What the reader thread does when the node at `path` has events.
    bool deliver(const std::string& path) {
        const auto it = std::find(reading.begin(), reading.end(), nodes[path]);
        return it != reading.end() && pump(size_t(it - reading.begin()));
    }

    std::vector<std::string> plugged;
    std::map<std::string, int> grabErrors;
    int injectorError = 0;
    int grabs = 0;
    std::map<std::string, FakeNode*> nodes;  // the last grab of each path
    std::vector<GrabbedNode*> reading;
    std::function<bool(size_t)> pump;
    OutputLog& log;
};

const std::string kPointer = "/dev/input/event5";
const std::string kKeyboard = "/dev/input/event6";

// The fakes and the backend, built before the engine that injects through the backend.
struct LinuxParts {
    OutputLog log;
    platform::PortableInput portable;
    FakeSystem* system = new FakeSystem(log);
    LinuxInput input{portable, std::unique_ptr<EvdevSystem>(system)};
};

struct Rig : LinuxParts, EngineCore {
    Rig() : EngineCore(input) {}
    std::vector<std::string> notices;

    // System-wide remapping on, the hooks installed, the mouse's nodes plugged in.
    void start(std::vector<std::string> nodes = {kPointer, kKeyboard}) {
        system->plugged = std::move(nodes);
        input.enableSystemWide(0x3151, 0x5718,
                               [this](const std::string& reason) { notices.push_back(reason); });
        installHooks(input);
    }
    FakeNode& node(const std::string& path) { return *system->nodes.at(path); }
};

const auto key = [](uint16_t code, int32_t value) { return InputEvent{kEvKey, code, value}; };
const auto rel = [](uint16_t code, int32_t value) { return InputEvent{kEvRel, code, value}; };
const auto scan = [](int32_t value) { return InputEvent{kEvMsc, kMscScan, value}; };

}  // namespace

class TestEvdevBackend : public QObject {
    Q_OBJECT
private slots:
    void translationBothWays() {
        // The device's buttons to Windows' messages; the side buttons are back and forward.
        const auto message = [](uint16_t code, int32_t value) {
            const auto e = buttonHookEvent(code, value, 7);
            return e ? std::pair{e->message, e->mouseData} : std::pair{0u, 0u};
        };
        QCOMPARE(message(kBtnLeft, 1), (std::pair{win::kWmLButtonDown, 0u}));
        QCOMPARE(message(kBtnRight, 0), (std::pair{win::kWmRButtonUp, 0u}));
        QCOMPARE(message(kBtnMiddle, 1), (std::pair{win::kWmMButtonDown, 0u}));
        QCOMPARE(message(kBtnSide, 0), (std::pair{win::kWmXButtonUp, win::kXButton1Data}));
        QCOMPARE(message(kBtnExtra, 1), (std::pair{win::kWmXButtonDown, win::kXButton2Data}));
        QCOMPARE(message(0x117, 1), (std::pair{0u, 0u}));  // BTN_TASK: not a Windows button
        QVERIFY(!isKeyboardKey(kBtnLeft) && isKeyboardKey(kKeyD) && isKeyboardKey(kKeyOk));

        // Keys to virtual keys and scan codes; a repeat is a further key-down.
        const auto hook = [](uint16_t code, int32_t value) {
            const auto e = keyHookEvent(code, value, 1234);
            return std::array{e.message, e.vkCode, e.scanCode, e.flags, e.time};
        };
        QCOMPARE(hook(kKeyLeftMeta, 1), (std::array{win::kWmKeyDown, 0x5Bu, 0x5Bu, 0u, 1234u}));
        QCOMPARE(hook(kKeyD, 0), (std::array{win::kWmKeyUp, 0x44u, 0x20u, win::kLlkhfUp, 1234u}));
        QCOMPARE(hook(kKeyD, 2), (std::array{win::kWmKeyDown, 0x44u, 0x20u, 0u, 1234u}));
        // Kernel time to milliseconds, wrapping like GetTickCount.
        QCOMPARE(milliseconds(5, 123456), 5123u);
        QCOMPARE(milliseconds(4294968, 1000), 705u);

        // Every virtual key the engine can send has a key that types it back.
        for (int usage = 0; usage < 256; ++usage) {
            const uint8_t vk = usageToVk(usage);
            if (vk != 0 && (vk < 0xE8 || vk > 0xEA)) {
                QVERIFY2(keyOfVk(vk) != 0, qPrintable(QString::asprintf("vk %02X", vk)));
            }
            for (const uint8_t media : mediaKeyVks(static_cast<uint8_t>(usage))) {
                QVERIFY2(keyOfVk(media) != 0, qPrintable(QString::asprintf("media %02X", media)));
            }
        }
        for (uint16_t code = 1; code < kBtnMisc; ++code) {
            if (const uint32_t vk = vkOfKey(code)) {
                QCOMPARE(vkOfKey(keyOfVk(static_cast<uint8_t>(vk))), vk);
            }
        }
        // Alt without a side is left Alt; the engine's keypad Enter is not Enter; play/pause.
        for (const auto& [vk, code] :
             {std::pair{0x12, 56}, {0x6C, 96}, {0x0D, 28}, {0xB3, 164}, {0, 0}}) {
            QCOMPARE(keyOfVk(uint8_t(vk)), uint16_t(code));
        }
        // mouse_event flags in mouse_event's order.
        QCOMPARE(buttonEvents(win::kMouseEventRightUp | win::kMouseEventLeftDown),
                 (std::vector<InputEvent>{key(kBtnLeft, 1), key(kBtnRight, 0)}));
        const auto injectable = injectableKeys();
        QVERIFY(std::is_sorted(injectable.begin(), injectable.end()));
        for (const uint16_t code : {kBtnLeft, kBtnMiddle, kKeyLeftMeta, uint16_t{164}}) {
            QVERIFY(std::binary_search(injectable.begin(), injectable.end(), code));
        }
    }
    void pointerNodeRemapsMirrorsResyncsAndRacesFree() {
        Rig rig;
        rig.start({kPointer});
        rig.assign(1, {kMouseFunction, 0, 0xF0, 0});
        FakeNode& pointer = rig.node(kPointer);
        pointer.frame({rel(kRelX, 3), rel(kRelY, -1)});
        pointer.frame({scan(0x90002), key(kBtnRight, 1), rel(kRelX, 2)});
        // A node that also has keys autorepeats its buttons too; a mouse button has no repeat.
        pointer.frame({key(kBtnRight, 2)});
        pointer.frame({key(kBtnRight, 0)});
        pointer.frame({rel(kRelWheel, -1)});
        QVERIFY(rig.system->deliver(kPointer));
        QCOMPARE(rig.log.take(), (QStringList{"event5: REL_X 3", "event5: REL_Y -1", "event5: SYN",
                                              "event5: REL_X 2", "event5: SYN",
                                              "event5: REL_WHEEL -1", "event5: SYN"}));
        QCOMPARE(rig.reports, (QStringList{"mouse 1 f1 0,0", "mouse 0 f1 0,0"}));
        rig.advance(2);
        QCOMPARE(rig.log.take(), (QStringList{"injector: BTN_LEFT 1", "injector: SYN",
                                              "injector: BTN_LEFT 0", "injector: SYN"}));

        // An overrun: the frame it cut short is discarded, and libevdev's state delta says the
        // button was released meanwhile.
        pointer.frame({key(kBtnRight, 1)});
        pointer.steps.push_back({ReadStatus::Event, rel(kRelX, 5)});
        pointer.steps.push_back({ReadStatus::Sync, {kEvSyn, kSynDropped, 0}});
        pointer.steps.push_back({ReadStatus::Sync, key(kBtnRight, 0), ReadMode::Sync});
        pointer.steps.push_back({ReadStatus::Sync, {kEvSyn, kSynReport, 0}, ReadMode::Sync});
        pointer.steps.push_back({ReadStatus::Again, {}, ReadMode::Sync});
        pointer.frame({rel(kRelX, 7)});
        QVERIFY(rig.system->deliver(kPointer));
        QCOMPARE(pointer.misreads, QStringList{});
        QCOMPARE(rig.log.take(), (QStringList{"event5: REL_X 7", "event5: SYN"}));
        QCOMPARE(rig.drainEvents(), (std::vector<int>{0x01, 0x81}));

        // The reader thread and the worker at once.
        std::thread reader([&] {
            for (int i = 0; i < 200; ++i) {
                pointer.frame({key(kBtnRight, 1), rel(kRelX, 1)});
                pointer.frame({key(kBtnRight, 0)});
                rig.system->deliver(kPointer);
            }
        });
        rig.advance(400);
        reader.join();
        rig.advance(30);
        rig.input.uninstall();
        const QStringList out = rig.log.take();
        QCOMPARE(out.count("event5: REL_X 1"), 200);
        // Events beyond the ring's eleven were dropped, but nothing stays pressed.
        const QStringList left = out.filter("injector: BTN_LEFT");
        QVERIFY(!left.isEmpty());
        QCOMPARE(left.last(), QStringLiteral("injector: BTN_LEFT 0"));
    }
    void windowsKeyPlusDFromTheKeyboardNode() {
        Rig rig;
        rig.start();
        FakeNode& keyboard = rig.node(kKeyboard);
        // The sixth button, as the mouse sends it: the Windows key, D 5 ms later.
        keyboard.frame({scan(0x700e3), key(kKeyLeftMeta, 1)}, 1000);
        keyboard.frame({scan(0x70007), key(kKeyD, 1)}, 1005);
        keyboard.frame({scan(0x70007), key(kKeyD, 0)}, 1080);
        keyboard.frame({scan(0x700e3), key(kKeyLeftMeta, 0)}, 1090);
        QVERIFY(rig.system->deliver(kKeyboard));
        QCOMPARE(rig.drainEvents(), (std::vector<int>{5, 0x85}));
        rig.advance(3);
        QCOMPARE(rig.log.take(), QStringList{});  // nothing reached the system

        // The Windows key alone is held back two ticks, replayed through the injector, and its
        // real repeats follow it there. Its release too, replayed by the engine: the hooks never
        // see the replayed press go by here, so the release is kept from overtaking it.
        keyboard.frame({key(kKeyLeftMeta, 1)}, 2000);
        QVERIFY(rig.system->deliver(kKeyboard));
        rig.advance(2);
        keyboard.frame({key(kKeyLeftMeta, 2)}, 2250);
        keyboard.frame({scan(0x700e3), key(kKeyLeftMeta, 0)}, 2300);
        QVERIFY(rig.system->deliver(kKeyboard));
        rig.advance(2);
        QCOMPARE(rig.log.take(), (QStringList{"injector: KEY_LEFTMETA 1", "injector: SYN",
                                              "injector: KEY_LEFTMETA 2", "injector: SYN",
                                              "injector: KEY_LEFTMETA 0", "injector: SYN"}));
    }
    void ungrabReleasesWhatWasHeld() {
        Rig rig;
        rig.running = false;
        rig.start({kPointer});
        rig.node(kPointer).frame({key(kBtnLeft, 1)});
        QVERIFY(rig.system->deliver(kPointer));
        rig.input.keybdEvent(0xA2, 0, 0);  // the engine holds left Ctrl
        rig.log.take();
        rig.input.uninstall();
        QCOMPARE(rig.log.take(),
                 (QStringList{"injector: KEY_LEFTCTRL 0", "injector: SYN", "event5: BTN_LEFT 0",
                              "event5: SYN", "event5 ungrabbed"}));

        // Unplugged: what was held is released at once; the same node comes back grabbed anew.
        rig.installHooks(rig.input);
        rig.node(kPointer).frame({key(kBtnLeft, 1)});
        QVERIFY(rig.system->deliver(kPointer));
        rig.log.take();
        rig.node(kPointer).unplug();
        QVERIFY(!rig.system->deliver(kPointer));
        QCOMPARE(rig.log.take(), (QStringList{"event5: BTN_LEFT 0", "event5: SYN"}));
        const int grabs = rig.system->grabs;
        rig.input.rescan();
        QCOMPARE(rig.system->grabs, grabs + 1);
        QCOMPARE(rig.log.take(), QStringList{"event5 ungrabbed"});
    }
    void missingPermissionFallsBackWithOneMessage() {
        {
            Rig rig;
            rig.system->injectorError = EACCES;
            rig.start();
            QVERIFY(!rig.input.systemWide());
            QCOMPARE(rig.notices, std::vector<std::string>{"no permission to write /dev/uinput"});
            QCOMPARE(rig.system->grabs, 0);
            // The portable backend carries the engine's output.
            rig.input.mouseEvent(win::kMouseEventLeftDown);
            QCOMPARE(rig.portable.delivered().size(), size_t{1});
            QVERIFY(!rig.input.enableSystemWide(0x3151, 0x5718, nullptr));
            QCOMPARE(rig.notices.size(), size_t{1});
        }
        Rig rig;
        rig.system->grabErrors[kKeyboard] = EACCES;
        rig.start();
        QVERIFY(!rig.input.systemWide());
        QCOMPARE(rig.notices,
                 std::vector<std::string>{
                     "no permission to read the mouse's input device /dev/input/event6"});
        // The pointer node grabbed before is let go; nothing is tried again.
        QCOMPARE(rig.log.take(), QStringList{"event5 ungrabbed"});
        const int grabs = rig.system->grabs;
        rig.input.rescan();
        QCOMPARE(rig.system->grabs, grabs);
        QCOMPARE(rig.notices.size(), size_t{1});
        rig.input.keybdEvent(0x41, 0, 0);
        QCOMPARE(rig.log.take(), QStringList{});
        QCOMPARE(rig.portable.delivered().size(), size_t{1});
    }
    void windowEventsWhileSystemWide() {
        Rig rig;
        rig.start({});
        // The window's keys are still reported, but never as the mouse's Windows key.
        QVERIFY(rig.portable.feedKey(0x5B, 0x5B, false, 100));
        QVERIFY(rig.portable.feedKey(0x44, 0x20, false, 103));
        QVERIFY(rig.drainEvents().empty());
        QCOMPARE(rig.reports, (QStringList{"key 0 227", "key 0 7"}));
        // Its buttons went through the grabbed node already.
        QVERIFY(rig.portable.feedMouse(win::kWmLButtonDown, 1, 2));
        QCOMPARE(rig.reports.size(), 2);
        QVERIFY(rig.drainEvents().empty());
    }
};

QTEST_GUILESS_MAIN(TestEvdevBackend)
#include "tst_evdev_backend.moc"
