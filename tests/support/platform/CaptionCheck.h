// What a person sees of the captions of a window: the text each control draws and whether the
// style keeps all of it inside the control. The check measures with the style and the widget's
// own font and text, as they are drawn, not with the program's fitting code.
#pragma once

#include "platform/Control.h"
#include "platform/Form.h"

#include <QString>
#include <vector>

namespace testsupport {

struct ShownCaption {
    bool hasCaption = false;  // the control kind draws a caption and this one has a text
    QString text;             // what is drawn, lines joined by a blank, access-key marks removed
    bool whole = true;        // the drawn text lies inside the control's text area
};

ShownCaption shownCaption(const platform::Control& control);

// "Name(index) 'caption'" of every control of the form that a person can see and whose caption
// does not show whole or shows other words than the caption holds.
std::vector<QString> clippedCaptions(const platform::Form& form);

// "Name(index)" of every control of the form that a person can see and use (buttons, options,
// boxes, lists, grids, editors, pictures) which tells assistive technology no name.
std::vector<QString> unnamedControls(const platform::Form& form);

}  // namespace testsupport
