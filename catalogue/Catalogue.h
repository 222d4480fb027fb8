// The program's fixed knowledge of the Security Rule's implementation specifications:
// the 47 numbered entries of the Action Area, their standards, CFR paragraphs, names and
// Required/Addressable marks, and the numbers that tie an entry to its status record, its
// three user documents and its template. Everything here is compiled in; nothing is read
// from a file.
//
// Texts are UTF-8 (the section sign is U+00A7). Label texts keep the program's doubled
// ampersand ("&&" shows as one "&" in a label or caption); use shownText() where a single
// "&" is wanted (grid cells, reports). Misspellings and odd blanks are the program's own
// and are kept, because the user has always seen them that way.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace catalogue {

// Returned by the mapping functions where the page or entry has no such number.
inline constexpr int NoNumber = -1;

inline constexpr int SpecCount = 47;       // SpecNumber 1..47
inline constexpr int WorksheetCount = 21;  // risk-analysis worksheets, StatusNumber 48..68
inline constexpr int FirstWorksheetStatus = 48;
inline constexpr int LastStatusNumber = 68;
inline constexpr int SampleSpecNumber = 15;  // the sample page always shows Password Management

// Action Area pages (AreaMode).
enum AreaModes : int {
    PageOverview = 0,        // standards overview grid
    PageTimeline = 1,        // project timeline / to-do list
    PageAdministrative = 2,  // 164.308
    PagePhysical = 3,        // 164.310
    PageTechnical = 4,       // 164.312
    PageOrganizational = 5,  // 164.314
    PagePolicies = 6,        // 164.316
    PageWorksheets = 7,      // risk-analysis worksheets
    PageRecoveryPlan = 8,    // disaster recovery plan
    PageSample = 9,          // sample entry (always SpecNumber 15)
};
inline constexpr int PageCount = 10;

// Template documents Misc<t>.Hlp of the pages that are not catalogue pages.
inline constexpr int WorksheetTemplate = 59;
inline constexpr int RecoveryPlanTemplate = 60;
inline constexpr int SampleTemplate = 28;

// One implementation specification (or one of the two overview entries, k 43 and 46).
struct SpecEntry {
    int specNumber;                  // k, 1..47
    int areaMode;                    // page 2..6
    int specIndex;                   // 0-based entry on its page (index of its entry button)
    int specFileNumber;              // k - 1: Action<f>.Fil, Comment<f>.Fil, Policy<f>.Fil
    int templateNumber;              // Misc<t>.Hlp
    char mark;                       // 'R' Required, 'A' Addressable, '\0' overview entry
    std::string_view standard;       // Label5 text after " Standard: "
    std::string_view section;        // Label6 text after " Section: " (also kept in WorkText)
    std::string_view specification;  // Label7 text after " Specification: "
    bool overview;                   // k 43 and 46: no standard, section or mark of their own
};

// The 47 entries in the program's order (index k - 1).
// clang-format off
inline constexpr std::array<SpecEntry, SpecCount> Entries{{
    // k  page idx  f   t  R/A  standard                                   section          specification
    {1, 2, 0, 0, 14, 'R', "Security Mananagement Process", "164.308(a)(1)", "Risk Analysis (R)", false},
    {2, 2, 1, 1, 15, 'R', "Security Mananagement Process", "164.308(a)(1)", "Risk Management (R)", false},
    {3, 2, 2, 2, 16, 'R', "Security Mananagement Process", "164.308(a)(1)", "Sanction Policy (R)", false},
    {4, 2, 3, 3, 17, 'R', "Security Mananagement Process", "164.308(a)(1)", "Information System Activity Review (R)", false},
    {5, 2, 4, 4, 18, 'R', "Assigned Security Responsibility", "164.308(a)(2)", "Assigned Security Responsibility (R)", false},
    {6, 2, 5, 5, 19, 'A', "Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision (A)", false},
    {7, 2, 6, 6, 20, 'A', "Workforce Security", "164.308(a)(3)", "Workforce Clearance Procedure (A)", false},
    {8, 2, 7, 7, 21, 'A', "Workforce Security", "164.308(a)(3)", "Termination Procedures (A)", false},
    {9, 2, 8, 8, 22, 'R', "Information Access Management", "164.308(a)(4)", "Isolating Health care Clearinghouse Function(R)", false},
    {10, 2, 9, 9, 23, 'A', "Information Access Management", "164.308(a)(4)", "Access Authorization (A)", false},
    {11, 2, 10, 10, 24, 'A', "Information Access Management", "164.308(a)(4)", "Access Establishment and Modification (A)", false},
    {12, 2, 11, 11, 25, 'A', "Security Awareness and Training", "164.308(a)(5)", "Security Reminders (A)", false},
    {13, 2, 12, 12, 26, 'A', "Security Awareness and Training", "164.308(a)(5)", "Protection from Malicious Software (A)", false},
    {14, 2, 13, 13, 27, 'A', "Security Awareness and Training", "164.308(a)(5)", "Log-in Monitoring (A)", false},
    {15, 2, 14, 14, 28, 'A', "Security Awareness and Training", "164.308(a)(5)", "Password Management (A)", false},
    {16, 2, 15, 15, 29, 'R', "Security Incident Procedures", "164.308(a)(6)", "Response and Reporting (R)", false},
    {17, 2, 16, 16, 30, 'R', "Contingency Plan", "164.308(a)(7)", "Data Backup Plan (R)", false},
    {18, 2, 17, 17, 31, 'R', "Contingency Plan", "164.308(a)(7)", "Disaster Recovery Plan (R)", false},
    {19, 2, 18, 18, 32, 'R', "Contingency Plan", "164.308(a)(7)", "Emergency Mode Operation (R)", false},
    {20, 2, 19, 19, 33, 'A', "Contingency Plan", "164.308(a)(7)", "Testing and Revision Procedure (A)", false},
    {21, 2, 20, 20, 34, 'A', "Contingency Plan", "164.308(a)(7)", "Applications and Data Criticality Analysis (A)", false},
    {22, 2, 21, 21, 35, 'R', "Evaluation", "164.308(a)(8)", "Evaluation (R)", false},
    {23, 2, 22, 22, 36, 'R', "Business Associate Contacts && Other Arrangements", "164.308(B)(1)", "Written Contract or Other Arrangements (R)", false},
    {24, 3, 0, 23, 37, 'A', "Facility Access Controls", "164.310(a)(1)", "Contingency Operation (A)", false},
    {25, 3, 1, 24, 38, 'A', "Facility Access Controls", "164.310(a)(1)", "Facility Security Plan (A)", false},
    {26, 3, 2, 25, 39, 'A', "Facility Access Controls", "164.310(a)(1)", "Access Control && Validation Procedures (A)", false},
    {27, 3, 3, 26, 40, 'A', "Facility Access Controls", "164.310(a)(1)", "Maintenance Records (A)", false},
    {28, 3, 4, 27, 41, 'R', "Workstation Use", "164.310(b)", "Workstation Use (R)", false},
    {29, 3, 5, 28, 42, 'R', "Workstation Security", "164.310(c)", "Workstation Security (R)", false},
    {30, 3, 6, 29, 43, 'R', "Device and Media Controls", "164.310(d)(1)", "Disposal (R)", false},
    {31, 3, 7, 30, 44, 'R', "Device and Media Controls", "164.310(d)(1)", "Media Re-use (R)", false},
    {32, 3, 8, 31, 45, 'A', "Device and Media Controls", "164.310(d)(1)", "Accountability (A)", false},
    {33, 3, 9, 32, 46, 'A', "Device and Media Controls", "164.310(d)(1)", "Data Backup and Storage (A)", false},
    {34, 4, 0, 33, 47, 'R', "Access Controls", "164.312(a)(1)", "Unique User Identification (R)", false},
    {35, 4, 1, 34, 48, 'R', "Access Controls", "164.312(a)(1)", "Emergency Access Procedure (R)", false},
    {36, 4, 2, 35, 49, 'A', "Access Controls", "164.312(a)(1)", "Automatic Logoff (A)", false},
    {37, 4, 3, 36, 50, 'A', "Access Controls", "164.312(a)(1)", "Encryption and Decryption (A)", false},
    {38, 4, 4, 37, 51, 'R', "Audit Controls", "164.312(b)", "Audit Controls (R)", false},
    {39, 4, 5, 38, 52, 'A', "Ingerity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI (A)", false},
    {40, 4, 6, 39, 53, 'R', "Person or Entity Authentication", "164.312(d)", "Person or Entity Authentication (R)", false},
    {41, 4, 7, 40, 54, 'A', "Transmission Security", "164.312(e)(1)", "Integrity Controls (A)", false},
    {42, 4, 8, 41, 55, 'A', "Transmission Security", "164.312(e)(1)", "Encryption (A)", false},
    {43, 5, 0, 42, 60, '\0', "", "", "", true},
    {44, 5, 1, 43, 61, 'R', "Business associate contracts or other arrangements", "164.314(a)(1)", "Business associate contracts or other ... (R)", false},
    {45, 5, 2, 44, 62, 'R', "Requirements for Health Group Plans", "164.314(b)(1)", "Requirements for Health Group Plans (R)", false},
    {46, 6, 0, 45, 62, '\0', "", "", "", true},
    {47, 6, 1, 46, 63, 'R', "Documentation", "164.316", "(R)", false},
}};
// clang-format on

// One of the five catalogue pages (AreaMode 2..6).
struct Area {
    int areaMode;
    std::string_view pageCaption;   // caption of the page selector button SSCommand11(areaMode)
    std::string_view section;       // "164.308" ...
    int firstSpec;                  // k of entry 0
    int lastSpec;                   // k of the last entry
    int entryCount;                 // number of entry buttons
    std::string_view entryButtons;  // the entry-button array of the page
    // Heading shown for the area: on pages 2-4 the overview grid's heading (name, section sign,
    // section, no blank); on pages 5 and 6 the two label texts entry 0 (the overview entry)
    // writes into the standard and section labels.
    std::string_view heading;
    std::string_view headingSection;  // empty on pages 2-4
};

inline constexpr std::array<Area, 5> Areas{{
    {2, "Administrative Safeguards", "164.308", 1, 23, 23, "SSCommand14", "Administrative Safeguards\u00A7164.308", ""},
    {3, "Physical Safeguards", "164.310", 24, 33, 10, "SSCommand17", "Physical Safeguards\u00A7164.310", ""},
    {4, "Technical Safeguards", "164.312", 34, 42, 9, "SSCommand16", "Technical Safeguards\u00A7164.312", ""},
    {5, "Organization Requirements", "164.314", 43, 45, 3, "SSCommand15", " Organizational Requirements Overview",
     " Section 164.314"},
    {6, "Policies and Proceedures...", "164.316", 46, 47, 2, "SSCommand13",
     " Policies and Procedures and Documentation Requirements", " Section 164.316"},
}};

// Captions of the ten page-selector buttons SSCommand11(0..9), trailing blank of page 1 kept.
inline constexpr std::array<std::string_view, PageCount> PageCaptions{{
    "HIPAA Security Standards",
    "Safeguard Project Timeline ",
    "Administrative Safeguards",
    "Physical Safeguards",
    "Technical Safeguards",
    "Organization Requirements",
    "Policies and Proceedures...",
    "Risk Analysis Worksheets",
    "Disaster Recovery Plan",
    "Sample Safeguard Entry",
}};

// A standard of the rule with the entries that implement it (k range).
struct Standard {
    std::string_view paragraph;  // CFR paragraph, e.g. "164.308(a)(1)"
    int firstSpec;
    int lastSpec;
    // The standard's single entry bears the standard's own name (k 5, 22, 28, 29, 38, 40, 47):
    // the overview grid leaves the specification cell of the safeguard ones blank, and entry 47's
    // specification label holds only "(R)".
    bool entryNamedForStandard;
};

// 18 standards of the three safeguard areas, then the three of the other two areas.
// clang-format off
inline constexpr std::array<Standard, 21> Standards{{
    {"164.308(a)(1)", 1, 4, false},
    {"164.308(a)(2)", 5, 5, true},
    {"164.308(a)(3)", 6, 8, false},
    {"164.308(a)(4)", 9, 11, false},
    {"164.308(a)(5)", 12, 15, false},
    {"164.308(a)(6)", 16, 16, false},
    {"164.308(a)(7)", 17, 21, false},
    {"164.308(a)(8)", 22, 22, true},
    {"164.308(b)(1)", 23, 23, false},
    {"164.310(a)(1)", 24, 27, false},
    {"164.310(b)", 28, 28, true},
    {"164.310(c)", 29, 29, true},
    {"164.310(d)(1)", 30, 33, false},
    {"164.312(a)(1)", 34, 37, false},
    {"164.312(b)", 38, 38, true},
    {"164.312(c)(1)", 39, 39, false},
    {"164.312(d)", 40, 40, true},
    {"164.312(e)(1)", 41, 42, false},
    {"164.314(a)(1)", 44, 44, false},
    {"164.314(b)(1)", 45, 45, false},
    {"164.316", 47, 47, true},
}};
// clang-format on
inline constexpr int SafeguardStandardCount = 18;

// ---- Lookups by SpecNumber -------------------------------------------------------------

// True for k 1..47.
constexpr bool isSpecNumber(int k) { return k >= 1 && k <= SpecCount; }

// The entry of k; k must satisfy isSpecNumber().
constexpr const SpecEntry& entry(int k) { return Entries[static_cast<std::size_t>(k - 1)]; }

// The page of k (2..6), NoNumber for a k outside 1..47.
constexpr int areaModeOf(int k) { return isSpecNumber(k) ? entry(k).areaMode : NoNumber; }

// The 0-based entry of k on its page (SpecIndex), NoNumber for a k outside 1..47.
constexpr int specIndexOf(int k) { return isSpecNumber(k) ? entry(k).specIndex : NoNumber; }

// The catalogue page of areaMode 2..6, nullptr for any other page.
constexpr const Area* area(int areaMode) {
    return areaMode >= PageAdministrative && areaMode <= PagePolicies
               ? &Areas[static_cast<std::size_t>(areaMode - PageAdministrative)]
               : nullptr;
}

// Number of entry buttons on a page: 23, 10, 9, 3, 2 on pages 2-6, 21 worksheets on page 7,
// one (the sample, k 15) on page 9, 0 elsewhere.
constexpr int entryCount(int areaMode) {
    if (const Area* a = area(areaMode)) return a->entryCount;
    if (areaMode == PageWorksheets) return WorksheetCount;
    if (areaMode == PageSample) return 1;
    return 0;
}

// ---- Numbers from the selection (AreaMode, SpecIndex) ------------------------------------
// A SpecIndex outside the page's entries gives NoNumber rather than the number of an entry of
// another page, so a stale index can never reach another specification's record or files.

// SpecNumber k: SpecIndex + 1, 24, 34, 43 or 46 on pages 2-6; 15 on the sample page whatever
// SpecIndex holds; NoNumber on pages 0, 1, 7 and 8.
constexpr int specNumber(int areaMode, int specIndex) {
    if (areaMode == PageSample) return SampleSpecNumber;
    const Area* a = area(areaMode);
    if (!a || specIndex < 0 || specIndex >= a->entryCount) return NoNumber;
    return a->firstSpec + specIndex;
}

// StatusNumber (record of Stat1.Fil, index into SpecStatus): k on pages 2-6, 48 + SpecIndex
// on the worksheet page; NoNumber elsewhere (the recovery plan and the sample have no record).
constexpr int statusNumber(int areaMode, int specIndex) {
    if (areaMode == PageWorksheets)
        return specIndex >= 0 && specIndex < WorksheetCount ? FirstWorksheetStatus + specIndex : NoNumber;
    if (areaMode == PageSample) return NoNumber;
    return specNumber(areaMode, specIndex);
}

// SpecFileNumber f = k - 1 (0..46): SpecIndex + 0, 23, 33, 42 or 45 on pages 2-6, 14 on the
// sample page; NoNumber elsewhere.
constexpr int specFileNumber(int areaMode, int specIndex) {
    const int k = specNumber(areaMode, specIndex);
    return k == NoNumber ? NoNumber : k - 1;
}

// TemplateNumber t of Misc<t>.Hlp for k: f + 14 for k 1..42, f + 18 for k 43..45,
// f + 17 for k 46..47. Not one-to-one: k 43 shares 60 with the recovery plan, k 45 and k 46
// share 62.
constexpr int templateNumberOf(int k) {
    if (!isSpecNumber(k)) return NoNumber;
    const int f = k - 1;
    if (k <= 42) return f + 14;
    if (k <= 45) return f + 18;
    return f + 17;
}

// TemplateNumber from the selection: SpecIndex + 14, 37, 47, 60 or 62 on pages 2-6; 59 on the
// worksheet page; 60 on the recovery plan page; 28 on the sample page; NoNumber elsewhere.
constexpr int templateNumber(int areaMode, int specIndex) {
    if (areaMode == PageWorksheets) return WorksheetTemplate;
    if (areaMode == PageRecoveryPlan) return RecoveryPlanTemplate;
    if (areaMode == PageSample) return SampleTemplate;
    return templateNumberOf(specNumber(areaMode, specIndex));
}

// ---- Texts --------------------------------------------------------------------------------

// The R/A mark of k as a one-letter text ("R" or "A"); empty for k 43, 46 and a k outside
// 1..47.
std::string_view markText(int k);

// A label text as shown: each doubled ampersand becomes one "&" (for grid cells and reports,
// which write an ampersand single).
std::string shownText(std::string_view labelText);

// The page selector caption of a page 0..9, empty for any other number.
std::string_view pageCaption(int areaMode);

}  // namespace catalogue
