// What assistive technology sees of the windows and controls: the roles, names, states and
// actions of the control kinds whose Qt widget says too little or acts too late, and of the
// windows themselves.
#include "platform/Accessibility.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/FormWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace platform {

namespace {

const char* const ControlProperty = "platformControl";

// A window of the program: a frame, or a dialog while it is shown modally.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(FormWindow* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QAccessible::Role role() const override {
        auto* w = static_cast<FormWindow*>(widget());
        return w->form().isModal() ? QAccessible::Dialog : QAccessible::Window;
    }
};

// A control of ours: its role, its name and state as the control knows them, and its press
// or toggle run at once as the user's click does.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    Control* control() const { return controlOf(widget()); }

    QAccessible::Role role() const override {
        if (auto* l = dynamic_cast<Label*>(control()); l && l->isLink()) return QAccessible::Link;
        return QAccessibleWidget::role();
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            // A description that says the name again is read twice; it is left out.
            const QString d = QAccessibleWidget::text(t);
            const bool same = d.simplified().compare(text(QAccessible::Name).simplified(), Qt::CaseInsensitive) == 0;
            return same ? QString() : d;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        Control* c = control();
        if (auto* o = dynamic_cast<SSOption*>(c)) {
            s.checkable = true;
            s.checked = o->value();
        } else if (auto* k = dynamic_cast<SSCheck*>(c)) {
            s.checkable = true;
            s.checked = k->value() != 0;
        } else if (auto* b = dynamic_cast<CommandButton*>(c)) {
            s.pressed = b->value();
            s.defaultButton = b->isDefault();
        } else if (auto* l = dynamic_cast<Label*>(c); l && l->isLink()) {
            s.linked = true;
        }
        // A 3-D button drawn flat stands pressed in: the chosen one of its set (the page,
        // topic, group or worksheet shown), which a screen reader tells as selected.
        if (auto* b = dynamic_cast<SSCommand*>(c); b && b->bevelWidth() == 0) {
            s.checkable = true;
            s.checked = true;
            s.selected = true;
        }
        if (c && c->accessibleCurrent()) {
            s.checkable = true;
            s.checked = true;
            s.selected = true;
        }
        return s;
    }

    QStringList actionNames() const override {
        QStringList names;
        Control* c = control();
        if (c && c->enabled() && c->isShowing()) {
            if (dynamic_cast<SSOption*>(c) || dynamic_cast<SSCheck*>(c)) names << toggleAction();
            else if (dynamic_cast<CommandButton*>(c)) names << pressAction();
            else if (auto* l = dynamic_cast<Label*>(c); l && l->isLink()) names << pressAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        Control* c = control();
        if (c && (name == pressAction() || name == toggleAction())) {
            if (actionNames().contains(name)) c->userPress();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    if (auto* fw = qobject_cast<FormWindow*>(w)) return new WindowAccessible(fw);
    Control* c = controlOf(w);
    if (!c || c->widget() != w) return nullptr;
    if (dynamic_cast<SSOption*>(c)) return new ControlAccessible(w, QAccessible::RadioButton);
    if (dynamic_cast<SSCheck*>(c)) return new ControlAccessible(w, QAccessible::CheckBox);
    if (dynamic_cast<CommandButton*>(c)) return new ControlAccessible(w, QAccessible::Button);
    if (dynamic_cast<Label*>(c)) return new ControlAccessible(w, QAccessible::StaticText);
    if (dynamic_cast<Image*>(c)) return new ControlAccessible(w, QAccessible::Graphic);
    if (dynamic_cast<SSPanel*>(c))
        return new ControlAccessible(w, c->accessibleLive() ? QAccessible::StatusBar : QAccessible::Pane);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

void linkControl(QWidget* w, Control* c) {
    if (w) w->setProperty(ControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(c)));
}

Control* controlOf(const QObject* o) {
    if (!o) return nullptr;
    const QVariant v = o->property(ControlProperty);
    return v.isValid() ? reinterpret_cast<Control*>(v.value<quintptr>()) : nullptr;
}

}  // namespace platform
