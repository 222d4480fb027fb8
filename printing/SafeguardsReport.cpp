#include "printing/SafeguardsReport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "printing/PrintTitle.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

using platform::PrintDocument;

namespace printing {
namespace {

// One row of an area's table. Empty cells print a single blank.
struct Row {
    std::string_view standard;
    std::string_view section;
    std::string_view specification;
    bool separator;  // a rule across the table above the row
};

constexpr std::array<Row, 24> AdministrativeRows{{
    {"Security Management Process", "164.308(a)(1)", "Risk Analysis", true},
    {"", "", "Risk Management", false},
    {"", "", "Sanction Policy", false},
    {"", "", "Information System Activity Review", false},
    {"Assigned Security Responsibility", "164.308(a)(2)", "", true},
    {"Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision", true},
    {"", "", "Workforce Clearance Procedure", false},
    {"", "", "Termination Procedures", false},
    {"Information Access Management", "164.308(a)(4)", "Isolating Health Care Clearinghouse Function", true},
    {"", "", "Access Authorization", false},
    {"", "", "Access Establishment and Modification", false},
    {"Security Awareness and Training", "164.308(a)(5)", "Security Reminders", true},
    {"", "", "Protection from Malicious Software", false},
    {"", "", "Log-in Monitoring", false},
    {"", "", "Password Management", false},
    {"Security Incident Proceedures", "164.308(a)(6)", "Response and Reporting", true},
    {"Contingency Plan", "164.308(a)(7)", "Data Backup Plan", true},
    {"", "", "Disaster Recovery Plan", false},
    {"", "", "Emergency Mode Operation Plan", false},
    {"", "", "Testing and Revision Procedure", false},
    {"", "", "Applications and Data Criticality Analysis", false},
    {"Evaluation", "164.308(a)(8)", "", true},
    {"Business Associate Contracts And", "164.308(b)(1)", "Written Contract or Other Arrangements", true},
    // The standard's name goes on in its column only.
    {"Other Arrangements", "", "", false},
}};

constexpr std::array<Row, 10> PhysicalRows{{
    {"Facility Access Control", "164.310(a)(1)", "Contingency Operation", true},
    {"", "", "Facility Security Plan", false},
    {"", "", "Access Control & Validation", false},
    {"", "", "Maintenance Records", false},
    {"Workstation Use", "164.310(b)", "", true},
    {"Workstation Security", "164.310(c)", "", true},
    {"Device and Media Control", "164.310(d)(1)", "Disposal", true},
    {"", "", "Media Re-use", false},
    {"", "", "Accountability", false},
    {"", "", "Data Backup and Storage", false},
}};

constexpr std::array<Row, 9> TechnicalRows{{
    {"Access Control", "164.312(a)(1)", "Unique User Identification", true},
    {"", "", "Emergency Access Procedure", false},
    {"", "", "Automatic Logoff", false},
    {"", "", "Encryption and Decryption", false},
    {"Audit Controls", "164.312(b)", "", true},
    {"Integrity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI", true},
    {"Person or entity Authentication", "164.312(d)", "", true},
    {"Transmission Security", "164.312(e)(1)", "Integrity Controls", true},
    {"", "", "Encryption", false},
}};

struct Area {
    std::string_view heading;
    std::span<const Row> rows;  // the standards column's rows
    int specRows;               // rows of the other columns
    int sectionRows;            // rows of the section column that are printed
    int firstStatus;            // StatusNumber of row 1 minus one
    bool alwaysTitled;
};

const std::array<Area, 3> Areas{{
    {"ADMINISTRATIVE SAFEGUARDS \u00A7164.308", AdministrativeRows, 23, 23, 0, true},
    {"PHYSICAL SAFEGUARDS \u00A7164.310", PhysicalRows, 10, 7, 23, false},
    {"TECHNICAL SAFEGUARDS \u00A7164.312", TechnicalRows, 9, 8, 33, false},
}};

constexpr std::array<std::string_view, 2> BoxedHeadings{{
    "ORGANIZATIONAL REQUIREMENTS \u00A7164.314",
    "POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS \u00A7164.316",
}};

// A table that follows another starts this far below it; the title is printed only above
// the first table of a report.
constexpr double GapBelowTable = 60;
constexpr double TitledWhenBottomAtMost = 200;
constexpr double RuleGap = 30;
constexpr double HeadingsGap = 100;
constexpr double LegendGap = 100;
constexpr double FrameInset = 100;

QString text(std::string_view s) { return s.empty() ? QStringLiteral(" ") : catalogue::toQString(s); }

double pageWidth(const PrintDocument& doc) { return doc.pageWidth(); }

void ruleAcross(PrintDocument& doc, double y) {
    doc.drawLine(FrameInset, y, pageWidth(doc) - FrameInset, y);
}

// A paragraph whose first line starts at x.
void printAt(PrintDocument& doc, double x, const QString& s) {
    doc.setCurrentX(x);
    doc.paragraph(s);
}

// A paragraph centred on x.
void printCentred(PrintDocument& doc, double x, const QString& s) {
    printAt(doc, x - doc.textWidth(s) / 2, s);
}

void setReportFont(PrintDocument& doc, double size, bool bold) {
    doc.setFontName(ReportFontName);
    doc.setFontSize(size);
    doc.setFontBold(bold);
}

double lineHeightOf(PrintDocument& doc, double size, bool bold) {
    const platform::Font kept = doc.font();
    setReportFont(doc, size, bold);
    const double h = doc.lineHeight();
    doc.setFont(kept);
    return h;
}

// Nothing has been output on the page yet.
bool pageIsEmpty(const PrintDocument& doc) {
    return doc.pageCount() == 0 || doc.page(doc.pageCount()).ops.empty();
}

// What does not fit on the rest of the page starts at the top of the next one; a page that
// is still empty keeps it, so a page too short for it cannot loop.
void keepTogether(PrintDocument& doc, double height) {
    if (doc.currentY() + height <= doc.pageHeight() - doc.marginBottom()) return;
    if (pageIsEmpty(doc)) return;
    doc.newPage();
}

void clearPositions(ReportPositions& pos) { pos.tableTopY = pos.headingBottomY = pos.tableBottomY = 0; }

}  // namespace

void printAreaTable(PrintDocument& doc, int areaIndex, const StatusOf& status, ReportPositions& pos) {
    const Area& area = Areas.at(std::size_t(areaIndex));
    const double w = pageWidth(doc);

    // 1. The title above the first table only; a later table follows the one before it.
    const bool titled = area.alwaysTitled || pos.tableBottomY <= TitledWhenBottomAtMost;
    if (!titled) {
        doc.setCurrentY(pos.tableBottomY + GapBelowTable);
        clearPositions(pos);
    }
    // Rows step down by one height in every pass, whether the column is bold or not.
    const double line10 = lineHeightOf(doc, ReportFontSize, true);
    const double rowHeight = std::max(line10, lineHeightOf(doc, ReportFontSize, false));
    const double height = (titled ? lineHeightOf(doc, 12, true) : 0) + RuleGap + line10 + RuleGap +
                          line10 + HeadingsGap + double(area.rows.size()) * rowHeight;
    keepTogether(doc, height);
    if (titled) {
        setReportFont(doc, 12, true);
        printCentred(doc, w / 2, ReportTitle);
    }

    // 2-4. The frame's top, the area heading and the line under it.
    pos.tableTopY = doc.currentY();
    ruleAcross(doc, doc.currentY());
    doc.setCurrentY(doc.currentY() + RuleGap);
    setReportFont(doc, ReportFontSize, true);
    printCentred(doc, w / 2, text(area.heading));
    doc.setFontBold(false);
    pos.headingBottomY = doc.currentY();
    ruleAcross(doc, doc.currentY());
    doc.setCurrentY(doc.currentY() + RuleGap);
    pos.rowsTopY = doc.currentY();
    doc.setFontBold(true);

    // 5-6. Column headings, each from the same top.
    const std::pair<double, const char*> headings[] = {
        {w / 6.8, "Standards"}, {w / 2.8, "Section"}, {w / 1.68, "Implementation Specification"},
        {w / 1.12, "Current Status"}};
    for (const auto& [x, caption] : headings) {
        doc.setCurrentY(pos.rowsTopY);
        printCentred(doc, x, QString::fromLatin1(caption));
    }
    doc.setCurrentY(doc.currentY() + HeadingsGap);
    pos.rowsTopY = doc.currentY();
    const auto rowTop = [&](int r) { return pos.rowsTopY + r * rowHeight; };

    // 7-8. The standards in bold, with the rules between the standards.
    for (int r = 0; r < int(area.rows.size()); ++r) {
        doc.setCurrentY(rowTop(r));
        if (area.rows[std::size_t(r)].separator) ruleAcross(doc, rowTop(r));
        printAt(doc, w / 30, text(area.rows[std::size_t(r)].standard));
    }
    doc.setCurrentY(rowTop(int(area.rows.size())));
    ruleAcross(doc, doc.currentY());
    pos.tableBottomY = doc.currentY();
    doc.setFontBold(false);

    // 9-12. Section, specification, mark and status, each pass from the top of the rows.
    const auto pass = [&](int rows, const auto& print) {
        for (int r = 0; r < rows; ++r) {
            doc.setCurrentY(rowTop(r));
            print(r);
        }
    };
    pass(area.sectionRows, [&](int r) { printCentred(doc, w / 2.8, text(area.rows[std::size_t(r)].section)); });
    pass(area.specRows, [&](int r) { printAt(doc, w / 2.2, text(area.rows[std::size_t(r)].specification)); });
    pass(area.specRows, [&](int r) { printAt(doc, w / 1.28, text(catalogue::markText(area.firstStatus + r + 1))); });
    pass(area.specRows, [&](int r) {
        const QString s = status ? status(area.firstStatus + r + 1).trimmed() : QString();
        printCentred(doc, w / 1.12, s.isEmpty() ? QStringLiteral(" ") : s);
    });

    // 13. The frame's sides and the column rules.
    doc.drawLine(FrameInset, pos.tableTopY, FrameInset, pos.tableBottomY);
    for (double d : {3.45, 2.35, 1.3, 1.245}) doc.drawLine(w / d, pos.headingBottomY, w / d, pos.tableBottomY);
    doc.drawLine(w - FrameInset, pos.tableTopY, w - FrameInset, pos.tableBottomY);
}

void printOrganizationalHeadings(PrintDocument& doc, ReportPositions& pos) {
    const double w = pageWidth(doc);
    for (std::string_view heading : BoxedHeadings) {
        if (pos.tableBottomY > TitledWhenBottomAtMost) {
            doc.setCurrentY(pos.tableBottomY + GapBelowTable);
            clearPositions(pos);
        }
        keepTogether(doc, RuleGap + lineHeightOf(doc, ReportFontSize, true));
        pos.tableTopY = doc.currentY();
        ruleAcross(doc, doc.currentY());
        doc.setCurrentY(doc.currentY() + RuleGap);
        setReportFont(doc, ReportFontSize, true);
        printCentred(doc, w / 2, text(heading));
        doc.setFontBold(false);
        pos.tableBottomY = doc.currentY();
        ruleAcross(doc, doc.currentY());
        doc.drawLine(FrameInset, pos.tableTopY, FrameInset, pos.tableBottomY);
        doc.drawLine(w - FrameInset, pos.tableTopY, w - FrameInset, pos.tableBottomY);
    }
}

void printReportLegend(PrintDocument& doc, const ReportPositions& pos) {
    doc.setFontSize(8);
    doc.setCurrentY(pos.tableBottomY + LegendGap);
    doc.setFontBold(true);
    doc.setCurrentX(doc.marginLeft());
    doc.paragraph(ReportLegend);
    doc.setFontBold(false);
}

void buildSafeguardsReport(PrintDocument& doc, const ReportChoice& choice, const StatusOf& status,
                           platform::Color textColor, ReportPositions& pos) {
    doc.setMarginBottom(ReportMarginBottom);
    doc.setMarginTop(ReportMarginTop);
    doc.setMarginLeft(ReportMarginLeft);
    doc.setMarginRight(ReportMarginRight);
    platform::Font f;
    f.name = ReportFontName;
    f.size = ReportFontSize;
    doc.setFont(f);
    doc.setTextColor(0);
    doc.setLineColor(0);
    doc.startDoc();
    doc.setTitle(printTitle(ReportTitle));
    doc.setCurrentY(doc.marginTop() + 700);
    doc.setTextColor(textColor);
    pos.tableBottomY = 0;

    if (choice.all) {
        for (int area = 0; area < 3; ++area) printAreaTable(doc, area, status, pos);
        printOrganizationalHeadings(doc, pos);
        printReportLegend(doc, pos);
    } else {
        const bool areas[3] = {choice.administrative, choice.physical, choice.technical};
        for (int area = 0; area < 3; ++area)
            if (areas[area]) printAreaTable(doc, area, status, pos);
        if (areas[0] || areas[1] || areas[2]) printReportLegend(doc, pos);
    }
    doc.endDoc();
}

}  // namespace printing
