// The print document records pages of operations in page twips: text positions, wrapping
// inside the margin box, pagination of plain and rich text, and what a page looks like.
#include "platform/PrintDocument.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTransform>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <ostream>

using platform::Font;
using platform::PrintDocument;
using platform::PrintOp;

namespace {

const QString Sentence = QStringLiteral(
    "A covered entity must protect the confidentiality, integrity and availability of all "
    "electronic protected health information it creates, receives, maintains or transmits. ");

QString longText(int sentences) {
    QString s;
    for (int i = 0; i < sentences; ++i) s += Sentence;
    return s.trimmed();
}

void setMargins(PrintDocument& doc, int left, int right, int top, int bottom) {
    doc.setMarginLeft(left);
    doc.setMarginRight(right);
    doc.setMarginTop(top);
    doc.setMarginBottom(bottom);
}

std::vector<PrintOp> opsOf(const PrintDocument& doc, PrintOp::Kind kind) {
    std::vector<PrintOp> out;
    for (int p = 1; p <= doc.pageCount(); ++p)
        for (const PrintOp& op : doc.page(p).ops)
            if (op.kind == kind) out.push_back(op);
    return out;
}

// Every text line and rich-text line of every page lies inside the margin box.
void expectInsideMarginBox(const PrintDocument& doc) {
    const double left = doc.marginLeft(), right = doc.pageWidth() - doc.marginRight();
    const double top = doc.marginTop(), bottom = doc.pageHeight() - doc.marginBottom();
    for (int p = 1; p <= doc.pageCount(); ++p) {
        for (const PrintOp& op : doc.page(p).ops) {
            std::vector<QRectF> boxes;
            if (op.kind == PrintOp::Text) boxes.push_back(op.box);
            if (op.kind == PrintOp::RichText) boxes = op.lines;
            for (const QRectF& r : boxes) {
                EXPECT_GE(r.left(), left - 0.5) << "page " << p;
                EXPECT_LE(r.right(), right + 0.5) << "page " << p;
                EXPECT_GE(r.top(), top - 0.5) << "page " << p;
                EXPECT_LE(r.bottom(), bottom + 0.5) << "page " << p;
            }
        }
    }
}

int darkPixels(const QImage& img, const QRect& area) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

}  // namespace

TEST(PrintDocument, TextIsMeasuredInTwips) {
    PrintDocument doc;
    doc.setFont(Font{QStringLiteral("Times New Roman"), 12});
    const double w = doc.textWidth(QStringLiteral("Hello"));
    // Five letters of a 12-point face (240 twips to the em) are about two and a half ems.
    EXPECT_GT(w, 400);
    EXPECT_LT(w, 900);
    EXPECT_NEAR(doc.textWidth(QStringLiteral("HelloHello")), 2 * w, 2 * w * 0.02);
    EXPECT_GT(doc.lineHeight(), 240);
    EXPECT_LT(doc.lineHeight(), 400);
    EXPECT_DOUBLE_EQ(doc.textHeight(QStringLiteral("a\r\nb")), 2 * doc.lineHeight());
    // The widest line counts.
    EXPECT_DOUBLE_EQ(doc.textWidth(QStringLiteral("Hello\r\nHi")), w);

    doc.setFontSize(24);
    EXPECT_NEAR(doc.textWidth(QStringLiteral("Hello")), 2 * w, 2 * w * 0.03);
}

TEST(PrintDocument, ParagraphsStepDownFromTheMarginCorner) {
    PrintDocument doc;
    setMargins(doc, 350, 350, 300, 100);
    doc.startDoc();
    EXPECT_EQ(doc.currentX(), 350);
    EXPECT_EQ(doc.currentY(), 300);
    const double lh = doc.lineHeight();

    doc.paragraph(QStringLiteral("First"));
    doc.setCurrentX(5000);
    doc.paragraph(QStringLiteral("Second"));
    doc.paragraph(QString());
    doc.paragraph(QStringLiteral("Fourth"));
    doc.endDoc();

    ASSERT_EQ(doc.pageCount(), 1);
    const auto& ops = doc.page(1).ops;
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].text, "First");
    EXPECT_EQ(ops[0].box.topLeft(), QPointF(350, 300));
    EXPECT_NEAR(ops[0].box.width(), doc.textWidth("First"), 1.0);
    // A paragraph starts at CurrentX; the next one is back at the left margin.
    EXPECT_EQ(ops[1].box.topLeft(), QPointF(5000, 300 + lh));
    // The empty paragraph takes one line.
    EXPECT_EQ(ops[2].box.topLeft(), QPointF(350, 300 + 3 * lh));
    EXPECT_DOUBLE_EQ(doc.currentY(), 300 + 4 * lh);
    EXPECT_EQ(doc.currentX(), 350);
}

TEST(PrintDocument, TextWithoutLineBreakContinuesOnTheSameLine) {
    PrintDocument doc;
    setMargins(doc, 100, 100, 100, 100);
    doc.startDoc();
    doc.setCurrentX(360);
    doc.setCurrentY(2000);
    const QString field = QStringLiteral("Review policies").leftJustified(45, QLatin1Char(' '));
    doc.text(field);
    // A padded field moves CurrentX on by its whole width, blanks included.
    EXPECT_NEAR(doc.currentX(), 360 + doc.textWidth(field), 1.0);
    EXPECT_EQ(doc.currentY(), 2000);
    doc.paragraph(QStringLiteral("01/02/2026"));
    EXPECT_DOUBLE_EQ(doc.currentY(), 2000 + doc.lineHeight());

    const auto& ops = doc.page(1).ops;
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].box.top(), 2000);
    EXPECT_NEAR(ops[1].box.left(), 360 + doc.textWidth(field), 1.0);
}

TEST(PrintDocument, LineBreaksInsideAParagraphStartNewLines) {
    PrintDocument doc;
    doc.startDoc();
    doc.paragraph(QStringLiteral("one\r\ntwo\rthree\nfour"));
    const auto& ops = doc.page(1).ops;
    ASSERT_EQ(ops.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ops[i].box.left(), doc.marginLeft());
        EXPECT_DOUBLE_EQ(ops[i].box.top(), doc.marginTop() + i * doc.lineHeight());
    }
    EXPECT_EQ(ops[2].text, "three");
}

TEST(PrintDocument, NewPageAndPageCount) {
    PrintDocument doc;
    EXPECT_EQ(doc.pageCount(), 0);
    doc.startDoc();
    doc.endDoc();
    // An empty document still has its one empty page.
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_TRUE(doc.page(1).ops.empty());

    doc.startDoc();
    doc.paragraph(QStringLiteral("page one"));
    doc.setCurrentX(4000);
    doc.newPage();
    EXPECT_EQ(doc.currentX(), doc.marginLeft());
    EXPECT_EQ(doc.currentY(), doc.marginTop());
    doc.drawLine(100, 200, 3000, 200);
    doc.paragraph(QStringLiteral("page two"));
    doc.endDoc();
    ASSERT_EQ(doc.pageCount(), 2);
    ASSERT_EQ(doc.page(2).ops.size(), 2u);
    EXPECT_EQ(doc.page(2).ops[0].kind, PrintOp::Line);
    EXPECT_EQ(doc.page(2).ops[0].line, QLineF(100, 200, 3000, 200));
    EXPECT_EQ(doc.page(2).ops[1].text, "page two");

    // StartDoc begins afresh; Clear leaves no page at all.
    doc.startDoc();
    EXPECT_EQ(doc.pageCount(), 1);
    doc.clear();
    EXPECT_EQ(doc.pageCount(), 0);
}

TEST(PrintDocument, LinesAfterTheBottomMarginContinueOnANewPage) {
    PrintDocument doc;
    setMargins(doc, 100, 100, 150, 100);
    doc.startDoc();
    const double lh = doc.lineHeight();
    const int perPage = int((doc.pageHeight() - 150 - 100) / lh);
    for (int i = 0; i < perPage + 1; ++i) doc.paragraph(QString::number(i));
    doc.endDoc();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(int(doc.page(1).ops.size()), perPage);
    ASSERT_EQ(doc.page(2).ops.size(), 1u);
    EXPECT_EQ(doc.page(2).ops[0].text, QString::number(perPage));
    EXPECT_EQ(doc.page(2).ops[0].box.top(), 150);
    expectInsideMarginBox(doc);
}

struct PageCase {
    int left, right, top, bottom;
    int orientation;
    double fontSize;
    int startX;
};

std::ostream& operator<<(std::ostream& os, const PageCase& c) {
    return os << "margins " << c.left << "/" << c.right << "/" << c.top << "/" << c.bottom
              << (c.orientation == 1 ? " landscape" : " portrait") << ", " << c.fontSize
              << " pt from x " << c.startX;
}

class PlainWrapping : public ::testing::TestWithParam<PageCase> {};

TEST_P(PlainWrapping, StaysInsideTheMarginBoxAndLosesNoText) {
    const PageCase c = GetParam();
    PrintDocument doc;
    setMargins(doc, c.left, c.right, c.top, c.bottom);
    doc.setOrientation(c.orientation);
    doc.setFont(Font{QStringLiteral("Arial"), c.fontSize});
    doc.startDoc();
    doc.setCurrentX(c.startX);
    const QString text = longText(60) + QStringLiteral(" ") +
                         QString(300, QLatin1Char('x'));  // one word longer than a line
    doc.paragraph(text);
    doc.endDoc();

    const auto ops = opsOf(doc, PrintOp::Text);
    ASSERT_GT(ops.size(), 10u);
    EXPECT_EQ(ops.front().box.left(), c.startX);
    QString joined;
    for (const PrintOp& op : ops) joined += op.text;
    EXPECT_EQ(joined, text);
    // Lines that follow one another on a page are one line height apart.
    for (int p = 1; p <= doc.pageCount(); ++p) {
        const auto& page = doc.page(p).ops;
        for (std::size_t i = 1; i < page.size(); ++i)
            EXPECT_NEAR(page[i].box.top() - page[i - 1].box.top(), doc.lineHeight(), 0.01);
    }
    expectInsideMarginBox(doc);
}

INSTANTIATE_TEST_SUITE_P(Pages, PlainWrapping,
                         ::testing::Values(PageCase{350, 350, 300, 100, 0, 10, 350},
                                           PageCase{200, 100, 260, 100, 0, 12, 6000},
                                           PageCase{1440, 1440, 1440, 1440, 1, 24, 1440},
                                           PageCase{100, 100, 100, 100, 0, 8, 100}));

namespace {

// A rich document of many paragraphs in mixed formatting.
std::unique_ptr<QTextDocument> richDocument(int paragraphs) {
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor c(doc.get());
    for (int i = 0; i < paragraphs; ++i) {
        QTextCharFormat plain;
        plain.setFontFamilies({QStringLiteral("DejaVu Serif")});
        plain.setFontPointSize(11);
        QTextCharFormat bold = plain;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(14);
        QTextBlockFormat block;
        block.setAlignment(i % 3 == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
        if (i > 0) c.insertBlock(block);
        else c.setBlockFormat(block);
        c.insertText(QStringLiteral("Section %1 ").arg(i), bold);
        c.insertText(longText(1 + i % 4), plain);
    }
    return doc;
}

}  // namespace

class RichPagination : public ::testing::TestWithParam<PageCase> {};

TEST_P(RichPagination, PaginatesInsideTheMarginBoxWithoutLosingALine) {
    const PageCase c = GetParam();
    PrintDocument doc;
    setMargins(doc, c.left, c.right, c.top, c.bottom);
    doc.setOrientation(c.orientation);
    doc.startDoc();
    doc.setCurrentY(c.top + 700);
    auto rich = richDocument(150);
    doc.paragraph(*rich);
    doc.endDoc();

    ASSERT_GT(doc.pageCount(), 3);
    const auto slices = opsOf(doc, PrintOp::RichText);
    ASSERT_EQ(int(slices.size()), doc.pageCount());
    EXPECT_EQ(slices.front().box.top(), c.top + 700);
    // The slices follow each other through the laid-out paragraph: no line is printed twice
    // or left out.
    QStringList all;
    std::size_t lineCount = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        if (i > 0) {
            EXPECT_GE(slices[i].sliceTop, slices[i - 1].sliceBottom - 0.01);
            EXPECT_EQ(slices[i].box.top(), c.top);
        }
        all << slices[i].text;
        lineCount += slices[i].lines.size();
    }
    QString expected;
    for (QTextBlock b = rich->begin(); b.isValid(); b = b.next()) expected += b.text();
    EXPECT_EQ(all.join(QString()).remove(QLatin1Char('\n')), expected);
    EXPECT_GT(lineCount, 150u);
    expectInsideMarginBox(doc);
    // After the paragraph the position is below its last line.
    EXPECT_GE(doc.currentY(), slices.back().lines.back().bottom() - 0.5);
    EXPECT_EQ(doc.currentX(), c.left);
}

INSTANTIATE_TEST_SUITE_P(Pages, RichPagination,
                         ::testing::Values(PageCase{350, 350, 300, 100, 0, 0, 0},
                                           PageCase{200, 100, 100, 100, 1, 0, 0},
                                           PageCase{2000, 2000, 2000, 2000, 0, 0, 0}));

TEST(PrintDocument, RichTextKeepsItsFormatting) {
    QTextDocument rich;
    QTextCursor c(&rich);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(20);
    red.setFontWeight(QFont::Bold);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.setBlockFormat(right);
    c.insertText(QStringLiteral("REDWORD"), red);

    PrintDocument doc;
    setMargins(doc, 1440, 1440, 1440, 1440);
    doc.startDoc();
    doc.paragraph(rich);
    doc.endDoc();
    const auto slices = opsOf(doc, PrintOp::RichText);
    ASSERT_EQ(slices.size(), 1u);
    ASSERT_EQ(slices[0].lines.size(), 1u);
    const QRectF line = slices[0].lines[0];
    // Right-aligned: the line ends at the right margin.
    EXPECT_NEAR(line.right(), doc.pageWidth() - 1440, 30);
    // A 20-point line is taller than 400 twips.
    EXPECT_GT(line.height(), 400);

    const QImage img = platform::pageImage(doc, 1, 96);
    int red_ = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor px = img.pixelColor(x, y);
            if (px.red() > 200 && px.green() < 80 && px.blue() < 80) ++red_;
        }
    EXPECT_GT(red_, 50);
}

TEST(PrintDocument, EmptyRichTextMakesAnEmptyPage) {
    PrintDocument doc;
    doc.startDoc();
    QTextDocument empty;
    doc.paragraph(empty);
    doc.endDoc();
    EXPECT_EQ(doc.pageCount(), 1);
}

TEST(PrintDocument, PageImageShowsTextAndLinesWhereTheyWereRecorded) {
    PrintDocument doc;
    setMargins(doc, 1440, 1440, 1440, 1440);
    doc.setFont(Font{QStringLiteral("Arial"), 20});
    doc.setTextColor(platform::rgb(0, 0, 0));
    doc.startDoc();
    doc.paragraph(QStringLiteral("MMMMMMMM"));
    doc.drawLine(1440, 7200, 10800, 7200);
    doc.endDoc();

    // 96 dpi: 15 twips to the pixel.
    const QImage img = platform::pageImage(doc, 1, 96);
    EXPECT_EQ(img.size(), QSize(816, 1056));
    const QRectF box = doc.page(1).ops[0].box;
    const QRect textPx(int(box.left() / 15), int(box.top() / 15), int(box.width() / 15),
                       int(box.height() / 15));
    EXPECT_GT(darkPixels(img, textPx), 100);
    EXPECT_GT(darkPixels(img, QRect(96, 479, 624, 3)), 500);
    // Nothing else on the page, guide lines included.
    const int all = darkPixels(img, img.rect());
    EXPECT_EQ(all, darkPixels(img, textPx.adjusted(-2, -2, 2, 2)) +
                       darkPixels(img, QRect(96, 479, 624, 3)));
}

TEST(PrintDocument, GuideLinesAreDrawnOnlyWhenAsked) {
    PrintDocument doc;
    setMargins(doc, 1440, 1440, 1440, 1440);
    doc.startDoc();
    doc.endDoc();
    QImage with(816, 1056, QImage::Format_RGB32), without(816, 1056, QImage::Format_RGB32);
    for (auto [img, guides] : {std::pair{&with, true}, std::pair{&without, false}}) {
        img->fill(Qt::white);
        QPainter p(img);
        platform::renderPage(doc, 1, p, 96, guides);
    }
    // The margin box's left edge at x = 96.
    int marks = 0;
    for (int y = 100; y < 950; ++y) marks += qGray(with.pixel(96, y)) < 250 ? 1 : 0;
    EXPECT_GT(marks, 200);
    EXPECT_EQ(darkPixels(without, without.rect()), 0);
    for (int y = 0; y < without.height(); ++y)
        for (int x = 0; x < without.width(); ++x) ASSERT_EQ(without.pixel(x, y), qRgb(255, 255, 255));
}

// ---- the page on paper ----------------------------------------------------------------------

namespace {

struct PlacementCase {
    const char* name;
    bool landscape;
    QMarginsF unprintable;  // as the printer reports it for the portrait paper (twips)
    QRectF frame;           // a ruled frame on the page (page twips); negative: from the far edge
    bool stays;             // the page is printed where it was laid out
    bool scaled;            // the page is made smaller to fit
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, EveryMarkStaysClearOfTheStripThePaperCannotHold) {
    const PlacementCase& c = GetParam();
    PrintDocument doc;
    doc.setOrientation(c.landscape ? 1 : 0);
    doc.setUnprintableMargins(c.unprintable);
    const double w = doc.pageWidth(), h = doc.pageHeight();
    const double left = c.frame.left(), top = c.frame.top();
    const double right = c.frame.right() < 0 ? w + c.frame.right() : c.frame.right();
    const double bottom = c.frame.bottom() < 0 ? h + c.frame.bottom() : c.frame.bottom();
    doc.startDoc();
    doc.drawLine(left, top, right, top);
    doc.drawLine(left, bottom, right, bottom);
    doc.drawLine(left, top, left, bottom);
    doc.drawLine(right, top, right, bottom);
    doc.endDoc();

    const QMarginsF clear = platform::keepClearMargins(doc);
    if (c.unprintable.isNull()) {
        EXPECT_EQ(clear, QMarginsF(360, 360, 360, 360));
    } else if (c.landscape) {
        // The portrait's top edge lies at the left, its right edge at the top, and so round.
        EXPECT_EQ(clear, QMarginsF(c.unprintable.top(), c.unprintable.right(), c.unprintable.bottom(),
                                   c.unprintable.left()));
    } else {
        EXPECT_EQ(clear, c.unprintable);
    }
    const QTransform t = platform::paperPlacement(doc, QSizeF(w, h), clear);
    const QRectF placed = t.mapRect(doc.inkBounds());
    const QRectF safe = QRectF(0, 0, w, h).marginsRemoved(clear);
    EXPECT_GE(placed.left(), safe.left() - 0.01);
    EXPECT_GE(placed.top(), safe.top() - 0.01);
    EXPECT_LE(placed.right(), safe.right() + 0.01);
    EXPECT_LE(placed.bottom(), safe.bottom() + 0.01);
    EXPECT_EQ(t.isIdentity(), c.stays);
    EXPECT_EQ(t.m11() < 1, c.scaled);
    EXPECT_DOUBLE_EQ(t.m11(), t.m22());  // proportions kept
    if (c.scaled) {
        // Made smaller, the page stands in the middle across what the paper holds.
        EXPECT_NEAR(placed.left() - safe.left(), safe.right() - placed.right(), 1);
    }

    // What the preview draws: no mark in the strip (96 dpi, 15 twips to the pixel).
    const QImage img = platform::pageImage(doc, 1, 96);
    int marks = 0, inStrip = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) >= 224) continue;
            ++marks;
            inStrip += x * 15 + 15 <= clear.left() || y * 15 + 15 <= clear.top() ||
                       x * 15 >= w - clear.right() || y * 15 >= h - clear.bottom();
        }
    EXPECT_GT(marks, 100);
    EXPECT_EQ(inStrip, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PlacementTest,
    ::testing::Values(
        PlacementCase{"FrameWellInside", false, {}, QRectF(QPointF(1440, 1440), QPointF(-1440, -1440)), true, false},
        PlacementCase{"FrameAtTheEdgeOfAPdf", false, {}, QRectF(QPointF(100, 100), QPointF(-100, -100)), false, true},
        PlacementCase{"SmallMarkInTheCornerMovedIn", false, {}, QRectF(QPointF(100, 100), QPointF(2000, 500)), false,
                      false},
        PlacementCase{"FrameInsideThePrintersOwnStrip", false, QMarginsF(245, 245, 245, 720),
                      QRectF(QPointF(300, 300), QPointF(-300, -800)), true, false},
        PlacementCase{"FrameOverThePrintersBottomStrip", false, QMarginsF(245, 245, 245, 720),
                      QRectF(QPointF(300, 300), QPointF(-300, -300)), false, true},
        PlacementCase{"LandscapeFrameInsideTheTurnedStrip", true, QMarginsF(245, 245, 245, 720),
                      QRectF(QPointF(300, 300), QPointF(-750, -300)), true, false},
        PlacementCase{"LandscapeFrameOverTheTurnedStrip", true, QMarginsF(245, 245, 245, 720),
                      QRectF(QPointF(300, 300), QPointF(-300, -300)), false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A rich paragraph over three pages, printed: each page draws only its own lines, so the
// paper's text holds every line once (a line drawn whole under the clip of the page before or
// after would stand in the text of both, hidden but found by a search).
TEST(PrintDocument, EachLineOfARichParagraphIsInThePapersTextOnce) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "poppler's tools are installed by tools/install-deps.sh";
    PrintDocument doc;
    setMargins(doc, 1440, 1440, 1440, 1440);
    QTextDocument rich;
    QTextCursor cur(&rich);
    for (int i = 1; i <= 200; ++i) cur.insertText(QStringLiteral("Line %1 of the rule text.\n").arg(i));
    doc.startDoc();
    doc.paragraph(rich);
    doc.endDoc();
    ASSERT_GE(doc.pageCount(), 3);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("lines.pdf"));
    ASSERT_TRUE(platform::writePdf(doc, pdf));
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (int i = 1; i <= 200; ++i)
        EXPECT_EQ(text.count(QStringLiteral("Line %1 of the rule text.").arg(i)), 1) << i;
    // And page by page, the text of each page is the lines recorded for it.
    for (int n = 1; n <= doc.pageCount(); ++n) {
        QProcess one;
        one.start(pdftotext, {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n),
                              pdf, QStringLiteral("-")});
        ASSERT_TRUE(one.waitForFinished(60000));
        QStringList recorded;
        for (const PrintOp& op : doc.page(n).ops) recorded << op.text.split(QLatin1Char('\n'));
        EXPECT_EQ(QString::fromUtf8(one.readAllStandardOutput()).simplified(), recorded.join(QLatin1Char(' ')).simplified())
            << "page " << n;
    }
}

}  // namespace
