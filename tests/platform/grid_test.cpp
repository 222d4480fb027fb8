// The grid: cell texts by row and column with a fixed heading row and column, adding and
// removing rows, widths in twips, alignment, cell colours, wallpaper, in-cell editing with its
// typing limit, and the events a person's clicks, typing, sorting and scrolling raise.
#include "platform/Grid.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>

using namespace platform;

namespace {

class GridHost : public Form {
public:
    GridHost() : Form(QStringLiteral("GridHost")), VSGd(*this, *this, QStringLiteral("VSGd")) {
        setKeyPreview(true);
        VSGd.move(0, 0, 9000, 6000);
    }
    void Form_KeyPress(int& keyAscii) override {
        if (keyAscii == swallowAscii) keyAscii = 0;
    }
    Grid VSGd;
    int swallowAscii = -1;
};

class GridTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        host = &defaultInstance<GridHost>();
        grid = &host->VSGd;
        grid->setRows(6);
        grid->setCols(6);
    }
    // Types text as a person would: each key goes through the form first.
    void type(const QString& s) {
        for (QChar ch : s) {
            const int code = ch.isLetter() ? ch.toUpper().unicode() : ch.unicode();
            host->dispatchKey(code, 0, ch.unicode());
        }
    }
    void key(int keyCode) { host->dispatchKey(keyCode, 0, keyCode == Key::Return ? 13 : keyCode == Key::Escape ? 27 : 0); }
    QStringList rowTexts(int r) const {
        QStringList l;
        for (int c = 0; c < grid->cols(); ++c) l << grid->textMatrix(r, c);
        return l;
    }
    QStringList column(int c) const {
        QStringList l;
        for (int r = grid->fixedRows(); r < grid->rows(); ++r) l << grid->textMatrix(r, c);
        return l;
    }

    GridHost* host = nullptr;
    Grid* grid = nullptr;
};

TEST_F(GridTest, TextMatrixKeepsTextsOfBodyHeadingAndCornerCells) {
    grid->setTextMatrix(0, 0, QStringLiteral("corner"));
    grid->setTextMatrix(0, 3, QStringLiteral("Heading"));
    grid->setTextMatrix(4, 0, QStringLiteral("side"));
    grid->setTextMatrix(2, 2, QStringLiteral("R\r\nA\r\n"));
    EXPECT_EQ(grid->textMatrix(0, 0), QStringLiteral("corner"));
    EXPECT_EQ(grid->textMatrix(0, 3), QStringLiteral("Heading"));
    EXPECT_EQ(grid->textMatrix(4, 0), QStringLiteral("side"));
    EXPECT_EQ(grid->textMatrix(2, 2), QStringLiteral("R\r\nA\r\n"));  // line breaks kept as stored
    EXPECT_EQ(grid->table()->horizontalHeaderItem(2)->text(), QStringLiteral("Heading"));
    EXPECT_FALSE(grid->setTextMatrix(6, 1, QStringLiteral("x")));
    EXPECT_FALSE(grid->setTextMatrix(1, -1, QStringLiteral("x")));
    EXPECT_EQ(grid->textMatrix(99, 1), QString());

    // The current cell may be a heading cell, as code sets headings through it.
    ASSERT_TRUE(grid->setRow(0));
    ASSERT_TRUE(grid->setCol(5));
    grid->setText(QStringLiteral("Next Review Date"));
    EXPECT_EQ(grid->textMatrix(0, 5), QStringLiteral("Next Review Date"));
    EXPECT_FALSE(grid->setRow(6));
    EXPECT_EQ(grid->row(), 0);
}

struct AddItemCase {
    const char* name;
    QString text;
    int index;
    bool accepted;
    int rowsAfter;
    int checkRow;
    QStringList expected;  // texts of checkRow, columns 0-3
};

class GridAddItemTest : public GridTest, public ::testing::WithParamInterface<AddItemCase> {};

TEST_P(GridAddItemTest, AddItemSplitsAtTabsAndPushesRowsDown) {
    grid->setCols(4);
    grid->setRows(3);
    grid->setTextMatrix(1, 1, QStringLiteral("first"));
    grid->setTextMatrix(2, 1, QStringLiteral("second"));
    const AddItemCase& c = GetParam();
    EXPECT_EQ(grid->addItem(c.text, c.index), c.accepted);
    EXPECT_EQ(grid->rows(), c.rowsAfter);
    QStringList got;
    for (int col = 0; col < 4; ++col) got << grid->textMatrix(c.checkRow, col);
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridAddItemTest,
    ::testing::Values(
        AddItemCase{"AtIndexPushesDown", "a\tb\tc\td", 1, true, 4, 2, {"", "first", "", ""}},
        AddItemCase{"AtIndexFillsCells", "a\tb\tc\td", 1, true, 4, 1, {"a", "b", "c", "d"}},
        AddItemCase{"AppendAtEnd", "x\ty", -1, true, 4, 3, {"x", "y", "", ""}},
        AddItemCase{"AtRowCountAppends", "x", 3, true, 4, 3, {"x", "", "", ""}},
        AddItemCase{"PartsBeyondLastColumnDropped", "1\t2\t3\t4\t5\t6", 2, true, 4, 2, {"1", "2", "3", "4"}},
        AddItemCase{"EmptyTextInsertsEmptyRow", "", 1, true, 4, 1, {"", "", "", ""}},
        AddItemCase{"MultiLineCellKept", "a\tR\r\nA", 1, true, 4, 1, {"a", "R\r\nA", "", ""}},
        AddItemCase{"IntoHeadingRowRefused", "x", 0, false, 3, 0, {"", "", "", ""}},
        AddItemCase{"PastTheEndRefused", "x", 5, false, 3, 2, {"", "second", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, RowsGrowOneAtATimeAndAddItemRebuildsTheBody) {
    // Rows := i + 1, AddItem at i, then drop the empty last row: n body rows whatever was there.
    grid->setCols(5);
    grid->setRows(8);
    grid->setTextMatrix(7, 1, QStringLiteral("stale"));
    grid->setRows(1);
    const QStringList rows = {"A\t1\tx\tR\ts1", "B\t2\ty\tA\ts2", "C\t3\tz\tR\ts3"};
    for (int i = 1; i <= 3; ++i) {
        grid->setRows(i + 1);
        grid->setRow(i);
        ASSERT_TRUE(grid->addItem(rows[i - 1], i));
    }
    grid->setRows(grid->rows() - 1);
    EXPECT_EQ(grid->rows(), 4);
    EXPECT_EQ(column(0), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(column(4), (QStringList{"s1", "s2", "s3"}));
}

TEST_F(GridTest, RemoveItemMovesRowsUpAndRowCountRefillsTheEnd) {
    grid->setRows(6);
    for (int r = 1; r < 6; ++r) grid->setTextMatrix(r, 1, QString::number(r));
    grid->setRowHeight(3, 900);
    EXPECT_FALSE(grid->removeItem(0));  // the heading row stays
    EXPECT_FALSE(grid->removeItem(6));
    ASSERT_TRUE(grid->removeItem(2));
    EXPECT_EQ(grid->rows(), 5);
    EXPECT_EQ(column(1), (QStringList{"1", "3", "4", "5"}));
    EXPECT_EQ(grid->rowHeight(2), 900);  // the height moved up with its row
    grid->setRows(6);
    EXPECT_EQ(column(1), (QStringList{"1", "3", "4", "5", ""}));

    // Inserting before row 1 and restoring the count loses the last row's content.
    ASSERT_TRUE(grid->addItem(QString(), 1));
    grid->setRows(6);
    EXPECT_EQ(column(1), (QStringList{"", "1", "3", "4", "5"}));

    // Down to the heading row and back: the body is empty, the heading stays.
    grid->setTextMatrix(0, 1, QStringLiteral("To Do Item"));
    grid->setRows(1);
    grid->setRows(6);
    EXPECT_EQ(column(1), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(grid->textMatrix(0, 1), QStringLiteral("To Do Item"));
}

TEST_F(GridTest, ClearEmptiesTextsAndColoursButKeepsTheShape) {
    grid->setTextMatrix(0, 2, QStringLiteral("h"));
    grid->setTextMatrix(3, 3, QStringLiteral("x"));
    grid->setCellBackColor(3, 3, 3, 3, 255);
    grid->clear();
    EXPECT_EQ(grid->rows(), 6);
    EXPECT_EQ(grid->textMatrix(0, 2), QString());
    EXPECT_EQ(grid->textMatrix(3, 3), QString());
    EXPECT_EQ(grid->cellBackColor(3, 3), grid->backColor());
}

TEST_F(GridTest, WidthsAndHeightsAreTwipsOnScreen) {
    // The test screen has 15 twips per pixel.
    grid->setColWidth(2, 1500);
    grid->setRowHeight(3, 1203);
    grid->setColWidth(0, 150);  // the fixed column
    EXPECT_EQ(grid->colWidth(2), 1500);
    EXPECT_EQ(grid->table()->columnWidth(1), 100);
    EXPECT_EQ(grid->table()->rowHeight(2), 80);
    EXPECT_EQ(grid->rowHeight(3), 1203);
    EXPECT_EQ(grid->table()->verticalHeader()->sizeHint().width(), 10);
    grid->setColWidth(2, -1);
    EXPECT_EQ(grid->table()->columnWidth(1), grid->table()->horizontalHeader()->defaultSectionSize());
    // A row without a height of its own keeps the default, also after others were set.
    EXPECT_EQ(grid->rowHeight(4), grid->rowHeight(5));
    EXPECT_NE(grid->rowHeight(4), 1203);
}

struct AlignCase {
    int code;
    QString text;
    Qt::Alignment expected;
};

class GridAlignTest : public GridTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(GridAlignTest, AlignmentCodesPlaceTheText) {
    grid->setTextMatrix(2, 3, GetParam().text);
    grid->setColAlignment(3, GetParam().code);
    EXPECT_EQ(grid->displayAlignment(2, 3), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GridAlignTest,
    ::testing::Values(AlignCase{0, "a", Qt::AlignLeft | Qt::AlignTop},
                      AlignCase{1, "a", Qt::AlignLeft | Qt::AlignVCenter},
                      AlignCase{2, "a", Qt::AlignLeft | Qt::AlignBottom},
                      AlignCase{3, "a", Qt::AlignHCenter | Qt::AlignTop},
                      AlignCase{4, "a", Qt::AlignHCenter | Qt::AlignVCenter},
                      AlignCase{5, "a", Qt::AlignHCenter | Qt::AlignBottom},
                      AlignCase{6, "a", Qt::AlignRight | Qt::AlignTop},
                      AlignCase{7, "a", Qt::AlignRight | Qt::AlignVCenter},
                      AlignCase{8, "a", Qt::AlignRight | Qt::AlignBottom},
                      AlignCase{9, "Evaluation", Qt::AlignLeft | Qt::AlignVCenter},
                      AlignCase{9, "12.5", Qt::AlignRight | Qt::AlignVCenter}));

TEST_F(GridTest, HeadingAlignmentFollowsTheColumnUntilSetApart) {
    grid->setColAlignment(2, GridAlign::CenterTop);
    EXPECT_EQ(grid->displayAlignment(0, 2), Qt::AlignHCenter | Qt::AlignTop);
    grid->setFixedAlignment(2, GridAlign::CenterCenter);
    EXPECT_EQ(grid->displayAlignment(0, 2), Qt::AlignCenter);
    EXPECT_EQ(grid->displayAlignment(3, 2), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(grid->table()->horizontalHeaderItem(1)->textAlignment(), int(Qt::AlignCenter));
}

TEST_F(GridTest, BackColourOfACellRange) {
    grid->setCellBackColor(3, 5, 3, 1, 255);  // corners in either order
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(grid->cellBackColor(3, c), 255u) << c;
    EXPECT_EQ(grid->cellBackColor(3, 0), grid->backColorFixed());
    EXPECT_EQ(grid->cellBackColor(2, 1), grid->backColor());
    grid->setCellBackColor(4, 4, 40, 40, rgb(0, 255, 0));  // clipped to the grid
    EXPECT_EQ(grid->cellBackColor(5, 5), rgb(0, 255, 0));
    // Painting the row back in the grid's colour makes it plain again.
    grid->setCellBackColor(3, 1, 3, 5, grid->backColor());
    EXPECT_EQ(grid->cellBackColor(3, 2), grid->backColor());
    EXPECT_FALSE(grid->table()->item(2, 1) && grid->table()->item(2, 1)->data(Qt::BackgroundRole).isValid());
}

TEST_F(GridTest, WallpaperShowsBehindPlainCellsAndIsCleared) {
    host->show();
    grid->setRows(3);
    grid->setBackColor(rgb(255, 255, 255));
    QImage paper(8, 8, QImage::Format_RGB32);
    paper.fill(QColor(10, 200, 30));
    grid->setWallPaper(paper);
    grid->setCellBackColor(2, 2, 2, 2, 255);
    EXPECT_TRUE(grid->hasWallPaper());
    auto pixelAt = [&](int row, int col) {
        QTableWidget* t = grid->table();
        QImage shot = t->viewport()->grab().toImage();
        QRect r = t->visualItemRect(t->item(row - 1, col - 1) ? t->item(row - 1, col - 1) : [&] {
            t->setItem(row - 1, col - 1, new QTableWidgetItem);
            return t->item(row - 1, col - 1);
        }());
        return shot.pixelColor(r.left() + 3, r.top() + 3);
    };
    // (Row 1 holds the current cell, which shows highlighted.)
    EXPECT_EQ(pixelAt(2, 1), QColor(10, 200, 30));
    EXPECT_EQ(pixelAt(2, 2), QColor(255, 0, 0));
    // Below the last row the wallpaper fills the rest of the grid too.
    QImage shot = grid->table()->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(10, 200, 30));

    grid->clearWallPaper();
    EXPECT_FALSE(grid->hasWallPaper());
    EXPECT_EQ(pixelAt(2, 1), QColor(255, 255, 255));
}

TEST_F(GridTest, AClickMovesTheCurrentCellThenRaisesMouseAndClickEvents) {
    std::vector<QString> events;
    grid->onMouseDown = [&](int b, int s, int, int) { events.push_back(QStringLiteral("down %1 %2").arg(b).arg(s)); };
    grid->onMouseUp = [&](int b, int, int, int) { events.push_back(QStringLiteral("up %1").arg(b)); };
    grid->onClick = [&] { events.push_back(QStringLiteral("click %1,%2").arg(grid->row()).arg(grid->col())); };
    grid->clickCell(4, 2, Mouse::Left, ShiftState::Shift);
    EXPECT_EQ(events, (std::vector<QString>{"down 1 1", "up 1", "click 4,2"}));
    EXPECT_EQ(grid->table()->currentRow(), 3);

    // The right button leaves the current cell and raises no Click.
    events.clear();
    grid->clickCell(2, 5, Mouse::Right);
    EXPECT_EQ(events, (std::vector<QString>{"down 2 0", "up 2"}));
    EXPECT_EQ(grid->row(), 4);
    EXPECT_EQ(grid->col(), 2);
}

TEST_F(GridTest, ARealMouseClickOnACellIsTheSameClick) {
    host->show();
    int clicks = 0, row = -1, col = -1, upX = -1;
    grid->onClick = [&] { ++clicks; row = grid->row(); col = grid->col(); };
    grid->onMouseUp = [&](int, int, int x, int) { upX = x; };
    QTableWidget* t = grid->table();
    const QRect cell = t->visualRect(t->model()->index(1, 2));
    const QPointF at = cell.center();
    QWidget* vp = t->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, vp->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, vp->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QApplication::sendEvent(vp, &release);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(col, 3);
    // x is in twips from the grid's left edge: past the fixed column and two body columns.
    EXPECT_EQ(upX, pixelsToTwipsX(vp->mapTo(t, at.toPoint()).x()));
}

struct EditModeCase {
    const char* name;
    int mode;
    bool typingEdits;
    bool clickEdits;
};

class GridEditModeTest : public GridTest, public ::testing::WithParamInterface<EditModeCase> {};

TEST_P(GridEditModeTest, EditingStartsAsTheModeAllows) {
    grid->setEditable(GetParam().mode);
    grid->setFocus();
    grid->clickCell(2, 1);
    EXPECT_EQ(grid->isEditing(), GetParam().clickEdits);
    grid->cancelEdit();
    grid->setFocus();
    type(QStringLiteral("a"));
    EXPECT_EQ(grid->isEditing(), GetParam().typingEdits);
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(2, 1), GetParam().typingEdits ? QStringLiteral("a") : QString());
    // A heading cell is never edited.
    grid->setRow(0);
    EXPECT_FALSE(grid->editCell());
}

INSTANTIATE_TEST_SUITE_P(Modes, GridEditModeTest,
                         ::testing::Values(EditModeCase{"None", Grid::EditNone, false, false},
                                           EditModeCase{"Keyboard", Grid::EditKeyboard, true, false},
                                           EditModeCase{"KeyboardMouse", Grid::EditKeyboardMouse, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, TypingIntoACellRaisesEditEventsWithTheCell) {
    std::vector<QString> events;
    grid->onChangeEdit = [&] { events.push_back(QStringLiteral("change %1").arg(grid->editText())); };
    grid->onCellChanged = [&](int r, int c) { events.push_back(QStringLiteral("cell %1,%2 %3").arg(r).arg(c).arg(grid->textMatrix(r, c))); };
    grid->onAfterEdit = [&](int r, int c) { events.push_back(QStringLiteral("after %1,%2").arg(r).arg(c)); };
    grid->setEditable(Grid::EditKeyboard);
    grid->clickCell(3, 1);
    grid->setFocus();
    type(QStringLiteral("ok"));
    key(Key::Return);
    EXPECT_EQ(events, (std::vector<QString>{"change o", "change ok", "cell 3,1 ok", "after 3,1"}));
    EXPECT_FALSE(grid->isEditing());

    // Escape drops the typing: no change, no after-edit.
    events.clear();
    grid->setFocus();
    type(QStringLiteral("z"));
    key(Key::Escape);
    EXPECT_EQ(grid->textMatrix(3, 1), QStringLiteral("ok"));
    EXPECT_EQ(events, (std::vector<QString>{"change z"}));

    // Opening and leaving the editor without typing changes nothing but ends an edit.
    events.clear();
    ASSERT_TRUE(grid->editCell());
    grid->commitEdit();
    EXPECT_EQ(events, (std::vector<QString>{"after 3,1"}));
}

TEST_F(GridTest, TheFormSeesKeysBeforeTheCellEditor) {
    grid->setEditable(Grid::EditKeyboard);
    grid->clickCell(1, 1);
    grid->setFocus();
    host->swallowAscii = '"';
    type(QStringLiteral("a\"b"));
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("ab"));
}

TEST_F(GridTest, ARealKeyReachesTheEditorAfterTheForm) {
    host->show();
    grid->setEditable(Grid::EditKeyboard);
    grid->clickCell(1, 2);
    host->swallowAscii = 'q';
    grid->setFocus();
    ASSERT_TRUE(grid->editCell());
    auto* editor = grid->table()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    for (const char* t : {"q", "w"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (t[0] - 'a'), Qt::NoModifier, QString::fromLatin1(t));
        QApplication::sendEvent(editor, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(editor, &enter);
    EXPECT_EQ(grid->textMatrix(1, 2), QStringLiteral("w"));
}

TEST_F(GridTest, TheEditMaskLimitsTypingButNeverCutsAStoredText) {
    grid->setColEditMask(1, QString(45, QLatin1Char('&')));
    grid->setEditable(Grid::EditKeyboard);
    EXPECT_EQ(grid->editLimit(1), 45);
    EXPECT_EQ(grid->editLimit(2), 0);
    grid->clickCell(1, 1);
    grid->setFocus();
    type(QString(50, QLatin1Char('x')));
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(1, 1), QString(45, QLatin1Char('x')));

    // Another column takes any length.
    grid->clickCell(1, 2);
    grid->setFocus();
    type(QString(50, QLatin1Char('y')));
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(1, 2).size(), 50);

    // A longer item put there by code survives an edit and cannot grow.
    const QString long60(60, QLatin1Char('L'));
    grid->setTextMatrix(2, 1, long60);
    grid->clickCell(2, 1);
    ASSERT_TRUE(grid->editCell());
    grid->setFocus();
    type(QStringLiteral("more"));
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(2, 1), long60);
    grid->clickCell(2, 1);
    ASSERT_TRUE(grid->editCell());
    grid->setFocus();
    key(Key::Back);
    key(Key::Return);
    EXPECT_EQ(grid->textMatrix(2, 1), QString(59, QLatin1Char('L')));
}

TEST_F(GridTest, CodeWritingTheEditedCellWinsOverTyping) {
    grid->setEditable(Grid::EditKeyboard);
    grid->clickCell(1, 1);
    grid->setFocus();
    type(QStringLiteral("typed"));
    grid->setText(QStringLiteral("picked"));
    grid->setEditable(Grid::EditNone);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("picked"));

    // Switching editing off keeps what was typed.
    grid->setEditable(Grid::EditKeyboard);
    grid->clickCell(2, 1);
    grid->setFocus();
    type(QStringLiteral("kept"));
    grid->setEditable(Grid::EditNone);
    EXPECT_EQ(grid->textMatrix(2, 1), QStringLiteral("kept"));
}

TEST_F(GridTest, CellChangedComesFromCodeToo) {
    std::vector<std::pair<int, int>> changed;
    grid->onCellChanged = [&](int r, int c) { changed.emplace_back(r, c); };
    grid->setTextMatrix(2, 3, QStringLiteral("x"));
    grid->setTextMatrix(2, 3, QStringLiteral("x"));  // same text: no event
    grid->addItem(QStringLiteral("a\tb"), 1);         // rows added or removed: no event
    grid->removeItem(1);
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST_F(GridTest, AHeadingClickSortsAndReportsColumnAndOrder) {
    grid->setCols(3);
    grid->setRows(7);
    const QStringList items = {"pear", "", "10", "Apple", "", "9"};
    for (int r = 1; r <= 6; ++r) {
        grid->setTextMatrix(r, 1, items[r - 1]);
        grid->setTextMatrix(r, 2, QStringLiteral("d%1").arg(r));
    }
    grid->setCellBackColor(1, 1, 1, 2, 255);  // pear's row is red
    std::vector<std::pair<int, int>> sorts;
    grid->onAfterSort = [&](int c, int o) { sorts.emplace_back(c, o); };

    grid->clickCell(0, 1);  // no sorting unless asked for
    EXPECT_TRUE(sorts.empty());
    grid->setSortOnHeaderClick(true);
    grid->clickCell(0, 1);
    EXPECT_EQ(column(1), (QStringList{"", "", "9", "10", "Apple", "pear"}));
    EXPECT_EQ(column(2), (QStringList{"d2", "d5", "d6", "d3", "d4", "d1"}));  // rows move whole
    EXPECT_EQ(grid->cellBackColor(6, 2), 255u);
    EXPECT_EQ(grid->cellBackColor(1, 2), grid->backColor());
    grid->clickCell(0, 1);
    EXPECT_EQ(column(1), (QStringList{"pear", "Apple", "10", "9", "", ""}));
    EXPECT_EQ(sorts, (std::vector<std::pair<int, int>>{{1, GridSort::Ascending}, {1, GridSort::Descending}}));
}

TEST_F(GridTest, DraggingTheScrollBoxShowsTheTipForTheTopRow) {
    grid->setRows(501);
    grid->setTextMatrix(120, 1, QStringLiteral("Backup tapes"));
    std::vector<int> asked;
    grid->onBeforeScrollTip = [&](int row) {
        asked.push_back(row);
        grid->setScrollTipText(QStringLiteral(" Row %1: %2 ").arg(row).arg(grid->textMatrix(row, 1)));
    };
    grid->dragScrollBox(120);  // tips are off
    EXPECT_TRUE(asked.empty());
    grid->setScrollTips(true);
    grid->dragScrollBox(120);
    EXPECT_EQ(asked, (std::vector<int>{120}));
    EXPECT_EQ(grid->shownScrollTip(), QStringLiteral(" Row 120: Backup tapes "));
    // The user's drag of the scroll bar itself asks the same.
    emit grid->table()->verticalScrollBar()->sliderMoved(40);
    EXPECT_EQ(asked.back(), 41);
}

TEST_F(GridTest, FixedCountsMoveTextsBetweenHeadingsAndBody) {
    grid->setTextMatrix(0, 2, QStringLiteral("head"));
    grid->setTextMatrix(3, 0, QStringLiteral("side"));
    grid->setTextMatrix(3, 2, QStringLiteral("body"));
    grid->setFixedCols(0);
    grid->setFixedRows(0);
    EXPECT_EQ(grid->textMatrix(0, 2), QStringLiteral("head"));
    EXPECT_EQ(grid->textMatrix(3, 0), QStringLiteral("side"));
    EXPECT_EQ(grid->textMatrix(3, 2), QStringLiteral("body"));
    EXPECT_EQ(grid->table()->item(0, 2)->text(), QStringLiteral("head"));  // now a body cell
}

}  // namespace

namespace {

// Fitting cells to their texts: a column as wide as its widest line shows every line unwrapped,
// a row as tall as its tallest cell shows all of it, and the view can be put at any row.
TEST_F(GridTest, ColumnsAndRowsFitTheirTexts) {
    grid->setWordWrap(true);
    grid->setFixedCols(0);
    grid->setTextMatrix(1, 0, QStringLiteral("Isolating Health Care Clearinghouse Function\r\nAccess Authorization"));
    grid->setTextMatrix(2, 0, QStringLiteral("one line"));
    grid->setTextMatrix(3, 1, QStringLiteral("a name long enough to wrap in a narrow column"));
    grid->setColWidth(0, grid->textWidth(grid->textMatrix(1, 0)));
    grid->setColWidth(1, 1200);
    grid->autoSizeRows(1, 3);
    QTableWidget* t = grid->table();
    const int line = QFontMetrics(t->font()).lineSpacing();
    // Two lines (no wrapped third), one line, and a wrapped cell of several lines.
    EXPECT_GE(t->rowHeight(0), 2 * line);
    EXPECT_LT(t->rowHeight(0), 3 * line);
    EXPECT_LT(t->rowHeight(1), 2 * line);
    EXPECT_GE(t->rowHeight(2), 3 * line);
    EXPECT_EQ(grid->rowHeight(1), pixelsToTwipsY(t->rowHeight(0)));
    // A narrower column than the text needs would wrap its first line.
    EXPECT_GT(grid->textWidth(QStringLiteral("Isolating Health Care Clearinghouse Function")),
              grid->textWidth(QStringLiteral("Access Authorization")));

    grid->setRows(40);
    host->show();
    grid->setTopRow(10);
    EXPECT_EQ(grid->topRow(), 10);
    grid->setRow(39);  // the current cell moved by code
    grid->setTopRow(1);
    EXPECT_EQ(grid->topRow(), 1);
}

}  // namespace
