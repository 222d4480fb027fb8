// The rich-text box: CR LF positions, Change once per assignment, selection font, find,
// Locked and MaxLength, whole-file load and save. The window holding the box is never shown:
// the program uses such boxes as hidden work buffers.
#include "platform/RichTextBox.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <sys/stat.h>

using namespace platform;

namespace {

class Host : public Form {
public:
    Host() : Form(QStringLiteral("Host")), Box(*this, *this, QStringLiteral("RText1"), 0) {
        Box.onChange = [this] { ++changes; };
    }
    RichTextBox Box;
    int changes = 0;
};

class RichTextBoxTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        host = std::make_unique<Host>();
    }
    void TearDown() override {
        host.reset();
        PlatformTest::TearDown();
    }
    RichTextBox& box() { return host->Box; }
    int changes() const { return host->changes; }
    std::unique_ptr<Host> host;
};

// ---- the position map --------------------------------------------------------------------

// Document "ab|cd||xyz": text "ab\r\ncd\r\n\r\nxyz" (13 characters).
//   text: a0 b1 CR2 LF3 c4 d5 CR6 LF7 CR8 LF9 x10 y11 z12 end13
//   doc:  a0 b1 br2 c3 d4 br5 br6 x7 y8 z9 end10
struct MapCase {
    int textPos;
    int docPos;
};

class TextPositionMapTest : public ::testing::TestWithParam<MapCase> {
protected:
    TextPositionMapTest() { doc.setPlainText(QStringLiteral("ab\ncd\n\nxyz")); }
    QTextDocument doc;
};

TEST_P(TextPositionMapTest, TextPositionToDocument) {
    TextPositionMap map(doc);
    EXPECT_EQ(map.textLength(), 13);
    EXPECT_EQ(map.toDocument(GetParam().textPos), GetParam().docPos);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextPositionMapTest,
                         ::testing::Values(MapCase{0, 0}, MapCase{2, 2}, MapCase{3, 3},  // between CR and LF
                                           MapCase{4, 3}, MapCase{6, 5}, MapCase{7, 6}, MapCase{8, 6},
                                           MapCase{9, 7}, MapCase{10, 7}, MapCase{13, 10},
                                           MapCase{-5, 0}, MapCase{99, 10}));

TEST(TextPositionMap, EveryDocumentPositionMapsBackToItself) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("ab\ncd\n\nxyz"));
    TextPositionMap map(doc);
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 10, 11, 12, 13};
    for (int p = 0; p <= 10; ++p) {
        EXPECT_EQ(map.toText(p), expected[p]) << p;
        EXPECT_EQ(map.toDocument(map.toText(p)), p) << p;
    }
}

// ---- text and Change -----------------------------------------------------------------------

TEST_F(RichTextBoxTest, TextUsesCrLfAndCountsBreaksAsTwo) {
    box().setText(QStringLiteral("one\r\ntwo\rthree\nfour"));
    EXPECT_EQ(box().text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
    EXPECT_EQ(box().textLength(), 21);
    EXPECT_EQ(box().document()->blockCount(), 4);
    box().setSelStart(5);
    box().setSelLength(3);
    EXPECT_EQ(box().selText(), QStringLiteral("two"));
    box().setSelStart(1);
    box().setSelLength(4);
    EXPECT_EQ(box().selText(), QStringLiteral("ne\r\n"));
    EXPECT_EQ(box().selStart(), 1);
    EXPECT_EQ(box().selLength(), 4);
}

struct ChangeCase {
    const char* name;
    std::function<void(RichTextBox&, testsupport::TempProgramFolder&)> action;
    int changes;
    const char* textAfter;
};

class RichTextBoxChange : public RichTextBoxTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(RichTextBoxChange, RaisesChangeOncePerAssignmentAndOnEachUserEdit) {
    folder->write(QStringLiteral("Doc.Fil"), "{\\rtf1 {\\b loaded} text\\par second\\par}");
    box().setText(QStringLiteral("start"));
    host->changes = 0;
    GetParam().action(box(), *folder);
    EXPECT_EQ(changes(), GetParam().changes);
    EXPECT_EQ(box().text().toStdString(), GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RichTextBoxChange,
    ::testing::Values(
        ChangeCase{"SetText", [](RichTextBox& b, auto&) { b.setText("a\r\nb\r\nc"); }, 1, "a\r\nb\r\nc"},
        // The window code's "program is assigning" flag is cleared by this Change, so it
        // must come even when the text stays the same.
        ChangeCase{"SetSameText", [](RichTextBox& b, auto&) { b.setText("start"); }, 1, "start"},
        ChangeCase{"SetTextEmpty", [](RichTextBox& b, auto&) { b.setText(""); }, 1, ""},
        ChangeCase{"SetTextRTF", [](RichTextBox& b, auto&) { b.setTextRTF("{\\rtf1 x\\par y\\par z}"); }, 1, "x\r\ny\r\nz"},
        ChangeCase{"LoadFile", [](RichTextBox& b, auto&) { EXPECT_EQ(b.loadFile("doc.fil"), ReadStatus::Ok); }, 1,
                   "loaded text\r\nsecond"},
        ChangeCase{"LoadMissingFileKeepsText",
                   [](RichTextBox& b, auto&) { EXPECT_EQ(b.loadFile("None.Fil"), ReadStatus::Missing); }, 0, "start"},
        ChangeCase{"SelText", [](RichTextBox& b, auto&) { b.setSelStart(5); b.setSelText("\r\nend"); }, 1, "start\r\nend"},
        ChangeCase{"SelRTF", [](RichTextBox& b, auto&) { b.setSelStart(2); b.setSelRTF("{\\rtf1 {\\i X}}"); }, 1, "stXart"},
        ChangeCase{"BoldOnSelection", [](RichTextBox& b, auto&) { b.setSelStart(0); b.setSelLength(3); b.setSelBold(true); }, 1, "start"},
        ChangeCase{"BoldTwiceIsOneEdit",
                   [](RichTextBox& b, auto&) { b.setSelLength(3); b.setSelBold(true); b.setSelBold(true); }, 1, "start"},
        ChangeCase{"AlignmentAlreadyLeftIsNoEdit", [](RichTextBox& b, auto&) { b.setSelAlignment(0); }, 0, "start"},
        ChangeCase{"BoldWithoutSelectionIsNoEdit", [](RichTextBox& b, auto&) { b.setSelBold(true); }, 0, "start"},
        ChangeCase{"SelectingAndFindingIsNoEdit",
                   [](RichTextBox& b, auto&) { b.setSelStart(1); b.setSelLength(2); b.find("art"); }, 0, "start"},
        ChangeCase{"FontIsNoEdit", [](RichTextBox& b, auto&) { b.setFont(Font{"Arial", 12}); }, 0, "start"},
        ChangeCase{"UserTypingOnePerKey", [](RichTextBox& b, auto&) { b.setSelStart(5); b.type("ab"); }, 2, "startab"},
        ChangeCase{"UserEnterAndBackspace", [](RichTextBox& b, auto&) { b.setSelStart(5); b.type("\rx\b"); }, 3, "start\r\n"}),
    [](const ::testing::TestParamInfo<ChangeCase>& i) { return std::string(i.param.name); });

// ---- RTF of the whole text and of the selection -------------------------------------------------

TEST_F(RichTextBoxTest, SaveAndLoadGiveTheSameRichText) {
    box().setTextRTF(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                    "\\qc {\\b Title}\\par \\pard\\f1\\fs20\\cf1 caf\\'e9 \\u937?\\par}"));
    const QString rtf = box().textRTF();
    ASSERT_TRUE(box().saveFile(QStringLiteral("Wksht3.Fil")));
    EXPECT_EQ(folder->read(QStringLiteral("Wksht3.Fil")), rtf.toLatin1());
    Host other;
    EXPECT_EQ(other.Box.loadFile(QStringLiteral("WKSHT3.FIL")), ReadStatus::Ok);
    EXPECT_EQ(other.Box.textRTF(), rtf);
    EXPECT_EQ(other.Box.text(), QStringLiteral("Title\r\ncaf") + QChar(0xE9) + " " + QChar(0x3A9));
}

TEST_F(RichTextBoxTest, UnreadableFileIsReportedApartFromMissing) {
    const QByteArray fifo = folder->file(QStringLiteral("Pipe.Fil")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    box().setText(QStringLiteral("kept"));
    host->changes = 0;
    EXPECT_EQ(box().loadFile(QStringLiteral("Pipe.Fil")), ReadStatus::Unreadable);
    EXPECT_EQ(box().loadFile(QStringLiteral("Nothing.Fil")), ReadStatus::Missing);
    EXPECT_EQ(box().text(), QStringLiteral("kept"));
    EXPECT_EQ(changes(), 0);
}

TEST_F(RichTextBoxTest, FailedSaveIsReportedAndLeavesTheOldFile) {
    folder->write(QStringLiteral("Plan.Fil"), "old");
    box().setText(QStringLiteral("new"));
    QString error;
    EXPECT_FALSE(box().saveFile(QStringLiteral("no/such/folder/Plan.Fil"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder->read(QStringLiteral("Plan.Fil")), QByteArray("old"));
}

TEST_F(RichTextBoxTest, SelRtfCarriesFormatsIntoAnotherBox) {
    box().setTextRTF(QStringLiteral("{\\rtf1 plain {\\b bold} {\\ul under}\\par next}"));
    box().setSelStart(6);
    box().setSelLength(10);  // "bold under"
    const QString piece = box().selRTF();
    Host other;
    other.Box.setText(QStringLiteral("[]"));
    other.Box.setSelStart(1);
    other.Box.setSelRTF(piece);
    EXPECT_EQ(other.Box.text(), QStringLiteral("[bold under]"));
    EXPECT_EQ(other.Box.selStart(), 11);  // the caret stands behind the inserted text
    other.Box.setSelStart(1);
    other.Box.setSelLength(4);
    EXPECT_EQ(other.Box.selBold(), true);
    other.Box.setSelStart(6);
    other.Box.setSelLength(5);
    EXPECT_EQ(other.Box.selUnderline(), true);
    EXPECT_EQ(other.Box.selBold(), false);
}

TEST_F(RichTextBoxTest, TextRtfStringMayHoldAccentedCharacters) {
    box().setTextRTF(QStringLiteral("{\\rtf1 caf") + QChar(0xE9) + QChar(0x20AC) + QChar(0x3A9) + "}");
    EXPECT_EQ(box().text(), QStringLiteral("caf") + QChar(0xE9) + QChar(0x20AC) + QChar(0x3A9));
    box().setTextRTF(QStringLiteral("not rich\r\ntext"));
    EXPECT_EQ(box().text(), QStringLiteral("not rich\r\ntext"));
}

// ---- selection font and alignment ---------------------------------------------------------------

TEST_F(RichTextBoxTest, MixedSelectionReadsAsNoValue) {
    box().setFont(Font{QStringLiteral("MS Sans Serif"), 8.25});
    box().setTextRTF(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red0\\green0\\blue255;}"
                                    "{\\b\\i\\ul\\strike\\fs28\\cf1 aa}{\\f1\\fs20 bb}}"));
    box().setSelStart(0);
    box().setSelLength(2);
    EXPECT_EQ(box().selBold(), true);
    EXPECT_EQ(box().selItalic(), true);
    EXPECT_EQ(box().selUnderline(), true);
    EXPECT_EQ(box().selStrikethru(), true);
    EXPECT_EQ(box().selFontSize(), 14.0);
    EXPECT_EQ(box().selFontName(), QStringLiteral("Arial"));
    EXPECT_EQ(box().selColor(), rgb(0, 0, 255));
    box().setSelLength(4);
    EXPECT_EQ(box().selBold(), std::nullopt);
    EXPECT_EQ(box().selItalic(), std::nullopt);
    EXPECT_EQ(box().selUnderline(), std::nullopt);
    EXPECT_EQ(box().selStrikethru(), std::nullopt);
    EXPECT_EQ(box().selFontSize(), std::nullopt);
    EXPECT_EQ(box().selFontName(), std::nullopt);
    EXPECT_EQ(box().selColor(), std::nullopt);
}

TEST_F(RichTextBoxTest, SelectionFontSettersApplyToTheSelectionOnly) {
    box().setText(QStringLiteral("one two three"));
    box().setSelStart(4);
    box().setSelLength(3);
    box().setSelFontName(QStringLiteral("Courier New"));
    box().setSelFontSize(15);
    box().setSelItalic(true);
    box().setSelStrikethru(true);
    box().setSelColor(rgb(255, 0, 0));
    EXPECT_EQ(box().selFontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(box().selFontSize(), 15.0);
    EXPECT_EQ(box().selItalic(), true);
    EXPECT_EQ(box().selColor(), rgb(255, 0, 0));
    box().setSelStart(0);
    box().setSelLength(3);
    EXPECT_EQ(box().selItalic(), false);
    EXPECT_EQ(box().selFontName(), QStringLiteral("MS Sans Serif"));
    const QString rtf = box().textRTF();
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\f1\\fs30\\i\\strike\\cf1 two\\f0")));
}

TEST_F(RichTextBoxTest, TypingTakesTheFormatSetWithoutSelection) {
    box().setText(QStringLiteral("ab"));
    box().setSelStart(2);
    box().setSelBold(true);
    box().type(QStringLiteral("cd"));
    box().setSelStart(2);
    box().setSelLength(2);
    EXPECT_EQ(box().selBold(), true);
    box().setSelStart(0);
    box().setSelLength(2);
    EXPECT_EQ(box().selBold(), false);
}

TEST_F(RichTextBoxTest, AlignmentOfTheSelectedParagraphs) {
    box().setTextRTF(QStringLiteral("{\\rtf1 \\qc one\\par \\qr two\\par \\pard three}"));
    struct { int start, length; std::optional<int> alignment; } cases[] = {
        {0, 0, 2}, {1, 1, 2}, {5, 2, 1}, {10, 3, 0}, {0, 6, std::nullopt}, {2, 10, std::nullopt}};
    for (const auto& c : cases) {
        box().setSelStart(c.start);
        box().setSelLength(c.length);
        EXPECT_EQ(box().selAlignment(), c.alignment) << c.start << "+" << c.length;
    }
    box().setSelStart(0);
    box().setSelLength(6);
    host->changes = 0;
    box().setSelAlignment(1);
    EXPECT_EQ(box().selAlignment(), 1);
    EXPECT_EQ(changes(), 1);
    box().setSelStart(10);
    EXPECT_EQ(box().selAlignment(), 0);
}

// ---- find -------------------------------------------------------------------------------------

//           0         1         2            3         4
//           0123456789012345678901234 5 6 7 8901234567890123456789
const char* kFindText = "Encryption and decryption.\r\nencryptions ENCRYPTION";

struct FindCase {
    const char* what;
    int start, end, options;
    int expected;
};

class RichTextBoxFind : public RichTextBoxTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(RichTextBoxFind, FindsInsideTheRangeWithTheOptions) {
    box().setText(QString::fromLatin1(kFindText));
    const FindCase& c = GetParam();
    EXPECT_EQ(box().find(QString::fromLatin1(c.what), c.start, c.end, c.options), c.expected);
    if (c.expected >= 0 && !(c.options & RichTextBox::NoHighlight)) {
        EXPECT_EQ(box().selStart(), c.expected);
        EXPECT_EQ(box().selText().toUpper(), QString::fromLatin1(c.what).toUpper());
    } else {
        EXPECT_EQ(box().selLength(), 0);
    }
}

constexpr int WW = RichTextBox::WholeWord;
constexpr int MC = RichTextBox::MatchCase;
constexpr int NH = RichTextBox::NoHighlight;

INSTANTIATE_TEST_SUITE_P(
    Cases, RichTextBoxFind,
    ::testing::Values(FindCase{"Encryption", 0, -1, WW, 0},
                      FindCase{"Encryption", 1, -1, WW, 40},    // not inside "encryptions"
                      FindCase{"Encryption", 1, -1, 0, 28},     // part of a word
                      FindCase{"Encryption", 1, -1, WW | MC, -1},
                      FindCase{"encryption", 0, -1, MC, 28},
                      FindCase{"Encryption", 41, -1, WW, -1},
                      FindCase{"Encryption", 1, 49, WW, -1},    // the match would end past `end`
                      FindCase{"Encryption", 1, 50, WW, 40},
                      FindCase{"and", 0, -1, WW, 11},
                      FindCase{"cryption", 0, -1, WW, -1},
                      FindCase{"n.\r\ne", 0, -1, 0, 24},        // a match across the break
                      FindCase{"decryption", 0, -1, WW | NH, 15},
                      FindCase{"", 0, -1, 0, -1},
                      FindCase{"Encryption", 99, -1, 0, -1}));

TEST_F(RichTextBoxTest, FindAfterAFailureSeesNewText) {
    box().setText(QStringLiteral("nothing here"));
    EXPECT_EQ(box().find(QStringLiteral("word"), 0, -1, WW), -1);
    EXPECT_EQ(box().find(QStringLiteral("word"), 3, -1, WW), -1);
    box().setSelStart(12);
    box().setSelText(QStringLiteral(" word"));
    EXPECT_EQ(box().find(QStringLiteral("word"), 3, -1, WW), 13);
}

// The marking loop of the hidden buffers: every whole-word occurrence bold and underlined,
// in a box whose window is never shown.
TEST_F(RichTextBoxTest, HiddenBufferMarksWholeWords) {
    ASSERT_FALSE(host->isVisible());
    box().setTextRTF(QStringLiteral("{\\rtf1 {\\i Workstation use} and workstation uses.\\par "
                                    "WORKSTATION USE again; workstation user.}"));
    const QString word = QStringLiteral("Workstation use");
    int searchFrom = 1, loop = 1, marked = 0;
    while (loop < box().textLength()) {
        const int found = box().find(word, searchFrom, -1, WW);
        if (found > 0) {
            searchFrom = found + int(word.size());
            loop = searchFrom;
            box().setSelStart(found);
            box().setSelLength(int(word.size()));
            box().setSelBold(true);
            box().setSelUnderline(true);
            ++marked;
        } else {
            ++loop;
        }
    }
    box().setSelStart(1);
    EXPECT_EQ(marked, 1);  // position 0 is not counted as a match by the loop
    box().setSelStart(0);
    EXPECT_EQ(box().find(word, 0, -1, WW), 0);
    const int second = int(box().text().indexOf(QStringLiteral("WORKSTATION")));
    box().setSelStart(second);
    box().setSelLength(int(word.size()));
    EXPECT_EQ(box().selBold(), true);
    EXPECT_EQ(box().selUnderline(), true);
    box().setSelStart(0);
    box().setSelLength(int(word.size()));
    EXPECT_EQ(box().selBold(), false);
    EXPECT_EQ(box().selItalic(), true);
}

// ---- Locked, MaxLength, HideSelection -------------------------------------------------------------

TEST_F(RichTextBoxTest, LockedStopsTheUserNotTheCode) {
    box().setLocked(true);
    box().type(QStringLiteral("typed"));
    EXPECT_EQ(box().text(), QString());
    box().setText(QStringLiteral("code"));
    EXPECT_EQ(box().text(), QStringLiteral("code"));
    box().setSelStart(4);
    box().handleKey(Key::Back, 0, 8);
    EXPECT_EQ(box().text(), QStringLiteral("code"));
    box().setLocked(false);
    box().handleKey(65, 0, 'A');
    EXPECT_EQ(box().text(), QStringLiteral("codeA"));
}

TEST_F(RichTextBoxTest, MaxLengthLimitsTypingOnly) {
    box().setMaxLength(6);
    box().type(QStringLiteral("abc\rdefg"));  // the break counts two
    EXPECT_EQ(box().text(), QStringLiteral("abc\r\nd"));
    box().setText(QStringLiteral("longer than six"));
    EXPECT_EQ(box().text(), QStringLiteral("longer than six"));
    box().setMaxLength(10);
    box().type(QStringLiteral("!"));
    EXPECT_EQ(box().text(), QStringLiteral("longer than six"));
    box().setSelStart(0);
    box().setSelLength(6);
    box().type(QStringLiteral("x"));  // replacing a selection makes room
    EXPECT_EQ(box().text(), QStringLiteral("x than six"));
}

TEST_F(RichTextBoxTest, KeysFromTheWindowSystemRespectMaxLengthAndLocked) {
    auto press = [&](int key, const QString& text) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(box().editor(), &down);
    };
    box().setMaxLength(4);
    press(Qt::Key_A, QStringLiteral("a"));
    press(Qt::Key_Return, QStringLiteral("\r"));
    press(Qt::Key_B, QStringLiteral("b"));  // "a" + CR LF + "b" is 4
    press(Qt::Key_C, QStringLiteral("c"));
    EXPECT_EQ(box().text(), QStringLiteral("a\r\nb"));
    press(Qt::Key_Backspace, QString());
    EXPECT_EQ(box().text(), QStringLiteral("a\r\n"));
    box().setLocked(true);
    press(Qt::Key_D, QStringLiteral("d"));
    EXPECT_EQ(box().text(), QStringLiteral("a\r\n"));
}

// A text longer than the limit (a long template, a document written elsewhere) stays editable:
// keys that delete always work, and a selection may be replaced by as much text as it holds.
struct OverLimitKey {
    const char* what;
    int key;
    const char* keyText;  // what the window system sends with the key
    int selStart, selLength;
    const char* after;
};

class OverTheLimit : public RichTextBoxTest, public ::testing::WithParamInterface<OverLimitKey> {};

TEST_P(OverTheLimit, KeysFromTheWindowSystem) {
    const OverLimitKey& k = GetParam();
    box().setMaxLength(10);
    box().setText(QStringLiteral("a plan much longer than ten"));
    box().setSelStart(k.selStart);
    box().setSelLength(k.selLength);
    QKeyEvent down(QEvent::KeyPress, k.key, Qt::NoModifier, QString::fromLatin1(k.keyText));
    QCoreApplication::sendEvent(box().editor(), &down);
    EXPECT_EQ(box().text(), QString::fromLatin1(k.after)) << k.what;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OverTheLimit,
    ::testing::Values(OverLimitKey{"BackSpace", Qt::Key_Backspace, "\b", 27, 0, "a plan much longer than te"},
                      OverLimitKey{"Delete", Qt::Key_Delete, "\x7f", 0, 0, " plan much longer than ten"},
                      OverLimitKey{"BackSpace on a word", Qt::Key_Backspace, "\b", 7, 5, "a plan longer than ten"},
                      OverLimitKey{"a letter for a letter", Qt::Key_P, "P", 0, 1, "P plan much longer than ten"},
                      OverLimitKey{"a letter for a word", Qt::Key_X, "x", 7, 4, "a plan x longer than ten"},
                      OverLimitKey{"a letter added", Qt::Key_X, "x", 6, 0, "a plan much longer than ten"},
                      OverLimitKey{"Return for a letter", Qt::Key_Return, "\r", 0, 1, "a plan much longer than ten"},
                      OverLimitKey{"Return for two", Qt::Key_Return, "\r", 6, 2, "a plan\r\nuch longer than ten"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(RichTextBoxTest, PastingOverTheLimitReplacesASelectionWithAsMuchAsItHeld) {
    box().setMaxLength(10);
    box().setText(QStringLiteral("a plan much longer than ten"));
    box().setSelStart(7);
    box().setSelLength(4);
    QApplication::clipboard()->setText(QStringLiteral("very much"));
    box().editor()->paste();
    EXPECT_EQ(box().text(), QStringLiteral("a plan very longer than ten"));
}

TEST_F(RichTextBoxTest, HideSelectionDecidesWhetherAnUnfocusedSelectionShows) {
    QPalette pal = box().editor()->palette();
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::Highlight), pal.color(QPalette::Inactive, QPalette::Base));
    box().setHideSelection(false);
    pal = box().editor()->palette();
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::Highlight), pal.color(QPalette::Active, QPalette::Highlight));
}

}  // namespace
