// DiskInfo.bk1, the disk-information record of a backup disk: fixed 30-byte records, each a
// StringRecord (2-byte little-endian length, then at most 28 characters):
//   1  "HIPAA"                          the signature
//   2  this disk's number (" 1", " 2")  written last, when the disk is complete
//   3  the next disk's number           on a disk that filled; a following disk's own number
//   4  the index of the last numbered user file on this disk; " 162" on the last disk
//   5  the identity of the backup set   the same on every disk of one backup
//   6  "T1"
// Numbers are stored as their digits with a leading blank ("-1" for minus one).
#pragma once

#include "platform/Files.h"

#include <QByteArray>
#include <QString>

namespace backup {

inline const QString DiskInfoFileName = QStringLiteral("DiskInfo.bk1");
inline constexpr int DiskInfoRecordLength = 30;
inline constexpr int DiskInfoRecordCount = 6;
inline const QString DiskSignature = QStringLiteral("HIPAA");
inline const QString DiskInfoEndMark = QStringLiteral("T1");
// The record holds six records of 30 bytes; it is read with room to spare, never whole
// whatever its size: a larger file of that name is no disk record.
inline constexpr qint64 MaxDiskInfoBytes = 4096;

namespace DiskInfoRecord {
constexpr int Signature = 1;
constexpr int DiskNumber = 2;
constexpr int NextDiskNumber = 3;
constexpr int LastFileIndex = 4;
constexpr int SetIdentity = 5;
constexpr int EndMark = 6;
}  // namespace DiskInfoRecord

struct DiskInfo {
    platform::ReadStatus status = platform::ReadStatus::Missing;
    QString signature;      // record 1, leading blanks removed
    int diskNumber = 0;     // record 2
    int nextDiskNumber = 0; // record 3
    int lastFileIndex = 0;  // record 4
    QString setIdentity;    // record 5 (empty on sets written before it was kept)

    bool hasSignature() const { return signature == DiskSignature; }
};

// A number as the record stores it: " 1", " 162", "-1".
QString diskNumberText(int number);
// The numeric value of a record's text: its leading digits, blanks skipped; empty reads 0.
int diskNumberValue(const QString& text);

// Reads DiskInfo.bk1 of a folder (any letter case) without ever creating it. A missing file
// or record reads as empty text and 0.
DiskInfo readDiskInfo(const QString& folder);
// The record file as a new disk gets it: records 1 and 6 only, so that until the disk is
// complete its number reads 0 and no restore takes it for a finished disk.
QByteArray newDiskInfoBytes();
// One record's bytes, to be written in place at (record - 1) x 30.
QByteArray diskInfoRecordBytes(const QString& text);

}  // namespace backup
