// The timeline's two files, byte for byte: TODOActv.FIL (500 rows of five QuotedLines, the
// fourth always empty) and TODONAME.FIL (one QuotedLine per name); what a load gives for
// missing, unreadable, short, long and odd files; and failed writes that keep the old file.
#include "timeline/ToDoFiles.h"
#include "tests/support/platform/DiskFaults.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

using namespace timeline;

namespace timeline {
void PrintTo(const ToDoRow& r, std::ostream* os) {
    *os << '{' << r.item.toStdString() << " | " << r.toDoDate.toStdString() << " | " << r.actualDate.toStdString()
        << " | " << r.nextReviewDate.toStdString() << '}';
}
}  // namespace timeline

namespace {

class ToDoFilesTest : public ::testing::Test {
protected:
    testsupport::TempProgramFolder folder;

    static QByteArray lines(const QList<QByteArray>& values) {
        QByteArray out;
        for (const QByteArray& v : values) out += '"' + v + "\"\r\n";
        return out;
    }
    static QByteArray emptyRows(int n) { return QByteArray(n * 5, ' ').replace(" ", "\"\"\r\n"); }
};

TEST_F(ToDoFilesTest, AnEmptyListIsTenThousandBytesOfEmptyQuotedLines) {
    const QByteArray bytes = encodeToDoList(ToDoList());
    EXPECT_EQ(bytes.size(), 10000);
    EXPECT_EQ(bytes, emptyRows(500));
    ASSERT_TRUE(writeToDoList(ToDoList()));
    EXPECT_EQ(folder.read(ToDoGridFile), bytes);
}

TEST_F(ToDoFilesTest, EachRowIsItemDatesAnEmptyFourthLineAndTheReviewDate) {
    ToDoList list;
    list.setRow(1, {"  Backup tapes", "Thu - Jan 6, 05", "Fri - Jan 7, 05", "Mon - Feb 7, 05"});
    list.setRow(3, {QString::fromLatin1("Review \xa7" "164.308 \xf8 policies"), "", "", "next spring"});
    list.setCell(3, ColSpacer, QStringLiteral("typed into the spacer"));
    ASSERT_TRUE(writeToDoList(list));
    const QByteArray expected =
        lines({"  Backup tapes", "Thu - Jan 6, 05", "Fri - Jan 7, 05", "", "Mon - Feb 7, 05"}) + emptyRows(1) +
        lines({"Review \xa7" "164.308 \xf8 policies", "", "", "", "next spring"}) + emptyRows(497);
    EXPECT_EQ(folder.read(ToDoGridFile), expected);

    const ToDoListLoad back = readToDoList();
    EXPECT_EQ(back.outcome, platform::ReadStatus::Ok);
    EXPECT_EQ(back.rowsRead, 500);
    EXPECT_EQ(back.list, list);
    EXPECT_EQ(back.list.row(1).item, QStringLiteral("  Backup tapes"));  // leading blanks kept
}

TEST_F(ToDoFilesTest, AShortFileFillsItsRowsAndLeavesTheOthersEmpty) {
    folder.write(QStringLiteral("todoactv.fil"),  // found whatever the letter case
                 lines({"Audit", "Thu - Jan 6, 05", "", "", ""}) + lines({"Train staff", "", "", "", "Fri - Jan 7, 05"}) +
                     lines({"Shred paper", "Sat - Jan 8, 05"}));  // cut short inside row 3
    const ToDoListLoad load = readToDoList();
    ASSERT_EQ(load.outcome, platform::ReadStatus::Ok);
    EXPECT_EQ(load.rowsRead, 3);
    EXPECT_EQ(load.list.row(1), (ToDoRow{"Audit", "Thu - Jan 6, 05", "", ""}));
    EXPECT_EQ(load.list.row(2), (ToDoRow{"Train staff", "", "", "Fri - Jan 7, 05"}));
    EXPECT_EQ(load.list.row(3), (ToDoRow{"Shred paper", "Sat - Jan 8, 05", "", ""}));
    for (int r = 4; r <= ToDoRowCount; ++r) ASSERT_TRUE(load.list.row(r).isEmpty()) << r;
}

TEST_F(ToDoFilesTest, TheFourthLineIsNeverReadAndRowsPastFiveHundredAreNot) {
    QByteArray bytes = lines({"Audit", "a", "b", "spacer text", "c"}) + emptyRows(499) + lines({"Row 501", "", "", "", ""});
    folder.write(ToDoGridFile, bytes);
    const ToDoListLoad load = readToDoList();
    EXPECT_EQ(load.rowsRead, 500);
    EXPECT_EQ(load.list.row(1), (ToDoRow{"Audit", "a", "b", "c"}));
    EXPECT_EQ(load.list.cell(1, ColSpacer), QString());
    EXPECT_TRUE(load.list.row(500).isEmpty());
}

TEST_F(ToDoFilesTest, AnEmptyOrOddFileStillLoadsWhatItHolds) {
    folder.write(ToDoGridFile, QByteArray());
    ToDoListLoad load = readToDoList();
    EXPECT_EQ(load.outcome, platform::ReadStatus::Ok);
    EXPECT_EQ(load.rowsRead, 0);
    // Lines without quotes, a lone LF ending and binary noise are read as text, in place.
    folder.write(ToDoGridFile, QByteArray("Audit\n\"x\"\r\n\x01\x02\r\n"));
    load = readToDoList();
    EXPECT_EQ(load.rowsRead, 1);
    EXPECT_EQ(load.list.row(1).item, QStringLiteral("Audit"));
    EXPECT_EQ(load.list.row(1).toDoDate, QStringLiteral("x"));
}

// Ways a file can be there and still not be readable.
class UnreadableToDoFileTest : public ToDoFilesTest, public ::testing::WithParamInterface<const char*> {
protected:
    void block(const QString& name) {
        const QString path = folder.file(name);
        if (QByteArray(GetParam()) == "directory") ASSERT_TRUE(QDir().mkdir(path));
        else ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
};

TEST_P(UnreadableToDoFileTest, IsToldApartFromAMissingOne) {
    EXPECT_EQ(readToDoList().outcome, platform::ReadStatus::Missing);
    EXPECT_EQ(readToDoNames().outcome, platform::ReadStatus::Missing);
    block(ToDoGridFile);
    block(ToDoNameFile);
    EXPECT_EQ(readToDoList().outcome, platform::ReadStatus::Unreadable);
    EXPECT_EQ(readToDoNames().outcome, platform::ReadStatus::Unreadable);
    // Writing over them fails with a reason; they are still there as they were.
    QString reason;
    EXPECT_FALSE(writeToDoList(ToDoList(), &reason));
    EXPECT_FALSE(reason.isEmpty());
    reason.clear();
    EXPECT_FALSE(writeToDoNames(ToDoNameList(QStringList{"Audit"}), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo(folder.file(ToDoGridFile)).isFile());
}

INSTANTIATE_TEST_SUITE_P(Blockers, UnreadableToDoFileTest, ::testing::Values("directory", "fifo"));

TEST_F(ToDoFilesTest, NamesAreOneQuotedLineEachAndReadBackTrimmed) {
    ASSERT_TRUE(writeToDoNames(ToDoNameList(QStringList{"  Backup tapes", QString::fromLatin1("Audit \xe9t\xe9")})));
    EXPECT_EQ(folder.read(ToDoNameFile), lines({"  Backup tapes", "Audit \xe9t\xe9"}));
    const ToDoNamesLoad back = readToDoNames();
    EXPECT_EQ(back.outcome, platform::ReadStatus::Ok);
    EXPECT_EQ(back.names.names(), (QStringList{"Backup tapes", QStringLiteral("Audit \u00e9t\u00e9")}));

    // The list of one empty entry is one empty QuotedLine.
    ToDoNameList one(QStringList{"Audit"});
    one.remove(QStringLiteral("Audit"));
    ASSERT_TRUE(writeToDoNames(one));
    EXPECT_EQ(folder.read(ToDoNameFile), QByteArray("\"\"\r\n"));
    EXPECT_EQ(readToDoNames().names.names(), (QStringList{""}));
}

TEST_F(ToDoFilesTest, OnlyTheFirstThousandNamesAreRead) {
    QByteArray bytes;
    for (int i = 1; i <= 1001; ++i) bytes += "\"Task " + QByteArray::number(i) + "\"\r\n";
    folder.write(ToDoNameFile, bytes);
    const ToDoNamesLoad load = readToDoNames();
    ASSERT_EQ(load.names.count(), 1000);
    EXPECT_EQ(load.names.names().last(), QStringLiteral("Task 1000"));
}

// A write that fails at any of its steps leaves both files byte for byte as they were, and
// says why.
class ToDoWriteStepFails : public ToDoFilesTest, public ::testing::WithParamInterface<platform::FileStep> {};

TEST_P(ToDoWriteStepFails, TheOldFilesStayAndTheReasonIsTold) {
    ToDoList old;
    old.setRow(1, {"Audit", "Thu - Jan 6, 05", "", ""});
    ASSERT_TRUE(writeToDoList(old));
    ASSERT_TRUE(writeToDoNames(ToDoNameList(QStringList{"Audit"})));
    const QByteArray listBefore = folder.read(ToDoGridFile), namesBefore = folder.read(ToDoNameFile);
    ToDoList changed = old;
    changed.setRow(2, {"Train staff", "", "", ""});
    for (const QString& file : {ToDoGridFile, ToDoNameFile}) {
        testsupport::FaultyDisk disk;
        disk.onlyFor(file).failStep(GetParam());
        QString reason;
        const bool written = file == ToDoGridFile ? writeToDoList(changed, &reason)
                                                  : writeToDoNames(ToDoNameList(QStringList{"Audit", "Train staff"}), &reason);
        EXPECT_FALSE(written) << file.toStdString();
        EXPECT_FALSE(reason.isEmpty());
    }
    EXPECT_EQ(folder.read(ToDoGridFile), listBefore);
    EXPECT_EQ(folder.read(ToDoNameFile), namesBefore);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Steps, ToDoWriteStepFails,
                         ::testing::Values(platform::FileStep::Create, platform::FileStep::Write, platform::FileStep::Sync,
                                           platform::FileStep::Close, platform::FileStep::Rename));

TEST(ToDoFullDiskTest, AFullDiskKeepsTheSavedListAndTheNames) {
    testsupport::SmallTmpfs disk(64 * 1024);
    QUORVANE_REQUIRE_TMPFS(disk);
    disk.makeProgramFolder();
    ToDoList old;
    old.setRow(1, {"Audit", "Thu - Jan 6, 05", "", ""});
    ASSERT_TRUE(writeToDoList(old));
    ASSERT_TRUE(writeToDoNames(ToDoNameList(QStringList{"Audit"})));
    ASSERT_TRUE(disk.fill());
    ToDoList full;
    for (int r = 1; r <= ToDoRowCount; ++r) full.setRow(r, {QStringLiteral("Item %1").arg(r), "Thu - Jan 6, 05", "", ""});
    QString reason;
    EXPECT_FALSE(writeToDoList(full, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(writeToDoNames(ToDoNameList(QStringList{"Audit", "Train staff"})));
    EXPECT_EQ(readToDoList().list, old);
    EXPECT_EQ(readToDoNames().names.names(), (QStringList{"Audit"}));
    disk.unfill();
    EXPECT_TRUE(writeToDoList(full));
    EXPECT_EQ(readToDoList().list, full);
}

}  // namespace
