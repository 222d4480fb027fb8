// The user's own documents: their file names, and the store that loads and saves them.
//
// Every document is one whole RTF file in the program folder, nothing else in it:
//   Action<n>.Fil, Comment<n>.Fil, Policy<n>.Fil   n = SpecFileNumber 0..46
//   Wksht<n>.Fil                                    n = WorksheetNo 0..20
//   DRPln1.Fil                                      the disaster recovery plan
// n is written as plain decimal digits (Action0.Fil, Policy46.Fil), with the letters exactly
// as shown; other programs and older backups find the files by these names.
#pragma once

#include "platform/Files.h"

#include <QString>

namespace platform {
class RichTextBox;
}

namespace workbook {

// TextKind: which document the editor holds.
enum TextKinds : int {
    KindReferenceView = 0,  // a read-only reference text, or no document
    KindAction = 3,         // "Action Taken"
    KindComment = 4,        // "Comments/Notes"
    KindPolicy = 5,         // "Policies && Procedures/Plan"
};

inline const QString RecoveryPlanFile = QStringLiteral("DRPln1.Fil");

// "Action", "Comment" or "Policy" for TextKind 3, 4, 5; empty for any other kind.
QString kindWord(int textKind);
// The document of a kind for SpecFileNumber 0..46 ("Action0.Fil"); empty when either is out
// of range.
QString specDocumentFile(int textKind, int specFileNumber);
// The shipped read-only sample of a kind: "SampleAct.Dat", "SampleCom.Dat", "SamplePol.Dat".
QString sampleDocumentFile(int textKind);
// "Wksht0.Fil" .. "Wksht20.Fil"; empty outside 0..20.
QString worksheetDocumentFile(int worksheetNo);

// What a document holds, read without any editor: whether it exists and could be read, and
// whether its text holds more than blanks. An existing empty file reads Ok without text; one
// that DocumentStore would not open (not RTF, too large) reads Unreadable without text.
struct DocumentContent {
    platform::ReadStatus status = platform::ReadStatus::Missing;
    bool holdsText = false;
};
DocumentContent probeDocument(const QString& name);

// The store of the user's documents: loads a whole document into an editor and saves an
// editor's whole rich text, reporting what happened and why; it shows no message. It keeps the
// name of a document that exists but could not be read when it was opened, so that the window
// can ask before a save replaces what the user never saw.
class DocumentStore {
public:
    // No document of this program comes near this size; a larger file is not read at all, so
    // that a stray big file never holds the program up or fills its memory.
    static constexpr qint64 MaxDocumentBytes = 10 * 1024 * 1024;

    // Why a file that exists was not put in the editor.
    enum class Refusal {
        None,
        NotRichText,  // it does not begin with "{\rtf": not a rich-text document
        TooLarge,     // larger than MaxDocumentBytes
    };
    struct LoadResult {
        // Ok: the editor holds the document. Missing: no such file (an empty file reads as an
        // empty document). Unreadable: the file exists but was not read, or was refused.
        platform::ReadStatus status = platform::ReadStatus::Missing;
        Refusal refused = Refusal::None;
        // The editor holds the document, but its text is in this code page, which cannot be
        // decoded: what it shows is not what the file holds (0: every character was read).
        int undecodableCodePage = 0;
        // What the document holds that the editor left out (platform::RtfNotKept flags): a
        // save from the editor loses it.
        unsigned notKept = 0;
        // Whether the editor must stay read-only: nothing typed there may pass for the file.
        bool keepsEditorLocked() const { return refused != Refusal::None || undecodableCodePage != 0; }
    };
    // Every way but Ok leaves the editor empty. A file that exists but could not be read, or
    // was refused, or whose code page cannot be decoded, is remembered until it is read or
    // saved. Missing needs no care: the first
    // save creates the file.
    LoadResult load(platform::RichTextBox& editor, const QString& name);
    // A shipped document (a template) into the editor, with the same checks; nothing is
    // remembered, since the program never writes it.
    LoadResult loadShipped(platform::RichTextBox& editor, const QString& name);

    enum class Outcome {
        Saved,       // the file holds the editor's text
        Failed,      // nothing was replaced: the old file is as it was; reason says why
        NotDurable,  // the file holds the editor's text, but the disk did not make it durable:
                     // it may not survive a power loss; reason says why
    };
    struct SaveResult {
        Outcome outcome = Outcome::Failed;
        QString reason;  // the system's words, when it gave any
        bool saved() const { return outcome == Outcome::Saved; }
        // Whether the file now holds the editor's text (durable or not).
        bool inPlace() const { return outcome != Outcome::Failed; }
    };
    // Writes the editor's whole rich text atomically (a crash or a full disk leaves the old
    // file as it was).
    SaveResult save(const platform::RichTextBox& editor, const QString& name);

    // Whether name (any letter case) could not be read when it was last opened.
    bool wasUnreadable(const QString& name) const;
    const QString& unreadable() const { return unreadable_; }
    // What name (any letter case) held when it was last opened that the editor left out, until
    // it is read again without it or saved (platform::RtfNotKept flags; 0: nothing).
    unsigned notKept(const QString& name) const;

private:
    void readAgain(const QString& name);
    QString unreadable_;
    QString notKeptName_;
    unsigned notKept_ = 0;
};

}  // namespace workbook
