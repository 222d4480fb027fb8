// The drive list, the folder list and the progress bar.
#include "platform/FileLists.h"
#include "platform/ProgressBar.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QTemporaryDir>

using namespace platform;

namespace {

TEST(Volumes, HomeThenTheMediaThenTheRoot) {
    const QByteArray table =
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/anna/STICK vfat rw,nosuid 0 0\n"
        "/dev/sdc1 /run/media/anna/My\\040Disk exfat rw 0 0\n"
        "/dev/sdd1 /mnt/backup ext4 rw 0 0\n"
        "tmpfs /mnt/backup/deeper/still tmpfs rw 0 0\n"
        "sysfs /media/anna/sys sysfs rw 0 0\n"
        "/dev/sde1 /home ext4 rw 0 0\n"
        "/dev/sdb1 /media/anna/STICK vfat rw 0 0\n"
        "broken line\n";
    const std::vector<Volume> v = volumesFromMountTable(table, QStringLiteral("/home/anna/"));
    const std::vector<Volume> expected = {
        {QStringLiteral("/home/anna"), QStringLiteral("Home Folder (/home/anna)")},
        {QStringLiteral("/media/anna/STICK"), QStringLiteral("STICK (/media/anna/STICK)")},
        {QStringLiteral("/run/media/anna/My Disk"), QStringLiteral("My Disk (/run/media/anna/My Disk)")},
        {QStringLiteral("/mnt/backup"), QStringLiteral("backup (/mnt/backup)")},
        {QStringLiteral("/"), QStringLiteral("File System (/)")},
    };
    EXPECT_EQ(v, expected);
}

class ListHost : public Form {
public:
    ListHost() : Form(QStringLiteral("ListHost")) {}
};

class FileListsTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ASSERT_TRUE(media.isValid());
        QDir().mkpath(media.filePath(QStringLiteral("stick/Backups/2026")));
        QDir().mkpath(media.filePath(QStringLiteral("stick/archive")));
        QDir().mkpath(media.filePath(QStringLiteral("stick/.hidden")));
        volumes = {{folder->path(), QStringLiteral("Home Folder")}, {media.filePath(QStringLiteral("stick")), QStringLiteral("stick")},
                   {QStringLiteral("/"), QStringLiteral("File System (/)")}};
        DriveListBox::setVolumeSource([this] { return volumes; });
        host = &defaultInstance<ListHost>();
    }
    void TearDown() override {
        DriveListBox::setVolumeSource(nullptr);
        PlatformTest::TearDown();
    }
    QTemporaryDir media;
    std::vector<Volume> volumes;
    ListHost* host = nullptr;
};

TEST_F(FileListsTest, TheDriveListIsReadAgainWhenItOpensAndTellsAPick) {
    DriveListBox drives(*host, *host, QStringLiteral("Drive1"));
    ASSERT_EQ(drives.listCount(), 3);
    EXPECT_EQ(drives.drive(), folder->path());
    int changes = 0;
    drives.onChange = [&] { ++changes; };
    drives.pick(1);
    EXPECT_EQ(drives.drive(), media.filePath(QStringLiteral("stick")));
    drives.pick(1);  // the same one again: nothing changes
    EXPECT_EQ(changes, 1);

    // A medium comes, the chosen one goes: it stays listed while it is chosen.
    volumes = {volumes[0], {QStringLiteral("/media/anna/NEW"), QStringLiteral("NEW")}, volumes[2]};
    drives.refresh();
    ASSERT_EQ(drives.listCount(), 4);
    EXPECT_EQ(drives.list(1).path, QStringLiteral("/media/anna/NEW"));
    EXPECT_EQ(drives.listIndex(), 3);

    // From code: the volume holding a path, the innermost one.
    drives.setDrive(folder->path() + QStringLiteral("/sub/folder"));
    EXPECT_EQ(drives.drive(), folder->path());
    drives.setDrive(QStringLiteral("/usr/share"));
    EXPECT_EQ(drives.drive(), QStringLiteral("/"));
    EXPECT_EQ(changes, 3);
}

TEST_F(FileListsTest, TheFolderListShowsTheWayDownAndTheFoldersInside) {
    DirListBox dirs(*host, *host, QStringLiteral("Dir1"));
    int changes = 0;
    dirs.onChange = [&] { ++changes; };
    const QString stick = media.filePath(QStringLiteral("stick"));
    ASSERT_TRUE(dirs.setPath(stick + QStringLiteral("/")));
    EXPECT_EQ(dirs.path(), stick);
    EXPECT_EQ(changes, 1);
    const QStringList down = stick.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    ASSERT_EQ(dirs.listCount(), int(down.size()) + 1 + 2);
    EXPECT_EQ(dirs.list(0), QStringLiteral("/"));
    EXPECT_EQ(dirs.list(int(down.size())), stick);
    EXPECT_EQ(dirs.listIndex(), int(down.size()));
    // Inside, in name order, without hidden folders.
    EXPECT_EQ(dirs.list(int(down.size()) + 1), stick + QStringLiteral("/archive"));
    EXPECT_EQ(dirs.list(int(down.size()) + 2), stick + QStringLiteral("/Backups"));

    dirs.open(int(down.size()) + 2);
    EXPECT_EQ(dirs.path(), stick + QStringLiteral("/Backups"));
    EXPECT_EQ(changes, 2);
    dirs.open(0);
    EXPECT_EQ(dirs.path(), QStringLiteral("/"));

    // A folder that is not there changes nothing.
    EXPECT_FALSE(dirs.setPath(stick + QStringLiteral("/gone")));
    EXPECT_FALSE(dirs.setPath(QString()));
    EXPECT_EQ(dirs.path(), QStringLiteral("/"));
    EXPECT_EQ(changes, 3);
}

TEST_F(FileListsTest, AProgressValuePastTheEndLeavesTheBarAsItWas) {
    ProgressBar bar(*host, *host, QStringLiteral("ProgressBar1"));
    bar.setMax(166);
    EXPECT_TRUE(bar.setValue(166));
    EXPECT_FALSE(bar.setValue(167));
    EXPECT_EQ(bar.value(), 166);
    EXPECT_FALSE(bar.setValue(-1));
    bar.setMax(10);
    EXPECT_EQ(bar.value(), 10);
}

}  // namespace
