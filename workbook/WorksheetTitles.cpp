#include "workbook/WorksheetTitles.h"

namespace workbook {

using namespace platform;

QString defaultWorksheetTitle(int button) {
    if (button < 0 || button >= WorksheetCount) return {};
    const int number = button + 1;
    return QStringLiteral("Risk Analysis #") + (number < 10 ? QStringLiteral(" ") : QString()) +
           numberToText(number);
}

QString StoredWorksheetTitles::shown(int button) const {
    if (button < 0 || button >= WorksheetCount) return {};
    const QString& t = texts[std::size_t(button)];
    return t.isEmpty() ? defaultWorksheetTitle(button) : t;
}

namespace {

WorksheetTitleTexts decodeTitles(const QByteArray& bytes) {
    WorksheetTitleTexts out;
    for (int n = 0; n < WorksheetCount; ++n)
        out[std::size_t(n)] = decodeStringRecord(bytes.mid(qsizetype(n) * WorksheetTitleRecordLength, WorksheetTitleRecordLength));
    return out;
}

}  // namespace

StoredWorksheetTitles readWorksheetTitles() {
    StoredWorksheetTitles t;
    const ReadResult r = readWholeFile(WorksheetTitleFile, MaxWorksheetTitleFileBytes);
    t.status = r.status;
    t.tooLarge = r.tooLarge;
    if (r.ok()) t.texts = decodeTitles(r.bytes);
    return t;
}

WorksheetTitlesWrite writeWorksheetTitles(const WorksheetTitleTexts& typed) {
    WorksheetTitlesWrite w;
    const ReadResult r = readWholeFile(WorksheetTitleFile, MaxWorksheetTitleFileBytes);
    if (r.status == ReadStatus::Unreadable) {
        w.reason = r.tooLarge ? QStringLiteral("%1 is larger than any list of worksheet titles and has been left as it is.")
                                    .arg(WorksheetTitleFile)
                              : QStringLiteral("%1 could not be read.").arg(WorksheetTitleFile);
        return w;
    }
    QByteArray bytes = r.ok() ? r.bytes : QByteArray();
    const qsizetype needed = qsizetype(WorksheetCount) * WorksheetTitleRecordLength;
    if (bytes.size() < needed) bytes.append(QByteArray(needed - bytes.size(), '\0'));
    bool any = false;
    for (int n = 0; n < WorksheetCount; ++n) {
        const QString& text = typed[std::size_t(n)];
        if (text.trimmed().isEmpty()) continue;
        bytes.replace(qsizetype(n) * WorksheetTitleRecordLength, WorksheetTitleRecordLength,
                      encodeStringRecord(text, WorksheetTitleRecordLength));
        w.changed[std::size_t(n)] = true;
        any = true;
    }
    WriteOutcome outcome = WriteOutcome::Done;
    if (any && !writeWholeFile(WorksheetTitleFile, bytes, &w.reason, &outcome) && outcome != WriteOutcome::NotDurable) {
        w.changed = {};
        w.stored = r.ok() ? decodeTitles(r.bytes) : WorksheetTitleTexts();
        if (w.reason.isEmpty()) w.reason = QStringLiteral("%1 could not be written.").arg(WorksheetTitleFile);
        return w;
    }
    w.ok = true;
    w.notDurable = outcome == WriteOutcome::NotDurable;
    if (!w.notDurable) w.reason.clear();
    w.stored = decodeTitles(bytes);
    return w;
}

}  // namespace workbook
