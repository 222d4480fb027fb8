#include "backup/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backup {

namespace {

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

QString errorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool fail(QString* why, int error) {
    if (why) *why = errorText(error);
    return false;
}

bool syncFolderEntries(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
    ::close(fd);
    return ok;
}

std::unique_ptr<FileSystem>& installed() {
    static std::unique_ptr<FileSystem> fs = std::make_unique<FileSystem>();
    return fs;
}

}  // namespace

// The file itself is opened, never a link in its place (a link reads as unreadable), and a
// FIFO or device never blocks the read.
platform::ReadResult FileSystem::read(const QString& path) {
    platform::ReadResult result;
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? platform::ReadStatus::Missing : platform::ReadStatus::Unreadable;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = platform::ReadStatus::Unreadable;
        return result;
    }
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(done + 65536);  // a file that grew meanwhile
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            result.status = platform::ReadStatus::Unreadable;
            return result;
        }
        done += n;
    }
    ::close(fd);
    bytes.resize(done);
    result.status = platform::ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool FileSystem::writeNew(const QString& path, const QByteArray& bytes, QString* why) {
    const QByteArray name = encoded(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return fail(why, errno);
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(name.constData());
            return fail(why, error);
        }
        data += n;
        left -= n;
    }
    // A file system that defers its writes reports a full disk when the file is closed.
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(name.constData());
        return fail(why, error);
    }
    return true;
}

bool FileSystem::writeAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* why) {
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return fail(why, errno);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return fail(why, error);
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(why, error);
    }
    if (::close(fd) != 0) return fail(why, errno);
    return true;
}

bool FileSystem::remove(const QString& path) {
    if (::unlink(encoded(path).constData()) == 0) return true;
    return errno == ENOENT;
}

QStringList FileSystem::files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool FileSystem::isFolder(const QString& path) {
    struct stat st;
    return ::stat(encoded(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileSystem::makeFolder(const QString& path) {
    return ::mkdir(encoded(path).constData(), 0755) == 0 || (errno == EEXIST && isFolder(path));
}

bool FileSystem::removeFolder(const QString& path) {
    struct stat st;
    if (::lstat(encoded(path).constData(), &st) != 0) return errno == ENOENT;
    if (!S_ISDIR(st.st_mode)) return false;
    return QDir(path).removeRecursively();
}

bool FileSystem::link(const QString& existing, const QString& newName) {
    return ::link(encoded(existing).constData(), encoded(newName).constData()) == 0;
}

bool FileSystem::rename(const QString& from, const QString& to) {
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

bool FileSystem::sync(const QString& folder, QString* why) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return fail(why, errno);
    // One flush of the whole file system holding the folder: every copy written there since,
    // without a separate sync per file.
    if (::syncfs(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(why, error);
    }
    ::close(fd);
    if (!syncFolderEntries(folder)) return fail(why, errno);
    return true;
}

FileSystem& fileSystem() { return *installed(); }

std::unique_ptr<FileSystem> setFileSystem(std::unique_ptr<FileSystem> fs) {
    std::unique_ptr<FileSystem> previous = std::move(installed());
    installed() = fs ? std::move(fs) : std::make_unique<FileSystem>();
    return previous;
}

QString withSlash(const QString& folder) {
    QString f = QDir::cleanPath(folder);
    if (!f.endsWith(QLatin1Char('/'))) f += QLatin1Char('/');
    return f;
}

QString findName(const QStringList& names, const QString& name) {
    if (names.contains(name)) return name;
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return n;
    return {};
}

}  // namespace backup
