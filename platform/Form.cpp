#include "platform/Form.h"

#include "platform/Accessibility.h"
#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/FormWindow.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <map>

namespace platform {

namespace {

// Qt key to the classic virtual-key number; 0 for keys the program never tests.
int virtualKey(const QKeyEvent* e) {
    int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return Key::F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Return;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Backspace: return Key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Key::Tab;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Shift: return Key::Shift;
    case Qt::Key_Control: return Key::Control;
    default: return 0;
    }
}

int shiftOf(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= ShiftState::Shift;
    if (m & Qt::ControlModifier) s |= ShiftState::Ctrl;
    if (m & Qt::AltModifier) s |= ShiftState::Alt;
    return s;
}

int asciiOf(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    const QString t = e->text();
    if (t.size() == 1 && t[0].unicode() >= 32 && t[0].unicode() < 256) return t[0].unicode();
    if (t.size() == 1 && t[0].unicode() > 0 && t[0].unicode() < 32 && (e->modifiers() & Qt::ControlModifier))
        return t[0].unicode();
    return 0;
}

QString& helpFileName() {
    static QString f;
    return f;
}

// The key events already dispatched, so a key that Qt re-sends to parent widgets is handled
// once.
const QKeyEvent* lastKeyEvent = nullptr;
quint64 lastKeyStamp = 0;
const QKeyEvent* lastReleaseEvent = nullptr;
quint64 lastReleaseStamp = 0;

}  // namespace

// The window manager's frame (title bar and borders) as a shown window last had it; none
// where no window manager frames windows.
static QMargins& knownFrame() {
    static QMargins m;
    return m;
}

// The frame around a shown window. The offscreen platform has no window manager (the frame it
// reports is a stand-in), so windows there have none.
static QMargins frameOfShown(const FormWindow& w) {
    const bool maximised = w.form().windowState() == WindowState::Maximized;
    if (const std::optional<QMargins> f = screen().windowFrame(maximised)) return w.isVisible() ? *f : QMargins();
    static const bool framed = QGuiApplication::platformName() != QLatin1String("offscreen");
    if (!framed || !w.windowHandle()) return {};
    return w.windowHandle()->frameMargins();
}

QRect fitFrameOnScreen(QRect asked, const QMargins& frame, const QSize& screen) {
    if (frame.isNull()) return asked;
    if (asked.left() < frame.left()) asked.moveLeft(frame.left());
    if (asked.top() < frame.top()) asked.moveTop(frame.top());
    asked.setWidth(std::max(1, std::min(asked.width(), screen.width() - asked.left() - frame.right())));
    asked.setHeight(std::max(1, std::min(asked.height(), screen.height() - asked.top() - frame.bottom())));
    return asked;
}

// ---- FormWindow ------------------------------------------------------------------------------

FormWindow::FormWindow(Form& form) : QWidget(nullptr, Qt::Window), form_(form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    client_->installEventFilter(this);
    lay->addWidget(client_, 1);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The close box asks the form to unload; a cancelled Unload keeps the window.
    e->ignore();
    if (!form_.isUnloaded()) form_.userClose();
}

// The first window that a window manager frames tells how large its frame is: that window
// is placed again so that the frame fits on the screen, and it is laid out for the area left.
bool FormWindow::placedAgainForItsFrame() {
    const QMargins frame = frameOfShown(*this);
    if (frame == knownFrame()) return false;
    knownFrame() = frame;
    if (form_.state_ != WindowState::Normal) return false;
    const QSize before = client_->size();
    form_.applyGeometry();
    if (client_->size() != before && form_.isLoaded() && !form_.isUnloaded()) form_.Form_Resize();
    return true;
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (form_.applyingGeometry_ || !isVisible()) return;
    if (placedAgainForItsFrame()) return;
    form_.syncGeometryFromWidget();
    if (form_.isLoaded() && !form_.isUnloaded()) form_.Form_Resize();
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (form_.applyingGeometry_ || !isVisible()) return;
    if (placedAgainForItsFrame()) return;
    form_.syncGeometryFromWidget();
}

void FormWindow::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || form_.applyingGeometry_) return;
    WindowState s = isMaximized() ? WindowState::Maximized
                    : isMinimized() ? WindowState::Minimized
                                    : WindowState::Normal;
    if (s == form_.state_) return;
    // A person maximised or restored the window.
    form_.state_ = s;
    form_.syncGeometryFromWidget();
    if (form_.isLoaded() && !form_.isUnloaded()) form_.Form_Resize();
}

// A window manager frames a window after it is shown, and a window placed as the screen's
// size (the smaller display on a screen of that size) leaves no event that says so: its area
// is placed again once its window is first on the screen, when its frame is known.
void FormWindow::watchForFrame() {
    if (QWindow* handle = windowHandle(); handle && !watchingFrame_) {
        handle->installEventFilter(this);
        watchingFrame_ = true;
    }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == windowHandle() && e->type() == QEvent::Expose && isVisible() && !form_.applyingGeometry_ &&
        windowHandle()->isExposed())
        placedAgainForItsFrame();
    if (watched == client_ && e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        int button = me->button() == Qt::RightButton ? 2 : me->button() == Qt::MiddleButton ? 4 : 1;
        form_.Form_MouseUp(button, shiftOf(me->modifiers()), pixelsToTwipsX(int(me->position().x())),
                           pixelsToTwipsY(int(me->position().y())));
    }
    return QWidget::eventFilter(watched, e);
}

// ---- Form ------------------------------------------------------------------------------------

Form::Form(const QString& typeName) : typeName_(typeName) {
    window_ = std::make_unique<FormWindow>(*this);
    window_->setObjectName(typeName);
    client_ = window_->client();
    window_->setWindowTitle(QString());
    applyGeometry();
    setBackColor(backColor_);
    Runtime::instance().formCreated(this);
}

Form::~Form() {
    Runtime::instance().formDestroyed(this);
    // Controls are members of the window class and are destroyed after this body; they
    // unregister themselves from a form that no longer has a window.
    window_.reset();
}

void Form::load() {
    if (loaded_ || unloaded_) return;
    loaded_ = true;
    loading_ = true;
    Form_Load();
    loading_ = false;
}

void Form::show(bool modal) {
    Runtime& rt = Runtime::instance();
    if (unloaded_ || rt.ended()) return;
    if (loading_) {
        // Show from inside the form's own Load: make it visible; the activation follows when
        // the Show that is loading it goes on.
        window_->show();
        return;
    }
    load();
    if (unloaded_ || rt.ended()) return;
    if (modal) {
        Form* opener = rt.active_;
        modal_ = true;
        window_->setWindowModality(Qt::ApplicationModal);
        applyGeometry();
        // A maximised window is shown maximised at once, so that a window manager never sees
        // it restored first (which would read as the user restoring it).
        if (state_ == WindowState::Maximized) window_->showMaximizedAsTheScreenAllows();
        else window_->show();
        window_->watchForFrame();
        rt.activate(this);
        QPointer<FormWindow> w = window_.get();
        auto stillOpen = [&] { return !unloaded_ && !rt.ended() && window_ && window_->isVisible(); };
        if (stillOpen()) {
            if (rt.modalHook_) {
                rt.modalHook_(*this);
                if (stillOpen()) {
                    // The hook left the window open: close it without its handlers so the
                    // caller goes on; the hook reports the failure.
                    window_->hide();
                    rt.formHiddenOrUnloaded(this);
                }
            } else {
                QEventLoop loop;
                QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
                while (stillOpen()) loop.processEvents(QEventLoop::WaitForMoreEvents);
            }
        }
        modal_ = false;
        if (w) w->setWindowModality(Qt::NonModal);
        // The opener becomes active again after the modal window's Unload.
        if (opener && opener != this && !rt.ended() && std::find(rt.forms_.begin(), rt.forms_.end(), opener) != rt.forms_.end())
            rt.activate(opener);
        return;
    }
    bool wasVisible = window_->isVisible();
    if (!wasVisible) {
        applyGeometry();
        // A maximised window is shown maximised at once, so that a window manager never sees
        // it restored first (which would read as the user restoring it).
        if (state_ == WindowState::Maximized) window_->showMaximizedAsTheScreenAllows();
        else window_->show();
        window_->watchForFrame();
    }
    window_->raise();
    rt.activate(this);
}

void Form::hide() {
    if (!window_ || !window_->isVisible()) return;
    load();
    window_->hide();
    Runtime::instance().formHiddenOrUnloaded(this);
}

bool Form::unload() {
    Runtime& rt = Runtime::instance();
    if (unloaded_) return true;
    if (loaded_ && !rt.ended()) {
        int cancel = 0;
        Form_Unload(cancel);
        if (cancel != 0) return false;
    }
    if (unloaded_) return true;  // the Unload handler unloaded it already
    destroyNow();
    return true;
}

void Form::destroyNow() {
    Runtime& rt = Runtime::instance();
    unloaded_ = true;
    if (window_) window_->hide();
    rt.formHiddenOrUnloaded(this);
    rt.clearSlotsOf(this);
    // The object itself is kept until it is safe to destroy (its handler may still run).
    auto it = std::find(rt.forms_.begin(), rt.forms_.end(), this);
    if (it != rt.forms_.end()) {
        rt.forms_.erase(it);
        rt.graveyard_.emplace_back(this);
    }
}

void Form::userClose() {
    unload();
}

bool Form::isVisible() const { return window_ && !unloaded_ && window_->isVisible(); }

void Form::setCaption(const QString& text) {
    caption_ = text;
    if (window_) window_->setWindowTitle(text);
}

int Form::left() const { return left_; }
int Form::top() const { return top_; }
int Form::width() const {
    if (state_ == WindowState::Maximized) return screen().widthTwips();
    return width_;
}
int Form::height() const {
    if (state_ == WindowState::Maximized) return screen().heightTwips();
    return height_;
}

void Form::setLeft(int t) { move(t, top_, width_, height_); }
void Form::setTop(int t) { move(left_, t, width_, height_); }
void Form::setWidth(int t) { move(left_, top_, t, height_); }
void Form::setHeight(int t) { move(left_, top_, width_, t); }

void Form::move(int l, int t, int w, int h) {
    if (w < 0) w = width_;
    if (h < 0) h = height_;
    bool sizeChanged = (w != width_ || h != height_);
    left_ = l;
    top_ = t;
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    if (state_ == WindowState::Normal) applyGeometry();
    if (sizeChanged && loaded_ && !unloaded_ && state_ == WindowState::Normal) Form_Resize();
}

// Before the window is on screen its client area is worked out from its size: the size that
// the layer gives the window is the area inside the window manager's frame, which the menu bar
// shares with the client area.
int Form::scaleWidth() const {
    if (client_ && client_->width() > 0 && isVisible()) return pixelsToTwipsX(client_->width());
    if (state_ == WindowState::Normal && !knownFrame().isNull()) return pixelsToTwipsX(clientRectOnScreen().width());
    return std::max(0, width());
}

int Form::scaleHeight() const {
    if (client_ && client_->height() > 0 && isVisible()) return pixelsToTwipsY(client_->height());
    const int menu = (menuBar_ && !menuBar_->actions().isEmpty()) ? pixelsToTwipsY(menuBar_->sizeHint().height()) : 0;
    const int inside = state_ == WindowState::Normal && !knownFrame().isNull()
                           ? pixelsToTwipsY(clientRectOnScreen().height())
                           : height();
    return std::max(0, inside - menu);
}

void Form::setWindowState(WindowState s) {
    if (s == state_) return;
    state_ = s;
    if (window_) {
        if (s == WindowState::Maximized) applyGeometry();
        applyingGeometry_ = true;
        if (window_->isVisible()) {
            if (s == WindowState::Maximized) window_->showMaximizedAsTheScreenAllows();
            else if (s == WindowState::Minimized) window_->showMinimized();
            else window_->showNormal();
        }
        applyingGeometry_ = false;
        if (s == WindowState::Normal) applyGeometry();
    }
    if (loaded_ && !unloaded_) Form_Resize();
}

// A screen that stands in for a desktop with a window manager has none to maximise the
// window: it comes up as large as the screen, and is then made as large as the screen inside
// its frame, as a window manager makes it once the window is shown.
void FormWindow::showMaximizedAsTheScreenAllows() {
    const std::optional<QMargins> frame = platform::screen().windowFrame(true);
    if (!frame) {
        showMaximized();
        return;
    }
    show();
    // As a window manager does it: after the window is up, once the program yields.
    QMetaObject::invokeMethod(
        this,
        [this, inside = QRect(0, 0, twipsToPixelsX(platform::screen().widthTwips()),
                              twipsToPixelsY(platform::screen().heightTwips()))
                            .marginsRemoved(*frame)] {
            if (isVisible() && form_.state_ == WindowState::Maximized) setGeometry(inside);
        },
        Qt::QueuedConnection);
}

void Form::applyGeometry() {
    if (!window_) return;
    applyingGeometry_ = true;
    if (state_ == WindowState::Normal) window_->setGeometry(clientRectOnScreen());
    else if (state_ == WindowState::Maximized)
        // The whole screen, also where no window manager maximises windows.
        window_->setGeometry(0, 0, twipsToPixelsX(screen().widthTwips()), twipsToPixelsY(screen().heightTwips()));
    applyingGeometry_ = false;
}

QRect Form::clientRectOnScreen() const {
    const QRect asked(twipsToPixelsX(left_), twipsToPixelsY(top_), std::max(1, twipsToPixelsX(width_)),
                      std::max(1, twipsToPixelsY(height_)));
    const QMargins frame = window_ && window_->isVisible() ? frameOfShown(*window_) : knownFrame();
    return fitFrameOnScreen(asked, frame,
                            QSize(twipsToPixelsX(screen().widthTwips()), twipsToPixelsY(screen().heightTwips())));
}

void Form::syncGeometryFromWidget() {
    if (!window_ || state_ != WindowState::Normal) return;
    QRect g = window_->geometry();
    left_ = pixelsToTwipsX(g.x());
    top_ = pixelsToTwipsY(g.y());
    width_ = pixelsToTwipsX(g.width());
    height_ = pixelsToTwipsY(g.height());
}

void Form::setBackColor(Color c) {
    backColor_ = c;
    if (!client_) return;
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, toQColor(c));
    client_->setPalette(pal);
}

void Form::refresh() {
    if (window_) window_->repaint();
}

void Form::setFixedBorder(bool fixed) {
    if (!window_) return;
    Qt::WindowFlags f = window_->windowFlags();
    if (fixed) f &= ~Qt::WindowMaximizeButtonHint;
    else f |= Qt::WindowMaximizeButtonHint;
    window_->setWindowFlags(f);
}

Menu& Form::addMenu(Menu& menu) {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(window_.get());
        static_cast<QVBoxLayout*>(window_->layout())->insertWidget(0, menuBar_);
    }
    menuBar_->addMenu(menu.qmenu());
    menus_.push_back(&menu);
    return menu;
}

void Form::popupMenu(Menu& menu) {
    if (menuPopupHook()) {
        menuPopupHook()(*this, menu);
        return;
    }
    QMenu* m = menu.qmenu();
    if (m) {
        // A title's Click runs as it opens, as from the menu bar.
        m->exec(QCursor::pos());
    }
}

std::function<void(Form&, Menu&)>& Form::menuPopupHook() {
    static std::function<void(Form&, Menu&)> hook;
    return hook;
}

QWidget* Form::widget() const { return window_.get(); }
QWidget* Form::containerWidget() { return client_; }

Control* Form::activeControl() const {
    QWidget* f = QApplication::focusWidget();
    if (!f || !window_ || f->window() != window_.get()) {
        return focusedControl_;
    }
    // The control nearest to the focused widget: a box inside a panel is the box, not the panel.
    for (const QWidget* p = f; p && p != window_.get(); p = p->parentWidget())
        for (Control* c : controls_)
            if (c->widget() == p) return c;
    return focusedControl_;
}

void Form::dispatchKey(int keyCode, int shift, int keyAscii) {
    QPointer<FormWindow> alive = window_.get();
    (void)dispatchKeyEvent(keyCode, shift, keyAscii, true);
    if (alive && !unloaded_) dispatchKeyUp(keyCode, shift);
}

void Form::dispatchKeyUp(int keyCode, int shift) {
    Control* ctl = activeControl();
    int code = keyCode;
    if (ctl && ctl->onKeyUp) ctl->onKeyUp(code, shift);
}

bool Form::dispatchKeyEvent(int keyCode, int shift, int keyAscii, bool letControlHandle) {
    QPointer<FormWindow> alive = window_.get();
    Control* ctl = activeControl();
    int code = keyCode;
    const int originalCode = keyCode;
    if (code != 0) {
        if (keyPreview_) Form_KeyDown(code, shift);
        if (!alive || unloaded_) return true;
        if (code != 0 && ctl && ctl->onKeyDown) ctl->onKeyDown(code, shift);
        if (!alive || unloaded_) return true;
    }
    bool swallowed = (originalCode != 0 && code == 0);
    if (!swallowed && originalCode == Key::F1) {
        // Help at the control's context, else the form's, after KeyDown has run.
        int id = (ctl && ctl->helpContextId() != 0) ? ctl->helpContextId() : helpContextId_;
        help().showHelp(helpFile(), id);
        return true;
    }
    int ascii = keyAscii;
    if (!swallowed && ascii != 0) {
        if (keyPreview_) Form_KeyPress(ascii);
        if (!alive || unloaded_) return true;
        if (ascii != 0 && ctl && ctl->onKeyPress) ctl->onKeyPress(ascii);
        if (!alive || unloaded_) return true;
        if (ascii == 0) swallowed = true;
    }
    if (swallowed) return true;
    if (letControlHandle && ctl) ctl->handleKey(code, shift, ascii);
    return false;
}

void Form::coverageChanged() {
    focusOrderDirty_ = true;
    if (coverageDirty_ || updatingCoverage_ || !window_) return;
    coverageDirty_ = true;
    QMetaObject::invokeMethod(window_.get(), [this] { updateCoverage(); }, Qt::QueuedConnection);
}

void Form::updateCoverage() {
    if (!coverageDirty_ || updatingCoverage_ || !window_) return;
    updatingCoverage_ = true;
    coverageDirty_ = false;
    // The panels that may hide what lies behind them, by widget.
    std::vector<std::pair<const QWidget*, const Control*>> panels;
    for (Control* c : controls_)
        if (c->coversWhatIsBehind() && c->visible() && c->widget()) panels.emplace_back(c->widget(), c);
    auto isShownPanel = [&](const QObject* o) {
        for (auto& [w, c] : panels)
            if (w == o) return true;
        return false;
    };
    for (Control* c : controls_) {
        QWidget* w = c->widget();
        bool covered = false;
        // A control is covered when a panel standing above it, or above a container it lies
        // in, takes in the whole part of it that its containers let show.
        QRect target = w ? w->geometry() : QRect();
        for (QWidget* cur = w; w && !covered && cur && cur != client_ && cur->parentWidget(); cur = cur->parentWidget()) {
            QWidget* parent = cur->parentWidget();
            // The part of the control that its containers up to here let show, in the
            // coordinates of `parent`.
            target &= parent->rect();
            if (target.isEmpty()) break;
            const QObjectList& siblings = parent->children();
            for (qsizetype i = siblings.indexOf(cur) + 1; i < siblings.size(); ++i) {
                auto* s = qobject_cast<QWidget*>(siblings[i]);
                if (s && isShownPanel(s) && s->geometry().contains(target)) {
                    covered = true;
                    break;
                }
            }
            target.translate(parent->pos());
        }
        c->setCovered(covered);
    }
    updatingCoverage_ = false;
}

namespace {

using PlacedControl = std::pair<QRect, Control*>;

// Puts controls in the order a person reads them: bands across that no control reaches over,
// from the top; in a band, columns that no control reaches over, from the left; and so on
// into each. Controls that overlap so that neither cut can be made go in rows from the top
// (a control whose top lies in the upper half of the row's first one, and of itself, joins
// it), each row left to right.
void readingOrder(std::vector<PlacedControl>& items) {
    if (items.size() < 2) return;
    for (const bool rows : {true, false}) {
        auto start = [rows](const QRect& r) { return rows ? r.top() : r.left(); };
        auto end = [rows](const QRect& r) { return rows ? r.top() + r.height() : r.left() + r.width(); };
        std::vector<PlacedControl> sorted = items;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const PlacedControl& a, const PlacedControl& b) { return start(a.first) < start(b.first); });
        std::vector<std::vector<PlacedControl>> parts(1);
        int reach = end(sorted[0].first);
        parts.back().push_back(sorted[0]);
        for (size_t i = 1; i < sorted.size(); ++i) {
            if (start(sorted[i].first) >= reach) parts.emplace_back();
            parts.back().push_back(sorted[i]);
            reach = std::max(reach, end(sorted[i].first));
        }
        if (parts.size() < 2) continue;
        // Each part is smaller than the whole, so this ends.
        items.clear();
        for (auto& part : parts) {
            readingOrder(part);
            items.insert(items.end(), part.begin(), part.end());
        }
        return;
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const PlacedControl& a, const PlacedControl& b) { return a.first.top() < b.first.top(); });
    auto joins = [](const QRect& first, const QRect& r) {
        return r.top() < first.top() + std::max(1, std::min(first.height(), r.height()) / 2);
    };
    for (size_t i = 0; i < items.size();) {
        const QRect first = items[i].first;
        size_t j = i + 1;
        while (j < items.size() && joins(first, items[j].first)) ++j;
        std::stable_sort(items.begin() + long(i), items.begin() + long(j),
                         [](const PlacedControl& a, const PlacedControl& b) { return a.first.left() < b.first.left(); });
        i = j;
    }
}

}  // namespace

void Form::orderFocusByScreen() {
    if (!window_) return;
    focusOrderDirty_ = false;
    // Each control under the nearest control that contains it (none: the window's area).
    std::map<const QWidget*, Control*> byWidget;
    for (Control* c : controls_)
        if (c->widget()) byWidget[c->widget()] = c;
    std::map<Control*, std::vector<Control*>> children;
    for (Control* c : controls_) {
        if (!c->widget()) continue;
        Control* owner = nullptr;
        for (QWidget* p = c->widget()->parentWidget(); p && p != client_ && !owner; p = p->parentWidget()) {
            auto it = byWidget.find(p);
            if (it != byWidget.end()) owner = it->second;
        }
        children[owner].push_back(c);
    }
    std::vector<QWidget*> order;
    std::function<void(Control*)> visit = [&](Control* owner) {
        auto it = children.find(owner);
        if (it == children.end()) return;
        std::vector<Control*> kids = it->second;
        auto rect = [this](Control* c) { return QRect(c->widget()->mapTo(window_.get(), QPoint(0, 0)), c->widget()->size()); };
        // Only what stands on screen is ordered by its place: a hidden control (a panel of
        // another page, as tall as the window) would join every row. Hidden ones go last; the
        // order is made again when one shows.
        const auto shownEnd = std::stable_partition(kids.begin(), kids.end(),
                                                    [](Control* c) { return !c->widget()->isHidden(); });
        std::vector<PlacedControl> placed;
        for (auto k = kids.begin(); k != shownEnd; ++k) placed.emplace_back(rect(*k), *k);
        readingOrder(placed);
        for (size_t i = 0; i < placed.size(); ++i) kids[i] = placed[i].second;
        for (Control* c : kids) {
            if (c->canTakeFocus()) order.push_back(c->widget());
            visit(c);
        }
    };
    visit(nullptr);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

bool Form::moveFocus(bool forward) {
    if (!window_) return false;
    updateCoverage();
    refreshFocusOrder();
    QWidget* from = QApplication::focusWidget();
    if (!from || from->window() != window_.get()) from = window_.get();
    QWidget* w = from;
    // The focus chain is a ring; it is walked once at most.
    for (int steps = 0; steps < 100000; ++steps) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from) return false;
        if (w->window() != window_.get() || !w->isVisible() || !w->isEnabled()) continue;
        if (!(w->focusPolicy() & Qt::ClickFocus) || w->focusProxy()) continue;
        Control* owner = nullptr;
        for (Control* c : controls_)
            if (c->widget() == w) owner = c;
        if (!owner || !owner->canTakeFocus()) continue;
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void Form::registerControl(Control* c) { controls_.push_back(c); }

void Form::unregisterControl(Control* c) {
    auto it = std::find(controls_.begin(), controls_.end(), c);
    if (it != controls_.end()) controls_.erase(it);
    if (focusedControl_ == c) focusedControl_ = nullptr;
}

void Form::setHelpFile(const QString& file) { helpFileName() = file; }
QString Form::helpFile() { return helpFileName(); }

// ---- Runtime ---------------------------------------------------------------------------------

namespace {

// Routes every key typed in one of the program's windows through its form first.
class KeyRouter : public QObject {
public:
    explicit KeyRouter(QObject* parent) : QObject(parent) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease && e->type() != QEvent::ShortcutOverride)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        auto* fw = qobject_cast<FormWindow*>(w->window());
        if (!fw) return false;
        // Which controls panels cover is settled before a key can reach one of them (an
        // access key looks for a visible control).
        if (!fw->form().isUnloaded()) fw->form().updateCoverage();
        if (e->type() == QEvent::ShortcutOverride) return false;
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !fw->form().isUnloaded())
                fw->form().refreshFocusOrder();
        }
        auto* ke = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyRelease) {
            // One KeyUp per release, seen once although the event passes several filters.
            if (ke->isAutoRepeat() || (ke == lastReleaseEvent && ke->timestamp() == lastReleaseStamp)) return false;
            lastReleaseEvent = ke;
            lastReleaseStamp = ke->timestamp();
            if (!fw->form().isUnloaded()) fw->form().dispatchKeyUp(virtualKey(ke), shiftOf(ke->modifiers()));
            return false;
        }
        if (ke == lastKeyEvent && ke->timestamp() == lastKeyStamp) return false;
        lastKeyEvent = ke;
        lastKeyStamp = ke->timestamp();
        Form& form = fw->form();
        if (form.isUnloaded()) return false;
        return form.dispatchKeyEvent(virtualKey(ke), shiftOf(ke->modifiers()), asciiOf(ke), false);
    }
};

}  // namespace

Runtime& Runtime::instance() {
    static Runtime r;
    static bool routerInstalled = false;
    if (!routerInstalled && QCoreApplication::instance()) {
        routerInstalled = true;
        installAccessibility();
        QCoreApplication::instance()->installEventFilter(new KeyRouter(QCoreApplication::instance()));
    }
    return r;
}

void Runtime::doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void Runtime::endProgram() {
    if (ended_) return;
    ended_ = true;
    for (Form* f : forms_)
        if (f->window_) f->window_->hide();
    active_ = nullptr;
    if (mainLoopRunning_) QCoreApplication::exit(0);
}

int Runtime::runMainLoop() {
    if (ended_) return 0;
    mainLoopRunning_ = true;
    const int result = QCoreApplication::exec();
    mainLoopRunning_ = false;
    return result;
}

Runtime::~Runtime() {
    // Windows cannot be destroyed once the application is gone; the program destroys them
    // before it returns from main, so whatever is left here is only let go.
    for (auto& f : graveyard_) (void)f.release();
    forms_.clear();
}

void Runtime::destroyAllForms() {
    ended_ = false;
    knownFrame() = QMargins();
    active_ = nullptr;
    activationOrder_.clear();
    slots_.clear();
    std::vector<Form*> all = forms_;
    for (Form* f : all) {
        f->unloaded_ = true;
        if (f->window_) f->window_->hide();
        auto it = std::find(forms_.begin(), forms_.end(), f);
        if (it != forms_.end()) forms_.erase(it);
        graveyard_.emplace_back(f);
    }
    graveyard_.clear();
    forms_.clear();
    modalHook_ = nullptr;
}

Form*& Runtime::defaultSlot(std::type_index t) {
    for (auto& [type, form] : slots_)
        if (type == t) return form;
    slots_.emplace_back(t, nullptr);
    return slots_.back().second;
}

void Runtime::clearSlotsOf(Form* f) {
    for (auto& [type, form] : slots_)
        if (form == f) form = nullptr;
}

void Runtime::activate(Form* f) {
    if (!f || ended_ || f->unloaded_ || f->loading_) return;
    if (!f->window_ || !f->window_->isVisible()) return;
    if (active_ == f) return;
    active_ = f;
    activationOrder_.erase(std::remove(activationOrder_.begin(), activationOrder_.end(), f), activationOrder_.end());
    activationOrder_.push_back(f);
    f->window_->activateWindow();
    f->Form_Activate();
    if (active_ != f || f->unloaded_ || ended_) return;
    bool focusable = false;
    for (Control* c : f->controls_) focusable |= c->canTakeFocus() && c->isShowing() && c->enabled();
    if (!focusable) f->Form_GotFocus();
}

void Runtime::formHiddenOrUnloaded(Form* f) {
    activationOrder_.erase(std::remove(activationOrder_.begin(), activationOrder_.end(), f), activationOrder_.end());
    if (active_ != f) return;
    active_ = nullptr;
    if (f->modal_ || ended_) return;  // the modal Show reactivates its opener itself
    // Another visible window of the program becomes the active one.
    for (auto it = activationOrder_.rbegin(); it != activationOrder_.rend(); ++it) {
        Form* next = *it;
        if (next->window_ && next->window_->isVisible() && !next->unloaded_) {
            activate(next);
            return;
        }
    }
}

void Runtime::formCreated(Form* f) { forms_.push_back(f); }

void Runtime::formDestroyed(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    activationOrder_.erase(std::remove(activationOrder_.begin(), activationOrder_.end(), f), activationOrder_.end());
    clearSlotsOf(f);
    if (active_ == f) active_ = nullptr;
}

}  // namespace platform
