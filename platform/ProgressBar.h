// A progress bar from Min to Max. A value outside that range is refused and leaves the bar
// as it was, so a last step one past the maximum leaves it full.
#pragma once

#include "platform/Control.h"

namespace platform {

class ProgressBar : public Control {
public:
    ProgressBar(Form& form, Container& parent, const QString& name, int index = -1);

    int min() const { return min_; }
    int max() const { return max_; }
    void setMax(int m);
    int value() const { return value_; }
    // False, with the value unchanged, when v lies outside min..max.
    bool setValue(int v);

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

}  // namespace platform
