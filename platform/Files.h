// The program folder and the file formats every subsystem shares: whole files written
// atomically and durably, Windows-1252 text, fixed-record files, QuotedLine files, numbers
// stored as text, and the hidden/normal state of the content documents.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace platform {

// ---- The program folder -------------------------------------------------------------------
// By default the executable's folder; tests set a temporary one. Every file name the program
// uses is relative to it.
void setProgramFolder(const QString& path);
QString programFolder();
// Makes the program folder the current directory. False when that failed.
bool makeProgramFolderCurrent();

// The path of a file in the program folder, matched without regard to letter case: an existing
// file of any spelling is found; a new name keeps the spelling given. Names with a path part
// are resolved relative to the program folder unless absolute.
QString resolvePath(const QString& name);
bool fileExists(const QString& name);
// Deletes a file (a link itself, never what it points to; never a folder). True when no file
// of that name is left, so a file that was already missing counts as removed.
bool removeFile(const QString& name);

// ---- Windows-1252 ----------------------------------------------------------------------------
QByteArray toCp1252(const QString& text);     // characters outside the code page become '?'
QString fromCp1252(const QByteArray& bytes);
// The characters of a text that the code page has no byte for, each once, in the order they
// first stand there (a character outside the Basic Multilingual Plane as its two halves);
// empty when toCp1252 keeps the whole text.
QStringList charactersOutsideCp1252(const QString& text);
// The text without those characters.
QString withoutCharactersOutsideCp1252(const QString& text);

// ---- Whole files -----------------------------------------------------------------------------
enum class ReadStatus { Ok, Missing, Unreadable };
struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    bool tooLarge = false;  // Unreadable because it is larger than the reader takes
    bool ok() const { return status == ReadStatus::Ok; }
};
// The most any read takes when its caller names no smaller limit: more than any file of the
// program holds, so that no stray huge file is ever read whole.
inline constexpr qint64 DefaultReadLimit = 16 * 1024 * 1024;
// Reads a whole regular file. Never follows a symbolic link out of the program folder and
// never blocks on a FIFO or device (those, and such links, read as Unreadable). A file larger
// than maxBytes is not read at all: Unreadable, with tooLarge set. The limit is checked before
// reading and again while reading (a file that grows meanwhile).
ReadResult readWholeFile(const QString& name, qint64 maxBytes = DefaultReadLimit);

// How a write ended. Only Done is told as a success (the write gives true); the other two give
// false, and they differ in what the file holds afterwards.
enum class WriteOutcome {
    Done,        // every new byte is in place and durable
    Failed,      // the new bytes did not take the old ones' place: the old file is as it was
    NotDurable,  // the new bytes are in place and read back as written, but making them durable
                 // failed afterwards (the folder sync after a rename, the sync of a record written
                 // in place): the old bytes are gone, and the new ones may not survive a power loss
};

// Writes a whole file through a temporary file in the same folder, renamed over the old one
// only when every write, the sync and the close succeeded and every byte is in it; then the
// folder is synced so that the rename survives a power loss. Any failure gives false with a
// short reason in *error when given (the system's words, such as "No space left on device");
// when it comes before the rename, the old file stays byte for byte as it was and the
// temporary file is removed (*outcome Failed); when only the folder sync after the rename
// failed, *outcome is NotDurable. A link out of the program folder is never written through.
bool writeWholeFile(const QString& name, const QByteArray& bytes, QString* error = nullptr,
                    WriteOutcome* outcome = nullptr);
// Copies a file the same safe way (source and target may lie in different folders).
bool copyFileSafely(const QString& source, const QString& target, QString* error = nullptr);

// ---- Files and folders by their exact path -------------------------------------------------
// For a backup medium and for the folders the program makes inside its own folder. Paths are
// taken as given (no letter-case matching). The link rule of every read and save holds: nothing
// inside the program folder is reached through a link that leads out of it, and an entry the
// program made there is used only while it is of the kind the program made.

// What stands at a path, the entry itself (a link is a link, whatever it points to).
enum class EntryKind { Missing, File, Folder, Link, Other };
EntryKind entryKind(const QString& path);
// The names of every entry of a folder (files, folders, links, anything), in name order;
// empty when it cannot be read.
QStringList entriesIn(const QString& folder);
// The names of the files of a folder (links to files included), in name order.
QStringList filesIn(const QString& folder);
// Whether a folder is there (a link to a folder counts: the user may choose a medium by one).
bool folderExists(const QString& path);
// Creates or replaces a file with these bytes, every write checked, not synced (a whole folder
// of such files is made durable by one flushDisk). On failure nothing of the new file is left
// and *why says what went wrong.
// *errorNumber, when given, gets the system's error number of a failure (ENOSPC for a full disk).
bool writeNewFile(const QString& path, const QByteArray& bytes, QString* why = nullptr, int* errorNumber = nullptr);
// Whether an error number means that the disk has no room left.
bool isDiskFullError(int errorNumber);
// Overwrites bytes of an existing file in place and syncs it.
bool writeFileAt(const QString& path, qint64 offset, const QByteArray& bytes, QString* why = nullptr);
// Makes a folder; true when a real folder of that name is there afterwards (never a link).
bool makeFolder(const QString& path);
// Removes a real folder and everything in it, never following a link inside it (a link is
// removed as the link it is). A link or a file in the folder's place is left alone and gives
// false; a missing folder counts as removed.
bool removeFolder(const QString& path);
// A second name for an existing file (a hard link); the new name must not exist.
bool linkFile(const QString& existing, const QString& newName);
// Renames a file, replacing any file of the new name in one step.
bool renameFile(const QString& from, const QString& to, QString* why = nullptr);
// Makes every file written on the folder's disk, and the folder's own entries, durable.
bool flushDisk(const QString& folder, QString* why = nullptr);
// The identity of the file system a folder is on (0 when it cannot be told).
quint64 fileSystemOf(const QString& folder);

// A folder path with one trailing "/".
QString withSlash(const QString& folder);
// The entry of `names` equal to `name` apart from letter case (the exact spelling first);
// empty when there is none.
QString findName(const QStringList& names, const QString& name);

// ---- One copy of the program per folder -----------------------------------------------------
enum class FolderLock {
    Held,           // this process holds the program folder's lock
    HeldByAnother,  // another process holds it: another copy of the program works on the folder
    NotPossible,    // no lock can be taken here (see *why); nothing else can be done about it
};
// Takes an advisory lock on the file `lockFileName` of the program folder (made when missing;
// its bytes are never changed) and holds it while the process runs; the system lets it go when
// the process ends, however it ends. Where no lock file can be opened (a read-only folder) the
// folder itself is locked. Asking again for the same folder gives Held; another folder lets the
// earlier lock go.
FolderLock lockProgramFolder(const QString& lockFileName, QString* why = nullptr);

// ---- Interrupted saves ------------------------------------------------------------------------
// A save killed before its rename leaves its temporary file behind. True for the names that
// writeWholeFile gives its temporary files (and for nothing else).
bool isInterruptedSaveName(const QString& fileName);
// Removes such files (regular files only, never a link or a folder) from `folder`, the program
// folder when empty; nothing else is touched. Gives how many were removed.
int removeInterruptedSaves(const QString& folder = QString());

// ---- Hidden/normal state of content documents ------------------------------------------------
// Kept in the folder's ".hidden" list (one name per line); the file itself is never renamed.
// False when the document does not exist or the list could not be written.
bool setFileHidden(const QString& name, bool hidden);
// The same for many documents with one rewrite of the list; missing ones are skipped. Gives the
// number of documents now in the asked state.
int setFilesHidden(const QStringList& names, bool hidden);
bool isFileHidden(const QString& name);

// ---- Fixed-record files ----------------------------------------------------------------------
// A typed value of a VariantRecord: type 0 empty, 3 32-bit integer, 8 text.
struct VariantValue {
    enum Type : std::uint16_t { Empty = 0, Integer = 3, Text = 8 };
    Type type = Empty;
    std::int32_t integer = 0;
    QString text;

    static VariantValue fromInt(std::int32_t v) { return {Integer, v, {}}; }
    static VariantValue fromText(const QString& t) { return {Text, 0, t}; }
    bool isEmpty() const { return type == Empty; }
    bool operator==(const VariantValue&) const = default;
};

// One open fixed-record file: records of length L numbered from 1, record n at (n-1)*L.
// Opening creates a missing file (0 bytes) and never truncates. A record beyond the end reads
// as empty. A written record is padded with zero bytes to its full length, and a write is
// told as done only once the record is synced to the disk (and the name of a new file too).
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(const QString& name, int recordLength) { open(name, recordLength); }
    ~RecordFile() { close(); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool open(const QString& name, int recordLength);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // A StringRecord: 2-byte little-endian length, then that many 8-bit characters. A length
    // larger than the record reads only the characters that fit in the record.
    // A write gives true once the record is durable; *outcome, when given, tells a failed write
    // (the record as it was) from one whose record is in place but whose sync failed.
    QString readString(int record);
    bool writeString(int record, const QString& text, WriteOutcome* outcome = nullptr);
    // A VariantRecord.
    VariantValue readVariant(int record);
    bool writeVariant(int record, const VariantValue& value, WriteOutcome* outcome = nullptr);

    int recordLength() const { return length_; }

private:
    QByteArray readRecordBytes(int record);
    bool writeRecordBytes(int record, const QByteArray& bytes, WriteOutcome* outcome);

    int fd_ = -1;
    int length_ = 0;
    QString path_;
    bool newFile_ = false;
};

// Convenience forms: open, read or write one record, close.
QString readStringRecord(const QString& file, int recordLength, int record);
bool writeStringRecord(const QString& file, int recordLength, int record, const QString& text,
                       WriteOutcome* outcome = nullptr);
VariantValue readVariantRecord(const QString& file, int recordLength, int record);
bool writeVariantRecord(const QString& file, int recordLength, int record, const VariantValue& v,
                        WriteOutcome* outcome = nullptr);

// Encodings of one record's value, exposed for tests and for the disk-information record.
QByteArray encodeStringRecord(const QString& text, int recordLength);
QString decodeStringRecord(const QByteArray& record);
QByteArray encodeVariantRecord(const VariantValue& v, int recordLength);
VariantValue decodeVariantRecord(const QByteArray& record);

// ---- QuotedLine files ------------------------------------------------------------------------
// One value per line: a double quote, the 8-bit text, a double quote, CR LF. Reading gives the
// text between the first and the last double quote of the line (blanks before the opening
// quote skipped), so a quote inside a text never shifts later values. A value whose text held a
// line break spans several lines; readQuotedLines joins them back into one value.
QByteArray encodeQuotedLine(const QString& text);
QString decodeQuotedLine(const QByteArray& line);
// The values of a whole file; nothing when the file cannot be read (Missing gives an empty
// list and status Missing).
struct QuotedLinesResult {
    ReadStatus status = ReadStatus::Missing;
    QStringList values;
    bool tooLarge = false;  // Unreadable because it is larger than maxBytes
};
QuotedLinesResult readQuotedLines(const QString& name, qint64 maxBytes = DefaultReadLimit);
// Rewrites the whole file atomically, as writeWholeFile does.
bool writeQuotedLines(const QString& name, const QStringList& values, QString* error = nullptr,
                      WriteOutcome* outcome = nullptr);

// ---- Numbers stored as text ------------------------------------------------------------------
QString numberToText(long long value);        // "0", "12", "-3"
long long textToNumber(const QString& text);  // leading number, blanks skipped; else 0

}  // namespace platform
