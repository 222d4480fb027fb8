// The rule text of an implementation specification: the words of the final Security Rule
// (45 CFR 164.308-164.316 as published on February 20, 2003) that define one entry of the
// catalogue, composed the way the "Implementation specification" view and the specification
// page show them.
//
// This is pure data and composition. The Action Area window's LoadRuleText does the rest:
//   1. g := specFileNumber(AreaMode, SpecIndex); if g is not NoNumber, LoopIndex := g
//      (on pages 0, 1, 7 and 8 LoopIndex keeps whatever it holds); k := LoopIndex + 1.
//   2. RText1(0).text := composeRuleText(k).
//   3. With PrintModeFlag -999 it stops there. On screen it runs the marking loop on RText1(0)
//      with ruleText(k).highlight (every whole-word, case-blind occurrence bold and underlined),
//      sets the selection start to 1, copies the rich text into Rtext3 if SSOption6 is set,
//      and sets UnsavedChanges := 0.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// First line of every rule text, followed by two line breaks.
inline constexpr std::string_view RuleTextHeader = "Implementation Specification:";
inline constexpr std::string_view RuleLineBreak = "\r\n";
// Leading blanks of the opening sentence and of every quoted paragraph.
inline constexpr std::string_view RuleParagraphIndent = "    ";

struct RuleText {
    // Section heading as the program writes it (two blanks after the section number); empty for
    // k 43-46, whose text begins with the standard's paragraph or is empty.
    std::string_view sectionHeading;
    // The section's opening sentence, without its leading blanks; empty where there is no
    // heading.
    std::string_view openingSentence;
    // The quoted paragraphs in the order shown, each the rule's own words without leading blanks.
    std::vector<std::string_view> paragraphs;
    // The word group to mark (whole words, letter case ignored); empty when there is none.
    std::string_view highlight;
    // false for k 43 and 46 (nothing to mark) and for a number outside 1..47 (W stays unset).
    bool hasHighlight = false;
    // true for k 43 and 46: the overview entries have no rule text at all, not even the header.
    bool empty = false;
    // Designations of paragraphs that belong to this entry's text but whose 2003 wording is not
    // available to the program; they are left out rather than quoted from a later edition.
    std::vector<std::string_view> notQuoted;
    // Where paragraphs are not quoted: the program's note that ends the text, saying which
    // paragraphs are left out and where they are published; empty elsewhere.
    std::string_view note;
};

// The pieces of the rule text of SpecNumber k. A k outside 1..47 gives no pieces (header only).
RuleText ruleText(int specNumber);

// The lines that follow the header, each with the leading blanks it has in the composed text:
// section heading, opening sentence, then the paragraphs (the rule's words only).
std::vector<std::string> ruleTextPieces(const RuleText& text);

// The composed text for RText1(0): the header, two CR LF, the pieces joined by one CR LF
// (no blank lines) and, where the text has one, CR LF and the note; leading and trailing
// blanks removed. Empty for k 43 and 46; the header and its two line breaks alone for a k
// outside 1..47.
std::string composeRuleText(int specNumber);

}  // namespace catalogue
