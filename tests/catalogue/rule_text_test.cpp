// The rule text of every entry against the published text of the final Security Rule (the
// copy in tests/data): each quoted paragraph must be a whole paragraph of its own section,
// word for word, and the entry's highlight words must stand in the composed text.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/RuleText.h"
#include "tests/catalogue/TextChecks.h"

namespace {

using namespace catalogue;

using texts::lowered;
using texts::normalised;

// The published rule, section by section: each section's heading and its paragraphs (one per
// line), with the gap notes left out.
struct Rule {
  std::map<std::string, std::string> headings;                  // "164.308" -> heading line
  std::map<std::string, std::vector<std::string>> paragraphs;   // "164.308" -> lines
};

const Rule &publishedRule() {
  static const Rule rule = [] {
    Rule r;
    std::ifstream in(QUORVANE_TEST_DATA_DIR "/security-rule-2003.txt", std::ios::binary);
    EXPECT_TRUE(in.good()) << "security-rule-2003.txt missing from the test data";
    std::string line, section;
    while (std::getline(in, line)) {
      const std::string n = normalised(line);
      if (n.starts_with("\xC2\xA7 164.3")) {
        section = n.substr(std::string_view("\xC2\xA7 ").size(), 7);
        r.headings[section] = n;
        continue;
      }
      if (n.starts_with("Appendix A")) section.clear();
      if (section.empty() || n.empty() || n.starts_with("[")) continue;
      r.paragraphs[section].push_back(n);
    }
    return r;
  }();
  return rule;
}

std::string sectionOf(int k) {
  if (k <= 23) return "164.308";
  if (k <= 33) return "164.310";
  if (k <= 42) return "164.312";
  if (k <= 46) return "164.314";
  return "164.316";
}

bool isWholeParagraph(const std::string &section, const std::string &text) {
  for (const std::string &p : publishedRule().paragraphs.at(section))
    if (p == text) return true;
  return false;
}

using texts::containsWholeWords;

class RuleTextOf : public ::testing::TestWithParam<int> {};

TEST_P(RuleTextOf, QuotesWholeParagraphsOfTheFinalRuleWordForWord) {
  const int k = GetParam();
  const RuleText text = ruleText(k);
  ASSERT_FALSE(text.empty);
  const std::string section = sectionOf(k);
  ASSERT_TRUE(publishedRule().paragraphs.count(section)) << section;

  if (!text.sectionHeading.empty()) {
    EXPECT_EQ(normalised(text.sectionHeading), publishedRule().headings.at(section));
    EXPECT_TRUE(isWholeParagraph(section, normalised(text.openingSentence)))
        << text.openingSentence;
  }
  ASSERT_FALSE(text.paragraphs.empty());
  for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
    const std::string p = normalised(text.paragraphs[i]);
    if (isWholeParagraph(section, p)) continue;
    // A paragraph the program shows on two lines (a heading and its first item) must give a
    // whole paragraph when its two pieces are joined.
    ASSERT_LT(i + 1, text.paragraphs.size()) << "not a paragraph of " << section << ": " << p;
    EXPECT_TRUE(isWholeParagraph(section, p + " " + normalised(text.paragraphs[i + 1])))
        << "not a paragraph of " << section << ": " << p;
    ++i;
  }
}

TEST_P(RuleTextOf, HighlightWordsStandInTheComposedText) {
  const int k = GetParam();
  const RuleText text = ruleText(k);
  ASSERT_TRUE(text.hasHighlight);
  ASSERT_FALSE(text.highlight.empty());
  EXPECT_TRUE(containsWholeWords(composeRuleText(k), text.highlight)) << text.highlight;
}

TEST_P(RuleTextOf, ComposedAsHeaderAndOneLinePerPiece) {
  const int k = GetParam();
  const std::string composed = composeRuleText(k);
  const std::string head = "Implementation Specification:\r\n\r\n";
  ASSERT_TRUE(composed.starts_with(head));
  const std::string body = composed.substr(head.size());
  EXPECT_EQ(body.find("\r\n\r\n"), std::string::npos) << "no blank lines between pieces";
  EXPECT_FALSE(body.ends_with("\r\n"));
  EXPECT_FALSE(composed.ends_with(" "));

  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = body.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(body.substr(from, at - from));
  lines.push_back(body.substr(from));
  std::vector<std::string> expected = ruleTextPieces(ruleText(k));
  if (!ruleText(k).note.empty()) expected.emplace_back(ruleText(k).note);
  EXPECT_EQ(lines, expected);
  for (const std::string &line : lines) EXPECT_EQ(line.find('\n'), std::string::npos);
  // No gap note or other bracketed remark of the source text is ever shipped.
  EXPECT_EQ(composed.find("NOT RECOVERED"), std::string::npos);
  EXPECT_EQ(composed.find("[6"), std::string::npos);
}

std::vector<int> ruleEntries() {
  std::vector<int> ks;
  for (int k = 1; k <= 47; ++k)
    if (k != 43 && k != 46) ks.push_back(k);
  return ks;
}

INSTANTIATE_TEST_SUITE_P(AllSpecifications, RuleTextOf, ::testing::ValuesIn(ruleEntries()),
                         [](const auto &info) { return "k" + std::to_string(info.param); });

// Which paragraphs each entry shows, in which order: the count of the program's pieces after
// the lead-in and the first words of those it is known by, and the words it highlights.
struct ExpectedRule {
  int k;
  int count;  // paragraphs after the lead-in, quoted or left out
  std::string_view highlight;
  std::vector<std::pair<int, std::string_view>> firstWords;
};

const std::vector<ExpectedRule> &expectedRules() {
  static const std::vector<ExpectedRule> rows = {
    {1, 2, "Risk Analysis", {{0, "(ii) Implementation specifications:"}, {1, "(A) Risk analysis (Required). Conduct an accurate"}}},
    {2, 2, "Risk Management", {{0, "(ii) Implementation specifications:"}, {1, "(B) Risk management (Required). Implement security measures"}}},
    {3, 2, "Sanction Policy", {{0, "(ii) Implementation specifications:"}, {1, "(C) Sanction policy (Required). Apply appropriate sanctions"}}},
    {4, 2, "Information System Activity Review", {{0, "(ii) Implementation specifications:"}, {1, "(D) Information system activity review (Required). Implement"}}},
    {5, 2, "Assigned Security Responsibility", {{0, "(ii) Implementation specifications:"}, {1, "(2) Standard: Assigned security responsibility. Identify the"}}},
    {6, 3, "Authorization and/or Supervision", {{0, "(3)(i) Standard: Workforce security. Implement policies and"}, {1, "(ii) Implementation specifications:"}, {2, "(A) Authorization and/or supervision (Addressable). Implement procedures"}}},
    {7, 3, "Workforce Clearance Procedure", {{0, "(3)(i) Standard: Workforce security. Implement policies and"}, {1, "(ii) Implementation specifications:"}, {2, "(B) Workforce clearance procedure (Addressable). Implement procedures"}}},
    {8, 3, "Termination Procedures", {{0, "(3)(i) Standard: Workforce security. Implement policies and"}, {1, "(ii) Implementation specifications:"}, {2, "(C) Termination procedures (Addressable). Implement procedures for"}}},
    {9, 3, "Isolating health care clearinghouse functions", {{0, "(4)(i) Standard: Information access management. Implement policies"}, {1, "(ii) Implementation specifications:"}, {2, "(A) Isolating health care clearinghouse functions (Required)."}}},
    {10, 3, "Access Authorization", {{0, "(4)(i) Standard: Information access management. Implement policies"}, {1, "(ii) Implementation specifications:"}, {2, "(B) Access authorization (Addressable). Implement policies and"}}},
    {11, 3, "Access Establishment and Modification", {{0, "(4)(i) Standard: Information access management. Implement policies"}, {1, "(ii) Implementation specifications:"}, {2, "(C) Access establishment and modification (Addressable). Implement"}}},
    {12, 2, "Security Reminders", {{0, "(5)(i) Standard: Security awareness and training. Implement"}, {1, "(A) Security reminders (Addressable). Periodic security updates."}}},
    {13, 2, "Protection from malicious software", {{0, "(5)(i) Standard: Security awareness and training. Implement"}, {1, "(B) Protection from malicious software (Addressable). Procedures"}}},
    {14, 2, "Log-in monitoring", {{0, "(5)(i) Standard: Security awareness and training. Implement"}, {1, "(C) Log-in monitoring (Addressable). Procedures for monitoring"}}},
    {15, 2, "Password management", {{0, "(5)(i) Standard: Security awareness and training. Implement"}, {1, "(D) Password management (Addressable). Procedures for creating,"}}},
    {16, 2, "Response and Reporting", {{0, "(6)(i) Standard: Security incident procedures. Implement policies"}, {1, "(ii) Implementation specification: Response and Reporting (Required)."}}},
    {17, 3, "Data backup plan", {{0, "(7)(i) Standard: Contingency plan. Establish (and implement"}, {1, "(ii) Implementation specifications:"}, {2, "(A) Data backup plan (Required). Establish and"}}},
    {18, 3, "Disaster recovery plan", {{0, "(7)(i) Standard: Contingency plan. Establish (and implement"}, {1, "(ii) Implementation specifications:"}, {2, "(B) Disaster recovery plan (Required). Establish (and"}}},
    {19, 3, "Emergency mode operation plan", {{0, "(7)(i) Standard: Contingency plan. Establish (and implement"}, {1, "(ii) Implementation specifications:"}, {2, "(C) Emergency mode operation plan (Required). Establish"}}},
    {20, 3, "Testing and revision procedures", {{0, "(7)(i) Standard: Contingency plan. Establish (and implement"}, {1, "(ii) Implementation specifications:"}, {2, "(D) Testing and revision procedures (Addressable). Implement"}}},
    {21, 3, "Applications and data criticality analysis", {{0, "(7)(i) Standard: Contingency plan. Establish (and implement"}, {1, "(ii) Implementation specifications:"}, {2, "(E) Applications and data criticality analysis (Addressable)."}}},
    {22, 1, "Evaluation", {{0, "(8) Standard: Evaluation. Perform a periodic technical"}}},
    {23, 7, "Written Contract or Other Arrangement", {{0, "(b)(1) Standard: Business associate contracts and other"}, {1, "(2) This standard does not apply with"}, {6, "(4) Implementation specifications: Written contract or other"}}},
    {24, 3, "Contingency Operations", {{0, "(a)(1) Standard: Facility access controls. Implement policies"}, {1, "(2) Implementation specifications:"}, {2, "(i) Contingency operations (Addressable). Establish (and implement"}}},
    {25, 3, "Facility Security Plan", {{0, "(a)(1) Standard: Facility access controls. Implement policies"}, {1, "(2) Implementation specifications:"}, {2, "(ii) Facility security plan (Addressable). Implement policies"}}},
    {26, 3, "Access control and validation procedures", {{0, "(a)(1) Standard: Facility access controls. Implement policies"}, {1, "(2) Implementation specifications:"}, {2, "(iii) Access control and validation procedures (Addressable)."}}},
    {27, 3, "Maintenance records", {{0, "(a)(1) Standard: Facility access controls. Implement policies"}, {1, "(2) Implementation specifications:"}, {2, "(iv) Maintenance records (Addressable). Implement policies and"}}},
    {28, 1, "Workstation use", {{0, "(b) Standard: Workstation use. Implement policies and"}}},
    {29, 1, "Workstation security", {{0, "(c) Standard: Workstation security. Implement physical safeguards"}}},
    {30, 3, "Disposal", {{0, "(d)(1) Standard: Device and media controls. Implement"}, {1, "(2) Implementation specifications:"}, {2, "(i) Disposal (Required). Implement policies and procedures"}}},
    {31, 3, "Media re-use", {{0, "(d)(1) Standard: Device and media controls. Implement"}, {1, "(2) Implementation specifications:"}, {2, "(ii) Media re-use (Required). Implement procedures for"}}},
    {32, 3, "Accountability", {{0, "(d)(1) Standard: Device and media controls. Implement"}, {1, "(2) Implementation specifications:"}, {2, "(iii) Accountability (Addressable). Maintain a record of"}}},
    {33, 3, "Data backup and storage", {{0, "(d)(1) Standard: Device and media controls. Implement"}, {1, "(2) Implementation specifications:"}, {2, "(iv) Data backup and storage (Addressable). Create"}}},
    {34, 3, "Unique user identification", {{0, "(a)(1) Standard: Access control. Implement technical policies"}, {1, "(2) Implementation specifications:"}, {2, "(i) Unique user identification (Required). Assign a"}}},
    {35, 3, "Emergency access procedure", {{0, "(a)(1) Standard: Access control. Implement technical policies"}, {1, "(2) Implementation specifications:"}, {2, "(ii) Emergency access procedure (Required). Establish (and"}}},
    {36, 3, "Automatic logoff", {{0, "(a)(1) Standard: Access control. Implement technical policies"}, {1, "(2) Implementation specifications:"}, {2, "(iii) Automatic logoff (Addressable). Implement electronic procedures"}}},
    {37, 3, "Encryption and decryption", {{0, "(a)(1) Standard: Access control. Implement technical policies"}, {1, "(2) Implementation specifications:"}, {2, "(iv) Encryption and decryption (Addressable). Implement a"}}},
    {38, 1, "Audit controls", {{0, "(b) Standard: Audit controls. Implement hardware, software,"}}},
    {39, 2, "Mechanism to authenticate electronic protected health information", {{0, "(c)(1) Standard: Integrity. Implement policies and procedures"}, {1, "(2) Implementation specification: Mechanism to authenticate electronic"}}},
    {40, 1, "Person or entity authentication", {{0, "(d) Standard: Person or entity authentication. Implement"}}},
    {41, 3, "Integrity controls", {{0, "(e)(1) Standard: Transmission security. Implement technical security"}, {1, "(2) Implementation specifications:"}, {2, "(i) Integrity controls (Addressable). Implement security measures"}}},
    {42, 3, "Encryption", {{0, "(e)(1) Standard: Transmission security. Implement technical security"}, {1, "(2) Implementation specifications:"}, {2, "(ii) Encryption (Addressable). Implement a mechanism to"}}},
    {44, 17, "Business associate", {{0, "(a)(1) Standard: Business associate contracts or other"}, {1, "(i) The contract or other arrangement between"}, {16, "(C) The covered entity may omit from"}}},
    {45, 6, "Requirements for group health plans", {{0, "(b)(1) Standard: Requirements for group health plans."}, {1, "(2) Implementation specifications (Required). The plan documents"}, {5, "(iv) Report to the group health plan"}}},
    {47, 8, "Documentation", {{0, "(a) Standard: Policies and procedures. Implement reasonable"}, {1, "(b)(1) Standard: Documentation."}, {7, "(iii) Updates (Required). Review documentation periodically, and"}}},
  };
  return rows;
}

void PrintTo(const ExpectedRule &r, std::ostream *os) { *os << "k " << r.k; }

class RuleTextPlan : public ::testing::TestWithParam<ExpectedRule> {};

TEST_P(RuleTextPlan, ParagraphsInTheProgramsOrder) {
  const ExpectedRule &x = GetParam();
  const RuleText text = ruleText(x.k);
  EXPECT_EQ(text.highlight, x.highlight);
  EXPECT_EQ(static_cast<int>(text.paragraphs.size() + text.notQuoted.size()), x.count);
  for (const auto &[pos, words] : x.firstWords) {
    if (pos >= static_cast<int>(text.paragraphs.size())) continue;  // one of those left out
    // Letter case aside: the rule writes "Response and reporting" where the program's list of
    // first words has "Reporting".
    EXPECT_TRUE(lowered(text.paragraphs[static_cast<std::size_t>(pos)]).starts_with(lowered(words)))
        << "k " << x.k << " paragraph " << pos << ": " << text.paragraphs[static_cast<std::size_t>(pos)];
  }
}

INSTANTIATE_TEST_SUITE_P(AllSpecifications, RuleTextPlan, ::testing::ValuesIn(expectedRules()),
                         [](const auto &info) { return "k" + std::to_string(info.param.k); });

TEST(RuleText, LeadInBySection) {
  struct Case { int k; std::string_view heading, opening; };
  const Case cases[] = {
      {1, "\xC2\xA7 164.308  Administrative safeguards.",
       "(a) A covered entity must, in accordance with \xC2\xA7 164.306:"},
      {23, "\xC2\xA7 164.308  Administrative safeguards.",
       "(a) A covered entity must, in accordance with \xC2\xA7 164.306:"},
      {24, "\xC2\xA7 164.310  Physical safeguards.",
       "A covered entity must, in accordance with \xC2\xA7 164.306:"},
      {42, "\xC2\xA7 164.312  Technical safeguards.",
       "A covered entity must, in accordance with \xC2\xA7 164.306:"},
      {44, "", ""},
      {45, "", ""},
      {47, "\xC2\xA7 164.316  Policies and procedures and documentation requirements.",
       "A covered entity must, in accordance with \xC2\xA7 164.306:"},
  };
  for (const Case &c : cases) {
    const RuleText text = ruleText(c.k);
    EXPECT_EQ(text.sectionHeading, c.heading) << c.k;
    EXPECT_EQ(text.openingSentence, c.opening) << c.k;
  }
  const std::string composed = composeRuleText(1);
  EXPECT_NE(composed.find("\r\n\xC2\xA7 164.308  Administrative safeguards.\r\n"
                          "    (a) A covered entity"),
            std::string::npos);
  // Without a lead-in the text begins with the standard's paragraph, its blanks kept.
  EXPECT_TRUE(composeRuleText(45).starts_with(
      "Implementation Specification:\r\n\r\n    (b)(1) Standard: Requirements for group health plans."));
}

TEST(RuleText, OverviewEntriesHaveNoTextAtAll) {
  for (int k : {43, 46}) {
    const RuleText text = ruleText(k);
    EXPECT_TRUE(text.empty);
    EXPECT_FALSE(text.hasHighlight);
    EXPECT_TRUE(text.paragraphs.empty());
    EXPECT_EQ(composeRuleText(k), "") << "no header either";
  }
}

TEST(RuleText, NumberOutsideTheCatalogueGivesTheHeaderAlone) {
  for (int k : {0, -898, 48, 502}) {
    const RuleText text = ruleText(k);
    EXPECT_FALSE(text.empty);
    EXPECT_FALSE(text.hasHighlight);
    EXPECT_TRUE(text.highlight.empty());
    EXPECT_EQ(composeRuleText(k), "Implementation Specification:\r\n\r\n") << k;
  }
}

TEST(RuleText, SamplePageShowsPasswordManagement) {
  const int k = specNumber(PageSample, 3);
  ASSERT_EQ(k, 15);
  EXPECT_NE(composeRuleText(k).find("    (D) Password management (Addressable)."),
            std::string::npos);
}

TEST(RuleText, OnlyTheParagraphsWithout2003WordingAreLeftOut) {
  for (int k = 1; k <= 47; ++k) {
    if (k == 44 || k == 45) continue;
    EXPECT_TRUE(ruleText(k).notQuoted.empty()) << k;
  }
  const RuleText ba = ruleText(44);
  EXPECT_EQ(ba.paragraphs.back(), "(ii) Other arrangements.");
  EXPECT_EQ(ba.notQuoted,
            (std::vector<std::string_view>{"(a)(2)(ii)(A)", "(a)(2)(ii)(A)(1)", "(a)(2)(ii)(A)(2)",
                                           "(a)(2)(ii)(B)", "(a)(2)(ii)(C)"}));
  const RuleText plans = ruleText(45);
  EXPECT_EQ(plans.paragraphs.size(), 1u);
  EXPECT_EQ(plans.notQuoted, (std::vector<std::string_view>{"(b)(2)", "(b)(2)(i)", "(b)(2)(ii)",
                                                            "(b)(2)(iii)", "(b)(2)(iv)"}));
  // The later wording of the business associate and plan document paragraphs never appears.
  EXPECT_EQ(composeRuleText(44).find("164.504(e)(3)"), std::string::npos);
  EXPECT_EQ(composeRuleText(45).find("plan documents of the group health plan must"),
            std::string::npos);
}


// A text that stops short ends with the program's note on what is left out and where it is
// published, so that no reader takes the requirement to end there; complete texts have none.
class IncompleteRuleText : public ::testing::TestWithParam<int> {};

TEST_P(IncompleteRuleText, EndsWithANoteOnTheParagraphsLeftOut) {
  const int k = GetParam();
  const RuleText text = ruleText(k);
  const std::string composed = composeRuleText(k);
  if (text.notQuoted.empty()) {
    EXPECT_TRUE(text.note.empty()) << k;
    EXPECT_EQ(composed.find("Program note"), std::string::npos) << k;
    return;
  }
  const std::string note(text.note);
  ASSERT_TRUE(composed.ends_with("\r\n" + note)) << k;
  EXPECT_TRUE(note.starts_with("Program note: ")) << note;
  // It names the first paragraph left out and the place of publication.
  const std::string first(text.notQuoted.front());
  EXPECT_NE(note.find(first), std::string::npos) << note;
  EXPECT_NE(note.find("\u00A7 164.314 of the final rule, 68 FR 8334, February 20, 2003."), std::string::npos)
      << note;
  // The marking loop marks the entry's name wherever it stands; the note never holds it.
  EXPECT_FALSE(containsWholeWords(note, text.highlight)) << note;
}

INSTANTIATE_TEST_SUITE_P(AllSpecifications, IncompleteRuleText, ::testing::ValuesIn(ruleEntries()),
                         [](const auto &info) { return "k" + std::to_string(info.param); });

}  // namespace
