// The basic control kinds: buttons, 3-D buttons, panels and frames, options and check boxes,
// labels, pictures, text boxes, combo boxes and menus.
#pragma once

#include "platform/Control.h"

#include <QImage>
#include <QStringList>
#include <vector>

class QMenu;
class QAction;

namespace platform {

// A plain push button. Setting Value true runs Click synchronously.
class CommandButton : public Control {
public:
    bool canTakeFocus() const override { return true; }
    CommandButton(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    bool value() const { return value_; }
    void setValue(bool v);
    // A user's click (runs Click when the button is enabled and showing).
    void click();
    bool isDefault() const { return default_; }
    void setDefault(bool d);
    bool isCancel() const { return cancel_; }
    void setCancel(bool c) { cancel_ = c; }
    void setForeColor(Color c) override;
    bool userPress() override;

protected:
    void refitCaption() override;
    // Enter presses the focused button, as Space does.
    bool widgetKey(int qtKey, Qt::KeyboardModifiers modifiers) override;
    QString caption_;
    bool value_ = false;
    bool default_ = false;
    bool cancel_ = false;
};

// The 3-D command button: like a button, with a readable bevel (0 flat, 2 raised) and a
// fore colour that shows.
class SSCommand : public CommandButton {
public:
    SSCommand(Form& form, Container& parent, const QString& name, int index = -1);
    int bevelWidth() const { return bevel_; }
    void setBevelWidth(int b);
    // A picture shown on the button (optional).
    void setPicture(const QImage& img);

private:
    void applyColors() override;
    int bevel_ = 2;
};

// A 3-D panel: a container with a caption drawn in it and a bevel.
class SSPanel : public Control {
public:
    SSPanel(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    int bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(int b);   // 0 none, 1 inset, 2 raised
    int bevelInner() const { return bevelInner_; }
    void setBevelInner(int b);
    int alignment() const { return alignment_; }  // caption: 0 left, 1 right, 2 centre...
    void setAlignment(int a);
    // The caption along the top edge instead of across the middle (a panel whose controls
    // fill it below a title).
    bool captionAtTop() const { return captionAtTop_; }
    void setCaptionAtTop(bool top);
    // The font the caption is drawn in: the control's own, or a smaller one where the caption
    // would not show whole in it.
    QFont captionFont() const;
    // The room the caption is drawn in (inside the bevels), in pixels.
    QRect captionRect() const;
    bool coversWhatIsBehind() const override { return true; }

protected:
    bool clicksOnRelease() const override { return true; }
    bool keepsMouse() const override { return true; }

private:
    void applyColors() override;
    void refitCaption() override;
    QString caption_;
    int bevelOuter_ = 2;
    int bevelInner_ = 0;
    int alignment_ = 2;
    bool captionAtTop_ = false;
};

// A 3-D frame: a container with a titled border.
class SSFrame : public Control {
public:
    SSFrame(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);

protected:
    bool clicksOnRelease() const override { return true; }
    bool keepsMouse() const override { return true; }

private:
    void refitCaption() override;
    QString caption_;
};

// An option button; options of one container form a group in which at most one is on, and
// none may be. Setting Value from code runs Click only when the value changes.
class SSOption : public Control {
public:
    bool canTakeFocus() const override { return true; }
    SSOption(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    bool value() const { return value_; }
    void setValue(bool v);
    void click();  // a user's click: turns it on and runs Click
    bool userPress() override;
    // Which options of the group Tab reaches: the one that is on, or every one while none
    // is (Qt would keep only the last one that was on or had the focus).
    void applyGroupTabStops();

protected:
    void tabStopChanged() override { applyGroupTabStops(); }

private:
    void syncWidget();
    void refitCaption() override;
    QString caption_;
    bool value_ = false;
};

// A check box; Value 0 unchecked, 1 checked. Setting it from code runs Click only when it
// changes.
class SSCheck : public Control {
public:
    bool canTakeFocus() const override { return true; }
    SSCheck(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    int value() const { return value_; }
    void setValue(int v);
    void click();  // a user's click: toggles and runs Click
    bool userPress() override;

private:
    void refitCaption() override;
    QString caption_;
    int value_ = 0;
};

class Label : public Control {
public:
    Label(Form& form, Container& parent, const QString& name, int index = -1);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    int alignment() const { return alignment_; }  // 0 left, 1 right, 2 centre
    void setAlignment(int a);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool w);
    bool transparent() const { return transparent_; }
    void setTransparent(bool t);
    // A label that opens an address: it takes the focus (Tab reaches it), Enter or Space
    // runs its Click, and assistive technology sees a link.
    bool isLink() const { return link_; }
    void setLink(bool link);
    bool canTakeFocus() const override { return link_; }
    bool userPress() override;

protected:
    bool clicksOnRelease() const override { return true; }
    bool keepsMouse() const override { return true; }
    bool widgetKey(int qtKey, Qt::KeyboardModifiers modifiers) override;

private:
    void applyColors() override;
    void refitCaption() override;
    QString caption_;
    int alignment_ = 0;
    bool wordWrap_ = true;
    bool transparent_ = false;
    bool link_ = false;
};

class Image : public Control {
public:
    Image(Form& form, Container& parent, const QString& name, int index = -1);
    void setPicture(const QImage& img);
    bool hasPicture() const { return !picture_.isNull(); }
    const QImage& picture() const { return picture_; }
    bool stretch() const { return stretch_; }
    void setStretch(bool s);

protected:
    bool clicksOnRelease() const override { return true; }
    bool keepsMouse() const override { return true; }

private:
    QImage picture_;
    bool stretch_ = true;
};

// A single- or multi-line text box. Text uses CR LF line breaks.
class TextBox : public Control {
public:
    bool canTakeFocus() const override { return true; }
    TextBox(Form& form, Container& parent, const QString& name, int index = -1, bool multiLine = false);
    QString text() const;
    void setText(const QString& t);   // runs Change when the text differs
    bool locked() const { return locked_; }
    void setLocked(bool l);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    int selStart() const;
    void setSelStart(int s);
    int selLength() const;
    void setSelLength(int n);
    QString selText() const;
    // A user's typing (respects Locked and MaxLength).
    void type(const QString& s);
    void handleKey(int keyCode, int shift, int keyAscii) override;
    // A user's click and double click in the box (the mouse's own raise the same events):
    // Click on the release; a double click raises Click, then DblClick.
    void click();
    void doubleClick();

protected:
    bool clicksOnRelease() const override { return true; }
    QWidget* mouseSurface() const override;

private:
    bool multiLine_;
    bool locked_ = false;
    int maxLength_ = 0;
    bool settingText_ = false;
};

// A drop-down combo box. Clear and AddItem never select or raise Click; Click comes from a
// user's pick only, also when the same item is picked again. Locked keeps the user from
// typing in the box.
class ComboBox : public Control {
public:
    bool canTakeFocus() const override { return true; }
    enum Style { DropDownCombo = 0, SimpleCombo = 1, DropDownList = 2 };
    ComboBox(Form& form, Container& parent, const QString& name, int index = -1, Style style = DropDownCombo);
    void clear();
    void addItem(const QString& item, int index = -1);
    void removeItem(int index);
    int listCount() const { return int(items_.size()); }
    QString list(int i) const;
    int listIndex() const { return listIndex_; }
    void setListIndex(int i);  // from code: selects and shows it, no Click
    QString text() const;
    void setText(const QString& t);
    bool locked() const { return locked_; }
    void setLocked(bool l);
    // A user's pick of item i: selects it and runs Click.
    void pick(int i);
    // A user's pick by the item's text; false when no such item.
    bool pickText(const QString& item);
    // Opens or closes the drop-down list. Opening raises DropDown first, as the user's
    // opening of the list does.
    void showDropDown(bool open);
    // The list is about to drop down.
    std::function<void()> onDropDown;

private:
    void syncWidget();
    Style style_;
    QStringList items_;
    int listIndex_ = -1;
    QString text_;
    bool locked_ = false;
    bool syncing_ = false;
};

// A menu title, entry or separator (caption "-"). A title's Click runs as it opens. Entries
// may be checked, hidden or disabled.
class Menu {
public:
    Menu(Form& form, const QString& name, const QString& caption, int index = -1);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const QString& name() const { return name_; }
    int index() const { return index_; }
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    bool checked() const { return checked_; }
    void setChecked(bool c);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool isSeparator() const { return caption_ == QLatin1String("-"); }

    // Adds a child entry (this becomes a submenu or title).
    Menu& add(Menu& child);
    const std::vector<Menu*>& children() const { return children_; }
    // A child by name (and index), or nullptr.
    Menu* find(const QString& name, int index = -1);

    // A user's choice of this entry (runs Click when enabled and visible).
    void click();
    std::function<void()> onClick;

    QMenu* qmenu();       // for titles and submenus
    QAction* qaction();   // the entry's action (titles: the submenu's action)

private:
    void sync();
    Form& form_;
    QString name_;
    QString caption_;
    int index_;
    bool checked_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    std::vector<Menu*> children_;
    Menu* parent_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* action_ = nullptr;
    bool opening_ = false;      // its Click runs as the menu opens
    bool closeOnShow_ = false;  // hidden meanwhile: the menu closes once it has shown
};

}  // namespace platform
