// The rows of the standards overview grid: one row per standard of the three safeguard
// areas, with the texts the grid shows (an ampersand written single, as grid cells show it)
// and the SpecNumbers whose statuses fill the last column. Lines inside a cell are separated
// by CR LF.
#pragma once

#include <array>
#include <string_view>

namespace catalogue {

inline constexpr int OverviewColumns = 5;
inline constexpr std::array<std::string_view, OverviewColumns> OverviewHeader{
    {"Standards", "Section", "Implementation Specifications", "*", "Current Status"}};
// The share of the grid's width that columns 0-3 get at least; the window widens a column
// whose texts need more, so that none of its lines wraps.
inline constexpr std::array<double, 4> OverviewColumnWidths{{0.30, 0.12, 0.36, 0.04}};
// Heading cells centred; body cells at the top, left or centred by column.
inline constexpr int OverviewHeaderAlignment = 4;
inline constexpr std::array<int, OverviewColumns> OverviewBodyAlignment{{0, 3, 0, 3, 3}};
inline constexpr std::string_view OverviewLegend = "*  R = Required;  A = Addressable";
inline constexpr std::string_view OverviewTitle = "HIPAA Security Standards";

struct OverviewRow {
    int area;  // 0 administrative, 1 physical, 2 technical
    std::string_view standard;
    std::string_view section;
    std::string_view specifications;
    std::string_view marks;
    int firstSpec;  // the statuses of k firstSpec..lastSpec, one per line
    int lastSpec;
};

// clang-format off
inline constexpr std::array<OverviewRow, 18> OverviewRows{{
    {0, "Security Management Process", "164.308(a)(1)",
     "Risk Analysis\r\nRisk Management\r\nSanction Policy\r\nInformation System Activity Review",
     "R\r\nR\r\nR\r\nR", 1, 4},
    {0, "Assigned Security Responsiblity", "164.308(a)(2)", " ", "R", 5, 5},
    {0, "Workforce Security", "164.308(a)(3)",
     "Authorization and/or Supervision\r\nWorkforce Clearance Procedure\r\nTermination Procedures",
     "A\r\nA\r\nA", 6, 8},
    {0, "Information Access Management", "164.308(a)(4)",
     "Isolating Health Care Clearinghouse Function\r\nAccess Authorization\r\nAccess Establishment and Modification",
     "R\r\nA\r\nA", 9, 11},
    {0, "Security Awareness and Training", "164.308(a)(5)",
     "Security Reminders\r\nProtection from Malicious Software\r\nLog-in Monitoring\r\nPassword Management",
     "A\r\nA\r\nA\r\nA", 12, 15},
    {0, "Security Incident Procedures", "164.308(a)(6)", "Response and Reporting", "R", 16, 16},
    {0, "Contingency Plan", "164.308(a)(7)",
     "Data Backup Plan\r\nDisaster Recovery Plan\r\nEmergency Mode Operation Plan\r\nTesting and Revision "
     "Procedure\r\nApplications and Data Criticality Analysis",
     "R\r\nR\r\nR\r\nA\r\nA", 17, 21},
    {0, "Evaluation", "164.308(a)(8)", " ", "R", 22, 22},
    {0, "Business Associate Contracts And\r\nOther Arrangements", "164.308(b)(1)",
     "Written Contract or Other Arrangement", "R\r\n\r\n", 23, 23},
    {1, "Facility Access Controls", "164.310(a)(1)",
     "Contingency Operation\r\nFacility Security Plan\r\nAccess Control & Validation Procedures\r\nMaintenance Records",
     "A\r\nA\r\nA\r\nA", 24, 27},
    {1, "Workstation Use", "164.310(b)", " ", "R", 28, 28},
    {1, "WorkStation Security", "164.310(c)", " ", "R", 29, 29},
    {1, "Device and Media Controls", "164.310(d)(1)",
     "Disposal\r\nMedia Re-use\r\nAccountability\r\nData Backup and Storage", "R\r\nR\r\nA\r\nA", 30, 33},
    {2, "Access Control", "164.312(a)(1)",
     "Unique User Identification\r\nEmergency Access Procedure\r\nAutomatic Logoff\r\nEncryption and Decryption",
     "R\r\nR\r\nA\r\nA", 34, 37},
    {2, "Audit Controls", "164.312(b)", " ", "R", 38, 38},
    {2, "Integrity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI", "A", 39, 39},
    {2, "Person or Entity Authentication", "164.312(d)", " ", "R", 40, 40},
    {2, "Transmission Security", "164.312(e)(1)", "Integrity Controls\r\nEncryption", "A\r\nA", 41, 42},
}};
// clang-format on

// Headings of the three areas: name, section sign, section, no blanks.
inline constexpr std::array<std::string_view, 3> OverviewAreaHeadings{{"Administrative Safeguards\u00A7164.308",
                                                                       "Physical Safeguards\u00A7164.310",
                                                                       "Technical Safeguards\u00A7164.312"}};
// Captions (and tooltips) of the three area buttons SSCommand18(0..2).
inline constexpr std::array<std::string_view, 3> OverviewAreaButtons{
    {"Administrative Safeguards", "Physical Safeguards", "Technical Safeguards"}};

}  // namespace catalogue
