#include "timeline/ToDoFiles.h"

#include "platform/Files.h"

namespace timeline {

namespace {

// The grid columns stored for each row, in the file's order; the spacer is written empty.
constexpr int StoredColumns[5] = {ColItem, ColToDoDate, ColActualDate, ColSpacer, ColNextReview};

}  // namespace

ToDoListLoad readToDoList(const QString& file) {
    ToDoListLoad result;
    const platform::QuotedLinesResult read = platform::readQuotedLines(file, MaxToDoListBytes);
    result.outcome = read.status;
    result.tooLarge = read.tooLarge;
    if (result.outcome != platform::ReadStatus::Ok) return result;
    const QStringList& values = read.values;
    qsizetype next = 0;
    for (int r = 1; r <= ToDoRowCount && next < values.size(); ++r) {
        for (int col : StoredColumns) {
            if (next < values.size()) {
                const QString& value = values.at(next);
                if (col != ColSpacer) result.list.setCell(r, col, value);
            }
            ++next;
        }
        result.rowsRead = r;
    }
    return result;
}

QByteArray encodeToDoList(const ToDoList& list) {
    QByteArray bytes;
    bytes.reserve(ToDoRowCount * 5 * 8);
    for (int r = 1; r <= ToDoRowCount; ++r)
        for (int col : StoredColumns) bytes += platform::encodeQuotedLine(list.cell(r, col));
    return bytes;
}

bool writeToDoList(const ToDoList& list, QString* reason, const QString& file, platform::WriteOutcome* outcome) {
    return platform::writeWholeFile(file, encodeToDoList(list), reason, outcome);
}

ToDoNamesLoad readToDoNames(const QString& file) {
    ToDoNamesLoad result;
    const platform::QuotedLinesResult read = platform::readQuotedLines(file, MaxToDoNameBytes);
    result.outcome = read.status;
    result.tooLarge = read.tooLarge;
    if (result.outcome != platform::ReadStatus::Ok) return result;
    QStringList names;
    for (const QString& value : read.values) {
        if (names.size() >= MaxToDoNames) break;
        names.append(value.trimmed());
    }
    result.names = ToDoNameList(std::move(names));
    return result;
}

bool writeToDoNames(const ToDoNameList& names, QString* reason, const QString& file, platform::WriteOutcome* outcome) {
    return platform::writeQuotedLines(file, names.names(), reason, outcome);
}

}  // namespace timeline
