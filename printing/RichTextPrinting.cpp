// The three renderers of a window's rich-text document into its print preview. The preview
// lays out and paginates the rich text itself; a renderer only chooses the text and puts the
// program-wide margins in.
#include "frame/HINFO1.h"
#include "platform/RichTextBox.h"
#include "printing/PrintPanel.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

using namespace platform;

namespace {

void render(PrintPanel& panel, const QTextDocument& text) {
    panel.VSP1.setPreview(true);
    panel.VSP1.clear();
    panel.ApplyMargins();
    PrintDocument& doc = panel.VSP1.document();
    doc.startDoc();
    doc.paragraph(text);
    doc.endDoc();
}

}  // namespace

void RenderRuleSection(PrintPanel& panel, RichTextBox& source) {
    HourglassOn();
    if (source.selLength() >= 1) {
        QTextDocument selection;
        selection.setDefaultFont(source.document()->defaultFont());
        QTextCursor(&selection).insertFragment(source.editor()->textCursor().selection());
        render(panel, selection);
    } else {
        render(panel, *source.document());
    }
    doEvents();
    HourglassOff();
}

void RenderTopic(PrintPanel& panel, RichTextBox& source) {
    render(panel, *source.document());
    doEvents();
}

void RenderEditorText(PrintPanel& panel, RichTextBox& source) {
    HourglassOn();
    render(panel, *source.document());
    doEvents();
    HourglassOff();
}
