// A person's input as the window system delivers it, for the tests: the mouse pressed and
// released where a control stands (whatever stands on top there receives it), keys to the
// focused widget, and the actions of assistive technology.
#pragma once

#include "platform/Control.h"
#include "platform/RichTextBox.h"

#include <QString>

namespace testsupport {

// A press and release of the button at the middle of the control (or at `at`, pixels in
// the control), delivered to its window.
void mouseClick(platform::Control& c, Qt::MouseButton button = Qt::LeftButton);
void mouseClickAt(platform::Control& c, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// The press and the release apart, at the middle of where the control stood at the press.
struct HeldMouse {
    QWidget* window = nullptr;
    QPoint at;
    Qt::MouseButton button = Qt::LeftButton;
};
HeldMouse mousePress(platform::Control& c, Qt::MouseButton button = Qt::LeftButton);
void mouseRelease(const HeldMouse& held);
// A click in the text of a rich-text box just behind the character at text position `pos`.
void clickInText(platform::RichTextBox& box, int pos);
// A key pressed and released on the widget that has the focus (the control's widget when
// nothing has).
void pressKey(platform::Control& c, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The access key of a caption ("&Save": Alt+S), pressed in the control's window.
void pressAccessKey(platform::Form& form, QChar key);
// An action of assistive technology on the control ("Press", "Toggle"); false when the
// control offers no such action.
bool accessibleAction(platform::Control& c, const QString& action);

}  // namespace testsupport
