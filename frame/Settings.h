// The program frame's two settings files: the display settings (display mode, grid wallpaper,
// preview guide lines) and the start window's background colour. Each helper opens its file,
// reads or writes one record and closes it again; a file that cannot be opened reads as the
// default and a failed write returns false.
#pragma once

#include "platform/Files.h"

#include <cstdint>

namespace frame {

// GColor3.Fil: 20-byte records, each holding one text.
inline constexpr char DisplaySettingsFile[] = "GColor3.Fil";
inline constexpr int DisplaySettingsRecordLength = 20;
inline constexpr int GridWallpaperRecord = 2;   // wallpaper menu index 0-8 as text; 0 = none
inline constexpr int GuideLineRecord = 11;      // guide-line option index 0 or 1 as text
inline constexpr int DisplayModeRecord = 35;    // "Yes" smaller-screen display, "No" full screen

// HINV3.Fil: 10-byte records; record 3 holds the start window's background colour as an
// integer colour, the text "Def" (the system's default colour) or nothing.
inline constexpr char BackColorFile[] = "HINV3.Fil";
inline constexpr int BackColorRecordLength = 10;
inline constexpr int BackColorRecord = 3;
inline constexpr std::int32_t DefaultBackColor = 0xFF0000;  // pure blue
inline constexpr char SystemDefaultColorText[] = "Def";

// True when the stored display mode is the smaller-screen display: the text with its blanks
// removed on both sides begins with "Yes", in exactly that case. Anything else is full screen.
bool readSmallerScreenSetting();
bool isSmallerScreenText(const QString& stored);
// Stores "Yes" for the smaller-screen display, "No" for full screen. Every write gives true
// once the setting is durable; *outcome, when given, tells a failed write from one whose
// record is in the file but not durable (platform::WriteOutcome).
bool writeDisplayModeSetting(bool smaller, platform::WriteOutcome* outcome = nullptr);

int readGridWallpaperSetting();
bool writeGridWallpaperSetting(int wallpaper, platform::WriteOutcome* outcome = nullptr);
int readGuideLineSetting();
bool writeGuideLineSetting(int option, platform::WriteOutcome* outcome = nullptr);

// The stored background colour as it stands in the file (empty when nothing is stored).
platform::VariantValue readBackColorSetting();
bool writeBackColorSetting(const platform::VariantValue& value, platform::WriteOutcome* outcome = nullptr);
// The colour a stored value gives: nothing stored gives DefaultBackColor, "Def" (trailing
// blanks ignored) gives systemDefault, an integer is used unchanged. The program stores no
// other text; one found in the file reads as DefaultBackColor.
std::int32_t backColorFromSetting(const platform::VariantValue& stored, std::int32_t systemDefault);

}  // namespace frame
