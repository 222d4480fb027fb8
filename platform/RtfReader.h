// Reading rich text (RTF) into a QTextDocument. The reader takes whatever word processors
// write and survives anything else: unknown and ignorable destinations are skipped, nesting
// depth is capped, numbers are clamped, a truncated file keeps what it has, and bytes that are
// not RTF at all load as Windows-1252 plain text. \'hh is decoded in the code page of the
// font's \fcharset (or \cpg), else of the document (\ansicpg, \mac, \pc, \pca); the two bytes
// of a character in a multi-byte code page (Japanese, Chinese, Korean) are decoded together.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;

namespace platform {

// True when the bytes start (after blanks) with "{\rtf".
bool looksLikeRtf(const QByteArray& bytes);

// What a file can hold that the document cannot: the reader leaves it out.
enum RtfNotKept : unsigned {
    NotKeptPictures = 1,         // pictures other than PNG and JPEG (WMF, EMF, bitmaps)
    NotKeptObjects = 2,          // embedded objects
    NotKeptShapes = 4,           // shapes and text boxes
    NotKeptNotes = 8,            // footnotes and endnotes
    NotKeptHeadersFooters = 16,  // headers and footers
    NotKeptComments = 32,        // comments (annotations)
};

// What a read met in the file that the document does not show as the file has it.
struct RtfReadReport {
    // The first code page that text of the file is written in and that cannot be decoded
    // (its bytes read as Windows-1252); 0 when every character was decoded.
    int undecodableCodePage = 0;
    // RtfNotKept flags of what the file holds and the document left out.
    unsigned notKept = 0;
};

// Replaces the whole document with the rich text (or plain text) in bytes. A trailing empty
// paragraph after the last \par is dropped, so a file that ends every paragraph with \par
// does not gain an empty line. Undo history of the document is cleared.
void readRtfDocument(const QByteArray& bytes, QTextDocument& doc, RtfReadReport* report = nullptr);

// Inserts the rich text at the cursor, replacing its selection. Each \par inserts a paragraph
// break; text after the last \par continues the paragraph the cursor is in. Afterwards the
// cursor stands behind the inserted text.
void insertRtf(const QByteArray& bytes, QTextCursor& cursor);

// A byte of a single-byte code page as a character; a code page that cannot be decoded reads
// as Windows-1252. Exposed for the writer and for tests.
QChar decodeCodePageByte(int codePage, unsigned char byte);
// Whether Qt's decoders on this system decode the code page.
bool canDecodeCodePage(int codePage);
// The Windows-1252 byte of a character, or -1 when the code page has none.
int encodeCp1252(QChar c);

}  // namespace platform
