"""The help file QUORVANE.hlp.

Format (UTF-8 text):
  line 1            QUORVANE HELP 1
  "== <id> <title>" starts a topic; the id is a whole number, 0 is the contents topic
  following lines   the topic's body: paragraphs separated by blank lines; the lines of one
                    paragraph are joined with a blank; a line starting with "- " is a list
                    item paragraph of its own
Anything before the first topic line is ignored.
"""

TOPICS = [
    (0, "Quorvane Help", """
Welcome to Quorvane, the workbook for the HIPAA Security Rule.

Choose a topic from the list. You can also press F1 in any window to open the topic for that window.

- Program Overview
- Action Area Pages
- Risk Analysis Worksheets
- Disaster Recovery Plan
- Project Timeline
- Security Rule Window
- Information Advisor
- Miscellaneous Window
- Print Preview
- Spell Check
"""),
    (1000, "Program Overview", """
Quorvane helps a health care organization work through the HIPAA Security Rule and keep the record of its own compliance work.

The program has four areas, reached with the tabs at the bottom of every window:

- Action Area: where you work. Record a status for each standard and implementation specification, write what you have done, your notes and your policies, keep risk analysis worksheets, a disaster recovery plan and a project timeline.
- Information Advisor: explanations of the rule and of risk analysis.
- Security Rule: the final rule of 2003, section by section, with search.
- Miscellaneous: program information, the disclaimer, web links, a risk analysis worksheet form and a sample incident report form.

The Exit Program tab closes the program after asking "Exit Quorvane?". If you have unsaved changes in the Action Area, the program offers to save them first.

Everything you write is stored in the program's folder. Use "Backup User Created Files" on the Utilities menu to copy your files to a removable disk or another folder, and "Restore User Created Files" to bring them back.

Right-click almost anywhere in a window to open its Options menu.
"""),
    (3010, "Action Area Pages", """
The Action Area has ten pages, chosen with the buttons at the left:

- HIPAA Security Standards: an overview grid of all standards with their implementation specifications, the R (required) and A (addressable) marks and the status you recorded. Press Print here for status reports.
- Safeguard Project Timeline: your to-do list (see Project Timeline).
- Administrative, Physical and Technical Safeguards, Organization Requirements, and Policies and Procedures: one button for each entry of the rule.
- Risk Analysis Worksheets, Disaster Recovery Plan and Sample Safeguard Entry.

On a safeguard page, press an entry. The labels show its standard, section and specification. Choose its status in the status box: Pending, Working, Completed, Review or Not Implemented. The status is stored at once.

Then choose one of the three documents: Action Taken, Comments/Notes, or Policies & Procedures/Plan. Type in the editor and press Save. If you switch to another document, entry or page with unsaved changes, the program asks "Save changes/entries before next action?".

For a policy you can press Insert Template to start from a ready-made outline. If a policy already exists the program asks before replacing it; nothing is written until you save.

The reference options show the rule text of the specification, the references in the rule and additional information, with the specification's name highlighted. They are read only.

The editing tools change the font and alignment of the selected text, look words up in the thesaurus, check spelling and print the document.

The Sample Safeguard Entry page shows a finished example for Password Management. You can look at it and type in the sample policy, but the sample cannot be saved.
"""),
    (3044, "Risk Analysis Worksheets", """
The Risk Analysis Worksheets page holds up to 21 worksheets, one for each area, system or location you examine in your risk analysis.

Press a worksheet's button to open it. Its title is shown on the button's tip; you can give each worksheet your own title.

Press New Worksheet to start from the blank worksheet form. If the worksheet already exists, the program asks before replacing it.

Fill in the assets, threats, vulnerabilities, likelihood, impact and the measures needed, then choose the worksheet's compliance status: Yes, No, Partial or Planned. Press Save to keep it.

A worksheet saved empty loses its compliance status.

The Information Advisor's Risk Analysis topic explains the method and common mistakes.
"""),
    (3048, "Disaster Recovery Plan", """
The Disaster Recovery Plan page holds one document: your plan for restoring systems and data after an emergency.

While you have not written a plan yet, the page shows a sample plan of a larger organization. It covers scope, roles, the call list, critical systems and their recovery order, backup, emergency mode operation, restoration steps, testing and distribution. A small practice can shorten most of it to a few sentences.

Change the sample to fit your organization and press Save. From then on the page shows your own plan. Insert Template brings the sample back; the program asks first, and nothing is written until you save.

You can also copy the plan into your word processor and work on it there.
"""),
    (2009, "Project Timeline", """
The Safeguard Project Timeline page is one to-do list for the whole project, with up to 500 items.

Each row has a To Do Item, a To Do Date, an Actual Date and a Next Review Date.

- To enter an item, type it in the item column, or choose a name from the list of item names and press "Add to To Do Grid". Names you use often can be kept in that list; "Delete Item fm File" removes one.
- To enter a date, use the calendar that opens for the date columns, or type the date.
- "Delete Item from Grid" removes the marked row; the Options menu can also insert an empty row or clear the whole grid. The program asks before it deletes or clears.
- "Spell Check" checks the items row by row.
- "Print" prints the to-do list.
- "Save" writes the list. If you leave the page with unsaved changes, the program asks whether to save them.
"""),
    (3012, "Security Rule Window", """
The Security Rule window shows the final Security Rule of February 20, 2003, cut into 25 sections: the entire rule, the parts of its preamble, the regulation text of Subpart C and its Appendix A, the standards matrix.

Choose a section with its button at the left. The window's caption names the section.

Some parts of the preamble are not reproduced in full. A program note in the section says so and tells where the full text is published.

- Search: finds words in the section. Type the words and press Search; press it again to find the next place.
- Font Display: changes the font of the selected text for easier reading. The change is for display only; the documents are never changed.
- Print: opens the print preview with the selected text, or the whole section when nothing is selected.
- Copy to Clipboard (Options menu): copies the whole section as rich text.
- Clear: empties the window.

Esc closes the search or print panel first, and otherwise asks whether to exit the program.
"""),
    (3014, "Miscellaneous Window", """
The Miscellaneous window has five topics:

- Disclaimer: the conditions of use of this program.
- Program Information: what the program contains and how your files are kept. This topic is shown whenever the window opens.
- HIPAA Web Links: click a link to open the site in your browser.
- Risk Analysis Worksheet: a blank worksheet form.
- Sample Incident Report: a form for recording a security incident.

The two forms can be copied to the clipboard for your word processor, or previewed and printed with Print.
"""),
    (3066, "Information Advisor", """
The Information Advisor explains the Security Rule in plain words. Choose a topic with its button:

- Addressable Safeguards: what required and addressable mean.
- Concepts: the ideas behind the rule.
- Getting Started: a suggested order of work in this program.
- Impact: what not complying can cost.
- Key Information & Guide: key points and a button that opens the NIST resource guide for the rule.
- Policy Insert Template: how the policy templates work.
- Risk Analysis: four sub-topics: an overview, recommendations from NIST (with a button to the NIST publications), common mistakes, and how to fill in a worksheet.
- Security and Privacy: how the Security Rule and the Privacy Rule differ.
- Selected HIPAA Q. & A.: answers to common questions.
- Timeline: the dates of the rule, with the days remaining until the compliance date while it lies ahead.

The web buttons open the pages in your browser. If that fails, check that your Internet connection is running and try again.
"""),
    (1014, "Print Preview", """
The print preview shows the pages as they will be printed.

- Enlarge shows the preview larger; Normal returns it to its usual size. Esc does the same.
- Display Guide Lines shows the page margins in the preview; Do Not Display Guide Lines hides them. The choice is remembered.
- Printer Font chooses the font of the printout.
- Page Setup chooses the paper, the orientation and the margins.
- Copy Current Page puts the page shown on the clipboard as a picture.
- Print prints the document.
- Cancel closes the preview.

In the Action Area, the overview page prints status reports: tick the safeguard groups you want. A specification page prints the open document with the entry's standard, section and status.
"""),
    (5050, "Spell Check", """
Spell Check checks the text in the editor, or the items of the to-do list, word by word.

For each word that is not in the dictionary the spell-check dialog shows the word, selected in your text, with suggestions. You can replace it with a suggestion or with your own spelling, leave it as it is, or stop the check.

Common typing mistakes (such as "teh" for "the") are known to the checker and suggested with their correction.

In the to-do list, a correction you accept for one item can also be applied to the same word in the items below it.

When the check is finished or stopped the program says "Spell Check has been canceled or has reached the end of your document". Save afterwards to keep the corrections.
"""),
]


def help_file_text():
    out = ["QUORVANE HELP 1", ""]
    for topic_id, title, body in TOPICS:
        out.append("== %d %s" % (topic_id, title))
        out.append(body.strip("\n"))
        out.append("")
    return "\n".join(out)
