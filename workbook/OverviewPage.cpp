// The standards overview grid VSGd1 of the Action Area's first page: one safeguard area at a
// time, one row per standard with its specifications, marks and recorded statuses.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "catalogue/OverviewRows.h"
#include "frame/SharedBehaviours.h"
#include "workbook/PageLook.h"
#include "platform/Form.h"

#include <algorithm>
#include <cmath>

using catalogue::toQString;
using namespace platform;
using namespace workbook;

// The width a column of the overview needs: its widest text in any of the three areas.
int WorkArea1::OverviewColumnNeed(int col) const {
    int need = VSGd1.textWidth(toQString(catalogue::OverviewHeader[std::size_t(col)]));
    auto widen = [&](const QString& text) { need = std::max(need, VSGd1.textWidth(text)); };
    for (const catalogue::OverviewRow& r : catalogue::OverviewRows) {
        if (col == 1) widen(toQString(r.section));
        if (col == 2) widen(toQString(r.specifications));
        if (col == 3) widen(toQString(r.marks));
    }
    if (col == 4) {
        // Every status the box offers, and whatever the status store holds.
        widen(QStringLiteral("Not Implemented"));
        for (int k = 1; k <= catalogue::SpecCount; ++k) widen(SpecStatus[std::size_t(k)]);
    }
    return need;
}

// Each of the section, specification, mark and status columns gets at least its share of the
// grid and at least what its widest text needs, so that none of their lines wraps and every
// mark and status stands beside its specification; the standards column, whose names may
// wrap, takes the rest beside the vertical scroll bar, so that no horizontal one is needed.
void WorkArea1::ApplyOverviewColumnWidths() {
    const int room = VSGd1.width() - OverviewScrollBarRoom;
    int used = 0;
    for (int c = 1; c < catalogue::OverviewColumns; ++c) {
        const double share = c < 4 ? catalogue::OverviewColumnWidths[std::size_t(c)] : 0.0;
        const int width = std::max(int(std::lround(room * share)), OverviewColumnNeed(c));
        VSGd1.setColWidth(c, width);
        used += width;
    }
    VSGd1.setColWidth(0, std::max(room - used, OverviewStandardsMinimum));
}

void WorkArea1::SetupSafeguardGrid() {
    SSPanel1.setBackColor(Label1.backColor());
    // The one-line headings centred, the multi-line body cells at the top.
    for (int c = 0; c < catalogue::OverviewColumns; ++c) VSGd1.setFixedAlignment(c, catalogue::OverviewHeaderAlignment);
    // The user only reads this grid: no cell shows as chosen unless the grid has the focus.
    VSGd1.setHighlight(Grid::Highlight::WithFocus);
    ApplyOverviewColumnWidths();
    for (int c = 0; c < catalogue::OverviewColumns; ++c)
        VSGd1.setColAlignment(c, catalogue::OverviewBodyAlignment[std::size_t(c)]);
    VSGd1.setRows(10);
    gridSetUp_ = true;
    doEvents();
}

void WorkArea1::SSCommand18_Click(int index) {
    if (index < 0 || index > 2) return;
    MarkChosenButton(SSCommand18, index, true);
    SSCommand& pressed = SSCommand18[index];
    setCaption(QStringLiteral("Action Area - HIPAA Security Standards - ") + pressed.caption());
    VSGd1.setRows(1);
    VSGd1.setRow(0);
    VSGd1.setCol(0);
    // The header is written once, on the first press after Load.
    if (VSGd1.text().trimmed().isEmpty()) {
        for (int c = 0; c < catalogue::OverviewColumns; ++c) {
            VSGd1.setCol(c);
            VSGd1.setText(toQString(catalogue::OverviewHeader[std::size_t(c)]));
        }
        Label3.setVisible(true);
        Label4.setVisible(true);
        VSGd1.setVisible(true);
    }
    ShowSafeguardsList(index);
}

void WorkArea1::ShowAdministrativeSafeguardsList() { ShowSafeguardsList(0); }

// Rows 1..n are rebuilt whatever the grid held: each row is added at its place after the row
// count made room for it, and the one empty row left at the end is dropped.
void WorkArea1::ShowSafeguardsList(int area) {
    Label3.setCaption(toQString(catalogue::OverviewAreaHeadings[std::size_t(area)]));
    int i = 0;
    for (const catalogue::OverviewRow& r : catalogue::OverviewRows) {
        if (r.area != area) continue;
        ++i;
        VSGd1.setRows(i + 1);
        VSGd1.setRow(i);
        QStringList statuses;
        for (int k = r.firstSpec; k <= r.lastSpec; ++k) statuses << SpecStatus[std::size_t(k)];
        const QString tab = QStringLiteral("\t");
        const QString text = toQString(r.standard) + tab + toQString(r.section) + tab + toQString(r.specifications) + tab + toQString(r.marks) +
                             tab + statuses.join(QStringLiteral("\r\n"));
        VSGd1.addItem(text, i);
    }
    VSGd1.setRows(VSGd1.rows() - 1);
    FitOverviewRows();
    // The list opens at its first row, whichever row was filled last.
    VSGd1.setRow(1);
    VSGd1.setCol(0);
    VSGd1.setTopRow(1);
}

// Each row as tall as its lines (a wrapped standard's name included); where the grid has room
// to spare, the rows share it, up to one line each, so that a large window does not show
// rows of mostly empty space.
void WorkArea1::FitOverviewRows() {
    // A larger window shows the overview in larger type (up to 12 points) rather than as rows
    // with empty space below them, as far as the columns still fit its width; the smallest
    // window has the program's type size.
    Font f = VSGd1.font();
    const double scaled = 8.25 * double(VSGd1.height()) / OverviewReferenceHeight;
    for (double size = std::clamp(std::floor(scaled * 4) / 4, 8.25, 12.0);; size -= 0.25) {
        if (f.size != size) {
            f.size = size;
            VSGd1.setFont(f);
        }
        int needed = OverviewStandardsMinimum + OverviewScrollBarRoom;
        for (int c = 1; c < catalogue::OverviewColumns; ++c) needed += OverviewColumnNeed(c);
        if (size <= 8.25 || needed <= VSGd1.width()) break;
    }
    ApplyOverviewColumnWidths();
    const int last = VSGd1.rows() - 1;
    auto spare = [&] {
        VSGd1.autoSizeRows(1, last);
        int used = VSGd1.rowHeight(0) + OverviewGridFrame;
        for (int r = 1; r <= last; ++r) used += VSGd1.rowHeight(r);
        // Rows are drawn in whole pixels: each may take up to a pixel more than its twips.
        return VSGd1.height() - used - (last + 1) * pixelsToTwipsY(1);
    };
    int room = spare();
    // Rows that fit with room to spare need no vertical scroll bar: its room goes to the
    // standards column (whose rows can then only get shorter). Where they only just fit, the
    // room stays, so that a scroll bar after all never pushes the columns past the grid.
    if (room >= OverviewScrollBarRoom) {
        VSGd1.setColWidth(0, VSGd1.colWidth(0) + OverviewScrollBarRoom - OverviewGridFrame);
        room = spare();
    }
    if (room > 0 && last > 0) {
        const int extra = std::min(room / last, OverviewExtraPerRow);
        for (int r = 1; r <= last; ++r) VSGd1.setRowHeight(r, VSGd1.rowHeight(r) + extra);
    }
}
