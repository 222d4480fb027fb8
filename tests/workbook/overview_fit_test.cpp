// The standards overview as a person reads it at 800 by 600 and larger, in both display modes:
// no line of the section, specification, mark and status columns wraps (so every mark and
// status stands beside its specification), no row cuts its text or stands mostly empty, no
// horizontal scroll bar, a large window shows the whole largest area, and the page opens at
// its first row.
#include "frame/Settings.h"
#include "catalogue/Catalogue.h"
#include "tests/workbook/HubFixture.h"
#include "workbook/PageLook.h"

#include <QAbstractItemDelegate>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableWidget>

using namespace platform;

namespace {

struct Screen {
    const char* name;
    int width, height;  // twips
    bool smaller;       // the smaller-screen display
};

class OverviewFitTest : public hubtest::HubTest, public ::testing::WithParamInterface<Screen> {
protected:
    // The window as a window manager shows it: its client area is the screen less the frame
    // and the menu bar.
    WorkArea1& openAtSize() {
        screen->setSize(GetParam().width, GetParam().height);
        screen->frameWindows();
        frame::writeDisplayModeSetting(GetParam().smaller);
        WorkArea1& w = openHub();
        doEvents();
        return w;
    }
    // The height in pixels Qt lays the cell out in at a given width.
    static int laidOutHeight(QTableWidget* t, int row, int col, int width) {
        QStyleOptionViewItem o;
        o.initFrom(t);
        o.font = t->font();
        o.rect = QRect(0, 0, width, 1 << 20);
        o.features |= QStyleOptionViewItem::WrapText;
        return t->itemDelegate()->sizeHint(o, t->model()->index(row, col)).height();
    }
};

TEST_P(OverviewFitTest, EveryAreaReadsInAlignedRows) {
    WorkArea1& w = openAtSize();
    QTableWidget* t = w.VSGd1.table();
    for (int area = 0; area < 3; ++area) {
        w.SSCommand18[area].click();
        int columns = 0;
        for (int c = 0; c < 5; ++c) columns += t->columnWidth(c);
        EXPECT_LE(columns, t->viewport()->width()) << "no horizontal scroll bar";
        for (int r = 0; r < t->rowCount(); ++r) {
            int tallest = 0;
            for (int c = 0; c < 5; ++c) {
                const int shown = laidOutHeight(t, r, c, t->columnWidth(c));
                tallest = std::max(tallest, shown);
                if (c == 0) continue;  // a standard's name may wrap
                EXPECT_EQ(shown, laidOutHeight(t, r, c, 4000))
                    << "wrapped: " << w.VSGd1.textMatrix(r + 1, c).toStdString();
            }
            EXPECT_GE(t->rowHeight(r), tallest) << "cut: row " << r + 1;
            // At most one line more than its text (a one-line row keeps the grid's own height).
            EXPECT_LE(t->rowHeight(r), tallest + twipsToPixelsY(workbook::OverviewExtraPerRow) + 4)
                << "mostly empty: row " << r + 1;
        }
        EXPECT_EQ(w.VSGd1.topRow(), 1);
    }
}

TEST_P(OverviewFitTest, AStatusAsLongAsAnyShowsOnItsOwnLine) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{3, "Not Implemented"}, {4, "Completed"}}));
    WorkArea1& w = openAtSize();
    QTableWidget* t = w.VSGd1.table();
    EXPECT_EQ(laidOutHeight(t, 0, 4, t->columnWidth(4)), laidOutHeight(t, 0, 4, 4000));
    EXPECT_EQ(laidOutHeight(t, 0, 4, t->columnWidth(4)), laidOutHeight(t, 0, 2, t->columnWidth(2)));
}

// Every specification "Not Implemented": the longest status in every line, and so many lines
// that the administrative grid scrolls on a small screen. Each status shows whole, beside its
// specification, with no horizontal scroll bar.
TEST_P(OverviewFitTest, EveryStatusNotImplementedShowsWholeWithoutAHorizontalScrollBar) {
    std::vector<std::pair<int, QByteArray>> records;
    for (int k = 1; k <= 42; ++k) records.emplace_back(k, "Not Implemented");
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile(records));
    WorkArea1& w = openAtSize();
    QTableWidget* t = w.VSGd1.table();
    for (int area = 0; area < 3; ++area) {
        w.SSCommand18[area].click();
        doEvents();
        EXPECT_EQ(t->horizontalScrollBar()->maximum(), 0) << "area " << area;
        int columns = 0;
        for (int c = 0; c < 5; ++c) columns += t->columnWidth(c);
        EXPECT_LE(columns, t->viewport()->width()) << "area " << area;
        QStyleOptionViewItem o;
        o.initFrom(t);
        o.font = t->font();
        for (int r = 0; r < t->rowCount(); ++r) {
            const int need = t->itemDelegate()->sizeHint(o, t->model()->index(r, 4)).width();
            EXPECT_LE(need, t->columnWidth(4)) << "cut: area " << area << " row " << r;
            EXPECT_EQ(laidOutHeight(t, r, 4, t->columnWidth(4)), laidOutHeight(t, r, 4, 4000))
                << "wrapped: area " << area << " row " << r;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, OverviewFitTest,
                         ::testing::Values(Screen{"Full800x600", 12000, 9000, false},
                                           Screen{"Smaller800x600", 12000, 9000, true},
                                           Screen{"Full1280x1024", 19200, 15360, false},
                                           Screen{"Smaller1280x1024", 19200, 15360, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class OverviewPlaceTest : public hubtest::HubTest {};

TEST_F(OverviewPlaceTest, ALargeScreenShowsTheLargestAreaWhole) {
    screen->setSize(19200, 15360);
    frame::writeDisplayModeSetting(false);
    WorkArea1& w = openHub();
    EXPECT_EQ(w.VSGd1.rows(), 10);
    EXPECT_EQ(w.VSGd1.table()->verticalScrollBar()->maximum(), 0);
}

// Reached with "HIPAA Security Standards" or with the editor's "Exit", the page opens at its
// first row even where the grid must scroll to show the last one.
TEST_F(OverviewPlaceTest, ThePageOpensAtItsFirstRow) {
    frame::writeDisplayModeSetting(true);
    WorkArea1& w = openHub();
    w.move(w.left(), w.top(), 12000, 7200);  // a window too short for every row
    page(w, catalogue::PageOverview);
    ASSERT_GT(w.VSGd1.table()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(w.VSGd1.topRow(), 1);
    page(w, catalogue::PageAdministrative);
    w.SSCommand7.click();
    EXPECT_EQ(w.AreaMode, catalogue::PageOverview);
    EXPECT_EQ(w.VSGd1.topRow(), 1);
    w.SSCommand18[2].click();
    w.SSCommand18[0].click();
    EXPECT_EQ(w.VSGd1.topRow(), 1);
}

}  // namespace
