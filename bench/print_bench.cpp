// How long a long rich-text document takes to lay out into pages, and to show its first page
// in the preview: the wait a person has after pressing "Print".
#include "bench/BenchMain.h"
#include "platform/PrintDocument.h"
#include "platform/RtfReader.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// The rule text shipped in the program folder, when the build has it.
QByteArray contentRtf() {
    QFile f(QStringLiteral(QUORVANE_CONTENT_DIR "/PR0.Hlp"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// About 400 KB of generated RTF in the shape of a rule text: bold coloured headings, body
// paragraphs with italic references.
QByteArray generatedRtf() {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                     "{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs20 ";
    const QByteArray body =
        "A covered entity or business associate must, in accordance with {\\i section 164.306}, "
        "implement policies and procedures to prevent, detect, contain, and correct security "
        "violations. Conduct an accurate and thorough assessment of the potential risks and "
        "vulnerabilities to the confidentiality, integrity, and availability of electronic "
        "protected health information held by the covered entity or business associate. ";
    for (int i = 0; rtf.size() < 400 * 1024; ++i) {
        rtf += "{\\b\\f1\\fs24\\cf1 Standard " + QByteArray::number(i) + "}\\par ";
        rtf += body + body + "\\par ";
    }
    rtf += "}";
    return rtf;
}

// 0: the generated 400 KB document; 1: the shipped rule text (empty when absent).
const QTextDocument& sampleDocument(int which) {
    static QTextDocument* docs[2] = {nullptr, nullptr};
    if (!docs[which]) {
        docs[which] = new QTextDocument;
        platform::readRtfDocument(which == 0 ? generatedRtf() : contentRtf(), *docs[which]);
    }
    return *docs[which];
}

void layOut(platform::PrintDocument& doc, const QTextDocument& rich) {
    doc.setMarginLeft(350);
    doc.setMarginRight(350);
    doc.setMarginTop(300);
    doc.setMarginBottom(100);
    doc.startDoc();
    doc.paragraph(rich);
    doc.endDoc();
}

void BM_LayOutRichTextIntoPages(benchmark::State& state) {
    const QTextDocument& rich = sampleDocument(int(state.range(0)));
    if (rich.characterCount() < 2) {
        state.SkipWithError("content document PR0.Hlp not found");
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        platform::PrintDocument doc;
        layOut(doc, rich);
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["chars"] = double(rich.characterCount());
}
BENCHMARK(BM_LayOutRichTextIntoPages)->ArgName("content")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A 40-page document laid out and its first page drawn at preview size.
void BM_OpenFortyPagePreview(benchmark::State& state) {
    const QTextDocument& full = sampleDocument(0);
    // The first part of the sample that fills about 40 pages.
    QTextDocument rich;
    {
        platform::PrintDocument probe;
        layOut(probe, full);
        const int pages = std::max(1, probe.pageCount());
        const int chars = int(qint64(full.characterCount()) * std::min(40, pages) / pages);
        QTextCursor c(&rich);
        QTextCursor src(const_cast<QTextDocument*>(&full));
        src.setPosition(0);
        src.setPosition(std::min(chars, full.characterCount() - 1), QTextCursor::KeepAnchor);
        c.insertFragment(src.selection());
    }
    QImage screen(600, 780, QImage::Format_RGB32);
    int pages = 0;
    for (auto _ : state) {
        platform::PrintDocument doc;
        layOut(doc, rich);
        pages = doc.pageCount();
        screen.fill(Qt::gray);
        QPainter p(&screen);
        platform::renderPage(doc, 1, p, 600.0 * 1440.0 / doc.pageWidth(), true);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_OpenFortyPagePreview)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
