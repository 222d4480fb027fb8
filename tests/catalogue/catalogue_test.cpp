// The catalogue against the program's published table of entries, and the numbers the rest of
// the program derives from a page and entry: status records, document files and templates.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "catalogue/Catalogue.h"

namespace {

using namespace catalogue;

struct ExpectedEntry {
  int k, page, index, file, tmpl;
  char mark;
  std::string_view standard, section, specification;
};

// One row per entry, as the entry lists and the overview grid show them: label texts with
// their doubled ampersands, misspellings and missing blanks.
constexpr ExpectedEntry ExpectedEntries[] = {
    {1, 2, 0, 0, 14, 'R', "Security Mananagement Process", "164.308(a)(1)", "Risk Analysis (R)"},
    {2, 2, 1, 1, 15, 'R', "Security Mananagement Process", "164.308(a)(1)", "Risk Management (R)"},
    {3, 2, 2, 2, 16, 'R', "Security Mananagement Process", "164.308(a)(1)", "Sanction Policy (R)"},
    {4, 2, 3, 3, 17, 'R', "Security Mananagement Process", "164.308(a)(1)", "Information System Activity Review (R)"},
    {5, 2, 4, 4, 18, 'R', "Assigned Security Responsibility", "164.308(a)(2)", "Assigned Security Responsibility (R)"},
    {6, 2, 5, 5, 19, 'A', "Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision (A)"},
    {7, 2, 6, 6, 20, 'A', "Workforce Security", "164.308(a)(3)", "Workforce Clearance Procedure (A)"},
    {8, 2, 7, 7, 21, 'A', "Workforce Security", "164.308(a)(3)", "Termination Procedures (A)"},
    {9, 2, 8, 8, 22, 'R', "Information Access Management", "164.308(a)(4)", "Isolating Health care Clearinghouse Function(R)"},
    {10, 2, 9, 9, 23, 'A', "Information Access Management", "164.308(a)(4)", "Access Authorization (A)"},
    {11, 2, 10, 10, 24, 'A', "Information Access Management", "164.308(a)(4)", "Access Establishment and Modification (A)"},
    {12, 2, 11, 11, 25, 'A', "Security Awareness and Training", "164.308(a)(5)", "Security Reminders (A)"},
    {13, 2, 12, 12, 26, 'A', "Security Awareness and Training", "164.308(a)(5)", "Protection from Malicious Software (A)"},
    {14, 2, 13, 13, 27, 'A', "Security Awareness and Training", "164.308(a)(5)", "Log-in Monitoring (A)"},
    {15, 2, 14, 14, 28, 'A', "Security Awareness and Training", "164.308(a)(5)", "Password Management (A)"},
    {16, 2, 15, 15, 29, 'R', "Security Incident Procedures", "164.308(a)(6)", "Response and Reporting (R)"},
    {17, 2, 16, 16, 30, 'R', "Contingency Plan", "164.308(a)(7)", "Data Backup Plan (R)"},
    {18, 2, 17, 17, 31, 'R', "Contingency Plan", "164.308(a)(7)", "Disaster Recovery Plan (R)"},
    {19, 2, 18, 18, 32, 'R', "Contingency Plan", "164.308(a)(7)", "Emergency Mode Operation (R)"},
    {20, 2, 19, 19, 33, 'A', "Contingency Plan", "164.308(a)(7)", "Testing and Revision Procedure (A)"},
    {21, 2, 20, 20, 34, 'A', "Contingency Plan", "164.308(a)(7)", "Applications and Data Criticality Analysis (A)"},
    {22, 2, 21, 21, 35, 'R', "Evaluation", "164.308(a)(8)", "Evaluation (R)"},
    {23, 2, 22, 22, 36, 'R', "Business Associate Contacts && Other Arrangements", "164.308(B)(1)", "Written Contract or Other Arrangements (R)"},
    {24, 3, 0, 23, 37, 'A', "Facility Access Controls", "164.310(a)(1)", "Contingency Operation (A)"},
    {25, 3, 1, 24, 38, 'A', "Facility Access Controls", "164.310(a)(1)", "Facility Security Plan (A)"},
    {26, 3, 2, 25, 39, 'A', "Facility Access Controls", "164.310(a)(1)", "Access Control && Validation Procedures (A)"},
    {27, 3, 3, 26, 40, 'A', "Facility Access Controls", "164.310(a)(1)", "Maintenance Records (A)"},
    {28, 3, 4, 27, 41, 'R', "Workstation Use", "164.310(b)", "Workstation Use (R)"},
    {29, 3, 5, 28, 42, 'R', "Workstation Security", "164.310(c)", "Workstation Security (R)"},
    {30, 3, 6, 29, 43, 'R', "Device and Media Controls", "164.310(d)(1)", "Disposal (R)"},
    {31, 3, 7, 30, 44, 'R', "Device and Media Controls", "164.310(d)(1)", "Media Re-use (R)"},
    {32, 3, 8, 31, 45, 'A', "Device and Media Controls", "164.310(d)(1)", "Accountability (A)"},
    {33, 3, 9, 32, 46, 'A', "Device and Media Controls", "164.310(d)(1)", "Data Backup and Storage (A)"},
    {34, 4, 0, 33, 47, 'R', "Access Controls", "164.312(a)(1)", "Unique User Identification (R)"},
    {35, 4, 1, 34, 48, 'R', "Access Controls", "164.312(a)(1)", "Emergency Access Procedure (R)"},
    {36, 4, 2, 35, 49, 'A', "Access Controls", "164.312(a)(1)", "Automatic Logoff (A)"},
    {37, 4, 3, 36, 50, 'A', "Access Controls", "164.312(a)(1)", "Encryption and Decryption (A)"},
    {38, 4, 4, 37, 51, 'R', "Audit Controls", "164.312(b)", "Audit Controls (R)"},
    {39, 4, 5, 38, 52, 'A', "Ingerity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI (A)"},
    {40, 4, 6, 39, 53, 'R', "Person or Entity Authentication", "164.312(d)", "Person or Entity Authentication (R)"},
    {41, 4, 7, 40, 54, 'A', "Transmission Security", "164.312(e)(1)", "Integrity Controls (A)"},
    {42, 4, 8, 41, 55, 'A', "Transmission Security", "164.312(e)(1)", "Encryption (A)"},
    {43, 5, 0, 42, 60, '\0', "", "", ""},
    {44, 5, 1, 43, 61, 'R', "Business associate contracts or other arrangements", "164.314(a)(1)", "Business associate contracts or other ... (R)"},
    {45, 5, 2, 44, 62, 'R', "Requirements for Health Group Plans", "164.314(b)(1)", "Requirements for Health Group Plans (R)"},
    {46, 6, 0, 45, 62, '\0', "", "", ""},
    {47, 6, 1, 46, 63, 'R', "Documentation", "164.316", "(R)"},
};

void PrintTo(const ExpectedEntry &e, std::ostream *os) { *os << "k " << e.k; }

class CatalogueRow : public ::testing::TestWithParam<ExpectedEntry> {};

TEST_P(CatalogueRow, EveryFieldAsTheProgramShowsIt) {
  const ExpectedEntry &x = GetParam();
  ASSERT_TRUE(isSpecNumber(x.k));
  const SpecEntry &e = entry(x.k);
  EXPECT_EQ(e.specNumber, x.k);
  EXPECT_EQ(e.areaMode, x.page);
  EXPECT_EQ(e.specIndex, x.index);
  EXPECT_EQ(e.specFileNumber, x.file);
  EXPECT_EQ(e.templateNumber, x.tmpl);
  EXPECT_EQ(e.mark, x.mark);
  EXPECT_EQ(e.standard, x.standard);
  EXPECT_EQ(e.section, x.section);
  EXPECT_EQ(e.specification, x.specification);
  EXPECT_EQ(e.overview, x.k == 43 || x.k == 46);

  // The selection of the entry's button leads back to it and to its own files and record.
  EXPECT_EQ(specNumber(x.page, x.index), x.k);
  EXPECT_EQ(statusNumber(x.page, x.index), x.k);
  EXPECT_EQ(specFileNumber(x.page, x.index), x.file);
  EXPECT_EQ(templateNumber(x.page, x.index), x.tmpl);
  EXPECT_EQ(templateNumberOf(x.k), x.tmpl);
  EXPECT_EQ(areaModeOf(x.k), x.page);
  EXPECT_EQ(specIndexOf(x.k), x.index);

  // The R/A mark is the letter in the parentheses that end the specification label.
  if (x.mark) {
    const std::string expectedEnd = std::string("(") + x.mark + ")";
    EXPECT_TRUE(x.specification.ends_with(expectedEnd)) << x.specification;
    EXPECT_EQ(markText(x.k), std::string(1, x.mark));
  } else {
    EXPECT_EQ(markText(x.k), "");
  }
}

INSTANTIATE_TEST_SUITE_P(AllEntries, CatalogueRow, ::testing::ValuesIn(ExpectedEntries),
                         [](const auto &info) { return "k" + std::to_string(info.param.k); });

TEST(Catalogue, HoldsFortySevenEntriesInNumberOrder) {
  ASSERT_EQ(std::size(ExpectedEntries), std::size_t{47});
  for (int k = 1; k <= 47; ++k) EXPECT_EQ(Entries[k - 1].specNumber, k);
  EXPECT_FALSE(isSpecNumber(0));
  EXPECT_FALSE(isSpecNumber(48));
  EXPECT_EQ(markText(0), "");
  EXPECT_EQ(markText(48), "");
  EXPECT_EQ(areaModeOf(0), NoNumber);
  EXPECT_EQ(specIndexOf(48), NoNumber);
  EXPECT_EQ(templateNumberOf(48), NoNumber);
}

struct MappingCase {
  const char *name;
  int areaMode, specIndex;
  int k, status, file, tmpl;
};

constexpr int N = NoNumber;
constexpr MappingCase MappingCases[] = {
    {"AdministrativeFirst", 2, 0, 1, 1, 0, 14},
    {"AdministrativeLast", 2, 22, 23, 23, 22, 36},
    {"PhysicalFirst", 3, 0, 24, 24, 23, 37},
    {"PhysicalLast", 3, 9, 33, 33, 32, 46},
    {"TechnicalFirst", 4, 0, 34, 34, 33, 47},
    {"TechnicalLast", 4, 8, 42, 42, 41, 55},
    {"OrganizationalOverview", 5, 0, 43, 43, 42, 60},
    {"OrganizationalLast", 5, 2, 45, 45, 44, 62},
    {"PoliciesOverview", 6, 0, 46, 46, 45, 62},
    {"PoliciesLast", 6, 1, 47, 47, 46, 63},
    // The sample page always means Password Management and has no status record of its own.
    {"SampleEntryZero", 9, 0, 15, N, 14, 28},
    {"SampleWhateverTheIndex", 9, 7, 15, N, 14, 28},
    {"WorksheetFirst", 7, 0, N, 48, N, 59},
    {"WorksheetLast", 7, 20, N, 68, N, 59},
    {"WorksheetPastTheLast", 7, 21, N, N, N, 59},
    {"RecoveryPlan", 8, 0, N, N, N, 60},
    {"Overview", 0, 0, N, N, N, N},
    {"Timeline", 1, 3, N, N, N, N},
    // An index beyond its page never reaches an entry of the next page.
    {"AdministrativePastTheLast", 2, 23, N, N, N, N},
    {"PhysicalPastTheLast", 3, 10, N, N, N, N},
    {"TechnicalPastTheLast", 4, 9, N, N, N, N},
    {"OrganizationalPastTheLast", 5, 3, N, N, N, N},
    {"PoliciesPastTheLast", 6, 2, N, N, N, N},
    {"NegativeIndex", 2, -1, N, N, N, N},
    {"PageBelowRange", -1, 0, N, N, N, N},
    {"PageAboveRange", 10, 0, N, N, N, N},
};

void PrintTo(const MappingCase &c, std::ostream *os) {
  *os << "page " << c.areaMode << " entry " << c.specIndex;
}

class SelectionNumbers : public ::testing::TestWithParam<MappingCase> {};

TEST_P(SelectionNumbers, FromPageAndEntry) {
  const MappingCase &c = GetParam();
  EXPECT_EQ(specNumber(c.areaMode, c.specIndex), c.k);
  EXPECT_EQ(statusNumber(c.areaMode, c.specIndex), c.status);
  EXPECT_EQ(specFileNumber(c.areaMode, c.specIndex), c.file);
  EXPECT_EQ(templateNumber(c.areaMode, c.specIndex), c.tmpl);
}

INSTANTIATE_TEST_SUITE_P(Pages, SelectionNumbers, ::testing::ValuesIn(MappingCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Catalogue, TemplatesSharedByTwoPlaces) {
  // Template 60: the organizational overview and the recovery plan; 62: the group health plan
  // entry and the policies overview. Every other template belongs to one place only.
  std::multiset<int> used;
  for (const SpecEntry &e : Entries) used.insert(e.templateNumber);
  used.insert(templateNumber(PageWorksheets, 0));
  used.insert(templateNumber(PageRecoveryPlan, 0));
  EXPECT_EQ(used.count(60), 2u);
  EXPECT_EQ(used.count(62), 2u);
  EXPECT_EQ(templateNumber(PageOrganizational, 0), templateNumber(PageRecoveryPlan, 0));
  EXPECT_EQ(templateNumber(PageOrganizational, 2), templateNumber(PagePolicies, 0));
  for (int t : used)
    if (t != 60 && t != 62) {
      EXPECT_EQ(used.count(t), 1u) << "template " << t;
    }
  // The sample template is that of Password Management.
  EXPECT_EQ(templateNumber(PageSample, 0), templateNumberOf(15));
}

struct ExpectedArea {
  int page;
  std::string_view caption, section;
  int first, last, count;
  std::string_view buttons, heading, headingSection;
};

constexpr ExpectedArea ExpectedAreas[] = {
    {2, "Administrative Safeguards", "164.308", 1, 23, 23, "SSCommand14",
     "Administrative Safeguards\xC2\xA7" "164.308", ""},
    {3, "Physical Safeguards", "164.310", 24, 33, 10, "SSCommand17",
     "Physical Safeguards\xC2\xA7" "164.310", ""},
    {4, "Technical Safeguards", "164.312", 34, 42, 9, "SSCommand16",
     "Technical Safeguards\xC2\xA7" "164.312", ""},
    {5, "Organization Requirements", "164.314", 43, 45, 3, "SSCommand15",
     " Organizational Requirements Overview", " Section 164.314"},
    {6, "Policies and Proceedures...", "164.316", 46, 47, 2, "SSCommand13",
     " Policies and Procedures and Documentation Requirements", " Section 164.316"},
};

void PrintTo(const ExpectedArea &a, std::ostream *os) { *os << "page " << a.page; }

class CatalogueArea : public ::testing::TestWithParam<ExpectedArea> {};

TEST_P(CatalogueArea, PageTable) {
  const ExpectedArea &x = GetParam();
  const Area *a = area(x.page);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->areaMode, x.page);
  EXPECT_EQ(a->pageCaption, x.caption);
  EXPECT_EQ(pageCaption(x.page), x.caption);
  EXPECT_EQ(a->section, x.section);
  EXPECT_EQ(a->firstSpec, x.first);
  EXPECT_EQ(a->lastSpec, x.last);
  EXPECT_EQ(a->entryCount, x.count);
  EXPECT_EQ(entryCount(x.page), x.count);
  EXPECT_EQ(a->entryButtons, x.buttons);
  EXPECT_EQ(a->heading, x.heading);
  EXPECT_EQ(a->headingSection, x.headingSection);

  // The page holds exactly its k range, and every entry's section lies in the page's section.
  int onPage = 0;
  for (const SpecEntry &e : Entries) {
    if (e.areaMode != x.page) continue;
    ++onPage;
    EXPECT_GE(e.specNumber, x.first);
    EXPECT_LE(e.specNumber, x.last);
    if (!e.overview) {
      EXPECT_TRUE(e.section.starts_with(x.section)) << e.specNumber;
    }
  }
  EXPECT_EQ(onPage, x.count);
}

INSTANTIATE_TEST_SUITE_P(CataloguePages, CatalogueArea, ::testing::ValuesIn(ExpectedAreas),
                         [](const auto &info) { return "page" + std::to_string(info.param.page); });

TEST(Catalogue, OtherPagesCarryNoEntry) {
  EXPECT_EQ(area(0), nullptr);
  EXPECT_EQ(area(1), nullptr);
  EXPECT_EQ(area(7), nullptr);
  EXPECT_EQ(area(9), nullptr);
  EXPECT_EQ(pageCaption(0), "HIPAA Security Standards");
  EXPECT_EQ(pageCaption(1), "Safeguard Project Timeline ");  // trailing blank kept
  EXPECT_EQ(pageCaption(7), "Risk Analysis Worksheets");
  EXPECT_EQ(pageCaption(8), "Disaster Recovery Plan");
  EXPECT_EQ(pageCaption(9), "Sample Safeguard Entry");
  EXPECT_EQ(pageCaption(10), "");
  EXPECT_EQ(pageCaption(-1), "");
  EXPECT_EQ(entryCount(7), 21);
  EXPECT_EQ(entryCount(9), 1);
  EXPECT_EQ(entryCount(0), 0);
  EXPECT_EQ(entryCount(8), 0);
}

TEST(Catalogue, StandardsGroupEveryRuleEntryOnce) {
  struct ExpectedStandard { std::string_view paragraph; int first, last; };
  constexpr ExpectedStandard expected[] = {
      {"164.308(a)(1)", 1, 4},   {"164.308(a)(2)", 5, 5},   {"164.308(a)(3)", 6, 8},
      {"164.308(a)(4)", 9, 11},  {"164.308(a)(5)", 12, 15}, {"164.308(a)(6)", 16, 16},
      {"164.308(a)(7)", 17, 21}, {"164.308(a)(8)", 22, 22}, {"164.308(b)(1)", 23, 23},
      {"164.310(a)(1)", 24, 27}, {"164.310(b)", 28, 28},    {"164.310(c)", 29, 29},
      {"164.310(d)(1)", 30, 33}, {"164.312(a)(1)", 34, 37}, {"164.312(b)", 38, 38},
      {"164.312(c)(1)", 39, 39}, {"164.312(d)", 40, 40},    {"164.312(e)(1)", 41, 42},
      {"164.314(a)(1)", 44, 44}, {"164.314(b)(1)", 45, 45}, {"164.316", 47, 47},
  };
  ASSERT_EQ(Standards.size(), std::size(expected));
  std::multiset<int> covered;
  for (std::size_t i = 0; i < Standards.size(); ++i) {
    const Standard &s = Standards[i];
    EXPECT_EQ(s.paragraph, expected[i].paragraph);
    EXPECT_EQ(s.firstSpec, expected[i].first);
    EXPECT_EQ(s.lastSpec, expected[i].last);
    for (int k = s.firstSpec; k <= s.lastSpec; ++k) {
      covered.insert(k);
      // The entries of a standard share its standard label; the section label names the same
      // paragraph (the program writes k 23's as "164.308(B)(1)").
      EXPECT_EQ(entry(k).standard, entry(s.firstSpec).standard) << k;
      std::string section(entry(k).section);
      for (char &c : section) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_EQ(section, s.paragraph) << k;
    }
  }
  for (int k = 1; k <= 47; ++k)
    EXPECT_EQ(covered.count(k), (k == 43 || k == 46) ? 0u : 1u) << k;
  // The first 18 are the safeguard standards, of sections 164.308, .310 and .312.
  EXPECT_EQ(SafeguardStandardCount, 18);
  EXPECT_TRUE(Standards[17].paragraph.starts_with("164.312"));
  EXPECT_FALSE(Standards[18].paragraph.starts_with("164.312"));
}

TEST(Catalogue, SingleEntriesNamedForTheirStandard) {
  std::set<int> named;
  for (const Standard &s : Standards)
    if (s.entryNamedForStandard) {
      EXPECT_EQ(s.firstSpec, s.lastSpec);
      named.insert(s.firstSpec);
    }
  EXPECT_EQ(named, (std::set<int>{5, 22, 28, 29, 38, 40, 47}));
  EXPECT_EQ(entry(47).specification, "(R)");
}

TEST(Catalogue, ShownTextWritesTheAmpersandSingle) {
  EXPECT_EQ(shownText(entry(23).standard), "Business Associate Contacts & Other Arrangements");
  EXPECT_EQ(shownText(entry(26).specification), "Access Control & Validation Procedures (A)");
  EXPECT_EQ(shownText("Risk Analysis (R)"), "Risk Analysis (R)");
  EXPECT_EQ(shownText("a&&&&b"), "a&&b");
  EXPECT_EQ(shownText("a&b"), "a&b");
  EXPECT_EQ(shownText(""), "");
}

}  // namespace
