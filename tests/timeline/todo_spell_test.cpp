// Spell check of the to-do items: every row's item through the checker, the cut to 45
// characters, the name list kept in step with a corrected item, Cancel, and Change All, whose
// correction list goes over the rows still to come, changing only what a correction changes,
// ending whatever the rows hold and going on from the row it was at.
#include "tests/timeline/ToDoFixture.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace platform;
using namespace todotest;

namespace {

const QString SpellCheckTitle = QStringLiteral("Spell Check");
const QString EndOfEntries = QStringLiteral("Spell Check has been canceled or has reached the end of your entries");
const QString NothingFound = QStringLiteral("Spell Check did not change or did not find any misspelled words!");

class ToDoSpellTest : public ToDoTest {
protected:
    WorkArea1& timelineWith(const QList<QByteArray>& items) {
        QList<QByteArray> rows;
        for (const QByteArray& i : items) rows << row(i);
        folder->write(timeline::ToDoGridFile, listOf(rows));
        return openTimeline();
    }
};

TEST_F(ToDoSpellTest, AListWithoutMisspellingsRunsThroughWithoutTheDialog) {
    WorkArea1& w = timelineWith({"Review access logs", "", "Train staff"});
    dialogs->answer(SpellCheckTitle, Answer::OK);
    press(w.SSCommand20);
    EXPECT_EQ(spelling->sessionsOpened(), 0);
    EXPECT_EQ(dialogs->shown().back().text, NothingFound);
    EXPECT_EQ(itemColumn(w, 3), (QStringList{"Review access logs", "", "Train staff"}));
    EXPECT_EQ(LoopIndex, 0);
    EXPECT_EQ(w.VSGd2.editable(), 2);
    EXPECT_EQ(w.UnsavedChanges, 0);
}

TEST_F(ToDoSpellTest, ACorrectedItemJoinsTheNameListAndANameAlreadyThereChangesNothing) {
    ASSERT_TRUE(timeline::writeToDoNames(timeline::ToDoNameList(QStringList{"Backup tapes"})));
    // Row 1 is checked like every other.
    WorkArea1& w = timelineWith({"Recieve badges", "Bakcup tapes"});
    spelling->change(QStringLiteral("Receive"));
    spelling->change(QStringLiteral("Backup"));
    dialogs->answer(SpellCheckTitle, Answer::OK);
    press(w.SSCommand20);
    EXPECT_EQ(spelling->askedWords(), (QStringList{"Recieve", "Bakcup"}));
    EXPECT_EQ(itemColumn(w, 2), (QStringList{"Receive badges", "Backup tapes"}));
    EXPECT_EQ(w.Combo2.listCount(), 2);
    EXPECT_EQ(namesFile(), lines({"Backup tapes", "Receive badges"}));
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(saveOffered(w));
    EXPECT_EQ(dialogs->shown().back().text, EndOfEntries);
    w.SSCommand19[5].click();
    EXPECT_TRUE(listFile().startsWith(row("Receive badges") + row("Backup tapes")));
}

TEST_F(ToDoSpellTest, CancelEndsTheLoopAtOnceAndTheRowsAfterAreNeitherCheckedNorCut) {
    const QByteArray sixty = "Audit the locks on every door of the clinic and its pharmacy";
    ASSERT_EQ(sixty.size(), 60);
    QList<QByteArray> items;
    for (int r = 1; r <= 14; ++r) items << (r == 12 ? "Chekc the doors" : r == 14 || r == 2 ? sixty : "Audit");
    WorkArea1& w = timelineWith(items);
    spelling->cancel();
    dialogs->answer(SpellCheckTitle, Answer::OK);
    press(w.SSCommand20);
    EXPECT_EQ(spelling->askedWords(), (QStringList{"Chekc"}));
    EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QString::fromLatin1(sixty.left(45)));  // cut to 45
    EXPECT_EQ(w.VSGd2.textMatrix(12, 1), QStringLiteral("Chekc the doors"));
    EXPECT_EQ(w.VSGd2.textMatrix(14, 1), QString::fromLatin1(sixty));
    EXPECT_EQ(dialogs->shown().back().text, EndOfEntries);
    EXPECT_EQ(LoopIndex, 0);
}

// Change All on row 2: the correction list goes over rows 3 on; a row where nothing matched is
// left as it is, "i" -> "I" ends, a word that only holds a misspelling ("otherteh") is not
// one, and the loop goes on from row 2 (rows 1 and 2 are not asked about again). Cancel at
// row 5 leaves the rows after it as the corrections left them, the long row uncut.
TEST_F(ToDoSpellTest, ChangeAllCorrectsTheLaterRowsAndTheLoopGoesOnFromWhereItWas) {
    const QByteArray sixty = "Nothing to correct in this row of sixty characters, truly ok";
    ASSERT_EQ(sixty.size(), 60);
    WorkArea1& w = timelineWith({"Budget", "Teh plan", "Alot of teh work", "otherteh and i think I know", "Lokced keys",
                                 "alot", sixty, "their are two"});
    spelling->changeAll();  // row 2: Teh -> The
    spelling->ignore();     // row 4: otherteh
    spelling->cancel();     // row 5: Lokced
    dialogs->answer(SpellCheckTitle, Answer::OK);
    press(w.SSCommand20);
    EXPECT_EQ(spelling->askedWords(), (QStringList{"Teh", "otherteh", "Lokced"}));
    EXPECT_EQ(itemColumn(w, 8), (QStringList{"Budget", "The plan", "A lot of the work", "otherteh and I think I know",
                                             "Lokced keys", "a lot", QString::fromLatin1(sixty), "there are two"}));
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(LoopIndex, 0);
}

TEST_F(ToDoSpellTest, AFullListOfFiveHundredRowsWithAFewMisspellingsEnds) {
    QList<QByteArray> items;
    for (int r = 1; r <= 500; ++r) {
        QByteArray item = "Review item " + QByteArray::number(r) + " with the team";
        if (r == 3) item = "Chekc the locks";
        if (r == 250) item = "Teh annual review";
        if (r == 499) item = "Recieve new keys";
        items << item;
    }
    WorkArea1& w = timelineWith(items);
    spelling->change(QStringLiteral("Check"));
    spelling->changeAll();  // the correction list then also corrects row 499
    dialogs->answer(SpellCheckTitle, Answer::OK);
    QElapsedTimer timer;
    timer.start();
    press(w.SSCommand20);
    EXPECT_EQ(spelling->askedWords(), (QStringList{"Chekc", "Teh"}));
    EXPECT_EQ(w.VSGd2.textMatrix(3, 1), QStringLiteral("Check the locks"));
    EXPECT_EQ(w.VSGd2.textMatrix(250, 1), QStringLiteral("The annual review"));
    EXPECT_EQ(w.VSGd2.textMatrix(499, 1), QStringLiteral("Receive new keys"));
    EXPECT_EQ(w.VSGd2.textMatrix(500, 1), QStringLiteral("Review item 500 with the team"));
    EXPECT_EQ(dialogs->shown().back().text, EndOfEntries);
    EXPECT_LT(timer.elapsed(), 60000);
}

TEST_F(ToDoSpellTest, AMissingDictionaryIsReportedAndTheListIsLeftAlone) {
    QTemporaryDir empty;
    setDictionaryFolders({empty.path()}, defaultThesaurusFolders());
    WorkArea1& w = timelineWith({"Chekc the doors"});
    dialogs->answer(SpellCheckTitle, Answer::OK);
    press(w.SSCommand20);
    resetDictionaryFolders();
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(QStringLiteral("Spell Check is not available")));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Chekc the doors"));
}

}  // namespace
