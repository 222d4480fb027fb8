// Reading rich text (RTF) into a QTextDocument. The reader takes whatever word processors
// write and survives anything else: unknown and ignorable destinations are skipped, nesting
// depth is capped, numbers are clamped, a truncated file keeps what it has, and bytes that are
// not RTF at all load as Windows-1252 plain text.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;

namespace platform {

// True when the bytes start (after blanks) with "{\rtf".
bool looksLikeRtf(const QByteArray& bytes);

// Replaces the whole document with the rich text (or plain text) in bytes. A trailing empty
// paragraph after the last \par is dropped, so a file that ends every paragraph with \par
// does not gain an empty line. Undo history of the document is cleared.
void readRtfDocument(const QByteArray& bytes, QTextDocument& doc);

// Inserts the rich text at the cursor, replacing its selection. Each \par inserts a paragraph
// break; text after the last \par continues the paragraph the cursor is in. Afterwards the
// cursor stands behind the inserted text.
void insertRtf(const QByteArray& bytes, QTextCursor& cursor);

// Windows code pages the reader understands for \'hh (1250-1258); others read as 1252.
// Exposed for the writer and for tests.
QChar decodeCodePageByte(int codePage, unsigned char byte);
// The Windows-1252 byte of a character, or -1 when the code page has none.
int encodeCp1252(QChar c);

}  // namespace platform
