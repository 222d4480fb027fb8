// The file operations of backup and restore, in one replaceable object. The program uses the
// real one; tests install a subclass that fails chosen operations the way a full, missing or
// unreadable disk does, and call the real ones for everything else.
//
// Paths are absolute. Names in a folder are matched by the callers (letter case ignored); the
// operations here act on the exact path given.
#pragma once

#include "platform/Files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace backup {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A whole regular file (never creates one). A link in the file's place, a FIFO or a device
    // reads as unreadable, and never blocks.
    virtual platform::ReadResult read(const QString& path);
    // Creates or replaces a file with these bytes, every write checked. On failure nothing of
    // the new file is left and *why says what went wrong. Not synced: sync() makes a whole
    // folder of such files durable in one step.
    virtual bool writeNew(const QString& path, const QByteArray& bytes, QString* why);
    // Overwrites bytes of an existing file in place and syncs it.
    virtual bool writeAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* why);
    // True when no file of that path is left (a missing file counts as removed).
    virtual bool remove(const QString& path);
    // The names of the plain files in a folder, in name order; empty when it cannot be read.
    virtual QStringList files(const QString& folder);
    virtual bool isFolder(const QString& path);
    virtual bool makeFolder(const QString& path);
    // Removes a folder and everything in it; true when it is gone.
    virtual bool removeFolder(const QString& path);
    // A second name for an existing file (a hard link).
    virtual bool link(const QString& existing, const QString& newName);
    // Renames a file, replacing any file of the new name in one step.
    virtual bool rename(const QString& from, const QString& to);
    // Makes every file written in the folder, and the folder's own entries, durable on its
    // disk (the medium is flushed before the user is told it may be removed).
    virtual bool sync(const QString& folder, QString* why);
};

// The operations in force (the real ones unless a test installed its own).
FileSystem& fileSystem();
// Installs operations; the previous ones are returned so that they can be put back.
std::unique_ptr<FileSystem> setFileSystem(std::unique_ptr<FileSystem> fs);

// A folder path with one trailing "/".
QString withSlash(const QString& folder);
// The entry of `names` equal to `name` apart from letter case (the exact spelling first);
// empty when there is none.
QString findName(const QStringList& names, const QString& name);

}  // namespace backup
