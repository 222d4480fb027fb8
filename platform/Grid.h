// The grid control: a table of text cells with fixed heading rows and columns, addressed by
// row and column as the window code counts them (fixed cells included), on QTableWidget.
#pragma once

#include "platform/Control.h"

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace platform {

class GridView;
class GridEditor;
class GridFilter;
class GridDelegate;

// Cell alignment codes: horizontal position times three plus vertical position.
namespace GridAlign {
constexpr int LeftTop = 0;
constexpr int LeftCenter = 1;
constexpr int LeftBottom = 2;
constexpr int CenterTop = 3;
constexpr int CenterCenter = 4;
constexpr int CenterBottom = 5;
constexpr int RightTop = 6;
constexpr int RightCenter = 7;
constexpr int RightBottom = 8;
// Text to the left, numbers to the right, both centred vertically.
constexpr int General = 9;
}  // namespace GridAlign

// Sort orders a user's sort reports.
namespace GridSort {
constexpr int Ascending = 1;
constexpr int Descending = 2;
}  // namespace GridSort

class Grid : public Control {
public:
    // In-cell editing: none, started by typing (or F2), or also by a click on a cell.
    enum EditMode { EditNone = 0, EditKeyboard = 1, EditKeyboardMouse = 2 };
    enum WallPaperMode { WallPaperTile = 0, WallPaperStretch = 1 };

    Grid(Form& form, Container& parent, const QString& name, int index = -1);
    ~Grid() override;

    // ---- shape ----------------------------------------------------------------------------
    // Row and column counts include the fixed ones. Fewer rows drop the last rows with their
    // content; new rows are empty.
    int rows() const { return rows_; }
    void setRows(int n);
    int cols() const { return cols_; }
    void setCols(int n);
    // Heading rows at the top and heading columns at the left (0 or 1 each); they do not
    // scroll and are never edited.
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int n);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int n);

    // ---- cell texts -----------------------------------------------------------------------
    // Texts are stored as given; CR LF (or a lone CR or LF) shows as a line break.
    QString textMatrix(int row, int col) const;            // "" outside the grid
    bool setTextMatrix(int row, int col, const QString& text);  // false outside the grid
    // The current cell; it may be a fixed cell when code puts it there.
    int row() const { return row_; }
    bool setRow(int r);
    int col() const { return col_; }
    bool setCol(int c);
    QString text() const { return textMatrix(row_, col_); }
    void setText(const QString& t) { setTextMatrix(row_, col_, t); }

    // Inserts a row at index (-1: at the end) whose cells, from column 0, take the TAB-separated
    // parts of text; parts beyond the last column are dropped. Rows at and below index move
    // down. false when index is not a body row position (fixed rows or past the end).
    bool addItem(const QString& text, int index = -1);
    // Removes body row index; the rows below move up. false when index is not a body row.
    bool removeItem(int index);
    // Empties every cell's text and back colour; the shape stays.
    void clear();

    // ---- geometry (twips; -1 restores the default) ----------------------------------------
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // The width the columns can fill without a horizontal scroll bar: the grid's width less
    // its frame and, when it shows, the vertical scroll bar.
    int clientWidth() const;
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // ---- look -----------------------------------------------------------------------------
    // Alignment of the body cells of a column (GridAlign codes).
    int colAlignment(int col) const;
    void setColAlignment(int col, int code);
    // Alignment of the fixed cells of a column; until set it follows the body alignment.
    int fixedAlignment(int col) const;
    void setFixedAlignment(int col, int code);
    // How a cell's text is placed, as the cell shows it.
    Qt::Alignment displayAlignment(int row, int col) const { return qtAlignment(row, col, textMatrix(row, col)); }
    // Wraps long lines at word boundaries inside their cell (line breaks always show).
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool w);
    // A picture behind every cell that has no back colour of its own; a null image clears it.
    void setWallPaper(const QImage& img);
    void clearWallPaper() { setWallPaper(QImage()); }
    bool hasWallPaper() const { return !wallPaper_.isNull(); }
    const QImage& wallPaper() const { return wallPaper_; }
    WallPaperMode wallPaperMode() const { return wallPaperMode_; }
    void setWallPaperMode(WallPaperMode m);
    // Back colour of the cells row1..row2 x col1..col2 (either corner first; clipped to the
    // grid). The grid's own back colour makes the cells plain again, so the wallpaper shows.
    void setCellBackColor(int row1, int col1, int row2, int col2, Color c);
    // A cell's back colour: its own, else the grid's (fixed cells: the fixed back colour).
    Color cellBackColor(int row, int col) const;
    Color backColorFixed() const { return backColorFixed_; }
    void setBackColor(Color c) override;
    void setFont(const Font& f) override;

    // ---- in-cell editing ------------------------------------------------------------------
    int editable() const { return editable_; }
    // Switching editing off ends an edit in progress, keeping what was typed.
    void setEditable(int mode);
    // The edit mask of a column: its length is the most characters a person can type into a
    // cell of that column (every position takes any character, as "&" does).
    QString colEditMask(int col) const;
    void setColEditMask(int col, const QString& mask);
    // A read-only column's cells never open the editor, whatever the editing mode.
    bool colReadOnly(int col) const;
    void setColReadOnly(int col, bool readOnly);
    // Most characters typed into any cell (0: no limit).
    int editMaxLength() const { return editMaxLength_; }
    void setEditMaxLength(int n) { editMaxLength_ = n < 0 ? 0 : n; }
    // The typing limit of a column's cells (0: none).
    int editLimit(int col) const;
    bool isEditing() const { return editing_; }
    int editRow() const { return editRow_; }
    int editCol() const { return editCol_; }
    QString editText() const;
    // Replaces what the open cell editor holds and puts its cursor at cursor; raises no
    // ChangeEdit. Nothing when no cell is being edited.
    void setEditText(const QString& text, int cursor);
    int editCursor() const;
    // Opens the cell editor on the current cell (as F2 does); false when the cell is fixed or
    // editing is off.
    bool editCell();
    // Ends the edit: commit writes the typed text into the cell; cancel drops it.
    void commitEdit();
    void cancelEdit();

    // ---- sorting and scroll tips ----------------------------------------------------------
    // A click on a heading cell sorts the body rows by that column, first ascending, then
    // alternating; empty cells sort first in ascending order, numbers before other text.
    bool sortOnHeaderClick() const { return sortOnHeaderClick_; }
    void setSortOnHeaderClick(bool on) { sortOnHeaderClick_ = on; }
    // While the user drags the vertical scroll box, a tip shows the text that the
    // BeforeScrollTip handler puts into scrollTipText for the row at the top.
    bool scrollTips() const { return scrollTips_; }
    void setScrollTips(bool on) { scrollTips_ = on; }
    QString scrollTipText() const { return scrollTipText_; }
    void setScrollTipText(const QString& t) { scrollTipText_ = t; }
    // The tip last shown to the user.
    QString shownScrollTip() const { return shownScrollTip_; }
    int topRow() const;
    // Scrolls so that row is the top body row (as far as the rows below it allow).
    void setTopRow(int row);

    // ---- fitting the cells to their texts ------------------------------------------------
    // The column width in twips that shows text (its lines split at CR LF) without wrapping,
    // in the grid's font, with the cell's margins.
    int textWidth(const QString& text) const;
    // Sets the height of each row from row1 to row2 to what its cells' texts need at the
    // columns' widths (wrapped lines included when word wrap is on).
    void autoSizeRows(int row1, int row2);
    // The current cell is highlighted always, or only while the grid has the keyboard focus
    // (for a grid the user only reads).
    enum class Highlight { Always, WithFocus };
    Highlight highlight() const { return highlight_; }
    void setHighlight(Highlight h);

    // ---- a person's actions (the widget's mouse and keys use these; so do tests) ---------
    // A press and release on a cell: the current cell moves there (left button, body cells),
    // MouseDown, MouseUp and Click run, and with EditKeyboardMouse the editor opens. A heading
    // click sorts when sortOnHeaderClick is on. The right button moves nothing and raises no
    // Click.
    void clickCell(int row, int col, int button = Mouse::Left, int shift = 0);
    void doubleClickCell(int row, int col);
    // Drags the vertical scroll box until row is the top body row.
    void dragScrollBox(int row);
    // Typing while the grid has the focus (the form passes each key here after its preview).
    void handleKey(int keyCode, int shift, int keyAscii) override;
    bool canTakeFocus() const override { return true; }

    // ---- events ---------------------------------------------------------------------------
    // A cell's text changed (by a finished edit or by code; not by adding or removing rows).
    std::function<void(int row, int col)> onCellChanged;
    // The text in the open cell editor changed as the user typed.
    std::function<void()> onChangeEdit;
    // The user finished editing a cell (not when the edit was cancelled).
    std::function<void(int row, int col)> onAfterEdit;
    // The user is about to sort the grid by a heading click; the rows are still in place.
    std::function<void(int col, int order)> onBeforeSort;
    // The user sorted the grid by a heading click.
    std::function<void(int col, int order)> onAfterSort;
    // Before a scroll tip shows: set scrollTipText for the given row.
    std::function<void(int row)> onBeforeScrollTip;

    // The Qt table behind the grid (for rendering in tests).
    QTableWidget* table() const;

private:
    friend class GridView;
    friend class GridEditor;
    friend class GridFilter;
    friend class GridDelegate;

    struct Snapshot;
    Snapshot takeSnapshot() const;
    void restoreSnapshot(const Snapshot& s);
    void rebuild();

    bool isBodyCell(int row, int col) const {
        return row >= fixedRows_ && row < rows_ && col >= fixedCols_ && col < cols_;
    }
    bool inGrid(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
    QTableWidgetItem* itemFor(int row, int col, bool create) const;
    void writeCell(int row, int col, const QString& text);
    void syncCurrentToView();
    void ensureHeaderItems();
    void applyHeaderAlignment();
    void applyColWidth(int col);
    void applyRowHeight(int row);
    void updateDefaultRowHeight();
    void updateHeaderGeometry();
    void applyColors() override;
    Qt::Alignment qtAlignment(int row, int col, const QString& text) const;

    void startEdit(const QString& initial, bool replace);
    void finishEdit(bool commit);
    void placeEditor();
    void sortBy(int col, int order);
    void showScrollTip(int row);
    void cellPress(int row, int col, int button, int shift, int x, int y);
    void cellRelease(int row, int col, int button, int shift, int x, int y);
    QPoint cellCentre(int row, int col) const;  // pixels in the grid widget

    GridView* view_ = nullptr;
    GridEditor* editor_ = nullptr;
    int rows_ = 2, cols_ = 2, fixedRows_ = 1, fixedCols_ = 1;
    int row_ = 1, col_ = 1;
    QString cornerText_;
    Color cornerBack_ = 0;
    bool cornerBackSet_ = false;
    std::vector<int> colTwips_, rowTwips_;
    std::vector<int> colAlign_, fixedAlign_;
    std::vector<QString> editMasks_;
    std::vector<bool> readOnlyCols_;
    bool wordWrap_ = false;
    Highlight highlight_ = Highlight::Always;
    QImage wallPaper_;
    WallPaperMode wallPaperMode_ = WallPaperTile;
    Color backColorFixed_ = SysButtonFace;
    int editable_ = EditNone;
    int editMaxLength_ = 0;
    bool editing_ = false;
    bool finishing_ = false;
    bool editDirty_ = false;
    int editRow_ = -1, editCol_ = -1;
    int editStartLength_ = 0;
    bool sortOnHeaderClick_ = false;
    int lastSortCol_ = -1, lastSortOrder_ = 0;
    bool scrollTips_ = false;
    QString scrollTipText_, shownScrollTip_;
    bool syncing_ = false;
    // Mouse state between a press and its release.
    int pressRow_ = -1, pressCol_ = -1;
    bool afterDoubleClick_ = false;
    int defaultRowPx_ = 20;
};

}  // namespace platform
