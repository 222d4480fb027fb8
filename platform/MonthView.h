// The month calendar: a month of days to pick one from, on Qt's calendar widget. Its value is
// the chosen day; a day clicked (or picked with Enter) raises DateClick.
#pragma once

#include "platform/Control.h"

#include <QDate>
#include <functional>

namespace platform {

class MonthView : public Control {
public:
    MonthView(Form& form, Container& parent, const QString& name, int index = -1);
    bool canTakeFocus() const override { return true; }

    // The day shown as chosen (today until set). Setting it from code shows its month and
    // raises no DateClick; an invalid date is ignored.
    QDate value() const { return value_; }
    void setValue(const QDate& d);

    // A person's click on a day: it becomes the value, then DateClick runs.
    void clickDate(const QDate& d);
    // The day a click chose, after the value has been set to it.
    std::function<void(const QDate& date)> onDateClick;

private:
    QDate value_;
    bool syncing_ = false;
};

}  // namespace platform
