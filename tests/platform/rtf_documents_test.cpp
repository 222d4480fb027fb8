// Documents as word processors write them (tests/fixtures/rtf/cases, one small file per thing a
// word processor puts in a document): each is opened in a rich-text box on a shown window, its
// text and formats are what the word processor shows, and the box's saved copy reads back to
// the same document, byte for byte when saved again.
#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QTextBlock>
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
        DocumentCase{"nested-table.rtf", QStringLiteral("Outer A\tInner 1\tInner 2\tOuter B|after"), {}}),
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
