// The Action Area's reports as a person prints them: the overview's "&Print" opens the status
// report of the area on show with the statuses the user recorded, "All Safeguards" gives every
// table, and both go to paper; the editor's "&Print" of a read-only text joins the ticked texts
// of the entry shown into one page, whatever was shown before, on every page; the box of the
// user's document keeps its meaning; a reference that cannot be read is left out.
#include "catalogue/AdditionalInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RuleReferences.h"
#include "catalogue/RuleText.h"
#include "timeline/ToDoFiles.h"
#include "tests/workbook/HubFixture.h"

#include <QFile>
#include <QProcess>

using namespace platform;
using hubtest::previewText;

namespace {

QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    // The PDF may set "fi" and "fl" as ligatures.
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(QChar(0xFB01), QStringLiteral("fi"))
        .replace(QChar(0xFB02), QStringLiteral("fl"));
}

// The status cell printed on the line of a row's text.
QString statusBeside(const PrintPreview& vsp, const QString& rowText) {
    const PrintDocument& doc = vsp.document();
    const double statusX = doc.pageWidth() / 1.12;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        for (const PrintOp& row : doc.page(n).ops) {
            if (row.kind != PrintOp::Text || row.text != rowText) continue;
            for (const PrintOp& op : doc.page(n).ops)
                if (op.kind == PrintOp::Text && op.box.top() == row.box.top() && op.box.left() < statusX &&
                    op.box.right() > statusX)
                    return op.text;
        }
    }
    return {};
}

class HubReportTest : public hubtest::HubTest {
protected:
    // The user records a status for specification k.
    void record(WorkArea1& w, int k, const char* status) {
        page(w, catalogue::areaModeOf(k));
        w.EntryList(catalogue::areaModeOf(k))[catalogue::specIndexOf(k)].click();
        if (QByteArray(status) == "Not Implemented")
            dialogs->answer(QStringLiteral("Safeguard Not Being Implemented"), Answer::OK);
        ASSERT_TRUE(w.Combo1.pickText(QString::fromLatin1(status)));
    }
    WorkArea1& withStatuses() {
        WorkArea1& w = openHub();
        record(w, 1, "Completed");
        record(w, 5, "Working");
        record(w, 24, "Review");
        record(w, 42, "Not Implemented");
        page(w, catalogue::PageOverview);
        return w;
    }
};

TEST_F(HubReportTest, OverviewPrintShowsTheAreaOnShowWithTheRecordedStatuses) {
    WorkArea1& w = withStatuses();
    w.SSCommand3.click();
    EXPECT_TRUE(w.SSPanel80.visible());
    const char* const captions[] = {"All Safeguards", "Administrative Safeguards", "Physical Safeguards",
                                    "Technical Safeguards"};
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(w.SSCheck80[i].caption(), QString::fromLatin1(captions[i]));
        EXPECT_TRUE(w.SSCheck80[i].visible()) << i;
        EXPECT_EQ(w.SSCheck80[i].value(), i == 1 ? 1 : 0) << i;
    }
    // The report boxes are in view, not the to-do options that share their place.
    EXPECT_TRUE(w.SSFrame80[2].visible());
    EXPECT_FALSE(w.SSFrame80[3].visible());
    EXPECT_FALSE(w.SSCommand80[0].enabled());
    EXPECT_FALSE(w.SSCommand80[1].enabled());
    EXPECT_EQ(w.Panel3D80[0].caption(), QStringLiteral(" Times New Roman"));
    EXPECT_EQ(w.Panel3D80[2].caption(), QStringLiteral("Portrait"));

    const QString text = previewText(w.VSP1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("HIPAA Security Standards\n")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("ADMINISTRATIVE SAFEGUARDS \u00A7164.308")));
    EXPECT_FALSE(text.contains(QString::fromUtf8("PHYSICAL SAFEGUARDS")));
    EXPECT_EQ(statusBeside(w.VSP1, QStringLiteral("Risk Analysis")), QStringLiteral("Completed"));
    EXPECT_EQ(statusBeside(w.VSP1, QStringLiteral("Risk Management")), QStringLiteral(" "));
    EXPECT_EQ(statusBeside(w.VSP1, QStringLiteral("Assigned Security Responsibility")), QStringLiteral("Working"));
    EXPECT_TRUE(text.contains(QStringLiteral("Legend:  R = Required    A = Addressable")));
    EXPECT_EQ(dialogs->shown().size(), 1u);  // the note on "Not Implemented"
}

TEST_F(HubReportTest, AllSafeguardsGivesThreeTablesTheBoxedHeadingsAndTheLegendOnPaper) {
    WorkArea1& w = withStatuses();
    w.SSCommand3.click();
    w.SSCheck80[0].click();
    EXPECT_EQ(w.SSCheck80[0].value(), 1);
    EXPECT_EQ(w.SSCheck80[1].value(), 0);
    const QString text = previewText(w.VSP1);
    for (const char* part : {"ADMINISTRATIVE SAFEGUARDS \u00A7164.308", "PHYSICAL SAFEGUARDS \u00A7164.310",
                             "TECHNICAL SAFEGUARDS \u00A7164.312", "ORGANIZATIONAL REQUIREMENTS \u00A7164.314",
                             "POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS \u00A7164.316"})
        EXPECT_EQ(text.count(QString::fromUtf8(part)), 1) << part;
    EXPECT_EQ(text.count(QStringLiteral("HIPAA Security Standards")), 1);
    EXPECT_EQ(statusBeside(w.VSP1, QStringLiteral("Contingency Operation")), QStringLiteral("Review"));
    EXPECT_EQ(statusBeside(w.VSP1, QStringLiteral("Encryption")), QStringLiteral("Not Implemented"));

    const QString pdf = folder->file(QStringLiteral("report.pdf"));
    printer->pdfPath = pdf;
    w.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    EXPECT_EQ(printer->printedPageCounts[0], 1);
    const QString paper = pdfText(pdf);
    for (const char* part : {"HIPAA Security Standards", "TECHNICAL SAFEGUARDS", "Contingency Operation", "Review",
                             "Legend:"})
        EXPECT_TRUE(paper.contains(QString::fromLatin1(part))) << part;
    // The area ticked alone again unticks "All Safeguards" and prints its table alone.
    w.SSCheck80[3].click();
    EXPECT_EQ(w.SSCheck80[0].value(), 0);
    const QString technical = previewText(w.VSP1);
    EXPECT_TRUE(technical.startsWith(QStringLiteral("HIPAA Security Standards\n")));
    EXPECT_FALSE(technical.contains(QStringLiteral("ADMINISTRATIVE")));
}

TEST_F(HubReportTest, TheAreaChosenOnTheOverviewIsTheOneTicked) {
    WorkArea1& w = withStatuses();
    w.SSCommand18[1].click();
    w.SSCommand3.click();
    EXPECT_EQ(w.SSCheck80[1].value(), 0);
    EXPECT_EQ(w.SSCheck80[2].value(), 1);
    EXPECT_TRUE(previewText(w.VSP1).contains(QString::fromUtf8("PHYSICAL SAFEGUARDS \u00A7164.310")));
    // Unticking it leaves an empty page.
    w.SSCheck80[2].click();
    EXPECT_TRUE(previewText(w.VSP1).isEmpty());
}

// The report boxes and the to-do options stand in one place: each opener shows its own.
TEST_F(HubReportTest, EachOpenerShowsItsOwnOptionsAndHidesTheOthers) {
    // One to-do item, then the empty rows of the 500 (five QuotedLines a row).
    QByteArray list = "\"Backup tapes\"\r\n\"Thu - Jan 6, 05\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    for (int i = 0; i < 499 * 5; ++i) list += "\"\"\r\n";
    folder->write(timeline::ToDoGridFile, list);
    WorkArea1& w = withStatuses();
    page(w, catalogue::PageTimeline);
    w.mOPrint.click();
    ASSERT_TRUE(w.SSPanel80.visible());
    EXPECT_TRUE(w.SSFrame80[3].visible());
    EXPECT_FALSE(w.SSFrame80[2].visible());
    w.SSCommand80[2].click();
    page(w, catalogue::PageOverview);
    w.SSCommand3.click();
    EXPECT_TRUE(w.SSFrame80[2].visible());
    EXPECT_FALSE(w.SSFrame80[3].visible());
    // A report box is in reach: ticking it builds the report.
    w.SSCheck80[0].click();
    EXPECT_TRUE(previewText(w.VSP1).contains(QString::fromUtf8("TECHNICAL SAFEGUARDS \u00A7164.312")));
    w.SSCommand80[2].click();
    page(w, catalogue::PageTimeline);
    w.mOPrint.click();
    EXPECT_TRUE(w.SSFrame80[3].visible());
    EXPECT_FALSE(w.SSFrame80[2].visible());
}

// ---- the specification page --------------------------------------------------------------------

TEST_F(HubReportTest, AllThreeTextsOfRiskAnalysisOnOnePageWithItsNameMarkedAndOnPaper) {
    folder->copyContent();
    WorkArea1& w = openSpec(1);
    w.SSOption6.click();
    w.SSCommand5.click();
    EXPECT_EQ(w.SSCheck80[0].value(), 1);
    w.SSCheck80[1].click();
    w.SSCheck80[2].click();
    const QString page = w.RText1[3].text();
    const QString rule = u8(catalogue::composeRuleText(1));
    ASSERT_TRUE(page.startsWith(rule + QStringLiteral("\r\n\r\nReferences in Rule:"))) << page.left(300).toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("\r\n\r\nAdditional Information:\r\n\r\nThis is your main tool")));
    // All of it in the print font, the name marked wherever it stands.
    w.RText1[3].setSelStart(0);
    w.RText1[3].setSelLength(w.RText1[3].textLength());
    EXPECT_EQ(w.RText1[3].selFontName(), PrintFontName);
    int marks = 0;
    for (int at = w.RText1[3].find(QStringLiteral("Risk Analysis"), 0, -1, RichTextBox::WholeWord | RichTextBox::NoHighlight);
         at >= 0; at = w.RText1[3].find(QStringLiteral("Risk Analysis"), at + 1, -1, RichTextBox::WholeWord | RichTextBox::NoHighlight)) {
        w.RText1[3].setSelStart(at);
        w.RText1[3].setSelLength(13);
        EXPECT_EQ(w.RText1[3].selBold(), true);
        EXPECT_EQ(w.RText1[3].selUnderline(), true);
        ++marks;
    }
    EXPECT_GE(marks, 5);
    // Lines may break anywhere a blank stands, as the printer's font measures them.
    const QString preview = previewText(w.VSP1).simplified();
    EXPECT_TRUE(preview.contains(QStringLiteral("This is your main tool"))) << preview.left(600).toStdString();
    EXPECT_TRUE(preview.contains(QStringLiteral("E. Administrative Safeguards"))) << preview.left(600).toStdString();

    const QString pdf = folder->file(QStringLiteral("page.pdf"));
    printer->pdfPath = pdf;
    w.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    const QString paper = pdfText(pdf).simplified();
    EXPECT_TRUE(paper.contains(QStringLiteral("Implementation Specification:"))) << paper.left(600).toStdString();
    EXPECT_TRUE(paper.contains(QStringLiteral("References in Rule:")));
    EXPECT_TRUE(paper.contains(QStringLiteral("This is your main tool in determining the risks")));
    for (const auto& box : dialogs->shown()) ADD_FAILURE() << "box shown: " << box.text.toStdString();
}

// Texts shown or printed for one entry never print for another: the page the user switches to
// fills the ticked text for its own entry (the page switch to pages 5, 6 and 9 clears the view
// chosen, so nothing else builds it anew).
struct PageCase {
    int page;
    int before;  // an entry whose text was shown first
    int box;     // 0 the rule text, 1 the references in the rule, 2 the additional information
    int shown;   // the entry the page shows
    int view = -1;  // the view shown before (0, 1, 2); -1 the view of box
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << "page " << c.page << ", box " << c.box; }

class SpecificationPageBuffers : public HubReportTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(SpecificationPageBuffers, PrintTheEntryShownNotTheOneBefore) {
    const PageCase c = GetParam();
    folder->copyContent();
    WorkArea1& w = openSpec(c.before);
    SSOption* const views[3] = {&w.SSOption6, &w.SSOption2, &w.SSOption7};
    views[c.view < 0 ? c.box : c.view]->click();
    // A print of that entry, all three texts ticked, leaves them in the hidden buffers.
    w.SSCommand5.click();
    for (int i = 0; i <= 2; ++i)
        if (w.SSCheck80[i].value() == 0) w.SSCheck80[i].click();
    const QString beforeText = w.RText1[c.box].text();
    ASSERT_FALSE(beforeText.isEmpty());
    w.SSCommand80[2].click();
    answerPageBoxes(c.page);
    page(w, c.page);
    w.SSCommand5.click();
    ASSERT_TRUE(w.SSPanel80.visible());
    if (w.SSCheck80[c.box].value() == 0) w.SSCheck80[c.box].click();
    const QString printed = w.RText1[3].text();
    if (c.box == 0) {
        EXPECT_EQ(printed.toStdString(), catalogue::composeRuleText(c.shown));
    } else if (c.box == 1 && catalogue::ruleReferences(c.shown).fileName.empty()) {
        EXPECT_EQ(printed.toStdString(), catalogue::composeRuleReferences(c.shown).text);
    } else if (c.box == 2 && catalogue::additionalInfo(c.shown).fileName.empty()) {
        EXPECT_EQ(printed.toStdString(), catalogue::composeAdditionalInfo(c.shown).text);
    } else {
        EXPECT_FALSE(printed.isEmpty());
    }
    // Nothing of the entry shown before.
    const QString firstPiece = beforeText.section(QStringLiteral("\r\n"), 2, 2).trimmed();
    ASSERT_FALSE(firstPiece.isEmpty());
    EXPECT_FALSE(printed.contains(firstPiece)) << firstPiece.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryPage, SpecificationPageBuffers,
                         ::testing::Values(PageCase{2, 45, 1, 1}, PageCase{3, 4, 1, 24}, PageCase{4, 4, 0, 34},
                                           PageCase{5, 4, 0, 43}, PageCase{6, 4, 0, 46}, PageCase{5, 24, 1, 43},
                                           PageCase{9, 4, 1, 15}, PageCase{9, 30, 0, 15}, PageCase{9, 4, 2, 15},
                                           PageCase{5, 4, 2, 43, 0}, PageCase{6, 30, 2, 46, 0},
                                           PageCase{5, 30, 1, 43, 0}, PageCase{6, 24, 1, 46, 0}),
                         [](const auto& info) {
                             return "page" + std::to_string(info.param.page) + "_box" + std::to_string(info.param.box) +
                                    (info.param.view < 0 ? "" : "_view" + std::to_string(info.param.view));
                         });

TEST_F(HubReportTest, TheBoxOfTheUsersDocumentKeepsItsMeaning) {
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Risk analysis begun on 3 March."));
    w.SSCommand5.click();
    EXPECT_EQ(w.SSCheck80[0].caption(), QStringLiteral("Action Taken"));
    EXPECT_EQ(w.SSCheck80[0].value(), 1);
    EXPECT_TRUE(w.SSCheck80[0].enabled());
    EXPECT_FALSE(w.SSCheck80[1].enabled());
    EXPECT_TRUE(previewText(w.VSP1).contains(QStringLiteral("Risk analysis begun on 3 March.")));
    // Unticked: an empty page. Ticked again: the document again, not the rule text.
    w.SSCheck80[0].click();
    EXPECT_TRUE(previewText(w.VSP1).trimmed().isEmpty());
    w.SSCheck80[0].click();
    const QString again = previewText(w.VSP1);
    EXPECT_TRUE(again.contains(QStringLiteral("Risk analysis begun on 3 March.")));
    EXPECT_FALSE(again.contains(QStringLiteral("Implementation Specification:")));
    // The typing is still the user's, unsaved.
    EXPECT_EQ(w.UnsavedChanges, 1);
}

TEST_F(HubReportTest, AReferenceThatCannotBeReadIsLeftOutOfThePageAndSaidOnce) {
    folder->copyContent();
    ASSERT_TRUE(QFile::remove(folder->file(QStringLiteral("RefRA1.Dat"))));
    WorkArea1& w = openSpec(1);
    w.SSOption6.click();
    w.SSCommand5.click();
    dialogs->answer(QStringLiteral("References in Rule"), Answer::OK);
    w.SSCheck80[1].click();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text.toStdString(), "The document RefRA1.Dat could not be read.");
    // The rule text alone, with its own formatting, is the page.
    EXPECT_EQ(w.RText1[3].text().toStdString(), catalogue::composeRuleText(1));
    // Ticking another box does not ask again for the same entry.
    w.SSCheck80[2].click();
    EXPECT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(w.RText1[3].text().contains(QStringLiteral("Additional Information:")));
    EXPECT_FALSE(w.RText1[3].text().contains(QStringLiteral("References in Rule:")));
}

}  // namespace
