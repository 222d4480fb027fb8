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
    const ReadResult r = readWholeFile(name);
    c.status = r.status;
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

ReadStatus DocumentStore::load(RichTextBox& editor, const QString& name) {
    const ReadStatus status = editor.loadFile(name);
    if (status == ReadStatus::Ok) {
        readAgain(name);
        return status;
    }
    // The box keeps what it had when a load fails; the document's place is empty.
    if (!editor.text().isEmpty()) editor.setText(QString());
    if (status == ReadStatus::Missing) readAgain(name);
    else unreadable_ = name;
    return status;
}

DocumentStore::SaveResult DocumentStore::save(const RichTextBox& editor, const QString& name) {
    SaveResult result;
    if (!editor.saveFile(name, &result.reason)) return result;
    readAgain(name);
    result.outcome = Outcome::Saved;
    result.reason.clear();
    return result;
}

}  // namespace workbook
