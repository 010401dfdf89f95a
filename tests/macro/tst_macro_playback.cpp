// A macro from its file to injected input: saved in the editor's line form, turned into the
// upload list, loaded with hidSetMacro, and played by the engine on the portable backend.
#include <QtTest>
#include <memory>

#include "device/device_rig.h"
#include "engine/shared_tables.h"
#include "i18n/key_names.h"
#include "macro/macro_store.h"
#include "platform/portable/portable_input.h"
#include "support/scratch_dir.h"

namespace win = z718::win;
// Button events by the tick they come before.
using Presses = QMap<int, int>;
using z718::test::ScratchDir;

// What the macro editor page does before hidSetMacro: the lines of loadMacroIni in the
// editor form ("1,A", "0,50") become (type, value) pairs, key and mouse names turned into
// their codes, and the trailing repeat count is appended as a number.
QVariantList uploadList(const QStringList& loaded) {
    QVariantList list;
    for (qsizetype i = 0; i + 1 < loaded.size(); ++i) {
        const int type = loaded.at(i).left(1).toInt();
        const QString info = loaded.at(i).mid(2);
        list << type << (type >= 1 && type <= 4 ? int(z718::keyCode(info)) : info.toInt());
    }
    if (!loaded.isEmpty()) {
        list << loaded.constLast().toInt();
    }
    return list;
}

// An engine of the test's own, stepped tick by tick, on the process-wide key-matrix table and
// macro slots that the link's slots fill.
struct SteppedEngine {
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    z718::ActionEngine engine{events, macroQueue, actionQueue, z718::platform::portableInput()};
};

class TestMacroPlayback : public QObject {
    Q_OBJECT

private:
    static constexpr int kButton = 5;  // the sixth button, a macro key in every case here
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::test::DeviceRig> rig_;
    std::unique_ptr<SteppedEngine> stepped_;

    void assignMacro(int button, int repeatMode) {
        std::array<uchar, 64> matrix{};
        matrix[4 * button] = 9;
        matrix[4 * button + 1] = static_cast<uchar>(repeatMode);
        matrix[4 * button + 2] = static_cast<uchar>(button);
        rig_->hid->hidSetKeyMatrix(matrix.data());
    }

    // Saves the macro as the editor does, uploads it to the sixth button and assigns it there:
    // left Ctrl down, 50 ms, up; then a left click with 20 ms between press and release, twice.
    void uploadMacro(int repeatMode) {
        z718::SettingsStore settings;
        z718::MacroStore store(settings);
        store.create("clicker", 0);
        QVERIFY(
            store.save("clicker", {"1,L Ctrl", "0,50", "2,L Ctrl", "3,MS-L", "0,20", "4,MS-L"}, 2));
        rig_->hid->hidSetMacro(kButton, uploadList(store.savedLines("clicker")));
        assignMacro(kButton, repeatMode);
    }

    static QString describe(const z718::platform::PortableInput::Delivered& d) {
        const QString updown = d.message == win::kWmKeyDown || d.message == win::kWmLButtonDown
                                   ? QStringLiteral("down")
                                   : QStringLiteral("up");
        return (d.mouse ? QStringLiteral("left") : QStringLiteral("vk%1").arg(d.code, 2, 16)) +
               QLatin1Char(' ') + updown;
    }

    // Ticks the engine; buttonEvents[t] is queued just before tick t. Every injected event
    // comes back as "<tick>: <event>".
    QStringList play(int ticks, const Presses& buttonEvents = {{1, kButton}}) {
        auto& input = z718::platform::portableInput();
        input.clearDelivered();
        QStringList seen;
        size_t known = 0;
        for (int t = 1; t <= ticks; ++t) {
            if (buttonEvents.contains(t)) {
                stepped_->events.push(buttonEvents.value(t));
            }
            stepped_->engine.tick();
            const auto delivered = input.delivered();
            for (; known < delivered.size(); ++known) {
                seen << QStringLiteral("%1: %2").arg(t).arg(describe(delivered[known]));
            }
        }
        return seen;
    }

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        QVERIFY(scratch_->isValid());
        rig_ = std::make_unique<z718::test::DeviceRig>();
        stepped_ = std::make_unique<SteppedEngine>();
    }
    void cleanup() {
        stepped_.reset();
        rig_.reset();
        scratch_.reset();
    }

    // Runs first, before any upload in this process touches the slots.
    void sampleMacroInSlotZeroAtStart() {
        assignMacro(0, 0);
        // A, 20 ms, A up, 20 ms, three passes: each delay of 2 ticks holds the next word 4.
        QCOMPARE(play(40, {{1, 0}}), (QStringList{"1: vk41 down", "6: vk41 up", "11: vk41 down",
                                                  "16: vk41 up", "21: vk41 down", "26: vk41 up"}));
    }

    // Delays of 5 and 2 ticks: the word after each comes 7 and 4 ticks after it.
    void repeatModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QStringList>("played");
        const QStringList firstPass{"1: vka2 down", "9: vka2 up", "10: left down", "15: left up"};
        const int up = kButton | 0x80;
        QTest::newRow("counted") << 0 << Presses{{1, kButton}, {3, up}}
                                 << firstPass + QStringList{"16: vka2 down", "24: vka2 up",
                                                            "25: left down", "30: left up"};
        // The second press ends the pass under way: its delays are cut, and it is consumed.
        QTest::newRow("until the next press")
            << 1 << Presses{{1, kButton}, {3, up}, {18, kButton}}
            << firstPass +
                   QStringList{"16: vka2 down", "19: vka2 up", "20: left down", "22: left up"};
        QTest::newRow("while held") << 2 << Presses{{1, kButton}, {20, up}}
                                    << firstPass + QStringList{"16: vka2 down", "21: vka2 up",
                                                               "22: left down", "24: left up"};
    }
    void repeatModes() {
        QFETCH(int, mode);
        QFETCH(Presses, presses);
        QFETCH(QStringList, played);
        uploadMacro(mode);
        QCOMPARE(play(80, presses), played);
    }

    // Uploads for buttons without a slot, or of a list without its repeat count.
    void uploadsThatChangeNothing() {
        std::vector<z718::MacroSlots::Slot> before;
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            before.push_back(z718::macroSlots().read(s));
        }
        for (int button : {6, 15, -1}) {
            rig_->hid->hidSetMacro(button, {1, 4, 2, 4, 1});
        }
        rig_->hid->hidSetMacro(3, {1, 4, 2, 4});
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            QCOMPARE(z718::macroSlots().read(s), before[static_cast<size_t>(s)]);
        }
    }

    // The link's own worker, on its own thread and clock, plays what hidSetMacro stored.
    void playsOnTheWorker() {
        uploadMacro(0);
        z718::durations().tickMs = 1;
        auto& input = z718::platform::portableInput();
        input.clearDelivered();
        rig_->hid->startWorker(1);
        rig_->hid->eventQueue().push(kButton);
        QTRY_COMPARE_WITH_TIMEOUT(input.delivered().size(), size_t(8), 5000);
        rig_->hid->stopWorker();
        QStringList order;
        for (const auto& d : input.delivered()) {
            order << describe(d);
        }
        QCOMPARE(order.join(", "), QString("vka2 down, vka2 up, left down, left up, vka2 down, "
                                           "vka2 up, left down, left up"));
    }
};

QTEST_GUILESS_MAIN(TestMacroPlayback)
#include "tst_macro_playback.moc"
