// The spell checker and the thesaurus on Debian's en_US dictionaries: how a text is cut into
// words, the correction list before the dictionary, the user's decisions (each change reported
// where it is made), the events of a check, a missing dictionary, and the real dialogs.
#include "platform/Spelling.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace platform;

namespace {

// ---- words and letter case -------------------------------------------------------------------

struct WordsCase {
    const char* text;
    std::vector<const char*> words;
};

class WordsOfTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(WordsOfTest, CutsTheTextIntoItsWords) {
    const QString text = QString::fromUtf8(GetParam().text);
    QStringList got;
    for (const WordSpan& w : wordsOf(text)) got << text.mid(w.start, w.length);
    QStringList want;
    for (const char* w : GetParam().words) want << QString::fromUtf8(w);
    EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WordsOfTest,
    ::testing::Values(WordsCase{"", {}}, WordsCase{" ,.;: ", {}}, WordsCase{"Teh risk", {"Teh", "risk"}},
                      WordsCase{"don't stop", {"don't", "stop"}},
                      WordsCase{"it\xE2\x80\x99s", {"it\xE2\x80\x99s"}},
                      WordsCase{"'quoted' dogs' bones", {"quoted", "dogs", "bones"}},
                      WordsCase{"well-known e-mail", {"well", "known", "e", "mail"}},
                      WordsCase{"164.308(a)(1) risk", {"164", "308", "a", "1", "risk"}},
                      WordsCase{"line\r\nnext", {"line", "next"}},
                      WordsCase{"caf\xC3\xA9 na\xC3\xAFve", {"caf\xC3\xA9", "na\xC3\xAFve"}}));

struct CaseCase {
    const char* found;
    const char* correction;
    const char* result;
};

class MatchLetterCaseTest : public ::testing::TestWithParam<CaseCase> {};

TEST_P(MatchLetterCaseTest, PutsTheCorrectionInTheWordsCase) {
    EXPECT_EQ(matchLetterCase(QString::fromLatin1(GetParam().found), QString::fromLatin1(GetParam().correction)),
              QString::fromLatin1(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Words, MatchLetterCaseTest,
                         ::testing::Values(CaseCase{"teh", "the", "the"}, CaseCase{"Teh", "the", "The"},
                                           CaseCase{"TEH", "the", "THE"}, CaseCase{"Alot", "a lot", "A lot"},
                                           CaseCase{"alot", "a lot", "a lot"}, CaseCase{"i", "I", "I"},
                                           CaseCase{"I", "I", "I"}, CaseCase{"teh", "The", "the"},
                                           CaseCase{"hipaa", "HIPAA", "HIPAA"}, CaseCase{"A", "an", "An"}));

struct CorrectCase {
    const char* text;
    const char* misspelling;
    const char* correction;
    const char* result;
    int count;
};

class CorrectWholeWordsTest : public ::testing::TestWithParam<CorrectCase> {};

TEST_P(CorrectWholeWordsTest, ReplacesWholeWordsOnlyAndEnds) {
    const CorrectCase& c = GetParam();
    int count = -1;
    EXPECT_EQ(correctWholeWords(QString::fromLatin1(c.text), QString::fromLatin1(c.misspelling),
                                QString::fromLatin1(c.correction), &count),
              QString::fromLatin1(c.result));
    EXPECT_EQ(count, c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CorrectWholeWordsTest,
    ::testing::Values(CorrectCase{"Alot of teh work", "alot", "a lot", "A lot of teh work", 1},
                      CorrectCase{"alot", "alot", "a lot", "a lot", 1},
                      CorrectCase{"otherteh teh, Teh.", "teh", "the", "otherteh the, The.", 2},
                      CorrectCase{"i think I said i", "i", "I", "I think I said I", 2},
                      CorrectCase{"I", "i", "I", "I", 0},
                      CorrectCase{"their are two; Their  is one; their arena", "their are", "there are",
                                  "there are two; Their  is one; their arena", 1},
                      CorrectCase{"Their  is one", "their is", "there is", "There is one", 1},
                      CorrectCase{"teh teh", "teh", "teh teh", "teh teh teh teh", 2},
                      CorrectCase{"teh", "teh", "", "", 1}, CorrectCase{"", "teh", "the", "", 0},
                      CorrectCase{"teh", "", "the", "teh", 0}));

// ---- dictionaries ----------------------------------------------------------------------------

TEST(SpellingDictionaryTest, DebiansDictionaryIsFoundAndJudgesWords) {
    ASSERT_TRUE(spellingDictionary().available) << spellingDictionary().problem.toStdString();
    EXPECT_TRUE(dictionaryAccepts(QStringLiteral("receive")));
    EXPECT_TRUE(dictionaryAccepts(QStringLiteral("don't")));
    EXPECT_FALSE(dictionaryAccepts(QStringLiteral("recieve")));
    EXPECT_TRUE(dictionarySuggestions(QStringLiteral("recieve")).contains(QStringLiteral("receive")));
    EXPECT_TRUE(dictionaryStems(QStringLiteral("risks")).contains(QStringLiteral("risk")));
}

// Points the dictionary search at an empty folder for one test and puts it back afterwards.
class MissingDictionaries {
public:
    MissingDictionaries() { setDictionaryFolders({empty_.path()}, {empty_.path()}); }
    ~MissingDictionaries() { resetDictionaryFolders(); }
    QString path() const { return empty_.path(); }

private:
    QTemporaryDir empty_;
};

class SpellCheckerTest : public testsupport::PlatformTest {
protected:
    // Records the checker's events in order.
    void record(SpellChecker& c) {
        c.BadWord = [this, &c] {
            events << QStringLiteral("bad %1+%2").arg(c.badWordStart()).arg(c.badWordLength());
        };
        c.WordChanged = [this](int s, int n, const QString& r) { events << QStringLiteral("changed %1+%2 %3").arg(s).arg(n).arg(r); };
        c.TextChecked = [this] { events << QStringLiteral("checked"); };
        c.CheckEnd = [this](bool cancelled) { events << QStringLiteral("end %1").arg(cancelled ? "cancelled" : "done"); };
        c.UserAction = [this](int a) { events << QStringLiteral("action %1").arg(a); };
        c.HelpClick = [this] { events << QStringLiteral("help"); };
        c.DialogClose = [this] { events << QStringLiteral("close"); };
    }
    QStringList events;
};

TEST_F(SpellCheckerTest, AMissingDictionaryIsReportedAndChecksNothing) {
    MissingDictionaries missing;
    SpellChecker checker;
    EXPECT_FALSE(checker.available());
    EXPECT_TRUE(checker.problem().contains(missing.path() + QStringLiteral("/en_US.dic"))) << checker.problem().toStdString();
    record(checker);
    checker.addCorrection(QStringLiteral("teh"), QStringLiteral("the"));
    checker.check(QStringLiteral("Teh recieve"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("checked"), QStringLiteral("end done")}));
    EXPECT_EQ(checker.text(), QStringLiteral("Teh recieve"));
    Thesaurus thesaurus;
    EXPECT_FALSE(thesaurus.available());
    EXPECT_TRUE(thesaurus.problem().contains(QStringLiteral("th_en_US_v2.idx"))) << thesaurus.problem().toStdString();
    EXPECT_TRUE(Thesaurus::meaningsOf(QStringLiteral("risk")).isEmpty());
}

TEST_F(SpellCheckerTest, AnUnreadableDictionaryIsReportedNotLoaded) {
    QTemporaryDir dir;
    for (const char* name : {"en_US.aff", "en_US.dic"}) {
        QFile f(QDir(dir.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        static const char garbage[] = "garbage\n\xff\xfe\x00 not a dictionary";
        f.write(garbage, sizeof garbage - 1);
    }
    setDictionaryFolders({dir.path()}, {dir.path()});
    const DictionaryState state = spellingDictionary();
    resetDictionaryFolders();
    EXPECT_FALSE(state.available);
    EXPECT_TRUE(state.problem.contains(QStringLiteral("could not be read"))) << state.problem.toStdString();
}

TEST_F(SpellCheckerTest, TheCorrectionListIsConsultedBeforeTheDictionary) {
    SpellChecker checker;
    for (auto [m, c] : {std::pair{"i", "I"}, {"fora", "for a"}, {"withe", "with"}, {"teh", "the"}, {"their are", "there are"}})
        checker.addCorrection(QString::fromLatin1(m), QString::fromLatin1(c));
    for (int i = 0; i < 5; ++i) spelling->ignore();
    checker.check(QStringLiteral("Teh plan i wrote fora year withe care, and their are more. I agree."));
    ASSERT_EQ(spelling->asked().size(), 5u);
    const std::vector<std::pair<QString, QString>> want{{"Teh", "The"}, {"i", "I"}, {"fora", "for a"}, {"withe", "with"},
                                                        {"their are", "there are"}};
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(spelling->asked()[k].word, want[k].first);
        ASSERT_FALSE(spelling->asked()[k].suggestions.isEmpty());
        EXPECT_EQ(spelling->asked()[k].suggestions.first(), want[k].second);
    }
    EXPECT_EQ(checker.correctionsMade(), 0);
}

TEST_F(SpellCheckerTest, EachChangeIsMadeWhereTheWordStandsAndReported) {
    SpellChecker checker;
    checker.addCorrection(QStringLiteral("teh"), QStringLiteral("the"));
    record(checker);
    spelling->change();                          // Teh -> The
    spelling->change(QStringLiteral("receive"));  // recieve
    checker.check(QStringLiteral("Teh risk we recieve.\r\nDone."));
    EXPECT_EQ(checker.text(), QStringLiteral("The risk we receive.\r\nDone."));
    EXPECT_EQ(checker.correctionsMade(), 2);
    EXPECT_EQ(events, (QStringList{"bad 0+3", "action 0", "changed 0+3 The", "bad 12+7", "action 0",
                                   "changed 12+7 receive", "close", "checked", "end done"}));
    EXPECT_EQ(spelling->sessionsOpened(), 1);
    EXPECT_EQ(spelling->sessionsOpen(), 0);
    ASSERT_EQ(spelling->asked().size(), 2u);
    EXPECT_TRUE(spelling->asked()[1].suggestions.contains(QStringLiteral("receive")));
}

TEST_F(SpellCheckerTest, TheWordIsShownInItsSentence) {
    SpellChecker checker;
    spelling->ignore();
    spelling->ignore();
    checker.check(QStringLiteral("First part. The risk we recieve is high! Next line\r\nthe nexxt one"));
    ASSERT_EQ(spelling->asked().size(), 2u);
    EXPECT_EQ(spelling->asked()[0].sentence, QStringLiteral("The risk we recieve is high!"));
    EXPECT_EQ(spelling->asked()[0].wordStart, 12);
    EXPECT_EQ(spelling->asked()[1].sentence, QStringLiteral("the nexxt one"));
    EXPECT_EQ(spelling->asked()[1].wordStart, 4);
}

TEST_F(SpellCheckerTest, ChangeAllChangesTheLaterOnesUnaskedAndJoinsTheCorrectionList) {
    SpellChecker checker;
    checker.addCorrection(QStringLiteral("teh"), QStringLiteral("the"));
    spelling->changeAll(QStringLiteral("receive"));
    checker.check(QStringLiteral("recieve, Recieve and RECIEVE"));
    EXPECT_EQ(checker.text(), QStringLiteral("receive, Receive and RECEIVE"));
    EXPECT_EQ(checker.correctionsMade(), 3);
    EXPECT_EQ(spelling->asked().size(), 1u);
    ASSERT_EQ(checker.correctionCount(), 2);
    EXPECT_EQ(checker.correctionMisspelling(1), QStringLiteral("recieve"));
    EXPECT_EQ(checker.correctionReplacement(1), QStringLiteral("receive"));
    EXPECT_EQ(checker.correctionMisspelling(2), QString());

    // A later check offers the choice first but asks again; a Change All of a listed word
    // makes the user's choice the list's.
    spelling->ignore();
    spelling->changeAll(QStringLiteral("tech"));
    checker.check(QStringLiteral("recieve teh"));
    EXPECT_EQ(spelling->asked()[1].suggestions.first(), QStringLiteral("receive"));
    EXPECT_EQ(checker.correctionCount(), 2);
    EXPECT_EQ(checker.correctionReplacement(0), QStringLiteral("tech"));
}

TEST_F(SpellCheckerTest, IgnoreAllAndAddLastForTheCheckersLifeIgnoreOnlyOnce) {
    SpellChecker checker;
    spelling->ignore();     // nexxt
    spelling->ignoreAll();  // HIPAA
    spelling->add();        // Quorvane
    spelling->ignore();     // nexxt again
    checker.check(QStringLiteral("nexxt HIPAA Quorvane hipaa quorvane nexxt"));
    EXPECT_EQ(spelling->askedWords(), (QStringList{"nexxt", "HIPAA", "Quorvane", "nexxt"}));
    spelling->ignore();
    checker.check(QStringLiteral("HIPAA Quorvane nexxt"));
    EXPECT_EQ(spelling->askedWords().last(), QStringLiteral("nexxt"));
    EXPECT_EQ(spelling->asked().size(), 5u);
    // Another checker knows none of it.
    SpellChecker other;
    spelling->cancel();
    other.check(QStringLiteral("HIPAA"));
    EXPECT_EQ(spelling->askedWords().last(), QStringLiteral("HIPAA"));
}

TEST_F(SpellCheckerTest, CancelEndsTheCheckAtOnce) {
    SpellChecker checker;
    record(checker);
    spelling->change(QStringLiteral("first"));
    spelling->cancel();
    checker.check(QStringLiteral("frist secnd thrid"));
    EXPECT_TRUE(checker.cancelled());
    EXPECT_EQ(checker.text(), QStringLiteral("first secnd thrid"));
    EXPECT_EQ(spelling->askedWords(), (QStringList{"frist", "secnd"}));
    EXPECT_EQ(events.mid(events.size() - 3), (QStringList{"close", "checked", "end cancelled"}));
    EXPECT_TRUE(events.contains(QStringLiteral("action 5")));
}

TEST_F(SpellCheckerTest, ATextWithoutBadWordsOpensNoDialog) {
    SpellChecker checker;
    record(checker);
    checker.check(QStringLiteral("The risk we receive is 164.308 and 1st."));
    EXPECT_EQ(events, (QStringList{"checked", "end done"}));
    EXPECT_EQ(spelling->sessionsOpened(), 0);
}

TEST_F(SpellCheckerTest, HelpRaisesItsEventAndTheSameWordIsAskedOn) {
    SpellChecker checker;
    record(checker);
    spelling->pressHelp();
    spelling->change();
    checker.check(QStringLiteral("recieve"));
    EXPECT_EQ(events.mid(0, 4), (QStringList{"bad 0+7", "help", "action 0", "changed 0+7 receive"}));
    EXPECT_EQ(spelling->asked().size(), 1u);
}

// Replacements that hold the word, or nothing, still let the walk end.
TEST_F(SpellCheckerTest, EveryCheckEndsWhateverTheReplacements) {
    SpellChecker checker;
    checker.addCorrection(QStringLiteral("teh"), QStringLiteral("the"));
    spelling->changeAll(QStringLiteral("teh the teh"));
    checker.check(QStringLiteral("teh teh"));
    EXPECT_EQ(checker.text(), QStringLiteral("teh the teh teh the teh"));
    spelling->change(QString());
    spelling->change(QString());
    checker.check(QStringLiteral("frist secnd."));
    EXPECT_EQ(checker.text(), QStringLiteral(" ."));
}

// ---- thesaurus -------------------------------------------------------------------------------

TEST_F(SpellCheckerTest, TheThesaurusGivesMeaningsAndSynonyms) {
    Thesaurus thesaurus;
    ASSERT_TRUE(thesaurus.available()) << thesaurus.problem().toStdString();
    const QList<ThesaurusMeaning> risk = Thesaurus::meaningsOf(QStringLiteral("risk"));
    ASSERT_FALSE(risk.isEmpty());
    EXPECT_EQ(risk.first().description, QStringLiteral("(noun) hazard"));
    EXPECT_TRUE(risk.first().synonyms.contains(QStringLiteral("danger (generic term)")));
    EXPECT_EQ(Thesaurus::meaningsOf(QStringLiteral("Risk")), risk);
    EXPECT_EQ(Thesaurus::meaningsOf(QStringLiteral("risks")), risk);
    EXPECT_TRUE(Thesaurus::meaningsOf(QStringLiteral("xqzv")).isEmpty());
    EXPECT_TRUE(Thesaurus::meaningsOf(QStringLiteral("  ")).isEmpty());
    EXPECT_EQ(synonymText(QStringLiteral("danger (generic term)")), QStringLiteral("danger"));
    EXPECT_EQ(synonymText(QStringLiteral("put on the line")), QStringLiteral("put on the line"));

    spelling->thesaurus(QStringLiteral("peril"), {QStringLiteral("danger")});
    EXPECT_EQ(thesaurus.lookUp(QStringLiteral("risk")), QStringLiteral("peril"));
    ASSERT_EQ(spelling->lookedUp().size(), 2u);
    EXPECT_EQ(spelling->lookedUp()[0].meanings, risk);
    EXPECT_EQ(spelling->lookedUp()[1].word, QStringLiteral("danger"));
    EXPECT_FALSE(spelling->lookedUp()[1].meanings.isEmpty());
    spelling->thesaurus(std::nullopt);
    EXPECT_EQ(thesaurus.lookUp(QStringLiteral("risk")), QString());
}

// ---- the real dialogs ------------------------------------------------------------------------

// Runs step on the dialog that is up as soon as the event loop turns.
void whenDialogShows(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        step(w);
    });
}

QPushButton* buttonNamed(QWidget* dialog, const QString& name) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->accessibleName() == name) return b;
    return nullptr;
}

TEST_F(SpellCheckerTest, TheSpellingDialogAsksAndAnswers) {
    std::unique_ptr<SpellDialogs> real = makeQtSpellDialogs();
    int helps = 0;
    std::unique_ptr<SpellSession> session = real->openSpelling([&] { ++helps; });
    SpellQuestion q{QStringLiteral("recieve"), QStringLiteral("The risk we recieve."), 12,
                    {QStringLiteral("receive"), QStringLiteral("relieve")}};
    QString shownSentence;
    whenDialogShows([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Spelling"));
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->accessibleName().startsWith(QStringLiteral("Not in dictionary"))) {
                shownSentence = l->text();
                // A screen reader hears the word and its sentence, not a fixed name.
                EXPECT_EQ(l->accessibleName(), QStringLiteral("Not in dictionary: ") + q.word);
                EXPECT_EQ(l->accessibleDescription(), q.sentence);
            }
        auto* list = d->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 2);
        for (const char* name : {"Ignore", "Ignore All", "Change", "Change All", "Add", "Cancel", "Help"})
            EXPECT_NE(buttonNamed(d, QString::fromLatin1(name)), nullptr) << name;
        buttonNamed(d, QStringLiteral("Help"))->click();
        list->setCurrentRow(1);
        buttonNamed(d, QStringLiteral("Change All"))->click();
    });
    SpellDecision d = session->ask(q);
    EXPECT_EQ(d.action, SpellAction::ChangeAll);
    EXPECT_EQ(d.replacement, QStringLiteral("relieve"));
    EXPECT_EQ(helps, 1);
    EXPECT_TRUE(shownSentence.contains(QStringLiteral("<b><font color=\"#c00000\">recieve</font></b>"))) << shownSentence.toStdString();
    // The same dialog asks the next word; Esc cancels.
    whenDialogShows([](QWidget* d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
    });
    d = session->ask({QStringLiteral("nexxt"), QStringLiteral("nexxt"), 0, {}});
    EXPECT_EQ(d.action, SpellAction::Cancel);
}

TEST_F(SpellCheckerTest, TheThesaurusDialogLooksUpAndReplaces) {
    std::unique_ptr<SpellDialogs> real = makeQtSpellDialogs();
    whenDialogShows([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Thesaurus"));
        QListWidget* meanings = nullptr;
        QListWidget* synonyms = nullptr;
        for (QListWidget* l : d->findChildren<QListWidget*>()) {
            if (l->accessibleName() == QStringLiteral("Meanings")) meanings = l;
            if (l->accessibleName() == QStringLiteral("Synonyms")) synonyms = l;
        }
        ASSERT_TRUE(meanings && synonyms);
        EXPECT_EQ(meanings->item(0)->text(), QStringLiteral("(noun) hazard"));
        auto* replaceWith = d->findChild<QLineEdit*>();
        EXPECT_EQ(replaceWith->text(), QStringLiteral("Hazard"));  // the first synonym, capitalised as the word
        meanings->setCurrentRow(1);                                // (noun) peril: peril, danger, ...
        synonyms->setCurrentRow(1);
        EXPECT_EQ(replaceWith->text(), QStringLiteral("Danger"));
        buttonNamed(d, QStringLiteral("Look Up"))->click();
        QLabel* lookedUp = nullptr;
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->accessibleName().startsWith(QStringLiteral("Looked up"))) lookedUp = l;
        ASSERT_NE(lookedUp, nullptr);
        EXPECT_EQ(lookedUp->text(), QStringLiteral("Danger"));
        EXPECT_EQ(lookedUp->accessibleName(), QStringLiteral("Looked up: Danger"));
        EXPECT_EQ(meanings->item(0)->text(), Thesaurus::meaningsOf(QStringLiteral("danger")).first().description);
        replaceWith->setText(QStringLiteral("peril"));
        buttonNamed(d, QStringLiteral("Replace"))->click();
    });
    EXPECT_EQ(real->thesaurus(QStringLiteral("Risk"), &Thesaurus::meaningsOf), std::optional<QString>(QStringLiteral("peril")));
    whenDialogShows([](QWidget* d) { buttonNamed(d, QStringLiteral("Cancel"))->click(); });
    EXPECT_EQ(real->thesaurus(QStringLiteral("risk"), &Thesaurus::meaningsOf), std::nullopt);
}

}  // namespace
