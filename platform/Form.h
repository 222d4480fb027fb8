// The form runtime: windows with Load/Activate/Resize/Unload, default instances, modal and
// modeless Show, key preview, geometry in twips.
#pragma once

#include "platform/Types.h"

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class QWidget;
class QMenuBar;
class QVBoxLayout;

namespace platform {

class Control;
class Menu;
class FormWindow;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Something controls can be placed in: a form or a container control (panel, frame).
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* containerWidget() = 0;
};

// Key codes the program tests (the classic virtual-key numbers).
namespace Key {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
}  // namespace Key

// Shift-state bits of key and mouse events.
namespace ShiftState {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace ShiftState

class Form : public Container {
public:
    explicit Form(const QString& typeName);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // ---- handlers a window overrides -----------------------------------------------------
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    // Set cancel to a non-zero value to keep the form loaded.
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_GotFocus() {}
    // Runs before the focused control sees the key when keyPreview() is on; set keyCode or
    // keyAscii to 0 to swallow the key.
    virtual void Form_KeyDown(int& keyCode, int shift) { (void)keyCode; (void)shift; }
    virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }
    virtual void Form_MouseUp(int button, int shift, int x, int y) {
        (void)button; (void)shift; (void)x; (void)y;
    }

    // ---- life cycle ------------------------------------------------------------------------
    const QString& typeName() const { return typeName_; }
    // Runs Load once for this instance (Show does it too).
    void load();
    bool isLoaded() const { return loaded_; }
    bool isLoading() const { return loading_; }
    // Modeless: shows the form and makes it the active form. Modal: also waits until the form
    // hides or unloads.
    void show(bool modal = false);
    void hide();
    // Runs Form_Unload (which may cancel), then destroys the form; false when cancelled.
    bool unload();
    bool isVisible() const;
    bool isModal() const { return modal_; }
    bool isUnloaded() const { return unloaded_; }

    // ---- appearance and geometry (twips, outer size) --------------------------------------
    QString caption() const { return caption_; }
    void setCaption(const QString& text);
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void move(int left, int top, int width = -1, int height = -1);
    int scaleWidth() const;   // the client area, twips
    int scaleHeight() const;
    WindowState windowState() const { return state_; }
    void setWindowState(WindowState s);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    int helpContextId() const { return helpContextId_; }
    void setHelpContextId(int id) { helpContextId_ = id; }
    void refresh();
    // Fixed-size border (windows the user must not resize).
    void setFixedBorder(bool fixed);

    // The menu bar; window code adds its menus there.
    Menu& addMenu(Menu& menu);
    // The menu bar's titles, in the order they were added.
    const std::vector<Menu*>& menus() const { return menus_; }
    // Pops up a menu at the mouse position; returns when it closed.
    void popupMenu(Menu& menu);

    // The top-level widget and the area controls are placed in.
    QWidget* widget() const;
    QWidget* containerWidget() override;

    // The control that has the focus, if it is one of this form's.
    Control* activeControl() const;

    // Dispatches a key as the user typing it would (used by the real key events and tests):
    // KeyDown preview, then the control, then KeyPress, then F1 help, then the control's own
    // handling (typing), then the control's KeyUp as the key is released.
    void dispatchKey(int keyCode, int shift, int keyAscii);
    // The same for a key that Qt delivers; true when the key was swallowed.
    bool dispatchKeyEvent(int keyCode, int shift, int keyAscii, bool letControlHandle);
    // The release of a key: the focused control's KeyUp. dispatchKey ends with it.
    void dispatchKeyUp(int keyCode, int shift);
    // Moves the focus to the next (or previous) control of the window that can take it, also
    // past controls whose TabStop is off: Ctrl+Tab and Ctrl+Shift+Tab, which leave a box that
    // takes Tab itself. False when no other control can take the focus.
    bool moveFocus(bool forward);
    // Puts the controls in the order Tab visits them: as they stand on screen, row by row from
    // the top, left to right in a row, a container's controls right after it.
    void orderFocusByScreen();
    // The same, when a control was shown, hidden or moved since the order was last made.
    void refreshFocusOrder() {
        if (focusOrderDirty_) orderFocusByScreen();
    }
    // The control a test treats as focused when no real focus is available.
    void setFocusedControl(Control* c) { focusedControl_ = c; }

    // Tests replace popups with a recorder (nothing may block there).
    static std::function<void(Form&, Menu&)>& menuPopupHook();

    // A control was shown, hidden, moved or raised: which controls panels cover is worked out
    // again before the next input reaches the window (or at once by updateCoverage).
    void coverageChanged();
    void updateCoverage();

    // Registers a control of this form (done by Control's constructor).
    void registerControl(Control* c);
    void unregisterControl(Control* c);
    const std::vector<Control*>& controls() const { return controls_; }

    // Help file used by F1 (the program's help file; set once by the program).
    static void setHelpFile(const QString& file);
    static QString helpFile();

private:
    friend class FormWindow;
    friend class Runtime;
    void applyGeometry();
    void syncGeometryFromWidget();
    // Where the area inside the window goes on screen: its position and size, made smaller
    // only where a window manager's frame around it would not fit on the screen.
    QRect clientRectOnScreen() const;
    void userClose();
    void destroyNow();

    QString typeName_;
    QString caption_;
    std::unique_ptr<FormWindow> window_;
    QMenuBar* menuBar_ = nullptr;
    std::vector<Menu*> menus_;
    QWidget* client_ = nullptr;
    std::vector<Control*> controls_;
    Control* focusedControl_ = nullptr;
    bool loaded_ = false;
    bool loading_ = false;
    bool modal_ = false;
    bool unloaded_ = false;
    bool keyPreview_ = false;
    int helpContextId_ = 0;
    int left_ = 0, top_ = 0, width_ = 9600, height_ = 7200;
    WindowState state_ = WindowState::Normal;
    Color backColor_ = SysButtonFace;
    bool applyingGeometry_ = false;
    bool coverageDirty_ = false;
    bool focusOrderDirty_ = true;
    bool updatingCoverage_ = false;
};

// ---- the runtime: active form, modal windows, ending the program --------------------------
class Runtime {
public:
    static Runtime& instance();

    Form* activeForm() const { return active_; }
    // Processes pending events (DoEvents).
    void doEvents();
    // Ends the program: no further Unload handlers run, every window closes, the event loop
    // stops. Tests see ended() instead of the process exiting.
    void endProgram();
    bool ended() const { return ended_; }
    // Runs the program's event loop until the program ends (at once when it already has) and
    // returns the exit code. Only this loop is told to stop when the program ends: told
    // without it running, the application would refuse every later event loop, and each
    // dialog would return at once unanswered.
    int runMainLoop();

    // Tests install a hook that handles a form shown modally; it runs after the form's
    // Activate. When the form is still open after the hook, the runtime closes it. Without a
    // hook a nested event loop runs until the form hides or unloads.
    using ModalHook = std::function<void(Form&)>;
    void setModalHook(ModalHook hook) { modalHook_ = std::move(hook); }

    // Every form alive (loaded or not).
    const std::vector<Form*>& forms() const { return forms_; }
    // Destroys every form without its handlers and forgets the runtime's state, so that a
    // program can start afresh: at the end of the program, while the application still exists,
    // and between runs in one process.
    void destroyAllForms();
    ~Runtime();

    // The slot of a default instance, by window class.
    Form*& defaultSlot(std::type_index t);
    void clearSlotsOf(Form* f);

private:
    friend class Form;
    void activate(Form* f);
    void formHiddenOrUnloaded(Form* f);
    void formCreated(Form* f);
    void formDestroyed(Form* f);

    Form* active_ = nullptr;
    std::vector<Form*> forms_;
    std::vector<Form*> activationOrder_;  // most recent last
    std::vector<std::unique_ptr<Form>> graveyard_;
    std::vector<std::pair<std::type_index, Form*>> slots_;
    ModalHook modalHook_;
    bool ended_ = false;
    bool mainLoopRunning_ = false;
};

inline Runtime& runtime() { return Runtime::instance(); }

// The area inside a window asked for at `asked` (pixels), given the frame a window manager puts
// around it: moved and made smaller so that the frame stays on a screen of `screen` pixels,
// unchanged where it fits or where there is no frame.
QRect fitFrameOnScreen(QRect asked, const QMargins& frame, const QSize& screen);
inline void doEvents() { Runtime::instance().doEvents(); }
inline void endProgram() { Runtime::instance().endProgram(); }

// The default instance of a window class: created on first use, destroyed by its Unload
// (the next use builds it afresh).
template <class T>
T& defaultInstance() {
    Form*& slot = Runtime::instance().defaultSlot(std::type_index(typeid(T)));
    if (!slot) slot = new T();
    return *static_cast<T*>(slot);
}
// Whether the default instance exists now (without creating it).
template <class T>
T* existingInstance() {
    Form*& slot = Runtime::instance().defaultSlot(std::type_index(typeid(T)));
    return static_cast<T*>(slot);
}

}  // namespace platform
