// The standards overview grid VSGd1 of the Action Area's first page: one safeguard area at a
// time, one row per standard with its specifications, marks and recorded statuses.
#include "workbook/WorkArea1.h"

#include "catalogue/OverviewRows.h"
#include "platform/Form.h"

#include <cmath>

using namespace platform;

namespace {
QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}  // namespace

void WorkArea1::ApplyOverviewColumnWidths() {
    for (int c = 0; c < int(catalogue::OverviewColumnWidths.size()); ++c)
        VSGd1.setColWidth(c, int(std::lround(VSGd1.width() * catalogue::OverviewColumnWidths[std::size_t(c)])));
    // The status column takes what is left beside the vertical scroll bar.
    int used = 0;
    for (int c = 0; c < 4; ++c) used += VSGd1.colWidth(c);
    const int rest = VSGd1.width() - used - 360;
    if (rest > VSGd1.colWidth(4)) VSGd1.setColWidth(4, rest);
}

void WorkArea1::SetupSafeguardGrid() {
    SSPanel1.setBackColor(Label1.backColor());
    // The one-line headings centred, the multi-line body cells at the top.
    for (int c = 0; c < catalogue::OverviewColumns; ++c) VSGd1.setFixedAlignment(c, catalogue::OverviewHeaderAlignment);
    ApplyOverviewColumnWidths();
    for (int c = 0; c < catalogue::OverviewColumns; ++c)
        VSGd1.setColAlignment(c, catalogue::OverviewBodyAlignment[std::size_t(c)]);
    VSGd1.setRows(10);
    gridSetUp_ = true;
    doEvents();
}

void WorkArea1::SSCommand18_Click(int index) {
    if (index < 0 || index > 2) return;
    for (auto& [i, b] : SSCommand18) {
        b->setForeColor(paletteColor(0));
        Font f = b->font();
        f.bold = false;
        b->setFont(f);
        b->setBevelWidth(2);
    }
    SSCommand& pressed = SSCommand18[index];
    pressed.setBevelWidth(0);
    pressed.setForeColor(paletteColor(9));
    Font bold = pressed.font();
    bold.bold = true;
    pressed.setFont(bold);
    setCaption(QStringLiteral("Action Area - HIPAA Security Standards - ") + pressed.caption());
    VSGd1.setRows(1);
    VSGd1.setRow(0);
    VSGd1.setCol(0);
    // The header is written once, on the first press after Load.
    if (VSGd1.text().trimmed().isEmpty()) {
        for (int c = 0; c < catalogue::OverviewColumns; ++c) {
            VSGd1.setCol(c);
            VSGd1.setText(u8(catalogue::OverviewHeader[std::size_t(c)]));
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
    Label3.setCaption(u8(catalogue::OverviewAreaHeadings[std::size_t(area)]));
    int i = 0;
    for (const catalogue::OverviewRow& r : catalogue::OverviewRows) {
        if (r.area != area) continue;
        ++i;
        VSGd1.setRows(i + 1);
        VSGd1.setRow(i);
        QStringList statuses;
        for (int k = r.firstSpec; k <= r.lastSpec; ++k) statuses << SpecStatus[std::size_t(k)];
        const QString tab = QStringLiteral("\t");
        const QString text = u8(r.standard) + tab + u8(r.section) + tab + u8(r.specifications) + tab + u8(r.marks) +
                             tab + statuses.join(QStringLiteral("\r\n"));
        VSGd1.addItem(text, i);
        if (r.height > 0) VSGd1.setRowHeight(i, int(std::lround(VSGd1.height() * r.height)));
    }
    VSGd1.setRows(VSGd1.rows() - 1);
}
