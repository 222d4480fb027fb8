#include "platform/RichTextBox.h"

#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

namespace platform {

// ---- TextPositionMap -------------------------------------------------------------------------

TextPositionMap::TextPositionMap(const QTextDocument& doc) {
    int text = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!docStart_.empty()) text += 2;  // the CR LF before this paragraph
        docStart_.push_back(b.position());
        textStart_.push_back(text);
        text += b.length() - 1;
    }
    if (docStart_.empty()) {
        docStart_.push_back(0);
        textStart_.push_back(0);
    }
    textLength_ = text;
    documentLength_ = std::max(0, doc.characterCount() - 1);
}

int TextPositionMap::toText(int docPos) const {
    docPos = std::clamp(docPos, 0, documentLength_);
    const auto it = std::upper_bound(docStart_.begin(), docStart_.end(), docPos);
    const size_t i = size_t(std::max<ptrdiff_t>(0, (it - docStart_.begin()) - 1));
    const int textEnd = i + 1 < textStart_.size() ? textStart_[i + 1] - 2 : textLength_;
    return std::min(textStart_[i] + (docPos - docStart_[i]), textEnd);
}

int TextPositionMap::toDocument(int textPos) const {
    textPos = std::clamp(textPos, 0, textLength_);
    const auto it = std::upper_bound(textStart_.begin(), textStart_.end(), textPos);
    const size_t i = size_t(std::max<ptrdiff_t>(0, (it - textStart_.begin()) - 1));
    const int len = i + 1 < textStart_.size() ? textStart_[i + 1] - 2 - textStart_[i]
                                              : textLength_ - textStart_[i];
    const int offset = textPos - textStart_[i];
    if (offset <= len) return docStart_[i] + offset;
    return i + 1 < docStart_.size() ? docStart_[i + 1] : documentLength_;  // between CR and LF
}

// ---- the widget --------------------------------------------------------------------------------

// The QTextEdit that a person types into: MaxLength limits typing and pasting only, and only
// what would make the text longer (keys that delete or move never count).
class RichTextEditWidget : public QTextEdit {
public:
    RichTextEditWidget(RichTextBox& box, QWidget* parent) : QTextEdit(parent), box_(box) {
        setAcceptRichText(false);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const QString t = e->text();
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        const bool adds = enter || (!t.isEmpty() && (t.at(0).isPrint() || t.at(0) == QChar('\t')));
        if (adds && !isReadOnly() && !box_.canType(enter ? 2 : int(t.size()))) {
            e->accept();
            return;
        }
        QTextEdit::keyPressEvent(e);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (box_.maxLength_ <= 0 || !source->hasText()) {
            QTextEdit::insertFromMimeData(source);
            return;
        }
        QString t = source->text();
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        // Each break counts two, as in the box's positions.
        QString fits;
        int room = box_.roomToType();
        for (QChar c : t) {
            const int cost = c == QLatin1Char('\n') ? 2 : 1;
            if (cost > room) break;
            room -= cost;
            fits += c;
        }
        if (!fits.isEmpty()) insertPlainText(fits);
    }

private:
    RichTextBox& box_;
};

// ---- RichTextBox -------------------------------------------------------------------------------

namespace {

QString fromDocumentText(QString s) {
    s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    s.replace(QChar::LineSeparator, QLatin1Char('\v'));
    return s;
}

// Text as the program writes it (CR LF, CR or LF between paragraphs, VT for a line break) in
// the form QTextCursor::insertText takes.
QString toDocumentText(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\v'), QChar::LineSeparator);
    return s;
}

QByteArray rtfStringToBytes(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s) {
        const int b = encodeCp1252(c);
        if (b >= 0) out.append(char(b));
        else if (c.unicode() <= 0xFF) out.append(char(c.unicode()));  // a byte read as Latin-1
        else {
            const int n = c.unicode() > 32767 ? int(c.unicode()) - 65536 : int(c.unicode());
            out.append("\\u" + QByteArray::number(n) + "\\'3f");
        }
    }
    return out;
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

int alignmentCode(Qt::Alignment a) {
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) return 2;
    if ((a & Qt::AlignRight) && !(a & Qt::AlignJustify)) return 1;
    return 0;
}

}  // namespace

RichTextBox::RichTextBox(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    edit_ = new RichTextEditWidget(*this, parent.containerWidget());
    setWidget(edit_);
    QObject::connect(edit_->document(), &QTextDocument::contentsChanged, edit_,
                     [this] { onContentsChange(); });
    applyHighlight();
}

RichTextBox::~RichTextBox() = default;

QTextDocument* RichTextBox::document() const { return edit_->document(); }
QTextEdit* RichTextBox::editor() const { return edit_; }

QWidget* RichTextBox::mouseSurface() const { return edit_ ? edit_->viewport() : nullptr; }

void RichTextBox::invalidate() {
    map_.reset();
    text_.reset();
    failed_.reset();
}

void RichTextBox::onContentsChange() {
    invalidate();
    if (quiet_ == 0) raiseChange();
}

template <class F>
void RichTextBox::programmatic(F&& f) {
    ++quiet_;
    f();
    --quiet_;
    invalidate();
    raiseChange();
}

const TextPositionMap& RichTextBox::positions() const {
    if (!map_) map_.emplace(*edit_->document());
    return *map_;
}

const QString& RichTextBox::cachedText() const {
    if (!text_) {
        QString out;
        const QTextDocument* doc = edit_->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b != doc->begin()) out += QStringLiteral("\r\n");
            out += b.text();
        }
        out.replace(QChar::LineSeparator, QLatin1Char('\v'));
        text_ = out;
    }
    return *text_;
}

void RichTextBox::setFont(const Font& f) {
    ++quiet_;  // the document's default font changes, not its text
    Control::setFont(f);
    --quiet_;
    invalidate();
}

// ---- whole text ---------------------------------------------------------------------------------

QString RichTextBox::text() const { return cachedText(); }

int RichTextBox::textLength() const { return positions().textLength(); }

void RichTextBox::setText(const QString& t) {
    programmatic([&] {
        QTextDocument* doc = edit_->document();
        doc->clear();
        QTextCursor c(doc);
        const QString s = toDocumentText(t);
        if (!s.isEmpty()) c.insertText(s, QTextCharFormat());
        edit_->setTextCursor(QTextCursor(doc));
        edit_->setCurrentCharFormat(QTextCharFormat());
    });
}

QByteArray RichTextBox::rtfBytes() const {
    return writeRtf(*edit_->document(), RtfDefaults{font_.name, font_.size});
}

void RichTextBox::setRtfBytes(const QByteArray& rtf) {
    programmatic([&] {
        // The editor holds no caret while the text goes in: a caret at the start would stretch
        // its selection over all of it, and moving it afterwards would ask for the layout of
        // the whole text. So only what is shown is laid out before the box is drawn, the rest
        // a part at a time after.
        edit_->setTextCursor(QTextCursor());
        readRtfDocument(rtf, *edit_->document(), &lastRead_);
        edit_->setTextCursor(QTextCursor(edit_->document()));
    });
}

QString RichTextBox::textRTF() const { return QString::fromLatin1(rtfBytes()); }

void RichTextBox::setTextRTF(const QString& rtf) { setRtfBytes(rtfStringToBytes(rtf)); }

ReadStatus RichTextBox::loadFile(const QString& name, qint64 maxBytes) {
    ReadResult r = readWholeFile(name, maxBytes);
    if (!r.ok()) return r.status;
    setRtfBytes(r.bytes);
    return ReadStatus::Ok;
}

bool RichTextBox::saveFile(const QString& name, QString* error, WriteOutcome* outcome) const {
    return writeWholeFile(name, rtfBytes(), error, outcome);
}

// ---- selection ------------------------------------------------------------------------------------

int RichTextBox::selStart() const { return positions().toText(edit_->textCursor().selectionStart()); }

int RichTextBox::selLength() const {
    const QTextCursor c = edit_->textCursor();
    return positions().toText(c.selectionEnd()) - positions().toText(c.selectionStart());
}

void RichTextBox::setSelStart(int s) {
    QTextCursor c = edit_->textCursor();
    c.setPosition(positions().toDocument(s));
    edit_->setTextCursor(c);
}

void RichTextBox::setSelLength(int n) {
    QTextCursor c = edit_->textCursor();
    const int start = c.selectionStart();
    const int end = positions().toDocument(positions().toText(start) + std::max(0, n));
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
}

QString RichTextBox::selText() const { return fromDocumentText(edit_->textCursor().selectedText()); }

void RichTextBox::setSelText(const QString& t) {
    programmatic([&] {
        QTextCursor c = edit_->textCursor();
        c.insertText(toDocumentText(t));
        edit_->setTextCursor(c);
    });
}

QString RichTextBox::selRTF() const {
    const QTextCursor c = edit_->textCursor();
    return QString::fromLatin1(writeRtfRange(*edit_->document(), c.selectionStart(), c.selectionEnd(),
                                             RtfDefaults{font_.name, font_.size}));
}

void RichTextBox::setSelRTF(const QString& rtf) {
    programmatic([&] {
        QTextCursor c = edit_->textCursor();
        insertRtf(rtfStringToBytes(rtf), c);
        edit_->setTextCursor(c);
    });
}

// ---- selection font -------------------------------------------------------------------------------

template <class T, class Get>
std::optional<T> RichTextBox::selectionValue(Get get) const {
    const QTextCursor c = edit_->textCursor();
    if (!c.hasSelection()) return get(edit_->currentCharFormat());
    const int from = c.selectionStart(), to = c.selectionEnd();
    std::optional<T> value;
    const QTextDocument* doc = edit_->document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= from || f.position() >= to) continue;
            const T v = get(f.charFormat());
            if (!value) value = v;
            else if (!(*value == v)) return std::nullopt;
        }
    }
    if (!value) return get(c.charFormat());  // only paragraph breaks selected
    return value;
}

void RichTextBox::mergeSelection(const QTextCharFormat& f) {
    QTextCursor c = edit_->textCursor();
    if (!c.hasSelection()) {
        ++quiet_;  // only what is typed next changes
        edit_->mergeCurrentCharFormat(f);
        --quiet_;
        return;
    }
    programmatic([&] { c.mergeCharFormat(f); });
}

std::optional<QString> RichTextBox::selFontName() const {
    return selectionValue<QString>([this](const QTextCharFormat& f) {
        const QStringList l = f.property(QTextFormat::FontFamilies).toStringList();
        if (!l.isEmpty() && !l.first().isEmpty()) return l.first();
        const QString single = f.stringProperty(QTextFormat::FontFamily);
        return single.isEmpty() ? font_.name : single;
    });
}

std::optional<double> RichTextBox::selFontSize() const {
    return selectionValue<double>([this](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0 ? f.fontPointSize()
                                                                                 : font_.size;
    });
}

std::optional<bool> RichTextBox::selBold() const {
    return selectionValue<bool>([this](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold : font_.bold;
    });
}

std::optional<bool> RichTextBox::selItalic() const {
    return selectionValue<bool>([this](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : font_.italic;
    });
}

std::optional<bool> RichTextBox::selUnderline() const {
    return selectionValue<bool>([this](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline)
                   ? f.fontUnderline()
                   : font_.underline;
    });
}

std::optional<bool> RichTextBox::selStrikethru() const {
    return selectionValue<bool>([this](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : font_.strikethrough;
    });
}

std::optional<Color> RichTextBox::selColor() const {
    return selectionValue<Color>([this](const QTextCharFormat& f) {
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            return fromQColor(f.foreground().color());
        return fromQColor(toQColor(foreColor_));
    });
}

// Each setter changes the document only where it differs, so that re-applying what the
// selection already has (as the alignment display does) is no edit.
void RichTextBox::setSelFontName(const QString& name) {
    if (edit_->textCursor().hasSelection() && selFontName() == name) return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name});
    mergeSelection(f);
}

void RichTextBox::setSelFontSize(double points) {
    if (points <= 0) return;
    if (edit_->textCursor().hasSelection() && selFontSize() == points) return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeSelection(f);
}

void RichTextBox::setSelBold(bool on) {
    if (edit_->textCursor().hasSelection() && selBold() == on) return;
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeSelection(f);
}

void RichTextBox::setSelItalic(bool on) {
    if (edit_->textCursor().hasSelection() && selItalic() == on) return;
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeSelection(f);
}

void RichTextBox::setSelUnderline(bool on) {
    if (edit_->textCursor().hasSelection() && selUnderline() == on) return;
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeSelection(f);
}

void RichTextBox::setSelStrikethru(bool on) {
    if (edit_->textCursor().hasSelection() && selStrikethru() == on) return;
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeSelection(f);
}

void RichTextBox::setSelColor(Color c) {
    if (edit_->textCursor().hasSelection() && selColor() == c) return;
    QTextCharFormat f;
    f.setForeground(QBrush(toQColor(c)));
    mergeSelection(f);
}

std::optional<int> RichTextBox::selAlignment() const {
    const QTextCursor c = edit_->textCursor();
    const QTextDocument* doc = edit_->document();
    const QTextBlock last = doc->findBlock(c.selectionEnd());
    std::optional<int> value;
    for (QTextBlock b = doc->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
        const int a = alignmentCode(b.blockFormat().alignment());
        if (!value) value = a;
        else if (*value != a) return std::nullopt;
        if (b == last) break;
    }
    return value;
}

void RichTextBox::setSelAlignment(int alignment) {
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    if (alignment < 0 || alignment > 2) return;
    if (selAlignment() == alignment) return;
    programmatic([&] {
        QTextCursor c = edit_->textCursor();
        QTextBlockFormat f;
        f.setAlignment(aligns[alignment]);
        c.mergeBlockFormat(f);
    });
}

// ---- find ---------------------------------------------------------------------------------------

int RichTextBox::find(const QString& what, int start, int end, int options) {
    const QString& text = cachedText();
    const int len = int(text.size());
    if (what.isEmpty()) return -1;
    if (end < 0 || end > len) end = len;
    start = std::clamp(start, 0, len);
    options &= (WholeWord | MatchCase | NoHighlight);
    const int matchOptions = options & (WholeWord | MatchCase);
    if (failed_ && failed_->what == what && failed_->options == matchOptions && failed_->end == end
        && start >= failed_->from)
        return -1;

    const Qt::CaseSensitivity cs = (options & MatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int n = int(what.size());
    int pos = start;
    while (true) {
        const int at = int(text.indexOf(what, pos, cs));
        if (at < 0 || at + n > end) break;
        const bool whole = !(options & WholeWord)
                           || ((at == 0 || !isWordChar(text.at(at - 1)))
                               && (at + n >= len || !isWordChar(text.at(at + n))));
        if (whole) {
            if (!(options & NoHighlight)) {
                setSelStart(at);
                setSelLength(n);
            }
            return at;
        }
        pos = at + 1;
    }
    failed_ = FailedFind{what, matchOptions, start, end};
    return -1;
}

// ---- behaviour ------------------------------------------------------------------------------------

void RichTextBox::setLocked(bool l) {
    locked_ = l;
    edit_->setReadOnly(l);
    // A locked box still lets the user select and copy.
    if (l) edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    applyHighlight();
}

void RichTextBox::setHideSelection(bool h) {
    hideSelection_ = h;
    applyHighlight();
}

void RichTextBox::applyHighlight() {
    QPalette pal = edit_->palette();
    if (hideSelection_) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Inactive, QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Inactive, QPalette::Text));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
    }
    edit_->setPalette(pal);
}

int RichTextBox::roomToType() const {
    // A text already longer than the limit (a template, a document written elsewhere) may
    // still be edited: what replaces a selection may be as long as the selection.
    const int limit = std::max(maxLength_, textLength());
    return limit - (textLength() - selLength());
}

bool RichTextBox::canType(int adding) const {
    if (maxLength_ <= 0) return true;
    return adding <= roomToType();
}

void RichTextBox::type(const QString& s) {
    if (locked_ || !enabled_) return;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar ch = s.at(i);
        if (ch == QLatin1Char('\b')) {
            QTextCursor c = edit_->textCursor();
            if (c.hasSelection()) c.removeSelectedText();
            else c.deletePreviousChar();
            edit_->setTextCursor(c);
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\n')) ++i;
            if (canType(2)) edit_->insertPlainText(QStringLiteral("\n"));
        } else if (ch >= QChar(0x20) || ch == QLatin1Char('\t')) {
            if (canType(1)) edit_->insertPlainText(QString(ch));
        }
    }
}

void RichTextBox::handleKey(int keyCode, int, int keyAscii) {
    if (keyAscii == 8 || (keyAscii == 0 && keyCode == Key::Back)) {
        type(QStringLiteral("\b"));
    } else if (keyAscii == 13) {
        type(QStringLiteral("\r"));
    } else if (keyAscii == 9 || (keyAscii >= 32 && keyAscii <= 255)) {
        type(QString(decodeCodePageByte(1252, (unsigned char)keyAscii)));
    } else if (keyAscii == 0 && keyCode == Key::Delete && !locked_ && enabled_) {
        QTextCursor c = edit_->textCursor();
        if (c.hasSelection()) c.removeSelectedText();
        else c.deleteChar();
        edit_->setTextCursor(c);
    }
}

FontChoice RichTextBox::selFontChoice() const {
    FontChoice choice;
    const Font base = font();
    choice.font.name = selFontName().value_or(base.name);
    choice.font.size = selFontSize().value_or(base.size);
    choice.font.bold = selBold().value_or(false);
    choice.font.italic = selItalic().value_or(false);
    choice.font.underline = selUnderline().value_or(false);
    choice.font.strikethrough = selStrikethru().value_or(false);
    choice.color = selColor().value_or(0);
    return choice;
}

void RichTextBox::applySelFontChoice(const FontChoice& choice) {
    setSelFontName(choice.font.name);
    setSelFontSize(choice.font.size);
    setSelBold(choice.font.bold);
    setSelItalic(choice.font.italic);
    setSelUnderline(choice.font.underline);
    setSelStrikethru(choice.font.strikethrough);
    setSelColor(choice.color);
}

}  // namespace platform
