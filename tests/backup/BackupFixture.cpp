#include "tests/backup/BackupFixture.h"

#include "backup/DiskInfo.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace backuptest {

// ---- FaultyFileSystem ------------------------------------------------------------------------

QString FaultyFileSystem::canonical(const QString& folder) {
    const QString c = QFileInfo(folder).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(folder) : c;
}

platform::ReadResult FaultyFileSystem::read(const QString& path) {
    if (unreadable_.contains(nameOf(path))) return {platform::ReadStatus::Unreadable, {}};
    platform::ReadResult r = FileSystem::read(path);
    if (r.ok() && afterRead) afterRead(path);
    return r;
}

bool FaultyFileSystem::writeNew(const QString& path, const QByteArray& bytes, QString* why) {
    auto refuse = [why](int error) {
        if (why) *why = QString::fromLocal8Bit(std::strerror(error));
        return false;
    };
    if (unwritable_.contains(nameOf(path))) return refuse(EIO);
    const QString folder = canonical(QFileInfo(path).absolutePath());
    if (capacity_.contains(folder)) {
        qint64 used = 0;
        const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
        for (const QFileInfo& e : entries)
            if (e.fileName() != QFileInfo(path).fileName()) used += e.size();
        if (used + bytes.size() > capacity_.value(folder)) {
            ::unlink(QFile::encodeName(path).constData());  // as a write cut short leaves nothing
            return refuse(ENOSPC);
        }
    }
    return FileSystem::writeNew(path, bytes, why);
}

bool FaultyFileSystem::writeAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* why) {
    if (log_) log_->push_back(QStringLiteral("write %1 at %2").arg(QFileInfo(path).fileName()).arg(offset));
    return FileSystem::writeAt(path, offset, bytes, why);
}

bool FaultyFileSystem::remove(const QString& path) {
    if (unremovable_.contains(nameOf(path))) return false;
    return FileSystem::remove(path);
}

bool FaultyFileSystem::link(const QString& existing, const QString& newName) {
    if (noLinks_) return false;
    return FileSystem::link(existing, newName);
}

bool FaultyFileSystem::rename(const QString& from, const QString& to) {
    if (++renames_ == renameFail_) return false;
    return FileSystem::rename(from, to);
}

bool FaultyFileSystem::sync(const QString& folder, QString* why) {
    if (log_) log_->push_back(QStringLiteral("sync ") + canonical(folder));
    if (++syncs_ == syncFail_) {
        if (why) *why = QString::fromLocal8Bit(std::strerror(EIO));
        return false;
    }
    return realSync_ ? FileSystem::sync(folder, why) : true;
}

// ---- ScriptedDiskUser ------------------------------------------------------------------------

void ScriptedDiskUser::answer(const QString& kind, int a, std::function<void()> before) {
    answers_.push_back({kind, a, std::move(before)});
}

void ScriptedDiskUser::SetProgress(int value) {
    progress.push_back(value);
    if (onProgress) onProgress(value);
}

int ScriptedDiskUser::next(const QString& kind, int disk) {
    if (log_) log_->push_back(QStringLiteral("%1 %2").arg(kind).arg(disk));
    if (answers_.empty() || answers_.front().kind != kind) {
        ADD_FAILURE() << "unanswered disk prompt: " << kind.toStdString() << " " << disk;
        return platform::Answer::Cancel;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    if (a.before) a.before();
    return a.answer;
}

std::optional<QString> ScriptedDiskUser::ChooseDiskFolder(int disk) {
    if (log_) log_->push_back(QStringLiteral("choose %1").arg(disk));
    if (folders_.empty()) {
        ADD_FAILURE() << "unanswered folder choice for disk " << disk;
        return std::nullopt;
    }
    const bool chosen = folders_.front().has_value();
    const QString f = folders_.front().value_or(QString());
    folders_.pop_front();
    if (!chosen) return std::nullopt;
    return f;
}

// ---- the user set ----------------------------------------------------------------------------

QByteArray userFileBytes(int i, int seed, int size) {
    if (size <= 0) size = 150 + (i * 37 + seed * 101) % 700;
    QByteArray bytes = QStringLiteral("{\\rtf1\\ansi user file %1 of set %2 ").arg(i).arg(seed).toLatin1();
    quint32 x = quint32(i * 7919 + seed * 104729 + 1);
    while (bytes.size() < size - 1) {
        x = x * 1103515245u + 12345u;
        bytes += char('a' + (x >> 16) % 26);
        if ((x >> 8) % 9 == 0) bytes += ' ';
    }
    bytes += '}';
    return bytes.left(size);
}

namespace {

QString fastTemporaryRoot() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

}  // namespace

::testing::AssertionResult sameFiles(const std::map<QString, QByteArray>& actual,
                                     const std::map<QString, QByteArray>& expected) {
    QStringList missing, extra, changed;
    for (const auto& [name, bytes] : expected) {
        auto it = actual.find(name);
        if (it == actual.end()) missing << name;
        else if (it->second != bytes) changed << name;
    }
    for (const auto& [name, bytes] : actual)
        if (!expected.count(name)) extra << name;
    if (missing.isEmpty() && extra.isEmpty() && changed.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "missing: " << missing.join(QLatin1Char(' ')).toStdString()
                                         << "; unexpected: " << extra.join(QLatin1Char(' ')).toStdString()
                                         << "; different bytes: " << changed.join(QLatin1Char(' ')).toStdString();
}

void BackupTest::SetUp() {
    ProgramTest::SetUp();
    base_ = std::make_unique<QTemporaryDir>(fastTemporaryRoot() + QStringLiteral("/quorvane-backup-test-XXXXXX"));
    ASSERT_TRUE(base_->isValid());
    program_ = base_->path() + QStringLiteral("/program");
    media_ = base_->path() + QStringLiteral("/media");
    QDir().mkpath(program_);
    QDir().mkpath(media_);
    oldProgramFolder_ = platform::programFolder();
    oldCurrent_ = QDir::currentPath();
    platform::setProgramFolder(program_);
    platform::makeProgramFolderCurrent();
    drive_ = media_ + QStringLiteral("/drive");
    auto faulty = std::make_unique<FaultyFileSystem>(&log);
    fs = faulty.get();
    previousFs_ = backup::setFileSystem(std::move(faulty));
    user = std::make_unique<ScriptedDiskUser>(&log);
    insert(1);
}

void BackupTest::TearDown() {
    if (user && !user->allUsed()) ADD_FAILURE() << "disk prompt answers left unused";
    backup::setFileSystem(std::move(previousFs_));
    fs = nullptr;
    platform::setProgramFolder(oldProgramFolder_);
    QDir::setCurrent(oldCurrent_);
    base_.reset();
    ProgramTest::TearDown();
}

std::map<QString, QByteArray> BackupTest::writeUserSet(int seed, std::function<bool(int)> present) {
    std::map<QString, QByteArray> written;
    const auto& files = backup::userFiles();
    for (int i = 0; i < int(files.size()); ++i) {
        if (present && !present(i)) continue;
        const QByteArray bytes = userFileBytes(i, seed);
        writeProgramFile(files[i].programName, bytes);
        written[files[i].programName] = bytes;
    }
    return written;
}

std::map<QString, QByteArray> BackupTest::userFilesInProgramFolder() const {
    std::map<QString, QByteArray> found;
    for (const QString& name : filesIn(program_))
        if (backup::isUserFileName(name)) found[name] = readProgramFile(name);
    return found;
}

std::map<QString, QByteArray> BackupTest::otherFilesInProgramFolder() const {
    std::map<QString, QByteArray> found;
    for (const QString& name : filesIn(program_))
        if (!backup::isUserFileName(name)) found[name] = readProgramFile(name);
    return found;
}

QStringList BackupTest::filesIn(const QString& f) {
    return QDir(f).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString BackupTest::disk(int n) {
    auto it = disks_.find(n);
    if (it != disks_.end()) return it->second;
    const QString path = media_ + QStringLiteral("/disk%1").arg(n);
    QDir().mkpath(path);
    disks_[n] = path;
    return path;
}

void BackupTest::insert(int n) { insertFolder(disk(n)); }

void BackupTest::insertFolder(const QString& target) {
    eject();
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(drive_).constData()), 0);
}

void BackupTest::eject() { ::unlink(QFile::encodeName(drive_).constData()); }

void BackupTest::writeProgramFile(const QString& name, const QByteArray& bytes) {
    QFile f(program_ + QLatin1Char('/') + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
    f.write(bytes);
}

QByteArray BackupTest::readFile(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QByteArray BackupTest::diskInfoRecord(const QString& f, int record) const {
    return readFile(f + QStringLiteral("/DiskInfo.bk1")).mid((record - 1) * 30, 30);
}

}  // namespace backuptest
