// The safeguard status reports as the print document records them: the title, the area
// headings, the column headings, every row's standard, section, specification, mark and
// status at its place, the rules and the frame, the boxed headings and the legend, and tables
// that start on a new page when they do not fit on the rest of one.
#include "printing/SafeguardsReport.h"
#include "printing/SpecificationPage.h"

#include <QString>
#include <QStringList>
#include <string>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <vector>

using platform::PrintDocument;
using platform::PrintOp;
using namespace printing;

namespace {

// The statuses a user recorded: number n holds the text at n, the rest are empty.
StatusOf statuses(std::map<int, QString> recorded) {
    return [recorded](int n) {
        const auto it = recorded.find(n);
        return it == recorded.end() ? QString() : it->second;
    };
}

const StatusOf Recorded = statuses({{1, QStringLiteral("Completed")},
                                    {2, QStringLiteral("  Working ")},
                                    {5, QStringLiteral("Review")},
                                    {23, QStringLiteral("Pending")},
                                    {24, QStringLiteral("Not Implemented")},
                                    {42, QStringLiteral("Completed")}});

struct Built {
    PrintDocument doc;
    ReportPositions pos;
};

void build(Built& b, ReportChoice choice, const StatusOf& status = Recorded,
           platform::Color color = 0) {
    buildSafeguardsReport(b.doc, choice, status, color, b.pos);
}

std::vector<PrintOp> ops(const PrintDocument& doc, int page, PrintOp::Kind kind) {
    std::vector<PrintOp> out;
    for (const PrintOp& op : doc.page(page).ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

// The text ops of a page as lines of cells: the ops of one line, left to right, joined by
// " | " (a blank cell reads as one blank).
std::vector<std::string> rowsOf(const PrintDocument& doc, int page) {
    std::map<long, std::map<double, QString>> lines;
    for (const PrintOp& op : ops(doc, page, PrintOp::Text))
        lines[std::lround(op.box.top())][op.box.left()] = op.text;
    std::vector<std::string> out;
    for (const auto& [y, cells] : lines) {
        QStringList row;
        for (const auto& [x, t] : cells) row << t;
        out.push_back(row.join(QStringLiteral(" | ")).toStdString());
    }
    return out;
}

const PrintOp* findText(const PrintDocument& doc, int page, const QString& text, int nth = 0) {
    for (const PrintOp& op : doc.page(page).ops)
        if (op.kind == PrintOp::Text && op.text == text && nth-- == 0) return &op;
    return nullptr;
}

double centreOf(const PrintOp& op) { return op.box.left() + op.box.width() / 2; }

// The administrative table's rows as printed: standard, section, specification, mark, status.
const std::vector<std::string> AdministrativeTable = {
    "Security Management Process | 164.308(a)(1) | Risk Analysis | R | Completed",
    "  |   | Risk Management | R | Working",
    "  |   | Sanction Policy | R |  ",
    "  |   | Information System Activity Review | R |  ",
    "Assigned Security Responsibility | 164.308(a)(2) |   | R | Review",
    "Workforce Security | 164.308(a)(3) | Authorization and/or Supervision | A |  ",
    "  |   | Workforce Clearance Procedure | A |  ",
    "  |   | Termination Procedures | A |  ",
    "Information Access Management | 164.308(a)(4) | Isolating Health Care Clearinghouse Function | R |  ",
    "  |   | Access Authorization | A |  ",
    "  |   | Access Establishment and Modification | A |  ",
    "Security Awareness and Training | 164.308(a)(5) | Security Reminders | A |  ",
    "  |   | Protection from Malicious Software | A |  ",
    "  |   | Log-in Monitoring | A |  ",
    "  |   | Password Management | A |  ",
    "Security Incident Proceedures | 164.308(a)(6) | Response and Reporting | R |  ",
    "Contingency Plan | 164.308(a)(7) | Data Backup Plan | R |  ",
    "  |   | Disaster Recovery Plan | R |  ",
    "  |   | Emergency Mode Operation Plan | R |  ",
    "  |   | Testing and Revision Procedure | A |  ",
    "  |   | Applications and Data Criticality Analysis | A |  ",
    "Evaluation | 164.308(a)(8) |   | R |  ",
    "Business Associate Contracts And | 164.308(b)(1) | Written Contract or Other Arrangements | R | Pending",
    "Other Arrangements",
};

const std::vector<std::string> PhysicalTable = {
    "Facility Access Control | 164.310(a)(1) | Contingency Operation | A | Not Implemented",
    "  |   | Facility Security Plan | A |  ",
    "  |   | Access Control & Validation | A |  ",
    "  |   | Maintenance Records | A |  ",
    "Workstation Use | 164.310(b) |   | R |  ",
    "Workstation Security | 164.310(c) |   | R |  ",
    "Device and Media Control | 164.310(d)(1) | Disposal | R |  ",
    // The section column ends with the last standard.
    "  | Media Re-use | R |  ",
    "  | Accountability | A |  ",
    "  | Data Backup and Storage | A |  ",
};

const std::vector<std::string> TechnicalTable = {
    "Access Control | 164.312(a)(1) | Unique User Identification | R |  ",
    "  |   | Emergency Access Procedure | R |  ",
    "  |   | Automatic Logoff | A |  ",
    "  |   | Encryption and Decryption | A |  ",
    "Audit Controls | 164.312(b) |   | R |  ",
    "Integrity | 164.312(c)(1) | Mechanism to Authenticate Electronic PHI | A |  ",
    "Person or entity Authentication | 164.312(d) |   | R |  ",
    "Transmission Security | 164.312(e)(1) | Integrity Controls | A |  ",
    // The section column ends with the last standard.
    "  | Encryption | A | Completed",
};

const std::string ColumnHeadings = "Standards | Section | Implementation Specification | Current Status";

// The rows of one table as the page holds them: from its column headings on.
std::vector<std::string> tableRows(const PrintDocument& doc, int page, const QString& heading,
                                   std::size_t count) {
    const std::vector<std::string> rows = rowsOf(doc, page);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] != heading.toStdString()) continue;
        if (i + 2 + count > rows.size()) return {};
        EXPECT_EQ(rows[i + 1], ColumnHeadings);
        return {rows.begin() + long(i) + 2, rows.begin() + long(i + 2 + count)};
    }
    return {};
}

TEST(SafeguardsReport, NoBoxTickedGivesAnEmptyDocument) {
    Built b;
    build(b, {});
    ASSERT_EQ(b.doc.pageCount(), 1);
    EXPECT_TRUE(b.doc.page(1).ops.empty());
    EXPECT_FALSE(b.doc.docOpen());
}

TEST(SafeguardsReport, AdministrativeTableRowByRow) {
    Built b;
    build(b, {.administrative = true});
    ASSERT_EQ(b.doc.pageCount(), 1);
    const std::vector<std::string> rows = rowsOf(b.doc, 1);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], std::string("HIPAA Security Standards"));
    EXPECT_EQ(rows[1], QString::fromUtf8("ADMINISTRATIVE SAFEGUARDS \u00A7164.308").toStdString());
    EXPECT_EQ(tableRows(b.doc, 1, QString::fromUtf8("ADMINISTRATIVE SAFEGUARDS \u00A7164.308"), 24),
              AdministrativeTable);
    EXPECT_EQ(rows.back(), ReportLegend.toStdString());
    EXPECT_EQ(rows.size(), 2u + 1 + 24 + 1);
}

TEST(SafeguardsReport, TitleHeadingsAndColumnsStandWhereTheyAreCentred) {
    Built b;
    build(b, {.administrative = true});
    const double w = b.doc.pageWidth();
    const PrintOp* title = findText(b.doc, 1, ReportTitle);
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(centreOf(*title), w / 2, 2);
    EXPECT_EQ(title->font.size, 12);
    EXPECT_TRUE(title->font.bold);
    EXPECT_EQ(title->font.name, QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(title->box.top(), 150 + 700);

    const struct { const char* text; double centre; } columns[] = {
        {"Standards", w / 6.8}, {"Section", w / 2.8}, {"Implementation Specification", w / 1.68},
        {"Current Status", w / 1.12}};
    const PrintOp* first = findText(b.doc, 1, QStringLiteral("Standards"));
    ASSERT_NE(first, nullptr);
    for (const auto& c : columns) {
        const PrintOp* op = findText(b.doc, 1, QString::fromLatin1(c.text));
        ASSERT_NE(op, nullptr) << c.text;
        EXPECT_NEAR(centreOf(*op), c.centre, 2) << c.text;
        EXPECT_DOUBLE_EQ(op->box.top(), first->box.top()) << c.text;
        EXPECT_TRUE(op->font.bold);
        EXPECT_EQ(op->font.size, 10);
    }
    // Standards in bold at W/30, the other columns plain; each pass steps down line by line.
    const PrintOp* standard = findText(b.doc, 1, QStringLiteral("Contingency Plan"));
    const PrintOp* spec = findText(b.doc, 1, QStringLiteral("Data Backup Plan"));
    const PrintOp* mark = nullptr;
    const PrintOp* status = findText(b.doc, 1, QStringLiteral("Completed"));
    ASSERT_TRUE(standard && spec && status);
    EXPECT_NEAR(standard->box.left(), w / 30, 0.5);
    EXPECT_TRUE(standard->font.bold);
    EXPECT_NEAR(spec->box.left(), w / 2.2, 0.5);
    EXPECT_FALSE(spec->font.bold);
    EXPECT_DOUBLE_EQ(spec->box.top(), standard->box.top());
    EXPECT_NEAR(centreOf(*status), w / 1.12, 2);
    for (const PrintOp& op : b.doc.page(1).ops)
        if (op.kind == PrintOp::Text && op.text == "A") mark = &op;
    ASSERT_NE(mark, nullptr);
    EXPECT_NEAR(mark->box.left(), w / 1.28, 0.5);
    const PrintOp* row1 = findText(b.doc, 1, QStringLiteral("Risk Analysis"));
    ASSERT_TRUE(row1);
    EXPECT_DOUBLE_EQ(row1->box.top(), b.pos.rowsTopY);
    // The bold standards and the plain columns keep to the same rows.
    const PrintOp* row5 = findText(b.doc, 1, QStringLiteral("Assigned Security Responsibility"));
    const PrintOp* status5 = findText(b.doc, 1, QStringLiteral("Review"));
    ASSERT_TRUE(row5 && status5);
    EXPECT_DOUBLE_EQ(row5->box.top(), status5->box.top());
    // The legend, small and bold, 100 twips below the table.
    const PrintOp* legend = findText(b.doc, 1, ReportLegend);
    ASSERT_NE(legend, nullptr);
    EXPECT_DOUBLE_EQ(legend->box.top(), b.pos.tableBottomY + 100);
    EXPECT_EQ(legend->font.size, 8);
    EXPECT_TRUE(legend->font.bold);
    EXPECT_DOUBLE_EQ(legend->box.left(), 100);
}

TEST(SafeguardsReport, RulesAndFrameOfATable) {
    Built b;
    build(b, {.administrative = true});
    const double w = b.doc.pageWidth();
    std::vector<double> across, downX;
    for (const PrintOp& op : ops(b.doc, 1, PrintOp::Line)) {
        if (op.line.y1() == op.line.y2()) {
            EXPECT_DOUBLE_EQ(op.line.x1(), 100);
            EXPECT_DOUBLE_EQ(op.line.x2(), w - 100);
            across.push_back(op.line.y1());
        } else {
            EXPECT_DOUBLE_EQ(op.line.y2(), b.pos.tableBottomY);
            downX.push_back(op.line.x1());
            const bool outer = op.line.x1() == 100 || op.line.x1() == w - 100;
            EXPECT_DOUBLE_EQ(op.line.y1(), outer ? b.pos.tableTopY : b.pos.headingBottomY);
        }
    }
    // Top, under the heading, nine separators above rows 1, 5, 6, 9, 12, 16, 17, 22, 23, bottom.
    ASSERT_EQ(across.size(), 12u);
    const double lh = findText(b.doc, 1, QStringLiteral("Risk Management"))->box.top() -
                      findText(b.doc, 1, QStringLiteral("Risk Analysis"))->box.top();
    EXPECT_DOUBLE_EQ(across[0], b.pos.tableTopY);
    EXPECT_DOUBLE_EQ(across[1], b.pos.headingBottomY);
    const int separatorRows[] = {1, 5, 6, 9, 12, 16, 17, 22, 23};
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(across[std::size_t(2 + i)], b.pos.rowsTopY + (separatorRows[i] - 1) * lh, 0.01) << i;
    EXPECT_NEAR(across[11], b.pos.rowsTopY + 24 * lh, 0.01);
    EXPECT_DOUBLE_EQ(across[11], b.pos.tableBottomY);
    EXPECT_EQ(downX, (std::vector<double>{100, w / 3.45, w / 2.35, w / 1.3, w / 1.245, w - 100}));
    // Every line is black; the text is in the print colour.
    Built coloured;
    build(coloured, {.administrative = true}, Recorded, platform::rgb(0, 0, 128));
    for (const PrintOp& op : coloured.doc.page(1).ops)
        EXPECT_EQ(op.color, op.kind == PrintOp::Line ? platform::Color(0) : platform::rgb(0, 0, 128));
}

TEST(SafeguardsReport, AllSafeguardsThreeTablesTwoBoxedHeadingsAndTheLegend) {
    Built b;
    build(b, {.all = true});
    ASSERT_EQ(b.doc.pageCount(), 1);  // it fits on a letter page
    EXPECT_EQ(tableRows(b.doc, 1, QString::fromUtf8("ADMINISTRATIVE SAFEGUARDS \u00A7164.308"), 24),
              AdministrativeTable);
    EXPECT_EQ(tableRows(b.doc, 1, QString::fromUtf8("PHYSICAL SAFEGUARDS \u00A7164.310"), 10), PhysicalTable);
    EXPECT_EQ(tableRows(b.doc, 1, QString::fromUtf8("TECHNICAL SAFEGUARDS \u00A7164.312"), 9), TechnicalTable);
    // One title, above the first table; the boxes after the tables; the legend last.
    EXPECT_NE(findText(b.doc, 1, ReportTitle), nullptr);
    EXPECT_EQ(findText(b.doc, 1, ReportTitle, 1), nullptr);
    const std::vector<std::string> rows = rowsOf(b.doc, 1);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[rows.size() - 3], QString::fromUtf8("ORGANIZATIONAL REQUIREMENTS \u00A7164.314").toStdString());
    EXPECT_EQ(rows[rows.size() - 2],
              QString::fromUtf8("POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS \u00A7164.316").toStdString());
    EXPECT_EQ(rows.back(), ReportLegend.toStdString());
    // The physical table's frame starts 60 twips below the administrative table's bottom line.
    std::vector<double> across;
    for (const PrintOp& op : ops(b.doc, 1, PrintOp::Line))
        if (op.line.y1() == op.line.y2()) across.push_back(op.line.y1());
    ASSERT_GT(across.size(), 12u);
    EXPECT_DOUBLE_EQ(across[12], across[11] + 60);
    // Each boxed heading: a rule above and below it and the two sides.
    const PrintOp* org = findText(b.doc, 1, QString::fromUtf8("ORGANIZATIONAL REQUIREMENTS \u00A7164.314"));
    ASSERT_NE(org, nullptr);
    int boxLines = 0;
    for (const PrintOp& op : ops(b.doc, 1, PrintOp::Line))
        if (op.line.y1() <= org->box.top() && op.line.y2() >= org->box.bottom() - 0.01) ++boxLines;
    EXPECT_EQ(boxLines, 2);
}

TEST(SafeguardsReport, ASingleLaterAreaGetsTheTitleAndFollowsTheOneBefore) {
    for (ReportChoice c : {ReportChoice{.physical = true}, ReportChoice{.technical = true}}) {
        Built b;
        build(b, c);
        EXPECT_EQ(rowsOf(b.doc, 1).front(), ReportTitle.toStdString());
    }
    Built two;
    build(two, {.physical = true, .technical = true});
    EXPECT_EQ(findText(two.doc, 1, ReportTitle, 1), nullptr);
    EXPECT_EQ(tableRows(two.doc, 1, QString::fromUtf8("TECHNICAL SAFEGUARDS \u00A7164.312"), 9), TechnicalTable);
}

// The report on a short page: a table that does not fit on the rest of the page starts on the
// next one, with its rules there too (they used to be drawn on the first page's positions
// while the preview carried the text over).
TEST(SafeguardsReport, ATableThatDoesNotFitStartsOnANewPageWithItsRules) {
    // A page that the administrative table fits with little room to spare.
    Built first;
    build(first, {.administrative = true});
    Built b;
    b.doc.setPaperSize(12240, int(first.pos.tableBottomY) + 1500);
    build(b, {.all = true});
    ASSERT_GE(b.doc.pageCount(), 2);
    const double top = ReportMarginTop, bottom = b.doc.pageHeight() - ReportMarginBottom;
    int tablesSeen = 0;
    for (int p = 1; p <= b.doc.pageCount(); ++p) {
        for (const PrintOp& op : b.doc.page(p).ops) {
            const double y1 = op.kind == PrintOp::Line ? std::min(op.line.y1(), op.line.y2()) : op.box.top();
            const double y2 = op.kind == PrintOp::Line ? std::max(op.line.y1(), op.line.y2()) : op.box.bottom();
            EXPECT_GE(y1, top - 0.01) << "page " << p << " " << op.text.toStdString();
            EXPECT_LE(y2, bottom + 0.01) << "page " << p << " " << op.text.toStdString();
        }
        // Every table on the page has its column headings, all its rows and its frame here.
        for (const auto& [heading, expected] :
             {std::pair{QString::fromUtf8("ADMINISTRATIVE SAFEGUARDS \u00A7164.308"), &AdministrativeTable},
              std::pair{QString::fromUtf8("PHYSICAL SAFEGUARDS \u00A7164.310"), &PhysicalTable},
              std::pair{QString::fromUtf8("TECHNICAL SAFEGUARDS \u00A7164.312"), &TechnicalTable}}) {
            if (!findText(b.doc, p, heading)) continue;
            ++tablesSeen;
            EXPECT_EQ(tableRows(b.doc, p, heading, expected->size()), *expected) << heading.toStdString();
        }
    }
    EXPECT_EQ(tablesSeen, 3);
    // The physical table no longer follows the administrative one on its page: it starts at
    // the top of the next page.
    const PrintOp* physical = nullptr;
    int physicalPage = 0;
    for (int p = 1; p <= b.doc.pageCount() && !physical; ++p)
        if ((physical = findText(b.doc, p, QString::fromUtf8("PHYSICAL SAFEGUARDS \u00A7164.310")))) physicalPage = p;
    ASSERT_NE(physical, nullptr);
    EXPECT_EQ(physicalPage, 2);
    bool frameAtTop = false;
    for (const PrintOp& op : ops(b.doc, 2, PrintOp::Line))
        frameAtTop = frameAtTop || (op.line.y1() == top && op.line.y2() == top);
    EXPECT_TRUE(frameAtTop);
}

TEST(SafeguardsReport, APageShorterThanATableStillEnds) {
    Built b;
    b.doc.setPaperSize(12240, 2000);
    build(b, {.all = true});
    EXPECT_GE(b.doc.pageCount(), 2);
    EXPECT_FALSE(b.doc.docOpen());
}

// ---- the specification page ----------------------------------------------------------------

TEST(SpecificationPage, TickedPartsDecideWhatThePageHolds) {
    const std::array<QString, 3> texts = {QStringLiteral("Rule"), QStringLiteral("Refs"), QStringLiteral("More")};
    struct Case {
        std::array<bool, 3> ticked;
        SpecificationPage::Kind kind;
        const char* text;
        int single;
    };
    const Case cases[] = {
        {{true, true, true}, SpecificationPage::Joined, "Rule\r\n\r\nRefs\r\n\r\nMore", -1},
        {{true, true, false}, SpecificationPage::Joined, "Rule\r\n\r\nRefs", -1},
        {{true, false, true}, SpecificationPage::Joined, "Rule\r\n\r\nMore", -1},
        {{false, true, true}, SpecificationPage::Joined, "Refs\r\n\r\nMore", -1},
        {{true, false, false}, SpecificationPage::Single, "", 0},
        {{false, true, false}, SpecificationPage::Single, "", 1},
        {{false, false, true}, SpecificationPage::Single, "", 2},
        {{false, false, false}, SpecificationPage::Empty, "", -1},
    };
    for (const Case& c : cases) {
        const SpecificationPage page = composeSpecificationPage(c.ticked, texts);
        EXPECT_EQ(page.kind, c.kind);
        EXPECT_EQ(page.plainText, QString::fromLatin1(c.text));
        EXPECT_EQ(page.single, c.single);
    }
}

}  // namespace
