// The program's saved copy of each document a word processor wrote (tests/fixtures/rtf/cases)
// opens in LibreOffice with its text and formats: LibreOffice converts all the copies to HTML
// without a window, and each case looks for its text and formats there. pandoc
// reads the same copies to the same text. Skipped where LibreOffice or pandoc is missing.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct InterchangeCase {
    const char* file;                  // in tests/fixtures/rtf/cases
    std::vector<const char*> formats;  // what LibreOffice's HTML of our copy must hold
    const char* text;                  // text pandoc finds in it, blanks made single
};

const InterchangeCase kCases[] = {
    {"codepage-japanese.rtf", {}, "これは アソ こ Latin"},
    {"codepage-mac.rtf", {}, "Äéö"},
    {"codepage-chinese-simplified.rtf", {}, "中文文档"},
    {"codepage-korean.rtf", {}, "한국어 갂"},
    {"codepage-thai.rtf", {}, "ภาษาไทย"},
    {"field-result-starred.rtf", {}, "See the site now. Page 3 of the policy."},
    {"hyperlink.rtf",
     {"<a href=\"https://www.hhs.gov/hipaa/?\"[^>]*>\\s*(<[^>]*>\\s*)*HHS\\s+site", "<a href=\"#top\"[^>]*>\\s*(<[^>]*>\\s*)*the\\s+top"},
     "Read the HHS site today. Back to the top"},
    {"superscript-subscript.rtf", {"mc\\s*(<[^>]*>\\s*)*<sup>\\s*(<[^>]*>\\s*)*2", "H\\s*(<[^>]*>\\s*)*<sub>\\s*(<[^>]*>\\s*)*2"},
     nullptr},
    {"highlight-shading.rtf",
     {"background: #ffff00[^>]*>\\s*(<[^>]*>\\s*)*marked", "background: #00ff00[^>]*>\\s*(<[^>]*>\\s*)*shaded",
      "background: #ff0000[^>]*>\\s*(<[^>]*>\\s*)*patterned"},
     "A marked word, shaded and patterned ones."},
    {"capitals.rtf",
     {"text-transform: uppercase[^>]*>\\s*(<[^>]*>\\s*)*Capitals", "font-variant: small-caps[^>]*>\\s*(<[^>]*>\\s*)*Small\\s+Caps"},
     "Capitals and Small Caps here."},
    {"stylesheet.rtf", {"<b>\\s*(<[^>]*>\\s*)*Security\\s+Policy", "<i>\\s*(<[^>]*>\\s*)*stress"},
     "Security Policy Body with stress here."},
    {"right-to-left.rtf", {"dir=\"rtl\"[^>]*>\\s*(<[^>]*>\\s*)*שלום"}, "שלום עליכם Left again"},
    {"table-cell-alignment.rtf", {}, "Name Middle Right Alone after"},
    {"table-first-cell-alignment.rtf", {}, "Code Name Total 164.308 Risk analysis 12 after"},
    {"nested-table-rows.rtf", {}, "Outer A Inner 1 Inner 2 Inner 3 Inner 4 Outer B after"},
    {"section-break.rtf",
     {"page-break-before: always[^>]*>\\s*(<[^>]*>\\s*)*Second\\s+section",
      "page-break-before: always[^>]*>\\s*(<[^>]*>\\s*)*Odd\\s+page"},
     "First section Second section Running on Odd page"},
    {"page-break.rtf", {"page-break-before: always[^>]*>\\s*(<[^>]*>\\s*)*Second\\s+page"}, "First page Second page Third page"},
    {"pictures.rtf", {"Logo:\\s*(<[^>]*>\\s*)*<img[^>]*>\\s*(<[^>]*>\\s*)*and\\s+photo\\s*(<[^>]*>\\s*)*<img"}, nullptr},
};

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QUORVANE_FIXTURE_DIR "/rtf/cases/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString baseName(const char* file) { return QString::fromLatin1(file).chopped(4); }

// HTML with its character references as the characters.
QString decoded(QString html) {
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(last, m.capturedStart() - last);
        const uint code = m.captured(2).toUInt(nullptr, m.captured(1).isEmpty() ? 10 : 16);
        out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        last = m.capturedEnd();
    }
    out += html.mid(last);
    out.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    out.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    out.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return out;
}

// Our saved copy of every case, in one folder. Each test runs in a process of its own, so each
// converts only its own copy.
class Converted {
public:
    Converted() {
        if (!dir_.isValid()) return;
        for (const InterchangeCase& c : kCases) {
            QTextDocument doc;
            platform::readRtfDocument(fixture(c.file), doc);
            QFile out(dir_.filePath(baseName(c.file) + QStringLiteral(".rtf")));
            if (out.open(QIODevice::WriteOnly)) out.write(platform::writeRtf(doc));
        }
    }
    const QTemporaryDir& dir() const { return dir_; }

    // LibreOffice's HTML of a copy.
    QString html(const char* file, QString* problem) {
        const QString input = dir_.filePath(baseName(file) + QStringLiteral(".rtf"));
        {
            const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
            QProcess lo;
            lo.setProcessChannelMode(QProcess::MergedChannels);
            lo.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + dir_.filePath(QStringLiteral("profile")),
                                          QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("html"),
                                          QStringLiteral("--outdir"), dir_.path(), input});
            if (!lo.waitForFinished(240000)) log_ = QStringLiteral("LibreOffice did not finish");
            else log_ = QString::fromLocal8Bit(lo.readAll());
        }
        QFile f(dir_.filePath(baseName(file) + QStringLiteral(".html")));
        if (!f.open(QIODevice::ReadOnly)) {
            *problem = log_;
            return {};
        }
        return decoded(QString::fromUtf8(f.readAll()));
    }

private:
    QTemporaryDir dir_;
    QString log_;
};

Converted& converted() {
    static Converted c;
    return c;
}

class OurCopy : public ::testing::TestWithParam<InterchangeCase> {};

TEST_P(OurCopy, OpensInLibreOfficeWithItsTextAndFormats) {
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QString problem;
    const QString html = converted().html(GetParam().file, &problem);
    ASSERT_FALSE(html.isEmpty()) << problem.toStdString();
    QString body = html.section(QStringLiteral("<body"), 1);
    QString text = body;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text = text.section(QLatin1Char('>'), 1).simplified();
    if (GetParam().text) EXPECT_EQ(text.toStdString(), std::string(GetParam().text));
    for (const char* f : GetParam().formats) {
        EXPECT_TRUE(body.contains(QRegularExpression(QString::fromUtf8(f), QRegularExpression::CaseInsensitiveOption)))
            << f << "\n" << body.toStdString();
    }
}

TEST_P(OurCopy, ReadsInPandocToItsText) {
    const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
    if (pandoc.isEmpty()) GTEST_SKIP() << "pandoc is not installed";
    if (!GetParam().text) GTEST_SKIP() << "no text to compare";
    QProcess p;
    p.start(pandoc, {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"), QStringLiteral("plain"),
                     QStringLiteral("--wrap=none"),
                     converted().dir().filePath(baseName(GetParam().file) + QStringLiteral(".rtf"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    // Plain text marks superscript ^so^ and subscript ~so~ or writes them as superscript and
    // subscript characters, and writes capitals as capitals.
    QString theirs =
        QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).simplified();
    theirs.remove(QLatin1Char('^'));
    theirs.remove(QLatin1Char('~'));
    EXPECT_EQ(theirs.toLower().toStdString(), QString::fromUtf8(GetParam().text).toLower().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, OurCopy, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<InterchangeCase>& i) {
                             std::string out;
                             bool up = true;
                             for (char ch : baseName(i.param.file).toStdString()) {
                                 if (ch == '-') {
                                     up = true;
                                     continue;
                                 }
                                 out += up ? char(std::toupper((unsigned char)ch)) : ch;
                                 up = false;
                             }
                             return out;
                         });

}  // namespace
