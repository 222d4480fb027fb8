// What assistive technology sees of the program's windows and controls (internal to the
// platform layer): the interfaces are made on demand for the widgets a control owns.
#pragma once

class QObject;
class QWidget;

namespace platform {

class Control;

// Makes the layer's own interfaces the ones Qt gives assistive technology (once).
void installAccessibility();
// Ties a widget to the control that owns it, and finds the control again.
void linkControl(QWidget* w, Control* c);
Control* controlOf(const QObject* o);

}  // namespace platform
