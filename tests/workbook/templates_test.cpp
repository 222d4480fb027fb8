// Insert Template and New Worksheet: which template each page takes, when the user is asked
// first, what No leaves, a missing template, typing not saved yet, and the buffers around it.
#include "platform/RtfReader.h"
#include "tests/workbook/HubFixture.h"

#include <QTextDocument>

using namespace platform;

namespace {

const QString InsertTemplate = QStringLiteral("Insert Template");
const QString NewWorksheet = QStringLiteral("New Worksheet");

QByteArray rtf(const QByteArray& text) { return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 " + text + "\\par}"; }

class TemplatesTest : public hubtest::HubTest {
protected:
    void SetUp() override {
        HubTest::SetUp();
        folder->copyContent();
    }
    // The plain text of a shipped template, as the editor shows it.
    QString templateText(int t) {
        QTextDocument doc;
        readRtfDocument(folder->read(QStringLiteral("Misc%1.Hlp").arg(t)), doc);
        return doc.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    // The policy document of specification k shown in the editor.
    WorkArea1& openPolicy(int k) {
        WorkArea1& w = openSpec(k);
        w.SSOption5.click();
        return w;
    }
};

struct TemplateCase {
    int k;
    int t;
};

class TemplateOfEntryTest : public TemplatesTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(TemplateOfEntryTest, AnEntryWithoutAPolicyTakesItsTemplateWithoutAsking) {
    WorkArea1& w = openPolicy(GetParam().k);
    ASSERT_TRUE(w.SSCommand2.enabled());
    EXPECT_EQ(w.SSCommand2.caption(), InsertTemplate);
    w.SSCommand2.click();
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(w.CurFileName, QStringLiteral("Misc%1.Hlp").arg(GetParam().t));
    EXPECT_EQ(w.Rtext3.text(), templateText(GetParam().t));
    EXPECT_EQ(w.UnsavedChanges, 1);
}

// Risk Analysis, Encryption (technical entry 8), group health plans (organizational entry 2),
// Documentation (policies entry 1).
INSTANTIATE_TEST_SUITE_P(Entries, TemplateOfEntryTest,
                         ::testing::Values(TemplateCase{1, 14}, TemplateCase{42, 55}, TemplateCase{45, 62},
                                           TemplateCase{47, 63}));

TEST_F(TemplatesTest, APolicyOfBlanksIsReplacedWithoutAskingOneWithTextOnlyAfterYes) {
    folder->write(QStringLiteral("Policy0.Fil"), rtf("   "));
    WorkArea1& w = openPolicy(1);
    w.SSCommand2.click();
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(w.Rtext3.text(), templateText(14));

    folder->write(QStringLiteral("Policy0.Fil"), rtf("Our own risk analysis policy."));
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption5.click();
    ASSERT_EQ(w.Rtext3.text(), QStringLiteral("Our own risk analysis policy."));
    for (int answer : {Answer::No, Answer::Cancel, Answer::Yes}) {
        dialogs->answer(InsertTemplate, answer);
        w.SSCommand2.click();
        EXPECT_EQ(w.Rtext3.text(), answer == Answer::Yes ? templateText(14) : QStringLiteral("Our own risk analysis policy."));
    }
    const auto asked = dialogs->shownWithTitle(InsertTemplate);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].text, QStringLiteral("The program has detected an existing Policy and Procedure/Plan.\r\r"
                                            "If you insert template and save file the existing file will be "
                                            "overwritten!\r\rInsert new Template?"));
    EXPECT_EQ(asked[0].flags, Msg::YesNoCancel | Msg::Exclamation | Msg::DefaultButton2);
    // The policy on disk is replaced only by a save, and the template never.
    EXPECT_EQ(folder->read(QStringLiteral("Policy0.Fil")), rtf("Our own risk analysis policy."));
    const QByteArray shipped = folder->read(QStringLiteral("Misc14.Hlp"));
    w.SSCommand6.click();
    EXPECT_EQ(folder->read(QStringLiteral("Misc14.Hlp")), shipped);
    EXPECT_EQ(w.Rtext3.text(), templateText(14));
    w.SSOption5.click();
    EXPECT_EQ(w.Rtext3.text(), templateText(14));
}

TEST_F(TemplatesTest, TheRecoveryPlanAndTheSampleAskAboutTheirOwnDocument) {
    WorkArea1& w = openHub();
    answerPageBoxes(8);
    page(w, catalogue::PageRecoveryPlan);
    // No plan saved yet: the page shows the template already, and the typing in it counts.
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("Call the director first. "));
    w.SSCommand6.click();
    dialogs->answer(InsertTemplate, Answer::Yes);
    w.SSCommand2.click();
    EXPECT_TRUE(dialogs->shownWithTitle(InsertTemplate).back().text.startsWith(
        QStringLiteral("The program has detected an existing Disaster Recovery Plan.\r\r")));
    EXPECT_EQ(w.Rtext3.text(), templateText(60));

    answerPageBoxes(9);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    page(w, catalogue::PageSample);
    dialogs->answer(QStringLiteral("Policies and Procedures"), Answer::OK);
    w.SSOption5.click();
    dialogs->answer(InsertTemplate, Answer::Yes);
    w.SSCommand2.click();
    EXPECT_EQ(w.CurFileName, QStringLiteral("Misc28.Hlp"));
    EXPECT_EQ(w.Rtext3.text(), templateText(28));
}

TEST_F(TemplatesTest, AnEmptyWorksheetFileStillAsksAndAfterNoTheWorksheetCountsAsChanged) {
    folder->write(QStringLiteral("Wksht6.Fil"), QByteArray());
    WorkArea1& w = openHub();
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[6].click();
    ASSERT_EQ(w.UnsavedChanges, 0);
    dialogs->answer(NewWorksheet, Answer::No);
    w.SSCommand2.click();
    ASSERT_EQ(dialogs->shownWithTitle(NewWorksheet).size(), 1u);
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("The program has detected an existing Risk Analysis # 7 worksheet!\r\r"
                                                           "If you insert template and save file the existing file will "
                                                           "be overwritten!\r\rNew Worksheet?"));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(w.CurFileName, QStringLiteral("Misc59.Hlp"));
    // A worksheet without a file takes the template at once.
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSCommand12[7].click();
    w.SSCommand2.click();
    EXPECT_EQ(w.Rtext3.text(), templateText(59));
    EXPECT_FALSE(w.Rtext3.locked());
    w.SSCommand6.click();
    EXPECT_TRUE(folder->exists(QStringLiteral("Wksht7.Fil")));
}

TEST_F(TemplatesTest, TypingNotSavedYetIsReplacedOnlyAfterYes) {
    WorkArea1& w = openPolicy(1);
    w.Rtext3.type(QStringLiteral("Draft of our policy"));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(InsertTemplate, Answer::No);
    w.SSCommand2.click();
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Draft of our policy"));
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("The text in the editor has not been saved.\r\r"
                                                           "If you insert the template, it will replace that text!\r\r"
                                                           "Insert new Template?"));
    EXPECT_EQ(dialogs->shown().back().flags, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
    dialogs->answer(InsertTemplate, Answer::Yes);
    w.SSCommand2.click();
    EXPECT_EQ(w.Rtext3.text(), templateText(14));
}

TEST_F(TemplatesTest, AMissingTemplateIsReportedAndTheEditorKeepsItsText) {
    ASSERT_TRUE(QFile::remove(folder->file(QStringLiteral("Misc14.Hlp"))));
    WorkArea1& w = openPolicy(1);
    w.Rtext3.type(QStringLiteral("Draft"));
    dialogs->answer(InsertTemplate, Answer::OK);
    w.SSCommand2.click();
    ASSERT_EQ(dialogs->shownWithTitle(InsertTemplate).size(), 1u);
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("The template Misc14.Hlp could not be found or read in the "
                                                           "program folder.\rThe text in the editor has not been changed."));
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Draft"));
    EXPECT_EQ(w.UnsavedChanges, 1);
}

// The existing policy is looked at without the hidden buffers: the rule text buffer, which the
// printed specification page uses, never holds the policy.
TEST_F(TemplatesTest, LookingAtTheExistingPolicyLeavesTheBuffersAlone) {
    folder->write(QStringLiteral("Policy0.Fil"), rtf("Our own risk analysis policy."));
    WorkArea1& w = openPolicy(1);
    ASSERT_TRUE(w.RText1[0].text().isEmpty());
    dialogs->answer(InsertTemplate, Answer::No);
    w.SSCommand2.click();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.RText1[i].text().isEmpty()) << i;
}

}  // namespace
