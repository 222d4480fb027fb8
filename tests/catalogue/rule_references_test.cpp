// The references in the rule of every entry: the shipped documents of the fourteen that have
// one, and the composed pages of the others against the published preamble and rule (the
// copies in tests/data). Every quoted paragraph must stand in them word for word; everything
// else is a program note that says so and where the full text is published.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "catalogue/RuleReferences.h"
#include "catalogue/RuleText.h"
#include "tests/catalogue/TextChecks.h"

namespace {

using namespace catalogue;
using texts::containsWholeWords;
using texts::normalised;

const std::map<int, std::string_view> &fileRows() {
  static const std::map<int, std::string_view> rows = {
      {1, "RefRA1.Dat"},  {2, "RefRM1.Dat"},   {3, "RefSC1.Dat"},  {8, "RefTM1.Dat"},
      {10, "RefAA1.Dat"}, {11, "RefAE1.Dat"},  {22, "RefEV1.Dat"}, {25, "RefFS1.Dat"},
      {28, "RefWU1.Dat"}, {42, "RefEnc1.Dat"}, {43, "OrgReq1.Dat"}, {44, "OrgRef2.Dat"},
      {46, "PPReq1.Dat"}, {47, "PPReq1.Dat"}};
  return rows;
}

std::vector<int> composedRows() {
  std::vector<int> ks;
  for (int k = 1; k <= 47; ++k)
    if (!fileRows().count(k)) ks.push_back(k);
  return ks;
}

TEST(RuleReferences, FourteenSpecificationsShowAShippedDocumentAsItStands) {
  for (int k = 1; k <= 47; ++k) {
    SCOPED_TRACE("k " + std::to_string(k));
    const RuleReferences refs = ruleReferences(k);
    const auto file = fileRows().find(k);
    if (file == fileRows().end()) {
      EXPECT_TRUE(refs.fileName.empty());
      EXPECT_TRUE(refs.hasHighlight);
      continue;
    }
    EXPECT_EQ(refs.fileName, file->second);
    EXPECT_TRUE(refs.pieces.empty());
    EXPECT_FALSE(refs.hasHighlight);
    EXPECT_TRUE(composeRuleReferences(k).text.empty());
  }
  const std::vector<std::string_view> names = referenceFileNames();
  EXPECT_EQ(names.size(), 13u);  // PPReq1.Dat serves both policies entries
  EXPECT_EQ(names.front(), "RefRA1.Dat");
  EXPECT_EQ(names.back(), "PPReq1.Dat");
}

// Only blanks are trimmed, so the header keeps its two line breaks.
TEST(RuleReferences, ANumberOutsideTheCatalogueGivesTheHeaderAlone) {
  for (int k : {0, -1, 48, 1000}) {
    const RuleReferences refs = ruleReferences(k);
    EXPECT_FALSE(refs.hasHighlight);
    EXPECT_TRUE(refs.fileName.empty());
    EXPECT_EQ(composeRuleReferences(k).text, "References in Rule:\r\n\r\n");
  }
}

class ComposedReferences : public ::testing::TestWithParam<int> {};

TEST_P(ComposedReferences, QuotesThePreambleAndTheRuleWordForWord) {
  const int k = GetParam();
  const RuleReferences refs = ruleReferences(k);
  ASSERT_FALSE(refs.pieces.empty());
  for (const ReferencePiece &p : refs.pieces) {
    const std::string text = normalised(p.text);
    switch (p.kind) {
    case ReferencePiece::Heading:
    case ReferencePiece::Preamble:
      // The preamble's own words, not those its notes give from other sources.
      EXPECT_NE(texts::preambleOwnText().find(text), std::string::npos) << "not in the preamble: " << text;
      break;
    case ReferencePiece::Regulation:
      EXPECT_NE(texts::ruleFileText().find(text), std::string::npos) << "not in the rule: " << text;
      break;
    case ReferencePiece::ProgramNote:
      EXPECT_TRUE(p.text.starts_with("Program note: ")) << p.text;
      break;
    }
    for (const char *editorial : {"NOT RECOVERED", "[...]", "[P", "[Note", "(sic)", "[[Page"})
      EXPECT_EQ(p.text.find(editorial), std::string::npos) << editorial << " in " << p.text;
  }
}

TEST_P(ComposedReferences, NeitherQuotesNorNotesRepeatWhatThePreambleHasOnlyInItsNotes) {
  const std::string page = normalised(composeRuleReferences(GetParam()).text);
  for (const std::string &q : texts::noteOnlyQuotations())
    EXPECT_EQ(page.find(q), std::string::npos) << q;
}

TEST(RuleReferences, WordsThePreambleHasOnlyInItsNotesAreKnownAsSuch) {
  // Two passages that secondary sources give as the preamble's words: the reference keeps
  // them in its notes on what was not recovered.
  const auto &quotes = texts::noteOnlyQuotations();
  for (const char *start : {"form the foundation upon which an entity's necessary security activities",
                            "The need for and extent of a screening process is normally based"})
    EXPECT_TRUE(std::any_of(quotes.begin(), quotes.end(), [&](const std::string &q) { return q.starts_with(start); }))
        << start;
}

// Of sections III.F and III.H the reference holds the headings and the openings alone (of
// III.F not even its opening): a note on them names no topic that they are said to discuss.
struct UnheldTopics {
  int k;
  std::vector<const char *> topics;
};

class NotesOnPartsNotHeld : public ::testing::TestWithParam<UnheldTopics> {};

TEST_P(NotesOnPartsNotHeld, NameNoTopicTheReferenceDoesNotHold) {
  const RuleReferences refs = ruleReferences(GetParam().k);
  int notes = 0;
  for (const ReferencePiece &p : refs.pieces) {
    if (p.kind != ReferencePiece::ProgramNote) continue;
    ++notes;
    for (const char *topic : GetParam().topics) EXPECT_FALSE(containsWholeWords(p.text, topic)) << p.text;
  }
  EXPECT_GE(notes, 1);
}

const std::vector<const char *> PhysicalTopicsNotHeld = {"workstation security", "device and media",
                                                         "disposal", "re-use", "accountability"};
INSTANTIATE_TEST_SUITE_P(
    SectionsIIIFAndIIIH, NotesOnPartsNotHeld,
    ::testing::Values(UnheldTopics{29, PhysicalTopicsNotHeld}, UnheldTopics{30, PhysicalTopicsNotHeld},
                      UnheldTopics{31, PhysicalTopicsNotHeld}, UnheldTopics{32, PhysicalTopicsNotHeld},
                      UnheldTopics{33, PhysicalTopicsNotHeld},
                      UnheldTopics{45, {"group health plans", "business associate"}}),
    [](const auto &info) { return "k" + std::to_string(info.param.k); });

TEST_P(ComposedReferences, EveryProgramNoteSaysWhereThePreambleIsPublished) {
  const RuleReferences refs = ruleReferences(GetParam());
  bool anyNote = false, cited = false;
  for (const ReferencePiece &p : refs.pieces) {
    if (p.kind != ReferencePiece::ProgramNote) continue;
    anyNote = true;
    cited = cited || p.text.find("68 FR 8334, February 20, 2003") != std::string::npos;
  }
  EXPECT_EQ(anyNote, cited);
}

TEST_P(ComposedReferences, ClosesWithTheSpecificationsParagraphSoItsNameIsMarked) {
  const int k = GetParam();
  const RuleReferences refs = ruleReferences(k);
  ASSERT_FALSE(refs.pieces.empty());
  EXPECT_EQ(refs.pieces.back().kind, ReferencePiece::Regulation);
  EXPECT_EQ(refs.pieces.back().text, ruleText(k).paragraphs.back());
  // Once the rule text begins, nothing but the rule follows.
  bool inRule = false;
  for (const ReferencePiece &p : refs.pieces) {
    if (p.kind == ReferencePiece::Regulation) {
      inRule = true;
    } else {
      EXPECT_FALSE(inRule) << "discussion after the rule text: " << p.text;
    }
  }
  const ComposedPage page = composeRuleReferences(k);
  EXPECT_TRUE(containsWholeWords(page.text, refs.highlight)) << refs.highlight;
}

TEST_P(ComposedReferences, HeaderThenBlankLinesBetweenPiecesAndTheRuleLineByLine) {
  const int k = GetParam();
  const RuleReferences refs = ruleReferences(k);
  const ComposedPage page = composeRuleReferences(k);
  ASSERT_TRUE(page.text.starts_with("References in Rule:\r\n\r\n"));
  EXPECT_FALSE(page.text.ends_with(" "));
  EXPECT_FALSE(page.text.ends_with("\r\n"));

  std::vector<std::string> expected = {"References in Rule:", ""};
  for (std::size_t i = 0; i < refs.pieces.size(); ++i) {
    const ReferencePiece &p = refs.pieces[i];
    if (i > 0 && !(p.kind == ReferencePiece::Regulation &&
                   refs.pieces[i - 1].kind == ReferencePiece::Regulation))
      expected.emplace_back();
    expected.push_back(std::string(std::size_t(p.indent), ' ') + p.text);
  }
  EXPECT_EQ(texts::crlfLines(page.text), expected);
}

TEST_P(ComposedReferences, QuotedWordsAreMarkedOutFromTheProgramsOwn) {
  const int k = GetParam();
  const RuleReferences refs = ruleReferences(k);
  const ComposedPage page = composeRuleReferences(k);
  std::vector<std::string> quoted;
  for (const ReferencePiece &p : refs.pieces)
    if (p.kind != ReferencePiece::ProgramNote) quoted.push_back(p.text);
  std::vector<std::string> spans;
  for (const TextSpan &s : page.quoted) spans.push_back(texts::charSpan(page.text, s.start, s.length));
  EXPECT_EQ(spans, quoted);
}

INSTANTIATE_TEST_SUITE_P(AllComposedPages, ComposedReferences, ::testing::ValuesIn(composedRows()),
                         [](const auto &info) { return "k" + std::to_string(info.param); });

// The words each page marks, and how the pages begin where the preamble's own words are there
// to begin them with.
struct PageStart {
  int k;
  std::string_view highlight;
  std::string_view firstWords;  // empty: the page begins with a program note's topic heading
};

class ReferencePageStart : public ::testing::TestWithParam<PageStart> {};

TEST_P(ReferencePageStart, BeginsWithItsFirstPieceAndMarksItsWords) {
  const PageStart c = GetParam();
  const RuleReferences refs = ruleReferences(c.k);
  EXPECT_EQ(refs.highlight, c.highlight);
  ASSERT_FALSE(refs.pieces.empty());
  if (!c.firstWords.empty()) {
    EXPECT_TRUE(refs.pieces.front().text.starts_with(c.firstWords)) << refs.pieces.front().text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ReferencePageStart,
    ::testing::Values(
        PageStart{4, "Information System Activity Review", "1. Security management process"},
        PageStart{5, "Assigned Security Responsibility", "2. Assigned Security Responsibility (\u00A7 164.308(a)(2))"},
        PageStart{6, "Authorization and/or Supervision", "3. Workforce Security (\u00A7 164.308(a)(3)(i))"},
        PageStart{7, "Workforce clearance procedure", "3. Workforce Security (\u00A7 164.308(a)(3)(i))"},
        PageStart{9, "Isolating health care clearinghouse functions", "(A) Isolating health care clearinghouse functions (Required). If a"},
        PageStart{12, "Security Reminders", "5. Security Awareness and Training (\u00A7 164.308(a)(5)(i))"},
        PageStart{13, "protection from malicious software", "5. Security Awareness and Training (\u00A7 164.308(a)(5)(i))"},
        PageStart{14, "Log-in monitoring", "(C) Log-in monitoring (Addressable). Procedures for monitoring log-in attempts"},
        PageStart{15, "password management", "5. Security Awareness and Training (\u00A7 164.308(a)(5)(i))"},
        PageStart{16, "response and reporting", "6. Security Incident Procedures (\u00A7 164.308(a)(6))"},
        PageStart{17, "data backup plan", "7. Contingency Plan (\u00A7 164.308(a)(7)(i))"},
        PageStart{18, "disaster recovery plan", "7. Contingency Plan (\u00A7 164.308(a)(7)(i))"},
        PageStart{19, "Emergency mode operation plan", "7. Contingency Plan (\u00A7 164.308(a)(7)(i))"},
        PageStart{20, "testing and revision procedures", "7. Contingency Plan (\u00A7 164.308(a)(7)(i))"},
        PageStart{21, "Applications and data criticality analysis", "7. Contingency Plan (\u00A7 164.308(a)(7)(i))"},
        PageStart{23, "Written contract or other arrangement", "(4) Implementation specifications: Written contract or other arrangement (Required)."},
        PageStart{24, "Contingency operations", "2. Facility Access Controls (\u00A7 164.310(a)(1))"},
        PageStart{26, "access control and validation procedures", "2. Facility Access Controls (\u00A7 164.310(a)(1))"},
        PageStart{27, "Maintenance Records", "2. Facility Access Controls (\u00A7 164.310(a)(1))"},
        PageStart{29, "Workstation Security", "F. Physical Safeguards (\u00A7 164.310)"},
        PageStart{30, "Disposal", "F. Physical Safeguards (\u00A7 164.310)"},
        PageStart{31, "Media re-use", "F. Physical Safeguards (\u00A7 164.310)"},
        PageStart{32, "Accountability", "F. Physical Safeguards (\u00A7 164.310)"},
        PageStart{33, "Data backup and storage", "F. Physical Safeguards (\u00A7 164.310)"},
        PageStart{34, "Unique user identification", "1. Access Control (\u00A7 164.312(a)(1))"},
        PageStart{35, "Emergency access procedure", "\u00A7 164.312  Technical safeguards."},
        PageStart{36, "Automatic logoff", "1. Access Control (\u00A7 164.312(a)(1))"},
        PageStart{37, "Encryption and decryption", "1. Access Control (\u00A7 164.312(a)(1))"},
        PageStart{38, "Audit controls", "G. Technical Safeguards (\u00A7 164.312)"},
        PageStart{39, "Mechanism to authenticate electronic protected health information", "\u00A7 164.312  Technical safeguards."},
        PageStart{40, "Person or entity authentication", "G. Technical Safeguards (\u00A7 164.312)"},
        PageStart{41, "Integrity controls", "G. Technical Safeguards (\u00A7 164.312)"},
        PageStart{45, "Requirements for group health plans", "H. Organizational Requirements (\u00A7 164.314)"}),
    [](const auto &info) { return "k" + std::to_string(info.param.k); });

TEST(RuleReferences, RegulationOnlyPagesAreTheRuleTextOrTheSpecificationsParagraph) {
  // k 9, 14 and 23: the specification's paragraph alone; k 35 and 39: the whole rule text.
  for (int k : {9, 14, 23}) {
    const RuleReferences refs = ruleReferences(k);
    ASSERT_EQ(refs.pieces.size(), 1u) << k;
    EXPECT_EQ(refs.pieces[0].indent, 4);
  }
  for (int k : {35, 39}) {
    const RuleReferences refs = ruleReferences(k);
    std::vector<std::string> pieces;
    for (const ReferencePiece &p : refs.pieces) pieces.push_back(std::string(std::size_t(p.indent), ' ') + p.text);
    EXPECT_EQ(pieces, ruleTextPieces(ruleText(k))) << k;
  }
}

}  // namespace
