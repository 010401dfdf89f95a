// The view's macro and gun-data slots on a real view and link, with the virtual mouse.
#include <QtTest>
#include <memory>

#include "device/device_rig.h"
#include "support/scratch_dir.h"
#include "support/scripted_prompts.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

using Rig = z718::test::DeviceRig;
using z718::test::ScratchDir;

class TestViewMacroSlots : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<Rig> rig_;
    std::unique_ptr<myQQuickView> view_;
    z718::ScriptedPrompts prompts_;
    z718::ScopedPrompts promptsGuard_{prompts_};

    void saveMacro(const QString& name, const QStringList& lines) {
        QVERIFY(view_->createMacroIni(name, 0).toBool());
        QVERIFY(view_->saveMacroIni(name, lines, 1).toBool());
    }

    static std::array<uchar, 192> padded(const QList<uchar>& bytes) {
        std::array<uchar, 192> block{};
        std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), 192), block.begin());
        return block;
    }

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        QVERIFY(scratch_->isValid());
        rig_ = std::make_unique<Rig>();
        view_ = std::make_unique<myQQuickView>();
        view_->setHid(rig_->hid.get());
        prompts_ = z718::ScriptedPrompts();
    }
    void cleanup() {
        view_.reset();
        rig_.reset();
        scratch_.reset();
    }

    void writesDeviceMacroMemory() {
        rig_->use(Rig::Keyboard);
        saveMacro("dev", {"A    [Down]", "50   [Delay]", "A      [Up]"});
        view_->ui_11H_SetMacroKey(0x103, "dev");
        QCOMPARE(rig_->firmware(Rig::Keyboard).macros[3],
                 padded({0x00, 0x01, 0x01, 0x04, 0x7F, 0x00, 0x00, 0x05, 0x81, 0x04, 0x00, 0x00}));
        QVERIFY(prompts_.asked.empty());
        // 50 presses and releases make 204 bytes: a warning, then the first 192 go out.
        QStringList lines;
        for (int i = 0; i < 50; ++i) {
            lines << "A    [Down]"
                  << "A      [Up]";
        }
        saveMacro("long", lines);
        const QList<uchar> stream = view_->macroIncode(view_->loadMacroIni("long"));
        QCOMPARE(stream.size(), 204);
        view_->ui_11H_SetMacroKey(1, "long");
        QCOMPARE(prompts_.asked.size(), size_t(1));
        QCOMPARE(prompts_.asked[0].kind, QString("warning"));
        QCOMPARE(prompts_.asked[0].caption, view_->settings().messageStrings().value(0));
        QCOMPARE(prompts_.asked[0].text, view_->settings().messageStrings().value(1));
        QVERIFY(!prompts_.asked[0].caption.isEmpty());
        QCOMPARE(rig_->firmware(Rig::Keyboard).macros[1], padded(stream));
    }

    // Failed reads, and reads without a link, give zeros.
    void readsDeviceMacroMemory() {
        rig_->use(Rig::Keyboard);
        auto& stored = rig_->firmware(Rig::Keyboard).macros[2];
        QVariantList expected;
        for (size_t i = 0; i < stored.size(); ++i) {
            stored[i] = static_cast<uchar>(i * 3 + 1);
            expected << int(stored[i]);
        }
        QCOMPARE(view_->ui_91H_GetMacroKey(2), expected.mid(0, 192));
        rig_->use(Rig::Mouse);
        rig_->firmware(Rig::Mouse).macros[2] = stored;
        QCOMPARE(view_->ui_93H_GetMacroKey(2), expected.mid(0, 128));
        rig_->mouse.setFault(z718::sim::VirtualMouse::ReadFails);
        QCOMPARE(view_->ui_93H_GetMacroKey(2), QVariantList(128, 0));
        rig_->mouse.setFault(z718::sim::VirtualMouse::ReadFails, false);
        rig_->use(Rig::Keyboard);
        rig_->mouse.setKeyboardPresent(false);
        QCOMPARE(view_->ui_91H_GetMacroKey(2), QVariantList(192, 0));
        view_->setHid(nullptr);
        QCOMPARE(view_->ui_93H_GetMacroKey(2), QVariantList(128, 0));
    }

    void inertSlots() {
        saveMacro("dev", {"A    [Down]"});
        view_->ui_13H_SetMacroKey(1, "dev");
        QVERIFY(rig_->wire("feature-out").isEmpty());
        QCOMPARE(view_->sendMacroData({1, 2}, 0), QVariant(true));
    }

    void encodingAndConfigFollowSelectedDevice() {
        const QStringList lines{"A    [Down]", "2000   [Delay]"};
        saveMacro("m", {});
        rig_->use(Rig::Mouse);
        QCOMPARE(view_->macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x64, 1, 0, 0}));
        view_->setMacroIniConfig("m", {6, 9});
        QCOMPARE(view_->loadMacroType("m").toInt(), 1);
        QCOMPARE(view_->loadMacroIniConfig("m"), (QVariantList{6, 9}));
        rig_->use(Rig::Keyboard);
        QCOMPARE(view_->macroIncode(lines), (QList<uchar>{0, 1, 1, 4, 0x7F, 0, 0, 0xC8, 0, 0}));
        QCOMPARE(view_->loadMacroIniConfig("m"), (QVariantList{-1, 9}));
        // A macro never configured belongs to no device, also before the view has a link.
        view_->setHid(nullptr);
        saveMacro("fresh", {});
        QCOMPARE(view_->loadMacroIniConfig("fresh"), (QVariantList{-1, 1}));
    }

    // The view passes the scene's numbers on as the store's decimal keys.
    void gunSlots() {
        ScratchDir::write("./modules/gun/gunData.bin", "");
        view_->saveGundata({"AK", "L-Click", 10, 0, -1, 0});
        QCOMPARE(view_->getGunData("AK").value(3).toInt(), -1);
        view_->setXYSensitive(2.0, 7);
        QCOMPARE(view_->settings().currentProfile().value("XYSensitive/2").toInt(), 7);
    }
};

QTEST_MAIN(TestViewMacroSlots)
#include "tst_view_macro_slots.moc"
