#include "timeline/ToDoPage.h"

#include <cmath>

using namespace platform;

namespace {

const char* const ToDoButtonCaptions[7] = {"E&xit",           "&Delete Item fm File", "&Add to To Do Grid",
                                           "&Delete Item from Grid", "&Print", "&Save", "&Clear Grid"};
// The grid's columns as parts of its width: lead, item, to-do date, actual date, spacer,
// next review date.
constexpr double ColumnWidths[6] = {0.015, 0.34, 0.2, 0.2, 0.005, 0.24};
// A to-do item holds at most this many characters.
constexpr int ItemLength = 45;

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
    VSGd2.setCols(6);
    VSGd2.setFixedCols(1);
    VSGd2.setRows(2);
    VSGd2.setAccessibleName(QStringLiteral("To-do list"));
    for (int i = 0; i < 4; ++i) {
        SSPanel& p = Panel3D2.add(form, page, i);
        p.setBevelOuter(1);
    }
    for (int i = 0; i < 7; ++i) {
        SSCommand& b = SSCommand19.add(form, page, i);
        b.setCaption(QString::fromLatin1(ToDoButtonCaptions[i]));
    }
    SSCommand19.setOnClick([this](int i) { SSCommand19_Click(i); });
    SSCommand20.setCaption(QStringLiteral("Spell Chec&k"));
    SSCommand20.onClick = [this] { SSCommand20_Click(); };
    Text1.add(form, page, 0).setVisible(false);
    Text1[0].setAccessibleName(QStringLiteral("To-do item"));
    Text2.setVisible(false);
    Text2.setBackColor(SysWindowBackground);
    Combo2.setVisible(false);
    Combo2.setAccessibleName(QStringLiteral("Item names"));
    MonthView1.setVisible(false);
    MonthView1.setAccessibleName(QStringLiteral("Calendar"));
    Frame3.setVisible(false);

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
    VSGd2.setColEditMask(1, QString(ItemLength, QLatin1Char('&')));
}

void ToDoPage::Form_Activate() {
    for (int c = 0; c < 6; ++c) VSGd2.setColWidth(c, int(std::lround(VSGd2.width() * ColumnWidths[c])));
}

void ToDoPage::Form_KeyDown(int& keyCode) {
    if (keyCode != Key::Delete || CellEditMode != 1 || ToDoClickCol < 1) return;
    VSGd2.setCol(ToDoClickCol);
    VSGd2.setRow(ToDoClickRow);
    VSGd2.setText(QString());
    VSGd2.setCol(1);
    ToDoClickCol = 0;
    context_.UnsavedChanges = 1;
    HideCalendar();
    CellEditMode = 0;
    if (SSCommand19[0].enabled()) SSCommand19[0].setFocus();
    keyCode = 0;
}

void ToDoPage::Arrange(int pw, int ph) {
    const int todoW = pw * 72 / 100;
    Panel3D1.move(120, 120, todoW, ph - 240);
    VSGd2.move(60, 60, todoW - 120, ph - 360);
    const int rx = todoW + 240;
    const int rw = pw - rx - 120;
    for (int i = 0; i < 4; ++i) Panel3D2[i].move(rx, 120 + i * 360, rw, 330);
    for (int i = 0; i < 7; ++i) SSCommand19[i].move(rx, 1680 + i * 480, rw, 420);
    SSCommand20.move(rx, 1680 + 7 * 480, rw, 420);
    Text1[0].move(180, 480, todoW * 261 / 1000, 315);
    MonthView1.move(rx, 5700, rw, 2500);
}

// ---- not written yet ----------------------------------------------------------------------------

void ToDoPage::SSCommand19_Click(int) {}
void ToDoPage::SSCommand20_Click() {}
void ToDoPage::LoadToDoNames() {}
void ToDoPage::LoadToDoGrid() {}
bool ToDoPage::SaveToDoGrid() { return true; }
void ToDoPage::HideCalendar() {}
