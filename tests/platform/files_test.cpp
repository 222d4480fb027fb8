// The file layer: program folder and names, Windows-1252, whole-file reads and atomic writes,
// fixed records, QuotedLines, numbers as text and the hidden list.
#include "platform/Files.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

class FilesTest : public ::testing::Test {
protected:

    QString path(const QString& name) const { return folder_.path() + QLatin1Char('/') + name; }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const QString& name) const {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }
    QStringList entries() const {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    testsupport::TempProgramFolder folder_;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// ---- Windows-1252 ---------------------------------------------------------------------------

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
}

struct CharCase {
    int byte;
    char16_t unicode;
};

class Cp1252Mapping : public ::testing::TestWithParam<CharCase> {};

TEST_P(Cp1252Mapping, ByteAndCharacterCorrespond) {
    const CharCase c = GetParam();
    EXPECT_EQ(fromCp1252(QByteArray(1, char(c.byte))), QString(QChar(c.unicode)));
    EXPECT_EQ(toCp1252(QString(QChar(c.unicode))), QByteArray(1, char(c.byte)));
}

INSTANTIATE_TEST_SUITE_P(Files, Cp1252Mapping,
                         ::testing::Values(CharCase{0x41, u'A'}, CharCase{0x80, u'\u20AC'},
                                           CharCase{0x85, u'\u2026'}, CharCase{0x92, u'\u2019'},
                                           CharCase{0x96, u'\u2013'}, CharCase{0x9F, u'\u0178'},
                                           CharCase{0x81, u'\u0081'}, CharCase{0x8D, u'\u008D'},
                                           CharCase{0x8F, u'\u008F'}, CharCase{0x90, u'\u0090'},
                                           CharCase{0x9D, u'\u009D'}, CharCase{0xA0, u'\u00A0'},
                                           CharCase{0xE9, u'\u00E9'}, CharCase{0xFF, u'\u00FF'}));

TEST(Cp1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u4e00b")), QByteArray("a?b"));
    EXPECT_EQ(toCp1252(QString(QChar(0x0080))), QByteArray("?"));  // C1 control with a glyph byte
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y"));
}

// ---- Numbers as text ------------------------------------------------------------------------

struct NumberCase {
    const char* text;
    long long value;
};

class TextToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(textToNumber(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Files, TextToNumber,
                         ::testing::Values(NumberCase{"12abc", 12}, NumberCase{" 7", 7},
                                           NumberCase{"", 0}, NumberCase{"-3", -3},
                                           NumberCase{"abc", 0}, NumberCase{"   ", 0},
                                           NumberCase{"-", 0}, NumberCase{"0", 0},
                                           NumberCase{"8", 8}, NumberCase{"4 2", 4},
                                           NumberCase{"99999999999999999999999", LLONG_MAX},
                                           NumberCase{"-99999999999999999999999", LLONG_MIN}));

TEST(NumberToText, DigitsWithoutLeadingBlank) {
    EXPECT_EQ(numberToText(0), QStringLiteral("0"));
    EXPECT_EQ(numberToText(1), QStringLiteral("1"));
    EXPECT_EQ(numberToText(-3), QStringLiteral("-3"));
}

// ---- Record encodings -----------------------------------------------------------------------

struct StringRecordCase {
    const char* text;
    int length;
    QByteArray expected;
};

class StringRecordBytes : public ::testing::TestWithParam<StringRecordCase> {};

TEST_P(StringRecordBytes, EncodesLengthTextAndZeroPadding) {
    const auto& c = GetParam();
    EXPECT_EQ(encodeStringRecord(QString::fromLatin1(c.text), c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StringRecordBytes,
    ::testing::Values(
        StringRecordCase{"Yes", 20, bytes({3, 0, 'Y', 'e', 's'}) + QByteArray(15, '\0')},
        StringRecordCase{"", 20, QByteArray(20, '\0')},
        StringRecordCase{"123456789012345678", 20, bytes({18, 0}) + "123456789012345678"},
        // Too long: cut to what fits so it never runs into the next record.
        StringRecordCase{"1234567890123456789", 20, bytes({18, 0}) + "123456789012345678"},
        StringRecordCase{"Disk 1", 30, bytes({6, 0}) + "Disk 1" + QByteArray(22, '\0')}));

TEST(StringRecord, LengthBeyondTheRecordReadsOnlyWhatTheRecordHolds) {
    QByteArray record = bytes({0xFF, 0xFF}) + "abcdefghijklmnopqr";
    ASSERT_EQ(record.size(), 20);
    EXPECT_EQ(decodeStringRecord(record), QStringLiteral("abcdefghijklmnopqr"));
    EXPECT_EQ(decodeStringRecord(bytes({5, 0}) + "ab"), QStringLiteral("ab"));
    EXPECT_EQ(decodeStringRecord(bytes({5})), QString());
}

TEST(StringRecord, BytesAfterTheValueAreIgnored) {
    EXPECT_EQ(decodeStringRecord(bytes({2, 0}) + "NoXXXXXXXXXXXXXXXX"), QStringLiteral("No"));
}

struct VariantCase {
    const char* name;
    VariantValue value;
    QByteArray expected;
};

class VariantRecordBytes : public ::testing::TestWithParam<VariantCase> {};

TEST_P(VariantRecordBytes, EncodesAndDecodes) {
    const auto& c = GetParam();
    EXPECT_EQ(encodeVariantRecord(c.value, 10), c.expected);
    EXPECT_EQ(decodeVariantRecord(c.expected), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, VariantRecordBytes,
    ::testing::Values(
        VariantCase{"empty", VariantValue{}, QByteArray(10, '\0')},
        VariantCase{"blue", VariantValue::fromInt(0xFF0000),
                    bytes({3, 0, 0x00, 0x00, 0xFF, 0x00, 0, 0, 0, 0})},
        VariantCase{"negative", VariantValue::fromInt(-2),
                    bytes({3, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
        VariantCase{"def", VariantValue::fromText(QStringLiteral("Def")),
                    bytes({8, 0, 3, 0, 'D', 'e', 'f', 0, 0, 0})},
        VariantCase{"six", VariantValue::fromText(QStringLiteral("abcdef")),
                    bytes({8, 0, 6, 0, 'a', 'b', 'c', 'd', 'e', 'f'})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VariantRecord, TextCountBeyondTheRecordReadsOnlyWhatTheRecordHolds) {
    EXPECT_EQ(decodeVariantRecord(bytes({8, 0, 0x40, 0, 'a', 'b', 'c', 'd', 'e', 'f'})),
              VariantValue::fromText(QStringLiteral("abcdef")));
    EXPECT_TRUE(decodeVariantRecord(bytes({3, 0, 1})).isEmpty());  // integer cut short
    EXPECT_TRUE(decodeVariantRecord(bytes({7, 0, 1, 2, 3, 4})).isEmpty());  // unknown type
}

// ---- Fixed-record files ---------------------------------------------------------------------

TEST_F(FilesTest, ReadingAMissingRecordFileCreatesAnEmptyFile) {
    EXPECT_EQ(readStringRecord(QStringLiteral("GColor3.Fil"), 20, 35), QString());
    EXPECT_EQ(get(QStringLiteral("GColor3.Fil")), QByteArray());
    EXPECT_TRUE(readVariantRecord(QStringLiteral("HINV3.Fil"), 10, 3).isEmpty());
    EXPECT_EQ(get(QStringLiteral("HINV3.Fil")), QByteArray());
}

TEST_F(FilesTest, OpeningNeverTruncates) {
    put(QStringLiteral("Stat1.Fil"), bytes({6, 0}) + "Review" + QByteArray(12, '\0'));
    {
        RecordFile f(QStringLiteral("Stat1.Fil"), 20);
        ASSERT_TRUE(f.isOpen());
    }
    EXPECT_EQ(get(QStringLiteral("Stat1.Fil")).size(), 20);
    EXPECT_EQ(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 1), QStringLiteral("Review"));
}

TEST_F(FilesTest, WritingARecordPastTheEndExtendsTheFileAndLeavesOthersAlone) {
    ASSERT_TRUE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 5, QStringLiteral("Review")));
    QByteArray file = get(QStringLiteral("Stat1.Fil"));
    ASSERT_EQ(file.size(), 100);
    EXPECT_EQ(file.mid(80), bytes({6, 0}) + "Review" + QByteArray(12, '\0'));

    ASSERT_TRUE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 2, QStringLiteral("Done")));
    file = get(QStringLiteral("Stat1.Fil"));
    ASSERT_EQ(file.size(), 100);
    EXPECT_EQ(file.mid(20, 20), bytes({4, 0}) + "Done" + QByteArray(14, '\0'));
    EXPECT_EQ(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 5), QStringLiteral("Review"));

    // Rewriting with a shorter text leaves no tail of the longer one.
    ASSERT_TRUE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 5, QStringLiteral("No")));
    EXPECT_EQ(get(QStringLiteral("Stat1.Fil")).mid(80), bytes({2, 0}) + "No" + QByteArray(16, '\0'));
}

TEST_F(FilesTest, ARecordWhollyOrPartlyBeyondTheEndReadsEmpty) {
    put(QStringLiteral("RAList.Fil"), bytes({3, 0}) + "One" + QByteArray(15, '\0') + bytes({3, 0}) + "Two");
    RecordFile f(QStringLiteral("RAList.Fil"), 20);
    EXPECT_EQ(f.readString(1), QStringLiteral("One"));
    EXPECT_EQ(f.readString(2), QString());  // partly beyond the end
    EXPECT_EQ(f.readString(3), QString());
    EXPECT_EQ(f.readString(0), QString());
    EXPECT_TRUE(f.readVariant(9).isEmpty());
}

TEST_F(FilesTest, AnEighteenCharacterTextFitsATwentyByteRecord) {
    const QString title = QStringLiteral("Eighteen chars ok!");
    ASSERT_EQ(title.size(), 18);
    ASSERT_TRUE(writeStringRecord(QStringLiteral("RAList.Fil"), 20, 1, title));
    ASSERT_TRUE(writeStringRecord(QStringLiteral("RAList.Fil"), 20, 2, QStringLiteral("next")));
    EXPECT_EQ(readStringRecord(QStringLiteral("RAList.Fil"), 20, 1), title);
    EXPECT_EQ(readStringRecord(QStringLiteral("RAList.Fil"), 20, 2), QStringLiteral("next"));
}

TEST_F(FilesTest, WindowsTextIsStoredAsItsCodePageBytes) {
    ASSERT_TRUE(writeStringRecord(QStringLiteral("RAList.Fil"), 20, 1, QString::fromUtf8("Café – €")));
    EXPECT_EQ(get(QStringLiteral("RAList.Fil")).left(10), bytes({8, 0}) + "Caf\xE9 \x96 \x80");
    EXPECT_EQ(readStringRecord(QStringLiteral("RAList.Fil"), 20, 1), QString::fromUtf8("Café – €"));
}

TEST_F(FilesTest, RecordFileRefusesAFifo) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("Stat1.Fil"))).constData(), 0644), 0);
    RecordFile f(QStringLiteral("Stat1.Fil"), 20);
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(f.readString(1), QString());
    EXPECT_FALSE(f.writeString(1, QStringLiteral("x")));
}

// ---- Names without regard to case -----------------------------------------------------------

TEST_F(FilesTest, OpeningFindsAFileWhateverItsCase) {
    put(QStringLiteral("PR3.Hlp"), "rule");
    EXPECT_TRUE(fileExists(QStringLiteral("Pr3.Hlp")));
    EXPECT_EQ(resolvePath(QStringLiteral("pr3.hlp")), path(QStringLiteral("PR3.Hlp")));
    const ReadResult r = readWholeFile(QStringLiteral("pR3.HLP"));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, QByteArray("rule"));
}

TEST_F(FilesTest, CreatingReusesTheExistingSpelling) {
    put(QStringLiteral("TODOActv.FIL"), "old");
    ASSERT_TRUE(writeWholeFile(QStringLiteral("todoactv.fil"), "new"));
    ASSERT_TRUE(writeStringRecord(QStringLiteral("STAT1.FIL"), 20, 1, QStringLiteral("x")));
    ASSERT_TRUE(writeStringRecord(QStringLiteral("stat1.fil"), 20, 2, QStringLiteral("y")));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("STAT1.FIL"), QStringLiteral("TODOActv.FIL")}));
    EXPECT_EQ(get(QStringLiteral("TODOActv.FIL")), QByteArray("new"));
    EXPECT_EQ(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 1), QStringLiteral("x"));
}

TEST_F(FilesTest, NamesAreRelativeToTheProgramFolder) {
    ASSERT_TRUE(makeProgramFolderCurrent());
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(folder_.path()).canonicalPath());
    EXPECT_EQ(resolvePath(QStringLiteral("New.Fil")), path(QStringLiteral("New.Fil")));
    EXPECT_EQ(resolvePath(path(QStringLiteral("abs.txt"))), path(QStringLiteral("abs.txt")));
}

TEST_F(FilesTest, RemoveFileTreatsAMissingFileAsRemoved) {
    put(QStringLiteral("TODONAME.FIL"), "x");
    EXPECT_TRUE(removeFile(QStringLiteral("todoname.fil")));
    EXPECT_FALSE(fileExists(QStringLiteral("TODONAME.FIL")));
    EXPECT_TRUE(removeFile(QStringLiteral("TODONAME.FIL")));
}

// ---- Whole-file reads -----------------------------------------------------------------------

TEST_F(FilesTest, MissingAndUnreadableAreTold) {
    EXPECT_EQ(readWholeFile(QStringLiteral("none.txt")).status, ReadStatus::Missing);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("folder")));
    EXPECT_EQ(readWholeFile(QStringLiteral("folder")).status, ReadStatus::Unreadable);
    put(QStringLiteral("empty.txt"), QByteArray());
    const ReadResult r = readWholeFile(QStringLiteral("empty.txt"));
    EXPECT_EQ(r.status, ReadStatus::Ok);
    EXPECT_TRUE(r.bytes.isEmpty());
}

// A reader that takes files up to a size never reads a larger one into memory.
TEST_F(FilesTest, AFileLargerThanTheReaderTakesIsNotRead) {
    put(QStringLiteral("Action9.Fil"), QByteArray(1001, 'x'));
    const ReadResult big = readWholeFile(QStringLiteral("Action9.Fil"), 1000);
    EXPECT_EQ(big.status, ReadStatus::Unreadable);
    EXPECT_TRUE(big.tooLarge);
    EXPECT_TRUE(big.bytes.isEmpty());
    const ReadResult fits = readWholeFile(QStringLiteral("Action9.Fil"), 1001);
    EXPECT_TRUE(fits.ok());
    EXPECT_FALSE(fits.tooLarge);
    EXPECT_EQ(fits.bytes.size(), 1001);
    EXPECT_FALSE(readWholeFile(QStringLiteral("none.txt"), 10).tooLarge);
}

TEST_F(FilesTest, AFifoIsUnreadableAndDoesNotBlock) {
    // With a blocking open this test would hang: nobody ever writes to the FIFO.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("Misc1.Hlp"))).constData(), 0644), 0);
    EXPECT_EQ(readWholeFile(QStringLiteral("Misc1.Hlp")).status, ReadStatus::Unreadable);
    EXPECT_EQ(readQuotedLines(QStringLiteral("Misc1.Hlp")).status, ReadStatus::Unreadable);
}

TEST_F(FilesTest, ADeviceIsUnreadable) {
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(path(QStringLiteral("zero"))).constData()), 0);
    EXPECT_EQ(readWholeFile(QStringLiteral("zero")).status, ReadStatus::Unreadable);
    EXPECT_EQ(readWholeFile(QStringLiteral("/dev/zero")).status, ReadStatus::Unreadable);
}

TEST_F(FilesTest, ALinkOutOfTheProgramFolderIsNeverFollowed) {
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    const QString secret = outside.path() + QStringLiteral("/secret.txt");
    {
        QFile f(secret);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("secret");
    }
    ASSERT_EQ(::symlink(QFile::encodeName(secret).constData(),
                        QFile::encodeName(path(QStringLiteral("Misc2.Hlp"))).constData()), 0);
    EXPECT_EQ(readWholeFile(QStringLiteral("Misc2.Hlp")).status, ReadStatus::Unreadable);
    EXPECT_FALSE(copyFileSafely(QStringLiteral("Misc2.Hlp"), QStringLiteral("copy.txt")));

    // Nor written through, neither whole nor by record.
    EXPECT_FALSE(writeWholeFile(QStringLiteral("Misc2.Hlp"), "overwritten"));
    EXPECT_FALSE(writeStringRecord(QStringLiteral("misc2.hlp"), 20, 1, QStringLiteral("x")));
    QFile f(secret);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("secret"));

    // A folder link out of the program folder counts the same.
    ASSERT_EQ(::symlink(QFile::encodeName(outside.path()).constData(),
                        QFile::encodeName(path(QStringLiteral("sub"))).constData()), 0);
    EXPECT_EQ(readWholeFile(QStringLiteral("sub/secret.txt")).status, ReadStatus::Unreadable);
}

TEST_F(FilesTest, ALinkInsideTheProgramFolderIsFollowed) {
    put(QStringLiteral("real.txt"), "inside");
    ASSERT_EQ(::symlink("real.txt", QFile::encodeName(path(QStringLiteral("alias.txt"))).constData()), 0);
    const ReadResult r = readWholeFile(QStringLiteral("alias.txt"));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, QByteArray("inside"));
}

// ---- Whole-file writes ----------------------------------------------------------------------

TEST_F(FilesTest, WriteWholeFileReplacesTheFileAndLeavesNoTemporary) {
    put(QStringLiteral("Plan1.rtf"), "old contents that are longer");
    ASSERT_TRUE(writeWholeFile(QStringLiteral("Plan1.rtf"), "new"));
    EXPECT_EQ(get(QStringLiteral("Plan1.rtf")), QByteArray("new"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Plan1.rtf")});
}

TEST_F(FilesTest, AFailedWriteIsReportedWithAReason) {
    put(QStringLiteral("notafolder"), "x");
    QString error;
    EXPECT_FALSE(writeWholeFile(QStringLiteral("notafolder/Plan1.rtf"), "new", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeQuotedLines(QStringLiteral("notafolder/TODOActv.FIL"), {QStringLiteral("a")}));
    EXPECT_FALSE(writeStringRecord(QStringLiteral("notafolder/Stat1.Fil"), 20, 1, QStringLiteral("a")));
    EXPECT_EQ(get(QStringLiteral("notafolder")), QByteArray("x"));
}

TEST_F(FilesTest, AFailedWriteInAReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    put(QStringLiteral("Plan1.rtf"), "old");
    ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool written = writeWholeFile(QStringLiteral("Plan1.rtf"), "new", &error);
    QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(get(QStringLiteral("Plan1.rtf")), QByteArray("old"));
}

TEST_F(FilesTest, CopyFileSafelyCopiesBytesAcrossFolders) {
    QTemporaryDir backup;
    ASSERT_TRUE(backup.isValid());
    static const char raw[] = "{\\rtf1 \x80\x00 end}";
    const QByteArray content(raw, sizeof raw - 1);
    put(QStringLiteral("Plan1.rtf"), content);
    const QString target = backup.path() + QStringLiteral("/Plan1.bk1");
    ASSERT_TRUE(copyFileSafely(QStringLiteral("plan1.RTF"), target));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), content);

    QString error;
    EXPECT_FALSE(copyFileSafely(QStringLiteral("none.rtf"), target, &error));
    EXPECT_FALSE(error.isEmpty());
    f.seek(0);
    EXPECT_EQ(f.readAll(), content);  // a failed copy leaves the old target alone
}

// ---- QuotedLines ----------------------------------------------------------------------------

TEST(QuotedLine, EncodesQuotesAndCrLf) {
    EXPECT_EQ(encodeQuotedLine(QString()), QByteArray("\"\"\r\n"));
    EXPECT_EQ(encodeQuotedLine(QStringLiteral("  Buy toner")), QByteArray("\"  Buy toner\"\r\n"));
    EXPECT_EQ(encodeQuotedLine(QString::fromUtf8("Café")), QByteArray("\"Caf\xE9\"\r\n"));
}

struct QuotedCase {
    const char* line;
    const char* value;
};

class QuotedLineDecode : public ::testing::TestWithParam<QuotedCase> {};

TEST_P(QuotedLineDecode, GivesTheTextBetweenTheQuotes) {
    EXPECT_EQ(decodeQuotedLine(QByteArray(GetParam().line)), QString::fromLatin1(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Files, QuotedLineDecode,
                         ::testing::Values(QuotedCase{"\"\"\r\n", ""},
                                           QuotedCase{"\"Buy toner\"\r\n", "Buy toner"},
                                           QuotedCase{"   \"  lead\"\r\n", "  lead"},
                                           QuotedCase{"\"Say \"hi\" now\"\r\n", "Say \"hi\" now"},
                                           QuotedCase{"\"a\"", "a"},
                                           QuotedCase{"\"unclosed\r\n", "unclosed"},
                                           QuotedCase{"plain text  \r\n", "plain text"},
                                           QuotedCase{"", ""}));

TEST_F(FilesTest, QuotedLinesRoundTripAndAQuoteNeverShiftsLaterValues) {
    const QStringList values{QStringLiteral("Policy review"), QStringLiteral("Say \"yes\""),
                             QString(), QStringLiteral("\""), QStringLiteral("  Jane"),
                             QStringLiteral("two\r\nlines"), QStringLiteral("last")};
    ASSERT_TRUE(writeQuotedLines(QStringLiteral("TODOActv.FIL"), values));
    EXPECT_EQ(get(QStringLiteral("TODOActv.FIL")).left(34),
              QByteArray("\"Policy review\"\r\n\"Say \"yes\"\"\r\n\"\"\r\n"));
    const QuotedLinesResult r = readQuotedLines(QStringLiteral("todoactv.fil"));
    EXPECT_EQ(r.status, ReadStatus::Ok);
    EXPECT_EQ(r.values, values);
}

TEST_F(FilesTest, AnEmptiedToDoGridFileReadsAsEmptyValues) {
    QByteArray file;
    for (int i = 0; i < 10; ++i)
        file += "\"\"\r\n";
    put(QStringLiteral("TODOActv.FIL"), file);
    const QuotedLinesResult r = readQuotedLines(QStringLiteral("TODOActv.FIL"));
    EXPECT_EQ(r.values, QStringList(10, QString()));
}

TEST_F(FilesTest, MissingQuotedLinesFileIsTold) {
    const QuotedLinesResult r = readQuotedLines(QStringLiteral("TODONAME.FIL"));
    EXPECT_EQ(r.status, ReadStatus::Missing);
    EXPECT_TRUE(r.values.isEmpty());
    EXPECT_FALSE(fileExists(QStringLiteral("TODONAME.FIL")));
}

// ---- Hidden list ----------------------------------------------------------------------------

TEST_F(FilesTest, HidingAddsTheOnDiskSpellingOnceAndShowingRemovesIt) {
    put(QStringLiteral("PR3.Hlp"), "rule");
    put(QStringLiteral("Misc0.Hlp"), "misc");
    ASSERT_TRUE(setFileHidden(QStringLiteral("Pr3.Hlp"), true));
    ASSERT_TRUE(setFileHidden(QStringLiteral("Misc0.Hlp"), true));
    ASSERT_TRUE(setFileHidden(QStringLiteral("pr3.hlp"), true));
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray("PR3.Hlp\nMisc0.Hlp\n"));
    EXPECT_TRUE(isFileHidden(QStringLiteral("Pr3.Hlp")));

    ASSERT_TRUE(setFileHidden(QStringLiteral("Pr3.Hlp"), false));
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray("Misc0.Hlp\n"));
    EXPECT_FALSE(isFileHidden(QStringLiteral("PR3.Hlp")));
    EXPECT_TRUE(isFileHidden(QStringLiteral("misc0.hlp")));
    // The files themselves are never renamed.
    EXPECT_TRUE(entries().contains(QStringLiteral("PR3.Hlp")));
    EXPECT_TRUE(entries().contains(QStringLiteral("Misc0.Hlp")));
}

TEST_F(FilesTest, HidingAMissingDocumentFailsAndWritesNothing) {
    EXPECT_FALSE(setFileHidden(QStringLiteral("Misc63.Hlp"), true));
    EXPECT_FALSE(setFileHidden(QStringLiteral("Misc63.Hlp"), false));
    EXPECT_FALSE(isFileHidden(QStringLiteral("Misc63.Hlp")));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(FilesTest, HidingManyDocumentsSkipsMissingOnesAndShowingThemEmptiesTheList) {
    put(QStringLiteral("Misc0.Hlp"), "m");
    put(QStringLiteral("PR1.Hlp"), "p");
    const QStringList names{QStringLiteral("Misc0.Hlp"), QStringLiteral("Misc1.Hlp"),
                            QStringLiteral("Pr1.Hlp"), QStringLiteral("Pr2.Hlp")};
    EXPECT_EQ(setFilesHidden(names, true), 2);
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray("Misc0.Hlp\nPR1.Hlp\n"));
    EXPECT_EQ(setFilesHidden(names, true), 2);
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray("Misc0.Hlp\nPR1.Hlp\n"));
    EXPECT_EQ(setFilesHidden(names, false), 2);
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray());
}

TEST_F(FilesTest, HidingKeepsOtherEntriesOfTheList) {
    put(QStringLiteral(".hidden"), "notes.txt\r\nold\n");
    put(QStringLiteral("Misc5.Hlp"), "m");
    ASSERT_TRUE(setFileHidden(QStringLiteral("Misc5.Hlp"), true));
    EXPECT_EQ(get(QStringLiteral(".hidden")), QByteArray("notes.txt\nold\nMisc5.Hlp\n"));
}


// ---- the program's own folders, never reached through a link ------------------------------------

// Each operation on a path under "made", a folder of the program's that a link to the canary
// outside stands in place of: it fails, and the canary keeps every byte and every entry.
struct ThroughLinkCase {
    const char* name;
    bool (*act)(const QString& made);
};

bool writeThrough(const QString& made) { return writeNewFile(made + QStringLiteral("/Action0.Fil"), "new bytes"); }
bool recordThrough(const QString& made) {
    return writeFileAt(made + QStringLiteral("/Stat1.Fil"), 0, QByteArray(20, 'x'));
}
bool makeThrough(const QString& made) { return makeFolder(made + QStringLiteral("/sub2")); }
bool makeOnTheLink(const QString& made) { return makeFolder(made); }
bool removeTheLinkAsAFolder(const QString& made) { return removeFolder(made); }
bool removeThrough(const QString& made) { return removeFolder(made + QStringLiteral("/sub")); }
bool removeFileThrough(const QString& made) { return removeFile(made + QStringLiteral("/Stat1.Fil")); }
bool renameInto(const QString& made) {
    return renameFile(QFileInfo(made).path() + QStringLiteral("/mine.txt"), made + QStringLiteral("/Action0.Fil"));
}
bool renameOutOf(const QString& made) {
    return renameFile(made + QStringLiteral("/Stat1.Fil"), QFileInfo(made).path() + QStringLiteral("/Stat1.Fil"));
}
bool linkInto(const QString& made) {
    return linkFile(QFileInfo(made).path() + QStringLiteral("/mine.txt"), made + QStringLiteral("/x.txt"));
}

class ThroughALink : public FilesTest, public ::testing::WithParamInterface<ThroughLinkCase> {};

TEST_P(ThroughALink, FailsAndLeavesTheCanaryAsItWas) {
    QTemporaryDir canary;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(canary.filePath(name)).path());
        QFile f(canary.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("Stat1.Fil"), QByteArray(40, 'c'));
    write(QStringLiteral("sub/deep.txt"), "deep");
    put(QStringLiteral("mine.txt"), "the program folder's own");
    ASSERT_EQ(::symlink(QFile::encodeName(canary.path()).constData(), QFile::encodeName(path(QStringLiteral("made"))).constData()), 0);
    const auto listing = [&] {
        QStringList all;
        QDirIterator it(canary.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            QFile f(p);
            all << p + QLatin1Char(' ') + QString::fromLatin1((f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()).toHex());
        }
        all.sort();
        return all;
    };
    const QStringList before = listing();
    EXPECT_FALSE(GetParam().act(path(QStringLiteral("made"))));
    EXPECT_EQ(listing(), before);
    EXPECT_EQ(get(QStringLiteral("mine.txt")), QByteArray("the program folder's own"));
    EXPECT_EQ(entryKind(path(QStringLiteral("made"))), EntryKind::Link);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ThroughALink,
    ::testing::Values(ThroughLinkCase{"WriteNewFile", writeThrough}, ThroughLinkCase{"WriteRecordInPlace", recordThrough},
                      ThroughLinkCase{"MakeAFolderInside", makeThrough}, ThroughLinkCase{"MakeTheFolder", makeOnTheLink},
                      ThroughLinkCase{"RemoveTheFolder", removeTheLinkAsAFolder},
                      ThroughLinkCase{"RemoveAFolderInside", removeThrough},
                      ThroughLinkCase{"RemoveAFileInside", removeFileThrough}, ThroughLinkCase{"RenameInto", renameInto},
                      ThroughLinkCase{"RenameOutOf", renameOutOf}, ThroughLinkCase{"LinkInto", linkInto}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesTest, RemovingARealFolderRemovesLinksInsideItNotWhatTheyLeadTo) {
    QTemporaryDir canary;
    QFile f(canary.filePath(QStringLiteral("keep.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep");
    f.close();
    ASSERT_TRUE(makeFolder(path(QStringLiteral("made"))));
    ASSERT_TRUE(makeFolder(path(QStringLiteral("made/inner"))));
    ASSERT_EQ(::symlink(QFile::encodeName(canary.path()).constData(), QFile::encodeName(path(QStringLiteral("made/inner/out"))).constData()), 0);
    put(QStringLiteral("made/a.txt"), "a");
    EXPECT_TRUE(removeFolder(path(QStringLiteral("made"))));
    EXPECT_EQ(entryKind(path(QStringLiteral("made"))), EntryKind::Missing);
    EXPECT_EQ(QDir(canary.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
}

// ---- one copy per folder -------------------------------------------------------------------------

TEST_F(FilesTest, TheProgramFolderIsLockedOnceAndALockHeldElsewhereIsTold) {
    EXPECT_EQ(lockProgramFolder(QStringLiteral(".lock")), FolderLock::Held);
    EXPECT_EQ(lockProgramFolder(QStringLiteral(".lock")), FolderLock::Held);  // asked again: still ours
    EXPECT_EQ(get(QStringLiteral(".lock")), QByteArray());
    // Another holder of the same lock file (another open of it, as another process has).
    QTemporaryDir other;
    setProgramFolder(other.path());
    const int fd = ::open(QFile::encodeName(other.filePath(QStringLiteral(".lock"))).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(lockProgramFolder(QStringLiteral(".lock")), FolderLock::HeldByAnother);
    ::close(fd);  // the other holder ends
    EXPECT_EQ(lockProgramFolder(QStringLiteral(".lock")), FolderLock::Held);
    setProgramFolder(folder_.path());
}

TEST_F(FilesTest, AFolderWithoutALockFileIsLockedThroughTheFolderItself) {
    ASSERT_EQ(::symlink("/nonexistent", QFile::encodeName(path(QStringLiteral(".lock"))).constData()), 0);
    EXPECT_EQ(lockProgramFolder(QStringLiteral(".lock")), FolderLock::Held);
    const int fd = ::open(QFile::encodeName(folder_.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);  // held by the program
    ::close(fd);
    EXPECT_EQ(entryKind(path(QStringLiteral(".lock"))), EntryKind::Link);
}

}  // namespace
