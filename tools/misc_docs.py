"""The topic, form and sample documents: Misc0-Misc13, Misc56-Misc60, the sample entry
documents SampleAct.Dat, SampleCom.Dat and SamplePol.Dat."""

from rtfgen import Doc, esc


def plain_topic(title, blocks):
    """blocks: ("h", text) heading, ("p", text) paragraph, ("n", [items]) numbered list,
    ("b", [items]) bullets, ("t", rows, widths) table."""
    doc = Doc()
    doc.title(title)
    for block in blocks:
        kind = block[0]
        if kind == "h":
            doc.heading(block[1])
        elif kind == "s":
            doc.subheading(block[1])
        elif kind == "p":
            doc.p(block[1])
        elif kind == "n":
            doc.numbered(block[1])
        elif kind == "b":
            doc.bullets(block[1])
        elif kind == "t":
            doc.table(block[1], block[2])
        elif kind == "f":
            doc.field(block[1], block[2] if len(block) > 2 else 40)
        elif kind == "page":
            doc.page_break()
        else:
            raise ValueError(kind)
    return doc


TOPICS = {}

TOPICS[0] = ("Policy Insert Template Information", [
    ("p", "Every implementation specification in the Action Area has a policy and procedure "
          "template. A template is a ready-made outline of a policy: purpose, policy "
          "statement, numbered procedures, responsibility, review, and for addressable "
          "specifications a place to record your assessment."),
    ("h", "How to use a template"),
    ("n", ["Open the Action Area and choose the safeguard area and the specification.",
           "Choose \u201cPolicies & Procedures/Plan\u201d.",
           "Press \u201cInsert Template\u201d. If you have not written anything yet, the "
           "template appears at once. If a policy already exists, the program asks before "
           "replacing it; answer No to keep your text.",
           "Replace the words in parentheses, such as (Organization), with your own, fill in "
           "the blank lines and delete what does not apply to you.",
           "Press \u201cSave\u201d. Nothing is written until you save, and the template itself "
           "is never changed."]),
    ("h", "Good to know"),
    ("b", ["A template is a starting point, not a finished policy. The rule lets each "
           "organization choose measures that fit its size, its systems and its risks.",
           "Inserting a template and saving overwrites the policy that was there before. Use "
           "the backup on the Utilities menu first if you want to keep the old one.",
           "The Disaster Recovery Plan page has its own template, a sample plan of a larger "
           "organization; the Risk Analysis Worksheets page has a blank worksheet."]),
])

TOPICS[1] = ("Program Information", [
    ("p", "Quorvane, Version 6.0a, by Dravelin Software. Quorvane is a workbook for the HIPAA "
          "Security Rule (45 CFR Part 164, Subpart C). It helps a covered entity work through "
          "the rule's standards and implementation specifications and keep a record of its own "
          "compliance work in one place."),
    ("h", "What the program contains"),
    ("b", ["**Action Area**: the 47 entries of the rule grouped as administrative, physical "
           "and technical safeguards, organizational requirements and policies, procedures "
           "and documentation. For each you record a status (Pending, Working, Completed, "
           "Review, Not Implemented) and write three documents: the action taken, your "
           "comments and notes, and your policy and procedure, which can start from a "
           "template.",
           "**Risk analysis worksheets** (up to 21, each with a compliance status), a "
           "**disaster recovery plan**, a **sample entry** for Password Management and a "
           "**project timeline** with up to 500 dated to-do items.",
           "**Security Rule**: the final rule of 2003 section by section, with its preamble, "
           "search and printing.",
           "**Information Advisor**: explanatory topics on the rule, on risk analysis and on "
           "the compliance dates, with links to the NIST publications.",
           "**Miscellaneous**: this information, the disclaimer, web links, a risk analysis "
           "worksheet form and a sample incident report form to print or copy."]),
    ("h", "Moving around"),
    ("b", ["The tabs at the top of every window (Action Area, Information Advisor, Security "
           "Rule, Miscellaneous, Exit Program) take you from one area to another. The same "
           "choices are on the Options menu, which the right mouse button also opens.",
           "Esc closes a print preview; on a window without one it asks whether to end the "
           "program.",
           "The start window's Options menu switches between the full-screen display and a "
           "smaller window. The program needs a screen of at least 800 by 600 pixels."]),
    ("h", "Getting help"),
    ("p", "F1 opens the help topic of the window you are in. The Help menu of every window "
          "has the help contents, the program overview, the topic of that window, the About "
          "box with the version, and the maker's web site."),
    ("h", "Printing and copying"),
    ("p", "The Print buttons open a print preview, where you can set up the page, show guide "
          "lines, enlarge the preview, copy the page shown and print. Copy to Clipboard puts "
          "a document on the clipboard as rich text, so that you can paste it into a word "
          "processor with its headings and emphasis."),
    ("h", "Your files"),
    ("p", "Everything you enter is kept as small files in the program's folder: the status "
          "records, your documents, the worksheets and their titles, the recovery plan, the "
          "to-do list and the display settings. They are saved when you press Save, or when "
          "you answer Yes to \u201cSave changes/entries before next action?\u201d. Use "
          "\u201cBackup User Created Files\u201d on the Utilities menu regularly to copy them "
          "to a removable disk or another folder, and \u201cRestore User Created Files\u201d "
          "to bring them back. Keep at least one backup away from the computer."),
    ("h", "Rule text"),
    ("p", "The rule text shown is the text adopted on February 20, 2003 (68 FR 8334). The "
          "rule was later amended, in 2009 and 2013. Where a passage of the 2003 text or its "
          "preamble is not reproduced in the program, a program note says so and tells where "
          "the full text is published."),
])

TOPICS[2] = ("Disclaimer", [
    ("p", "This program is an aid for organizing your own work on the HIPAA Security Rule. It "
          "is not legal advice and does not replace the advice of a qualified lawyer or "
          "security professional."),
    ("h", "No guarantee of compliance"),
    ("p", "Using the program, its templates, samples or explanations does not by itself make "
          "an organization compliant with the HIPAA Security Rule or any other law. Each "
          "covered entity remains responsible for deciding which security measures are "
          "reasonable and appropriate for it, for carrying them out and for documenting "
          "them. The templates and samples are examples: adapt them to your organization "
          "before you adopt them."),
    ("h", "The rule text and the explanations"),
    ("p", "The explanatory texts are written in plain words for orientation. Where they "
          "differ from the rule, the rule governs. The rule text included is that of the "
          "final rule of February 20, 2003. The rule has since been amended, in particular "
          "by the HITECH Act of 2009 and the rule of January 25, 2013, which apply the "
          "Security Rule directly to business associates and add the Breach Notification "
          "Rule, and HHS may change it again. State laws may ask more. Check the current "
          "text in the Code of Federal Regulations before relying on it."),
    ("h", "Web links"),
    ("p", "The web links open pages of other organizations in your browser. The makers do "
          "not control those pages, are not responsible for their content and do not "
          "endorse the private sites listed. Addresses change; if a link no longer works, "
          "search for the organization's name."),
    ("h", "Your files"),
    ("p", "The program keeps your documents as ordinary files in its folder; it does not "
          "encrypt them. What you write about your safeguards and weaknesses deserves "
          "protection: keep the computer and the backup disks secure, and do not enter "
          "patients' health information in the program."),
    ("h", "No warranty"),
    ("p", "The program is provided as it is, without warranty of any kind. The makers are not "
          "liable for any loss or damage arising from its use. Keep backup copies of your "
          "files."),
])

TOPICS[3] = ("Addressable Safeguards", [
    ("p", "Each standard of the Security Rule may have implementation specifications. Each "
          "specification is either **required** (R) or **addressable** (A). The mark is "
          "shown after its name throughout the program."),
    ("h", "Required"),
    ("p", "A required specification must be implemented."),
    ("h", "Addressable"),
    ("p", "Addressable does not mean optional. For an addressable specification the "
          "organization must:"),
    ("n", ["Assess whether the specification is a reasonable and appropriate safeguard in "
           "its own environment, considering how much it would help protect its electronic "
           "protected health information.",
           "Implement it if it is reasonable and appropriate; or, if it is not,",
           "document why not, and implement an equivalent alternative measure if that is "
           "reasonable and appropriate."]),
    ("p", "In deciding, the organization may consider its size, complexity and capabilities, "
          "its technical infrastructure, hardware and software, the costs of the measures, "
          "and the probability and criticality of the risks."),
    ("h", "In this program"),
    ("p", "Record your decision for each addressable specification in its Comments/Notes "
          "document, and the measure you chose in its policy. Every template of an "
          "addressable specification has a section for this assessment. Use the status "
          "\u201cNot Implemented\u201d only together with a written reason."),
])

TOPICS[4] = ("Security Rule and Privacy Rule Distinctions", [
    ("p", "The Privacy Rule and the Security Rule are both part of the HIPAA Administrative "
          "Simplification rules and apply to the same covered entities: health plans, health "
          "care clearinghouses and health care providers who conduct certain transactions "
          "electronically. They differ in what they protect and how."),
    ("s", "What they protect"),
    ("b", ["**Privacy Rule**: protected health information in any form: paper, oral and "
           "electronic.",
           "**Security Rule**: electronic protected health information only."]),
    ("s", "What they deal with"),
    ("b", ["**Privacy Rule**: who may use and disclose the information, and the rights of "
           "individuals.",
           "**Security Rule**: safeguards that keep the information confidential, intact and "
           "available."]),
    ("s", "Where they stand"),
    ("b", ["**Privacy Rule**: 45 CFR Part 164, Subpart E.",
           "**Security Rule**: 45 CFR Part 164, Subpart C."]),
    ("s", "Compliance dates"),
    ("b", ["**Privacy Rule**: April 14, 2003 (small health plans April 14, 2004).",
           "**Security Rule**: April 20, 2005 (small health plans April 20, 2006)."]),
    ("h", "How they meet"),
    ("p", "The Security Rule supports the Privacy Rule: its safeguards protect against uses "
          "and disclosures of electronic information that the Privacy Rule does not permit. "
          "Both require policies and procedures, a responsible official, workforce training "
          "and sanctions, and business associate contracts, so one set of documents can often "
          "serve both."),
])

TOPICS[5] = ("The HIPAA Security Rule Timeline", [
    ("b", ["**August 21, 1996**: the Health Insurance Portability and Accountability Act "
           "(HIPAA) becomes law; its Administrative Simplification provisions call for "
           "security standards.",
           "**August 12, 1998**: the proposed security rule is published (63 FR 43242).",
           "**February 20, 2003**: the final Security Rule is published (68 FR 8334).",
           "**April 21, 2003**: the final rule takes effect.",
           "**April 20-21, 2005**: compliance date for covered entities other than small "
           "health plans. The rule's section 164.318 says \u201cno later than April 20, "
           "2005\u201d; the preamble gives April 21, 2005.",
           "**April 20-21, 2006**: compliance date for small health plans."]),
    ("p", "The timeline topic of the Information Advisor counts the days remaining until "
          "April 21, 2005 while that date lies ahead."),
    ("h", "After 2005"),
    ("p", "The rule has since been amended, in 2009 and 2013, among other things to apply it "
          "directly to business associates. This program follows the text of 2003."),
    ("h", "Planning your own timeline"),
    ("p", "Use the Project Timeline page of the Action Area to plan your work: enter each task "
          "with a to-do date, record the actual date when it is done, and set a next-review "
          "date, since the rule expects security measures to be reviewed and kept up to "
          "date."),
])

TOPICS[6] = ("Concepts of the Final Security Rule", [
    ("p", "A few ideas run through the whole rule. Knowing them makes the standards easier to "
          "read."),
    ("h", "Confidentiality, integrity and availability"),
    ("p", "The rule protects electronic protected health information in three ways: it is "
          "not disclosed to unauthorized persons (confidentiality), it is not altered or "
          "destroyed without authority (integrity), and it is accessible when authorized "
          "persons need it (availability)."),
    ("h", "Comprehensive"),
    ("p", "The rule covers administrative, physical and technical safeguards together, plus "
          "organizational requirements and documentation. Technology alone is not enough."),
    ("h", "Scalable and flexible"),
    ("p", "A small practice and a large hospital must meet the same standards, but each may "
          "choose the measures that fit its size, complexity, capabilities, systems, costs "
          "and risks."),
    ("h", "Technology neutral"),
    ("p", "The rule does not prescribe particular products or technologies, so that it stays "
          "valid as technology changes."),
    ("h", "Standards and implementation specifications"),
    ("p", "A standard states what must be achieved. Its implementation specifications say in "
          "more detail how; each is required or addressable (see Addressable Safeguards)."),
    ("h", "Risk based and ongoing"),
    ("p", "Everything starts from a risk analysis, and security is never finished: measures "
          "and their documentation must be reviewed and updated as the organization and its "
          "risks change."),
])

TOPICS[7] = ("Getting Started", [
    ("p", "These steps take you through the program in a sensible order."),
    ("n", ["Read the Concepts and Addressable Safeguards topics of the Information Advisor.",
           "Name your Security Official (Action Area, Administrative Safeguards, Assigned "
           "Security Responsibility) and record it.",
           "Carry out a risk analysis. The Risk Analysis Worksheets page of the Action Area "
           "holds up to 21 worksheets; the Information Advisor explains the method.",
           "Go through each safeguard entry in the Action Area. For each, record what you "
           "have done (Action Taken), your notes (Comments/Notes) and your policy (Policies "
           "& Procedures/Plan, where a template can help), and set its status.",
           "Plan the open work on the Project Timeline with dates.",
           "Write your disaster recovery plan on its page, starting from the sample plan.",
           "Print the status reports from the standards overview to see where you stand.",
           "Back up your files regularly from the Utilities menu."]),
    ("p", "The Sample Safeguard Entry page shows a finished example for Password Management."),
])

TOPICS[8] = ("Impact of not complying with the Security Final Rule", [
    ("p", "Not complying with the Security Rule can affect an organization in several ways."),
    ("h", "Penalties set by the law"),
    ("p", "As enacted in 1996, HIPAA provides civil money penalties of up to $100 for each "
          "violation, up to $25,000 a calendar year for all violations of one requirement. "
          "Wrongful disclosure of individually identifiable health information is a crime "
          "punishable by fines of up to $50,000 and one year in prison, up to $100,000 and "
          "five years if committed under false pretenses, and up to $250,000 and ten years if "
          "committed with intent to sell the information or cause harm. Later laws raised "
          "these amounts; check the current figures."),
    ("h", "Other consequences"),
    ("b", ["Loss of patients' trust and damage to reputation after a breach.",
           "The cost of investigating and repairing an incident, and of notifying the people "
           "affected where other laws require it.",
           "Lost work and income when systems or data are unavailable.",
           "Claims under State law and contracts with health plans and business partners "
           "that require security."]),
    ("h", "What helps"),
    ("p", "A documented risk analysis, written policies that are followed, trained staff, and "
          "records of what was done and why show good faith and are the best defence."),
])

TOPICS[9] = ("Key Information & Guide", [
    ("h", "Key points of the rule"),
    ("b", ["Applies to health plans, health care clearinghouses and health care providers who "
           "transmit health information electronically in standard transactions.",
           "Protects electronic protected health information that the entity creates, "
           "receives, maintains or transmits.",
           "Has 18 standards in the three safeguard areas (administrative, physical, "
           "technical), plus organizational requirements and policies, procedures and "
           "documentation.",
           "Has 36 implementation specifications in the safeguard areas, each required or "
           "addressable. Six standards have no specifications of their own; the program "
           "lists them as entries too, so the safeguard pages hold 42 entries.",
           "Requires documentation to be kept for six years from its creation or the date it "
           "was last in effect, whichever is later."]),
    ("h", "A guide to the rule"),
    ("p", "The National Institute of Standards and Technology (NIST) publishes Special "
          "Publication 800-66, first issued in 2005 as \u201cAn Introductory Resource Guide for "
          "Implementing the HIPAA Security Rule\u201d. Its current revision (Revision 2, "
          "February 2024) is \u201cImplementing the Health Insurance Portability and "
          "Accountability Act (HIPAA) Security Rule: A Cybersecurity Resource Guide\u201d. It "
          "takes each standard in turn, lists key activities and questions to ask, and points "
          "to other NIST publications. Press the button below the text to open it in your "
          "browser as a PDF document."),
    ("h", "Where to find things in this program"),
    ("b", ["To read the rule text: the **Security Rule** window.",
           "To see all standards at once: the **Action Area**, standards overview.",
           "To record your work: the **Action Area**, safeguard pages.",
           "To do a risk analysis: the **Action Area**, Risk Analysis Worksheets.",
           "To plan dates: the **Action Area**, Project Timeline."]),
])

TOPICS[10] = ("Risk Analysis Overview", [
    ("p", "The risk analysis is the foundation of the Security Rule: it tells you which "
          "safeguards you need and how strong they must be. The rule requires an accurate and "
          "thorough assessment of the potential risks and vulnerabilities to the "
          "confidentiality, integrity and availability of the electronic protected health "
          "information you hold."),
    ("h", "Terms"),
    ("b", ["**Threat**: something that could cause harm, such as fire, theft, a virus or a "
           "careless employee.",
           "**Vulnerability**: a weakness a threat could use, such as an unlocked door, a "
           "missing backup or a shared password.",
           "**Risk**: the combination of how likely it is that a threat uses a vulnerability "
           "and how bad the result would be."]),
    ("h", "Steps"),
    ("n", ["Find all electronic protected health information: where it is stored, received, "
           "kept and sent.",
           "Identify the threats and vulnerabilities for each place.",
           "Assess the security measures already in place.",
           "Determine the likelihood and the impact of each threat.",
           "Determine the level of risk.",
           "Decide on measures and record everything.",
           "Review the analysis regularly and after changes."]),
    ("p", "Use the Risk Analysis Worksheets of the Action Area to record each area you "
          "examine, and give each worksheet a compliance status."),
])

TOPICS[11] = ("Selected HIPAA Questions and Answers", [
    ("s", "Does the Security Rule apply to paper records?"),
    ("p", "No. It protects electronic protected health information. Paper records and spoken "
          "information are protected by the Privacy Rule."),
    ("s", "Do we have to buy particular software or equipment?"),
    ("p", "No. The rule is technology neutral. You choose measures that are reasonable and "
          "appropriate for your organization."),
    ("s", "May we skip an addressable specification?"),
    ("p", "Only after assessing it. If it is not reasonable and appropriate, you must document "
          "why and use an equivalent alternative measure where that is reasonable and "
          "appropriate."),
    ("s", "Who should be our Security Official?"),
    ("p", "One named person who is responsible for the security policies and procedures. In a "
          "small practice this may be the same person as the Privacy Official."),
    ("s", "How long must we keep our security documents?"),
    ("p", "Six years from the date they were created or last in effect, whichever is later."),
    ("s", "Is a fax machine or telephone covered?"),
    ("p", "Paper faxes and voice telephone calls are not treated as electronic media "
          "transmissions. Information stored in a computer-based fax server is electronic."),
    ("s", "What is a business associate?"),
    ("p", "A person or company that performs services for you involving protected health "
          "information, such as a billing service or an IT support company. You need a "
          "written contract that obliges it to safeguard the information."),
    ("s", "How often must we repeat the risk analysis?"),
    ("p", "The rule does not fix an interval. Review it regularly, for example yearly, and "
          "whenever systems, locations or services change."),
])

TOPICS[12] = ("Recommendations from NIST", [
    ("p", "The National Institute of Standards and Technology (NIST) publishes guidance on "
          "information security for federal agencies that many private organizations use. "
          "Its Special Publication 800-30, \u201cRisk Management Guide for Information "
          "Technology Systems\u201d, describes a risk assessment in nine steps:"),
    ("n", ["System characterization: describe the systems, their boundaries and the "
           "information they hold.",
           "Threat identification.",
           "Vulnerability identification.",
           "Control analysis: the controls in place or planned.",
           "Likelihood determination.",
           "Impact analysis.",
           "Risk determination.",
           "Control recommendations.",
           "Results documentation."]),
    ("p", "Special Publication 800-66 relates these steps, and other NIST guidance, to the "
          "standards of the Security Rule. The button below the text opens the NIST "
          "publications page in your browser."),
])

TOPICS[13] = ("Common Risk Analysis Mistakes", [
    ("b", ["**Looking only at the main computer system.** Laptops, backup disks, memory "
           "sticks, copiers with hard disks, e-mail and home computers also hold electronic "
           "health information.",
           "**Treating it as a one-time project.** Risks change with every new system, "
           "employee, office or service. Review the analysis regularly.",
           "**Listing threats without rating them.** Without likelihood and impact you cannot "
           "decide which measures come first.",
           "**Forgetting people and procedures.** Many incidents come from mistakes, shared "
           "passwords or a lack of training, not from technology.",
           "**Not writing it down.** An analysis that is not documented cannot be shown, "
           "reviewed or repeated.",
           "**Stopping at the analysis.** The risks found must lead to risk management: "
           "measures with owners and dates.",
           "**Ignoring business associates.** Information handled by outside services is "
           "still your responsibility to protect by contract."]),
])


def risk_worksheet_form(title, intro):
    """The form a new worksheet starts from. Each table is narrower than the editor of a
    full-screen window on a 1280 x 1024 screen and each heading fits its column, so a heading
    row reads on one line there; in a narrower editor a row wraps between its headings."""
    doc = Doc()
    doc.title(title)
    doc.p(intro)
    doc.field("Organization:", 45)
    doc.field("Area or system examined:", 38)
    doc.field("Prepared by:", 30)
    doc.field("Date:", 20)
    doc.heading("Information and assets")
    doc.p("List the electronic protected health information and the equipment, programs and "
          "places involved.")
    doc.table([["Asset or information", "Where it is", "Who uses it"],
               ["", "", ""], ["", "", ""], ["", "", ""]], [2700, 2200, 2200])
    doc.heading("Threats, vulnerabilities and risk")
    doc.p("Likelihood and impact: L = low, M = medium, H = high. Risk level follows from both.")
    doc.table([["Threat", "Vulnerability", "Likelihood", "Impact", "Risk level",
                "Current safeguards"]] + [["", "", "", "", "", ""]] * 5,
              [1000, 1750, 1100, 850, 1100, 2050])
    doc.heading("Actions")
    doc.table([["Recommended measure", "Responsible", "Target date", "Done"]]
              + [["", "", "", ""]] * 4, [2600, 1700, 1500, 1000])
    doc.heading("Compliance status")
    doc.p("Yes / No / Partial / Planned (circle one)")
    doc.field("Comments:", 60)
    return doc


# The longest form line, in characters: it fits the viewer of the smallest display, a printed
# page and a word processor's page with its usual margins without wrapping.
FORM_LINE = 72


def fields(doc, items, space_before=0):
    """One line of form fields: (label, width of the line to write on) pairs. When they do not
    fit on one line, the lines to write on are shortened together, down to half their width;
    fields that still do not fit get a line each."""
    fixed = sum(len(label) + 1 for label, _ in items) + 3 * (len(items) - 1)
    room = FORM_LINE - fixed
    total = sum(width for _, width in items)
    if total > room:
        if len(items) > 1 and room * 2 < total:
            for n, item in enumerate(items):
                fields(doc, [item], space_before if n == 0 else 0)
            return
        items = [(label, max(4, width * room // total)) for label, width in items]
    body = "   ".join("{\\b " + esc(label) + "} " + esc("_" * width) for label, width in items)
    doc._para(("\\sb%d" % space_before if space_before else "") + "\\sa120\\f1\\fs20", body)


def choices(doc, label, options):
    """A line of choices to tick: the label, then each option after a box."""
    body = "{\\b " + esc(label) + "} " + "   ".join(esc("[  ] " + o) for o in options)
    doc._para("\\sa120\\f1\\fs20", body)


def quoted_rule(doc, citation, text):
    """The regulation's own words (quote font) after the program's line that names them."""
    doc.p(citation)
    doc.quote(text)


def risk_analysis_form():
    """The blank worksheet of the Miscellaneous window, laid out in lines to write on so that
    it reads the same on screen, printed and pasted into a word processor."""
    doc = Doc()
    doc.title("Risk Analysis Worksheet")
    doc.subtitle("Use one worksheet for each area, system or location you examine. Print it and "
                 "fill it in by hand, or copy it into your word processor.")
    quoted_rule(doc, "What the rule asks (45 CFR 164.308(a)(1)(ii)(A), as published in 2003):",
                "(A) Risk analysis (Required). Conduct an accurate and thorough assessment of "
                "the potential risks and vulnerabilities to the confidentiality, integrity, and "
                "availability of electronic protected health information held by the covered "
                "entity.")
    fields(doc, [("Organization:", 48)])
    fields(doc, [("Area, system or location examined:", 34)])
    fields(doc, [("Worksheet number (1-21):", 6), ("Prepared by:", 30)])
    fields(doc, [("Date prepared:", 16), ("Next review date:", 16)])

    doc.heading("1. Where the information is")
    doc.p("List the electronic protected health information of this area and everything that "
          "holds or carries it: computers, servers, laptops, phones, disks and memory sticks, "
          "backups, networks, e-mail, fax servers and outside services.")
    fields(doc, [("Kinds of information (records, images, billing...):", 26)])
    fields(doc, [("Where it is created or received:", 44)])
    fields(doc, [("Where it is stored (devices, media, backups):", 33)])
    fields(doc, [("Where it is sent (networks, e-mail, business associates):", 22)])
    fields(doc, [("Who uses it (job roles):", 50)])

    doc.heading("2. Threats, vulnerabilities, risk and measures")
    doc.p("Rate likelihood and impact as L (low), M (medium) or H (high). The risk level is "
          "High when one of them is H and the other at least M, Low when both are L, and "
          "Medium otherwise. Give each risk the measure that reduces it, with who does it and "
          "by when.")
    for n in range(1, 5):
        # The number stands on the first line of each threat, so that no heading of its own
        # can be left alone at the foot of a printed page.
        fields(doc, [("Threat %d (what could happen):" % n, 45)], space_before=200)
        fields(doc, [("Vulnerability (the weakness it would use):", 35)])
        fields(doc, [("Likelihood (L/M/H):", 5), ("Impact (L/M/H):", 5), ("Risk level:", 12)])
        fields(doc, [("Safeguards already in place:", 46)])
        fields(doc, [("Measure to take:", 57)])
        fields(doc, [("Responsible:", 24), ("Target date:", 12), ("Done on:", 12)])

    doc.heading("3. Result")
    choices(doc, "Compliance status of this worksheet:", ["Yes", "No", "Partial", "Planned"])
    fields(doc, [("Risks accepted, and why:", 50)])
    fields(doc, [("", 78)])
    fields(doc, [("Reviewed and approved by:", 28), ("Date:", 14)])
    doc.p("Record the compliance status on the Risk Analysis Worksheets page of the Action Area. "
          "Keep this worksheet with your security documentation for six years from the date it "
          "was made or last in effect, whichever is later, and review it when systems, places "
          "or services change.")
    return doc


def incident_report():
    doc = Doc()
    doc.title("Sample Incident Report")
    doc.subtitle("Security incident report form. Complete one form for every suspected or "
                 "known security incident and give it to the Security Official at once.")
    quoted_rule(doc, "What counts as a security incident (45 CFR 164.304, as published in 2003):",
                "Security incident means the attempted or successful unauthorized access, use, "
                "disclosure, modification, or destruction of information or interference with "
                "system operations in an information system.")
    quoted_rule(doc, "What the rule asks (45 CFR 164.308(a)(6)(ii)):",
                "(ii) Implementation specification: Response and reporting (Required). Identify "
                "and respond to suspected or known security incidents; mitigate, to the extent "
                "practicable, harmful effects of security incidents that are known to the "
                "covered entity; and document security incidents and their outcomes.")
    fields(doc, [("Incident number:", 12), ("Date of this report:", 16)])

    doc.heading("1. Reported by")
    fields(doc, [("Name:", 36), ("Position:", 24)])
    fields(doc, [("Telephone or e-mail:", 30), ("Date and time reported:", 16)])
    fields(doc, [("Reported to:", 40)])

    doc.heading("2. The incident")
    fields(doc, [("Date and time it happened:", 16), ("Date and time found:", 16)])
    fields(doc, [("Location:", 60)])
    fields(doc, [("Systems, devices or records involved:", 38)])
    doc.p("**Kind of incident** (tick all that apply):")
    for kind in ["lost or stolen computer, laptop, phone, disk or memory stick",
                 "virus, ransomware or other malicious software",
                 "break-in to a system or network, or a password used by someone else",
                 "information looked at, changed or deleted without authority",
                 "e-mail, fax or letter sent to the wrong person",
                 "equipment or media thrown away without wiping",
                 "system failure or loss of data",
                 "other: ______________________________"]:
        doc._para("\\fi-360\\li720\\sa60\\f1\\fs20", esc("[  ]  " + kind))
    fields(doc, [("Describe what happened:", 55)])
    fields(doc, [("", 78)])
    fields(doc, [("", 78)])
    choices(doc, "Is it still going on?", ["Yes", "No", "Unknown"])
    fields(doc, [("How it was stopped or contained:", 45)])

    doc.heading("3. Information affected")
    choices(doc, "Was electronic protected health information involved?", ["Yes", "No", "Unknown"])
    fields(doc, [("Kinds of information (names, diagnoses, insurance, Social Security numbers...):", 6)])
    fields(doc, [("", 78)])
    fields(doc, [("Approximate number of individuals affected:", 12)])
    choices(doc, "Was the information encrypted?", ["Yes", "No", "Unknown"])

    doc.heading("4. Response (Security Official)")
    for n in range(1, 5):
        fields(doc, [("%d. Action taken:" % n, 40), ("By:", 14), ("Date:", 10)])
    fields(doc, [("Evidence kept (logs, devices, copies of messages):", 27)])
    doc.p("**Notified** (write the date, or \u201cnot needed\u201d):")
    fields(doc, [("Management:", 16), ("Computer support:", 16)])
    fields(doc, [("Law enforcement:", 16), ("Business associate:", 16)])
    fields(doc, [("Insurer:", 16), ("Others:", 28)])

    doc.heading("5. Breach notification")
    doc.p("Since 2009 the Breach Notification Rule (45 CFR 164.400-414) requires notice of a "
          "breach of unsecured protected health information: to each individual affected "
          "without unreasonable delay and no later than 60 days after the breach is "
          "discovered, to HHS, and to the media when more than 500 residents of a State or "
          "jurisdiction are affected. An incident involving protected health information is "
          "presumed to be a breach unless an assessment of at least these four factors shows "
          "a low probability that the information has been compromised:")
    fields(doc, [("a. The nature and extent of the information, and how easily it identifies "
                  "a person:", 4)])
    fields(doc, [("", 78)])
    fields(doc, [("b. The unauthorized person who used it or to whom it was disclosed:", 14)])
    fields(doc, [("c. Whether the information was actually acquired or viewed:", 20)])
    fields(doc, [("d. How far the risk has been mitigated:", 38)])
    choices(doc, "Notification required?", ["Yes", "No"])
    fields(doc, [("Individuals notified on:", 12), ("HHS notified on:", 12), ("Media notified on:", 12)])
    fields(doc, [("Assessment made by:", 28), ("Date:", 14)])

    doc.heading("6. Outcome")
    fields(doc, [("Cause found:", 64)])
    fields(doc, [("Harmful effects and how they were reduced:", 34)])
    fields(doc, [("Changes made to prevent a repeat (safeguards, policies, training):", 13)])
    fields(doc, [("", 78)])
    fields(doc, [("Sanctions applied, if any:", 50)])
    fields(doc, [("Report closed on:", 16), ("Security Official's signature:", 26)])
    doc.p("Keep this report with your security documentation for six years from the date it "
          "was made or last in effect, whichever is later. The incidents recorded belong in "
          "the next review of your risk analysis.")
    return doc


# The Action Area's editor holds at most 3000 characters (a paragraph break counts two), so
# the recovery plan, which a user edits there, is kept well under that: room is left to fill in
# the names and numbers and to add the organization's own steps.
RECOVERY_PLAN_LIMIT = 3000
RECOVERY_PLAN_ROOM = 500


def recovery_plan():
    org = "Northfield Regional Health Services"
    doc = Doc()
    doc.title("Sample Disaster Recovery Plan")
    doc.subtitle(org + " (a sample organization with several clinics). Replace the names, "
                 "systems and times with your own.")
    doc.p("**Plan owner:** Disaster Recovery Coordinator. **Approved by:** ________ "
          "**Date:** ________ **Next review:** ________")

    doc.heading("1. Purpose and scope")
    doc.p("This plan restores our information systems and data after a fire, flood, power "
          "loss, hardware failure, malicious software or loss of a building, while patients "
          "are cared for and electronic protected health information stays protected. It "
          "covers every site and every system that holds that information.")

    doc.heading("2. Activating the plan")
    doc.numbered([
        "Whoever discovers the event reports it at once to the IT Help Desk or the on-call "
        "technician.",
        "The IT Manager assesses the damage and informs the Coordinator.",
        "The Coordinator declares a disaster when a tier 1 system will be down for more than "
        "four hours or a building cannot be used, and starts the call list.",
        "The Coordinator keeps a log of decisions and actions from the start."])

    doc.heading("3. Roles")
    doc.bullets([
        "**Coordinator:** directs the recovery and decides priorities.",
        "**IT Recovery Team:** restores hardware, network, systems and data.",
        "**Security Official:** protects patient information during the emergency and "
        "records security incidents.",
        "**Clinical Operations Lead:** starts working on paper in the clinics.",
        "**Communications Officer:** informs staff, patients and partners."])
    doc.p("Keep a call list with each person's deputy and the vendors' 24-hour numbers, and "
          "a printed copy off site.")

    doc.heading("4. Recovery order")
    doc.bullets([
        "**Tier 1, within 8 hours:** network, electronic health record, scheduling.",
        "**Tier 2, within 3 days:** billing and claims, e-mail, document imaging.",
        "**Tier 3, within a week:** payroll and accounting."])

    doc.heading("5. Restoring systems")
    doc.numbered([
        "Restore power, network and user accounts, on site or at the alternate clinic.",
        "Restore tier 1 systems from the last good encrypted backup.",
        "Check the data with its users before the system is released.",
        "Then restore tier 2 and tier 3, and enter the paper records."])

    doc.heading("6. Working without the systems")
    doc.p("The clinics use their downtime forms and the daily printed schedule. Paper records "
          "are kept locked and shown only to authorized staff.")

    doc.heading("7. Testing and review")
    doc.p("Test a restore every quarter and the whole plan once a year. After every test or "
          "event, record what went wrong and update this plan.")
    return doc


def sample_action():
    doc = Doc()
    doc.title("Password Management - Action Taken")
    doc.p("Maple Street Family Practice (two physicians, one nurse practitioner, six staff, "
          "one office, eight workstations and one server).")
    doc.p("March 3: Our Security Official (the office manager) checked how passwords were "
          "used. Three workstations used one shared log-in at the front desk, and two "
          "passwords were written on notes under keyboards.")
    doc.p("March 10: Our computer support company set up a personal user name for every "
          "staff member on the workstations and in the practice management program, and "
          "removed the shared front-desk log-in.")
    doc.p("March 10: The server and the practice management program now require passwords of "
          "at least eight characters with letters and digits, changed every 90 days. "
          "Accounts lock after five failed attempts.")
    doc.p("March 14: Staff meeting: the office manager explained the new password rules and "
          "how to choose a password that is easy to remember and hard to guess. All staff "
          "signed the password policy.")
    doc.p("March 17: The default passwords of the new router and printer were changed.")
    doc.p("March 31: Check of all workstations: no passwords written down. Status set to "
          "Completed. Next review: in September with the security reminder.")
    return doc


def sample_comment():
    doc = Doc()
    doc.title("Password Management - Comments/Notes")
    doc.p("Password Management is an addressable specification. We decided that it is "
          "reasonable and appropriate for us: the costs are small (an afternoon of our "
          "support company's time) and shared and written-down passwords were our biggest "
          "risk in the risk analysis (worksheet 2).")
    doc.p("The practice management program cannot force password changes, so the office "
          "manager puts a reminder in the project timeline every 90 days.")
    doc.p("Dr. Lee asked for a longer screen lock time in the examination rooms; we kept 10 "
          "minutes and showed staff how to lock the screen with the keyboard.")
    doc.p("Our support company keeps the administrator password. A sealed copy is in the "
          "office safe for emergencies (see Emergency Access Procedure).")
    doc.p("To do: look at two-step log-in for remote access next year.")
    return doc


def sample_policy():
    doc = Doc()
    doc.title("Maple Street Family Practice")
    doc.subtitle("Policies and Procedures - Information Security")
    # The header as label and value on one line each: a value never runs on under the next
    # label, however narrow the editor.
    for label, value in [("Policy", "SEC-12 Password Management"),
                         ("Standard", "Security Awareness and Training, 45 CFR 164.308(a)(5)"),
                         ("Specification", "Password Management (Addressable)"),
                         ("Effective", "March 14"), ("Approved by", "Dr. A. Lee, Practice Owner"),
                         ("Responsible", "Office Manager (Security Official)")]:
        doc.p("**%s:** %s" % (label, value))
    doc.heading("1. Purpose")
    doc.p("Passwords protect the patient information in our computers. This policy says how "
          "we **create**, **change** and **protect** passwords so that only authorized staff "
          "can use our systems.")
    doc.heading("2. Scope")
    doc.p("All staff, physicians, temporary workers and our computer support company, for "
          "every workstation, the server, the practice management program, e-mail and "
          "remote access.")
    doc.heading("3. Policy")
    doc.p("Every user has a **personal** user name and password. **Passwords are never "
          "shared**, not even with a supervisor or the support company.")
    doc.heading("4. Rules for passwords")
    doc.numbered(["At least **eight characters**, with letters and digits.",
                  "Not your name, a family member's name, a birthday or a word from the "
                  "dictionary on its own.",
                  "Changed at least every **90 days**, and at once if someone else may know "
                  "it.",
                  "Not written down where others can find it; not stored in a browser on a "
                  "shared computer.",
                  "Default passwords of new equipment and programs are changed before use.",
                  "After five failed attempts the account locks; call the office manager to "
                  "unlock it."])
    doc.heading("5. Who does what")
    doc.table([["Who", "Does"],
               ["Office Manager", "sets up and removes accounts, reminds staff every 90 days, "
                "checks workstations every quarter"],
               ["Support company", "configures password rules and account lock-out, keeps "
                "the administrator password"],
               ["Every user", "follows the rules, reports a password that may be known to "
                "others"]], [2600, 7000])
    doc.heading("6. Violations")
    doc.p("Sharing a password or using another person's log-in is a violation of this policy "
          "and is handled under our **Sanction Policy**.")
    doc.heading("7. Review")
    doc.p("The Office Manager reviews this policy every year in March and after any change "
          "of systems. This policy and the signed staff acknowledgements are kept for six "
          "years.")
    doc.field("Staff acknowledgement - name:", 30)
    doc.field("Signature and date:", 35)
    return doc


def build_docs():
    """Returns {file name: Doc} for the topic, form and sample documents."""
    docs = {}
    for n, (title, blocks) in TOPICS.items():
        docs["Misc%d.Hlp" % n] = plain_topic(title, blocks)
    docs["Misc56.Hlp"] = incident_report()
    docs["Misc57.Hlp"] = risk_analysis_form()
    ws = Doc()
    ws.title("Risk Analysis Worksheet")
    ws.p("A worksheet records one part of your risk analysis: one area, system or location. "
         "The Action Area keeps up to 21 worksheets, each with a title and a compliance "
         "status (Yes, No, Partial, Planned).")
    ws.heading("How to fill in a worksheet")
    ws.numbered(["Name the area and list the information and equipment in it.",
                 "For each threat note the weakness it could use, and rate likelihood and "
                 "impact as low, medium or high.",
                 "Combine the two into a risk level: high if either is high and the other at "
                 "least medium; low if both are low; medium otherwise.",
                 "Note the safeguards already in place and the measures still needed, with "
                 "who does them and by when.",
                 "Set the compliance status of the worksheet."])
    ws.heading("Example")
    ws.table([["Threat", "Vulnerability", "Likelihood", "Impact", "Risk", "Measure"],
              ["Theft of laptop", "laptop not encrypted, taken home", "M", "H", "High",
               "encrypt laptop; cable lock"],
              ["Loss of data", "backup disk kept next to the server", "M", "H", "High",
               "weekly copy off site"],
              ["Virus", "anti-virus updates switched off", "H", "M", "High",
               "automatic updates"],
              ["Unauthorized viewing", "front desk screen faces waiting room", "H", "L",
               "Medium", "turn screen; privacy filter"]],
             [1500, 2600, 1100, 900, 1000, 2500])
    ws.p("A blank worksheet form is in the Miscellaneous window, and \u201cNew Worksheet\u201d on "
         "the Risk Analysis Worksheets page starts a worksheet from the same form.")
    docs["Misc58.Hlp"] = ws
    docs["Misc59.Hlp"] = risk_worksheet_form(
        "Risk Analysis Worksheet",
        "Fill in this worksheet for one area, system or location, then set its compliance "
        "status in the status box and save.")
    docs["Misc60.Hlp"] = recovery_plan()
    docs["SampleAct.Dat"] = sample_action()
    docs["SampleCom.Dat"] = sample_comment()
    docs["SamplePol.Dat"] = sample_policy()
    return docs
