// The Action Area's side of the user's documents: the three "Actions" options, the messages of
// a document that cannot be read or written, and Save on every page.
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "workbook/Documents.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString SamplePolicyNote =
    QStringLiteral("This Policy was first written using a full function word processing") + CR +
    QStringLiteral("program and then copied and pasted into the program.") + CR + CR +
    QStringLiteral("You can use the program to enter in this information, but the program") + CR +
    QStringLiteral("doesn't give you all of the capabilities of a commerical word processor!");

// What a document held that the editor left out, named for the user: "a, b and c".
QString notKeptNames(unsigned notKept) {
    static const std::pair<unsigned, const char*> names[] = {
        {NotKeptPictures, "pictures in formats other than PNG and JPEG"},
        {NotKeptObjects, "embedded objects"},
        {NotKeptShapes, "shapes or text boxes"},
        {NotKeptNotes, "footnotes or endnotes"},
        {NotKeptHeadersFooters, "headers or footers"},
        {NotKeptComments, "comments"},
    };
    QStringList held;
    for (const auto& [flag, name] : names)
        if (notKept & flag) held << QString::fromLatin1(name);
    if (held.size() < 2) return held.join(QString());
    const QString last = held.takeLast();
    return held.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

}  // namespace

using namespace workbook;

void WorkArea1::SSOption3_Click() { LoadDocumentOption(KindAction); }
void WorkArea1::SSOption4_Click() { LoadDocumentOption(KindComment); }
void WorkArea1::SSOption5_Click() { LoadDocumentOption(KindPolicy); }

// Loads the entry's document of one kind into the editor (on the sample page the shipped
// sample of that kind).
void WorkArea1::LoadDocumentOption(int textKind) {
    if (keepingOption_) return;
    // A save the user asked for that failed keeps the document shown, and its option.
    if (UnsavedChanges == 1 && !AskSaveChanges()) {
        KeepShownDocumentOption();
        return;
    }
    // The kind in force; Insert Template goes with the policy of an entry that has a template.
    TextKind = textKind;
    Rtext3.setLocked(false);
    if (textKind == KindPolicy) {
        SSCommand2.setEnabled(true);
        // The two overview entries have no template.
        if ((AreaMode == catalogue::PageOrganizational || AreaMode == catalogue::PagePolicies) && SpecIndex == 0)
            SSCommand2.setEnabled(false);
    } else {
        SSCommand2.setEnabled(false);
    }
    // The editor's tools are on for a document.
    EnableEditorTools(true);
    // The text of the document shown before goes.
    EmptyEditor();
    // The document's name: the entry's own, or on the sample page the shipped sample.
    if (AreaMode >= catalogue::PageAdministrative && AreaMode <= catalogue::PagePolicies)
        CurFileName = specDocumentFile(textKind, catalogue::specFileNumber(AreaMode, SpecIndex));
    else if (AreaMode == catalogue::PageSample)
        CurFileName = sampleDocumentFile(textKind);
    // The sample's policy: its note once, and Insert Template.
    if (textKind == KindPolicy && AreaMode == catalogue::PageSample) {
        if (SamplePolicyNoteShown == 0) {
            msgBox(SamplePolicyNote, Msg::Information | Msg::OKOnly, QStringLiteral("Policies and Procedures"));
            SamplePolicyNoteShown = 1;
        }
        SSCommand2.setEnabled(true);
    }
    // The document into the editor; the change events of the load are the program's.
    bool refused = false;
    if (!CurFileName.isEmpty()) {
        TextLoading = ProgramSetsText;
        refused = OpenDocument(CurFileName).keepsEditorLocked();
        TextLoading = 0;
    }
    // The sample's policy stays editable: it can be typed into but never saved. A file
    // that was not opened keeps the editor locked.
    if (refused) Rtext3.setLocked(true);
    else if (textKind != KindPolicy) Rtext3.setLocked(AreaMode == catalogue::PageSample);
    // The read-only views' buffers are stale now; their options go off.
    ClearSpecBuffers();
    for (SSOption* o : {&SSOption2, &SSOption6, &SSOption7}) o->setValue(false);
    // The change events of the load do not count.
    UnsavedChanges = 0;
}

// After a failed save question: the option the user pressed goes back to the document that
// is still shown, without loading anything.
void WorkArea1::KeepShownDocumentOption() {
    keepingOption_ = true;
    SSOption* shown[] = {&SSOption3, &SSOption4, &SSOption5};
    for (int kind = KindAction; kind <= KindPolicy; ++kind) shown[kind - KindAction]->setValue(kind == TextKind);
    for (SSOption* view : {&SSOption2, &SSOption6, &SSOption7}) view->setValue(false);
    keepingOption_ = false;
}

// Loads a document into the editor. A document that exists but cannot be read is reported:
// an empty editor must not look like an empty document that the next Save may overwrite
// unnoticed. One that is not rich text, or far larger than any document, is not read at all
// and the editor stays locked, so that nothing typed there passes for what the file holds.
DocumentStore::LoadResult WorkArea1::OpenDocument(const QString& name) {
    const DocumentStore::LoadResult loaded = Documents.load(Rtext3, name);
    if (loaded.undecodableCodePage) {
        // Its characters would be saved as the garbage shown in their place.
        HourglassOff();
        msgBox(QStringLiteral("The file ") + name + QStringLiteral(" is written in code page ") +
                   QString::number(loaded.undecodableCodePage) +
                   QStringLiteral(", which this program cannot read, so some of its characters are not shown as "
                                  "written.") +
                   CR + QStringLiteral("It has been opened read-only and left as it is."),
               Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
        Rtext3.setLocked(true);
    }
    if (loaded.notKept) {
        // A document from a word processor: the editor shows the rest of it, and says what
        // a save from here would lose.
        HourglassOff();
        msgBox(QStringLiteral("The file ") + name + QStringLiteral(" holds ") + notKeptNames(loaded.notKept) +
                   QStringLiteral(", which this program cannot show or keep.") + CR +
                   QStringLiteral("The editor shows the rest of the document; the file stays as it is until you "
                                  "save it here."),
               Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
    }
    if (loaded.undecodableCodePage || loaded.status != ReadStatus::Unreadable) return loaded;
    HourglassOff();
    ReportUnopenedDocument(name, loaded.refused);
    if (loaded.refused != DocumentStore::Refusal::None) Rtext3.setLocked(true);
    return loaded;
}

void WorkArea1::ReportUnopenedDocument(const QString& name, DocumentStore::Refusal refused) {
    const QString file = QStringLiteral("The file ") + name;
    QString text;
    switch (refused) {
    case DocumentStore::Refusal::None:
        text = file + QStringLiteral(" exists but could not be read.") + CR + QStringLiteral("It has been left as it is.") +
               CR + CR + QStringLiteral("If you save here, the text in the editor will replace it.");
        break;
    case DocumentStore::Refusal::NotRichText:
        text = file + QStringLiteral(" is not a rich-text (RTF) document, so it has not been opened.") + CR +
               QStringLiteral("It has been left as it is, and the editor stays empty.");
        break;
    case DocumentStore::Refusal::TooLarge:
        text = file +
               QStringLiteral(" is larger than 10 MB, more than any document of this program holds, so it has not "
                              "been opened.") +
               CR + QStringLiteral("It has been left as it is, and the editor stays empty.");
        break;
    }
    msgBox(text, Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
}

// Writes the editor's text to a document. Before replacing a file that could not be read when
// it was opened, the user is asked; a failed write is reported, never passed off as a save.
// A failed or declined write keeps the changes marked as unsaved, so the text is still
// offered for saving. A write whose new file is in place but not known to be durable is told
// as such; the file holds the text then, so it counts as saved.
bool WorkArea1::SaveEditorTo(const QString& name) {
    if (name.isEmpty()) return false;
    CurFileName = name;
    if (Documents.wasUnreadable(name)) {
        HourglassOff();
        const int answer =
            msgBox(QStringLiteral("The file ") + name + QStringLiteral(" could not be read when it was opened.") +
                       CR + QStringLiteral("Saving replaces what it holds with the text in the editor.") + CR +
                       CR + QStringLiteral("Replace it?"),
                   Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, SaveCommandTitle);
        if (answer != Answer::Yes) {
            UnsavedChanges = 1;
            return false;
        }
    } else if (const unsigned lost = Documents.notKept(name)) {
        HourglassOff();
        const int answer = msgBox(QStringLiteral("Saving replaces the file ") + name +
                                      QStringLiteral(" with the text in the editor, and the ") + notKeptNames(lost) +
                                      QStringLiteral(" it holds will be lost.") + CR + CR +
                                      QStringLiteral("Replace it?"),
                                  Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, SaveCommandTitle);
        if (answer != Answer::Yes) {
            UnsavedChanges = 1;
            return false;
        }
    }
    HourglassOn();
    const DocumentStore::SaveResult saved = Documents.save(Rtext3, name);
    HourglassOff();
    if (saved.outcome == DocumentStore::Outcome::Failed) {
        QString text = QStringLiteral("Unable to save ") + name + QStringLiteral(".");
        if (!saved.reason.isEmpty()) text += CR + saved.reason;
        text += CR + CR + QStringLiteral("Your text is still in the editor and has not been saved.");
        msgBox(text, Msg::OKOnly | Msg::Critical, SaveCommandTitle);
    } else if (saved.outcome == DocumentStore::Outcome::NotDurable) {
        // The file holds the text, so there is nothing left to save; but the disk did not make
        // it durable, and the user is told so rather than shown a plain save.
        QString text = QStringLiteral("The new text is in ") + name + QStringLiteral(", but it may not survive a power loss.");
        if (!saved.reason.isEmpty()) text += CR + saved.reason;
        text += CR + CR + QStringLiteral("The disk did not confirm the save. Your text is still in the editor.");
        msgBox(text, Msg::OKOnly | Msg::Exclamation, SaveCommandTitle);
    }
    UnsavedChanges = saved.inPlace() ? 0 : 1;
    return saved.inPlace();
}

void WorkArea1::mOSave_Click() { SSCommand6_Click(); }

void WorkArea1::SSCommand6_Click() { SavePage(); }

// Saves what the page holds. False when something the user wrote is not saved (the write
// failed, or a replacement was declined): the text is still in the editor, still unsaved.
bool WorkArea1::SavePage() {
    switch (AreaMode) {
    case catalogue::PageRecoveryPlan:
        return SaveEditorTo(RecoveryPlanFile);
    case catalogue::PageTimeline: {
        // The page writes its list, ends the unsaved mark and turns its Save off.
        if (UnsavedChanges == 0) return true;
        HourglassOn();
        const bool saved = ToDo.SaveToDoGrid();
        HourglassOff();
        return saved;
    }
    case catalogue::PageSample:
        msgBox(QStringLiteral("Unable to save changes to sample."), Msg::Question | Msg::OKOnly, SaveCommandTitle);
        return false;
    case catalogue::PageWorksheets: {
        if (!SaveEditorTo(worksheetDocumentFile(WorksheetNo))) return false;
        // A worksheet emptied of text loses its compliance status. The record is the open
        // worksheet's: SpecIndex may already name the worksheet the user is moving to.
        if (Rtext3.text().trimmed().isEmpty()) {
            const int record = catalogue::FirstWorksheetStatus + WorksheetNo;
            if (StatusWritten(WriteStatusRecord(record, QString()))) Combo1.setText(QString());
        }
        return true;
    }
    case catalogue::PageAdministrative:
    case catalogue::PagePhysical:
    case catalogue::PageTechnical:
    case catalogue::PageOrganizational:
    case catalogue::PagePolicies:
        UnsavedChanges = 0;
        if (TextKind == KindReferenceView) return true;
        // The name is rebuilt from the kind and the entry, so a template name left in
        // CurFileName never receives the text.
        return SaveEditorTo(specDocumentFile(TextKind, catalogue::specFileNumber(AreaMode, SpecIndex)));
    default:
        UnsavedChanges = 0;
        return true;
    }
}

// A restore may have replaced every file behind what the hub holds. The editor is emptied and
// locked with no document in force, so that no text from before the restore can be saved over
// a restored document; the statuses are read again, and a page on screen is shown afresh.
void WorkArea1::ForgetRestoredFiles() {
    EmptyEditor();
    CurFileName.clear();
    TextKind = KindReferenceView;
    Rtext3.setLocked(true);
    UnsavedChanges = 0;
    ReadStatusStore(1, catalogue::LastStatusNumber);
    if (isVisible()) SSCommand11_Click(AreaMode);
}
