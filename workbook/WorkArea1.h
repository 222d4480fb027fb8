// The Action Area window: the hub of the program. Its controls and fields live here; its
// handlers are defined in the files of the subsystem they belong to:
//   workbook/WorkArea1.cpp       layout, Load, Activate, keys, Unload
//   workbook/PageSwitch.cpp      the page selector SSCommand11 and its helpers
//   workbook/StatusBox.cpp       the status box Combo1 over the status store (StatusStore.h)
//   workbook/NavigationBar.cpp   the area tabs SSCommand4, the editor's exit, the save question
//   workbook/EntryLists.cpp      the five entry lists of the catalogue pages
//   workbook/OverviewPage.cpp    the standards overview grid VSGd1
//   workbook/EditorDocuments.cpp the Actions options, Save on every page (the store: Documents.h)
//   workbook/TextBuffers.cpp     the hidden text buffers RText1 and the name marking
//   workbook/ReferenceViews.cpp  the reference views: the rule text, the references in the rule,
//                                the additional information and their options
//   workbook/HubPrinting.cpp     the print panel's openers and handlers, the editor's preview
//   workbook/Worksheets.cpp      the worksheet buttons SSCommand12 and the title panel's opener
//   workbook/Templates.cpp       Insert Template / New Worksheet (SSCommand2)
//   workbook/SpellCheck.cpp      spell check of the editor and the spell checker's events
//   workbook/OptionsMenu.cpp     the Options menu's own entries: copy, wallpaper, spell check, thesaurus
//   workbook/ReportPrinting.cpp  the status report and the specification page
//   printing/PrintPanel.cpp      the print panel it embeds
#pragma once

#include "frame/ElasticResizer.h"
#include "frame/SharedMenus.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/PrintPreview.h"
#include "platform/RichTextBox.h"
#include "platform/Spelling.h"
#include "printing/PrintPanel.h"
#include "printing/SafeguardsReport.h"
#include "timeline/ToDoPage.h"
#include "workbook/Documents.h"
#include "workbook/PageContext.h"
#include "workbook/StatusStore.h"
#include "workbook/WorksheetTitlePanel.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class WorkArea1 : public platform::Form {
public:
    WorkArea1();
    ~WorkArea1() override;

    // ---- window events (WorkArea1.cpp) -------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    // ---- page switch (PageSwitch.cpp) --------------------------------------------------------
    void SSCommand11_Click(int index);
    void ApplyOptionsMenu(int page);
    void FillStatusList(int page);
    void EmptyEditor();
    bool DocumentOptionChosen() const;
    void LockEditorWithoutDocument();

    // ---- status box (StatusBox.cpp) ------------------------------------------------------
    void Combo1_Click();
    void Combo1_DropDown();
    void SSCommand22_Click();
    // Records firstRecord..lastRecord of the store into SpecStatus.
    void ReadStatusStore(int firstRecord, int lastRecord);
    // Writes a status record, then SpecStatus; Failed (and SpecStatus unchanged) when the write
    // failed. A record in place whose sync failed (NotDurable) is in SpecStatus too.
    platform::WriteOutcome WriteStatusRecord(int record, const QString& text);
    void ReportStatusNotStored();
    // Tells the user what a status write that was not done left (nothing for Done); true when
    // the status is in the file.
    bool StatusWritten(platform::WriteOutcome outcome);

    // ---- navigation bar, exit, save question (NavigationBar.cpp) ----------------------------
    void SSCommand4_Click(int index);
    void SSCommand7_Click();
    // False when the user answered Yes and the save failed: the caller then stops where it is.
    bool AskSaveChanges();

    // ---- entry lists (EntryLists.cpp) ----------------------------------------------
    void SSCommand14_Click(int index);
    void SSCommand17_Click(int index);
    void SSCommand16_Click(int index);
    void SSCommand15_Click(int index);
    void SSCommand13_Click(int index);
    void EntryClick(int page, int index);
    // The entry list of a catalogue page, PageAdministrative..PagePolicies.
    platform::ControlArray<platform::SSCommand>& EntryList(int page);

    // ---- overview page (OverviewPage.cpp) ------------------------------------------
    void SetupSafeguardGrid();
    void ApplyOverviewColumnWidths();
    int OverviewColumnNeed(int col) const;
    void FitOverviewRows();
    void SSCommand18_Click(int index);
    void ShowAdministrativeSafeguardsList();
    void ShowSafeguardsList(int area);

    // ---- editor tools (EditorTools.cpp) --------------------------------------------------------
    void Rtext3_Change();
    void Rtext3_Click();
    void SSOption8_Click(int index);
    void SSCommand8_Click();
    void mOFont_Click();
    void EnableEditorTools(bool on);
    void Rtext3_GotFocus();
    void Rtext3_LostFocus();
    void Rtext3_KeyDown(int& keyCode, int shift);
    void SSCommand9_Click();

    // ---- user documents (EditorDocuments.cpp) -------------------------------------------------
    void SSOption3_Click();
    void SSOption4_Click();
    void SSOption5_Click();
    void SSCommand6_Click();
    bool SavePage();
    void mOSave_Click();
    void LoadDocumentOption(int textKind);
    void KeepShownDocumentOption();
    workbook::DocumentStore::LoadResult OpenDocument(const QString& name);
    void ReportUnopenedDocument(const QString& name, workbook::DocumentStore::Refusal refused);
    bool SaveEditorTo(const QString& name);
    // After a restore: the editor holds no document and the statuses are read again.
    void ForgetRestoredFiles();

    // ---- text buffers and name marking (TextBuffers.cpp), reference views (ReferenceViews.cpp)
    void ClearSpecBuffers();
    void HighlightSpecName();
    // The marking loop on one buffer with the word a text builder chose for the entry.
    void MarkSpecName(platform::RichTextBox& buffer, const QString& word);
    void LoadRuleText();
    void LoadRuleReferences();
    void LoadAdditionalInfo();
    void SSOption6_Click();
    void SSOption2_Click();
    void SSOption7_Click();
    // What the three views share: the switch to a read-only view, the entry the builders work
    // on, a shipped document loaded whole, the built buffer marked and shown.
    void ShowReadOnlyView(int buffer, void (WorkArea1::*builder)());
    int TextBuilderSpec();
    bool LoadViewDocument(int buffer, int specNumber, const QString& name, const QString& title);
    void ShowViewBuffer(int buffer, const QString& word, const platform::SSOption& view);

    // ---- printing (workbook/HubPrinting.cpp) ---------------------------------------------------
    // The panel commands, Enlarge/Normal and the guide-line options, forwarded to the panel.
    void SSCommand80_Click(int index);
    void SSCommand1_Click();
    void SSOption82_Click(int index);
    // The panel's report check boxes and the to-do report options.
    void SSCheck80_Click(int index);
    void SSCheck81_Click(int index);
    // The editor page's "&Print" and the Options menu's "&Print".
    void SSCommand5_Click();
    void mOPrint_Click();
    // The user's document in the editor into the preview.
    void PreviewEditorText();
    // What "&Page Setup" and "Printer &Font" render again.
    void RebuildAfterPageSetup();
    void RebuildAfterPrinterFont();
    void RebuildForPaper();
    // What a printed document of the Action Area is called: the entry shown, or the page.
    QString PrintedEntryName() const;
    // The reports (ReportPrinting.cpp): the overview's "&Print", the status report, the
    // specification page.
    void SSCommand3_Click();
    void PrintSafeguardsReport();
    void PrintSpecificationPage();

    // ---- Options menu area tabs, help topic, wallpaper, layout (WorkArea1.cpp) -------------
    void mOTab_Click(int index);
    int ScreenHelpTopic() const;
    void ApplyGridWallpaper(int stored);
    void ArrangeControls();

    // ---- risk-analysis worksheets (Worksheets.cpp) -------------------------------------------
    void SSCommand12_Click(int index);
    void RefreshWorksheetButtons();
    void RefreshWorksheetUnderlines();
    void mORATitle_Click();
    void WorksheetTitlesClosed(const workbook::WorksheetTitlesWrite* saved);

    // ---- templates (Templates.cpp) ------------------------------------------------------------
    void SSCommand2_Click();

    // ---- Options menu (OptionsMenu.cpp) -------------------------------------------------------
    void mO_Click();
    void mOClip_Click();
    void mOGrid1_Click(int index);
    void mOSpell_Click();
    void mOThes_Click();

    // ---- spell check of the editor and the checker's events (SpellCheck.cpp) ------------------
    void SSCommand10_Click();
    void LoadSpellCorrections();
    // False, with the message said, when the spelling dictionary is missing.
    bool SpellCheckerReady();
    // The checker works on the to-do items (grid mode) rather than the editor.
    bool CheckingToDoItems() const;
    void VSSpell1_BadWord();
    void VSSpell1_WordChanged(int start, int length, const QString& replacement);
    void VSSpell1_TextChecked();
    void VSSpell1_UserAction(int action);
    void VSSpell1_CheckEnd(bool cancelled);
    void VSSpell1_DialogClose();
    void VSSpell1_HelpClick();

    // ---- the to-do page's Options entries (WorkArea1.cpp), its report (HubPrinting.cpp) ----
    void mODel_Click();
    void mOCl_Click();
    void mOIn_Click();
    void PrintToDoList();
    void OpenToDoPrint();

    // ==== controls ================================================================================
    // Covering panel while another area window is up.
    platform::SSPanel SSPanel5;
    // Area tabs.
    platform::ControlArray<platform::SSCommand> SSCommand4{QStringLiteral("SSCommand4")};
    // Page selector.
    platform::SSPanel SSPanel2;
    platform::ControlArray<platform::SSCommand> SSCommand11{QStringLiteral("SSCommand11")};
    // A label whose colours other controls borrow (the page face colour); also the date line.
    platform::Label Label1, Label10, Label11;
    // Page panels: 0 overview grid, 1 to-do list, 2 entry page title, 3 entry page lists.
    platform::ControlArray<platform::SSPanel> SSPanel3{QStringLiteral("SSPanel3")};
    // The page panels are made here, before the controls they hold.
    bool pagePanelsBuilt_ = addPagePanels();

    // -- page 0: the standards overview
    platform::Label Label2, Label3, Label4;
    platform::SSFrame SSFrame1;
    platform::ControlArray<platform::SSCommand> SSCommand18{QStringLiteral("SSCommand18")};
    platform::Grid VSGd1;
    platform::SSCommand SSCommand3;

    // -- page 1: the project timeline, a part of its own (timeline/ToDoPage.h)
    ToDoPage ToDo{SSPanel3[1], pageContext()};
    platform::SSPanel& Panel3D1 = ToDo.Panel3D1;
    platform::Grid& VSGd2 = ToDo.VSGd2;
    platform::ControlArray<platform::SSPanel>& Panel3D2 = ToDo.Panel3D2;
    platform::ControlArray<platform::SSCommand>& SSCommand19 = ToDo.SSCommand19;
    platform::SSCommand& SSCommand20 = ToDo.SSCommand20;
    platform::ControlArray<platform::TextBox>& Text1 = ToDo.Text1;
    platform::TextBox& Text2 = ToDo.Text2;
    platform::ComboBox& Combo2 = ToDo.Combo2;
    platform::MonthView& MonthView1 = ToDo.MonthView1;
    platform::SSFrame& Frame3 = ToDo.Frame3;

    // -- pages 2-7: the entry lists, inside SSPanel3(3)
    platform::ControlArray<platform::SSFrame> SSFrame5{QStringLiteral("SSFrame5")};
    platform::ControlArray<platform::SSCommand> SSCommand14{QStringLiteral("SSCommand14")};
    platform::ControlArray<platform::SSCommand> SSCommand17{QStringLiteral("SSCommand17")};
    platform::ControlArray<platform::SSCommand> SSCommand16{QStringLiteral("SSCommand16")};
    platform::ControlArray<platform::SSCommand> SSCommand15{QStringLiteral("SSCommand15")};
    platform::ControlArray<platform::SSCommand> SSCommand13{QStringLiteral("SSCommand13")};
    platform::ControlArray<platform::SSCommand> SSCommand12{QStringLiteral("SSCommand12")};

    // -- pages 2-9: the editor panel
    platform::SSPanel SSPanel1;
    platform::Label Label5, Label6, Label7, Label9;
    platform::ComboBox Combo1;
    platform::RichTextBox Rtext3;
    platform::SSFrame SSFrame3;   // "Actions"
    platform::SSOption SSOption3, SSOption4, SSOption5;
    platform::SSFrame SSFrame2;   // "References"
    platform::SSOption SSOption6, SSOption2, SSOption7;
    platform::SSFrame SSFrame4;   // "Text Location"
    platform::ControlArray<platform::SSOption> SSOption8{QStringLiteral("SSOption8")};
    platform::SSCommand SSCommand2, SSCommand5, SSCommand6, SSCommand7, SSCommand8, SSCommand9, SSCommand10,
        SSCommand22;

    // The spell checker and the thesaurus of the editor and the to-do items.
    platform::SpellChecker VSSpell1;
    platform::Thesaurus VSThesaurus1;

    // Hidden work buffers: rule text, references, additional information, printed page.
    platform::ControlArray<platform::RichTextBox> RText1{QStringLiteral("RText1")};

    // -- the worksheet title panel, a part of its own (workbook/WorksheetTitlePanel.h)
    WorksheetTitlePanel Titles{pageContext()};
    platform::SSPanel& SSPanel4 = Titles.SSPanel4;
    platform::ControlArray<platform::Label>& Label8 = Titles.Label8;
    platform::ControlArray<platform::Label>& Label12 = Titles.Label12;
    platform::ControlArray<platform::Label>& Label13 = Titles.Label13;
    platform::ControlArray<platform::TextBox>& Text3 = Titles.Text3;
    platform::ControlArray<platform::SSCommand>& SSCommand21 = Titles.SSCommand21;

    // -- print panel: laid over the whole window, above every control made before it; its
    // controls keep their names in the window.
    PrintPanel Print{*this, *this, PrintPanelKind::ActionArea};
    platform::SSPanel& SSPanel80 = Print.SSPanel80;
    platform::PrintPreview& VSP1 = Print.VSP1;
    platform::SSCommand& SSCommand1 = Print.SSCommand1;
    platform::ControlArray<platform::SSCommand>& SSCommand80 = Print.SSCommand80;
    platform::ControlArray<platform::SSFrame>& SSFrame80 = Print.SSFrame80;
    platform::SSOption& SSOption81 = Print.SSOption81;
    platform::ControlArray<platform::SSOption>& SSOption82 = Print.SSOption82;
    platform::ControlArray<platform::SSCheck>& SSCheck80 = Print.SSCheck80;
    platform::ControlArray<platform::SSCheck>& SSCheck81 = Print.SSCheck81;
    platform::ControlArray<platform::Label>& Label80 = Print.Label80;
    platform::ControlArray<platform::SSPanel>& Panel3D80 = Print.Panel3D80;
    platform::SSPanel& Panel3D82 = Print.Panel3D82;

    // The resizer: on in the full-screen display, where the controls follow the window's size.
    ElasticResizer vsElasticLight1;

    // ---- menus ----------------------------------------------------------------------------
    // The Options menu in its order (mO1 ... mO10 are separators); mOGrid1 is its submenu.
    platform::Menu mO, mOTab1, mOTab2, mOTab3, mOTab4, mO1, mOGrid;
    std::array<platform::Menu*, 9> mOGrid1{};
    platform::Menu mO2, mOClip, mO3, mOFont, mO4, mOSpell, mO5, mOThes, mO6, mODel, mOCl, mOIn, mOPrint, mO7,
        mOSave, mO10, mORATitle;
    // Utilities and Help, as every window has them.
    SharedMenus Menus{*this, SharedMenuNames{.screenTopic = QStringLiteral("mHSceen"),
                                             .screenTopicCaption = QStringLiteral("&Action Area")}};
    platform::Menu& mU = Menus.mU;
    platform::Menu& mUBack = Menus.mUBack;
    platform::Menu& mURestore = Menus.mURestore;
    platform::Menu& mH = Menus.mH;
    platform::Menu& mHCont = Menus.mHCont;
    platform::Menu& mHI = Menus.mHI;
    platform::Menu& mHSceen = Menus.mHScreen;
    platform::Menu& mHA = Menus.mHA;
    platform::Menu& mHWeb = Menus.mHWeb;
    // The area-tab entries by index 1..4.
    platform::Menu& mOTab(int index);

    // ==== fields ==================================================================================
    // Status texts by StatusNumber (1-47 specifications, 48-68 worksheets; 0, 69, 70 unused).
    workbook::StatusStore::Statuses SpecStatus;
    int AreaMode = 0;
    int SpecIndex = 0;
    // ComposingForPrint while a specification page is composed for printing (the text builders
    // then only fill their buffers).
    static constexpr int NotComposingForPrint = 0;
    static constexpr int ComposingForPrint = -999;
    int PrintModeFlag = NotComposingForPrint;
    // The marking loop: the specification whose name HighlightSpecName marks, the position of
    // the last match and where the next find starts.
    int SpecNumber = 0;
    int FoundPos = 0;
    int SearchFrom = 0;
    // The SpecNumber whose text each of RText1(0..2) holds (0: none), so that a page is never
    // printed with the text of an entry shown before.
    std::array<int, 3> BufferSpec{};
    // Where the status report's table being drawn stands (TableTopY, HeadingBottomY, RowsTopY,
    // TableBottomY).
    printing::ReportPositions ReportPositions;
    // The user's documents; it remembers one that exists but could not be read when it was
    // opened, so that a save to it asks first.
    workbook::DocumentStore Documents;
    int UnsavedChanges = 0;
    int SampleNoteShown = 0;
    int SamplePolicyNoteShown = 0;
    // 3 action taken, 4 comments/notes, 5 policies/plan, 0 a read-only view or no document.
    int TextKind = 0;
    QString CurFileName;
    // ProgramSetsText while the program itself sets the editor's text.
    static constexpr int ProgramSetsText = 9;
    int TextLoading = 0;
    // The selection length kept while Font Select shows its dialog (the start is in LoopIndex).
    int FontSelectLength = 0;
    QString WorkText;
    QString AreaCaption;
    int WorksheetNo = 0;

private:
    // The shared state and steps the page parts reach the hub through.
    PageContext pageContext();
    bool addPagePanels();
    void buildControls();
    // The parts of buildControls: the page selector, page 0, the entry lists, the editor panel.
    void buildPageSelector(), buildOverviewPage(), buildEntryLists(), buildEditorPanel();
    void ArrangeEditorPanel(int left, int top, int width, int height);
    void buildMenus();
    void ConnectSpellChecker();
    // The page switch's steps (PageSwitch.cpp): what every page does, then each page's start.
    void MarkChosenPage(int page);
    void ShowPageCaption(int page);
    void ShowEditorPanel(bool entryPage);
    void ResetEditorForPage(int page);
    void StartPage(int page);
    void ShowOverviewPage();
    void ShowTimelinePage();
    void ShowEntryPage(int page);
    void ShowWholeEditorPage();
    void ShowRecoveryPlanPage();
    void ShowSamplePage();
    std::array<std::unique_ptr<platform::Menu>, 9> gridMenus_;
    // The controls whose Tab stop the editor holds while it has the focus.
    std::vector<platform::Control*> tabStopsLent_;
    // The page whose editor placement is in force (the worksheet and plan pages use the whole
    // panel height).
    int editorPage_ = 0;
    // While a failed save question puts the options back: their clicks load nothing.
    bool keepingOption_ = false;
    bool gridSetUp_ = false;
};
