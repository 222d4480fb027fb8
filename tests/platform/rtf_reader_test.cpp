// The RTF reader: the text and formats it gives back, and its survival of bad input.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextLayout>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <random>

using platform::readRtfDocument;

namespace {

// The document's paragraphs joined with "|", so a case shows its paragraph breaks at a glance.
QString paragraphs(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) out << b.text();
    return out.join(QLatin1Char('|'));
}

QString read(const QByteArray& rtf) {
    QTextDocument doc;
    readRtfDocument(rtf, doc);
    return paragraphs(doc);
}

// The character format of the first character of `needle`.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& needle) {
    const QTextCursor found = doc.find(needle, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        ADD_FAILURE() << "text not found: " << needle.toStdString();
        return {};
    }
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlockFormat blockOf(const QTextDocument& doc, const QString& needle) {
    const QTextCursor found = doc.find(needle, 0, QTextDocument::FindCaseSensitively);
    EXPECT_FALSE(found.isNull()) << needle.toStdString();
    return found.block().blockFormat();
}

QString family(const QTextCharFormat& f) {
    const QStringList l = f.property(QTextFormat::FontFamilies).toStringList();
    return l.isEmpty() ? QString() : l.first();
}

struct TextCase {
    const char* name;
    QByteArray input;
    QString expected;  // paragraphs joined with "|"
};

class RtfReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, GivesTheTextAWordProcessorShows) {
    EXPECT_EQ(read(GetParam().input).toStdString(), GetParam().expected.toStdString());
}

const QString kE = QString(QChar(0xE9));

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfReaderText,
    ::testing::Values(
        TextCase{"Simple", "{\\rtf1\\ansi Hello world}", "Hello world"},
        TextCase{"ParagraphsAndFinalParDropped", "{\\rtf1 one\\par two\\par}", "one|two"},
        TextCase{"FinalEmptyParagraphKeptWhenTwoPars", "{\\rtf1 one\\par\\par}", "one|"},
        TextCase{"BackslashNewlineIsPar", "{\\rtf1 a\\\nb}", "a|b"},
        TextCase{"NewlinesInTextIgnored", "{\\rtf1 a\r\nb\nc}", "abc"},
        TextCase{"EscapedSymbols", "{\\rtf1 \\{x\\} \\\\ y}", "{x} \\ y"},
        TextCase{"HexInCp1252", "{\\rtf1\\ansi caf\\'e9 \\'80 \\'a7}",
                 "caf" + kE + " " + QChar(0x20AC) + " " + QChar(0xA7)},
        TextCase{"AnsiCpg1250", "{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'9a}",
                 QString(QChar(0x0105)) + QChar(0x0161)},
        TextCase{"FontCharsetDecidesCodePage",
                 "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\f1\\'c0\\f0\\'c0}",
                 QString(QChar(0x0410)) + QChar(0xC0)},
        TextCase{"UnicodeWithDefaultSkip", "{\\rtf1 \\u233?x}", kE + "x"},
        TextCase{"UnicodeNegative", "{\\rtf1 \\u-4064?}", QString(QChar(0xF020))},
        TextCase{"UcTwoSkipsTwoHex", "{\\rtf1\\uc2 \\u233\\'65\\'65x}", kE + "x"},
        TextCase{"UcZeroSkipsNothing", "{\\rtf1\\uc0 \\u233 x}", kE + "x"},
        TextCase{"UcIsScopedToGroup", "{\\rtf1 {\\uc0 \\u233}\\u233?}", kE + kE},
        TextCase{"SkipStopsAtBrace", "{\\rtf1\\uc3 {\\u233}y}", kE + "y"},
        TextCase{"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}",
                 QString::fromUcs4(U"\U0001F600")},
        TextCase{"IgnorableDestination", "{\\rtf1 a{\\*\\foo secret {nested}}b}", "ab"},
        TextCase{"InfoAndStylesheet",
                 "{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}body}", "body"},
        TextCase{"PictureTheEditorCannotDrawSkipped", "{\\rtf1 a{\\pict\\wmetafile8 01000900}b}", "ab"},
        TextCase{"BinarySkipsRawBytes", "{\\rtf1 a{\\pict\\bin4 }}{x}b}", "ab"},
        TextCase{"BinaryBeyondEndIsBounded", "{\\rtf1 a\\bin999999999999 zzz", "a"},
        TextCase{"FieldResultKept",
                 "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} end}", "link end"},
        TextCase{"StarredFieldResultShown",
                 "{\\rtf1\\ansi See {\\field{\\*\\fldinst HYPERLINK \"http://x.org\"}{\\*\\fldrslt the site}} now.\\par}",
                 "See the site now."},
        TextCase{"StarredKnownSkippedDestination", "{\\rtf1 a{\\*\\bkmkstart mark}b{\\*\\fldrslt {\\*\\x y}c}}", "abc"},
        TextCase{"StarBeforeTextSkipsTheGroup", "{\\rtf1 a{\\* hidden \\fldrslt x}b}", "ab"},
        TextCase{"NonNestedTablesFallbackSkipped", "{\\rtf1 A{\\nonesttables B\\par}C}", "AC"},
        TextCase{"FieldInstWithoutStar", "{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 3}}}", "3"},
        TextCase{"OldStyleBulletText",
                 "{\\rtf1 {\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}Item\\par}",
                 QString(QChar(0xB7)) + "\tItem"},
        TextCase{"PnWithoutStarSkipped", "{\\rtf1 {\\pn\\pnlvlblt{\\pntxtb X}}Item}", "Item"},
        TextCase{"TableDegradesToTabs",
                 "{\\rtf1 \\trowd\\cellx100\\cellx200 \\intbl A\\cell B\\cell\\row \\pard after}",
                 "A\tB|after"},
        TextCase{"TableRowsWithEmptyCellsKeepTheirLines",
                 "{\\rtf1 \\trowd\\cellx100\\cellx200 \\intbl A\\cell B\\cell\\row "
                 "\\trowd\\cellx100\\cellx200 \\pard\\intbl \\cell \\cell\\row "
                 "\\trowd\\cellx100\\cellx200 \\pard\\intbl \\cell C\\cell\\row \\pard after}",
                 "A\tB|\t|\tC|after"},
        TextCase{"TableCellsEndingWithPar",
                 "{\\rtf1 {\\pard\\intbl A\\par}\\cell{\\pard\\intbl B\\par}\\cell\\row}", "A\tB"},
        TextCase{"TabAndLine", "{\\rtf1 a\\tab b\\line c}",
                 QString("a\tb") + QChar(0x2028) + "c"},
        TextCase{"NamedSymbols", "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~}",
                 QString::fromUtf16(u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0")},
        TextCase{"HiddenTextNotShown", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", "abd"},
        TextCase{"MissingFinalBrace", "{\\rtf1 {\\b bold} tail", "bold tail"},
        TextCase{"TruncatedInControlWord", "{\\rtf1 text\\pa", "text"},
        TextCase{"ExtraClosingBraceEndsDocument", "{\\rtf1 a}b}", "a"},
        TextCase{"UnknownWordsIgnored", "{\\rtf1 \\foo\\bar12 \\baz-3 x}", "x"},
        TextCase{"HugeNumbersClamped", "{\\rtf1\\fs99999999999999999999 \\li-99999999999 x}", "x"},
        TextCase{"PlainTextCrLf", "one\r\ntwo\nthree\rfour", "one|two|three|four"},
        TextCase{"PlainTextCp1252", "caf\xe9 \x80", "caf" + kE + " " + QChar(0x20AC)},
        TextCase{"PlainTextTrailingBreakKept", "a\r\n", "a|"},
        TextCase{"EmptyInput", "", ""}),
    [](const ::testing::TestParamInfo<TextCase>& i) { return std::string(i.param.name); });

TEST(RtfReader, TruncatedHexWithOneDigitReadsThatDigit) {
    // "\'e" at the end of the input is one hex digit: byte 0x0E, a control character, dropped.
    EXPECT_EQ(read("{\\rtf1 text\\'e").toStdString(), "text");
}

TEST(RtfReader, CharacterFormatsFollowGroupsAndPlain) {
    QTextDocument doc;
    readRtfDocument(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "normal {\\b bold {\\i bolditalic}} {\\ul under\\ulnone gone} {\\strike struck} "
        "{\\f1\\fs20 courier} {\\cf1 red}{\\cf2 blue} \\b\\i\\fs40 loud\\plain quiet}",
        doc);
    struct Expect { const char* word; bool bold, italic, underline, strike; const char* family; double pt; QColor color; };
    const Expect expects[] = {
        {"normal", false, false, false, false, "Arial", 12, QColor()},
        {"bold", true, false, false, false, "Arial", 12, QColor()},
        {"bolditalic", true, true, false, false, "Arial", 12, QColor()},
        {"under", false, false, true, false, "Arial", 12, QColor()},
        {"gone", false, false, false, false, "Arial", 12, QColor()},
        {"struck", false, false, false, true, "Arial", 12, QColor()},
        {"courier", false, false, false, false, "Courier New", 10, QColor()},
        {"red", false, false, false, false, "Arial", 12, QColor(255, 0, 0)},
        {"blue", false, false, false, false, "Arial", 12, QColor(0, 0, 255)},
        {"loud", true, true, false, false, "Arial", 20, QColor()},
        {"quiet", false, false, false, false, "Arial", 12, QColor()},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.word);
        const QTextCharFormat f = formatOf(doc, QString::fromLatin1(e.word));
        EXPECT_EQ(f.fontWeight() >= QFont::DemiBold, e.bold);
        EXPECT_EQ(f.fontItalic(), e.italic);
        EXPECT_EQ(f.fontUnderline(), e.underline);
        EXPECT_EQ(f.fontStrikeOut(), e.strike);
        EXPECT_EQ(family(f).toStdString(), e.family);
        EXPECT_DOUBLE_EQ(f.fontPointSize(), e.pt);
        if (e.color.isValid()) EXPECT_EQ(f.foreground().color(), e.color);
        else EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
    }
}

TEST(RtfReader, ColourIndexPastTheTableIsAutomatic) {
    QTextDocument doc;
    readRtfDocument("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf2 x\\cf1 y\\cf99 z}", doc);
    EXPECT_FALSE(formatOf(doc, "x").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(doc, "y").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf(doc, "z").hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, ParagraphFormatsAndPardReset) {
    QTextDocument doc;
    readRtfDocument(
        "{\\rtf1 \\qc centred\\par \\qr right\\par \\qj just\\par carried\\par \\pard\\li720\\ri360\\fi-360 "
        "indented\\par \\pard plain\\par {\\qc grouped}\\par}",
        doc);
    EXPECT_EQ(blockOf(doc, "centred").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockOf(doc, "right").alignment(), Qt::AlignRight);
    EXPECT_EQ(blockOf(doc, "just").alignment(), Qt::AlignJustify);
    // Paragraph properties carry over to the next paragraph until \pard.
    EXPECT_EQ(blockOf(doc, "carried").alignment(), Qt::AlignJustify);
    const QTextBlockFormat ind = blockOf(doc, "indented");
    EXPECT_EQ(ind.alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(ind.leftMargin() * 15, 720);
    EXPECT_DOUBLE_EQ(ind.rightMargin() * 15, 360);
    EXPECT_DOUBLE_EQ(ind.textIndent() * 15, -360);
    EXPECT_EQ(blockOf(doc, "plain").alignment(), Qt::AlignLeft);
    EXPECT_EQ(blockOf(doc, "plain").leftMargin(), 0);
    // The group closed before \par: the paragraph takes the state at \par.
    EXPECT_EQ(blockOf(doc, "grouped").alignment(), Qt::AlignLeft);
}

// Tab stops set columns: left, right and centred stops in twips from the left margin, until
// \pard; a paragraph keeps no more than 64 of them, whatever the file holds.
TEST(RtfReader, TabStopsOfAParagraph) {
    QTextDocument doc;
    QByteArray many = "{\\rtf1 \\pard\\tx1440\\tqr\\tx4320\\tqc\\tx6000 columns\\par \\pard plain\\par \\pard";
    for (int i = 1; i <= 1000; ++i) many += "\\tx" + QByteArray::number(i * 10);
    many += " many\\par}";
    readRtfDocument(many, doc);
    const QList<QTextOption::Tab> tabs = blockOf(doc, "columns").tabPositions();
    ASSERT_EQ(tabs.size(), 3);
    EXPECT_DOUBLE_EQ(tabs[0].position * 15, 1440);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(tabs[1].position * 15, 4320);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
    EXPECT_EQ(tabs[2].type, QTextOption::CenterTab);
    EXPECT_TRUE(blockOf(doc, "plain").tabPositions().isEmpty());
    EXPECT_EQ(blockOf(doc, "many").tabPositions().size(), 64);
}

// A table row shown as one line of tab-separated cells: a tab stop where each cell after the
// first begins (its left boundary and the row's gap), so the rows' columns line up as in the
// table; a row whose paragraph sets its own stops keeps them, a paragraph after the table none.
TEST(RtfReader, TableRowsLineUpTheirCellsAtTabStops) {
    QTextDocument doc;
    readRtfDocument("{\\rtf1 \\trowd\\trgaph100\\cellx1900\\cellx3800\\cellx5700 "
                    "\\pard\\intbl head\\cell two\\cell three\\cell\\row "
                    "\\trowd\\trgaph100\\cellx1900\\cellx3800\\cellx5700 "
                    "\\pard\\intbl \\cell \\cell \\cell\\row "
                    "\\trowd\\cellx3000\\cellx6000 \\pard\\intbl\\tx500 own\\cell stops\\cell\\row "
                    "\\pard after\\par}",
                    doc);
    ASSERT_EQ(doc.findBlockByNumber(1).text(), QStringLiteral("\t\t"));
    for (const QTextBlock& row : {doc.findBlockByNumber(0), doc.findBlockByNumber(1)}) {
        const QList<QTextOption::Tab> tabs = row.blockFormat().tabPositions();
        ASSERT_EQ(tabs.size(), 2) << row.text().toStdString();
        EXPECT_DOUBLE_EQ(tabs[0].position * 15, 2000);
        EXPECT_DOUBLE_EQ(tabs[1].position * 15, 3900);
        EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    }
    const QList<QTextOption::Tab> own = blockOf(doc, "own").tabPositions();
    ASSERT_EQ(own.size(), 1);
    EXPECT_DOUBLE_EQ(own[0].position * 15, 500);
    EXPECT_TRUE(blockOf(doc, "after").tabPositions().isEmpty());
}

// A cell that ends at the widest place a file may give: its tab stop stays within the limit that
// a written tab stop is read back under, so saving the document again gives the same bytes.
TEST(RtfReader, ATableCellAtTheWidestPlaceKeepsItsStopWithinTheLimit) {
    QTextDocument doc;
    readRtfDocument("{\\rtf1 \\trowd\\trgaph120\\cellx31680\\cellx40000 \\pard\\intbl A\\cell B\\cell\\row }", doc);
    const QList<QTextOption::Tab> tabs = doc.firstBlock().blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_DOUBLE_EQ(tabs[0].position * 15, 31680);
    const QByteArray first = platform::writeRtf(doc);
    QTextDocument again;
    readRtfDocument(first, again);
    EXPECT_EQ(platform::writeRtf(again), first);
}

// A numbered paragraph with a hanging indent: its number at 360 twips, its text at the tab stop
// of 720 twips, measured from the left margin as word processors measure it.
TEST(RtfReader, ATabStopStandsWhereTheFileMeasuresItFromTheLeftMargin) {
    QTextDocument doc;
    readRtfDocument("{\\rtf1 \\pard\\li720\\fi-360\\tx720 1.\\tab item\\par}", doc);
    doc.setTextWidth(600);
    doc.documentLayout()->documentSize();
    const QTextLine line = doc.firstBlock().layout()->lineAt(0);
    EXPECT_DOUBLE_EQ(line.x(), 360 / 15.0);
    EXPECT_NEAR(line.cursorToX(3), 720 / 15.0, 0.5);
}

TEST(RtfReader, FontTableWithoutGroupsAndWithAlternates) {
    QTextDocument doc;
    readRtfDocument(
        "{\\rtf1{\\fonttbl\\f0\\fnil Alpha;\\f1\\fnil Beta{\\*\\falt Gamma};\\f2 Caf\\'e9 Sans;}"
        "\\f1 one \\f2 two \\f0 three \\f9 four}",
        doc);
    EXPECT_EQ(family(formatOf(doc, "one")).toStdString(), "Beta");
    EXPECT_EQ(family(formatOf(doc, "two")), QStringLiteral("Caf") + QChar(0xE9) + " Sans");
    EXPECT_EQ(family(formatOf(doc, "three")).toStdString(), "Alpha");
    EXPECT_EQ(family(formatOf(doc, "four")).toStdString(), "");
}

TEST(RtfReader, InsertAtCursorKeepsTheRestOfTheParagraph) {
    QTextDocument doc;
    doc.setPlainText("startend");
    QTextCursor c(&doc);
    c.setPosition(5);
    platform::insertRtf("{\\rtf1 {\\b A}\\par B}", c);
    EXPECT_EQ(paragraphs(doc).toStdString(), "startA|Bend");
    EXPECT_EQ(c.position(), 8);
    EXPECT_TRUE(formatOf(doc, "A").fontWeight() >= QFont::DemiBold);
}

TEST(RtfReader, InsertReplacesSelection) {
    QTextDocument doc;
    doc.setPlainText("one two three");
    QTextCursor c(&doc);
    c.setPosition(4);
    c.setPosition(7, QTextCursor::KeepAnchor);
    platform::insertRtf("{\\rtf1 2}", c);
    EXPECT_EQ(paragraphs(doc).toStdString(), "one 2 three");
}

// ---- survival of bad input ---------------------------------------------------------------

TEST(RtfReaderRobustness, DeepNestingIsCappedAndTextStillRead) {
    QByteArray rtf = "{\\rtf1 ";
    rtf += QByteArray(100000, '{');
    rtf += "\\b deep";
    rtf += QByteArray(100000, '}');
    rtf += " after}";
    QTextDocument doc;
    readRtfDocument(rtf, doc);
    EXPECT_EQ(paragraphs(doc).toStdString(), "deep after");
    EXPECT_TRUE(formatOf(doc, "deep").fontWeight() >= QFont::DemiBold);
}

TEST(RtfReaderRobustness, EveryPrefixOfADocumentLoads) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "\\uc1\\pard\\qc\\li100 {\\b b\\'e9\\u8364?} {\\*\\x y}{\\pict\\bin3 {}}\\cell\\row z\\par}";
    for (int n = 0; n <= rtf.size(); ++n) {
        QTextDocument doc;
        readRtfDocument(rtf.left(n), doc);
        EXPECT_LE(doc.characterCount(), n + 1);
    }
}

TEST(RtfReaderRobustness, RandomBytesNeverCrash) {
    std::mt19937 rng(20031);
    const char alphabet[] = "{}\\'*0123456789abcdefuparbinlc-; \r\n\xe9\x80";
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int len = int(rng() % 400);
        for (int i = 0; i < len; ++i) rtf += alphabet[rng() % (sizeof alphabet - 1)];
        QTextDocument doc;
        readRtfDocument(rtf, doc);
        QTextCursor c(&doc);
        c.movePosition(QTextCursor::End);
        platform::insertRtf(rtf, c);
        SUCCEED();
    }
}

}  // namespace
