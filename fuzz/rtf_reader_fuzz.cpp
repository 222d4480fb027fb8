// Feeds arbitrary bytes to the RTF reader (whole document and insertion at a cursor) and
// checks that what the writer makes of the result reads back to the same bytes.
#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Fonts and the default document font need the GUI application; it lives for the run.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    QTextDocument doc;
    platform::readRtfDocument(bytes, doc);
    const QByteArray first = platform::writeRtf(doc);
    QTextDocument again;
    platform::readRtfDocument(first, again);
    const QByteArray second = platform::writeRtf(again);
    if (first != second) {
        fprintf(stderr, "save, load, save changed the bytes\n--- first\n%s\n--- second\n%s\n",
                first.constData(), second.constData());
        abort();
    }

    // A selection of the document, pasted into the middle of another.
    const int len = doc.characterCount() - 1;
    const int from = size > 0 ? data[0] % (len + 1) : 0;
    const int to = size > 1 ? from + data[1] % (len - from + 1) : len;
    const QByteArray piece = platform::writeRtfRange(doc, from, to);
    QTextDocument target;
    target.setPlainText(QStringLiteral("before\nafter"));
    QTextCursor c(&target);
    c.setPosition(3);
    platform::insertRtf(piece, c);
    platform::insertRtf(bytes, c);
    return 0;
}
