// The Action Area's Options menu: Copy to Clipboard enabled by what the editor holds and saying
// whether the copy was made, the grid wallpaper shown, stored and back after a restart, and
// the entries that run the page's spell check and thesaurus.
#include "tests/workbook/HubFixture.h"

using namespace platform;

namespace {

class OptionsMenuTest : public hubtest::HubTest {};

TEST_F(OptionsMenuTest, CopyToClipboardIsEnabledExactlyWhenTheEditorHoldsText) {
    WorkArea1& w = openSpec(1);
    w.mO.click();
    EXPECT_FALSE(w.mOClip.enabled());
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("   "));
    w.mO.click();
    EXPECT_FALSE(w.mOClip.enabled());
    w.Rtext3.type(QStringLiteral("Risk analysis done."));
    w.mO.click();
    EXPECT_TRUE(w.mOClip.enabled());
    // A read-only reference view counts too.
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption6.click();
    w.mO.click();
    EXPECT_TRUE(w.mOClip.enabled());
}

TEST_F(OptionsMenuTest, CopyToClipboardPutsTheRichTextThereAndSaysWhetherItGotThere) {
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Bold words"));
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);
    w.Rtext3.setSelBold(true);
    dialogs->answer(QStringLiteral("Copy Option"), Answer::OK);
    w.mO.click();
    w.mOClip.click();
    ASSERT_EQ(clipboard->rtfs.size(), 1u);
    EXPECT_EQ(clipboard->rtfs[0], w.Rtext3.rtfBytes());
    EXPECT_TRUE(clipboard->rtfs[0].contains("\\b Bold"));
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("A copy has been copied to the Windows Clipboard."));
    EXPECT_EQ(dialogs->shown().back().flags, Msg::Information | Msg::OKOnly);

    clipboard->result = false;
    dialogs->answer(QStringLiteral("Copy Option"), Answer::OK);
    w.mOClip.click();
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("The copy could not be put on the Windows Clipboard."));
}

TEST_F(OptionsMenuTest, AWallpaperIsShownStoredAndBackAfterARestart) {
    folder->copyContent();
    WorkArea1& w = openHub();
    w.mOGrid1[3]->click();
    EXPECT_TRUE(w.VSGd1.hasWallPaper());
    EXPECT_TRUE(w.VSGd2.hasWallPaper());
    for (int i = 0; i < 9; ++i) EXPECT_EQ(w.mOGrid1[std::size_t(i)]->checked(), i == 3) << i;
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(20, 20), hubtest::statusRecord("3"));

    startAgain();
    SplashShown = 99;
    WorkArea1& again = openHub();
    EXPECT_TRUE(again.VSGd1.hasWallPaper());
    EXPECT_EQ(again.VSGd1.wallPaper().size(), QImage(folder->file(QStringLiteral("WP3.jpg"))).size());
    EXPECT_TRUE(again.mOGrid1[3]->checked());

    again.mOGrid1[0]->click();
    EXPECT_FALSE(again.VSGd1.hasWallPaper());
    EXPECT_FALSE(again.VSGd2.hasWallPaper());
    EXPECT_EQ(again.VSGd1.backColor(), again.Rtext3.backColor());
    EXPECT_EQ(again.VSGd2.backColor(), again.Rtext3.backColor());
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(20, 20), hubtest::statusRecord("0"));
}

TEST_F(OptionsMenuTest, AMissingPictureLeavesTheGridWithoutWallpaperButTheChoiceStands) {
    WorkArea1& w = openHub();  // no content copied: WP5.jpg is not there
    w.mOGrid1[5]->click();
    EXPECT_FALSE(w.VSGd1.hasWallPaper());
    EXPECT_TRUE(w.mOGrid1[5]->checked());
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(20, 20), hubtest::statusRecord("5"));
}

}  // namespace
