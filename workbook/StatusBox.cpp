// The status box Combo1 of the editor panel over the status store Stat1.Fil, and the
// messages a status choice shows.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "workbook/StatusStore.h"

using namespace platform;
using workbook::StatusStore;

namespace {

const QString NotImplementedWarning = QStringLiteral(
    "If this safeguard is not being implemented, be sure and\r"
    "document in the Action Taken or Comments/Notes\r"
    "area why it is not being implemented!");

const QString ComplianceTerms = QStringLiteral(
    "Explanation of Compliance Status Terms:\r"
    "\r"
    "Yes - Actions, policies and or software tools, etc. have been put in \r"
    "         place to bring this risk into reasonable compliance with the rule.\r"
    "\r"
    "No  - This risk is not currently in reasonable compliance with the rule.\r"
    "\r"
    "Partial - Actions, policies and or software tools, etc. have been put in place     \r"
    "             to partially bring this risk into reasonable compliance with the rule.\r"
    "\r"
    "Planned - Actions, etc. are being planned to be implemented in the future\r"
    "                to bring this risk into reasonable compliance with the rule.");

const QString StatusNotStored = QStringLiteral(
    "The status could not be stored in Stat1.Fil.\r"
    "The previous status is kept. Please check that the program folder can be written to.");

const QString StatusNotDurable = QStringLiteral(
    "The status is in Stat1.Fil, but it may not survive a power loss.\r"
    "The disk did not confirm it. Please check the disk the program folder is on.");

}  // namespace

void WorkArea1::ReadStatusStore(int firstRecord, int lastRecord) { StatusStore::read(SpecStatus, firstRecord, lastRecord); }

// The file first, then the array: SpecStatus never holds a status that is not in the file.
// A record in the file whose sync failed is in the array too, since every read gives it.
platform::WriteOutcome WorkArea1::WriteStatusRecord(int record, const QString& text) {
    platform::WriteOutcome outcome = platform::WriteOutcome::Failed;
    if (!StatusStore::write(record, text, &outcome) && outcome != platform::WriteOutcome::NotDurable) return outcome;
    SpecStatus[std::size_t(record)] = text;
    return outcome;
}

void WorkArea1::ReportStatusNotStored() {
    msgBox(StatusNotStored, Msg::Critical | Msg::OKOnly, QStringLiteral("Status Not Stored"));
}

bool WorkArea1::StatusWritten(platform::WriteOutcome outcome) {
    switch (outcome) {
    case platform::WriteOutcome::Done: return true;
    case platform::WriteOutcome::NotDurable:
        msgBox(StatusNotDurable, Msg::Exclamation | Msg::OKOnly, QStringLiteral("Status Not Confirmed"));
        return true;
    case platform::WriteOutcome::Failed: break;
    }
    ReportStatusNotStored();
    return false;
}

void WorkArea1::Combo1_Click() {
    // The recovery plan and the sample keep no status.
    if (AreaMode >= catalogue::PageRecoveryPlan) return;
    const int s = StatusStore::recordFor(AreaMode, SpecIndex);
    if (s == catalogue::NoNumber) return;
    const QString chosen = Combo1.text();
    const platform::WriteOutcome written = WriteStatusRecord(s, chosen);
    if (written == platform::WriteOutcome::Failed) Combo1.setText(SpecStatus[std::size_t(s)]);
    doEvents();
    Combo1.setLocked(true);
    if (StatusWritten(written) && chosen.trimmed() == QLatin1String("Not Implemented")) {
        // The status is stored before the warning, so the warning never undoes it.
        msgBox(NotImplementedWarning, Msg::Critical | Msg::OKOnly, QStringLiteral("Safeguard Not Being Implemented"));
    }
    HourglassOff();
}

// Opening the list changes nothing: the box stays read-only, so a status can only be chosen
// from the list, also when the list closes without a pick.
void WorkArea1::Combo1_DropDown() { Combo1.setLocked(true); }

void WorkArea1::SSCommand22_Click() {
    WorkText = ComplianceTerms;
    msgBox(WorkText, Msg::Information | Msg::OKOnly, QStringLiteral("Compliance Status Terms"));
}
