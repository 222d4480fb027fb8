// The print-preview panel as the three windows embed it: its controls, the panel commands,
// Enlarge/Normal, the guide-line option and its record, and the three renderers.
#include "frame/HINFO1.h"
#include "frame/Settings.h"
#include "platform/RichTextBox.h"
#include "printing/PrintPanel.h"
#include "tests/support/TestSupport.h"

#include <QTextCursor>
#include <QTextDocument>

using namespace platform;

namespace {

const QString CopyTitle = QStringLiteral("Copy Option");

// A window carrying one panel and a document box, counting the rebuilds it is asked for.
class Host : public Form {
public:
    explicit Host(PrintPanelKind kind)
        : Form(QStringLiteral("PanelHost")), Box(*this, *this, QStringLiteral("Box")), Panel(*this, *this, kind) {
        move(0, 0, 12000, 9000);
        Panel.Arrange(scaleWidth(), scaleHeight());
        Panel.RebuildAfterPageSetup = [this] {
            ++pageSetupRebuilds;
            RenderEditorText(Panel, Box);
        };
        Panel.RebuildAfterPrinterFont = [this] { ++fontRebuilds; };
    }
    RichTextBox Box;
    PrintPanel Panel;
    int pageSetupRebuilds = 0;
    int fontRebuilds = 0;
};

class PrintPanelTest : public testsupport::ProgramTest {
protected:
    // The host shown with its panel open, as an opener leaves it.
    Host& host(PrintPanelKind kind = PrintPanelKind::SecurityRule, bool panelOpen = true) {
        host_ = std::make_unique<Host>(kind);
        host_->show();
        host_->Panel.SaveNormalSize();
        if (panelOpen) host_->Panel.ShowPanel();
        return *host_;
    }
    void TearDown() override {
        host_.reset();
        ProgramTest::TearDown();
    }
    std::unique_ptr<Host> host_;
};

// ---- the controls of each window's panel -----------------------------------------------------

struct KindCase {
    const char* name;
    PrintPanelKind kind;
    bool fontCommand;     // element 0 exists
    bool fontShown;       // ... and is shown
    const char* rangeOption;
    bool fontPanels;
    bool checkBoxes;
};

class PanelKindTest : public PrintPanelTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(PanelKindTest, CarriesTheControlsOfItsWindow) {
    const KindCase& c = GetParam();
    PrintPanel& p = host(c.kind, false).Panel;
    EXPECT_FALSE(p.SSPanel80.visible());
    EXPECT_EQ(p.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_EQ(p.SSCommand80.exists(0), c.fontCommand);
    if (c.fontCommand) {
        EXPECT_EQ(p.SSCommand80[0].caption(), QStringLiteral("Printer &Font"));
        EXPECT_EQ(p.SSCommand80[0].visible(), c.fontShown);
    }
    const char* captions[] = {"", "&Page Setup", "&Cancel", "C&opy Current Page", "&Print"};
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(p.SSCommand80[i].caption(), QString::fromLatin1(captions[i]));
    EXPECT_EQ(p.SSFrame80[0].caption(), QStringLiteral("Print Range"));
    EXPECT_EQ(p.SSOption81.caption(), QString::fromLatin1(c.rangeOption));
    EXPECT_TRUE(p.SSOption81.value());
    EXPECT_EQ(p.SSFrame80[1].caption(), QStringLiteral("Display Options"));
    EXPECT_EQ(p.SSOption82[0].caption(), QStringLiteral("Do Not Display Guide Lines"));
    EXPECT_EQ(p.SSOption82[1].caption(), QStringLiteral("Display Guide Lines"));
    EXPECT_EQ(p.Label80[2].caption(), QStringLiteral("Orientation:"));
    EXPECT_EQ(p.Panel3D80.exists(0), c.fontPanels);
    if (c.fontPanels) {
        EXPECT_EQ(p.Label80[1].caption(), QStringLiteral("Printer Font:"));
        EXPECT_EQ(p.Label80[0].caption(), QStringLiteral("Font Size:"));
        EXPECT_EQ(p.Panel3D82.caption(), QStringLiteral("AaBbYyZz"));
    }
    EXPECT_EQ(p.SSCheck80.count(), c.checkBoxes ? 4 : 0);
    EXPECT_EQ(p.SSCheck81.count(), c.checkBoxes ? 2 : 0);
    if (c.checkBoxes) {
        EXPECT_EQ(p.SSCheck81[0].caption(), QStringLiteral("Print 'As of' date on each page"));
        EXPECT_EQ(p.SSCheck81[1].caption(), QStringLiteral("Print Grid Lines"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PanelKindTest,
    ::testing::Values(
        KindCase{"SecurityRule", PrintPanelKind::SecurityRule, true, false, "All Data Will Be Displayed", false, false},
        KindCase{"ActionArea", PrintPanelKind::ActionArea, true, true, "All Data Will Be Displayed", true, true},
        KindCase{"Miscellaneous", PrintPanelKind::Miscellaneous, false, false, "Print Sample Incident Report Form",
                 true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintPanelTest, PrinterFontDoesNothingOnTheSecurityRuleWindow) {
    Host& h = host(PrintPanelKind::SecurityRule);
    h.Panel.SSCommand80_Click(0);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(h.fontRebuilds, 0);
}

TEST_F(PrintPanelTest, PrinterFontTakesTheChoiceShowsItAndRebuilds) {
    Host& h = host(PrintPanelKind::ActionArea);
    FontChoice f;
    f.font.name = QStringLiteral("Courier New");
    f.font.size = 12;
    f.font.bold = true;
    f.color = rgb(0, 0, 128);
    dialogs->answerFont(f);
    h.Panel.SSCommand80[0].click();
    EXPECT_EQ(PrintFontName, QStringLiteral("Courier New"));
    EXPECT_EQ(PrintFontSize, 12);
    EXPECT_TRUE(PrintFontBold);
    EXPECT_EQ(PrintFontColor, rgb(0, 0, 128));
    EXPECT_EQ(h.Panel.Panel3D80[0].caption(), QStringLiteral(" Courier New"));
    EXPECT_EQ(h.Panel.Panel3D80[1].caption(), QStringLiteral(" 12"));
    EXPECT_EQ(h.Panel.Panel3D82.font().name, QStringLiteral("Courier New"));
    EXPECT_EQ(h.Panel.Panel3D82.foreColor(), rgb(0, 0, 128));
    EXPECT_EQ(h.fontRebuilds, 1);

    dialogs->answerFont(std::nullopt);
    h.Panel.SSCommand80[0].click();
    EXPECT_EQ(PrintFontName, QStringLiteral("Courier New"));
    EXPECT_EQ(h.fontRebuilds, 1);
}

// ---- Page Setup ------------------------------------------------------------------------------

TEST_F(PrintPanelTest, PageSetupShowsTheOrientationTakesTheMarginsAndRebuildsWithThem) {
    Host& h = host();
    h.Box.setText(QStringLiteral("Some text"));
    h.Panel.ShowPanel();
    PageSetup setup;
    setup.landscape = true;
    setup.marginLeft = 700;
    setup.marginRight = 800;
    setup.marginTop = 900;
    setup.marginBottom = 1000;
    dialogs->answerPageSetup(setup);
    h.Panel.SSCommand80[1].click();
    EXPECT_EQ(h.Panel.Panel3D80[2].caption(), QStringLiteral(" Landscape"));
    EXPECT_EQ(PrintMarginLeft, 700);
    EXPECT_EQ(PrintMarginRight, 800);
    EXPECT_EQ(PrintMarginTop, 900);
    EXPECT_EQ(PrintMarginBottom, 1000);
    EXPECT_EQ(h.pageSetupRebuilds, 1);
    const PrintDocument& doc = h.Panel.VSP1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    ASSERT_FALSE(doc.page(1).ops.empty());
    EXPECT_NEAR(doc.page(1).ops[0].box.left(), 700, 1);
    EXPECT_NEAR(doc.page(1).ops[0].box.top(), 900, 1);

    // A later render keeps them until an opener sets its own.
    RenderEditorText(h.Panel, h.Box);
    EXPECT_EQ(h.Panel.VSP1.document().marginLeft(), 700);

    // A cancelled set-up still reads back and rebuilds.
    setup.landscape = false;
    dialogs->answerPageSetup(std::nullopt);
    h.Panel.SSCommand80[1].click();
    EXPECT_EQ(h.Panel.Panel3D80[2].caption(), QStringLiteral(" Landscape"));
    EXPECT_EQ(PrintMarginLeft, 700);
    EXPECT_EQ(h.pageSetupRebuilds, 2);
}

TEST_F(PrintPanelTest, PortraitAfterPageSetupReadsWithALeadingBlank) {
    Host& h = host();
    h.Panel.VSP1.document().setOrientation(1);
    dialogs->answerPageSetup(PageSetup{});
    h.Panel.SSCommand80[1].click();
    EXPECT_EQ(h.Panel.Panel3D80[2].caption(), QStringLiteral(" Portrait"));
}

// ---- Cancel, Copy, Print ---------------------------------------------------------------------

TEST_F(PrintPanelTest, CancelHidesThePanelAndEndsTheHourglass) {
    Host& h = host();
    h.Panel.ShowPanel();
    HourglassOn();
    h.Panel.SSCommand80[2].click();
    EXPECT_FALSE(h.Panel.SSPanel80.visible());
    EXPECT_FALSE(pointer->hourglass());
}

class CopyPageTest : public PrintPanelTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CopyPageTest, TheMessageSaysWhetherThePageReachedTheClipboard) {
    clipboard->result = GetParam();
    Host& h = host();
    h.Box.setText(QStringLiteral("Page text"));
    h.Panel.ShowPanel();
    RenderEditorText(h.Panel, h.Box);
    dialogs->answer(CopyTitle, Answer::OK);
    h.Panel.SSCommand80[3].click();
    ASSERT_EQ(clipboard->images.size(), 1u);
    EXPECT_FALSE(clipboard->images[0].isNull());
    auto shown = dialogs->shownWithTitle(CopyTitle);
    ASSERT_EQ(shown.size(), 1u);
    if (GetParam()) {
        EXPECT_EQ(shown[0].text, QStringLiteral("Current Page has been copied to the Windows Clipboard."));
        EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    } else {
        EXPECT_EQ(shown[0].text, QStringLiteral("Current Page could not be copied to the Windows Clipboard."));
        EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, CopyPageTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Accepted" : "Refused"; });

TEST_F(PrintPanelTest, CopyWithoutAPageSaysItFailed) {
    Host& h = host();
    h.Panel.ShowPanel();
    dialogs->answer(CopyTitle, Answer::OK);
    h.Panel.SSCommand80[3].click();
    EXPECT_TRUE(clipboard->images.empty());
    auto shown = dialogs->shownWithTitle(CopyTitle);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Current Page could not be copied to the Windows Clipboard."));
}

TEST_F(PrintPanelTest, PrintSendsTheWholeDocument) {
    Host& h = host();
    QString text;
    for (int i = 0; i < 300; ++i) text += QStringLiteral("Line %1\r\n").arg(i);
    h.Box.setText(text);
    RenderEditorText(h.Panel, h.Box);
    ASSERT_GT(h.Panel.VSP1.pageCount(), 1);
    h.Panel.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    EXPECT_EQ(printer->printedPageCounts[0], h.Panel.VSP1.pageCount());
}

// ---- Enlarge / Normal ------------------------------------------------------------------------

TEST_F(PrintPanelTest, EnlargeFillsThePanelAndNormalReturnsExactlyToTheSavedSize) {
    Host& h = host();
    PrintPanel& p = h.Panel;
    p.ShowPanel();
    const int width = p.VSP1.width(), left = p.VSP1.left();
    EXPECT_EQ(PreviewNormalWidth, width);
    EXPECT_EQ(PreviewNormalLeft, left);
    EXPECT_EQ(p.SSCommand1.top(), p.SSPanel80.top() + 75);
    p.SSCommand1.click();
    EXPECT_EQ(p.SSCommand1.caption(), QStringLiteral("Normal"));
    EXPECT_EQ(p.VSP1.left(), 115);
    EXPECT_EQ(p.VSP1.width(), p.SSPanel80.width() - 230);
    EXPECT_EQ(p.VSP1.zoom(), Zoom::Enlarged);
    EXPECT_TRUE(p.isEnlarged());
    p.SSCommand1.click();
    EXPECT_EQ(p.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_EQ(p.VSP1.width(), width);
    EXPECT_EQ(p.VSP1.left(), left);
    EXPECT_EQ(p.VSP1.zoom(), Zoom::Normal);
}

// ---- guide lines -----------------------------------------------------------------------------

TEST_F(PrintPanelTest, GuideLineChoiceIsShownAndStoredInRecord11) {
    Host& h = host();
    h.Panel.SSOption82[1].click();
    EXPECT_TRUE(h.Panel.VSP1.guideLines());
    QByteArray file = folder->read(QStringLiteral("GColor3.Fil"));
    ASSERT_EQ(file.size(), 220);
    EXPECT_EQ(file.mid(200, 3), QByteArray("\x01\x00" "1", 3));
    h.Panel.SSOption82[0].click();
    EXPECT_FALSE(h.Panel.VSP1.guideLines());
    EXPECT_EQ(frame::readGuideLineSetting(), 0);
}

TEST_F(PrintPanelTest, GuideLineChoiceDuringARestoreIsShownButNotStored) {
    Host& h = host();
    frame::writeGuideLineSetting(0);
    const QByteArray before = folder->read(QStringLiteral("GColor3.Fil"));
    LoopIndex = -899;
    h.Panel.SSOption82[1].click();
    EXPECT_TRUE(h.Panel.VSP1.guideLines());
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")), before);
}

TEST_F(PrintPanelTest, RestoreSelectsTheStoredChoiceAndPutsTheCounterBack) {
    frame::writeGuideLineSetting(1);
    Host& h = host();
    LoopIndex = 6;  // the last message-box answer, say
    h.Panel.RestoreGuideLines();
    EXPECT_TRUE(h.Panel.SSOption82[1].value());
    EXPECT_TRUE(h.Panel.VSP1.guideLines());
    EXPECT_EQ(LoopIndex, 6);
    LoopIndex = -899;  // a marker some Load left standing is ended too
    h.Panel.RestoreGuideLines();
    EXPECT_EQ(LoopIndex, 0);
}

// ---- the renderers ---------------------------------------------------------------------------

TEST_F(PrintPanelTest, RuleSectionPrintsTheSelectionOrElseTheWhole) {
    Host& h = host();
    h.Box.setText(QStringLiteral("First paragraph here.\r\nSecond paragraph there."));
    PrintPanel::SetMargins(350, 350, 300, 100);
    RenderRuleSection(h.Panel, h.Box);
    const PrintDocument& doc = h.Panel.VSP1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    ASSERT_EQ(doc.page(1).ops.size(), 1u);
    EXPECT_EQ(doc.page(1).ops[0].text, QStringLiteral("First paragraph here.\nSecond paragraph there."));
    EXPECT_EQ(doc.marginLeft(), 350);
    EXPECT_EQ(doc.marginRight(), 350);
    EXPECT_EQ(doc.marginTop(), 300);
    EXPECT_EQ(doc.marginBottom(), 100);

    h.Box.setSelStart(6);
    h.Box.setSelLength(1);
    RenderRuleSection(h.Panel, h.Box);
    ASSERT_EQ(h.Panel.VSP1.document().pageCount(), 1);
    EXPECT_EQ(h.Panel.VSP1.document().page(1).ops[0].text, QStringLiteral("p"));
    EXPECT_FALSE(pointer->hourglass());
}

TEST_F(PrintPanelTest, TopicAndEditorPrintTheWholeTextWhateverIsSelected) {
    Host& h = host();
    h.Box.setText(QStringLiteral("Whole text"));
    h.Box.setSelStart(0);
    h.Box.setSelLength(5);
    RenderTopic(h.Panel, h.Box);
    EXPECT_EQ(h.Panel.VSP1.document().page(1).ops[0].text, QStringLiteral("Whole text"));
    RenderEditorText(h.Panel, h.Box);
    EXPECT_EQ(h.Panel.VSP1.document().page(1).ops[0].text, QStringLiteral("Whole text"));
}

TEST_F(PrintPanelTest, AnEmptyEditorGivesOneEmptyPage) {
    Host& h = host();
    RenderEditorText(h.Panel, h.Box);
    const PrintDocument& doc = h.Panel.VSP1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    for (const PrintOp& op : doc.page(1).ops) EXPECT_TRUE(op.text.trimmed().isEmpty());
}

}  // namespace
