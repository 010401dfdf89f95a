// A macro from its file to injected input: saved in the editor's line form, turned into the
// upload list, loaded with hidSetMacro, and played by the engine on the portable backend.
#include <QtTest>
#include <memory>

#include "device/device_rig.h"
#include "engine/shared_tables.h"
#include "i18n/key_names.h"
#include "macro/macro_store.h"
#include "platform/portable/portable_input.h"
#include "scratch_dir.h"
#include "upload_sequence.h"

namespace win = z718::win;

class TestMacroPlayback : public QObject {
    Q_OBJECT

private:
    static constexpr int kButton = 5;  // the sixth button, a macro key in every case here
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<z718::test::DeviceRig> rig_;
    std::unique_ptr<z718::SettingsStore> settings_;

    // Key a = A down, 50 ms, A up; then a left click with 20 ms between press and release.
    const QStringList editorLines_{"1,A", "0,50", "2,A", "3,MS-L", "0,20", "4,MS-L"};

    void assignMacro(int button, int repeatMode) {
        std::array<uchar, 64> matrix{};
        matrix[4 * button] = 9;
        matrix[4 * button + 1] = static_cast<uchar>(repeatMode);
        matrix[4 * button + 2] = static_cast<uchar>(button);
        rig_->hid->hidSetKeyMatrix(matrix.data());
    }

    void upload(const QString& name, int button) {
        const QStringList loaded = z718::MacroStore(*settings_).loadMacroIni(name);
        rig_->hid->hidSetMacro(button, uploadList(loaded, [](const QString& label) {
                                   return int(z718::keyCode(label));
                               }));
    }

    static QString describe(const z718::platform::PortableInput::Delivered& d) {
        static const QHash<uint32_t, QString> mouse{{win::kWmLButtonDown, "left down"},
                                                    {win::kWmLButtonUp, "left up"}};
        if (d.mouse) {
            return mouse.value(d.message, "mouse?");
        }
        return QStringLiteral("vk%1 %2")
            .arg(d.code, 2, 16, QLatin1Char('0'))
            .arg(d.message == win::kWmKeyDown ? "down" : "up");
    }

    // Ticks the engine; buttonEvents[t] is queued just before tick t. Every injected event
    // comes back as "<tick>: <event>".
    QStringList play(int ticks, const QMap<int, int>& buttonEvents = {{1, kButton}}) {
        auto& input = z718::platform::portableInput();
        input.clearDelivered();
        QStringList seen;
        size_t known = 0;
        for (int t = 1; t <= ticks; ++t) {
            if (buttonEvents.contains(t)) {
                rig_->hid->eventQueue().push(buttonEvents.value(t));
            }
            rig_->hid->engine().tick();
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
        settings_ = std::make_unique<z718::SettingsStore>();
        z718::MacroStore store(*settings_);
        store.createMacroIni("clicker", 0);
        QVERIFY(store.saveMacroIni("clicker", editorLines_, 2));
    }
    void cleanup() {
        settings_.reset();
        rig_.reset();
        scratch_.reset();
    }

    // Runs first, before any upload in this process touches the slots.
    void sampleMacroInSlotZeroAtStart() {
        assignMacro(0, 0);
        // A, 20 ms, A up, 20 ms, three passes: each delay of 2 ticks holds the next word 4.
        QCOMPARE(play(40, {{1, 0}}), (QStringList{"1: vk41 down", "6: vk41 up", "11: vk41 down",
                                                  "16: vk41 up", "21: vk41 down", "26: vk41 up"}));
        const z718::MacroSlots::Slot slot1 = z718::macroSlots().read(1);
        const z718::MacroSlots::Slot slot2 = z718::macroSlots().read(2);
        QCOMPARE((std::vector<uint32_t>(slot1.begin(), slot1.begin() + 8)),
                 (std::vector<uint32_t>{0, 1, 0x42, 0x142, 0x800000C8, 0x43, 0x143, 0}));
        QCOMPARE((std::vector<uint32_t>(slot2.begin(), slot2.begin() + 6)),
                 (std::vector<uint32_t>{0, 1, 0x44, 0x800000C8, 0x144, 0}));
    }

    // Delays of 5 and 2 ticks: the word after each comes 7 and 4 ticks after it.
    void countedRepeats() {
        upload("clicker", kButton);
        assignMacro(kButton, 0);
        QCOMPARE(play(60, {{1, kButton}, {3, kButton | 0x80}}),
                 (QStringList{"1: vk41 down", "9: vk41 up", "10: left down", "15: left up",
                              "16: vk41 down", "24: vk41 up", "25: left down", "30: left up"}));
    }

    void loopsUntilNextPress() {
        upload("clicker", kButton);
        assignMacro(kButton, 1);
        // The second press ends the pass under way: its delays are cut, and it is consumed.
        QCOMPARE(play(80, {{1, kButton}, {3, kButton | 0x80}, {18, kButton}}),
                 (QStringList{"1: vk41 down", "9: vk41 up", "10: left down", "15: left up",
                              "16: vk41 down", "19: vk41 up", "20: left down", "22: left up"}));
    }

    void loopsWhileHeld() {
        upload("clicker", kButton);
        assignMacro(kButton, 2);
        QCOMPARE(play(80, {{1, kButton}, {20, kButton | 0x80}}),
                 (QStringList{"1: vk41 down", "9: vk41 up", "10: left down", "15: left up",
                              "16: vk41 down", "21: vk41 up", "22: left down", "24: left up"}));
    }

    void keysOfOtherNames() {
        z718::MacroStore store(*settings_);
        store.createMacroIni("names", 0);
        store.saveMacroIni("names", {"1,L Ctrl", "1,\u25ba", "2,\u25ba", "2,L Ctrl"}, 1);
        upload("names", kButton);
        assignMacro(kButton, 0);
        QCOMPARE(play(10),
                 (QStringList{"1: vka2 down", "2: vk27 down", "3: vk27 up", "4: vka2 up"}));
    }

    void uploadsThatChangeNothing() {
        std::vector<z718::MacroSlots::Slot> before;
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            before.push_back(z718::macroSlots().read(s));
        }
        rig_->hid->hidSetMacro(6, {1, 4, 2, 4, 1});
        rig_->hid->hidSetMacro(-1, {1, 4, 2, 4, 1});
        rig_->hid->hidSetMacro(3, {1, 4, 2, 4});
        rig_->hid->hidSetMacro(3, {});
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            QCOMPARE(z718::macroSlots().read(s), before[static_cast<size_t>(s)]);
        }
    }

    void oversizeUploadKeepsEndMarker() {
        QVariantList list;
        for (int k = 0; k < 300; ++k) {
            list << 1 << 4;
        }
        list << 1;
        rig_->hid->hidSetMacro(4, list);
        const auto slot = z718::macroSlots().read(4);
        QCOMPARE(slot[254], 0x41u);
        QCOMPARE(slot[255], 0u);
    }

    // The real worker, on its own thread and clock.
    void playsOnTheWorker() {
        upload("clicker", kButton);
        assignMacro(kButton, 0);
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
        QCOMPARE(order, (QStringList{"vk41 down", "vk41 up", "left down", "left up", "vk41 down",
                                     "vk41 up", "left down", "left up"}));
    }
};

QTEST_GUILESS_MAIN(TestMacroPlayback)
#include "tst_macro_playback.moc"
