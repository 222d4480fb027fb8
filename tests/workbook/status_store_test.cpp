// The status store: its records of Stat1.Fil without a window, and a choice in the status box
// that writes its record at once.
#include "HubFixture.h"
#include "workbook/StatusStore.h"

using namespace platform;
using hubtest::statusRecord;
using workbook::StatusStore;

namespace {

// ---- the store alone ---------------------------------------------------------------------------

class StatusStoreFileTest : public testsupport::ProgramTest {};

TEST_F(StatusStoreFileTest, AWrittenRecordReadsBackAndLeavesTheOthersAlone) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{4, "Pending"}, {50, "Yes"}}));
    ASSERT_TRUE(StatusStore::write(5, QStringLiteral("Review")));
    const QByteArray file = folder->read(QStringLiteral("Stat1.Fil"));
    EXPECT_EQ(file.mid(80, 20), statusRecord("Review"));
    EXPECT_EQ(file.mid(60, 20), statusRecord("Pending"));
    StatusStore::Statuses statuses;
    statuses.fill(QStringLiteral("stale"));
    StatusStore::read(statuses, 1, 68);
    EXPECT_EQ(statuses[4], QStringLiteral("Pending"));
    EXPECT_EQ(statuses[5], QStringLiteral("Review"));
    EXPECT_EQ(statuses[50], QStringLiteral("Yes"));
    EXPECT_TRUE(statuses[1].isEmpty());
    EXPECT_TRUE(statuses[68].isEmpty());
    EXPECT_EQ(statuses[0], QStringLiteral("stale"));  // outside the range asked for
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(StatusStoreFileTest, AFailedWriteSaysSoAndShowsNothing) {
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("Stat1.Fil")));
    EXPECT_FALSE(StatusStore::write(1, QStringLiteral("Completed")));
    StatusStore::Statuses statuses;
    statuses[1] = QStringLiteral("stale");
    StatusStore::read(statuses, 1, 1);
    EXPECT_TRUE(statuses[1].isEmpty());
    EXPECT_TRUE(dialogs->shown().empty());
}

struct RecordCase {
    int page;
    int entry;
    int record;
};

class StatusRecordForTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(StatusRecordForTest, EachPageWritesItsOwnRecordOrNone) {
    EXPECT_EQ(StatusStore::recordFor(GetParam().page, GetParam().entry), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(Pages, StatusRecordForTest,
                         ::testing::Values(RecordCase{2, 4, 5}, RecordCase{3, 0, 24}, RecordCase{6, 1, 47},
                                           RecordCase{7, 0, 48}, RecordCase{7, 20, 68},
                                           RecordCase{7, 21, catalogue::NoNumber},
                                           RecordCase{2, 23, catalogue::NoNumber},
                                           RecordCase{0, 0, catalogue::NoNumber},
                                           RecordCase{1, 0, catalogue::NoNumber},
                                           RecordCase{8, 0, catalogue::NoNumber},
                                           RecordCase{9, 0, catalogue::NoNumber}));

// ---- the status box ----------------------------------------------------------------------------

struct StatusCase {
    int page;
    int entry;
    const char* item;
    int record;
};

class StatusChoiceTest : public hubtest::HubTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusChoiceTest, WritesTheRecordAtOnceAndMirrorsIt) {
    const StatusCase c = GetParam();
    WorkArea1& w = openHub();
    page(w, c.page);
    if (c.page == 7) {
        w.SpecIndex = c.entry;  // as a worksheet choice leaves it
    } else {
        w.EntryList(c.page)[c.entry].click();
    }
    if (QByteArray(c.item).trimmed() == "Not Implemented")
        dialogs->answer(QStringLiteral("Safeguard Not Being Implemented"), Answer::OK);
    ASSERT_TRUE(w.Combo1.pickText(QString::fromLatin1(c.item)));
    const QByteArray file = folder->read(QStringLiteral("Stat1.Fil"));
    ASSERT_GE(file.size(), c.record * 20);
    EXPECT_EQ(file.mid((c.record - 1) * 20, 20), statusRecord(c.item));
    EXPECT_EQ(w.SpecStatus[std::size_t(c.record)], QString::fromLatin1(c.item));
    EXPECT_TRUE(w.Combo1.locked());
}

INSTANTIATE_TEST_SUITE_P(
    Records, StatusChoiceTest,
    ::testing::Values(StatusCase{2, 4, "Review", 5},        // 06 00 'Review' at byte 80
                      StatusCase{2, 0, "Completed", 1}, StatusCase{2, 22, "Working", 23},
                      StatusCase{3, 0, "Pending", 24}, StatusCase{3, 9, "Working", 33},
                      StatusCase{4, 8, "Not Implemented", 42}, StatusCase{5, 0, "Completed", 43},
                      StatusCase{5, 2, "Review", 45}, StatusCase{6, 1, "Pending", 47},
                      StatusCase{2, 1, " ", 2},              // the blank item stores one blank
                      StatusCase{7, 0, "Yes", 48}, StatusCase{7, 20, "Planned", 68}));

TEST(StatusRecordBytes, ReviewForTheFifthSpecificationIsSixBytesOfTextAtByte80) {
    const QByteArray r = statusRecord("Review");
    EXPECT_EQ(r.left(8), QByteArray("\x06\x00Review", 8));
}

class StatusStoreTest : public hubtest::HubTest {};

TEST_F(StatusStoreTest, NotImplementedIsStoredBeforeTheWarningAndWarnsEveryTime) {
    WorkArea1& w = openHub();
    page(w, 2);
    dialogs->answer(QStringLiteral("Safeguard Not Being Implemented"), Answer::OK);
    dialogs->answer(QStringLiteral("Safeguard Not Being Implemented"), Answer::OK);
    w.Combo1.pickText(QStringLiteral("Not Implemented"));
    w.Combo1.pickText(QStringLiteral("Not Implemented"));
    const auto boxes = dialogs->shownWithTitle(QStringLiteral("Safeguard Not Being Implemented"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("If this safeguard is not being implemented, be sure and\r"
                                            "document in the Action Taken or Comments/Notes\r"
                                            "area why it is not being implemented!"));
    EXPECT_EQ(boxes[0].flags, Msg::Critical | Msg::OKOnly);
    EXPECT_EQ(folder->read(QStringLiteral("Stat1.Fil")).left(20), statusRecord("Not Implemented"));
}

TEST_F(StatusStoreTest, RecoveryPlanAndSamplePagesStoreNothing) {
    WorkArea1& w = openHub();
    for (int p : {8, 9}) {
        answerPageBoxes(p);
        page(w, p);
        w.Combo1.pickText(QStringLiteral("Working"));
    }
    EXPECT_EQ(folder->read(QStringLiteral("Stat1.Fil")).count('W'), 0);
}

TEST_F(StatusStoreTest, AFailedWriteKeepsTheOldStatusAndSaysSo) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{1, "Pending"}}));
    WorkArea1& w = openHub();
    page(w, 2);
    ASSERT_EQ(w.Combo1.text(), QStringLiteral("Pending"));
    // The store cannot be written: a folder stands where the file was.
    QFile::remove(folder->file(QStringLiteral("Stat1.Fil")));
    QDir(folder->path()).mkdir(QStringLiteral("Stat1.Fil"));
    dialogs->answer(QStringLiteral("Status Not Stored"), Answer::OK);
    w.Combo1.pickText(QStringLiteral("Completed"));
    EXPECT_EQ(w.SpecStatus[1], QStringLiteral("Pending"));
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Pending"));
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Status Not Stored")).size(), 1u);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Status Not Stored"))[0].flags, Msg::Critical | Msg::OKOnly);
}

TEST_F(StatusStoreTest, TheBoxStaysReadOnlyAlsoWhenTheListClosesWithoutAPick) {
    WorkArea1& w = openHub();
    page(w, 2);
    EXPECT_TRUE(w.Combo1.locked());
    w.Combo1_DropDown();
    w.Combo1.showDropDown(true);
    w.Combo1.showDropDown(false);
    EXPECT_TRUE(w.Combo1.locked());
}

TEST_F(StatusStoreTest, LoadReadsEveryRecordAndAShortFileLeavesTheRestEmpty) {
    std::vector<std::pair<int, QByteArray>> records;
    for (int n = 1; n <= 10; ++n) records.push_back({n, "Working"});
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile(records, 10));
    WorkArea1& w = openHub();
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(w.SpecStatus[std::size_t(n)], QStringLiteral("Working")) << n;
    for (int n = 11; n <= 70; ++n) EXPECT_TRUE(w.SpecStatus[std::size_t(n)].isEmpty()) << n;
    EXPECT_TRUE(w.SpecStatus[0].isEmpty());
}

TEST_F(StatusStoreTest, APageSwitchRereadsTheSpecificationsButNotTheWorksheets) {
    WorkArea1& w = openHub();
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{5, "Review"}, {50, "Yes"}}));
    page(w, 3);
    EXPECT_EQ(w.SpecStatus[5], QStringLiteral("Review"));
    EXPECT_TRUE(w.SpecStatus[50].isEmpty());
}

TEST_F(StatusStoreTest, ComplianceTermsExplainTheFourTerms) {
    WorkArea1& w = openHub();
    dialogs->answer(QStringLiteral("Compliance Status Terms"), Answer::OK);
    w.SSCommand22_Click();
    const auto boxes = dialogs->shownWithTitle(QStringLiteral("Compliance Status Terms"));
    ASSERT_EQ(boxes.size(), 1u);
    const QStringList lines = boxes[0].text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("Explanation of Compliance Status Terms:"));
    EXPECT_EQ(lines[3], QStringLiteral("         place to bring this risk into reasonable compliance with the rule."));
    EXPECT_EQ(lines[7], QStringLiteral("Partial - Actions, policies and or software tools, etc. have been put in place     "));
    EXPECT_EQ(lines[11], QStringLiteral("                to bring this risk into reasonable compliance with the rule."));
    EXPECT_EQ(boxes[0].flags, Msg::Information | Msg::OKOnly);
}

}  // namespace
