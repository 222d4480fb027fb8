#include "printing/SpecificationPage.h"

#include <QStringList>

namespace printing {

SpecificationPage composeSpecificationPage(const std::array<bool, 3>& ticked,
                                           const std::array<QString, 3>& plainTexts) {
    SpecificationPage page;
    int count = 0;
    for (bool t : ticked) count += t ? 1 : 0;
    if (count == 0) return page;
    if (count == 1) {
        page.kind = SpecificationPage::Single;
        for (int i = 0; i < 3; ++i)
            if (ticked[std::size_t(i)]) page.single = i;
        return page;
    }
    page.kind = SpecificationPage::Joined;
    QStringList parts;
    for (int i = 0; i < 3; ++i)
        if (ticked[std::size_t(i)]) parts << plainTexts[std::size_t(i)];
    page.plainText = parts.join(PagePartSeparator);
    return page;
}

}  // namespace printing
