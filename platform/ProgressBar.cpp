#include "platform/ProgressBar.h"

#include <QProgressBar>

namespace platform {

ProgressBar::ProgressBar(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    auto* bar = new QProgressBar(parent.containerWidget());
    bar->setRange(min_, max_);
    bar->setValue(value_);
    bar->setTextVisible(false);
    setWidget(bar);
}

void ProgressBar::setMax(int m) {
    max_ = m < min_ ? min_ : m;
    if (value_ > max_) value_ = max_;
    if (auto* bar = qobject_cast<QProgressBar*>(widget_.data())) {
        bar->setRange(min_, max_);
        bar->setValue(value_);
    }
}

bool ProgressBar::setValue(int v) {
    if (v < min_ || v > max_) return false;
    value_ = v;
    if (auto* bar = qobject_cast<QProgressBar*>(widget_.data())) bar->setValue(v);
    return true;
}

}  // namespace platform
