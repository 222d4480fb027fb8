// The user's documents in the Action Area as a person uses them: the three Actions options,
// Save on every page, the sample entry, and what happens when a file cannot be read or
// written.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "tests/workbook/BlockedFile.h"
#include "workbook/Documents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace platform;

namespace {

const QString SaveTitle = QStringLiteral("Save Command");
const QString OpenTitle = QStringLiteral("Open Document");

class DocumentsHubTest : public hubtest::HubTest {
protected:
    // The administrative page with one entry pressed.
    WorkArea1& openEntry(int specIndex) {
        WorkArea1& w = openHub();
        page(w, catalogue::PageAdministrative);
        w.SSCommand14[specIndex].click();
        return w;
    }
    // The text typed by the user: a bold word in blue, then a centred paragraph.
    void typeFormattedText(RichTextBox& e) {
        e.type(QStringLiteral("Passwords "));
        e.setSelBold(true);
        e.setSelColor(rgb(0, 0, 255));
        e.type(QStringLiteral("expire"));
        e.setSelBold(false);
        e.setSelColor(rgb(0, 0, 0));
        e.type(QStringLiteral(" after 90 days.\rReviewed by the security officer"));
        e.setSelAlignment(2);
    }
    void expectFormattedText(RichTextBox& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Passwords expire after 90 days.\r\nReviewed by the security officer"));
        e.setSelStart(10);
        e.setSelLength(6);
        EXPECT_EQ(e.selBold(), true);
        EXPECT_EQ(e.selColor(), rgb(0, 0, 255));
        e.setSelStart(0);
        e.setSelLength(9);
        EXPECT_EQ(e.selBold(), false);
        EXPECT_EQ(e.selAlignment(), 0);
        e.setSelStart(40);
        EXPECT_EQ(e.selAlignment(), 2);
    }
};

// Typed, saved, and there again after the program is started anew in the same folder.
TEST_F(DocumentsHubTest, ActionTakenWithFormatsSurvivesARestart) {
    WorkArea1& w = openEntry(14);
    w.SSOption3.click();
    EXPECT_EQ(w.TextKind, 3);
    EXPECT_EQ(w.CurFileName, QStringLiteral("Action14.Fil"));
    EXPECT_FALSE(w.Rtext3.locked());
    typeFormattedText(w.Rtext3);
    const QByteArray typed = w.Rtext3.rtfBytes();
    EXPECT_EQ(w.UnsavedChanges, 1);  // the editor's change tracking holds the typing
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_EQ(folder->read(QStringLiteral("Action14.Fil")), typed);
    EXPECT_TRUE(dialogs->shown().empty());

    // A new run: every window gone, every program-wide value back to its start.
    startAgain();
    SplashShown = 99;  // the splash of the second run is not what this test is about
    WorkArea1& again = openEntry(14);
    again.SSOption3.click();
    EXPECT_EQ(again.UnsavedChanges, 0);
    EXPECT_EQ(again.Rtext3.rtfBytes(), typed);
    expectFormattedText(again.Rtext3);
}

TEST_F(DocumentsHubTest, EachOptionLoadsItsOwnDocumentOfTheEntry) {
    folder->write(QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi Risk analysis done in March.}");
    folder->write(QStringLiteral("Comment0.Fil"), "{\\rtf1\\ansi Ask the auditor.}");
    folder->write(QStringLiteral("Policy0.Fil"), "{\\rtf1\\ansi {\\b Policy:} yearly analysis.}");
    WorkArea1& w = openEntry(0);
    w.SSOption4.click();
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Ask the auditor."));
    EXPECT_FALSE(w.SSCommand2.enabled());
    w.SSOption5.click();
    EXPECT_EQ(w.TextKind, 5);
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Policy: yearly analysis."));
    EXPECT_TRUE(w.SSCommand2.enabled());
    w.SSOption3.click();
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Risk analysis done in March."));
    for (Control* c : std::initializer_list<Control*>{&w.SSCommand5, &w.SSCommand6, &w.SSCommand8, &w.SSCommand9,
                                                      &w.SSCommand10, &w.SSFrame4})
        EXPECT_TRUE(c->enabled()) << c->name().toStdString();
    EXPECT_TRUE(w.mOSave.enabled());
    EXPECT_EQ(w.UnsavedChanges, 0);
    // Another entry of the physical page: its own file number, and no file yet.
    page(w, catalogue::PagePhysical);
    w.SSCommand17[9].click();
    w.SSOption3.click();
    EXPECT_EQ(w.CurFileName, QStringLiteral("Action32.Fil"));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(DocumentsHubTest, ChangingDocumentWithUnsavedTypingAsksAndYesSavesTheOldOne) {
    WorkArea1& w = openEntry(2);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Sanctions listed in the handbook."));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    w.SSOption4.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_TRUE(folder->exists(QStringLiteral("Action2.Fil")));
    EXPECT_EQ(w.CurFileName, QStringLiteral("Comment2.Fil"));
    EXPECT_EQ(w.UnsavedChanges, 0);
}

// A write that fails is reported, and the typing stays marked as unsaved in the editor.
TEST_F(DocumentsHubTest, AFailedSaveSaysSoAndKeepsTheChanges) {
    WorkArea1& w = openEntry(5);
    w.SSOption4.click();
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("Comment5.Fil")));  // the disk refuses
    w.Rtext3.type(QStringLiteral("Supervisors sign off new staff."));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(SaveTitle, Answer::OK);
    w.SSCommand6.click();
    const auto boxes = dialogs->shownWithTitle(SaveTitle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Unable to save Comment5.Fil.\r")));
    EXPECT_TRUE(boxes[0].text.endsWith(QStringLiteral("\r\rYour text is still in the editor and has not been saved.")));
    EXPECT_EQ(boxes[0].flags, Msg::OKOnly | Msg::Critical);
    EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("Comment5.Fil"))).isDir());
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Supervisors sign off new staff."));
    EXPECT_FALSE(pointer->hourglass());
}

using hubtest::Blocker;

class UnreadableDocumentHubTest : public DocumentsHubTest, public ::testing::WithParamInterface<hubtest::BlockedCase> {
protected:
    void block(const QString& file) { hubtest::blockFile(folder->file(file), GetParam().blocker, outside); }
    QTemporaryDir outside;
};

// An existing document that cannot be read is not shown as an empty one: the user is told,
// nothing overwrites it by itself, a save to it asks first, and other documents save as usual.
TEST_P(UnreadableDocumentHubTest, IsReportedAndNotOverwrittenUnasked) {
    block(QStringLiteral("Policy3.Fil"));
    WorkArea1& w = openEntry(3);
    w.Rtext3.setText(QStringLiteral("from the previous entry"));
    dialogs->answer(OpenTitle, Answer::OK);
    w.SSOption5.click();
    const auto warned = dialogs->shownWithTitle(OpenTitle);
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].text, QStringLiteral("The file Policy3.Fil exists but could not be read.\r"
                                             "It has been left as it is.\r\r"
                                             "If you save here, the text in the editor will replace it."));
    EXPECT_EQ(warned[0].flags, Msg::OKOnly | Msg::Exclamation);
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_EQ(w.UnsavedChanges, 0);

    // A save of that document first asks; No writes nothing and keeps the typing unsaved.
    w.Rtext3.type(QStringLiteral("New policy text"));
    dialogs->answer(SaveTitle, Answer::No);
    w.SSCommand6.click();
    const auto asked = dialogs->shownWithTitle(SaveTitle);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("The file Policy3.Fil could not be read when it was opened.\r"
                                            "Saving replaces what it holds with the text in the editor.\r\r"
                                            "Replace it?"));
    EXPECT_EQ(asked[0].flags, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("New policy text"));
    switch (GetParam().blocker) {
    case Blocker::Directory: EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("Policy3.Fil"))).isDir()); break;
    case Blocker::Fifo: EXPECT_FALSE(QFileInfo(folder->file(QStringLiteral("Policy3.Fil"))).isFile()); break;
    case Blocker::LinkOutOfFolder: {
        EXPECT_EQ(hubtest::linkTargetNow(outside), hubtest::LinkTargetText);
        break;
    }
    }

    // Another entry's document is saved without the question.
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSCommand14[4].click();
    w.SSOption5.click();
    w.Rtext3.type(QStringLiteral("Security official named."));
    w.SSCommand6.click();
    EXPECT_TRUE(folder->read(QStringLiteral("Policy4.Fil")).contains("Security official named."));
    EXPECT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Blockers, UnreadableDocumentHubTest, hubtest::BlockedCases, hubtest::blockedCaseName);

// Once the user confirms, the replacement is written and the question is not asked again. (The
// blocking entry is cleared away first; the file layer never writes over what is not a file.)
TEST_F(DocumentsHubTest, AConfirmedReplacementIsWrittenAndTheQuestionEnds) {
    const QString fifo = folder->file(QStringLiteral("Action8.Fil"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    WorkArea1& w = openEntry(8);
    dialogs->answer(OpenTitle, Answer::OK);
    w.SSOption3.click();
    ASSERT_TRUE(QFile::remove(fifo));
    w.Rtext3.type(QStringLiteral("new text"));
    dialogs->answer(SaveTitle, Answer::Yes);
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("Action8.Fil"))).isFile());
    EXPECT_TRUE(folder->read(QStringLiteral("Action8.Fil")).contains("new text"));
    w.Rtext3.type(QStringLiteral(", and more"));
    w.SSCommand6.click();
    EXPECT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 1u);
    EXPECT_TRUE(folder->read(QStringLiteral("Action8.Fil")).contains("new text, and more"));
}

// A reference view offers no Save; the Save step itself, should it run there (the save
// question's Yes runs it), writes nothing either.
TEST_F(DocumentsHubTest, SaveInAReferenceViewWritesNothing) {
    WorkArea1& w = openEntry(1);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption6.click();
    ASSERT_EQ(w.TextKind, 0);
    EXPECT_FALSE(w.SSCommand6.enabled());
    EXPECT_FALSE(w.mOSave.enabled());
    w.SSCommand6.click();
    w.SSCommand6_Click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(folder->exists(QStringLiteral("Action1.Fil")));
}

// ---- worksheets --------------------------------------------------------------------------------
// (Choosing worksheets, their status and their save question: worksheets_test.cpp.)

TEST_F(DocumentsHubTest, AnEmptiedWorksheetWhoseStatusCannotBeClearedKeepsItAndSaysSo) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{51, "Yes"}}));
    folder->write(QStringLiteral("Wksht3.Fil"), "{\\rtf1\\ansi Locks on every door.\\par}");
    WorkArea1& w = openHub();
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[3].click();
    ASSERT_EQ(w.Combo1.text(), QStringLiteral("Yes"));
    // The status store cannot be written: a folder stands where the file would be.
    ASSERT_TRUE(QFile::remove(folder->file(QStringLiteral("Stat1.Fil"))));
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("Stat1.Fil")));
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(w.Rtext3.textLength());
    w.Rtext3.type(QStringLiteral("   "));
    dialogs->answer(QStringLiteral("Status Not Stored"), Answer::OK);
    w.SSCommand6.click();
    EXPECT_TRUE(folder->exists(QStringLiteral("Wksht3.Fil")));
    EXPECT_EQ(w.SpecStatus[51], QStringLiteral("Yes"));
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Yes"));
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Status Not Stored")).size(), 1u);
}

// ---- the recovery plan -----------------------------------------------------------------------

TEST_F(DocumentsHubTest, RecoveryPlanStartsFromTheTemplateUntilSaved) {
    folder->copyContent();
    WorkArea1& w = openHub();
    answerPageBoxes(8);
    page(w, catalogue::PageRecoveryPlan);
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Disaster Recovery Plan Information")).size(), 1u);
    EXPECT_FALSE(w.Rtext3.text().trimmed().isEmpty());
    EXPECT_TRUE(w.SSCommand6.enabled());
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("Our plan. "));
    const QString plan = w.Rtext3.text();
    ASSERT_EQ(w.UnsavedChanges, 1);
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(folder->exists(QStringLiteral("DRPln1.Fil")));

    dialogs->clearShown();
    page(w, catalogue::PageOverview);
    page(w, catalogue::PageRecoveryPlan);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(w.Rtext3.text(), plan);
}

TEST_F(DocumentsHubTest, AnUnreadableRecoveryPlanIsReportedInsteadOfShowingTheTemplate) {
    folder->copyContent();
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("DRPln1.Fil")));
    WorkArea1& w = openHub();
    dialogs->answer(OpenTitle, Answer::OK);
    page(w, catalogue::PageRecoveryPlan);
    EXPECT_EQ(dialogs->shownWithTitle(OpenTitle).size(), 1u);
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Disaster Recovery Plan Information")).empty());
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Documents.wasUnreadable(QStringLiteral("DRPln1.Fil")));
}

// ---- files that are no document -----------------------------------------------------------------

QByteArray randomBytes(int size) {
    QByteArray out;
    unsigned x = 99;
    for (int i = 0; i < size; ++i) out.append(char((x = x * 1103515245u + 12345u) >> 16));
    return out;
}

// Random bytes where Action Taken should be: not shown as garbage, and not overwritten by a
// save unless the user says so.
TEST_F(DocumentsHubTest, AFileThatIsNotRichTextIsNotOpenedAndTheEditorStaysLocked) {
    const QByteArray bytes = randomBytes(3000);
    folder->write(QStringLiteral("Action2.Fil"), bytes);
    WorkArea1& w = openEntry(2);
    dialogs->answer(OpenTitle, Answer::OK);
    w.SSOption3.click();
    const auto boxes = dialogs->shownWithTitle(OpenTitle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The file Action2.Fil is not a rich-text (RTF) document, so it has not "
                                            "been opened.\rIt has been left as it is, and the editor stays empty."));
    EXPECT_EQ(boxes[0].flags, Msg::OKOnly | Msg::Exclamation);
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Rtext3.locked());
    w.Rtext3.type(QStringLiteral("typing goes nowhere"));
    EXPECT_EQ(w.UnsavedChanges, 0);

    dialogs->answer(SaveTitle, Answer::No);
    w.SSCommand6.click();
    ASSERT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 1u);
    EXPECT_TRUE(dialogs->shownWithTitle(SaveTitle)[0].text.endsWith(QStringLiteral("Replace it?")));
    EXPECT_EQ(folder->read(QStringLiteral("Action2.Fil")), bytes);

    // Another option opens its own document normally again (the declined save left the
    // editor marked unsaved, so it asks first).
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption4.click();
    EXPECT_FALSE(w.Rtext3.locked());
}

// A recovery plan far larger than any document is not read (it would hold the program up for
// many seconds); the template does not stand in for it either.
TEST_F(DocumentsHubTest, ARecoveryPlanLargerThanAnyDocumentIsNotReadAndNotReplacedByTheTemplate) {
    folder->copyContent();
    const QByteArray big = "{\\rtf1 " + QByteArray(int(workbook::DocumentStore::MaxDocumentBytes), 'x') + "}";
    folder->write(QStringLiteral("DRPln1.Fil"), big);
    WorkArea1& w = openHub();
    dialogs->answer(OpenTitle, Answer::OK);
    page(w, catalogue::PageRecoveryPlan);
    const auto boxes = dialogs->shownWithTitle(OpenTitle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The file DRPln1.Fil is larger than 10 MB, more than any document of this "
                                            "program holds, so it has not been opened.\rIt has been left as it is, "
                                            "and the editor stays empty."));
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Disaster Recovery Plan Information")).empty());
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Rtext3.locked());
    EXPECT_EQ(folder->read(QStringLiteral("DRPln1.Fil")).size(), big.size());
}

// A broken template is named; the plan, which does not exist yet, can still be written.
TEST_F(DocumentsHubTest, ATemplateThatIsNotRichTextIsNamedAndThePlanStaysWritable) {
    folder->copyContent();
    folder->write(QStringLiteral("Misc60.Hlp"), randomBytes(5000));
    WorkArea1& w = openHub();
    dialogs->answer(OpenTitle, Answer::OK);
    answerPageBoxes(catalogue::PageRecoveryPlan);
    page(w, catalogue::PageRecoveryPlan);
    const auto boxes = dialogs->shownWithTitle(OpenTitle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The file Misc60.hlp is not a rich-text (RTF) document")));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_FALSE(w.Rtext3.locked());
    w.Rtext3.type(QStringLiteral("Our own plan."));
    w.SSCommand6.click();
    EXPECT_TRUE(folder->read(QStringLiteral("DRPln1.Fil")).contains("Our own plan."));
}

// ---- the sample entry --------------------------------------------------------------------------

TEST_F(DocumentsHubTest, SampleEntryShowsTheShippedTextsAndNeverSaves) {
    folder->copyContent();
    const QByteArray shippedPolicy = folder->read(QStringLiteral("SamplePol.Dat"));
    WorkArea1& w = openHub();
    answerPageBoxes(9);
    page(w, catalogue::PageSample);

    w.SSOption3.click();
    EXPECT_EQ(w.CurFileName, QStringLiteral("SampleAct.Dat"));
    EXPECT_FALSE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Rtext3.locked());
    w.SSOption4.click();
    EXPECT_EQ(w.CurFileName, QStringLiteral("SampleCom.Dat"));
    EXPECT_TRUE(w.Rtext3.locked());

    dialogs->answer(QStringLiteral("Policies and Procedures"), Answer::OK);
    w.SSOption5.click();
    const auto notes = dialogs->shownWithTitle(QStringLiteral("Policies and Procedures"));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text,
              QStringLiteral("This Policy was first written using a full function word processing\r"
                             "program and then copied and pasted into the program.\r\r"
                             "You can use the program to enter in this information, but the program\r"
                             "doesn't give you all of the capabilities of a commerical word processor!"));
    EXPECT_EQ(notes[0].flags, Msg::Information | Msg::OKOnly);
    EXPECT_FALSE(w.Rtext3.locked());
    EXPECT_TRUE(w.SSCommand2.enabled());
    w.Rtext3.type(QStringLiteral("typed into the sample "));
    ASSERT_EQ(w.UnsavedChanges, 1);

    dialogs->answer(SaveTitle, Answer::OK);
    w.SSCommand6.click();
    const auto refused = dialogs->shownWithTitle(SaveTitle);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, QStringLiteral("Unable to save changes to sample."));
    EXPECT_EQ(refused[0].flags, Msg::Question | Msg::OKOnly);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(folder->read(QStringLiteral("SamplePol.Dat")), shippedPolicy);

    // The note comes once per run.
    w.SSOption3.click();
    w.SSOption5.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Policies and Procedures")).size(), 1u);
}

}  // namespace
