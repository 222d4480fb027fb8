// Which changes of the editor's text count as the user's unsaved work.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"

using namespace platform;

namespace {

class EditorChangeTest : public hubtest::HubTest {};

TEST_F(EditorChangeTest, TypingInADocumentIsUnsavedAndTheNextEntryAsksToSaveIt) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[0].click();
    w.SSOption3.click();
    EXPECT_EQ(w.UnsavedChanges, 0);  // loading the document is the program's own change
    w.Rtext3.type(QStringLiteral("Risk analysis begun."));
    EXPECT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    w.SSCommand14[1].click();
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_TRUE(folder->read(QStringLiteral("Action0.Fil")).contains("Risk analysis begun."));
}

TEST_F(EditorChangeTest, TheProgramsOwnAssignmentIsNotTheUsersChange) {
    folder->write(QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi Loaded by the program}");
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[0].click();
    w.SSOption3.click();
    ASSERT_EQ(w.Rtext3.text(), QStringLiteral("Loaded by the program"));
    EXPECT_EQ(w.TextLoading, 0);
    EXPECT_EQ(w.UnsavedChanges, 0);
    // The flag covers one assignment only: the next change is the user's again.
    w.Rtext3.type(QStringLiteral("!"));
    EXPECT_EQ(w.UnsavedChanges, 1);
}

TEST_F(EditorChangeTest, AChangeInAReadOnlyViewLeavesNothingUnsaved) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[0].click();
    ASSERT_EQ(w.TextKind, 0);
    // No step of the user's leaves typing unsaved in a read-only view (every view asks the save
    // question first); the builders' changes must not make it so either.
    w.UnsavedChanges = 1;
    w.Rtext3.setText(QStringLiteral("Rule text written by a builder"));
    EXPECT_EQ(w.UnsavedChanges, 0);
}

TEST_F(EditorChangeTest, WorksheetAndRecoveryPlanChangesAlwaysCount) {
    WorkArea1& w = openHub();
    // A reference view shown last leaves no document kind in force.
    page(w, catalogue::PageAdministrative);
    w.SSOption6.click();
    ASSERT_EQ(w.TextKind, 0);
    answerPageBoxes(catalogue::PageRecoveryPlan);
    page(w, catalogue::PageRecoveryPlan);
    ASSERT_EQ(w.TextKind, 0);
    ASSERT_EQ(w.UnsavedChanges, 0);
    w.Rtext3.type(QStringLiteral("Call tree updated."));
    EXPECT_EQ(w.UnsavedChanges, 1);
}

}  // namespace

namespace {

// The editor's Exit with unsaved typing: Yes to the save question writes the document shown.
class EditorExitTest : public hubtest::HubTest, public ::testing::WithParamInterface<int> {};

TEST_P(EditorExitTest, YesSavesTheDocumentShownBeforeLeavingForTheFirstPage) {
    const int pageShown = GetParam();
    WorkArea1& w = openHub();
    answerPageBoxes(pageShown);
    page(w, pageShown);
    QString file = QStringLiteral("DRPln1.Fil");
    if (pageShown == catalogue::PageAdministrative) {
        w.SSCommand14[3].click();
        w.SSOption3.click();
        file = QStringLiteral("Action3.Fil");
    }
    w.Rtext3.setSelStart(w.Rtext3.textLength());
    w.Rtext3.type(QStringLiteral("Typed before leaving."));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    w.SSCommand7.click();
    EXPECT_EQ(w.AreaMode, 0);
    EXPECT_TRUE(folder->read(file).contains("Typed before leaving.")) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pages, EditorExitTest,
                         ::testing::Values(int(catalogue::PageAdministrative), int(catalogue::PageRecoveryPlan)));

}  // namespace
