// Keys and clicks as a keyboard and a mouse deliver them: Qt key events to the widget that has
// the focus, mouse presses and releases on the widget under the pointer. What the program then
// sees is what it sees from a person, handlers, Change events and the widgets' own typing
// included.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace testsupport {

// Each event its own moment, as a device stamps them (the program tells one key from the
// next by its time).
inline quint64 nextEventTime() {
    static quint64 t = 1000;
    return ++t;
}

// One key pressed and released on the focus widget; text is what it types.
inline void pressKey(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    press.setTimestamp(nextEventTime());
    QApplication::sendEvent(target, &press);
    QWidget* now = QApplication::focusWidget();
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    release.setTimestamp(nextEventTime());
    QApplication::sendEvent(now ? now : target, &release);
}

// Each character typed on its own key, as the keyboard sends it: a letter or digit of the
// ASCII set on its key, any other character as the text of a key Qt does not know (as a
// dead key or an input method gives it). A character outside the Basic Multilingual Plane
// comes as its two halves in one event.
inline void typeText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) ch += text.at(++i);
        const char16_t c = ch.at(0).unicode();
        int key = Qt::Key_unknown;
        if (c >= 'a' && c <= 'z') key = Qt::Key_A + (c - 'a');
        else if (c >= 'A' && c <= 'Z') key = Qt::Key_A + (c - 'A');
        else if ((c >= '0' && c <= '9') || c == ' ') key = c;
        pressKey(key, ch, c >= 'A' && c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

// A left click, pressed and released at a point of a widget (its centre by default). A widget
// that takes the focus by a click takes it as the button goes down, as Qt gives it for the
// mouse's own presses.
inline void clickAt(QWidget* w, QPointF at = QPointF(-1, -1)) {
    ASSERT_NE(w, nullptr);
    if (at.x() < 0) at = QPointF(w->rect().center());
    for (QWidget* f = w; f; f = f->isWindow() ? nullptr : f->parentWidget())
        if (f->focusPolicy() & Qt::ClickFocus) {
            f->setFocus(Qt::MouseFocusReason);
            break;
        }
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    press.setTimestamp(nextEventTime());
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    release.setTimestamp(nextEventTime());
    QApplication::sendEvent(w, &release);
}

}  // namespace testsupport
