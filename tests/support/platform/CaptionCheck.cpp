#include "tests/support/platform/CaptionCheck.h"

#include "platform/Controls.h"
#include "platform/RichTextBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace testsupport {

namespace {

QString asOneLine(QString s) {
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s.simplified();
}

ShownCaption buttonCaption(const QAbstractButton* b, QStyle::SubElement area) {
    ShownCaption shown;
    shown.hasCaption = !b->text().isEmpty();
    shown.text = asOneLine(platform::stripAccessKey(b->text()));
    QStyleOptionButton opt;
    opt.initFrom(b);
    if (auto* push = qobject_cast<const QPushButton*>(b); push && push->isFlat())
        opt.features |= QStyleOptionButton::Flat;
    const QRect room = b->style()->subElementRect(area, &opt, b);
    const QRect used = b->style()->itemTextRect(b->fontMetrics(), room, Qt::AlignCenter | Qt::TextShowMnemonic,
                                                true, b->text());
    shown.whole = room.contains(used);
    return shown;
}

// The caption the program gave the control, as a person should read it.
QString captionOf(const platform::Control& c) {
    QString caption;
    if (auto* b = dynamic_cast<const platform::CommandButton*>(&c)) caption = b->caption();
    else if (auto* o = dynamic_cast<const platform::SSOption*>(&c)) caption = o->caption();
    else if (auto* k = dynamic_cast<const platform::SSCheck*>(&c)) caption = k->caption();
    else if (auto* l = dynamic_cast<const platform::Label*>(&c)) caption = l->caption();
    else if (auto* f = dynamic_cast<const platform::SSFrame*>(&c)) caption = f->caption();
    else if (auto* p = dynamic_cast<const platform::SSPanel*>(&c)) caption = p->caption();
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return asOneLine(platform::stripAccessKey(caption));
}

}  // namespace

ShownCaption shownCaption(const platform::Control& control) {
    const QWidget* w = control.widget();
    if (!w) return {};
    if (auto* b = qobject_cast<const QPushButton*>(w)) return buttonCaption(b, QStyle::SE_PushButtonContents);
    if (auto* b = qobject_cast<const QRadioButton*>(w)) return buttonCaption(b, QStyle::SE_RadioButtonContents);
    if (auto* b = qobject_cast<const QCheckBox*>(w)) return buttonCaption(b, QStyle::SE_CheckBoxContents);
    ShownCaption shown;
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        shown.hasCaption = !l->text().trimmed().isEmpty();
        shown.text = asOneLine(l->text());
        const QRect room = l->contentsRect();
        if (l->wordWrap()) {
            const QRect used = l->fontMetrics().boundingRect(room, Qt::TextWordWrap | int(l->alignment()), l->text());
            shown.whole = room.contains(used) && l->heightForWidth(room.width()) <= room.height();
        } else {
            shown.whole = l->fontMetrics().size(0, l->text()).width() <= room.width() &&
                          l->fontMetrics().size(0, l->text()).height() <= room.height();
        }
        return shown;
    }
    if (auto* g = qobject_cast<const QGroupBox*>(w)) {
        shown.hasCaption = !g->title().isEmpty();
        shown.text = asOneLine(platform::stripAccessKey(g->title()));
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.textAlignment = g->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        opt.lineWidth = 1;
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        shown.whole = g->rect().contains(label);
        return shown;
    }
    if (auto* p = dynamic_cast<const platform::SSPanel*>(&control)) {
        const QString text = platform::stripAccessKey(p->caption());
        shown.hasCaption = !text.trimmed().isEmpty();
        shown.text = asOneLine(text);
        const QRect room = p->captionRect();
        const QRect used = QFontMetrics(p->captionFont(), w).boundingRect(room, Qt::TextWordWrap | Qt::AlignCenter, text);
        shown.whole = room.contains(used);
        return shown;
    }
    return {};
}

std::vector<QString> clippedCaptions(const platform::Form& form) {
    std::vector<QString> clipped;
    for (const platform::Control* c : form.controls()) {
        if (!c->isShowing() || c->width() <= 0 || c->height() <= 0) continue;
        const ShownCaption shown = shownCaption(*c);
        if (!shown.hasCaption || (shown.whole && shown.text == captionOf(*c))) continue;
        const QString name = c->index() >= 0 ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
        clipped.push_back(QStringLiteral("%1 '%2'").arg(name, shown.text));
    }
    return clipped;
}

std::vector<QString> unnamedControls(const platform::Form& form) {
    std::vector<QString> unnamed;
    for (const platform::Control* c : form.controls()) {
        if (!c->isShowing() || !c->widget()) continue;
        const bool used = c->canTakeFocus() || dynamic_cast<const platform::Image*>(c) != nullptr ||
                          dynamic_cast<const platform::RichTextBox*>(c) != nullptr;
        if (!used) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c->widget());
        if (a && !a->text(QAccessible::Name).trimmed().isEmpty()) continue;
        unnamed.push_back(c->index() >= 0 ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name());
    }
    return unnamed;
}

}  // namespace testsupport
