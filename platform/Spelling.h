// Spell checking and the thesaurus: Hunspell and MyThes on the dictionaries Debian installs,
// a checker that walks a text word by word and asks its dialog about every word it does not
// accept, and a thesaurus that shows the meanings and synonyms of a word. The checker's
// correction list is consulted before the dictionary; what it holds is the caller's business.
// The dialogs are our own and can be replaced by a script in tests.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// ---- Dictionaries --------------------------------------------------------------------------
// The folders searched for "<language>.aff"/".dic" and for the thesaurus "th_<language>_v2" (or
// "th_<language>") ".idx"/".dat"; by default where Debian's packages install them. Setting them
// drops the dictionaries loaded so far, so the next use loads them again from there.
void setDictionaryFolders(const QStringList& spelling, const QStringList& thesaurus);
void resetDictionaryFolders();
QStringList defaultSpellingFolders();
QStringList defaultThesaurusFolders();
inline const QString DictionaryLanguage = QStringLiteral("en_US");

// Loaded once on first use and kept for the run. When a dictionary cannot be found or read,
// available() is false and problem() says which files were looked for.
struct DictionaryState {
    bool available = false;
    QString problem;
};
DictionaryState spellingDictionary();
DictionaryState thesaurusDictionary();

// The dictionary's own verdicts (false and empty when it is not available).
bool dictionaryAccepts(const QString& word);
QStringList dictionarySuggestions(const QString& word);
// The dictionary forms a word is built on ("risks" -> "risk").
QStringList dictionaryStems(const QString& word);

// The words of a text as the checker sees them: runs of letters and digits, with apostrophes
// inside them; a hyphen or any other character ends a word.
struct WordSpan {
    int start = 0;
    int length = 0;
    bool operator==(const WordSpan&) const = default;
};
std::vector<WordSpan> wordsOf(const QString& text, int from = 0);

// A correction put in the letter case of the word it replaces: a correction written wholly in
// capitals (the pronoun "I", an abbreviation) stays as written; otherwise it is written in lower
// case, with its first letter in capitals when the word began with one, or wholly in capitals
// when the word was (two or more letters).
QString matchLetterCase(const QString& found, const QString& correction);

// Replaces every whole-word occurrence of misspelling (one word, or words parted by blanks) in
// text, letter case aside, by correction in the letter case of what it replaces. The search goes
// on behind each correction put in, so a correction that holds its misspelling ("i" -> "I")
// still ends. *count gets the number of replacements that changed the text.
QString correctWholeWords(const QString& text, const QString& misspelling, const QString& correction,
                          int* count = nullptr);

// ---- The dialogs ---------------------------------------------------------------------------
// What the user can do with a word the checker does not accept. The numbers are the action
// codes the checker's UserAction event reports.
enum class SpellAction { Change = 0, ChangeAll = 1, Ignore = 2, IgnoreAll = 3, Add = 4, Cancel = 5 };

// One word the checker asks about.
struct SpellQuestion {
    QString word;              // as it stands in the text (two words for a two-word correction)
    QString sentence;          // the sentence it stands in
    int wordStart = 0;         // where the word starts in sentence
    QStringList suggestions;   // best first; the correction list's entry comes first
};

struct SpellDecision {
    SpellAction action = SpellAction::Cancel;
    QString replacement;  // for Change and Change All: the text put in the word's place
};

// One run of the spelling dialog: it opens for the first question of a check and closes when
// the session ends.
class SpellSession {
public:
    virtual ~SpellSession() = default;
    virtual SpellDecision ask(const SpellQuestion& question) = 0;
};

struct ThesaurusMeaning {
    QString description;   // "(noun) hazard"
    QStringList synonyms;  // "peril", "danger (generic term)"
    bool operator==(const ThesaurusMeaning&) const = default;
};
using ThesaurusLookUp = std::function<QList<ThesaurusMeaning>(const QString& word)>;

// A synonym as it goes into the text: without its "(generic term)"-style note.
QString synonymText(const QString& listed);

class SpellDialogs {
public:
    virtual ~SpellDialogs() = default;
    // onHelp runs when the user presses the dialog's Help button (no button when empty).
    virtual std::unique_ptr<SpellSession> openSpelling(std::function<void()> onHelp) = 0;
    // Shows the meanings of word (lookUp gives them, also for the words the user looks up in
    // the dialog); the chosen replacement, or nothing when cancelled.
    virtual std::optional<QString> thesaurus(const QString& word, const ThesaurusLookUp& lookUp) = 0;
};

SpellDialogs& spellDialogs();
std::unique_ptr<SpellDialogs> setSpellDialogs(std::unique_ptr<SpellDialogs> d);
// The real dialogs (what spellDialogs() gives unless another service was installed).
std::unique_ptr<SpellDialogs> makeQtSpellDialogs();

// ---- The spell checker ---------------------------------------------------------------------
// Checks a text given to it: every word it does not accept is reported by BadWord, asked about
// in the spelling dialog and handled as the user decides; each change is made in its own copy
// of the text and reported by WordChanged, so that a caller can make the same change in place.
// The correction list, the words ignored with Ignore All and the words added with Add last as
// long as the checker.
class SpellChecker {
public:
    SpellChecker() = default;
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    bool available() const;
    QString problem() const;

    // The correction list: pairs consulted before the dictionary, in the order added. A word
    // (or two words parted by blanks) equal to a misspelling, letter case aside, is asked
    // about with its correction offered first. Change All adds the user's choice to it.
    void addCorrection(const QString& misspelling, const QString& correction);
    int correctionCount() const { return int(corrections_.size()); }
    // Entry i (from 0) as it was added; empty outside the list.
    QString correctionMisspelling(int i) const;
    QString correctionReplacement(int i) const;

    // Checks text; returns when its end is reached or the user cancelled. Events run inside.
    void check(const QString& text);
    // The text as corrected by the last check.
    const QString& text() const { return text_; }
    // The number of words the last check changed.
    int correctionsMade() const { return correctionsMade_; }
    bool cancelled() const { return cancelled_; }
    // The word being asked about, in the corrected text.
    int badWordStart() const { return badStart_; }
    int badWordLength() const { return badLength_; }

    // ---- events -----------------------------------------------------------------------------
    std::function<void()> BadWord;
    // A change made at start (length characters replaced by replacement) in the checked text.
    std::function<void(int start, int length, const QString& replacement)> WordChanged;
    std::function<void()> TextChecked;
    // cancelled: the user ended the check before the end of the text.
    std::function<void(bool cancelled)> CheckEnd;
    std::function<void(int action)> UserAction;
    std::function<void()> HelpClick;
    std::function<void()> DialogClose;

private:
    struct Pair {
        QString misspelling;
        QString correction;
    };
    void replace(int start, int length, const QString& replacement);

    std::vector<Pair> corrections_;
    // The entry each lower-case misspelling finds: its first, or the user's latest choice.
    QHash<QString, int> index_;
    QSet<QString> ignored_;
    QSet<QString> added_;
    QString text_;
    int correctionsMade_ = 0;
    bool cancelled_ = false;
    int badStart_ = 0;
    int badLength_ = 0;
};

// ---- The thesaurus -------------------------------------------------------------------------
class Thesaurus {
public:
    bool available() const;
    QString problem() const;
    // The meanings of word: of the word itself, else of its lower-case form, else of the forms
    // the spelling dictionary builds it on.
    static QList<ThesaurusMeaning> meaningsOf(const QString& word);
    // Shows the thesaurus dialog on word; the replacement chosen, or "" when none was.
    QString lookUp(const QString& word);
};

}  // namespace platform
