// The hub's life cycle: Load's settings, Activate's return to the first page, the keys, the
// exit and save questions, Unload, and a restart in the same folder.
#include "HubFixture.h"

#include "frame/SharedBehaviours.h"

#include <QBuffer>
#include <QImage>

using namespace platform;

namespace {

QByteArray displayRecords(const QByteArray& wallpaper, const QByteArray& guideLines) {
    QByteArray file(20 * 11, '\0');
    file.replace(20, 20, hubtest::statusRecord(wallpaper));
    file.replace(200, 20, hubtest::statusRecord(guideLines));
    return file;
}

QByteArray jpeg() {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

class HubLifeTest : public hubtest::HubTest {};

TEST_F(HubLifeTest, FirstStartOpensOnTheAdministrativeOverview) {
    WorkArea1& w = openHub();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(defaultInstance<Startfrm>().isVisible());
    EXPECT_EQ(w.caption(), QStringLiteral("Action Area - HIPAA Security Standards - Administrative Safeguards"));
    EXPECT_EQ(w.AreaMode, 0);
    EXPECT_TRUE(w.SSPanel3[0].visible());
    EXPECT_FALSE(w.SSPanel1.visible());
    EXPECT_EQ(w.VSGd1.rows(), 10);
    EXPECT_TRUE(w.mOGrid1[0]->checked());
    EXPECT_FALSE(w.VSGd1.hasWallPaper());
    EXPECT_TRUE(w.SSOption82[0].value());
    EXPECT_EQ(w.SSCommand4[0].foreColor(), paletteColor(9));
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_TRUE(w.SSCheck80[0].value() && w.SSCheck80[1].value() && w.SSCheck81[0].value() && w.SSCheck81[1].value());
    EXPECT_EQ(w.Panel3D80[2].caption(), QStringLiteral(" Portrait"));
    for (int n = 0; n <= 70; ++n) EXPECT_TRUE(w.SpecStatus[std::size_t(n)].isEmpty());
    EXPECT_TRUE(dialogs->shown().empty());
}

// Load restores the print options without storing them; once it is done, a choice is the
// user's again.
TEST_F(HubLifeTest, TheRestoringMarkerEndsWithLoad) {
    openHub();
    EXPECT_EQ(LoopIndex, 0);
}

TEST_F(HubLifeTest, TheDateLineUsesEnglishMonthNames) {
    clock->setDate(2005, 1, 6);
    WorkArea1& w = openHub();
    EXPECT_EQ(w.Label10.caption(), QStringLiteral("Date: January 6, 2005"));
}

struct WallpaperCase {
    const char* stored;
    int checked;  // -1: no entry checked
    bool picture;
};

class WallpaperTest : public hubtest::HubTest, public ::testing::WithParamInterface<WallpaperCase> {};

TEST_P(WallpaperTest, OnlyZeroToEightAreMenuEntries) {
    const WallpaperCase c = GetParam();
    folder->write(QStringLiteral("GColor3.Fil"), displayRecords(c.stored, "0"));
    for (int n = 1; n <= 9; ++n) folder->write(QStringLiteral("WP%1.jpg").arg(n), jpeg());
    WorkArea1& w = openHub();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(w.mOGrid1[std::size_t(i)]->checked(), i == c.checked) << i;
    EXPECT_EQ(w.VSGd1.hasWallPaper(), c.picture);
    EXPECT_EQ(w.VSGd2.hasWallPaper(), c.picture);
}

INSTANTIATE_TEST_SUITE_P(Records, WallpaperTest,
                         ::testing::Values(WallpaperCase{"", 0, false}, WallpaperCase{"0", 0, false},
                                           WallpaperCase{"3", 3, true}, WallpaperCase{"8", 8, true},
                                           WallpaperCase{"9", -1, false}, WallpaperCase{"12", -1, false},
                                           WallpaperCase{"-1", -1, false}));

TEST_F(HubLifeTest, AMissingWallpaperPictureLeavesTheGridsPlain) {
    folder->write(QStringLiteral("GColor3.Fil"), displayRecords("4", "0"));
    WorkArea1& w = openHub();
    EXPECT_TRUE(w.mOGrid1[4]->checked());
    EXPECT_FALSE(w.VSGd1.hasWallPaper());
}

struct GuideLineCase {
    const char* stored;
    int option;
};

class GuideLineTest : public hubtest::HubTest, public ::testing::WithParamInterface<GuideLineCase> {};

TEST_P(GuideLineTest, OneSelectsTheGuideLinesAnythingElseNot) {
    folder->write(QStringLiteral("GColor3.Fil"), displayRecords("0", GetParam().stored));
    WorkArea1& w = openHub();
    EXPECT_TRUE(w.SSOption82[GetParam().option].value());
    EXPECT_FALSE(w.SSOption82[1 - GetParam().option].value());
}

INSTANTIATE_TEST_SUITE_P(Records, GuideLineTest,
                         ::testing::Values(GuideLineCase{"1", 1}, GuideLineCase{"0", 0}, GuideLineCase{"", 0},
                                           GuideLineCase{"2", 0}, GuideLineCase{"yes", 0}));

// ---- Activate ------------------------------------------------------------------------------

TEST_F(HubLifeTest, AnActivationWithoutARequestReturnsToTheFirstPage) {
    WorkArea1& w = openHub();
    page(w, 4);
    w.Form_Activate();
    EXPECT_EQ(w.AreaMode, 0);
    EXPECT_TRUE(w.SSPanel3[0].visible());
    EXPECT_EQ(w.caption(), QStringLiteral("Action Area - HIPAA Security Standards - Administrative Safeguards"));
}

// A served exit request opens no window, so the hub must not stay covered without a page.
TEST_F(HubLifeTest, AnExitRequestAtActivationLeavesTheHubUsableOnTheFirstPage) {
    WorkArea1& w = openHub();
    page(w, 3);
    RequestedArea = 4;
    w.Form_Activate();
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_FALSE(w.SSPanel5.visible());
    EXPECT_EQ(w.AreaMode, 0);
    EXPECT_TRUE(w.SSPanel3[0].visible());
    EXPECT_FALSE(pointer->hourglass());
}

// ---- keys ----------------------------------------------------------------------------------

struct HelpCase {
    int page;
    bool printPanel;
    int topic;
};

class HelpKeyTest : public hubtest::HubTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpKeyTest, F1OpensTheTopicOfWhatTheWindowShows) {
    const HelpCase c = GetParam();
    WorkArea1& w = openHub();
    answerPageBoxes(c.page);
    page(w, c.page);
    w.SSPanel80.setVisible(c.printPanel);
    help->calls.clear();
    w.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, c.topic);
    help->calls.clear();
    w.mHSceen.click();
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, c.topic);
}

INSTANTIATE_TEST_SUITE_P(Topics, HelpKeyTest,
                         ::testing::Values(HelpCase{0, false, 3010}, HelpCase{1, false, 2009}, HelpCase{2, false, 3010},
                                           HelpCase{6, false, 3010}, HelpCase{7, false, 3044},
                                           HelpCase{8, false, 3048}, HelpCase{9, false, 3010},
                                           HelpCase{7, true, 1014}, HelpCase{0, true, 1014}));

TEST_F(HubLifeTest, EscWithoutThePrintPanelAsksTheExitQuestion) {
    WorkArea1& w = openHub();
    page(w, 2);
    dialogs->answer(QStringLiteral("Exit"), Answer::No);
    w.dispatchKey(Key::Escape, 0, 27);
    const auto asked = dialogs->shownWithTitle(QStringLiteral("Exit"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Exit Quorvane?"));
    EXPECT_EQ(asked[0].flags, Msg::Question | Msg::YesNoCancel);
    EXPECT_FALSE(runtime().ended());
    EXPECT_EQ(w.AreaMode, 2);  // the open page stays
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_EQ(w.SSCommand4[0].foreColor(), paletteColor(9));
    EXPECT_EQ(w.SSCommand4[4].foreColor(), paletteColor(0));
}

TEST_F(HubLifeTest, EscWithAPanelOpenClosesThatPanelFirstAndAsksNothing) {
    WorkArea1& w = openHub();
    w.SSPanel4.setVisible(true);
    w.SSPanel80.setVisible(true);
    w.dispatchKey(Key::Escape, 0, 27);
    w.SSPanel4.setVisible(false);
    w.dispatchKey(Key::Escape, 0, 27);
    EXPECT_TRUE(dialogs->shown().empty());
}

// ---- exit and save questions ---------------------------------------------------------------

TEST_F(HubLifeTest, UnsavedTypingThenExitAsksToSaveFirstThenToExit) {
    for (int i = 0; i < 3; ++i) folder->write(QStringLiteral("Misc%1.Hlp").arg(i), "{\\rtf1 x}");
    WorkArea1& w = openHub();
    page(w, 2);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    dialogs->answer(QStringLiteral("Exit"), Answer::Yes);
    w.SSCommand4[4].click();
    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown()[0].title, QStringLiteral("Save Changes?"));
    EXPECT_EQ(dialogs->shown()[1].title, QStringLiteral("Exit"));
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(isFileHidden(QStringLiteral("Misc1.Hlp")));
}

TEST_F(HubLifeTest, ADeclinedExitKeepsTheTextButNoLongerMarksItUnsaved) {
    WorkArea1& w = openHub();
    page(w, 2);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    dialogs->answer(QStringLiteral("Exit"), Answer::Cancel);
    w.SSCommand4[4].click();
    EXPECT_FALSE(runtime().ended());
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_EQ(RequestedArea, 0);
}

TEST_F(HubLifeTest, OnTheSamplePageNothingIsAskedBeforeLeaving) {
    folder->copyContent();  // the Miscellaneous window that the tab opens shows its documents
    WorkArea1& w = openHub();
    answerPageBoxes(9);
    page(w, 9);
    // The sample's policy can be typed into (never saved).
    dialogs->answer(QStringLiteral("Policies and Procedures"), Answer::OK);
    w.SSOption5.click();
    w.Rtext3.type(QStringLiteral("typed into the sample"));
    ASSERT_EQ(w.UnsavedChanges, 1);
    w.SSCommand4[3].click();
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).empty());
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(w.SSPanel1.visible());
}

TEST_F(HubLifeTest, TheActionAreaTabOnlyRecoloursTheBar) {
    WorkArea1& w = openHub();
    page(w, 3);
    RequestedArea = 3;
    typeUnsaved(w);
    w.SSCommand4[0].click();
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_EQ(w.AreaMode, 3);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(HubLifeTest, TheEditorsExitAsksOnceThenShowsTheFirstPage) {
    WorkArea1& w = openHub();
    page(w, 4);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    w.SSCommand7.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_EQ(w.AreaMode, 0);
    EXPECT_TRUE(w.SSPanel3[0].visible());
}

class CloseBoxTest : public hubtest::HubTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseBoxTest, ClosingWithUnsavedTypingAsksOnceAndEnds) {
    WorkArea1& w = openHub();
    page(w, 2);
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), GetParam());
    w.widget()->close();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Exit")).empty());
    EXPECT_TRUE(runtime().ended());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseBoxTest, ::testing::Values(Answer::Yes, Answer::No));

TEST_F(HubLifeTest, RightButtonOverTheGridPopsUpTheOptionsMenu) {
    WorkArea1& w = openHub();
    w.VSGd1.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(popups().empty());
    w.VSGd1.rightClick();
    w.SSCommand11[3].rightClick();
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(popups()[0], QStringLiteral("mO"));
}

// ---- the road of one request, and a restart ------------------------------------------------

TEST_F(HubLifeTest, CompletedForRiskAnalysisSurvivesARestartAndShowsInTheGrid) {
    {
        WorkArea1& w = openHub();
        page(w, 2);
        w.SSCommand14[0].click();
        ASSERT_TRUE(w.Combo1.pickText(QStringLiteral("Completed")));
        EXPECT_EQ(folder->read(QStringLiteral("Stat1.Fil")).left(20), hubtest::statusRecord("Completed"));
    }
    // Everything unloaded, the program started again in the same folder.
    startAgain();
    WorkArea1& again = openHub();
    EXPECT_EQ(again.SpecStatus[1], QStringLiteral("Completed"));
    EXPECT_EQ(again.VSGd1.textMatrix(1, 4).split(QStringLiteral("\r\n")).value(0), QStringLiteral("Completed"));
    page(again, 2);
    EXPECT_EQ(again.Combo1.text(), QStringLiteral("Completed"));
}

}  // namespace
