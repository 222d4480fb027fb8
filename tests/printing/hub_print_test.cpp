// The Action Area's print panel: a document typed in the editor goes to the preview with the
// editor's "&Print" or the Options menu's, is enlarged and brought back, printed, and left with
// Cancel or Esc; the guide-line choice is stored; Page Setup renders the document again.
#include "catalogue/Catalogue.h"
#include "frame/Settings.h"
#include "tests/workbook/HubFixture.h"

#include <QFile>
#include <QProcess>

using namespace platform;
using hubtest::previewText;

namespace {

const QString Typed = QStringLiteral("Risk analysis begun with the practice manager on 3 March.");

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

class HubPrintTest : public hubtest::HubTest {
protected:
    // The Action Taken document of the first administrative entry, typed into by the user.
    WorkArea1& typedActionTaken() {
        WorkArea1& w = openHub();
        page(w, catalogue::PageAdministrative);
        w.SSCommand14[0].click();
        w.SSOption3.click();
        w.Rtext3.type(Typed);
        return w;
    }
    // The rule text of the first administrative entry in the editor.
    WorkArea1& openSpecView() {
        WorkArea1& w = openHub();
        page(w, catalogue::PageAdministrative);
        w.SSCommand14[0].click();
        w.SSOption6.click();
        return w;
    }
};

// ---- the editor's Print opens the preview of the document -------------------------------------

struct DocumentCase {
    const char* name;
    SSOption WorkArea1::*option;
    int box;
    const char* caption;
};

class DocumentPrintTest : public HubPrintTest, public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(DocumentPrintTest, PrintShowsTheTypedDocumentWithItsBoxTickedAndTheOthersOff) {
    const DocumentCase& c = GetParam();
    WorkArea1& w = openHub();
    page(w, catalogue::PagePhysical);
    w.SSCommand17[2].click();
    (w.*c.option).click();
    w.Rtext3.type(Typed);
    PrintMarginTop = 1;  // whatever another window left
    w.SSCommand5.click();

    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(w.SSPanel80.left(), 0);
    EXPECT_EQ(w.SSPanel80.top(), 0);
    EXPECT_EQ(PrintMarginLeft, 350);
    EXPECT_EQ(PrintMarginRight, 350);
    EXPECT_EQ(PrintMarginTop, 300);
    EXPECT_EQ(PrintMarginBottom, 100);
    EXPECT_EQ(w.VSP1.displaySetting(), 3);
    const PrintDocument& doc = w.VSP1.document();
    EXPECT_EQ(doc.marginLeft(), 350);
    EXPECT_EQ(doc.marginTop(), 300);
    ASSERT_EQ(doc.pageCount(), 1);
    ASSERT_EQ(doc.page(1).ops.size(), 1u);
    EXPECT_EQ(doc.page(1).ops[0].kind, PrintOp::RichText);
    EXPECT_EQ(doc.page(1).ops[0].text.simplified(), Typed);

    EXPECT_EQ(w.SSCheck80[c.box].caption(), QString::fromLatin1(c.caption));
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(w.SSCheck80[i].value(), i == c.box ? 1 : 0) << i;
        EXPECT_EQ(w.SSCheck80[i].enabled(), i == c.box) << i;
    }
    EXPECT_FALSE(w.SSCheck80[3].visible());
    EXPECT_FALSE(w.SSCommand80[0].enabled());
    EXPECT_TRUE(w.SSCommand80[1].enabled());
    // The opener's own tick was swallowed once; the next click is the user's again.
    EXPECT_EQ(ModeFlag, 0);
    EXPECT_EQ(PrintFontName, w.Rtext3.font().name);
    EXPECT_EQ(PrintFontSize, w.Rtext3.font().size);
    EXPECT_EQ(PrintFontColor, 0u);
    EXPECT_FALSE(pointer->hourglass());
    // Printing leaves the user's typing unsaved.
    EXPECT_EQ(w.UnsavedChanges, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentPrintTest,
    ::testing::Values(DocumentCase{"ActionTaken", &WorkArea1::SSOption3, 0, "Action Taken"},
                      DocumentCase{"Comments", &WorkArea1::SSOption4, 1, "Comments/Notes"},
                      DocumentCase{"Policies", &WorkArea1::SSOption5, 2, "Policies && Procedures"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HubPrintTest, TheOptionsMenusPrintOpensTheSamePreview) {
    WorkArea1& w = typedActionTaken();
    ASSERT_TRUE(w.mOPrint.enabled());
    w.mOPrint.click();
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_TRUE(previewText(w.VSP1).simplified().contains(Typed));
}

TEST_F(HubPrintTest, AnEmptyDocumentPreviewsAsOneEmptyPage) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[0].click();
    w.SSOption3.click();
    w.SSCommand5.click();
    ASSERT_EQ(w.VSP1.pageCount(), 1);
    EXPECT_TRUE(previewText(w.VSP1).trimmed().isEmpty());
}

// The recovery plan is the user's own document whatever Actions option another page left
// chosen: it previews as it stands, not as an empty specification page.
TEST_F(HubPrintTest, TheRecoveryPlanPrintsItsTextWithNoDocumentOptionChosen) {
    WorkArea1& w = openHub();
    folder->write(QStringLiteral("DRPln1.Fil"), QByteArray("{\\rtf1\\ansi Call tree: practice manager first.\\par}"));
    page(w, catalogue::PageRecoveryPlan);
    ASSERT_FALSE(w.DocumentOptionChosen());
    ASSERT_TRUE(w.SSCommand5.enabled());
    w.SSCommand5.click();
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_TRUE(previewText(w.VSP1).contains(QStringLiteral("Call tree: practice manager first.")));
    for (int i = 0; i <= 2; ++i) EXPECT_EQ(w.SSCheck80[i].value(), 0) << i;
    EXPECT_EQ(ModeFlag, 0);
}

// ---- the panel's commands on the Action Area -------------------------------------------------

struct SizeCase {
    const char* name;
    int width;  // the window's width after it was activated (0: as activated)
    int height;
};

class PreviewSizeTest : public HubPrintTest, public ::testing::WithParamInterface<SizeCase> {};

// Also when the window was resized after its activation, as a late maximise does.
TEST_P(PreviewSizeTest, EnlargeAndNormalReturnExactlyToThePreviewsPlace) {
    WorkArea1& w = typedActionTaken();
    if (GetParam().width > 0) {
        w.setWindowState(WindowState::Normal);
        w.move(0, 0, GetParam().width, GetParam().height);
        doEvents();
    }
    w.SSCommand5.click();
    EXPECT_EQ(w.SSPanel80.width(), w.scaleWidth());
    const int left = w.VSP1.left();
    const int width = w.VSP1.width();
    w.SSCommand1.click();
    EXPECT_EQ(w.SSCommand1.caption(), QStringLiteral("Normal"));
    EXPECT_EQ(w.VSP1.zoom(), Zoom::Enlarged);
    EXPECT_EQ(w.VSP1.left(), 115);
    EXPECT_EQ(w.VSP1.width(), w.SSPanel80.width() - 230);
    w.SSCommand1.click();
    EXPECT_EQ(w.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_EQ(w.VSP1.zoom(), Zoom::Normal);
    EXPECT_EQ(w.VSP1.left(), left);
    EXPECT_EQ(w.VSP1.width(), width);
}

INSTANTIATE_TEST_SUITE_P(Windows, PreviewSizeTest,
                         ::testing::Values(SizeCase{"AsActivated", 0, 0}, SizeCase{"Wider", 19200, 12000},
                                           SizeCase{"Narrower", 10000, 7500}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each information label stands beside the value it names.
TEST_F(HubPrintTest, ThePrinterFontAndFontSizeStandBesideTheirLabels) {
    WorkArea1& w = openSpecView();
    w.SSCommand5.click();
    EXPECT_EQ(w.Label80[1].caption(), QStringLiteral("Printer Font:"));
    EXPECT_EQ(w.Label80[0].caption(), QStringLiteral("Font Size:"));
    EXPECT_EQ(w.Panel3D80[0].caption(), QStringLiteral(" ") + w.Rtext3.font().name);
    EXPECT_EQ(w.Panel3D80[1].caption(), QStringLiteral(" ") + QString::number(w.Rtext3.font().size));
    EXPECT_NEAR(w.Label80[1].top(), w.Panel3D80[0].top(), 100);
    EXPECT_NEAR(w.Label80[0].top(), w.Panel3D80[1].top(), 100);
    EXPECT_NEAR(w.Label80[2].top(), w.Panel3D80[2].top(), 100);
    EXPECT_LT(w.Panel3D80[0].top(), w.Panel3D80[1].top());
}

TEST_F(HubPrintTest, CancelReturnsToTheEditorAsItWas) {
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    w.SSCommand80[2].click();
    EXPECT_FALSE(w.SSPanel80.visible());
    EXPECT_TRUE(w.SSPanel1.visible());
    EXPECT_EQ(w.AreaMode, catalogue::PageAdministrative);
    EXPECT_EQ(w.Rtext3.text(), Typed);
    EXPECT_FALSE(w.Rtext3.locked());
    EXPECT_EQ(w.TextKind, 3);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(HubPrintTest, PrintSendsTheDocumentToThePrinterAndItReadsBackFromPaper) {
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    const QString pdf = folder->file(QStringLiteral("action.pdf"));
    printer->pdfPath = pdf;
    w.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    EXPECT_EQ(printer->printedPageCounts[0], 1);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(pdfText(pdf).contains(Typed)) << pdfText(pdf).toStdString();
    // Printing keeps the preview open.
    EXPECT_TRUE(w.SSPanel80.visible());
}

TEST_F(HubPrintTest, PageSetupRendersTheDocumentAgainWithTheNewMargins) {
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    PageSetup setup;
    setup.landscape = true;
    setup.marginLeft = 1000;
    setup.marginRight = 900;
    setup.marginTop = 800;
    setup.marginBottom = 700;
    dialogs->answerPageSetup(setup);
    w.SSCommand80[1].click();
    EXPECT_EQ(w.Panel3D80[2].caption(), QStringLiteral(" Landscape"));
    EXPECT_EQ(PrintMarginLeft, 1000);
    EXPECT_EQ(PrintMarginBottom, 700);
    const PrintDocument& doc = w.VSP1.document();
    EXPECT_EQ(doc.marginLeft(), 1000);
    EXPECT_EQ(doc.marginTop(), 800);
    ASSERT_EQ(doc.pageCount(), 1);
    ASSERT_FALSE(doc.page(1).ops.empty());
    EXPECT_EQ(doc.page(1).ops[0].box.left(), 1000);
    EXPECT_EQ(doc.page(1).ops[0].text.simplified(), Typed);
}

struct GuideCase {
    int option;
    const char* stored;
    bool shown;
};

class HubGuideLineTest : public HubPrintTest, public ::testing::WithParamInterface<GuideCase> {};

TEST_P(HubGuideLineTest, TheChoiceIsShownAndStoredInRecord11) {
    const GuideCase& c = GetParam();
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    w.SSOption82[1 - c.option].click();
    w.SSOption82[c.option].click();
    EXPECT_EQ(w.VSP1.guideLines(), c.shown);
    EXPECT_EQ(readStringRecord(QStringLiteral("GColor3.Fil"), 20, 11), QString::fromLatin1(c.stored));
}

INSTANTIATE_TEST_SUITE_P(Options, HubGuideLineTest,
                         ::testing::Values(GuideCase{1, "1", true}, GuideCase{0, "0", false}));

// A later start shows the stored choice again.
TEST_F(HubPrintTest, TheStoredGuideLinesAreShownAtTheNextStart) {
    frame::writeGuideLineSetting(1);
    WorkArea1& w = openHub();
    EXPECT_TRUE(w.SSOption82[1].value());
    EXPECT_TRUE(w.VSP1.guideLines());
    EXPECT_EQ(frame::readGuideLineSetting(), 1);
}

// ---- the panel's check boxes ----------------------------------------------------------------

// In report mode "All Safeguards" stands alone: ticking it clears the groups, ticking a group
// clears it; the font display shows the reports' own font.
TEST_F(HubPrintTest, AllSafeguardsAndTheSingleGroupsExcludeEachOther) {
    WorkArea1& w = openHub();
    const char* captions[4] = {"All Safeguards", "Administrative Safeguards", "Physical Safeguards",
                               "Technical Safeguards"};
    for (int i = 0; i < 4; ++i) {
        w.SSCheck80[i].setCaption(QString::fromLatin1(captions[i]));
        w.SSCheck80[i].setValue(0);
    }
    w.Print.ShowPanel();
    w.SSCheck80[1].click();
    w.SSCheck80[3].click();
    w.SSCheck80[0].click();
    EXPECT_EQ(w.SSCheck80[0].value(), 1);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(w.SSCheck80[i].value(), 0) << i;
    w.SSCheck80[2].click();
    EXPECT_EQ(w.SSCheck80[0].value(), 0);
    EXPECT_EQ(w.SSCheck80[2].value(), 1);
    EXPECT_EQ(w.Panel3D80[0].caption(), QStringLiteral(" Times New Roman"));
    EXPECT_EQ(w.Panel3D80[1].caption(), QStringLiteral(" 10"));
    EXPECT_EQ(w.Panel3D82.font().name, QStringLiteral("Times New Roman"));
}

// Load restores both to-do options ticked; a click keeps both flags whichever box it was.
TEST_F(HubPrintTest, TheToDoOptionsKeepTheirFlags) {
    WorkArea1& w = openHub();
    EXPECT_EQ(NoAsOfDate, 0);
    EXPECT_EQ(NoGridLines, 0);
    w.SSCheck81[1].click();
    EXPECT_EQ(NoGridLines, 1);
    EXPECT_EQ(NoAsOfDate, 0);
    w.SSCheck81[0].click();
    EXPECT_EQ(NoGridLines, 1);
    EXPECT_EQ(NoAsOfDate, 1);
    w.SSCheck81[1].click();
    EXPECT_EQ(NoGridLines, 0);
}

// ---- keys while the preview shows ------------------------------------------------------------

TEST_F(HubPrintTest, EscFirstBringsTheEnlargedPreviewBackThenClosesItThenAsksToExit) {
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    w.SSCommand1.click();
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(w.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_EQ(w.VSP1.zoom(), Zoom::Normal);
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_FALSE(w.SSPanel80.visible());
    EXPECT_TRUE(dialogs->shown().empty());
    // With the preview closed, Esc is the window's exit again: the typing is offered first.
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    dialogs->answer(QStringLiteral("Exit"), Answer::No);
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Exit")).size(), 1u);
}

TEST_F(HubPrintTest, F1AndTheHelpMenuOpenThePreviewTopicWhileItShows) {
    WorkArea1& w = typedActionTaken();
    w.SSCommand5.click();
    w.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 1014);
    help->calls.clear();
    w.mH.click();
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 1014);
    help->calls.clear();
    w.SSCommand80[2].click();
    w.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 3010);
}

}  // namespace
