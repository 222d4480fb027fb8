"""Policy and procedure templates, one per implementation specification (Misc14.Hlp -
Misc55.Hlp and Misc61.Hlp - Misc63.Hlp). Each template is a form the user fills in: the
heading block, what the policy has to cover in plain words, a policy statement to adapt,
numbered procedure steps, responsibilities, review and documentation.
"""

from rtfgen import Doc

# template number, name, standard, section, R/A, what the policy covers, policy statement,
# procedure steps
TEMPLATES = [
    (14, "Risk Analysis", "Security Management Process", "164.308(a)(1)", "R",
     "How the organization finds and rates the risks to the electronic protected health "
     "information (ePHI) it creates, receives, keeps or sends.",
     "(Organization) carries out an accurate and thorough assessment of the risks and "
     "weaknesses that threaten the confidentiality, integrity and availability of its ePHI, "
     "and repeats it when systems, locations or services change.",
     ["List every system, device and paper-to-electronic process that holds or moves ePHI.",
      "For each, list the threats (people, nature, technical failure) and the weaknesses that "
      "could let them cause harm.",
      "Rate the likelihood and the impact of each threat, and record the resulting risk level.",
      "Record the present safeguards and what is missing.",
      "Report the results to the Security Official and keep the worksheets.",
      "Repeat the analysis at least once a year and after every major change."]),
    (15, "Risk Management", "Security Management Process", "164.308(a)(1)", "R",
     "How the organization lowers the risks found in the risk analysis to a reasonable and "
     "appropriate level.",
     "(Organization) puts in place security measures sufficient to reduce the risks found in "
     "its risk analysis to a reasonable and appropriate level.",
     ["Rank the risks from the risk analysis, highest first.",
      "For each risk choose a measure: reduce, transfer, or accept it with a written reason.",
      "Give each measure an owner and a date, and enter it in the project timeline.",
      "Check that each measure works once it is in place.",
      "Record the remaining risk and have it approved by management."]),
    (16, "Sanction Policy", "Security Management Process", "164.308(a)(1)", "R",
     "What happens to workforce members who do not follow the security policies and "
     "procedures.",
     "(Organization) applies appropriate sanctions against workforce members who fail to "
     "comply with its security policies and procedures.",
     ["Explain the sanctions to every workforce member at hire and in yearly training.",
      "Investigate every reported violation and record the facts.",
      "Choose the sanction by the seriousness of the violation: warning, retraining, "
      "suspension of access, dismissal.",
      "Record the sanction applied and keep the record with the personnel file.",
      "Apply sanctions consistently, whatever the person's position."]),
    (17, "Information System Activity Review", "Security Management Process",
     "164.308(a)(1)", "R",
     "How often and by whom the records of system activity are reviewed.",
     "(Organization) regularly reviews records of information system activity, such as audit "
     "logs, access reports and security incident reports.",
     ["List the systems that keep logs and what each log records.",
      "Name the person who reviews each log and how often (for example, weekly).",
      "Look for unusual log-ins, access outside working hours and failed log-in attempts.",
      "Report anything suspicious as a security incident.",
      "Record each review: date, reviewer, findings."]),
    (18, "Assigned Security Responsibility", "Assigned Security Responsibility",
     "164.308(a)(2)", "R",
     "Who is the Security Official responsible for the security policies and procedures.",
     "(Organization) names one Security Official who is responsible for developing and "
     "carrying out its security policies and procedures.",
     ["Name the Security Official in writing and tell the whole workforce who it is.",
      "Write down the Security Official's duties and authority.",
      "Name a deputy for times when the Security Official is absent.",
      "Record every change of Security Official with its date."]),
    (19, "Authorization and/or Supervision", "Workforce Security", "164.308(a)(3)", "A",
     "How workforce members who work with ePHI, or where it can be seen, are authorized or "
     "supervised.",
     "(Organization) authorizes and/or supervises workforce members who work with ePHI or in "
     "places where it might be accessed.",
     ["List the job roles and the ePHI each role needs.",
      "Have a supervisor authorize each person's access in writing before it is given.",
      "Supervise visitors, trainees and maintenance staff in areas where ePHI is present.",
      "Review the authorizations when a person changes role."]),
    (20, "Workforce Clearance Procedure", "Workforce Security", "164.308(a)(3)", "A",
     "How the organization decides that a person's access to ePHI is appropriate.",
     "(Organization) has procedures to determine that the access of each workforce member to "
     "ePHI is appropriate.",
     ["Decide for each job role what checks are needed (references, licence, background).",
      "Complete the checks before access is given.",
      "Record the checks made and the result.",
      "Repeat checks when a person moves to a role with wider access."]),
    (21, "Termination Procedures", "Workforce Security", "164.308(a)(3)", "A",
     "How access is ended when someone leaves or is no longer cleared.",
     "(Organization) ends access to ePHI promptly when a workforce member leaves or no longer "
     "needs it.",
     ["Keep a checklist for leavers: accounts, passwords, keys, badges, devices.",
      "Disable accounts on the last working day (at once when the leaving is not friendly).",
      "Collect keys, cards, laptops and storage media.",
      "Change any shared passwords or lock codes the person knew.",
      "Record the date and time each step was done."]),
    (22, "Isolating Health Care Clearinghouse Functions", "Information Access Management",
     "164.308(a)(4)", "R",
     "If a health care clearinghouse is part of a larger organization, how its ePHI is kept "
     "from the rest of that organization.",
     "Where (Organization) includes a health care clearinghouse, the clearinghouse protects "
     "its ePHI from unauthorized access by the rest of the organization.",
     ["State whether the organization includes a clearinghouse. If not, record that this "
      "policy does not apply.",
      "Keep the clearinghouse's systems and data separate (separate accounts, network areas, "
      "storage).",
      "Allow staff outside the clearinghouse no access to its ePHI.",
      "Review the separation yearly."]),
    (23, "Access Authorization", "Information Access Management", "164.308(a)(4)", "A",
     "How access to ePHI is granted: to which workstation, program or process.",
     "(Organization) grants access to ePHI only through a documented authorization.",
     ["Use an access request form signed by the supervisor.",
      "Give the least access the job needs.",
      "Have the Security Official or system administrator set up the access.",
      "Keep the signed forms."]),
    (24, "Access Establishment and Modification", "Information Access Management",
     "164.308(a)(4)", "A",
     "How each user's access rights are set up, documented, reviewed and changed.",
     "(Organization) establishes, documents, reviews and modifies each user's right of access "
     "according to its access authorization policy.",
     ["Record each user's access rights when they are set up.",
      "Change rights only on a signed request.",
      "Review all users' rights at least twice a year and remove what is not needed.",
      "Record every change with its date and reason."]),
    (25, "Security Reminders", "Security Awareness and Training", "164.308(a)(5)", "A",
     "How the workforce is reminded of security matters between trainings.",
     "(Organization) gives its workforce regular security reminders.",
     ["Send a short reminder at least every quarter (e-mail, staff meeting, poster).",
      "Send a reminder at once when a new threat or incident becomes known.",
      "Keep a copy of each reminder with its date."]),
    (26, "Protection from Malicious Software", "Security Awareness and Training",
     "164.308(a)(5)", "A",
     "How systems are protected from viruses and other malicious software, and what staff "
     "are taught about it.",
     "(Organization) protects its systems from malicious software and trains its workforce "
     "to guard against, detect and report it.",
     ["Install anti-virus software on every computer and keep it updated automatically.",
      "Install security updates for operating systems and programs promptly.",
      "Teach staff not to open unexpected attachments or links.",
      "Report any suspected infection to the Security Official at once."]),
    (27, "Log-in Monitoring", "Security Awareness and Training", "164.308(a)(5)", "A",
     "How log-in attempts are watched and discrepancies reported.",
     "(Organization) monitors log-in attempts and reports discrepancies.",
     ["Set systems to record successful and failed log-ins.",
      "Lock an account after a set number of failed attempts (for example, five).",
      "Review failed log-in reports regularly.",
      "Teach staff to report log-in messages they do not expect."]),
    (28, "Password Management", "Security Awareness and Training", "164.308(a)(5)", "A",
     "How passwords are created, changed and protected.",
     "(Organization) has procedures for creating, changing and safeguarding passwords.",
     ["Each user has a personal password; passwords are never shared.",
      "Passwords have at least eight characters and mix letters and digits.",
      "Passwords are changed at least every 90 days and at once if they may be known to "
      "others.",
      "Passwords are not written down where others can find them.",
      "Default passwords of new equipment and programs are changed before use."]),
    (29, "Response and Reporting", "Security Incident Procedures", "164.308(a)(6)", "R",
     "How security incidents are reported, handled and documented.",
     "(Organization) identifies and responds to suspected or known security incidents, limits "
     "their harmful effects as far as it can, and documents each incident and its outcome.",
     ["Every workforce member reports a suspected incident to the Security Official at once.",
      "The Security Official records the report on the incident report form.",
      "Contain the incident: disconnect affected equipment, change passwords, secure areas.",
      "Find the cause and repair it.",
      "Record the outcome and the lessons learned; keep the report."]),
    (30, "Data Backup Plan", "Contingency Plan", "164.308(a)(7)", "R",
     "How exact copies of ePHI are made, kept and can be retrieved.",
     "(Organization) creates and keeps retrievable exact copies of its ePHI.",
     ["List the data to be backed up and where it is kept.",
      "Back up daily; keep at least one recent copy away from the office.",
      "Protect backup media from theft and damage (locked, encrypted where possible).",
      "Test a restore at least every quarter and record the result."]),
    (31, "Disaster Recovery Plan", "Contingency Plan", "164.308(a)(7)", "R",
     "How lost data is restored after an emergency.",
     "(Organization) has procedures to restore any loss of data.",
     ["Keep a written recovery plan (see the Disaster Recovery Plan page).",
      "List who does what, and how to reach them.",
      "List the order in which systems and data are restored.",
      "Keep copies of the plan off site."]),
    (32, "Emergency Mode Operation Plan", "Contingency Plan", "164.308(a)(7)", "R",
     "How critical work continues, with ePHI protected, during an emergency.",
     "(Organization) can continue its critical business processes during an emergency while "
     "protecting the security of its ePHI.",
     ["List the critical processes (for example, patient scheduling, records, billing).",
      "For each, describe how it continues when systems are down (paper forms, another site).",
      "Describe how ePHI is protected meanwhile (locked storage, limited access).",
      "Describe how paper records are entered into the systems afterwards."]),
    (33, "Testing and Revision Procedure", "Contingency Plan", "164.308(a)(7)", "A",
     "How the contingency plans are tested and kept up to date.",
     "(Organization) tests its contingency plans periodically and revises them as needed.",
     ["Test the backup restore, the recovery plan and the emergency procedures at least "
      "once a year.",
      "Record each test, what worked and what did not.",
      "Revise the plans after each test and after any change in systems or staff."]),
    (34, "Applications and Data Criticality Analysis", "Contingency Plan", "164.308(a)(7)",
     "A",
     "Which applications and data matter most, so they are restored first.",
     "(Organization) assesses how critical each application and data set is to support its "
     "contingency plans.",
     ["List every application and data set.",
      "Rate each: critical, important, or can wait.",
      "Record how long each can be unavailable before it harms patients or the business.",
      "Use the ratings to set the restore order in the recovery plan."]),
    (35, "Evaluation", "Evaluation", "164.308(a)(8)", "R",
     "How the organization checks, now and after changes, that its security measures meet "
     "the rule.",
     "(Organization) periodically evaluates, technically and otherwise, how well its security "
     "policies and procedures meet the requirements of the Security Rule.",
     ["Evaluate once when the policies are first in place, then at least yearly.",
      "Evaluate again after major changes in systems, staff, location or the law.",
      "Use this program's status reports as a checklist.",
      "Record findings and corrective actions."]),
    (36, "Written Contract or Other Arrangement", "Business Associate Contracts and Other "
     "Arrangements", "164.308(b)(1)", "R",
     "How the assurances from each business associate are documented in writing.",
     "(Organization) permits a business associate to handle ePHI on its behalf only under a "
     "written contract or other arrangement that gives satisfactory assurances.",
     ["List every outside party that creates, receives, keeps or sends ePHI for you.",
      "Have a business associate contract signed with each before they handle ePHI.",
      "Keep the signed contracts and review them yearly.",
      "Act on any known breach of a contract by the business associate."]),
    (37, "Contingency Operations", "Facility Access Controls", "164.310(a)(1)", "A",
     "How people get into the facility to restore data during an emergency.",
     "(Organization) has procedures that allow facility access in support of restoring lost "
     "data under its disaster recovery and emergency mode operation plans.",
     ["List who may enter the facility during an emergency.",
      "Keep spare keys and alarm codes where those people can get them.",
      "Record every emergency entry."]),
    (38, "Facility Security Plan", "Facility Access Controls", "164.310(a)(1)", "A",
     "How the building and equipment are kept from unauthorized access, tampering and theft.",
     "(Organization) safeguards its facility and the equipment in it from unauthorized "
     "physical access, tampering and theft.",
     ["Describe the locks, alarms and lighting of the premises.",
      "Keep servers and network equipment in a locked room.",
      "Lock the office outside working hours.",
      "Review the plan yearly."]),
    (39, "Access Control and Validation Procedures", "Facility Access Controls",
     "164.310(a)(1)", "A",
     "How a person's access to the facility is controlled by role, including visitors.",
     "(Organization) controls and validates each person's access to its facilities by role, "
     "including visitors and those who test or repair software.",
     ["Give keys or cards only by role.",
      "Sign visitors in and out and accompany them in areas with ePHI.",
      "Check the identity of repair and service people before they enter."]),
    (40, "Maintenance Records", "Facility Access Controls", "164.310(a)(1)", "A",
     "How repairs and changes to security-related parts of the building are recorded.",
     "(Organization) documents repairs and changes to the physical parts of its facility that "
     "relate to security, such as doors, locks and walls.",
     ["Record every repair or change to locks, doors, alarms and walls.",
      "Record who did the work, when, and what was changed.",
      "Keep the records with the facility security plan."]),
    (41, "Workstation Use", "Workstation Use", "164.310(b)", "R",
     "What may be done on workstations that can reach ePHI, how, and where they stand.",
     "(Organization) sets out the proper functions, manner of use and physical surroundings "
     "of workstations that can access ePHI.",
     ["Use workstations only for work.",
      "Place screens so that patients and visitors cannot read them.",
      "Log off or lock the workstation when leaving it.",
      "Do not install programs without the Security Official's approval."]),
    (42, "Workstation Security", "Workstation Security", "164.310(c)", "R",
     "How workstations that can reach ePHI are physically protected.",
     "(Organization) physically protects all workstations that access ePHI so only authorized "
     "users can use them.",
     ["Keep workstations in areas closed to the public, or attended.",
      "Secure laptops with cable locks or keep them locked away.",
      "Never leave portable devices in vehicles."]),
    (43, "Disposal", "Device and Media Controls", "164.310(d)(1)", "R",
     "How ePHI, and the hardware or media it is on, are finally disposed of.",
     "(Organization) disposes of ePHI and of the hardware and electronic media holding it so "
     "that the information cannot be recovered.",
     ["Wipe disks with a wiping program or destroy them physically before disposal.",
      "Shred CDs, DVDs and memory cards.",
      "Use a disposal company that certifies destruction.",
      "Record what was disposed of, how and when."]),
    (44, "Media Re-use", "Device and Media Controls", "164.310(d)(1)", "R",
     "How ePHI is removed from media before the media are used again.",
     "(Organization) removes ePHI from electronic media before they are made available for "
     "re-use.",
     ["Wipe media before giving them to another user or department.",
      "Check that the wipe worked.",
      "Record the wipe."]),
    (45, "Accountability", "Device and Media Controls", "164.310(d)(1)", "A",
     "How movements of hardware and media, and who is responsible for them, are recorded.",
     "(Organization) keeps a record of the movements of hardware and electronic media and of "
     "the person responsible for them.",
     ["Keep an inventory of computers, disks and portable devices.",
      "Record when a device is moved, lent, sent for repair or retired, and who has it."]),
    (46, "Data Backup and Storage", "Device and Media Controls", "164.310(d)(1)", "A",
     "How an exact copy of ePHI is made before equipment is moved.",
     "(Organization) creates a retrievable, exact copy of ePHI, when needed, before equipment "
     "is moved.",
     ["Before moving equipment, check whether it holds ePHI that is not backed up elsewhere.",
      "If so, back it up and check that the copy can be read.",
      "Record the backup."]),
    (47, "Unique User Identification", "Access Control", "164.312(a)(1)", "R",
     "How each user gets a unique name or number to identify and track them.",
     "(Organization) assigns a unique name and/or number to each user of its systems.",
     ["Give every user a personal user name; no shared or generic accounts.",
      "Use the same naming rule throughout (for example, first initial and surname).",
      "Never re-use the user name of a former workforce member."]),
    (48, "Emergency Access Procedure", "Access Control", "164.312(a)(1)", "R",
     "How necessary ePHI is obtained during an emergency.",
     "(Organization) has procedures for obtaining necessary ePHI during an emergency.",
     ["Keep an emergency account or sealed password for critical systems.",
      "Say who may use it and when.",
      "Change the emergency password after each use and record the use."]),
    (49, "Automatic Logoff", "Access Control", "164.312(a)(1)", "A",
     "How sessions end after a set time of inactivity.",
     "(Organization) ends electronic sessions, or locks the screen, after a set period of "
     "inactivity.",
     ["Set screens to lock after 10 minutes of inactivity (shorter in public areas).",
      "Set programs with ePHI to log off after inactivity where they allow it."]),
    (50, "Encryption and Decryption", "Access Control", "164.312(a)(1)", "A",
     "Whether and where stored ePHI is encrypted.",
     "(Organization) encrypts stored ePHI where that is reasonable and appropriate.",
     ["Encrypt laptops, portable disks and backup media.",
      "Keep the encryption keys safe and known to more than one person.",
      "If encryption is not used somewhere, record why and what is done instead."]),
    (51, "Audit Controls", "Audit Controls", "164.312(b)", "R",
     "How activity in systems with ePHI is recorded and examined.",
     "(Organization) uses hardware, software and/or procedures that record and examine "
     "activity in systems that contain or use ePHI.",
     ["Switch on logging in every system that holds ePHI.",
      "Protect the logs from change and keep them for a set time.",
      "Examine the logs as the activity review policy says."]),
    (52, "Mechanism to Authenticate Electronic Protected Health Information", "Integrity",
     "164.312(c)(1)", "A",
     "How the organization makes sure ePHI has not been altered or destroyed without "
     "authority.",
     "(Organization) uses electronic means to confirm that ePHI has not been altered or "
     "destroyed in an unauthorized manner.",
     ["Use programs that keep a history of changes to records.",
      "Use checksums or similar checks on backups and transfers.",
      "Report any unexplained change as a security incident."]),
    (53, "Person or Entity Authentication", "Person or Entity Authentication", "164.312(d)",
     "R",
     "How the organization verifies that whoever seeks access to ePHI is who they claim to "
     "be.",
     "(Organization) verifies that a person or entity seeking access to ePHI is the one "
     "claimed.",
     ["Require a user name and password (or card, or token) for every access.",
      "Verify the identity of callers before giving any information by telephone.",
      "Use stronger checks for access from outside the office."]),
    (54, "Integrity Controls", "Transmission Security", "164.312(e)(1)", "A",
     "How ePHI sent over a network is protected from undetected change.",
     "(Organization) protects ePHI that it sends electronically from being changed without "
     "detection.",
     ["Send ePHI only through secure connections (for example, encrypted web or VPN).",
      "Use programs that confirm a file arrived complete and unchanged."]),
    (55, "Encryption", "Transmission Security", "164.312(e)(1)", "A",
     "Whether and when ePHI is encrypted when sent.",
     "(Organization) encrypts ePHI sent over open networks whenever that is appropriate.",
     ["Encrypt e-mail that carries ePHI, or use a secure portal instead.",
      "Do not send ePHI by ordinary e-mail or text message.",
      "If encryption is not used for a transmission, record why and what is done instead."]),
    (61, "Business Associate Contracts or Other Arrangements", "Business Associate Contracts "
     "or Other Arrangements", "164.314(a)(1)", "R",
     "What every contract with a business associate must say about security.",
     "(Organization) makes sure that each contract with a business associate requires the "
     "business associate to protect the ePHI it handles.",
     ["The contract requires the business associate to put in place administrative, physical "
      "and technical safeguards for the ePHI.",
      "It requires the business associate to pass the same duties on to its agents and "
      "subcontractors.",
      "It requires the business associate to report security incidents to you.",
      "It allows you to end the contract if the business associate breaks a material term.",
      "If you learn of a pattern of violations, act to cure it, end the contract, or report "
      "it as the rule requires."]),
    (62, "Requirements for Group Health Plans", "Requirements for Group Health Plans",
     "164.314(b)(1)", "R",
     "What the plan documents of a group health plan must require of the plan sponsor.",
     "(Plan) makes sure that its plan documents require the plan sponsor to reasonably and "
     "appropriately safeguard the ePHI it creates, receives, keeps or sends for the plan.",
     ["State whether the organization sponsors a group health plan. If not, record that "
      "this policy does not apply.",
      "Amend the plan documents to include the sponsor's security duties.",
      "Have the sponsor's safeguards, and the separation between the plan and the sponsor, "
      "described in writing.",
      "Require the sponsor to report security incidents to the plan."]),
    (63, "Documentation", "Policies and Procedures and Documentation Requirements",
     "164.316", "R",
     "How security policies, procedures and required records are kept in writing.",
     "(Organization) keeps its security policies and procedures, and every action, activity "
     "or assessment that must be documented, in written (which may be electronic) form.",
     ["Keep all security documents in one place (this program and its backups can serve).",
      "Keep each document for 6 years from when it was made or last in effect, whichever "
      "is later.",
      "Make the documents available to the people who carry out the procedures.",
      "Review the documents at least yearly and update them after changes."]),
]


def template_doc(entry):
    t, name, standard, section, ra, covers, statement, steps = entry
    mark = "Required" if ra == "R" else "Addressable"
    doc = Doc()
    doc.title(name + " - Policy and Procedure")
    doc.subtitle("Template. Replace the words in parentheses and the blank lines with your "
                 "own, and delete what does not apply.")
    doc.table([
        ["Standard", standard],
        ["Section", "45 CFR " + section],
        ["Implementation specification", name + " (" + mark + ")"],
        ["Policy number", ""],
        ["Effective date", ""],
        ["Last reviewed", ""],
        ["Approved by", ""],
    ], [3000, 6500], header=False)
    doc.heading("1. Purpose")
    doc.p("This policy covers: " + covers)
    doc.heading("2. Policy")
    doc.p(statement)
    doc.heading("3. Procedures")
    doc.numbered(steps)
    doc.heading("4. Responsibility")
    doc.p("The Security Official, (name), is responsible for this policy. Supervisors make "
          "sure their staff follow it. Every workforce member reports problems to the "
          "Security Official.")
    if ra == "A":
        doc.heading("5. Assessment of this addressable specification")
        doc.p("Record whether this specification is reasonable and appropriate for your "
              "organization. If it is, describe how it is implemented above. If it is not, "
              "record why, and describe the equivalent measure you use instead, if one is "
              "reasonable and appropriate.")
        doc.field("Decision and reasons:", 60)
        nxt = 6
    else:
        nxt = 5
    doc.heading("%d. Review and documentation" % nxt)
    doc.p("Review this policy at least once a year and after any major change. Keep this "
          "policy and the records it calls for for at least six years from the date it was "
          "written or last in effect, whichever is later.")
    doc.field("Reviewed on:", 20)
    doc.field("Reviewed by:", 30)
    return doc
