// The "Implementation specification" view of every entry: the rule text in the editor with
// the entry's name bold and underlined wherever it stands as whole words; the print-only fill
// of the buffer; the buffers and the printed page's name marking.
#include "../workbook/HubFixture.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RuleText.h"

#include <QRegularExpression>

using namespace platform;

namespace {

QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Every whole-word occurrence of word in text, letter case ignored: (start, length).
std::vector<std::pair<int, int>> wholeWordSpans(const QString& text, const QString& word) {
    std::vector<std::pair<int, int>> spans;
    if (word.isEmpty()) return spans;
    const QRegularExpression re(QStringLiteral("(?<![\\p{L}\\p{N}_])") + QRegularExpression::escape(word) +
                                    QStringLiteral("(?![\\p{L}\\p{N}_])"),
                                QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        spans.emplace_back(int(m.capturedStart()), int(m.capturedLength()));
    }
    return spans;
}

// The spans are bold and underlined, and nothing between them is.
void expectMarkedExactly(RichTextBox& box, const std::vector<std::pair<int, int>>& spans) {
    int from = 0;
    auto expectRange = [&](int start, int length, bool marked) {
        if (length <= 0) return;
        box.setSelStart(start);
        box.setSelLength(length);
        EXPECT_EQ(box.selBold(), marked) << "at " << start << " length " << length;
        EXPECT_EQ(box.selUnderline(), marked) << "at " << start << " length " << length;
    };
    for (const auto& [start, length] : spans) {
        expectRange(from, start - from, false);
        expectRange(start, length, true);
        from = start + length;
    }
    expectRange(from, box.textLength() - from, false);
}

class RuleTextViewTest : public hubtest::HubTest, public ::testing::WithParamInterface<int> {};

TEST_P(RuleTextViewTest, ShowsTheRuleWithTheNameBoldAndUnderlined) {
    const int k = GetParam();
    WorkArea1& w = openSpec(k);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption6.setValue(true);  // set from code: the two overview entries disable the option
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);

    const QString expected = QString::fromStdString(catalogue::composeRuleText(k));
    EXPECT_EQ(w.Rtext3.text(), expected);
    EXPECT_EQ(w.RText1[0].text(), expected);
    EXPECT_EQ(LoopIndex, std::max(1, w.RText1[0].textLength()));
    EXPECT_EQ(w.UnsavedChanges, 0);
    const catalogue::RuleText rule = catalogue::ruleText(k);
    const auto spans = wholeWordSpans(expected, u8(rule.highlight));
    if (k == 43 || k == 46) {
        EXPECT_TRUE(expected.isEmpty());
    } else {
        EXPECT_TRUE(expected.startsWith(QStringLiteral("Implementation Specification:\r\n\r\n")));
        EXPECT_FALSE(spans.empty()) << "the name " << rule.highlight << " is not in its own rule text";
    }
    expectMarkedExactly(w.Rtext3, spans);
    expectMarkedExactly(w.RText1[0], spans);
}

INSTANTIATE_TEST_SUITE_P(EverySpecification, RuleTextViewTest, ::testing::Range(1, 48),
                         [](const auto& info) { return "k" + std::to_string(info.param); });

using RuleTextBufferTest = RuleTextViewTest;

// The specification page report fills the buffer only: plain text, and the editor untouched.
TEST_F(RuleTextBufferTest, PrintModeFillsTheBufferOnlyAndUnmarked) {
    WorkArea1& w = openSpec(37);
    w.SSOption6.setValue(true);
    w.Rtext3.setText(QStringLiteral("the user's view"));
    w.PrintModeFlag = -999;
    w.LoadRuleText();
    EXPECT_EQ(w.RText1[0].text(), QString::fromStdString(catalogue::composeRuleText(37)));
    expectMarkedExactly(w.RText1[0], {});
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("the user's view"));
}

TEST_F(RuleTextBufferTest, WithTheViewNotChosenOnlyTheBufferIsMarked) {
    WorkArea1& w = openSpec(1);
    w.SSOption6.setValue(false);
    w.LoadRuleText();
    const QString expected = QString::fromStdString(catalogue::composeRuleText(1));
    EXPECT_EQ(w.RText1[0].text(), expected);
    expectMarkedExactly(w.RText1[0], wholeWordSpans(expected, QStringLiteral("Risk Analysis")));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
}

TEST_F(RuleTextBufferTest, TheSamplePageAlwaysShowsPasswordManagement) {
    // The fourth entry of the administrative page was the last one pressed.
    WorkArea1& w = openSpec(4);
    answerPageBoxes(9);
    page(w, catalogue::PageSample);
    ASSERT_EQ(w.SpecIndex, 3);
    w.SSOption6.setValue(true);
    w.LoadRuleText();
    const QString expected = QString::fromStdString(catalogue::composeRuleText(15));
    EXPECT_EQ(w.Rtext3.text(), expected);
    EXPECT_TRUE(expected.contains(QStringLiteral("(D) Password management (Addressable).")));
    expectMarkedExactly(w.Rtext3, wholeWordSpans(expected, QStringLiteral("Password management")));
}

TEST_F(RuleTextBufferTest, ClearingEmptiesTheThreeViewBuffersButNotThePrintedPage) {
    WorkArea1& w = openHub();
    for (int i = 0; i < 4; ++i) w.RText1[i].setText(QStringLiteral("buffer %1").arg(i));
    w.ClearSpecBuffers();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(w.RText1[i].text().isEmpty()) << i;
    EXPECT_EQ(w.RText1[3].text(), QStringLiteral("buffer 3"));
    EXPECT_EQ(LoopIndex, 3);
}

struct PageMarkCase {
    int spec;
    const char* page;
    const char* name;  // expected to be marked ("" nothing)
};

class HighlightSpecNameTest : public hubtest::HubTest, public ::testing::WithParamInterface<PageMarkCase> {};

TEST_P(HighlightSpecNameTest, MarksTheNameOverThePrintedPage) {
    const PageMarkCase c = GetParam();
    WorkArea1& w = openHub();
    w.RText1[3].setText(QString::fromUtf8(c.page));
    w.SpecNumber = c.spec;
    w.HighlightSpecName();
    EXPECT_EQ(w.RText1[3].selStart(), 1);
    expectMarkedExactly(w.RText1[3], wholeWordSpans(w.RText1[3].text(), QString::fromUtf8(c.name)));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HighlightSpecNameTest,
    ::testing::Values(
        PageMarkCase{42, "Encryption (A)\r\n(iv) Encryption and decryption. Decryption; encryptions.", "Encryption"},
        PageMarkCase{16, "Security incident procedures\r\n(ii) Response and Reporting (Required).",
                     "response and reporting"},
        PageMarkCase{43, "Organizational Requirements Overview\r\nBusiness associate contracts", ""},
        PageMarkCase{46, "Policies and Procedures and Documentation Requirements\r\nDocumentation", ""},
        PageMarkCase{0, "No entry selected: Risk Analysis", ""}),
    [](const auto& info) { return "k" + std::to_string(info.param.spec); });

}  // namespace
