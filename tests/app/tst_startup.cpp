#include <unistd.h>

#include <QProcess>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include "app/startup.h"
#include "app/working_folder.h"
#include "support/hostile_files.h"
#include "support/scratch_dir.h"

using z718::test::ScratchDir;

// The program as a process: single instance and its working directory; which folder it works
// in, and what a user's own folder receives from an install.
class StartupTest : public QObject {
    Q_OBJECT
private slots:
    // An installed layout: the executable's folder has no modules; the package keeps them in a
    // data folder, read-only like everything the package manager installs.
    void init() {
        install_ = std::make_unique<QTemporaryDir>();
        bin_ = install_->filePath("usr/bin");
        shipped_ = install_->filePath("usr/share/z/modules");
        user_ = install_->filePath("home/.local/share/z");
        QDir().mkpath(bin_);
        ScratchDir::write(shipped_ + "/setting/p1.bin", "[sensor]\ncursorSpeed_Q7=5\n");
        ScratchDir::write(shipped_ + "/setting/apConfig.bin", "[Q7]\nprofileNo=0\n");
        QDir().mkpath(shipped_ + "/img/skin1");
        QDir().mkpath(shipped_ + "/macro");
        QVERIFY(QFile::setPermissions(shipped_ + "/setting/p1.bin", QFileDevice::ReadOwner));
    }

    // A read-only install fills the user's folder; later starts add new files and keep the
    // user's own. A user's folder that cannot be made still finds the shipped files; writable
    // modules beside the executable stay where they are.
    void workingFolderOfAnInstall() {
        QCOMPARE(z718::chooseWorkingFolder(bin_, shipped_, user_), user_);
        // Empty folders count: the skin folders are counted, macros are saved into theirs.
        QCOMPARE(filesUnder(user_ + "/modules"), filesUnder(shipped_));
        const QString p1 = user_ + "/modules/setting/p1.bin";
        QCOMPARE(ScratchDir::read(p1), ScratchDir::read(shipped_ + "/setting/p1.bin"));
        QVERIFY(QFileInfo(p1).permissions() & QFileDevice::WriteOwner);

        ScratchDir::write(p1, "[sensor]\ncursorSpeed_Q7=9\n");
        ScratchDir::write(user_ + "/modules/macro/mine.bin", "users own");
        ScratchDir::write(shipped_ + "/i18n/lang_new.ini", "a later version's file");
        QCOMPARE(z718::chooseWorkingFolder(bin_, shipped_, user_), user_);
        QCOMPARE(ScratchDir::read(p1), "[sensor]\ncursorSpeed_Q7=9\n");
        QCOMPARE(ScratchDir::read(user_ + "/modules/macro/mine.bin"), "users own");
        QCOMPARE(ScratchDir::read(user_ + "/modules/i18n/lang_new.ini"), "a later version's file");

        ScratchDir::write(install_->filePath("home/file"), "a file where a folder should be");
        const QString folder =
            z718::chooseWorkingFolder(bin_, shipped_, install_->filePath("home/file/z"));
        QVERIFY(QFileInfo::exists(folder + "/modules/setting/apConfig.bin"));

        ScratchDir::write(bin_ + "/modules/setting/p1.bin", "beside");
        QCOMPARE(z718::chooseWorkingFolder(bin_, shipped_, install_->filePath("home/other")), bin_);
        QVERIFY(!QFileInfo::exists(install_->filePath("home/other")));
    }

    // A link in place of a folder of ./modules would send every write to its target; a folder
    // of another user's could be swapped for one at any time.
    void foldersThatAreLinksOrSomeoneElsesAreRefused() {
        const QString elsewhere = install_->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere) && QDir().mkpath(QFileInfo(user_).path()));
        QVERIFY(QFile::link(elsewhere, user_));
        z718::chooseWorkingFolder(bin_, shipped_, user_);
        QVERIFY(filesUnder(elsewhere).isEmpty());
        QCOMPARE(z718::refusedFolder(user_), user_);
        QVERIFY(QFile::remove(user_));
        ScratchDir::write(bin_ + "/modules/setting/p1.bin", "[a]\n");
        QVERIFY(QDir().mkpath(bin_ + "/modules/macro"));
        QCOMPARE(z718::refusedFolder(bin_), QString());
        QVERIFY(QFile::link(elsewhere, bin_ + "/modules/gun"));
        QCOMPARE(z718::refusedFolder(bin_), bin_ + "/modules/gun");
        QVERIFY(QFile::remove(bin_ + "/modules/gun"));
        if (::geteuid() != 0) {
            QSKIP("giving a folder to another user takes root");
        }
        QVERIFY(::chown(QFile::encodeName(bin_ + "/modules/macro").constData(), 65534, 65534) == 0);
        QCOMPARE(z718::refusedFolder(bin_), bin_ + "/modules/macro");
    }

    void entersTheExecutablesFolder() {
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        z718::enterWorkingFolder();  // a build tree: its modules folder is writable
        QCOMPARE(QDir::currentPath(), QCoreApplication::applicationDirPath());
        QVERIFY(QFileInfo::exists("./modules/setting/apConfig.bin"));
    }

    void commandLineAnswersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("--hidden");
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("z718 1.0\n");
        QTest::newRow("unknown option") << QStringList{"--hiden"} << 2 << QByteArray("'hiden'");
        QTest::newRow("stray argument") << QStringList{"now"} << 2 << QByteArray("'now'");
    }
    void commandLineAnswersWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QObject owner;
        QProcess* process = start(&owner, arguments, {}, false);
        QVERIFY(process->waitForFinished(30000));
        const QByteArray seen = process->readAll();
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), exitCode);
        QVERIFY2(seen.contains(output), seen.constData());
        QVERIFY2(!seen.contains("Device"), seen.constData());  // nothing started
    }

    // One copy per user: a second start ends with 1 and says why the window does not show, a
    // copy killed with its lock left behind or another user's copy does not keep a start out.
    // The offscreen platform has no tray either: the first copy says so once and runs on.
    void oneCopyPerUser() {
        QObject owner;
        QProcess* first = start(&owner, {});  // no mouse at all
        QVERIFY(waitForOutput(first, "Device Error"));
        QProcess* second = start(&owner, {});
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 1);
        const QByteArray said = second->readAll();
        QVERIFY(said.contains("already running; its window shows once the mouse is connected"));
        QVERIFY(!said.contains("Device"));
        QCOMPARE(first->state(), QProcess::Running);
#ifdef Q_OS_LINUX
        // Started again at once with its heap's settings, it keeps its name in ps and top.
        QFile name(QStringLiteral("/proc/%1/comm").arg(first->processId()));
        QVERIFY(name.open(QIODevice::ReadOnly));
        QCOMPARE(name.readAll().trimmed(), QByteArray("z718"));
#endif
        QVERIFY(waitForOutput(first, "No system tray"));
        QCOMPARE((seen_[first] + first->readAll()).count("No system tray"), 1);
        first->kill();
        QVERIFY(first->waitForFinished(10000));
        QTemporaryDir otherUser;
        QProcess* theirs = start(&owner, {"--virtual-mouse"}, otherUser.path());
        QVERIFY(waitForOutput(theirs, "Device Connect"));
        QProcess* mine = start(&owner, {"--virtual-mouse"});
        QVERIFY(waitForOutput(mine, "Device Connect"));
    }  // QProcess kills its process as it goes

    void anythingButAFileAtTheLockIsReplaced_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"fifo", "folder", "link", "dangling link"}) {
            QTest::newRow(kind) << QString::fromLatin1(kind);
        }
    }
    // A FIFO there would hang the start, a folder or a link keep every start out for good.
    void anythingButAFileAtTheLockIsReplaced() {
        QFETCH(QString, kind);
        QTemporaryDir runtime;
        const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString lock = runtime.filePath(QStringLiteral("kestran-solux-z718.lock"));
        const z718::test::LinkTargets links(runtime.path());
        std::unique_ptr<z718::test::FifoTrap> fifo;
        if (kind == "fifo") {
            fifo = std::make_unique<z718::test::FifoTrap>(lock);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(lock));
        } else {
            QVERIFY(links.link(lock, kind == "dangling link"));
        }
        {
            const z718::SingleInstance instance;
            QVERIFY(!instance.isRunning());
            QVERIFY(QFileInfo(lock).isFile() && !QFileInfo(lock).isSymLink());
        }
        QVERIFY(!fifo || !fifo->opened());
        QVERIFY(links.untouched());
        qputenv("XDG_RUNTIME_DIR", previous);
    }

    void softwareSceneGraphUnlessTheEnvironmentNamesOne() {
        qputenv("QT_QUICK_BACKEND", "rhi");
        z718::chooseSceneGraph();
        QCOMPARE(QQuickWindow::sceneGraphBackend(), QString());  // the environment's choice stands
        qunsetenv("QT_QUICK_BACKEND");
        z718::chooseSceneGraph();
        QCOMPARE(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
    }

private:
    // `runtimeDir` stands for the user: each user's session has a runtime folder of its own.
    // Without `offscreen` the start is as from a text console: no display of any kind, and the
    // platform a desktop would pick.
    QProcess* start(QObject* parent, const QStringList& arguments, const QString& runtimeDir = {},
                    bool offscreen = true) {
        auto* process = new QProcess(parent);
        seen_.remove(process);  // a new process at a freed one's address
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(name);
        }
        if (offscreen) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        }
        env.insert("TMPDIR", tmp_.path());
        env.insert("XDG_RUNTIME_DIR", runtimeDir.isEmpty() ? tmp_.path() : runtimeDir);
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(tmp_.path());
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(QStringLiteral(Z718_PROGRAM), arguments);
        return process;
    }

    // Reads what `process` says until it has said `text`; what it said stays in seen_.
    bool waitForOutput(QProcess* process, const QByteArray& text) {
        QByteArray& seen = seen_[process];
        QDeadlineTimer deadline(30000);
        while (!seen.contains(text) && !deadline.hasExpired() &&
               process->state() != QProcess::NotRunning) {
            process->waitForReadyRead(200);
            seen += process->readAll();
        }
        return seen.contains(text);
    }

    static QStringList filesUnder(const QString& dir) {
        QStringList found;
        QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found << QDir(dir).relativeFilePath(it.next());
        }
        found.sort();
        return found;
    }

    QTemporaryDir tmp_;  // the lock's folder: keep it apart from other runs
    QHash<QProcess*, QByteArray> seen_;
    std::unique_ptr<QTemporaryDir> install_;
    QString bin_, shipped_, user_;
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
