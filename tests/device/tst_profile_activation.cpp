// Applying a profile from C++ gives, for each of ten varied profiles, what the scene's own
// profile switch was recorded to give (tests/fixtures/profile_switch/activation.golden).
#include <QtTest>

#include "device/device_rig.h"
#include "device/profile_activation.h"
#include "platform/portable/portable_input.h"
#include "support/activation_record.h"

using namespace z718;

namespace {

const QString kFixture = QStringLiteral(Z718_FIXTURES_DIR "/profile_switch");

void copyModules(const QString& from) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        QFile::copy(source, QStringLiteral("./modules") + source.mid(from.size()));
    }
}

}  // namespace

class ProfileActivationTest : public QObject {
    Q_OBJECT
private slots:
    void reproducesTheRecordedSwitches() {
        test::ScratchDir scratch;
        copyModules(kFixture + QStringLiteral("/modules"));
        SettingsStore store;
        test::DeviceRig rig;
        test::resetSharedTables();
        platform::portablePointerSettings().reset();
        ProfileActivation activation(store, platform::pointerSettings(), &rig.hid->commands());

        // The start applies the buttons only; its wire carries the connection, not the profile.
        activation.activate(0, ProfileActivation::Pointer::Keep);
        QStringList records{QStringLiteral("== start, profile 0"),
                            test::activationRecord(store.currentProfile(), {})};
        for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
            rig.mouse.clearLog();
            activation.activate(n, ProfileActivation::Pointer::Apply);
            records << QStringLiteral("== profile %1").arg(n)
                    << test::activationRecord(store.currentProfile(), rig.mouse.log());
        }
        const QString recorded = records.join('\n') + '\n';
        QFile golden(kFixture + QStringLiteral("/activation.golden"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList want = QString::fromUtf8(golden.readAll()).split('\n');
        const QStringList got = recorded.split('\n');
        for (int i = 0; i < std::min(want.size(), got.size()); ++i) {
            QCOMPARE(got[i], want[i]);
        }
        QCOMPARE(got.size(), want.size());
        QCOMPARE(store.appConfig().value(QStringLiteral("Q7/profileNo")).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(ProfileActivationTest)
#include "tst_profile_activation.moc"
