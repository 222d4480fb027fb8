// Loading and saving rich text: a generated 2 MB document and the whole Security Rule text,
// and the whole-word marking loop the hidden buffers run over the rule text.
#include "bench/BenchMain.h"
#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QApplication>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// About 2 MB of RTF: paragraphs of mixed runs (bold, italic, colours, two fonts, accents).
const QByteArray& generatedRtf() {
    static const QByteArray rtf = [] {
        QByteArray r = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Courier New;}}"
                       "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\uc1\r\n";
        int n = 0;
        while (r.size() < 2 * 1024 * 1024) {
            r += n % 7 == 0 ? "\\pard\\qc " : "\\pard ";
            r += "Paragraph " + QByteArray::number(n) + " of the workbook: {\\b safeguards} and "
                 "{\\i implementation specifications}, {\\cf1 required} or {\\cf2 addressable}; "
                 "{\\f1\\fs20 45 CFR 164.308(a)(1)} caf\\'e9 \\u937\\'3f \\'a7 done.\\par\r\n";
            ++n;
        }
        return r + "}";
    }();
    return rtf;
}

QString ruleTextPath() {
    // The copy of the rule text that the tests read too.
    return QStringLiteral(QUORVANE_SOURCE_DIR "/tests/data/security-rule-2003.txt");
}

// The rule text as a document: each line a paragraph, the section headings bold.
const QByteArray& ruleRtf() {
    static const QByteArray rtf = [] {
        QFile f(ruleTextPath());
        if (!f.open(QIODevice::ReadOnly)) return QByteArray();
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat plain, bold;
        bold.setFontWeight(QFont::Bold);
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) c.insertBlock();
            const QString line = lines[i].trimmed();
            c.insertText(line, line.startsWith(QLatin1String("\u00a7")) ? bold : plain);
        }
        return platform::writeRtf(doc, platform::RtfDefaults{QStringLiteral("Times New Roman"), 12});
    }();
    return rtf;
}

void load(benchmark::State& state, const QByteArray& rtf) {
    if (rtf.isEmpty()) {
        state.SkipWithError("rule text not found");
        return;
    }
    for (auto _ : state) {
        QTextDocument doc;
        platform::readRtfDocument(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * rtf.size());
}

void save(benchmark::State& state, const QByteArray& rtf) {
    if (rtf.isEmpty()) {
        state.SkipWithError("rule text not found");
        return;
    }
    QTextDocument doc;
    platform::readRtfDocument(rtf, doc);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray out = platform::writeRtf(doc);
        bytes += out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(bytes);
}

void BM_Load2MB(benchmark::State& s) { load(s, generatedRtf()); }
void BM_Save2MB(benchmark::State& s) { save(s, generatedRtf()); }
void BM_LoadRuleText(benchmark::State& s) { load(s, ruleRtf()); }
void BM_SaveRuleText(benchmark::State& s) { save(s, ruleRtf()); }

class BenchForm : public platform::Form {
public:
    BenchForm() : Form(QStringLiteral("BenchForm")), Box(*this, *this, QStringLiteral("RText1"), 0) {}
    platform::RichTextBox Box;
};

// The marking loop over the whole rule text: find every whole-word occurrence from the last
// mark on, mark it bold and underlined, and advance one character after the last one until
// the end of the text, as the text builders do.
void BM_MarkWordInRuleText(benchmark::State& state) {
    if (ruleRtf().isEmpty()) {
        state.SkipWithError("rule text not found");
        return;
    }
    BenchForm form;
    const QString word = QStringLiteral("Security");
    for (auto _ : state) {
        form.Box.setRtfBytes(ruleRtf());
        int searchFrom = 1, loop = 1, marks = 0;
        while (loop < form.Box.textLength()) {
            const int found = form.Box.find(word, searchFrom, -1, platform::RichTextBox::WholeWord);
            if (found > 0) {
                searchFrom = found + int(word.size());
                loop = searchFrom;
                form.Box.setSelStart(found);
                form.Box.setSelLength(int(word.size()));
                form.Box.setSelBold(true);
                form.Box.setSelUnderline(true);
                ++marks;
            } else {
                ++loop;
            }
        }
        state.counters["marks"] = marks;
    }
}

BENCHMARK(BM_Load2MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save2MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadRuleText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRuleText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkWordInRuleText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
