// The editor's Text Location options, Font Select, the Thesaurus and the Tab key, as a person
// formats and writes a document.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Spelling.h"
#include "tests/support/platform/RealInput.h"

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

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
    testsupport::clickInText(w.Rtext3, 40);
    EXPECT_TRUE(w.SSOption8[GetParam().option].value());
}

INSTANTIATE_TEST_SUITE_P(Options, TextLocationTest,
                         ::testing::Values(AlignCase{0, 0}, AlignCase{1, 2}, AlignCase{2, 1}));

// "Text Location" where it cannot be used looks so: its options are drawn greyed, not in the
// black of options that can be used.
struct LocationState {
    const char* name;
    bool enabled;
    void (*reach)(WorkArea1& w);
};

class TextLocationLookTest : public EditorToolsTest, public ::testing::WithParamInterface<LocationState> {
protected:
    // The darkest pixel of the options as drawn (0 black .. 255 white).
    static int darkest(WorkArea1& w) {
        int least = 255;
        for (auto& [i, option] : w.SSOption8) {
            const QImage img = option->widget()->grab().toImage();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) least = std::min(least, qGray(img.pixel(x, y)));
        }
        return least;
    }
};

TEST_P(TextLocationLookTest, DrawnAsUsableOnlyWhereItIs) {
    WorkArea1& w = openHub();
    GetParam().reach(w);
    doEvents();
    ASSERT_EQ(w.SSFrame4.enabled(), GetParam().enabled);
    if (GetParam().enabled) EXPECT_LT(darkest(w), 80);
    else EXPECT_GT(darkest(w), 100);
}

INSTANTIATE_TEST_SUITE_P(
    States, TextLocationLookTest,
    ::testing::Values(LocationState{"ActionTaken", true,
                                    [](WorkArea1& w) {
                                        w.SSCommand11[catalogue::PageAdministrative].click();
                                        w.SSOption3.click();
                                    }},
                      LocationState{"RuleText", false,
                                    [](WorkArea1& w) {
                                        w.SSCommand11[catalogue::PageAdministrative].click();
                                        w.SSOption6.click();
                                    }},
                      LocationState{"ReferencesInRule", false,
                                    [](WorkArea1& w) {
                                        w.SSCommand11[catalogue::PagePhysical].click();
                                        w.SSOption2.click();
                                    }},
                      LocationState{"WorksheetsBeforeOneIsChosen", false,
                                    [](WorkArea1& w) { w.SSCommand11[catalogue::PageWorksheets].click(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// An empty worksheet opened after a centred paragraph was clicked shows no alignment of that
// document.
TEST_F(EditorToolsTest, AnEmptyWorksheetShowsNoAlignmentOfTheDocumentBefore) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(35);
    w.SSOption8[1].click();
    w.Rtext3.raiseMouseUp(Mouse::Left, 0, 0, 0);
    ASSERT_TRUE(w.SSOption8[1].value());
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[0].click();
    ASSERT_TRUE(w.Rtext3.text().isEmpty());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(w.SSOption8[i].value()) << i;
}

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

// ---- the Thesaurus ---------------------------------------------------------------------------

namespace {

class ThesaurusTest : public EditorToolsTest {};

TEST_F(ThesaurusTest, NothingSelectedAsksForAWord) {
    WorkArea1& w = actionTaken();
    dialogs->answer(QStringLiteral("Thesaurus"), Answer::OK);
    w.SSCommand9.click();
    EXPECT_EQ(dialogs->shown().back().text, QStringLiteral("Please highlight word you desire to look up!"));
    EXPECT_EQ(dialogs->shown().back().flags, Msg::Question | Msg::OKOnly);
    EXPECT_EQ(spelling->thesaurusShown(), 0);
}

// "Risk analysis finished ...": the word with the blank after it is selected.
TEST_F(ThesaurusTest, TheWordAloneIsLookedUpAndReplacedKeepingWhatFollowsIt) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(5);  // "Risk "
    spelling->thesaurus(QStringLiteral("Hazard"));
    w.mOThes.click();
    ASSERT_EQ(spelling->lookedUp().size(), 1u);
    EXPECT_EQ(spelling->lookedUp()[0].word, QStringLiteral("Risk"));
    ASSERT_FALSE(spelling->lookedUp()[0].meanings.isEmpty());
    EXPECT_TRUE(spelling->lookedUp()[0].meanings[1].synonyms.contains(QStringLiteral("danger")));
    EXPECT_TRUE(w.Rtext3.text().startsWith(QStringLiteral("Hazard analysis finished")));
    EXPECT_EQ(w.UnsavedChanges, 1);

    // "March." with its full stop: the word alone; a cancelled lookup changes nothing.
    const QString before = w.Rtext3.text();
    w.Rtext3.setSelStart(int(before.indexOf(QStringLiteral("March."))));
    w.Rtext3.setSelLength(6);
    spelling->thesaurus(std::nullopt);
    w.SSCommand9.click();
    EXPECT_EQ(spelling->lookedUp().back().word, QStringLiteral("March"));
    EXPECT_EQ(w.Rtext3.text(), before);
}

TEST_F(ThesaurusTest, OnlyBlanksAndPunctuationLookUpAnEmptyWord) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(31);
    w.Rtext3.setSelLength(1);  // the full stop after "March"
    spelling->thesaurus(std::nullopt);
    w.SSCommand9.click();
    ASSERT_EQ(spelling->lookedUp().size(), 1u);
    EXPECT_EQ(spelling->lookedUp()[0].word, QString());
    EXPECT_TRUE(spelling->lookedUp()[0].meanings.isEmpty());
}

TEST_F(ThesaurusTest, AReplacementThatWouldPassTheLimitIsRefusedAndSaysSo) {
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(w.Rtext3.textLength());
    w.Rtext3.type(QString(3000 - w.Rtext3.textLength() - 2, QLatin1Char('x')));
    ASSERT_EQ(w.Rtext3.textLength(), 2998);
    const QString before = w.Rtext3.text();
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);  // "Risk": 4 characters; "jeopardy" is 8
    spelling->thesaurus(QStringLiteral("jeopardy"));
    dialogs->answer(QStringLiteral("Thesaurus"), Answer::OK);
    w.SSCommand9.click();
    EXPECT_EQ(dialogs->shown().back().text,
              QStringLiteral("The replacement would make the document longer than the 3000 characters it can hold,\r"
                             "so it was not made."));
    EXPECT_EQ(w.Rtext3.text(), before);
    // One that fits is made.
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);
    spelling->thesaurus(QStringLiteral("perils"));
    w.SSCommand9.click();
    EXPECT_EQ(w.Rtext3.textLength(), 3000);
}

TEST_F(ThesaurusTest, AMissingThesaurusIsReported) {
    QTemporaryDir empty;
    setDictionaryFolders(defaultSpellingFolders(), {empty.path()});
    WorkArea1& w = actionTaken();
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(4);
    dialogs->answer(QStringLiteral("Thesaurus"), Answer::OK);
    w.SSCommand9.click();
    resetDictionaryFolders();
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(
        QStringLiteral("The Thesaurus is not available: the English (US) thesaurus could not be found.\r")));
    EXPECT_EQ(spelling->thesaurusShown(), 0);
}

// ---- focus and the Tab key -------------------------------------------------------------------

TEST_F(EditorToolsTest, TabStaysInTheEditorWhileItHasTheFocus) {
    WorkArea1& w = actionTaken();
    ASSERT_TRUE(w.SSCommand6.tabStop());
    w.Rtext3.setFocus();
    ASSERT_TRUE(w.Rtext3.hasFocus());
    EXPECT_FALSE(w.SSCommand6.tabStop());
    EXPECT_FALSE(w.Combo1.tabStop());
    w.Rtext3.setSelStart(0);
    w.dispatchKey(Key::Tab, 0, 9);
    EXPECT_TRUE(w.Rtext3.text().startsWith(QStringLiteral("\tRisk"))) << w.Rtext3.text().left(20).toStdString() << "|" << w.Rtext3.selStart();
    EXPECT_TRUE(w.Rtext3.hasFocus());
    w.SSCommand6.setFocus();
    EXPECT_TRUE(w.SSCommand6.tabStop());
    EXPECT_TRUE(w.Combo1.tabStop());
}

}  // namespace
