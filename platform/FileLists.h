// The drive list and the folder list: where a user picks a volume and a folder on it.
//
// The volumes are those a user would copy files to: the home folder, each medium mounted
// under /media, /run/media or /mnt, and the root of the file system. The list is read again
// each time it drops down, since media come and go.
#pragma once

#include "platform/Control.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace platform {

struct Volume {
    QString path;   // where it is mounted ("/media/anna/STICK")
    QString label;  // what the list shows ("STICK (/media/anna/STICK)")
    bool operator==(const Volume&) const = default;
};

// The volumes of a mount table (the text of /proc/self/mounts) and a home folder, in list
// order: home, the media in table order, "/". Pseudo file systems and mounts deeper than a
// medium's own folder are left out.
std::vector<Volume> volumesFromMountTable(const QByteArray& mountTable, const QString& home);
// The volumes of this machine now.
std::vector<Volume> mountedVolumes();

// Opens on the volume that holds the current folder.
class DriveListBox : public Control {
public:
    DriveListBox(Form& form, Container& parent, const QString& name, int index = -1);
    bool canTakeFocus() const override { return true; }

    // The chosen volume's path.
    QString drive() const { return drive_; }
    // Chooses the volume that holds `path` (the innermost one; a path on no listed volume
    // chooses "/"). Raises Change when the choice differs.
    void setDrive(const QString& path);
    int listCount() const { return int(volumes_.size()); }
    const Volume& list(int i) const { return volumes_.at(size_t(i)); }
    int listIndex() const;
    // Reads the volumes again, keeping the choice.
    void refresh();
    // A user's pick of volume i from the open list: Change follows.
    void pick(int i);

    // Where the volumes come from (the machine's own by default; tests give their own).
    static void setVolumeSource(std::function<std::vector<Volume>()> source);

private:
    void syncWidget();
    std::vector<Volume> volumes_;
    QString drive_;
    bool syncing_ = false;
};

// The folder list: the chosen folder with the folders above it, and the folders in it, one
// level deeper. Opening an entry (a double click, or Enter) makes it the chosen folder. Opens
// on the current folder.
class DirListBox : public Control {
public:
    DirListBox(Form& form, Container& parent, const QString& name, int index = -1);
    bool canTakeFocus() const override { return true; }

    QString path() const { return path_; }
    // Makes `folder` the chosen folder and raises Change when it differs. False, with nothing
    // changed, when it is not a folder that can be listed.
    bool setPath(const QString& folder);
    // The entries as shown: the folders from "/" down to the chosen one, then those in it.
    int listCount() const { return int(entries_.size()); }
    QString list(int i) const { return entries_.value(i); }
    int listIndex() const { return listIndex_; }
    void setListIndex(int i);
    // A user opening entry i.
    void open(int i);
    // Reads the chosen folder's folders again.
    void refresh();

private:
    void fill();
    QString path_;
    QStringList entries_;
    int ancestors_ = 0;  // entries_ [0, ancestors_) lead down to the chosen folder, inclusive
    int listIndex_ = -1;
};

}  // namespace platform
