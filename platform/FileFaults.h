// A seam in the file layer for tests: every step that reads, writes, syncs or removes a file
// asks an installed hook first, so that a test can make one step fail the way a real disk fails (an error number,
// a write that stops part way because the disk is full) without a broken disk. With no hook
// installed, which is the program's case, the steps run as they are.
#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// The steps of a write, in the order a whole-file write takes them. A record written in place
// takes Create (only when the file is new), Write, Sync, and SyncFolder when the file is new.
enum class FileStep {
    Create,      // creating the file written to (the temporary file of a whole-file write)
    Write,       // one write of bytes
    Sync,        // making the file's bytes durable (fsync)
    Close,       // closing the written file: the flush, where a file system that defers its
                 // writes reports what failed
    Rename,      // putting the complete temporary file in the place of the old one
    SyncFolder,  // making the rename (or a new file's name) durable
    // The other operations of the file layer, each asked once before it runs.
    Read,          // opening a file to read it whole
    Remove,        // removing a file
    Link,          // giving a file a second name
    MakeFolder,    // making a folder
    RemoveFolder,  // removing a folder and what it holds
    FlushDisk,     // making every file written on a folder's disk durable at once
};
inline constexpr int FileStepCount = int(FileStep::FlushDisk) + 1;

class FileFaultHook {
public:
    virtual ~FileFaultHook() = default;
    // Asked before each step on `file` (the path of the user's file, never the temporary one).
    // Returns 0 to let the step run, or an error number (ENOSPC, EIO...) that the step then
    // fails with. For Write, *bytes holds the count about to be written; lowering it makes the
    // write a short one, as when the disk fills in the middle of it.
    virtual int beforeStep(FileStep step, const QString& file, qint64* bytes) = 0;
    // Told after a file was read whole, so that a test can change the disk at that moment (take
    // the medium away).
    virtual void afterRead(const QString& /*file*/) {}
};

// Installs the hook (nullptr removes it). Not owned.
void setFileFaultHook(FileFaultHook* hook);
FileFaultHook* fileFaultHook();

}  // namespace platform
