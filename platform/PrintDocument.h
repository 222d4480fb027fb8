// The print document: pages of drawing operations recorded in page twips (1440 per inch),
// with a current position that text output moves on, and its rendering with QPainter on the
// preview, a printer or a PDF file.
//
// Text is measured at 1440 dpi, so every position and width the document reports is in twips
// whatever device it is later drawn on.
#pragma once

#include "platform/Types.h"

#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QTransform;
class QTextDocument;
class QImage;

namespace platform {

// One recorded operation of a page. Coordinates are page twips from the paper's top-left.
struct PrintOp {
    enum Kind { Text, Line, RichText };
    Kind kind = Text;

    // Text: one line of text; box is its line box (left, top, measured width, line height).
    // RichText: the area of the page that a slice of a rich-text paragraph covers.
    QRectF box;
    // Text: the characters drawn; RichText: the plain text of the slice (lines joined by "\n").
    QString text;
    // Text: its font and colour.
    Font font;
    Color color = 0;

    // Line: from p1 to p2, in color, 15 twips wide (one screen pixel at 96 dpi).
    QLineF line;

    // RichText: which rich paragraph of the document (index into richParagraph()), and the
    // part of its laid-out height, in the paragraph's own twips, that this page shows.
    int rich = -1;
    double sliceTop = 0;
    double sliceBottom = 0;
    // RichText: every laid-out line of the slice as it sits on the page (its natural width).
    std::vector<QRectF> lines;
};

struct PrintPage {
    std::vector<PrintOp> ops;
};

class PrintDocument {
public:
    PrintDocument();
    ~PrintDocument();
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    // ---- document ------------------------------------------------------------------------
    // Empties the document: no pages at all.
    void clear();
    // Begins a new document (its previous pages are dropped) with one empty page; the current
    // position goes to the top-left corner of the margin box.
    void startDoc();
    // Ends the document. Output after it goes on at the end of the last page.
    void endDoc();
    bool docOpen() const { return open_; }

    // ---- page set-up (twips) -------------------------------------------------------------
    // Changes apply to output made after them; recorded pages keep their positions.
    int marginLeft() const { return marginLeft_; }
    int marginRight() const { return marginRight_; }
    int marginTop() const { return marginTop_; }
    int marginBottom() const { return marginBottom_; }
    void setMarginLeft(int twips) { marginLeft_ = twips; }
    void setMarginRight(int twips) { marginRight_ = twips; }
    void setMarginTop(int twips) { marginTop_ = twips; }
    void setMarginBottom(int twips) { marginBottom_ = twips; }
    // 0 portrait, 1 landscape.
    int orientation() const { return orientation_; }
    void setOrientation(int o) { orientation_ = (o == 1) ? 1 : 0; }
    // The paper as it stands in portrait (width less than height normally).
    int paperWidth() const { return paperWidth_; }
    int paperHeight() const { return paperHeight_; }
    void setPaperSize(int widthTwips, int heightTwips, const QString& name = {});
    QString paperName() const { return paperName_; }
    // The page as printed, turned by the orientation.
    int pageWidth() const { return orientation_ == 1 ? paperHeight_ : paperWidth_; }
    int pageHeight() const { return orientation_ == 1 ? paperWidth_ : paperHeight_; }
    // The strip along each edge of the portrait paper that the printer last chosen cannot
    // print on (twips); all zero while no printer has said (a PDF file has none).
    QMarginsF unprintableMargins() const { return unprintable_; }
    void setUnprintableMargins(const QMarginsF& portraitTwips);

    // ---- title ---------------------------------------------------------------------------
    // The document's title, given to a PDF file and to the print job; emptied by Clear and
    // StartDoc, so each document names itself.
    QString title() const { return title_; }
    void setTitle(const QString& t) { title_ = t; }

    // ---- font and colours ----------------------------------------------------------------
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_ = f; }
    void setFontName(const QString& n) { font_.name = n; }
    void setFontSize(double points) { if (points > 0) font_.size = points; }
    void setFontBold(bool b) { font_.bold = b; }
    void setFontItalic(bool i) { font_.italic = i; }
    void setFontUnderline(bool u) { font_.underline = u; }
    void setFontStrikethrough(bool s) { font_.strikethrough = s; }
    // Colour of text output (and of rich text that names no colour of its own).
    Color textColor() const { return textColor_; }
    void setTextColor(Color c) { textColor_ = c; }
    // Colour lines are drawn in.
    Color lineColor() const { return lineColor_; }
    void setLineColor(Color c) { lineColor_ = c; }

    // ---- the current position (page twips) ----------------------------------------------
    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double twips) { x_ = twips; }
    void setCurrentY(double twips) { y_ = twips; }

    // ---- output --------------------------------------------------------------------------
    // A paragraph of plain text in the current font and colour. Its first line starts at
    // CurrentX, the following ones at the left margin; lines wrap inside the margin box and
    // continue on a new page at the bottom margin; CR, LF and CR LF break lines. Afterwards
    // CurrentX is the left margin and CurrentY the top of the next line. An empty text
    // advances one line.
    void paragraph(const QString& text);
    // A paragraph of rich text laid out across the margin box from CurrentY (bold, italic,
    // underline, colour, size and alignment kept), continued on new pages as needed. The
    // document is copied. Afterwards CurrentX is the left margin and CurrentY below its last
    // line.
    void paragraph(const QTextDocument& richText);
    // Text at the current position without a line break: wraps like a paragraph, then
    // CurrentX is where the text ends and CurrentY the top of its last line.
    void text(const QString& text);
    // A new page; the current position goes to the top-left corner of the margin box.
    void newPage();
    // A line on the current page (page twips).
    void drawLine(double x1, double y1, double x2, double y2);

    // ---- measuring (twips, current font) -------------------------------------------------
    // Width of the widest line of text.
    double textWidth(const QString& text) const;
    // Height of the text's lines, one line height per line (no wrapping).
    double textHeight(const QString& text) const;
    // Height of one line of the current font.
    double lineHeight() const;

    // ---- reading what was recorded -------------------------------------------------------
    int pageCount() const { return int(pages_.size()); }
    // Page n, 1-based.
    const PrintPage& page(int n) const { return pages_.at(std::size_t(n - 1)); }
    // The laid-out copy of rich paragraph i (RichText ops refer to it).
    const QTextDocument& richParagraph(int i) const;
    // Grows by one at every Clear and StartDoc: a viewer sees that a new document began.
    int generation() const { return generation_; }
    // The smallest rectangle (page twips) that holds every mark of every page: text lines,
    // lines with their width, the laid-out lines of rich text. Empty when nothing is drawn.
    QRectF inkBounds() const;
    // Called after every change (the preview repaints).
    std::function<void()> onChanged;

private:
    void ensurePage();
    void emitText(const QString& text, bool endLine);
    void changed() {
        inkValid_ = false;
        if (onChanged) onChanged();
    }
    PrintPage& current() { return pages_.back(); }

    std::vector<PrintPage> pages_;
    std::vector<std::unique_ptr<QTextDocument>> rich_;
    bool open_ = false;
    int generation_ = 0;
    int marginLeft_ = 1440, marginRight_ = 1440, marginTop_ = 1440, marginBottom_ = 1440;
    int orientation_ = 0;
    int paperWidth_ = 12240, paperHeight_ = 15840;
    QString paperName_ = QStringLiteral("Letter");
    QMarginsF unprintable_;
    QString title_;
    mutable QRectF ink_;
    mutable bool inkValid_ = false;
    Font font_{QStringLiteral("Arial"), 11};
    Color textColor_ = 0;
    Color lineColor_ = 0;
    double x_ = 1440, y_ = 1440;
};

// ---- rendering -----------------------------------------------------------------------------

// Where nothing is known of a printer's unprintable strip (a PDF file), every mark stays this
// far from the paper's edges.
constexpr double SafeEdgeTwips = 360.0;

// The strip along each edge of the page as printed (turned by the orientation) that marks
// keep clear of: the printer's unprintable strip where it reported one, else SafeEdgeTwips.
QMarginsF keepClearMargins(const PrintDocument& doc);

// How a page of the document is put on paper of paperTwips (as printed, turned): every mark
// (inkBounds) is kept inside the paper less keepClear. A page that fits stays where it was
// laid out, or is moved in just as far as needed; one that does not fit is scaled down,
// keeping its proportions, centred across the paper, and moved in as needed. Page twips to
// paper twips.
QTransform paperPlacement(const PrintDocument& doc, const QSizeF& paperTwips, const QMarginsF& keepClear);

// Draws page n (1-based) with the painter, whose coordinates are device pixels at
// pixelsPerInch with the paper's top-left at the origin, placed on the document's own paper
// as paperPlacement puts it, so the preview shows what the paper will hold. Guide lines (the
// margin box) are drawn only when asked for, at the document's margins: the preview asks,
// printing never does.
void renderPage(const PrintDocument& doc, int n, QPainter& painter, double pixelsPerInch,
                bool guideLines = false);

// Page n as an image at the given resolution, white paper, no guide lines.
QImage pageImage(const PrintDocument& doc, int n, double pixelsPerInch);

// The paper, orientation and zero margins of the document, for a printer or PDF writer.
QPageLayout pageLayout(const PrintDocument& doc);

// Prints pages first..last (1-based; last 0 means to the end) on a printer or PDF writer,
// whatever paper it holds: each page is placed on the device's paper by paperPlacement,
// clear of the strip its page layout reports as unprintable (SafeEdgeTwips where it reports
// none); a printer draws from the paper's corner (full page). False when the device could
// not be painted on or there is no page to print.
bool printPages(const PrintDocument& doc, QPagedPaintDevice& device, int first = 1, int last = 0);

// A file name for the document's PDF, made of its title (characters that a file name cannot
// hold replaced), ending in ".pdf"; "Untitled.pdf" for a document without a title.
QString pdfFileName(const PrintDocument& doc);

// Takes the paper of a device whose print dialog the user confirmed: the document takes the
// device's unprintable strip, so the next preview shows what this paper holds, and, when the
// device holds another paper or orientation than the document's, that paper and orientation.
// True when the paper or orientation changed (the document must be laid out again).
bool takeDevicePaper(PrintDocument& doc, const QPagedPaintDevice& device);

// Writes every page to a PDF file titled with the document's title. False when the file
// could not be written.
bool writePdf(const PrintDocument& doc, const QString& path);

}  // namespace platform
