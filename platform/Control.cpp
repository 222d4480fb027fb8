#include "platform/Control.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>

namespace platform {

namespace {

// Turns a widget's mouse and focus events into the control's events.
class EventBridge : public QObject {
public:
    EventBridge(Control& c, QObject* parent) : QObject(parent), control_(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            int button = me->button() == Qt::RightButton ? Mouse::Right
                         : me->button() == Qt::MiddleButton ? Mouse::Middle
                                                            : Mouse::Left;
            int shift = 0;
            if (me->modifiers() & Qt::ShiftModifier) shift |= ShiftState::Shift;
            if (me->modifiers() & Qt::ControlModifier) shift |= ShiftState::Ctrl;
            if (me->modifiers() & Qt::AltModifier) shift |= ShiftState::Alt;
            int x = pixelsToTwipsX(int(me->position().x()));
            int y = pixelsToTwipsY(int(me->position().y()));
            if (e->type() == QEvent::MouseButtonPress) control_.raiseMouseDown(button, shift, x, y);
            else control_.raiseMouseUp(button, shift, x, y);
            break;
        }
        case QEvent::FocusIn:
            control_.form().setFocusedControl(&control_);
            if (control_.onGotFocus) control_.onGotFocus();
            break;
        case QEvent::FocusOut:
            if (control_.onLostFocus) control_.onLostFocus();
            break;
        default:
            break;
        }
        return false;
    }

private:
    Control& control_;
};

}  // namespace

Control::Control(Form& form, Container& parent, const QString& name, int index)
    : form_(form), parent_(parent), name_(name), index_(index) {
    form_.registerControl(this);
}

Control::~Control() {
    form_.unregisterControl(this);
    if (widget_) delete widget_.data();
}

void Control::setWidget(QWidget* w) {
    widget_ = w;
    if (!w) return;
    QString objName = index_ >= 0 ? QStringLiteral("%1(%2)").arg(name_).arg(index_) : name_;
    w->setObjectName(objName);
    w->setFont(toQFont(font_));
    installEventBridge();
    move(left_, top_, width_, height_);
    w->show();
}

void Control::installEventBridge() {
    if (!widget_) return;
    widget_->installEventFilter(new EventBridge(*this, widget_));
}

void Control::setVisible(bool v) {
    visible_ = v;
    if (widget_) widget_->setVisible(v);
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

void Control::applyColors() {
    if (!widget_ || !colorsSet_) return;
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::WindowText, toQColor(foreColor_));
    pal.setColor(QPalette::ButtonText, toQColor(foreColor_));
    pal.setColor(QPalette::Text, toQColor(foreColor_));
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
}

void Control::setTabStop(bool t) {
    tabStop_ = t;
    if (widget_ && canTakeFocus()) widget_->setFocusPolicy(t ? Qt::StrongFocus : Qt::ClickFocus);
}

void Control::zOrder(int position) {
    if (!widget_) return;
    if (position == 0) widget_->raise();
    else widget_->lower();
}

bool Control::isShowing() const {
    if (!visible_) return false;
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

void Control::rightClick() {
    raiseMouseDown(Mouse::Right, 0, 0, 0);
    raiseMouseUp(Mouse::Right, 0, 0, 0);
}

void Control::handleKey(int, int, int) {}

}  // namespace platform
