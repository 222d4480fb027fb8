// The additional information of every entry: the Addressable explanation exactly where the
// catalogue marks a specification Addressable, the guidance page by page as it begins and as
// many paragraphs as it has, its keyword, and the rule's own sentences quoted word for word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/AdditionalInfo.h"
#include "catalogue/Catalogue.h"
#include "tests/catalogue/TextChecks.h"

namespace {

using namespace catalogue;
using texts::containsWholeWords;
using texts::normalised;

TEST(AddressableExplanation, NineLinesAsTheProgramHasAlwaysWorded) {
  const std::string expected =
      "This Implementation Specification is Addressable.\r\n"
      "This means that a covered entity will do one of the following:\r\n"
      "    1 - Will Implement this Implementation specification.\r\n"
      "    2 - Implement one of more alternative security measures;\r\n"
      "    3 - Implement a combination of both; or\r\n"
      "    4 - Do not implement the addressable implementation specification or\r\n"
      "        an alternative security measure. (Least desirable)\r\n"
      "    Which ever action is taken it should be well documented!\r\n"
      "    In several addressable areas it may be easier to implement than explain/justify why not used!";
  EXPECT_EQ(addressableExplanationText(), expected);
}

struct Guidance {
  int k;
  bool explanation;
  std::string_view firstWords;
  int paragraphs;
  std::string_view keyword;
};

void PrintTo(const Guidance &g, std::ostream *os) { *os << "k " << g.k; }

const std::vector<Guidance> &guidance() {
  static const std::vector<Guidance> rows = {
      {1, false, "This is your main tool in determining the", 5, "Risk Analysis"},
      {2, false, "Use Risk Management to devise, implement, and maintain", 2, "Risk Management"},
      {3, false, "The Sanctions must be clearly defined; that is", 4, "Sanctions"},
      {4, false, "Need to establish an Activity Review, (i.e. Internal", 1, "Activity Review"},
      {5, false, "The responsibility needs to rest with one individual", 3, "Responsibility"},
      {6, true, "Authorization controls need to be established to verify", 2, "Authorization"},
      {7, true, "Identify types of background checks and so forth", 1, "Workforce Clearance Procedures"},
      {8, true, "As part of your termination procedures, you will", 1, "Termination Procedures"},
      {9, false, "If a health care clearinghouse is part of", 1, "clearinghouse"},
      {10, true, "Access controls should restrict user access to PHI", 2, "Access"},
      {11, true, "Access controls should restrict user access to PHI", 2, "access"},
      {12, true, "These security reminders could be part of ongoing", 1, "security reminders"},
      {13, true, "Need to establish procedures for guarding against, detecting,", 1, "malicious software"},
      {14, true, "Need to establish procedures for monitoring log-in attempts", 1, "monitoring Log-in"},
      {15, true, "Need to establish procedures for creating, changing, and", 1, "Passwords"},
      {16, false, "This policy should provide a way for users", 1, "Report"},
      {17, false, "Establish and implement procedures to create and maintain", 3, "backup"},
      {18, false, "Primary goal of a disaster recovery plan is", 2, "Disaster recovery plan"},
      {19, false, "Establish procedures to secure ePHI while operating in", 2, "Emergency mode"},
      {20, true, "Implement procedures for periodic testing and revision of", 2, "Testing and revision"},
      {21, true, "Assess the relative criticality of specific applications and", 2, "criticality"},
      {22, false, "This evaluation would include periodic review of technical", 1, "Evaluation"},
      {23, false, "You should identify all business associates who receive", 2, "business associates"},
      {24, true, "Each contingency needs to specify such things as:", 8, "contingency"},
      {25, true, "Entity should implement policies and procedures to safeguard", 1, "facility and the equipment"},
      {26, true, "May want to use card swipe or proximity", 2, "access"},
      {27, true, "This would include such items are maintenance records", 1, "maintenance records"},
      {28, false, "May possibly be able to address both Workstation", 2, "Workstation Use"},
      {29, false, "May possibly be able to address both Workstation", 3, "Workstation Security"},
      {30, false, "Policy should detail how to dispose or disposal", 2, "disposal"},
      {31, false, "Concerning media re-use, be aware that a low", 4, "media re-use"},
      {32, true, "Accountability means a covered entity should maintain a", 1, "Accountability"},
      {33, true, "Create a retrievable, exact copy of electronic protected", 2, "create"},
      {34, false, "Must assign a unique name and/or number for", 1, "unique name"},
      {35, false, "A covered entity must establish and implement as", 1, "obtaining necessary ePHI during an emergency"},
      {36, true, "A covered entity should implement electronic procedures that", 1, "electronic procedures"},
      {37, true, "Implement a mechanism to encrypt and decrypt electronic", 2, "encrypt and decrypt"},
      {38, false, "Randomly select users for audits.", 9, "Audit"},
      {39, true, "Need to document any integrity controls that will", 1, "integrity"},
      {40, false, "Person or entity authentication is usually accomplished through", 2, "Person or entity authentication"},
      {41, true, "Part of our integrity controls,", 1, "integrity controls"},
      {42, true, "A covered entity should implement a mechanism to", 1, "Encrypt"},
      {43, false, "Not applicable at this time.", 1, ""},
      {44, false, "The covered entity must obtain satisfactory assurances from", 2, "business associate"},
      {45, false, "Requirements for group health plans. Except when the", 1, "Group health plans"},
  };
  return rows;
}

class GuidancePage : public ::testing::TestWithParam<Guidance> {};

TEST_P(GuidancePage, BeginsAsListedWithItsParagraphsAndKeyword) {
  const Guidance g = GetParam();
  const AdditionalInfo info = additionalInfo(g.k);
  EXPECT_TRUE(info.fileName.empty());
  EXPECT_EQ(info.keyword, g.keyword);
  EXPECT_EQ(info.hasKeyword, !g.keyword.empty());
  ASSERT_EQ(static_cast<int>(info.paragraphs.size()), g.paragraphs);
  const GuidanceParagraph &first = info.paragraphs.front();
  EXPECT_TRUE((std::string(first.quoted) + std::string(first.text)).starts_with(g.firstWords));
  const ComposedPage page = composeAdditionalInfo(g.k);
  if (!g.keyword.empty()) {
    EXPECT_TRUE(containsWholeWords(page.text, g.keyword)) << g.keyword;
  }
}

TEST_P(GuidancePage, ExplanationStandsExactlyOnTheAddressableOnes) {
  const Guidance g = GetParam();
  EXPECT_EQ(g.explanation, entry(g.k).mark == 'A');
  EXPECT_EQ(additionalInfo(g.k).explanation, g.explanation);
  const std::string head = "Additional Information:\r\n\r\n";
  const std::string page = composeAdditionalInfo(g.k).text;
  ASSERT_TRUE(page.starts_with(head));
  const std::string body = page.substr(head.size());
  const std::string explanation = addressableExplanationText() + "\r\n\r\n";
  EXPECT_EQ(body.starts_with(explanation), g.explanation);
  EXPECT_TRUE(body.substr(g.explanation ? explanation.size() : 0).starts_with(g.firstWords));
}

TEST_P(GuidancePage, RulesOwnWordsAreQuotedWordForWordAndCited) {
  const Guidance g = GetParam();
  const AdditionalInfo info = additionalInfo(g.k);
  const ComposedPage page = composeAdditionalInfo(g.k);
  std::vector<std::string> quoted, spans;
  for (const GuidanceParagraph &p : info.paragraphs) {
    if (p.quoted.empty()) continue;
    quoted.emplace_back(p.quoted);
    EXPECT_NE(texts::ruleFileText().find(normalised(p.quoted)), std::string::npos) << p.quoted;
    EXPECT_TRUE(p.text.starts_with(" (45 CFR 164.3")) << p.text;
  }
  for (const TextSpan &s : page.quoted) spans.push_back(texts::charSpan(page.text, s.start, s.length));
  EXPECT_EQ(spans, quoted);
}

INSTANTIATE_TEST_SUITE_P(AllComposedPages, GuidancePage, ::testing::ValuesIn(guidance()),
                         [](const auto &info) { return "k" + std::to_string(info.param.k); });

TEST(AdditionalInfo, FirstWordsThatAreTheRulesOwnAreFinishedFromTheRule) {
  for (int k : {9, 17, 20, 21, 33, 37, 45}) {
    SCOPED_TRACE("k " + std::to_string(k));
    EXPECT_FALSE(additionalInfo(k).paragraphs.front().quoted.empty());
  }
}

TEST(AdditionalInfo, AuthorizationPageIsHeaderExplanationBlankLineGuidance) {
  const std::vector<std::string> lines = texts::crlfLines(composeAdditionalInfo(6).text);
  ASSERT_GE(lines.size(), 13u);
  EXPECT_EQ(lines[0], "Additional Information:");
  EXPECT_EQ(lines[1], "");
  for (std::size_t i = 0; i < AddressableExplanation.size(); ++i)
    EXPECT_EQ(lines[2 + i], AddressableExplanation[i]);
  EXPECT_EQ(lines[11], "");
  EXPECT_TRUE(lines[12].starts_with("Authorization controls need to be established to verify"));
  EXPECT_EQ(lines[13], "");
  EXPECT_EQ(lines.size(), 15u);  // two paragraphs with a blank line between
}

TEST(AdditionalInfo, OrganizationalOverviewIsNotApplicable) {
  EXPECT_EQ(composeAdditionalInfo(43).text, "Additional Information:\r\n\r\nNot applicable at this time.");
  EXPECT_FALSE(additionalInfo(43).hasKeyword);
}

TEST(AdditionalInfo, ListItemsStandOnePerLine) {
  // k 24: the lead, six items on the lines after it, then a paragraph after a blank line.
  const std::vector<std::string> lines24 = texts::crlfLines(composeAdditionalInfo(24).text);
  const std::size_t lead = 2 + AddressableExplanation.size() + 1;
  ASSERT_EQ(lines24.size(), lead + 1 + 6 + 2);
  EXPECT_EQ(lines24[lead], "Each contingency needs to specify such things as:");
  for (std::size_t i = lead + 1; i <= lead + 6; ++i) EXPECT_TRUE(lines24[i].starts_with("    ")) << lines24[i];
  EXPECT_EQ(lines24[lead + 7], "");
  // k 38: eight lines one under the other, then a paragraph after a blank line.
  const std::vector<std::string> lines38 = texts::crlfLines(composeAdditionalInfo(38).text);
  ASSERT_EQ(lines38.size(), 2u + 8 + 2);
  EXPECT_EQ(lines38[2], "Randomly select users for audits.");
  for (std::size_t i = 2; i < 10; ++i) EXPECT_FALSE(lines38[i].empty());
  EXPECT_EQ(lines38[10], "");
}

TEST(AdditionalInfo, PoliciesEntriesShowTheShippedDocument) {
  for (int k : {46, 47}) {
    const AdditionalInfo info = additionalInfo(k);
    EXPECT_EQ(info.fileName, "Addtl45.dat");
    EXPECT_TRUE(info.paragraphs.empty());
    EXPECT_TRUE(composeAdditionalInfo(k).text.empty());
  }
}

TEST(AdditionalInfo, ANumberOutsideTheCatalogueGivesTheHeaderAlone) {
  for (int k : {0, 48, -5}) {
    EXPECT_EQ(composeAdditionalInfo(k).text, "Additional Information:\r\n\r\n");
    EXPECT_FALSE(additionalInfo(k).hasKeyword);
  }
}

TEST(AdditionalInfo, EveryPageAdvisesWhatAnAuditorAsksFor) {
  // The guidance is real advice: each page (but the organizational overview) says what to
  // keep for an audit.
  for (int k = 1; k <= 45; ++k) {
    if (k == 43) continue;
    EXPECT_NE(texts::lowered(composeAdditionalInfo(k).text).find("auditor"), std::string::npos) << "k " << k;
  }
}

}  // namespace
