// The documents of the Miscellaneous window: the disclaimer and the program information say
// what a user needs to know, and the two forms have every part their topic asks for, as lines
// to write on, with the regulation's own words quoted exactly.
#include "platform/RtfReader.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

namespace {

struct Document {
    QByteArray rtf;
    QTextDocument text;
};

std::unique_ptr<Document> readContent(const char* name) {
    auto d = std::make_unique<Document>();
    QFile f(QStringLiteral(QUORVANE_CONTENT_DIR "/") + QLatin1String(name));
    if (f.open(QIODevice::ReadOnly)) d->rtf = f.readAll();
    platform::readRtfDocument(d->rtf, d->text);
    return d;
}

// The paragraphs set in the quote font: the regulation's own words.
QStringList quotedParagraphs(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QStringList families = b.charFormat().fontFamilies().toStringList();
        const bool quoteFont = !families.isEmpty() && families.first() == QLatin1String("Times New Roman");
        if (quoteFont && !b.text().trimmed().isEmpty()) out << b.text().simplified();
    }
    return out;
}

struct PartsCase {
    const char* document;
    std::vector<const char*> parts;  // words the document must hold
    int quotes;                      // paragraphs quoted from the rule
};

class MiscDocumentTest : public ::testing::TestWithParam<PartsCase> {};

TEST_P(MiscDocumentTest, HoldsEveryPartItsTopicAsksForAndQuotesTheRuleExactly) {
    const PartsCase& c = GetParam();
    const auto doc = readContent(c.document);
    ASSERT_FALSE(doc->rtf.isEmpty()) << c.document;
    const QString text = doc->text.toPlainText();
    for (const char* part : c.parts) EXPECT_TRUE(text.contains(QLatin1String(part))) << c.document << ": " << part;

    const QString rule = QString::fromUtf8(testsupport::readTestData(QStringLiteral("security-rule-2003.txt"))).simplified();
    ASSERT_FALSE(rule.isEmpty());
    const QStringList quotes = quotedParagraphs(doc->text);
    EXPECT_EQ(quotes.size(), c.quotes) << c.document;
    for (const QString& q : quotes) EXPECT_TRUE(rule.contains(q)) << c.document << ": " << q.toStdString();

    // A table's empty cells show no lines on screen, on paper or in a word processor: the
    // forms are written as lines to fill in instead.
    EXPECT_FALSE(doc->rtf.contains("\\cell")) << c.document;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, MiscDocumentTest,
    ::testing::Values(
        PartsCase{"Misc2.Hlp",
                  {"not legal advice", "No guarantee of compliance", "the rule governs", "amended",
                   "Web links", "not responsible for their content", "does not encrypt", "without warranty",
                   "backup"},
                  0},
        PartsCase{"Misc1.Hlp",
                  {"Version 6.0a", "Dravelin Software", "Action Area", "Information Advisor", "Security Rule",
                   "Miscellaneous", "F1", "800 by 600", "Backup User Created Files", "Restore User Created Files",
                   "February 20, 2003"},
                  0},
        PartsCase{"Misc57.Hlp",
                  {"Organization:", "Area, system or location examined:", "Prepared by:", "Date prepared:",
                   "Next review date:", "Where it is stored", "Where it is sent", "Threat 4 (what could happen):",
                   "Vulnerability", "Likelihood (L/M/H):", "Impact (L/M/H):", "Risk level:",
                   "Safeguards already in place:", "Measure to take:", "Responsible:", "Target date:",
                   "[  ] Yes   [  ] No   [  ] Partial   [  ] Planned", "Reviewed and approved by:", "six years"},
                  1},
        PartsCase{"Misc56.Hlp",
                  {"Incident number:", "Reported by", "Date and time it happened:", "Date and time found:",
                   "Systems, devices or records involved:", "lost or stolen", "malicious software",
                   "Describe what happened:", "Was electronic protected health information involved?",
                   "Approximate number of individuals affected:", "Was the information encrypted?",
                   "Action taken:", "Evidence kept", "Law enforcement:", "Breach notification", "60 days",
                   "Individuals notified on:", "HHS notified on:", "Cause found:",
                   "Changes made to prevent a repeat", "Security Official's signature:", "six years"},
                  2}),
    [](const auto& info) {
        std::string s = info.param.document;
        return s.substr(0, s.find('.'));
    });

}  // namespace
