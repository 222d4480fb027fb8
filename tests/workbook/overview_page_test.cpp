// The standards overview grid: one row per standard, with the recorded statuses.
#include "catalogue/OverviewRows.h"
#include "tests/workbook/HubFixture.h"

#include <cmath>

using namespace platform;

namespace {

struct AreaCase {
    int area;
    int rows;
    const char* heading;
};

class OverviewAreaTest : public hubtest::HubTest, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(OverviewAreaTest, AnAreaButtonListsItsStandards) {
    const AreaCase c = GetParam();
    WorkArea1& w = openHub();
    w.SSCommand18[c.area].click();
    EXPECT_EQ(w.VSGd1.rows(), c.rows);
    EXPECT_EQ(w.Label3.caption(), QString::fromUtf8(c.heading));
    EXPECT_EQ(w.caption(), QStringLiteral("Action Area - HIPAA Security Standards - ") + w.SSCommand18[c.area].caption());
    const QStringList header{"Standards", "Section", "Implementation Specifications", "*", "Current Status"};
    for (int col = 0; col < 5; ++col) EXPECT_EQ(w.VSGd1.textMatrix(0, col), header[col]);
    int row = 0;
    for (const catalogue::OverviewRow& r : catalogue::OverviewRows) {
        if (r.area != c.area) continue;
        ++row;
        EXPECT_EQ(w.VSGd1.textMatrix(row, 1), QString::fromUtf8(r.section.data(), qsizetype(r.section.size())));
        // One status line per specification line, so the last three columns stay aligned.
        EXPECT_EQ(w.VSGd1.textMatrix(row, 4).count(QStringLiteral("\r\n")), r.lastSpec - r.firstSpec) << row;
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.SSCommand18[i].bevelWidth(), i == c.area ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(Areas, OverviewAreaTest,
                         ::testing::Values(AreaCase{0, 10, "Administrative Safeguards\u00A7164.308"},
                                           AreaCase{1, 5, "Physical Safeguards\u00A7164.310"},
                                           AreaCase{2, 6, "Technical Safeguards\u00A7164.312"}));

class OverviewGridTest : public hubtest::HubTest {};

TEST_F(OverviewGridTest, RowsAreTabTextsWithTheirStatuses) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{16, "Completed"}, {2, "Working"}}));
    WorkArea1& w = openHub();
    QStringList row6;
    for (int c = 0; c < 5; ++c) row6 << w.VSGd1.textMatrix(6, c);
    EXPECT_EQ(row6.join(QLatin1Char('\t')),
              QStringLiteral("Security Incident Procedures\t164.308(a)(6)\tResponse and Reporting\tR\tCompleted"));
    EXPECT_EQ(w.VSGd1.textMatrix(1, 4), QStringLiteral("\r\nWorking\r\n\r\n"));
    EXPECT_EQ(w.VSGd1.textMatrix(9, 0), QStringLiteral("Business Associate Contracts And\r\nOther Arrangements"));
    EXPECT_EQ(w.VSGd1.textMatrix(9, 3), QStringLiteral("R\r\n\r\n"));
    EXPECT_EQ(w.VSGd1.textMatrix(2, 2), QStringLiteral(" "));
    w.SSCommand18[1].click();
    EXPECT_EQ(w.VSGd1.textMatrix(1, 2).split(QStringLiteral("\r\n")).value(2),
              QStringLiteral("Access Control & Validation Procedures"));
    // Single-entry standards keep a short row (as tall as their name), the four-entry ones
    // are as tall as their four lines.
    for (int single : {2, 3})
        for (int four : {1, 4}) EXPECT_LT(w.VSGd1.rowHeight(single), w.VSGd1.rowHeight(four)) << single;
}

TEST_F(OverviewGridTest, LayoutColumnsAlignmentsAndLegend) {
    WorkArea1& w = openHub();
    // Each column has at least its share of the grid.
    const double widths[4] = {0.30, 0.12, 0.36, 0.04};
    for (int c = 1; c < 4; ++c)
        EXPECT_GE(w.VSGd1.colWidth(c), int(std::lround((w.VSGd1.width() - 360) * widths[c]))) << c;
    const int body[5] = {0, 3, 0, 3, 3};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(w.VSGd1.colAlignment(c), body[c]);
        EXPECT_EQ(w.VSGd1.fixedAlignment(c), 4);
    }
    EXPECT_EQ(w.Label4.caption(), QStringLiteral("*  R = Required;  A = Addressable"));
    EXPECT_TRUE(w.Label3.visible() && w.Label4.visible() && w.VSGd1.visible());
    EXPECT_EQ(w.SSPanel1.backColor(), w.Label1.backColor());
}

TEST_F(OverviewGridTest, ASecondPressRewritesNeitherHeaderNorVisibility) {
    WorkArea1& w = openHub();
    w.Label4.setVisible(false);
    w.VSGd1.setTextMatrix(0, 1, QStringLiteral("Paragraph"));
    w.SSCommand18[2].click();
    EXPECT_FALSE(w.Label4.visible());
    EXPECT_EQ(w.VSGd1.textMatrix(0, 1), QStringLiteral("Paragraph"));
    w.SSCommand18[0].click();
    EXPECT_EQ(w.VSGd1.rows(), 10);
}

TEST_F(OverviewGridTest, AStatusChosenElsewhereShowsWhenTheFirstPageOpensAgain) {
    WorkArea1& w = openHub();
    hubtest::HubTest::page(w, 2);
    w.SSCommand14[4].click();
    w.Combo1.pickText(QStringLiteral("Review"));
    hubtest::HubTest::page(w, 0);
    EXPECT_EQ(w.VSGd1.textMatrix(2, 4), QStringLiteral("Review"));
}

}  // namespace
