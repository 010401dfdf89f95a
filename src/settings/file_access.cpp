#include "settings/file_access.h"

#include <QDir>
#include <QFile>
#include <utility>

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#endif

namespace z718 {
namespace {

std::function<void(const QString&)>& beforeReplace() {
    static std::function<void(const QString&)> hook;
    return hook;
}

void announceReplace(const QString& path) {
    if (beforeReplace()) {
        beforeReplace()(path);
    }
}

}  // namespace

void FileAccess::setBeforeReplace(std::function<void(const QString&)> hook) {
    beforeReplace() = std::move(hook);
}

#ifdef Q_OS_WIN
// Windows has no descriptor-relative calls; its files go through Qt as they always did.

bool FileAccess::setRoot(const QString& folder) {
    return QDir::setCurrent(folder);
}

std::optional<QByteArray> FileAccess::read(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > maxBytes) {
        return std::nullopt;
    }
    return file.read(maxBytes);
}

bool FileAccess::write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    announceReplace(path);
    return file.commit();
}

bool FileAccess::remove(const QString& path) {
    return QFile::remove(path);
}

bool FileAccess::rename(const QString& from, const QString& to, bool replace) {
    if (!replace && (QFileInfo::exists(to) || QFileInfo(to).isSymLink())) {
        return false;
    }
    std::error_code error;
    std::filesystem::rename(from.toStdWString(), to.toStdWString(), error);
    return !error;
}

bool FileAccess::makeFolder(const QString& path) {
    return QDir().mkpath(path);
}

#else

namespace {

int root = AT_FDCWD;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }

private:
    int fd_;
};

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

struct Location {
    Descriptor folder;
    QByteArray name;
};

// The open folder holding `path`, and the name of its last part within it.
std::optional<Location> locate(const QString& path, bool makeFolders = false) {
    const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray name = native.mid(slash + 1);
    if (native.startsWith('/')) {
        Descriptor folder(::open(slash == 0 ? "/" : native.left(slash).constData(), kFolderFlags));
        return folder.get() < 0 ? std::nullopt : std::optional<Location>({std::move(folder), name});
    }
    Descriptor folder(::openat(root, ".", kFolderFlags));
    for (const QByteArray& part : native.left(std::max<qsizetype>(slash, 0)).split('/')) {
        if (part.isEmpty() || folder.get() < 0) {
            continue;
        }
        if (makeFolders) {
            ::mkdirat(folder.get(), part.constData(), 0777);
        }
        folder = Descriptor(::openat(folder.get(), part.constData(), kFolderFlags | O_NOFOLLOW));
    }
    if (folder.get() < 0 || name.isEmpty() || name == "." || name == "..") {
        return std::nullopt;
    }
    return Location{std::move(folder), name};
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno != EINTR) {
            return false;
        }
        done += std::max<ssize_t>(wrote, 0);
    }
    return true;
}

}  // namespace

bool FileAccess::setRoot(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), kFolderFlags | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    if (root != AT_FDCWD) {
        ::close(root);
    }
    root = fd;
    return true;
}

std::optional<QByteArray> FileAccess::read(const QString& path, qint64 maxBytes) {
    const auto at = locate(path);
    if (!at) {
        return std::nullopt;
    }
    // Not waiting for a writer, should a FIFO stand there.
    const Descriptor file(::openat(at->folder.get(), at->name.constData(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > maxBytes) {
        return std::nullopt;
    }
    // Sized by the file, one byte over to see it grew meanwhile: a buffer of the limit's size
    // would stay with every settings file held in memory.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes) {
                return std::nullopt;
            }
            bytes.resize(std::min<qsizetype>(got * 2, qsizetype(maxBytes) + 1));
        }
        const ssize_t n = ::read(file.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n == 0) {
            break;
        }
        if (n < 0 && errno != EINTR) {
            return std::nullopt;
        }
        got += std::max<ssize_t>(n, 0);
    }
    bytes.truncate(got);
    return bytes;
}

bool FileAccess::write(const QString& path, const QByteArray& bytes) {
    const auto at = locate(path);
    if (!at) {
        return false;
    }
    const int folder = at->folder.get();
    struct stat old {};
    const bool existed = ::fstatat(folder, at->name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
                         S_ISREG(old.st_mode);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        // Not derived from the name, which may already be as long as a name can be.
        temp = ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::openat(folder, temp.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    const Descriptor file(fd);
    bool ok = fd >= 0 && writeAll(fd, bytes);
    if (ok && existed) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    if (ok) {
        announceReplace(path);
        ok = ::renameat(folder, temp.constData(), folder, at->name.constData()) == 0;
    }
    if (!ok && fd >= 0) {
        ::unlinkat(folder, temp.constData(), 0);
    }
    return ok;
}

bool FileAccess::remove(const QString& path) {
    const auto at = locate(path);
    return at && ::unlinkat(at->folder.get(), at->name.constData(), 0) == 0;
}

bool FileAccess::rename(const QString& from, const QString& to, bool replace) {
    const auto source = locate(from);
    const auto target = locate(to);
    if (!source || !target) {
        return false;
    }
    const int sourceFolder = source->folder.get();
    const int targetFolder = target->folder.get();
    if (replace) {
        return ::renameat(sourceFolder, source->name.constData(), targetFolder,
                          target->name.constData()) == 0;
    }
    return ::renameat2(sourceFolder, source->name.constData(), targetFolder,
                       target->name.constData(), RENAME_NOREPLACE) == 0;
}

bool FileAccess::makeFolder(const QString& path) {
    const auto at = locate(path, true);
    if (!at) {
        return false;
    }
    ::mkdirat(at->folder.get(), at->name.constData(), 0777);
    return Descriptor(::openat(at->folder.get(), at->name.constData(), kFolderFlags | O_NOFOLLOW))
               .get() >= 0;
}

#endif

}  // namespace z718
