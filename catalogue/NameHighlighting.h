// The names of the specifications as they are marked in the read-only texts about them (the
// marking itself is the Action Area's: workbook/NameMarking.h).
#pragma once

#include <array>
#include <string_view>

namespace catalogue {

// The name HighlightSpecName marks on the printed specification page, by SpecNumber k (index
// k - 1). The wording and letter case differ from the entry labels on purpose: these are the
// words as the rule itself uses them. The two overview entries (k 43 and 46) have none.
inline constexpr std::array<std::string_view, 47> MarkedSpecNames{{
    "Risk Analysis",                                                      // 1
    "Risk Management",                                                    // 2
    "Sanction Policy",                                                    // 3
    "Information System Activity",                                        // 4
    "Assigned security responsibility",                                   // 5
    "Authorization and/or Supervision",                                   // 6
    "Workforce clearance procedure",                                      // 7
    "Termination Procedures",                                             // 8
    "Isolating health care clearinghouse functions",                      // 9
    "Access authorization",                                               // 10
    "Access Establishment",                                               // 11
    "Security Reminders",                                                 // 12
    "Protection from Malicious Software",                                 // 13
    "Log-in Monitoring",                                                  // 14
    "Password Management",                                                // 15
    "response and reporting",                                             // 16
    "Data Backup Plan",                                                   // 17
    "Disaster Recovery Plan",                                             // 18
    "Emergency Mode Operation Plan",                                      // 19
    "Testing and revision procedures",                                    // 20
    "Applications and Data Criticality Analysis",                         // 21
    "Evaluation",                                                         // 22
    "Written contract or other arrangement",                              // 23
    "Contingency operations",                                             // 24
    "Facility security plan",                                             // 25
    "Access control and validation procedures",                           // 26
    "Maintenance records",                                                // 27
    "Workstation use",                                                    // 28
    "Workstation security",                                               // 29
    "Disposal",                                                           // 30
    "Media re-use",                                                       // 31
    "Accountability",                                                     // 32
    "Data backup and storage",                                            // 33
    "Unique user identification",                                         // 34
    "Emergency access procedure",                                         // 35
    "Automatic logoff",                                                   // 36
    "Encryption and decryption",                                          // 37
    "Audit controls",                                                     // 38
    "Mechanism to authenticate electronic protected health information",  // 39
    "Person or entity authentication",                                    // 40
    "Integrity controls",                                                 // 41
    "Encryption",                                                         // 42
    "",                                                                   // 43 overview
    "Business associate",                                                 // 44
    "Requirements for group health plans",                                // 45
    "",                                                                   // 46 overview
    "Documentation",                                                      // 47
}};

// The marked name of k; empty for k 43, 46 and any k outside 1..47.
constexpr std::string_view markedSpecName(int k) {
    return k >= 1 && k <= int(MarkedSpecNames.size()) ? MarkedSpecNames[std::size_t(k - 1)] : std::string_view{};
}

}  // namespace catalogue
