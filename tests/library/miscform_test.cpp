// The Miscellaneous window: its topics, the web links, copying and printing the two forms,
// missing documents, keys, menus and the ways back.
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "library/Miscform1.h"
#include "library/WebAddresses.h"
#include "platform/Files.h"
#include "tests/library/ReferenceWindowFixture.h"
#include "workbook/WorkArea1.h"
#include "tests/support/platform/RealInput.h"

#include <QTemporaryDir>

using namespace platform;

namespace {

const QString WindowTitle = QStringLiteral("Miscellaneous");
const QString CopyTitle = QStringLiteral("Copy Option");

// Every text the preview recorded, page after page.
QString printedText(const PrintDocument& doc) {
    QString all;
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const PrintOp& op : doc.page(n).ops) all += op.text + QLatin1Char('\n');
    return all;
}

using MiscTest = referencetest::ReferenceWindowTest<Miscform1>;
using referencetest::documentText;

Miscform1* openWindow() { return existingInstance<Miscform1>(); }

bool formCommandsShown(Miscform1& w) {
    return w.SSCommand2[0].visible() && w.SSCommand2[1].visible() && w.mOClip.visible() && w.mOPrint.visible() &&
           w.mO1.visible() && w.mO2.visible();
}
bool formCommandsHidden(Miscform1& w) {
    return !w.SSCommand2[0].visible() && !w.SSCommand2[1].visible() && !w.mOClip.visible() && !w.mOPrint.visible() &&
           !w.mO1.visible() && !w.mO2.visible();
}

bool linksPageShown(Miscform1& w) {
    bool all = w.Label1.visible() && w.Label3.visible();
    for (auto& [i, l] : w.Label4) all = all && l->visible();
    return all;
}
bool linksPageHidden(Miscform1& w) {
    bool none = !w.Label1.visible() && !w.Label3.visible();
    for (auto& [i, l] : w.Label4) none = none && !l->visible();
    return none;
}

// ---- opening ---------------------------------------------------------------------------------

TEST_F(MiscTest, OpensOnTheProgramInformationWithNoFormCommands) {
    RequestedArea = 3;
    Miscform1& w = open();
    EXPECT_EQ(w.caption(), QStringLiteral("Miscellaneous - Program Information"));
    EXPECT_EQ(w.RText1.text(), documentText(1));
    EXPECT_TRUE(w.RText1.visible());
    EXPECT_TRUE(w.RText1.locked());
    EXPECT_TRUE(formCommandsHidden(w));
    EXPECT_TRUE(linksPageHidden(w));
    for (auto& [i, tab] : w.SSCommand4) EXPECT_EQ(tab->foreColor(), paletteColor(i == 3 ? 9 : 0)) << i;
    for (auto& [i, b] : w.SSCommand11) EXPECT_EQ(b->bevelWidth(), i == 1 ? 0 : 2) << i;
    EXPECT_EQ(w.Panel3D80[2].caption(), QStringLiteral(" Portrait"));
    EXPECT_FALSE(w.SSPanel80.visible());
    EXPECT_EQ(RequestedArea, 3);
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_TRUE(dialogs->shown().empty());
}

// ---- the five topics -------------------------------------------------------------------------

struct TopicCase {
    int index;
    const char* caption;  // the window's caption
    int document;         // -1: the links page
    bool form;
};

const TopicCase Topics[] = {
    {0, "Miscellaneous - Disclaimer", 2, false},
    {1, "Miscellaneous - Program Information", 1, false},
    {2, "Miscellaneous - HIPAA Web Links", -1, false},
    {3, "Miscellaneous - Risk Anlysis Worksheet", 57, true},
    {4, "Miscellaneous - Sample Incident Report", 56, true},
};

class MiscTopicTest : public MiscTest, public ::testing::WithParamInterface<TopicCase> {};

TEST_P(MiscTopicTest, ButtonShowsItsDocumentOrTheLinksAndOffersCopyAndPrintOnlyForTheForms) {
    const TopicCase& c = GetParam();
    Miscform1& w = open();
    w.SSCommand11[c.index == 2 ? 4 : 2].click();
    w.SSCommand11[c.index].click();
    EXPECT_EQ(w.caption(), QString::fromLatin1(c.caption));
    for (auto& [i, b] : w.SSCommand11) {
        EXPECT_EQ(b->bevelWidth(), i == c.index ? 0 : 2) << i;
        EXPECT_EQ(b->foreColor(), paletteColor(i == c.index ? 9 : 0)) << i;
    }
    if (c.document < 0) {
        EXPECT_FALSE(w.RText1.visible());
        EXPECT_TRUE(linksPageShown(w));
    } else {
        EXPECT_TRUE(w.RText1.visible());
        const QString expected = documentText(c.document);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(w.RText1.text(), expected);
        EXPECT_TRUE(linksPageHidden(w));
    }
    EXPECT_TRUE(c.form ? formCommandsShown(w) : formCommandsHidden(w));
    // The viewer and the form buttons stay inside the main panel.
    EXPECT_LE(w.RText1.top() + w.RText1.height(), w.SSPanel1.height());
    if (c.form) {
        EXPECT_GT(w.SSCommand2[0].top(), w.RText1.top() + w.RText1.height());
        EXPECT_LE(w.SSCommand2[0].top() + w.SSCommand2[0].height(), w.SSPanel1.height());
    }
    EXPECT_TRUE(dialogs->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Topics, MiscTopicTest, ::testing::ValuesIn(Topics),
                         [](const auto& info) { return "Topic" + std::to_string(info.param.index); });

// ---- the web links ---------------------------------------------------------------------------

struct LinkCase {
    int index;
    const char* caption;  // as a person sees it
    const char* tooltip;
    int top;
};

const LinkCase Links[] = {
    {0, "Office of Civil Rights", " Official Government Website ", 2300},
    {1, "U.S. Department of Health and Human Resources", " Official Government Website ", 3000},
    {2, "Centers for Medicare & Medicaid Services (CMS)", " Official Government Website ", 3700},
    {3, "HIPAA Collaborative of Wisconsin (HIPAA COW)", " Great site for HIPAA information ", 5800},
    {4, "The HIPAA Journal", " Great site for HIPAA information ", 6500},
    {5, "NIST Special Publications (800 Series)", " Contains several publications that may be useful, like SP 800-66 ",
     4400},
    {6, "Workgroup for Electronic Data Interchange (WEDI)", " Contains helpful HIPAA security information ", 5100},
};

class MiscLinkTest : public MiscTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(MiscLinkTest, LabelStandsInItsPlaceAndOpensItsAddress) {
    const LinkCase& c = GetParam();
    Miscform1& w = open();
    w.SSCommand11[2].click();
    Label& link = w.Label4[c.index];
    EXPECT_EQ(stripAccessKey(link.caption()), QString::fromLatin1(c.caption));
    EXPECT_EQ(link.toolTipText(), QString::fromLatin1(c.tooltip));
    EXPECT_EQ(link.left(), 3000);
    EXPECT_EQ(link.top(), c.top);
    // A press moves the label down a little; the release puts it back, and the click opens
    // the address.
    const testsupport::HeldMouse held = testsupport::mousePress(link);
    EXPECT_EQ(link.top(), c.top + 30);
    EXPECT_TRUE(shell->urls.empty());
    testsupport::mouseRelease(held);
    EXPECT_EQ(link.top(), c.top);
    ASSERT_EQ(shell->urls.size(), 1u);
    EXPECT_EQ(shell->urls[0], webAddress(WebLinks[std::size_t(c.index)].address));
    EXPECT_TRUE(shell->urls[0].startsWith(QStringLiteral("https://")));
    // Tab reaches the link, Enter opens it; a screen reader's press too.
    link.setFocus();
    EXPECT_TRUE(link.hasFocus());
    testsupport::pressKey(link, Qt::Key_Return);
    EXPECT_TRUE(testsupport::accessibleAction(link, QStringLiteral("Press")));
    ASSERT_EQ(shell->urls.size(), 3u);
    EXPECT_EQ(shell->urls[2], shell->urls[0]);
    EXPECT_TRUE(popups().empty());
    EXPECT_TRUE(dialogs->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Links, MiscLinkTest, ::testing::ValuesIn(Links),
                         [](const auto& info) { return "Link" + std::to_string(info.param.index); });

TEST_F(MiscTest, TheNistLinkOpensTheSamePublicationsIndexAsTheAdvisorsWebButton) {
    EXPECT_EQ(webAddress(WebLinks[5].address), webAddress(NistPublicationsIndexAddress));
}

TEST_F(MiscTest, ALinkTheDesktopCannotOpenIsReported) {
    shell->result = false;
    Miscform1& w = open();
    w.SSCommand11[2].click();
    dialogs->answer(QStringLiteral("Unable to Connect to Internet"), Answer::OK);
    testsupport::mouseClick(w.Label4[0]);
    auto shown = boxes(QStringLiteral("Unable to Connect to Internet"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Unable to connect to Internet.\r\rPlease insure your Internet is "
                                            "running in \rthe background, then please try again!"));
    EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    EXPECT_TRUE(linksPageShown(w));
}

// ---- copying and printing the forms ----------------------------------------------------------

class MiscCopyTest : public MiscTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MiscCopyTest, TheFormGoesOnTheClipboardAsRichTextAndTheMessageSaysWhatHappened) {
    clipboard->result = GetParam();
    Miscform1& w = open();
    w.SSCommand11[4].click();
    dialogs->answer(CopyTitle, Answer::OK);
    w.SSCommand2[0].click();
    ASSERT_EQ(clipboard->rtfs.size(), 1u);
    EXPECT_EQ(clipboard->rtfs[0], w.RText1.rtfBytes());
    EXPECT_EQ(clipboard->texts[0], documentText(56));
    auto shown = boxes(CopyTitle);
    ASSERT_EQ(shown.size(), 1u);
    if (GetParam()) {
        EXPECT_EQ(shown[0].text, QStringLiteral("A copy has been copied to the Windows Clipboard."));
        EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    } else {
        EXPECT_EQ(shown[0].text, QStringLiteral("The copy could not be put on the Windows Clipboard."));
        EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, MiscCopyTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Accepted" : "Refused"; });

struct PrintCase {
    const char* name;
    bool fromMenu;
    int top;  // the top margin each opener puts in
};

class MiscPrintTest : public MiscTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(MiscPrintTest, OpenerPreviewsTheWholeFormInsideItsMargins) {
    Miscform1& w = open();
    w.SSCommand11[3].click();
    w.RText1.setSelStart(10);
    w.RText1.setSelLength(5);  // a selection does not narrow what is printed
    if (GetParam().fromMenu) {
        w.mOPrint.click();
    } else {
        w.SSCommand2[1].click();
    }
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(PrintMarginLeft, 200);
    EXPECT_EQ(PrintMarginRight, 100);
    EXPECT_EQ(PrintMarginTop, GetParam().top);
    EXPECT_EQ(PrintMarginBottom, 100);
    const PrintDocument& doc = w.VSP1.document();
    EXPECT_GE(doc.pageCount(), 1);
    EXPECT_EQ(doc.marginTop(), GetParam().top);
    EXPECT_TRUE(printedText(doc).contains(QStringLiteral("Risk Analysis Worksheet")));
    EXPECT_TRUE(printedText(doc).contains(QStringLiteral("Compliance status")));
    // The panel's captions are this window's own.
    EXPECT_EQ(w.Print.SSOption81.caption(), QStringLiteral("Print Sample Incident Report Form"));
    EXPECT_FALSE(w.SSCommand80.exists(0));
}

INSTANTIATE_TEST_SUITE_P(Openers, MiscPrintTest,
                         ::testing::Values(PrintCase{"Button", false, 260}, PrintCase{"Menu", true, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiscTest, PrintWritesTheFormThatIsShownToThePrinter) {
    QTemporaryDir out;
    printer->pdfPath = out.filePath(QStringLiteral("form.pdf"));
    Miscform1& w = open();
    w.SSCommand11[4].click();
    w.SSCommand2[1].click();
    w.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    EXPECT_EQ(printer->printedPageCounts[0], w.VSP1.document().pageCount());
    QFile pdf(printer->pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(MiscTest, ATopicWithoutAFormClosesThePrintPanel) {
    Miscform1& w = open();
    for (int topic : {0, 1, 2}) {
        w.SSCommand11[4].click();
        w.SSCommand2[1].click();
        ASSERT_TRUE(w.SSPanel80.visible());
        // The print panel stands over the topic buttons, so no person's click reaches them
        // while it is open; the topic is pressed as the program presses it.
        w.SSCommand11[topic].setValue(true);
        EXPECT_FALSE(w.SSPanel80.visible()) << topic;
        EXPECT_TRUE(formCommandsHidden(w)) << topic;
    }
}

// ---- missing documents -----------------------------------------------------------------------

struct MissingCase {
    int document;
    int topic;
};

class MiscMissingDocumentTest : public MiscTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MiscMissingDocumentTest, ShowsAnEmptyViewerSaysSoAndOffersNoFormCommands) {
    const MissingCase& c = GetParam();
    const QString name = QStringLiteral("Misc%1.Hlp").arg(c.document);
    const QString text = QStringLiteral("The topic document ") + name + QStringLiteral(" could not be read.");
    ASSERT_TRUE(QFile::remove(folder->file(name)));
    // The window opens on the program information, so a missing Misc1.Hlp is told at once.
    if (c.document == 1) dialogs->answer(WindowTitle, Answer::OK);
    Miscform1& w = open();
    if (c.document != 1) {
        ASSERT_FALSE(w.RText1.text().isEmpty());
        dialogs->answer(WindowTitle, Answer::OK);
        w.SSCommand11[c.topic].click();
    }
    auto shown = boxes(WindowTitle);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    EXPECT_TRUE(w.RText1.text().isEmpty());
    EXPECT_TRUE(formCommandsHidden(w));
    EXPECT_EQ(w.caption(), WindowTitle + QStringLiteral(" - ") + w.SSCommand11[c.topic].caption());
    EXPECT_FALSE(pointer->hourglass());
    // The rest of the window goes on working.
    w.SSCommand11[2].click();
    EXPECT_TRUE(linksPageShown(w));
}

INSTANTIATE_TEST_SUITE_P(Documents, MiscMissingDocumentTest,
                         ::testing::Values(MissingCase{2, 0}, MissingCase{1, 1}, MissingCase{57, 3},
                                           MissingCase{56, 4}),
                         [](const auto& info) { return "Misc" + std::to_string(info.param.document); });

// ---- keys, menus and the right button --------------------------------------------------------

TEST_F(MiscTest, EscStepsBackOutOfTheEnlargedPreviewThePanelAndThenAsksToExit) {
    Miscform1& w = open();
    w.SSCommand11[3].click();
    w.SSCommand2[1].click();
    w.SSCommand1.click();
    ASSERT_EQ(w.SSCommand1.caption(), QStringLiteral("Normal"));
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_EQ(w.SSCommand1.caption(), QStringLiteral("Enlarge"));
    EXPECT_TRUE(w.SSPanel80.visible());
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_FALSE(w.SSPanel80.visible());
    EXPECT_TRUE(boxes(QStringLiteral("Exit")).empty());
    dialogs->answer(QStringLiteral("Exit"), Answer::No);
    w.dispatchKey(Key::Escape, 0, 27);
    auto shown = boxes(QStringLiteral("Exit"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Exit Quorvane?"));
    EXPECT_EQ(openWindow(), &w);
    for (auto& [i, tab] : w.SSCommand4) EXPECT_EQ(tab->foreColor(), paletteColor(i == 3 ? 9 : 0)) << i;
}

TEST_F(MiscTest, HelpShowsThePrintPreviewTopicWhileThePanelIsUpButTheScreenEntryAlwaysItsOwn) {
    Miscform1& w = open();
    w.dispatchKey(Key::F1, 0, 0);
    w.mH.click();  // with the preview hidden the title only opens the menu
    w.SSCommand11[4].click();
    w.SSCommand2[1].click();
    w.dispatchKey(Key::F1, 0, 0);
    w.mH.click();
    w.mHScreen.click();
    std::vector<int> ids;
    for (const auto& call : help->calls) ids.push_back(call.second);
    EXPECT_EQ(ids, (std::vector<int>{3014, 1014, 1014, 3014}));
    EXPECT_TRUE(w.mH.visible());
}

TEST_F(MiscTest, HelpAndUtilitiesEntriesCarryTheirCaptions) {
    Miscform1& w = open();
    EXPECT_EQ(w.mU.caption(), QStringLiteral("&Utilities"));
    EXPECT_EQ(w.mUResore.caption(), QStringLiteral("&Restore User Created Files"));
    EXPECT_EQ(w.mOClip.caption(), QStringLiteral("&Copy to Clickboard"));
    QStringList entries;
    for (Menu* m : w.mO.children()) entries << m->caption();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("&Action Area"), QStringLiteral("&Information Advisor"),
                                    QStringLiteral("&Security Rule"), QStringLiteral("&Exit Program"),
                                    QStringLiteral("-"), QStringLiteral("&Copy to Clickboard"), QStringLiteral("-"),
                                    QStringLiteral("&Print")}));
    w.mHI.click();
    w.mHCont.click();
    w.mHWeb.click();
    ASSERT_EQ(help->calls.size(), 2u);
    EXPECT_EQ(help->calls[0].second, 1000);
    EXPECT_EQ(help->calls[1].second, 0);
    ASSERT_EQ(shell->urls.size(), 1u);
    EXPECT_EQ(shell->urls[0], MakerWebAddress);
}

TEST_F(MiscTest, RightButtonOverThePanelLabelsAndButtonsPopsUpTheOptionsMenu) {
    Miscform1& w = open();
    w.SSCommand11[4].click();
    w.SSPanel1.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(popups().empty());
    for (Control* c : std::initializer_list<Control*>{&w.SSPanel1, &w.Label1, &w.Label3, &w.SSCommand2[1],
                                                      &w.SSCommand4[2], &w.SSCommand11[0]})
        c->raiseMouseUp(Mouse::Right, 0, 0, 0);
    w.Form_MouseUp(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups().size(), 7u);
    for (const QString& name : popups()) EXPECT_EQ(name, QStringLiteral("mO"));
}

TEST_F(MiscTest, ReturningFromTheAboutWindowShowsTheProgramInformationAgain) {
    Miscform1& w = open();
    w.SSCommand11[4].click();
    onModal(QStringLiteral("About1"), [](Form& about) { about.unload(); });
    w.mHA.click();
    EXPECT_EQ(w.caption(), QStringLiteral("Miscellaneous - Program Information"));
    EXPECT_EQ(w.RText1.text(), documentText(1));
    EXPECT_TRUE(formCommandsHidden(w));
}

// ---- area tabs and Unload --------------------------------------------------------------------

class MiscLeavingTest : public MiscTest {
protected:
    WorkArea1& hubUp() {
        WorkArea1& hub = defaultInstance<WorkArea1>();
        hub.load();
        hub.move(600, 450, 12000, 9000);
        return hub;
    }
};

TEST_F(MiscLeavingTest, OpensInTheHubsPlaceHidesItAndTheCloseBoxHandsItBack) {
    WorkArea1& hub = hubUp();
    hub.show();
    RequestedArea = 3;
    Miscform1& w = open();
    EXPECT_FALSE(hub.isVisible());
    EXPECT_EQ(w.left(), 600);
    EXPECT_EQ(w.top(), 450);
    w.move(900, 700);
    w.unload();
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_TRUE(hub.isVisible());
    EXPECT_EQ(hub.left(), 900);
    EXPECT_EQ(hub.top(), 700);
    EXPECT_EQ(StartUnloadFlag, 0);
}

TEST_F(MiscLeavingTest, TheOwnTabOnlyRecoloursAndExitYesEndsTheProgram) {
    Miscform1& w = open();
    RequestedArea = 0;
    w.SSCommand4[3].click();
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_EQ(openWindow(), &w);
    dialogs->answer(QStringLiteral("Exit"), Answer::Cancel);
    w.mOTab4.click();
    EXPECT_EQ(openWindow(), &w);
    EXPECT_FALSE(runtime().ended());
    dialogs->answer(QStringLiteral("Exit"), Answer::Yes);
    w.SSCommand4[4].click();
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(isFileHidden(QStringLiteral("Misc1.Hlp")));
}

}  // namespace
