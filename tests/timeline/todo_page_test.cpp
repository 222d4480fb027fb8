// The to-do page as a person uses it: items entered by typing and from the name list, dated
// on the calendar, saved and back after a restart; the bytes of both files; entering and
// leaving the page; and the faults of the page that are mended: failed and refused saves,
// unreadable files, rows left from a declined save, quotes, the rows Delete and Insert act on,
// the Delete key on other pages, what Enter and the calendar write into, sorting, the spacer
// column and a change made while the page settles.
#include "tests/support/platform/DiskFaults.h"
#include "tests/timeline/ToDoFixture.h"
#include "tests/workbook/BlockedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTimer>
#include <QApplication>

using namespace platform;
using namespace todotest;

namespace {

class ToDoPageTest : public ToDoTest {};

// ---- a new user's list ---------------------------------------------------------------------

TEST_F(ToDoPageTest, FiveItemsWithCalendarDatesComeBackAfterARestartAndTheFileHoldsTheRows) {
    {
        WorkArea1& w = openTimeline();
        // Three typed: two added with the button, one placed by a click into its cell.
        typeName(w, QStringLiteral("Backup tapes"));
        press(w.SSCommand19[2]);
        typeName(w, QStringLiteral("Review access logs"));
        press(w.SSCommand19[2]);
        typeName(w, QStringLiteral("Train staff"));
        clickCell(w, 3, 1);
        EXPECT_EQ(w.Combo2.listCount(), 3);
        // Two picked from the name list.
        ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Backup tapes")));
        EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup tapes"));
        press(w.SSCommand19[2]);
        ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Train staff")));
        clickCell(w, 5, 1);
        EXPECT_EQ(itemColumn(w, 6), (QStringList{"Backup tapes", "Review access logs", "Train staff", "Backup tapes",
                                                 "Train staff", ""}));
        // Dates from the calendar.
        dateCell(w, 1, 2, QDate(2005, 1, 6));
        dateCell(w, 2, 3, QDate(2005, 1, 7));
        dateCell(w, 5, 5, QDate(2005, 2, 7));
        EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Thu - Jan 6, 05"));
        EXPECT_TRUE(saveOffered(w));
        press(w.SSCommand19[5]);
        EXPECT_EQ(w.UnsavedChanges, 0);
        EXPECT_FALSE(saveOffered(w));
        dialogs->answer(QStringLiteral("Exit"), Answer::Yes);
        w.SSCommand4[4].click();
        ASSERT_TRUE(runtime().ended());
    }
    EXPECT_EQ(namesFile(), lines({"Backup tapes", "Review access logs", "Train staff"}));
    startAgain();
    WorkArea1& w = openTimeline();
    EXPECT_EQ(itemColumn(w, 6), (QStringList{"Backup tapes", "Review access logs", "Train staff", "Backup tapes",
                                             "Train staff", ""}));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Thu - Jan 6, 05"));
    EXPECT_EQ(w.VSGd2.textMatrix(2, 3), QStringLiteral("Fri - Jan 7, 05"));
    EXPECT_EQ(w.VSGd2.textMatrix(5, 5), QStringLiteral("Mon - Feb 7, 05"));
    EXPECT_EQ(w.Combo2.listCount(), 3);

    // Row 2 deleted, a row inserted before row 1, saved.
    clickCell(w, 2, 1);
    dialogs->answer(QStringLiteral("Delete Row"), Answer::Yes);
    press(w.SSCommand19[3]);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Delete Row"))[0].text,
              QStringLiteral("Delete Activity and Dates for - \rReview access logs, Review access logs?"));
    clickCell(w, 1, 1);
    w.mOIn.click();
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row(""), row("Backup tapes", "Thu - Jan 6, 05"), row("Train staff"), row("Backup tapes"),
                                  row("Train staff", "", "", "Mon - Feb 7, 05")}));
    EXPECT_EQ(listFile().size(), 10000 + 12 + 15 + 11 + 12 + 11 + 15);
}

TEST_F(ToDoPageTest, EnteringThePageAndLeavingItChangesNoFile) {
    const auto snapshot = [&] {
        QStringList s;
        for (const QFileInfo& f : QDir(folder->path()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
            s << f.fileName() + QLatin1Char(' ') + QString::number(f.size()) + QLatin1Char(' ') +
                     QString::fromLatin1(folder->read(f.fileName()).toHex().left(64));
        return s;
    };
    // A first run: no to-do file is made.
    WorkArea1& w = openHub();
    const QStringList before = snapshot();
    page(w, catalogue::PageTimeline);
    page(w, catalogue::PageOverview);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(folder->exists(timeline::ToDoGridFile));
    // With both files there, they stay as they are.
    startAgain();
    folder->write(timeline::ToDoGridFile, listOf({row("Audit", "Thu - Jan 6, 05")}));
    folder->write(timeline::ToDoNameFile, lines({"Audit"}));
    WorkArea1& again = openHub();
    const QStringList withFiles = snapshot();
    page(again, catalogue::PageTimeline);
    EXPECT_EQ(again.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
    EXPECT_EQ(again.UnsavedChanges, 0);
    EXPECT_FALSE(saveOffered(again));
    press(again.SSCommand19[0]);  // Exit: back to the overview, nothing to ask
    EXPECT_EQ(again.AreaMode, catalogue::PageOverview);
    EXPECT_EQ(snapshot(), withFiles);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(ToDoPageTest, SavingAnUntouchedListWritesNothingAndAClearedListIsTenThousandBytes) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit")}));
    WorkArea1& w = openTimeline();
    EXPECT_TRUE(w.ToDo.SaveToDoGrid());
    EXPECT_EQ(listFile(), listOf({row("Audit")}));
    dialogs->answer(QStringLiteral("Clear Grid"), Answer::Yes);
    press(w.SSCommand19[6]);
    EXPECT_TRUE(saveOffered(w));
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), emptyRows(500));
    EXPECT_EQ(listFile().size(), 10000);
    EXPECT_FALSE(saveOffered(w));
}

// ---- saves that fail or are refused ----------------------------------------------------------

TEST_F(ToDoPageTest, AFailedSaveSaysSoKeepsTheFileAndLeavesTheChangesToSave) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit")}));
    WorkArea1& w = openTimeline();
    typeName(w, QStringLiteral("Train staff"));
    press(w.SSCommand19[2]);
    for (FileStep step : {FileStep::Write, FileStep::Sync, FileStep::Rename}) {
        testsupport::FaultyDisk disk;
        disk.onlyFor(timeline::ToDoGridFile).failStep(step, 1, ENOSPC);
        dialogs->answer(QStringLiteral("Save Command"), Answer::OK);
        press(w.SSCommand19[5]);
        const auto boxes = dialogs->shownWithTitle(QStringLiteral("Save Command"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Unable to save TODOActv.FIL.\r")));
        EXPECT_TRUE(boxes[0].text.endsWith(QStringLiteral("Your to-do list is still on screen and has not been saved.")));
        EXPECT_EQ(w.UnsavedChanges, 1);
        EXPECT_TRUE(saveOffered(w));
        EXPECT_EQ(listFile(), listOf({row("Audit")}));
        dialogs->clearShown();
    }
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("Audit"), row("Train staff")}));
}

TEST_F(ToDoPageTest, AFullDiskKeepsTheSavedListAndSaysSo) {
    testsupport::SmallTmpfs disk(64 * 1024);
    QUORVANE_REQUIRE_TMPFS(disk);
    disk.makeProgramFolder();
    ASSERT_TRUE(timeline::writeToDoList(timeline::ToDoList()));
    const QByteArray saved = emptyRows(500);
    WorkArea1& w = openTimeline();
    typeName(w, QStringLiteral("Shred paper"));  // the name file is written now, while there is room
    press(w.SSCommand19[2]);
    ASSERT_TRUE(disk.fill());
    dialogs->answer(QStringLiteral("Save Command"), Answer::OK);
    press(w.SSCommand19[5]);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Command")).size(), 1u);
    QFile f(disk.file(timeline::ToDoGridFile));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), saved);
    EXPECT_EQ(w.UnsavedChanges, 1);
    disk.unfill();
    press(w.SSCommand19[5]);
    EXPECT_EQ(w.UnsavedChanges, 0);
}

class UnreadableFileOnThePageTest : public ToDoTest, public ::testing::WithParamInterface<hubtest::BlockedCase> {
protected:
    QTemporaryDir outside;
};

TEST_P(UnreadableFileOnThePageTest, IsReportedAndReplacedOnlyAfterAConfirmedQuestion) {
    hubtest::blockFile(folder->file(timeline::ToDoGridFile), GetParam().blocker, outside);
    WorkArea1& w = openHub();
    dialogs->answer(QStringLiteral("Open Document"), Answer::OK);
    page(w, catalogue::PageTimeline);
    const auto warned = dialogs->shownWithTitle(QStringLiteral("Open Document"));
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].text, QStringLiteral("The file TODOActv.FIL exists but could not be read.\rIt has been left as "
                                             "it is.\r\rIf you save here, the list on screen will replace it."));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString());
    typeName(w, QStringLiteral("Audit"));
    press(w.SSCommand19[2]);
    // No keeps the file and the changes.
    dialogs->answer(QStringLiteral("Save Command"), Answer::No);
    press(w.SSCommand19[5]);
    const auto asked = dialogs->shownWithTitle(QStringLiteral("Save Command"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("The file TODOActv.FIL could not be read when the page was opened.\rSaving "
                                            "replaces what it holds with the list on screen.\r\rReplace it?"));
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
    EXPECT_FALSE(QFileInfo(folder->file(timeline::ToDoGridFile)).isFile() &&
                 GetParam().blocker != hubtest::Blocker::LinkOutOfFolder);
    // Yes tries; what is in the file's place cannot be written over, and the user is told.
    dialogs->answer(QStringLiteral("Save Command"), Answer::Yes);
    dialogs->answer(QStringLiteral("Save Command"), Answer::OK);
    press(w.SSCommand19[5]);
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Save Command")).back().text.startsWith(
        QStringLiteral("Unable to save TODOActv.FIL.")));
    EXPECT_EQ(w.UnsavedChanges, 1);
}

TEST_P(UnreadableFileOnThePageTest, AnUnreadableNameFileIsReportedAndNotReplacedUnasked) {
    hubtest::blockFile(folder->file(timeline::ToDoNameFile), GetParam().blocker, outside);
    WorkArea1& w = openHub();
    dialogs->answer(QStringLiteral("Open Document"), Answer::OK);
    page(w, catalogue::PageTimeline);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Open Document"))[0].text,
              QStringLiteral("The file TODONAME.FIL exists but could not be read.\rIt has been left as it is.\r\rIf you "
                             "add or delete an item name, the names in the list will replace it."));
    dialogs->answer(QStringLiteral("Save Command"), Answer::No);
    typeName(w, QStringLiteral("Audit"));
    press(w.SSCommand19[2]);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Command")).size(), 1u);
    // The item is in the grid and the name in the list on screen; the file is left alone.
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
    EXPECT_EQ(w.Combo2.list(0), QStringLiteral("Audit"));
    EXPECT_FALSE(QFileInfo(folder->file(timeline::ToDoNameFile)).isFile() &&
                 GetParam().blocker != hubtest::Blocker::LinkOutOfFolder);
}

INSTANTIATE_TEST_SUITE_P(Blockers, UnreadableFileOnThePageTest, hubtest::BlockedCases,
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToDoPageTest, ItemsNotSavedDoNotComeBackWhenThereIsNoFile) {
    WorkArea1& w = openTimeline();
    typeName(w, QStringLiteral("Audit"));
    press(w.SSCommand19[2]);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    page(w, catalogue::PageOverview);
    page(w, catalogue::PageTimeline);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString());
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(folder->exists(timeline::ToDoGridFile));
    // A shorter file than the grid also leaves no row of the earlier visit behind.
    typeName(w, QStringLiteral("Audit"));
    press(w.SSCommand19[2]);
    typeName(w, QStringLiteral("Train staff"));
    press(w.SSCommand19[2]);
    folder->write(timeline::ToDoGridFile, row("Shred paper"));
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    page(w, catalogue::PageOverview);
    page(w, catalogue::PageTimeline);
    EXPECT_EQ(itemColumn(w, 3), (QStringList{"Shred paper", "", ""}));
}

// ---- the name list ---------------------------------------------------------------------------

TEST_F(ToDoPageTest, TheNameFileIsRewrittenWholeAndTheThousandAndFirstNameIsRefused) {
    QByteArray many;
    for (int i = 1; i <= 1000; ++i) many += "\"Task " + QByteArray::number(i) + "\"\r\n";
    folder->write(timeline::ToDoNameFile, many);
    WorkArea1& w = openTimeline();
    EXPECT_EQ(w.Combo2.listCount(), 1000);
    dialogs->answer(QStringLiteral("Item List"), Answer::OK);
    typeName(w, QStringLiteral("One more"));
    press(w.SSCommand19[2]);
    const auto refused = dialogs->shownWithTitle(QStringLiteral("Item List"));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, QStringLiteral("The list of item names is full: it holds 1000 names.\rThis name has not "
                                              "been added to it.\r\rNames you no longer need can be removed with "
                                              "Delete Item fm File."));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("One more"));  // the item itself is in the grid
    EXPECT_EQ(namesFile(), many);
    // A name taken out makes room.
    ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Task 1")));
    press(w.SSCommand19[1]);
    EXPECT_EQ(w.Combo2.listCount(), 999);
    typeName(w, QStringLiteral("One more"));
    press(w.SSCommand19[2]);
    EXPECT_EQ(namesFile(), many.mid(many.indexOf("\"Task 2\"")) + "\"One more\"\r\n");
}

TEST_F(ToDoPageTest, DeletingTheOnlyNameLeavesOneEmptyEntryThatTheNextNameTakes) {
    folder->write(timeline::ToDoNameFile, lines({"Audit"}));
    WorkArea1& w = openTimeline();
    ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Audit")));
    EXPECT_EQ(w.Text1[0].backColor(), 0xC0FFFFu);
    EXPECT_TRUE(w.SSCommand19[1].enabled());
    EXPECT_TRUE(w.SSCommand19[2].enabled());
    press(w.SSCommand19[1]);
    EXPECT_EQ(namesFile(), QByteArray("\"\"\r\n"));
    EXPECT_EQ(w.Combo2.listCount(), 1);
    EXPECT_TRUE(w.Text1[0].text().isEmpty());
    typeName(w, QStringLiteral("Train staff"));
    press(w.SSCommand19[2]);
    EXPECT_EQ(namesFile(), lines({"Train staff"}));
    EXPECT_EQ(w.Combo2.listCount(), 1);
}

TEST_F(ToDoPageTest, ANameTypedIntoAnItemCellJoinsTheListAndLeadingBlanksMakeANameOfItsOwn) {
    folder->write(timeline::ToDoNameFile, lines({"Audit"}));
    WorkArea1& w = openTimeline();
    clickCell(w, 1, 1);
    typeKeys(w, QStringLiteral("audit  "));  // the same name: case and trailing blanks do not count
    key(w, Key::Return, 13);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("audit  "));
    EXPECT_EQ(w.ToDo.CellEditMode(), 0);
    EXPECT_EQ(namesFile(), lines({"Audit"}));
    EXPECT_EQ(w.UnsavedChanges, 1);
    // Enter in the entry box puts two blanks before the name (the entry box's name is in the
    // list already).
    clickCell(w, 2, 1);
    w.Text1[0].setFocus();
    typeKeys(w, QStringLiteral("Audit"));
    key(w, Key::Return, 13);
    EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QStringLiteral("  Audit"));
    EXPECT_EQ(namesFile(), lines({"Audit"}));
    // Typed into a cell and committed there, the name with its blanks differs and joins the
    // list (the entry box emptied first: a name already listed stays in it after Enter).
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Audit"));
    w.Text1[0].setText(QString());
    clickCell(w, 3, 1);
    typeKeys(w, QStringLiteral("  Audit"));
    key(w, Key::Return, 13);
    EXPECT_EQ(namesFile(), lines({"Audit", "  Audit"}));
    press(w.SSCommand19[5]);
    EXPECT_TRUE(listFile().startsWith(row("audit  ") + row("  Audit") + row("  Audit")));
}

TEST_F(ToDoPageTest, TypeAheadShowsTheFirstNameBeginningWithTheLettersTyped) {
    folder->write(timeline::ToDoNameFile, lines({"Backup tapes", "Audit logs", "Audit trail"}));
    WorkArea1& w = openTimeline();
    typeName(w, QStringLiteral("au"));
    EXPECT_EQ(w.Combo2.text(), QStringLiteral("Audit logs"));
    typeName(w, QStringLiteral("dit t"));
    EXPECT_EQ(w.Combo2.text(), QStringLiteral("Audit trail"));
    w.Text1[0].setText(QString());
    typeName(w, QStringLiteral("BA"));
    EXPECT_EQ(w.Combo2.text(), QStringLiteral("Backup tapes"));
}

// ---- double quotes ---------------------------------------------------------------------------

TEST_F(ToDoPageTest, ADoubleQuoteIsRefusedWhereverItIsTyped) {
    WorkArea1& w = openTimeline();
    typeName(w, QStringLiteral("Back\"up"));
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup"));
    w.Text1[0].setSelStart(2);
    typeKeys(w, QStringLiteral("\""));
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup"));
    // Pasted in, it goes too.
    w.Text1[0].setSelStart(6);
    w.Text1[0].type(QStringLiteral(" \"tapes\""));
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup tapes"));
    press(w.SSCommand19[2]);
    // In a cell being edited, and in the name list's box.
    clickCell(w, 2, 1);
    typeKeys(w, QStringLiteral("Say \"no\""));
    key(w, Key::Return, 13);
    EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QStringLiteral("Say no"));
    w.Combo2.setFocus();
    EXPECT_TRUE(w.dispatchKeyEvent(0, 0, '"', false));  // swallowed before the box sees it
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("Backup tapes"), row("Say no")}));
}

// ---- Delete Row and Insert Row ---------------------------------------------------------------

TEST_F(ToDoPageTest, DeleteRowNamesAndRemovesTheSameRowAndWithoutARowAsksNothing) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit"), row("Backup"), row("Train staff"), row("Shred paper")}));
    WorkArea1& w = openTimeline();
    clickCell(w, 2, 1);
    // The keys move the current cell to row 4; the grid's focus marks that row.
    key(w, Key::Down);
    key(w, Key::Down);
    w.Combo2.setFocus();
    w.VSGd2.setFocus();
    EXPECT_EQ(w.ToDo.ToDoMarkedRow, 4);
    dialogs->answer(QStringLiteral("Delete Row"), Answer::Yes);
    w.mODel.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Delete Row"))[0].text,
              QStringLiteral("Delete Activity and Dates for - \rShred paper, Shred paper?"));
    EXPECT_EQ(itemColumn(w, 4), (QStringList{"Audit", "Backup", "Train staff", ""}));
    EXPECT_EQ(w.VSGd2.rows(), 501);
    // No row is marked after the command: Delete is offered again only once a row is clicked,
    // and Insert Row inserts nothing.
    EXPECT_FALSE(w.mODel.enabled());
    EXPECT_FALSE(w.SSCommand19[3].enabled());
    dialogs->clearShown();
    w.mOIn.click();
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(itemColumn(w, 4), (QStringList{"Audit", "Backup", "Train staff", ""}));
}

TEST_F(ToDoPageTest, DeleteRowRightAfterThePageOpensAsksAboutTheFirstRowAndRemovesIt) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit", "Thu - Jan 6, 05"), row("Backup")}));
    WorkArea1& w = openTimeline();
    // Options > "Delete Item from Grid" before any row was clicked acts on row 1, painted red
    // while it is asked about.
    ASSERT_TRUE(w.mODel.enabled());
    Color during = 0;
    dialogs->whileShown = [&](const testsupport::ShownBox&) { during = w.VSGd2.cellBackColor(1, 3); };
    dialogs->answer(QStringLiteral("Delete Row"), Answer::Yes);
    w.mODel.click();
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Delete Row")).size(), 1u);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Delete Row"))[0].text,
              QStringLiteral("Delete Activity and Dates for - \rAudit, Audit?"));
    EXPECT_EQ(during, Color(255));
    EXPECT_EQ(itemColumn(w, 2), (QStringList{"Backup", ""}));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QString());
    EXPECT_TRUE(saveOffered(w));
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("Backup")}));
}

TEST_F(ToDoPageTest, DeleteRowAnsweredNoOrCancelKeepsTheRowAndPaintsItBack) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit"), row("")}));
    WorkArea1& w = openTimeline();
    Color during = 0;
    for (int answer : {Answer::No, Answer::Cancel}) {
        clickCell(w, 1, 1);
        dialogs->answer(QStringLiteral("Delete Row"), answer);
        during = 0;
        dialogs->whileShown = [&](const testsupport::ShownBox&) { during = w.VSGd2.cellBackColor(1, 3); };
        press(w.SSCommand19[3]);
        dialogs->whileShown = nullptr;
        EXPECT_EQ(during, 255u);
        EXPECT_EQ(w.VSGd2.cellBackColor(1, 3), w.VSGd2.backColor());
        EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
        EXPECT_EQ(w.UnsavedChanges, 0);
    }
    // A row without an item is asked about plainly.
    clickCell(w, 2, 1);
    dialogs->answer(QStringLiteral("Delete Row"), Answer::No);
    press(w.SSCommand19[3]);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Delete Row")).back().text, QStringLiteral("Delete This Row?"));
}

TEST_F(ToDoPageTest, InsertRowAsksBeforeDroppingAFilledLastRow) {
    QList<QByteArray> rows;
    for (int i = 1; i <= 500; ++i) rows << row("Item " + QByteArray::number(i), i == 500 ? "Thu - Jan 6, 05" : "");
    folder->write(timeline::ToDoGridFile, listOf(rows));
    WorkArea1& w = openTimeline();
    clickCell(w, 1, 1);
    dialogs->answer(QStringLiteral("Insert Row"), Answer::No);
    w.mOIn.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Insert Row"))[0].text,
              QStringLiteral("Inserting a row drops the last row of the list:\rItem 500\r\rInsert the row?"));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Item 1"));
    EXPECT_EQ(w.VSGd2.textMatrix(500, 1), QStringLiteral("Item 500"));
    clickCell(w, 1, 1);
    dialogs->answer(QStringLiteral("Insert Row"), Answer::Yes);
    w.mOIn.click();
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString());
    EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QStringLiteral("Item 1"));
    EXPECT_EQ(w.VSGd2.textMatrix(500, 1), QStringLiteral("Item 499"));
    EXPECT_EQ(w.VSGd2.textMatrix(500, 2), QString());
    EXPECT_EQ(w.VSGd2.rows(), 501);
    // Inserting does not mark the list changed: the row that dropped out is still in the file.
    EXPECT_EQ(w.UnsavedChanges, 0);
}

// ---- keys, Enter and the calendar write only where they belong ---------------------------------

TEST_F(ToDoPageTest, TheDeleteKeyEmptiesACellOnlyOnTheTimelinePage) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit", "Thu - Jan 6, 05")}));
    WorkArea1& w = openTimeline();
    clickCell(w, 1, 2);  // editing by keyboard, the date cell clicked
    page(w, catalogue::PageAdministrative);
    key(w, Key::Delete);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Thu - Jan 6, 05"));
    page(w, catalogue::PageTimeline);
    clickCell(w, 1, 2);
    key(w, Key::Delete);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QString());
    EXPECT_EQ(w.VSGd2.col(), 1);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
    EXPECT_EQ(w.ToDo.CellEditMode(), 0);
    EXPECT_FALSE(w.MonthView1.visible());
    // Inside a cell's editor Delete takes out a character.
    clickCell(w, 1, 1);
    w.VSGd2.editCell();
    key(w, Key::Home);
    key(w, Key::Delete);
    key(w, Key::Return, 13);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("udit"));
}

TEST_F(ToDoPageTest, EnterAndTheCalendarWriteOnlyIntoTheirOwnColumns) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit", "Thu - Jan 6, 05")}));
    folder->write(timeline::ToDoNameFile, lines({"Backup"}));
    WorkArea1& w = openTimeline();
    // A date cell clicked, then a name typed into the entry box and Enter: the date stays.
    clickCell(w, 1, 2);
    w.Text1[0].setFocus();
    typeKeys(w, QStringLiteral("Backup"));
    key(w, Key::Return, 13);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Thu - Jan 6, 05"));
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup"));
    // A date chosen (the box's name goes, the calendar stays open), then a name picked from
    // the list and placed into an item cell: the calendar closes, so that its next date
    // cannot land in the item.
    dateCell(w, 1, 3, QDate(2005, 1, 7));
    ASSERT_TRUE(w.MonthView1.visible());
    ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Backup")));
    clickCell(w, 2, 1);
    EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QStringLiteral("Backup"));
    EXPECT_FALSE(w.MonthView1.visible());
    EXPECT_EQ(w.VSGd2.textMatrix(1, 3), QStringLiteral("Fri - Jan 7, 05"));
    // A pick from the list while a date cell is being edited waits in the entry box.
    clickCell(w, 1, 5);
    ASSERT_TRUE(w.Combo2.pickText(QStringLiteral("Backup")));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 5), QString());
    EXPECT_EQ(w.Text1[0].text(), QStringLiteral("Backup"));
}

TEST_F(ToDoPageTest, TheSpacerColumnTakesNoTypingAndIsSavedEmpty) {
    folder->write(timeline::ToDoGridFile, lines({"Audit", "", "", "typed long ago", ""}) + emptyRows(499));
    WorkArea1& w = openTimeline();
    EXPECT_EQ(w.VSGd2.textMatrix(1, 4), QString());
    // From the actual date the arrow key moves into the spacer; typing there edits nothing.
    clickCell(w, 1, 3);
    w.VSGd2.setFocus();
    key(w, Key::Right);
    ASSERT_EQ(w.VSGd2.col(), 4);
    typeKeys(w, QStringLiteral("note"));
    EXPECT_FALSE(w.VSGd2.isEditing());
    EXPECT_EQ(w.VSGd2.textMatrix(1, 4), QString());
    typeName(w, QStringLiteral("Train staff"));
    press(w.SSCommand19[2]);
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("Audit"), row("Train staff")}));
}

// ---- sorting -----------------------------------------------------------------------------------

TEST_F(ToDoPageTest, EverySortThatChangesTheOrderCompactsTheListAndMarksItChanged) {
    folder->write(timeline::ToDoGridFile,
                  listOf({row("pear", "Mon - Feb 7, 05"), row(""), row("apple", "Thu - Jan 6, 05"), row("", "Fri - Jan 7, 05"),
                          row("fig")}));
    WorkArea1& w = openTimeline();
    // Ascending by the item column.
    clickCell(w, 0, 1);
    EXPECT_EQ(itemColumn(w, 5), (QStringList{"apple", "fig", "pear", "", ""}));
    EXPECT_EQ(w.VSGd2.textMatrix(3, 2), QStringLiteral("Mon - Feb 7, 05"));  // rows move whole
    EXPECT_EQ(w.VSGd2.rows(), 501);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
    press(w.SSCommand19[5]);
    // Descending by the item column changes the order: marked.
    clickCell(w, 0, 1);
    EXPECT_EQ(itemColumn(w, 4), (QStringList{"pear", "fig", "apple", ""}));
    EXPECT_EQ(w.UnsavedChanges, 1);
    press(w.SSCommand19[5]);
    // By a date column (in the order of the dates the cells read as, an empty cell last), the
    // rows with an item stay together at the top.
    clickCell(w, 0, 2);
    EXPECT_EQ(itemColumn(w, 4), (QStringList{"apple", "pear", "fig", ""}));
    EXPECT_EQ(w.UnsavedChanges, 1);
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("apple", "Thu - Jan 6, 05"), row("pear", "Mon - Feb 7, 05"), row("fig")}));
    // A sort that leaves the order as it was is no change.
    clickCell(w, 0, 3);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(saveOffered(w));
}

// A date column sorts by the date each cell reads as: the text after its first hyphen (the
// calendar writes the weekday before it), with two-digit years around the clock's year (2005
// here, so 26 and 27 are 2026 and 2027). Text that reads as no date comes after the dates,
// empty cells after that, and rows without an item last of all, as the compaction keeps them.
struct DateSortCase {
    const char* name;
    int column;  // 2 To Do Date, 3 Actual Date, 5 Next Review Date
    int clicks;  // on the column's heading: 1 ascending, 2 descending
    std::vector<std::pair<QByteArray, QByteArray>> rows;  // item, the column's text
    QStringList items;                                   // the item column afterwards
};

class ToDoDateSortTest : public ToDoTest, public ::testing::WithParamInterface<DateSortCase> {
public:
    // A press and release of the left button on the column's heading, as the mouse makes them.
    static void clickHeading(WorkArea1& w, int col) {
        QHeaderView* h = w.VSGd2.table()->horizontalHeader();
        const int section = col - 1;  // the lead column is the grid's fixed column
        const QPointF at(h->sectionViewportPosition(section) + h->sectionSize(section) / 2.0, h->height() / 2.0);
        QWidget* vp = h->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, at, vp->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, vp->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QApplication::sendEvent(vp, &release);
    }
};

TEST_P(ToDoDateSortTest, PutsTheRowsInTheOrderOfTheirDates) {
    const DateSortCase& c = GetParam();
    QList<QByteArray> rows;
    for (const auto& [item, date] : c.rows)
        rows << row(item, c.column == 2 ? date : QByteArray(), c.column == 3 ? date : QByteArray(),
                    c.column == 5 ? date : QByteArray());
    folder->write(timeline::ToDoGridFile, listOf(rows));
    WorkArea1& w = openTimeline();
    for (int i = 0; i < c.clicks; ++i) clickHeading(w, c.column);
    EXPECT_EQ(itemColumn(w, int(c.items.size())), c.items);
    EXPECT_EQ(w.VSGd2.rows(), 501);
    // Each row moved whole: its date still stands beside its item.
    for (int r = 1; r <= int(c.items.size()); ++r)
        for (const auto& [item, date] : c.rows)
            if (!c.items[r - 1].isEmpty() && item == c.items[r - 1].toUtf8())
                EXPECT_EQ(w.VSGd2.textMatrix(r, c.column), QString::fromUtf8(date)) << item.constData();
    press(w.SSCommand19[5]);
    EXPECT_EQ(timeline::readToDoList().list, w.ToDo.GridList());
}

INSTANTIATE_TEST_SUITE_P(
    DateColumns, ToDoDateSortTest,
    ::testing::Values(
        DateSortCase{"CalendarDatesByDateNotByTheirText", 2, 1,
                     {{"Fri 19", "Fri - Feb 19, 27"}, {"Mon", "Mon - Mar 1, 27"}, {"Fri 5", "Fri - Feb 5, 27"},
                      {"Sat", "Sat - Dec 26, 26"}, {"Tue", "Tue - Feb 9, 27"}},
                     {"Sat", "Fri 5", "Tue", "Fri 19", "Mon", ""}},
        DateSortCase{"TypedDatesAmongThemTextAfterThemEmptyCellsLast", 3, 1,
                     {{"soon", "ASAP"}, {"none", ""}, {"b", "Thu - Jan 6, 05"}, {"a", "1/5/05"}, {"c", "later"},
                      {"d", "Jan 4, 05"}},
                     {"d", "a", "b", "soon", "c", "none", ""}},
        DateSortCase{"RowsWithoutAnItemLast", 5, 1,
                     {{"x", "Fri - Jan 7, 05"}, {"", "Mon - Jan 3, 05"}, {"", ""}, {"y", "Wed - Jan 5, 05"}},
                     {"y", "x", "", ""}},
        DateSortCase{"DescendingNewestFirstThenTextThenEmpty", 2, 2,
                     {{"Fri 19", "Fri - Feb 19, 27"}, {"none", ""}, {"Fri 5", "Fri - Feb 5, 27"}, {"soon", "ASAP"},
                      {"Sat", "Sat - Dec 26, 26"}},
                     {"Fri 19", "Fri 5", "Sat", "soon", "none", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the page switch's yield ---------------------------------------------------------------------

TEST_F(ToDoPageTest, AChangeMadeWhileThePageSettlesStaysMarkedUnsaved) {
    WorkArea1& w = openHub();
    // A person adds an item in the moment after the list is on screen, while the page switch
    // still lets pending events run.
    bool done = false;
    std::function<void()> act = [&] {
        if (done) return;
        if (w.AreaMode == catalogue::PageTimeline && w.VSGd2.textMatrix(0, 1) == QLatin1String("To Do Item") &&
            !w.SSCommand19[5].enabled()) {
            done = true;
            w.Text1[0].setText(QStringLiteral("Audit"));
            w.SSCommand19[2].click();
            return;
        }
        QTimer::singleShot(0, qApp, act);
    };
    QTimer::singleShot(0, qApp, act);
    page(w, catalogue::PageTimeline);
    ASSERT_TRUE(done);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
}

// ---- scroll tips and the page's controls ---------------------------------------------------------

TEST_F(ToDoPageTest, TheScrollTipNamesTheRowAndItsItem) {
    QList<QByteArray> rows;
    for (int i = 1; i <= 120; ++i) rows << row("Item " + QByteArray::number(i));
    folder->write(timeline::ToDoGridFile, listOf(rows));
    WorkArea1& w = openTimeline();
    w.VSGd2.dragScrollBox(120);
    EXPECT_EQ(w.VSGd2.shownScrollTip(), QStringLiteral(" Row 120: Item 120 "));
}

TEST_F(ToDoPageTest, TheWindowKeepsThePagesControlsUnderTheirNames) {
    WorkArea1& w = openTimeline();
    EXPECT_EQ(&w.VSGd2, &w.ToDo.VSGd2);
    EXPECT_EQ(&w.MonthView1, &w.ToDo.MonthView1);
    EXPECT_EQ(w.VSGd2.name(), QStringLiteral("VSGd2"));
    EXPECT_EQ(w.SSCommand19.count(), 7);
    const QStringList captions = {"E&xit", "&Delete Item fm File", "&Add to To Do Grid", "&Delete Item from Grid",
                                  "&Print", "&Save", "&Clear Grid"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(w.SSCommand19[i].caption(), captions[i]) << i;
    EXPECT_EQ(w.SSCommand20.caption(), QStringLiteral("Spell Chec&k"));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.Panel3D2[i].backColor(), w.Label2.backColor()) << i;
    EXPECT_EQ(w.Text1[0].backColor(), w.Text2.backColor());
    EXPECT_EQ(w.VSGd2.rows(), 501);
    const QStringList headings = {"", "To Do Item", "To Do Date", "Actual Date", "", "Next Review Date"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(w.VSGd2.textMatrix(0, c), headings[c]) << c;
    for (int c = 2; c <= 5; ++c) EXPECT_EQ(w.VSGd2.colAlignment(c), GridAlign::CenterCenter) << c;
    EXPECT_EQ(w.VSGd2.fixedAlignment(1), GridAlign::CenterCenter);
    EXPECT_EQ(w.VSGd2.colEditMask(1).size(), 45);
    // What a screen reader announces.
    for (Control* c : std::initializer_list<Control*>{&w.VSGd2, &w.Text1[0], &w.Combo2, &w.MonthView1, &w.SSCommand19[4]})
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->name().toStdString();
}

// The right button over the page's controls pops up the window's Options menu; over the frame
// it pops up as the button goes down.
TEST_F(ToDoPageTest, TheRightButtonOverThePagePopsUpTheOptionsMenu) {
    WorkArea1& w = openTimeline();
    for (Control* c : std::initializer_list<Control*>{&w.VSGd2, &w.Panel3D1, &w.MonthView1, &w.SSCommand20,
                                                      &w.SSCommand19[3], &w.Panel3D2[1]}) {
        c->raiseMouseUp(Mouse::Left, 0, 0, 0);
        c->raiseMouseUp(Mouse::Right, 0, 0, 0);
    }
    w.Frame3.raiseMouseUp(Mouse::Right, 0, 0, 0);
    w.Frame3.raiseMouseDown(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups(), std::vector<QString>(7, QStringLiteral("mO")));
}

TEST_F(ToDoPageTest, ClearGridAnsweredNoCancelOrEscapeLeavesTheList) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit")}));
    WorkArea1& w = openTimeline();
    for (int answer : {Answer::No, Answer::Cancel}) {
        dialogs->answer(QStringLiteral("Clear Grid"), answer);
        press(w.SSCommand19[6]);
        EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
        EXPECT_EQ(w.UnsavedChanges, 0);
    }
    const auto asked = dialogs->shownWithTitle(QStringLiteral("Clear Grid"));
    EXPECT_EQ(asked[0].text, QStringLiteral("Do you really want To Clear the Grid?"));
    EXPECT_EQ(asked[0].flags, Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2);
    dialogs->answer(QStringLiteral("Clear Grid"), Answer::Yes);
    w.mOCl.click();
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString());
    EXPECT_EQ(w.VSGd2.rows(), 501);
    EXPECT_EQ(w.UnsavedChanges, 1);
}


// A to-do file far larger than the program ever writes is not read at all (the page opens at
// once, without holding it in memory), is named in the message, and is left as it is.
struct OversizedCase {
    const char* name;
    const char* file;
    qint64 limitKb;
    const char* consequence;
};

class OversizedFileOnThePageTest : public ToDoTest, public ::testing::WithParamInterface<OversizedCase> {};

TEST_P(OversizedFileOnThePageTest, IsNotReadAndIsNamed) {
    const OversizedCase& c = GetParam();
    const QString path = folder->file(QString::fromLatin1(c.file));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Audit\"\r\n");
        ASSERT_TRUE(f.resize(qint64(1) << 30));  // 1 GB, sparse: no disk taken
    }
    WorkArea1& w = openHub();
    dialogs->answer(QStringLiteral("Open Document"), Answer::OK);
    page(w, catalogue::PageTimeline);
    const auto warned = dialogs->shownWithTitle(QStringLiteral("Open Document"));
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].text, QStringLiteral("The file %1 is larger than %2 KB, more than it ever holds, so it has not been "
                                             "read.\rIt has been left as it is.\r\r%3")
                                  .arg(QString::fromLatin1(c.file))
                                  .arg(c.limitKb)
                                  .arg(QString::fromLatin1(c.consequence)));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString());
    EXPECT_EQ(QFileInfo(path).size(), qint64(1) << 30);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OversizedFileOnThePageTest,
    ::testing::Values(OversizedCase{"ToDoList", "TODOActv.FIL", 2048, "If you save here, the list on screen will replace it."},
                      OversizedCase{"ItemNames", "TODONAME.FIL", 256,
                                    "If you add or delete an item name, the names in the list will replace it."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
