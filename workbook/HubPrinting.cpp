// The Action Area's print panel: the editor's "&Print" and the Options menu's "&Print", the
// preview of the user's document, what the panel renders again after "&Page Setup" and
// "Printer &Font", and the handlers of the panel's controls.
#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "frame/HINFO1.h"
#include "platform/Services.h"
#include "printing/PrintTitle.h"
#include "printing/ToDoReport.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString ReportModeCaption = QStringLiteral("All Safeguards");
// The first box's caption while the panel prints one of the user's documents.
const QString DocumentModeCaption = QStringLiteral("Action Taken");

}  // namespace

// ---- the panel's own controls, forwarded ---------------------------------------------------------

void WorkArea1::SSCommand80_Click(int index) { Print.SSCommand80_Click(index); }

void WorkArea1::SSCommand1_Click() { Print.TogglePreviewSize(); }

void WorkArea1::SSOption82_Click(int index) { Print.SSOption82_Click(index); }

// ---- what the panel renders again ------------------------------------------------------------

void WorkArea1::RebuildAfterPageSetup() {
    if (AreaMode == catalogue::PageWorksheets || AreaMode == catalogue::PageRecoveryPlan) {
        PreviewEditorText();
    } else if (AreaMode == catalogue::PageTimeline) {
        PrintToDoList();
    } else if (DocumentOptionChosen()) {
        PreviewEditorText();
    } else {
        PrintSpecificationPage();
    }
}

void WorkArea1::RebuildAfterPrinterFont() {
    if (AreaMode == catalogue::PageTimeline)
        PrintToDoList();
    else
        PrintSpecificationPage();
}

// The report or document the preview shows, laid out again for the paper the print dialog
// chose.
void WorkArea1::RebuildForPaper() {
    if (AreaMode == catalogue::PageTimeline) {
        PrintToDoList();
    } else if (SSCheck80[0].caption() == ReportModeCaption) {
        PrintSafeguardsReport();
    } else if (SSCheck80[0].caption() == DocumentModeCaption && AreaMode != catalogue::PageWorksheets &&
               AreaMode != catalogue::PageRecoveryPlan) {
        // The document's box unticked shows an empty page; that stays so.
        if (SSCheck80[0].value() == 1 || SSCheck80[1].value() == 1 || SSCheck80[2].value() == 1)
            PreviewEditorText();
    } else {
        RebuildAfterPageSetup();
    }
}

QString WorkArea1::PrintedEntryName() const {
    const int k = catalogue::specNumber(AreaMode, SpecIndex);
    if (AreaMode >= catalogue::PageAdministrative && AreaMode != catalogue::PageWorksheets &&
        AreaMode != catalogue::PageRecoveryPlan && k >= 1 && k <= 47) {
        const catalogue::SpecEntry& e = catalogue::entry(k);
        const QString spec = catalogue::toQString(e.specification);
        if (!spec.trimmed().isEmpty()) return spec.trimmed();
        return catalogue::toQString(e.standard).trimmed();
    }
    // The worksheets and the recovery plan: the page as the window's caption names it.
    const QString c = caption();
    const qsizetype dash = c.indexOf(QStringLiteral(" - "));
    return dash >= 0 ? c.mid(dash + 3) : c;
}

void WorkArea1::PreviewEditorText() {
    QString what = PrintedEntryName();
    const char* const kinds[3] = {"Action Taken", "Comments/Notes", "Policies & Procedures/Plan"};
    const bool ownPage = AreaMode == catalogue::PageWorksheets || AreaMode == catalogue::PageRecoveryPlan;
    const SSOption* const options[3] = {&SSOption3, &SSOption4, &SSOption5};
    for (int i = 0; i <= 2 && !ownPage; ++i)
        if (options[i]->value()) what = QString::fromLatin1(kinds[i]) + QStringLiteral(" - ") + what;
    RenderEditorText(Print, Rtext3, printing::printTitle(what));
}

// ---- the check boxes of the panel ------------------------------------------------------------

void WorkArea1::SSCheck80_Click(int index) {
    // Load restores the ticks without building anything.
    if (LoopIndex == RestoringPrintOptions) return;
    // The opener's own tick of the printed document's box.
    if (ModeFlag == ModeFlagPrintOpenerTick) {
        ModeFlag = ModeFlagBackup;
        return;
    }
    if (SSCheck80[0].caption() == ReportModeCaption) {
        // "All Safeguards" stands alone; any single group unticks it.
        if (SSCheck80[index].value() == 1) {
            if (index > 0 && SSCheck80[0].value() == 1) {
                SSCheck80[0].setValue(0);
            } else if (index == 0) {
                for (int i = 1; i <= 3; ++i)
                    if (SSCheck80[i].value() == 1) SSCheck80[i].setValue(0);
            }
        }
        // The reports print in their own font.
        Panel3D80[0].setCaption(QStringLiteral(" Times New Roman"));
        Panel3D80[1].setCaption(QStringLiteral(" 10"));
        Font f;
        f.name = QStringLiteral("Times New Roman");
        f.size = 10;
        Panel3D82.setFont(f);
        Panel3D82.setForeColor(rgb(0, 0, 0));
        if (Print.isShowing()) PrintSafeguardsReport();
        return;
    }
    // The box of the user's document keeps its meaning: ticked again, it shows the document
    // again (not the rule text); unticked, an empty page.
    if (SSCheck80[0].caption() == DocumentModeCaption) {
        if (!Print.isShowing()) return;
        if (SSCheck80[0].value() == 1 || SSCheck80[1].value() == 1 || SSCheck80[2].value() == 1) {
            PreviewEditorText();
        } else {
            VSP1.setPreview(true);
            VSP1.clear();
            Print.ApplyMargins();
            VSP1.document().startDoc();
            VSP1.document().endDoc();
        }
        return;
    }
    if (Print.isShowing()) PrintSpecificationPage();
}

void WorkArea1::SSCheck81_Click(int) {
    // Both options are kept whichever was clicked, also while Load restores them.
    NoGridLines = SSCheck81[1].value() == 0 ? 1 : 0;
    NoAsOfDate = SSCheck81[0].value() == 0 ? 1 : 0;
    if (LoopIndex == RestoringPrintOptions) return;
    doEvents();
    PrintToDoList();
}

// ---- the openers -----------------------------------------------------------------------------

void WorkArea1::mOPrint_Click() {
    switch (AreaMode) {
    case catalogue::PageOverview: SSCommand3_Click(); break;
    case catalogue::PageTimeline: OpenToDoPrint(); break;
    default: SSCommand5_Click(); break;
    }
}

// The editor page's "&Print": the user's document goes to the preview as it stands; a
// read-only text of the specification opens the panel as a specification page.
void WorkArea1::SSCommand5_Click() {
    // The panel empty, over the window, with its report boxes on and unticked.
    VSP1.clear();
    for (int i = 0; i <= 3; ++i) SSCheck80[i].setEnabled(true);
    SSCheck80[3].setVisible(false);
    SSPanel80.setTop(0);
    SSPanel80.setLeft(0);
    SSCommand1.setTop(SSPanel80.top() + 75);
    doEvents();
    for (int i = 0; i <= 3; ++i) SSCheck80[i].setValue(0);
    SSFrame80[3].setVisible(false);
    SSFrame80[2].setVisible(true);
    // The print font is the editor's.
    const Font editorFont = Rtext3.font();
    UsePrintFont(editorFont);
    PrintFontColor = rgb(0, 0, 0);
    // The margins and the zoom of an editor page; Printer Font off (the editor's font is used), Page Setup on.
    PrintPanel::SetMargins(350, 350, 300, 100);
    VSP1.setDisplaySetting(3);
    SSOption81.setCaption(QStringLiteral("All Data Will Be Displayed"));
    SSCommand80[0].setEnabled(false);
    SSCommand80[1].setEnabled(true);

    // The worksheets and the recovery plan are the user's own documents too, whatever Actions
    // option was last chosen on another page: they always print as they stand.
    const bool ownPage = AreaMode == catalogue::PageWorksheets || AreaMode == catalogue::PageRecoveryPlan;
    int documentBox = -1;
    if (!ownPage) documentBox = SSOption3.value() ? 0 : SSOption4.value() ? 1 : SSOption5.value() ? 2 : -1;

    if (ownPage || documentBox >= 0) {
        // The user's document.
        const char* const captions[3] = {"Action Taken", "Comments/Notes", "Policies && Procedures"};
        for (int i = 0; i <= 2; ++i) {
            SSCheck80[i].setCaption(QString::fromLatin1(captions[i]));
            SSCheck80[i].setEnabled(false);
        }
        if (documentBox >= 0) {
            ModeFlag = ModeFlagPrintOpenerTick;
            SSCheck80[documentBox].setEnabled(true);
            SSCheck80[documentBox].setValue(1);
        }
        doEvents();
        Print.ShowPanel();
        SSCommand80[2].setFocus();
        doEvents();
        PreviewEditorText();
        ModeFlag = ModeFlagBackup;
        return;
    }

    // A read-only text of the specification.
    const char* const captions[3] = {"Implementation specification", "References in Rule", "Additional Information"};
    for (int i = 0; i <= 2; ++i) {
        SSCheck80[i].setCaption(QString::fromLatin1(captions[i]));
        SSCheck80[i].setEnabled(true);
    }
    if (editorFont.size <= 0) PrintFontSize = 10;
    Print.ShowPrintFont();
    doEvents();
    Print.ShowPanel();
    SSCommand80[2].setFocus();
    doEvents();
    SSOption* const views[3] = {&SSOption6, &SSOption2, &SSOption7};
    for (int i = 0; i <= 2; ++i) {
        if (!views[i]->value()) continue;
        SSCheck80[i].setValue(1);
        RText1[i].setTextRTF(Rtext3.textRTF());
        BufferSpec[std::size_t(i)] = catalogue::specNumber(AreaMode, SpecIndex);
        break;
    }
    PrintSpecificationPage();
}

// ---- the to-do list report ---------------------------------------------------------------------

// The Options menu's "&Print" on the to-do page: the report prints in the entry box's font.
void WorkArea1::OpenToDoPrint() {
    SSOption81.setCaption(QStringLiteral("Only Rows with a To Do Item"));
    if (!ToDo.GridList().hasItems()) {
        HourglassOff();
        msgBox(QStringLiteral("There are currently No Entries to Print!"), Msg::OKOnly | Msg::Information,
               QStringLiteral("Print"));
        return;
    }
    ToDo.SetCellEditMode(0);
    const Font entryFont = Text1[0].font();
    // The entry box's bitmap fonts have no printed form: the report then prints in a
    // printable serif at 12 points.
    if (entryFont.name == QLatin1String("MS Sans Serif") || entryFont.name == QLatin1String("MS Serif")) {
        PrintFontName = QStringLiteral("Times New Roman");
        PrintFontSize = 12;
    } else {
        PrintFontName = entryFont.name.isEmpty() ? QStringLiteral("Times New Roman") : entryFont.name;
    }
    PrintFontBold = entryFont.bold;
    PrintFontItalic = entryFont.italic;
    PrintFontColor = Text1[0].foreColor();
    if (PrintFontSize <= 0) PrintFontSize = 12;
    SSCommand80[0].setEnabled(true);
    SSCommand80[1].setEnabled(true);
    Panel3D80[0].setCaption(QStringLiteral(" ") + PrintFontName);
    Panel3D80[1].setCaption(QStringLiteral(" ") + QString::number(PrintFontSize));
    Panel3D82.setFont(Font{PrintFontName, PrintFontSize, PrintFontBold, PrintFontItalic, PrintFontUnderline,
                           PrintFontStrikethru});
    Panel3D82.setForeColor(PrintFontColor);
    SSFrame80[2].setVisible(false);
    Print.ShowPanel();
    SSCommand80[2].setFocus();
    doEvents();
    PrintToDoList();
}

void WorkArea1::PrintToDoList() {
    SSFrame80[3].setVisible(true);
    SSFrame80[3].setFocus();
    VSP1.setPreview(true);
    ToDoReportOptions options;
    options.font = Font{PrintFontName, PrintFontSize, PrintFontBold, PrintFontItalic, PrintFontUnderline, PrintFontStrikethru};
    options.color = PrintFontColor;
    options.asOfDate = NoAsOfDate != 1;
    options.gridLines = NoGridLines != 1;
    options.today = platform::clock().today();
    buildToDoReport(ToDo.GridList(), VSP1.document(), options);
}

