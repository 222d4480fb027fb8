// End to end: a two-page document printed to PDF, its first page turned into an image by
// pdftoppm, shows its text where it was recorded and nothing outside the margin box; guide
// lines shown in the preview never reach the paper.
#include "platform/PrintDocument.h"
#include "platform/PrintPreview.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Font;
using platform::PrintDocument;
using platform::PrintOp;

namespace {

bool notWhite(QRgb px) { return qGray(px) < 235; }

int countIn(const QImage& img, const QRect& area, bool (*pred)(QRgb)) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pred(img.pixel(x, y))) ++n;
    return n;
}

}  // namespace

TEST(PrintToPdf, FirstPageShowsTheTextInsideTheMarginBoxOnly) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PrintDocument doc;
    doc.setMarginLeft(1440);
    doc.setMarginRight(1440);
    doc.setMarginTop(1440);
    doc.setMarginBottom(1440);
    doc.setFont(Font{QStringLiteral("Arial"), 24});
    doc.startDoc();
    doc.paragraph(QStringLiteral("HIPAA Security Rule workbook"));
    doc.setFontSize(12);
    doc.paragraph(QStringLiteral("Administrative, physical and technical safeguards."));
    doc.newPage();
    doc.paragraph(QStringLiteral("Second page"));
    doc.endDoc();
    ASSERT_EQ(doc.pageCount(), 2);

    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_TRUE(platform::writePdf(doc, pdf));
    QFile head(pdf);
    ASSERT_TRUE(head.open(QIODevice::ReadOnly));
    EXPECT_TRUE(head.read(5) == "%PDF-");
    head.close();

    // 72 dpi: 20 twips to the pixel; a Letter page is 612 x 792.
    QProcess proc;
    proc.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                          QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                          QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                          dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(proc.waitForFinished(60000));
    ASSERT_EQ(proc.exitCode(), 0) << proc.readAllStandardError().toStdString();
    const QImage img(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(612, 792));

    // Dark pixels where each line of text was recorded.
    for (const PrintOp& op : doc.page(1).ops) {
        const QRect px(int(op.box.left() / 20), int(op.box.top() / 20),
                       int(op.box.width() / 20) + 1, int(op.box.height() / 20) + 1);
        EXPECT_GT(countIn(img, px, [](QRgb p) { return qGray(p) < 100; }), 50)
            << op.text.toStdString();
    }
    // Nothing at all outside the margin box (72, 72) - (540, 720).
    const QRect box(72, 72, 468, 648);
    EXPECT_EQ(countIn(img, img.rect(), notWhite), countIn(img, box, notWhite));
    EXPECT_GT(countIn(img, box, notWhite), 0);
}

namespace {

// Rasterises page 1 of a PDF at 72 dpi; a null image when pdftoppm is absent or fails.
QImage rasterFirstPage(const QString& pdf, const QString& stem) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) return {};
    QProcess proc;
    proc.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                          QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                          QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, stem});
    if (!proc.waitForFinished(60000) || proc.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".png"));
}

}  // namespace

TEST(PrintToPdf, GuideLinesOfThePreviewAreNeverPrinted) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PrintDocument doc;
    doc.setMarginLeft(1440);
    doc.setMarginRight(1440);
    doc.setMarginTop(1440);
    doc.setMarginBottom(1440);
    doc.startDoc();
    doc.endDoc();

    // The same empty page rendered with guide lines (as the preview shows it) has marks on
    // the margin box; the PDF the printer service writes has none anywhere.
    const QImage preview = [&] {
        QImage img(612, 792, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        platform::renderPage(doc, 1, p, 72, true);
        return img;
    }();
    EXPECT_GT(countIn(preview, QRect(72, 100, 1, 600), notWhite), 100);

    const QString pdf = dir.filePath(QStringLiteral("guides.pdf"));
    ASSERT_TRUE(platform::printer().printToPdf(doc, pdf));
    const QImage printed = rasterFirstPage(pdf, dir.filePath(QStringLiteral("guides")));
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(countIn(printed, printed.rect(), notWhite), 0);
}
