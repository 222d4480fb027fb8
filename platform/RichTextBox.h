// The rich-text box: a QTextEdit that loads and saves RTF, with the positions, selection
// font and find of the classic control. Works the same when it is never shown (the program
// keeps hidden boxes as work buffers).
#pragma once

#include "platform/Control.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/RtfReader.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

class QTextDocument;
class QTextEdit;
class QTextCharFormat;

namespace platform {

// Positions as the program counts them: the text with CR LF between paragraphs, so every
// paragraph break counts as two characters, against positions in the QTextDocument, where it
// counts as one. The one place where the two are converted.
class TextPositionMap {
public:
    explicit TextPositionMap(const QTextDocument& doc);

    // Len of Text.
    int textLength() const { return textLength_; }
    int documentLength() const { return documentLength_; }
    // A document position as a text position.
    int toText(int docPos) const;
    // A text position (clamped to 0..Len) as a document position. A position between the CR
    // and the LF of a break stands at the start of the next paragraph.
    int toDocument(int textPos) const;

private:
    std::vector<int> docStart_;   // each paragraph's first document position
    std::vector<int> textStart_;  // ... and first text position
    int textLength_ = 0;
    int documentLength_ = 0;
};

class RichTextEditWidget;

class RichTextBox : public Control {
public:
    // Options of find, as the classic control numbers them; letter case is ignored unless
    // MatchCase is given.
    enum FindOption { WholeWord = 2, MatchCase = 4, NoHighlight = 8 };
    enum class Alignment { Left = 0, Right = 1, Center = 2 };

    RichTextBox(Form& form, Container& parent, const QString& name, int index = -1);
    ~RichTextBox() override;
    bool canTakeFocus() const override { return true; }

    // ---- whole text ---------------------------------------------------------------------------
    // Plain text with CR LF between paragraphs.
    QString text() const;
    void setText(const QString& t);
    // Len(Text).
    int textLength() const;
    // The whole document as RTF. The string form holds one character per byte (the RTF we
    // write is plain ASCII); setting from a string treats it as Windows-1252 bytes.
    QString textRTF() const;
    void setTextRTF(const QString& rtf);
    QByteArray rtfBytes() const;
    void setRtfBytes(const QByteArray& rtf);
    // What the last whole rich text put in the box (setRtfBytes, setTextRTF, loadFile) held
    // that the box does not show as the file had it.
    const RtfReadReport& lastRead() const { return lastRead_; }

    // Loads a whole file (RTF, or plain Windows-1252 text). On failure the box keeps what it
    // had and no Change is raised.
    // Reads the whole file; one larger than maxBytes is not read (Unreadable).
    ReadStatus loadFile(const QString& name, qint64 maxBytes = MaxRichTextFileBytes);
    // More than any rich-text document that the program ships or writes.
    static constexpr qint64 MaxRichTextFileBytes = 10 * 1024 * 1024;
    // Writes the whole RTF atomically; false (with a reason in *error) when it failed. *outcome
    // tells a save whose new file is in place but not known to be durable from one that failed.
    bool saveFile(const QString& name, QString* error = nullptr, WriteOutcome* outcome = nullptr) const;

    // ---- selection ----------------------------------------------------------------------------
    int selStart() const;
    void setSelStart(int s);  // also makes the selection empty
    int selLength() const;
    void setSelLength(int n);
    QString selText() const;
    void setSelText(const QString& t);  // replaces the selection; the caret ends behind it
    QString selRTF() const;
    void setSelRTF(const QString& rtf);

    // The selection's font; std::nullopt when the selection mixes values. Setting applies to
    // the selection, or to what is typed next when nothing is selected.
    std::optional<QString> selFontName() const;
    void setSelFontName(const QString& name);
    std::optional<double> selFontSize() const;
    void setSelFontSize(double points);
    std::optional<bool> selBold() const;
    void setSelBold(bool on);
    std::optional<bool> selItalic() const;
    void setSelItalic(bool on);
    std::optional<bool> selUnderline() const;
    void setSelUnderline(bool on);
    std::optional<bool> selStrikethru() const;
    void setSelStrikethru(bool on);
    std::optional<Color> selColor() const;
    void setSelColor(Color c);
    // The selection's font and colour as the font dialog shows them: a mixed name or size reads
    // as the box's own font, a mixed style as off, a mixed colour as black.
    FontChoice selFontChoice() const;
    // Applies name, size, styles and colour to the selection.
    void applySelFontChoice(const FontChoice& choice);
    // 0 left, 1 right, 2 centre of the paragraphs the selection touches.
    std::optional<int> selAlignment() const;
    void setSelAlignment(int alignment);

    // The 0-based position of the first match lying inside [start, end) (end -1: the end of
    // the text), or -1. A match is selected unless NoHighlight is given.
    int find(const QString& what, int start = 0, int end = -1, int options = 0);

    // ---- behaviour ----------------------------------------------------------------------------
    bool locked() const { return locked_; }
    void setLocked(bool l);
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool h);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n) { maxLength_ = std::max(0, n); }

    // A user's typing at the caret: respects Locked and MaxLength; CR (or LF) starts a new
    // paragraph, backspace (8) deletes the selection or the character before the caret.
    void type(const QString& s);
    void handleKey(int keyCode, int shift, int keyAscii) override;

    void setFont(const Font& f) override;

    QTextDocument* document() const;
    QTextEdit* editor() const;

protected:
    // A click in the text (on the box's inner viewport) raises Click, after the caret has
    // moved to the place clicked.
    bool clicksOnRelease() const override { return true; }
    QWidget* mouseSurface() const override;

private:
    friend class RichTextEditWidget;
    const TextPositionMap& positions() const;
    const QString& cachedText() const;
    void invalidate();
    // Runs a change made by code: the document's own change signals are held back and Change
    // runs once afterwards.
    template <class F> void programmatic(F&& f);
    bool canType(int adding) const;
    // How many characters typing or pasting may put in place of the selection (MaxLength set).
    int roomToType() const;
    void mergeSelection(const QTextCharFormat& f);
    template <class T, class Get> std::optional<T> selectionValue(Get get) const;
    void applyHighlight();
    void onContentsChange();

    RichTextEditWidget* edit_ = nullptr;
    bool locked_ = false;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    int quiet_ = 0;
    RtfReadReport lastRead_;
    mutable std::optional<TextPositionMap> map_;
    mutable std::optional<QString> text_;
    // The last find that failed: a later find of the same word with the same options from
    // further on up to the same end cannot succeed either (the marking loop asks many times).
    struct FailedFind {
        QString what;
        int options = 0;
        int from = 0;
        int end = 0;
    };
    std::optional<FailedFind> failed_;
};

}  // namespace platform
