// The program's two kinds of save in a loop, to be killed: documents written whole and status
// records written in place, through the file layer as the windows use it. The crash test names
// a moment of a save; when the loop reaches it (the n-th time), it says so and lingers there a
// little, and the test kills it with SIGKILL at a random instant around it.
//
//   save_loop <program folder> <progress file> <moment> <n> <seed>
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/crash/SaveLoop.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <csignal>
#include <thread>
#include <unistd.h>

using namespace saveloop;

namespace {

Progress* progress = nullptr;
int askedMoment = 0;
int askedCount = 1;
int reached = 0;
std::mt19937 chance;

// Notes the moment the loop is in; at the asked one, says so and lingers up to a millisecond.
void at(int moment) {
    progress->moment.store(moment);
    if (moment != askedMoment || progress->atMoment.load()) return;
    if (++reached < askedCount) return;
    progress->atMoment.store(1);
    std::this_thread::sleep_for(std::chrono::microseconds(chance() % 1000));
}

struct Moments : platform::FileFaultHook {
    int beforeStep(platform::FileStep step, const QString& file, qint64*) override {
        const bool record = QFileInfo(file).fileName() == QLatin1String(StatusFileName);
        using S = platform::FileStep;
        if (record) {
            if (step == S::Write) at(RecordWrite);
            if (step == S::Sync) at(RecordSync);
            return 0;
        }
        switch (step) {
        case S::Create: at(DocCreate); break;
        case S::Write: at(DocWrite); break;
        case S::Sync: at(DocSync); break;
        case S::Close: at(DocClose); break;
        case S::Rename: at(DocRename); break;
        case S::SyncFolder: at(DocSyncFolder); break;
        default: break;
        }
        return 0;
    }
};

[[noreturn]] void quit(int code, const char* why) {
    std::fprintf(stderr, "save_loop: %s\n", why);
    std::_Exit(code);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) quit(2, "usage: save_loop <folder> <progress file> <moment> <n> <seed>");
    // Never outlives the test that started it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    platform::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    askedMoment = std::atoi(argv[3]);
    askedCount = std::atoi(argv[4]);
    chance.seed(unsigned(std::strtoul(argv[5], nullptr, 10)));

    const int fd = ::open(argv[2], O_RDWR | O_CLOEXEC);
    if (fd < 0) quit(2, "no progress file");
    void* mapped = ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) quit(2, "progress file not mapped");
    progress = static_cast<Progress*>(mapped);

    // Start from what the disk holds, as the program does after a crash.
    int saved[DocumentCount];
    for (int d = 0; d < DocumentCount; ++d) {
        const platform::ReadResult r = platform::readWholeFile(QString::fromLatin1(DocumentNames[d]));
        saved[d] = r.status == platform::ReadStatus::Missing ? 0 : documentVersion(d, r.bytes);
        if (saved[d] < 0) quit(3, "a document is not a complete version");
        progress->saved[d].store(saved[d]);
    }
    int written[StatusRecords + 1] = {};
    for (int r = 1; r <= StatusRecords; ++r) {
        written[r] = recordVersion(r, platform::readStringRecord(QString::fromLatin1(StatusFileName),
                                                                 StatusRecordLength, r));
        if (written[r] < 0) quit(3, "a status record is not a complete version");
        progress->written[r].store(written[r]);
    }
    Moments moments;
    platform::setFileFaultHook(&moments);
    progress->moment.store(MomentCount);
    progress->ready.store(1);

    // Where in the round of files this run begins, so that every file gets its share.
    unsigned i = chance() % 1000;
    for (long round = 0; round < 1000000; ++round, ++i) {
        const int d = int(i % DocumentCount);
        const int v = saved[d] + 1;
        QString error;
        if (!platform::writeWholeFile(QString::fromLatin1(DocumentNames[d]), documentBytes(d, v), &error))
            quit(4, "a document save failed");
        at(DocReturned);
        saved[d] = v;
        progress->saved[d].store(v);

        const int r = 1 + int((i * 7) % StatusRecords);
        const int k = written[r] + 1;
        if (!platform::writeStringRecord(QString::fromLatin1(StatusFileName), StatusRecordLength, r,
                                         recordText(r, k)))
            quit(5, "a status record write failed");
        at(RecordReturned);
        written[r] = k;
        progress->written[r].store(k);
        progress->moment.store(MomentCount);
        progress->saves.fetch_add(2);
    }
    quit(6, "never killed");
}
