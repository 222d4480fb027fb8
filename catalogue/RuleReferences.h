// The references in the rule of an implementation specification: what the preamble of the
// final Security Rule (68 FR 8334, February 20, 2003) says about it, and the regulation
// paragraphs that define it.
//
// Fourteen specifications have a shipped rich-text document of their own, loaded whole and
// shown as it stands. The pages of the others are composed here: the preamble's own words
// where the program has them, a program note (in the program's own words, and saying so)
// where it has not, and, after a blank line, the specification's paragraphs of the 2003 rule
// text, so that its name can always be marked.
//
// The Action Area window's LoadRuleReferences does the rest: it puts the text into RText1(1),
// marks the highlight words, and shows the page when "References in Rule" is chosen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ComposedPage.h"

namespace catalogue {

// First line of every composed page, followed by two line breaks.
inline constexpr std::string_view ReferencesHeader = "References in Rule:";

struct ReferencePiece {
    enum Kind {
        Heading,      // a heading of the preamble, quoted
        Preamble,     // a paragraph of the preamble, quoted
        ProgramNote,  // the program's own words about the preamble; begins "Program note:"
        Regulation,   // a paragraph of the 2003 rule text, quoted
    };
    Kind kind;
    std::string text;  // without its leading blanks
    int indent = 0;    // leading blanks in the page
};

struct RuleReferences {
    // Not empty: the page is this shipped document, loaded whole and shown unmarked.
    std::string_view fileName;
    // A composed page: the discussion pieces, then the regulation pieces.
    std::vector<ReferencePiece> pieces;
    // The word group to mark (whole words, letter case ignored).
    std::string_view highlight;
    // false for the file rows and for a number outside 1..47 (W stays unset).
    bool hasHighlight = false;
};

// The references of SpecNumber k. A k outside 1..47 gives a composed page with no pieces.
RuleReferences ruleReferences(int specNumber);

// The composed page for RText1(1): the header, two CR LF, the discussion pieces separated by
// a blank line, then after a blank line the regulation pieces one per line; leading and
// trailing blanks removed. The header alone for a k outside 1..47; empty for a file row.
ComposedPage composeRuleReferences(int specNumber);

// Every shipped reference document, in the order of the specifications that show it.
std::vector<std::string_view> referenceFileNames();

}  // namespace catalogue
