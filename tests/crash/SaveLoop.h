// What the save loop writes and the crash test checks: every version of every file is known
// from its number alone, so a file can be told to be a complete version or not.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>

namespace saveloop {

// Documents of different sizes: one write, a few writes, many writes.
constexpr int DocumentCount = 5;
constexpr const char* DocumentNames[DocumentCount] = {"Action0.Fil", "Comment5.Fil", "Wksht3.Fil",
                                                      "DRPln1.Fil", "Policy46.Fil"};
constexpr int DocumentSizes[DocumentCount] = {300, 5000, 20000, 70000, 260000};
constexpr const char* StatusFileName = "Stat1.Fil";
constexpr int StatusRecordLength = 20;
constexpr int StatusRecords = 68;

// Version v (1, 2, ...) of document d; version 0 is "no file yet".
inline QByteArray documentBytes(int d, int v) {
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + QByteArray(DocumentNames[d]) +
                     " version " + QByteArray::number(v) + "\\par ";
    const int size = DocumentSizes[d] + (v * 37) % 1000;  // each version a little longer or shorter
    unsigned x = unsigned(d * 7919 + v * 104729 + 1);
    while (out.size() < size) {
        x = x * 1103515245u + 12345u;
        out.append(char('a' + (x >> 16) % 26));
        if ((x >> 8) % 11 == 0) out.append(' ');
    }
    out += "\\par end of version " + QByteArray::number(v) + "}";
    return out;
}

// The version a document's bytes are, or -1 when they are not one complete version.
inline int documentVersion(int d, const QByteArray& bytes) {
    const QByteArray mark = " version ";
    const qsizetype at = bytes.indexOf(mark);
    if (at < 0) return -1;
    qsizetype end = at + mark.size();
    while (end < bytes.size() && bytes.at(end) >= '0' && bytes.at(end) <= '9') ++end;
    bool ok = false;
    const int v = bytes.mid(at + mark.size(), end - at - mark.size()).toInt(&ok);
    if (!ok || v < 1 || bytes != documentBytes(d, v)) return -1;
    return v;
}

// Version k of status record r ("" for version 0, a record never written).
inline QString recordText(int r, int k) {
    return k == 0 ? QString() : QStringLiteral("S%1 v%2").arg(r).arg(k);
}

inline int recordVersion(int r, const QString& text) {
    if (text.isEmpty()) return 0;
    const QString prefix = QStringLiteral("S%1 v").arg(r);
    if (!text.startsWith(prefix)) return -1;
    bool ok = false;
    const int k = text.mid(prefix.size()).toInt(&ok);
    return ok && k >= 1 && recordText(r, k) == text ? k : -1;
}

// The moments the crash test asks the loop to be killed in: a step of a document save or of a
// status record written in place, or just after a save returned (before the loop noted it).
enum Moment : int {
    DocCreate, DocWrite, DocSync, DocClose, DocRename, DocSyncFolder, DocReturned,
    RecordWrite, RecordSync, RecordReturned,
    MomentCount
};
constexpr const char* MomentNames[MomentCount] = {
    "document: create",  "document: write",  "document: sync",    "document: close",
    "document: rename",  "document: folder sync", "document: saved", "record: write",
    "record: sync",      "record: written"};

// Shared between the loop and the test through a mapped file.
struct Progress {
    std::atomic<int> ready;
    std::atomic<int> atMoment;  // 1 once the asked moment is reached
    std::atomic<int> moment;    // the moment the loop is in now (MomentCount: between saves)
    std::atomic<int> saved[DocumentCount];     // last version of each document told saved
    std::atomic<int> written[StatusRecords + 1];  // last version of each record told written
    std::atomic<long> saves;
};

}  // namespace saveloop
