#include "platform/Controls.h"

#include "platform/CaptionFit.h"

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTimer>

namespace platform {

namespace {

// A panel that draws its own bevel and caption behind its children.
class PanelWidget : public QWidget {
public:
    explicit PanelWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }
    QString caption;
    int bevelOuter = 2;
    int bevelInner = 0;
    int alignment = 2;
    bool captionAtTop = false;
    QFont captionFont;  // the widget's font, or a smaller one that lets the caption show whole

    // Where the caption is drawn: inside the bevels, with a small margin.
    QRect captionRect() const {
        const int bevels = (bevelOuter != 0 ? 1 : 0) + (bevelInner != 0 ? 1 : 0);
        return rect().adjusted(bevels + 4, bevels + 2, -bevels - 4, -bevels - 2);
    }

protected:

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QRect r = rect();
        auto bevel = [&](int kind) {
            if (kind == 0) return;
            QColor light = palette().color(QPalette::Light);
            QColor dark = palette().color(QPalette::Dark);
            if (kind == 1) std::swap(light, dark);
            p.setPen(light);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(dark);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            r.adjust(1, 1, -1, -1);
        };
        bevel(bevelOuter);
        bevel(bevelInner);
        if (!caption.isEmpty()) {
            p.setPen(palette().color(QPalette::WindowText));
            p.setFont(captionFont);
            int flags = (captionAtTop ? Qt::AlignTop : Qt::AlignVCenter) | Qt::TextWordWrap;
            flags |= alignment == 0 ? Qt::AlignLeft : alignment == 1 ? Qt::AlignRight : Qt::AlignHCenter;
            p.drawText(captionRect(), flags, stripAccessKey(caption));
        }
    }
};

class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent) : QWidget(parent) {}
    QImage image;
    bool stretch = true;

protected:
    void paintEvent(QPaintEvent*) override {
        if (image.isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (stretch) p.drawImage(rect(), image);
        else p.drawImage(QPoint(0, 0), image);
    }
};

// An option or check box takes a click anywhere on the control, not only on its mark and
// caption.
template <class Button>
class WholeAreaButton : public Button {
public:
    explicit WholeAreaButton(QWidget* parent) : Button(parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// An option's button. Qt gives the Tab stop of an exclusive group to the button that takes
// the focus; the option then puts it where the group's values say.
class OptionButton : public WholeAreaButton<QRadioButton> {
public:
    using WholeAreaButton::WholeAreaButton;
    std::function<void()> onFocusIn;

protected:
    void focusInEvent(QFocusEvent* e) override {
        WholeAreaButton::focusInEvent(e);
        if (onFocusIn) onFocusIn();
    }
};

// Pixels kept free on either side of a push button's caption.
constexpr int ButtonCaptionMargin = 2;

// Fits a caption into the label area that the style gives a button of this kind.
void fitButtonCaption(QAbstractButton* b, QStyle::SubElement contents, const QString& caption,
                      const Font& font, int sideMargin) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    if (auto* push = qobject_cast<QPushButton*>(b); push && push->isFlat())
        opt.features |= QStyleOptionButton::Flat;
    const QRect area = b->style()->subElementRect(contents, &opt, b);
    int width = area.width() - 2 * sideMargin;
    if (!b->icon().isNull()) width -= b->iconSize().width() + 4;
    // The same caption in the same font and room fits as it did: a page switch sets the look
    // of many buttons to what they already have, and measuring the text again is slow.
    const QFont wanted = toQFont(font);
    const QString key = caption + QChar(0x1F) + wanted.key() + QChar(0x1F) + QString::number(width) + QLatin1Char('x') +
                        QString::number(area.height());
    QFont fitted;
    QString text;
    if (b->property("captionFitKey").toString() == key) {
        fitted = b->property("captionFitFont").value<QFont>();
        text = b->property("captionFitText").toString();
    } else {
        const CaptionFit fit = fitCaption(caption, wanted, QSizeF(width, area.height()), CaptionWrap::Lines, true, b);
        fitted = fit.font;
        text = fit.text;
        b->setProperty("captionFitKey", key);
        b->setProperty("captionFitFont", fitted);
        b->setProperty("captionFitText", text);
    }
    if (b->font() != fitted) b->setFont(fitted);
    if (b->text() != text) b->setText(text);
}

// A locked drop-down box offers nothing but its list: a left click anywhere on its text opens
// the list, as a drop-down list does.
class OpenListOnClick : public QObject {
public:
    OpenListOnClick(ComboBox& box, QComboBox* combo) : QObject(combo), box_(box), combo_(combo) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton || !box_.locked() || !box_.enabled())
            return false;
        // The press is handed to the box as if it were on the arrow, so that the box opens
        // its list the way it does for the arrow (and the release does not pick an item).
        QStyleOptionComboBox opt;
        opt.initFrom(combo_);
        opt.editable = combo_->isEditable();
        const QPointF arrow = combo_->style()
                                  ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, combo_)
                                  .center();
        QMouseEvent press(QEvent::MouseButtonPress, arrow, combo_->mapToGlobal(arrow), Qt::LeftButton,
                          Qt::LeftButton, static_cast<QMouseEvent*>(e)->modifiers());
        QCoreApplication::sendEvent(combo_, &press);
        return true;
    }

private:
    ComboBox& box_;
    QComboBox* combo_;
};

QString toCrLf(const QString& s) {
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

}  // namespace

// ---- CommandButton ---------------------------------------------------------------------------

CommandButton::CommandButton(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    auto* b = new QPushButton(parent.containerWidget());
    b->setAutoDefault(false);
    setWidget(b);
    QObject::connect(b, &QPushButton::clicked, b, [this] { click(); });
}

void CommandButton::setCaption(const QString& c) {
    caption_ = c;
    if (widget_) widget_->setAccessibleName(stripAccessKey(c));
    refitCaption();
}

void CommandButton::refitCaption() {
    if (auto* b = qobject_cast<QPushButton*>(widget_.data()))
        fitButtonCaption(b, QStyle::SE_PushButtonContents, caption_, font_, ButtonCaptionMargin);
}

void CommandButton::setValue(bool v) {
    if (!v) {
        value_ = false;
        return;
    }
    // Value reads true inside the Click handler and false again afterwards.
    value_ = true;
    raiseClick();
    value_ = false;
}

void CommandButton::click() {
    if (!enabled_ || !isShowing()) return;
    setValue(true);
}

void CommandButton::setDefault(bool d) {
    default_ = d;
    if (auto* b = qobject_cast<QPushButton*>(widget_.data())) b->setDefault(d);
}

void CommandButton::setForeColor(Color c) { Control::setForeColor(c); }

bool CommandButton::userPress() {
    click();
    return true;
}

bool CommandButton::widgetKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey != Qt::Key_Return && qtKey != Qt::Key_Enter) return false;
    if (modifiers & ~Qt::KeypadModifier) return false;
    click();
    return true;
}

// ---- SSCommand -------------------------------------------------------------------------------

SSCommand::SSCommand(Form& form, Container& parent, const QString& name, int index)
    : CommandButton(form, parent, name, index) {}

void SSCommand::setBevelWidth(int b) {
    const bool wasFlat = bevel_ == 0;
    bevel_ = b;
    if (wasFlat != (b == 0) && widget_ && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        changed.selected = true;
        QAccessibleStateChangeEvent ev(widget_, changed);
        QAccessible::updateAccessibility(&ev);
    }
    if (auto* btn = qobject_cast<QPushButton*>(widget_.data())) btn->setFlat(b == 0);
    refitCaption();
}

void SSCommand::setPicture(const QImage& img) {
    if (auto* btn = qobject_cast<QPushButton*>(widget_.data())) {
        btn->setIcon(QIcon(QPixmap::fromImage(img)));
        btn->setIconSize(img.size().boundedTo(QSize(48, 48)));
    }
    refitCaption();
}

void SSCommand::applyColors() {
    if (!widget_ || !colorsSet_) return;
    QPalette pal = widget_->palette();
    setEnabledTextColor(pal, QPalette::ButtonText, toQColor(foreColor_));
    pal.setColor(QPalette::Button, toQColor(backColor_));
    widget_->setPalette(pal);
}

// ---- SSPanel ---------------------------------------------------------------------------------

SSPanel::SSPanel(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    setWidget(new PanelWidget(parent.containerWidget()));
    // A panel has its own face colour; it does not show the window's background through.
    colorsSet_ = true;
    applyColors();
    width_ = 2400;
    height_ = 1200;
    move(left_, top_, width_, height_);
}

void SSPanel::setCaption(const QString& c) {
    caption_ = c;
    if (auto* p = dynamic_cast<PanelWidget*>(widget_.data())) {
        p->caption = c;
        p->setAccessibleName(stripAccessKey(c));
    }
    refitCaption();
}

QFont SSPanel::captionFont() const {
    auto* p = dynamic_cast<PanelWidget*>(widget_.data());
    return p ? p->captionFont : toQFont(font_);
}

QRect SSPanel::captionRect() const {
    auto* p = dynamic_cast<PanelWidget*>(widget_.data());
    return p ? p->captionRect() : QRect();
}

void SSPanel::refitCaption() {
    auto* p = dynamic_cast<PanelWidget*>(widget_.data());
    if (!p) return;
    p->captionFont = fitCaption(caption_, toQFont(font_), p->captionRect().size(), CaptionWrap::Free, true, p).font;
    p->update();
}

void SSPanel::setBevelOuter(int b) {
    bevelOuter_ = b;
    if (auto* p = dynamic_cast<PanelWidget*>(widget_.data())) p->bevelOuter = b;
    refitCaption();
}

void SSPanel::setBevelInner(int b) {
    bevelInner_ = b;
    if (auto* p = dynamic_cast<PanelWidget*>(widget_.data())) p->bevelInner = b;
    refitCaption();
}

void SSPanel::setAlignment(int a) {
    alignment_ = a;
    if (auto* p = dynamic_cast<PanelWidget*>(widget_.data())) { p->alignment = a; p->update(); }
}

void SSPanel::setCaptionAtTop(bool top) {
    captionAtTop_ = top;
    if (auto* p = dynamic_cast<PanelWidget*>(widget_.data())) { p->captionAtTop = top; p->update(); }
}

void SSPanel::applyColors() {
    if (!widget_ || !colorsSet_) return;
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Window, toQColor(backColor_));
    setEnabledTextColor(pal, QPalette::WindowText, toQColor(foreColor_));
    widget_->setPalette(pal);
}

// ---- SSFrame ---------------------------------------------------------------------------------

SSFrame::SSFrame(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    setWidget(new QGroupBox(parent.containerWidget()));
    // A frame paints its face over whatever lies behind it, as a panel does.
    widget_->setAutoFillBackground(true);
    width_ = 2400;
    height_ = 1200;
    move(left_, top_, width_, height_);
}

void SSFrame::setCaption(const QString& c) {
    caption_ = c;
    if (auto* g = qobject_cast<QGroupBox*>(widget_.data())) {
        // The title keeps its "&" marks: the group box shows "&&" as one "&" and underlines
        // the access key, as buttons do.
        g->setTitle(c);
        g->setAccessibleName(stripAccessKey(c));
    }
    refitCaption();
}

void SSFrame::refitCaption() {
    auto* g = qobject_cast<QGroupBox*>(widget_.data());
    if (!g) return;
    // The title stands on one line; the style puts margins (and a blank) around it, measured
    // here at the frame's own font.
    const QFont own = toQFont(font_);
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.fontMetrics = QFontMetrics(own, g);
    opt.text = g->title();
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    opt.lineWidth = 1;
    const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    const double text = QFontMetricsF(own, g).horizontalAdvance(stripAccessKey(caption_));
    const double margins = 2 * std::max(0, label.left()) + std::max(0.0, label.width() - text);
    const CaptionFit fit = fitCaption(caption_, own, QSizeF(g->width() - margins, g->height()),
                                      CaptionWrap::OneLine, true, g);
    if (g->font() != fit.font) g->setFont(fit.font);
}

// ---- SSOption --------------------------------------------------------------------------------

SSOption::SSOption(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    auto* r = new OptionButton(parent.containerWidget());
    // The options of one container exclude each other, so assistive technology announces
    // them as radio buttons and the arrow keys move within the group. The program's groups
    // may also have no option on (syncWidget).
    r->setAutoExclusive(true);
    r->onFocusIn = [this] { applyGroupTabStops(); };
    setWidget(r);
    QObject::connect(r, &QRadioButton::clicked, r, [this] { click(); });
}

void SSOption::applyGroupTabStops() {
    if (!widget_) return;
    std::vector<SSOption*> group;
    bool anyOn = false;
    for (Control* c : form_.controls()) {
        auto* o = dynamic_cast<SSOption*>(c);
        if (o && o->widget() && o->widget()->parentWidget() == widget_->parentWidget()) {
            group.push_back(o);
            anyOn |= o->value_;
        }
    }
    for (SSOption* o : group) {
        const bool tab = o->tabStop() && (o->value_ || !anyOn);
        o->widget()->setFocusPolicy(tab ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void SSOption::setCaption(const QString& c) {
    caption_ = c;
    if (widget_) widget_->setAccessibleName(stripAccessKey(c));
    refitCaption();
}

void SSOption::refitCaption() {
    if (auto* r = qobject_cast<QRadioButton*>(widget_.data()))
        fitButtonCaption(r, QStyle::SE_RadioButtonContents, caption_, font_, 0);
}

void SSOption::syncWidget() {
    if (auto* r = qobject_cast<QRadioButton*>(widget_.data())) {
        QSignalBlocker block(r);
        if (!value_ && r->isChecked()) {
            // An exclusive group keeps its checked button; lift that for the moment it goes off.
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        } else {
            r->setChecked(value_);
        }
    }
    applyGroupTabStops();
}

void SSOption::setValue(bool v) {
    if (v == value_) {
        syncWidget();
        return;
    }
    value_ = v;
    syncWidget();
    if (v) {
        // The other options of the same container go off.
        for (Control* c : form_.controls()) {
            auto* o = dynamic_cast<SSOption*>(c);
            if (o && o != this && o->widget() && widget_ && o->widget()->parentWidget() == widget_->parentWidget() &&
                o->value_) {
                o->value_ = false;
                o->syncWidget();
            }
        }
        raiseClick();
    }
}

bool SSOption::userPress() {
    click();
    return true;
}

void SSOption::click() {
    if (!enabled_) return;
    if (value_) {
        syncWidget();
        raiseClick();  // a click on the selected option still reports Click
        return;
    }
    setValue(true);
}

// ---- SSCheck ---------------------------------------------------------------------------------

SSCheck::SSCheck(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    auto* c = new WholeAreaButton<QCheckBox>(parent.containerWidget());
    setWidget(c);
    QObject::connect(c, &QCheckBox::clicked, c, [this] { click(); });
}

void SSCheck::setCaption(const QString& c) {
    caption_ = c;
    if (widget_) widget_->setAccessibleName(stripAccessKey(c));
    refitCaption();
}

void SSCheck::refitCaption() {
    if (auto* b = qobject_cast<QCheckBox*>(widget_.data()))
        fitButtonCaption(b, QStyle::SE_CheckBoxContents, caption_, font_, 0);
}

void SSCheck::setValue(int v) {
    v = v ? 1 : 0;
    if (auto* b = qobject_cast<QCheckBox*>(widget_.data())) {
        QSignalBlocker block(b);
        b->setChecked(v != 0);
    }
    if (v == value_) return;
    value_ = v;
    raiseClick();
}

bool SSCheck::userPress() {
    click();
    return true;
}

void SSCheck::click() {
    if (!enabled_) return;
    setValue(value_ ? 0 : 1);
}

// ---- Label -----------------------------------------------------------------------------------

Label::Label(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    auto* l = new QLabel(parent.containerWidget());
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    setWidget(l);
    backColor_ = SysButtonFace;
}

void Label::setCaption(const QString& c) {
    caption_ = c;
    if (auto* l = qobject_cast<QLabel*>(widget_.data())) {
        QString shown = stripAccessKey(c);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        l->setText(shown);
        l->setAccessibleName(shown);
    }
    refitCaption();
}

void Label::refitCaption() {
    auto* l = qobject_cast<QLabel*>(widget_.data());
    if (!l) return;
    const CaptionFit fit = fitCaption(l->text(), toQFont(font_), l->contentsRect().size(),
                                      wordWrap_ ? CaptionWrap::Free : CaptionWrap::OneLine, false, l);
    if (l->font() != fit.font) l->setFont(fit.font);
}

void Label::setAlignment(int a) {
    alignment_ = a;
    if (auto* l = qobject_cast<QLabel*>(widget_.data())) {
        Qt::Alignment al = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        l->setAlignment(al | Qt::AlignTop);
    }
}

void Label::setWordWrap(bool w) {
    wordWrap_ = w;
    if (auto* l = qobject_cast<QLabel*>(widget_.data())) l->setWordWrap(w);
    refitCaption();
}

void Label::setLink(bool link) {
    link_ = link;
    if (widget_) widget_->setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
}

bool Label::userPress() {
    if (!link_ || !enabled_ || !isShowing()) return false;
    raiseClick();
    return true;
}

bool Label::widgetKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (!link_ || (modifiers & ~Qt::KeypadModifier)) return false;
    if (qtKey != Qt::Key_Return && qtKey != Qt::Key_Enter && qtKey != Qt::Key_Space) return false;
    return userPress();
}

void Label::setTransparent(bool t) {
    transparent_ = t;
    if (widget_) widget_->setAutoFillBackground(!t);
}

void Label::applyColors() {
    if (!widget_ || !colorsSet_) return;
    QPalette pal = widget_->palette();
    setEnabledTextColor(pal, QPalette::WindowText, toQColor(foreColor_));
    pal.setColor(QPalette::Window, toQColor(backColor_));
    widget_->setPalette(pal);
    widget_->setAutoFillBackground(!transparent_);
}

// ---- Image -----------------------------------------------------------------------------------

Image::Image(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    setWidget(new ImageWidget(parent.containerWidget()));
}

void Image::setPicture(const QImage& img) {
    picture_ = img;
    if (auto* w = dynamic_cast<ImageWidget*>(widget_.data())) { w->image = img; w->update(); }
}

void Image::setStretch(bool s) {
    stretch_ = s;
    if (auto* w = dynamic_cast<ImageWidget*>(widget_.data())) { w->stretch = s; w->update(); }
}

// ---- TextBox ---------------------------------------------------------------------------------


TextBox::TextBox(Form& form, Container& parent, const QString& name, int index, bool multiLine)
    : Control(form, parent, name, index), multiLine_(multiLine) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    if (multiLine) {
        auto* e = new QPlainTextEdit(parent.containerWidget());
        setWidget(e);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] { if (!settingText_) raiseChange(); });
    } else {
        auto* e = new QLineEdit(parent.containerWidget());
        setWidget(e);
        QObject::connect(e, &QLineEdit::textChanged, e, [this] { if (!settingText_) raiseChange(); });
    }
}

QWidget* TextBox::mouseSurface() const {
    if (auto* pe = qobject_cast<QPlainTextEdit*>(widget_.data())) return pe->viewport();
    return widget_;
}

void TextBox::click() {
    if (!enabled_ || !isShowing()) return;
    setFocus();
    raiseClick();
}

void TextBox::doubleClick() {
    if (!enabled_ || !isShowing()) return;
    click();
    if (onDblClick) onDblClick();
}

QString TextBox::text() const {
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) return e->text();
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) return toCrLf(e->toPlainText());
    return {};
}

void TextBox::setText(const QString& t) {
    if (t == text()) return;
    settingText_ = true;
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->setText(t);
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        QString s = t;
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        e->setPlainText(s);
    }
    settingText_ = false;
    raiseChange();
}

void TextBox::setLocked(bool l) {
    locked_ = l;
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->setReadOnly(l);
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) e->setReadOnly(l);
}

void TextBox::setMaxLength(int n) {
    maxLength_ = n;
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->setMaxLength(n > 0 ? n : 32767);
}

int TextBox::selStart() const {
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data()))
        return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) return e->textCursor().selectionStart();
    return 0;
}

void TextBox::setSelStart(int s) {
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->setCursorPosition(s);
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        QTextCursor c = e->textCursor();
        c.setPosition(std::clamp(s, 0, int(e->toPlainText().size())));
        e->setTextCursor(c);
    }
}

int TextBox::selLength() const {
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) return int(e->selectedText().size());
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data()))
        return e->textCursor().selectionEnd() - e->textCursor().selectionStart();
    return 0;
}

void TextBox::setSelLength(int n) {
    int s = selStart();
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->setSelection(s, n);
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        QTextCursor c = e->textCursor();
        c.setPosition(s);
        c.setPosition(std::clamp(s + n, 0, int(e->toPlainText().size())), QTextCursor::KeepAnchor);
        e->setTextCursor(c);
    }
}

QString TextBox::selText() const {
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) return e->selectedText();
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) return e->textCursor().selectedText();
    return {};
}

void TextBox::type(const QString& s) {
    if (locked_ || !enabled_) return;
    QString cur = text();
    QString add = s;
    if (maxLength_ > 0 && cur.size() + add.size() > maxLength_) add = add.left(std::max<qsizetype>(0, maxLength_ - cur.size()));
    if (add.isEmpty()) return;
    if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->insert(add);
    if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) e->insertPlainText(add);
}

void TextBox::handleKey(int keyCode, int, int keyAscii) {
    if (keyAscii >= 32) type(QString(QChar(keyAscii)));
    else if (keyCode == Key::Back && !locked_) {
        if (auto* e = qobject_cast<QLineEdit*>(widget_.data())) e->backspace();
    }
}

// ---- ComboBox --------------------------------------------------------------------------------

namespace {

// Qt's combo box tells nobody that its list is about to open; this one does.
class DropDownComboBox : public QComboBox {
public:
    explicit DropDownComboBox(QWidget* parent) : QComboBox(parent) {}
    std::function<void()> aboutToDropDown;
    void showPopup() override {
        if (aboutToDropDown) aboutToDropDown();
        QComboBox::showPopup();
    }
};

}  // namespace

ComboBox::ComboBox(Form& form, Container& parent, const QString& name, int index, Style style)
    : Control(form, parent, name, index), style_(style) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    auto* c = new DropDownComboBox(parent.containerWidget());
    c->aboutToDropDown = [this] { if (onDropDown) onDropDown(); };
    c->setEditable(style != DropDownList);
    c->setInsertPolicy(QComboBox::NoInsert);
    setWidget(c);
    QObject::connect(c, &QComboBox::activated, c, [this](int i) {
        if (syncing_) return;
        pick(i);
    });
    if (c->lineEdit()) {
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [this](const QString& t) {
            text_ = t;
            raiseChange();
        });
        c->lineEdit()->installEventFilter(new OpenListOnClick(*this, c));
    }
}

void ComboBox::syncWidget() {
    auto* c = qobject_cast<QComboBox*>(widget_.data());
    if (!c) return;
    syncing_ = true;
    QSignalBlocker block(c);
    if (c->count() != items_.size()) {
        c->clear();
        c->addItems(items_);
    }
    c->setCurrentIndex(listIndex_);
    if (c->lineEdit()) c->lineEdit()->setText(text_);
    syncing_ = false;
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    if (style_ == DropDownList) text_.clear();
    if (auto* c = qobject_cast<QComboBox*>(widget_.data())) {
        syncing_ = true;
        QSignalBlocker block(c);
        c->clear();
        if (c->lineEdit()) c->lineEdit()->setText(text_);
        syncing_ = false;
    }
}

void ComboBox::addItem(const QString& item, int index) {
    if (index < 0 || index > items_.size()) index = int(items_.size());
    items_.insert(index, item);
    if (listIndex_ >= index) ++listIndex_;
    if (auto* c = qobject_cast<QComboBox*>(widget_.data())) {
        syncing_ = true;
        QSignalBlocker block(c);
        c->insertItem(index, item);
        c->setCurrentIndex(listIndex_);
        if (c->lineEdit()) c->lineEdit()->setText(text_);
        syncing_ = false;
    }
}

void ComboBox::removeItem(int index) {
    if (index < 0 || index >= items_.size()) return;
    items_.removeAt(index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    if (auto* c = qobject_cast<QComboBox*>(widget_.data())) {
        syncing_ = true;
        QSignalBlocker block(c);
        c->removeItem(index);
        c->setCurrentIndex(listIndex_);
        if (c->lineEdit()) c->lineEdit()->setText(text_);
        syncing_ = false;
    }
}

QString ComboBox::list(int i) const { return (i >= 0 && i < items_.size()) ? items_[i] : QString(); }

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= items_.size()) return;
    listIndex_ = i;
    if (i >= 0) text_ = items_[i];
    syncWidget();
}

QString ComboBox::text() const { return text_; }

void ComboBox::setText(const QString& t) {
    text_ = t;
    int found = int(items_.indexOf(t));
    listIndex_ = found;
    syncWidget();
    raiseChange();
}

void ComboBox::setLocked(bool l) {
    locked_ = l;
    if (auto* c = qobject_cast<QComboBox*>(widget_.data()))
        if (c->lineEdit()) c->lineEdit()->setReadOnly(l);
}

void ComboBox::pick(int i) {
    if (!enabled_ || i < 0 || i >= items_.size()) return;
    listIndex_ = i;
    text_ = items_[i];
    syncWidget();
    raiseClick();
}

bool ComboBox::pickText(const QString& item) {
    int i = int(items_.indexOf(item));
    if (i < 0) return false;
    pick(i);
    return true;
}

void ComboBox::showDropDown(bool open) {
    if (auto* c = qobject_cast<QComboBox*>(widget_.data())) {
        if (open) c->showPopup();
        else c->hidePopup();
    }
}

// ---- Menu ------------------------------------------------------------------------------------

Menu::Menu(Form& form, const QString& name, const QString& caption, int index)
    : form_(form), name_(name), caption_(caption), index_(index) {
    menu_ = new QMenu(caption, form.widget());
    menu_->setObjectName(name);
    QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] {
        QPointer<QMenu> alive = menu_;
        opening_ = true;
        closeOnShow_ = false;
        if (onClick) onClick();
        if (!alive) return;
        opening_ = false;
        if (closeOnShow_) {
            // The title was hidden while its menu opened (its Click showed a window in its
            // place): the menu closes as soon as it has shown, and the window stays on top.
            closeOnShow_ = false;
            QTimer::singleShot(0, menu_, [m = menu_] { m->hide(); });
        }
    });
    action_ = new QAction(form.widget());
    action_->setObjectName(name);
    sync();
    QObject::connect(action_, &QAction::triggered, action_, [this] { click(); });
}

Menu::~Menu() {
    if (parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    }
    for (Menu* c : children_) c->parent_ = nullptr;
    delete action_;
    delete menu_;
}

void Menu::setCaption(const QString& c) {
    caption_ = c;
    sync();
}

void Menu::setChecked(bool c) {
    checked_ = c;
    sync();
}

void Menu::setVisible(bool v) {
    visible_ = v;
    // A hidden title shows no open menu.
    if (!v && menu_) {
        if (opening_) closeOnShow_ = true;
        else if (menu_->isVisible()) menu_->hide();
    }
    sync();
}

void Menu::setEnabled(bool e) {
    enabled_ = e;
    sync();
}

void Menu::sync() {
    if (menu_) {
        menu_->setTitle(caption_);
        menu_->menuAction()->setVisible(visible_);
        menu_->menuAction()->setEnabled(enabled_);
    }
    if (action_) {
        // A separator shows as a line alone: the style would draw its caption "-" beside it.
        action_->setText(isSeparator() ? QString() : caption_);
        action_->setSeparator(isSeparator());
        action_->setCheckable(checked_);
        action_->setChecked(checked_);
        action_->setVisible(visible_);
        action_->setEnabled(enabled_);
    }
}

Menu& Menu::add(Menu& child) {
    child.parent_ = this;
    children_.push_back(&child);
    if (child.children_.empty()) menu_->addAction(child.action_);
    else menu_->addMenu(child.menu_);
    // An entry that gets its first child turns into a submenu where it stands.
    if (children_.size() == 1 && parent_) {
        QMenu* pm = parent_->menu_;
        pm->insertMenu(action_, menu_);
        pm->removeAction(action_);
    }
    return child;
}

Menu* Menu::find(const QString& name, int index) {
    for (Menu* c : children_) {
        if (c->name_ == name && (index < 0 || c->index_ == index)) return c;
        if (Menu* m = c->find(name, index)) return m;
    }
    return nullptr;
}

void Menu::click() {
    if (!enabled_ || !visible_) return;
    if (onClick) onClick();
}

QMenu* Menu::qmenu() { return menu_; }
QAction* Menu::qaction() { return children_.empty() ? action_ : menu_->menuAction(); }

}  // namespace platform
