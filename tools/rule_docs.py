"""The Security Rule documents PR0.Hlp - PR24.Hlp.

PR1-PR22 are the parts of the preamble of the final rule of February 20, 2003, PR23 the
regulation text of Subpart C, PR24 its Appendix A, PR0 all of them in order. Quoted text is
taken word for word from the reference files in tests/data/; where a part of the preamble is
not available there, the document says so in a program note and names where the full text is
published. Nothing in the program's own words is set in the quotation font.
"""

import os
import re

from rtfgen import Doc

FR_CITATION = "68 FR 8334, February 20, 2003"
FR_WHERE = ("The full text of the final rule and its preamble is published in the Federal "
            "Register (" + FR_CITATION + ").")

# n, title (the program's own), fragment labels quoted in that document
SECTIONS = [
    (1, "Summary", ["P1", "P2"]),
    (2, "I. Background", ["P3"]),
    (3, "II. General Overview of the Provisions of the Proposed Rule", ["P4"]),
    (4, "III. Analysis of, and Responses to, Public Comments on the Proposed Rule", ["P5"]),
    (5, "A. General Issues", []),
    (6, "B. Applicability (§ 164.302)", ["P6"]),
    (7, "C. Transition to the Final Rule", ["P7"]),
    (8, "D. General Rules (§ 164.306)", ["P8"]),
    (9, "E. Administrative Safeguards (§ 164.308)", ["P9"]),
    (10, "F. Physical Safeguards (§ 164.310)", []),
    (11, "G. Technical Safeguards (§ 164.312)", ["P10"]),
    (12, "H. Organizational Requirements (§ 164.314)", ["P14"]),
    (13, "I. Policies and Procedures and Documentation Requirements (§ 164.316)", ["P15"]),
    (14, "J. Compliance Dates for Initial Implementation (§ 164.318)", ["P16"]),
    (15, "K. Appendix", []),
    (16, "L. Miscellaneous Issues", ["P11"]),
    (17, "M. Proposed Impact Analysis", []),
    (18, "IV. Provisions of the Final Regulation", ["P17"]),
    (19, "V. Collection of Information Requirements", ["P18"]),
    (20, "Regulatory Impact Analysis", ["P19"]),
    (21, "Federalism", []),
    (22, "List of Subjects", ["P20"]),
]

# The program's orientation for the parts of the preamble of which no text is reproduced.
ORIENTATION = {
    5: [
        "This part of the preamble answers the comments on general questions that concern the "
        "rule as a whole rather than one of its sections. Its topics are: how the Security Rule "
        "and the Privacy Rule differ in scope and purpose; how much detail the standards "
        "should prescribe; what implementation specifications are and how they relate to the "
        "standards; and the examples the rule gives of possible measures.",
        "Its text is not reproduced here.",
    ],
    10: [
        "This part of the preamble explains the physical safeguards of § 164.310 and answers "
        "the comments on them. Of its topics, the preamble's outline as the program has it "
        "names general comments, facility access controls and workstation use, and breaks off "
        "at the next heading.",
        "Its text is not reproduced here. The rule text of § 164.310 is in the section "
        "\u201cSubpart C-Sec. Stand...\u201d of this window.",
    ],
    15: [
        "This entry of the section list stands for the part of the preamble that deals with "
        "the appendix to the rule. The appendix itself, the security standards matrix "
        "(Appendix A to Subpart C), is shown in full in the section \u201cSubpart C- Matrix\u201d "
        "of this window.",
        "The heading and text of this part of the preamble are not reproduced here.",
    ],
    17: [
        "This entry of the section list stands for the preamble's discussion of the impact "
        "analysis that accompanied the proposed rule of August 12, 1998, and of the comments "
        "received on the costs and benefits estimated there.",
        "Its text is not reproduced here. The opening of the regulatory impact analysis of the "
        "final rule is in the section \u201cIV. Regulatory Impact...\u201d of this window.",
    ],
    21: [
        "This part of the preamble considers the rule under Executive Order 13132, "
        "Federalism: whether the rule has substantial direct effects on the States, on the "
        "relationship between the national government and the States, or on the distribution "
        "of power among the levels of government, and how State law is affected.",
        "Its text is not reproduced here.",
    ],
    22: [
        "The list of subjects gives the index terms under which the amended parts of title 45 "
        "of the Code of Federal Regulations (parts 160, 162 and 164) are listed. The list "
        "itself is not reproduced here.",
        "After the list of subjects the Federal Register prints the regulation text: the "
        "amendments to parts 160, 162 and 164. Its opening, which adds definitions to "
        "§ 160.103, follows below as far as it is available here. The text of Subpart C "
        "itself is in the section \u201cSubpart C-Sec. Stand...\u201d of this window.",
    ],
}

REST_NOT_HERE = ("The rest of this part of the preamble is not reproduced here. " + FR_WHERE)

REST_NOTES = {
    22: "The rest of the regulation text of the final rule is not reproduced here. " + FR_WHERE,
}

MIN_WORDS_OF_CUT_PARAGRAPH = 12


def data_dir():
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.join(os.path.dirname(here), "tests", "data")


def read_reference(name):
    with open(os.path.join(data_dir(), name), encoding="utf-8") as f:
        return f.read()


def parse_preamble(text):
    """Returns {label: (paragraphs, was_cut)} for the labelled fragments. Editorial lines of the
    reference file (anything in square brackets that is not document text) are dropped; a
    paragraph that the source breaks off in mid-word loses its last word and ends with an
    ellipsis, or is left out when too little of it remains to read."""
    lines = text.split("\n")
    sep = [i for i, l in enumerate(lines) if l.startswith("=====")]
    fragments = {}
    k = 0
    while k + 1 < len(sep):
        label_lines = lines[sep[k] + 1:sep[k + 1]]
        end = sep[k + 2] if k + 2 < len(sep) else len(lines)
        body = lines[sep[k + 1] + 1:end]
        k += 2
        m = re.match(r"\[(P\d+)", label_lines[0].strip()) if label_lines else None
        if not m:
            continue
        label = m.group(1)
        paragraphs = []
        cut = False
        skipping = False
        started = label != "P1"
        for raw in body:
            line = raw.rstrip()
            if skipping:
                if line.endswith("]"):
                    skipping = False
                continue
            if not line.strip():
                continue
            if label == "P1" and line == "[[Page 8334]]":
                # The front page of the Federal Register part ends here; the document proper
                # (department, agency, title, summary) starts after it.
                started = True
                continue
            if line.startswith("[") and not line.startswith("[CMS-0049-F]"):
                if not line.endswith("]"):
                    skipping = True
                continue
            if not started:
                continue
            if line.endswith("[...]"):
                cut = True
                words = line[:-len("[...]")].split()
                words = words[:-1]  # the source may stop inside this word
                if len(words) < MIN_WORDS_OF_CUT_PARAGRAPH:
                    continue
                line = " ".join(words) + " \u2026"
            if label == "P2":
                # "(sic)" is the remark of the copy the outline was taken from.
                line = line.replace(" (sic)", "")
            paragraphs.append(line)
        fragments[label] = (paragraphs, cut)
    return fragments


HEADING_RE = re.compile(
    r"^([IVX]+\.|[A-M]\.|\d+\.\s+[A-Z]|Table of Contents$|Regulatory Impact Analysis$|"
    r"A\. Overall Impact$|Section 164\.3\d\d |§ 160\.103 |PART 160)")


def is_heading(line):
    if len(line) > 120:
        return False
    if line.startswith(("1. Comment", "2. Comment", "a. Comment", "b. Comment")):
        return False
    return bool(HEADING_RE.match(line)) and not line.endswith((".", ":")) or line in (
        "1. Security management process (§ 164.308(a)(1)(i)).",)


def short_line(line):
    return len(line) < 100 or line.startswith(("•", "* "))


def add_fragment(doc, label, paragraphs):
    outline = label == "P2"
    for line in paragraphs:
        if outline:
            if line == "Table of Contents":
                doc.qheading(line)
            else:
                doc.qline(line)
        elif is_heading(line):
            doc.qheading(line)
        elif short_line(line):
            doc.qline(line)
        else:
            doc.quote(line)


def preamble_section(n, title, labels, fragments):
    doc = Doc()
    first = fragments[labels[0]][0] if labels else []
    if first and first[0] == title:
        # The part's own heading, quoted, is the document's title.
        doc.qtitle(title)
        first.pop(0)
    else:
        doc.title(title)
    if not labels:
        doc.note(ORIENTATION[n] + [FR_WHERE])
        return doc
    if n in ORIENTATION:
        doc.note(ORIENTATION[n] + [FR_WHERE])
    cut = False
    for label in labels:
        paragraphs, was_cut = fragments[label]
        if label == "P2":
            doc.rule()
        add_fragment(doc, label, paragraphs)
        cut = cut or was_cut
    if cut:
        doc.note([REST_NOTES.get(n, REST_NOT_HERE)])
    return doc


# ---- Subpart C --------------------------------------------------------------------------------

CFR_WHERE = ("It is published in the Federal Register of February 20, 2003 (68 FR 8334; the "
             "regulation text begins at 68 FR 8376) and in the Code of Federal Regulations, "
             "title 45, editions revised as of October 1, 2003 through 2008.")

GAP_NOTES = {
    "164.302 ": [
        "The text of § 164.302 as adopted in 2003 is not reproduced here. This one-sentence "
        "section makes the security standards of this subpart applicable to covered entities; "
        "the preamble discusses it under \u201cB. Applicability\u201d.",
        CFR_WHERE,
    ],
    # Where § 164.314 stops short, the note says which paragraphs are left out and where they
    # are published, so that no reader takes the requirement to end there.
    "164.314(a)(2)(ii)": [
        "Paragraphs (a)(2)(ii)(A) through (C) of \u00a7 164.314, under the heading \u201cOther "
        "arrangements\u201d, are not reproduced in this program. They state the requirements "
        "that an arrangement other than a business associate contract must meet (see paragraph "
        "(a)(1)(i) above).",
        "They are published in \u00a7 164.314 of the final rule, " + FR_CITATION + " (the "
        "regulation text begins at 68 FR 8376), and in the Code of Federal Regulations, title "
        "45, editions revised as of October 1, 2003 through 2008.",
    ],
    "164.314(b)(2)": [
        "Paragraph (b)(2) of \u00a7 164.314, with its items (i) through (iv), is not reproduced "
        "in this program. It sets out what the plan documents of a group health plan must "
        "provide under the standard of paragraph (b)(1) above.",
        "It is published in \u00a7 164.314 of the final rule, " + FR_CITATION + " (the "
        "regulation text begins at 68 FR 8376), and in the Code of Federal Regulations, title "
        "45, editions revised as of October 1, 2003 through 2008.",
    ],
}


def gap_note(line):
    for key, text in GAP_NOTES.items():
        if line.startswith("[NOT RECOVERED: " + key):
            return text
    raise ValueError("no program note for gap: " + line[:80])


def parse_rule(text):
    """Splits the 2003 rule file into (front lines, subpart paragraphs, appendix lines)."""
    lines = text.split("\n")
    front = []
    i = 0
    while lines[i].strip():
        front.append(lines[i].strip())
        i += 1
    # The file's own description of its sources, in parentheses, is not rule text.
    while i < len(lines) and not lines[i].startswith("§ "):
        i += 1
    subpart = []
    while i < len(lines) and not lines[i].startswith("Appendix A to Subpart C"):
        if lines[i].strip():
            subpart.append(lines[i].strip())
        i += 1
    appendix = [l.rstrip() for l in lines[i:]]
    return front, subpart, appendix


def subpart_doc(rule_text):
    front, subpart, _ = parse_rule(rule_text)
    doc = Doc()
    doc.title("Subpart C - Security Standards for the Protection of Electronic Protected "
              "Health Information")
    doc.subtitle("45 CFR 164.302 through 164.318 as adopted by the final rule of February 20, "
                 "2003 and printed in the Code of Federal Regulations, editions revised as of "
                 "October 1, 2003 through 2008.")
    for line in front:
        doc.qline(line)
    for line in subpart:
        if line.startswith("[NOT RECOVERED"):
            doc.note(gap_note(line))
        elif line.startswith("§ "):
            doc.qheading(line)
        else:
            doc.quote(line)
    return doc


# The matrix is laid out in three tab columns rather than as an RTF table, so that it reads as a
# table in the Security Rule window's viewer at any window width the program supports (800 by
# 600 and up) and on the printed page: standards, sections, and the implementation
# specifications, whose text wraps under its own column. A standard's name too long for its
# column stands on a line of its own above its row.
MATRIX_SECTION_STOP = 2800
MATRIX_SPEC_STOP = 4000
MATRIX_LONGEST_NAME = 34  # characters that fit before the sections column at 10 points


def appendix_doc(rule_text):
    _, _, appendix = parse_rule(rule_text)
    doc = Doc()
    doc.qtitle(appendix[0].strip())
    stops = [MATRIX_SECTION_STOP, MATRIX_SPEC_STOP]
    skipping = False
    header = True
    for line in appendix[1:]:
        if not line.strip():
            continue
        if line.startswith("(Table rendered"):
            skipping = not line.endswith(")")
            continue
        if skipping:
            if line.endswith(")"):
                skipping = False
            continue
        if " | " not in line and not line.startswith(" |"):
            # An area heading ("Administrative Safeguards").
            doc.qcolumns([line.strip()], [], hang=False, bold=True, space_before=240)
            continue
        cells = [c.strip() for c in line.split("|")]
        if header:
            doc.qcolumns(cells, stops, bold=True, space_before=120)
            header = False
        elif not cells[0] and not cells[1]:
            doc.qcolumns(["", "", cells[2]], stops)  # the standard above goes on
        elif len(cells[0]) > MATRIX_LONGEST_NAME:
            doc.qcolumns([cells[0]], [], hang=False, space_before=80)
            doc.qcolumns(["", cells[1], cells[2]], stops)
        else:
            doc.qcolumns(cells, stops, space_before=80)
    return doc


def build(out_dir):
    preamble = read_reference("final-rule-2003-preamble.txt")
    rule_text = read_reference("security-rule-2003.txt")
    fragments = parse_preamble(preamble)
    docs = {}
    for n, title, labels in SECTIONS:
        docs[n] = preamble_section(n, title, labels, fragments)
    docs[23] = subpart_doc(rule_text)
    docs[24] = appendix_doc(rule_text)

    whole = Doc()
    whole.title("The Entire Security Rule")
    whole.subtitle("Health Insurance Reform: Security Standards; Final Rule. Preamble and "
                   "regulation text of the final rule of February 20, 2003 (68 FR 8334), "
                   "with Subpart C and its Appendix A as printed in the Code of Federal "
                   "Regulations, editions revised as of October 1, 2003 through 2008.")
    for n in range(1, 25):
        whole.page_break()
        whole.extend(docs[n])
    docs[0] = whole

    for n, doc in docs.items():
        doc.write(os.path.join(out_dir, "PR%d.Hlp" % n))
    return sorted(docs)
