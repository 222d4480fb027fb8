// A read-only page composed from pieces of text: the references in the rule and the
// additional information of a specification. The page is plain text with CR LF line breaks;
// beside it stand the places of the words that are quoted from the published rule and its
// preamble, so that the window can set them apart from the program's own words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A run of characters of a composed page, counted as the rich-text box counts them: one per
// character, two for each CR LF.
struct TextSpan {
    int start = 0;
    int length = 0;
};

struct ComposedPage {
    std::string text;              // UTF-8
    std::vector<TextSpan> quoted;  // the quoted words, in order
};

// Builds a page piece by piece, keeping count of the characters.
class PageBuilder {
public:
    // Plain text as it stands (header, line breaks, leading blanks, the program's words).
    void add(std::string_view s);
    // Words quoted from the rule or its preamble.
    void addQuoted(std::string_view s);
    // The page with leading and trailing blanks removed.
    ComposedPage finish() const;

private:
    ComposedPage page_;
    int length_ = 0;
};

// Number of characters of a UTF-8 text as the rich-text box counts them.
int characterCount(std::string_view utf8);

}  // namespace catalogue
