// The three renderers of a window's rich-text document into its print preview. The preview
// lays out and paginates the rich text itself; a renderer only chooses the text and puts the
// program-wide margins in.
#include "frame/HINFO1.h"
#include "platform/RichTextBox.h"
#include "printing/PrintPanel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

using namespace platform;

namespace {

void render(PrintPanel& panel, const QTextDocument& text, const QString& title) {
    panel.VSP1.setPreview(true);
    panel.VSP1.clear();
    panel.ApplyMargins();
    PrintDocument& doc = panel.VSP1.document();
    doc.startDoc();
    doc.setTitle(title);
    doc.paragraph(text);
    doc.endDoc();
}

}  // namespace

void RenderRuleSection(PrintPanel& panel, RichTextBox& source, const QString& title) {
    HourglassOn();
    if (source.selLength() >= 1) {
        QTextDocument selection;
        selection.setDefaultFont(source.document()->defaultFont());
        const QTextCursor chosen = source.editor()->textCursor();
        QTextCursor into(&selection);
        into.insertFragment(chosen.selection());
        // A fragment pasted into an empty document takes that document's first paragraph
        // for its own first one, so the first paragraph loses its formats (indents, spacing,
        // alignment); it gets back those it has on screen.
        const QTextBlock first = source.document()->findBlock(chosen.selectionStart());
        if (first.isValid()) {
            QTextCursor head(selection.begin());
            head.setBlockFormat(first.blockFormat());
        }
        render(panel, selection, title);
    } else {
        render(panel, *source.document(), title);
    }
    doEvents();
    HourglassOff();
}

void RenderTopic(PrintPanel& panel, RichTextBox& source, const QString& title) {
    render(panel, *source.document(), title);
    doEvents();
}

void RenderEditorText(PrintPanel& panel, RichTextBox& source, const QString& title) {
    HourglassOn();
    render(panel, *source.document(), title);
    doEvents();
    HourglassOff();
}
