// The two files of the project timeline, in the program folder, read and written whole:
//
//   TODOActv.FIL  the to-do list: for each of the 500 rows in order, five QuotedLines (item,
//                 to-do date, actual date, an always empty line, next review date); no header,
//                 count or trailer. Empty rows are written too, so an empty list is 2,500
//                 lines of "" (10,000 bytes).
//   TODONAME.FIL  the item names: one QuotedLine per name, in list order; blanks around a
//                 name are dropped when it is read.
//
// A QuotedLine is a double quote, the 8-bit text, a double quote, CR LF. Older copies of the
// program and backups read these files by these names and in this layout.
#pragma once

#include "platform/Files.h"
#include "timeline/ToDoList.h"
#include "timeline/ToDoNames.h"

#include <QByteArray>
#include <QString>

namespace timeline {

inline const QString ToDoGridFile = QStringLiteral("TODOActv.FIL");
inline const QString ToDoNameFile = QStringLiteral("TODONAME.FIL");
// The most either file is read with: far more than 500 rows or 1000 names of typed text take.
inline constexpr qint64 MaxToDoListBytes = 2 * 1024 * 1024;
inline constexpr qint64 MaxToDoNameBytes = 256 * 1024;

struct ToDoListLoad {
    // Ok: the file was read. Missing: there is no such file yet (a first run), nothing to lose.
    // Unreadable: the file is there but could not be read; it must not be replaced unasked.
    platform::ReadStatus outcome = platform::ReadStatus::Missing;
    ToDoList list;  // empty unless loaded
    int rowsRead = 0;
    bool tooLarge = false;  // Unreadable because it is larger than MaxToDoListBytes
};

// The list as the file holds it. Rows 1..500 are filled from the file in order; the rows the
// file does not reach are empty, and so are the cells of a row the file cuts short. Lines
// after the 500th row are not read.
ToDoListLoad readToDoList(const QString& file = ToDoGridFile);
// The file's bytes for a list: 2,500 QuotedLines.
QByteArray encodeToDoList(const ToDoList& list);
// Writes the whole list at once, safely: the old file stays as it was unless the new one was
// written completely. False, with a short reason, when it failed; *outcome (see
// platform::WriteOutcome) tells a new file in place but not durable from one that failed.
bool writeToDoList(const ToDoList& list, QString* reason = nullptr, const QString& file = ToDoGridFile,
                   platform::WriteOutcome* outcome = nullptr);

struct ToDoNamesLoad {
    platform::ReadStatus outcome = platform::ReadStatus::Missing;
    ToDoNameList names;  // empty unless loaded
    bool tooLarge = false;  // Unreadable because it is larger than MaxToDoNameBytes
};

// The names as the file holds them, trimmed, at most 1000.
ToDoNamesLoad readToDoNames(const QString& file = ToDoNameFile);
// Writes every name of the list, whole and safely as above.
bool writeToDoNames(const ToDoNameList& names, QString* reason = nullptr, const QString& file = ToDoNameFile,
                    platform::WriteOutcome* outcome = nullptr);

}  // namespace timeline
