// Spell check of the editor: the correction table before the dictionary, each correction made
// where the word stands so the formatting stays, the word shown selected, Help, the closing
// message, and a missing dictionary.
#include "platform/Spelling.h"
#include "tests/workbook/HubFixture.h"

#include <QTemporaryDir>

using namespace platform;

namespace {

const QString SpellCheckTitle = QStringLiteral("Spell Check");
const QString EndOfDocument = QStringLiteral("Spell Check has been canceled or has reached the end of your document");

class SpellCheckTest : public hubtest::HubTest {
protected:
    // A worksheet from its template, the user's sentence typed at its start.
    WorkArea1& worksheetWithTemplate() {
        folder->copyContent();
        WorkArea1& w = openHub();
        page(w, catalogue::PageWorksheets);
        w.SSCommand12[0].click();
        w.SSCommand2.click();
        return w;
    }
};

TEST_F(SpellCheckTest, TheTableCorrectsTehTheDictionaryOffersReceiveAndBoldStaysBold) {
    WorkArea1& w = worksheetWithTemplate();
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("Teh risk we recieve\r"));
    // The typed line plain (it takes the format of the template's heading), "risk we" bold.
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(19);
    w.Rtext3.setSelBold(false);
    w.Rtext3.setSelStart(4);
    w.Rtext3.setSelLength(7);
    w.Rtext3.setSelBold(true);
    const QString templateRest = w.Rtext3.text().mid(21);
    const QByteArray before = w.Rtext3.rtfBytes();

    spelling->change();                           // Teh -> The, the table's correction
    spelling->change(QStringLiteral("receive"));  // the dictionary's suggestion
    spelling->ignoreEverything();                 // whatever the template holds
    dialogs->answer(SpellCheckTitle, Answer::OK);
    w.SSCommand10.click();

    ASSERT_GE(spelling->asked().size(), 2u);
    EXPECT_EQ(spelling->asked()[0].word, QStringLiteral("Teh"));
    EXPECT_EQ(spelling->asked()[0].suggestions.first(), QStringLiteral("The"));
    EXPECT_EQ(spelling->asked()[1].word, QStringLiteral("recieve"));
    EXPECT_TRUE(spelling->asked()[1].suggestions.contains(QStringLiteral("receive")));
    EXPECT_TRUE(w.Rtext3.text().startsWith(QStringLiteral("The risk we receive\r\n")));
    EXPECT_EQ(w.Rtext3.text().mid(21), templateRest);
    w.Rtext3.setSelStart(4);
    w.Rtext3.setSelLength(7);
    EXPECT_EQ(w.Rtext3.selBold(), true);
    w.Rtext3.setSelStart(12);
    w.Rtext3.setSelLength(7);
    EXPECT_EQ(w.Rtext3.selBold(), false);
    EXPECT_NE(w.Rtext3.rtfBytes(), before);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(dialogs->shown().back().text, EndOfDocument);
    EXPECT_FALSE(pointer->hourglass());
}

// A corrected word takes the format it had: a bold word stays bold, the text around it too.
TEST_F(SpellCheckTest, ACorrectedWordKeepsItsOwnFormat) {
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Plain recieve and teh end."));
    w.Rtext3.setSelStart(6);
    w.Rtext3.setSelLength(7);  // "recieve"
    w.Rtext3.setSelBold(true);
    w.Rtext3.setSelItalic(true);
    spelling->change(QStringLiteral("receive"));
    spelling->change();
    dialogs->answer(SpellCheckTitle, Answer::OK);
    w.SSCommand10.click();
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Plain receive and the end."));
    w.Rtext3.setSelStart(6);
    w.Rtext3.setSelLength(7);
    EXPECT_EQ(w.Rtext3.selBold(), true);
    EXPECT_EQ(w.Rtext3.selItalic(), true);
    w.Rtext3.setSelStart(18);
    w.Rtext3.setSelLength(3);
    EXPECT_EQ(w.Rtext3.selBold(), false);
}

TEST_F(SpellCheckTest, TheWordAskedAboutIsSelectedAndHelpOpensItsTopic) {
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Our nexxt step."));
    int start = -1, length = -1;
    bool hidden = true;
    // A look at the editor while the dialog asks.
    w.VSSpell1.BadWord = [&] {
        w.VSSpell1_BadWord();
        start = w.Rtext3.selStart();
        length = w.Rtext3.selLength();
        hidden = w.Rtext3.hideSelection();
    };
    spelling->pressHelp();
    spelling->ignore();
    dialogs->answer(SpellCheckTitle, Answer::OK);
    w.mOSpell.click();
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 5);
    EXPECT_FALSE(hidden);
    EXPECT_TRUE(w.Rtext3.hideSelection());
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 5050);
    EXPECT_TRUE(help->calls[0].first.endsWith(QStringLiteral("QUORVANE.hlp"), Qt::CaseInsensitive));
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Our nexxt step."));
    EXPECT_EQ(w.Rtext3.selStart(), 1);
}

TEST_F(SpellCheckTest, ATextWithoutMisspellingsOnlyShowsTheClosingMessage) {
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("The risk we receive is reviewed."));
    dialogs->answer(SpellCheckTitle, Answer::OK);
    w.SSCommand10.click();
    EXPECT_EQ(spelling->sessionsOpened(), 0);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text, EndOfDocument);
    EXPECT_EQ(dialogs->shown()[0].flags, Msg::Information | Msg::OKOnly);
}

TEST_F(SpellCheckTest, AMissingDictionaryIsReportedAndNothingIsChecked) {
    QTemporaryDir empty;
    setDictionaryFolders({empty.path()}, defaultThesaurusFolders());
    WorkArea1& w = openSpec(1);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Teh end."));
    dialogs->answer(SpellCheckTitle, Answer::OK);
    w.SSCommand10.click();
    resetDictionaryFolders();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown()[0].text.startsWith(QStringLiteral(
        "Spell Check is not available: the English (US) spelling dictionary could not be found.\r")));
    EXPECT_EQ(dialogs->shown()[0].flags, Msg::Critical | Msg::OKOnly);
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Teh end."));
    EXPECT_FALSE(pointer->hourglass());
}

TEST_F(SpellCheckTest, TheTableIsHandedOverWholeAtLoad) {
    WorkArea1& w = openHub();
    ASSERT_EQ(w.VSSpell1.correctionCount(), 243);
    EXPECT_EQ(w.VSSpell1.correctionMisspelling(0), QStringLiteral("abbout"));
    EXPECT_EQ(w.VSSpell1.correctionMisspelling(156), QStringLiteral("reccomend"));
    EXPECT_EQ(w.VSSpell1.correctionMisspelling(158), QStringLiteral("reccomend"));
    EXPECT_EQ(w.VSSpell1.correctionReplacement(242), QStringLiteral("your"));
}

}  // namespace
