// The marking loop, and the Action Area's hidden text buffers that it works on.
#include "catalogue/NameHighlighting.h"

#include "platform/RichTextBox.h"

namespace catalogue {

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

}  // namespace catalogue
