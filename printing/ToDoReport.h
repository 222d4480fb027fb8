// The to-do list report: the items of the project timeline with their three dates, page by
// page under a title, an optional "As of" date line and the column headings, optionally in a
// frame of grid lines. It takes the list and a print document; the window decides where the
// document is shown.
#pragma once

#include "platform/PrintDocument.h"
#include "timeline/ToDoList.h"

#include <QDate>

struct ToDoReportOptions {
    platform::Font font;           // the print font; its size is the size of the rows
    platform::Color color = 0;     // text and lines
    bool asOfDate = true;          // "As of" and today's date under the title of each page
    bool gridLines = true;         // the frame, the column lines and the heading lines
    QDate today;
};

// "As of  January 06, 2005": the date line under the title.
QString toDoAsOfLine(const QDate& today);
// The item as its column prints it: left-aligned in a field of 45 characters from its first
// letter (the blanks it begins with stay in front), a longer item cut to the field so that it
// keeps out of the date columns. The field's padding is not printed, so that a narrow page
// cannot break an item over two lines for it.
QString toDoItemField(const QString& item);

// Renders the rows that have an item, in list order, into the document (cleared first, its
// margins set to 100 twips). A row that would start at the page-break line goes whole to the
// next page; every page takes at least one row, so the report ends whatever the page size
// and font.
void buildToDoReport(const timeline::ToDoList& list, platform::PrintDocument& doc, const ToDoReportOptions& options);
