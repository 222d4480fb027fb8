// Runs one restore of the backup set in a folder into a program folder, with no window, and
// counts its file operations for the kill test. Usage: restore_once <program folder>
// <backup folder> <progress file>
#include "backup/DiskRestore.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/backup/kill/RestoreKill.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

namespace {

restorekill::Progress* progress = nullptr;

void step() {
    const int n = ++progress->operations;
    if (n != progress->target.load()) return;
    progress->reached = 1;
    if (progress->pauseAtTarget.load()) std::this_thread::sleep_for(std::chrono::seconds(5));
}

// Every step of the file layer counts as one operation.
class CountingSteps : public platform::FileFaultHook {
public:
    int beforeStep(platform::FileStep, const QString&, qint64*) override {
        step();
        return 0;
    }
};

// A one-disk set: no disk prompt is expected, and any would be cancelled.
class NoOneThere : public backup::DiskUser {
public:
    void ShowStatus(const QString&) override {}
    void ShowProgress(bool) override {}
    void SetProgress(int) override {}
    void Yield() override {}
    backup::DiskAnswer PromptBlankBackupDisk() override { return backup::DiskAnswer::Cancel; }
    backup::DiskAnswer PromptNextBackupDisk(int) override { return backup::DiskAnswer::Cancel; }
    backup::DiskAnswer PromptRestoreDisk(int) override { return backup::DiskAnswer::Cancel; }
    std::optional<QString> ChooseDiskFolder(int) override { return std::nullopt; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 64;
    const int fd = ::open(argv[3], O_RDWR | O_CLOEXEC);
    if (fd < 0) return 66;
    void* mapped = ::mmap(nullptr, sizeof(restorekill::Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return 71;
    progress = static_cast<restorekill::Progress*>(mapped);
    platform::setProgramFolder(QFile::decodeName(argv[1]));
    CountingSteps counting;
    platform::setFileFaultHook(&counting);
    NoOneThere user;
    backup::DiskRestore restore(QFile::decodeName(argv[2]), user);
    const backup::RestoreResult result = restore.RestoreFiles();
    progress->finished = result.outcome == backup::RestoreOutcome::Restored ? 1 : 2;
    return 0;
}
