#include "platform/PrintDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double TwipsPerInch = 1440.0;
// Lines are as wide as one screen pixel at 96 dpi, so the preview and paper agree.
constexpr double LineWidthTwips = 15.0;
// A glyph may stand a little past its advance (an italic's slant, a side bearing): a mark's
// width is taken this much wider on either side where it must keep clear of the paper's edge.
constexpr double GlyphOverhangTwips = 20.0;

// A paint device whose only use is its resolution: fonts resolved against it measure in
// twips, so every layout the document records is in page twips.
const QPaintDevice& twipDevice() {
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(TwipsPerInch / 0.0254));
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return device;
}

QPaintDevice* twipDevicePtr() { return const_cast<QPaintDevice*>(&twipDevice()); }

// The Qt font of a print font, measured at 1440 dpi. Hinting would fit glyphs to a pixel
// grid that no output device has; without it the preview and paper share one layout.
QFont twipFont(const Font& f) {
    QFont q = toQFont(f);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(true);
    return QFont(q, twipDevicePtr());
}

// Rich text keeps its paragraph measures (indents, spacing, tab stops) in screen pixels of
// 15 twips, as the rich-text box shows them; laid out at 1440 dpi each is 15 twips wide.
constexpr double TwipsPerScreenPixel = 15.0;

void paragraphMeasuresToTwips(QTextDocument& doc) {
    doc.setIndentWidth(doc.indentWidth() * TwipsPerScreenPixel);
    // The copy is only laid out and drawn: no undo history, one edit for all paragraphs.
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        if (f.leftMargin() == 0 && f.rightMargin() == 0 && f.topMargin() == 0 && f.bottomMargin() == 0 &&
            f.textIndent() == 0 && f.tabPositions().isEmpty())
            continue;
        f.setLeftMargin(f.leftMargin() * TwipsPerScreenPixel);
        f.setRightMargin(f.rightMargin() * TwipsPerScreenPixel);
        f.setTopMargin(f.topMargin() * TwipsPerScreenPixel);
        f.setBottomMargin(f.bottomMargin() * TwipsPerScreenPixel);
        f.setTextIndent(f.textIndent() * TwipsPerScreenPixel);
        QList<QTextOption::Tab> tabs = f.tabPositions();
        for (QTextOption::Tab& t : tabs) t.position *= TwipsPerScreenPixel;
        f.setTabPositions(tabs);
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
    cursor.endEditBlock();
}

QStringList hardLines(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

}  // namespace

PrintDocument::PrintDocument() = default;
PrintDocument::~PrintDocument() = default;

void PrintDocument::clear() {
    pages_.clear();
    rich_.clear();
    title_.clear();
    open_ = false;
    ++generation_;
    x_ = marginLeft_;
    y_ = marginTop_;
    changed();
}

void PrintDocument::startDoc() {
    pages_.clear();
    rich_.clear();
    title_.clear();
    ++generation_;
    pages_.emplace_back();
    open_ = true;
    x_ = marginLeft_;
    y_ = marginTop_;
    changed();
}

void PrintDocument::endDoc() {
    ensurePage();
    open_ = false;
    changed();
}

void PrintDocument::setPaperSize(int widthTwips, int heightTwips, const QString& name) {
    if (widthTwips <= 0 || heightTwips <= 0) return;
    paperWidth_ = widthTwips;
    paperHeight_ = heightTwips;
    paperName_ = name;
}

void PrintDocument::setUnprintableMargins(const QMarginsF& portraitTwips) {
    auto sane = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 5.0 * TwipsPerInch) : 0.0; };
    unprintable_ = QMarginsF(sane(portraitTwips.left()), sane(portraitTwips.top()), sane(portraitTwips.right()),
                             sane(portraitTwips.bottom()));
    changed();
}

QRectF PrintDocument::inkBounds() const {
    if (inkValid_) return ink_;
    QRectF bounds;
    auto add = [&](const QRectF& r) { bounds = bounds.isNull() ? r : bounds.united(r); };
    for (const PrintPage& page : pages_) {
        for (const PrintOp& op : page.ops) {
            switch (op.kind) {
            case PrintOp::Text:
                if (!op.text.trimmed().isEmpty()) add(op.box.adjusted(-GlyphOverhangTwips, 0, GlyphOverhangTwips, 0));
                break;
            case PrintOp::Line: {
                const double half = LineWidthTwips / 2;
                add(QRectF(op.line.p1(), op.line.p2()).normalized().adjusted(-half, -half, half, half));
                break;
            }
            case PrintOp::RichText:
                for (const QRectF& line : op.lines)
                    if (line.width() > 0) add(line.adjusted(-GlyphOverhangTwips, 0, GlyphOverhangTwips, 0));
                break;
            }
        }
    }
    ink_ = bounds;
    inkValid_ = true;
    return ink_;
}

void PrintDocument::ensurePage() {
    // Output without StartDoc begins the document, as output to a fresh printer would.
    if (pages_.empty()) {
        pages_.emplace_back();
        open_ = true;
        x_ = marginLeft_;
        y_ = marginTop_;
    }
}

void PrintDocument::newPage() {
    ensurePage();
    pages_.emplace_back();
    x_ = marginLeft_;
    y_ = marginTop_;
    changed();
}

void PrintDocument::drawLine(double x1, double y1, double x2, double y2) {
    ensurePage();
    PrintOp op;
    op.kind = PrintOp::Line;
    op.line = QLineF(x1, y1, x2, y2);
    op.color = lineColor_;
    current().ops.push_back(std::move(op));
    changed();
}

double PrintDocument::textWidth(const QString& text) const {
    QFontMetricsF fm(twipFont(font_), twipDevicePtr());
    double widest = 0;
    for (const QString& line : hardLines(text)) widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

double PrintDocument::lineHeight() const {
    return QFontMetricsF(twipFont(font_), twipDevicePtr()).height();
}

double PrintDocument::textHeight(const QString& text) const {
    return lineHeight() * double(hardLines(text).size());
}

void PrintDocument::paragraph(const QString& text) {
    emitText(text, true);
    changed();
}

void PrintDocument::text(const QString& text) {
    emitText(text, false);
    changed();
}

void PrintDocument::emitText(const QString& text, bool endLine) {
    ensurePage();
    const QFont qf = twipFont(font_);
    const QFontMetricsF fm(qf, twipDevicePtr());
    const double lh = fm.height();
    const double left = marginLeft_;
    const double right = pageWidth() - marginRight_;
    const double bottom = pageHeight() - marginBottom_;

    // A line that would cross the bottom margin goes to the top of a new page; a page that
    // is still empty at the top keeps it, so a page too short for one line cannot loop.
    auto fitLine = [&] {
        if (y_ + lh > bottom && y_ > marginTop_) {
            pages_.emplace_back();
            y_ = marginTop_;
            x_ = left;
        }
    };
    auto nextLine = [&] {
        y_ += lh;
        x_ = left;
    };

    const QStringList lines = hardLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) nextLine();
        const QString& line = lines[i];
        if (line.isEmpty()) continue;

        QTextLayout layout(line, qf, twipDevicePtr());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        bool first = true;
        for (;;) {
            QTextLine tl = layout.createLine();
            if (!tl.isValid()) break;
            if (!first) nextLine();
            first = false;
            fitLine();
            // No room left on the line (CurrentX at or past the right margin): start the next.
            if (right - x_ < 1 && x_ > left) {
                nextLine();
                fitLine();
            }
            tl.setLineWidth(std::max(1.0, right - x_));
            tl.setPosition(QPointF(0, 0));
            const QString part = line.mid(tl.textStart(), tl.textLength());
            PrintOp op;
            op.kind = PrintOp::Text;
            op.text = part;
            op.font = font_;
            op.color = textColor_;
            op.box = QRectF(x_, y_, tl.naturalTextWidth(), lh);
            current().ops.push_back(std::move(op));
            // After the last piece CurrentX is where the text ends, trailing blanks included
            // (a padded field moves the position on by its full width).
            x_ += fm.horizontalAdvance(part);
        }
        layout.endLayout();
    }
    if (endLine) nextLine();
}

void PrintDocument::paragraph(const QTextDocument& richText) {
    ensurePage();
    const double left = marginLeft_;
    const double width = std::max(1.0, double(pageWidth() - marginLeft_ - marginRight_));
    const double bottom = pageHeight() - marginBottom_;

    std::unique_ptr<QTextDocument> doc(richText.clone());
    paragraphMeasuresToTwips(*doc);
    doc->setDocumentMargin(0);
    doc->documentLayout()->setPaintDevice(twipDevicePtr());
    doc->setTextWidth(width);
    doc->markContentsDirty(0, doc->characterCount());
    const double docHeight = doc->documentLayout()->documentSize().height();

    // Every laid-out line in document twips, top to bottom; page breaks fall between lines.
    struct LaidLine {
        QRectF rect;
        QString text;
    };
    std::vector<LaidLine> lines;
    QAbstractTextDocumentLayout* dl = doc->documentLayout();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* tl = b.layout();
        if (!tl) continue;
        const QPointF origin = dl->blockBoundingRect(b).topLeft();
        const QString blockText = b.text();
        const bool justified = (b.blockFormat().alignment() & Qt::AlignJustify) != 0;
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine l = tl->lineAt(i);
            QRectF rect = l.naturalTextRect();
            // A justified line is spread over the whole line width (all but a block's last).
            if (justified && i + 1 < tl->lineCount()) rect = QRectF(l.x(), rect.top(), l.width(), rect.height());
            lines.push_back({rect.translated(origin),
                             blockText.mid(l.textStart(), l.textLength())});
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const LaidLine& a, const LaidLine& b) {
        return a.rect.top() < b.rect.top();
    });

    const int index = int(rich_.size());
    rich_.push_back(std::move(doc));

    double sliceTop = 0;
    double pageY = y_;
    std::size_t i = 0;
    const std::size_t n = lines.size();
    while (i < n) {
        const double avail = bottom - pageY;
        std::size_t j = i;
        while (j < n && lines[j].rect.bottom() - sliceTop <= avail) ++j;
        if (j == i) {
            if (pageY > marginTop_) {
                pages_.emplace_back();
                pageY = marginTop_;
                continue;
            }
            j = i + 1;  // a line taller than a whole page is printed as it is
        }
        const double sliceBottom = (j < n) ? lines[j].rect.top() : docHeight;
        double height = std::min(sliceBottom - sliceTop, avail);
        height = std::max(height, lines[j - 1].rect.bottom() - sliceTop);

        PrintOp op;
        op.kind = PrintOp::RichText;
        op.rich = index;
        op.sliceTop = sliceTop;
        op.sliceBottom = sliceTop + height;
        op.box = QRectF(left, pageY, width, height);
        op.color = textColor_;
        QStringList texts;
        for (std::size_t k = i; k < j; ++k) {
            op.lines.push_back(lines[k].rect.translated(left, pageY - sliceTop));
            texts << lines[k].text;
        }
        op.text = texts.join(QLatin1Char('\n'));
        current().ops.push_back(std::move(op));

        if (j < n) {
            pages_.emplace_back();
            pageY = marginTop_;
            sliceTop = sliceBottom;
        } else {
            pageY += docHeight - sliceTop;
        }
        i = j;
    }
    x_ = marginLeft_;
    y_ = pageY;
    changed();
}

const QTextDocument& PrintDocument::richParagraph(int i) const {
    return *rich_.at(std::size_t(i));
}

// ---- rendering -----------------------------------------------------------------------------

namespace {

// Portrait margins turned with the paper: in landscape the portrait's top edge is at the
// left, its right edge at the top, and so on round.
QMarginsF turned(const QMarginsF& portrait, bool landscape) {
    if (!landscape) return portrait;
    return QMarginsF(portrait.top(), portrait.right(), portrait.bottom(), portrait.left());
}

QMarginsF unturned(const QMarginsF& asPrinted, bool landscape) {
    if (!landscape) return asPrinted;
    return QMarginsF(asPrinted.bottom(), asPrinted.left(), asPrinted.top(), asPrinted.right());
}

// A printer that reports no unprintable strip at all (a PDF file) gets the safe edge.
QMarginsF orSafeEdge(const QMarginsF& m) {
    if (m.left() <= 0 && m.top() <= 0 && m.right() <= 0 && m.bottom() <= 0)
        return QMarginsF(SafeEdgeTwips, SafeEdgeTwips, SafeEdgeTwips, SafeEdgeTwips);
    return m;
}

void drawPage(const PrintDocument& doc, int n, QPainter& painter, double pixelsPerInch,
              const QTransform& placement, bool guideLines) {
    if (n < 1 || n > doc.pageCount() || pixelsPerInch <= 0) return;
    painter.save();
    const double scale = pixelsPerInch / TwipsPerInch;
    painter.scale(scale, scale);
    painter.setTransform(placement, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // Never thinner than one device pixel, so lines survive a small preview.
    const double lineWidth = std::max(LineWidthTwips, 1.0 / (scale * std::max(0.01, placement.m11())));

    for (const PrintOp& op : doc.page(n).ops) {
        switch (op.kind) {
        case PrintOp::Text: {
            QTextLayout layout(op.text, twipFont(op.font), twipDevicePtr());
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            if (line.isValid()) {
                line.setLineWidth(op.box.width() + TwipsPerInch);
                line.setPosition(QPointF(0, 0));
            }
            layout.endLayout();
            painter.setPen(toQColor(op.color));
            layout.draw(&painter, op.box.topLeft());
            break;
        }
        case PrintOp::Line: {
            QPen pen(toQColor(op.color));
            pen.setWidthF(lineWidth);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(op.line);
            break;
        }
        case PrintOp::RichText: {
            const QTextDocument& rich = doc.richParagraph(op.rich);
            painter.save();
            painter.translate(op.box.left(), op.box.top() - op.sliceTop);
            const QRectF clip(0, op.sliceTop, op.box.width(), op.sliceBottom - op.sliceTop);
            // The clip is widened a little sideways: italic overhangs stay visible.
            painter.setClipRect(clip.adjusted(-200, 0, 200, 0), Qt::IntersectClip);
            QAbstractTextDocumentLayout::PaintContext ctx;
            // The layout draws every line that touches its clip, hidden or not, and a hidden
            // line still stands in the paper's text (found by a search, copied with the
            // rest). The lines of a slice lie wholly inside it; the line just before and
            // just after only touch its edges, so a clip a twip inside the slice leaves them
            // out.
            ctx.clip = clip.adjusted(0, 1, 0, -1);
            ctx.palette.setColor(QPalette::Text, toQColor(op.color));
            rich.documentLayout()->draw(&painter, ctx);
            painter.restore();
            break;
        }
        }
    }

    if (guideLines) {
        QPen pen(QColor(160, 160, 160));
        pen.setStyle(Qt::DashLine);
        pen.setCosmetic(true);
        pen.setWidth(1);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(doc.marginLeft(), doc.marginTop(),
                                doc.pageWidth() - doc.marginLeft() - doc.marginRight(),
                                doc.pageHeight() - doc.marginTop() - doc.marginBottom()));
    }
    painter.restore();
}

// The paper's size in twips from the size it is defined in (A4 in millimetres, Letter in
// inches): converted through another unit it would be rounded first.
QSizeF paperTwips(const QPageSize& size) {
    const QSizeF d = size.definitionSize();
    switch (size.definitionUnits()) {
    case QPageSize::Millimeter: return d * (TwipsPerInch / 25.4);
    case QPageSize::Inch: return d * TwipsPerInch;
    case QPageSize::Point: return d * 20.0;
    default: return size.size(QPageSize::Point) * 20.0;
    }
}

QString paperNameOf(const QPageSize& size) {
    switch (size.id()) {
    case QPageSize::Letter: return QStringLiteral("Letter");
    case QPageSize::Legal: return QStringLiteral("Legal");
    case QPageSize::A4: return QStringLiteral("A4");
    default: return size.name();
    }
}

}  // namespace

QMarginsF keepClearMargins(const PrintDocument& doc) {
    return orSafeEdge(turned(doc.unprintableMargins(), doc.orientation() == 1));
}

QTransform paperPlacement(const PrintDocument& doc, const QSizeF& paperTwips, const QMarginsF& keepClear) {
    const QRectF ink = doc.inkBounds();
    const QRectF paper(QPointF(0, 0), paperTwips);
    QRectF safe = paper.marginsRemoved(keepClear);
    if (safe.width() <= 0 || safe.height() <= 0) safe = paper;
    if (ink.isNull() || ink.width() <= 0 || ink.height() <= 0 || paper.isEmpty()) return QTransform();

    const double s = std::min({1.0, safe.width() / ink.width(), safe.height() / ink.height()});
    // Where the page would stand: laid out for this paper it stays where it is; scaled down,
    // it is centred across the paper and shrinks about its middle from the top.
    const double wantX = (paper.width() - s * doc.pageWidth()) / 2;
    const double wantY = (1 - s) * doc.pageHeight() / 2;
    // Then moved in just far enough to bring every mark inside the safe area.
    auto into = [](double want, double lo, double hi) {
        if (lo > hi) return (lo + hi) / 2;
        return std::clamp(want, lo, hi);
    };
    const double tx = into(wantX, safe.left() - s * ink.left(), safe.right() - s * ink.right());
    const double ty = into(wantY, safe.top() - s * ink.top(), safe.bottom() - s * ink.bottom());
    return QTransform(s, 0, 0, s, tx, ty);
}

void renderPage(const PrintDocument& doc, int n, QPainter& painter, double pixelsPerInch,
                bool guideLines) {
    const QSizeF paper(doc.pageWidth(), doc.pageHeight());
    drawPage(doc, n, painter, pixelsPerInch, paperPlacement(doc, paper, keepClearMargins(doc)), guideLines);
}

QImage pageImage(const PrintDocument& doc, int n, double pixelsPerInch) {
    const double scale = pixelsPerInch / TwipsPerInch;
    QImage img(std::max(1, int(std::lround(doc.pageWidth() * scale))),
               std::max(1, int(std::lround(doc.pageHeight() * scale))), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(pixelsPerInch / 0.0254));
    img.setDotsPerMeterX(dotsPerMeter);
    img.setDotsPerMeterY(dotsPerMeter);
    img.fill(Qt::white);
    QPainter painter(&img);
    renderPage(doc, n, painter, pixelsPerInch, false);
    painter.end();
    return img;
}

QPageLayout pageLayout(const PrintDocument& doc) {
    const QPageSize size(QSizeF(doc.paperWidth() / TwipsPerInch, doc.paperHeight() / TwipsPerInch),
                         QPageSize::Inch, doc.paperName(), QPageSize::FuzzyMatch);
    return QPageLayout(size, doc.orientation() == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

namespace {

// The device's paper as printed and the strip it cannot print, in twips.
void deviceGeometry(const QPagedPaintDevice& device, QSizeF& paper, QMarginsF& unprintable) {
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    paper = layout.fullRect(QPageLayout::Point).size() * 20.0;
    const QMarginsF m = layout.minimumMargins();
    unprintable = QMarginsF(m.left() * 20.0, m.top() * 20.0, m.right() * 20.0, m.bottom() * 20.0);
}

}  // namespace

bool printPages(const PrintDocument& doc, QPagedPaintDevice& device, int first, int last) {
    if (doc.pageCount() == 0) return false;
    if (last <= 0 || last > doc.pageCount()) last = doc.pageCount();
    first = std::max(1, first);
    if (first > last) return false;

    QSizeF paper;
    QMarginsF unprintable;
    deviceGeometry(device, paper, unprintable);
    const QTransform placement = paperPlacement(doc, paper, orSafeEdge(unprintable));

    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double ppi = device.logicalDpiX();
    for (int n = first; n <= last; ++n) {
        if (n > first && !device.newPage()) {
            painter.end();
            return false;
        }
        drawPage(doc, n, painter, ppi, placement, false);
    }
    return painter.end();
}

QString pdfFileName(const PrintDocument& doc) {
    QString name = doc.title();
    for (QChar& c : name)
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('-');
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    if (name.isEmpty()) name = QStringLiteral("Untitled");
    return name + QStringLiteral(".pdf");
}

bool takeDevicePaper(PrintDocument& doc, const QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const QSizeF portrait = paperTwips(layout.pageSize());
    const int width = int(std::lround(portrait.width()));
    const int height = int(std::lround(portrait.height()));
    const int orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    QSizeF paper;
    QMarginsF unprintable;
    deviceGeometry(device, paper, unprintable);
    doc.setUnprintableMargins(unturned(unprintable, orientation == 1));
    // Sizes within a few twips are the same paper (a size in millimetres rounds to twips).
    const bool otherPaper = std::abs(width - doc.paperWidth()) > 3 || std::abs(height - doc.paperHeight()) > 3 ||
                            orientation != doc.orientation();
    if (!otherPaper || width <= 0 || height <= 0) return false;
    doc.setPaperSize(width, height, paperNameOf(layout.pageSize()));
    doc.setOrientation(orientation);
    return true;
}

bool writePdf(const PrintDocument& doc, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(int(TwipsPerInch));
    writer.setPageLayout(pageLayout(doc));
    writer.setCreator(QStringLiteral("Quorvane"));
    writer.setTitle(doc.title());
    return printPages(doc, writer);
}

}  // namespace platform
