// Writing a QTextDocument (whole or a range) as rich text (RTF) that word processors read and
// that our reader gives back unchanged: save, load and save again gives identical bytes.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace platform {

// The font of text that carries no font of its own (the box's base font). An empty family
// takes the document's default font.
struct RtfDefaults {
    QString fontFamily;
    double pointSize = 0;
};

// The whole document; every paragraph ends with \par (the reader drops the empty paragraph
// that the last \par would otherwise open).
QByteArray writeRtf(const QTextDocument& doc, const RtfDefaults& defaults = {});

// The characters from document position `from` up to (not including) `to`. A paragraph break
// is written as \par only when it lies inside the range, so inserting the result elsewhere
// adds exactly the breaks that were selected.
QByteArray writeRtfRange(const QTextDocument& doc, int from, int to, const RtfDefaults& defaults = {});

}  // namespace platform
