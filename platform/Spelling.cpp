#include "platform/Spelling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>  // mythes.hxx uses FILE without including it
#include <hunspell.hxx>
#include <mythes.hxx>

namespace platform {

namespace {

// Text to and from a dictionary's own encoding (Debian's en_US files are UTF-8).
struct Encoding {
    bool utf8 = true;
    QByteArray name;

    static Encoding named(const QByteArray& n) {
        Encoding e;
        const QByteArray upper = n.trimmed().toUpper();
        e.utf8 = upper.isEmpty() || upper == "UTF-8" || upper == "UTF8";
        e.name = upper;
        return e;
    }
    std::string encode(const QString& s) const {
        if (utf8) return s.toStdString();
        QStringEncoder enc(name.constData());
        const QByteArray b = enc.isValid() ? QByteArray(enc.encode(s)) : s.toLatin1();
        return b.toStdString();
    }
    QString decode(const char* s, qsizetype n = -1) const {
        if (!s) return {};
        const QByteArray b = n < 0 ? QByteArray(s) : QByteArray(s, n);
        if (utf8) return QString::fromUtf8(b);
        QStringDecoder dec(name.constData());
        return dec.isValid() ? QString(dec.decode(b)) : QString::fromLatin1(b);
    }
};

QString firstReadable(const QStringList& folders, const QStringList& names, QStringList* tried) {
    for (const QString& folder : folders) {
        for (const QString& name : names) {
            const QString path = QDir(folder).filePath(name);
            tried->append(path);
            const QFileInfo info(path);
            if (info.isFile() && info.isReadable() && info.size() > 0) return path;
        }
    }
    return {};
}

struct SpellingFiles {
    bool tried = false;
    DictionaryState state;
    std::unique_ptr<Hunspell> hunspell;
    Encoding encoding;
};

struct ThesaurusFiles {
    bool tried = false;
    DictionaryState state;
    std::unique_ptr<MyThes> mythes;
    Encoding encoding;
};

struct Store {
    QStringList spellingFolders = defaultSpellingFolders();
    QStringList thesaurusFolders = defaultThesaurusFolders();
    SpellingFiles spelling;
    ThesaurusFiles thesaurus;
};

Store& store() {
    static Store s;
    return s;
}

SpellingFiles& spelling() {
    SpellingFiles& f = store().spelling;
    if (f.tried) return f;
    f.tried = true;
    QStringList tried;
    // Both halves must be found in the same folder.
    QString aff, dic;
    for (const QString& folder : store().spellingFolders) {
        QStringList here;
        const QString a = firstReadable({folder}, {DictionaryLanguage + QStringLiteral(".aff")}, &here);
        const QString d = firstReadable({folder}, {DictionaryLanguage + QStringLiteral(".dic")}, &here);
        tried += here;
        if (!a.isEmpty() && !d.isEmpty()) {
            aff = a;
            dic = d;
            break;
        }
    }
    if (aff.isEmpty()) {
        f.state.problem = QStringLiteral("No spelling dictionary was found (looked for %1).")
                              .arg(tried.join(QStringLiteral(", ")));
        return f;
    }
    f.hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    f.encoding = Encoding::named(QByteArray::fromStdString(f.hunspell->get_dict_encoding()));
    // A damaged word list loads as nearly nothing: the commonest word tells.
    if (!f.hunspell->spell(f.encoding.encode(QStringLiteral("the")))) {
        f.hunspell.reset();
        f.state.problem = QStringLiteral("The spelling dictionary %1 could not be read.").arg(dic);
        return f;
    }
    f.state.available = true;
    return f;
}

ThesaurusFiles& thesaurus() {
    ThesaurusFiles& f = store().thesaurus;
    if (f.tried) return f;
    f.tried = true;
    QStringList tried;
    QString idx, dat;
    for (const QString& folder : store().thesaurusFolders) {
        for (const QString& base : {QStringLiteral("th_%1_v2").arg(DictionaryLanguage),
                                    QStringLiteral("th_%1").arg(DictionaryLanguage)}) {
            QStringList here;
            const QString i = firstReadable({folder}, {base + QStringLiteral(".idx")}, &here);
            const QString d = firstReadable({folder}, {base + QStringLiteral(".dat")}, &here);
            tried += here;
            if (!i.isEmpty() && !d.isEmpty()) {
                idx = i;
                dat = d;
                break;
            }
        }
        if (!idx.isEmpty()) break;
    }
    if (idx.isEmpty()) {
        f.state.problem = QStringLiteral("No thesaurus was found (looked for %1).").arg(tried.join(QStringLiteral(", ")));
        return f;
    }
    f.mythes = std::make_unique<MyThes>(QFile::encodeName(idx).constData(), QFile::encodeName(dat).constData());
    const char* enc = f.mythes->get_th_encoding();
    f.encoding = Encoding::named(enc ? QByteArray(enc) : QByteArray());
    f.state.available = true;
    return f;
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c.isMark(); }
bool isApostrophe(QChar c) { return c == QLatin1Char('\'') || c == QChar(0x2019); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0); }
bool isLineBreak(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x2029); }
bool isSentenceEnd(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?'); }

std::optional<WordSpan> nextWord(const QString& text, int from) {
    const int n = int(text.size());
    int i = std::max(0, from);
    while (i < n && !isWordChar(text.at(i))) ++i;
    if (i >= n) return std::nullopt;
    const int start = i;
    while (i < n) {
        if (isWordChar(text.at(i))) ++i;
        else if (isApostrophe(text.at(i)) && i + 1 < n && isWordChar(text.at(i + 1))) ++i;
        else break;
    }
    return WordSpan{start, i - start};
}

bool hasDigit(const QString& w) {
    for (QChar c : w)
        if (c.isDigit()) return true;
    return false;
}

bool allCapitals(const QString& w) {
    bool letter = false;
    for (QChar c : w) {
        if (!c.isLetter()) continue;
        letter = true;
        if (c != c.toUpper() || c == c.toLower()) return false;
    }
    return letter;
}

// The sentence around [start, start+length): back to a line break or a sentence end, forward
// to the next one, at most a few lines either way.
QString sentenceAround(const QString& text, int start, int length, int* wordStart) {
    constexpr int reach = 240;
    const int n = int(text.size());
    int a = start;
    while (a > 0 && start - a < reach) {
        const QChar before = text.at(a - 1);
        if (isLineBreak(before)) break;
        if (isSentenceEnd(before) && a < n && text.at(a).isSpace()) break;
        --a;
    }
    while (a < start && text.at(a).isSpace()) ++a;
    int b = start + length;
    while (b < n && b - (start + length) < reach) {
        const QChar c = text.at(b);
        if (isLineBreak(c)) break;
        ++b;
        if (isSentenceEnd(c) && (b == n || text.at(b).isSpace())) break;
    }
    while (b > start + length && text.at(b - 1).isSpace()) --b;
    *wordStart = start - a;
    return text.mid(a, b - a);
}

std::unique_ptr<SpellDialogs>& dialogSlot() {
    static std::unique_ptr<SpellDialogs> s;
    return s;
}

}  // namespace

// ---- Dictionaries --------------------------------------------------------------------------

QStringList defaultSpellingFolders() {
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
            QStringLiteral("/usr/share/myspell/dicts")};
}

QStringList defaultThesaurusFolders() {
    return {QStringLiteral("/usr/share/mythes"), QStringLiteral("/usr/share/myspell/dicts")};
}

void setDictionaryFolders(const QStringList& spellingFolders, const QStringList& thesaurusFolders) {
    Store& s = store();
    s.spellingFolders = spellingFolders;
    s.thesaurusFolders = thesaurusFolders;
    s.spelling = SpellingFiles();
    s.thesaurus = ThesaurusFiles();
}

void resetDictionaryFolders() { setDictionaryFolders(defaultSpellingFolders(), defaultThesaurusFolders()); }

DictionaryState spellingDictionary() { return spelling().state; }
DictionaryState thesaurusDictionary() { return thesaurus().state; }

bool dictionaryAccepts(const QString& word) {
    SpellingFiles& f = spelling();
    return f.hunspell && f.hunspell->spell(f.encoding.encode(word));
}

QStringList dictionarySuggestions(const QString& word) {
    SpellingFiles& f = spelling();
    QStringList out;
    if (!f.hunspell) return out;
    for (const std::string& s : f.hunspell->suggest(f.encoding.encode(word)))
        out.append(f.encoding.decode(s.data(), qsizetype(s.size())));
    return out;
}

QStringList dictionaryStems(const QString& word) {
    SpellingFiles& f = spelling();
    QStringList out;
    if (!f.hunspell) return out;
    for (const std::string& s : f.hunspell->stem(f.encoding.encode(word))) {
        const QString stem = f.encoding.decode(s.data(), qsizetype(s.size()));
        if (!out.contains(stem)) out.append(stem);
    }
    return out;
}

std::vector<WordSpan> wordsOf(const QString& text, int from) {
    std::vector<WordSpan> out;
    for (auto w = nextWord(text, from); w; w = nextWord(text, w->start + w->length)) out.push_back(*w);
    return out;
}

QString matchLetterCase(const QString& found, const QString& correction) {
    if (allCapitals(correction)) return correction;
    const QString lower = correction.toLower();
    if (found.isEmpty()) return lower;
    int letters = 0;
    for (QChar c : found) letters += c.isLetter() ? 1 : 0;
    if (letters >= 2 && allCapitals(found)) return correction.toUpper();
    if (found.at(0).isUpper()) return lower.left(1).toUpper() + lower.mid(1);
    return lower;
}

QString correctWholeWords(const QString& text, const QString& misspelling, const QString& correction, int* count) {
    QString out = text;
    int changed = 0;
    QStringList wanted;
    for (const WordSpan& w : wordsOf(misspelling)) wanted.append(misspelling.mid(w.start, w.length).toLower());
    int pos = 0;
    while (!wanted.isEmpty()) {
        const std::optional<WordSpan> first = nextWord(out, pos);
        if (!first) break;
        // The words from here on, parted by blanks only, against the misspelling's words.
        int end = first->start;
        bool match = true;
        for (int k = 0; k < wanted.size() && match; ++k) {
            int at = end;
            if (k > 0) {
                while (at < int(out.size()) && isBlank(out.at(at))) ++at;
                if (at == end) match = false;
            }
            const std::optional<WordSpan> w = match ? nextWord(out, at) : std::nullopt;
            match = w && w->start == at && out.mid(w->start, w->length).toLower() == wanted.at(k);
            if (match) end = w->start + w->length;
        }
        if (!match) {
            pos = first->start + first->length;
            continue;
        }
        const QString found = out.mid(first->start, end - first->start);
        const QString replacement = matchLetterCase(found, correction);
        if (replacement != found) {
            out.replace(first->start, end - first->start, replacement);
            ++changed;
            pos = first->start + int(replacement.size());
        } else {
            pos = end;
        }
    }
    if (count) *count = changed;
    return out;
}

QString synonymText(const QString& listed) {
    QString t = listed.trimmed();
    if (t.endsWith(QLatin1Char(')'))) {
        const qsizetype open = t.lastIndexOf(QStringLiteral(" ("));
        if (open > 0) t = t.left(open).trimmed();
    }
    return t;
}

// ---- The dialogs ---------------------------------------------------------------------------

SpellDialogs& spellDialogs() {
    if (!dialogSlot()) dialogSlot() = makeQtSpellDialogs();
    return *dialogSlot();
}

std::unique_ptr<SpellDialogs> setSpellDialogs(std::unique_ptr<SpellDialogs> d) {
    std::unique_ptr<SpellDialogs> old = std::move(dialogSlot());
    dialogSlot() = std::move(d);
    return old;
}

// ---- The spell checker ---------------------------------------------------------------------

bool SpellChecker::available() const { return spellingDictionary().available; }
QString SpellChecker::problem() const { return spellingDictionary().problem; }

void SpellChecker::addCorrection(const QString& misspelling, const QString& correction) {
    const QString key = misspelling.simplified().toLower();
    corrections_.push_back({misspelling, correction});
    if (!key.isEmpty() && !index_.contains(key)) index_.insert(key, int(corrections_.size()) - 1);
}

QString SpellChecker::correctionMisspelling(int i) const {
    return i >= 0 && i < correctionCount() ? corrections_[std::size_t(i)].misspelling : QString();
}

QString SpellChecker::correctionReplacement(int i) const {
    return i >= 0 && i < correctionCount() ? corrections_[std::size_t(i)].correction : QString();
}

void SpellChecker::replace(int start, int length, const QString& replacement) {
    text_.replace(start, length, replacement);
    ++correctionsMade_;
    if (WordChanged) WordChanged(start, length, replacement);
}

void SpellChecker::check(const QString& text) {
    text_ = text;
    correctionsMade_ = 0;
    cancelled_ = false;
    badStart_ = 0;
    badLength_ = 0;
    std::unique_ptr<SpellSession> session;
    // This check's Change All choices: later occurrences change without a question.
    QHash<QString, QString> changeAll;
    const bool dictionary = available();

    // Every pass either moves pos past a word or shortens the text after pos, so the walk ends.
    int pos = 0;
    while (dictionary && !cancelled_) {
        const std::optional<WordSpan> w = nextWord(text_, pos);
        if (!w) break;
        int start = w->start;
        int length = w->length;
        const QString word = text_.mid(start, length);
        if (hasDigit(word)) {
            pos = start + length;
            continue;
        }
        // Two words parted by blanks may be one entry of the correction list ("their are").
        QString key = word.toLower();
        int pair = -1;
        QString offered;
        int after = start + length;
        while (after < int(text_.size()) && isBlank(text_.at(after))) ++after;
        if (after > start + length) {
            const std::optional<WordSpan> second = nextWord(text_, after);
            if (second && second->start == after) {
                const QString twoKey = key + QLatin1Char(' ') + text_.mid(second->start, second->length).toLower();
                const auto it = index_.constFind(twoKey);
                const int twoLength = second->start + second->length - start;
                if (it != index_.constEnd()) {
                    const QString two = text_.mid(start, twoLength);
                    const QString correction = matchLetterCase(two, corrections_[std::size_t(*it)].correction);
                    if (correction != two) {
                        pair = *it;
                        key = twoKey;
                        length = twoLength;
                        offered = correction;
                    }
                }
            }
        }
        const QString found = text_.mid(start, length);
        if (pair < 0) {
            const auto it = index_.constFind(key);
            if (it != index_.constEnd()) {
                offered = matchLetterCase(found, corrections_[std::size_t(*it)].correction);
                // A word that already reads as its correction is not asked about.
                if (offered != found) pair = *it;
            }
        }
        if (ignored_.contains(key)) {
            pos = start + length;
            continue;
        }
        if (const auto it = changeAll.constFind(key); it != changeAll.constEnd()) {
            const QString replacement = matchLetterCase(found, *it);
            if (replacement != found) replace(start, length, replacement);
            pos = start + int(replacement.size());
            continue;
        }
        if (pair < 0 && (added_.contains(key) || dictionaryAccepts(found))) {
            pos = start + length;
            continue;
        }

        badStart_ = start;
        badLength_ = length;
        SpellQuestion q;
        q.word = found;
        q.sentence = sentenceAround(text_, start, length, &q.wordStart);
        if (pair >= 0) q.suggestions.append(offered);
        if (pair < 0 || key.indexOf(QLatin1Char(' ')) < 0) {
            for (const QString& s : dictionarySuggestions(found))
                if (!q.suggestions.contains(s)) q.suggestions.append(s);
        }
        if (!session) session = spellDialogs().openSpelling([this] {
            if (HelpClick) HelpClick();
        });
        if (BadWord) BadWord();
        const SpellDecision d = session->ask(q);
        if (UserAction) UserAction(int(d.action));
        switch (d.action) {
        case SpellAction::Change:
        case SpellAction::ChangeAll: {
            if (d.action == SpellAction::ChangeAll) {
                changeAll.insert(key, d.replacement);
                // The user's choice is what the correction list offers from now on.
                const auto it = index_.constFind(key);
                if (it != index_.constEnd()) {
                    corrections_[std::size_t(*it)].correction = d.replacement;
                } else {
                    corrections_.push_back({found, d.replacement});
                    index_.insert(key, int(corrections_.size()) - 1);
                }
            }
            if (d.replacement != found) replace(start, length, d.replacement);
            pos = start + int(d.replacement.size());
            break;
        }
        case SpellAction::Ignore: pos = start + length; break;
        case SpellAction::IgnoreAll:
            ignored_.insert(key);
            pos = start + length;
            break;
        case SpellAction::Add:
            added_.insert(key);
            pos = start + length;
            break;
        case SpellAction::Cancel: cancelled_ = true; break;
        }
    }
    if (session) {
        session.reset();
        if (DialogClose) DialogClose();
    }
    if (TextChecked) TextChecked();
    if (CheckEnd) CheckEnd(cancelled_);
}

// ---- The thesaurus -------------------------------------------------------------------------

bool Thesaurus::available() const { return thesaurusDictionary().available; }
QString Thesaurus::problem() const { return thesaurusDictionary().problem; }

QList<ThesaurusMeaning> Thesaurus::meaningsOf(const QString& word) {
    QList<ThesaurusMeaning> out;
    ThesaurusFiles& f = thesaurus();
    const QString w = word.trimmed();
    if (!f.mythes || w.isEmpty()) return out;
    QStringList forms{w};
    if (!forms.contains(w.toLower())) forms.append(w.toLower());
    for (const QString& stem : dictionaryStems(w.toLower()))
        if (!forms.contains(stem)) forms.append(stem);
    for (const QString& form : forms) {
        const std::string bytes = f.encoding.encode(form);
        mentry* entries = nullptr;
        const int n = f.mythes->Lookup(bytes.c_str(), int(bytes.size()), &entries);
        for (int i = 0; i < n; ++i) {
            ThesaurusMeaning m;
            m.description = f.encoding.decode(entries[i].defn);
            for (int j = 0; j < entries[i].count; ++j) m.synonyms.append(f.encoding.decode(entries[i].psyns[j]));
            out.append(m);
        }
        if (entries) f.mythes->CleanUpAfterLookup(&entries, n);
        if (!out.isEmpty()) break;
    }
    return out;
}

QString Thesaurus::lookUp(const QString& word) {
    const std::optional<QString> chosen = spellDialogs().thesaurus(word, &Thesaurus::meaningsOf);
    return chosen.value_or(QString());
}

}  // namespace platform
