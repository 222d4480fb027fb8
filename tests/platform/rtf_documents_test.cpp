// Documents as word processors write them (tests/fixtures/rtf/cases, one small file per thing a
// word processor puts in a document): each is opened in a rich-text box on a shown window, its
// text and formats are what the word processor shows, and the box's saved copy reads back to
// the same document, byte for byte when saved again.
#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QImage>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QUrl>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>

using namespace platform;

namespace {

class Host : public Form {
public:
    Host() : Form(QStringLiteral("Host")), Box(*this, *this, QStringLiteral("RText1"), 0) {}
    RichTextBox Box;
};

// The paragraphs joined with "|".
QString paragraphs(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) out << b.text();
    return out.join(QLatin1Char('|'));
}

// The character format of the first character of needle, and its paragraph's format.
struct At {
    QTextCharFormat chars;
    QTextBlockFormat block;
};
At at(const QTextDocument& doc, const QString& needle) {
    const QTextCursor f = doc.find(needle, 0, QTextDocument::FindCaseSensitively);
    if (f.isNull()) {
        ADD_FAILURE() << "not found: " << needle.toStdString();
        return {};
    }
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(f.selectionStart() + 1);
    return {c.charFormat(), c.blockFormat()};
}

QString family(const QTextCharFormat& f) { return f.property(QTextFormat::FontFamilies).toStringList().value(0); }

// The pictures of the document in order, with what they show.
struct Shown {
    QTextImageFormat format;
    QImage image;
};
std::vector<Shown> pictures(const QTextDocument& doc) {
    std::vector<Shown> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                out.push_back({f, QImage::fromData(doc.resource(QTextDocument::ImageResource, QUrl(f.name())).toByteArray())});
            }
    return out;
}

const QString Object(QChar(QChar::ObjectReplacementCharacter));

struct DocumentCase {
    const char* file;  // in tests/fixtures/rtf/cases
    QString text;      // paragraphs joined with "|"
    std::function<void(const QTextDocument&)> formats;  // what else the document shows
};

class WordProcessorDocument : public testsupport::PlatformTest,
                              public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(WordProcessorDocument, IsShownAsWrittenAndItsSavedCopyReadsBackTheSame) {
    const DocumentCase& c = GetParam();
    folder->write(QStringLiteral("Doc.Fil"), testsupport::readFixture(QStringLiteral("rtf/cases/") + QLatin1String(c.file)));
    Host shown;
    shown.show();
    ASSERT_EQ(shown.Box.loadFile(QStringLiteral("Doc.Fil")), ReadStatus::Ok);
    EXPECT_EQ(shown.Box.lastRead().undecodableCodePage, 0);
    EXPECT_EQ(shown.Box.lastRead().notKept, 0u);
    const QTextDocument& doc = *shown.Box.document();
    EXPECT_EQ(paragraphs(doc).toStdString(), c.text.toStdString());
    if (c.formats) c.formats(doc);

    ASSERT_TRUE(shown.Box.saveFile(QStringLiteral("Saved.Fil")));
    const QByteArray saved = folder->read(QStringLiteral("Saved.Fil"));
    Host again;
    ASSERT_EQ(again.Box.loadFile(QStringLiteral("Saved.Fil")), ReadStatus::Ok);
    EXPECT_EQ(paragraphs(*again.Box.document()).toStdString(), c.text.toStdString());
    if (c.formats) c.formats(*again.Box.document());
    EXPECT_EQ(again.Box.rtfBytes().toStdString(), saved.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordProcessorDocument,
    ::testing::Values(
        DocumentCase{"codepage-japanese.rtf", QString::fromUtf8("これは アソ|こ Latin"),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(family(at(d, QString::fromUtf8("これは")).chars), QString::fromUtf8("ＭＳ ゴシック"));
                         EXPECT_EQ(family(at(d, QStringLiteral("Latin")).chars), QStringLiteral("Times New Roman"));
                     }},
        DocumentCase{"codepage-mac.rtf", QString::fromUtf8("Äéö"), {}},
        DocumentCase{"codepage-chinese-simplified.rtf", QString::fromUtf8("中文文档"), {}},
        DocumentCase{"codepage-chinese-traditional.rtf", QString::fromUtf8("café 中文"), {}},
        DocumentCase{"codepage-korean.rtf", QString::fromUtf8("한국어 갂"), {}},
        DocumentCase{"codepage-thai.rtf", QString::fromUtf8("ภาษาไทย"), {}},
        DocumentCase{"codepage-pc.rtf", QString::fromUtf8("über Straße"), {}},
        DocumentCase{"codepage-pca.rtf", QString::fromUtf8("ø ð"), {}},
        DocumentCase{"field-result-starred.rtf", QStringLiteral("See the site now.|Page 3 of the policy."), {}},
        DocumentCase{"nested-table.rtf", QStringLiteral("Outer A\tInner 1\tInner 2\tOuter B|after"), {}},
        DocumentCase{"hyperlink.rtf", QStringLiteral("Read the HHS site today.|Back to the top"),
                     [](const QTextDocument& d) {
                         const QTextCharFormat link = at(d, QStringLiteral("HHS site")).chars;
                         EXPECT_TRUE(link.isAnchor());
                         EXPECT_EQ(link.anchorHref(), QStringLiteral("https://www.hhs.gov/hipaa"));
                         EXPECT_TRUE(link.fontUnderline());
                         EXPECT_EQ(link.foreground().color(), QColor(0, 0, 255));
                         EXPECT_FALSE(at(d, QStringLiteral("today")).chars.isAnchor());
                         EXPECT_FALSE(at(d, QStringLiteral("Read")).chars.isAnchor());
                         EXPECT_EQ(at(d, QStringLiteral("the top")).chars.anchorHref(), QStringLiteral("#top"));
                     }},
        DocumentCase{"superscript-subscript.rtf", QStringLiteral("E = mc2, H2O, xn and yk."),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(at(d, QStringLiteral("2,")).chars.verticalAlignment(), QTextCharFormat::AlignSuperScript);
                         EXPECT_EQ(at(d, QStringLiteral("2O")).chars.verticalAlignment(), QTextCharFormat::AlignSubScript);
                         EXPECT_EQ(at(d, QStringLiteral("n and")).chars.verticalAlignment(), QTextCharFormat::AlignSuperScript);
                         EXPECT_EQ(at(d, QStringLiteral("k.")).chars.verticalAlignment(), QTextCharFormat::AlignSubScript);
                         EXPECT_EQ(at(d, QStringLiteral("mc")).chars.verticalAlignment(), QTextCharFormat::AlignNormal);
                     }},
        DocumentCase{"highlight-shading.rtf", QStringLiteral("A marked word, shaded and patterned ones."),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(at(d, QStringLiteral("marked")).chars.background().color(), QColor(255, 255, 0));
                         EXPECT_EQ(at(d, QStringLiteral("shaded")).chars.background().color(), QColor(0, 255, 0));
                         EXPECT_EQ(at(d, QStringLiteral("patterned")).chars.background().color(), QColor(255, 0, 0));
                         EXPECT_EQ(at(d, QStringLiteral("word")).chars.background().style(), Qt::NoBrush);
                     }},
        DocumentCase{"capitals.rtf", QStringLiteral("Capitals and Small Caps here."),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(at(d, QStringLiteral("Capitals")).chars.fontCapitalization(), QFont::AllUppercase);
                         EXPECT_EQ(at(d, QStringLiteral("Small")).chars.fontCapitalization(), QFont::SmallCaps);
                         EXPECT_EQ(at(d, QStringLiteral("here")).chars.fontCapitalization(), QFont::MixedCase);
                     }},
        DocumentCase{"stylesheet.rtf", QStringLiteral("Security Policy|Body with stress here."),
                     [](const QTextDocument& d) {
                         const At heading = at(d, QStringLiteral("Security"));
                         EXPECT_GE(heading.chars.fontWeight(), QFont::DemiBold);
                         EXPECT_EQ(heading.chars.fontPointSize(), 16);
                         EXPECT_EQ(family(heading.chars), QStringLiteral("Arial"));
                         EXPECT_EQ(heading.block.topMargin(), 16);
                         EXPECT_EQ(heading.block.bottomMargin(), 4);
                         const At body = at(d, QStringLiteral("Body"));
                         EXPECT_LT(body.chars.fontWeight(), QFont::DemiBold);
                         EXPECT_EQ(body.chars.fontPointSize(), 12);
                         EXPECT_EQ(family(body.chars), QStringLiteral("Times New Roman"));
                         EXPECT_TRUE(at(d, QStringLiteral("stress")).chars.fontItalic());
                         EXPECT_EQ(at(d, QStringLiteral("stress")).chars.foreground().color(), QColor(255, 0, 0));
                         EXPECT_FALSE(at(d, QStringLiteral("here")).chars.fontItalic());
                     }},
        DocumentCase{"right-to-left.rtf", QString::fromUtf8("שלום עליכם|Left again"),
                     [](const QTextDocument& d) {
                         const QTextBlockFormat rtl = at(d, QString::fromUtf8("שלום")).block;
                         EXPECT_EQ(rtl.layoutDirection(), Qt::RightToLeft);
                         EXPECT_TRUE(rtl.alignment() & Qt::AlignRight);
                         EXPECT_NE(at(d, QStringLiteral("Left")).block.layoutDirection(), Qt::RightToLeft);
                     }},
        DocumentCase{"table-cell-alignment.rtf", QStringLiteral("Name\tMiddle\tRight|Alone|after"),
                     [](const QTextDocument& d) {
                         // Middle stands centred in its cell (2000-5000 twips), Right against its
                         // cell's right edge less the gap (8000 - 108): 15 twips a pixel.
                         const QList<QTextOption::Tab> tabs = at(d, QStringLiteral("Name")).block.tabPositions();
                         ASSERT_EQ(tabs.size(), 2);
                         EXPECT_EQ(tabs[0].type, QTextOption::CenterTab);
                         EXPECT_DOUBLE_EQ(tabs[0].position, 3500 / 15.0);
                         EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
                         EXPECT_DOUBLE_EQ(tabs[1].position, 7892 / 15.0);
                         EXPECT_EQ(at(d, QStringLiteral("Alone")).block.alignment(), Qt::AlignHCenter);
                         EXPECT_EQ(at(d, QStringLiteral("after")).block.alignment(), Qt::AlignLeft);
                     }},
        DocumentCase{"table-first-cell-alignment.rtf",
                     QStringLiteral("\tCode\tName\tTotal|\t164.308\tRisk analysis\t12|after"),
                     [](const QTextDocument& d) {
                         // The first cell's text after a tab of its own: centred in 0-2000 twips,
                         // or against 2000 less the gap; 15 twips a pixel.
                         using T = QTextOption;
                         const auto stops = [&](const char* needle) {
                             QStringList out;
                             for (const T::Tab& t : at(d, QLatin1String(needle)).block.tabPositions())
                                 out << QStringLiteral("%1@%2").arg(int(t.type)).arg(t.position * 15);
                             return out.join(QLatin1Char(' ')).toStdString();
                         };
                         EXPECT_EQ(stops("Code"), QStringLiteral("%1@1000 %2@2108 %3@7892")
                                                      .arg(int(T::CenterTab)).arg(int(T::LeftTab)).arg(int(T::RightTab))
                                                      .toStdString());
                         EXPECT_EQ(stops("164.308"), QStringLiteral("%1@1892 %2@2108 %3@6500")
                                                         .arg(int(T::RightTab)).arg(int(T::LeftTab)).arg(int(T::CenterTab))
                                                         .toStdString());
                         EXPECT_EQ(at(d, QStringLiteral("Code")).block.alignment(), Qt::AlignLeft);
                     }},
        DocumentCase{"nested-table-rows.rtf",
                     QStringLiteral("Outer A|Inner 1\tInner 2\tInner 3\tInner 4\tOuter B|after"),
                     [](const QTextDocument& d) {
                         // The outer row's second cell, right-aligned, keeps its stop.
                         const QList<QTextOption::Tab> tabs = at(d, QStringLiteral("Inner 1")).block.tabPositions();
                         ASSERT_EQ(tabs.size(), 1);
                         EXPECT_EQ(tabs[0].type, QTextOption::RightTab);
                         EXPECT_DOUBLE_EQ(tabs[0].position, 7892 / 15.0);
                     }},
        DocumentCase{"section-break.rtf", QStringLiteral("First section|Second section|Running on|Odd page"),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(at(d, QStringLiteral("First")).block.pageBreakPolicy(), QTextFormat::PageBreak_Auto);
                         EXPECT_EQ(at(d, QStringLiteral("Second")).block.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
                         EXPECT_EQ(at(d, QStringLiteral("Running")).block.pageBreakPolicy(), QTextFormat::PageBreak_Auto);
                         EXPECT_EQ(at(d, QStringLiteral("Odd")).block.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
                     }},
        DocumentCase{"page-break.rtf", QStringLiteral("First page|Second page|Third page"),
                     [](const QTextDocument& d) {
                         EXPECT_EQ(at(d, QStringLiteral("First")).block.pageBreakPolicy(), QTextFormat::PageBreak_Auto);
                         EXPECT_EQ(at(d, QStringLiteral("Second")).block.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
                         EXPECT_EQ(at(d, QStringLiteral("Third")).block.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
                     }},
        DocumentCase{"pictures.rtf", QStringLiteral("Logo: ") + Object + QStringLiteral(" and photo ") + Object + ".",
                     [](const QTextDocument& d) {
                         // The PNG at 600 by 300 twips, the JPEG at half of 1200 by 1200.
                         const std::vector<Shown> shown = pictures(d);
                         ASSERT_EQ(shown.size(), 2u);
                         EXPECT_EQ(shown[0].image.size(), QSize(4, 2));
                         EXPECT_EQ(shown[0].image.pixelColor(0, 0), QColor(255, 0, 0));
                         EXPECT_DOUBLE_EQ(shown[0].format.width(), 40);
                         EXPECT_DOUBLE_EQ(shown[0].format.height(), 20);
                         EXPECT_EQ(shown[1].image.size(), QSize(8, 8));
                         EXPECT_DOUBLE_EQ(shown[1].format.width(), 40);
                         EXPECT_DOUBLE_EQ(shown[1].format.height(), 40);
                     }}),
    [](const ::testing::TestParamInfo<DocumentCase>& i) {
        std::string n = i.param.file;
        n = n.substr(0, n.size() - 4);
        std::string out;
        bool up = true;
        for (char ch : n) {
            if (ch == '-') { up = true; continue; }
            out += up ? char(std::toupper((unsigned char)ch)) : ch;
            up = false;
        }
        return out;
    });

// A code page that Qt cannot decode is reported, and its bytes are still read as something.
struct CodePageCase {
    const char* name;
    QByteArray rtf;
    int undecodable;
};

class UndecodableCodePage : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(UndecodableCodePage, IsReported) {
    QTextDocument doc;
    RtfReadReport report;
    readRtfDocument(GetParam().rtf, doc, &report);
    EXPECT_EQ(report.undecodableCodePage, GetParam().undecodable);
    EXPECT_TRUE(doc.toPlainText().startsWith(QLatin1String("A"))) << doc.toPlainText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndecodableCodePage,
    ::testing::Values(
        CodePageCase{"Johab", "{\\rtf1\\ansi\\ansicpg1361 A \\'88\\'61\\par}", 1361},
        CodePageCase{"JohabFontCharset", "{\\rtf1{\\fonttbl{\\f0\\fcharset130 Batang;}}\\f0 A \\'88\\'61}", 1361},
        CodePageCase{"MacJapaneseFont", "{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset78 Osaka;}}\\f0 A \\'82\\'a0}", 10001},
        CodePageCase{"UnknownNumber", "{\\rtf1\\ansi\\ansicpg4242 A \\'e9}", 4242},
        // Only bytes that need the code page count: plain ASCII in it reads as it is.
        CodePageCase{"AsciiOnlyIsRead", "{\\rtf1\\ansi\\ansicpg1361 A plain}", 0},
        CodePageCase{"UnicodeFallbackIsNotRead", "{\\rtf1\\ansi\\ansicpg1361 A \\uc2\\u44032\\'88\\'61}", 0}),
    [](const ::testing::TestParamInfo<CodePageCase>& i) { return std::string(i.param.name); });

}  // namespace
