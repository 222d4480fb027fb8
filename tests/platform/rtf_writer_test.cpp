// The RTF writer: what the bytes hold, and that our reader gives the document back unchanged.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <functional>

using platform::readRtfDocument;
using platform::writeRtf;
using platform::writeRtfRange;

namespace {

QString paragraphs(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) out << b.text();
    return out.join(QLatin1Char('|'));
}

QTextCharFormat fmt(std::function<void(QTextCharFormat&)> f) {
    QTextCharFormat c;
    f(c);
    return c;
}

// A document with every format the writer knows.
void buildRichDocument(QTextDocument& doc) {
    QTextCursor c(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText("Title ", fmt([](auto& f) { f.setFontWeight(QFont::Bold); f.setFontPointSize(16); }));
    c.insertText("caf\u00e9 \u00a7 \u20ac \u0105 {braces} \\ back", QTextCharFormat());
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setLeftMargin(48);
    right.setRightMargin(24);
    right.setTextIndent(-24);
    c.insertBlock(right);
    c.insertText("italic", fmt([](auto& f) { f.setFontItalic(true); }));
    c.insertText(" under", fmt([](auto& f) { f.setFontUnderline(true); }));
    c.insertText(" struck", fmt([](auto& f) { f.setFontStrikeOut(true); }));
    c.insertText(" red", fmt([](auto& f) { f.setForeground(QColor(255, 0, 0)); }));
    c.insertText(" mono", fmt([](auto& f) { f.setFontFamilies({"Courier New"}); f.setFontPointSize(9.5); }));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QString("tab\there") + QChar(0x2028) + "line " + QString::fromUcs4(U"\U0001F600"));
    c.insertBlock(QTextBlockFormat());  // an empty paragraph
    c.insertBlock(QTextBlockFormat());
    c.insertText(QString(300, QLatin1Char('x')) + " " + QString(50, QLatin1Char('y')));
}

TEST(RtfWriter, SaveLoadSaveGivesIdenticalBytes) {
    QTextDocument doc;
    doc.setDefaultFont(QFont("Arial", 10));
    buildRichDocument(doc);
    const QByteArray first = writeRtf(doc);
    QTextDocument again;
    readRtfDocument(first, again);
    EXPECT_EQ(paragraphs(again).toStdString(), paragraphs(doc).toStdString());
    const QByteArray second = writeRtf(again);
    EXPECT_EQ(second.toStdString(), first.toStdString());
}

TEST(RtfWriter, OutputIsShortLinesOfAscii) {
    QTextDocument doc;
    buildRichDocument(doc);
    const QByteArray rtf = writeRtf(doc);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    for (char ch : rtf) ASSERT_TRUE((unsigned char)ch < 128) << int((unsigned char)ch);
    for (const QByteArray& line : rtf.split('\n')) EXPECT_LE(line.size(), 230) << line.toStdString();
    EXPECT_TRUE(rtf.contains("caf\\'e9 \\'a7 \\'80 \\u261\\'3f"));
    EXPECT_TRUE(rtf.contains("\\{braces\\} \\\\ back"));
    EXPECT_TRUE(rtf.contains("\\u-10179\\'3f\\u-8704\\'3f"));
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.contains("\\f1\\fnil\\fcharset0 Courier New;"));
    EXPECT_TRUE(rtf.contains("\\fs19"));
    EXPECT_TRUE(rtf.contains("\\pard\\qr\\li720\\ri360\\fi-360"));
}

TEST(RtfWriter, FormatsSurviveTheRoundTrip) {
    QTextDocument doc;
    buildRichDocument(doc);
    QTextDocument back;
    readRtfDocument(writeRtf(doc), back);
    auto at = [&](const QString& needle) {
        QTextCursor f = back.find(needle, 0, QTextDocument::FindCaseSensitively);
        EXPECT_FALSE(f.isNull()) << needle.toStdString();
        QTextCursor c(&back);
        c.setPosition(f.selectionStart() + 1);
        return std::make_pair(c.charFormat(), c.blockFormat());
    };
    EXPECT_GE(at("Title").first.fontWeight(), QFont::DemiBold);
    EXPECT_EQ(at("Title").first.fontPointSize(), 16);
    EXPECT_EQ(at("Title").second.alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(at("italic").first.fontItalic());
    EXPECT_TRUE(at("under").first.fontUnderline());
    EXPECT_TRUE(at("struck").first.fontStrikeOut());
    EXPECT_EQ(at("red").first.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(at("mono").first.property(QTextFormat::FontFamilies).toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(at("mono").first.fontPointSize(), 9.5);
    const QTextBlockFormat r = at("italic").second;
    EXPECT_EQ(r.alignment(), Qt::AlignRight);
    EXPECT_EQ(r.leftMargin(), 48);
    EXPECT_EQ(r.rightMargin(), 24);
    EXPECT_EQ(r.textIndent(), -24);
}

TEST(RtfWriter, TabStopsSurviveTheRoundTrip) {
    const QByteArray rtf = "{\\rtf1 \\pard\\li4000\\fi-4000\\tx2800\\tqr\\tx4000 a\\tab b\\tab c\\par "
                           "\\pard\\li720\\fi-360\\tx720 1.\\tab item\\par}";
    QTextDocument doc;
    readRtfDocument(rtf, doc);
    const QByteArray written = writeRtf(doc);
    EXPECT_TRUE(written.contains("\\tx2800\\tqr\\tx4000")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\li720\\fi-360\\tx720")) << written.toStdString();
    QTextDocument back;
    readRtfDocument(written, back);
    EXPECT_EQ(back.firstBlock().blockFormat().tabPositions(), doc.firstBlock().blockFormat().tabPositions());
    EXPECT_EQ(writeRtf(back), written);
}

struct RoundTripCase {
    const char* name;
    QString text;  // paragraphs separated by '\n'
};

class RtfWriterRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RtfWriterRoundTrip, ParagraphsComeBackAsTheyWere) {
    QTextDocument doc;
    doc.setPlainText(GetParam().text);
    const QByteArray rtf = writeRtf(doc);
    QTextDocument back;
    readRtfDocument(rtf, back);
    EXPECT_EQ(paragraphs(back).toStdString(), paragraphs(doc).toStdString()) << rtf.toStdString();
    EXPECT_EQ(writeRtf(back).toStdString(), rtf.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfWriterRoundTrip,
    ::testing::Values(RoundTripCase{"Empty", ""}, RoundTripCase{"OneLine", "abc"},
                      RoundTripCase{"TrailingEmptyParagraph", "abc\n"},
                      RoundTripCase{"OnlyEmptyParagraphs", "\n\n"},
                      RoundTripCase{"LeadingBlanks", "  two blanks\n\tand a tab"},
                      RoundTripCase{"DigitsAfterControls", "1\n-2\n 3"},
                      RoundTripCase{"EveryCp1252Byte",
                                    QString::fromUtf16(u"\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u017d\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178\u00a0\u00ff\u0081")},
                      RoundTripCase{"OutsideCp1252", QString::fromUtf16(u"\u0410\u03a9\u4e2d\uffff")},
                      RoundTripCase{"LongWordsBreakLines", QString(1000, QLatin1Char('w'))}),
    [](const ::testing::TestParamInfo<RoundTripCase>& i) { return std::string(i.param.name); });

struct RangeCase {
    const char* name;
    int from, to;
    const char* inserted;  // what the range gives when inserted into an empty document
};

class RtfWriterRange : public ::testing::TestWithParam<RangeCase> {};

// "one" 0-2, break 3, "two" 4-6, break 7, "three" 8-12
TEST_P(RtfWriterRange, WritesExactlyTheSelectedCharactersAndBreaks) {
    QTextDocument doc;
    doc.setPlainText("one\ntwo\nthree");
    const QByteArray rtf = writeRtfRange(doc, GetParam().from, GetParam().to);
    QTextDocument target;
    QTextCursor c(&target);
    platform::insertRtf(rtf, c);
    EXPECT_EQ(paragraphs(target).toStdString(), GetParam().inserted) << rtf.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfWriterRange,
    ::testing::Values(RangeCase{"InsideOneParagraph", 1, 3, "ne"},
                      RangeCase{"UpToTheBreak", 0, 3, "one"},
                      RangeCase{"IncludingTheBreak", 0, 4, "one|"},
                      RangeCase{"AcrossParagraphs", 2, 6, "e|tw"},
                      RangeCase{"Everything", 0, 13, "one|two|three"},
                      RangeCase{"Empty", 5, 5, ""},
                      RangeCase{"BeyondTheEndIsClamped", 10, 99, "ree"}),
    [](const ::testing::TestParamInfo<RangeCase>& i) { return std::string(i.param.name); });

TEST(RtfWriter, TextWithoutOwnFontUsesTheGivenDefaults) {
    QTextDocument doc;
    doc.setPlainText("x");
    const QByteArray rtf = writeRtf(doc, platform::RtfDefaults{"MS Sans Serif", 8.25});
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 MS Sans Serif;}"));
    EXPECT_TRUE(rtf.contains("\\fs17"));
}

}  // namespace
