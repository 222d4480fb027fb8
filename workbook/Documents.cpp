// The user's documents: their file names, the two steps every document shares (loading one
// whole into the editor, saving the editor's text back), the Action Area's three "Actions"
// options and its Save command on every page.
#include "workbook/Documents.h"

#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace workbook {

namespace {

constexpr int LastSpecFileNumber = 46;
constexpr int LastWorksheetNo = 20;

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

ReadStatus loadDocument(RichTextBox& editor, const QString& name, QString& unreadable) {
    const ReadStatus status = editor.loadFile(name);
    if (status == ReadStatus::Ok) {
        if (sameFile(unreadable, name)) unreadable.clear();
        return status;
    }
    // The box keeps what it had when a load fails; the document's place is empty.
    if (!editor.text().isEmpty()) editor.setText(QString());
    if (status == ReadStatus::Missing) {
        if (sameFile(unreadable, name)) unreadable.clear();
        return status;
    }
    unreadable = name;
    HourglassOff();
    msgBox(QStringLiteral("The file ") + name + QStringLiteral(" exists but could not be read.") + CR +
               QStringLiteral("It has been left as it is.") + CR + CR +
               QStringLiteral("If you save here, the text in the editor will replace it."),
           Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
    return status;
}

SaveOutcome saveDocument(const RichTextBox& editor, const QString& name, QString& unreadable) {
    if (sameFile(unreadable, name)) {
        HourglassOff();
        const int answer =
            msgBox(QStringLiteral("The file ") + name + QStringLiteral(" could not be read when it was opened.") +
                       CR + QStringLiteral("Saving replaces what it holds with the text in the editor.") + CR +
                       CR + QStringLiteral("Replace it?"),
                   Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, SaveCommandTitle);
        if (answer != Answer::Yes) return SaveOutcome::Declined;
    }
    HourglassOn();
    QString reason;
    const bool saved = editor.saveFile(name, &reason);
    HourglassOff();
    if (!saved) {
        QString text = QStringLiteral("Unable to save ") + name + QStringLiteral(".");
        if (!reason.isEmpty()) text += CR + reason;
        text += CR + CR + QStringLiteral("Your text is still in the editor and has not been saved.");
        msgBox(text, Msg::OKOnly | Msg::Critical, SaveCommandTitle);
        return SaveOutcome::Failed;
    }
    if (sameFile(unreadable, name)) unreadable.clear();
    return SaveOutcome::Saved;
}

}  // namespace workbook

// ==== the Action Area's document options and Save =============================================

namespace {

const QString StatusFile = QStringLiteral("Stat1.Fil");
constexpr int StatusRecordLength = 20;

const QString SamplePolicyNote =
    QStringLiteral("This Policy was first written using a full function word processing") + CR +
    QStringLiteral("program and then copied and pasted into the program.") + CR + CR +
    QStringLiteral("You can use the program to enter in this information, but the program") + CR +
    QStringLiteral("doesn't give you all of the capabilities of a commerical word processor!");

}  // namespace

using namespace workbook;

void WorkArea1::SSOption3_Click() { LoadDocumentOption(KindAction); }
void WorkArea1::SSOption4_Click() { LoadDocumentOption(KindComment); }
void WorkArea1::SSOption5_Click() { LoadDocumentOption(KindPolicy); }

// Loads the entry's document of one kind into the editor (on the sample page the shipped
// sample of that kind).
void WorkArea1::LoadDocumentOption(int textKind) {
    // 1.
    if (UnsavedChanges == 1) AskSaveChanges();
    // 2.
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
    // 3.
    const std::pair<SSCommand*, Menu*> tools[] = {{&SSCommand5, &mOPrint}, {&SSCommand6, &mOSave},
                                                  {&SSCommand8, &mOFont},  {&SSCommand9, &mOThes},
                                                  {&SSCommand10, &mOSpell}};
    for (const auto& [button, menu] : tools) {
        button->setEnabled(true);
        menu->setEnabled(true);
    }
    SSFrame4.setEnabled(true);
    // 4.
    EmptyEditor();
    // 5.
    if (AreaMode >= catalogue::PageAdministrative && AreaMode <= catalogue::PagePolicies)
        CurFileName = specDocumentFile(textKind, catalogue::specFileNumber(AreaMode, SpecIndex));
    else if (AreaMode == catalogue::PageSample)
        CurFileName = sampleDocumentFile(textKind);
    // 6.
    if (textKind == KindPolicy && AreaMode == catalogue::PageSample) {
        if (SamplePolicyNoteShown == 0) {
            msgBox(SamplePolicyNote, Msg::Information | Msg::OKOnly, QStringLiteral("Policies and Procedures"));
            SamplePolicyNoteShown = 1;
        }
        SSCommand2.setEnabled(true);
    }
    // 7.
    if (!CurFileName.isEmpty()) {
        TextLoading = 9;
        loadDocument(Rtext3, CurFileName, UnreadableDocument);
        TextLoading = 0;
    }
    // 8. The sample's policy stays editable: it can be typed into but never saved.
    if (textKind != KindPolicy) Rtext3.setLocked(AreaMode == catalogue::PageSample);
    // 9.
    ClearSpecBuffers();
    for (SSOption* o : {&SSOption2, &SSOption6, &SSOption7}) o->setValue(false);
    // 10. The change events of the load do not count.
    UnsavedChanges = 0;
}

// Writes the editor's text to a document. A failed or declined write keeps the changes
// marked as unsaved, so the text is still offered for saving.
bool WorkArea1::SaveEditorTo(const QString& name) {
    if (name.isEmpty()) return false;
    CurFileName = name;
    const SaveOutcome outcome = saveDocument(Rtext3, name, UnreadableDocument);
    UnsavedChanges = outcome == SaveOutcome::Saved ? 0 : 1;
    HourglassOff();
    return outcome == SaveOutcome::Saved;
}

void WorkArea1::mOSave_Click() { SSCommand6_Click(); }

void WorkArea1::SSCommand6_Click() {
    switch (AreaMode) {
    case catalogue::PageRecoveryPlan:
        SaveEditorTo(RecoveryPlanFile);
        break;
    case catalogue::PageTimeline:
        if (UnsavedChanges == 0) break;
        HourglassOn();
        if (SaveToDoGrid()) {
            UnsavedChanges = 0;
            SSCommand19[5].setEnabled(false);
            mOSave.setEnabled(false);
        }
        HourglassOff();
        break;
    case catalogue::PageSample:
        msgBox(QStringLiteral("Unable to save changes to sample."), Msg::Question | Msg::OKOnly,
               QStringLiteral("Save Command"));
        break;
    case catalogue::PageWorksheets: {
        if (!SaveEditorTo(worksheetDocumentFile(WorksheetNo))) break;
        // A worksheet emptied of text loses its compliance status. The record is the open
        // worksheet's: SpecIndex may already name the worksheet the user is moving to.
        if (Rtext3.text().trimmed().isEmpty()) {
            const int record = catalogue::FirstWorksheetStatus + WorksheetNo;
            if (WriteStatusRecord(record, QString())) Combo1.setText(QString());
            else ReportStatusNotStored();
        }
        break;
    }
    case catalogue::PageAdministrative:
    case catalogue::PagePhysical:
    case catalogue::PageTechnical:
    case catalogue::PageOrganizational:
    case catalogue::PagePolicies:
        UnsavedChanges = 0;
        if (TextKind == KindReferenceView) break;
        // The name is rebuilt from the kind and the entry, so a template name left in
        // CurFileName never receives the text.
        SaveEditorTo(specDocumentFile(TextKind, catalogue::specFileNumber(AreaMode, SpecIndex)));
        break;
    default:
        UnsavedChanges = 0;
        break;
    }
}
