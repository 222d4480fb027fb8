// The display settings and background colour files: what each setting writes, byte for byte,
// and how every stored form reads back.
#include "frame/Settings.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace frame;
using platform::VariantValue;

namespace {

class SettingsTest : public ::testing::Test {
protected:

    QString path(const char* name) const { return folder_.path() + QLatin1Char('/') + QLatin1String(name); }
    void put(const char* name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const char* name) const {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }
    // A display settings file holding `text` in record `record`.
    void putDisplayRecord(int record, const QByteArray& text) const {
        QByteArray file((record - 1) * 20, '\0');
        file += char(text.size());
        file += '\0';
        file += text;
        file += QByteArray(18 - text.size(), '\0');
        put(DisplaySettingsFile, file);
    }

    testsupport::TempProgramFolder folder_;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

TEST_F(SettingsTest, AFreshFolderGivesTheDefaultsAndLeavesEmptyFiles) {
    EXPECT_FALSE(readSmallerScreenSetting());
    EXPECT_EQ(readGridWallpaperSetting(), 0);
    EXPECT_EQ(readGuideLineSetting(), 0);
    EXPECT_EQ(get(DisplaySettingsFile), QByteArray());

    const VariantValue stored = readBackColorSetting();
    EXPECT_TRUE(stored.isEmpty());
    EXPECT_EQ(backColorFromSetting(stored, 0x8000000F), 0xFF0000);
    EXPECT_EQ(get(BackColorFile), QByteArray());
}

TEST_F(SettingsTest, SmallerScreenOnAFreshFolderWritesOnlyRecord35) {
    ASSERT_TRUE(writeDisplayModeSetting(true));
    const QByteArray file = get(DisplaySettingsFile);
    ASSERT_EQ(file.size(), 700);
    EXPECT_EQ(file.mid(680), bytes({3, 0, 'Y', 'e', 's'}) + QByteArray(15, '\0'));
    EXPECT_EQ(file.left(680), QByteArray(680, '\0'));
    EXPECT_TRUE(readSmallerScreenSetting());

    ASSERT_TRUE(writeDisplayModeSetting(false));
    EXPECT_EQ(get(DisplaySettingsFile).mid(680), bytes({2, 0, 'N', 'o'}) + QByteArray(16, '\0'));
    EXPECT_FALSE(readSmallerScreenSetting());
}

struct DisplayModeCase {
    const char* stored;
    bool smaller;
};

class StoredDisplayMode : public SettingsTest, public ::testing::WithParamInterface<DisplayModeCase> {};

TEST_P(StoredDisplayMode, OnlyAYesInThatCaseGivesTheSmallerScreen) {
    putDisplayRecord(DisplayModeRecord, GetParam().stored);
    EXPECT_EQ(readSmallerScreenSetting(), GetParam().smaller);
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredDisplayMode,
                         ::testing::Values(DisplayModeCase{"Yes", true},
                                           DisplayModeCase{"   Yes", true},
                                           DisplayModeCase{"Yes  ", true},
                                           DisplayModeCase{"Yesterday", true},
                                           DisplayModeCase{"  YesNo  ", true},
                                           DisplayModeCase{"yes", false},
                                           DisplayModeCase{"YES", false},
                                           DisplayModeCase{"No", false},
                                           DisplayModeCase{"Ye s", false},
                                           DisplayModeCase{"\tYes", false},
                                           DisplayModeCase{"", false}));

TEST_F(SettingsTest, ADisplayFileEndingBeforeRecord35GivesFullScreen) {
    putDisplayRecord(GridWallpaperRecord, "3");
    EXPECT_FALSE(readSmallerScreenSetting());
    EXPECT_EQ(readGridWallpaperSetting(), 3);
}

TEST_F(SettingsTest, WallpaperAndGuideLineAreStoredAsDigits) {
    ASSERT_TRUE(writeGridWallpaperSetting(8));
    ASSERT_TRUE(writeGuideLineSetting(1));
    const QByteArray file = get(DisplaySettingsFile);
    ASSERT_EQ(file.size(), 220);
    EXPECT_EQ(file.mid(20, 20), bytes({1, 0, '8'}) + QByteArray(17, '\0'));
    EXPECT_EQ(file.mid(200, 20), bytes({1, 0, '1'}) + QByteArray(17, '\0'));
    EXPECT_EQ(readGridWallpaperSetting(), 8);
    EXPECT_EQ(readGuideLineSetting(), 1);
    EXPECT_FALSE(readSmallerScreenSetting());  // record 35 still absent
}

struct NumberRecordCase {
    const char* stored;
    int value;
};

class StoredWallpaper : public SettingsTest, public ::testing::WithParamInterface<NumberRecordCase> {};

TEST_P(StoredWallpaper, ReadsTheLeadingNumber) {
    putDisplayRecord(GridWallpaperRecord, GetParam().stored);
    EXPECT_EQ(readGridWallpaperSetting(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredWallpaper,
                         ::testing::Values(NumberRecordCase{"12abc", 12}, NumberRecordCase{" 7", 7},
                                           NumberRecordCase{"", 0}, NumberRecordCase{"x", 0},
                                           NumberRecordCase{"5", 5}));

TEST_F(SettingsTest, DefTakesSevenBytesAtByte20) {
    ASSERT_TRUE(writeBackColorSetting(VariantValue::fromText(QStringLiteral("Def"))));
    const QByteArray file = get(BackColorFile);
    ASSERT_EQ(file.size(), 30);
    EXPECT_EQ(file.mid(20), bytes({8, 0, 3, 0, 'D', 'e', 'f', 0, 0, 0}));
    EXPECT_EQ(file.left(20), QByteArray(20, '\0'));
    EXPECT_EQ(backColorFromSetting(readBackColorSetting(), 0x00C8D0D4), 0x00C8D0D4);
}

TEST_F(SettingsTest, AnIntegerColourTakesSixBytesAndIsAppliedUnchanged) {
    ASSERT_TRUE(writeBackColorSetting(VariantValue::fromInt(0x00336699)));
    const QByteArray file = get(BackColorFile);
    ASSERT_EQ(file.size(), 30);
    EXPECT_EQ(file.mid(20), bytes({3, 0, 0x99, 0x66, 0x33, 0x00, 0, 0, 0, 0}));
    const VariantValue stored = readBackColorSetting();
    EXPECT_EQ(stored, VariantValue::fromInt(0x00336699));
    EXPECT_EQ(backColorFromSetting(stored, 0x00C8D0D4), 0x00336699);
}

struct BackColorCase {
    const char* name;
    VariantValue stored;
    std::int32_t colour;
};

class StoredBackColor : public ::testing::TestWithParam<BackColorCase> {};

TEST_P(StoredBackColor, GivesItsColour) {
    EXPECT_EQ(backColorFromSetting(GetParam().stored, 0x00C8D0D4), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredBackColor,
    ::testing::Values(
        BackColorCase{"empty", VariantValue{}, 0xFF0000},
        BackColorCase{"def", VariantValue::fromText(QStringLiteral("Def")), 0x00C8D0D4},
        BackColorCase{"defTrailingBlanks", VariantValue::fromText(QStringLiteral("Def   ")), 0x00C8D0D4},
        BackColorCase{"defLeadingBlank", VariantValue::fromText(QStringLiteral(" Def")), 0xFF0000},
        BackColorCase{"defLowerCase", VariantValue::fromText(QStringLiteral("def")), 0xFF0000},
        BackColorCase{"otherText", VariantValue::fromText(QStringLiteral("255")), 0xFF0000},
        BackColorCase{"zero", VariantValue::fromInt(0), 0},
        BackColorCase{"white", VariantValue::fromInt(0xFFFFFF), 0xFFFFFF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, AZeroByteBackColorFileGivesBlue) {
    put(BackColorFile, QByteArray());
    EXPECT_EQ(backColorFromSetting(readBackColorSetting(), 0x00C8D0D4), 0xFF0000);
}

TEST_F(SettingsTest, AnUnreachableSettingsFileLeavesTheDefaults) {
    // A folder where the file should be: it cannot be opened, reads give the defaults and
    // writes report failure.
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QLatin1String(DisplaySettingsFile)));
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QLatin1String(BackColorFile)));
    EXPECT_FALSE(readSmallerScreenSetting());
    EXPECT_EQ(readGridWallpaperSetting(), 0);
    EXPECT_FALSE(writeDisplayModeSetting(true));
    EXPECT_FALSE(writeBackColorSetting(VariantValue::fromInt(1)));
    EXPECT_EQ(backColorFromSetting(readBackColorSetting(), 0), 0xFF0000);
}

TEST_F(SettingsTest, AReadOnlySettingsFileStillReads) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    putDisplayRecord(DisplayModeRecord, "Yes");
    ASSERT_TRUE(QFile::setPermissions(path(DisplaySettingsFile), QFile::ReadOwner));
    EXPECT_TRUE(readSmallerScreenSetting());
    EXPECT_FALSE(writeDisplayModeSetting(false));
    EXPECT_TRUE(readSmallerScreenSetting());
}

}  // namespace
