// The user's documents: their file names and their store, which loads one whole into an
// editor and saves an editor's text back. No message is shown here; the windows tell the user.
#include "workbook/Documents.h"

#include "catalogue/Catalogue.h"
#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"

#include <QTextDocument>

using namespace platform;

namespace workbook {

namespace {

constexpr int LastSpecFileNumber = catalogue::SpecCount - 1;
constexpr int LastWorksheetNo = catalogue::WorksheetCount - 1;

bool sameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString kindWord(int textKind) {
    switch (textKind) {
    case KindAction: return QStringLiteral("Action");
    case KindComment: return QStringLiteral("Comment");
    case KindPolicy: return QStringLiteral("Policy");
    default: return {};
    }
}

QString specDocumentFile(int textKind, int specFileNumber) {
    const QString word = kindWord(textKind);
    if (word.isEmpty() || specFileNumber < 0 || specFileNumber > LastSpecFileNumber) return {};
    return word + QString::number(specFileNumber) + QStringLiteral(".Fil");
}

QString sampleDocumentFile(int textKind) {
    switch (textKind) {
    case KindAction: return QStringLiteral("SampleAct.Dat");
    case KindComment: return QStringLiteral("SampleCom.Dat");
    case KindPolicy: return QStringLiteral("SamplePol.Dat");
    default: return {};
    }
}

QString worksheetDocumentFile(int worksheetNo) {
    if (worksheetNo < 0 || worksheetNo > LastWorksheetNo) return {};
    return QStringLiteral("Wksht") + QString::number(worksheetNo) + QStringLiteral(".Fil");
}

DocumentContent probeDocument(const QString& name) {
    DocumentContent c;
    // The same limits as opening it: a worksheet page never reads a stray huge file.
    const ReadResult r = readWholeFile(name, DocumentStore::MaxDocumentBytes);
    c.status = r.status;
    if (r.ok() && !r.bytes.isEmpty() && !r.bytes.startsWith("{\\rtf")) {
        c.status = ReadStatus::Unreadable;
        return c;
    }
    if (r.ok() && !r.bytes.isEmpty()) {
        QTextDocument doc;
        readRtfDocument(r.bytes, doc);
        c.holdsText = !doc.toPlainText().trimmed().isEmpty();
    }
    return c;
}

bool DocumentStore::wasUnreadable(const QString& name) const { return sameFile(unreadable_, name); }

// A document that reads (or is written) again is no longer one the user could not see.
void DocumentStore::readAgain(const QString& name) {
    if (wasUnreadable(name)) unreadable_.clear();
}

DocumentStore::LoadResult DocumentStore::loadShipped(RichTextBox& editor, const QString& name) {
    LoadResult result;
    const ReadResult read = readWholeFile(name, MaxDocumentBytes);
    result.status = read.status;
    if (read.tooLarge) {
        result.refused = Refusal::TooLarge;
    } else if (read.ok() && !read.bytes.isEmpty() && !read.bytes.startsWith("{\\rtf")) {
        // Shown as text, a file of another kind is garbage, and a save would replace it.
        result.status = ReadStatus::Unreadable;
        result.refused = Refusal::NotRichText;
    }
    if (result.status == ReadStatus::Ok) {
        editor.setRtfBytes(read.bytes);
        result.undecodableCodePage = editor.lastRead().undecodableCodePage;
        result.notKept = editor.lastRead().notKept;
    } else if (!editor.text().isEmpty()) editor.setText(QString());  // the document's place is empty
    return result;
}

DocumentStore::LoadResult DocumentStore::load(RichTextBox& editor, const QString& name) {
    const LoadResult result = loadShipped(editor, name);
    if (result.status == ReadStatus::Unreadable || result.undecodableCodePage) unreadable_ = name;
    else readAgain(name);
    if (result.notKept) {
        notKeptName_ = name;
        notKept_ = result.notKept;
    } else if (sameFile(notKeptName_, name)) {
        notKeptName_.clear();
        notKept_ = 0;
    }
    return result;
}

unsigned DocumentStore::notKept(const QString& name) const { return sameFile(notKeptName_, name) ? notKept_ : 0; }

DocumentStore::SaveResult DocumentStore::save(const RichTextBox& editor, const QString& name) {
    SaveResult result;
    if (!editor.saveFile(name, &result.reason)) return result;
    readAgain(name);
    if (sameFile(notKeptName_, name)) {
        notKeptName_.clear();
        notKept_ = 0;
    }
    result.outcome = Outcome::Saved;
    result.reason.clear();
    return result;
}

}  // namespace workbook
