// The Information Advisor: its topics and risk-analysis sub-topics, the web button, the
// compliance-date countdown, missing documents, keys, menus and the ways back.
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "library/InfoAdv.h"
#include "library/Miscform1.h"
#include "library/PrivRule.h"
#include "library/WebAddresses.h"
#include "platform/Files.h"
#include "tests/library/ReferenceWindowFixture.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString MissingTitle = QStringLiteral("Information Advisor");
const QString PdfCaption = QStringLiteral("Click to view NIST Security Rule Resource Guide - PDF File");
const QString NistCaption = QStringLiteral("Click for NIST Website");

using InfoAdvTest = referencetest::ReferenceWindowTest<InfoAdv>;
using referencetest::documentText;

InfoAdv* openWindow() { return existingInstance<InfoAdv>(); }

// The chosen button of a list is flat and blue, every other one raised and black.
void expectChosen(ControlArray<SSCommand>& buttons, int chosen) {
    for (auto& [i, b] : buttons) {
        EXPECT_EQ(b->bevelWidth(), i == chosen ? 0 : 2) << b->name().toStdString() << " " << i;
        EXPECT_EQ(b->foreColor(), paletteColor(i == chosen ? 9 : 0)) << b->name().toStdString() << " " << i;
    }
}

// ---- opening ---------------------------------------------------------------------------------

TEST_F(InfoAdvTest, OpensOnAddressableSafeguardsWithItsOwnTabAndTheFirstSubTopicMarked) {
    RequestedArea = 1;
    InfoAdv& w = open();
    EXPECT_EQ(w.caption(), QStringLiteral("Information Advisor - Addressable Safeguards"));
    EXPECT_EQ(w.RText1.text(), documentText(3));
    EXPECT_TRUE(w.RText1.locked());
    expectChosen(w.SSCommand11, 0);
    for (auto& [i, tab] : w.SSCommand4) EXPECT_EQ(tab->foreColor(), paletteColor(i == 1 ? 9 : 0)) << i;
    EXPECT_EQ(w.SSCommand1[0].foreColor(), paletteColor(9));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(w.SSCommand1[i].foreColor(), paletteColor(0)) << i;
    EXPECT_FALSE(w.SSFrame1.visible());
    EXPECT_FALSE(w.SSCommand2.visible());
    EXPECT_FALSE(w.SSPanel2.visible());
    EXPECT_EQ(RequestedArea, 1);  // Load leaves the request for the window's Unload
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_TRUE(dialogs->shown().empty());
}

// ---- the ten topics --------------------------------------------------------------------------

struct TopicCase {
    int index;
    const char* button;   // as a person sees it
    const char* caption;  // the window's caption
    int document;
    const char* webButton;  // "" hidden
};

const TopicCase Topics[] = {
    {0, "Addressable Safeguards", "Information Advisor - Addressable Safeguards", 3, ""},
    {1, "Concepts", "Information Advisor - Concepts of the Final Security Rule", 6, ""},
    {2, "Getting Started", "Information Advisor - Getting Started", 7, ""},
    {3, "Impact", "Information Advisor - Impact of not complying with the Security Final Rule", 8, ""},
    {4, "Key Information & Guide", "Information Advisor - Key Information && Guide", 9,
     "Click to view NIST Security Rule Resource Guide - PDF File"},
    {5, "Policy Insert Template", "Information Advisor - Policy Insert Template Information", 0, ""},
    {6, "Risk Analysis", "Information Advisor - Risk Analysis - Risk Analysis Overview", 10, ""},
    {7, "Security and Privacy", "Information Advisor - Security Rule and Privacy Rule Distinctions", 4, ""},
    {8, "Selected HIPAA Q. & A.", "Information Advisor - Selected HIPAA Questions and Answers", 11, ""},
    {9, "Timeline", "Information Advisor - The HIPAA Security Rule Timeline", 5, ""},
};

class AdvisorTopicTest : public InfoAdvTest, public ::testing::WithParamInterface<TopicCase> {};

TEST_P(AdvisorTopicTest, ButtonShowsItsDocumentUnderItsCaption) {
    const TopicCase& c = GetParam();
    InfoAdv& w = open();
    // From another topic, so that every trace of the first one has to go.
    w.SSCommand11[c.index == 4 ? 6 : 4].click();
    w.SSCommand11[c.index].click();
    EXPECT_EQ(stripAccessKey(w.SSCommand11[c.index].caption()), QString::fromLatin1(c.button));
    EXPECT_EQ(w.caption(), QString::fromLatin1(c.caption));
    const QString expected = documentText(c.document);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(w.RText1.text(), expected);
    expectChosen(w.SSCommand11, c.index);
    EXPECT_EQ(w.SSCommand2.visible(), *c.webButton != 0);
    if (*c.webButton) {
        EXPECT_EQ(w.SSCommand2.caption(), QString::fromLatin1(c.webButton));
    }
    EXPECT_EQ(w.SSFrame1.visible(), c.index == 6);
    // The fake clock stands in 2026: long after the compliance date, so no countdown.
    EXPECT_FALSE(w.SSPanel2.visible());
    EXPECT_TRUE(dialogs->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Topics, AdvisorTopicTest, ::testing::ValuesIn(Topics),
                         [](const auto& info) { return "Topic" + std::to_string(info.param.index); });

// ---- the risk-analysis sub-topics ------------------------------------------------------------

struct SubTopicCase {
    int index;
    const char* caption;
    int document;
    bool webButton;
};

const SubTopicCase SubTopics[] = {
    {0, "Information Advisor - Risk Analysis - Risk Analysis Overview", 10, false},
    {1, "Information Advisor - Risk Analysis - Recommendations from NIST", 12, true},
    {2, "Information Advisor - Risk Analysis - Common Risk Analysis Mistakes", 13, false},
    {3, "Information Advisor - Risk Analysis - Risk Analysis Worksheet", 58, false},
};

class AdvisorSubTopicTest : public InfoAdvTest, public ::testing::WithParamInterface<SubTopicCase> {};

TEST_P(AdvisorSubTopicTest, ButtonShowsItsDocumentAndOnlyTheNistOneOffersTheWebButton) {
    const SubTopicCase& c = GetParam();
    InfoAdv& w = open();
    w.SSCommand11[6].click();
    expectChosen(w.SSCommand1, 0);
    w.SSCommand1[c.index == 1 ? 2 : 1].click();
    w.SSCommand1[c.index].click();
    EXPECT_EQ(w.caption(), QString::fromLatin1(c.caption));
    EXPECT_EQ(w.RText1.text(), documentText(c.document));
    EXPECT_EQ(w.SSCommand1[c.index].toolTipText(), w.SSCommand1[c.index].caption());
    expectChosen(w.SSCommand1, c.index);
    EXPECT_TRUE(w.SSFrame1.visible());
    EXPECT_EQ(w.SSCommand2.visible(), c.webButton);
    if (c.webButton) {
        EXPECT_EQ(w.SSCommand2.caption(), NistCaption);
    }
    // The sub-topics lie below the row of sub-topic buttons, inside the panel.
    EXPECT_GE(w.RText1.top(), w.SSFrame1.top() + w.SSFrame1.height());
    EXPECT_LE(w.RText1.top() + w.RText1.height(), w.SSPanel1.height());
    if (c.webButton) {
        EXPECT_GE(w.SSCommand2.top(), w.RText1.top() + w.RText1.height());
    }
}

INSTANTIATE_TEST_SUITE_P(SubTopics, AdvisorSubTopicTest, ::testing::ValuesIn(SubTopics),
                         [](const auto& info) { return "SubTopic" + std::to_string(info.param.index); });

TEST_F(InfoAdvTest, AnotherTopicPutsAwayTheWebButtonTheSubTopicsAndTheCountdown) {
    clock->setDate(2005, 4, 1);
    InfoAdv& w = open();
    for (int from : {4, 6, 9}) {
        w.SSCommand11[from].click();
        if (from == 6) w.SSCommand1[1].click();
        ASSERT_TRUE(w.SSCommand2.visible() || w.SSPanel2.visible()) << from;
        w.SSCommand11[2].click();
        EXPECT_FALSE(w.SSCommand2.visible()) << from;
        EXPECT_FALSE(w.SSFrame1.visible()) << from;
        EXPECT_FALSE(w.SSPanel2.visible()) << from;
    }
}

// ---- the compliance-date countdown -----------------------------------------------------------

struct CountdownCase {
    const char* name;
    QDate today;
    int days;  // -1: no line
};

class AdvisorCountdownTest : public InfoAdvTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(AdvisorCountdownTest, TimelineCountsTheDaysUntilTheComplianceDateOnTheClock) {
    const CountdownCase& c = GetParam();
    clock->set(QDateTime(c.today, QTime(23, 59, 0)));
    InfoAdv& w = open();
    LoopIndex = -1;
    w.SSCommand11[9].click();
    if (c.days < 0) {
        EXPECT_FALSE(w.SSPanel2.visible());
        EXPECT_EQ(LoopIndex, -1);
        return;
    }
    EXPECT_TRUE(w.SSPanel2.visible());
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Days Remaining Until April 21, 2005  =  ") + QString::number(c.days));
    EXPECT_EQ(LoopIndex, c.days);
    // The line is worked out when the topic is chosen; it does not tick on its own.
    clock->setDate(2005, 4, 20);
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Days Remaining Until April 21, 2005  =  ") + QString::number(c.days));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, AdvisorCountdownTest,
    ::testing::Values(CountdownCase{"TenDaysBefore", QDate(2005, 4, 11), 10},
                      CountdownCase{"AYearBefore", QDate(2004, 4, 21), 365},
                      CountdownCase{"OnTheDay", QDate(2005, 4, 21), 0},
                      CountdownCase{"ADayLater", QDate(2005, 4, 22), -1},
                      CountdownCase{"Today", QDate(2026, 12, 10), -1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the web button --------------------------------------------------------------------------

TEST_F(InfoAdvTest, WebButtonOpensTheResourceGuideOnKeyInformationAndThePublicationsIndexOnNist) {
    InfoAdv& w = open();
    w.SSCommand11[4].click();
    ASSERT_EQ(w.SSCommand2.caption(), PdfCaption);
    w.SSCommand2.click();
    w.SSCommand11[6].click();
    w.SSCommand1[1].click();
    ASSERT_EQ(w.SSCommand2.caption(), NistCaption);
    w.SSCommand2.click();
    ASSERT_EQ(shell->urls.size(), 2u);
    EXPECT_EQ(shell->urls[0], webAddress(NistSecurityRuleGuideAddress));
    EXPECT_TRUE(shell->urls[0].startsWith(QStringLiteral("https://")) && shell->urls[0].endsWith(QStringLiteral(".pdf")));
    EXPECT_EQ(shell->urls[1], webAddress(NistPublicationsIndexAddress));
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(InfoAdvTest, WebButtonSaysSoWhenTheDesktopCannotOpenTheAddress) {
    shell->result = false;
    InfoAdv& w = open();
    w.SSCommand11[4].click();
    dialogs->answer(QStringLiteral("Unable to Connect to Internet"), Answer::OK);
    w.SSCommand2.click();
    auto shown = boxes(QStringLiteral("Unable to Connect to Internet"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Unable to connect to Internet.\r\rPlease insure your Internet is "
                                            "running in \rthe background, then please try again!"));
    EXPECT_EQ(shown[0].flags, Msg::Exclamation | Msg::OKOnly);
    EXPECT_EQ(openWindow(), &w);
}

// ---- missing documents -----------------------------------------------------------------------

struct MissingCase {
    int document;
    int topic;     // the topic button pressed
    int subTopic;  // then this sub-topic; -1 none
};

class AdvisorMissingDocumentTest : public InfoAdvTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(AdvisorMissingDocumentTest, ShowsAnEmptyViewerAndSaysWhichDocumentIsMissing) {
    const MissingCase& c = GetParam();
    InfoAdv& w = open();
    w.SSCommand11[c.topic == 1 ? 2 : 1].click();
    ASSERT_FALSE(w.RText1.text().isEmpty());
    const QString name = QStringLiteral("Misc%1.Hlp").arg(c.document);
    ASSERT_TRUE(QFile::remove(folder->file(name)));
    const QString text = QStringLiteral("The topic document ") + name + QStringLiteral(" could not be read.");
    // Choosing the risk-analysis topic loads the mistakes' and the overview's documents too.
    const int expected = (c.document == 10 || c.document == 13) && c.subTopic >= 0 ? 2 : 1;
    for (int i = 0; i < expected; ++i) dialogs->answer(MissingTitle, Answer::OK);
    w.SSCommand11[c.topic].click();
    if (c.subTopic >= 0) w.SSCommand1[c.subTopic].click();
    auto shown = boxes(MissingTitle);
    ASSERT_EQ(int(shown.size()), expected);
    for (const auto& box : shown) {
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.flags, Msg::Exclamation | Msg::OKOnly);
    }
    // The previous topic's text is never left under this topic's caption.
    EXPECT_TRUE(w.RText1.text().isEmpty());
    EXPECT_EQ(openWindow(), &w);
    EXPECT_FALSE(pointer->hourglass());
    // The other topics stay readable.
    w.SSCommand11[2].click();
    EXPECT_EQ(w.RText1.text(), documentText(7));
}

INSTANTIATE_TEST_SUITE_P(Documents, AdvisorMissingDocumentTest,
                         ::testing::Values(MissingCase{10, 6, 0}, MissingCase{12, 6, 1}, MissingCase{13, 6, 2},
                                           MissingCase{58, 6, 3}, MissingCase{6, 1, -1}, MissingCase{10, 6, -1}),
                         [](const auto& info) {
                             return "Misc" + std::to_string(info.param.document) +
                                    (info.param.subTopic >= 0 ? "SubTopic" : "Topic");
                         });

class AdvisorDisplayTest : public InfoAdvTest, public ::testing::WithParamInterface<int> {};

TEST_P(AdvisorDisplayTest, MainPanelFillsTheWindowAndFollowsItOnlyInTheFullScreenDisplay) {
    DisplayMode = GetParam();
    InfoAdv& w = open();
    EXPECT_EQ(w.vsElasticLight1.enabled, GetParam() == FullScreenDisplay);
    EXPECT_LE(w.scaleHeight() - (w.SSPanel1.top() + w.SSPanel1.height()), 120);
    const int before = w.SSPanel1.height();
    w.setHeight(w.height() + 1500);
    if (GetParam() == FullScreenDisplay) {
        EXPECT_EQ(w.SSPanel1.height(), before + 1500);
        // The viewer keeps its share of the panel.
        EXPECT_EQ(w.RText1.height(), int(w.SSPanel1.height() * 0.9));
    } else {
        EXPECT_EQ(w.SSPanel1.height(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, AdvisorDisplayTest, ::testing::Values(FullScreenDisplay, SmallerScreenDisplay),
                         [](const auto& info) { return info.param == FullScreenDisplay ? "FullScreen" : "SmallerScreen"; });

// ---- keys, menus and the right button --------------------------------------------------------

TEST_F(InfoAdvTest, F1ShowsTheInformationAdvisorTopic) {
    InfoAdv& w = open();
    w.SSCommand11[4].click();
    w.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 3066);
}

TEST_F(InfoAdvTest, OptionsMenuListsTheOtherAreasAndTheRightButtonPopsItUp) {
    InfoAdv& w = open();
    QStringList entries;
    for (Menu* m : w.mO.children()) entries << m->caption();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("&Action Area"), QStringLiteral("&Security Rule"),
                                    QStringLiteral("&Miscellaneous"), QStringLiteral("&Exit Program")}));
    w.SSPanel1.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(popups().empty());
    for (Control* c : std::initializer_list<Control*>{&w.SSPanel1, &w.SSFrame1, &w.SSCommand2, &w.SSPanel2,
                                                      &w.SSCommand1[3], &w.SSCommand4[0], &w.SSCommand11[9]})
        c->raiseMouseUp(Mouse::Right, 0, 0, 0);
    w.Form_MouseUp(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups().size(), 8u);
    for (const QString& name : popups()) EXPECT_EQ(name, QStringLiteral("mO"));
}

// ---- area tabs and Unload --------------------------------------------------------------------

class InfoAdvLeavingTest : public InfoAdvTest {
protected:
    WorkArea1& hubUp() {
        WorkArea1& hub = defaultInstance<WorkArea1>();
        hub.load();
        hub.move(600, 450, 12000, 9000);
        return hub;
    }
};

TEST_F(InfoAdvLeavingTest, OpensInTheHubsPlaceAndHidesIt) {
    WorkArea1& hub = hubUp();
    hub.show();
    InfoAdv& w = open();
    EXPECT_FALSE(hub.isVisible());
    EXPECT_EQ(w.left(), hub.left());
    EXPECT_EQ(w.top(), hub.top());
    EXPECT_EQ(w.width(), 12000);
    EXPECT_EQ(w.height(), 9000);
}

struct AreaCase {
    int tab;
    const char* opened;  // the caption the hub's next window shows; "" the hub itself
};

class AdvisorTabTest : public InfoAdvLeavingTest, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(AdvisorTabTest, AnotherAreasTabHandsOverToTheHubWhichOpensThatArea) {
    WorkArea1& hub = hubUp();
    RequestedArea = 1;
    InfoAdv& w = open();
    w.move(900, 700);
    if (GetParam().tab == 0) {
        w.mOTab0.click();
    } else {
        w.SSCommand4[GetParam().tab].click();
    }
    EXPECT_EQ(openWindow(), nullptr);
    // Served by the hub; the Security Rule window then holds its own request while it is up.
    EXPECT_EQ(RequestedArea, GetParam().tab == 2 ? 2 : 0);
    Form* next = nullptr;
    if (GetParam().tab == 2) next = existingInstance<PrivRule>();
    if (GetParam().tab == 3) next = existingInstance<Miscform1>();
    if (*GetParam().opened) {
        ASSERT_NE(next, nullptr);
        EXPECT_TRUE(next->isVisible());
        EXPECT_TRUE(next->caption().startsWith(QString::fromLatin1(GetParam().opened)));
        EXPECT_EQ(next->left(), 900);
        EXPECT_FALSE(hub.isVisible());
    } else {
        EXPECT_TRUE(hub.isVisible());
        EXPECT_EQ(hub.left(), 900);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs, AdvisorTabTest,
                         ::testing::Values(AreaCase{0, ""}, AreaCase{2, "Security Rule"},
                                           AreaCase{3, "Miscellaneous"}),
                         [](const auto& info) { return "Tab" + std::to_string(info.param.tab); });

TEST_F(InfoAdvLeavingTest, TheCloseBoxHandsTheHubBackInThisWindowsPlaceWithNoRequest) {
    WorkArea1& hub = hubUp();
    RequestedArea = 1;
    InfoAdv& w = open();
    w.move(900, 700);
    w.unload();
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_TRUE(hub.isVisible());
    EXPECT_EQ(hub.left(), 900);
    EXPECT_EQ(hub.top(), 700);
    EXPECT_EQ(StartUnloadFlag, 0);  // only the Security Rule window sets it
    EXPECT_FALSE(runtime().ended());
}

TEST_F(InfoAdvLeavingTest, TheOwnTabOnlyRecoloursAndADeclinedExitKeepsTheWindow) {
    InfoAdv& w = open();
    RequestedArea = 0;
    w.SSCommand4[1].click();
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_EQ(openWindow(), &w);
    for (int answer : {Answer::No, Answer::Cancel}) {
        dialogs->answer(QStringLiteral("Exit"), answer);
        w.dispatchKey(Key::Escape, 0, 27);
        EXPECT_EQ(openWindow(), &w);
        for (auto& [i, tab] : w.SSCommand4) EXPECT_EQ(tab->foreColor(), paletteColor(i == 1 ? 9 : 0)) << i;
    }
    auto shown = boxes(QStringLiteral("Exit"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Exit Quorvane?"));
    EXPECT_EQ(shown[0].flags, Msg::Question | Msg::YesNoCancel);
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_FALSE(runtime().ended());
}

TEST_F(InfoAdvLeavingTest, ExitYesHidesTheContentDocumentsAndEndsTheProgram) {
    InfoAdv& w = open();
    dialogs->answer(QStringLiteral("Exit"), Answer::Yes);
    w.mOTab4.click();
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(isFileHidden(QStringLiteral("Misc3.Hlp")));
    EXPECT_TRUE(isFileHidden(QStringLiteral("PR0.Hlp")));
}

}  // namespace
