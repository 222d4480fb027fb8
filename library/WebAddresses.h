// Every web address the reference windows open, in one table: the NIST publications behind the
// Information Advisor's web button and the seven links of the Miscellaneous window. All are
// public pages; the government ones are the agencies' own.
#pragma once

#include <QString>
#include <array>

// The NIST computer-security publications: the index of the Special Publications (800 series).
inline constexpr const char* NistPublicationsIndexAddress = "https://csrc.nist.gov/publications/sp800";
// NIST Special Publication 800-66, the resource guide for implementing the HIPAA Security Rule,
// as a PDF document (its current revision).
inline constexpr const char* NistSecurityRuleGuideAddress =
    "https://nvlpubs.nist.gov/nistpubs/SpecialPublications/NIST.SP.800-66r2.pdf";

// One link label of the Miscellaneous window's links page; its place in the table is the
// label's index.
struct WebLink {
    const char* caption;  // as stored: a doubled ampersand shows as one "&"
    const char* tooltip;  // one blank before and after
    const char* address;
    int top;  // twips, on the links page
};

// From top to bottom the labels stand in the order 0, 1, 2, 5, 6, 3, 4: the government pages
// first, then NIST and the workgroup, then the two private information sites.
inline constexpr std::array<WebLink, 7> WebLinks = {{
    {"Office of Civil Rights", " Official Government Website ", "https://www.hhs.gov/hipaa/index.html", 2300},
    {"U.S. Department of Health and Human Resources", " Official Government Website ",
     "https://www.hhs.gov/hipaa/for-professionals/index.html", 3000},
    {"Centers for Medicare && Medicaid Services (CMS)", " Official Government Website ",
     "https://www.cms.gov/Regulations-and-Guidance/Administrative-Simplification/HIPAA-ACA", 3700},
    {"HIPAA Collaborative of Wisconsin (HIPAA COW)", " Great site for HIPAA information ",
     "https://hipaacow.org/", 5800},
    {"The HIPAA Journal", " Great site for HIPAA information ", "https://www.hipaajournal.com/", 6500},
    {"NIST Special Publications (800 Series)", " Contains several publications that may be useful, like SP 800-66 ",
     NistPublicationsIndexAddress, 4400},
    {"Workgroup for Electronic Data Interchange (WEDI)", " Contains helpful HIPAA security information ",
     "https://www.wedi.org/", 5100},
}};

inline QString webAddress(const char* address) { return QString::fromLatin1(address); }
