#include "tests/support/platform/AccessibilityCheck.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/RichTextBox.h"

#include <QAccessible>
#include <QSet>
#include <QWidget>

namespace testsupport {

namespace {

QString nameOf(const platform::Control& c) {
    return c.index() >= 0 ? QStringLiteral("%1(%2)").arg(c.name()).arg(c.index()) : c.name();
}

// Every object reached from `a` down, at most `budget` of them (a grid's cells are many).
void walk(QAccessibleInterface* a, QSet<const QObject*>& seen, int& budget) {
    if (!a || budget-- <= 0) return;
    if (a->object()) seen.insert(a->object());
    const int n = a->childCount();
    for (int i = 0; i < n && budget > 0; ++i) walk(a->child(i), seen, budget);
}

// The roles that fit a kind of control.
std::vector<QAccessible::Role> rolesOf(const platform::Control& c) {
    using R = QAccessible::Role;
    if (auto* l = dynamic_cast<const platform::Label*>(&c)) return {l->isLink() ? R::Link : R::StaticText};
    if (dynamic_cast<const platform::SSOption*>(&c)) return {R::RadioButton};
    if (dynamic_cast<const platform::SSCheck*>(&c)) return {R::CheckBox};
    if (dynamic_cast<const platform::CommandButton*>(&c)) return {R::Button};
    if (dynamic_cast<const platform::Image*>(&c)) return {R::Graphic};
    if (auto* p = dynamic_cast<const platform::SSPanel*>(&c)) return {p->accessibleLive() ? R::StatusBar : R::Pane};
    if (dynamic_cast<const platform::SSFrame*>(&c)) return {R::Grouping};
    if (dynamic_cast<const platform::TextBox*>(&c) || dynamic_cast<const platform::RichTextBox*>(&c))
        return {R::EditableText};
    if (dynamic_cast<const platform::ComboBox*>(&c)) return {R::ComboBox};
    if (dynamic_cast<const platform::Grid*>(&c)) return {R::Table};
    return {};
}

bool hasLabel(QAccessibleInterface* a) {
    for (const auto& [other, relation] : a->relations(QAccessible::Label))
        if (other && !other->text(QAccessible::Name).trimmed().isEmpty()) return true;
    return false;
}

}  // namespace

std::vector<QString> accessibilityFaults(const platform::Form& form) {
    std::vector<QString> faults;
    platform::doEvents();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.widget());
    if (!window) return {QStringLiteral("the window has no accessible object")};
    const QAccessible::Role expected = form.isModal() ? QAccessible::Dialog : QAccessible::Window;
    if (window->role() != expected)
        faults.push_back(QStringLiteral("the window's role is %1, not %2").arg(window->role()).arg(expected));
    if (window->text(QAccessible::Name).trimmed().isEmpty()) faults.push_back(QStringLiteral("the window has no name"));
    QSet<const QObject*> seen;
    int budget = 20000;
    walk(window, seen, budget);

    for (const platform::Control* c : form.controls()) {
        QWidget* w = c->widget();
        if (!w) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString who = nameOf(*c);
        if (!a) {
            faults.push_back(who + QStringLiteral(": no accessible object"));
            continue;
        }
        const QAccessible::State state = a->state();
        const bool showing = c->isShowing();
        if (state.invisible == showing)
            faults.push_back(who + (showing ? QStringLiteral(": seen by a person, not showing to the reader")
                                            : QStringLiteral(": out of sight, showing to the reader")));
        if (!showing) continue;
        if (!seen.contains(w)) faults.push_back(who + QStringLiteral(": not in the window's tree"));
        const std::vector<QAccessible::Role> roles = rolesOf(*c);
        if (!roles.empty() && std::find(roles.begin(), roles.end(), a->role()) == roles.end())
            faults.push_back(who + QStringLiteral(": role %1").arg(a->role()));
        const QString name = a->text(QAccessible::Name).trimmed();
        const bool used = c->canTakeFocus() || dynamic_cast<const platform::Image*>(c) ||
                          dynamic_cast<const platform::RichTextBox*>(c);
        if (used && name.isEmpty() && !hasLabel(a)) faults.push_back(who + QStringLiteral(": no name"));
        const QString description = a->text(QAccessible::Description).trimmed();
        if (!name.isEmpty() && description.simplified().compare(name.simplified(), Qt::CaseInsensitive) == 0)
            faults.push_back(who + QStringLiteral(": a description that says the name again"));
        if (auto* r = dynamic_cast<const platform::RichTextBox*>(c); r && r->locked() && !state.readOnly)
            faults.push_back(who + QStringLiteral(": locked text not read-only to the reader"));
        if (auto* o = dynamic_cast<const platform::SSOption*>(c); o && bool(state.checked) != o->value())
            faults.push_back(who + QStringLiteral(": checked state differs from the option's value"));
        if (auto* k = dynamic_cast<const platform::SSCheck*>(c); k && bool(state.checked) != (k->value() != 0))
            faults.push_back(who + QStringLiteral(": checked state differs from the box's value"));
        const auto* ss = dynamic_cast<const platform::SSCommand*>(c);
        if ((c->accessibleCurrent() || (ss && ss->bevelWidth() == 0)) && !(state.checked && state.selected))
            faults.push_back(who + QStringLiteral(": the current one, not told"));
    }
    return faults;
}

}  // namespace testsupport
