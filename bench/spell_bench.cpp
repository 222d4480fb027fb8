// Spell-checking a 10,000-word text (the rule and preamble texts of tests/data, with a few
// misspellings put in) with the spell checker, against the `hunspell -l` command on the same
// text and dictionary in the same run. The command's time includes starting the process and
// loading the dictionary, so it is also timed on an empty text and the difference reported.
#include "platform/Spelling.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers every word with Ignore All, as a user who only reads the list would.
class IgnoreAllDialogs : public platform::SpellDialogs {
public:
    class Session : public platform::SpellSession {
    public:
        explicit Session(int& asked) : asked_(asked) {}
        platform::SpellDecision ask(const platform::SpellQuestion&) override {
            ++asked_;
            return {platform::SpellAction::IgnoreAll, {}};
        }

    private:
        int& asked_;
    };
    std::unique_ptr<platform::SpellSession> openSpelling(std::function<void()>) override {
        return std::make_unique<Session>(asked);
    }
    std::optional<QString> thesaurus(const QString&, const platform::ThesaurusLookUp&) override { return std::nullopt; }
    int asked = 0;
};

const QString& benchText() {
    static const QString text = [] {
        QString all;
        for (const char* name : {"security-rule-2003.txt", "final-rule-2003-preamble.txt"}) {
            QFile f(QStringLiteral(QUORVANE_SOURCE_DIR "/tests/data/") + QString::fromLatin1(name));
            if (f.open(QIODevice::ReadOnly)) all += QString::fromUtf8(f.readAll()) + QLatin1Char('\n');
        }
        // The first 10,000 words, every 400th of them misspelled by swapping two letters.
        QString out;
        int words = 0;
        int last = 0;
        for (const platform::WordSpan& w : platform::wordsOf(all)) {
            if (words == 10000) break;
            out += all.mid(last, w.start - last);
            QString word = all.mid(w.start, w.length);
            if (++words % 400 == 0 && word.size() > 3) std::swap(word[1], word[2]);
            out += word;
            last = w.start + w.length;
        }
        return out;
    }();
    return text;
}

QString dictionaryFolder() {
    for (const QString& f : platform::defaultSpellingFolders())
        if (QFile::exists(QDir(f).filePath(QStringLiteral("en_US.dic")))) return f;
    return {};
}

// Runs `hunspell -l` on a file; the number of words it listed, or -1.
int runHunspell(const QString& file) {
    QProcess p;
    p.setStandardInputFile(file);
    p.start(QStringLiteral("hunspell"),
            {QStringLiteral("-l"), QStringLiteral("-d"), QDir(dictionaryFolder()).filePath(QStringLiteral("en_US"))});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return -1;
    return int(p.readAllStandardOutput().count('\n'));
}

struct Files {
    QTemporaryDir dir;
    QString text, empty;
    Files() {
        text = dir.filePath(QStringLiteral("text.txt"));
        empty = dir.filePath(QStringLiteral("empty.txt"));
        QFile t(text);
        if (t.open(QIODevice::WriteOnly)) t.write(benchText().toUtf8());
        QFile e(empty);
        if (e.open(QIODevice::WriteOnly)) e.write("");
    }
};

Files& files() {
    static Files f;
    return f;
}

bool haveHunspell() { return !QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty(); }

void BM_LoadDictionary(benchmark::State& state) {
    for (auto _ : state) {
        platform::resetDictionaryFolders();
        benchmark::DoNotOptimize(platform::spellingDictionary().available);
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(5);

// A first check: every unknown word is asked about once, with its suggestions (the dictionary's
// search for suggestions is most of this time).
void BM_CheckerFirstCheck(benchmark::State& state) {
    auto* dialogs = new IgnoreAllDialogs;
    platform::setSpellDialogs(std::unique_ptr<platform::SpellDialogs>(dialogs));
    platform::spellingDictionary();  // loaded once, as in the program
    for (auto _ : state) {
        platform::SpellChecker checker;
        dialogs->asked = 0;
        checker.check(benchText());
        benchmark::DoNotOptimize(checker.text().size());
    }
    state.counters["words asked"] = dialogs->asked;
    state.counters["words"] = double(platform::wordsOf(benchText()).size());
}
BENCHMARK(BM_CheckerFirstCheck)->Unit(benchmark::kMillisecond);

// The same text checked again by the same checker: the words ignored are known, nothing is
// asked, so this is the walk alone, what `hunspell -l` does.
void BM_CheckerWalk(benchmark::State& state) {
    auto* dialogs = new IgnoreAllDialogs;
    platform::setSpellDialogs(std::unique_ptr<platform::SpellDialogs>(dialogs));
    platform::SpellChecker checker;
    checker.check(benchText());
    for (auto _ : state) {
        dialogs->asked = 0;
        checker.check(benchText());
        benchmark::DoNotOptimize(checker.text().size());
    }
    state.counters["words asked"] = dialogs->asked;
}
BENCHMARK(BM_CheckerWalk)->Unit(benchmark::kMillisecond);

void hunspellCommand(benchmark::State& state, bool empty) {
    if (!haveHunspell()) {
        state.SkipWithError("the hunspell command is not installed (apt-get install hunspell)");
        return;
    }
    int listed = 0;
    for (auto _ : state) listed = runHunspell(empty ? files().empty : files().text);
    state.counters["words listed"] = listed;
}
void BM_HunspellCommandOnTenThousandWords(benchmark::State& state) { hunspellCommand(state, false); }
void BM_HunspellCommandOnNothing(benchmark::State& state) { hunspellCommand(state, true); }
BENCHMARK(BM_HunspellCommandOnTenThousandWords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_HunspellCommandOnNothing)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The figure asked for: the checker's time against the command's checking time (its total
// less its start on an empty text), medians of several runs.
double medianMs(int runs, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void printComparison() {
    if (!haveHunspell()) return;
    auto* dialogs = new IgnoreAllDialogs;
    platform::setSpellDialogs(std::unique_ptr<platform::SpellDialogs>(dialogs));
    const double first = medianMs(5, [] {
        platform::SpellChecker c;
        c.check(benchText());
    });
    const int asked = dialogs->asked / 5;
    platform::SpellChecker again;
    again.check(benchText());
    const double walk = medianMs(7, [&] { again.check(benchText()); });
    const double command = medianMs(7, [] { runHunspell(files().text); });
    const double start = medianMs(7, [] { runHunspell(files().empty); });
    const double checking = std::max(0.1, command - start);
    std::printf("\n10,000 words: checker walk %.1f ms, first check with %d questions and their suggestions %.1f ms;\n"
                "hunspell -l %.1f ms (%.1f ms of it start and dictionary load, %.1f ms checking);\n"
                "checker walk / hunspell -l checking = %.2f; checker walk / hunspell -l total = %.2f\n",
                walk, asked, first, command, start, checking, walk / checking, walk / command);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    printComparison();
    benchmark::Shutdown();
    return 0;
}
