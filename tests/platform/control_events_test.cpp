// The events of the text box, combo box, grid and month calendar that the window code relies
// on: Click, DblClick and KeyUp of a text box, DropDown of a combo box, a grid's read-only
// column and its sort events, and the calendar's value and DateClick.
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/MonthView.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

using namespace platform;

namespace {

class EventHost : public Form {
public:
    EventHost()
        : Form(QStringLiteral("EventHost")),
          Text1(*this, *this, QStringLiteral("Text1")),
          Combo2(*this, *this, QStringLiteral("Combo2")),
          VSGd(*this, *this, QStringLiteral("VSGd")),
          MonthView1(*this, *this, QStringLiteral("MonthView1")) {
        VSGd.move(0, 600, 9000, 3000);
        MonthView1.move(0, 3800, 3600, 2600);
    }
    TextBox Text1;
    ComboBox Combo2;
    Grid VSGd;
    MonthView MonthView1;
};

class ControlEventsTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        clock->setDate(2005, 1, 6);
        host = &defaultInstance<EventHost>();
        host->show();
    }
    void mouse(QWidget* w, QEvent::Type type) {
        QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    EventHost* host = nullptr;
    std::vector<QString> events;
};

TEST_F(ControlEventsTest, TextBoxRaisesClickAndThenDblClickForADoubleClick) {
    TextBox& box = host->Text1;
    box.onClick = [&] { events.push_back("Click"); };
    box.onDblClick = [&] { events.push_back("DblClick"); };
    box.click();
    EXPECT_EQ(events, (std::vector<QString>{"Click"}));
    events.clear();
    box.doubleClick();
    EXPECT_EQ(events, (std::vector<QString>{"Click", "DblClick"}));

    // The mouse on the box itself: press, release, double click, release.
    events.clear();
    QWidget* w = box.widget();
    mouse(w, QEvent::MouseButtonPress);
    mouse(w, QEvent::MouseButtonRelease);
    mouse(w, QEvent::MouseButtonDblClick);
    mouse(w, QEvent::MouseButtonRelease);
    EXPECT_EQ(events, (std::vector<QString>{"Click", "DblClick"}));

    events.clear();
    box.setEnabled(false);
    box.click();
    EXPECT_TRUE(events.empty());
}

TEST_F(ControlEventsTest, KeyUpFollowsEveryKeyOnceWithItsCode) {
    TextBox& box = host->Text1;
    box.setFocus();
    std::vector<int> ups;
    box.onKeyPress = [&](int& ascii) { events.push_back(QStringLiteral("KeyPress %1").arg(ascii)); };
    box.onKeyUp = [&](int& code, int) {
        ups.push_back(code);
        events.push_back(QStringLiteral("KeyUp %1 '%2'").arg(code).arg(box.text()));
    };
    host->dispatchKey('A', 0, 'a');
    // KeyUp comes after the character is in the box.
    EXPECT_EQ(events, (std::vector<QString>{"KeyPress 97", "KeyUp 65 'a'"}));

    // Qt's own release of a key reaches KeyUp once; a held key's repeats do not.
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(box.widget(), &release);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), true);
    QApplication::sendEvent(box.widget(), &repeat);
    EXPECT_EQ(ups, (std::vector<int>{65, 66}));
}

TEST_F(ControlEventsTest, ComboRaisesDropDownBeforeItsListOpens) {
    ComboBox& combo = host->Combo2;
    combo.addItem(QStringLiteral("Backup tapes"));
    auto* qc = qobject_cast<QComboBox*>(combo.widget());
    ASSERT_NE(qc, nullptr);
    combo.onDropDown = [&] { events.push_back(QStringLiteral("DropDown %1").arg(qc->view()->isVisible())); };
    combo.showDropDown(true);
    combo.showDropDown(false);
    qc->showPopup();  // the user's click on the arrow
    qc->hidePopup();
    EXPECT_EQ(events, (std::vector<QString>{"DropDown 0", "DropDown 0"}));
}

TEST_F(ControlEventsTest, AReadOnlyGridColumnNeverOpensTheEditor) {
    Grid& g = host->VSGd;
    g.setRows(4);
    g.setCols(6);
    g.setColReadOnly(4, true);
    g.setEditable(Grid::EditKeyboardMouse);
    g.setFocus();
    g.clickCell(1, 4);
    EXPECT_FALSE(g.isEditing());
    EXPECT_FALSE(g.editCell());
    host->dispatchKey('X', 0, 'x');
    EXPECT_FALSE(g.isEditing());
    EXPECT_EQ(g.textMatrix(1, 4), QString());
    // The columns beside it edit as before.
    g.clickCell(1, 3);
    EXPECT_TRUE(g.isEditing());
    host->dispatchKey('X', 0, 'x');
    g.commitEdit();
    EXPECT_EQ(g.textMatrix(1, 3), QStringLiteral("x"));
    // An edit open in a column that becomes read-only is dropped.
    g.clickCell(2, 3);
    host->dispatchKey('Y', 0, 'y');
    g.setColReadOnly(3, true);
    EXPECT_FALSE(g.isEditing());
    EXPECT_EQ(g.textMatrix(2, 3), QString());
}

TEST_F(ControlEventsTest, BeforeSortSeesTheRowsStillInPlace) {
    Grid& g = host->VSGd;
    g.setRows(4);
    g.setCols(3);
    const QStringList items = {"pear", "apple", ""};
    for (int r = 1; r <= 3; ++r) g.setTextMatrix(r, 1, items[r - 1]);
    g.setSortOnHeaderClick(true);
    g.onBeforeSort = [&](int col, int order) {
        events.push_back(QStringLiteral("Before %1 %2 %3").arg(col).arg(order).arg(g.textMatrix(1, 1)));
    };
    g.onAfterSort = [&](int col, int order) {
        events.push_back(QStringLiteral("After %1 %2 %3").arg(col).arg(order).arg(g.textMatrix(1, 1)));
    };
    g.clickCell(0, 1);
    g.clickCell(0, 1);
    EXPECT_EQ(events, (std::vector<QString>{"Before 1 1 pear", "After 1 1 ", "Before 1 2 ", "After 1 2 pear"}));
}

TEST_F(ControlEventsTest, CalendarStartsAtTodayAndRaisesDateClickOnlyForAPersonsChoice) {
    MonthView& cal = host->MonthView1;
    EXPECT_EQ(cal.value(), QDate(2005, 1, 6));
    std::vector<QDate> clicks;
    cal.onDateClick = [&](const QDate& d) {
        EXPECT_EQ(cal.value(), d);
        clicks.push_back(d);
    };
    cal.setValue(QDate(2031, 12, 25));  // from code: shown, no event
    auto* qc = qobject_cast<QCalendarWidget*>(cal.widget());
    ASSERT_NE(qc, nullptr);
    EXPECT_EQ(qc->selectedDate(), QDate(2031, 12, 25));
    EXPECT_EQ(qc->monthShown(), 12);
    EXPECT_EQ(qc->yearShown(), 2031);
    cal.setValue(QDate());  // ignored
    EXPECT_EQ(cal.value(), QDate(2031, 12, 25));
    EXPECT_TRUE(clicks.empty());

    cal.clickDate(QDate(2005, 2, 14));
    emit qc->clicked(QDate(2005, 3, 1));    // the mouse on a day
    emit qc->activated(QDate(2005, 3, 2));  // Enter on a day
    EXPECT_EQ(clicks, (std::vector<QDate>{QDate(2005, 2, 14), QDate(2005, 3, 1), QDate(2005, 3, 2)}));
    // Moving with the arrow keys changes the value but chooses nothing.
    qc->setSelectedDate(QDate(2005, 3, 9));
    EXPECT_EQ(cal.value(), QDate(2005, 3, 9));
    EXPECT_EQ(clicks.size(), 3u);
    // Day and month names are English, whatever the desktop's language.
    EXPECT_EQ(qc->locale().language(), QLocale::English);
}

}  // namespace
