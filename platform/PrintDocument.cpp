#include "platform/PrintDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double TwipsPerInch = 1440.0;
// Lines are as wide as one screen pixel at 96 dpi, so the preview and paper agree.
constexpr double LineWidthTwips = 15.0;

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
    open_ = false;
    ++generation_;
    x_ = marginLeft_;
    y_ = marginTop_;
    changed();
}

void PrintDocument::startDoc() {
    pages_.clear();
    rich_.clear();
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
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine l = tl->lineAt(i);
            lines.push_back({l.naturalTextRect().translated(origin),
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

void renderPage(const PrintDocument& doc, int n, QPainter& painter, double pixelsPerInch,
                bool guideLines) {
    if (n < 1 || n > doc.pageCount() || pixelsPerInch <= 0) return;
    painter.save();
    const double scale = pixelsPerInch / TwipsPerInch;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // Never thinner than one device pixel, so lines survive a small preview.
    const double lineWidth = std::max(LineWidthTwips, 1.0 / scale);

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
            ctx.clip = clip;
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

bool printPages(const PrintDocument& doc, QPagedPaintDevice& device, int first, int last) {
    if (doc.pageCount() == 0) return false;
    if (last <= 0 || last > doc.pageCount()) last = doc.pageCount();
    first = std::max(1, first);
    if (first > last) return false;
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->setFullPage(true);

    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double ppi = device.logicalDpiX();
    for (int n = first; n <= last; ++n) {
        if (n > first && !device.newPage()) {
            painter.end();
            return false;
        }
        renderPage(doc, n, painter, ppi, false);
    }
    return painter.end();
}

bool writePdf(const PrintDocument& doc, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(int(TwipsPerInch));
    writer.setPageLayout(pageLayout(doc));
    writer.setCreator(QStringLiteral("Quorvane"));
    return printPages(doc, writer);
}

}  // namespace platform
