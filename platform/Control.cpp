#include "platform/Control.h"

#include "platform/Accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace platform {

namespace {

int buttonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? Mouse::Right : b == Qt::MiddleButton ? Mouse::Middle : Mouse::Left;
}

int shiftOf(Qt::KeyboardModifiers m) {
    int shift = 0;
    if (m & Qt::ShiftModifier) shift |= ShiftState::Shift;
    if (m & Qt::ControlModifier) shift |= ShiftState::Ctrl;
    if (m & Qt::AltModifier) shift |= ShiftState::Alt;
    return shift;
}

}  // namespace

// Turns a widget's mouse, key and focus events into the control's events. One bridge sits on
// the control's widget; a box that scrolls has a second one on its inner viewport, which is
// where the mouse lands (mouse only).
class EventBridge : public QObject {
public:
    EventBridge(Control& c, QObject* parent, bool mouseOnly)
        : QObject(parent), control_(c), mouseOnly_(mouseOnly) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return mouse(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(e));
        case QEvent::FocusIn:
            if (mouseOnly_) break;
            control_.form().setFocusedControl(&control_);
            if (control_.onGotFocus) control_.onGotFocus();
            break;
        case QEvent::FocusOut:
            if (mouseOnly_) break;
            if (control_.onLostFocus) control_.onLostFocus();
            break;
        case QEvent::Shortcut: {
            // The control's access key: the press happens now, not after a delay, and a
            // control the user cannot see takes none.
            if (mouseOnly_) break;
            auto* se = static_cast<QShortcutEvent*>(e);
            auto* w = control_.widget();
            if (!w) break;
            if (se->isAmbiguous()) {
                if (w->focusPolicy() != Qt::NoFocus) w->setFocus(Qt::ShortcutFocusReason);
                return true;
            }
            QPointer<QObject> alive = this;
            if (w->focusPolicy() != Qt::NoFocus && control_.enabled()) w->setFocus(Qt::ShortcutFocusReason);
            if (!alive) return true;
            if (control_.userPress()) return true;
            break;
        }
        case QEvent::KeyPress: {
            if (mouseOnly_) break;
            auto* ke = static_cast<QKeyEvent*>(e);
            // Ctrl+Tab and Ctrl+Shift+Tab leave any control, also one that types Tab.
            const bool tab = ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab;
            if (tab && (ke->modifiers() & Qt::ControlModifier)) {
                const bool back = ke->key() == Qt::Key_Backtab || (ke->modifiers() & Qt::ShiftModifier);
                control_.form().moveFocus(!back);
                e->accept();
                return true;
            }
            if (control_.enabled() && control_.widgetKey(ke->key(), ke->modifiers())) {
                e->accept();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    bool mouse(QWidget* surface, QMouseEvent* me) {
        QWidget* w = control_.widget();
        if (!w || !control_.enabled()) return false;
        const bool passive = control_.clicksOnRelease();
        const bool keep = control_.keepsMouse();
        const QPointF at = surface == w ? me->position() : QPointF(surface->mapTo(w, me->position().toPoint()));
        const int button = buttonOf(me->button());
        const int shift = shiftOf(me->modifiers());
        const int x = pixelsToTwipsX(int(at.x()));
        const int y = pixelsToTwipsY(int(at.y()));
        QPointer<QObject> alive = this;
        switch (me->type()) {
        case QEvent::MouseButtonPress:
            pressed_ = button;
            afterDouble_ = false;
            control_.raiseMouseDown(button, shift, x, y);
            break;
        case QEvent::MouseButtonDblClick:
            if (passive && button == Mouse::Left) {
                // The second press of a double click raises DblClick instead of a press.
                pressed_ = 0;
                afterDouble_ = true;
                control_.raiseDblClick();
            } else {
                pressed_ = button;
                control_.raiseMouseDown(button, shift, x, y);
            }
            break;
        default: {
            const bool click = passive && button == Mouse::Left && pressed_ == Mouse::Left && !afterDouble_;
            pressed_ = 0;
            afterDouble_ = false;
            control_.raiseMouseUp(button, shift, x, y);
            if (alive && click && control_.widget() && control_.enabled()) control_.raiseClick();
            break;
        }
        }
        if (keep && alive) {
            me->accept();
            return true;
        }
        return false;
    }

    Control& control_;
    bool mouseOnly_;
    int pressed_ = 0;
    bool afterDouble_ = false;
};

Control::Control(Form& form, Container& parent, const QString& name, int index)
    : form_(form), parent_(parent), name_(name), index_(index) {
    form_.registerControl(this);
}

Control::~Control() {
    form_.unregisterControl(this);
    linkControl(widget_, nullptr);
    if (widget_) delete widget_.data();
}

void Control::setWidget(QWidget* w) {
    widget_ = w;
    if (!w) return;
    QString objName = index_ >= 0 ? QStringLiteral("%1(%2)").arg(name_).arg(index_) : name_;
    w->setObjectName(objName);
    installAccessibility();
    linkControl(w, this);
    w->setFont(toQFont(font_));
    // A press on a control is the control's alone, as on the original platform: it never
    // goes on to the panel or window behind it (a right click would pop up a menu twice).
    w->setAttribute(Qt::WA_NoMousePropagation);
    installEventBridge();
    move(left_, top_, width_, height_);
    w->show();
}

void Control::installEventBridge() {
    if (!widget_) return;
    widget_->installEventFilter(new EventBridge(*this, widget_, false));
    QWidget* surface = mouseSurface();
    if (surface && surface != widget_) surface->installEventFilter(new EventBridge(*this, surface, true));
}

void Control::setVisible(bool v) {
    visible_ = v;
    applyVisibility();
    form_.coverageChanged();
}

void Control::setCovered(bool covered) {
    if (covered == covered_) return;
    covered_ = covered;
    applyVisibility();
}

void Control::applyVisibility() {
    if (widget_) widget_->setVisible(visible_ && !covered_);
}

void Control::setEnabled(bool e) {
    enabled_ = e;
    if (widget_) widget_->setEnabled(e);
}

void Control::setForeColor(Color c) {
    foreColor_ = c;
    colorsSet_ = true;
    applyColors();
}

void Control::setBackColor(Color c) {
    backColor_ = c;
    colorsSet_ = true;
    applyColors();
}

void Control::setEnabledTextColor(QPalette& pal, QPalette::ColorRole role, const QColor& color) {
    pal.setColor(QPalette::Active, role, color);
    pal.setColor(QPalette::Inactive, role, color);
}

void Control::applyColors() {
    if (!widget_ || !colorsSet_) return;
    QPalette pal = widget_->palette();
    setEnabledTextColor(pal, QPalette::WindowText, toQColor(foreColor_));
    setEnabledTextColor(pal, QPalette::ButtonText, toQColor(foreColor_));
    setEnabledTextColor(pal, QPalette::Text, toQColor(foreColor_));
    pal.setColor(QPalette::Window, toQColor(backColor_));
    pal.setColor(QPalette::Button, toQColor(backColor_));
    widget_->setPalette(pal);
}

void Control::setFont(const Font& f) {
    font_ = f;
    if (widget_) widget_->setFont(toQFont(f));
    refitCaption();
}

void Control::setToolTipText(const QString& t) {
    toolTip_ = t;
    if (widget_) widget_->setToolTip(t);
}

void Control::move(int l, int t, int w, int h) {
    left_ = l;
    top_ = t;
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    if (widget_)
        widget_->setGeometry(twipsToPixelsX(left_), twipsToPixelsY(top_), twipsToPixelsX(width_),
                             twipsToPixelsY(height_));
    refitCaption();
    form_.coverageChanged();
}

void Control::setTabStop(bool t) {
    tabStop_ = t;
    if (widget_ && canTakeFocus()) widget_->setFocusPolicy(t ? Qt::StrongFocus : Qt::ClickFocus);
    tabStopChanged();
}

void Control::zOrder(int position) {
    if (!widget_) return;
    if (position == 0) widget_->raise();
    else widget_->lower();
    form_.coverageChanged();
}

bool Control::isShowing() const {
    if (!visible_) return false;
    form_.updateCoverage();
    if (covered_) return false;
    // Walk the parent chain of containers through the widgets.
    const QWidget* w = widget_;
    if (!w) return false;
    const QWidget* top = form_.widget();
    for (const QWidget* p = w; p && p != top; p = p->parentWidget())
        if (p->isHidden()) return false;
    return true;
}

void Control::setFocus() {
    if (!isShowing() || !enabled_) return;
    for (const QWidget* p = widget_; p; p = p->parentWidget())
        if (!p->isEnabled()) return;
    form_.setFocusedControl(this);
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const {
    if (widget_ && widget_->hasFocus()) return true;
    return form_.activeControl() == this;
}

QString Control::accessibleName() const {
    if (widget_) return widget_->accessibleName();
    return accessibleName_;
}

void Control::setAccessibleName(const QString& n) {
    accessibleName_ = n;
    if (widget_) widget_->setAccessibleName(n);
}

void Control::setAccessibleCurrent(bool current) {
    if (current == accessibleCurrent_) return;
    accessibleCurrent_ = current;
    if (widget_ && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        changed.selected = true;
        QAccessibleStateChangeEvent ev(widget_, changed);
        QAccessible::updateAccessibility(&ev);
    }
}

void Control::setAccessibleLabel(Control& label) {
    // Assistive technology finds the label of a box as the label whose buddy the box is.
    if (auto* l = qobject_cast<QLabel*>(label.widget_.data()); l && widget_) l->setBuddy(widget_);
}

void Control::rightClick() {
    raiseMouseDown(Mouse::Right, 0, 0, 0);
    raiseMouseUp(Mouse::Right, 0, 0, 0);
}

void Control::handleKey(int, int, int) {}

}  // namespace platform
