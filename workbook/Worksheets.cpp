// The risk-analysis worksheets of page 7: the buttons SSCommand12 with their titles from the
// worksheet-title store (WorksheetTitles.h) and the underline of the worksheets in use, the
// worksheet choice, and the Options entry that opens the title panel (WorksheetTitlePanel.h).
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "platform/FolderNames.h"
#include "workbook/Documents.h"
#include "workbook/WorkArea1.h"
#include "workbook/WorksheetTitles.h"

using namespace platform;

namespace {
// A title as a button shows it: an "&" the user typed stands as itself, not as an access key.
QString asCaption(const QString& title) { return QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")); }
}  // namespace

void WorkArea1::RefreshWorksheetButtons() {
    const workbook::StoredWorksheetTitles stored = workbook::readWorksheetTitles();
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        SSCommand12[n].setCaption(asCaption(stored.shown(n)));
        SSCommand12[n].setToolTipText(stored.shown(n));
    }
    doEvents();
    if (stored.tooLarge) {
        HourglassOff();
        msgBox(QStringLiteral("The file ") + workbook::WorksheetTitleFile +
                   QStringLiteral(" is larger than any list of worksheet titles, so it has not been read.") + CR +
                   QStringLiteral("It has been left as it is, and the worksheet buttons show their first titles."),
               Msg::OKOnly | Msg::Exclamation, QStringLiteral("Worksheet Titles"));
    }
    RefreshWorksheetUnderlines();
}

// Each worksheet's own file decides its mark; one that cannot be read is not in use. The
// folder is looked at once: a worksheet without a file is not in use, and only the files that
// are there are read.
void WorkArea1::RefreshWorksheetUnderlines() {
    const QSet<QString> present = programFolderNames();
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        const QString file = workbook::worksheetDocumentFile(n);
        Font f = SSCommand12[n].font();
        f.underline = present.contains(file.toLower()) && workbook::probeDocument(file).holdsText;
        SSCommand12[n].setFont(f);
    }
}

void WorkArea1::SSCommand12_Click(int n) {
    if (!SSCommand12.exists(n)) return;
    HourglassOn();
    // The save question comes first, while the worksheet it is about is still the open one:
    // its save, and the status an emptied worksheet clears, are that worksheet's.
    doEvents();
    // A Yes whose save failed keeps the open worksheet and its text.
    if (UnsavedChanges == 1 && !AskSaveChanges()) {
        HourglassOff();
        return;
    }
    SpecIndex = n;
    // The marks from the files as they are now, so a worksheet just saved with text shows its
    // status and its underline.
    RefreshWorksheetUnderlines();
    // The status box: the stored status of a worksheet in use, else nothing.
    Combo1.setText(QString());
    if (SSCommand12[n].font().underline)
        Combo1.setText(SpecStatus[std::size_t(catalogue::FirstWorksheetStatus + n)]);
    if (!Label9.visible()) {
        Label9.setVisible(true);
        SSCommand22.setVisible(true);
    }
    if (!Combo1.visible()) Combo1.setVisible(true);
    MarkChosenButton(SSCommand12, n, true);
    SSCommand& chosen = SSCommand12[n];
    EmptyEditor();
    UnsavedChanges = 0;
    setCaption(AreaCaption + QStringLiteral(" - ") + chosen.toolTipText());
    // The editor's tools, at the first choice after the page was opened.
    if (!SSCommand2.enabled()) {
        SSCommand2.setEnabled(true);
        EnableEditorTools(true);
    }
    WorksheetNo = n;
    CurFileName = workbook::worksheetDocumentFile(n);
    Rtext3.setLocked(false);
    TextLoading = ProgramSetsText;
    OpenDocument(CurFileName);
    TextLoading = 0;
    UnsavedChanges = 0;
    chosen.setFocus();
    doEvents();
    HourglassOff();
}

void WorkArea1::mORATitle_Click() {
    workbook::WorksheetTitleTexts titles;
    for (int n = 0; n < catalogue::WorksheetCount; ++n) titles[std::size_t(n)] = SSCommand12[n].toolTipText();
    Titles.Open(titles);
}

// The buttons take the titles just stored, without their surrounding blanks; the window's
// caption names the open worksheet again.
void WorkArea1::WorksheetTitlesClosed(const workbook::WorksheetTitlesWrite* saved) {
    if (saved) {
        for (int n = 0; n < catalogue::WorksheetCount; ++n) {
            if (!saved->changed[std::size_t(n)]) continue;
            const QString title = saved->stored[std::size_t(n)].trimmed();
            SSCommand12[n].setCaption(asCaption(title));
            SSCommand12[n].setToolTipText(title);
        }
    }
    setCaption(AreaCaption + QStringLiteral(" - ") + SSCommand12[WorksheetNo].toolTipText());
}
