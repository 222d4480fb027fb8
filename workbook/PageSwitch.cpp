// The page switch of the Action Area: the ten pages of the page selector SSCommand11.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "workbook/Documents.h"

using namespace platform;

namespace {

// Options menu entries each page shows; mOTab and mOPrint are always shown.
enum MenuPages : unsigned {
    OnOverview = 1u << 0,
    OnTimeline = 1u << 1,
    OnEntryPages = 1u << 2,  // pages 2-6, 8 and 9
    OnWorksheets = 1u << 3,
};

const QString RecoveryPlanMessage = QStringLiteral(
    "In response to a request from a user, we have included a copy of a sample Disaster Recovery Plan. \r"
    "\r"
    "This plan is for a larger organization and may or may not be applicable to your organization.\r"
    "\r"
    "Hopefully, it will give you some ideas on how to address disaster recovery in your situation.\r"
    "\r"
    "If you are a small provider then much of this plan can be cut down or covered in a few \r"
    "sentences instead of the lists and so forth as contained in this plan.\r"
    "\r"
    "You can use this template to make changes in this program and save your changes, etc. \r"
    "or you can copy and paste this document into your word processor and work on it there.");

const QString SampleNote = QStringLiteral(
    "This sample was created so you can see\r"
    "how program works and can be used.\r"
    "\r"
    "You can make changes etc. but cannot save\r"
    "changes so Sample will remain in program.");

}  // namespace

void WorkArea1::FillStatusList(int page) {
    if ((page >= catalogue::PageAdministrative && page <= catalogue::PagePolicies) || page == catalogue::PageSample) {
        Label9.setCaption(QStringLiteral("   Current Status:"));
        Combo1.clear();
        for (const char* item : {" ", "Pending", "Working", "Completed", "Review", "Not Implemented"})
            Combo1.addItem(QString::fromLatin1(item));
    } else if (page == catalogue::PageWorksheets) {
        for (auto& [n, b] : SSCommand12) b->setBevelWidth(2);
        Label9.setCaption(QStringLiteral(" Compliance Status:"));
        Combo1.clear();
        for (const char* item : {" ", "Yes", "No", "Partial", "Planned"}) Combo1.addItem(QString::fromLatin1(item));
    }
}

void WorkArea1::ApplyOptionsMenu(int page) {
    const unsigned entryPages = OnEntryPages | OnWorksheets;
    const std::pair<Menu*, unsigned> table[] = {
        {&mO1, OnOverview | OnTimeline | entryPages},
        {&mOGrid, OnOverview | OnTimeline},
        {&mO2, 0},
        {&mOClip, entryPages},
        {&mO3, entryPages},
        {&mOFont, entryPages},
        {&mO4, entryPages},
        {&mOSpell, entryPages},
        {&mO5, entryPages},
        {&mOThes, entryPages},
        {&mO6, OnOverview | OnTimeline | entryPages},
        {&mODel, OnTimeline},
        {&mOCl, OnTimeline},
        {&mOIn, OnTimeline},
        {&mO7, entryPages},
        {&mOSave, entryPages},
        {&mO10, OnWorksheets},
        {&mORATitle, OnWorksheets},
    };
    const unsigned here = page == catalogue::PageOverview    ? OnOverview
                          : page == catalogue::PageTimeline  ? OnTimeline
                          : page == catalogue::PageWorksheets ? OnWorksheets
                                                              : OnEntryPages;
    for (const auto& [menu, pages] : table) menu->setVisible((pages & here) != 0);
    for (int i = 1; i <= 4; ++i) mOTab(i).setVisible(true);
    mOPrint.setVisible(true);
    mOPrint.setEnabled(page <= catalogue::PageTimeline);
}

void WorkArea1::EmptyEditor() {
    TextLoading = ProgramSetsText;
    Rtext3.setText(QString());
    TextLoading = 0;
    // "Text Location" shows the alignment where the user last clicked: with the text gone,
    // none (the next click into the text shows its own).
    for (auto& [i, option] : SSOption8) option->setValue(false);
}

bool WorkArea1::DocumentOptionChosen() const {
    return SSOption3.value() || SSOption4.value() || SSOption5.value();
}

// Typing is only possible into a document that is shown: with no document option chosen
// (and on the worksheet page until a worksheet is chosen) the editor is read-only and no
// document kind is in force, so a save can never write a document the user did not see.
void WorkArea1::LockEditorWithoutDocument() {
    if (AreaMode == catalogue::PageRecoveryPlan) return;
    if (AreaMode == catalogue::PageWorksheets || !DocumentOptionChosen()) {
        TextKind = 0;
        Rtext3.setLocked(true);
    }
}

void WorkArea1::SSCommand11_Click(int i) {
    if (i < 0 || i >= catalogue::PageCount) return;
    // The save question comes before anything changes, so that a Yes whose save fails leaves
    // the page, its text and its unsaved mark as they are. The save acts on the page being
    // left: AreaMode still names it.
    if (UnsavedChanges == 1 && !AskSaveChanges()) return;
    const bool entryPage = i >= catalogue::PageAdministrative;
    // What belongs to the page being left goes; the status box gets the new page's list.
    SSCommand22.setVisible(false);
    FillStatusList(i);
    doEvents();
    mO10.setVisible(false);
    mORATitle.setVisible(false);
    // Statuses of the specifications may have changed since Load; the editor is placed.
    if (entryPage) {
        ReadStatusStore(1, 42);
        // The editor stands in one of three places (the worksheets, the recovery plan, every
        // other page); every arrangement of the window places it for editorPage_, so the
        // window is arranged anew only when the editor moves to another place.
        const auto place = [](int page) {
            return page == catalogue::PageWorksheets ? 1 : page == catalogue::PageRecoveryPlan ? 2 : 0;
        };
        const bool moves = place(i) != place(editorPage_);
        editorPage_ = i;
        if (moves) ArrangeControls();
    }
    MarkChosenPage(i);
    doEvents();
    UnsavedChanges = 0;
    // The Options menu of the page, an empty editor, the page's command and caption.
    ApplyOptionsMenu(i);
    SSOption6.setEnabled(true);
    EmptyEditor();
    AreaMode = i;
    SSCommand2.setCaption(i == catalogue::PageWorksheets ? QStringLiteral("New Worksheet")
                                                         : QStringLiteral("Insert Template"));
    if (i == catalogue::PageWorksheets) {
        RefreshWorksheetButtons();
        mO10.setVisible(true);
        mORATitle.setVisible(true);
    }
    SSCommand2.setEnabled(false);
    ShowPageCaption(i);
    ShowEditorPanel(entryPage);
    ResetEditorForPage(i);
    StartPage(i);
    if (i == catalogue::PageWorksheets || i == catalogue::PageRecoveryPlan) UnsavedChanges = 0;
}

// The selector shows the chosen page raised and coloured, and the page's panels only.
void WorkArea1::MarkChosenPage(int i) {
    const bool entryPage = i >= catalogue::PageAdministrative;
    for (int k = 0; k < catalogue::PageCount; ++k) {
        if (k < 4) SSPanel3[k].setVisible(false);
        if (k < 6) SSFrame5[k].setVisible(false);
        SSCommand11[k].setForeColor(paletteColor(0));
        SSCommand11[k].setBevelWidth(2);
    }
    UnmarkButtons(SSCommand12, true);
    for (Control* c : std::initializer_list<Control*>{&Label5, &Label6, &Label7, &Label9, &SSFrame2, &SSFrame3, &Combo1})
        if (!c->visible()) c->setVisible(true);
    SSCommand11[i].setBevelWidth(0);
    SSCommand11[i].setForeColor(paletteColor(9));
    if (!entryPage) {
        SSPanel3[i].setVisible(true);
    } else {
        if (i - 2 < 6) SSFrame5[i - 2].setVisible(true);
        SSPanel3[2].setVisible(true);
        SSPanel3[3].setVisible(true);
    }
}

void WorkArea1::ShowPageCaption(int i) {
    const QString pageButton = SSCommand11[i].caption();
    AreaCaption = QStringLiteral("Action Area - ") + pageButton;
    setCaption(AreaCaption);
    if (i == catalogue::PageOverview) setCaption(caption() + QStringLiteral(" - Administrative Saveguards"));
    if (i == catalogue::PageOrganizational) setCaption(QStringLiteral("Action Area - Organizational Requirements"));
    if (i == catalogue::PagePolicies)
        setCaption(QStringLiteral("Action Area - Policies and Procedures and Documentation Requirements"));
}

// The editor panel is shown on the entry, worksheet and plan pages only.
void WorkArea1::ShowEditorPanel(bool entryPage) {
    doEvents();
    if (!entryPage) {
        SSPanel1.setVisible(false);
    } else {
        SSPanel1.setBackColor(Label1.backColor());
        SSPanel1.setVisible(true);
        SSPanel1.setFocus();
        doEvents();
    }
}

// The status box, the editor's lock and the options as the new page starts them: the sample
// shows "Completed" and no option; the two overview pages have no additional information.
void WorkArea1::ResetEditorForPage(int i) {
    Combo1.setText(i == catalogue::PageSample ? QStringLiteral("Completed") : QString());
    Rtext3.setLocked(false);
    SSOption6.setEnabled(true);
    if (i == catalogue::PageSample && SSPanel1.visible()) {
        EmptyEditor();
        UnsavedChanges = 0;
        for (SSOption* o : {&SSOption2, &SSOption3, &SSOption4, &SSOption5, &SSOption6, &SSOption7}) o->setValue(false);
    }
    if (i == catalogue::PageOrganizational || i == catalogue::PagePolicies) {
        SSOption6.setEnabled(false);
        SSOption6.setValue(false);
    } else {
        SSOption6.setEnabled(true);
    }
    SSCommand2.setEnabled(false);
    LockEditorWithoutDocument();
}

// The page's own start.
void WorkArea1::StartPage(int i) {
    switch (i) {
    case catalogue::PageOverview: ShowOverviewPage(); break;
    case catalogue::PageTimeline: ShowTimelinePage(); break;
    case catalogue::PageAdministrative:
    case catalogue::PagePhysical:
    case catalogue::PageTechnical:
    case catalogue::PageOrganizational:
    case catalogue::PagePolicies: ShowEntryPage(i); break;
    case catalogue::PageWorksheets: ShowWholeEditorPage(); break;
    case catalogue::PageRecoveryPlan: ShowRecoveryPlanPage(); break;
    case catalogue::PageSample: ShowSamplePage(); break;
    default: break;
    }
}

void WorkArea1::ShowOverviewPage() {
    ShowAdministrativeSafeguardsList();
    SSCommand18[0].setValue(true);
}

void WorkArea1::ShowTimelinePage() {
    doEvents();
    ToDo.ShowPage();
    doEvents();
}

// A catalogue page opens on its first entry.
void WorkArea1::ShowEntryPage(int page) {
    EmptyEditor();
    UnsavedChanges = 0;
    EntryList(page)[0].setValue(true);
    doEvents();
}

// The worksheet and plan pages: the editor takes the panel, without the entry's labels, its
// status or its views.
void WorkArea1::ShowWholeEditorPage() {
    EmptyEditor();
    UnsavedChanges = 0;
    for (Control* c : std::initializer_list<Control*>{&Label5, &Label6, &Label7, &Label9, &Combo1, &SSFrame2, &SSFrame3})
        c->setVisible(false);
    SSCommand2.setEnabled(false);
    EnableEditorTools(false);
    doEvents();
}

void WorkArea1::ShowRecoveryPlanPage() {
    ShowWholeEditorPage();
    TextLoading = ProgramSetsText;
    // A plan that exists but cannot be read is reported and kept; the template would make
    // it look empty, and the next Save would then replace it unnoticed.
    const ReadStatus plan = OpenDocument(workbook::RecoveryPlanFile).status;
    if (plan != ReadStatus::Unreadable && Rtext3.text().trimmed().isEmpty()) {
        const QString planTemplate = catalogue::RecoveryPlanTemplateDocument;
        const auto loaded = Documents.loadShipped(Rtext3, planTemplate);
        if (loaded.refused != workbook::DocumentStore::Refusal::None)
            ReportUnopenedDocument(planTemplate, loaded.refused);
        WorkText = RecoveryPlanMessage;
        msgBox(WorkText, Msg::Information | Msg::OKOnly, QStringLiteral("Disaster Recovery Plan Information"));
    }
    TextLoading = 0;
    SSCommand2.setEnabled(true);
    SSPanel3[2].setCaption(QStringLiteral("Disaster Recovery Plan"));
    if (!SSCommand5.enabled()) EnableEditorTools(true);
    TextLoading = 0;
}

void WorkArea1::ShowSamplePage() {
    EmptyEditor();
    UnsavedChanges = 0;
    SSPanel3[2].setCaption(QStringLiteral("Sample entries for the Password Management Safeguard"));
    const catalogue::SpecEntry& sample = catalogue::entry(catalogue::SampleSpecNumber);
    WorkText = catalogue::toQString(sample.section);
    Label5.setCaption(QStringLiteral(" Standard: ") +
                      catalogue::toQString(sample.standard));
    Label6.setCaption(QStringLiteral(" Section: ") + WorkText);
    Label7.setCaption(QStringLiteral(" Specification: ") +
                      catalogue::toQString(sample.specification));
    if (SampleNoteShown == 0) {
        msgBox(SampleNote, Msg::Information | Msg::OKOnly, QStringLiteral("Sample Safeguard Entry"));
        SampleNoteShown = 1;
    }
}
