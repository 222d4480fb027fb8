#include "timeline/ToDoPage.h"

#include "frame/HINFO1.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Services.h"
#include "platform/Spelling.h"
#include "timeline/ToDoFiles.h"

#include <cmath>

using namespace platform;
using namespace timeline;

namespace {

const char* const ToDoButtonCaptions[7] = {"E&xit",           "&Delete Item fm File", "&Add to To Do Grid",
                                           "&Delete Item from Grid", "&Print", "&Save", "&Clear Grid"};
enum Button { ExitButton = 0, DeleteNameButton, AddItemButton, DeleteRowButton, PrintButton, SaveButton, ClearButton };
// The captions of the four information panels, from the top of the button column.
const char* const PanelCaptions[4] = {"Project Timeline/To Do List", "To Do Item:", "Item List:", "To Do Grid:"};

// The grid's columns as parts of its width: lead, item, to-do date, actual date, spacer,
// next review date.
constexpr double ColumnWidths[6] = {0.015, 0.34, 0.2, 0.2, 0.005, 0.24};
// Where the calendar's left edge stands for a click into each date column, as a part of the
// to-do panel's width: beside the column, so the column itself stays in view.
double calendarPlace(int column) {
    switch (column) {
    case ColToDoDate: return 0.575;
    case ColActualDate: return 0.28;
    case ColNextReview: return 0.485;
    default: return -1;
    }
}
bool isDateColumn(int column) { return calendarPlace(column) >= 0; }

// The entry box's colour while a name is being entered or waits in it (light yellow).
constexpr Color EntryHighlight = 0xC0FFFF;
// The row whose deletion is being asked about is painted red.
constexpr Color MarkedRowColor = 255;
// How a date is written into a cell.
const QString CellDateForm = QStringLiteral("ddd - mmm d, yy");
// A double quote would end a value of the QuotedLine files early.
constexpr int QuoteAscii = 34;

QString withoutTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' ')) --n;
    return s.left(n);
}

QString withoutLeadingBlanks(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' ')) ++i;
    return s.mid(i);
}

QString withoutQuotes(QString s) { return s.remove(QLatin1Char('"')); }

// The to-do files hold 8-bit text: a typed character they have no byte for is left out where
// it is typed, and the message names it.
void reportUnstorable(const QStringList& refused) {
    ReportUnstorableCharacters(refused, QStringLiteral("the to-do list"),
                               ToDoGridFile + QStringLiteral(" and ") + ToDoNameFile +
                                   QStringLiteral(" hold only Western European (Windows-1252) characters"),
                               QStringLiteral("Item Grid"));
}

void reportUnreadable(const QString& file, const QString& consequence, bool tooLarge = false, qint64 limit = 0) {
    HourglassOff();
    const QString what = tooLarge ? QStringLiteral(" is larger than %1 KB, more than it ever holds, so it has not been read.")
                                        .arg(limit / 1024)
                                  : QStringLiteral(" exists but could not be read.");
    msgBox(QStringLiteral("The file ") + file + what + CR + QStringLiteral("It has been left as it is.") + CR + CR + consequence,
           Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
}

bool confirmReplacing(const QString& file, const QString& what) {
    HourglassOff();
    const int answer =
        msgBox(QStringLiteral("The file ") + file + QStringLiteral(" could not be read when the page was opened.") + CR +
                   QStringLiteral("Saving replaces what it holds with ") + what + QStringLiteral(".") + CR + CR +
                   QStringLiteral("Replace it?"),
               Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, SaveCommandTitle);
    return answer == Answer::Yes;
}

void reportNotSaved(const QString& file, const QString& reason, const QString& afterwards) {
    HourglassOff();
    QString text = QStringLiteral("Unable to save ") + file + QStringLiteral(".");
    if (!reason.isEmpty()) text += CR + reason;
    text += CR + CR + afterwards;
    msgBox(text, Msg::OKOnly | Msg::Critical, SaveCommandTitle);
}

// A save whose new file is in place but whose folder sync failed: nothing is left to save, but
// the user is told that the disk did not make it durable.
void reportNotDurable(const QString& file, const QString& reason, const QString& afterwards) {
    HourglassOff();
    QString text = QStringLiteral("The new text is in ") + file + QStringLiteral(", but it may not survive a power loss.");
    if (!reason.isEmpty()) text += CR + reason;
    text += CR + CR + QStringLiteral("The disk did not confirm the save. ") + afterwards;
    msgBox(text, Msg::OKOnly | Msg::Exclamation, SaveCommandTitle);
}

}  // namespace

ToDoPage::ToDoPage(Container& page, PageContext context)
    : Panel3D1(context.form, page, QStringLiteral("Panel3D1")),
      VSGd2(context.form, Panel3D1, QStringLiteral("VSGd2")),
      SSCommand20(context.form, page, QStringLiteral("SSCommand20")),
      Text2(context.form, page, QStringLiteral("Text2")),
      Combo2(context.form, page, QStringLiteral("Combo2")),
      MonthView1(context.form, page, QStringLiteral("MonthView1")),
      Frame3(context.form, page, QStringLiteral("Frame3")),
      context_(std::move(context)) {
    Form& form = context_.form;
    Panel3D1.setCaption(QString());
    VSGd2.setCols(ToDoColumnCount);
    VSGd2.setFixedCols(1);
    VSGd2.setRows(2);
    VSGd2.setAccessibleName(QStringLiteral("To-do list"));
    // The spacer column holds nothing: it is never stored, so it takes no typing.
    VSGd2.setColReadOnly(ColSpacer, true);
    VSGd2.setSortOnHeaderClick(true);
    VSGd2.setScrollTips(true);
    for (int i = 0; i < 4; ++i) {
        SSPanel& p = Panel3D2.add(form, page, i);
        p.setBevelOuter(1);
        p.setAlignment(i == 0 ? 2 : 0);
        p.setCaption(QString::fromLatin1(PanelCaptions[i]));
    }
    for (int i = 0; i < 7; ++i) {
        SSCommand& b = SSCommand19.add(form, page, i);
        b.setCaption(QString::fromLatin1(ToDoButtonCaptions[i]));
    }
    SSCommand19.setOnClick([this](int i) { SSCommand19_Click(i); });
    SSCommand19.setOnGotFocus([this](int i) { SSCommand19_GotFocus(i); });
    SSCommand20.setCaption(QStringLiteral("Spell Chec&k"));
    SSCommand20.onClick = [this] { SSCommand20_Click(); };

    TextBox& entry = Text1.add(form, page, 0);
    entry.setAccessibleName(QStringLiteral("To-do item"));
    entry.setMaxLength(ToDoItemLength);
    entry.onChange = [this] { Text1_Change(0); };
    entry.onClick = [this] { Text1_Click(0); };
    entry.onDblClick = [this] { Text1_DblClick(0); };
    entry.onGotFocus = [this] { Text1_GotFocus(0); };
    entry.onKeyDown = [this](int& code, int shift) { Text1_KeyDown(0, code, shift); };
    entry.onKeyPress = [this](int& ascii) { Text1_KeyPress(0, ascii); };
    entry.onKeyUp = [this](int& code, int shift) { Text1_KeyUp(0, code, shift); };
    // Text2 only lends the entry box its normal colour.
    Text2.setVisible(false);
    Text2.setBackColor(SysWindowBackground);
    Combo2.setAccessibleName(QStringLiteral("Item names"));
    Combo2.onClick = [this] { Combo2_Click(); };
    Combo2.onDropDown = [this] { Combo2_DropDown(); };
    Combo2.onGotFocus = [this] { Combo2_GotFocus(); };
    Combo2.onKeyDown = [this](int& code, int shift) { Combo2_KeyDown(code, shift); };
    Combo2.onKeyPress = [](int& ascii) {
        if (ascii == QuoteAscii) ascii = 0;
    };
    Combo2.onChange = [this] {
        const QStringList refused = charactersOutsideCp1252(Combo2.text());
        if (refused.isEmpty()) return;
        Combo2.setText(withoutCharactersOutsideCp1252(Combo2.text()));
        reportUnstorable(refused);
    };
    MonthView1.setVisible(false);
    MonthView1.setAccessibleName(QStringLiteral("Calendar"));
    MonthView1.onDateClick = [this](const QDate&) { MonthView1_DateClick(); };
    Frame3.setVisible(false);

    VSGd2.onClick = [this] { VSGd2_Click(); };
    VSGd2.onGotFocus = [this] { VSGd2_GotFocus(); };
    VSGd2.onCellChanged = [this](int r, int c) { VSGd2_CellChange(r, c); };
    VSGd2.onChangeEdit = [this] { VSGd2_EditChange(); };
    VSGd2.onAfterEdit = [this](int r, int c) { VSGd2_AfterEdit(r, c); };
    VSGd2.onKeyPress = [this](int& ascii) { VSGd2_KeyPress(ascii); };
    VSGd2.onBeforeScrollTip = [this](int row) { VSGd2_BeforeScrollTip(row); };
    VSGd2.onBeforeSort = [this](int col, int order) { VSGd2_BeforeSort(col, order); };
    VSGd2.onAfterSort = [this](int col, int order) { VSGd2_AfterSort(col, order); };

    // The right button pops up the window's Options menu; the frame pops it up as the button
    // goes down.
    auto popup = [this](int button, int, int, int) { context_.PopupOptionsMenu(button); };
    for (Control* c : std::initializer_list<Control*>{&MonthView1, &Panel3D1, &SSCommand20, &VSGd2}) c->onMouseUp = popup;
    auto popupOnElement = [this](int, int button, int, int, int) { context_.PopupOptionsMenu(button); };
    SSCommand19.setOnMouseUp(popupOnElement);
    Panel3D2.setOnMouseUp(popupOnElement);
    Frame3.onMouseUp = nullptr;
    Frame3.onMouseDown = popup;
}

void ToDoPage::Form_Load(Color face) {
    for (int i = 0; i < 4; ++i) Panel3D2[i].setBackColor(face);
    Text1[0].setBackColor(Text2.backColor());
    VSGd2.setColEditMask(ColItem, QString(ToDoItemLength, QLatin1Char('&')));
}

void ToDoPage::Form_Activate() { FitColumns(); }

void ToDoPage::FitColumns() {
    // The columns share what the grid shows beside its scroll bar, so none is cut off.
    // Whole screen pixels, rounded down, so that the parts never add up to more than the whole.
    const int width = VSGd2.clientWidth();
    const int pixel = std::max(1, screen().twipsPerPixelX());
    for (int c = 0; c < ToDoColumnCount; ++c)
        VSGd2.setColWidth(c, int(std::floor(width * ColumnWidths[c] / pixel)) * pixel);
}

void ToDoPage::Form_KeyDown(int& keyCode) {
    if (keyCode != Key::Delete || CellEditMode() != 1 || ToDoClickCol < 1 || VSGd2.isEditing()) return;
    VSGd2.setCol(ToDoClickCol);
    VSGd2.setRow(ToDoClickRow);
    VSGd2.setText(QString());
    VSGd2.setCol(ColItem);
    ToDoClickCol = 0;
    MarkChanged();
    HideCalendar();
    SetCellEditMode(0);
    if (SSCommand19[ExitButton].enabled()) SSCommand19[ExitButton].setFocus();
    keyCode = 0;
}

void ToDoPage::Arrange(int pw, int ph) {
    const int todoW = pw * 72 / 100;
    Panel3D1.move(120, 120, todoW, ph - 240);
    VSGd2.move(60, 60, todoW - 120, ph - 360);
    // The button column beside the panel, from the top: the page's title, the entry box, the
    // name list and its two commands, then the grid's commands, and Exit at the bottom.
    const int rx = todoW + 240;
    const int rw = pw - rx - 120;
    const int gap = 45;
    const int labelH = 300, boxH = 330;
    const int buttonH = std::clamp((ph - 240 - 4 * labelH - 2 * boxH - 12 * gap) / 9, 300, 450);
    int y = 120;
    auto place = [&](Control& c, int h) {
        c.move(rx, y, rw, h);
        y += h + gap;
    };
    place(Panel3D2[0], labelH);
    place(Panel3D2[1], labelH);
    place(Text1[0], boxH);
    place(Panel3D2[2], labelH);
    place(Combo2, boxH);
    place(SSCommand19[AddItemButton], buttonH);
    place(SSCommand19[DeleteNameButton], buttonH);
    place(Panel3D2[3], labelH);
    for (int b : {DeleteRowButton, ClearButton, SaveButton, PrintButton}) place(SSCommand19[b], buttonH);
    place(SSCommand20, buttonH);
    SSCommand19[ExitButton].move(rx, std::max(y, ph - 120 - buttonH), rw, buttonH);
    MonthView1.move(MonthView1.left(), Panel3D1.top() + VSGd2.top() + 300, std::min(3900, todoW / 2), 2800);
    FitColumns();
}

void ToDoPage::MarkChanged() {
    context_.UnsavedChanges = 1;
    EnableSave(true);
}

void ToDoPage::EnableSave(bool on) {
    SSCommand19[SaveButton].setEnabled(on);
    if (menus_.mOSave) menus_.mOSave->setEnabled(on);
}

void ToDoPage::ShowPage() {
    LoadToDoNames();
    LoadToDoGrid();
    // The list on screen is the saved one; the flag is cleared before the page yields, so a
    // change made while it settles is kept as unsaved.
    context_.UnsavedChanges = 0;
    HideCalendar();
    EnableSave(false);
}

// ==== the grid and its file ======================================================================

ToDoList ToDoPage::GridList() const {
    ToDoList list;
    for (int r = 1; r <= ToDoRowCount; ++r)
        list.setRow(r, {VSGd2.textMatrix(r, ColItem), VSGd2.textMatrix(r, ColToDoDate), VSGd2.textMatrix(r, ColActualDate),
                        VSGd2.textMatrix(r, ColNextReview)});
    return list;
}

void ToDoPage::ShowList(const ToDoList& list) {
    fillingGrid_ = true;
    VSGd2.setRows(ToDoRowCount + 1);
    for (int r = 1; r <= ToDoRowCount; ++r)
        for (int c = 0; c < ToDoColumnCount; ++c) VSGd2.setTextMatrix(r, c, list.cell(r, c));
    fillingGrid_ = false;
}

void ToDoPage::LoadToDoGrid() {
    VSGd2.setRows(ToDoRowCount + 1);
    VSGd2.setRow(0);
    for (int c = ColItem; c < ToDoColumnCount; ++c) {
        VSGd2.setTextMatrix(0, c, ToDoHeadings[size_t(c)]);
        VSGd2.setFixedAlignment(c, GridAlign::CenterCenter);
        if (c > ColItem) VSGd2.setColAlignment(c, GridAlign::CenterCenter);
    }
    FitColumns();
    const ToDoListLoad load = readToDoList();
    gridFileUnreadable_ = load.outcome == platform::ReadStatus::Unreadable;
    // Every row is filled, so that nothing of an earlier visit stays on screen as if it were
    // saved: what the file holds, or an empty list.
    ShowList(load.list);
    VSGd2.setRow(1);
    VSGd2.setCol(ColItem);
    if (gridFileUnreadable_)
        reportUnreadable(ToDoGridFile, QStringLiteral("If you save here, the list on screen will replace it."), load.tooLarge,
                         MaxToDoListBytes);
    if (load.outcome == platform::ReadStatus::Ok && menus_.mOCl) menus_.mOCl->setEnabled(true);
}

bool ToDoPage::SaveToDoGrid() {
    if (context_.UnsavedChanges == 0) return true;
    if (gridFileUnreadable_ && !confirmReplacing(ToDoGridFile, QStringLiteral("the list on screen"))) return false;
    HourglassOn();
    QString reason;
    platform::WriteOutcome outcome = platform::WriteOutcome::Failed;
    const bool written = writeToDoList(GridList(), &reason, ToDoGridFile, &outcome);
    HourglassOff();
    if (!written && outcome != platform::WriteOutcome::NotDurable) {
        reportNotSaved(ToDoGridFile, reason, QStringLiteral("Your to-do list is still on screen and has not been saved."));
        MarkChanged();
        return false;
    }
    if (!written) reportNotDurable(ToDoGridFile, reason, QStringLiteral("Your to-do list is still on screen."));
    gridFileUnreadable_ = false;
    context_.UnsavedChanges = 0;
    EnableSave(false);
    return true;
}

// ==== the item names ===========================================================================

void ToDoPage::RefillNameList() {
    Combo2.clear();
    Combo2.setText(QString());
    for (const QString& name : ToDoNames.names()) Combo2.addItem(name);
}

void ToDoPage::LoadToDoNames() {
    Combo2.clear();
    ToDoNames = ToDoNameList();
    Text1[0].setText(QString());
    const ToDoNamesLoad load = readToDoNames();
    nameFileUnreadable_ = load.outcome == platform::ReadStatus::Unreadable;
    if (load.outcome == platform::ReadStatus::Ok) ToDoNames = load.names;
    RefillNameList();
    EnableNameCommands(false);
    if (nameFileUnreadable_)
        reportUnreadable(ToDoNameFile,
                         QStringLiteral("If you add or delete an item name, the names in the list will replace it."),
                         load.tooLarge, MaxToDoNameBytes);
}

void ToDoPage::EnableNameCommands(bool on) {
    SSCommand19[DeleteNameButton].setEnabled(on);
    SSCommand19[AddItemButton].setEnabled(on);
}

void ToDoPage::WriteNames() {
    if (nameFileUnreadable_ && !confirmReplacing(ToDoNameFile, QStringLiteral("the names in the list"))) return;
    QString reason;
    platform::WriteOutcome outcome = platform::WriteOutcome::Failed;
    if (!writeToDoNames(ToDoNames, &reason, ToDoNameFile, &outcome)) {
        if (outcome != platform::WriteOutcome::NotDurable) {
            reportNotSaved(ToDoNameFile, reason, QStringLiteral("The item names in the list have not been saved."));
            return;
        }
        reportNotDurable(ToDoNameFile, reason, QStringLiteral("The item names are still in the list."));
    }
    nameFileUnreadable_ = false;
}

void ToDoPage::AddName(const QString& text) {
    switch (ToDoNames.add(text)) {
    case ToDoNameList::AddResult::AlreadyThere:
        return;
    case ToDoNameList::AddResult::Full:
        HourglassOff();
        msgBox(QStringLiteral("The list of item names is full: it holds ") + QString::number(MaxToDoNames) +
                   QStringLiteral(" names.") + CR + QStringLiteral("This name has not been added to it.") + CR + CR +
                   QStringLiteral("Names you no longer need can be removed with Delete Item fm File."),
               Msg::OKOnly | Msg::Information, QStringLiteral("Item List"));
        return;
    case ToDoNameList::AddResult::Added:
        break;
    }
    RefillNameList();
    WriteNames();
}

void ToDoPage::RememberToDoName() {
    EnableNameCommands(false);
    if (Text1[0].text().isEmpty()) return;
    if (!ToDoNames.contains(Text1[0].text())) AppendToDoName();
}

void ToDoPage::AppendToDoName() {
    AddName(Text1[0].text());
    Text1[0].setText(QString());
}

void ToDoPage::DeleteToDoName() {
    if (ToDoNames.count() > 0) {
        const bool removed = ToDoNames.remove(Text1[0].text());
        Text1[0].setText(QString());
        RefillNameList();
        if (removed) WriteNames();
    }
    EnableNameCommands(false);
}

void ToDoPage::Combo2_Click() {
    const QString picked = Combo2.text();
    if (picked.isEmpty()) return;
    // A pick goes into the cell being edited only when that is an item cell; otherwise it
    // waits in the entry box.
    if (CellEditMode() == 1 && VSGd2.col() == ColItem) {
        VSGd2.setText(picked);
        SetCellEditMode(0);
        SSCommand19[ExitButton].setFocus();
        MarkChanged();
        return;
    }
    Text1[0].setText(picked);
    Text1[0].setBackColor(EntryHighlight);
    Combo2.setText(QString());
    EnableNameCommands(true);
}

void ToDoPage::Combo2_DropDown() {
    HideCalendar();
    SSCommand19[DeleteNameButton].setEnabled(false);
}

void ToDoPage::Combo2_GotFocus() {
    if (VSGd2.col() >= 2) {
        SetCellEditMode(0);
        VSGd2.setCol(ColItem);
    }
    SSCommand19[DeleteNameButton].setEnabled(false);
}

void ToDoPage::Combo2_KeyDown(int& keyCode, int) {
    if (keyCode != Key::Return) return;
    Text1[0].setText(Combo2.text());
    RememberToDoName();
}

void ToDoPage::VSGd2_AfterEdit(int row, int col) {
    EnableNameCommands(false);
    if (col != ColItem) return;
    const QString item = VSGd2.textMatrix(row, col);
    if (item.trimmed().isEmpty()) return;
    if (!ToDoNames.contains(item)) AddName(item);
    MarkChanged();
    SetCellEditMode(0);
    Text1[0].setText(QString());
}

// ==== cell editing and the calendar ============================================================

void ToDoPage::HideCalendar() { MonthView1.setVisible(false); }

void ToDoPage::PresetCalendar(const QString& cell) {
    if (const std::optional<QDate> d = readCellDate(cell)) MonthView1.setValue(*d);
}

void ToDoPage::ShowCalendar(int column) {
    // Its place beside the column, as a part of the panel's width; on a narrow panel, where
    // that place would cover the clicked column or run off the page, the nearest place beside
    // the column instead, so that the cell being dated stays in view.
    int left = Panel3D1.left() + int(std::lround(Panel3D1.width() * calendarPlace(column)));
    int colLeft = Panel3D1.left() + VSGd2.left();
    for (int c = 0; c < column; ++c) colLeft += VSGd2.colWidth(c);
    const int colRight = colLeft + VSGd2.colWidth(column);
    const int width = MonthView1.width();
    const int pageRight = Panel3D2[0].left() + Panel3D2[0].width();
    const bool covers = left < colRight && left + width > colLeft;
    if (covers || left + width > pageRight) left = colRight + width <= pageRight ? colRight : colLeft - width;
    MonthView1.setLeft(std::max(0, left));
    MonthView1.setVisible(true);
    MonthView1.zOrder(0);
}

void ToDoPage::EnableDeleteRow(bool on) {
    SSCommand19[DeleteRowButton].setEnabled(on);
    if (menus_.mODel) menus_.mODel->setEnabled(on);
}

void ToDoPage::VSGd2_Click() {
    ToDoClickCol = VSGd2.col();
    ToDoClickRow = ToDoMarkedRow = VSGd2.row();
    TextBox& entry = Text1[0];
    if (withoutTrailingBlanks(entry.text()).isEmpty()) {
        // No name waits: the click chooses a cell to edit or to date.
        if (ToDoClickCol > ColItem) {
            VSGd2.setCol(ColItem);
            if (VSGd2.text().isEmpty()) {
                RequireItemFirst();
                return;
            }
        }
        entry.setBackColor(Text2.backColor());
        if (ToDoClickCol != ColLead) SetCellEditMode(1);
        MonthView1.setValue(platform::clock().today());
        if (isDateColumn(ToDoClickCol)) {
            ShowCalendar(ToDoClickCol);
            VSGd2.setCol(ToDoClickCol);
            VSGd2.setRow(ToDoClickRow);
            if (VSGd2.text().isEmpty()) {
                if (SSCommand19[PrintButton].enabled()) SSCommand19[PrintButton].setFocus();
            } else {
                PresetCalendar(VSGd2.text());
            }
        }
        if (ToDoClickCol == ColItem) HideCalendar();
        EnableDeleteRow(true);
        return;
    }
    // A name waits in the entry box.
    if (ToDoClickCol == ColItem) {
        // A calendar still open would write its next date into this item: it closes.
        HideCalendar();
        VSGd2.setText(entry.text());
        MarkChanged();
        RememberToDoName();
        entry.setText(QString());
        entry.setBackColor(Text2.backColor());
        SSCommand19[ExitButton].setFocus();
    } else if (ToDoClickCol > ColItem) {
        entry.setText(QString());
        entry.setBackColor(Text2.backColor());
        if (isDateColumn(ToDoClickCol)) {
            ShowCalendar(ToDoClickCol);
            VSGd2.setCol(ToDoClickCol);
            VSGd2.setRow(ToDoClickRow);
            if (VSGd2.text().isEmpty()) {
                if (ToDoClickCol == ColNextReview && SSCommand19[PrintButton].enabled())
                    SSCommand19[PrintButton].setFocus();
            } else {
                PresetCalendar(VSGd2.text());
            }
        }
    }
}

void ToDoPage::RequireItemFirst() {
    HideCalendar();
    HourglassOff();
    msgBox(QStringLiteral("Please, enter an Item before any dates."), Msg::OKOnly | Msg::Information,
           QStringLiteral("Item Grid"));
    VSGd2.setCol(ColItem);
    const int r = GridList().firstRowWithoutItem();
    if (r == 0) return;
    VSGd2.setCol(ColItem);
    VSGd2.setRow(r);
    VSGd2_Click();
}

void ToDoPage::AddItemToGrid() {
    TextBox& entry = Text1[0];
    if (withoutLeadingBlanks(entry.text()).isEmpty()) return;
    VSGd2.setCol(ColItem);
    for (int r = 1; r <= ToDoRowCount; ++r) {
        VSGd2.setRow(r);
        if (!withoutTrailingBlanks(VSGd2.text()).isEmpty()) continue;
        VSGd2.setText(entry.text());
        RememberToDoName();
        entry.setText(QString());
        MarkChanged();
        break;
    }
    SetCellEditMode(0);
    SSCommand19[ExitButton].setFocus();
}

void ToDoPage::MonthView1_DateClick() {
    // The calendar dates only the date cell it was opened for.
    if (!isDateColumn(ToDoClickCol) || ToDoClickRow < 1 || ToDoClickRow > ToDoRowCount) {
        HideCalendar();
        return;
    }
    VSGd2.setCol(ToDoClickCol);
    VSGd2.setRow(ToDoClickRow);
    VSGd2.setText(formatDate(MonthView1.value(), CellDateForm));
    MarkChanged();
    if (SSCommand19[PrintButton].enabled()) SSCommand19[PrintButton].setFocus();
}

void ToDoPage::Text1_Change(int index) {
    TextBox& entry = Text1[index];
    // A quote pasted in goes the way of a typed one.
    if (entry.text().contains(QLatin1Char('"'))) {
        entry.setText(withoutQuotes(entry.text()));
        return;
    }
    const QStringList refused = charactersOutsideCp1252(entry.text());
    if (!refused.isEmpty()) {
        const QString kept = withoutCharactersOutsideCp1252(entry.text());
        const int cursor = std::max(0, entry.selStart() - int(entry.text().size() - kept.size()));
        entry.setText(kept);
        entry.setSelStart(cursor);
        reportUnstorable(refused);
        return;
    }
    SSCommand19[AddItemButton].setEnabled(!withoutLeadingBlanks(entry.text()).isEmpty());
}

void ToDoPage::Text1_Click(int) {
    SetCellEditMode(0);
    VSGd2.setCol(ColItem);
}

void ToDoPage::Text1_DblClick(int index) {
    if (!withoutLeadingBlanks(Text1[index].text()).isEmpty()) SSCommand19_Click(AddItemButton);
}

void ToDoPage::Text1_GotFocus(int index) {
    // The Action Area's spell checker binds itself to the entry box here, as the editor's
    // focus binds it to the editor (with the spell check of the items).
    HideCalendar();
    Text1[index].setBackColor(EntryHighlight);
}

void ToDoPage::Text1_KeyDown(int index, int& keyCode, int) {
    TextBox& entry = Text1[index];
    const bool rowCommands = SSCommand19[DeleteRowButton].enabled();
    if (keyCode == Key::Delete && rowCommands) {
        mODel_Click();
        return;
    }
    if (keyCode == Key::Insert && rowCommands) {
        mOIn_Click();
        return;
    }
    if (keyCode != Key::Return) {
        Combo2.setText(entry.text());
        return;
    }
    // Enter places the name in the item cell being edited (a date cell keeps its date).
    if (!entry.text().isEmpty() && CellEditMode() == 1 && VSGd2.col() == ColItem) {
        VSGd2.setText(QStringLiteral("  ") + entry.text());
        MarkChanged();
        RememberToDoName();
    }
}

void ToDoPage::Text1_KeyPress(int, int& keyAscii) {
    // A double quote is refused wherever it is typed; Enter types nothing.
    if (keyAscii == QuoteAscii || keyAscii == Key::Return) keyAscii = 0;
}

void ToDoPage::Text1_KeyUp(int index, int&, int) {
    const QString name = ToDoNames.completion(Text1[index].text());
    if (!name.isEmpty()) Combo2.setText(name);
}

void ToDoPage::VSGd2_GotFocus() {
    if (CellEditMode() == 1) ToDoMarkedRow = VSGd2.row();
    SSCommand19[DeleteRowButton].setEnabled(VSGd2.col() == ColItem && !withoutTrailingBlanks(VSGd2.text()).isEmpty() &&
                                            CellEditMode() == 1);
}

void ToDoPage::VSGd2_CellChange(int row, int col) {
    if (fillingGrid_) return;
    const QString text = VSGd2.textMatrix(row, col);
    if (text.contains(QLatin1Char('"'))) {
        VSGd2.setTextMatrix(row, col, withoutQuotes(text));
        return;
    }
    MarkChanged();
    if (!SSCommand19[ClearButton].enabled()) {
        SSCommand19[ClearButton].setEnabled(true);
        if (menus_.mOCl) menus_.mOCl->setEnabled(true);
    }
}

void ToDoPage::VSGd2_EditChange() {
    const QString typed = VSGd2.editText();
    const QStringList refused = charactersOutsideCp1252(typed);
    if (!refused.isEmpty()) {
        const QString kept = withoutCharactersOutsideCp1252(typed);
        // An edit begun by such a character over a cell's text leaves the cell as it was.
        if (kept.isEmpty()) VSGd2.cancelEdit();
        else VSGd2.setEditText(kept, std::max(0, VSGd2.editCursor() - int(typed.size() - kept.size())));
        reportUnstorable(refused);
        return;
    }
    MarkChanged();
}

void ToDoPage::VSGd2_KeyPress(int& keyAscii) {
    if (keyAscii == QuoteAscii) keyAscii = 0;
}

void ToDoPage::VSGd2_BeforeScrollTip(int row) {
    VSGd2.setScrollTipText(QStringLiteral(" Row ") + QString::number(row) + QStringLiteral(": ") +
                           VSGd2.textMatrix(row, ColItem) + QLatin1Char(' '));
}

void ToDoPage::VSGd2_BeforeSort(int, int) { beforeSort_ = GridList(); }

void ToDoPage::VSGd2_AfterSort(int col, int order) {
    HideCalendar();
    // The grid sorts by text, which puts "Fri - Feb 19, 27" before "Fri - Feb 5, 27": a date
    // column is put in the order of the dates its cells read as, from the order before the
    // sort, so that rows of the same date keep theirs.
    ToDoList sorted = GridList();
    if (isDateColumn(col)) {
        sorted = beforeSort_;
        sorted.sortByDate(col, order != GridSort::Descending);
    }
    // Whatever the column and the order, the rows with an item stand together at the top in
    // their new order; a sort that moved anything is a change to save.
    sorted.compact();
    ShowList(sorted);
    VSGd2.setCol(ColItem);
    VSGd2.setRow(1);
    if (sorted != beforeSort_) MarkChanged();
}

// ==== row commands ============================================================================

void ToDoPage::SSCommand19_Click(int index) {
    HideCalendar();
    switch (index) {
    case ExitButton: context_.ShowOverviewPage(); break;
    case DeleteNameButton: DeleteToDoName(); break;
    case AddItemButton: AddItemToGrid(); break;
    case DeleteRowButton: mODel_Click(); break;
    case PrintButton: context_.PrintThisPage(); break;
    case SaveButton: SaveToDoGrid(); break;
    case ClearButton: mOCl_Click(); break;
    default: break;
    }
    HourglassOff();
}

void ToDoPage::SSCommand19_GotFocus(int) {
    if (Text1[0].backColor() == EntryHighlight) Text1[0].setBackColor(Text2.backColor());
    if (context_.UnsavedChanges == 1 && !SSCommand19[ClearButton].enabled()) {
        SSCommand19[ClearButton].setEnabled(true);
        SSCommand19[SaveButton].setEnabled(true);
        if (menus_.mOCl) menus_.mOCl->setEnabled(true);
    }
    if (ToDoMarkedRow == NoMarkedRow) {
        ToDoMarkedRow = 0;
        SetCellEditMode(0);
    }
}

void ToDoPage::mOCl_Click() {
    LoopIndex = msgBox(QStringLiteral("Do you really want To Clear the Grid?"),
                       Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2, QStringLiteral("Clear Grid"));
    if (LoopIndex != Answer::Yes) return;
    VSGd2.setRows(1);
    doEvents();
    VSGd2.setRows(ToDoRowCount + 1);
    MarkChanged();
}

void ToDoPage::mODel_Click() {
    SetCellEditMode(0);
    // Before any row was clicked the command acts on the first row.
    if (ToDoMarkedRow == 0) ToDoMarkedRow = ToDoClickRow = 1;
    const int r = ToDoMarkedRow;
    // Right after a row command no row is marked: there is nothing to ask about.
    if (r < 1 || r > ToDoRowCount) {
        EnableDeleteRow(false);
        return;
    }
    // The question names the row it removes, painted red while it is asked.
    ToDoRowBackColor = VSGd2.backColor();
    VSGd2.setCellBackColor(r, ColItem, r, ToDoColumnCount - 1, MarkedRowColor);
    const QString item = VSGd2.textMatrix(r, ColItem);
    const QString question = item.isEmpty() ? QStringLiteral("Delete This Row?")
                                            : QStringLiteral("Delete Activity and Dates for - ") + CR + item +
                                                  QStringLiteral(", ") + item + QStringLiteral("?");
    HourglassOff();
    LoopIndex = msgBox(question, Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2, QStringLiteral("Delete Row"));
    if (LoopIndex == Answer::Yes) {
        MarkChanged();
        VSGd2.removeItem(r);
        VSGd2.setRows(ToDoRowCount + 1);
        VSGd2.setRow(r);
        ToDoMarkedRow = NoMarkedRow;
    } else {
        VSGd2.setCellBackColor(r, ColItem, r, ToDoColumnCount - 1, ToDoRowBackColor);
    }
    VSGd2.setRows(ToDoRowCount + 1);
    EnableDeleteRow(false);
    SSCommand19[SaveButton].setEnabled(true);
    SSCommand19[ExitButton].setFocus();
    SetCellEditMode(0);
}

void ToDoPage::mOIn_Click() {
    const int r = ToDoMarkedRow;
    if (r >= 1 && r <= ToDoRowCount) {
        // The last row drops out of the list: one that holds anything goes only when the user
        // says so.
        const ToDoRow last = GridList().row(ToDoRowCount);
        bool insert = true;
        if (!last.isEmpty()) {
            HourglassOff();
            const QString what = last.item.isEmpty()
                                     ? QStringLiteral("Inserting a row drops the last row of the list, which holds dates.")
                                     : QStringLiteral("Inserting a row drops the last row of the list:") + CR + last.item;
            insert = msgBox(what + CR + CR + QStringLiteral("Insert the row?"),
                            Msg::YesNo | Msg::Question | Msg::DefaultButton2, QStringLiteral("Insert Row")) == Answer::Yes;
        }
        if (insert) {
            VSGd2.addItem(QString(), r);
            VSGd2.setRows(ToDoRowCount + 1);
            VSGd2.setRow(r);
        }
    }
    ToDoMarkedRow = NoMarkedRow;
    SetCellEditMode(0);
    SSCommand19[ExitButton].setFocus();
}

// ==== spell check of the items ===================================================================

void ToDoPage::SSCommand20_Click() {
    SpellChecker& checker = context_.VSSpell1;
    if (!context_.SpellCheckerReady()) return;
    ToDoSpellChanges = 0;
    // LoopIndex is the row; the checker's end event sets it past the last row to stop.
    for (LoopIndex = 1; LoopIndex <= ToDoRowCount; ++LoopIndex) {
        const int row = LoopIndex;
        ToDoRowCorrected = 0;
        VSGd2.setRow(row);
        VSGd2.setCol(ColItem);
        checker.check(VSGd2.textMatrix(row, ColItem));
        VSGd2.setRow(row);
        VSGd2.setCol(ColItem);
        const QString item = VSGd2.textMatrix(row, ColItem);
        if (item.size() > ToDoItemLength) {
            VSGd2.setTextMatrix(row, ColItem, item.left(ToDoItemLength));
            MarkChanged();
        }
        if (ToDoRowCorrected == RowCorrected && !ToDoNames.contains(VSGd2.textMatrix(row, ColItem))) {
            AddName(VSGd2.textMatrix(row, ColItem));
            Text1[0].setText(QString());
        }
        SetCellEditMode(0);
    }
    LoopIndex = 0;
    SetCellEditMode(2);
    HourglassOff();
    msgBox(ToDoSpellChanges != 0 ? QStringLiteral("Spell Check has been canceled or has reached the end of your entries")
                                 : QStringLiteral("Spell Check did not change or did not find any misspelled words!"),
           Msg::Information | Msg::OKOnly, QStringLiteral("Spell Check"));
}

void ToDoPage::VSSpell1_BadWord() {
    SetCellEditMode(1);
    ++ToDoSpellChanges;
}

void ToDoPage::VSSpell1_TextChecked() {
    const SpellChecker& checker = context_.VSSpell1;
    if (checker.correctionsMade() < 1) return;
    VSGd2.setTextMatrix(VSGd2.row(), ColItem, checker.text());
    ToDoRowCorrected = RowCorrected;
    ++ToDoSpellChanges;
    MarkChanged();
}

void ToDoPage::VSSpell1_UserAction(int action) {
    if (action == int(SpellAction::ChangeAll)) applyCorrections_ = true;
}

void ToDoPage::VSSpell1_CheckEnd(bool cancelled) {
    // After Change All the correction list goes over the rows still to come; the loop then
    // goes on from the row it is at.
    if (applyCorrections_) {
        CorrectLaterRows(LoopIndex);
        applyCorrections_ = false;
    }
    if (cancelled) LoopIndex = StopToDoSpellLoop;
}

void ToDoPage::CorrectLaterRows(int afterRow) {
    const SpellChecker& checker = context_.VSSpell1;
    bool changed = false;
    for (int r = std::max(1, afterRow + 1); r <= ToDoRowCount; ++r) {
        const QString item = VSGd2.textMatrix(r, ColItem);
        if (item.trimmed().isEmpty()) continue;
        QString corrected = item;
        for (int i = 0; i < checker.correctionCount(); ++i)
            corrected = correctWholeWords(corrected, checker.correctionMisspelling(i), checker.correctionReplacement(i));
        if (corrected == item) continue;
        VSGd2.setTextMatrix(r, ColItem, corrected);
        changed = true;
    }
    if (changed) MarkChanged();
}
