#include "catalogue/AdditionalInfo.h"

#include <initializer_list>

#include "catalogue/Catalogue.h"

namespace catalogue {
namespace {

using G = GuidanceParagraph;

// A paragraph of the program's own words.
constexpr G own(std::string_view text) { return {{}, text, false}; }
// A list item, on the line after the paragraph before it.
constexpr G item(std::string_view text) { return {{}, text, true}; }
// A paragraph that opens with a sentence of the rule, finished word for word.
constexpr G rule(std::string_view quoted, std::string_view text) { return {quoted, text, false}; }

struct Row {
    std::string_view keyword;
    std::initializer_list<G> paragraphs;
};

// The guidance of k 1..45, in order. Row 43 has no keyword.
const Row& row(int k) {
    static const Row rows[45] = {
        // 1 Risk analysis
        {"Risk Analysis",
         {own("This is your main tool in determining the risks to the electronic protected health "
              "information (ePHI) that your practice creates, receives, maintains or transmits, and "
              "the starting point of every other safeguard. Begin with an inventory: every "
              "computer, laptop, tablet, phone, server, copier and removable drive that holds ePHI, "
              "every program and online service that stores it, and every way it travels (e-mail, "
              "fax, the billing service, the backup)."),
          own("For each of those places, list the threats that could reach it (theft, fire, water, "
              "a virus, a careless or dishonest user, a failed disk, a vendor's mistake) and the "
              "weaknesses that would let them through (no password, no encryption, an unlocked "
              "room, no backup). Rate how likely each threat is and how much harm it would do; the "
              "two together give the risk. The Risk Analysis Worksheets of this program give one "
              "page to each area."),
          own("Write down what you found, who took part, the date, and how each risk was rated. "
              "An auditor will ask to see the written risk analysis itself, the inventory it was "
              "based on, and evidence that it is reviewed when something changes (a new system, a "
              "move, a security incident) and at least once a year."),
          own("A small practice typically does its first risk analysis in a few working sessions "
              "of the practice manager, a physician and whoever looks after the computers. An "
              "outside consultant may help, but the practice owns the result and must be able to "
              "explain it."),
          own("The risk analysis feeds Risk Management: every risk you decide to reduce becomes an "
              "item of your plan, with a person responsible and a date. Enter those items in the "
              "Project Timeline so that they are followed up.")}},
        // 2 Risk management
        {"Risk Management",
         {own("Use Risk Management to devise, implement, and maintain the security measures that "
              "bring each risk found in your risk analysis down to a reasonable and appropriate "
              "level. For every risk, decide whether to reduce it (encrypt the laptops, lock the "
              "server closet), transfer it (insurance, a contract with a vendor) or accept it, and "
              "write down why. Give each measure an owner and a target date."),
          own("Keep the risk management plan as a living document. A small practice usually keeps "
              "it as a table of one or two pages: the risk, the measure chosen, who is "
              "responsible, the date due and the date done. An auditor will ask for this plan, for "
              "evidence that the measures were carried out (invoices, configuration printouts, "
              "training sign-in sheets), and for the date it was last reviewed.")}},
        // 3 Sanction policy
        {"Sanctions",
         {own("The Sanctions must be clearly defined; that is, every member of the workforce must "
              "know in advance what happens when he or she breaks a security policy. Write a "
              "sanction policy with graduated steps, for example a recorded verbal warning, a "
              "written warning, retraining, suspension of system access and dismissal, and say "
              "which kinds of violation lead to which step."),
          own("Apply the policy in the same way to everyone, physicians and owners included. "
              "Sanctions applied to some and not to others invite complaints and empty the policy "
              "of its meaning."),
          own("Record each sanction applied: the date, the person, the violation, the step taken "
              "and who decided it, and keep the record for six years. Have every member of the "
              "workforce sign that he or she has read the policy, when hired and after each "
              "change."),
          own("An auditor will ask for the written policy, the signed acknowledgments and the "
              "record of sanctions actually applied. A practice that has never applied a sanction "
              "should be ready to show how a violation would be found and reported.")}},
        // 4 Information system activity review
        {"Activity Review",
         {own("Need to establish an Activity Review, (i.e. Internal audit) of the records your "
              "systems keep: the audit logs of the practice management and health record systems, "
              "access reports, failed log-ins and the security incident log. Decide who reviews "
              "them, how often (a small practice commonly reviews them monthly, and at once after "
              "a suspected incident) and what to look for: access to the records of family "
              "members, co-workers or well-known patients, access at unusual hours, many failed "
              "log-ins. Write down each review, its date, what was found and what was done; an "
              "auditor will ask for the procedure and for these review records.")}},
        // 5 Assigned security responsibility
        {"Responsibility",
         {own("The responsibility needs to rest with one individual, the security official, who "
              "develops and carries out the security policies and procedures. In a small practice "
              "this is often the practice manager or the privacy official; one person may hold "
              "both roles."),
          own("Put the designation in writing: a short memo or a page of the policy manual that "
              "names the person, the date and the duties, signed by the owner or the governing "
              "body. Tell the whole workforce who the security official is and how to reach him "
              "or her."),
          own("The security official may hand tasks to others (the computer support vendor, for "
              "example) but keeps the responsibility for them. An auditor will ask who the "
              "security official is, for the written designation, and for a description of the "
              "duties.")}},
        // 6 Authorization and/or supervision
        {"Authorization",
         {own("Authorization controls need to be established to verify that each member of the "
              "workforce who works with ePHI, or where it can be seen, has been authorized to do "
              "so, and that those who are not authorized, such as cleaning staff, repair workers "
              "or students, are supervised. Decide by job role who may use which systems, and who "
              "grants that permission."),
          own("Write down the roles, the permission given to each person, who authorized it and "
              "when. A small practice usually keeps a one-page list of staff, their roles and "
              "their system access, signed off by the security official, and a sign-in log for "
              "visitors and contractors. An auditor will ask for this list and for how the "
              "supervision of others is arranged.")}},
        // 7 Workforce clearance procedure
        {"Workforce Clearance Procedures",
         {own("Identify types of background checks and so forth that suit each job before a person "
              "is given access to ePHI: references, the verification of licenses and, where the "
              "risk of the position warrants it, a criminal background check. Write down the "
              "workforce clearance procedures, apply them in the same way to everyone in the same "
              "role, and keep a note in each personnel file that the checks were made and when. "
              "An auditor will ask for the procedure and for evidence that it was followed for "
              "recent hires.")}},
        // 8 Termination procedures
        {"Termination Procedures",
         {own("As part of your termination procedures, you will need to end a departing person's "
              "access on the last day of work or sooner: disable the user accounts and remote "
              "access, change shared passwords and door codes, and collect keys, badges, laptops "
              "and phones. Use a written checklist, signed and dated by whoever completed each "
              "step, and keep it in the personnel file; the same steps apply when a person changes "
              "jobs and no longer needs some of the access. An auditor will ask for the checklists "
              "and compare them with the dates on which the accounts were actually disabled.")}},
        // 9 Isolating health care clearinghouse functions
        {"clearinghouse",
         {rule("If a health care clearinghouse is part of a larger organization, the clearinghouse "
               "must implement policies and procedures that protect the electronic protected "
               "health information of the clearinghouse from unauthorized access by the larger "
               "organization.",
               " (45 CFR 164.308(a)(4)(ii)(A).) Most practices neither are a clearinghouse nor "
               "have one within their organization; if yours has none, write that down with the "
               "date and the reason, which is the documentation an auditor will ask for. If it "
               "has one, keep the clearinghouse's systems and staff apart from the rest of the "
               "organization, with their own accounts and access rights, and document how they "
               "are kept apart.")}},
        // 10 Access authorization
        {"Access",
         {own("Access controls should restrict user access to PHI to what each person needs for "
              "his or her job. Write a policy for granting access: who may ask for access for a "
              "new user, who approves it, and which levels of access there are (for example, the "
              "front desk sees scheduling and demographics, billing sees charges and payments, "
              "clinical staff see the whole record)."),
          own("Keep the signed requests and approvals. A small practice usually keeps one simple "
              "form per person, filed with the personnel records. An auditor will ask for the "
              "policy and for the approvals behind a sample of the current user accounts.")}},
        // 11 Access establishment and modification
        {"access",
         {own("Access controls should restrict user access to PHI, and the access given must be "
              "kept up to date. Write a procedure for setting up a user's access when he or she "
              "starts, for changing it when the job changes, and for reviewing it regularly: the "
              "security official compares the list of active accounts and their rights with the "
              "current staff list, for example every quarter."),
          own("Record each change (who asked, who approved, what was changed, the date) and each "
              "review with its findings. An auditor will ask for the procedure, the change "
              "records and the last review, and will look for accounts of people who have "
              "left.")}},
        // 12 Security reminders
        {"security reminders",
         {own("These security reminders could be part of ongoing security awareness: short notes "
              "at staff meetings, e-mails or posters about current threats (a new kind of "
              "fraudulent e-mail, for example), reminders to lock screens and to report lost "
              "devices, and a note after every change of the security policies. Keep a copy of "
              "each reminder with its date and who received it; an auditor will ask for evidence "
              "that reminders are given periodically, not only when someone is hired. A small "
              "practice often keeps them in one folder or in a log kept by the security "
              "official.")}},
        // 13 Protection from malicious software
        {"malicious software",
         {own("Need to establish procedures for guarding against, detecting, and reporting "
              "malicious software, and train the workforce in them: anti-virus software kept up to "
              "date on every computer and server, automatic updates of the operating system and "
              "the programs, care with e-mail attachments, links and downloads, no unapproved "
              "programs or USB drives, and whom to call at once when a computer behaves oddly. "
              "Write down the protection in use and how it is kept current, and keep the training "
              "records; an auditor will ask for both and may look at the update status of a few "
              "computers.")}},
        // 14 Log-in monitoring
        {"monitoring Log-in",
         {own("Need to establish procedures for monitoring log-in attempts and reporting "
              "discrepancies, and train the workforce in them. Turn on the recording of failed "
              "log-ins in your systems, lock an account after a few failed attempts, and have "
              "someone review the reports, for example weekly. Teach users to report a locked "
              "account that they did not lock themselves. Write down who does the monitoring, "
              "how often, and what was found; an auditor will ask for the procedure and for the "
              "recent review records.")}},
        // 15 Password management
        {"Passwords",
         {own("Need to establish procedures for creating, changing, and safeguarding passwords, "
              "and train the workforce in them: one password for each person and never shared, a "
              "minimum length, no passwords on notes at the desk, a change at once when a password "
              "may have been seen, and two-step sign-in where a system offers it. Passwords of "
              "shared devices and vendor accounts need an owner too. Write down the password "
              "rules and keep the training records; an auditor will ask for both and may check a "
              "system's password settings.")}},
        // 16 Response and reporting
        {"Report",
         {own("This policy should provide a way for users to report a suspected or known security "
              "incident at once, to a named person, by telephone or in person, without fear of "
              "blame. Write down how incidents are handled: stop the problem, limit the harm, find "
              "the cause, and keep a log of every incident with its date, what happened, what was "
              "done and the outcome. A small practice often uses a one-page incident report form "
              "(see the sample in the Miscellaneous window). An auditor will ask for the "
              "procedure and the incident log, minor incidents such as a lost badge or a "
              "misdirected fax included.")}},
        // 17 Data backup plan
        {"backup",
         {rule("Establish and implement procedures to create and maintain retrievable exact copies "
               "of electronic protected health information.",
               " (45 CFR 164.308(a)(7)(ii)(A).) Decide what is backed up (the practice management "
               "and health record data, scanned documents, e-mail, the files of this program), how "
               "often (a small practice typically backs up every working day) and where the copies "
               "are kept: at least one copy away from the office, or with an online backup service "
               "under a business associate contract."),
          own("Encrypt the backup media, label them, and keep a log of each backup and of who "
              "checked it. Try a restore regularly, for example every quarter: a backup that has "
              "never been restored may not work when it is needed."),
          own("An auditor will ask for the written backup procedure, the backup log and the record "
              "of the last restore test.")}},
        // 18 Disaster recovery plan
        {"Disaster recovery plan",
         {own("Primary goal of a disaster recovery plan is to restore any loss of data after a "
              "fire, flood, theft, system failure or other emergency, and to get the practice "
              "working again. The plan says who does what, the order in which systems are "
              "restored, where the backups are and how to get them, the vendors to call with "
              "their telephone numbers, and where the practice can work in the meantime. The "
              "Disaster Recovery Plan page of this program is the place to write it."),
          own("Keep a printed copy away from the office, review the plan once a year and after any "
              "change of systems or vendors, and record each review. An auditor will ask for the "
              "plan, the date of its last review and the results of its last test.")}},
        // 19 Emergency mode operation plan
        {"Emergency mode",
         {own("Establish procedures to secure ePHI while operating in emergency mode, that is, "
              "while the systems are down or the practice works from another place: how patients "
              "are seen and their information kept on paper or on a standby system, who may use "
              "it, how the paper records are kept safe, and how they are entered into the systems "
              "afterwards."),
          own("Write the emergency mode operation plan as part of the contingency plan, tell the "
              "workforce where it is, and review it together with the disaster recovery plan. An "
              "auditor will ask for the plan and for how the workforce was told about it.")}},
        // 20 Testing and revision procedures
        {"Testing and revision",
         {rule("Implement procedures for periodic testing and revision of contingency plans.",
               " (45 CFR 164.308(a)(7)(ii)(D).) A small practice can test its plans once a year "
               "at a table: walk through a scenario (the server fails on a Monday morning; the "
               "office floods overnight) with the staff who would act, and restore a backup to a "
               "spare computer."),
          own("Write down each test: the date, who took part, what worked, what did not, and what "
              "was changed in the plans afterwards. An auditor will ask for these records of "
              "testing and revision, and for the reason if no test is made.")}},
        // 21 Applications and data criticality analysis
        {"criticality",
         {rule("Assess the relative criticality of specific applications and data in support of "
               "other contingency plan components.",
               " (45 CFR 164.308(a)(7)(ii)(E).) List each system and the data it holds, and decide "
               "how long the practice can work without it: scheduling and the health record are "
               "usually needed within hours, billing within days, archives later."),
          own("The ranking gives the order of restoration in the disaster recovery plan. Write it "
              "down and review it when systems change; an auditor will ask for the list and how "
              "the plans use it.")}},
        // 22 Evaluation
        {"Evaluation",
         {own("This evaluation would include periodic review of technical and nontechnical "
              "safeguards: are the policies still right for the practice, are they followed, and "
              "do the technical settings (passwords, logging, encryption, backups) work as "
              "intended? Make it once a year and after major changes such as a new health record "
              "system, a move or a merger. A small practice can make the evaluation itself with a "
              "checklist (the status overview of this program is a good start) or have an outside "
              "reviewer make it. Keep the written evaluation with its date, findings and the "
              "actions taken; an auditor will ask for the latest one.")}},
        // 23 Written contract or other arrangement
        {"business associates",
         {own("You should identify all business associates who receive, create, maintain or "
              "transmit ePHI for the practice: billing services, computer support vendors, online "
              "backup and hosting services, transcription services, shredding companies, and "
              "attorneys and accountants who see patient data. Keep a list with the contact, the "
              "service and the date of the contract."),
          own("Have a written contract or other arrangement with each of them that meets the "
              "requirements of 45 CFR 164.314(a) before they receive ePHI, and keep the signed "
              "copies. An auditor will ask for the list and the signed contracts, and will check "
              "that every vendor who handles ePHI is on the list.")}},
        // 24 Contingency operations
        {"contingency",
         {own("Each contingency needs to specify such things as:"),
          item("    who may enter the facility during an emergency, and who authorizes it;"),
          item("    how those persons are identified and how their entry is recorded;"),
          item("    where the keys, codes and access cards for an emergency are kept;"),
          item("    which rooms must be entered to restore the systems and the data;"),
          item("    whom to call (the building owner, the alarm company, the computer support "
               "vendor);"),
          item("    how the premises are secured again afterwards."),
          own("Write these procedures down as part of the contingency plan, review them with the "
              "disaster recovery plan, and record each use in an emergency or a test. An auditor "
              "will ask for the procedures and for who holds the emergency access.")}},
        // 25 Facility security plan
        {"facility and the equipment",
         {own("Entity should implement policies and procedures to safeguard the facility and the "
              "equipment in it against unauthorized physical access, tampering and theft: locked "
              "doors to the rooms with computers and records, a locked server closet, an alarm, "
              "visitor sign-in, cable locks for workstations in public areas, and keys and codes "
              "given out only with the security official's approval. Write the facility security "
              "plan, keep a list of who holds keys and codes, and keep the visitor log; an auditor "
              "will walk through the office and ask for these documents.")}},
        // 26 Access control and validation procedures
        {"access",
         {own("May want to use card swipe or proximity cards, keypads or keys to control and "
              "validate a person's access to the rooms where ePHI is kept, according to his or her "
              "role: staff by role, visitors signed in and accompanied, vendors by appointment "
              "only. Control the access to software programs for testing and revision in the same "
              "way: only named staff or vendors may install or change programs."),
          own("Write down who may enter which room, and keep the visitor log, the list of cards, "
              "keys and codes given out, and the procedure for cancelling them. An auditor will "
              "ask for these records and may check that former staff no longer have access.")}},
        // 27 Maintenance records
        {"maintenance records",
         {own("This would include such items are maintenance records of repairs and changes to the "
              "physical parts of the facility that concern security: new locks or keys, changed "
              "door codes, repaired doors, windows and walls, work on the alarm. Keep a simple log "
              "with the date, what was done, by whom and why; a small practice often keeps it in "
              "the same binder as the facility security plan. An auditor will ask for the "
              "maintenance records.")}},
        // 28 Workstation use
        {"Workstation Use",
         {own("May possibly be able to address both Workstation Use and Workstation Security in one "
              "policy. For workstation use, say what each kind of workstation may be used for, how "
              "(lock the screen or log off when leaving, no patient data on personal devices, no "
              "private programs) and where it stands: screens at the front desk turned away from "
              "patients and visitors."),
          own("Have the workforce sign the policy, and review it when workstations or the layout of "
              "the office change. An auditor will ask for the policy and will look at the screens "
              "in public areas.")}},
        // 29 Workstation security
        {"Workstation Security",
         {own("May possibly be able to address both Workstation Use and Workstation Security in one "
              "policy. For workstation security, put in place the physical safeguards that keep "
              "unauthorized persons away from every workstation that can reach ePHI, laptops, "
              "tablets and phones included."),
          own("Examples are computers in rooms that can be locked, cable locks, privacy screens, "
              "laptops locked away overnight, and screens that lock themselves after a few "
              "minutes."),
          own("Keep a list of the workstations, where they are and how each is protected. An "
              "auditor will ask for the policy and the list, and will look at the workstations "
              "themselves.")}},
        // 30 Disposal
        {"disposal",
         {own("Policy should detail how to dispose or disposal of ePHI and of the computers, disks, "
              "copiers, phones and other media that hold it: wipe the media with a recognized "
              "method, or have them destroyed by a vendor who gives a certificate of destruction. "
              "Paper records with patient information are shredded."),
          own("Keep a log of each disposal: the item, its serial number, the method, the date and "
              "who did it, with the vendor's certificates. An auditor will ask for the policy and "
              "the log, and may ask what became of the last computer the practice replaced.")}},
        // 31 Media re-use
        {"media re-use",
         {own("Concerning media re-use, be aware that a low-level format or deleting the files does "
              "not always remove ePHI: the data can often be recovered with freely available "
              "tools. Before a disk, USB drive, backup tape or computer is given to another user, "
              "returned to a vendor or sold, the ePHI on it must be removed with a program that "
              "overwrites the whole medium."),
          own("Copiers, printers and fax machines with disks of their own need the same care when "
              "their lease ends."),
          own("Write a procedure that says who wipes the media, with which tool, and how the result "
              "is checked."),
          own("Keep a log of each medium wiped before re-use. An auditor will ask for the procedure "
              "and the log.")}},
        // 32 Accountability
        {"Accountability",
         {own("Accountability means a covered entity should maintain a record of the movements of "
              "the hardware and electronic media that hold ePHI, and of the person responsible for "
              "each: when a laptop is given to a physician, when a server goes out for repair, "
              "when backup disks go off site. A small practice usually keeps an equipment list "
              "with a column for the person responsible, and a sign-out sheet. An auditor will ask "
              "for the list and the records of the movements.")}},
        // 33 Data backup and storage
        {"create",
         {rule("Create a retrievable, exact copy of electronic protected health information, when "
               "needed, before movement of equipment.",
               " (45 CFR 164.310(d)(2)(iv).) Before a computer or server is moved, repaired or "
               "replaced, make sure its data are in the regular backup or copied separately, and "
               "check that the copy can be read."),
          own("Add this step to the checklists for moves and repairs, and note the copy in the "
              "record of the equipment's movements. An auditor will ask for the procedure and for "
              "the record of the last move.")}},
        // 34 Unique user identification
        {"unique name",
         {own("Must assign a unique name and/or number for identifying and tracking the identity "
              "of every person who uses a system with ePHI. Shared or general accounts (\"front "
              "desk\", \"nurse\") make it impossible to know who did what, and must give way to "
              "personal ones. Keep the list of user names and the person each belongs to, and "
              "disable the accounts of people who leave. An auditor will ask for the list and "
              "will look for shared accounts in the systems.")}},
        // 35 Emergency access procedure
        {"obtaining necessary ePHI during an emergency",
         {own("A covered entity must establish and implement as needed procedures for obtaining "
              "necessary ePHI during an emergency, for example when the normal sign-in does not "
              "work or the person who usually has access is away: a sealed emergency account, the "
              "persons who may use it, and a record of each use. Try the procedure when the "
              "contingency plan is tested. An auditor will ask for the procedure and for the "
              "record of its use.")}},
        // 36 Automatic logoff
        {"electronic procedures",
         {own("A covered entity should implement electronic procedures that end a session after a "
              "set time without activity: the screen locks or the user is logged off after a few "
              "minutes, sooner in public areas, set in each system and on each workstation. Write "
              "down the times chosen and why; where a system cannot log off by itself, record the "
              "other measures used instead. An auditor will ask for the settings and may try a "
              "workstation.")}},
        // 37 Encryption and decryption
        {"encrypt and decrypt",
         {rule("Implement a mechanism to encrypt and decrypt electronic protected health "
               "information.",
               " (45 CFR 164.312(a)(2)(iv).) Encrypt the disks of laptops, tablets, phones and "
               "USB drives that hold ePHI, and consider it for desktop computers and servers too; "
               "current operating systems include the means to do so."),
          own("Record which devices are encrypted and how the keys are kept. If you decide not to "
              "encrypt a device, write down why and what protects it instead. An auditor will ask "
              "for this list.")}},
        // 38 Audit controls
        {"Audit",
         {own("Randomly select users for audits."),
          item("Review the access of staff to the records of co-workers and their families."),
          item("Review the access to the records of well-known patients."),
          item("Look for log-ins at unusual hours or from unusual places."),
          item("Look for many failed log-in attempts."),
          item("Check that the recording of activity is turned on in every system that holds "
               "ePHI."),
          item("Keep the records of activity long enough to review them (six years is a safe "
               "choice)."),
          item("Write down every audit, its findings and the actions taken."),
          own("An auditor will ask which systems record activity, how those records are protected "
              "against change, and for the records of your own audits.")}},
        // 39 Mechanism to authenticate electronic protected health information
        {"integrity",
         {own("Need to document any integrity controls that will show that ePHI has not been "
              "altered or destroyed without authorization: the audit trails of the health record "
              "system, check sums or digital signatures where a system offers them, and the "
              "backups against which data can be compared. Say which of these each system uses, or "
              "why none is needed. An auditor will ask for this description of the integrity "
              "protection.")}},
        // 40 Person or entity authentication
        {"Person or entity authentication",
         {own("Person or entity authentication is usually accomplished through something the person "
              "knows (a password or PIN), has (a card, a token, a phone) or is (a fingerprint). "
              "Every system with ePHI must check that whoever signs in is the one claimed; two-step "
              "sign-in is advisable for access from outside the office and for e-mail."),
          own("Write down the method each system uses. An auditor will ask for the description and "
              "may ask how users sign in from outside the office.")}},
        // 41 Integrity controls
        {"integrity controls",
         {own("Part of our integrity controls, make sure that ePHI sent over a network cannot be "
              "changed on the way without the change being detected: use secure connections "
              "(encrypted web sites, a secure e-mail service, a virtual private network), which "
              "detect tampering. Write down what each kind of transmission uses, and why where a "
              "measure is not used. An auditor will ask for this description of your integrity "
              "controls.")}},
        // 42 Encryption
        {"Encrypt",
         {own("A covered entity should implement a mechanism to encrypt ePHI whenever it is sent "
              "over a network and encryption is deemed appropriate: encrypted e-mail or a patient "
              "portal instead of plain e-mail, secure file transfer to the billing service, "
              "encrypted wireless networks. Write down which transmissions are encrypted and, for "
              "those that are not, why and what protects them. An auditor will ask for this "
              "description and for the risk analysis behind it.")}},
        // 43 Organizational requirements (overview)
        {"", {own("Not applicable at this time.")}},
        // 44 Business associate contracts or other arrangements
        {"business associate",
         {own("The covered entity must obtain satisfactory assurances from each business associate "
              "that it will appropriately safeguard the ePHI it handles for the practice, in a "
              "written contract or other arrangement. The contract must require the business "
              "associate to put safeguards in place, to make sure that its agents and "
              "subcontractors do the same, to report security incidents to the practice, and to "
              "let the practice end the contract if the business associate breaks it."),
          own("Keep the signed contracts with the list of business associates, and review them when "
              "a service changes. If you learn that a business associate is breaking its contract, "
              "act on it and write down what you did. An auditor will ask for the contracts.")}},
        // 45 Requirements for group health plans
        {"Group health plans",
         {rule("Requirements for group health plans. Except when the only electronic protected "
               "health information disclosed to a plan sponsor is disclosed pursuant to \u00A7 "
               "164.504(f)(1)(ii) or (iii), or as authorized under \u00A7 164.508, a group health "
               "plan must ensure that its plan documents provide that the plan sponsor will "
               "reasonably and appropriately safeguard electronic protected health information "
               "created, received, maintained, or transmitted to or by the plan sponsor on behalf "
               "of the group health plan.",
               " (45 CFR 164.314(b)(1).) This concerns a group health plan and its sponsor only; a "
               "practice that offers its employees a group health plan should have the plan "
               "documents checked with the plan's administrator, and keep the amended documents "
               "and the administrator's confirmation, which an auditor of the plan will ask "
               "for.")}},
    };
    return rows[k - 1];
}

constexpr std::string_view LineBreak = "\r\n";

}  // namespace

std::string addressableExplanationText() {
    std::string s;
    for (std::size_t i = 0; i < AddressableExplanation.size(); ++i) {
        if (i) s += LineBreak;
        s += AddressableExplanation[i];
    }
    return s;
}

AdditionalInfo additionalInfo(int k) {
    AdditionalInfo out;
    if (!isSpecNumber(k)) return out;
    // The two policies and documentation entries share one shipped document.
    if (k == 46 || k == 47) {
        out.fileName = AdditionalInfoFile;
        return out;
    }
    const Row& r = row(k);
    out.explanation = entry(k).mark == 'A';
    out.paragraphs.assign(r.paragraphs.begin(), r.paragraphs.end());
    out.keyword = r.keyword;
    out.hasKeyword = !r.keyword.empty();
    return out;
}

ComposedPage composeAdditionalInfo(int k) {
    const AdditionalInfo info = additionalInfo(k);
    if (!info.fileName.empty()) return {};
    PageBuilder page;
    page.add(AdditionalInfoHeader);
    page.add(LineBreak);
    page.add(LineBreak);
    if (info.explanation) {
        page.add(addressableExplanationText());
        page.add(LineBreak);
        page.add(LineBreak);
    }
    bool first = true;
    for (const GuidanceParagraph& p : info.paragraphs) {
        if (!first) {
            page.add(LineBreak);
            if (!p.listItem) page.add(LineBreak);
        }
        first = false;
        page.addQuoted(p.quoted);
        page.add(p.text);
    }
    return page.finish();
}

}  // namespace catalogue
