// The project timeline's to-do list without any window: 500 rows of an item and three dates,
// addressed by the to-do grid's own row and column numbers, with the row commands and the
// compaction that follows a sort.
//
// Grid columns: 0 a narrow leading column and 4 a hair-thin spacer, both never filled or
// stored; 1 the item, 2 the to-do date, 3 the actual date, 5 the next review date. Every cell
// is plain text: a date is kept exactly as it was written ("Thu - Jan 6, 05" from the
// calendar, or whatever a person typed).
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace timeline {

enum ToDoColumn : int {
    ColLead = 0,
    ColItem = 1,
    ColToDoDate = 2,
    ColActualDate = 3,
    ColSpacer = 4,
    ColNextReview = 5,
};
constexpr int ToDoColumnCount = 6;
// Rows 1..500; the grid's row 0 holds the headings.
constexpr int ToDoRowCount = 500;
// The most characters a person types into an item cell.
constexpr int ToDoItemLength = 45;

// The headings of columns 0..5 as the grid shows them.
inline const std::array<QString, ToDoColumnCount> ToDoHeadings = {
    QString(), QStringLiteral("To Do Item"), QStringLiteral("To Do Date"), QStringLiteral("Actual Date"),
    QString(), QStringLiteral("Next Review Date")};

// Whether an item text names something: blanks alone do not.
bool isItemText(const QString& item);

// The date a date cell reads as: the text after its first hyphen (the calendar writes the
// weekday before it), or the whole text when it has none; nothing when that is no date. A
// year of two digits is read around the year of the program's clock.
std::optional<QDate> readCellDate(const QString& cell);

struct ToDoRow {
    QString item;
    QString toDoDate;
    QString actualDate;
    QString nextReviewDate;

    bool hasItem() const { return isItemText(item); }
    // Nothing in any of the four cells.
    bool isEmpty() const {
        return item.isEmpty() && toDoDate.isEmpty() && actualDate.isEmpty() && nextReviewDate.isEmpty();
    }
    bool operator==(const ToDoRow&) const = default;
};

class ToDoList {
public:
    // 500 empty rows.
    ToDoList() = default;

    // Row r (1..500); outside that range an empty row.
    const ToDoRow& row(int r) const;
    void setRow(int r, const ToDoRow& row);
    // The text of grid column col of row r: columns 0 and 4, and anything outside the list,
    // read as the empty text.
    QString cell(int r, int col) const;
    // Sets one cell; columns 0 and 4 hold nothing and are left so.
    void setCell(int r, int col, const QString& text);

    // Every row empty.
    void clear();
    // Whether any row has an item.
    bool hasItems() const;
    // The first row (1..500) whose item is empty or blank; 0 when every row has one.
    int firstRowWithoutItem() const;

    // Removes row r; the rows below move up and an empty row joins at the bottom. False (and
    // nothing changed) when r is no row.
    bool removeRow(int r);
    // Inserts an empty row before row r; the rows from r move down and the last row drops
    // out. Gives the row that dropped out (empty when nothing was lost). An r outside 1..500
    // changes nothing and gives an empty row.
    ToDoRow insertRow(int r);

    // Moves the rows that have an item to the top, in their order, and empties the rest (a
    // row with dates but no item is dropped). True when any row changed its place or content.
    bool compact();

    // Puts the rows in the order of a date column (2, 3 or 5): first the cells that read as a
    // date, by that date; then those whose text reads as no date, by their text without regard
    // to case; then the empty ones. Descending turns the dates and the texts round; the empty
    // cells stay last. Rows that compare equal keep their order. Other columns change nothing.
    void sortByDate(int col, bool ascending);

    bool operator==(const ToDoList&) const = default;

private:
    std::array<ToDoRow, ToDoRowCount> rows_{};
};

}  // namespace timeline
