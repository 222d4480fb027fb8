// The worksheet titles: the names the user gave the 21 risk-analysis worksheet buttons, kept
// in RAList.Fil as fixed 20-byte records, record r (1-21) for button r - 1, each one
// StringRecord of the text exactly as typed (at most 18 characters fit). A record never
// written, or no file at all, means the button shows its default title.
#pragma once

#include "catalogue/Catalogue.h"
#include "platform/Files.h"

#include <QString>
#include <array>

namespace workbook {

inline const QString WorksheetTitleFile = QStringLiteral("RAList.Fil");
constexpr int WorksheetCount = catalogue::WorksheetCount;
constexpr int WorksheetTitleRecordLength = 20;
// What one record holds of a title.
constexpr int WorksheetTitleMaxLength = WorksheetTitleRecordLength - 2;
// The file holds 21 records of 20 bytes; it is read with room to spare, never whole whatever
// its size.
constexpr qint64 MaxWorksheetTitleFileBytes = 4096;

using WorksheetTitleTexts = std::array<QString, WorksheetCount>;

// "Risk Analysis # 1" .. "Risk Analysis # 9", "Risk Analysis #10" .. "Risk Analysis #21";
// empty outside 0..20.
QString defaultWorksheetTitle(int button);

struct StoredWorksheetTitles {
    platform::ReadStatus status = platform::ReadStatus::Missing;
    WorksheetTitleTexts texts;  // as stored; empty where nothing is stored
    bool tooLarge = false;      // Unreadable because it is larger than MaxWorksheetTitleFileBytes
    // The title button n shows: its stored text as stored, or its default title.
    QString shown(int button) const;
};

// Reads every stored title. A missing or unreadable file gives no stored titles (and says
// which in status); the file is never created by reading.
StoredWorksheetTitles readWorksheetTitles();

struct WorksheetTitlesWrite {
    bool ok = false;               // the file holds the new titles
    bool notDurable = false;       // ok, but the disk did not make them durable: they may not
                                   // survive a power loss (reason says why)
    QString reason;                // why the titles were not stored
    WorksheetTitleTexts stored;    // what each record holds now, as the next start reads it
    std::array<bool, WorksheetCount> changed{};  // the buttons whose record was written
};

// Stores the new titles: each text that holds more than blanks replaces its button's record
// (cut to what a record holds); an empty or blank text leaves the stored title as it was. The
// whole file is written at once, so on any failure every record keeps its previous bytes.
WorksheetTitlesWrite writeWorksheetTitles(const WorksheetTitleTexts& typed);

}  // namespace workbook
