// The "Implementation specification" view of the editor: the entry's rule text shown
// read-only with its name marked, nothing to save, the editing tools off and Print on; the
// Actions options bring the user's document back.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RuleText.h"

using namespace platform;

namespace {

QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

class ReferenceViewTest : public hubtest::HubTest, public ::testing::WithParamInterface<int> {};

TEST_P(ReferenceViewTest, ShowsTheMarkedRuleReadOnlyAndActionTakenBringsTheDocumentBack) {
    const int k = GetParam();
    folder->write(QStringLiteral("Action%1.Fil").arg(k - 1), QByteArray("{\\rtf1\\ansi Our own action text.\\par}"));
    WorkArea1& w = openSpec(k);
    w.SSOption3.click();
    ASSERT_EQ(w.Rtext3.text().trimmed(), QStringLiteral("Our own action text."));

    w.SSOption6.click();
    const QString expected = QString::fromStdString(catalogue::composeRuleText(k));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(w.Rtext3.text(), expected);
    EXPECT_TRUE(w.Rtext3.locked());
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(w.SSOption3.value() || w.SSOption4.value() || w.SSOption5.value());
    // The name is bold and underlined where it stands; the text before it is not.
    const QString name = u8(catalogue::ruleText(k).highlight);
    const int at = int(expected.indexOf(name, 0, Qt::CaseInsensitive));
    ASSERT_GT(at, 0) << name.toStdString();
    w.Rtext3.setSelStart(at);
    w.Rtext3.setSelLength(int(name.size()));
    EXPECT_EQ(w.Rtext3.selBold(), true);
    EXPECT_EQ(w.Rtext3.selUnderline(), true);
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(at);
    EXPECT_EQ(w.Rtext3.selBold(), false);
    // Print stays on; saving and editing tools are off, in the menu too.
    EXPECT_TRUE(w.SSCommand5.enabled());
    EXPECT_TRUE(w.mOPrint.enabled());
    for (SSCommand* b : {&w.SSCommand2, &w.SSCommand6, &w.SSCommand8, &w.SSCommand9, &w.SSCommand10})
        EXPECT_FALSE(b->enabled()) << b->name().toStdString();
    for (Menu* m : {&w.mOSave, &w.mOFont, &w.mOThes, &w.mOSpell}) EXPECT_FALSE(m->enabled());
    EXPECT_FALSE(w.SSFrame4.enabled());
    // The locked editor refuses typing, and Save writes nothing.
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("x"));
    EXPECT_EQ(w.Rtext3.text(), expected);
    EXPECT_EQ(w.UnsavedChanges, 0);

    w.SSOption3.click();
    EXPECT_FALSE(w.SSOption6.value());
    EXPECT_EQ(w.Rtext3.text().trimmed(), QStringLiteral("Our own action text."));
    EXPECT_FALSE(w.Rtext3.locked());
    EXPECT_EQ(w.TextKind, 3);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(w.SSCommand6.enabled());
    EXPECT_TRUE(dialogs->shown().empty());
}

// One entry of each page that has implementation specifications, first and last entries.
INSTANTIATE_TEST_SUITE_P(Entries, ReferenceViewTest, ::testing::Values(1, 23, 26, 38, 44, 47),
                         [](const auto& info) { return "k" + std::to_string(info.param); });

TEST_F(ReferenceViewTest, UnsavedTypingIsOfferedFirstAndNoDiscardsIt) {
    WorkArea1& w = openSpec(24);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Facility plan drafted."));
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSOption6.click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_FALSE(folder->exists(QStringLiteral("Action23.Fil")));
    EXPECT_EQ(w.Rtext3.text(), QString::fromStdString(catalogue::composeRuleText(24)));
    EXPECT_EQ(w.UnsavedChanges, 0);
}

TEST_F(ReferenceViewTest, ThePrintFontBecomesTheEditorsFontAndKeepsItsColour) {
    WorkArea1& w = openSpec(5);
    PrintFontColor = rgb(200, 0, 0);
    PrintFontName = QStringLiteral("Courier");
    PrintFontBold = true;
    w.SSOption6.click();
    const Font f = w.Rtext3.font();
    EXPECT_EQ(PrintFontName, f.name);
    EXPECT_EQ(PrintFontSize, f.size);
    EXPECT_EQ(PrintFontBold, f.bold);
    EXPECT_EQ(PrintFontItalic, f.italic);
    EXPECT_EQ(PrintFontColor, rgb(200, 0, 0));
    EXPECT_EQ(w.RText1[0].font().name, f.name);
}

// The next entry shows its own rule text in the same view.
TEST_F(ReferenceViewTest, AnotherEntryShowsItsOwnRuleText) {
    WorkArea1& w = openSpec(1);
    w.SSOption6.click();
    w.SSCommand14[4].click();
    EXPECT_TRUE(w.SSOption6.value());
    EXPECT_EQ(w.Rtext3.text(), QString::fromStdString(catalogue::composeRuleText(catalogue::specNumber(2, 4))));
    EXPECT_TRUE(w.Rtext3.locked());
}

// The view's Print opens the panel as a specification page with this text's box ticked.
TEST_F(ReferenceViewTest, PrintOpensTheSpecificationPageWithTheRuleTextChosen) {
    WorkArea1& w = openSpec(34);
    w.SSOption6.click();
    w.SSCommand5.click();
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(w.SSCheck80[0].caption(), QStringLiteral("Implementation specification"));
    EXPECT_EQ(w.SSCheck80[1].caption(), QStringLiteral("References in Rule"));
    EXPECT_EQ(w.SSCheck80[0].value(), 1);
    EXPECT_EQ(w.SSCheck80[1].value(), 0);
    for (int i = 0; i <= 2; ++i) EXPECT_TRUE(w.SSCheck80[i].enabled()) << i;
    EXPECT_EQ(w.RText1[0].text(), w.Rtext3.text());
    EXPECT_EQ(w.Panel3D80[0].caption(), QStringLiteral(" ") + PrintFontName);
}

}  // namespace
