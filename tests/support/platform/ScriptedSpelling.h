// Answers the spelling and thesaurus dialogs from a script, as ScriptedDialogs answers message
// boxes. A question that nothing answers fails the test (and cancels the check); so does an
// answer left unused when the test ends. Links the platform layer only.
#pragma once

#include "platform/Spelling.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace testsupport {

class ScriptedSpelling : public platform::SpellDialogs {
public:
    // ---- the spelling dialog, one answer per word asked about ---------------------------------
    // Change and Change All without a text take the first suggestion (the word itself when
    // there is none).
    void change(const std::optional<QString>& replacement = std::nullopt);
    void changeAll(const std::optional<QString>& replacement = std::nullopt);
    void ignore();
    void ignoreAll();
    void add();
    void cancel();
    // Presses Help, then goes on with the next answer for the same word.
    void pressHelp();
    // Answers every further word with Ignore (for long texts).
    void ignoreEverything() { ignoreRest_ = true; }

    struct Asked {
        QString word;
        QString sentence;
        int wordStart = 0;
        QStringList suggestions;
    };
    const std::vector<Asked>& asked() const { return asked_; }
    QStringList askedWords() const;
    int sessionsOpened() const { return opened_; }
    int sessionsOpen() const { return open_; }

    // ---- the thesaurus ------------------------------------------------------------------------
    // One answer per time the dialog is shown: the words looked up in it, in order, then Replace
    // with a text (nothing: Cancel).
    void thesaurus(const std::optional<QString>& replacement, const QStringList& lookUps = {});
    struct LookedUp {
        QString word;
        QList<platform::ThesaurusMeaning> meanings;
    };
    // Every lookup the dialog made, the first word of each showing included.
    const std::vector<LookedUp>& lookedUp() const { return lookedUp_; }
    int thesaurusShown() const { return thesaurusShown_; }

    int pending() const { return int(spelling_.size() + thesaurus_.size()); }
    QString describePending() const;

    std::unique_ptr<platform::SpellSession> openSpelling(std::function<void()> onHelp) override;
    std::optional<QString> thesaurus(const QString& word, const platform::ThesaurusLookUp& lookUp) override;

private:
    friend class ScriptedSession;
    struct Step {
        platform::SpellAction action = platform::SpellAction::Cancel;
        std::optional<QString> replacement;
        bool help = false;
    };
    struct ThesaurusStep {
        std::optional<QString> replacement;
        QStringList lookUps;
    };
    platform::SpellDecision answer(const platform::SpellQuestion& q, const std::function<void()>& onHelp);

    std::deque<Step> spelling_;
    std::deque<ThesaurusStep> thesaurus_;
    std::vector<Asked> asked_;
    std::vector<LookedUp> lookedUp_;
    bool ignoreRest_ = false;
    int opened_ = 0;
    int open_ = 0;
    int thesaurusShown_ = 0;
};

}  // namespace testsupport
