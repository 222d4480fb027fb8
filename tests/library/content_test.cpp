// The shipped content documents: every one the program opens exists as rich text, the rule
// documents quote the published text word for word (and say so where they do not), and the
// help file has a topic for every context id the program asks for.
//
// Quoted text is set in font 0 of the documents, the program's own words in font 1; the
// tests read each paragraph's font and text by stripping the control words.
#include "platform/Files.h"
#include "platform/HelpFile.h"
#include "platform/RtfReader.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <algorithm>
#include <QRegularExpression>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray readContent(const QString& name) {
    QFile f(QStringLiteral(QUORVANE_CONTENT_DIR) + QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QString readReference(const char* name) {
    QFile f(QStringLiteral(QUORVANE_TEST_DATA_DIR) + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString squeeze(const QString& s) { return s.simplified(); }

// A paragraph set in tab columns keeps its tabs, one between columns; blanks are squeezed
// within each column.
QString squeezeColumns(const QString& s) {
    QStringList columns = s.split(QLatin1Char('\t'));
    for (QString& c : columns) c = squeeze(c);
    while (!columns.isEmpty() && columns.front().isEmpty()) columns.removeFirst();
    return columns.join(QLatin1Char('\t'));
}

struct Paragraph {
    int font = -1;
    QString text;
};

// Strips an RTF paragraph down to its text: escapes decoded, control words and braces gone.
QString rtfText(const QByteArray& chunk) {
    QString out;
    for (qsizetype i = 0; i < chunk.size(); ++i) {
        const char c = chunk[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
        if (c != '\\') {
            out += QChar::fromLatin1(c);
            continue;
        }
        if (i + 1 >= chunk.size()) break;
        const char n = chunk[i + 1];
        if (n == '\\' || n == '{' || n == '}') {
            out += QChar::fromLatin1(n);
            ++i;
        } else if (n == '\'') {
            out += platform::fromCp1252(QByteArray::fromHex(chunk.mid(i + 2, 2)));
            i += 3;
        } else {
            qsizetype j = i + 1;
            while (j < chunk.size() && std::isalpha(static_cast<unsigned char>(chunk[j]))) ++j;
            const QByteArray word = chunk.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < chunk.size() && (chunk[k] == '-' || std::isdigit(static_cast<unsigned char>(chunk[k])))) ++k;
            while (k < chunk.size() && std::isdigit(static_cast<unsigned char>(chunk[k]))) ++k;
            const QByteArray number = chunk.mid(j, k - j);
            if (k < chunk.size() && chunk[k] == ' ') ++k;
            if (word == "line") out += QLatin1Char(' ');
            if (word == "tab") out += QLatin1Char('\t');
            if (word == "u") {
                int code = number.toInt();
                if (code < 0) code += 65536;
                out += QChar(code);
                if (k < chunk.size() && chunk[k] == '?') ++k;
            }
            i = k - 1;
        }
    }
    return squeezeColumns(out);
}

std::vector<Paragraph> paragraphs(const QByteArray& rtf) {
    std::vector<Paragraph> out;
    qsizetype pos = rtf.indexOf("\\pard");
    while (pos >= 0) {
        const qsizetype next = rtf.indexOf("\\pard", pos + 5);
        const QByteArray chunk = rtf.mid(pos, next < 0 ? -1 : next - pos);
        static const QRegularExpression fontRe(QStringLiteral("\\\\f(\\d+)"));
        const auto m = fontRe.match(QString::fromLatin1(chunk));
        Paragraph p;
        p.font = m.hasMatch() ? m.captured(1).toInt() : -1;
        p.text = rtfText(chunk);
        if (!p.text.isEmpty()) out.push_back(p);
        pos = next;
    }
    return out;
}

std::vector<QString> quoted(const QByteArray& rtf) {
    std::vector<QString> out;
    for (const Paragraph& p : paragraphs(rtf))
        if (p.font == 0) out.push_back(p.text);
    return out;
}

QString allText(const QByteArray& rtf) {
    QString s;
    for (const Paragraph& p : paragraphs(rtf)) s += p.text + QLatin1Char('\n');
    return s;
}

// A paragraph the source breaks off ends with an ellipsis; what comes before must be there.
QString withoutCutMark(QString s) {
    if (s.endsWith(QStringLiteral(" \u2026"))) s.chop(2);
    return s;
}

// The references in the rule that are shipped as documents.
QStringList referenceDocuments() {
    return {"RefRA1.Dat", "RefRM1.Dat", "RefSC1.Dat", "RefTM1.Dat", "RefAA1.Dat",
            "RefAE1.Dat", "RefEV1.Dat", "RefFS1.Dat", "RefWU1.Dat", "RefEnc1.Dat",
            "OrgReq1.Dat", "OrgRef2.Dat", "PPReq1.Dat"};
}

QStringList contentNames() {
    QStringList names;
    for (int n = 0; n <= 63; ++n) names << QStringLiteral("Misc%1.Hlp").arg(n);
    for (int n = 0; n <= 24; ++n) names << QStringLiteral("PR%1.Hlp").arg(n);
    names << "SampleAct.Dat" << "SampleCom.Dat" << "SamplePol.Dat";
    names << referenceDocuments() << "Addtl45.dat";
    return names;
}

QString firstLine(const QByteArray& rtf) {
    QTextDocument doc;
    platform::readRtfDocument(rtf, doc);
    return doc.firstBlock().text().simplified();
}

}  // namespace

// ---- every document --------------------------------------------------------------------------

TEST(ContentDocuments, EachIsWindows1252RichTextWithBalancedGroupsAndATitle) {
    for (const QString& name : contentNames()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray rtf = readContent(name);
        ASSERT_FALSE(rtf.isEmpty());
        EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        int depth = 0;
        bool negative = false;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') { ++i; continue; }
            if (rtf[i] == '{') ++depth;
            if (rtf[i] == '}' && --depth < 0) negative = true;
            if (depth == 0 && i > 0 && i + 3 < rtf.size()) negative = true;  // text after the end
        }
        EXPECT_FALSE(negative);
        EXPECT_EQ(depth, 0);
        EXPECT_FALSE(firstLine(rtf).isEmpty());
    }
}

struct TitleCase {
    const char* file;
    const char* title;
};

class ContentTitles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ContentTitles, DocumentOpensWithItsTitle) {
    EXPECT_EQ(firstLine(readContent(GetParam().file)), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ContentTitles,
    ::testing::Values(TitleCase{"Misc0.Hlp", "Policy Insert Template Information"},
                      TitleCase{"Misc1.Hlp", "Program Information"},
                      TitleCase{"Misc2.Hlp", "Disclaimer"},
                      TitleCase{"Misc3.Hlp", "Addressable Safeguards"},
                      TitleCase{"Misc4.Hlp", "Security Rule and Privacy Rule Distinctions"},
                      TitleCase{"Misc5.Hlp", "The HIPAA Security Rule Timeline"},
                      TitleCase{"Misc6.Hlp", "Concepts of the Final Security Rule"},
                      TitleCase{"Misc8.Hlp", "Impact of not complying with the Security Final Rule"},
                      TitleCase{"Misc10.Hlp", "Risk Analysis Overview"},
                      TitleCase{"Misc11.Hlp", "Selected HIPAA Questions and Answers"},
                      TitleCase{"Misc12.Hlp", "Recommendations from NIST"},
                      TitleCase{"Misc13.Hlp", "Common Risk Analysis Mistakes"},
                      TitleCase{"Misc14.Hlp", "Risk Analysis - Policy and Procedure"},
                      TitleCase{"Misc28.Hlp", "Password Management - Policy and Procedure"},
                      TitleCase{"Misc55.Hlp", "Encryption - Policy and Procedure"},
                      TitleCase{"Misc56.Hlp", "Sample Incident Report"},
                      TitleCase{"Misc57.Hlp", "Risk Analysis Worksheet"},
                      TitleCase{"Misc60.Hlp", "Sample Disaster Recovery Plan"},
                      TitleCase{"Misc62.Hlp", "Requirements for Group Health Plans - Policy and Procedure"},
                      TitleCase{"Misc63.Hlp", "Documentation - Policy and Procedure"},
                      TitleCase{"PR0.Hlp", "The Entire Security Rule"},
                      TitleCase{"PR1.Hlp", "Summary"},
                      TitleCase{"PR6.Hlp", "B. Applicability (§ 164.302)"},
                      TitleCase{"PR15.Hlp", "K. Appendix"},
                      TitleCase{"PR24.Hlp", "Appendix A to Subpart C of Part 164—Security Standards: Matrix"},
                      TitleCase{"SamplePol.Dat", "Maple Street Family Practice"}),
    [](const auto& info) {
        std::string s = info.param.file;
        for (char& c : s)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return s;
    });

// The sample plan is edited in the Action Area's editor, which holds 3000 characters: it covers
// every part a recovery plan needs, in few words, and leaves room to fill in and add.
TEST(ContentDocuments, RecoveryPlanTemplateIsACompletePlanThatFitsTheEditor) {
    const QString text = allText(readContent("Misc60.Hlp"));
    for (const char* part : {"Purpose and scope", "Activating the plan", "Roles", "call list",
                             "Recovery order", "Restoring systems", "Working without the systems",
                             "Testing and review"})
        EXPECT_TRUE(text.contains(QLatin1String(part))) << part;
    EXPECT_GT(text.size(), 1500);
    EXPECT_LT(text.size(), 2500);
}

// ---- the rule documents ----------------------------------------------------------------------

class RuleDocument : public ::testing::TestWithParam<int> {};

TEST_P(RuleDocument, EveryQuotedParagraphStandsInThePublishedText) {
    const int n = GetParam();
    const QString preamble = squeeze(readReference("final-rule-2003-preamble.txt"));
    const QString rule = squeeze(readReference("security-rule-2003.txt"));
    ASSERT_FALSE(preamble.isEmpty());
    ASSERT_FALSE(rule.isEmpty());
    const QByteArray rtf = readContent(QStringLiteral("PR%1.Hlp").arg(n));
    for (const QString& q : quoted(rtf)) {
        // Each column of a line set in columns (the matrix) is quoted on its own.
        for (const QString& column : q.split(QLatin1Char('\t'), Qt::SkipEmptyParts)) {
            const QString body = withoutCutMark(column);
            const bool found = (n != 23 && n != 24 && preamble.contains(body)) ||
                               (n == 0 || n >= 23 ? rule.contains(body) : false);
            EXPECT_TRUE(found) << "PR" << n << ": " << q.toStdString();
        }
    }
}

TEST_P(RuleDocument, ShipsNoEditorialNotesOfTheReferenceFiles) {
    const QString text = allText(readContent(QStringLiteral("PR%1.Hlp").arg(GetParam())));
    EXPECT_FALSE(text.contains("NOT RECOVERED"));
    EXPECT_FALSE(text.contains("[...]"));
    EXPECT_FALSE(text.contains("[Note"));
    EXPECT_FALSE(text.contains("(sic)"));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\[P\\d+"))));
    EXPECT_FALSE(text.contains("[[Page"));
}

TEST_P(RuleDocument, ProgramNotesSayWhereTheFullTextIsPublished) {
    const int n = GetParam();
    const std::vector<Paragraph> ps = paragraphs(readContent(QStringLiteral("PR%1.Hlp").arg(n)));
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].font != 1 || ps[i].text != "Program note") continue;
        QString note;
        for (size_t j = i + 1; j < ps.size() && ps[j].font == 1 && ps[j].text != "Program note"; ++j)
            note += ps[j].text + ' ';
        const bool cited = note.contains("68 FR 8334") || note.contains("68 FR 8376");
        EXPECT_TRUE(cited) << "PR" << n << ": " << note.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(AllSections, RuleDocument, ::testing::Range(0, 25));

struct SectionCase {
    int n;
    const char* quotedStart;  // empty: the section has only a program note
};

class PreambleSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(PreambleSection, QuotesItsOwnPartOfThePreambleOrExplainsWhyNot) {
    const SectionCase c = GetParam();
    const QByteArray rtf = readContent(QStringLiteral("PR%1.Hlp").arg(c.n));
    const std::vector<QString> q = quoted(rtf);
    if (!*c.quotedStart) {
        EXPECT_TRUE(q.empty());
        const QString text = allText(rtf);
        EXPECT_TRUE(text.contains("Program note"));
        EXPECT_TRUE(text.contains("68 FR 8334, February 20, 2003"));
        return;
    }
    bool found = false;
    for (const QString& p : q) found = found || p.startsWith(QString::fromUtf8(c.quotedStart));
    EXPECT_TRUE(found) << c.quotedStart;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, PreambleSection,
    ::testing::Values(SectionCase{1, "SUMMARY: This final rule adopts standards"},
                      SectionCase{1, "B. Applicability (§ 164.302)"},
                      SectionCase{2, "The Department of Health and Human Services (HHS) Medicare"},
                      SectionCase{3, "On August 12, 1998, we published a proposed rule"},
                      SectionCase{4, "We received approximately 2,350 timely public comments"},
                      SectionCase{5, ""},
                      SectionCase{6, "Response: Section 164.302 below makes the security standards"},
                      SectionCase{7, "The proposed rule included definitions for a number of terms"},
                      SectionCase{8, "In the proposed rule, we proposed to cover all health information"},
                      SectionCase{9, "1. Security management process"},
                      SectionCase{10, ""},
                      SectionCase{11, "1. Access Control (§ 164.312(a)(1))"},
                      SectionCase{12, "1. Health Care Clearinghouses"},
                      SectionCase{13, "2. Comment: One commenter asked if standards will override"},
                      SectionCase{14, "In this final rule the dates by which entities must be in compliance"},
                      SectionCase{15, ""},
                      SectionCase{16, "b. Comment: One commenter asked how these regulations relate"},
                      SectionCase{17, ""},
                      SectionCase{18, "• Changed the CFR part from 142 to 164."},
                      SectionCase{19, "Under the Paperwork Reduction Act of 1995 (PRA)"},
                      SectionCase{20, "We have examined the impacts of this rule"},
                      SectionCase{21, ""},
                      SectionCase{22, "Disclosure means the release, transfer, provision of"}),
    [](const auto& info) {
        return "PR" + std::to_string(info.param.n) + "_" + std::to_string(info.index);
    });

// Where § 164.314 stops short, the program's note follows the last quoted paragraph at once and
// says which paragraphs are left out and where they are published, in Subpart C and in the
// entire rule alike.
TEST(RuleDocuments, Section164_314EndsWhereItStopsShortWithANoteOnWhatIsLeftOut) {
    struct Gap {
        const char* lastQuoted;
        const char* leftOut;
    };
    const Gap gaps[] = {{"(ii) Other arrangements.", "Paragraphs (a)(2)(ii)(A) through (C) of § 164.314"},
                        {"(b)(1) Standard: Requirements for group health plans.", "Paragraph (b)(2) of § 164.314"}};
    for (const char* name : {"PR23.Hlp", "PR0.Hlp"}) {
        const std::vector<Paragraph> ps = paragraphs(readContent(QString::fromLatin1(name)));
        for (const Gap& gap : gaps) {
            auto at = std::find_if(ps.begin(), ps.end(), [&](const Paragraph& p) {
                return p.font == 0 && p.text.startsWith(QString::fromUtf8(gap.lastQuoted));
            });
            ASSERT_NE(at, ps.end()) << name << ": " << gap.lastQuoted;
            ASSERT_TRUE(at + 2 < ps.end());
            EXPECT_EQ((at + 1)->text, QStringLiteral("Program note"));
            QString note;
            for (auto p = at + 2; p != ps.end() && p->font == 1 && p->text != QStringLiteral("Program note"); ++p)
                note += p->text + QLatin1Char(' ');
            EXPECT_TRUE(note.startsWith(QString::fromUtf8(gap.leftOut))) << note.toStdString();
            EXPECT_TRUE(note.contains(QStringLiteral("not reproduced in this program"))) << note.toStdString();
            EXPECT_TRUE(note.contains(QStringLiteral("§ 164.314 of the final rule, 68 FR 8334, February 20, 2003")))
                << note.toStdString();
        }
    }
}

TEST(RuleDocuments, SubpartCHoldsEveryRecoveredParagraphOfTheRuleInOrder) {
    const QStringList lines = readReference("security-rule-2003.txt").split('\n');
    std::vector<QString> expected;
    bool inSubpart = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QStringLiteral("§ 164.302"))) inSubpart = true;
        if (line.startsWith(QStringLiteral("Appendix A to Subpart C"))) break;
        if (!inSubpart || line.isEmpty() || line.startsWith("[NOT RECOVERED")) continue;
        expected.push_back(squeeze(line));
    }
    ASSERT_GT(expected.size(), 100u);
    std::vector<QString> shipped = quoted(readContent("PR23.Hlp"));
    // The document opens with the CFR headings above the subpart.
    const auto first = std::find(shipped.begin(), shipped.end(), expected.front());
    ASSERT_NE(first, shipped.end());
    EXPECT_EQ(std::vector<QString>(first, shipped.end()), expected);
}

TEST(RuleDocuments, SubpartCExplainsEachGapInsteadOfFillingIt) {
    const QString text = allText(readContent("PR23.Hlp"));
    EXPECT_EQ(text.count("Program note"), 3);
    EXPECT_TRUE(text.contains("The text of § 164.302 as adopted in 2003 is not reproduced here."));
    // The 2013 wording of the applicability section must not stand in for the 2003 one.
    EXPECT_FALSE(text.contains("A covered entity or business associate must comply"));
}

TEST(RuleDocuments, MatrixHasEveryRowOfAppendixA) {
    const QString text = allText(readContent("PR24.Hlp"));
    const QStringList lines = readReference("security-rule-2003.txt").split('\n');
    const qsizetype start = lines.indexOf(QRegularExpression(QStringLiteral("^Appendix A to Subpart C.*")));
    ASSERT_GE(start, 0);
    int cells = 0;
    for (qsizetype i = start; i < lines.size(); ++i) {
        // The reference file's own description of the table stands in parentheses.
        if (!lines[i].contains(" | ") || lines[i].startsWith('(')) continue;
        for (const QString& cell : lines[i].split('|')) {
            if (cell.trimmed().isEmpty()) continue;
            EXPECT_TRUE(text.contains(cell.trimmed())) << cell.toStdString();
            ++cells;
        }
    }
    EXPECT_GT(cells, 60);
}

// The matrix reads as a table in the viewer from the smallest window up: on every line each
// column starts at its own place (no text runs into the next column), and text that wraps goes
// on under the specifications column.
class MatrixAtWidth : public ::testing::TestWithParam<int> {};

TEST_P(MatrixAtWidth, EveryColumnStartsAtItsPlace) {
    QTextDocument doc;
    platform::readRtfDocument(readContent("PR24.Hlp"), doc);
    doc.setTextWidth(GetParam());
    doc.documentLayout()->documentSize();
    int columnLines = 0;
    double sectionsX = -1, specsX = -1;
    // After the title, which may wrap:
    for (QTextBlock b = doc.begin().next(); b.isValid(); b = b.next()) {
        const QList<QTextOption::Tab> stops = b.blockFormat().tabPositions();
        const QString t = b.text();
        if (stops.size() != 2) {
            // Headings and a long standard's name: one line each.
            if (!t.trimmed().isEmpty()) {
                EXPECT_EQ(b.layout()->lineCount(), 1) << t.toStdString();
            }
            continue;
        }
        ++columnLines;
        if (sectionsX < 0) {
            sectionsX = stops[0].position;
            specsX = stops[1].position;
        }
        const QTextLayout* layout = b.layout();
        const int firstTab = int(t.indexOf('\t'));
        const int secondTab = int(t.indexOf('\t', firstTab + 1));
        ASSERT_GT(secondTab, firstTab) << t.toStdString();
        EXPECT_EQ(layout->lineForTextPosition(firstTab).lineNumber(), 0) << t.toStdString();
        EXPECT_NEAR(layout->lineAt(0).cursorToX(firstTab + 1), sectionsX, 1.0) << t.toStdString();
        EXPECT_NEAR(layout->lineAt(0).cursorToX(secondTab + 1), specsX, 1.0) << t.toStdString();
        for (int i = 1; i < layout->lineCount(); ++i)
            EXPECT_NEAR(layout->lineAt(i).x(), specsX, 1.0) << t.toStdString();
    }
    EXPECT_GT(columnLines, 40);
}

// Pixels of text width: the viewer of the smallest window, a larger one, a printed page.
INSTANTIATE_TEST_SUITE_P(ViewerWidths, MatrixAtWidth, ::testing::Values(520, 900, 770));

TEST(RuleDocuments, EntireRuleIsAllSectionsInOrder) {
    std::vector<QString> sections;
    for (int n = 1; n <= 24; ++n)
        for (const QString& q : quoted(readContent(QStringLiteral("PR%1.Hlp").arg(n)))) sections.push_back(q);
    EXPECT_EQ(quoted(readContent("PR0.Hlp")), sections);
}

// ---- the help file ---------------------------------------------------------------------------

class HelpContext : public ::testing::TestWithParam<int> {};

TEST_P(HelpContext, ShippedHelpFileHasARealTopic) {
    testsupport::TempProgramFolder folder;
    folder.copyContent();
    const auto file = platform::HelpFile::load("QUORVANE.hlp");
    ASSERT_TRUE(file);
    const platform::HelpTopic* t = file->topic(GetParam());
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->title.isEmpty());
    int words = 0;
    for (const auto& p : t->paragraphs) words += int(p.text.split(' ', Qt::SkipEmptyParts).size());
    EXPECT_GE(words, 40);
}

INSTANTIATE_TEST_SUITE_P(ContextIds, HelpContext,
                         ::testing::Values(0, 1000, 1014, 2009, 3010, 3044, 3048, 3012, 3014, 3066, 5050));

// ---- the references in the rule and the additional information --------------------------------

// Whether every whole-word occurrence of words in the document is bold and underlined.
struct Marks {
    int found = 0;
    int marked = 0;
};

Marks marksOf(const QByteArray& rtf, const QString& words) {
    QTextDocument doc;
    platform::readRtfDocument(rtf, doc);
    Marks m;
    for (QTextCursor c = doc.find(words, 0, QTextDocument::FindWholeWords); !c.isNull();
         c = doc.find(words, c, QTextDocument::FindWholeWords)) {
        ++m.found;
        // The format of the last character of the occurrence, and of its first one.
        QTextCursor first(&doc);
        first.setPosition(c.selectionStart() + 1);
        const QTextCharFormat a = first.charFormat(), b = c.charFormat();
        if (a.fontWeight() >= QFont::Bold && a.fontUnderline() && b.fontWeight() >= QFont::Bold &&
            b.fontUnderline())
            ++m.marked;
    }
    return m;
}

struct ReferenceDocCase {
    const char* file;
    const char* markedName;  // empty: nothing is marked
    const char* quotedStart; // the first words it quotes
};

class ReferenceDocument : public ::testing::TestWithParam<ReferenceDocCase> {};

TEST_P(ReferenceDocument, QuotesThePreambleAndTheRuleWordForWord) {
    const QString preamble = squeeze(readReference("final-rule-2003-preamble.txt"));
    const QString rule = squeeze(readReference("security-rule-2003.txt"));
    const QByteArray rtf = readContent(QString::fromLatin1(GetParam().file));
    const std::vector<QString> q = quoted(rtf);
    ASSERT_FALSE(q.empty());
    EXPECT_TRUE(q.front().startsWith(QString::fromUtf8(GetParam().quotedStart))) << q.front().toStdString();
    for (const QString& p : q) {
        const QString body = withoutCutMark(p);
        EXPECT_TRUE(preamble.contains(body) || rule.contains(body)) << p.toStdString();
    }
    // It closes with the specification's paragraphs of the rule, the last one quoted whole.
    EXPECT_TRUE(rule.contains(q.back())) << q.back().toStdString();
}

TEST_P(ReferenceDocument, ProgramNotesSayWhereTheFullTextIsPublished) {
    const QByteArray rtf = readContent(QString::fromLatin1(GetParam().file));
    const std::vector<Paragraph> ps = paragraphs(rtf);
    int notes = 0;
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].font != 1 || ps[i].text != "Program note") continue;
        ++notes;
        QString note;
        for (size_t j = i + 1; j < ps.size() && ps[j].font == 1 && ps[j].text != "Program note"; ++j)
            note += ps[j].text + ' ';
        EXPECT_TRUE(note.contains("68 FR 8334")) << note.toStdString();
    }
    EXPECT_GE(notes, 1);
    const QString text = allText(rtf);
    EXPECT_TRUE(text.startsWith("References in Rule:"));
    for (const char* editorial : {"NOT RECOVERED", "[...]", "[Note", "(sic)", "[[Page"})
        EXPECT_FALSE(text.contains(QLatin1String(editorial))) << editorial;
}

TEST_P(ReferenceDocument, MarksTheSpecificationsNameWhereverItStands) {
    const ReferenceDocCase c = GetParam();
    const Marks m = marksOf(readContent(QString::fromLatin1(c.file)), QString::fromLatin1(c.markedName));
    if (!*c.markedName) {
        EXPECT_EQ(m.found, 0);
        return;
    }
    EXPECT_GE(m.found, 1);
    EXPECT_EQ(m.marked, m.found);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ReferenceDocument,
    ::testing::Values(ReferenceDocCase{"RefRA1.Dat", "Risk Analysis", "E. Administrative Safeguards"},
                      ReferenceDocCase{"RefRM1.Dat", "Risk Management", "E. Administrative Safeguards"},
                      ReferenceDocCase{"RefSC1.Dat", "Sanction Policy", "E. Administrative Safeguards"},
                      ReferenceDocCase{"RefTM1.Dat", "Termination Procedures", "3. Workforce Security"},
                      ReferenceDocCase{"RefAA1.Dat", "Access authorization", "4. Information Access Management"},
                      ReferenceDocCase{"RefAE1.Dat", "Access Establishment", "4. Information Access Management"},
                      ReferenceDocCase{"RefEV1.Dat", "Evaluation", "8. Evaluation"},
                      ReferenceDocCase{"RefFS1.Dat", "Facility security plan", "F. Physical Safeguards"},
                      ReferenceDocCase{"RefWU1.Dat", "Workstation use", "F. Physical Safeguards"},
                      ReferenceDocCase{"RefEnc1.Dat", "Encryption", "G. Technical Safeguards"},
                      ReferenceDocCase{"OrgReq1.Dat", "", "H. Organizational Requirements"},
                      ReferenceDocCase{"OrgRef2.Dat", "Business associate", "H. Organizational Requirements"},
                      ReferenceDocCase{"PPReq1.Dat", "Documentation", "I. Policies and Procedures"}),
    [](const auto& info) {
        std::string s = info.param.file;
        for (char& c : s)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return s;
    });

TEST(ContentDocuments, PoliciesGuidanceIsTheProgramsOwnAdviceWithItsNameMarked) {
    const QByteArray rtf = readContent("Addtl45.dat");
    EXPECT_TRUE(quoted(rtf).empty());  // advice, not the rule's words
    const QString text = allText(rtf);
    EXPECT_TRUE(text.startsWith("Additional Information:"));
    for (const char* topic : {"six years", "available", "Review the documentation", "auditor"})
        EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
    const Marks m = marksOf(rtf, QStringLiteral("Documentation"));
    EXPECT_GE(m.found, 2);
    EXPECT_EQ(m.marked, m.found);
}

// ---- what the program's notes may say ----------------------------------------------------------

namespace {

// Quotation marks and apostrophes evened out, white space squeezed.
QString plain(QString s) {
    s.replace(QChar(0x2019), QLatin1Char('\'')).replace(QChar(0x201C), QLatin1Char('"')).replace(QChar(0x201D), QLatin1Char('"'));
    return squeeze(s);
}

// The passages of 40 characters or more that the preamble file quotes only inside its
// bracketed notes (from "[" at the start of a line to "]" at the end of one): words that
// secondary sources give as the preamble's, which its README says are not text to ship.
QStringList noteOnlyQuotations() {
    const QStringList lines = readReference("final-rule-2003-preamble.txt").split(QLatin1Char('\n'));
    QString own;
    QStringList notes;  // one text per block of notes
    bool inNote = false;
    for (QString line : lines) {
        while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char(' '))) line.chop(1);
        if (!inNote && line.startsWith(QLatin1Char('['))) {
            inNote = true;
            notes << QString();
        }
        (inNote ? notes.last() : own) += line + QLatin1Char('\n');
        if (inNote && line.endsWith(QLatin1Char(']'))) inNote = false;
    }
    own = plain(own);
    QStringList out;
    for (const QString& block : notes) {
        // The quotation marks of a note pair up from its start.
        const QString text = plain(block);
        for (qsizetype open = text.indexOf(QLatin1Char('"')); open >= 0;) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
            if (close < 0) break;
            QString q = text.mid(open + 1, close - open - 1);
            while (q.endsWith(QLatin1Char('.')) || q.endsWith(QLatin1Char(','))) q.chop(1);
            if (q.size() >= 40 && !own.contains(q)) out << q;
            open = text.indexOf(QLatin1Char('"'), close + 1);
        }
    }
    return out;
}

// The program notes of a document: the paragraphs in the program's own face after a "Program
// note" heading, each split into its sentences.
QStringList noteSentences(const QByteArray& rtf) {
    QStringList out;
    const std::vector<Paragraph> ps = paragraphs(rtf);
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].font != 1 || ps[i].text != "Program note") continue;
        for (size_t j = i + 1; j < ps.size() && ps[j].font == 1 && ps[j].text != "Program note"; ++j)
            out << ps[j].text.split(QRegularExpression(QStringLiteral("(?<=\\.) ")), Qt::SkipEmptyParts);
    }
    return out;
}

}  // namespace

TEST(ContentDocuments, ShipNothingThatTheReferenceQuotesOnlyInItsNotes) {
    const QStringList passages = noteOnlyQuotations();
    // The two that secondary sources give as the preamble's words are among them.
    for (const char* start : {"form the foundation upon which an entity's necessary",
                              "The need for and extent of a screening process"})
        EXPECT_TRUE(std::any_of(passages.begin(), passages.end(),
                                [&](const QString& q) { return q.startsWith(QLatin1String(start)); }))
            << start;
    for (const QString& name : contentNames()) {
        const QString text = plain(allText(readContent(name)));
        for (const QString& q : passages) EXPECT_FALSE(text.contains(q)) << name.toStdString() << ": " << q.toStdString();
    }
}

class ProgramNotes : public ::testing::TestWithParam<QString> {};

TEST_P(ProgramNotes, SpeakOfTheCommentsOnceASentence) {
    static const QRegularExpression comments(QStringLiteral("\\bcomments\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const QString& sentence : noteSentences(readContent(GetParam())))
        EXPECT_LE(sentence.count(comments), 1) << sentence.toStdString();
}

TEST_P(ProgramNotes, SayThatParagraphsLeftOutArePublishedAsTheyAre) {
    const QStringList sentences = noteSentences(readContent(GetParam()));
    for (int i = 0; i < sentences.size(); ++i) {
        if (!sentences[i].startsWith(QLatin1String("Paragraphs ("))) continue;
        // The sentences on those paragraphs that follow speak of them as "they".
        for (int j = i + 1; j < sentences.size() && !sentences[j].startsWith(QLatin1String("Paragraph")); ++j)
            EXPECT_FALSE(sentences[j].startsWith(QLatin1String("It "))) << sentences[j].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(ReferenceAndRuleDocuments, ProgramNotes,
                         ::testing::ValuesIn([] {
                             QStringList names = referenceDocuments();
                             for (int n = 0; n <= 24; ++n) names << QStringLiteral("PR%1.Hlp").arg(n);
                             return std::vector<QString>(names.begin(), names.end());
                         }()),
                         [](const auto& info) {
                             std::string s = info.param.toStdString();
                             for (char& c : s)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return s;
                         });

// Of sections III.F and III.H the reference holds the headings and openings alone (of III.F
// not even its opening, only the first headings of its outline): a document on them says
// what the reference holds and names no topic they are supposed to discuss. The sentences on
// section III.E, whose outline the reference holds, are another matter.
struct UnheldTopicsCase {
    const char* file;
    std::vector<const char*> topics;
};

class NotesOnPartsNotHeld : public ::testing::TestWithParam<UnheldTopicsCase> {};

TEST_P(NotesOnPartsNotHeld, NameNoTopicTheReferenceDoesNotHold) {
    const QByteArray rtf = readContent(QString::fromLatin1(GetParam().file));
    QStringList sentences = noteSentences(rtf);
    // A part of which nothing is quoted has its orientation in the program's words.
    if (quoted(rtf).size() <= 1)
        for (const Paragraph& p : paragraphs(rtf))
            if (p.font == 1) sentences << p.text.split(QRegularExpression(QStringLiteral("(?<=\\.) ")));
    ASSERT_FALSE(sentences.isEmpty());
    for (const QString& s : sentences) {
        if (s.contains(QLatin1String("III.E"))) continue;
        for (const char* topic : GetParam().topics)
            EXPECT_FALSE(s.contains(QLatin1String(topic), Qt::CaseInsensitive)) << s.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    SectionsIIIFAndIIIH, NotesOnPartsNotHeld,
    ::testing::Values(UnheldTopicsCase{"PR10.Hlp", {"workstation security", "device and media", "disposed"}},
                      UnheldTopicsCase{"OrgReq1.Dat", {"business associate contracts", "group health plans"}},
                      UnheldTopicsCase{"OrgRef2.Dat", {"business associate contracts", "group health plans"}}),
    [](const auto& info) {
        std::string s = info.param.file;
        for (char& c : s)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return s;
    });
