#include "tests/support/platform/ScriptedSpelling.h"

#include <gtest/gtest.h>

namespace testsupport {

using platform::SpellAction;

class ScriptedSession : public platform::SpellSession {
public:
    ScriptedSession(ScriptedSpelling& script, std::function<void()> onHelp)
        : script_(script), onHelp_(std::move(onHelp)) {
        ++script_.opened_;
        ++script_.open_;
    }
    ~ScriptedSession() override { --script_.open_; }
    platform::SpellDecision ask(const platform::SpellQuestion& q) override { return script_.answer(q, onHelp_); }

private:
    ScriptedSpelling& script_;
    std::function<void()> onHelp_;
};

void ScriptedSpelling::change(const std::optional<QString>& r) { spelling_.push_back({SpellAction::Change, r, false}); }
void ScriptedSpelling::changeAll(const std::optional<QString>& r) { spelling_.push_back({SpellAction::ChangeAll, r, false}); }
void ScriptedSpelling::ignore() { spelling_.push_back({SpellAction::Ignore, std::nullopt, false}); }
void ScriptedSpelling::ignoreAll() { spelling_.push_back({SpellAction::IgnoreAll, std::nullopt, false}); }
void ScriptedSpelling::add() { spelling_.push_back({SpellAction::Add, std::nullopt, false}); }
void ScriptedSpelling::cancel() { spelling_.push_back({SpellAction::Cancel, std::nullopt, false}); }
void ScriptedSpelling::pressHelp() { spelling_.push_back({SpellAction::Cancel, std::nullopt, true}); }

void ScriptedSpelling::thesaurus(const std::optional<QString>& replacement, const QStringList& lookUps) {
    thesaurus_.push_back({replacement, lookUps});
}

QStringList ScriptedSpelling::askedWords() const {
    QStringList out;
    for (const Asked& a : asked_) out.append(a.word);
    return out;
}

QString ScriptedSpelling::describePending() const {
    static const char* names[] = {"change", "change all", "ignore", "ignore all", "add", "cancel"};
    QStringList parts;
    for (const Step& s : spelling_)
        parts << (s.help ? QStringLiteral("spelling: help") : QStringLiteral("spelling: %1").arg(QString::fromLatin1(names[int(s.action)])));
    for (const ThesaurusStep& t : thesaurus_)
        parts << QStringLiteral("thesaurus: %1").arg(t.replacement ? QStringLiteral("replace \"%1\"").arg(*t.replacement)
                                                                   : QStringLiteral("cancel"));
    return parts.join(QStringLiteral("; "));
}

std::unique_ptr<platform::SpellSession> ScriptedSpelling::openSpelling(std::function<void()> onHelp) {
    return std::make_unique<ScriptedSession>(*this, std::move(onHelp));
}

platform::SpellDecision ScriptedSpelling::answer(const platform::SpellQuestion& q, const std::function<void()>& onHelp) {
    asked_.push_back({q.word, q.sentence, q.wordStart, q.suggestions});
    while (!spelling_.empty() && spelling_.front().help) {
        spelling_.pop_front();
        if (onHelp) onHelp();
    }
    if (spelling_.empty()) {
        if (ignoreRest_) return {SpellAction::Ignore, {}};
        ADD_FAILURE() << "unanswered spelling question: \"" << q.word.toStdString() << "\" in \""
                      << q.sentence.toStdString() << "\"";
        return {SpellAction::Cancel, {}};
    }
    const Step s = spelling_.front();
    spelling_.pop_front();
    platform::SpellDecision d{s.action, {}};
    if (s.action == SpellAction::Change || s.action == SpellAction::ChangeAll)
        d.replacement = s.replacement.value_or(q.suggestions.isEmpty() ? q.word : q.suggestions.first());
    return d;
}

std::optional<QString> ScriptedSpelling::thesaurus(const QString& word, const platform::ThesaurusLookUp& lookUp) {
    ++thesaurusShown_;
    auto look = [&](const QString& w) { lookedUp_.push_back({w, lookUp ? lookUp(w) : QList<platform::ThesaurusMeaning>()}); };
    look(word);
    if (thesaurus_.empty()) {
        ADD_FAILURE() << "unanswered thesaurus dialog for \"" << word.toStdString() << "\"";
        return std::nullopt;
    }
    const ThesaurusStep t = thesaurus_.front();
    thesaurus_.pop_front();
    for (const QString& w : t.lookUps) look(w);
    return t.replacement;
}

}  // namespace testsupport
