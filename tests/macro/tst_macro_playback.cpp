// A macro from its file to injected input: saved in the editor's line form, turned into the
// upload list, loaded with hidSetMacro and played by the link's worker on the portable
// backend. How each piece times and repeats is checked beside it (encoding, engine).
#include <QtTest>
#include <memory>

#include "device/device_rig.h"
#include "engine/shared_tables.h"
#include "i18n/key_names.h"
#include "macro/macro_store.h"
#include "platform/portable/portable_input.h"

namespace win = z718::win;

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

class TestMacroPlayback : public QObject {
    Q_OBJECT

private slots:
    // Uploads for buttons without a slot, or of a list without its repeat count.
    void uploadsThatChangeNothing() {
        z718::test::DeviceRig rig;
        std::vector<z718::MacroSlots::Slot> before;
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            before.push_back(z718::macroSlots().read(s));
        }
        for (int button : {6, 15, -1}) {
            rig.hid->hidSetMacro(button, {1, 4, 2, 4, 1});
        }
        rig.hid->hidSetMacro(3, {1, 4, 2, 4});
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            QCOMPARE(z718::macroSlots().read(s), before[static_cast<size_t>(s)]);
        }
    }

    // Left Ctrl down, 50 ms, up; then a left click with 20 ms between press and release;
    // twice, on the sixth button.
    void savedMacroPlaysOnTheWorker() {
        z718::test::StoreRig t;
        z718::MacroStore store(t.store);
        store.create("clicker", 0);
        QVERIFY(
            store.save("clicker", {"1,L Ctrl", "0,50", "2,L Ctrl", "3,MS-L", "0,20", "4,MS-L"}, 2));
        const int button = 5;
        t.rig.hid->hidSetMacro(button, uploadList(store.savedLines("clicker")));
        std::array<uchar, 64> matrix{};
        matrix[4 * button] = 9;  // a macro, counted, from the button's own slot
        matrix[4 * button + 2] = button;
        t.rig.hid->hidSetKeyMatrix(matrix.data());
        z718::durations().tickMs = 1;
        auto& input = z718::platform::portableInput();
        input.clearDelivered();
        t.rig.hid->startWorker(1);
        t.rig.hid->eventQueue().push(button);
        QTRY_COMPARE_WITH_TIMEOUT(input.delivered().size(), size_t(8), 5000);
        t.rig.hid->stopWorker();
        QStringList order;
        for (const auto& d : input.delivered()) {
            const bool down = d.message == win::kWmKeyDown || d.message == win::kWmLButtonDown;
            order << (d.mouse ? QStringLiteral("left") : QString::number(d.code, 16)) +
                         (down ? " down" : " up");
        }
        QCOMPARE(order.join(", "), QString("a2 down, a2 up, left down, left up, a2 down, a2 up, "
                                           "left down, left up"));
    }
};

QTEST_GUILESS_MAIN(TestMacroPlayback)
#include "tst_macro_playback.moc"
