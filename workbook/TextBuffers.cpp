// The marking loop, and the Action Area's hidden text buffers that it works on: RText1(0) the
// rule text, (1) the references in the rule, (2) the additional information, (3) the composed
// specification page for printing.
#include "workbook/NameMarking.h"

#include "catalogue/ContentDocuments.h"
#include "catalogue/NameHighlighting.h"
#include "frame/HINFO1.h"
#include "platform/RichTextBox.h"
#include "workbook/WorkArea1.h"

namespace workbook {

int markWholeWords(platform::RichTextBox& buffer, const QString& word, MarkingCursor& cursor,
                   EmptyWord empty) {
    using platform::RichTextBox;
    const QString w = word.trimmed();
    cursor.foundPos = 0;
    cursor.searchFrom = 0;
    cursor.loopIndex = 1;
    cursor.finds = 0;
    int marked = 0;
    if (!(w.isEmpty() && empty == EmptyWord::Skip)) {
        const int length = buffer.textLength();
        while (cursor.loopIndex < length) {
            cursor.foundPos = 0;
            ++cursor.finds;
            const int at = buffer.find(w, cursor.searchFrom, -1, RichTextBox::WholeWord);
            if (at < 0) {
                // Nothing further on: the classic loop only walked its cursor to the end.
                cursor.loopIndex = length;
                break;
            }
            cursor.foundPos = at;
            cursor.searchFrom = at + int(w.size());
            cursor.loopIndex = cursor.searchFrom;
            buffer.setSelStart(at);
            buffer.setSelLength(int(w.size()));
            buffer.setSelBold(true);
            buffer.setSelUnderline(true);
            ++marked;
        }
    }
    buffer.setSelStart(1);
    return marked;
}

}  // namespace workbook

// Empties the three view buffers; the printed page RText1(3) is rebuilt by each print.
void WorkArea1::ClearSpecBuffers() {
    for (LoopIndex = 0; LoopIndex <= 2; ++LoopIndex) RText1[LoopIndex].setText(QString());
    BufferSpec.fill(0);
}

void WorkArea1::MarkSpecName(platform::RichTextBox& buffer, const QString& word) {
    workbook::MarkingCursor cursor;
    workbook::markWholeWords(buffer, word, cursor);
    FoundPos = cursor.foundPos;
    SearchFrom = cursor.searchFrom;
    LoopIndex = cursor.loopIndex;
}

// Marks the name of SpecNumber over the whole composed specification page.
void WorkArea1::HighlightSpecName() {
    const std::string_view name = catalogue::markedSpecName(SpecNumber);
    workbook::MarkingCursor cursor;
    workbook::markWholeWords(RText1[3], catalogue::toQString(name), cursor,
                             workbook::EmptyWord::Skip);
    FoundPos = cursor.foundPos;
    SearchFrom = cursor.searchFrom;
    LoopIndex = cursor.loopIndex;
}
