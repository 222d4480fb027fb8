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

FaultyFileSystem::FaultyFileSystem(std::vector<QString>* log) : log_(log) {
    previous_ = platform::fileFaultHook();
    platform::setFileFaultHook(this);
}

FaultyFileSystem::~FaultyFileSystem() { platform::setFileFaultHook(previous_); }

int FaultyFileSystem::beforeStep(platform::FileStep step, const QString& file, qint64* bytes) {
    using S = platform::FileStep;
    switch (step) {
    case S::Read:
        return unreadable_.contains(nameOf(file)) ? EIO : 0;
    case S::Create:
        creating_ = file;
        return unwritable_.contains(nameOf(file)) ? EIO : 0;
    case S::Close:
        creating_.clear();
        return 0;
    case S::Write: {
        // Only a file being made takes room; a record written in place in a file does not.
        const QString folder = canonical(QFileInfo(file).absolutePath());
        if (file != creating_) {
            if (log_) log_->push_back(QStringLiteral("write %1 of %2 bytes").arg(QFileInfo(file).fileName()).arg(*bytes));
            return 0;
        }
        if (!capacity_.contains(folder)) return 0;
        // Everything in the folder, the part of the file written so far included.
        qint64 used = 0;
        const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QFileInfo& e : entries) used += e.size();
        return used + *bytes > capacity_.value(folder) ? ENOSPC : 0;
    }
    case S::Remove:
        return unremovable_.contains(nameOf(file)) ? EIO : 0;
    case S::Link:
        return noLinks_ ? EXDEV : 0;
    case S::Rename:
        return ++renames_ == renameFail_ ? EIO : 0;
    case S::FlushDisk:
        if (log_) log_->push_back(QStringLiteral("sync ") + canonical(file));
        return ++syncs_ == syncFail_ ? EIO : 0;
    default:
        return 0;
    }
}

// ---- ScriptedDiskUser ------------------------------------------------------------------------

void ScriptedDiskUser::answer(const QString& kind, backup::DiskAnswer a, std::function<void()> before) {
    answers_.push_back({kind, a, std::move(before)});
}

void ScriptedDiskUser::SetProgress(int value) {
    progress.push_back(value);
    if (onProgress) onProgress(value);
}

backup::DiskAnswer ScriptedDiskUser::next(const QString& kind, int disk) {
    if (log_) log_->push_back(QStringLiteral("%1 %2").arg(kind).arg(disk));
    if (answers_.empty() || answers_.front().kind != kind) {
        ADD_FAILURE() << "unanswered disk prompt: " << kind.toStdString() << " " << disk;
        return backup::DiskAnswer::Cancel;
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

namespace {

// A fixed-set file of the shape its owner writes, different for every set: QuotedLines for
// the to-do files, whole records for the others.
QByteArray fixedFileBytes(int i, int seed) {
    const auto record = [](const QByteArray& text, int length) {
        QByteArray r(length, '\0');
        r[0] = char(text.size());
        r.replace(2, text.size(), text);
        return r;
    };
    QByteArray bytes;
    switch (i) {
    case 0:  // the item names
    case 2:  // the to-do list
        for (int line = 0; line < 5 + (seed * 3 + i) % 40; ++line)
            bytes += QStringLiteral("\"item %1 of set %2 file %3\"\r\n").arg(line).arg(seed).arg(i).toLatin1();
        return bytes;
    case 3:  // the background colour: record 3, an integer
        bytes = QByteArray(20, '\0') + QByteArray("\x03\x00", 2) + QByteArray(1, char(seed)) + QByteArray(1, char(i)) +
                QByteArray(2, '\0') + QByteArray(4, '\0');
        return bytes;
    default: {  // the display settings, the status store, the worksheet titles
        const int count = i == 1 ? 35 : i == 4 ? 68 : 21;
        for (int r = 1; r <= count - (seed % 3); ++r)
            bytes += record(QStringLiteral("s%1 r%2 f%3").arg(seed).arg(r).arg(i).toLatin1().left(18), 20);
        return bytes;
    }
    }
}

}  // namespace

QByteArray userFileBytes(int i, int seed, int size) {
    if (i < backup::FixedFileCount) return fixedFileBytes(i, seed);
    if (size <= 0) size = 150 + (i * 37 + seed * 101) % 700;
    QByteArray bytes = QStringLiteral("{\\rtf1\\ansi user file %1 of set %2 ").arg(i).arg(seed).toLatin1();
    quint32 x = quint32(i * 7919 + seed * 104729 + 1);
    while (bytes.size() < size - 1) {
        x = x * 1103515245u + 12345u;
        bytes += char('a' + (x >> 16) % 26);
        if ((x >> 8) % 9 == 0) bytes += ' ';
    }
    // A whole document: the closing brace is always its last byte.
    return bytes.left(size - 1) + '}';
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
    faulty_ = std::make_unique<FaultyFileSystem>(&log);
    fs = faulty_.get();
    user = std::make_unique<ScriptedDiskUser>(&log);
    insert(1);
}

void BackupTest::TearDown() {
    if (user && !user->allUsed()) ADD_FAILURE() << "disk prompt answers left unused";
    faulty_.reset();
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
