#include "platform/Dialogs.h"

#include "platform/Form.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

namespace platform {

namespace {

QWidget* dialogParent() {
    Form* f = runtime().activeForm();
    return f ? f->widget() : nullptr;
}

QString promptText(const QString& prompt) {
    QString t = prompt;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// Keeps Esc and the close box from answering a message box.
class NoEscape : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close && e->spontaneous()) {
            e->ignore();
            return true;
        }
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (ke->key() == Qt::Key_Escape || (ke->key() == Qt::Key_Period && (ke->modifiers() & Qt::ControlModifier))) {
                e->accept();
                return e->type() == QEvent::KeyPress;
            }
        }
        return false;
    }
};

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<BoxButton> buttonsOf(int flags) {
    switch (flags & 0x7) {
    case Msg::OKCancel: return {{QMessageBox::Ok, Answer::OK}, {QMessageBox::Cancel, Answer::Cancel}};
    case Msg::AbortRetryIgnore:
        return {{QMessageBox::Abort, Answer::Abort}, {QMessageBox::Retry, Answer::Retry}, {QMessageBox::Ignore, Answer::Ignore}};
    case Msg::YesNoCancel:
        return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
    case Msg::YesNo: return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
    case Msg::RetryCancel: return {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}};
    default: return {{QMessageBox::Ok, Answer::OK}};
    }
}

int defaultButtonOf(int flags) { return (flags & Msg::DefaultButton3) ? 2 : (flags & Msg::DefaultButton2) ? 1 : 0; }

// The room a line of the prompt may take: the screen less the icon and the box's margins.
constexpr int MessageBoxChrome = 160;

class QtDialogs : public Dialogs {
public:
    int msgBox(const QString& prompt, int flags, const QString& title) override {
        std::unique_ptr<QMessageBox> box = makeMessageBox(prompt, flags, title);
        const std::vector<BoxButton> buttons = buttonsOf(flags);
        const int def = defaultButtonOf(flags);
        bool hasCancel = false;
        for (auto& b : buttons) hasCancel |= b.answer == Answer::Cancel;
        // A box without Cancel (Yes/No, Abort/Retry/Ignore) has no escape: Esc and the close
        // box leave it open (Qt would take its No or Ignore for one).
        NoEscape noEscape;
        if (!hasCancel && buttons.size() > 1) box->installEventFilter(&noEscape);
        int r = 0;
        // A Yes/No box closes only through one of its buttons. A box that returns unanswered
        // time after time had no event loop to run in (the program is ending): its default
        // button answers, so that the question always ends.
        for (int tries = 1; r == 0; ++tries) {
            box->exec();
            r = answerOf(*box);
            if (r == 0 && hasCancel) r = Answer::Cancel;
            if (r == 0 && buttons.size() == 1) r = buttons[0].answer;
            if (r == 0 && tries >= 3) r = buttons[std::size_t(def < int(buttons.size()) ? def : 0)].answer;
        }
        return r;
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& def) override {
        bool ok = false;
        QString t = QInputDialog::getText(dialogParent(), title.isEmpty() ? QCoreApplication::applicationName() : title,
                                          promptText(prompt), QLineEdit::Normal, def, &ok);
        return ok ? t : QString();
    }

    std::optional<Color> colorDialog(Color initial) override {
        QColor c = QColorDialog::getColor(toQColor(initial), dialogParent());
        if (!c.isValid()) return std::nullopt;
        return fromQColor(c);
    }

    bool fontDialog(FontChoice& choice) override {
        QDialog d(dialogParent());
        d.setWindowTitle(QStringLiteral("Font"));
        auto* form = new QFormLayout;
        // The dialog opens on the face and size the text has, by its own name and size: a face
        // this system does not have would otherwise show as the face that stands in for it,
        // and OK would write that face over the text's own.
        const Font given = choice.font;
        auto* family = new QFontComboBox;
        family->setCurrentFont(toQFont(given));
        family->setEditText(given.name);
        family->setAccessibleName(QStringLiteral("Font"));
        if (family->lineEdit()) family->lineEdit()->setAccessibleName(QStringLiteral("Font"));
        auto* size = new QDoubleSpinBox;
        size->setRange(4, 96);
        size->setDecimals(2);
        size->setAccessibleName(QStringLiteral("Size"));
        size->setValue(given.size);
        const double shownSize = size->value();
        auto* bold = new QCheckBox(QStringLiteral("Bold"));
        bold->setChecked(choice.font.bold);
        auto* italic = new QCheckBox(QStringLiteral("Italic"));
        italic->setChecked(choice.font.italic);
        auto* underline = new QCheckBox(QStringLiteral("Underline"));
        underline->setChecked(choice.font.underline);
        auto* strike = new QCheckBox(QStringLiteral("Strikeout"));
        strike->setChecked(choice.font.strikethrough);
        Color color = choice.color;
        auto* colorButton = new QPushButton(QStringLiteral("Colour..."));
        auto paintButton = [&] {
            colorButton->setStyleSheet(QStringLiteral("background:%1").arg(toQColor(color).name()));
        };
        paintButton();
        QObject::connect(colorButton, &QPushButton::clicked, &d, [&] {
            QColor c = QColorDialog::getColor(toQColor(color), &d);
            if (c.isValid()) { color = fromQColor(c); paintButton(); }
        });
        form->addRow(QStringLiteral("Font:"), family);
        form->addRow(QStringLiteral("Size:"), size);
        form->addRow(bold);
        form->addRow(italic);
        form->addRow(underline);
        form->addRow(strike);
        form->addRow(QStringLiteral("Colour:"), colorButton);
        auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QObject::connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        QObject::connect(box, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        auto* lay = new QVBoxLayout(&d);
        lay->addLayout(form);
        lay->addWidget(box);
        if (d.exec() != QDialog::Accepted) return false;
        // What the user left as it was keeps the text's own name and size.
        const QString name = family->currentText().trimmed();
        choice.font.name = name.isEmpty() || name == given.name ? given.name : name;
        choice.font.size = size->value() == shownSize ? given.size : size->value();
        choice.font.bold = bold->isChecked();
        choice.font.italic = italic->isChecked();
        choice.font.underline = underline->isChecked();
        choice.font.strikethrough = strike->isChecked();
        choice.color = color;
        return true;
    }

    bool pageSetupDialog(PageSetup& setup) override {
        QDialog d(dialogParent());
        d.setWindowTitle(QStringLiteral("Page Setup"));
        auto* form = new QFormLayout;
        auto* paper = new QComboBox;
        struct Paper { QString name; int w, h; };
        std::vector<Paper> papers = {{QStringLiteral("Letter"), 12240, 15840},
                                     {QStringLiteral("Legal"), 12240, 20160},
                                     {QStringLiteral("A4"), 11906, 16838}};
        // A paper the print dialog chose that is not in the list is offered as it is, so
        // that confirming the set-up keeps it.
        int paperIndex = -1;
        for (std::size_t i = 0; i < papers.size(); ++i)
            if (papers[i].name == setup.paperName) paperIndex = int(i);
        if (paperIndex < 0) {
            papers.push_back({setup.paperName, setup.paperWidth, setup.paperHeight});
            paperIndex = int(papers.size()) - 1;
        }
        for (const Paper& p : papers) paper->addItem(p.name);
        paper->setCurrentIndex(paperIndex);
        auto* portrait = new QRadioButton(QStringLiteral("Portrait"));
        auto* landscape = new QRadioButton(QStringLiteral("Landscape"));
        (setup.landscape ? landscape : portrait)->setChecked(true);
        auto inches = [](int twips) {
            auto* s = new QDoubleSpinBox;
            s->setRange(0, 5);
            s->setDecimals(2);
            s->setSingleStep(0.25);
            s->setSuffix(QStringLiteral(" in"));
            s->setValue(twips / 1440.0);
            return s;
        };
        // The boxes show hundredths of an inch; a margin the user left as it was keeps its
        // twips exactly (350 twips shows as 0.24 in, which would read back as 346).
        auto twipsOf = [](const QDoubleSpinBox* s, double shown, int original) {
            if (s->value() == shown) return original;
            return int(s->value() * 1440 + 0.5);
        };
        auto* ml = inches(setup.marginLeft);
        auto* mr = inches(setup.marginRight);
        auto* mt = inches(setup.marginTop);
        auto* mb = inches(setup.marginBottom);
        const double shownL = ml->value(), shownR = mr->value(), shownT = mt->value(), shownB = mb->value();
        form->addRow(QStringLiteral("Paper:"), paper);
        form->addRow(portrait);
        form->addRow(landscape);
        form->addRow(QStringLiteral("Left margin:"), ml);
        form->addRow(QStringLiteral("Right margin:"), mr);
        form->addRow(QStringLiteral("Top margin:"), mt);
        form->addRow(QStringLiteral("Bottom margin:"), mb);
        auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QObject::connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        QObject::connect(box, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        auto* lay = new QVBoxLayout(&d);
        lay->addLayout(form);
        lay->addWidget(box);
        if (d.exec() != QDialog::Accepted) return false;
        if (paper->currentIndex() != paperIndex && paper->currentIndex() >= 0) {
            const Paper& p = papers[std::size_t(paper->currentIndex())];
            setup.paperName = p.name;
            setup.paperWidth = p.w;
            setup.paperHeight = p.h;
        }
        setup.landscape = landscape->isChecked();
        setup.marginLeft = twipsOf(ml, shownL, setup.marginLeft);
        setup.marginRight = twipsOf(mr, shownR, setup.marginRight);
        setup.marginTop = twipsOf(mt, shownT, setup.marginTop);
        setup.marginBottom = twipsOf(mb, shownB, setup.marginBottom);
        return true;
    }

    std::optional<QString> folderDialog(const QString& title, const QString& startFolder) override {
        const QString chosen = QFileDialog::getExistingDirectory(dialogParent(), title, startFolder,
                                                                 QFileDialog::ShowDirsOnly);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }
};

std::unique_ptr<Dialogs>& slot() {
    static std::unique_ptr<Dialogs> s;
    return s;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString& prompt, int flags, const QString& title) {
    auto box = std::make_unique<QMessageBox>(dialogParent());
    box->setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    const QString text = promptText(prompt);
    // The box would wrap every line longer than half the screen, words alone on lines and
    // spaced columns out of line: each line stands whole (its blanks kept and unbreakable)
    // wherever the screen has room for the longest.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QFontMetrics metrics(box->font());
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int screenPixels = screen().widthTwips() / std::max(1, screen().twipsPerPixelX());
    if (widest <= screenPixels - MessageBoxChrome) {
        QStringList html;
        for (const QString& line : lines) html << line.toHtmlEscaped().replace(QLatin1Char(' '), QChar::Nbsp);
        box->setTextFormat(Qt::RichText);
        box->setText(QStringLiteral("<p style=\"white-space:pre\">") + html.join(QStringLiteral("<br>")) +
                     QStringLiteral("</p>"));
    } else {
        box->setTextFormat(Qt::PlainText);
        box->setText(text);
    }
    switch (flags & 0x70) {
    case Msg::Critical: box->setIcon(QMessageBox::Critical); break;
    case Msg::Question: box->setIcon(QMessageBox::Question); break;
    case Msg::Exclamation: box->setIcon(QMessageBox::Warning); break;
    case Msg::Information: box->setIcon(QMessageBox::Information); break;
    default: box->setIcon(QMessageBox::NoIcon); break;
    }
    const std::vector<BoxButton> buttons = buttonsOf(flags);
    QMessageBox::StandardButtons all;
    for (auto& b : buttons) all |= b.button;
    box->setStandardButtons(all);
    const int def = defaultButtonOf(flags);
    if (def < int(buttons.size())) box->setDefaultButton(buttons[std::size_t(def)].button);
    bool hasCancel = false;
    for (auto& b : buttons) hasCancel |= b.answer == Answer::Cancel;
    if (hasCancel) box->setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1) box->setEscapeButton(buttons[0].button);
    return box;
}

int answerOf(const QMessageBox& box) {
    static const BoxButton answers[] = {{QMessageBox::Ok, Answer::OK},       {QMessageBox::Cancel, Answer::Cancel},
                                        {QMessageBox::Abort, Answer::Abort}, {QMessageBox::Retry, Answer::Retry},
                                        {QMessageBox::Ignore, Answer::Ignore}, {QMessageBox::Yes, Answer::Yes},
                                        {QMessageBox::No, Answer::No}};
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return 0;
    const QMessageBox::StandardButton which = box.standardButton(clicked);
    for (const BoxButton& b : answers)
        if (b.button == which) return b.answer;
    return 0;
}

Dialogs& dialogs() {
    if (!slot()) slot() = std::make_unique<QtDialogs>();
    return *slot();
}

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d) {
    std::unique_ptr<Dialogs> old = std::move(slot());
    slot() = std::move(d);
    return old;
}

}  // namespace platform
