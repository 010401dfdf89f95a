#include <unistd.h>

#include <QtTest>

#include "app/working_folder.h"
#include "support/scratch_dir.h"

using namespace z718;
using test::ScratchDir;

// Which folder the program works in, and what a user's own folder receives from an install.
class WorkingFolderTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writableModulesBesideTheExecutableStay();
    void readOnlyInstallFillsTheUsersFolder();
    void laterStartsAddNewFilesAndKeepTheUsersOwn();
    void unusableUserFolderStillFindsTheShippedFiles();
    void foldersThatAreLinksOrSomeoneElsesAreRefused();

private:
    static QStringList filesUnder(const QString& dir);

    std::unique_ptr<QTemporaryDir> tmp_;
    QString bin_, shipped_, user_;
};

QStringList WorkingFolderTest::filesUnder(const QString& dir) {
    QStringList found;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << QDir(dir).relativeFilePath(it.next());
    }
    found.sort();
    return found;
}

// An installed layout: the executable's folder has no modules; the package keeps them in a
// data folder, read-only like everything the package manager installs.
void WorkingFolderTest::init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    bin_ = tmp_->filePath("usr/bin");
    shipped_ = tmp_->filePath("usr/share/z/modules");
    user_ = tmp_->filePath("home/.local/share/z");
    QDir().mkpath(bin_);
    ScratchDir::write(shipped_ + "/setting/p1.bin", "[sensor]\ncursorSpeed_Q7=5\n");
    ScratchDir::write(shipped_ + "/setting/apConfig.bin", "[Q7]\nprofileNo=0\n");
    QDir().mkpath(shipped_ + "/img/skin1");
    QDir().mkpath(shipped_ + "/macro");
    QVERIFY(QFile::setPermissions(shipped_ + "/setting/p1.bin", QFileDevice::ReadOwner));
}

void WorkingFolderTest::writableModulesBesideTheExecutableStay() {
    ScratchDir::write(bin_ + "/modules/setting/p1.bin", "beside");
    QCOMPARE(chooseWorkingFolder(bin_, shipped_, user_), bin_);
    QVERIFY(!QFileInfo::exists(user_));
}

void WorkingFolderTest::readOnlyInstallFillsTheUsersFolder() {
    QCOMPARE(chooseWorkingFolder(bin_, shipped_, user_), user_);
    // Empty folders count: the skin folders are counted, macros are saved into theirs.
    QCOMPARE(filesUnder(user_ + "/modules"), filesUnder(shipped_));
    QCOMPARE(ScratchDir::read(user_ + "/modules/setting/p1.bin"),
             ScratchDir::read(shipped_ + "/setting/p1.bin"));
    QVERIFY(QFileInfo(user_ + "/modules/setting/p1.bin").permissions() & QFileDevice::WriteOwner);
}

void WorkingFolderTest::laterStartsAddNewFilesAndKeepTheUsersOwn() {
    chooseWorkingFolder(bin_, shipped_, user_);
    ScratchDir::write(user_ + "/modules/setting/p1.bin", "[sensor]\ncursorSpeed_Q7=9\n");
    ScratchDir::write(user_ + "/modules/macro/mine.bin", "users own");
    ScratchDir::write(shipped_ + "/i18n/lang_new.ini", "a later version's file");

    QCOMPARE(chooseWorkingFolder(bin_, shipped_, user_), user_);
    QCOMPARE(ScratchDir::read(user_ + "/modules/setting/p1.bin"), "[sensor]\ncursorSpeed_Q7=9\n");
    QCOMPARE(ScratchDir::read(user_ + "/modules/macro/mine.bin"), "users own");
    QCOMPARE(ScratchDir::read(user_ + "/modules/i18n/lang_new.ini"), "a later version's file");
}

void WorkingFolderTest::unusableUserFolderStillFindsTheShippedFiles() {
    ScratchDir::write(tmp_->filePath("home/file"), "a file where a folder should be");
    const QString folder = chooseWorkingFolder(bin_, shipped_, tmp_->filePath("home/file/z"));
    QVERIFY(QFileInfo::exists(folder + "/modules/setting/apConfig.bin"));
}

// A link in place of a folder of ./modules would send every write to its target; a folder
// of another user's could be swapped for one at any time.
void WorkingFolderTest::foldersThatAreLinksOrSomeoneElsesAreRefused() {
    const QString elsewhere = tmp_->path() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere) && QDir().mkpath(QFileInfo(user_).path()));
    QVERIFY(QFile::link(elsewhere, user_));
    chooseWorkingFolder(bin_, shipped_, user_);
    QVERIFY(filesUnder(elsewhere).isEmpty());
    QCOMPARE(refusedFolder(user_), user_);
    QVERIFY(QFile::remove(user_));
    ScratchDir::write(bin_ + "/modules/setting/p1.bin", "[a]\n");
    QVERIFY(QDir().mkpath(bin_ + "/modules/macro"));
    QCOMPARE(refusedFolder(bin_), QString());
    QVERIFY(QFile::link(elsewhere, bin_ + "/modules/gun"));
    QCOMPARE(refusedFolder(bin_), bin_ + "/modules/gun");
    QVERIFY(QFile::remove(bin_ + "/modules/gun"));
    if (::geteuid() != 0) {
        QSKIP("giving a folder to another user takes root");
    }
    QVERIFY(::chown(QFile::encodeName(bin_ + "/modules/macro").constData(), 65534, 65534) == 0);
    QCOMPARE(refusedFolder(bin_), bin_ + "/modules/macro");
}

QTEST_GUILESS_MAIN(WorkingFolderTest)
#include "tst_working_folder.moc"
