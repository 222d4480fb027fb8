#include "tests/support/platform/RealInput.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QWindow>

namespace testsupport {

void mouseClickAt(platform::Control& c, QPoint at, Qt::MouseButton button) {
    platform::doEvents();
    QWidget* w = c.widget();
    if (!w) return;
    QWidget* top = w->window();
    QWindow* window = top->windowHandle();
    if (window && top->isVisible()) {
        const QPoint inWindow = w->mapTo(top, at);
        QTest::mousePress(window, button, {}, inWindow);
        QTest::mouseRelease(window, button, {}, inWindow);
    } else {
        QTest::mousePress(w, button, {}, at);
        QTest::mouseRelease(w, button, {}, at);
    }
    platform::doEvents();
}

HeldMouse mousePress(platform::Control& c, Qt::MouseButton button) {
    platform::doEvents();
    HeldMouse held;
    QWidget* w = c.widget();
    if (!w) return held;
    held.window = w->window();
    held.at = w->mapTo(held.window, w->rect().center());
    held.button = button;
    if (QWindow* window = held.window->windowHandle()) QTest::mousePress(window, button, {}, held.at);
    platform::doEvents();
    return held;
}

void mouseRelease(const HeldMouse& held) {
    if (!held.window) return;
    if (QWindow* window = held.window->windowHandle()) QTest::mouseRelease(window, held.button, {}, held.at);
    platform::doEvents();
}

void mouseClick(platform::Control& c, Qt::MouseButton button) {
    if (QWidget* w = c.widget()) mouseClickAt(c, w->rect().center(), button);
}

void clickInText(platform::RichTextBox& box, int pos) {
    QTextEdit* edit = box.editor();
    QTextCursor cursor(box.document());
    cursor.setPosition(platform::TextPositionMap(*box.document()).toDocument(pos));
    const QRect caret = edit->cursorRect(cursor);
    const QPoint inViewport(caret.center().x() + 1, caret.center().y());
    mouseClickAt(box, edit->viewport()->mapTo(edit, inViewport));
}

void pressKey(platform::Control& c, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* to = QApplication::focusWidget();
    if (!to || (c.widget() && to->window() != c.widget()->window())) to = c.widget();
    if (!to) return;
    QTest::keyClick(to, key, modifiers);
    platform::doEvents();
}

void pressAccessKey(platform::Form& form, QChar key) {
    platform::doEvents();
    QWidget* to = QApplication::focusWidget();
    if (!to || to->window() != form.widget()) to = form.widget();
    QTest::keyClick(to, key.toLower().toLatin1(), Qt::AltModifier);
    platform::doEvents();
}

bool accessibleAction(platform::Control& c, const QString& action) {
    QAccessibleInterface* a = c.widget() ? QAccessible::queryAccessibleInterface(c.widget()) : nullptr;
    if (!a || !a->actionInterface() || !a->actionInterface()->actionNames().contains(action)) return false;
    a->actionInterface()->doAction(action);
    platform::doEvents();
    return true;
}

}  // namespace testsupport
