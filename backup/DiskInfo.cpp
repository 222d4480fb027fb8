#include "backup/DiskInfo.h"

#include "platform/Files.h"

#include <climits>

namespace backup {

using platform::findName;
using platform::withSlash;

QString diskNumberText(int number) {
    return number < 0 ? platform::numberToText(number) : QStringLiteral(" ") + platform::numberToText(number);
}

int diskNumberValue(const QString& text) {
    const long long v = platform::textToNumber(text);
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v);
}

DiskInfo readDiskInfo(const QString& folder) {
    DiskInfo info;
    const QString name = findName(platform::filesIn(folder), DiskInfoFileName);
    if (name.isEmpty()) return info;
    const platform::ReadResult read = platform::readWholeFile(withSlash(folder) + name, MaxDiskInfoBytes);
    info.status = read.status;
    if (!read.ok()) return info;
    auto record = [&read](int n) {
        return platform::decodeStringRecord(read.bytes.mid(qsizetype(n - 1) * DiskInfoRecordLength, DiskInfoRecordLength));
    };
    QString signature = record(DiskInfoRecord::Signature);
    while (signature.startsWith(QLatin1Char(' '))) signature.remove(0, 1);
    info.signature = signature;
    info.diskNumber = diskNumberValue(record(DiskInfoRecord::DiskNumber));
    info.nextDiskNumber = diskNumberValue(record(DiskInfoRecord::NextDiskNumber));
    info.lastFileIndex = diskNumberValue(record(DiskInfoRecord::LastFileIndex));
    info.setIdentity = record(DiskInfoRecord::SetIdentity).trimmed();
    return info;
}

QByteArray diskInfoRecordBytes(const QString& text) {
    return platform::encodeStringRecord(text, DiskInfoRecordLength);
}

QByteArray newDiskInfoBytes() {
    QByteArray bytes(DiskInfoRecordLength * DiskInfoRecordCount, '\0');
    bytes.replace(0, DiskInfoRecordLength, diskInfoRecordBytes(DiskSignature));
    bytes.replace((DiskInfoRecord::EndMark - 1) * DiskInfoRecordLength, DiskInfoRecordLength,
                  diskInfoRecordBytes(DiskInfoEndMark));
    return bytes;
}

}  // namespace backup
