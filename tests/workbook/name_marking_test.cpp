// The marking loop: every whole-word occurrence of a name, letter case ignored, becomes bold
// and underlined, and the loop ends at the first find that fails.
#include "workbook/NameMarking.h"
#include "platform/RichTextBox.h"
#include "tests/support/TestSupport.h"

#include <vector>

using namespace platform;
using workbook::EmptyWord;
using workbook::MarkingCursor;
using workbook::markWholeWords;

namespace {

class Host : public Form {
public:
    Host() : Form(QStringLiteral("Host")), Buffer(*this, *this, QStringLiteral("RText1"), 3) {}
    RichTextBox Buffer;
};

// The characters of the text that are both bold and underlined, as a string of the text with
// every other character replaced by '.'.
QString markedLetters(RichTextBox& b) {
    const QString text = b.text();
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        b.setSelStart(i);
        b.setSelLength(1);
        const bool marked = b.selBold().value_or(false) && b.selUnderline().value_or(false);
        out += marked ? text.at(i) : QLatin1Char('.');
    }
    return out;
}

struct MarkCase {
    const char* name;
    const char* text;
    const char* word;
    const char* marked;  // what markedLetters() gives afterwards
    int count;
};

const MarkCase MarkCases[] = {
    {"OneOccurrence", "(A) Risk analysis (Required).", "Risk Analysis",
     "....Risk analysis............", 1},
    {"LetterCaseIgnored", "(ii) Response and Reporting (Required).", "response and reporting",
     ".....Response and Reporting............", 1},
    {"WholeWordsOnly", "Encryption and decryption; Encryptions, preEncryption; Encryption.", "Encryption",
     "Encryption.............................................Encryption.", 2},
    {"BlanksAroundTheWordIgnored", "Disposal of media. Disposal.", "  Disposal ",
     "Disposal...........Disposal.", 2},
    {"MatchAtTheFirstCharacter", "Documentation kept; Documentation.", "Documentation",
     "Documentation.......Documentation.", 2},
    {"NotThere", "Audit controls and more", "Workstation use", ".......................", 0},
    {"AcrossLines", "Audit\r\ncontrols. Audit controls", "Audit controls",
     ".................Audit controls", 1},
};

class MarkingLoopTest : public testsupport::ProgramTest,
                        public ::testing::WithParamInterface<MarkCase> {};

TEST_P(MarkingLoopTest, MarksEveryWholeWordOccurrence) {
    Host host;
    const MarkCase& c = GetParam();
    host.Buffer.setText(QString::fromUtf8(c.text));
    MarkingCursor cursor;
    EXPECT_EQ(markWholeWords(host.Buffer, QString::fromUtf8(c.word), cursor), c.count);
    EXPECT_EQ(host.Buffer.selStart(), 1);
    EXPECT_EQ(markedLetters(host.Buffer), QString::fromUtf8(c.marked));
    // The cursor ends where the classic loop left it: at the length of the text.
    EXPECT_EQ(cursor.loopIndex, host.Buffer.textLength());
}

INSTANTIATE_TEST_SUITE_P(Texts, MarkingLoopTest, ::testing::ValuesIn(MarkCases),
                         [](const auto& info) { return std::string(info.param.name); });

using MarkingLoopEdgeTest = testsupport::ProgramTest;

// The loop used to run one find per character after the last match; it now stops at the
// first miss: one find per occurrence and one more.
TEST_F(MarkingLoopEdgeTest, StopsAtTheFirstFindThatFails) {
    Host host;
    QString text = QStringLiteral("Encryption at the start. ");
    for (int i = 0; i < 2000; ++i) text += QStringLiteral("Plain words without the name. ");
    text += QStringLiteral("Encryption at the end.");
    host.Buffer.setText(text);
    MarkingCursor cursor;
    EXPECT_EQ(markWholeWords(host.Buffer, QStringLiteral("Encryption"), cursor), 2);
    EXPECT_EQ(cursor.finds, 3);
    EXPECT_EQ(cursor.loopIndex, host.Buffer.textLength());
    EXPECT_EQ(cursor.searchFrom, text.lastIndexOf(QStringLiteral("Encryption")) + 10);
}

TEST_F(MarkingLoopEdgeTest, KeepsTheFormattingTheTextAlreadyHas) {
    Host host;
    host.Buffer.setText(QStringLiteral("Audit controls are audit controls."));
    host.Buffer.setSelStart(0);
    host.Buffer.setSelLength(5);
    host.Buffer.setSelItalic(true);
    host.Buffer.setSelColor(rgb(255, 0, 0));
    MarkingCursor cursor;
    EXPECT_EQ(markWholeWords(host.Buffer, QStringLiteral("Audit controls"), cursor), 2);
    host.Buffer.setSelStart(0);
    host.Buffer.setSelLength(5);
    EXPECT_EQ(host.Buffer.selItalic(), true);
    EXPECT_EQ(host.Buffer.selColor(), rgb(255, 0, 0));
    EXPECT_EQ(host.Buffer.selBold(), true);
    EXPECT_EQ(host.Buffer.selUnderline(), true);
}

// The printed page of an overview entry has no name: nothing is searched and the selection
// is only put back at 1.
TEST_F(MarkingLoopEdgeTest, AnEmptyNameOnThePrintedPageMarksNothing) {
    Host host;
    host.Buffer.setText(QStringLiteral("Organizational requirements overview"));
    MarkingCursor cursor;
    EXPECT_EQ(markWholeWords(host.Buffer, QString(), cursor, EmptyWord::Skip), 0);
    EXPECT_EQ(cursor.finds, 0);
    EXPECT_EQ(cursor.loopIndex, 1);
    EXPECT_EQ(host.Buffer.selStart(), 1);
    EXPECT_EQ(markedLetters(host.Buffer), QString(host.Buffer.textLength(), QLatin1Char('.')));
}

TEST_F(MarkingLoopEdgeTest, AnEmptyBufferIsLeftAlone) {
    Host host;
    MarkingCursor cursor;
    EXPECT_EQ(markWholeWords(host.Buffer, QStringLiteral("Encryption"), cursor), 0);
    EXPECT_EQ(cursor.finds, 0);
    EXPECT_TRUE(host.Buffer.text().isEmpty());
}

}  // namespace
