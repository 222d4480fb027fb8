// The to-do list report: only rows with an item, in list order and without gaps; each page
// under the title, the "As of" line (or an empty line) and the headings; grid lines or none;
// rows moved whole to the next page at the break line; and a report that ends whatever the
// paper and font, with every page taking at least one row.
#include "printing/ToDoReport.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace platform;
using timeline::ToDoList;
using timeline::ToDoRow;

namespace {

const QString Title = QStringLiteral("Project Timeline/To Do List");
const QDate Today(2005, 1, 6);

ToDoReportOptions options(double size = 12) {
    ToDoReportOptions o;
    o.font = Font{QStringLiteral("Times New Roman"), size};
    o.color = rgb(0, 0, 128);
    o.today = Today;
    return o;
}

ToDoList listOf(int items, int every = 1) {
    ToDoList list;
    for (int i = 1, r = 1; i <= items; ++i, r += every)
        list.setRow(r, {QStringLiteral("Item %1").arg(i), QStringLiteral("Thu - Jan 6, 05"), QString(),
                        QStringLiteral("Mon - Feb 7, 05")});
    return list;
}

std::vector<PrintOp> opsOf(const PrintDocument& doc, int page, PrintOp::Kind kind) {
    std::vector<PrintOp> out;
    for (const PrintOp& op : doc.page(page).ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

// The printed items of a page, in the order printed, with their tops.
std::vector<std::pair<QString, double>> itemsOn(const PrintDocument& doc, int page) {
    std::vector<std::pair<QString, double>> out;
    for (const PrintOp& op : opsOf(doc, page, PrintOp::Text))
        if (op.text.startsWith(QLatin1String("Item "))) out.emplace_back(op.text.trimmed(), op.box.top());
    return out;
}

const PrintOp* textOp(const PrintDocument& doc, int page, const QString& text) {
    for (const PrintOp& op : doc.page(page).ops)
        if (op.kind == PrintOp::Text && op.text.trimmed() == text) return &op;
    return nullptr;
}

TEST(ToDoReportTest, OnlyRowsWithAnItemPrintInOrderWithoutGaps) {
    ToDoList list = listOf(6, 3);  // items on rows 1, 4, 7 ... with empty rows between
    list.setRow(2, {QStringLiteral("   "), QStringLiteral("Fri - Jan 7, 05"), QString(), QString()});
    PrintDocument doc;
    buildToDoReport(list, doc, options());
    ASSERT_EQ(doc.pageCount(), 1);
    const auto items = itemsOn(doc, 1);
    ASSERT_EQ(items.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(items[size_t(i)].first, QStringLiteral("Item %1").arg(i + 1));
    for (size_t i = 1; i < items.size(); ++i) EXPECT_NEAR(items[i].second - items[i - 1].second, doc.lineHeight(), 0.5);
    EXPECT_EQ(textOp(doc, 1, QStringLiteral("Fri - Jan 7, 05")), nullptr);  // a row without an item is left out

    // The item starts 260 twips inside the left margin, the dates are centred on their columns.
    const PrintOp* item = textOp(doc, 1, QStringLiteral("Item 1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->box.left(), 360);
    const PrintOp* date = textOp(doc, 1, QStringLiteral("Thu - Jan 6, 05"));
    ASSERT_NE(date, nullptr);
    EXPECT_NEAR(date->box.center().x(), doc.pageWidth() / 1.995, 1);
    EXPECT_NEAR(date->box.top(), item->box.top(), 0.5);
    EXPECT_EQ(date->color, rgb(0, 0, 128));
    EXPECT_EQ(date->font.name, QStringLiteral("Times New Roman"));
}

TEST(ToDoReportTest, EachPageStartsWithTheTitleTheDateLineAndTheHeadings) {
    PrintDocument doc;
    buildToDoReport(listOf(500), doc, options());
    ASSERT_GT(doc.pageCount(), 5);
    const double h = doc.pageHeight();
    const double l2 = h - 200 - 2 * doc.textWidth(QStringLiteral("P"));
    int printed = 0;
    for (int p = 1; p <= doc.pageCount(); ++p) {
        const PrintOp* title = textOp(doc, p, Title);
        ASSERT_NE(title, nullptr) << p;
        EXPECT_EQ(title->font.size, 14);
        EXPECT_NEAR(title->box.center().x(), doc.pageWidth() / 2.0, 1);
        const PrintOp* asOf = textOp(doc, p, QStringLiteral("As of  January 06, 2005"));
        ASSERT_NE(asOf, nullptr) << p;
        EXPECT_EQ(asOf->font.size, 10);
        for (const char* heading : {"To Do Item", "To Do Date", "Actual Date", "Next Review Date"})
            ASSERT_NE(textOp(doc, p, QString::fromLatin1(heading)), nullptr) << p << heading;
        const auto items = itemsOn(doc, p);
        ASSERT_FALSE(items.empty()) << p;
        for (const auto& [text, top] : items) {
            ++printed;
            EXPECT_EQ(text, QStringLiteral("Item %1").arg(printed));
            EXPECT_LT(top, l2);  // no row starts at or below the break line
            EXPECT_GT(top, asOf->box.bottom());
        }
    }
    EXPECT_EQ(printed, 500);
}

TEST(ToDoReportTest, WithoutTheDateLineAnEmptyLineKeepsTheHeadingsInPlace) {
    PrintDocument with, without;
    buildToDoReport(listOf(3), with, options());
    ToDoReportOptions o = options();
    o.asOfDate = false;
    buildToDoReport(listOf(3), without, o);
    for (const PrintOp& op : without.page(1).ops) EXPECT_FALSE(op.text.startsWith(QLatin1String("As of")));
    const PrintOp* a = textOp(with, 1, QStringLiteral("To Do Item"));
    const PrintOp* b = textOp(without, 1, QStringLiteral("To Do Item"));
    ASSERT_TRUE(a && b);
    EXPECT_DOUBLE_EQ(a->box.top(), b->box.top());
}

TEST(ToDoReportTest, GridLinesFrameThePageOrAreLeftOutEntirely) {
    PrintDocument doc;
    buildToDoReport(listOf(120), doc, options());
    ASSERT_GE(doc.pageCount(), 2);
    const double w = doc.pageWidth(), l1 = doc.pageHeight() - 200;
    for (int p = 1; p <= doc.pageCount(); ++p) {
        const auto lines = opsOf(doc, p, PrintOp::Line);
        // Top, two sides, under the title, four column lines, under the headings, bottom.
        ASSERT_EQ(lines.size(), 10u) << p;
        EXPECT_EQ(lines[0].line, QLineF(100, 400, w - 100, 400));
        EXPECT_EQ(lines[1].line, QLineF(100, 400, 100, l1));
        EXPECT_EQ(lines[2].line, QLineF(w - 100, 400, w - 100, l1));
        EXPECT_NEAR(lines[4].line.x1(), w / 2.45, 0.01);
        EXPECT_EQ(lines[9].line, QLineF(100, l1, w - 100, l1));
        EXPECT_EQ(lines[0].color, rgb(0, 0, 128));
    }
    ToDoReportOptions o = options();
    o.gridLines = false;
    buildToDoReport(listOf(120), doc, o);
    for (int p = 1; p <= doc.pageCount(); ++p) EXPECT_TRUE(opsOf(doc, p, PrintOp::Line).empty()) << p;
}

TEST(ToDoReportTest, ALongItemKeepsToItsColumnOfFortyFiveCharacters) {
    EXPECT_EQ(toDoItemField(QStringLiteral("  Backup")), QStringLiteral("  Backup"));
    const QString sixty = QString(60, QLatin1Char('x'));
    EXPECT_EQ(toDoItemField(sixty), QString(45, QLatin1Char('x')));
    // The two blanks the entry box's Enter puts in front are not counted in the field.
    const QString typed = QStringLiteral("  ") + QString(45, QLatin1Char('y'));
    EXPECT_EQ(toDoItemField(typed), typed);
    EXPECT_EQ(toDoItemField(QStringLiteral("  ") + sixty), QStringLiteral("  ") + QString(45, QLatin1Char('x')));
    EXPECT_EQ(toDoAsOfLine(QDate(2026, 11, 1)), QStringLiteral("As of  November 01, 2026"));
}

// A font so large, on paper so small, that the page header alone reaches the break line: the
// report still ends, and every header it starts is followed by a row, which stays on the paper.
TEST(ToDoReportTest, AHeaderThatReachesTheBreakLineStillTakesOneRowPerPage) {
    // spills: the header itself runs over onto a further page.
    struct Paper { const char* name; int w, h, orientation; double size; bool spills; };
    for (const Paper& paper : {Paper{"Letter landscape", 12240, 15840, 1, 100, false},
                               Paper{"index card", 4320, 2880, 0, 40, false},
                               Paper{"A6 landscape", 5953, 8391, 1, 72, true}}) {
        SCOPED_TRACE(paper.name);
        PrintDocument doc;
        doc.setPaperSize(paper.w, paper.h);
        doc.setOrientation(paper.orientation);
        buildToDoReport(listOf(12), doc, options(paper.size));
        if (!paper.spills) {
            // The case at hand: the header of page 1 ends at or below the break line.
            double headerEnd = 0;
            for (const PrintOp& op : opsOf(doc, 1, PrintOp::Text)) {
                if (op.text.startsWith(QLatin1String("Item "))) break;
                headerEnd = std::max(headerEnd, op.box.bottom());
            }
            doc.setFontSize(paper.size);
            EXPECT_GE(headerEnd + 100, doc.pageHeight() - 200 - 2 * doc.textWidth(QStringLiteral("P")));
        }
        int printed = 0, headers = 0;
        for (int p = 1; p <= doc.pageCount(); ++p) {
            for (const PrintOp& op : opsOf(doc, p, PrintOp::Text)) {
                if (op.text.startsWith(QLatin1String("Project Timeline"))) ++headers;
                if (!op.text.startsWith(QLatin1String("Item "))) continue;
                ++printed;
                EXPECT_EQ(op.text.trimmed(), QStringLiteral("Item %1").arg(printed));
                EXPECT_LE(op.box.bottom(), doc.pageHeight() - doc.marginBottom() + 0.5);
            }
        }
        EXPECT_EQ(printed, 12);
        EXPECT_EQ(headers, 12);
    }
}

TEST(ToDoReportTest, AnEmptyListIsAnEmptyDocument) {
    PrintDocument doc;
    buildToDoReport(ToDoList(), doc, options());
    EXPECT_EQ(doc.pageCount(), 1);
    EXPECT_TRUE(doc.page(1).ops.empty());
}

}  // namespace
