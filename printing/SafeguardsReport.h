// The safeguard status reports: for the administrative, physical and technical safeguards a
// ruled table of every standard with its section, its implementation specifications, their
// Required/Addressable marks and the status the user recorded; the boxed headings of the
// organizational requirements and of the policies and documentation requirements; and the
// legend. Built into a print document from the statuses alone, with no window.
//
// Each table is drawn in passes, column by column from the same top, one paragraph per row,
// with its rules drawn at the positions recorded on the way. A table, or a boxed heading,
// that does not fit on the rest of the page starts on a new page, so its rules always stand
// on the page of its text.
#pragma once

#include "platform/PrintDocument.h"

#include <QString>
#include <functional>

namespace printing {

// The report's four check boxes: "All Safeguards" and the three areas.
struct ReportChoice {
    bool all = false;
    bool administrative = false;
    bool physical = false;
    bool technical = false;
};

// Where the table being drawn stands on its page (twips): the top of its outer frame, the
// line under its area heading, the top of its rows, its bottom line (0 before the first
// table of a report).
struct ReportPositions {
    double tableTopY = 0;
    double headingBottomY = 0;
    double rowsTopY = 0;
    double tableBottomY = 0;
};

// The status recorded for a StatusNumber (1..47), as stored.
using StatusOf = std::function<QString(int statusNumber)>;

// The report's texts (the program's own, as it has always printed them).
inline const QString ReportTitle = QStringLiteral("HIPAA Security Standards");
inline const QString ReportLegend = QStringLiteral("      Legend:  R = Required    A = Addressable");
inline const QString ReportFontName = QStringLiteral("Times New Roman");
inline constexpr double ReportFontSize = 10;

// Margins of the report (twips).
inline constexpr int ReportMarginLeft = 100, ReportMarginRight = 100, ReportMarginTop = 150,
                     ReportMarginBottom = 100;

// Builds the report of the ticked groups into doc, which is begun and ended here; with no box
// ticked the document is begun and ended with nothing in it. Text is printed in textColor;
// positions are kept in pos as the tables are drawn.
void buildSafeguardsReport(platform::PrintDocument& doc, const ReportChoice& choice,
                           const StatusOf& status, platform::Color textColor,
                           ReportPositions& pos);

// One area's table at the current position (0 administrative, 1 physical, 2 technical).
void printAreaTable(platform::PrintDocument& doc, int area, const StatusOf& status,
                    ReportPositions& pos);

// The two boxed headings of the organizational requirements and of the policies and
// documentation requirements.
void printOrganizationalHeadings(platform::PrintDocument& doc, ReportPositions& pos);

// The legend line, 100 twips below the last table or box.
void printReportLegend(platform::PrintDocument& doc, const ReportPositions& pos);

}  // namespace printing
