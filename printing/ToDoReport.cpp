#include "printing/ToDoReport.h"

#include "platform/Dates.h"
#include "printing/PrintTitle.h"

#include <algorithm>

using namespace platform;

namespace {

const QString ReportTitle = QStringLiteral("Project Timeline/To Do List");

// Column centres and lines as fractions of the page width (the page is divided, not
// measured, so the columns stand the same on any paper and orientation).
constexpr double ItemCentre = 5.2, ToDoCentre = 1.995, ActualCentre = 1.45, ReviewCentre = 1.124;
constexpr double ColumnLines[4] = {2.45, 1.685, 1.274, 1.266};
constexpr int Margin = 100;

// A paragraph centred on x.
void centred(PrintDocument& doc, double x, const QString& text) {
    doc.setCurrentX(x - doc.textWidth(text) / 2);
    doc.paragraph(text);
}

void pageHeader(PrintDocument& doc, const ToDoReportOptions& o, double w, double top, double l1) {
    doc.setCurrentY(top);
    if (o.gridLines) {
        doc.drawLine(Margin, top, w - Margin, top);
        doc.drawLine(Margin, top, Margin, l1);
        doc.drawLine(w - Margin, top, w - Margin, l1);
    }
    doc.setFontSize(o.font.size + 2);
    centred(doc, w / 2, ReportTitle);
    // The date line, or an empty line in its place so the headings stand the same.
    doc.setFontSize(o.font.size - 2);
    if (o.asOfDate) centred(doc, w / 2, toDoAsOfLine(o.today));
    else doc.paragraph(QString());
    if (o.gridLines) {
        const double y = doc.currentY();
        doc.drawLine(Margin, y, w - Margin, y);
        for (double at : ColumnLines) doc.drawLine(w / at, y, w / at, l1);
    }
    doc.setCurrentY(doc.currentY() + 30);
    doc.setFontSize(o.font.size);
    const double y = doc.currentY();
    double below = y;
    const std::pair<double, const char*> headings[4] = {
        {ItemCentre, "To Do Item"}, {ToDoCentre, "To Do Date"}, {ActualCentre, "Actual Date"}, {ReviewCentre, "Next Review Date"}};
    for (const auto& [at, text] : headings) {
        doc.setCurrentY(y);
        centred(doc, w / at, QString::fromLatin1(text));
        below = std::max(below, doc.currentY());
    }
    doc.setCurrentY(below);
    if (o.gridLines) {
        doc.drawLine(Margin, below, w - Margin, below);
        doc.drawLine(Margin, l1, w - Margin, l1);
    }
    doc.setCurrentY(below + 100);
}

void printRow(PrintDocument& doc, const timeline::ToDoRow& row, double w) {
    // A row that would cross the bottom margin (only the first row under a header too tall for
    // the page) is raised until it fits, so that its columns stay together on this page.
    const double bottom = doc.pageHeight() - doc.marginBottom();
    double y = doc.currentY();
    if (y + doc.lineHeight() > bottom) y = std::max<double>(doc.marginTop(), bottom - doc.lineHeight());
    doc.setCurrentY(y);
    doc.setCurrentX(doc.marginLeft() + 260);
    doc.text(toDoItemField(row.item));
    double below = y + doc.lineHeight();
    const std::pair<double, const QString*> dates[3] = {
        {ToDoCentre, &row.toDoDate}, {ActualCentre, &row.actualDate}, {ReviewCentre, &row.nextReviewDate}};
    for (const auto& [at, text] : dates) {
        doc.setCurrentY(y);
        if (text->trimmed().isEmpty()) continue;
        centred(doc, w / at, *text);
        below = std::max(below, doc.currentY());
    }
    doc.setCurrentX(doc.marginLeft());
    doc.setCurrentY(below);
}

}  // namespace

QString toDoAsOfLine(const QDate& today) {
    return QStringLiteral("As of  ") + formatDate(today, QStringLiteral("mmmm dd, yyyy"));
}

QString toDoItemField(const QString& item) {
    qsizetype indent = 0;
    while (indent < item.size() && item.at(indent) == QLatin1Char(' ')) ++indent;
    return item.left(indent + timeline::ToDoItemLength);
}

void buildToDoReport(const timeline::ToDoList& list, PrintDocument& doc, const ToDoReportOptions& o) {
    doc.clear();
    doc.setFont(o.font);
    doc.setTextColor(o.color);
    doc.setLineColor(o.color);
    doc.setMarginBottom(Margin);
    doc.setMarginTop(Margin);
    doc.setMarginLeft(Margin);
    doc.setMarginRight(Margin);
    doc.startDoc();
    doc.setTitle(printing::printTitle(ReportTitle));
    const double w = doc.pageWidth(), h = doc.pageHeight();
    const double l1 = h - 100 - doc.marginBottom();
    const double top = doc.marginTop() + 300;
    // Rows printed since the last page began: a page whose header alone reaches the break
    // line still takes one row, so the loop always moves on.
    int rowsOnPage = 0;
    for (int r = 1; r <= timeline::ToDoRowCount; ++r) {
        const timeline::ToDoRow& row = list.row(r);
        if (!row.hasItem()) continue;
        doc.setFontSize(o.font.size);
        const double l2 = l1 - 2 * doc.textWidth(QStringLiteral("P"));
        if (doc.currentY() <= doc.marginTop() + 400) pageHeader(doc, o, w, top, l1);
        if (doc.currentY() >= l2 && rowsOnPage > 0) {
            doc.newPage();
            doc.setCurrentY(0);
            rowsOnPage = 0;
            --r;  // the same row again, under a fresh page header
            continue;
        }
        printRow(doc, row, w);
        ++rowsOnPage;
    }
    doc.endDoc();
}
