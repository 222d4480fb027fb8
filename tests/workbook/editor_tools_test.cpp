// The editor's Text Location options and Font Select, as a person formats a document.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"

using namespace platform;

namespace {

class EditorToolsTest : public hubtest::HubTest {
protected:
    WorkArea1& actionTaken() {
        WorkArea1& w = openHub();
        page(w, catalogue::PageAdministrative);
        w.SSCommand14[0].click();
        w.SSOption3.click();
        w.Rtext3.type(QStringLiteral("Risk analysis finished in March.\rReviewed yearly."));
        return w;
    }
};

struct AlignCase {
    int option;     // "Left", "Center", "Right"
    int alignment;  // the editor's code
};

class TextLocationTest : public EditorToolsTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(TextLocationTest, AnOptionAlignsTheParagraphAndAClickShowsItAgain) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(35);
    w.SSOption8[GetParam().option].click();
    EXPECT_EQ(w.Rtext3.selAlignment(), GetParam().alignment);
    w.Rtext3.setSelStart(0);
    EXPECT_EQ(w.Rtext3.selAlignment(), 0);  // the first paragraph is untouched
    EXPECT_EQ(w.UnsavedChanges, 1);
    for (int i = 0; i < 3; ++i) w.SSOption8[i].setValue(false);
    // Clicking into the aligned paragraph selects its option.
    w.Rtext3.setSelStart(40);
    w.Rtext3.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(w.SSOption8[GetParam().option].value());
}

INSTANTIATE_TEST_SUITE_P(Options, TextLocationTest,
                         ::testing::Values(AlignCase{0, 0}, AlignCase{1, 2}, AlignCase{2, 1}));

TEST_F(EditorToolsTest, FontSelectAppliesTheChosenFontAndColourToTheSelection) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(5);
    w.Rtext3.setSelLength(8);  // "analysis"
    FontChoice chosen;
    chosen.font.name = QStringLiteral("DejaVu Serif");
    chosen.font.size = 14;
    chosen.font.bold = true;
    chosen.font.underline = true;
    chosen.color = rgb(200, 0, 0);
    dialogs->answerFont(chosen);
    w.SSCommand8.click();
    EXPECT_EQ(w.Rtext3.selStart(), 5);
    EXPECT_EQ(w.Rtext3.selLength(), 8);
    EXPECT_EQ(w.Rtext3.selBold(), true);
    EXPECT_EQ(w.Rtext3.selUnderline(), true);
    EXPECT_EQ(w.Rtext3.selFontSize(), 14.0);
    EXPECT_EQ(w.Rtext3.selColor(), rgb(200, 0, 0));
    EXPECT_EQ(w.Rtext3.selFontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(LoopIndex, 5);
    // The rest keeps its format.
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);
    EXPECT_EQ(w.Rtext3.selBold(), false);
}

TEST_F(EditorToolsTest, CancellingFontSelectKeepsFormatAndSelection) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);
    const QByteArray before = w.Rtext3.rtfBytes();
    dialogs->answerFont(std::nullopt);
    w.mOFont.click();
    EXPECT_EQ(w.Rtext3.rtfBytes(), before);
    EXPECT_EQ(w.Rtext3.selStart(), 0);
    EXPECT_EQ(w.Rtext3.selLength(), 4);
}

}  // namespace
