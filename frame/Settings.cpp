#include "frame/Settings.h"

#include <algorithm>
#include <climits>

namespace frame {

namespace {

// Blanks only: a tab or other white space is part of the text, as in the stored files.
QString trimBlanks(const QString& text, bool leading) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (leading) {
        while (begin < end && text.at(begin) == QLatin1Char(' '))
            ++begin;
    }
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

int toInt(long long value) {
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

QString readDisplayRecord(int record) {
    return platform::readStringRecord(QString::fromLatin1(DisplaySettingsFile),
                                      DisplaySettingsRecordLength, record);
}

bool writeDisplayRecord(int record, const QString& text, platform::WriteOutcome* outcome) {
    return platform::writeStringRecord(QString::fromLatin1(DisplaySettingsFile),
                                       DisplaySettingsRecordLength, record, text, outcome);
}

}  // namespace

bool isSmallerScreenText(const QString& stored) {
    return trimBlanks(stored, true).left(3) == QLatin1String("Yes");
}

bool readSmallerScreenSetting() {
    return isSmallerScreenText(readDisplayRecord(DisplayModeRecord));
}

bool writeDisplayModeSetting(bool smaller, platform::WriteOutcome* outcome) {
    return writeDisplayRecord(DisplayModeRecord,
                              smaller ? QStringLiteral("Yes") : QStringLiteral("No"), outcome);
}

int readGridWallpaperSetting() {
    return toInt(platform::textToNumber(readDisplayRecord(GridWallpaperRecord)));
}

bool writeGridWallpaperSetting(int wallpaper, platform::WriteOutcome* outcome) {
    return writeDisplayRecord(GridWallpaperRecord, platform::numberToText(wallpaper), outcome);
}

int readGuideLineSetting() {
    return toInt(platform::textToNumber(readDisplayRecord(GuideLineRecord)));
}

bool writeGuideLineSetting(int option, platform::WriteOutcome* outcome) {
    return writeDisplayRecord(GuideLineRecord, platform::numberToText(option), outcome);
}

platform::VariantValue readBackColorSetting() {
    return platform::readVariantRecord(QString::fromLatin1(BackColorFile), BackColorRecordLength,
                                       BackColorRecord);
}

bool writeBackColorSetting(const platform::VariantValue& value, platform::WriteOutcome* outcome) {
    return platform::writeVariantRecord(QString::fromLatin1(BackColorFile), BackColorRecordLength,
                                        BackColorRecord, value, outcome);
}

std::int32_t backColorFromSetting(const platform::VariantValue& stored, std::int32_t systemDefault) {
    switch (stored.type) {
    case platform::VariantValue::Integer:
        return stored.integer;
    case platform::VariantValue::Text:
        if (trimBlanks(stored.text, false) == QLatin1String(SystemDefaultColorText))
            return systemDefault;
        return DefaultBackColor;
    case platform::VariantValue::Empty:
        break;
    }
    return DefaultBackColor;
}

}  // namespace frame
