// The Security Rule window: its sections, Load, Clear, Font Display, copying, a missing
// document, keys and the ways back to the Action Area.
#include "frame/Settings.h"
#include "frame/SharedBehaviours.h"
#include "tests/library/PrivRuleFixture.h"
#include "library/InfoAdv.h"
#include "library/Miscform1.h"
#include "workbook/WorkArea1.h"

#include <sys/stat.h>

using namespace platform;
using namespace privruletest;

namespace {

const QString CopyTitle = QStringLiteral("Copy Option");
const QString CopiedText = QStringLiteral("A copy has been copied to the Windows Clipboard.");

QByteArray stringRecord(const QByteArray& text) {
    QByteArray r(20, '\0');
    r[0] = char(text.size());
    r.replace(2, text.size(), text);
    return r;
}

// The plain text a rule document gives when loaded on its own.
QString documentText(const QString& name) {
    Form scratch(QStringLiteral("Scratch"));
    RichTextBox box(scratch, scratch, QStringLiteral("box"));
    box.loadFile(name);
    return box.text();
}

bool documentCommandsEnabled(PrivRule& w) {
    return w.SSCommand4.enabled() && w.SSCommand5.enabled() && w.SSCommand3.enabled() && w.mOPrint.enabled()
           && w.mOSearch.enabled() && w.mOFD.enabled() && w.mOClip.enabled();
}
bool documentCommandsDisabled(PrivRule& w) {
    return !w.SSCommand4.enabled() && !w.SSCommand5.enabled() && !w.SSCommand3.enabled() && !w.mOPrint.enabled()
           && !w.mOSearch.enabled() && !w.mOFD.enabled() && !w.mOClip.enabled();
}

// ---- the 25 sections -------------------------------------------------------------------------

struct SectionCase {
    int n;
    const char* caption;  // as a person sees it
    const char* tooltip;
};

const SectionCase Sections[] = {
    {0, "Entire Rule", "The Entire Security Rule"},
    {1, "Summary", "Summary portion of the Rule"},
    {2, "I. Background", "Background of the Rule."},
    {3, "II. General Overview", "General Overview of the Proposed Rule"},
    {4, "III. Analysis of, ...", "Analysis of, and Responses to, Public Comments on the Proposed Rule"},
    {5, "A. General Issues", "General Issues"},
    {6, "B. Applicability", "Applicability (Sec. 164.302)"},
    {7, "C. Transition ...", "Transition to the Final Rule"},
    {8, "D. General Rules", "General Rules (Sec. 164.306)"},
    {9, "E. Admin. Safeguards", "Administrative Safeguards (Sec. 164.308)"},
    {10, "F. Physical Safeguards", "Physical Safeguards (Sec. 164.310)"},
    {11, "G.Technical Safeguards", "Technical Safeguards (Sec. 164.312)"},
    {12, "H. Organizational Req.", "Organizational Requirements (Sec. 164.314)"},
    {13, "I. Policies&Procedures..", "Policies and Procedures and Documentation Requirements (Sec. 164.316)"},
    {14, "J. Compliance Dates...", "Compliance Dates for Initial Implementation (Sec. 164.318)"},
    {15, "K. Appendix", "Appendix"},
    {16, "L. Misc. Issues", "Miscellaneous Issues."},
    {17, "M. Proposed Impact...", "Proposed Impact Analysis"},
    {18, "IV. Provisions of...", "Provisions of the Final Regulation"},
    {19, "V.Collection of Info...", "Collection of Information Requirements"},
    {20, "IV. Regulatory Impact...", "Regulatory Impact Analysis"},
    {21, "V. Federalism", "Federalism"},
    {22, "List of Subjects", "List of Subjects"},
    {23, "Subpart C-Sec. Stand...",
     "Subpart C - Security Standards for the Protection of Electronic Protected Health Information"},
    {24, "Subpart C- Matrix", "Appendix A to Subpart C of Part 164--Security Standards Matrix"},
};

class SectionTest : public PrivRuleTest, public ::testing::WithParamInterface<SectionCase> {};

TEST_P(SectionTest, OptionShowsItsCaptionAndLoadsItsDocumentIntoTheViewer) {
    const SectionCase& c = GetParam();
    PrivRule& w = showRule();
    SSOption& option = w.SSOption1[c.n];
    EXPECT_EQ(stripAccessKey(option.caption()), QString::fromLatin1(c.caption));
    EXPECT_EQ(option.toolTipText(), QString::fromLatin1(c.tooltip));

    option.click();
    EXPECT_EQ(RuleSection, c.n);
    EXPECT_EQ(w.caption(), QStringLiteral("Security Rule - ") + QString::fromLatin1(c.tooltip));
    const QString expected = documentText(QStringLiteral("PR%1.Hlp").arg(c.n));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(w.RText2.text(), expected);
    EXPECT_TRUE(documentCommandsEnabled(w));
    EXPECT_FALSE(w.RText.visible());
    // The chosen option alone is blue.
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(w.SSOption1[i].foreColor(), paletteColor(i == c.n ? 9 : 0)) << "option " << i;
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_TRUE(dialogs->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Sections, SectionTest, ::testing::ValuesIn(Sections),
                         [](const auto& info) { return "PR" + std::to_string(info.param.n); });

// ---- Load ------------------------------------------------------------------------------------

TEST_F(PrivRuleTest, LoadShowsNoSectionAndHoldsTheSecurityRuleRequest) {
    PrivRule& w = showRule();
    EXPECT_EQ(w.caption(), QStringLiteral("Security Rule"));
    EXPECT_EQ(RequestedArea, 2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.SSCommand2[i].foreColor(), paletteColor(i == 2 ? 9 : 0));
    for (int i = 0; i < 25; ++i) EXPECT_FALSE(w.SSOption1[i].value());
    EXPECT_TRUE(w.RText2.text().isEmpty());
    EXPECT_TRUE(documentCommandsDisabled(w));
    EXPECT_FALSE(w.Panel3D3.visible());
    EXPECT_FALSE(w.SSPanel80.visible());
    EXPECT_EQ(w.Panel3D80[2].caption(), QStringLiteral(" Portrait"));
    EXPECT_EQ(w.VSP1.document().orientation(), 0);
    EXPECT_EQ(w.Panel3D3.backColor(), w.Label1.backColor());
    EXPECT_EQ(w.SSPanel80.backColor(), w.Label1.backColor());
    EXPECT_FALSE(pointer->hourglass());
}

struct GuideLineCase {
    const char* name;
    std::optional<QByteArray> record11;  // nothing: no settings file at all
    int selected;
};

class GuideLineRestoreTest : public PrivRuleTest, public ::testing::WithParamInterface<GuideLineCase> {};

TEST_P(GuideLineRestoreTest, LoadSelectsTheStoredChoiceWritesNothingAndEndsTheMarker) {
    const GuideLineCase& c = GetParam();
    QByteArray file;
    if (c.record11) {
        file = QByteArray(10 * 20, '\0') + stringRecord(*c.record11);
        folder->write(QStringLiteral("GColor3.Fil"), file);
    }
    PrivRule& w = showRule();
    EXPECT_TRUE(w.SSOption82[c.selected].value());
    EXPECT_FALSE(w.SSOption82[1 - c.selected].value());
    EXPECT_EQ(w.VSP1.guideLines(), c.selected == 1);
    if (c.record11) {
        EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")), file);
    }
    // The restore's marker does not outlive Load: a later choice is stored.
    EXPECT_NE(LoopIndex, -899);
    w.SSOption82[1 - c.selected].click();
    EXPECT_EQ(frame::readGuideLineSetting(), 1 - c.selected);
}

INSTANTIATE_TEST_SUITE_P(Records, GuideLineRestoreTest,
                         ::testing::Values(GuideLineCase{"NoFile", std::nullopt, 0},
                                           GuideLineCase{"Empty", QByteArray(), 0},
                                           GuideLineCase{"Off", QByteArray("0"), 0},
                                           GuideLineCase{"On", QByteArray("1"), 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Clear -----------------------------------------------------------------------------------

TEST_F(PrivRuleTest, ClearEmptiesTheViewerAndAChoiceBringsTheCommandsBack) {
    PrivRule& w = openAt(9);
    w.SSCommand5.click();  // the search panel stays open across Clear
    w.SSCommand6.click();
    EXPECT_EQ(w.caption(), QStringLiteral("Security Rule"));
    EXPECT_TRUE(w.RText2.text().isEmpty());
    EXPECT_TRUE(documentCommandsDisabled(w));
    for (int i = 0; i < 25; ++i) {
        EXPECT_FALSE(w.SSOption1[i].value());
        EXPECT_EQ(w.SSOption1[i].foreColor(), paletteColor(0));
    }
    EXPECT_TRUE(w.Panel3D3.visible());
    w.SSOption1[24].click();
    EXPECT_EQ(w.caption(),
              QStringLiteral("Security Rule - Appendix A to Subpart C of Part 164--Security Standards Matrix"));
    EXPECT_TRUE(documentCommandsEnabled(w));
    EXPECT_FALSE(w.Panel3D3.visible());  // choosing a section closes the search panel
}

// ---- a missing or unreadable document --------------------------------------------------------

enum class BrokenKind { Missing, Fifo, Directory };

class BrokenDocumentTest : public PrivRuleTest, public ::testing::WithParamInterface<BrokenKind> {};

TEST_P(BrokenDocumentTest, ShowsAnEmptyViewerSaysSoAndOffersNoDocumentCommands) {
    const QString path = folder->file(QStringLiteral("PR9.Hlp"));
    QFile::remove(path);
    if (GetParam() == BrokenKind::Fifo) {
        ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    }
    if (GetParam() == BrokenKind::Directory) {
        ASSERT_TRUE(QDir().mkdir(path));
    }
    PrivRule& w = showRule();
    // A section shown before keeps nothing behind in the viewer.
    w.SSOption1[1].click();
    dialogs->answer(QStringLiteral("Security Rule"), Answer::OK);
    w.SSOption1[9].click();
    auto shown = boxes(QStringLiteral("Security Rule"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("The section document PR9.Hlp could not be read."));
    EXPECT_TRUE(w.RText2.text().isEmpty());
    EXPECT_TRUE(documentCommandsDisabled(w));
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_FALSE(w.RText.visible());
    // The other sections still read.
    w.SSOption1[10].click();
    EXPECT_FALSE(w.RText2.text().isEmpty());
    EXPECT_TRUE(documentCommandsEnabled(w));
}

INSTANTIATE_TEST_SUITE_P(Kinds, BrokenDocumentTest,
                         ::testing::Values(BrokenKind::Missing, BrokenKind::Fifo, BrokenKind::Directory),
                         [](const auto& info) {
                             switch (info.param) {
                             case BrokenKind::Missing: return std::string("Missing");
                             case BrokenKind::Fifo: return std::string("Fifo");
                             default: return std::string("Directory");
                             }
                         });

// ---- Font Display ----------------------------------------------------------------------------

TEST_F(PrivRuleTest, FontDisplayRestylesTheSelectionKeepsItSelectedAndNeverWritesTheDocument) {
    const QByteArray before = folder->read(QStringLiteral("PR9.Hlp"));
    PrivRule& w = openAt(9);
    w.RText2.setSelStart(3);
    w.RText2.setSelLength(14);
    const QString selected = w.RText2.selText();
    FontChoice chosen;
    chosen.font.name = QStringLiteral("Courier New");
    chosen.font.size = 16;
    chosen.font.bold = false;
    chosen.font.italic = true;
    chosen.font.underline = true;
    chosen.font.strikethrough = true;
    chosen.color = rgb(200, 0, 0);
    dialogs->answerFont(chosen);
    w.SSCommand3.click();

    // The dialog opened with the selection's font: the section heading is bold Times New Roman.
    ASSERT_EQ(fontDialogs->offered.size(), 1u);
    EXPECT_EQ(fontDialogs->offered[0].font.name, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(fontDialogs->offered[0].font.bold);
    EXPECT_EQ(fontDialogs->offered[0].font.size, 16);

    EXPECT_EQ(w.RText2.selStart(), 3);
    EXPECT_EQ(w.RText2.selLength(), 14);
    EXPECT_EQ(w.RText2.selText(), selected);
    EXPECT_EQ(w.RText2.selFontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(w.RText2.selFontSize(), 16.0);
    EXPECT_EQ(w.RText2.selBold(), false);
    EXPECT_EQ(w.RText2.selItalic(), true);
    EXPECT_EQ(w.RText2.selUnderline(), true);
    EXPECT_EQ(w.RText2.selStrikethru(), true);
    EXPECT_EQ(w.RText2.selColor(), rgb(200, 0, 0));
    EXPECT_EQ(folder->read(QStringLiteral("PR9.Hlp")), before);
    // Showing the section again brings back the document as shipped.
    w.SSOption1[9].click();
    w.RText2.setSelStart(3);
    w.RText2.setSelLength(14);
    EXPECT_EQ(w.RText2.selFontName(), QStringLiteral("Times New Roman"));
}

TEST_F(PrivRuleTest, FontDisplayWithoutSelectionAsksForOneAndCancelChangesNothing) {
    PrivRule& w = openAt(9);
    w.RText2.setSelStart(40);
    dialogs->answer(QStringLiteral("Font Display"), Answer::OK);
    w.mOFD.click();
    auto shown = boxes(QStringLiteral("Font Display"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Please select text to change."));
    EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    EXPECT_TRUE(fontDialogs->offered.empty());
    EXPECT_EQ(w.RText2.selStart(), 40);

    const QString rtf = w.RText2.textRTF();
    w.RText2.setSelStart(3);
    w.RText2.setSelLength(10);
    dialogs->answerFont(std::nullopt);
    w.SSCommand3.click();
    EXPECT_EQ(w.RText2.textRTF(), rtf);
    EXPECT_EQ(w.RText2.selLength(), 10);
}

// ---- Copy to Clipboard -----------------------------------------------------------------------

class CopyTest : public PrivRuleTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CopyTest, TheMessageSaysWhatTheClipboardDid) {
    clipboard->result = GetParam();
    PrivRule& w = openAt(9);
    dialogs->answer(CopyTitle, Answer::OK);
    w.mOClip.click();
    ASSERT_EQ(clipboard->rtfs.size(), 1u);
    EXPECT_EQ(clipboard->rtfs[0], w.RText2.rtfBytes());
    auto shown = boxes(CopyTitle);
    ASSERT_EQ(shown.size(), 1u);
    if (GetParam()) {
        EXPECT_EQ(shown[0].text, CopiedText);
        EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    } else {
        EXPECT_EQ(shown[0].text, QStringLiteral("The copy could not be put on the Windows Clipboard."));
        EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, CopyTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Accepted" : "Refused"; });

// ---- keys ------------------------------------------------------------------------------------

TEST_F(PrivRuleTest, EscStepsBackOutOfTheEnlargedPreviewThePanelAndThenAsksToExit) {
    PrivRule& w = openAt(9);
    w.SSCommand4.click();
    w.SSCommand1.click();
    ASSERT_EQ(w.SSCommand1.caption(), QStringLiteral("Normal"));
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_EQ(w.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_TRUE(w.SSPanel80.visible());
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_FALSE(w.SSPanel80.visible());
    w.SSCommand5.click();
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_FALSE(w.Panel3D3.visible());
    EXPECT_TRUE(boxes(QStringLiteral("Exit")).empty());
    dialogs->answer(QStringLiteral("Exit"), Answer::No);
    w.dispatchKey(Key::Escape, 0, 27);
    auto shown = boxes(QStringLiteral("Exit"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Exit Quorvane?"));
    EXPECT_EQ(shown[0].flags, Msg::Question | Msg::YesNoCancel);
    EXPECT_EQ(openWindow(), &w);
}

TEST_F(PrivRuleTest, F1ShowsThePrintPreviewTopicWhileThePanelIsUp) {
    PrivRule& w = openAt(9);
    w.dispatchKey(Key::F1, 0, 0);
    w.SSCommand4.click();
    w.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 2u);
    EXPECT_EQ(help->calls[0].second, 3012);
    EXPECT_EQ(help->calls[1].second, 1014);
}

// ---- area tabs and Unload --------------------------------------------------------------------

class LeavingTest : public PrivRuleTest {
protected:
    // The hub as it stands before it opens this window on the "Security Rule" tab.
    WorkArea1& hubUp() {
        WorkArea1& hub = defaultInstance<WorkArea1>();
        hub.load();
        hub.move(600, 450, 12000, 9000);
        return hub;
    }
};

struct TabCase {
    int tab;
    const char* served;  // the window the hub goes on to open, by its caption; "" none
};

std::string tabCaseName(int tab) {
    switch (tab) {
    case -1: return "CloseBox";
    case 0: return "ActionArea";
    case 1: return "InformationAdvisor";
    default: return "Miscellaneous";
    }
}

class TabLeaveTest : public LeavingTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabLeaveTest, AnotherAreaOrTheCloseBoxHandsTheHubBackInThisWindowsPlace) {
    WorkArea1& hub = hubUp();
    PrivRule& w = showRule();
    EXPECT_EQ(w.width(), 12000);
    EXPECT_EQ(w.height(), 9000);
    w.move(900, 700);
    if (GetParam().tab < 0) {
        w.unload();  // the close box
    } else if (GetParam().tab == 0) {
        w.mOTab0.click();
    } else {
        w.SSCommand2[GetParam().tab].click();
    }
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(StartUnloadFlag, 9);
    // The hub's Activate has served the request left for it (and cleared it); the close box
    // and the "Action Area" tab leave none, so the Security Rule window is not opened again.
    EXPECT_EQ(RequestedArea, 0);
    if (*GetParam().served) {
        EXPECT_EQ(hub.caption(), QString::fromLatin1(GetParam().served));
    } else {
        EXPECT_NE(hub.caption(), QStringLiteral("Security Rule"));
    }
    EXPECT_EQ(existingInstance<WorkArea1>(), &hub);
    EXPECT_EQ(hub.left(), 900);
    EXPECT_EQ(hub.top(), 700);
    // A request for another area opens that window in the hub's place; it hides the hub.
    Form* served = nullptr;
    if (GetParam().tab == 1) served = existingInstance<InfoAdv>();
    if (GetParam().tab == 3) served = existingInstance<Miscform1>();
    if (*GetParam().served) {
        ASSERT_NE(served, nullptr);
        EXPECT_TRUE(served->isVisible());
        EXPECT_TRUE(served->caption().startsWith(QString::fromLatin1(GetParam().served)));
        EXPECT_EQ(served->left(), 900);
        EXPECT_EQ(served->top(), 700);
        EXPECT_FALSE(hub.isVisible());
    } else {
        EXPECT_TRUE(hub.isVisible());
    }
    EXPECT_FALSE(runtime().ended());
}

INSTANTIATE_TEST_SUITE_P(Ways, TabLeaveTest,
                         ::testing::Values(TabCase{-1, ""}, TabCase{0, ""}, TabCase{1, "Information Advisor"},
                                           TabCase{3, "Miscellaneous"}),
                         [](const auto& info) { return tabCaseName(info.param.tab); });

TEST_F(LeavingTest, TheOwnTabOnlyRecoloursAndADeclinedExitKeepsTheWindow) {
    PrivRule& w = showRule();
    w.SSCommand2[2].click();
    EXPECT_EQ(RequestedArea, 2);
    EXPECT_EQ(openWindow(), &w);
    for (int answer : {Answer::No, Answer::Cancel}) {
        dialogs->answer(QStringLiteral("Exit"), answer);
        w.SSCommand2[4].click();
        EXPECT_EQ(openWindow(), &w);
        EXPECT_EQ(RequestedArea, 2);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(w.SSCommand2[i].foreColor(), paletteColor(i == 2 ? 9 : 0));
    }
    EXPECT_EQ(StartUnloadFlag, 0);
    EXPECT_FALSE(runtime().ended());
}

TEST_F(LeavingTest, ExitYesHidesTheContentDocumentsAndEndsTheProgram) {
    PrivRule& w = showRule();
    dialogs->answer(QStringLiteral("Exit"), Answer::Yes);
    w.mOE.click();
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(isFileHidden(QStringLiteral("PR0.Hlp")));
    EXPECT_TRUE(isFileHidden(QStringLiteral("PR24.Hlp")));
    EXPECT_TRUE(isFileHidden(QStringLiteral("Misc63.Hlp")));
    EXPECT_EQ(StartUnloadFlag, 0);  // the exit way is not a return to the hub
}

TEST_F(LeavingTest, ActivateHidesTheHub) {
    WorkArea1& hub = hubUp();
    hub.show();
    ASSERT_TRUE(hub.isVisible());
    showRule();
    EXPECT_FALSE(hub.isVisible());
}

}  // namespace

namespace {

// ---- display modes, menus ----------------------------------------------------------------------

class DisplayModeTest : public PrivRuleTest, public ::testing::WithParamInterface<int> {};

TEST_P(DisplayModeTest, MainPanelFollowsTheWindowOnlyInTheFullScreenDisplay) {
    DisplayMode = GetParam();
    PrivRule& w = showRule();
    EXPECT_EQ(w.vsElasticLight1.enabled, GetParam() == 0);
    // The panel fills the client area, with no strip below it.
    EXPECT_EQ(w.SSPanel1.height(), w.scaleHeight());
    if (GetParam() == 0) {
        w.setHeight(w.height() - 1500);
        EXPECT_EQ(w.SSPanel1.height(), w.scaleHeight());
    } else {
        const int before = w.SSPanel1.height();
        w.setHeight(w.height() - 1500);
        EXPECT_EQ(w.SSPanel1.height(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, DisplayModeTest, ::testing::Values(0, 9),
                         [](const auto& info) { return info.param == 0 ? "FullScreen" : "SmallerScreen"; });

TEST_F(PrivRuleTest, RightButtonOverPanelsButtonsAndOptionsPopsUpTheOptionsMenu) {
    PrivRule& w = showRule();
    w.SSPanel1.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(popups().empty());
    for (Control* c : std::initializer_list<Control*>{&w.SSPanel1, &w.SSFrame1, &w.SSCommand6, &w.Label1,
                                                      &w.SSOption1[3], &w.SSCommand2[1], &w.Panel3D3})
        c->raiseMouseUp(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups().size(), 7u);
    for (const QString& name : popups()) EXPECT_EQ(name, QStringLiteral("mO"));
}

}  // namespace
