// The user's documents: their file names, and what a document holds read without an editor
// (the store that puts one into an editor is in DocumentStore.cpp).
#include "workbook/Documents.h"

#include "catalogue/Catalogue.h"
#include "platform/RtfReader.h"

#include <QTextDocument>

using namespace platform;

namespace workbook {

namespace {

constexpr int LastSpecFileNumber = catalogue::SpecCount - 1;
constexpr int LastWorksheetNo = catalogue::WorksheetCount - 1;

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

}  // namespace workbook
