#include "catalogue/ComposedPage.h"

namespace catalogue {

int characterCount(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;  // every byte but a continuation byte starts a character
    return n;
}

void PageBuilder::add(std::string_view s) {
    page_.text += s;
    length_ += characterCount(s);
}

void PageBuilder::addQuoted(std::string_view s) {
    if (!s.empty()) page_.quoted.push_back({length_, characterCount(s)});
    add(s);
}

ComposedPage PageBuilder::finish() const {
    ComposedPage out = page_;
    const auto last = out.text.find_last_not_of(' ');
    out.text.erase(last == std::string::npos ? 0 : last + 1);
    const auto first = out.text.find_first_not_of(' ');
    if (first == std::string::npos) {
        out.text.clear();
        out.quoted.clear();
        return out;
    }
    out.text.erase(0, first);
    const int shift = int(first);  // blanks are one byte and one character each
    const int end = characterCount(out.text);
    std::vector<TextSpan> kept;
    for (TextSpan s : out.quoted) {
        s.start -= shift;
        if (s.start < 0) {
            s.length += s.start;
            s.start = 0;
        }
        if (s.start + s.length > end) s.length = end - s.start;
        if (s.length > 0) kept.push_back(s);
    }
    out.quoted = std::move(kept);
    return out;
}

}  // namespace catalogue
