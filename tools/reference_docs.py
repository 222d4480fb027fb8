"""The references in the rule that are shipped as documents (RefRA1.Dat ... PPReq1.Dat) and the
additional information of the policies and documentation entries (Addtl45.dat).

A reference document quotes, word for word from the reference files in tests/data/, the parts
of the preamble of the final rule that concern its specification, says in a program note what
the rest of that discussion covers and where it is published, and closes with the
specification's paragraphs of the 2003 rule text. Quoted text is set in the quotation font,
the program's own words in the other one (see rtfgen.py); the specification's name is marked
bold and underlined wherever it stands, as the program marks it in the texts it composes.
"""

import os

from rtfgen import Doc
from rule_docs import CFR_WHERE, FR_CITATION, parse_preamble, parse_rule, read_reference

PUBLISHED = ("It is published with the final rule in the Federal Register, " + FR_CITATION + ".")
WHAT_IT_DOES = ("There it summarizes what the proposed rule of August 12, 1998 provided, "
                "summarizes the related provisions of the final rule, and responds to the comments "
                "received. That discussion is not reproduced here. " + PUBLISHED)


def squeezed(line):
    return " ".join(line.split())


class Sources:
    """The preamble's fragments and outline, and the rule text section by section."""

    def __init__(self):
        self.fragments = parse_preamble(read_reference("final-rule-2003-preamble.txt"))
        self.outline = [squeezed(l) for l in self.fragments["P2"][0]]
        _, subpart, _ = parse_rule(read_reference("security-rule-2003.txt"))
        self.sections = {}
        current = None
        for line in subpart:
            if line.startswith("§ "):
                current = line.split()[1]
                self.sections[current] = [line]
            elif current:
                self.sections[current].append(line)

    def fragment(self, label):
        return self.fragments[label][0]

    def outline_heading(self, start):
        for line in self.outline:
            if line.startswith(start):
                return line
        raise ValueError("no outline heading " + start)

    def paragraph(self, label, start):
        for line in self.fragment(label):
            if line.startswith(start):
                return line
        raise ValueError("no paragraph %r in %s" % (start, label))

    def rule(self, section, starts):
        """The section's heading line and then, in order, the first paragraph after the previous
        one that begins with each of starts. A start of "[" gives the gap at that place."""
        lines = self.sections[section]
        out = [lines[0]]
        at = 1
        for start in starts:
            while at < len(lines) and not lines[at].startswith(start):
                at += 1
            if at == len(lines):
                raise ValueError("no paragraph %r in %s" % (start, section))
            out.append(lines[at])
            at += 1
        return out


# Section III headings as the preamble gives them.
PART_E = "E. Administrative Safeguards (§ 164.308)"
PART_F = "F. Physical Safeguards (§ 164.310)"
PART_G = "G. Technical Safeguards (§ 164.312)"
PART_H = "H. Organizational Requirements (§ 164.314)"
PART_I = "I. Policies and Procedures and Documentation Requirements (§ 164.316)"


def heading_note(part, standard, of_specification=True):
    text = ("Under this heading, in section III." + part[0] + ", \u201c" + part[3:] + "\u201d, "
            "the preamble of the final rule discusses " + standard)
    if of_specification:
        text += ", the standard to which this implementation specification belongs"
    return [text + ". " + WHAT_IT_DOES]


# Of section III.H the program has the opening and the start of its first topic; which
# topics follow is not known, so the notes name none.
H_REST_OF_TOPIC = ("The rest of this topic and of section III.H is not reproduced here. "
                   + PUBLISHED)
H_REST = "The rest of section III.H, after its opening above, is not reproduced here. " + PUBLISHED


def rest_note(topic):
    return ["The preamble goes on to discuss " + topic + ", with the comments received and the "
            "responses to them. That discussion is not reproduced here. " + PUBLISHED]


NOT_QUOTED_314A = ("Paragraphs (a)(2)(ii)(A) through (C) of § 164.314, under the heading "
                   "\u201cOther arrangements\u201d, are not quoted here, because their 2003 "
                   "wording is not available to the program. They state the requirements that an "
                   "arrangement other than a business associate contract must meet. "
                   + CFR_WHERE.replace("It is published", "They are published", 1))
assert "They are published" in NOT_QUOTED_314A

# k, file, subtitle (the specification and its paragraph), marked words
DOCUMENTS = [
    (1, "RefRA1.Dat", "Risk Analysis (§ 164.308(a)(1)(ii)(A))", "Risk Analysis"),
    (2, "RefRM1.Dat", "Risk Management (§ 164.308(a)(1)(ii)(B))", "Risk Management"),
    (3, "RefSC1.Dat", "Sanction Policy (§ 164.308(a)(1)(ii)(C))", "Sanction Policy"),
    (8, "RefTM1.Dat", "Termination Procedures (§ 164.308(a)(3)(ii)(C))", "Termination Procedures"),
    (10, "RefAA1.Dat", "Access Authorization (§ 164.308(a)(4)(ii)(B))", "Access authorization"),
    (11, "RefAE1.Dat", "Access Establishment and Modification (§ 164.308(a)(4)(ii)(C))",
     "Access Establishment"),
    (22, "RefEV1.Dat", "Evaluation (§ 164.308(a)(8))", "Evaluation"),
    (25, "RefFS1.Dat", "Facility Security Plan (§ 164.310(a)(2)(ii))", "Facility security plan"),
    (28, "RefWU1.Dat", "Workstation Use (§ 164.310(b))", "Workstation use"),
    (42, "RefEnc1.Dat", "Encryption (§ 164.312(e)(2)(ii))", "Encryption"),
    (43, "OrgReq1.Dat", "Organizational Requirements (§ 164.314)", None),
    (44, "OrgRef2.Dat", "Business Associate Contracts or Other Arrangements (§ 164.314(a))",
     "Business associate"),
    (46, "PPReq1.Dat", "Policies and Procedures and Documentation Requirements (§ 164.316)",
     "Documentation"),
]

S308 = "164.308"
A308 = ["(a) A covered entity must"]
OPEN = ["A covered entity must"]


def regulation(src, k):
    """The specification's paragraphs of the 2003 rule text, heading first."""
    spec_308 = {
        1: ["(1)(i) Standard: Security management process", "(ii) Implementation", "(A) Risk analysis"],
        2: ["(1)(i) Standard: Security management process", "(ii) Implementation", "(B) Risk management"],
        3: ["(1)(i) Standard: Security management process", "(ii) Implementation", "(C) Sanction policy"],
        8: ["(3)(i) Standard: Workforce security", "(ii) Implementation", "(C) Termination procedures"],
        10: ["(4)(i) Standard: Information access management", "(ii) Implementation",
             "(B) Access authorization"],
        11: ["(4)(i) Standard: Information access management", "(ii) Implementation",
             "(C) Access establishment"],
        22: ["(8) Standard: Evaluation"],
    }
    if k in spec_308:
        return src.rule(S308, A308 + spec_308[k])
    if k == 25:
        return src.rule("164.310", OPEN + ["(a)(1) Standard: Facility access controls",
                                           "(2) Implementation", "(ii) Facility security plan"])
    if k == 28:
        return src.rule("164.310", OPEN + ["(b) Standard: Workstation use"])
    if k == 42:
        return src.rule("164.312", OPEN + ["(e)(1) Standard: Transmission security",
                                           "(2) Implementation", "(ii) Encryption"])
    if k == 43:
        return src.rule("164.314", ["(a)(1) Standard:", "(b)(1) Standard:"])
    if k == 44:
        lines = src.sections["164.314"]
        end = next(i for i, l in enumerate(lines) if l.startswith("(b)(1)"))
        return lines[:end]
    if k == 46:
        return src.sections["164.316"][:-1]  # without the source note
    raise ValueError(k)


def discussion(src, k):
    """[(kind, text)]: "h" quoted heading, "q" quoted paragraph, "n" program note paragraphs,
    "o" a line in the program's own words."""
    e_part = src.fragment("P9")
    if k in (1, 2, 3):
        topic = {1: "risk analysis", 2: "risk management", 3: "the sanction policy"}[k]
        out = [("h", e_part[0])] + [("q", p) for p in e_part[1:4]]
        out += [("h", e_part[4])] + [("q", p) for p in e_part[5:]]
        note = rest_note("the security management process and its implementation "
                         "specifications, " + topic + " among them")
        return out + [("n", note)]
    if k == 8:
        return [("h", src.outline_heading("3. Workforce Security")),
                ("n", heading_note(PART_E, "workforce security"))]
    if k in (10, 11):
        g = src.fragment("P10")
        return [("h", src.outline_heading("4. Information Access Management")),
                ("n", heading_note(PART_E, "information access management")),
                ("o", "The preamble's part on the technical safeguards says where the proposed "
                      "authorization control went:"),
                ("h", g[0]),
                ("q", src.paragraph("P10", "In this final rule, we consolidate"))]
    if k == 22:
        return [("h", src.outline_heading("8. Evaluation")),
                ("n", heading_note(PART_E, "evaluation", of_specification=False))]
    if k == 25:
        return [("h", src.outline_heading("F. Physical Safeguards")),
                ("h", src.outline_heading("2. Facility Access Controls")),
                ("n", heading_note(PART_F, "facility access controls"))]
    if k == 28:
        return [("h", src.outline_heading("F. Physical Safeguards")),
                ("h", src.outline_heading("3. Workstation Use")),
                ("n", heading_note(PART_F, "workstation use", of_specification=False))]
    if k == 42:
        g = src.fragment("P10")
        return [("h", g[0]), ("q", g[1]), ("q", g[2]),
                ("n", rest_note("the standards of § 164.312, transmission security "
                                "(§ 164.312(e)(1)) and its encryption among them"))]
    if k == 43:
        h = src.fragment("P14")
        return [("h", h[0]), ("q", h[1]), ("q", h[2]), ("h", h[3]), ("q", h[4]),
                ("n", [H_REST_OF_TOPIC])]
    if k == 44:
        h = src.fragment("P14")
        return [("h", h[0]), ("q", h[1]), ("q", h[2]),
                ("n", [H_REST]),
                ("o", "The business associate standard of the administrative safeguards "
                      "(§ 164.308(b)(1)) has a heading of its own in section III.E:"),
                ("h", src.outline_heading("8. Business Associate Contracts")),
                ("n", heading_note(PART_E, "business associate contracts or other "
                                           "arrangements", of_specification=False))]
    if k == 46:
        i = src.fragment("P15")
        return [("h", i[0])] + [("q", p) for p in i[1:]] + [
            ("n", ["The rest of the response above, and the part of section III.I that follows "
                   "it, are not reproduced here. " + PUBLISHED])]
    raise ValueError(k)


def reference_doc(src, k, subtitle, mark):
    doc = Doc(mark)
    doc.title("References in Rule:")
    doc.subtitle(subtitle)
    for kind, text in discussion(src, k):
        if kind == "h":
            doc.qheading(text)
        elif kind == "q":
            doc.quote(text)
        elif kind == "o":
            doc.p(text)
        elif kind == "n":
            doc.note(text)
    reg = regulation(src, k)
    doc.heading("The rule text (45 CFR " + reg[0].split()[1] + ", final rule of February 20, "
                "2003)")
    for line in reg:
        if line.startswith("§ "):
            doc.qheading(line)
        elif line.startswith("[NOT RECOVERED: 164.314(a)"):
            doc.note([NOT_QUOTED_314A])
        elif line.startswith("["):
            raise ValueError("unexpected gap in the rule text of k %d: %s" % (k, line[:60]))
        else:
            doc.quote(line)
    return doc


def policies_guidance_doc():
    doc = Doc("Documentation")
    doc.title("Additional Information:")
    doc.subtitle("Policies and Procedures and Documentation Requirements (§ 164.316)")
    doc.heading("Policies and procedures")
    doc.p("Every standard of the Security Rule ends in written policies and procedures: what the "
          "practice does, who does it and how. Write them for your practice as it is, taking into "
          "account its size, its systems, its budget and the risks your risk analysis found. A "
          "practice of three physicians does not need the manual of a hospital, but it does need "
          "one that its staff know and follow.")
    doc.p("Keep them together in one policy manual, on paper or in electronic form, with a table "
          "of contents that follows the rule: administrative, physical and technical safeguards, "
          "organizational requirements, and this documentation. The \u201cPolicies & "
          "Procedures/Plan\u201d document of each specification in this program is the place to "
          "draft them, and the templates give a starting point.")
    doc.p("You may change a policy at any time, provided that the change is documented and put "
          "into practice as the rule requires. Date every version, say what changed and why, and "
          "tell the workforce.")
    doc.heading("Documentation")
    doc.p("Where the rule asks for an action, an activity or an assessment to be documented, keep "
          "a written record of it; electronic records count. Typical records are the risk "
          "analysis, the risk management plan, security incident reports, access reviews, "
          "training records, contingency plan tests, the evaluation, and the decision made for "
          "each Addressable specification with its reasons.")
    doc.subheading("How long, where, and how current")
    doc.bullets([
        "Keep each document for six years from the date it was made or the date it was last in "
        "effect, whichever is later. Keep superseded policies too: an auditor may ask what was in "
        "force at an earlier date.",
        "Make the documents available to the persons who carry out the procedures: a shared "
        "folder or a binder at hand, not only the security official's office.",
        "Review the documentation periodically, at least once a year and after changes in the "
        "practice, its systems or the law, and update it as needed. Record the date of each "
        "review, also when nothing had to change.",
    ])
    doc.subheading("What a small practice typically keeps")
    doc.p("A policy manual of a few dozen pages; a binder or folder of records (training sign-in "
          "sheets, incident reports, access requests, disposal and backup logs, business "
          "associate contracts); and the records of this program: the status of each "
          "specification, the documents written for it, the worksheets and the recovery plan. "
          "Back these files up with the Utilities menu, and print the status report and the "
          "specification pages for the binder.")
    doc.subheading("What an auditor asks to see")
    doc.p("The policies and procedures themselves, with their dates and versions; evidence that "
          "they are available to the workforce; the records the rule asks for; proof that the "
          "documentation is reviewed; and, for each Addressable specification, the written "
          "decision and its reasons.")
    return doc


def build(out_dir):
    src = Sources()
    written = []
    for k, name, subtitle, mark in DOCUMENTS:
        reference_doc(src, k, subtitle, mark).write(os.path.join(out_dir, name))
        written.append(name)
    policies_guidance_doc().write(os.path.join(out_dir, "Addtl45.dat"))
    written.append("Addtl45.dat")
    return written
