// The store of the user's documents: a whole document into an editor, an editor's whole
// rich text back, and the names of documents it could not show whole. No message is shown here;
// the windows tell the user. It works on an editor, so it is built with the windows.
#include "workbook/Documents.h"

#include "platform/RichTextBox.h"

using namespace platform;

namespace workbook {

namespace {

bool sameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

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
    platform::WriteOutcome written = platform::WriteOutcome::Failed;
    const bool durable = editor.saveFile(name, &result.reason, &written);
    if (!durable && written != platform::WriteOutcome::NotDurable) return result;
    // The file holds the editor's text from here on, whether or not the disk made it durable.
    readAgain(name);
    if (sameFile(notKeptName_, name)) {
        notKeptName_.clear();
        notKept_ = 0;
    }
    if (!durable) {
        result.outcome = Outcome::NotDurable;
        return result;
    }
    result.outcome = Outcome::Saved;
    result.reason.clear();
    return result;
}

}  // namespace workbook
