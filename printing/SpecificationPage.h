// The specification page: the read-only texts of one implementation specification that the
// user ticks (its rule text, the references in the rule, the additional information) joined
// into one page for printing.
#pragma once

#include <QString>
#include <array>

namespace printing {

// The joined parts are separated by one empty line.
inline const QString PagePartSeparator = QStringLiteral("\r\n\r\n");

struct SpecificationPage {
    enum Kind {
        Empty,   // nothing ticked: the page stays empty
        Joined,  // two or three parts: their plain texts, joined (their own formatting dropped)
        Single,  // one part: that buffer's rich text, formatting kept
    };
    Kind kind = Empty;
    QString plainText;  // Joined
    int single = -1;    // Single: which buffer, 0 rule text, 1 references, 2 additional
};

// What the page holds for the ticked parts (0 rule text, 1 references, 2 additional
// information), from the plain texts of the three buffers.
SpecificationPage composeSpecificationPage(const std::array<bool, 3>& ticked,
                                           const std::array<QString, 3>& plainTexts);

}  // namespace printing
