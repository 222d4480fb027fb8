// The user's own documents: their file names, and loading and saving them in the editor.
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

// Message titles of the document steps.
inline const QString OpenDocumentTitle = QStringLiteral("Open Document");
inline const QString SaveCommandTitle = QStringLiteral("Save Command");

// Loads a whole document into the editor. A missing or empty file leaves the editor empty and
// says nothing (the first Save creates it). A file that exists but cannot be read also leaves
// the editor empty, but the user is told so, and its name is kept in `unreadable`: an empty
// editor must not look like an empty document that the next Save may overwrite unnoticed.
// A file that reads again clears `unreadable`.
platform::ReadStatus loadDocument(platform::RichTextBox& editor, const QString& name,
                                  QString& unreadable);

enum class SaveOutcome {
    Saved,     // the file holds the editor's text
    Declined,  // the user chose to keep a file that could not be read; nothing written
    Failed,    // the write failed; the old file is unchanged and the user has been told
};

// Writes the editor's whole rich text to a document, atomically (a crash or a full disk
// leaves the old file as it was). Before replacing a file that could not be read when it was
// opened, the user is asked; declining writes nothing. A failed write is reported in a message,
// never passed off as a save.
SaveOutcome saveDocument(const platform::RichTextBox& editor, const QString& name,
                         QString& unreadable);

}  // namespace workbook
