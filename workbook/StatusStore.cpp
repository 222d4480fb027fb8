#include "workbook/StatusStore.h"

#include "catalogue/Catalogue.h"
#include "platform/Files.h"

namespace workbook {

void StatusStore::read(Statuses& statuses, int firstRecord, int lastRecord) {
    platform::RecordFile store;
    const bool open = store.open(StatusFile, StatusRecordLength);
    for (int n = firstRecord; n <= lastRecord; ++n) statuses[std::size_t(n)] = open ? store.readString(n) : QString();
    store.close();
}

bool StatusStore::write(int record, const QString& text, platform::WriteOutcome* outcome) {
    return platform::writeStringRecord(StatusFile, StatusRecordLength, record, text, outcome);
}

int StatusStore::recordFor(int areaMode, int specIndex) {
    if (areaMode < catalogue::PageAdministrative || areaMode > catalogue::PageWorksheets) return catalogue::NoNumber;
    return catalogue::statusNumber(areaMode, specIndex);
}

}  // namespace workbook
