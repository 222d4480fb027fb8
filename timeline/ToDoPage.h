// The project timeline page of the Action Area: the to-do grid VSGd2 in its panel Panel3D1,
// the information panels Panel3D2, the row commands SSCommand19 and the spell check
// SSCommand20, the cell editors Text1, Text2 and Combo2, the calendar MonthView1 and the frame
// Frame3. The part builds, arranges and handles its controls; the hub keeps reference members
// with their names, and what crosses pages reaches the part through its PageContext.
#pragma once

#include "platform/Controls.h"
#include "platform/Grid.h"
#include "workbook/PageContext.h"

#include <QStringList>

class ToDoPage {
public:
    // Creates the page's controls in the page panel, the cell editors hidden.
    ToDoPage(platform::Container& page, PageContext context);

    // ---- the window's events, as they reach the page ------------------------------------------
    // The window's Load: the panels take the page's face colour, an item holds at most 45
    // characters.
    void Form_Load(platform::Color face);
    // The window's Activate: the grid's columns in their proportions.
    void Form_Activate();
    // The window's KeyDown: Delete empties the cell last clicked while in-cell editing mode 1
    // is on. Sets keyCode to 0 when the key was used.
    void Form_KeyDown(int& keyCode);
    // Places the controls over a page of the given size (twips).
    void Arrange(int pageWidth, int pageHeight);

    // ---- handlers (empty until the to-do list is built) ---------------------------------------
    void SSCommand19_Click(int index);  // the row commands
    void SSCommand20_Click();           // spell check of the to-do items
    void LoadToDoNames();               // reads the item-name list TODONAME.FIL
    void LoadToDoGrid();                // reads the to-do grid TODOActv.FIL
    bool SaveToDoGrid();                // writes the to-do grid to TODOActv.FIL
    void HideCalendar();                // hides the calendar

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
    // The calendar (a plain panel until the calendar control is written).
    platform::SSPanel MonthView1;
    platform::SSFrame Frame3;

    // =========================================================================================
    // Fields of the timeline
    // =========================================================================================
    // The last clicked to-do cell.
    int ToDoClickCol = 0;
    int ToDoClickRow = 0;
    // The row that Delete Row and Insert Row act on; NoMarkedRow when none.
    static constexpr int NoMarkedRow = 999;
    int ToDoMarkedRow = NoMarkedRow;
    // The grid's in-cell editing mode 0, 1 or 2.
    int CellEditMode = 0;
    // Item names, slots 1..1000.
    QStringList ToDoNames;
    // Bad words and corrected rows counted during a to-do spell check, and RowCorrected when
    // the checker replaced the current row's item.
    int ToDoSpellChanges = 0;
    static constexpr int RowCorrected = 99;
    int ToDoRowCorrected = 0;

private:
    PageContext context_;
};
