// The search panel of the Security Rule window: whole words, case ignored, from the last match
// or the caret, the end-of-document message and the restart.
#include "tests/library/PrivRuleFixture.h"
#include "tests/support/platform/RealInput.h"

#include "frame/Settings.h"
#include "frame/Startfrm.h"
#include "workbook/WorkArea1.h"

#include <QRect>

using namespace platform;
using namespace privruletest;

namespace {

const QString SearchTitle = QStringLiteral("Search Document");
const QString EndText = QStringLiteral("Search has reached the end of the document.");

// "risk analysis" stands at 12 and 56; "risky analysis" and "analysis" alone are no match.
const QByteArray Document =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22 "
    "Security. A risk analysis comes first.\\par "
    "Then a {\\b Risk Analysis} is repeated; risky analysis is not one.}";

class SearchTest : public PrivRuleTest {
protected:
    PrivRule& ready() {
        writeSection(5, Document);
        PrivRule& w = openAt(5);
        w.SSCommand5.click();
        return w;
    }
    void type(PrivRule& w, const QString& words) { w.Text1.setText(words); }
    // One press of the panel's "Search" that finds a match (any message box fails the test).
    void press(PrivRule& w) { w.Command5.click(); }
    // One press that runs past the last match.
    void pressToEnd(PrivRule& w) {
        const std::size_t before = boxes(SearchTitle).size();
        dialogs->answer(SearchTitle, Answer::OK);
        w.Command5.click();
        EXPECT_EQ(boxes(SearchTitle).size(), before + 1);
    }
};

TEST_F(SearchTest, PanelOpensEmptyFromTheTopAndCloses) {
    writeSection(5, Document);
    PrivRule& w = openAt(5);
    w.SearchFrom = 40;
    w.SSCommand5.click();
    EXPECT_TRUE(w.Panel3D3.visible());
    EXPECT_EQ(w.Panel3D3.caption(), QStringLiteral("  Enter Word(s) for Search"));
    EXPECT_EQ(w.SearchFrom, 1);
    EXPECT_TRUE(w.Text1.text().isEmpty());
    w.mOSearch.click();
    EXPECT_FALSE(w.Panel3D3.visible());
    w.SSCommand5.click();
    w.Command6.click();
    EXPECT_FALSE(w.Panel3D3.visible());
    EXPECT_TRUE(w.RText2.hideSelection());
}

TEST_F(SearchTest, TwoMatchesThenTheEndMessageThenTheFirstAgain) {
    PrivRule& w = ready();
    type(w, QStringLiteral("risk analysis"));
    const int second = int(w.RText2.text().indexOf(QStringLiteral("Risk Analysis")));

    press(w);
    EXPECT_EQ(w.RText2.selStart(), 12);
    EXPECT_EQ(w.RText2.selLength(), 13);
    EXPECT_EQ(w.FoundPos, 12);
    EXPECT_EQ(w.SearchFrom, 25);
    EXPECT_FALSE(w.RText2.hideSelection());

    press(w);
    EXPECT_EQ(w.RText2.selStart(), second);
    EXPECT_EQ(w.RText2.selText(), QStringLiteral("Risk Analysis"));

    pressToEnd(w);
    auto shown = boxes(SearchTitle);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, EndText);
    EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    EXPECT_EQ(w.SearchFrom, 1);
    EXPECT_EQ(w.RText2.selStart(), 1);

    press(w);
    EXPECT_EQ(w.RText2.selStart(), 12);
}

struct NoMatchCase {
    const char* name;
    const char* words;
};

class NoMatchTest : public SearchTest, public ::testing::WithParamInterface<NoMatchCase> {};

TEST_P(NoMatchTest, GivesTheEndMessageAndStartsAgainAtTheTop) {
    PrivRule& w = ready();
    type(w, QString::fromLatin1(GetParam().words));
    w.SearchFrom = 30;
    pressToEnd(w);
    EXPECT_EQ(w.SearchFrom, 1);
}

INSTANTIATE_TEST_SUITE_P(Words, NoMatchTest,
                         ::testing::Values(NoMatchCase{"Prefix", "ris"},          // only inside "risk"
                                           NoMatchCase{"Suffix", "nalysis"},
                                           NoMatchCase{"Empty", ""},
                                           NoMatchCase{"OnlyAtTheFirstCharacter", "security"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, CaseIsIgnored) {
    PrivRule& w = ready();
    type(w, QStringLiteral("REPEATED"));
    press(w);
    EXPECT_EQ(w.RText2.selText(), QStringLiteral("repeated"));
}

TEST_F(SearchTest, NewWordsStartAtTheTopAndAClickStartsAtTheCaret) {
    PrivRule& w = ready();
    type(w, QStringLiteral("risk analysis"));
    press(w);
    press(w);
    ASSERT_GT(w.SearchFrom, 40);
    type(w, QStringLiteral("risk analysiS"));
    EXPECT_EQ(w.SearchFrom, 1);
    press(w);
    EXPECT_EQ(w.RText2.selStart(), 12);

    // A click behind the first match (at the start of the second line, beside the search
    // panel): the next press finds the second, not the first.
    testsupport::clickInText(w.RText2, 42);
    EXPECT_EQ(w.SearchFrom, w.RText2.selStart());
    EXPECT_GE(w.SearchFrom, 42);
    EXPECT_LE(w.SearchFrom, 43);
    press(w);
    EXPECT_GT(w.RText2.selStart(), 42);
    EXPECT_EQ(w.RText2.selText(), QStringLiteral("Risk Analysis"));
}

TEST_F(SearchTest, EnterInTheWordsBoxSearchesAndEscClosesThePanel) {
    PrivRule& w = ready();
    w.Text1.setFocus();
    w.setFocusedControl(&w.Text1);
    w.Text1.type(QStringLiteral("risk analysis"));
    w.dispatchKey(Key::Return, 0, 13);
    EXPECT_EQ(w.RText2.selStart(), 12);
    EXPECT_TRUE(w.Panel3D3.visible());
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_FALSE(w.Panel3D3.visible());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SearchTest, NothingLoadedFindsNothing) {
    PrivRule& w = showRule();
    w.Text1.setText(QStringLiteral("rule"));
    dialogs->answer(SearchTitle, Answer::OK);
    w.SearchDocument();
    EXPECT_EQ(boxes(SearchTitle).size(), 1u);
}

// The section the user meets first: "E. Admin. Safeguards" as shipped.
TEST_F(PrivRuleTest, AdministrativeSafeguardsSearchRunsToTheEndAndRestarts) {
    PrivRule& w = openAt(9);
    w.SSCommand5.click();
    w.Text1.setText(QStringLiteral("risk analysis"));
    const QString text = w.RText2.text().toLower();
    std::vector<int> expected;
    for (int at = int(text.indexOf(QStringLiteral("risk analysis"))); at >= 0;
         at = int(text.indexOf(QStringLiteral("risk analysis"), at + 1)))
        expected.push_back(at);
    ASSERT_FALSE(expected.empty());
    for (int at : expected) {
        w.Command5.click();
        EXPECT_EQ(w.RText2.selStart(), at);
        EXPECT_EQ(w.RText2.selText().toLower(), QStringLiteral("risk analysis"));
    }
    EXPECT_TRUE(boxes(QStringLiteral("Search Document")).empty());
    dialogs->answer(QStringLiteral("Search Document"), Answer::OK);
    w.Command5.click();
    EXPECT_EQ(boxes(QStringLiteral("Search Document")).size(), 1u);
    w.Command5.click();
    EXPECT_EQ(w.RText2.selStart(), expected.front());
}

// The search bar stands above the text while it shows, covering neither a section's heading nor
// any of its text, in the window as the Action Area's tab opens it at 800 by 600 and 1280 by
// 1024, in both displays, under a window manager; closed, the text has its room back.
struct SearchScreen {
    const char* name;
    int width, height;  // twips
    bool smaller;
};

class SearchBarPlaceTest : public PrivRuleTest, public ::testing::WithParamInterface<SearchScreen> {};

TEST_P(SearchBarPlaceTest, TheBarCoversNoText) {
    screen->setSize(GetParam().width, GetParam().height);
    screen->frameWindows();
    frame::writeDisplayModeSetting(GetParam().smaller);
    Startfrm& start = platform::defaultInstance<Startfrm>();
    start.show();
    start.Command2.click();
    platform::defaultInstance<WorkArea1>().SSCommand4[2].click();
    doEvents();
    PrivRule* w = openWindow();
    ASSERT_NE(w, nullptr);
    w->SSOption1[13].click();
    const QRect text(w->RText2.left(), w->RText2.top(), w->RText2.width(), w->RText2.height());
    w->SSCommand5.click();
    ASSERT_TRUE(w->Panel3D3.visible());
    const QRect bar(w->Panel3D3.left(), w->Panel3D3.top(), w->Panel3D3.width(), w->Panel3D3.height());
    const QRect shown(w->RText2.left(), w->RText2.top(), w->RText2.width(), w->RText2.height());
    EXPECT_FALSE(bar.intersects(shown));
    EXPECT_GE(shown.height(), text.height() / 2);
    EXPECT_LE(bar.right(), w->SSPanel1.width());
    w->Command6.click();
    EXPECT_EQ(QRect(w->RText2.left(), w->RText2.top(), w->RText2.width(), w->RText2.height()), text);
}

INSTANTIATE_TEST_SUITE_P(Screens, SearchBarPlaceTest,
                         ::testing::Values(SearchScreen{"Full800x600", 12000, 9000, false},
                                           SearchScreen{"Smaller800x600", 12000, 9000, true},
                                           SearchScreen{"Full1280x1024", 19200, 15360, false},
                                           SearchScreen{"Smaller1280x1024", 19200, 15360, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
