// The program folder and the shared file formats. Everything here works on POSIX file
// descriptors so that the two properties the program relies on hold everywhere: a read never
// blocks or wanders out of the program folder, and a write is reported as done only when every
// byte is on the disk (a whole-file write otherwise leaves the old file as it was).
#include "platform/Files.h"

#include "platform/FileFaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// ---- The program folder -------------------------------------------------------------------

namespace {

int faultBefore(FileStep step, const QString& file, qint64* bytes = nullptr);

QString& folderOverride() {
    static QString folder;
    return folder;
}

bool isUnder(const QString& path, const QString& folder) {
    if (folder.isEmpty())
        return false;
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString canonicalProgramFolder() {
    const QString folder = QDir::cleanPath(QDir(programFolder()).absolutePath());
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? folder : canonical;
}

QString canonicalOf(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    char* resolved = ::realpath(encoded.constData(), nullptr);
    if (!resolved)
        return {};
    QString result = QFile::decodeName(resolved);
    std::free(resolved);
    return result;
}

// The entry of `dir` whose name equals `name` apart from letter case; the exact spelling
// wins, then the first in name order so the choice never depends on the directory's order.
QString matchEntry(const QString& dir, const QString& name) {
    struct stat st;
    if (::lstat(QFile::encodeName(dir + QLatin1Char('/') + name).constData(), &st) == 0)
        return name;
    const QStringList entries = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

// Where a file may be opened, after the symbolic-link rule: a name inside the program folder
// must stay inside it once every link is followed, and a link anywhere must point into the
// program folder. `path` is the resolved name; *target receives the path to open.
enum class Target { Existing, Missing, Refused };

Target safeTarget(const QString& path, QString* target, bool* regular = nullptr,
                  QString* why = nullptr) {
    auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return Target::Refused;
    };
    const QString outside = QStringLiteral("The file is a link that leads out of the program folder");
    const QString cleaned = QDir::cleanPath(path);
    const QString folder = canonicalProgramFolder();
    const bool insideByName =
        isUnder(cleaned, QDir::cleanPath(QDir(programFolder()).absolutePath())) ||
        isUnder(cleaned, folder);
    struct stat st;
    const QByteArray encoded = QFile::encodeName(cleaned);
    if (::lstat(encoded.constData(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return refuse(QString::fromLocal8Bit(std::strerror(errno)));
        if (insideByName) {
            const QString parent = canonicalOf(QFileInfo(cleaned).absolutePath());
            if (!parent.isEmpty() && !isUnder(parent, folder))
                return refuse(outside);
        }
        *target = cleaned;
        return Target::Missing;
    }
    QString open = cleaned;
    if (S_ISLNK(st.st_mode) || insideByName) {
        open = canonicalOf(cleaned);
        if (open.isEmpty() || !isUnder(open, folder))
            return refuse(outside);
        if (::stat(QFile::encodeName(open).constData(), &st) != 0)
            return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (regular)
        *regular = S_ISREG(st.st_mode);
    *target = open;
    return Target::Existing;
}

// A path inside the program folder by its name is acted on only while the folder it lies in is
// inside the program folder too once every link is followed: a folder of the program's replaced
// by a link never takes a file, a rename or a removal elsewhere. Paths outside (a backup medium)
// are the user's choice and pass.
bool parentStaysInside(const QString& path) {
    const QString cleaned = QDir::cleanPath(path);
    const QString folder = canonicalProgramFolder();
    const bool insideByName =
        isUnder(cleaned, QDir::cleanPath(QDir(programFolder()).absolutePath())) || isUnder(cleaned, folder);
    if (!insideByName)
        return true;
    const QString parent = canonicalOf(QFileInfo(cleaned).absolutePath());
    return !parent.isEmpty() && isUnder(parent, folder);
}

}  // namespace

void setProgramFolder(const QString& path) {
    folderOverride() = path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath());
}

QString programFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

bool makeProgramFolderCurrent() {
    return QDir::setCurrent(programFolder());
}

QString resolvePath(const QString& name) {
    if (name.isEmpty())
        return {};
    const QString full = QDir::cleanPath(
        QDir::isAbsolutePath(name) ? name : programFolder() + QLatin1Char('/') + name);
    const QStringList parts = full.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current;
    bool searching = true;
    for (const QString& part : parts) {
        const QString dir = current.isEmpty() ? QStringLiteral("/") : current;
        QString entry = part;
        if (searching) {
            const QString found = matchEntry(dir, part);
            if (found.isEmpty())
                searching = false;  // nothing below a missing folder can exist
            else
                entry = found;
        }
        current += QLatin1Char('/') + entry;
    }
    return current.isEmpty() ? QStringLiteral("/") : current;
}

bool fileExists(const QString& name) {
    const QString path = resolvePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool removeFile(const QString& name) {
    const QString path = resolvePath(name);
    if (path.isEmpty())
        return false;
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode) || !parentStaysInside(path))
        return false;
    if (faultBefore(FileStep::Remove, path) != 0)
        return false;
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

// ---- Windows-1252 ----------------------------------------------------------------------------

namespace {

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined stand for the C1 control of
// the same number, so any byte string survives a read and a write unchanged.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

}  // namespace

QByteArray toCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');  // one character outside the code page, one '?'
            ++i;
            continue;
        }
        out.append(encodeChar(c.unicode()));
    }
    return out;
}

namespace {

bool inCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    return std::find(kCp1252High.begin(), kCp1252High.end(), c) != kCp1252High.end();
}

// The length of the character at i: two for a pair of surrogates.
qsizetype charLength(const QString& text, qsizetype i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

}  // namespace

QStringList charactersOutsideCp1252(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        if (n == 2 || !inCp1252(text.at(i).unicode())) {
            const QString c = text.mid(i, n);
            if (!out.contains(c)) out.append(c);
        }
        i += n;
    }
    return out;
}

QString withoutCharactersOutsideCp1252(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        if (n == 1 && inCp1252(text.at(i).unicode())) out.append(text.at(i));
        i += n;
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) {
    QString out;
    out.resize(bytes.size());
    QChar* data = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        data[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

// ---- Whole files -----------------------------------------------------------------------------

ReadResult readWholeFile(const QString& name, qint64 maxBytes) {
    ReadResult result;
    const QString path = resolvePath(name);
    QString target;
    switch (safeTarget(path, &target)) {
    case Target::Missing:
        result.status = ReadStatus::Missing;
        return result;
    case Target::Refused:
        result.status = ReadStatus::Unreadable;
        return result;
    case Target::Existing:
        break;
    }
    if (faultBefore(FileStep::Read, path) != 0) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    // O_NONBLOCK: a FIFO or device opens at once instead of waiting for a writer, and is then
    // turned away by the regular-file test. O_NOFOLLOW: the target has had its links resolved,
    // so a link put in its place meanwhile is not followed.
    const int fd = ::open(QFile::encodeName(target).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::Unreadable;
        return result;
    }
    auto tooLarge = [&] {
        ::close(fd);
        result.status = ReadStatus::Unreadable;
        result.tooLarge = true;
        return result;
    };
    if (maxBytes < 0)
        maxBytes = DefaultReadLimit;
    if (st.st_size > maxBytes)
        return tooLarge();
    QByteArray bytes;
    if (st.st_size > 0)
        bytes.reserve(qsizetype(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n > 0 && bytes.size() + n > maxBytes)
            return tooLarge();  // it grew while being read
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            result.status = ReadStatus::Unreadable;
            return result;
        }
        bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    if (FileFaultHook* hook = fileFaultHook())
        hook->afterRead(path);
    return result;
}

namespace {

FileFaultHook*& faultHook() {
    static FileFaultHook* hook = nullptr;
    return hook;
}

// Asks the test hook, if any, before a step; the error number the step is to fail with, or 0.
int faultBefore(FileStep step, const QString& file, qint64* bytes) {
    FileFaultHook* hook = faultHook();
    if (!hook)
        return 0;
    qint64 ignored = 0;
    return hook->beforeStep(step, file, bytes ? bytes : &ignored);
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The temporary file of a whole-file write stands beside its target as
// "." + target name + ".~save-" + six letters or digits. Nothing else the program writes, and
// no name a person is likely to choose, has that shape, so what an interrupted save left can
// be removed at start-up without touching anything else.
const QString kTempTag = QStringLiteral(".~save-");
constexpr int kTempSuffixLength = 6;
constexpr char kTempAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString temporaryNameFor(const QString& fileName) {
    QString suffix;
    for (int i = 0; i < kTempSuffixLength; ++i)
        suffix += QLatin1Char(kTempAlphabet[QRandomGenerator::global()->bounded(int(sizeof kTempAlphabet) - 1)]);
    return QLatin1Char('.') + fileName + kTempTag + suffix;
}

// Makes the file's bytes or a folder's entries durable. A file system that cannot sync a
// folder at all says so with EINVAL (or ENOTSUP); that is no failure of this write.
int syncFd(int fd, bool folder) {
    for (;;) {
        if (::fsync(fd) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (folder && (errno == EINVAL || errno == ENOTSUP || errno == EROFS))
            return 0;
        return errno;
    }
}

int syncFolder(const QString& folder, const QString& file) {
    if (const int injected = faultBefore(FileStep::SyncFolder, file))
        return injected;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = syncFd(fd, true);
    ::close(fd);
    return result;
}

// Writes all of `size` bytes at the file's current position (pos < 0) or at `pos`, in pieces of
// at most 64 KiB, asking the hook before each. 0 when every byte was written, else the error.
int writeAll(int fd, const char* data, qint64 size, off_t pos, const QString& file) {
    constexpr qint64 Piece = 65536;
    qint64 done = 0;
    while (done < size) {
        qint64 count = qMin(Piece, size - done);
        if (const int injected = faultBefore(FileStep::Write, file, &count))
            return injected;
        if (count <= 0)
            return ENOSPC;
        const ssize_t n = pos < 0 ? ::write(fd, data + done, std::size_t(count))
                                  : ::pwrite(fd, data + done, std::size_t(count), pos + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;  // nothing taken and no reason given: the disk has no room
        done += n;
    }
    return 0;
}

}  // namespace

void setFileFaultHook(FileFaultHook* hook) {
    faultHook() = hook;
}

FileFaultHook* fileFaultHook() {
    return faultHook();
}

bool writeWholeFile(const QString& name, const QByteArray& bytes, QString* error, WriteOutcome* outcome) {
    if (outcome)
        *outcome = WriteOutcome::Failed;
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QString path = resolvePath(name);
    if (path.isEmpty())
        return fail(QStringLiteral("No file name"));
    QString target;
    bool regular = true;
    QString why;
    const Target found = safeTarget(path, &target, &regular, &why);
    switch (found) {
    case Target::Refused:
        return fail(why);
    case Target::Existing:
        if (!regular)
            return fail(QStringLiteral("Not a regular file"));
        break;
    case Target::Missing:
        break;
    }
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();

    // The temporary file, beside the target so that the rename never crosses file systems.
    QString temporary;
    int fd = -1;
    if (const int injected = faultBefore(FileStep::Create, path))
        return fail(errorText(injected));
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + QLatin1Char('/') + temporaryNameFor(targetInfo.fileName());
        fd = ::open(QFile::encodeName(temporary).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0)
        return fail(errorText(errno));
    const QByteArray encodedTemporary = QFile::encodeName(temporary);
    // Every way out before the rename takes the temporary file away again.
    auto abandon = [&](int failure) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(encodedTemporary.constData());
        return fail(errorText(failure));
    };
    if (found == Target::Existing) {
        // The new file keeps the permissions of the one it replaces.
        struct stat old;
        if (::stat(QFile::encodeName(target).constData(), &old) == 0)
            (void)::fchmod(fd, old.st_mode & 07777);
    }

    if (const int failure = writeAll(fd, bytes.constData(), bytes.size(), -1, path))
        return abandon(failure);
    if (const int injected = faultBefore(FileStep::Sync, path))
        return abandon(injected);
    if (const int failure = syncFd(fd, false))
        return abandon(failure);
    // Every byte must be in the file before it may take the old one's place.
    struct stat written;
    if (::fstat(fd, &written) != 0)
        return abandon(errno);
    if (written.st_size != bytes.size())
        return abandon(EIO);
    if (const int injected = faultBefore(FileStep::Close, path))
        return abandon(injected);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 && errno != EINTR)
        return abandon(errno);

    if (const int injected = faultBefore(FileStep::Rename, path))
        return abandon(injected);
    if (::rename(encodedTemporary.constData(), QFile::encodeName(target).constData()) != 0)
        return abandon(errno);
    // The new file is in place; only a folder sync that fails is left to report. The old file
    // is gone then, but the save is not known to survive a power loss, so it is not told as done.
    if (const int failure = syncFolder(folder, path)) {
        if (outcome)
            *outcome = WriteOutcome::NotDurable;
        return fail(errorText(failure));
    }
    if (outcome)
        *outcome = WriteOutcome::Done;
    return true;
}

// ---- Interrupted saves -----------------------------------------------------------------------

bool isInterruptedSaveName(const QString& fileName) {
    if (!fileName.startsWith(QLatin1Char('.')))
        return false;
    const qsizetype tag = fileName.size() - kTempSuffixLength - kTempTag.size();
    if (tag < 2 || fileName.mid(tag, kTempTag.size()) != kTempTag)
        return false;
    for (qsizetype i = tag + kTempTag.size(); i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        const bool letterOrDigit =
            (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        if (!letterOrDigit)
            return false;
    }
    return true;
}

int removeInterruptedSaves(const QString& folder) {
    const QString dir = folder.isEmpty() ? programFolder() : resolvePath(folder);
    const QStringList entries =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int removed = 0;
    for (const QString& entry : entries) {
        if (!isInterruptedSaveName(entry))
            continue;
        // Only a regular file of its own: a link of that name is left alone.
        const QByteArray encoded = QFile::encodeName(dir + QLatin1Char('/') + entry);
        struct stat st;
        if (::lstat(encoded.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlink(encoded.constData()) == 0)
            ++removed;
    }
    if (removed > 0)
        (void)syncFolder(dir, dir);
    return removed;
}

// ---- Files and folders by their exact path ---------------------------------------------------

namespace {

bool failWith(QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return false;
}

const QString& outsideReason() {
    static const QString reason = QStringLiteral("The folder is a link that leads out of the program folder");
    return reason;
}

int removeEntry(const char* path, const struct stat*, int type, struct FTW*) {
    const int result = type == FTW_DP ? ::rmdir(path) : ::unlink(path);
    return result == 0 || errno == ENOENT ? 0 : -1;
}

}  // namespace

EntryKind entryKind(const QString& path) {
    struct stat st;
    if (::lstat(QFile::encodeName(QDir::cleanPath(path)).constData(), &st) != 0)
        return EntryKind::Missing;
    if (S_ISLNK(st.st_mode))
        return EntryKind::Link;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    return EntryKind::Other;
}

QStringList entriesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool folderExists(const QString& path) {
    struct stat st;
    return ::stat(QFile::encodeName(QDir::cleanPath(path)).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isDiskFullError(int errorNumber) {
    return errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
}

bool writeNewFile(const QString& path, const QByteArray& bytes, QString* why, int* errorNumber) {
    const auto failed = [why, errorNumber](int error, const QString& reason) {
        if (errorNumber)
            *errorNumber = error;
        return failWith(why, reason);
    };
    const QString cleaned = QDir::cleanPath(path);
    if (!parentStaysInside(cleaned))
        return failed(ELOOP, outsideReason());
    if (const int injected = faultBefore(FileStep::Create, cleaned))
        return failed(injected, errorText(injected));
    const QByteArray name = QFile::encodeName(cleaned);
    // O_NONBLOCK: a FIFO in the file's place fails at once instead of waiting for a reader.
    int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (fd < 0) {
        const int error = errno;
        return failed(error, errorText(error));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);  // not a file of ours: left as it is
        return failed(EINVAL, QStringLiteral("Not a regular file"));
    }
    auto abandon = [&](int failure) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(name.constData());
        return failed(failure, errorText(failure));
    };
    if (const int failure = writeAll(fd, bytes.constData(), bytes.size(), -1, cleaned))
        return abandon(failure);
    if (const int injected = faultBefore(FileStep::Close, cleaned))
        return abandon(injected);
    // A file system that defers its writes reports a full disk when the file is closed.
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 && errno != EINTR)
        return abandon(errno);
    return true;
}

bool writeFileAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* why) {
    const QString cleaned = QDir::cleanPath(path);
    if (!parentStaysInside(cleaned))
        return failWith(why, outsideReason());
    const int fd = ::open(QFile::encodeName(cleaned).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return failWith(why, errorText(errno));
    struct stat st;
    int failure = 0;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        failure = EINVAL;
    if (!failure)
        failure = writeAll(fd, bytes.constData(), bytes.size(), off_t(offset), cleaned);
    if (!failure)
        failure = faultBefore(FileStep::Sync, cleaned);
    if (!failure)
        failure = syncFd(fd, false);
    if (::close(fd) != 0 && !failure && errno != EINTR)
        failure = errno;
    if (failure == EINVAL && !S_ISREG(st.st_mode))
        return failWith(why, QStringLiteral("Not a regular file"));
    return failure ? failWith(why, errorText(failure)) : true;
}

bool makeFolder(const QString& path) {
    const QString cleaned = QDir::cleanPath(path);
    if (!parentStaysInside(cleaned) || faultBefore(FileStep::MakeFolder, cleaned) != 0)
        return false;
    if (::mkdir(QFile::encodeName(cleaned).constData(), 0755) == 0)
        return true;
    return errno == EEXIST && entryKind(cleaned) == EntryKind::Folder;
}

bool removeFolder(const QString& path) {
    const QString cleaned = QDir::cleanPath(path);
    const EntryKind kind = entryKind(cleaned);
    if (kind == EntryKind::Missing)
        return true;
    if (kind != EntryKind::Folder || !parentStaysInside(cleaned))
        return false;
    if (faultBefore(FileStep::RemoveFolder, cleaned) != 0)
        return false;
    // FTW_PHYS: a link inside is removed, never followed; FTW_MOUNT: another file system
    // mounted inside is not entered.
    ::nftw(QFile::encodeName(cleaned).constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
    return entryKind(cleaned) == EntryKind::Missing;
}

bool linkFile(const QString& existing, const QString& newName) {
    const QString from = QDir::cleanPath(existing), to = QDir::cleanPath(newName);
    if (!parentStaysInside(from) || !parentStaysInside(to) || faultBefore(FileStep::Link, to) != 0)
        return false;
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool renameFile(const QString& from, const QString& to, QString* why) {
    const QString a = QDir::cleanPath(from), b = QDir::cleanPath(to);
    if (!parentStaysInside(a) || !parentStaysInside(b))
        return failWith(why, outsideReason());
    if (const int injected = faultBefore(FileStep::Rename, b))
        return failWith(why, errorText(injected));
    if (::rename(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()) != 0)
        return failWith(why, errorText(errno));
    return true;
}

bool flushDisk(const QString& folder, QString* why) {
    const QString cleaned = QDir::cleanPath(folder);
    if (const int injected = faultBefore(FileStep::FlushDisk, cleaned))
        return failWith(why, errorText(injected));
    const int fd = ::open(QFile::encodeName(cleaned).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failWith(why, errorText(errno));
    // One flush of the whole file system holding the folder: every file written there since,
    // without a separate sync per file.
    int failure = ::syncfs(fd) == 0 ? 0 : errno;
    if (!failure)
        failure = syncFd(fd, true);
    ::close(fd);
    return failure ? failWith(why, errorText(failure)) : true;
}

quint64 fileSystemOf(const QString& folder) {
    struct stat st;
    if (::stat(QFile::encodeName(QDir::cleanPath(folder)).constData(), &st) != 0)
        return 0;
    return quint64(st.st_dev);
}

QString withSlash(const QString& folder) {
    QString f = QDir::cleanPath(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

QString findName(const QStringList& names, const QString& name) {
    if (names.contains(name))
        return name;
    for (const QString& n : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    }
    return {};
}

// ---- One copy of the program per folder -----------------------------------------------------

namespace {

struct HeldLock {
    QString folder;
    int fd = -1;
};

HeldLock& heldLock() {
    static HeldLock held;
    return held;
}

}  // namespace

FolderLock lockProgramFolder(const QString& lockFileName, QString* why) {
    HeldLock& held = heldLock();
    const QString folder = canonicalProgramFolder();
    if (held.fd >= 0 && held.folder == folder)
        return FolderLock::Held;
    if (held.fd >= 0)
        ::close(held.fd);
    held = {};
    const QByteArray lockPath = QFile::encodeName(folder + QLatin1Char('/') + lockFileName);
    // O_NOFOLLOW: a link in the lock file's place is not followed; the folder is locked instead.
    int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0)
        fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        failWith(why, errorText(errno));
        return FolderLock::NotPossible;
    }
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        const int error = errno;
        if (error == EINTR)
            continue;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return FolderLock::HeldByAnother;
        failWith(why, errorText(error));
        return FolderLock::NotPossible;
    }
    held = {folder, fd};
    return FolderLock::Held;
}

bool copyFileSafely(const QString& source, const QString& target, QString* error) {
    const ReadResult read = readWholeFile(source);
    if (!read.ok()) {
        if (error)
            *error = read.status == ReadStatus::Missing ? QStringLiteral("The source file is missing")
                                                        : QStringLiteral("The source file cannot be read");
        return false;
    }
    return writeWholeFile(target, read.bytes, error);
}

// ---- Hidden/normal state of content documents ------------------------------------------------

namespace {

// The list holds a name per line for the content documents and whatever a file manager put
// there; far less than this.
constexpr qint64 MaxHiddenListBytes = 1024 * 1024;

QStringList readHiddenList(const QString& listPath, bool* readable = nullptr) {
    QStringList names;
    const ReadResult read = readWholeFile(listPath, MaxHiddenListBytes);
    if (readable)
        *readable = read.status != ReadStatus::Unreadable;
    if (!read.ok())
        return names;
    for (QByteArray line : read.bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        names.append(QString::fromUtf8(line));
    }
    while (!names.isEmpty() && names.last().isEmpty())
        names.removeLast();
    return names;
}

}  // namespace

int setFilesHidden(const QStringList& names, bool hidden) {
    // Grouped by folder so that each folder's list is read and rewritten once.
    QStringList folders;
    QList<QStringList> spellings;
    int done = 0;
    for (const QString& name : names) {
        const QString path = resolvePath(name);
        if (path.isEmpty())
            continue;
        const QFileInfo info(path);
        if (!info.exists() || info.isDir())
            continue;
        const QString folder = info.absolutePath();
        qsizetype at = folders.indexOf(folder);
        if (at < 0) {
            folders.append(folder);
            spellings.append(QStringList());
            at = folders.size() - 1;
        }
        spellings[at].append(info.fileName());
    }
    for (qsizetype f = 0; f < folders.size(); ++f) {
        const QString listPath = folders.at(f) + QStringLiteral("/.hidden");
        const QStringList& mine = spellings.at(f);
        auto isMine = [&mine](const QString& entry) {
            for (const QString& spelling : mine) {
                if (entry.compare(spelling, Qt::CaseInsensitive) == 0)
                    return true;
            }
            return false;
        };
        bool readable = true;
        const QStringList before = readHiddenList(listPath, &readable);
        if (!readable)
            continue;  // a list that cannot be read (too large, not a file) is left as it is
        QStringList after;
        for (const QString& entry : before) {
            if (!isMine(entry))
                after.append(entry);
            else if (hidden && mine.contains(entry) && !after.contains(entry))
                after.append(entry);  // already listed: keeps its place
            // Other spellings of the same names are dropped: they no longer name a file.
        }
        if (hidden) {
            for (const QString& spelling : mine) {
                if (!after.contains(spelling))
                    after.append(spelling);
            }
        }
        if (after != before) {
            QByteArray bytes;
            for (const QString& entry : after)
                bytes += entry.toUtf8() + '\n';
            if (!writeWholeFile(listPath, bytes))
                continue;
        }
        done += int(mine.size());
    }
    return done;
}

bool setFileHidden(const QString& name, bool hidden) {
    return setFilesHidden(QStringList{name}, hidden) == 1;
}

bool isFileHidden(const QString& name) {
    const QString path = resolvePath(name);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QStringList list = readHiddenList(info.absolutePath() + QStringLiteral("/.hidden"));
    for (const QString& entry : list) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// ---- Fixed-record files ----------------------------------------------------------------------

namespace {

void putLe16(QByteArray& out, int pos, unsigned v) {
    out[pos] = char(v & 0xFF);
    out[pos + 1] = char((v >> 8) & 0xFF);
}

unsigned le16(const QByteArray& in, int pos) {
    return unsigned(static_cast<unsigned char>(in.at(pos))) |
           (unsigned(static_cast<unsigned char>(in.at(pos + 1))) << 8);
}

}  // namespace

QByteArray encodeStringRecord(const QString& text, int recordLength) {
    if (recordLength < 2)
        return QByteArray(qMax(recordLength, 0), '\0');
    // A text longer than the record is cut to what fits, so it never runs into the next record.
    const QByteArray chars = toCp1252(text).left(recordLength - 2);
    QByteArray out(recordLength, '\0');
    putLe16(out, 0, unsigned(chars.size()));
    std::memcpy(out.data() + 2, chars.constData(), std::size_t(chars.size()));
    return out;
}

QString decodeStringRecord(const QByteArray& record) {
    if (record.size() < 2)
        return {};
    // A length larger than the record (a damaged or foreign file) reads the characters the
    // record holds, never bytes of the next record or past the end of the file.
    const int n = qMin(int(le16(record, 0)), int(record.size()) - 2);
    return fromCp1252(record.mid(2, n));
}

QByteArray encodeVariantRecord(const VariantValue& v, int recordLength) {
    QByteArray out(qMax(recordLength, 0), '\0');
    if (recordLength < 2)
        return out;
    switch (v.type) {
    case VariantValue::Integer: {
        if (recordLength < 6)
            return out;  // does not fit: stored as empty
        putLe16(out, 0, VariantValue::Integer);
        const auto u = static_cast<std::uint32_t>(v.integer);
        for (int i = 0; i < 4; ++i)
            out[2 + i] = char((u >> (8 * i)) & 0xFF);
        break;
    }
    case VariantValue::Text: {
        if (recordLength < 4)
            return out;
        const QByteArray chars = toCp1252(v.text).left(recordLength - 4);
        putLe16(out, 0, VariantValue::Text);
        putLe16(out, 2, unsigned(chars.size()));
        std::memcpy(out.data() + 4, chars.constData(), std::size_t(chars.size()));
        break;
    }
    case VariantValue::Empty:
        break;
    }
    return out;
}

VariantValue decodeVariantRecord(const QByteArray& record) {
    if (record.size() < 2)
        return {};
    switch (le16(record, 0)) {
    case VariantValue::Integer: {
        if (record.size() < 6)
            return {};
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= std::uint32_t(static_cast<unsigned char>(record.at(2 + i))) << (8 * i);
        return VariantValue::fromInt(static_cast<std::int32_t>(u));
    }
    case VariantValue::Text: {
        if (record.size() < 4)
            return {};
        const int n = qMin(int(le16(record, 2)), int(record.size()) - 4);
        return VariantValue::fromText(fromCp1252(record.mid(4, n)));
    }
    default:
        return {};  // empty, or a type this program never stores
    }
}

bool RecordFile::open(const QString& name, int recordLength) {
    close();
    if (recordLength <= 0)
        return false;
    QString target;
    bool regular = true;
    const QString path = resolvePath(name);
    const Target found = safeTarget(path, &target, &regular);
    if (found == Target::Refused || (found == Target::Existing && !regular))
        return false;
    if (found == Target::Missing && faultBefore(FileStep::Create, path) != 0)
        return false;
    const QByteArray encoded = QFile::encodeName(target);
    const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
    int fd = ::open(encoded.constData(), O_RDWR | O_CREAT | flags, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(encoded.constData(), O_RDONLY | flags);  // a read-only file still reads
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    length_ = recordLength;
    path_ = path;
    // A file that this open created has a name that is not yet durable either.
    newFile_ = found == Target::Missing;
    return true;
}

void RecordFile::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    length_ = 0;
    newFile_ = false;
    path_.clear();
}

QByteArray RecordFile::readRecordBytes(int record) {
    if (fd_ < 0 || record < 1)
        return {};
    const off_t offset = off_t(record - 1) * length_;
    QByteArray bytes(length_, '\0');
    qsizetype got = 0;
    while (got < length_) {
        const ssize_t n = ::pread(fd_, bytes.data() + got, std::size_t(length_ - got), offset + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    if (got < length_)
        return {};  // wholly or partly beyond the end: an empty value
    return bytes;
}

bool RecordFile::writeRecordBytes(int record, const QByteArray& bytes, WriteOutcome* outcome) {
    if (outcome)
        *outcome = WriteOutcome::Failed;
    if (fd_ < 0 || record < 1 || bytes.size() != length_)
        return false;
    const off_t offset = off_t(record - 1) * length_;
    if (writeAll(fd_, bytes.constData(), bytes.size(), offset, path_) != 0)
        return false;
    // The record is in the file from here on (every read gives it); it is told as written only
    // once it is on the disk.
    if (faultBefore(FileStep::Sync, path_) != 0 || syncFd(fd_, false) != 0) {
        if (outcome)
            *outcome = WriteOutcome::NotDurable;
        return false;
    }
    if (newFile_) {
        if (syncFolder(QFileInfo(path_).absolutePath(), path_) != 0) {
            if (outcome)
                *outcome = WriteOutcome::NotDurable;
            return false;
        }
        newFile_ = false;
    }
    if (outcome)
        *outcome = WriteOutcome::Done;
    return true;
}

QString RecordFile::readString(int record) {
    return decodeStringRecord(readRecordBytes(record));
}

bool RecordFile::writeString(int record, const QString& text, WriteOutcome* outcome) {
    return writeRecordBytes(record, encodeStringRecord(text, length_), outcome);
}

VariantValue RecordFile::readVariant(int record) {
    return decodeVariantRecord(readRecordBytes(record));
}

bool RecordFile::writeVariant(int record, const VariantValue& value, WriteOutcome* outcome) {
    return writeRecordBytes(record, encodeVariantRecord(value, length_), outcome);
}

QString readStringRecord(const QString& file, int recordLength, int record) {
    RecordFile f(file, recordLength);
    return f.readString(record);
}

bool writeStringRecord(const QString& file, int recordLength, int record, const QString& text,
                       WriteOutcome* outcome) {
    RecordFile f(file, recordLength);
    return f.writeString(record, text, outcome);
}

VariantValue readVariantRecord(const QString& file, int recordLength, int record) {
    RecordFile f(file, recordLength);
    return f.readVariant(record);
}

bool writeVariantRecord(const QString& file, int recordLength, int record, const VariantValue& v,
                        WriteOutcome* outcome) {
    RecordFile f(file, recordLength);
    return f.writeVariant(record, v, outcome);
}

// ---- QuotedLine files ------------------------------------------------------------------------

QByteArray encodeQuotedLine(const QString& text) {
    return '"' + toCp1252(text) + "\"\r\n";
}

namespace {

QByteArray stripLineEnd(QByteArray line) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

qsizetype skipBlanks(const QByteArray& line) {
    qsizetype i = 0;
    while (i < line.size() && (line.at(i) == ' ' || line.at(i) == '\t'))
        ++i;
    return i;
}

}  // namespace

QString decodeQuotedLine(const QByteArray& line) {
    const QByteArray text = stripLineEnd(line);
    const qsizetype start = skipBlanks(text);
    if (start >= text.size())
        return {};
    if (text.at(start) != '"') {
        // Not written by this program: the line as it stands, trailing blanks removed.
        QByteArray rest = text.mid(start);
        while (rest.endsWith(' ') || rest.endsWith('\t'))
            rest.chop(1);
        return fromCp1252(rest);
    }
    // Between the opening quote and the last quote of the line: a quote inside the text is
    // part of it and never ends the value early.
    const qsizetype close = text.lastIndexOf('"');
    if (close <= start)
        return fromCp1252(text.mid(start + 1));
    return fromCp1252(text.mid(start + 1, close - start - 1));
}

QuotedLinesResult readQuotedLines(const QString& name, qint64 maxBytes) {
    QuotedLinesResult result;
    const ReadResult read = readWholeFile(name, maxBytes);
    result.status = read.status;
    result.tooLarge = read.tooLarge;
    if (!read.ok())
        return result;
    QList<QByteArray> lines = read.bytes.split('\n');
    if (!lines.isEmpty() && stripLineEnd(lines.last()).isEmpty())
        lines.removeLast();  // the line end of the last value, not a value of its own
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = stripLineEnd(lines.at(i));
        const qsizetype start = skipBlanks(line);
        // A value that held a line break was written over several lines: the opening quote
        // has no partner on its own line. Join the lines up to the one that has a quote, so the
        // values after it keep their places.
        if (start < line.size() && line.at(start) == '"' && line.indexOf('"', start + 1) < 0) {
            qsizetype j = i + 1;
            while (j < lines.size() && !lines.at(j).contains('"'))
                ++j;
            if (j < lines.size()) {
                for (qsizetype k = i + 1; k <= j; ++k)
                    line += "\r\n" + stripLineEnd(lines.at(k));
                i = j;
            }
        }
        result.values.append(decodeQuotedLine(line));
    }
    return result;
}

bool writeQuotedLines(const QString& name, const QStringList& values, QString* error, WriteOutcome* outcome) {
    QByteArray bytes;
    for (const QString& value : values)
        bytes += encodeQuotedLine(value);
    return writeWholeFile(name, bytes, error, outcome);
}

// ---- Numbers stored as text ------------------------------------------------------------------

QString numberToText(long long value) {
    return QString::number(value);
}

long long textToNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 0ULL - static_cast<unsigned long long>(LLONG_MIN)
                                              : static_cast<unsigned long long>(LLONG_MAX);
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        const unsigned digit = unsigned(c - u'0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == limit ? LLONG_MIN : -static_cast<long long>(magnitude);
    return static_cast<long long>(magnitude);
}

}  // namespace platform
