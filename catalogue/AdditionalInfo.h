// The additional information of an implementation specification: the program's own advice,
// in plain words, on what to do, what to write down, what a small practice typically does and
// what an auditor asks to see. Every Addressable specification's page opens with the fixed
// explanation of what "Addressable" obliges a covered entity to do. The two policies and
// documentation entries (k 46 and 47) show the shipped document Addtl45.dat instead.
//
// The Action Area window's LoadAdditionalInfo puts the composed text into RText1(2), marks
// the keyword and shows the page when "Additional Information" is chosen.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ComposedPage.h"

namespace catalogue {

// First line of every composed page, followed by two line breaks.
inline constexpr std::string_view AdditionalInfoHeader = "Additional Information:";

// The shipped document of k 46 and 47.
inline constexpr std::string_view AdditionalInfoFile = "Addtl45.dat";

// The Addressable explanation, line by line (the program's own wording, kept as it has always
// read); the lines are joined by CR LF.
inline constexpr std::array<std::string_view, 9> AddressableExplanation{{
    "This Implementation Specification is Addressable.",
    "This means that a covered entity will do one of the following:",
    "    1 - Will Implement this Implementation specification.",
    "    2 - Implement one of more alternative security measures;",
    "    3 - Implement a combination of both; or",
    "    4 - Do not implement the addressable implementation specification or",
    "        an alternative security measure. (Least desirable)",
    "    Which ever action is taken it should be well documented!",
    "    In several addressable areas it may be easier to implement than explain/justify why not used!",
}};

// The explanation as the hub's WorkText holds it: the nine lines joined by CR LF.
std::string addressableExplanationText();

struct GuidanceParagraph {
    // Where the paragraph opens with the rule's own words (the sentence finished word for word
    // from the 2003 rule text), those words; the paragraph is quoted followed by text.
    std::string_view quoted;
    // The program's words (after the quoted ones, with the citation of the rule first).
    std::string_view text;
    // A list item: it follows the paragraph before it on the next line, with no blank line.
    bool listItem = false;
};

struct AdditionalInfo {
    // Not empty: the page is this shipped document, loaded whole and shown unmarked.
    std::string_view fileName;
    // The Addressable explanation stands before the guidance.
    bool explanation = false;
    std::vector<GuidanceParagraph> paragraphs;
    // The keyword to mark (whole words, letter case ignored); empty for k 43.
    std::string_view keyword;
    bool hasKeyword = false;
};

// The additional information of SpecNumber k. A k outside 1..47 gives a page with nothing
// after the header.
AdditionalInfo additionalInfo(int specNumber);

// The composed page for RText1(2): the header, two CR LF, the explanation and a blank line
// where it stands, then the guidance paragraphs (a blank line between them, list items one per
// line); leading and trailing blanks removed. Empty for k 46 and 47.
ComposedPage composeAdditionalInfo(int specNumber);

}  // namespace catalogue
