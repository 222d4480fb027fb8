// Editing the to-do grid: what a click into each kind of cell does with an empty entry box
// and with a name waiting in it (a table of cases), where the calendar opens and what it
// presets, and which handler enables and disables which row command (a table of steps).
#include "tests/timeline/ToDoFixture.h"

using namespace platform;
using namespace todotest;

namespace {

const QDate Today(2005, 1, 6);
const QDate Earlier(2005, 3, 1);  // what the calendar showed before the click

// ---- the click ---------------------------------------------------------------------------------

struct ClickCase {
    const char* name;
    bool nameWaiting;  // "Shred paper" typed into the entry box before the click
    int row, col;
    // What the click leaves.
    int editMode;
    bool calendar;
    QDate calendarValue;  // invalid: not looked at
    const char* item;     // the item of the clicked row afterwards
    bool askedForItem;    // "Please, enter an Item before any dates."
    int currentRow, currentCol;
    int markedRow;
    bool deleteRowEnabled;
    bool unsaved;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class ToDoClickTest : public ToDoTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ToDoClickTest, AClickLeavesTheGridTheEntryBoxAndTheCalendarSo) {
    const ClickCase& c = GetParam();
    // Row 1 and 2 hold items (row 2 with a to-do date), row 3 and below are empty.
    folder->write(timeline::ToDoGridFile,
                  listOf({row("Backup tapes"), row("Audit logs", "Fri - Jan 7, 05"), row("")}));
    WorkArea1& w = openTimeline();
    w.MonthView1.setValue(Earlier);
    if (c.nameWaiting) typeName(w, QStringLiteral("Shred paper"));
    if (c.askedForItem) dialogs->answer(QStringLiteral("Item Grid"), Answer::OK);
    clickCell(w, c.row, c.col);

    EXPECT_EQ(w.ToDo.CellEditMode(), c.editMode);
    EXPECT_EQ(w.MonthView1.visible(), c.calendar);
    if (c.calendarValue.isValid()) EXPECT_EQ(w.MonthView1.value(), c.calendarValue);
    if (c.calendar) {
        // Beside the clicked column, never over it.
        int colLeft = w.Panel3D1.left() + w.VSGd2.left();
        for (int i = 0; i < c.col; ++i) colLeft += w.VSGd2.colWidth(i);
        const int colRight = colLeft + w.VSGd2.colWidth(c.col);
        EXPECT_TRUE(w.MonthView1.left() >= colRight || w.MonthView1.left() + w.MonthView1.width() <= colLeft);
    }
    EXPECT_EQ(w.VSGd2.textMatrix(c.row, 1), QString::fromLatin1(c.item));
    EXPECT_EQ(w.Text1[0].text(), QString());
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Item Grid")).size(), c.askedForItem ? 1u : 0u);
    EXPECT_EQ(w.VSGd2.row(), c.currentRow);
    EXPECT_EQ(w.VSGd2.col(), c.currentCol);
    EXPECT_EQ(w.ToDo.ToDoMarkedRow, c.markedRow);
    EXPECT_EQ(w.SSCommand19[3].enabled(), c.deleteRowEnabled);
    if (c.deleteRowEnabled) EXPECT_TRUE(w.mODel.enabled());
    EXPECT_EQ(w.UnsavedChanges, c.unsaved ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ToDoClickTest,
    ::testing::Values(
        // No name waiting: a click chooses a cell to edit or to date.
        ClickCase{"ItemCell", false, 2, 1, 1, false, Today, "Audit logs", false, 2, 1, 2, true, false},
        ClickCase{"ToDoDateWithADate", false, 2, 2, 1, true, QDate(2005, 1, 7), "Audit logs", false, 2, 2, 2, true, false},
        ClickCase{"ActualDateEmpty", false, 2, 3, 1, true, Today, "Audit logs", false, 2, 3, 2, true, false},
        ClickCase{"ReviewDateEmpty", false, 1, 5, 1, true, Today, "Backup tapes", false, 1, 5, 1, true, false},
        ClickCase{"SpacerColumn", false, 2, 4, 1, false, Today, "Audit logs", false, 2, 1, 2, true, false},
        // A date cell of a row without an item: asked for the item, moved to the first free
        // item cell, which the page then treats as clicked.
        ClickCase{"DateOfARowWithoutItem", false, 5, 2, 1, false, Today, "", true, 3, 1, 3, true, false},
        // A name waiting: an item cell takes it, a date cell opens the calendar.
        ClickCase{"NameIntoAnEmptyItemCell", true, 3, 1, 0, false, QDate(), "Shred paper", false, 3, 1, 3, false, true},
        ClickCase{"NameIntoAFilledItemCell", true, 1, 1, 0, false, QDate(), "Shred paper", false, 1, 1, 1, false, true},
        ClickCase{"NameThenToDoDate", true, 2, 2, 0, true, QDate(2005, 1, 7), "Audit logs", false, 2, 2, 2, false, false},
        ClickCase{"NameThenEmptyActualDate", true, 2, 3, 0, true, Earlier, "Audit logs", false, 2, 3, 2, false, false},
        ClickCase{"NameThenSpacer", true, 2, 4, 0, false, QDate(), "Audit logs", false, 2, 4, 2, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// In a wide window the calendar stands where the columns' own parts of the panel put it.
TEST_F(ToDoTest, InAWideWindowTheCalendarOpensAtItsColumnsPartOfThePanel) {
    folder->write(timeline::ToDoGridFile, listOf({row("Backup tapes")}));
    WorkArea1& w = openTimeline();
    w.setWindowState(WindowState::Normal);
    w.move(0, 0, 28800, 18000);
    ASSERT_GT(w.Panel3D1.width(), 15000);
    for (const auto& [col, part] : {std::pair{2, 0.575}, std::pair{3, 0.28}, std::pair{5, 0.485}}) {
        clickCell(w, 1, col);
        ASSERT_TRUE(w.MonthView1.visible()) << col;
        EXPECT_NEAR(w.MonthView1.left(), w.Panel3D1.left() + w.Panel3D1.width() * part, 1) << col;
    }
    // An item cell closes it.
    clickCell(w, 1, 1);
    EXPECT_FALSE(w.MonthView1.visible());
}

TEST_F(ToDoTest, TheCalendarWritesItsDateIntoTheClickedCellAndStaysOpen) {
    folder->write(timeline::ToDoGridFile, listOf({row("Backup tapes"), row("Audit logs")}));
    WorkArea1& w = openTimeline();
    clickCell(w, 2, 3);
    EXPECT_TRUE(w.SSCommand19[4].hasFocus());  // an empty date cell: the focus goes to Print
    w.MonthView1.clickDate(QDate(2031, 12, 25));
    EXPECT_EQ(w.VSGd2.textMatrix(2, 3), QStringLiteral("Thu - Dec 25, 31"));
    EXPECT_TRUE(w.MonthView1.visible());
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
    // Opened again on that cell, it shows that date (the year read within the window).
    clickCell(w, 1, 1);
    clickCell(w, 2, 3);
    EXPECT_EQ(w.MonthView1.value(), QDate(2031, 12, 25));
    // A date typed by hand that is no date leaves the calendar at today.
    clickCell(w, 1, 5);
    w.VSGd2.setFocus();
    typeKeys(w, QStringLiteral("next spring"));
    key(w, Key::Return, 13);
    clickCell(w, 1, 1);
    clickCell(w, 1, 5);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 5), QStringLiteral("next spring"));
    EXPECT_EQ(w.MonthView1.value(), Today);
}

// ---- which step enables and disables which command -------------------------------------------

// The commands looked at: "&Delete Item fm File", "&Add to To Do Grid", "&Delete Item from Grid"
// and its menu entry mODel (the grid's focus sets the button only), "&Save" with mOSave,
// "&Clear Grid". -1: not looked at.
struct CommandStates {
    int deleteName, addItem, deleteRow, deleteRowMenu, save, clear;
};

struct EnableCase {
    const char* name;
    std::function<void(ToDoTest&, WorkArea1&, testsupport::ScriptedDialogs&)> step;
    CommandStates after;
};

void PrintTo(const EnableCase& c, std::ostream* os) { *os << c.name; }

class ToDoCommandsTest : public ToDoTest, public ::testing::WithParamInterface<EnableCase> {};

TEST_P(ToDoCommandsTest, EachStepEnablesAndDisablesItsCommands) {
    folder->write(timeline::ToDoGridFile, listOf({row("Backup tapes"), row("Audit logs")}));
    folder->write(timeline::ToDoNameFile, lines({"Backup tapes", "Audit logs"}));
    WorkArea1& w = openTimeline();
    GetParam().step(*this, w, *dialogs);
    const CommandStates& s = GetParam().after;
    const auto check = [](int expected, bool actual, const char* what) {
        if (expected >= 0) EXPECT_EQ(actual, expected == 1) << what;
    };
    check(s.deleteName, w.SSCommand19[1].enabled(), "Delete Item fm File");
    check(s.addItem, w.SSCommand19[2].enabled(), "Add to To Do Grid");
    check(s.deleteRow, w.SSCommand19[3].enabled(), "Delete Item from Grid");
    check(s.deleteRowMenu, w.mODel.enabled(), "mODel");
    check(s.save, w.SSCommand19[5].enabled(), "Save");
    check(s.save, w.mOSave.enabled(), "mOSave");
    check(s.clear, w.SSCommand19[6].enabled(), "Clear Grid");
}

using T = ToDoTest;
using D = testsupport::ScriptedDialogs;

INSTANTIATE_TEST_SUITE_P(
    Steps, ToDoCommandsTest,
    ::testing::Values(
        EnableCase{"PageEntry", [](T&, WorkArea1&, D&) {}, {0, 0, -1, -1, 0, 1}},
        EnableCase{"PickFromTheList", [](T&, WorkArea1& w, D&) { w.Combo2.pickText(QStringLiteral("Audit logs")); },
                   {1, 1, -1, -1, 0, -1}},
        EnableCase{"ListDropsDownAfterAPick",
                   [](T&, WorkArea1& w, D&) {
                       w.Combo2.pickText(QStringLiteral("Audit logs"));
                       w.Combo2.showDropDown(true);
                       w.Combo2.showDropDown(false);
                   },
                   {0, 1, -1, -1, 0, -1}},
        EnableCase{"ListTakesTheFocusAfterAPick",
                   [](T&, WorkArea1& w, D&) {
                       w.Combo2.pickText(QStringLiteral("Audit logs"));
                       w.Combo2.setFocus();
                   },
                   {0, 1, -1, -1, 0, -1}},
        EnableCase{"TypingAName", [](T& t, WorkArea1& w, D&) { t.typeName(w, QStringLiteral("Shred")); }, {0, 1, -1, -1, 0, -1}},
        EnableCase{"TypingOnlyBlanks", [](T& t, WorkArea1& w, D&) { t.typeName(w, QStringLiteral("   ")); },
                   {0, 0, -1, -1, 0, -1}},
        EnableCase{"AddingTheTypedName",
                   [](T& t, WorkArea1& w, D&) {
                       t.typeName(w, QStringLiteral("Shred paper"));
                       t.press(w.SSCommand19[2]);
                   },
                   {0, 0, -1, -1, 1, 1}},
        EnableCase{"DeletingAPickedName",
                   [](T& t, WorkArea1& w, D&) {
                       w.Combo2.pickText(QStringLiteral("Audit logs"));
                       t.press(w.SSCommand19[1]);
                   },
                   {0, 0, -1, -1, 0, -1}},
        EnableCase{"ClickIntoACell", [](T& t, WorkArea1& w, D&) { t.clickCell(w, 1, 1); }, {-1, -1, 1, 1, 0, -1}},
        EnableCase{"GridFocusOnAnItemWhileEditing",
                   [](T& t, WorkArea1& w, D&) {
                       t.clickCell(w, 1, 1);
                       w.Text1[0].setFocus();
                       w.VSGd2.setFocus();
                   },
                   {-1, -1, 1, 1, 0, -1}},
        EnableCase{"GridFocusOnAnEmptyItem",
                   [](T& t, WorkArea1& w, D&) {
                       t.clickCell(w, 3, 1);
                       w.Text1[0].setFocus();
                       w.VSGd2.setFocus();
                   },
                   {-1, -1, 0, 1, 0, -1}},
        EnableCase{"DeleteRowAnsweredNo",
                   [](T& t, WorkArea1& w, D& d) {
                       t.clickCell(w, 1, 1);
                       d.answer(QStringLiteral("Delete Row"), Answer::No);
                       t.press(w.SSCommand19[3]);
                   },
                   {-1, -1, 0, 0, -1, -1}},
        EnableCase{"DeleteRowAnsweredYes",
                   [](T& t, WorkArea1& w, D& d) {
                       t.clickCell(w, 1, 1);
                       d.answer(QStringLiteral("Delete Row"), Answer::Yes);
                       t.press(w.SSCommand19[3]);
                   },
                   {-1, -1, 0, 0, 1, 1}},
        EnableCase{"ADateFromTheCalendar",
                   [](T& t, WorkArea1& w, D&) { t.dateCell(w, 1, 2, QDate(2005, 1, 6)); },
                   {-1, -1, 1, 1, 1, 1}},
        EnableCase{"ACellTypedInto",
                   [](T& t, WorkArea1& w, D&) {
                       t.clickCell(w, 1, 3);
                       w.VSGd2.setFocus();
                       t.typeKeys(w, QStringLiteral("soon"));
                   },
                   {-1, -1, -1, -1, 1, -1}},
        EnableCase{"ClearGridAnsweredYes",
                   [](T& t, WorkArea1& w, D& d) {
                       d.answer(QStringLiteral("Clear Grid"), Answer::Yes);
                       t.press(w.SSCommand19[6]);
                   },
                   {-1, -1, -1, -1, 1, 1}},
        EnableCase{"SavedAfterAChange",
                   [](T& t, WorkArea1& w, D&) {
                       t.dateCell(w, 1, 2, QDate(2005, 1, 6));
                       t.press(w.SSCommand19[5]);
                   },
                   {-1, -1, -1, -1, 0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
