// "Insert Template" and "New Worksheet" (SSCommand2): a policy document, a worksheet or the
// recovery plan started from its shipped template Misc<t>.Hlp. The template replaces the
// editor's text only; nothing is written until the user saves, and Save writes the page's own
// document, never the template.
#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "workbook/Documents.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString InsertTemplateTitle = QStringLiteral("Insert Template");
const QString NewWorksheetTitle = QStringLiteral("New Worksheet");
const QString WillBeOverwritten =
    QStringLiteral("If you insert template and save file the existing file will be overwritten!");

}  // namespace

void WorkArea1::SSCommand2_Click() {
    const bool worksheet = AreaMode == catalogue::PageWorksheets;
    const QString title = worksheet ? NewWorksheetTitle : InsertTemplateTitle;
    const int t = catalogue::templateNumber(AreaMode, SpecIndex);
    if (t == catalogue::NoNumber) return;
    const QString templateName = catalogue::miscDocument(t);

    // A template that cannot be read is reported before any question; the editor keeps its text.
    if (workbook::probeDocument(templateName).status != ReadStatus::Ok) {
        msgBox(QStringLiteral("The template ") + templateName +
                   QStringLiteral(" could not be found or read in the program folder.") + CR +
                   QStringLiteral("The text in the editor has not been changed."),
               Msg::Exclamation | Msg::OKOnly, title);
        return;
    }
    CurFileName = templateName;

    // The document a saved template would replace, and whether the question about it is asked.
    QString existing;
    bool ask = true;
    if (worksheet) {
        existing = workbook::worksheetDocumentFile(WorksheetNo);
        // An existing but empty worksheet counts as existing.
        ask = workbook::probeDocument(existing).status != ReadStatus::Missing;
        WorkText = SSCommand12.exists(WorksheetNo) ? SSCommand12[WorksheetNo].toolTipText() : QString();
    } else {
        existing = AreaMode == catalogue::PageRecoveryPlan
                       ? workbook::RecoveryPlanFile
                       : workbook::specDocumentFile(workbook::KindPolicy, catalogue::specFileNumber(AreaMode, SpecIndex));
        // The sample always counts as existing.
        ask = AreaMode == catalogue::PageSample || workbook::probeDocument(existing).holdsText;
        WorkText = AreaMode == catalogue::PageRecoveryPlan ? QStringLiteral("Disaster Recovery Plan.")
                                                           : QStringLiteral("Policy and Procedure/Plan.");
    }

    bool insert = true;
    if (ask) {
        const QString question =
            worksheet ? QStringLiteral("The program has detected an existing ") + WorkText + QStringLiteral(" worksheet!") +
                            CR + CR + WillBeOverwritten + CR + CR + QStringLiteral("New Worksheet?")
                      : QStringLiteral("The program has detected an existing ") + WorkText + CR + CR + WillBeOverwritten +
                            CR + CR + QStringLiteral("Insert new Template?");
        LoopIndex = msgBox(question, Msg::YesNoCancel | Msg::Exclamation | Msg::DefaultButton2, title);
        insert = LoopIndex == Answer::Yes;
    } else if (UnsavedChanges == 1 && !Rtext3.text().trimmed().isEmpty()) {
        // No document would be replaced, but the typing in the editor would: it is not
        // replaced without asking.
        LoopIndex = msgBox(QStringLiteral("The text in the editor has not been saved.") + CR + CR +
                               QStringLiteral("If you insert the template, it will replace that text!") + CR + CR +
                               (worksheet ? QStringLiteral("New Worksheet?") : QStringLiteral("Insert new Template?")),
                           Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, title);
        if (LoopIndex != Answer::Yes) return;
    }
    if (insert) Documents.loadShipped(Rtext3, templateName);
    if (worksheet) {
        // Whatever the answer, the worksheet stays open for typing and counts as changed.
        Rtext3.setLocked(false);
        UnsavedChanges = 1;
    }
}
