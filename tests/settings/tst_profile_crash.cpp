// A process replacing a profile over and over is killed at many points; the profile file must
// always hold one complete version, never a mix, a truncation or nothing.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <cstdio>

#include "settings/settings_store.h"
#include "support/scratch_dir.h"

using z718::test::ScratchDir;

namespace {

const char* const kChildFlag = "--replace-forever";

QByteArray versionA() {
    return "[keydefine_Q7]\n0=1, 0, 240, 0\n[sensor]\nstage_Q7=1\n";
}

// Large enough that a kill often lands inside the copy.
QByteArray versionB() {
    QByteArray text = "[keydefine_Q7]\n0=9, 0, 3, 0\n[padding]\n";
    for (int i = 0; i < 20000; ++i) {
        text += "k" + QByteArray::number(i) + "=" + QByteArray(16, 'b') + "\n";
    }
    return text;
}

// The child: replace p1.bin alternately by a.pf and b.pf until killed.
int replaceForever(const QString& dir) {
    QDir::setCurrent(dir);
    z718::SettingsStore store;
    for (long round = 0;; ++round) {
        store.replaceProfile(0, round % 2 ? QStringLiteral("b.pf") : QStringLiteral("a.pf"));
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

}  // namespace

class ProfileCrashTest : public QObject {
    Q_OBJECT

private slots:
    void killedReplacementLeavesACompleteVersion();
};

void ProfileCrashTest::killedReplacementLeavesACompleteVersion() {
    ScratchDir scratch;
    ScratchDir::write(QStringLiteral("a.pf"), versionA());
    ScratchDir::write(QStringLiteral("b.pf"), versionB());
    ScratchDir::write(z718::SettingsStore::profilePath(0), versionA());

    for (int kill = 0; kill < 40; ++kill) {
        QProcess child;
        // A killed child cannot clean up its private temporary folder: keep it in the scratch.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), scratch.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kChildFlag), scratch.path()});
        QVERIFY(child.waitForStarted(60000));
        QVERIFY2(child.waitForReadyRead(120000), "child never started replacing");
        QTest::qSleep(QRandomGenerator::global()->bounded(25));
        child.kill();
        QVERIFY(child.waitForFinished(60000));

        const QByteArray content = ScratchDir::read(z718::SettingsStore::profilePath(0));
        QVERIFY2(content == versionA() || content == versionB(),
                 qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(kill).arg(content.size())));
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kChildFlag) == 0) {
        return replaceForever(QString::fromLocal8Bit(argv[2]));
    }
    ProfileCrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_profile_crash.moc"
