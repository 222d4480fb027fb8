// Our own spelling and thesaurus dialogs on Qt Widgets.
#include "platform/Form.h"
#include "platform/Spelling.h"

#include <QDialog>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

namespace {

QWidget* dialogParent() {
    Form* f = runtime().activeForm();
    return f ? f->widget() : nullptr;
}

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return b;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

// The sentence with the word in bold red, as rich text.
QString markedSentence(const SpellQuestion& q) {
    const int start = std::clamp(q.wordStart, 0, int(q.sentence.size()));
    const int length = std::clamp(int(q.word.size()), 0, int(q.sentence.size()) - start);
    return q.sentence.left(start).toHtmlEscaped() + QStringLiteral("<b><font color=\"#c00000\">") +
           q.sentence.mid(start, length).toHtmlEscaped() + QStringLiteral("</font></b>") +
           q.sentence.mid(start + length).toHtmlEscaped();
}

// One run of the spelling dialog: shown at the first question, closed with the session.
class QtSpellSession : public SpellSession {
public:
    explicit QtSpellSession(std::function<void()> onHelp) : onHelp_(std::move(onHelp)) {
        dialog_ = new QDialog(dialogParent());
        dialog_->setWindowTitle(QStringLiteral("Spelling"));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAccessibleName(QStringLiteral("Spelling"));

        sentence_ = new QLabel(dialog_);
        sentence_->setTextFormat(Qt::RichText);
        sentence_->setWordWrap(true);
        sentence_->setFrameShape(QFrame::StyledPanel);
        sentence_->setMargin(6);
        sentence_->setMinimumHeight(60);
        sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        sentence_->setBackgroundRole(QPalette::Base);
        sentence_->setAutoFillBackground(true);
        sentence_->setAccessibleName(QStringLiteral("Not in dictionary"));
        changeTo_ = new QLineEdit(dialog_);
        changeTo_->setAccessibleName(QStringLiteral("Change to"));
        suggestions_ = new QListWidget(dialog_);
        suggestions_->setAccessibleName(QStringLiteral("Suggestions"));

        auto* grid = new QGridLayout;
        grid->addWidget(caption(QStringLiteral("Not in dictionary:"), sentence_, dialog_), 0, 0, 1, 2);
        grid->addWidget(sentence_, 1, 0, 1, 2);
        grid->addWidget(caption(QStringLiteral("C&hange to:"), changeTo_, dialog_), 2, 0);
        grid->addWidget(changeTo_, 2, 1);
        grid->addWidget(caption(QStringLiteral("&Suggestions:"), suggestions_, dialog_), 3, 0, Qt::AlignTop);
        grid->addWidget(suggestions_, 3, 1);
        grid->setColumnStretch(1, 1);

        auto* buttons = new QGridLayout;
        struct B { const char* caption; SpellAction action; int row, col; };
        static const B list[] = {{"&Ignore", SpellAction::Ignore, 0, 0},      {"I&gnore All", SpellAction::IgnoreAll, 0, 1},
                                 {"&Change", SpellAction::Change, 1, 0},      {"Change A&ll", SpellAction::ChangeAll, 1, 1},
                                 {"&Add", SpellAction::Add, 2, 0},            {"Cancel", SpellAction::Cancel, 2, 1}};
        for (const B& b : list) {
            QPushButton* p = button(QString::fromLatin1(b.caption), dialog_);
            buttons->addWidget(p, b.row, b.col);
            const SpellAction action = b.action;
            QObject::connect(p, &QPushButton::clicked, dialog_, [this, action] { decide(action); });
            if (action == SpellAction::Change) change_ = p;
        }
        if (onHelp_) {
            QPushButton* help = button(QStringLiteral("&Help"), dialog_);
            buttons->addWidget(help, 3, 0);
            QObject::connect(help, &QPushButton::clicked, dialog_, [this] { onHelp_(); });
        }
        buttons->setRowStretch(4, 1);

        auto* lay = new QHBoxLayout(dialog_);
        lay->addLayout(grid, 1);
        lay->addLayout(buttons);
        dialog_->resize(560, 300);

        QObject::connect(suggestions_, &QListWidget::currentTextChanged, dialog_,
                         [this](const QString& t) { if (!t.isEmpty()) changeTo_->setText(t); });
        QObject::connect(suggestions_, &QListWidget::itemDoubleClicked, dialog_, [this] { decide(SpellAction::Change); });
        QObject::connect(changeTo_, &QLineEdit::returnPressed, dialog_, [this] { decide(SpellAction::Change); });
        // Esc and the close box cancel the check.
        QObject::connect(dialog_, &QDialog::rejected, dialog_, [this] { decide(SpellAction::Cancel); });
    }

    ~QtSpellSession() override {
        dialog_->hide();
        delete dialog_;
    }

    SpellDecision ask(const SpellQuestion& q) override {
        sentence_->setText(markedSentence(q));
        // A screen reader hears the word not found and the sentence it stands in.
        sentence_->setAccessibleName(QStringLiteral("Not in dictionary: ") + q.word);
        sentence_->setAccessibleDescription(q.sentence);
        suggestions_->clear();
        suggestions_->addItems(q.suggestions);
        changeTo_->setText(q.suggestions.isEmpty() ? q.word : q.suggestions.first());
        if (!q.suggestions.isEmpty()) suggestions_->setCurrentRow(0);
        decided_ = false;
        decision_ = {};
        dialog_->show();
        dialog_->raise();
        dialog_->activateWindow();
        (q.suggestions.isEmpty() ? static_cast<QWidget*>(changeTo_) : change_)->setFocus();
        // An event loop that cannot run returns -1 at once: the check is then cancelled
        // rather than asked again for ever.
        while (!decided_)
            if (loop_.exec() < 0) decide(SpellAction::Cancel);
        return decision_;
    }

private:
    void decide(SpellAction action) {
        if (decided_) return;
        decision_.action = action;
        decision_.replacement = changeTo_->text();
        decided_ = true;
        loop_.quit();
    }

    std::function<void()> onHelp_;
    QDialog* dialog_ = nullptr;
    QLabel* sentence_ = nullptr;
    QLineEdit* changeTo_ = nullptr;
    QListWidget* suggestions_ = nullptr;
    QPushButton* change_ = nullptr;
    QEventLoop loop_;
    bool decided_ = false;
    SpellDecision decision_;
};

// A synonym in the letter case of the word looked up: capitalised when the word was.
QString fitFirstLetter(const QString& word, const QString& synonym) {
    if (!word.isEmpty() && !synonym.isEmpty() && word.at(0).isUpper() && synonym.at(0).isLower())
        return synonym.left(1).toUpper() + synonym.mid(1);
    return synonym;
}

std::optional<QString> runThesaurus(const QString& word, const ThesaurusLookUp& lookUp) {
    QDialog d(dialogParent());
    d.setWindowTitle(QStringLiteral("Thesaurus"));
    d.setAccessibleName(QStringLiteral("Thesaurus"));
    auto* lookedUp = new QLabel(&d);
    lookedUp->setAccessibleName(QStringLiteral("Looked up"));
    QFont bold = lookedUp->font();
    bold.setBold(true);
    lookedUp->setFont(bold);
    auto* replaceWith = new QLineEdit(&d);
    replaceWith->setAccessibleName(QStringLiteral("Replace with"));
    auto* meanings = new QListWidget(&d);
    meanings->setAccessibleName(QStringLiteral("Meanings"));
    auto* synonyms = new QListWidget(&d);
    synonyms->setAccessibleName(QStringLiteral("Synonyms"));
    auto* none = new QLabel(&d);
    none->setWordWrap(true);
    QPushButton* replace = button(QStringLiteral("&Replace"), &d);
    QPushButton* again = button(QStringLiteral("&Look Up"), &d);
    QPushButton* cancel = button(QStringLiteral("Cancel"), &d);
    replace->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Looked up:"), &d), 0, 0);
    grid->addWidget(lookedUp, 1, 0);
    grid->addWidget(caption(QStringLiteral("Replace &with:"), replaceWith, &d), 0, 1);
    grid->addWidget(replaceWith, 1, 1);
    grid->addWidget(caption(QStringLiteral("&Meanings:"), meanings, &d), 2, 0);
    grid->addWidget(meanings, 3, 0);
    grid->addWidget(caption(QStringLiteral("&Synonyms:"), synonyms, &d), 2, 1);
    grid->addWidget(synonyms, 3, 1);
    grid->addWidget(none, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(replace);
    buttons->addWidget(again);
    buttons->addWidget(cancel);
    auto* lay = new QVBoxLayout(&d);
    lay->addLayout(grid, 1);
    lay->addLayout(buttons);
    d.resize(560, 340);

    QString current = word;
    QList<ThesaurusMeaning> found;
    auto show = [&](const QString& w) {
        current = w;
        found = lookUp ? lookUp(w) : QList<ThesaurusMeaning>();
        lookedUp->setText(w);
        lookedUp->setAccessibleName(QStringLiteral("Looked up: ") + w);
        meanings->clear();
        synonyms->clear();
        for (const ThesaurusMeaning& m : found) meanings->addItem(m.description);
        none->setText(found.isEmpty() ? QStringLiteral("No meanings were found for \"%1\".").arg(w) : QString());
        none->setVisible(found.isEmpty());
        replaceWith->setText(w);
        if (!found.isEmpty()) meanings->setCurrentRow(0);
    };
    QObject::connect(meanings, &QListWidget::currentRowChanged, &d, [&](int row) {
        synonyms->clear();
        if (row < 0 || row >= found.size()) return;
        synonyms->addItems(found.at(row).synonyms);
        if (synonyms->count() > 0) synonyms->setCurrentRow(0);
    });
    QObject::connect(synonyms, &QListWidget::currentTextChanged, &d, [&](const QString& t) {
        if (!t.isEmpty()) replaceWith->setText(fitFirstLetter(current, synonymText(t)));
    });
    QObject::connect(synonyms, &QListWidget::itemDoubleClicked, &d, [&] { show(replaceWith->text().trimmed()); });
    QObject::connect(again, &QPushButton::clicked, &d, [&] { show(replaceWith->text().trimmed()); });
    QObject::connect(replace, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    show(word);
    replaceWith->setFocus();
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return replaceWith->text();
}

class QtSpellDialogs : public SpellDialogs {
public:
    std::unique_ptr<SpellSession> openSpelling(std::function<void()> onHelp) override {
        return std::make_unique<QtSpellSession>(std::move(onHelp));
    }
    std::optional<QString> thesaurus(const QString& word, const ThesaurusLookUp& lookUp) override {
        return runThesaurus(word, lookUp);
    }
};

}  // namespace

std::unique_ptr<SpellDialogs> makeQtSpellDialogs() { return std::make_unique<QtSpellDialogs>(); }

}  // namespace platform
