// The base of every control: common properties in twips and the program's colours, the
// events with their original arguments, and control arrays.
#pragma once

#include "platform/Form.h"
#include "platform/Types.h"

#include <QPalette>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

namespace platform {

// Mouse buttons as events report them.
namespace Mouse {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
}  // namespace Mouse

class Control : public Container {
public:
    // parent: the form or container control; form: the form that owns it (for focus and keys).
    Control(Form& form, Container& parent, const QString& name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    int index() const { return index_; }
    Form& form() const { return form_; }
    QWidget* widget() const { return widget_; }
    QWidget* containerWidget() override { return widget_; }

    // ---- common properties ----------------------------------------------------------------
    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool e);
    Color foreColor() const { return foreColor_; }
    virtual void setForeColor(Color c);
    Color backColor() const { return backColor_; }
    virtual void setBackColor(Color c);
    const Font& font() const { return font_; }
    virtual void setFont(const Font& f);
    QString toolTipText() const { return toolTip_; }
    void setToolTipText(const QString& t);
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int twips) { move(twips, top_, width_, height_); }
    void setTop(int twips) { move(left_, twips, width_, height_); }
    void setWidth(int twips) { move(left_, top_, twips, height_); }
    void setHeight(int twips) { move(left_, top_, width_, twips); }
    virtual void move(int left, int top, int width, int height);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool t);
    void zOrder(int position = 0);  // 0 front, 1 back
    // Ignored when the control (or its parent chain) is hidden or disabled.
    void setFocus();
    bool hasFocus() const;
    int helpContextId() const { return helpContextId_; }
    void setHelpContextId(int id) { helpContextId_ = id; }
    // What assistive technology announces.
    QString accessibleName() const;
    void setAccessibleName(const QString& n);
    // The current one of a set (the page, tab, topic or group shown): told to assistive
    // technology as a checked and selected state, not by colour alone.
    bool accessibleCurrent() const { return accessibleCurrent_; }
    void setAccessibleCurrent(bool current);
    // A control whose changes of caption are announced (a status line).
    bool accessibleLive() const { return accessibleLive_; }
    void setAccessibleLive(bool live) { accessibleLive_ = live; }
    // The control that names this one for assistive technology (a label beside a box).
    void setAccessibleLabel(Control& label);
    // Whether the control and every container above it are visible (what a person can see).
    bool isShowing() const;
    // Whether the control can hold the keyboard focus (buttons, boxes, lists, grids).
    virtual bool canTakeFocus() const { return false; }
    // Whether a panel shown over the control hides it from the user (it then takes no focus,
    // no access key and no click, and is not showing to assistive technology).
    bool isCovered() const { return covered_; }
    // Whether a panel of this kind hides what lies behind it.
    virtual bool coversWhatIsBehind() const { return false; }

    // ---- events (one handler each; window code assigns them) ------------------------------
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int button, int shift, int x, int y)> onMouseDown;
    std::function<void(int button, int shift, int x, int y)> onMouseUp;
    std::function<void(int button, int shift, int x, int y)> onMouseMove;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int& keyCode, int shift)> onKeyUp;

    // Raise events as the user's actions would (used by the widgets and by tests).
    void raiseClick() { if (onClick) onClick(); }
    void raiseDblClick() { if (onDblClick) onDblClick(); }
    void raiseChange() { if (onChange) onChange(); }
    void raiseMouseDown(int button, int shift, int x, int y) { if (onMouseDown) onMouseDown(button, shift, x, y); }
    void raiseMouseUp(int button, int shift, int x, int y) { if (onMouseUp) onMouseUp(button, shift, x, y); }
    // A right-button press and release on the control, as a person makes it.
    void rightClick();
    // The control's own reaction to a key that the form passed on (text boxes type it).
    virtual void handleKey(int keyCode, int shift, int keyAscii);
    // A person's press of the control by its access key or an assistive technology's action
    // (press, toggle): what a click does. False when the control has no such action.
    virtual bool userPress() { return false; }
    // Called by the form when panels shown over the control change.
    void setCovered(bool covered);

protected:
    // Subclasses create their widget and hand it over here (before any property is set).
    void setWidget(QWidget* w);
    virtual void applyColors();
    // The control's text colour where it is enabled; a disabled control keeps the style's
    // greyed text, so that it never looks usable.
    static void setEnabledTextColor(QPalette& pal, QPalette::ColorRole role, const QColor& color);
    // Fits the caption to the control's size and font (captions never run past the control);
    // run after every change of caption, font or size.
    virtual void refitCaption() {}
    void installEventBridge();
    // A control whose widget has no click of its own (a label, a picture, a panel, a text
    // box): a left press and release on it raise Click, a double click DblClick.
    virtual bool clicksOnRelease() const { return false; }
    // Whether the widget does nothing with the mouse itself, so that a press on it is the
    // control's alone and never reaches the container behind it.
    virtual bool keepsMouse() const { return false; }
    // The widget that receives the mouse: the widget itself, or the inner viewport of a box
    // that scrolls.
    virtual QWidget* mouseSurface() const { return widget_; }
    // A key that reaches the control's own widget, after the form has seen it; true when the
    // control used it.
    virtual bool widgetKey(int qtKey, Qt::KeyboardModifiers modifiers) {
        (void)qtKey;
        (void)modifiers;
        return false;
    }
    // Shows or hides the widget: shown when the control is visible and nothing covers it.
    void applyVisibility();
    // Run after TabStop was set (the widget's focus policy follows it).
    virtual void tabStopChanged() {}
    friend class EventBridge;

    Form& form_;
    Container& parent_;
    QString name_;
    int index_;
    QPointer<QWidget> widget_;
    bool visible_ = true;
    bool enabled_ = true;
    Color foreColor_ = SysButtonText;
    Color backColor_ = SysButtonFace;
    Font font_;
    QString toolTip_;
    QString accessibleName_;
    int left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    bool tabStop_ = true;
    int helpContextId_ = 0;
    bool colorsSet_ = false;
    bool covered_ = false;
    bool accessibleCurrent_ = false;
    bool accessibleLive_ = false;
};

// An indexed set of controls of one kind sharing one handler; indexes may have gaps.
template <class T>
class ControlArray {
public:
    explicit ControlArray(QString name = {}) : name_(std::move(name)) {}
    T& operator[](int i) { return *items_.at(i); }
    const T& operator[](int i) const { return *items_.at(i); }
    bool exists(int i) const { return items_.count(i) != 0; }
    int count() const { return int(items_.size()); }
    const QString& name() const { return name_; }

    // Adds element i; args go to T's constructor after (form, parent, name, i).
    template <class... Args>
    T& add(Form& form, Container& parent, int i, Args&&... args) {
        auto p = std::make_unique<T>(form, parent, name_, i, std::forward<Args>(args)...);
        T& ref = *p;
        items_[i] = std::move(p);
        wire(ref);
        return ref;
    }

    // The array's handlers, each with the element index first.
    void setOnClick(std::function<void(int)> h) { onClick_ = std::move(h); rewire(); }
    void setOnMouseUp(std::function<void(int, int, int, int, int)> h) { onMouseUp_ = std::move(h); rewire(); }
    void setOnMouseDown(std::function<void(int, int, int, int, int)> h) { onMouseDown_ = std::move(h); rewire(); }
    void setOnGotFocus(std::function<void(int)> h) { onGotFocus_ = std::move(h); rewire(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    void wire(T& c) {
        int i = c.index();
        if (onClick_) c.onClick = [this, i] { onClick_(i); };
        if (onMouseUp_) c.onMouseUp = [this, i](int b, int s, int x, int y) { onMouseUp_(i, b, s, x, y); };
        if (onMouseDown_) c.onMouseDown = [this, i](int b, int s, int x, int y) { onMouseDown_(i, b, s, x, y); };
        if (onGotFocus_) c.onGotFocus = [this, i] { onGotFocus_(i); };
    }
    void rewire() { for (auto& [i, c] : items_) wire(*c); }

    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
    std::function<void(int)> onClick_;
    std::function<void(int, int, int, int, int)> onMouseUp_;
    std::function<void(int, int, int, int, int)> onMouseDown_;
    std::function<void(int)> onGotFocus_;
};

}  // namespace platform
