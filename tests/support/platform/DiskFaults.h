// Disks that fail, for tests of every path that writes the user's files. Both link the platform
// layer only.
//
// FaultyDisk: while one exists, the file layer asks it before each step of a write (see
// platform/FileFaults.h: Create, Write, Sync, Close, Rename, SyncFolder) and fails the step it
// was told to, with a real error number, so the code under test sees what a broken disk gives:
//     testsupport::FaultyDisk disk;
//     disk.failStep(platform::FileStep::Rename);          // the next rename fails with EIO
//     disk.failStep(platform::FileStep::Write, 3, ENOSPC);  // the third write from now
//     disk.fillAfter(100);   // 100 more bytes fit, then writes stop short and fail with ENOSPC
//     disk.onlyFor("Stat1.Fil");  // count and fail steps on that file only
// Steps are counted from the moment the disk is made (or onlyFor is called), one count per kind.
//
// SmallTmpfs: a real, small tmpfs mounted on a fresh temporary folder, for full-disk tests
// (tests run as root here and in CI). When mounting is refused the test skips with the reason:
//     testsupport::SmallTmpfs disk;
//     QUORVANE_REQUIRE_TMPFS(disk);   // GTEST_SKIP() with the reason when it could not mount
//     disk.makeProgramFolder();       // the program folder until the disk goes away
//     ... put the files the test needs ...
//     ASSERT_TRUE(disk.fill());       // now not one more byte fits
#pragma once

#include "platform/FileFaults.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace testsupport {

class FaultyDisk : public platform::FileFaultHook {
public:
    FaultyDisk();
    ~FaultyDisk() override;
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;

    // The n-th step of that kind from now (1 = the next one) fails with `error`.
    FaultyDisk& failStep(platform::FileStep step, int n = 1, int error = EIO);
    // `bytes` more bytes fit on the disk: the write that crosses the limit writes only what
    // fits, and every later write fails with ENOSPC.
    FaultyDisk& fillAfter(qint64 bytes);
    // Only steps on files of this name (letter case ignored) are counted and failed; all files
    // when empty. The counts start again from 0; failures already asked for keep their place.
    FaultyDisk& onlyFor(const QString& fileName);

    // Steps of that kind seen so far (on the files counted), and how many were made to fail.
    int steps(platform::FileStep step) const;
    int failures() const { return failures_; }
    // Every step seen on the files counted, in order.
    const std::vector<platform::FileStep>& history() const { return history_; }

    int beforeStep(platform::FileStep step, const QString& file, qint64* bytes) override;

private:
    struct Rule {
        platform::FileStep step;
        int n;
        int error;
    };
    std::vector<Rule> rules_;
    std::vector<platform::FileStep> history_;
    int counts_[platform::FileStepCount] = {};
    qint64 room_ = -1;  // bytes that still fit; -1 no limit
    QString only_;
    int failures_ = 0;
    platform::FileFaultHook* previous_ = nullptr;
};

class SmallTmpfs {
public:
    explicit SmallTmpfs(qint64 bytes = 1024 * 1024);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }  // why it is not mounted
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;

    // Makes the disk the program folder and the current directory; the previous ones come back
    // when the disk goes away.
    void makeProgramFolder();
    // Writes a filler file until not one more byte fits. False when the disk never filled.
    bool fill();
    // Removes the filler: the disk has room again.
    void unfill();
    qint64 freeBytes() const;
    // Every file on the disk with its bytes, the filler left out: what a test compares before
    // and after a write that must change nothing.
    std::map<QString, QByteArray> snapshot() const;

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_;
    bool folderChanged_ = false;
    QString oldFolder_;
    QString oldCurrent_;
};

}  // namespace testsupport

#define QUORVANE_REQUIRE_TMPFS(disk)                                              \
    do {                                                                          \
        if (!(disk).mounted()) GTEST_SKIP() << (disk).why().toStdString();        \
    } while (0)
