#include "timeline/ToDoList.h"

#include "platform/Dates.h"

#include <algorithm>

namespace timeline {

bool isItemText(const QString& item) { return !item.trimmed().isEmpty(); }

std::optional<QDate> readCellDate(const QString& cell) {
    const qsizetype hyphen = cell.indexOf(QLatin1Char('-'));
    return platform::parseDate(hyphen >= 0 ? cell.mid(hyphen + 1) : cell);
}

namespace {

const ToDoRow EmptyRow{};

bool isRow(int r) { return r >= 1 && r <= ToDoRowCount; }

QString* cellOf(ToDoRow& row, int col) {
    switch (col) {
    case ColItem: return &row.item;
    case ColToDoDate: return &row.toDoDate;
    case ColActualDate: return &row.actualDate;
    case ColNextReview: return &row.nextReviewDate;
    default: return nullptr;
    }
}

}  // namespace

const ToDoRow& ToDoList::row(int r) const { return isRow(r) ? rows_[size_t(r - 1)] : EmptyRow; }

void ToDoList::setRow(int r, const ToDoRow& row) {
    if (isRow(r)) rows_[size_t(r - 1)] = row;
}

QString ToDoList::cell(int r, int col) const {
    const ToDoRow& x = row(r);
    switch (col) {
    case ColItem: return x.item;
    case ColToDoDate: return x.toDoDate;
    case ColActualDate: return x.actualDate;
    case ColNextReview: return x.nextReviewDate;
    default: return {};
    }
}

void ToDoList::setCell(int r, int col, const QString& text) {
    if (!isRow(r)) return;
    if (QString* cell = cellOf(rows_[size_t(r - 1)], col)) *cell = text;
}

void ToDoList::clear() { rows_.fill(ToDoRow{}); }

bool ToDoList::hasItems() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const ToDoRow& r) { return r.hasItem(); });
}

int ToDoList::firstRowWithoutItem() const {
    for (int r = 1; r <= ToDoRowCount; ++r)
        if (!rows_[size_t(r - 1)].hasItem()) return r;
    return 0;
}

bool ToDoList::removeRow(int r) {
    if (!isRow(r)) return false;
    std::move(rows_.begin() + r, rows_.end(), rows_.begin() + (r - 1));
    rows_.back() = ToDoRow{};
    return true;
}

ToDoRow ToDoList::insertRow(int r) {
    if (!isRow(r)) return {};
    ToDoRow dropped = std::move(rows_.back());
    std::move_backward(rows_.begin() + (r - 1), rows_.end() - 1, rows_.end());
    rows_[size_t(r - 1)] = ToDoRow{};
    return dropped;
}

bool ToDoList::compact() {
    const auto before = rows_;
    auto kept = std::stable_partition(rows_.begin(), rows_.end(), [](const ToDoRow& r) { return r.hasItem(); });
    std::fill(kept, rows_.end(), ToDoRow{});
    return rows_ != before;
}

void ToDoList::sortByDate(int col, bool ascending) {
    if (col != ColToDoDate && col != ColActualDate && col != ColNextReview) return;
    // Each cell is read once: its rank (0 a date, 1 other text, 2 empty) and what it sorts by.
    struct Key {
        int rank = 2;
        QDate date;
        QString text;
        ToDoRow row;
    };
    std::vector<Key> keys;
    keys.reserve(rows_.size());
    for (ToDoRow& r : rows_) {
        Key k;
        k.text = *cellOf(r, col);
        if (const std::optional<QDate> d = readCellDate(k.text)) {
            k.rank = 0;
            k.date = *d;
        } else if (!k.text.trimmed().isEmpty()) {
            k.rank = 1;
        }
        k.row = std::move(r);
        keys.push_back(std::move(k));
    }
    std::stable_sort(keys.begin(), keys.end(), [ascending](const Key& a, const Key& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        if (a.rank == 0) return ascending ? a.date < b.date : b.date < a.date;
        if (a.rank == 1) {
            const int c = QString::compare(a.text, b.text, Qt::CaseInsensitive);
            return ascending ? c < 0 : c > 0;
        }
        return false;
    });
    for (size_t i = 0; i < keys.size(); ++i) rows_[i] = std::move(keys[i].row);
}

}  // namespace timeline
