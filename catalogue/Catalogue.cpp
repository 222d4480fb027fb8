#include "catalogue/Catalogue.h"

namespace catalogue {

std::string_view markText(int k) {
    if (!isSpecNumber(k)) return {};
    switch (entry(k).mark) {
    case 'R': return "R";
    case 'A': return "A";
    default: return {};
    }
}

std::string shownText(std::string_view labelText) {
    std::string out;
    out.reserve(labelText.size());
    for (std::size_t i = 0; i < labelText.size(); ++i) {
        out += labelText[i];
        if (labelText[i] == '&' && i + 1 < labelText.size() && labelText[i + 1] == '&') ++i;
    }
    return out;
}

std::string_view pageCaption(int areaMode) {
    if (areaMode < 0 || areaMode >= PageCount) return {};
    return PageCaptions[static_cast<std::size_t>(areaMode)];
}

}  // namespace catalogue
