#include "catalogue/RuleText.h"

#include <array>
#include <initializer_list>

#include "catalogue/Catalogue.h"

namespace catalogue {
namespace {

// ---- The rule's own words ------------------------------------------------------------------
// Each constant is one paragraph (or, for 164.316(b)(1), one of the two pieces the program
// splits it into) of 45 CFR 164.308-164.316 in the text of the final rule of February 20, 2003,
// word for word. Names follow the paragraph designation: P308_a3A is 164.308(a)(3)(ii)(A).

constexpr std::string_view P308_a = "(a) A covered entity must, in accordance with § 164.306:";
constexpr std::string_view P308_ii = "(ii) Implementation specifications:";
constexpr std::string_view P308_a1A =
    "(A) Risk analysis (Required). Conduct an accurate and thorough assessment of the "
    "potential risks and vulnerabilities to the confidentiality, integrity, and availability "
    "of electronic protected health information held by the covered entity.";
constexpr std::string_view P308_a1B =
    "(B) Risk management (Required). Implement security measures sufficient to reduce risks "
    "and vulnerabilities to a reasonable and appropriate level to comply with § 164.306(a).";
constexpr std::string_view P308_a1C =
    "(C) Sanction policy (Required). Apply appropriate sanctions against workforce members "
    "who fail to comply with the security policies and procedures of the covered entity.";
constexpr std::string_view P308_a1D =
    "(D) Information system activity review (Required). Implement procedures to regularly "
    "review records of information system activity, such as audit logs, access reports, and "
    "security incident tracking reports.";
constexpr std::string_view P308_a2 =
    "(2) Standard: Assigned security responsibility. Identify the security official who is "
    "responsible for the development and implementation of the policies and procedures "
    "required by this subpart for the entity.";
constexpr std::string_view P308_a3i =
    "(3)(i) Standard: Workforce security. Implement policies and procedures to ensure that "
    "all members of its workforce have appropriate access to electronic protected health "
    "information, as provided under paragraph (a)(4) of this section, and to prevent those "
    "workforce members who do not have access under paragraph (a)(4) of this section from "
    "obtaining access to electronic protected health information.";
constexpr std::string_view P308_a3A =
    "(A) Authorization and/or supervision (Addressable). Implement procedures for the "
    "authorization and/or supervision of workforce members who work with electronic protected "
    "health information or in locations where it might be accessed.";
constexpr std::string_view P308_a3B =
    "(B) Workforce clearance procedure (Addressable). Implement procedures to determine that "
    "the access of a workforce member to electronic protected health information is "
    "appropriate.";
constexpr std::string_view P308_a3C =
    "(C) Termination procedures (Addressable). Implement procedures for terminating access to "
    "electronic protected health information when the employment of a workforce member ends "
    "or as required by determinations made as specified in paragraph (a)(3)(ii)(B) of this "
    "section.";
constexpr std::string_view P308_a4i =
    "(4)(i) Standard: Information access management. Implement policies and procedures for "
    "authorizing access to electronic protected health information that are consistent with "
    "the applicable requirements of subpart E of this part.";
constexpr std::string_view P308_a4A =
    "(A) Isolating health care clearinghouse functions (Required). If a health care "
    "clearinghouse is part of a larger organization, the clearinghouse must implement "
    "policies and procedures that protect the electronic protected health information of the "
    "clearinghouse from unauthorized access by the larger organization.";
constexpr std::string_view P308_a4B =
    "(B) Access authorization (Addressable). Implement policies and procedures for granting "
    "access to electronic protected health information, for example, through access to a "
    "workstation, transaction, program, process, or other mechanism.";
constexpr std::string_view P308_a4C =
    "(C) Access establishment and modification (Addressable). Implement policies and "
    "procedures that, based upon the entity's access authorization policies, establish, "
    "document, review, and modify a user's right of access to a workstation, transaction, "
    "program, or process.";
constexpr std::string_view P308_a5i =
    "(5)(i) Standard: Security awareness and training. Implement a security awareness and "
    "training program for all members of its workforce (including management).";
constexpr std::string_view P308_a5A = "(A) Security reminders (Addressable). Periodic security updates.";
constexpr std::string_view P308_a5B =
    "(B) Protection from malicious software (Addressable). Procedures for guarding against, "
    "detecting, and reporting malicious software.";
constexpr std::string_view P308_a5C =
    "(C) Log-in monitoring (Addressable). Procedures for monitoring log-in attempts and "
    "reporting discrepancies.";
constexpr std::string_view P308_a5D =
    "(D) Password management (Addressable). Procedures for creating, changing, and "
    "safeguarding passwords.";
constexpr std::string_view P308_a6i =
    "(6)(i) Standard: Security incident procedures. Implement policies and procedures to "
    "address security incidents.";
constexpr std::string_view P308_a6ii =
    "(ii) Implementation specification: Response and reporting (Required). Identify and "
    "respond to suspected or known security incidents; mitigate, to the extent practicable, "
    "harmful effects of security incidents that are known to the covered entity; and document "
    "security incidents and their outcomes.";
constexpr std::string_view P308_a7i =
    "(7)(i) Standard: Contingency plan. Establish (and implement as needed) policies and "
    "procedures for responding to an emergency or other occurrence (for example, fire, "
    "vandalism, system failure, and natural disaster) that damages systems that contain "
    "electronic protected health information.";
constexpr std::string_view P308_a7A =
    "(A) Data backup plan (Required). Establish and implement procedures to create and "
    "maintain retrievable exact copies of electronic protected health information.";
constexpr std::string_view P308_a7B =
    "(B) Disaster recovery plan (Required). Establish (and implement as needed) procedures to "
    "restore any loss of data.";
constexpr std::string_view P308_a7C =
    "(C) Emergency mode operation plan (Required). Establish (and implement as needed) "
    "procedures to enable continuation of critical business processes for protection of the "
    "security of electronic protected health information while operating in emergency mode.";
constexpr std::string_view P308_a7D =
    "(D) Testing and revision procedures (Addressable). Implement procedures for periodic "
    "testing and revision of contingency plans.";
constexpr std::string_view P308_a7E =
    "(E) Applications and data criticality analysis (Addressable). Assess the relative "
    "criticality of specific applications and data in support of other contingency plan "
    "components.";
constexpr std::string_view P308_a8 =
    "(8) Standard: Evaluation. Perform a periodic technical and nontechnical evaluation, "
    "based initially upon the standards implemented under this rule and subsequently, in "
    "response to environmental or operational changes affecting the security of electronic "
    "protected health information, that establishes the extent to which an entity's security "
    "policies and procedures meet the requirements of this subpart.";
constexpr std::string_view P308_b1 =
    "(b)(1) Standard: Business associate contracts and other arrangements. A covered entity, "
    "in accordance with § 164.306, may permit a business associate to create, receive, "
    "maintain, or transmit electronic protected health information on the covered entity's "
    "behalf only if the covered entity obtains satisfactory assurances, in accordance with § "
    "164.314(a) that the business associate will appropriately safeguard the information.";
constexpr std::string_view P308_b2 = "(2) This standard does not apply with respect to—";
constexpr std::string_view P308_b2i =
    "(i) The transmission by a covered entity of electronic protected health information to a "
    "health care provider concerning the treatment of an individual.";
constexpr std::string_view P308_b2ii =
    "(ii) The transmission of electronic protected health information by a group health plan "
    "or an HMO or health insurance issuer on behalf of a group health plan to a plan sponsor, "
    "to the extent that the requirements of § 164.314(b) and § 164.504(f) apply and are met; "
    "or";
constexpr std::string_view P308_b2iii =
    "(iii) The transmission of electronic protected health information from or to other "
    "agencies providing the services at § 164.502(e)(1)(ii)(C), when the covered entity is a "
    "health plan that is a government program providing public benefits, if the requirements "
    "of § 164.502(e)(1)(ii)(C) are met.";
constexpr std::string_view P308_b3 =
    "(3) A covered entity that violates the satisfactory assurances it provided as a business "
    "associate of another covered entity will be in noncompliance with the standards, "
    "implementation specifications, and requirements of this paragraph and § 164.314(a).";
constexpr std::string_view P308_b4 =
    "(4) Implementation specifications: Written contract or other arrangement (Required). "
    "Document the satisfactory assurances required by paragraph (b)(1) of this section "
    "through a written contract or other arrangement with the business associate that meets "
    "the applicable requirements of § 164.314(a).";
constexpr std::string_view P310_open = "A covered entity must, in accordance with § 164.306:";
constexpr std::string_view P310_a1 =
    "(a)(1) Standard: Facility access controls. Implement policies and procedures to limit "
    "physical access to its electronic information systems and the facility or facilities in "
    "which they are housed, while ensuring that properly authorized access is allowed.";
constexpr std::string_view P310_a2 = "(2) Implementation specifications:";
constexpr std::string_view P310_a2i =
    "(i) Contingency operations (Addressable). Establish (and implement as needed) procedures "
    "that allow facility access in support of restoration of lost data under the disaster "
    "recovery plan and emergency mode operations plan in the event of an emergency.";
constexpr std::string_view P310_a2ii =
    "(ii) Facility security plan (Addressable). Implement policies and procedures to "
    "safeguard the facility and the equipment therein from unauthorized physical access, "
    "tampering, and theft.";
constexpr std::string_view P310_a2iii =
    "(iii) Access control and validation procedures (Addressable). Implement procedures to "
    "control and validate a person's access to facilities based on their role or function, "
    "including visitor control, and control of access to software programs for testing and "
    "revision.";
constexpr std::string_view P310_a2iv =
    "(iv) Maintenance records (Addressable). Implement policies and procedures to document "
    "repairs and modifications to the physical components of a facility which are related to "
    "security (for example, hardware, walls, doors, and locks).";
constexpr std::string_view P310_b =
    "(b) Standard: Workstation use. Implement policies and procedures that specify the proper "
    "functions to be performed, the manner in which those functions are to be performed, and "
    "the physical attributes of the surroundings of a specific workstation or class of "
    "workstation that can access electronic protected health information.";
constexpr std::string_view P310_c =
    "(c) Standard: Workstation security. Implement physical safeguards for all workstations "
    "that access electronic protected health information, to restrict access to authorized "
    "users.";
constexpr std::string_view P310_d1 =
    "(d)(1) Standard: Device and media controls. Implement policies and procedures that "
    "govern the receipt and removal of hardware and electronic media that contain electronic "
    "protected health information into and out of a facility, and the movement of these items "
    "within the facility.";
constexpr std::string_view P310_d2i =
    "(i) Disposal (Required). Implement policies and procedures to address the final "
    "disposition of electronic protected health information, and/or the hardware or "
    "electronic media on which it is stored.";
constexpr std::string_view P310_d2ii =
    "(ii) Media re-use (Required). Implement procedures for removal of electronic protected "
    "health information from electronic media before the media are made available for re-use.";
constexpr std::string_view P310_d2iii =
    "(iii) Accountability (Addressable). Maintain a record of the movements of hardware and "
    "electronic media and any person responsible therefore.";
constexpr std::string_view P310_d2iv =
    "(iv) Data backup and storage (Addressable). Create a retrievable, exact copy of "
    "electronic protected health information, when needed, before movement of equipment.";
constexpr std::string_view P312_a1 =
    "(a)(1) Standard: Access control. Implement technical policies and procedures for "
    "electronic information systems that maintain electronic protected health information to "
    "allow access only to those persons or software programs that have been granted access "
    "rights as specified in § 164.308(a)(4).";
constexpr std::string_view P312_a2 = "(2) Implementation specifications:";
constexpr std::string_view P312_a2i =
    "(i) Unique user identification (Required). Assign a unique name and/or number for "
    "identifying and tracking user identity.";
constexpr std::string_view P312_a2ii =
    "(ii) Emergency access procedure (Required). Establish (and implement as needed) "
    "procedures for obtaining necessary electronic protected health information during an "
    "emergency.";
constexpr std::string_view P312_a2iii =
    "(iii) Automatic logoff (Addressable). Implement electronic procedures that terminate an "
    "electronic session after a predetermined time of inactivity.";
constexpr std::string_view P312_a2iv =
    "(iv) Encryption and decryption (Addressable). Implement a mechanism to encrypt and "
    "decrypt electronic protected health information.";
constexpr std::string_view P312_b =
    "(b) Standard: Audit controls. Implement hardware, software, and/or procedural mechanisms "
    "that record and examine activity in information systems that contain or use electronic "
    "protected health information.";
constexpr std::string_view P312_c1 =
    "(c)(1) Standard: Integrity. Implement policies and procedures to protect electronic "
    "protected health information from improper alteration or destruction.";
constexpr std::string_view P312_c2 =
    "(2) Implementation specification: Mechanism to authenticate electronic protected health "
    "information (Addressable). Implement electronic mechanisms to corroborate that "
    "electronic protected health information has not been altered or destroyed in an "
    "unauthorized manner.";
constexpr std::string_view P312_d =
    "(d) Standard: Person or entity authentication. Implement procedures to verify that a "
    "person or entity seeking access to electronic protected health information is the one "
    "claimed.";
constexpr std::string_view P312_e1 =
    "(e)(1) Standard: Transmission security. Implement technical security measures to guard "
    "against unauthorized access to electronic protected health information that is being "
    "transmitted over an electronic communications network.";
constexpr std::string_view P312_e2i =
    "(i) Integrity controls (Addressable). Implement security measures to ensure that "
    "electronically transmitted electronic protected health information is not improperly "
    "modified without detection until disposed of.";
constexpr std::string_view P312_e2ii =
    "(ii) Encryption (Addressable). Implement a mechanism to encrypt electronic protected "
    "health information whenever deemed appropriate.";
constexpr std::string_view P314_a1 = "(a)(1) Standard: Business associate contracts or other arrangements.";
constexpr std::string_view P314_a1i =
    "(i) The contract or other arrangement between the covered entity and its business "
    "associate required by § 164.308(b) must meet the requirements of paragraph (a)(2)(i) or "
    "(a)(2)(ii) of this section, as applicable.";
constexpr std::string_view P314_a1ii =
    "(ii) A covered entity is not in compliance with the standards in § 164.502(e) and "
    "paragraph (a) of this section if the covered entity knew of a pattern of an activity or "
    "practice of the business associate that constituted a material breach or violation of "
    "the business associate's obligation under the contract or other arrangement, unless the "
    "covered entity took reasonable steps to cure the breach or end the violation, as "
    "applicable, and, if such steps were unsuccessful—";
constexpr std::string_view P314_a1iiA = "(A) Terminated the contract or arrangement, if feasible; or";
constexpr std::string_view P314_a1iiB = "(B) If termination is not feasible, reported the problem to the Secretary.";
constexpr std::string_view P314_a2 = "(2) Implementation specifications (Required).";
constexpr std::string_view P314_a2i =
    "(i) Business associate contracts. The contract between a covered entity and a business "
    "associate must provide that the business associate will—";
constexpr std::string_view P314_a2iA =
    "(A) Implement administrative, physical, and technical safeguards that reasonably and "
    "appropriately protect the confidentiality, integrity, and availability of the electronic "
    "protected health information that it creates, receives, maintains, or transmits on "
    "behalf of the covered entity as required by this subpart;";
constexpr std::string_view P314_a2iB =
    "(B) Ensure that any agent, including a subcontractor, to whom it provides such "
    "information agrees to implement reasonable and appropriate safeguards to protect it;";
constexpr std::string_view P314_a2iC =
    "(C) Report to the covered entity any security incident of which it becomes aware;";
constexpr std::string_view P314_a2iD =
    "(D) Authorize termination of the contract by the covered entity, if the covered entity "
    "determines that the business associate has violated a material term of the contract.";
constexpr std::string_view P314_a2ii = "(ii) Other arrangements.";
constexpr std::string_view P314_b1 =
    "(b)(1) Standard: Requirements for group health plans. Except when the only electronic "
    "protected health information disclosed to a plan sponsor is disclosed pursuant to § "
    "164.504(f)(1)(ii) or (iii), or as authorized under § 164.508, a group health plan must "
    "ensure that its plan documents provide that the plan sponsor will reasonably and "
    "appropriately safeguard electronic protected health information created, received, "
    "maintained, or transmitted to or by the plan sponsor on behalf of the group health plan.";
constexpr std::string_view P316_a =
    "(a) Standard: Policies and procedures. Implement reasonable and appropriate policies and "
    "procedures to comply with the standards, implementation specifications, or other "
    "requirements of this subpart, taking into account those factors specified in § "
    "164.306(b)(2)(i), (ii), (iii), and (iv). This standard is not to be construed to permit "
    "or excuse an action that violates any other standard, implementation specification, or "
    "other requirements of this subpart. A covered entity may change its policies and "
    "procedures at any time, provided that the changes are documented and are implemented in "
    "accordance with this subpart.";
constexpr std::string_view P316_b2 = "(2) Implementation specifications:";
constexpr std::string_view P316_b2i =
    "(i) Time limit (Required). Retain the documentation required by paragraph (b)(1) of this "
    "section for 6 years from the date of its creation or the date when it last was in "
    "effect, whichever is later.";
constexpr std::string_view P316_b2ii =
    "(ii) Availability (Required). Make documentation available to those persons responsible "
    "for implementing the procedures to which the documentation pertains.";
constexpr std::string_view P316_b2iii =
    "(iii) Updates (Required). Review documentation periodically, and update as needed, in "
    "response to environmental or operational changes affecting the security of the "
    "electronic protected health information.";
constexpr std::string_view P316_b1ii =
    "(ii) If an action, activity or assessment is required by this subpart to be documented, "
    "maintain a written (which may be electronic) record of the action, activity, or "
    "assessment.";
constexpr std::string_view P316_b1 = "(b)(1) Standard: Documentation.";
constexpr std::string_view P316_b1i =
    "(i) Maintain the policies and procedures implemented to comply with this subpart in "
    "written (which may be electronic) form; and";

constexpr std::string_view H308 = "\u00A7 164.308  Administrative safeguards.";
constexpr std::string_view H310 = "\u00A7 164.310  Physical safeguards.";
constexpr std::string_view H312 = "\u00A7 164.312  Technical safeguards.";
constexpr std::string_view H316 = "\u00A7 164.316  Policies and procedures and documentation requirements.";

// Where a text stops short because paragraphs of its 2003 wording are not available, the
// program says so at its end, so that no reader takes the requirement to end there. The
// notes avoid the entry's marked name, which the marking loop would mark in them too.
constexpr std::string_view Note314a2ii =
    "Program note: paragraphs (a)(2)(ii)(A) through (C) of § 164.314, which set out what "
    "other arrangements must provide, are not reproduced in this program. They are published "
    "in § 164.314 of the final rule, 68 FR 8334, February 20, 2003.";
constexpr std::string_view Note314b2 =
    "Program note: paragraph (b)(2) of § 164.314, with its items (i) through (iv), which "
    "sets out what the plan documents must provide, is not reproduced in this program. It is "
    "published in § 164.314 of the final rule, 68 FR 8334, February 20, 2003.";

struct Row {
    std::string_view heading;
    std::string_view opening;
    std::initializer_list<std::string_view> paragraphs;
    std::string_view highlight;
    std::initializer_list<std::string_view> notQuoted;
    std::string_view note = {};
};

// One row per SpecNumber, in order. Rows 43 and 46 are the overview entries (no text).
const std::array<Row, SpecCount>& rows() {
    static const std::array<Row, SpecCount> table{{
        // 1-4: no standard paragraph, straight to the implementation specifications.
        {H308, P308_a, {P308_ii, P308_a1A}, "Risk Analysis", {}},
        {H308, P308_a, {P308_ii, P308_a1B}, "Risk Management", {}},
        {H308, P308_a, {P308_ii, P308_a1C}, "Sanction Policy", {}},
        {H308, P308_a, {P308_ii, P308_a1D}, "Information System Activity Review", {}},
        // 5: the specifications line stands before the standard's own paragraph.
        {H308, P308_a, {P308_ii, P308_a2}, "Assigned Security Responsibility", {}},
        {H308, P308_a, {P308_a3i, P308_ii, P308_a3A}, "Authorization and/or Supervision", {}},
        {H308, P308_a, {P308_a3i, P308_ii, P308_a3B}, "Workforce Clearance Procedure", {}},
        {H308, P308_a, {P308_a3i, P308_ii, P308_a3C}, "Termination Procedures", {}},
        {H308, P308_a, {P308_a4i, P308_ii, P308_a4A}, "Isolating health care clearinghouse functions", {}},
        {H308, P308_a, {P308_a4i, P308_ii, P308_a4B}, "Access Authorization", {}},
        {H308, P308_a, {P308_a4i, P308_ii, P308_a4C}, "Access Establishment and Modification", {}},
        // 12-15: no implementation specifications line.
        {H308, P308_a, {P308_a5i, P308_a5A}, "Security Reminders", {}},
        {H308, P308_a, {P308_a5i, P308_a5B}, "Protection from malicious software", {}},
        {H308, P308_a, {P308_a5i, P308_a5C}, "Log-in monitoring", {}},
        {H308, P308_a, {P308_a5i, P308_a5D}, "Password management", {}},
        {H308, P308_a, {P308_a6i, P308_a6ii}, "Response and Reporting", {}},
        {H308, P308_a, {P308_a7i, P308_ii, P308_a7A}, "Data backup plan", {}},
        {H308, P308_a, {P308_a7i, P308_ii, P308_a7B}, "Disaster recovery plan", {}},
        {H308, P308_a, {P308_a7i, P308_ii, P308_a7C}, "Emergency mode operation plan", {}},
        {H308, P308_a, {P308_a7i, P308_ii, P308_a7D}, "Testing and revision procedures", {}},
        {H308, P308_a, {P308_a7i, P308_ii, P308_a7E}, "Applications and data criticality analysis", {}},
        {H308, P308_a, {P308_a8}, "Evaluation", {}},
        {H308,
         P308_a,
         {P308_b1, P308_b2, P308_b2i, P308_b2ii, P308_b2iii, P308_b3, P308_b4},
         "Written Contract or Other Arrangement",
         {}},
        // 24-33: physical safeguards.
        {H310, P310_open, {P310_a1, P310_a2, P310_a2i}, "Contingency Operations", {}},
        {H310, P310_open, {P310_a1, P310_a2, P310_a2ii}, "Facility Security Plan", {}},
        {H310, P310_open, {P310_a1, P310_a2, P310_a2iii}, "Access control and validation procedures", {}},
        {H310, P310_open, {P310_a1, P310_a2, P310_a2iv}, "Maintenance records", {}},
        {H310, P310_open, {P310_b}, "Workstation use", {}},
        {H310, P310_open, {P310_c}, "Workstation security", {}},
        {H310, P310_open, {P310_d1, P310_a2, P310_d2i}, "Disposal", {}},
        {H310, P310_open, {P310_d1, P310_a2, P310_d2ii}, "Media re-use", {}},
        {H310, P310_open, {P310_d1, P310_a2, P310_d2iii}, "Accountability", {}},
        {H310, P310_open, {P310_d1, P310_a2, P310_d2iv}, "Data backup and storage", {}},
        // 34-42: technical safeguards (same opening sentence as 164.310).
        {H312, P310_open, {P312_a1, P312_a2, P312_a2i}, "Unique user identification", {}},
        {H312, P310_open, {P312_a1, P312_a2, P312_a2ii}, "Emergency access procedure", {}},
        {H312, P310_open, {P312_a1, P312_a2, P312_a2iii}, "Automatic logoff", {}},
        {H312, P310_open, {P312_a1, P312_a2, P312_a2iv}, "Encryption and decryption", {}},
        {H312, P310_open, {P312_b}, "Audit controls", {}},
        {H312, P310_open, {P312_c1, P312_c2}, "Mechanism to authenticate electronic protected health information", {}},
        {H312, P310_open, {P312_d}, "Person or entity authentication", {}},
        {H312, P310_open, {P312_e1, P312_a2, P312_e2i}, "Integrity controls", {}},
        {H312, P310_open, {P312_e1, P312_a2, P312_e2ii}, "Encryption", {}},
        // 43: organizational requirements overview, no text.
        {{}, {}, {}, {}, {}},
        // 44: the whole of 164.314(a) as far as its 2003 wording is known. The paragraphs of
        // (a)(2)(ii) after its heading are left out: their later wording is not the 2003 text.
        {{},
         {},
         {P314_a1, P314_a1i, P314_a1ii, P314_a1iiA, P314_a1iiB, P314_a2, P314_a2i, P314_a2iA, P314_a2iB, P314_a2iC,
          P314_a2iD, P314_a2ii},
         "Business associate",
         {"(a)(2)(ii)(A)", "(a)(2)(ii)(A)(1)", "(a)(2)(ii)(A)(2)", "(a)(2)(ii)(B)", "(a)(2)(ii)(C)"},
         Note314a2ii},
        // 45: the standard only; the 2003 wording of (b)(2) and its items is not known.
        {{},
         {},
         {P314_b1},
         "Requirements for group health plans",
         {"(b)(2)", "(b)(2)(i)", "(b)(2)(ii)", "(b)(2)(iii)", "(b)(2)(iv)"},
         Note314b2},
        // 46: policies and documentation overview, no text.
        {{}, {}, {}, {}, {}},
        // 47: the whole of 164.316; (b)(1) is shown as its heading and its (i) on two lines.
        {H316,
         P310_open,
         {P316_a, P316_b1, P316_b1i, P316_b1ii, P316_b2, P316_b2i, P316_b2ii, P316_b2iii},
         "Documentation",
         {}},
    }};
    return table;
}

std::string trimBlanks(std::string s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace

RuleText ruleText(int k) {
    RuleText out;
    if (!isSpecNumber(k)) return out;
    if (entry(k).overview) {
        out.empty = true;
        return out;
    }
    const Row& row = rows()[static_cast<std::size_t>(k - 1)];
    out.sectionHeading = row.heading;
    out.openingSentence = row.opening;
    out.paragraphs.assign(row.paragraphs.begin(), row.paragraphs.end());
    out.highlight = row.highlight;
    out.hasHighlight = true;
    out.notQuoted.assign(row.notQuoted.begin(), row.notQuoted.end());
    out.note = row.note;
    return out;
}

std::vector<std::string> ruleTextPieces(const RuleText& text) {
    std::vector<std::string> pieces;
    if (!text.sectionHeading.empty()) pieces.emplace_back(text.sectionHeading);
    if (!text.openingSentence.empty())
        pieces.push_back(std::string(RuleParagraphIndent) + std::string(text.openingSentence));
    for (std::string_view p : text.paragraphs) pieces.push_back(std::string(RuleParagraphIndent) + std::string(p));
    return pieces;
}

std::string composeRuleText(int k) {
    const RuleText text = ruleText(k);
    if (text.empty) return {};
    std::string composed(RuleTextHeader);
    composed += RuleLineBreak;
    composed += RuleLineBreak;
    bool first = true;
    for (const std::string& piece : ruleTextPieces(text)) {
        if (!first) composed += RuleLineBreak;
        composed += piece;
        first = false;
    }
    if (!text.note.empty()) {
        composed += RuleLineBreak;
        composed += text.note;
    }
    return trimBlanks(std::move(composed));
}

}  // namespace catalogue
