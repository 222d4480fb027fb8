// RTF files written by real word processors (tests/fixtures/rtf, made from sample.html by
// tools/make-rtf-fixtures.sh) read with their text and formats, and our own output read by
// another program gives the same text.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QUORVANE_FIXTURE_DIR "/rtf/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QStringList paragraphs(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

struct Found {
    QTextCharFormat chars;
    QTextBlockFormat block;
};

Found at(const QTextDocument& doc, const QString& needle) {
    const QTextCursor f = doc.find(needle, 0, QTextDocument::FindCaseSensitively);
    if (f.isNull()) {
        ADD_FAILURE() << "not found: " << needle.toStdString();
        return {};
    }
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(f.selectionStart() + 1);
    return {c.charFormat(), c.blockFormat()};
}

QString family(const QTextCharFormat& f) {
    return f.property(QTextFormat::FontFamilies).toStringList().value(0);
}

struct WordProcessorCase {
    const char* file;
    bool keepsColoursFontsAndAlignment;  // the pandoc document model has none of them
};

class RtfFixture : public ::testing::TestWithParam<WordProcessorCase> {};

TEST_P(RtfFixture, ReadsTextAndFormats) {
    QTextDocument doc;
    platform::readRtfDocument(fixture(GetParam().file), doc);
    const QStringList paras = paragraphs(doc);
    const QString bullet(QChar(0x2022));
    for (const QString& line :
         {QStringLiteral("Plain start, bold words, italic words and underlined words."),
          QStringLiteral("Colours: red text and blue text."), QStringLiteral("Centred paragraph"),
          QStringLiteral("Right paragraph"), QStringLiteral("Cell A1\tCell B1"),
          QStringLiteral("Cell A2\tCell B2"),
          QString::fromUtf8("Accents: caf\xc3\xa9, \xc3\xbc" "ber, ni\xc3\xb1o, \xc2\xa7 164.308.")}) {
        EXPECT_TRUE(paras.contains(line)) << line.toStdString() << "\n" << paras.join('\n').toStdString();
    }
    // The list items start with the bullet and a tab, however the writer spelled them.
    int bullets = 0;
    for (const QString& p : paras)
        if (p.startsWith(bullet + "\t") && p.contains(QLatin1String("bullet"))) ++bullets;
    EXPECT_EQ(bullets, 2);

    EXPECT_GE(at(doc, "bold words").chars.fontWeight(), QFont::DemiBold);
    EXPECT_LT(at(doc, "Plain").chars.fontWeight(), QFont::DemiBold);
    EXPECT_TRUE(at(doc, "italic words").chars.fontItalic());
    EXPECT_FALSE(at(doc, "bold words").chars.fontItalic());
    EXPECT_TRUE(at(doc, "underlined words").chars.fontUnderline());
    EXPECT_FALSE(at(doc, "italic words").chars.fontUnderline());

    if (GetParam().keepsColoursFontsAndAlignment) {
        EXPECT_EQ(at(doc, "red text").chars.foreground().color(), QColor(255, 0, 0));
        EXPECT_EQ(at(doc, "blue text").chars.foreground().color(), QColor(0, 0, 255));
        EXPECT_EQ(family(at(doc, "Plain").chars).toStdString(), "Liberation Serif");
        EXPECT_EQ(family(at(doc, "Second font").chars).toStdString(), "Liberation Mono");
        EXPECT_EQ(at(doc, "Centred").block.alignment(), Qt::AlignHCenter);
        EXPECT_EQ(at(doc, "Right paragraph").block.alignment(), Qt::AlignRight);
        EXPECT_EQ(at(doc, "Plain").block.alignment(), Qt::AlignLeft);
    }
}

TEST_P(RtfFixture, OurCopyIsStableAfterOneSave) {
    QTextDocument doc;
    platform::readRtfDocument(fixture(GetParam().file), doc);
    const QByteArray first = platform::writeRtf(doc);
    QTextDocument again;
    platform::readRtfDocument(first, again);
    EXPECT_EQ(paragraphs(again), paragraphs(doc));
    EXPECT_EQ(platform::writeRtf(again).toStdString(), first.toStdString());
}

INSTANTIATE_TEST_SUITE_P(WordProcessors, RtfFixture,
                         ::testing::Values(WordProcessorCase{"sample-libreoffice.rtf", true},
                                           WordProcessorCase{"sample-abiword.rtf", true},
                                           WordProcessorCase{"sample-pandoc.rtf", false}),
                         [](const ::testing::TestParamInfo<WordProcessorCase>& i) {
                             std::string n = i.param.file;
                             n = n.substr(7, n.size() - 11);  // "sample-" ... ".rtf"
                             return n;
                         });

QString normalised(QString s) {
    s.replace(QChar(0x2028), QLatin1Char(' '));
    return s.simplified();
}

TEST(RtfInterchange, PandocReadsOurOutputToTheSameText) {
    const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
    if (pandoc.isEmpty()) GTEST_SKIP() << "pandoc is not installed";
    QTextDocument doc;
    platform::readRtfDocument(fixture("sample-libreoffice.rtf"), doc);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    c.insertText(QString::fromUtf16(u"Outside the code page: \u0410\u03a9 \u2014 braces {} and \\ done"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile out(dir.filePath(QStringLiteral("ours.rtf")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(platform::writeRtf(doc));
    out.close();

    QProcess p;
    p.start(pandoc, {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"),
                     QStringLiteral("plain"), QStringLiteral("--wrap=none"), out.fileName()});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString theirs = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(normalised(theirs).toStdString(), normalised(paragraphs(doc).join('\n')).toStdString());
}

}  // namespace
