#include "catalogue/RuleReferences.h"

#include <initializer_list>

#include "catalogue/Catalogue.h"
#include "catalogue/RuleText.h"

namespace catalogue {
namespace {

// ---- The preamble's own words ------------------------------------------------------------
// Word for word from the preamble of the final rule as the program has it (the headings of
// its outline with their blanks closed up). Only whole paragraphs are quoted.

constexpr std::string_view E_Part = "E. Administrative Safeguards (\u00A7 164.308)";
constexpr std::string_view E1_Heading = "1. Security management process (\u00A7 164.308(a)(1)(i)).";
constexpr std::string_view E1_Proposed =
    "We proposed the establishment of a formal security management process to involve the "
    "creation, administration, and oversight of policies to address the full range of "
    "security issues and to ensure the prevention, detection, containment, and correction of "
    "security violations. This process would include implementation features consisting of a "
    "risk analysis, risk management, and sanction and security policies.";
constexpr std::string_view E1_InternalAudit =
    "We also proposed, in a separate requirement under administrative procedures, an internal "
    "audit, which would be an in-house review of the records of system activity (for example, "
    "logins, file accesses, and security incidents) maintained by an entity.";
constexpr std::string_view E2_Heading = "2. Assigned Security Responsibility (\u00A7 164.308(a)(2))";
constexpr std::string_view E3_Heading = "3. Workforce Security (\u00A7 164.308(a)(3)(i))";
constexpr std::string_view E5_Heading = "5. Security Awareness and Training (\u00A7 164.308(a)(5)(i))";
constexpr std::string_view E6_Heading = "6. Security Incident Procedures (\u00A7 164.308(a)(6))";
constexpr std::string_view E7_Heading = "7. Contingency Plan (\u00A7 164.308(a)(7)(i))";

constexpr std::string_view F_Part = "F. Physical Safeguards (\u00A7 164.310)";
constexpr std::string_view F2_Heading = "2. Facility Access Controls (\u00A7 164.310(a)(1))";

constexpr std::string_view G_Part = "G. Technical Safeguards (\u00A7 164.312)";
constexpr std::string_view G_Proposed =
    "We proposed five technical security services requirements with supporting implementation "
    "features: Access control; Audit controls; Authorization control; Data authentication; and "
    "Entity authentication. We also proposed specific technical security mechanisms for data "
    "transmitted over a communications network, Communications/network controls with "
    "supporting implementation features; Integrity controls; Message authentication; Access "
    "controls; Encryption; Alarm; Audit trails; Entity authentication; and Event reporting.";
constexpr std::string_view G_FinalRule =
    "In this final rule, we consolidate these provisions into \u00A7 164.312. That section now "
    "includes standards regarding access controls, audit controls, integrity (previously "
    "titled data authentication), person or entity authentication, and transmission security. "
    "As discussed below, while certain implementation specifications are required, many of "
    "the proposed security implementation features are now addressable implementation "
    "specifications. The function of authorization control has been incorporated into the "
    "information access management standard under \u00A7 164.308, Administrative safeguards.";
constexpr std::string_view G1_Heading = "1. Access Control (\u00A7 164.312(a)(1))";
constexpr std::string_view G1_AccessControl =
    "In the proposed rule, we proposed to require that the access controls requirement include "
    "features for emergency access procedures and provisions for context-based, role-based, "
    "and/or user-based access; we also proposed the optional use of encryption as a means of "
    "providing access control. In this final rule, we require unique user identification and "
    "provision for emergency access procedures, and retain encryption as an addressable "
    "implementation specification. We also make \"Automatic logoff\" an addressable "
    "implementation specification. \"Automatic logoff\" and \"Unique user identification\" "
    "were formerly implementation features under the proposed \"Entity authentication\" (see "
    "\u00A7 164.312(d)).";

constexpr std::string_view H_Part = "H. Organizational Requirements (\u00A7 164.314)";
constexpr std::string_view H_FinalRule =
    "In this final rule, we have adopted the concepts of hybrid and affiliated entities, as "
    "previously defined in \u00A7 164.504, and now defined in \u00A7 164.103, and business "
    "associates as defined in \u00A7 160.103, to be consistent with the Privacy Rule. General "
    "organizational requirements related to affiliated covered entities and hybrid entities "
    "are now contained in a new \u00A7 164.105. The proposed chain of trust partner agreement "
    "has been replaced by the standards for business associate contracts or other "
    "arrangements and the standards for group health plans. Consistent with the statute and "
    "the policy of the Privacy Rule, this final rule does not require noncovered entities to "
    "comply with the security standards.";

// ---- The program's notes -------------------------------------------------------------------

constexpr std::string_view Published =
    "It is published with the final rule in the Federal Register, 68 FR 8334, February 20, "
    "2003.";

constexpr std::string_view WhatItDoes =
    ": it summarizes what the proposed rule of August 12, 1998 provided, summarizes the related "
    "provisions of the final rule, and responds to the comments received. That discussion is "
    "not reproduced here. ";
constexpr std::string_view BelongsTo = ", the standard to which this implementation specification belongs";

// A topic of the preamble of which the program has the heading only. part names the section
// of the preamble; standard is what the heading stands for.
std::string headingNote(std::string_view part, std::string_view standard, bool ofSpecification) {
    std::string s = "Program note: Under this heading, in section III.";
    s += part;
    s += ", the preamble of the final rule discusses ";
    s += standard;
    if (ofSpecification) s += BelongsTo;
    s += WhatItDoes;
    s += Published;
    return s;
}

// The physical safeguards: of section III.F the program has the heading alone, and of its
// topics only the first headings of the preamble's outline, so the note names no other.
std::string physicalNote() {
    std::string s =
        "Program note: In section III.F, \u201CPhysical Safeguards (\u00A7 164.310)\u201D, the "
        "preamble of the final rule discusses the physical safeguards of \u00A7 164.310";
    s += WhatItDoes;
    s += "Of the topics of section III.F, the preamble's outline as the program has it names "
         "general comments, facility access controls and workstation use, and breaks off at the "
         "next heading. ";
    s += Published;
    return s;
}

// A part of the preamble of which the program has the opening only.
std::string restNote(std::string_view topic) {
    std::string s = "Program note: The preamble goes on to discuss ";
    s += topic;
    s += ", with the comments received and the responses to them. That discussion is not "
         "reproduced here. ";
    s += Published;
    return s;
}

// ---- The rows ------------------------------------------------------------------------------

enum class Regulation {
    Whole,              // section heading, opening sentence, standard and specification
    SpecificationOnly,  // the specification's own paragraph
};

struct Piece {
    ReferencePiece::Kind kind;
    std::string text;
};

struct Row {
    std::string_view file;
    std::vector<Piece> discussion;
    Regulation regulation = Regulation::Whole;
    std::string_view highlight;
};

using K = ReferencePiece::Kind;

Piece heading(std::string_view s) { return {K::Heading, std::string(s)}; }
Piece preamble(std::string_view s) { return {K::Preamble, std::string(s)}; }
Piece note(std::string s) { return {K::ProgramNote, std::move(s)}; }

Row fileRow(std::string_view name) { return {name, {}, Regulation::Whole, {}}; }

Row composedRow(std::initializer_list<Piece> discussion, std::string_view highlight,
                Regulation regulation = Regulation::Whole) {
    return {{}, std::vector<Piece>(discussion), regulation, highlight};
}

Row row(int k) {
    const std::string_view e = "E, \u201CAdministrative Safeguards (\u00A7 164.308)\u201D";
    const std::string_view f = "F, \u201CPhysical Safeguards (\u00A7 164.310)\u201D";
    const std::string_view awareness = "security awareness and training";
    const std::string_view contingency = "the contingency plan";
    const std::string_view facility = "facility access controls";
    const std::string accessControlRest = restNote(
        "the access control standard of \u00A7 164.312(a)(1) and its implementation "
        "specifications");
    const std::string technicalRest = restNote("the standards of \u00A7 164.312");
    switch (k) {
    case 1: return fileRow("RefRA1.Dat");
    case 2: return fileRow("RefRM1.Dat");
    case 3: return fileRow("RefSC1.Dat");
    case 4:
        return composedRow({heading(E1_Heading), preamble(E1_Proposed), preamble(E1_InternalAudit),
                            note(restNote("the security management process and its implementation "
                                          "specifications"))},
                           "Information System Activity Review");
    case 5:
        return composedRow({heading(E2_Heading), note(headingNote(e, "assigned security responsibility", false))},
                           "Assigned Security Responsibility");
    case 6:
        return composedRow({heading(E3_Heading), note(headingNote(e, "workforce security", true))},
                           "Authorization and/or Supervision");
    case 7:
        return composedRow({heading(E3_Heading), note(headingNote(e, "workforce security", true))},
                           "Workforce clearance procedure");
    case 8: return fileRow("RefTM1.Dat");
    case 9: return composedRow({}, "Isolating health care clearinghouse functions", Regulation::SpecificationOnly);
    case 10: return fileRow("RefAA1.Dat");
    case 11: return fileRow("RefAE1.Dat");
    case 12: return composedRow({heading(E5_Heading), note(headingNote(e, awareness, true))}, "Security Reminders");
    case 13:
        return composedRow({heading(E5_Heading), note(headingNote(e, awareness, true))},
                           "protection from malicious software");
    case 14: return composedRow({}, "Log-in monitoring", Regulation::SpecificationOnly);
    case 15: return composedRow({heading(E5_Heading), note(headingNote(e, awareness, true))}, "password management");
    case 16:
        return composedRow({heading(E6_Heading), note(headingNote(e, "security incident procedures", true))},
                           "response and reporting");
    case 17: return composedRow({heading(E7_Heading), note(headingNote(e, contingency, true))}, "data backup plan");
    case 18:
        return composedRow({heading(E7_Heading), note(headingNote(e, contingency, true))}, "disaster recovery plan");
    case 19:
        return composedRow({heading(E7_Heading), note(headingNote(e, contingency, true))},
                           "Emergency mode operation plan");
    case 20:
        return composedRow({heading(E7_Heading), note(headingNote(e, contingency, true))},
                           "testing and revision procedures");
    case 21:
        return composedRow({heading(E7_Heading), note(headingNote(e, contingency, true))},
                           "Applications and data criticality analysis");
    case 22: return fileRow("RefEV1.Dat");
    case 23: return composedRow({}, "Written contract or other arrangement", Regulation::SpecificationOnly);
    case 24: return composedRow({heading(F2_Heading), note(headingNote(f, facility, true))}, "Contingency operations");
    case 25: return fileRow("RefFS1.Dat");
    case 26:
        return composedRow({heading(F2_Heading), note(headingNote(f, facility, true))},
                           "access control and validation procedures");
    case 27: return composedRow({heading(F2_Heading), note(headingNote(f, facility, true))}, "Maintenance Records");
    case 28: return fileRow("RefWU1.Dat");
    case 29: return composedRow({heading(F_Part), note(physicalNote())}, "Workstation Security");
    case 30: return composedRow({heading(F_Part), note(physicalNote())}, "Disposal");
    case 31: return composedRow({heading(F_Part), note(physicalNote())}, "Media re-use");
    case 32: return composedRow({heading(F_Part), note(physicalNote())}, "Accountability");
    case 33: return composedRow({heading(F_Part), note(physicalNote())}, "Data backup and storage");
    case 34:
        return composedRow({heading(G1_Heading), preamble(G1_AccessControl), note(accessControlRest)},
                           "Unique user identification");
    case 35: return composedRow({}, "Emergency access procedure");
    case 36:
        return composedRow({heading(G1_Heading), preamble(G1_AccessControl), note(accessControlRest)},
                           "Automatic logoff");
    case 37:
        return composedRow({heading(G1_Heading), preamble(G1_AccessControl), note(accessControlRest)},
                           "Encryption and decryption");
    case 38:
        return composedRow({heading(G_Part), preamble(G_Proposed), preamble(G_FinalRule), note(technicalRest)},
                           "Audit controls");
    case 39: return composedRow({}, "Mechanism to authenticate electronic protected health information");
    case 40:
        return composedRow({heading(G_Part), preamble(G_Proposed), preamble(G_FinalRule), note(technicalRest)},
                           "Person or entity authentication");
    case 41:
        return composedRow({heading(G_Part), preamble(G_Proposed), preamble(G_FinalRule), note(technicalRest)},
                           "Integrity controls");
    case 42: return fileRow("RefEnc1.Dat");
    case 43: return fileRow("OrgReq1.Dat");
    case 44: return fileRow("OrgRef2.Dat");
    case 45:
        return composedRow({heading(H_Part), preamble(H_FinalRule),
                            note("Program note: The rest of section III.H of the preamble of the final rule, after "
                                 "its opening, is not reproduced here; the paragraph above is the second of that "
                                 "opening. " +
                                 std::string(Published)),
                            note("Program note: Paragraph (b)(2) of \u00A7 164.314, with its items (i) through "
                                 "(iv), is not quoted below, because its 2003 wording is not available to the program. "
                                 "It sets out what the plan documents of a group health plan must provide, and is "
                                 "published with the rest of the regulation text at 68 FR 8376.")},
                           "Requirements for group health plans");
    case 46:
    case 47: return fileRow("PPReq1.Dat");
    default: return {};
    }
}

// The regulation paragraphs that close the page, with the leading blanks they have in the
// rule text of the specification.
std::vector<ReferencePiece> regulationPieces(int k, Regulation part) {
    std::vector<ReferencePiece> out;
    const RuleText rule = ruleText(k);
    std::vector<std::string> pieces = ruleTextPieces(rule);
    if (part == Regulation::SpecificationOnly && !pieces.empty()) pieces.erase(pieces.begin(), pieces.end() - 1);
    for (std::string& p : pieces) {
        const auto first = p.find_first_not_of(' ');
        const int indent = first == std::string::npos ? 0 : int(first);
        out.push_back({ReferencePiece::Regulation, p.substr(std::size_t(indent)), indent});
    }
    return out;
}

constexpr std::string_view LineBreak = "\r\n";

}  // namespace

RuleReferences ruleReferences(int k) {
    RuleReferences out;
    if (!isSpecNumber(k)) return out;
    Row r = row(k);
    out.fileName = r.file;
    if (!r.file.empty()) return out;
    for (Piece& p : r.discussion) {
        const int indent = p.kind == ReferencePiece::Heading ? 0 : 4;
        out.pieces.push_back({p.kind, std::move(p.text), indent});
    }
    for (ReferencePiece& p : regulationPieces(k, r.regulation)) out.pieces.push_back(std::move(p));
    out.highlight = r.highlight;
    out.hasHighlight = true;
    return out;
}

ComposedPage composeRuleReferences(int k) {
    const RuleReferences refs = ruleReferences(k);
    if (!refs.fileName.empty()) return {};
    PageBuilder page;
    page.add(ReferencesHeader);
    page.add(LineBreak);
    page.add(LineBreak);
    const ReferencePiece* previous = nullptr;
    for (const ReferencePiece& p : refs.pieces) {
        if (previous) {
            // A blank line between the paragraphs of the discussion and before the rule text; the
            // rule's paragraphs follow one another line by line.
            page.add(LineBreak);
            if (!(previous->kind == ReferencePiece::Regulation && p.kind == ReferencePiece::Regulation))
                page.add(LineBreak);
        }
        page.add(std::string(std::size_t(p.indent), ' '));
        if (p.kind == ReferencePiece::ProgramNote)
            page.add(p.text);
        else
            page.addQuoted(p.text);
        previous = &p;
    }
    return page.finish();
}

std::vector<std::string_view> referenceFileNames() {
    std::vector<std::string_view> names;
    for (int k = 1; k <= SpecCount; ++k) {
        const std::string_view name = row(k).file;
        if (!name.empty() && (names.empty() || names.back() != name)) names.push_back(name);
    }
    return names;
}

}  // namespace catalogue
