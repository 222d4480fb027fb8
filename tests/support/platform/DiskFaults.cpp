#include "tests/support/platform/DiskFaults.h"

#include "platform/Files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace testsupport {

// ---- FaultyDisk ------------------------------------------------------------------------------

FaultyDisk::FaultyDisk() {
    previous_ = platform::fileFaultHook();
    platform::setFileFaultHook(this);
}

FaultyDisk::~FaultyDisk() {
    platform::setFileFaultHook(previous_);
}

FaultyDisk& FaultyDisk::failStep(platform::FileStep step, int n, int error) {
    rules_.push_back({step, steps(step) + n, error});
    return *this;
}

FaultyDisk& FaultyDisk::fillAfter(qint64 bytes) {
    room_ = bytes;
    return *this;
}

FaultyDisk& FaultyDisk::onlyFor(const QString& fileName) {
    only_ = fileName;
    // Rules given before keep their meaning of "the n-th from when it was given".
    for (Rule& r : rules_) r.n -= counts_[int(r.step)];
    for (int& c : counts_) c = 0;
    history_.clear();
    return *this;
}

int FaultyDisk::steps(platform::FileStep step) const {
    return counts_[int(step)];
}

int FaultyDisk::beforeStep(platform::FileStep step, const QString& file, qint64* bytes) {
    if (!only_.isEmpty() && QFileInfo(file).fileName().compare(only_, Qt::CaseInsensitive) != 0)
        return 0;
    const int count = ++counts_[int(step)];
    history_.push_back(step);
    for (const Rule& r : rules_) {
        if (r.step == step && r.n == count) {
            ++failures_;
            return r.error;
        }
    }
    if (step == platform::FileStep::Write && room_ >= 0) {
        if (room_ == 0) {
            ++failures_;
            return ENOSPC;
        }
        if (*bytes > room_) *bytes = room_;
        room_ -= *bytes;
    }
    return 0;
}

// ---- SmallTmpfs ------------------------------------------------------------------------------

namespace {

const QString FillerName = QStringLiteral("filler.bin");

}  // namespace

SmallTmpfs::SmallTmpfs(qint64 bytes) {
    if (!dir_.isValid()) {
        why_ = QStringLiteral("no temporary folder for the mount");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        why_ = QStringLiteral("a tmpfs cannot be mounted here (%1); run as root to test a full disk")
                   .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallTmpfs::~SmallTmpfs() {
    if (folderChanged_) {
        QDir::setCurrent(oldCurrent_);
        platform::setProgramFolder(oldFolder_);
    }
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

QString SmallTmpfs::file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

std::map<QString, QByteArray> SmallTmpfs::snapshot() const {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name == FillerName) continue;
        QFile f(file(name));
        files[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

void SmallTmpfs::makeProgramFolder() {
    if (!folderChanged_) {
        oldCurrent_ = QDir::currentPath();
        oldFolder_ = platform::programFolder();
        folderChanged_ = true;
    }
    platform::setProgramFolder(dir_.path());
    platform::makeProgramFolderCurrent();
}

bool SmallTmpfs::fill() {
    if (!mounted_) return false;
    const int fd = ::open(QFile::encodeName(file(FillerName)).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // Big pieces first, then single bytes, so that no byte of room is left anywhere.
    static char piece[65536];
    bool full = false;
    for (std::size_t size : {sizeof piece, std::size_t(4096), std::size_t(1)}) {
        for (;;) {
            const ssize_t n = ::write(fd, piece, size);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                full = n < 0 && errno == ENOSPC;
                break;
            }
        }
    }
    ::close(fd);
    return full;
}

void SmallTmpfs::unfill() { QFile::remove(file(FillerName)); }

qint64 SmallTmpfs::freeBytes() const {
    struct statvfs st;
    if (::statvfs(QFile::encodeName(dir_.path()).constData(), &st) != 0) return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

}  // namespace testsupport
