// The print-preview control: page navigation, guide lines and zoom on screen, copy of the
// page to the clipboard, printing through the printer service, page set-up, and how fast a
// long document opens.
#include "platform/PrintPreview.h"

#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <ostream>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

using platform::PrintDocument;
using platform::PrintPreview;

namespace {

class RecordingPrinter : public platform::Printer {
public:
    bool print(PrintDocument& doc, const std::function<void()>&) override {
        printedPages.push_back(doc.pageCount());
        return result;
    }
    bool printToPdf(const PrintDocument& doc, const QString& path) override {
        pdfs.push_back(path);
        return platform::writePdf(doc, path);
    }
    std::vector<int> printedPages;
    std::vector<QString> pdfs;
    bool result = true;
};

class PreviewTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        auto p = std::make_unique<RecordingPrinter>();
        printer = p.get();
        oldPrinter_ = platform::setPrinter(std::move(p));
        form_ = std::make_unique<platform::Form>(QStringLiteral("PreviewHost"));
        preview = std::make_unique<PrintPreview>(*form_, *form_, QStringLiteral("VSP1"));
        preview->move(0, 0, 6000, 7800);
        form_->show();
    }
    void TearDown() override {
        preview.reset();
        form_.reset();
        platform::setPrinter(std::move(oldPrinter_));
        PlatformTest::TearDown();
    }

    // A document of n pages, each page with its number on it.
    void makePages(int n) {
        PrintDocument& doc = preview->document();
        doc.startDoc();
        for (int i = 1; i <= n; ++i) {
            if (i > 1) doc.newPage();
            doc.setFontSize(36);
            doc.paragraph(QString(i, QLatin1Char('M')));
        }
        doc.endDoc();
    }

    QImage picture() {
        platform::doEvents();
        return preview->widget()->grab().toImage();
    }

    RecordingPrinter* printer = nullptr;
    std::unique_ptr<PrintPreview> preview;

private:
    std::unique_ptr<platform::Form> form_;
    std::unique_ptr<platform::Printer> oldPrinter_;
};

}  // namespace

TEST_F(PreviewTest, TurnsPagesWithinTheDocument) {
    EXPECT_EQ(preview->previewPage(), 0);
    makePages(3);
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_EQ(preview->previewPage(), 1);
    preview->nextPage();
    preview->nextPage();
    preview->nextPage();
    EXPECT_EQ(preview->previewPage(), 3);
    preview->handleKey(platform::Key::PageUp, 0, 0);
    EXPECT_EQ(preview->previewPage(), 2);
    preview->setPreviewPage(0);
    EXPECT_EQ(preview->previewPage(), 1);
    preview->handleKey(platform::Key::End, 0, 0);
    EXPECT_EQ(preview->previewPage(), 3);

    // A new, shorter document is shown from its first page.
    makePages(2);
    EXPECT_EQ(preview->previewPage(), 1);
    preview->clear();
    EXPECT_EQ(preview->pageCount(), 0);
    EXPECT_EQ(preview->previewPage(), 0);
}

TEST_F(PreviewTest, GuideLinesShowOnScreenOnly) {
    makePages(1);
    preview->document().setMarginLeft(1440);
    preview->setGuideLines(false);
    const QImage without = picture();
    preview->setGuideLines(true);
    const QImage with = picture();
    ASSERT_EQ(with.size(), without.size());
    // The dashed margin box adds hundreds of grey pixels and changes nothing else to dark.
    int added = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ++added;
                EXPECT_GT(qGray(with.pixel(x, y)), 100);
            }
    EXPECT_GT(added, 300);

    // The copy of the page never carries them: at 150 dpi the margin box's left edge is
    // column 150, white all the way below the text.
    ASSERT_TRUE(preview->copyCurrentPage());
    ASSERT_EQ(clipboard->images.size(), 1u);
    const QImage copied = clipboard->images[0];
    ASSERT_EQ(copied.width(), 1275);
    for (int y = 600; y < 1500; ++y) ASSERT_EQ(copied.pixel(150, y), qRgb(255, 255, 255)) << y;
}

TEST_F(PreviewTest, EnlargedZoomScrollsThePage) {
    makePages(1);
    auto* scroll = preview->widget()->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    preview->setZoom(platform::Zoom::Enlarged);
    platform::doEvents();
    EXPECT_EQ(preview->zoom(), 4);
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    preview->setZoom(7);  // not a zoom mode: ignored
    EXPECT_EQ(preview->zoom(), 4);
    preview->setZoom(platform::Zoom::Normal);
    platform::doEvents();
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
}

TEST_F(PreviewTest, CopiesThePageShownAndReportsTheClipboardsAnswer) {
    EXPECT_FALSE(preview->action(platform::PreviewAction::CopyPage));  // nothing to copy
    EXPECT_TRUE(clipboard->images.empty());

    makePages(2);
    preview->setPreviewPage(2);
    ASSERT_TRUE(preview->action(platform::PreviewAction::CopyPage));
    ASSERT_EQ(clipboard->images.size(), 1u);
    EXPECT_EQ(clipboard->images[0], platform::pageImage(preview->document(), 2, 150));
    EXPECT_NE(clipboard->images[0], platform::pageImage(preview->document(), 1, 150));

    clipboard->result = false;
    EXPECT_FALSE(preview->copyCurrentPage());
}

TEST_F(PreviewTest, PrintsTheWholeDocumentThroughThePrinterService) {
    EXPECT_FALSE(preview->printDoc());  // an empty preview prints nothing
    EXPECT_TRUE(printer->printedPages.empty());
    makePages(3);
    preview->setPreviewPage(2);
    EXPECT_TRUE(preview->action(platform::PreviewAction::PrintDoc));
    ASSERT_EQ(printer->printedPages, std::vector<int>{3});
    printer->result = false;  // cancelled in the print dialog
    EXPECT_FALSE(preview->printDoc());
    EXPECT_FALSE(preview->action(11));
}

TEST_F(PreviewTest, PageSetupTakesTheChosenPageAndKeepsItOnCancel) {
    PrintDocument& doc = preview->document();
    doc.setMarginLeft(350);
    doc.setMarginRight(350);
    doc.setMarginTop(300);
    doc.setMarginBottom(100);

    platform::PageSetup chosen;
    chosen.landscape = true;
    chosen.marginLeft = 720;
    chosen.marginRight = 360;
    chosen.marginTop = 1000;
    chosen.marginBottom = 500;
    chosen.paperName = QStringLiteral("A4");
    chosen.paperWidth = 11906;
    chosen.paperHeight = 16838;
    dialogs->answerPageSetup(chosen);
    EXPECT_TRUE(preview->action(platform::PreviewAction::PageSetup));
    EXPECT_EQ(doc.orientation(), 1);
    EXPECT_EQ(doc.marginLeft(), 720);
    EXPECT_EQ(doc.marginRight(), 360);
    EXPECT_EQ(doc.marginTop(), 1000);
    EXPECT_EQ(doc.marginBottom(), 500);
    EXPECT_EQ(doc.pageWidth(), 16838);
    EXPECT_EQ(doc.pageHeight(), 11906);

    dialogs->answerPageSetup(std::nullopt);
    EXPECT_FALSE(preview->pageSetup());
    EXPECT_EQ(doc.orientation(), 1);
    EXPECT_EQ(doc.marginLeft(), 720);
}

TEST_F(PreviewTest, AFortyPageDocumentOpensInUnderHalfASecond) {
    QTextDocument rich;
    QTextCursor c(&rich);
    QTextCharFormat plain;
    plain.setFontPointSize(10);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    const QString words = QStringLiteral(
        "Implement policies and procedures to prevent, detect, contain and correct security "
        "violations, and conduct an accurate and thorough assessment of the potential risks. ");
    for (int i = 0; i < 500; ++i) {
        if (i > 0) c.insertBlock();
        c.insertText(QStringLiteral("Standard %1. ").arg(i), bold);
        c.insertText(words + words + words, plain);
    }

    QElapsedTimer timer;
    timer.start();
    PrintDocument& doc = preview->document();
    doc.startDoc();
    doc.paragraph(rich);
    doc.endDoc();
    preview->widget()->grab();  // lays out the view and paints the first page
    const qint64 ms = timer.elapsed();
    EXPECT_GE(doc.pageCount(), 40);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__OPTIMIZE__)
    // Unoptimised builds are only checked for a generous bound.
    EXPECT_LT(ms, 3000);
#elif !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(ms, 500);
#endif
    (void)ms;
}

// ---- the page set-up dialog itself -------------------------------------------------------------

namespace {

struct SetupCase {
    const char* name;
    int left, right, top, bottom;  // twips
    bool landscape;
    const char* paper;
    int paperWidth, paperHeight;
    double typedLeft;  // inches typed into the left margin box; 0: left as it was
};

// Presses OK in the page set-up dialog once it is up, with real mouse events on the button,
// after typing typedLeft into the left margin box.
void confirmWhenShown(double typedLeft) {
    QTimer::singleShot(0, [typedLeft] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (typedLeft > 0) {
            const auto boxes = dialog->findChildren<QDoubleSpinBox*>();
            ASSERT_FALSE(boxes.isEmpty());
            boxes.front()->setValue(typedLeft);
        }
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        ASSERT_NE(ok, nullptr);
        const QPointF at = QRectF(ok->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(ok, &press);
        QCoreApplication::sendEvent(ok, &release);
    });
}

void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.name; }

class RealPageSetupTest : public PreviewTest, public ::testing::WithParamInterface<SetupCase> {};

TEST_P(RealPageSetupTest, ConfirmedAsItWasEveryFieldReadsBackExactly) {
    const SetupCase& c = GetParam();
    PrintDocument& doc = preview->document();
    doc.setMarginLeft(c.left);
    doc.setMarginRight(c.right);
    doc.setMarginTop(c.top);
    doc.setMarginBottom(c.bottom);
    doc.setOrientation(c.landscape ? 1 : 0);
    doc.setPaperSize(c.paperWidth, c.paperHeight, QString::fromLatin1(c.paper));

    // The program's own dialog, not the script.
    std::unique_ptr<platform::Dialogs> scripted = platform::setDialogs(nullptr);
    confirmWhenShown(c.typedLeft);
    const bool confirmed = preview->pageSetup();
    platform::setDialogs(std::move(scripted));

    ASSERT_TRUE(confirmed);
    EXPECT_EQ(doc.marginLeft(), c.typedLeft > 0 ? int(c.typedLeft * 1440 + 0.5) : c.left);
    EXPECT_EQ(doc.marginRight(), c.right);
    EXPECT_EQ(doc.marginTop(), c.top);
    EXPECT_EQ(doc.marginBottom(), c.bottom);
    EXPECT_EQ(doc.orientation(), c.landscape ? 1 : 0);
    EXPECT_EQ(doc.paperName(), QString::fromLatin1(c.paper));
    EXPECT_EQ(doc.paperWidth(), c.paperWidth);
    EXPECT_EQ(doc.paperHeight(), c.paperHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RealPageSetupTest,
    ::testing::Values(SetupCase{"RuleSectionMargins", 350, 350, 300, 100, false, "Letter", 12240, 15840, 0},
                      SetupCase{"MiscellaneousButtonMargins", 200, 100, 260, 100, false, "Letter", 12240, 15840, 0},
                      SetupCase{"ReportMargins", 100, 100, 150, 101, true, "A4", 11906, 16838, 0},
                      SetupCase{"OddTwipsOnLegal", 1, 7, 302, 346, false, "Legal", 12240, 20160, 0},
                      SetupCase{"PaperFromThePrintDialog", 350, 350, 300, 100, true, "Executive", 10440, 15120, 0},
                      SetupCase{"OneMarginTyped", 350, 350, 300, 100, false, "Letter", 12240, 15840, 0.5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
