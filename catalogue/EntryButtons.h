// The entry buttons of the five catalogue pages of the Action Area: caption and tooltip of
// each, in page and index order. The tooltip is what the window caption shows for the entry.
// A doubled ampersand in a caption shows as one "&".
#pragma once

#include <array>
#include <string_view>

namespace catalogue {

struct EntryButton {
    int page;   // AreaMode 2..6
    int index;  // SpecIndex, the index of the button in its array
    int spec;   // SpecNumber k
    std::string_view caption;
    std::string_view tooltip;
};

inline constexpr std::array<EntryButton, 47> EntryButtons{{
    {2, 0, 1, "Risk Analysis", "Risk Analysis"},
    {2, 1, 2, "Risk Management", "Risk Management"},
    {2, 2, 3, "Sanction Policy", "Sanction Policy"},
    {2, 3, 4, "Information System...", "Information System Activity Review"},
    {2, 4, 5, "Assigned Security...", "Assigned Security Responsibility"},
    {2, 5, 6, "Authorization...", "Authorization and/or Supervision"},
    {2, 6, 7, "Workforce Clearance", "Workforce Clearance Procedure"},
    {2, 7, 8, "Termination Proc.", "Termination Procedures"},
    {2, 8, 9, "Isolating C. H.", "Isolating Health Care Clearing House Function"},
    {2, 9, 10, "Access Auth..", "Access Authorization"},
    {2, 10, 11, "Access Est..", "Access Establishment and Modification"},
    {2, 11, 12, "Security Rem..", "Security Reminders"},
    {2, 12, 13, "Protection fr..", "Protection from Malicious Software"},
    {2, 13, 14, "Log-in Monitoring", "Log-in Monitoring"},
    {2, 14, 15, "Password Man..", "Password Management"},
    {2, 15, 16, "Resp. && Report.", "Response and Reporting"},
    {2, 16, 17, "Data Backup", "Data Backup Plan"},
    {2, 17, 18, "Disaster Recovery", "Disaster Recovery Plan"},
    {2, 18, 19, "Emergency Mode", "Emergency Mode Operation Plan"},
    {2, 19, 20, "Testing && Revision", "Testing and Revision Procedure"},
    {2, 20, 21, "Applications..", "Applications and Data Criticality Analysis"},
    {2, 21, 22, "Evaluation", "Evaluation"},
    {2, 22, 23, "Business Assoc..", "Business Associate Contracts And Other Arrangements"},
    {3, 0, 24, "Contingency Operation", "Contingency Operation"},
    {3, 1, 25, "Facility Security Plan", "Facility Security Plan"},
    {3, 2, 26, "Access Control and Validation", "Access Control and Validation"},
    {3, 3, 27, "Maintenance Records", "Maintenance Records"},
    {3, 4, 28, "Workstation Use", "Workstation Use"},
    {3, 5, 29, "Workstation Security", "Workstation Security"},
    {3, 6, 30, "Disposal", "Disposal"},
    {3, 7, 31, "Media Re-use", "Media Re-use"},
    {3, 8, 32, "Accountability", "Accountability"},
    {3, 9, 33, "Data Backup and Storage", "Data Backup and Storage"},
    {4, 0, 34, "Unique User Identification", "Unique User Identification"},
    {4, 1, 35, "Emergency Access Procedure", "Emergency Access Procedure"},
    {4, 2, 36, "Automatic Logoff", "Automatic Logoff"},
    {4, 3, 37, "Encryption and Decryption", "Encryption and Decryption"},
    {4, 4, 38, "Audit Controls", "Audit Controls"},
    {4, 5, 39, "Mechanism to Authenticate Electronic PHI", "Mechanism to Authenticate Electronic PHI"},
    {4, 6, 40, "Person or entity Authentication", "Person or entity Authentication"},
    {4, 7, 41, "Integrity Controls", "Integrity Controls"},
    {4, 8, 42, "Encryption", "Encryption"},
    {5, 0, 43, "Organizational Requirements Overview", "Organizational Requirements Overview"},
    {5, 1, 44, "Business associate contracts or other arrangements Standard",
     "Business associate contracts or other arrangements Standard"},
    {5, 2, 45, "Requirements for group health plans Standard", "Requirements for group health plans Standard"},
    {6, 0, 46, "Policies and Procedures and Documentation Requirements Overview",
     "Policies and Procedures and Documentation Requirements Overview"},
    {6, 1, 47, "Documentation", "Documentation"},
}};

// Labels of the two overview entries (k 43 and 46), which have no standard of their own.
inline constexpr std::string_view OrganizationalOverviewLabel = " Organizational Requirements Overview";
inline constexpr std::string_view OrganizationalOverviewSection = " Section 164.314";
inline constexpr std::string_view PoliciesOverviewLabel = " Policies and Procedures and Documentation Requirements";
inline constexpr std::string_view PoliciesOverviewSection = " Section 164.316";

inline constexpr std::string_view StandardPrefix = " Standard: ";
inline constexpr std::string_view SectionPrefix = " Section: ";
inline constexpr std::string_view SpecificationPrefix = " Specification: ";

}  // namespace catalogue
