// The status store Stat1.Fil: one 20-byte StringRecord per specification (records 1-47, by
// SpecNumber) and per risk-analysis worksheet (records 48-68), holding the status text the
// user chose. It shows no message; the windows tell the user when a write failed.
#pragma once

#include "platform/Files.h"

#include <QString>
#include <array>

namespace workbook {

inline const QString StatusFile = QStringLiteral("Stat1.Fil");
inline constexpr int StatusRecordLength = 20;

class StatusStore {
public:
    // One status per StatusNumber (0, 69 and 70 unused).
    using Statuses = std::array<QString, 71>;

    // Records firstRecord..lastRecord into statuses; a record never written, or no file at
    // all, reads as the empty string.
    static void read(Statuses& statuses, int firstRecord, int lastRecord);
    // Writes one record; false when the file could not be written (the old record is then as
    // it was) or when the record is in the file but its sync failed (*outcome NotDurable).
    static bool write(int record, const QString& text, platform::WriteOutcome* outcome = nullptr);
    // The record the status box writes on a page: the entry's SpecNumber on the catalogue
    // pages, 48 + the worksheet on the worksheet page, none (catalogue::NoNumber) elsewhere.
    static int recordFor(int areaMode, int specIndex);
};

}  // namespace workbook
