// The project timeline page of the Action Area: the to-do grid VSGd2 in its panel Panel3D1,
// the information panels Panel3D2, the row commands SSCommand19 and the spell check
// SSCommand20, the entry box Text1 (with Text2, whose back colour is the box's normal colour),
// the item-name list Combo2, the calendar MonthView1 and the frame Frame3. The part builds,
// arranges and handles its controls; the hub keeps reference members with their names, and
// what crosses pages reaches the part through its PageContext.
//
// The list and the names are kept in TODOActv.FIL and TODONAME.FIL (timeline/ToDoFiles.h).
// The grid is filled from its file each time the page is entered; the names are written at
// once whenever they change, the list when the user saves.
#pragma once

#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/MonthView.h"
#include "timeline/ToDoList.h"
#include "timeline/ToDoNames.h"
#include "workbook/PageContext.h"

// The Options menu entries of the row commands and the save, which the page enables and
// disables with its buttons (the hub owns the menu).
struct ToDoMenuEntries {
    platform::Menu* mODel = nullptr;
    platform::Menu* mOCl = nullptr;
    platform::Menu* mOIn = nullptr;
    platform::Menu* mOSave = nullptr;
};

class ToDoPage {
public:
    // Creates the page's controls in the page panel.
    ToDoPage(platform::Container& page, PageContext context);
    // The hub's menu entries, once its menus are built.
    void UseMenuEntries(const ToDoMenuEntries& entries) { menus_ = entries; }

    // ---- the window's events, as they reach the page ------------------------------------------
    // The window's Load: the panels take the page's face colour, an item holds at most 45
    // characters.
    void Form_Load(platform::Color face);
    // The window's Activate: the grid's columns in their proportions.
    void Form_Activate();
    // The window's KeyDown while this page is shown: Delete empties the cell last clicked
    // while in-cell editing mode 1 is on (not while a cell's editor is open: there Delete
    // takes out a character). Sets keyCode to 0 when the key was used.
    void Form_KeyDown(int& keyCode);
    // Places the controls over a page of the given size (twips).
    void Arrange(int pageWidth, int pageHeight);

    // Entering the page: the names and the list from their files, the calendar hidden, and
    // nothing to save yet.
    void ShowPage();
    // "&Save" on this page, its button and the Options menu's entry, on or off.
    void EnableSave(bool on);

    // ---- the grid and its file -----------------------------------------------------------------
    // Sets the grid up and shows the list TODOActv.FIL holds (an empty list when there is no
    // file; a file that cannot be read is reported and kept).
    void LoadToDoGrid();
    // Writes the whole list when it holds unsaved changes. True when nothing was left unsaved;
    // a failed or declined write says so and keeps the changes marked.
    bool SaveToDoGrid();
    // The list as the grid shows it.
    timeline::ToDoList GridList() const;

    // ---- the item names --------------------------------------------------------------------
    void LoadToDoNames();
    void RememberToDoName();
    void AppendToDoName();
    void DeleteToDoName();
    void Combo2_Click();
    void Combo2_DropDown();
    void Combo2_GotFocus();
    void Combo2_KeyDown(int& keyCode, int shift);
    void VSGd2_AfterEdit(int row, int col);

    // ---- cell editing and the calendar -------------------------------------------------------
    void VSGd2_Click();
    void RequireItemFirst();
    void HideCalendar();
    void AddItemToGrid();
    void MonthView1_DateClick();
    void Text1_Change(int index);
    void Text1_Click(int index);
    void Text1_DblClick(int index);
    void Text1_GotFocus(int index);
    void Text1_KeyDown(int index, int& keyCode, int shift);
    void Text1_KeyPress(int index, int& keyAscii);
    void Text1_KeyUp(int index, int& keyCode, int shift);
    void VSGd2_GotFocus();
    void VSGd2_CellChange(int row, int col);
    void VSGd2_EditChange();
    void VSGd2_KeyPress(int& keyAscii);
    void VSGd2_BeforeScrollTip(int row);
    void VSGd2_BeforeSort(int col, int order);
    void VSGd2_AfterSort(int col, int order);

    // ---- row commands --------------------------------------------------------------------------
    void SSCommand19_Click(int index);
    void SSCommand19_GotFocus(int index);
    void mOCl_Click();   // Clear Grid
    void mODel_Click();  // Delete Row
    void mOIn_Click();   // Insert Row

    // Spell check of the to-do items: each row's item in turn through the window's spell
    // checker, whose events the window forwards to the four handlers below while this page is
    // shown. Every item is cut to 45 characters; a corrected item joins the name list.
    void SSCommand20_Click();
    // A bad word in the current row's item: counted, the cell editable by keyboard.
    void VSSpell1_BadWord();
    // The checker's corrected text of the current row's item takes its place.
    void VSSpell1_TextChecked();
    // Change All: at the end of the row's check, the correction list goes over the later rows.
    void VSSpell1_UserAction(int action);
    // The row's check ended; a cancel stops the loop over the rows.
    void VSSpell1_CheckEnd(bool cancelled);

    // The grid's in-cell editing mode: 0 none, 1 by keyboard (after a click into a cell),
    // 2 by keyboard and mouse.
    int CellEditMode() const { return VSGd2.editable(); }
    void SetCellEditMode(int mode) { VSGd2.setEditable(mode); }

    // =========================================================================================
    // Controls, by their names in the window
    // =========================================================================================
    platform::SSPanel Panel3D1;
    platform::Grid VSGd2;
    platform::ControlArray<platform::SSPanel> Panel3D2{QStringLiteral("Panel3D2")};
    platform::ControlArray<platform::SSCommand> SSCommand19{QStringLiteral("SSCommand19")};
    platform::SSCommand SSCommand20;
    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    platform::TextBox Text2;
    platform::ComboBox Combo2;
    platform::MonthView MonthView1;
    platform::SSFrame Frame3;

    // =========================================================================================
    // Fields of the timeline
    // =========================================================================================
    // The last clicked to-do cell; the calendar writes into it.
    int ToDoClickCol = 0;
    int ToDoClickRow = 0;
    // The row that Delete Row and Insert Row act on: 0 before any click (Delete Row then takes
    // the first row), NoMarkedRow after such a command (no row).
    static constexpr int NoMarkedRow = 999;
    int ToDoMarkedRow = 0;
    // The grid's back colour while the row to delete is painted red.
    platform::Color ToDoRowBackColor = 0;
    // The item names, as Combo2 lists them.
    timeline::ToDoNameList ToDoNames;
    // Bad words and corrected rows counted during a to-do spell check, and RowCorrected when
    // the checker replaced the current row's item.
    int ToDoSpellChanges = 0;
    static constexpr int RowCorrected = 99;
    int ToDoRowCorrected = 0;

private:
    // The columns in their proportions of the grid's width.
    void FitColumns();
    // Every change to the list: marked unsaved, and "&Save" offered.
    void MarkChanged();
    // The list into the grid, every row; the grid's change events do not count it as a change.
    void ShowList(const timeline::ToDoList& list);
    // Combo2 lists the names again.
    void RefillNameList();
    // Adds a text to the names and writes them; a full list refuses it with a message.
    void AddName(const QString& text);
    // Writes the names whole; before replacing a file that could not be read, asks.
    void WriteNames();
    void EnableNameCommands(bool on);
    void EnableDeleteRow(bool on);
    // The calendar over the grid with its left edge at a part of the panel's width, preset to
    // the date the current cell holds.
    void ShowCalendar(int column);
    void PresetCalendar(const QString& cell);
    // The checker's correction list applied to the items of the rows after afterRow: only
    // what a correction changes is changed, and only those rows are written.
    void CorrectLaterRows(int afterRow);

    PageContext context_;
    ToDoMenuEntries menus_;
    // A file that exists but could not be read when the page was entered: it is kept until
    // the user agrees to replace it.
    bool gridFileUnreadable_ = false;
    bool nameFileUnreadable_ = false;
    // While the program itself fills the grid.
    bool fillingGrid_ = false;
    // After Change All in the check of a row: the correction list then goes over the rows
    // still to come.
    bool applyCorrections_ = false;
    timeline::ToDoList beforeSort_;
};
