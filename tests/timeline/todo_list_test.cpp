// The to-do list and its item names without a window: the 500 rows, the row commands, the
// compaction after a sort, and how names are compared, added, removed and completed.
#include "timeline/ToDoList.h"
#include "timeline/ToDoNames.h"

#include <gtest/gtest.h>

using namespace timeline;

namespace {

ToDoList fullList() {
    ToDoList list;
    for (int r = 1; r <= ToDoRowCount; ++r)
        list.setRow(r, {QStringLiteral("Item %1").arg(r), QStringLiteral("Thu - Jan 6, 05"), QString(),
                        QStringLiteral("Mon - Feb %1, 05").arg(r % 28 + 1)});
    return list;
}

TEST(ToDoListTest, CellsByGridColumnLeaveTheLeadAndSpacerColumnsEmpty) {
    ToDoList list;
    for (int col = 0; col < ToDoColumnCount; ++col) list.setCell(3, col, QStringLiteral("c%1").arg(col));
    EXPECT_EQ(list.row(3), (ToDoRow{"c1", "c2", "c3", "c5"}));
    EXPECT_EQ(list.cell(3, ColLead), QString());
    EXPECT_EQ(list.cell(3, ColSpacer), QString());
    EXPECT_EQ(list.cell(3, ColNextReview), QStringLiteral("c5"));
    // Outside rows 1..500 nothing is kept and everything reads empty.
    list.setCell(0, ColItem, QStringLiteral("heading"));
    list.setCell(501, ColItem, QStringLiteral("past the end"));
    EXPECT_EQ(list.cell(0, ColItem), QString());
    EXPECT_EQ(list.cell(501, ColItem), QString());
    EXPECT_EQ(ToDoHeadings[ColNextReview], QStringLiteral("Next Review Date"));
    EXPECT_TRUE(ToDoHeadings[ColSpacer].isEmpty());
}

TEST(ToDoListTest, DeletingARowOfAFullListMovesTheRowsBelowUp) {
    ToDoList list = fullList();
    ASSERT_TRUE(list.removeRow(7));
    EXPECT_EQ(list.row(6).item, QStringLiteral("Item 6"));
    EXPECT_EQ(list.row(7).item, QStringLiteral("Item 8"));
    EXPECT_EQ(list.row(499).item, QStringLiteral("Item 500"));
    EXPECT_TRUE(list.row(500).isEmpty());
    EXPECT_FALSE(list.removeRow(0));
    EXPECT_FALSE(list.removeRow(501));
}

TEST(ToDoListTest, InsertingARowGivesBackTheRowThatDropsOutAtTheBottom) {
    ToDoList list = fullList();
    const ToDoRow lost = list.insertRow(1);
    EXPECT_EQ(lost.item, QStringLiteral("Item 500"));
    EXPECT_TRUE(list.row(1).isEmpty());
    EXPECT_EQ(list.row(2).item, QStringLiteral("Item 1"));
    EXPECT_EQ(list.row(500).item, QStringLiteral("Item 499"));
    // With room at the bottom nothing is lost.
    ToDoList some;
    some.setCell(1, ColItem, QStringLiteral("Review policies"));
    EXPECT_TRUE(some.insertRow(1).isEmpty());
    EXPECT_EQ(some.row(2).item, QStringLiteral("Review policies"));
    EXPECT_TRUE(some.insertRow(500).isEmpty());
    EXPECT_TRUE(some.insertRow(501).isEmpty());
    EXPECT_EQ(some.row(2).item, QStringLiteral("Review policies"));
}

TEST(ToDoListTest, CompactionMovesItemsUpInOrderAndTellsWhetherAnythingMoved) {
    ToDoList list;
    list.setRow(2, {"  Backup tapes", "Thu - Jan 6, 05", "", ""});
    list.setRow(4, {"   ", "Fri - Jan 7, 05", "", ""});  // dates without an item go
    list.setRow(9, {"Audit", "", "", "Mon - Mar 7, 05"});
    EXPECT_TRUE(list.compact());
    EXPECT_EQ(list.row(1).item, QStringLiteral("  Backup tapes"));
    EXPECT_EQ(list.row(2), (ToDoRow{"Audit", "", "", "Mon - Mar 7, 05"}));
    for (int r = 3; r <= ToDoRowCount; ++r) ASSERT_TRUE(list.row(r).isEmpty()) << r;
    EXPECT_FALSE(list.compact());
    EXPECT_EQ(list.firstRowWithoutItem(), 3);
    EXPECT_TRUE(list.hasItems());
    EXPECT_EQ(fullList().firstRowWithoutItem(), 0);
    list.clear();
    EXPECT_FALSE(list.hasItems());
    EXPECT_EQ(list, ToDoList());
}

struct ContainsCase {
    const char* text;
    bool found;
};

class NameComparisonTest : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(NameComparisonTest, TrailingBlanksAndLetterCaseDoNotCountLeadingBlanksDo) {
    const ToDoNameList names(QStringList{"Backup tapes", "Review Policies  ", "  Audit"});
    EXPECT_EQ(names.contains(QString::fromLatin1(GetParam().text)), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Texts, NameComparisonTest,
                         ::testing::Values(ContainsCase{"Backup tapes", true}, ContainsCase{"BACKUP TAPES   ", true},
                                           ContainsCase{"review policies", true},
                                           ContainsCase{"  Backup tapes", false},  // from the entry box's Enter
                                           ContainsCase{"Audit", false}, ContainsCase{"  audit", true},
                                           ContainsCase{"", true},  // blanks are never added
                                           ContainsCase{"    ", true}, ContainsCase{"Backup", false}));

TEST(ToDoNamesTest, AddingAppendsUnchangedAndFillsTheOneEmptyEntry) {
    ToDoNameList names;
    EXPECT_EQ(names.add(QStringLiteral("  Backup tapes")), ToDoNameList::AddResult::Added);
    EXPECT_EQ(names.add(QStringLiteral("  backup TAPES ")), ToDoNameList::AddResult::AlreadyThere);
    EXPECT_EQ(names.names(), (QStringList{"  Backup tapes"}));
    // Deleting the only name leaves one empty entry, which the next name takes.
    EXPECT_TRUE(names.remove(QStringLiteral("backup tapes ")));
    EXPECT_EQ(names.names(), (QStringList{""}));
    EXPECT_EQ(names.add(QStringLiteral("Audit")), ToDoNameList::AddResult::Added);
    EXPECT_EQ(names.names(), (QStringList{"Audit"}));
}

TEST(ToDoNamesTest, RemovingTakesOutTheFirstMatchOnly) {
    ToDoNameList names(QStringList{"Audit", "Backup", "audit ", "Train staff"});
    EXPECT_TRUE(names.remove(QStringLiteral("  AUDIT ")));
    EXPECT_EQ(names.names(), (QStringList{"Backup", "audit ", "Train staff"}));
    EXPECT_FALSE(names.remove(QStringLiteral("Shred paper")));
    EXPECT_EQ(names.count(), 3);
}

TEST(ToDoNamesTest, AThousandNamesAreTheMostTheListHolds) {
    QStringList many;
    for (int i = 1; i <= 1001; ++i) many << QStringLiteral("Task %1").arg(i);
    ToDoNameList names(many);
    EXPECT_EQ(names.count(), MaxToDoNames);
    EXPECT_TRUE(names.isFull());
    EXPECT_EQ(names.add(QStringLiteral("One more")), ToDoNameList::AddResult::Full);
    EXPECT_EQ(names.add(QStringLiteral("task 7")), ToDoNameList::AddResult::AlreadyThere);
    EXPECT_EQ(names.count(), MaxToDoNames);
    EXPECT_TRUE(names.remove(QStringLiteral("Task 1")));
    EXPECT_EQ(names.add(QStringLiteral("One more")), ToDoNameList::AddResult::Added);
    EXPECT_EQ(names.names().last(), QStringLiteral("One more"));
}

TEST(ToDoNamesTest, TypeAheadFindsTheFirstNameThatBeginsWithTheTypedLetters) {
    const ToDoNameList names(QStringList{"Backup tapes", "Audit logs", "Audit trail", "backup server"});
    EXPECT_EQ(names.completion(QStringLiteral("ba")), QStringLiteral("Backup tapes"));  // the first name too
    EXPECT_EQ(names.completion(QStringLiteral("  AU")), QStringLiteral("Audit logs"));
    EXPECT_EQ(names.completion(QStringLiteral("audit t")), QStringLiteral("Audit trail"));
    EXPECT_EQ(names.completion(QStringLiteral("backup s")), QStringLiteral("backup server"));
    EXPECT_EQ(names.completion(QStringLiteral("x")), QString());
    EXPECT_EQ(names.completion(QStringLiteral("   ")), QString());
}

}  // namespace
