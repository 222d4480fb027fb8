// Marking a specification's name in the read-only texts about it: every whole-word occurrence,
// found without regard to letter case, is made bold and underlined, so that the reader finds
// the passages that concern the entry. The marks are added to whatever formatting the text
// already has; nothing is ever unmarked. The names themselves are in catalogue/NameHighlighting.h.
#pragma once

#include <QString>

namespace platform {
class RichTextBox;
}

namespace workbook {

// Where the marking loop stands: the hub keeps these as FoundPos, SearchFrom and LoopIndex.
struct MarkingCursor {
    int foundPos = 0;    // position of the last match, 0 before each find
    int searchFrom = 0;  // where the next find starts
    int loopIndex = 1;   // the loop's cursor, from 1 up to the length of the text
    int finds = 0;       // how many finds the loop asked for
};

// What to do with an empty word: the rule and reference builders still run the loop (which
// finds nothing), the printed page skips it and only puts the selection back.
enum class EmptyWord { Search, Skip };

// The marking loop over a buffer: finds the word (blanks around it removed) as whole words,
// letter case ignored, from the start of the text on; each match is made bold and underlined
// and the search goes on behind it. The first find that fails ends the loop, since every
// later find from further on would fail too; the cursor is then left where the classic loop,
// which went on one character at a time to the end of the text, left it. Afterwards the
// buffer's selection starts at 1. A match at the very first character is marked too.
// Returns the number of occurrences marked.
int markWholeWords(platform::RichTextBox& buffer, const QString& word, MarkingCursor& cursor,
                   EmptyWord empty = EmptyWord::Search);

}  // namespace workbook
