#include "platform/MonthView.h"

#include "platform/Services.h"

#include <QCalendarWidget>
#include <QLocale>

namespace platform {

MonthView::MonthView(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    auto* cal = new QCalendarWidget(parent.containerWidget());
    // English day and month names whatever the desktop's language, weeks from Sunday.
    cal->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    cal->setFirstDayOfWeek(Qt::Sunday);
    cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    cal->setGridVisible(true);
    value_ = clock().today();
    cal->setSelectedDate(value_);
    setWidget(cal);
    // The buttons of the calendar's title bar that show only an arrow, the year box and the days
    // are named, so that a screen reader says what they are.
    struct Named { const char* object; const char* name; };
    static const Named named[] = {{"qt_calendar_prevmonth", "Previous month"},
                                  {"qt_calendar_nextmonth", "Next month"},
                                  {"qt_calendar_yearedit", "Year"},
                                  {"qt_calendar_calendarview", "Days"}};
    for (const Named& n : named)
        if (auto* w = cal->findChild<QWidget*>(QString::fromLatin1(n.object)))
            w->setAccessibleName(QString::fromLatin1(n.name));
    // A click on a day, and Enter or a double click (activated), each choose that day.
    auto chosen = [this](QDate d) {
        if (syncing_) return;
        clickDate(d);
    };
    QObject::connect(cal, &QCalendarWidget::clicked, cal, chosen);
    QObject::connect(cal, &QCalendarWidget::activated, cal, chosen);
    // Moving through the days with the keys changes the value without choosing.
    QObject::connect(cal, &QCalendarWidget::selectionChanged, cal, [this, cal] {
        if (!syncing_) value_ = cal->selectedDate();
    });
}

void MonthView::setValue(const QDate& d) {
    if (!d.isValid()) return;
    value_ = d;
    if (auto* cal = qobject_cast<QCalendarWidget*>(widget_.data())) {
        syncing_ = true;
        cal->setSelectedDate(d);
        cal->setCurrentPage(d.year(), d.month());
        syncing_ = false;
    }
}

void MonthView::clickDate(const QDate& d) {
    if (!enabled_ || !d.isValid()) return;
    setValue(d);
    if (onDateClick) onDateClick(value_);
}

}  // namespace platform
