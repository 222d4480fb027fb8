// The to-do page of the Action Area as a part of the window: its keys and its controls.
#include "tests/workbook/HubFixture.h"

using namespace platform;

namespace {

class ToDoPageTest : public hubtest::HubTest {};

// The cell click that records the clicked cell and the editing mode comes with the cell
// editors; the test puts the page in the state such a click leaves.
TEST_F(ToDoPageTest, DeleteEmptiesTheClickedCellOnlyWhileKeyboardEditing) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageTimeline);
    ToDoPage& todo = w.ToDo;
    w.VSGd2.setTextMatrix(1, 2, QStringLiteral("Policy review"));
    todo.ToDoClickRow = 1;
    todo.ToDoClickCol = 2;
    todo.CellEditMode = 0;
    w.dispatchKey(Key::Delete, 0, 0);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Policy review"));
    todo.CellEditMode = 1;
    todo.ToDoClickCol = 0;
    w.dispatchKey(Key::Delete, 0, 0);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 2), QStringLiteral("Policy review"));
    todo.ToDoClickCol = 2;
    w.dispatchKey(Key::Delete, 0, 0);
    EXPECT_TRUE(w.VSGd2.textMatrix(1, 2).isEmpty());
    EXPECT_EQ(w.VSGd2.col(), 1);
    EXPECT_EQ(todo.ToDoClickCol, 0);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(todo.CellEditMode, 0);
}

TEST_F(ToDoPageTest, TheWindowKeepsThePagesControlsUnderTheirNames) {
    WorkArea1& w = openHub();
    EXPECT_EQ(&w.VSGd2, &w.ToDo.VSGd2);
    EXPECT_EQ(w.VSGd2.name(), QStringLiteral("VSGd2"));
    EXPECT_EQ(w.SSCommand19.count(), 7);
    EXPECT_EQ(w.SSCommand19[5].caption(), QStringLiteral("&Save"));
    EXPECT_EQ(w.SSCommand20.caption(), QStringLiteral("Spell Chec&k"));
    EXPECT_EQ(w.Panel3D2.count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.Panel3D2[i].backColor(), w.Label2.backColor()) << i;
    EXPECT_EQ(w.Text1[0].backColor(), w.Text2.backColor());
}

// The right button over the page's controls pops up the window's Options menu; over the frame
// it pops up as the button goes down.
TEST_F(ToDoPageTest, TheRightButtonOverThePagePopsUpTheOptionsMenu) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageTimeline);
    for (Control* c : std::initializer_list<Control*>{&w.VSGd2, &w.Panel3D1, &w.MonthView1, &w.SSCommand20,
                                                      &w.SSCommand19[3], &w.Panel3D2[1]}) {
        c->raiseMouseUp(Mouse::Left, 0, 0, 0);
        c->raiseMouseUp(Mouse::Right, 0, 0, 0);
    }
    w.Frame3.raiseMouseUp(Mouse::Right, 0, 0, 0);
    w.Frame3.raiseMouseDown(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups(), std::vector<QString>(7, QStringLiteral("mO")));
}

}  // namespace
