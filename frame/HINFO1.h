// The shared module: the program-wide values that windows share, the hourglass and the
// two-second wait.
#pragma once

#include "platform/Files.h"
#include "platform/Types.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

// ---- program-wide values ---------------------------------------------------------------------
// Navigation request between the area windows; the numbers are the area tabs' indexes.
namespace Area {
enum : int { None = 0, InformationAdvisor = 1, SecurityRule = 2, Miscellaneous = 3, Exit = 4 };
}  // namespace Area
inline int RequestedArea = Area::None;
// The captions of the five area tabs that every area window shows, by tab index (the Action
// Area's tab is 0).
inline const QString AreaTabCaptions[5] = {QStringLiteral("&Action Area"), QStringLiteral("&Information Advisor"),
                                           QStringLiteral("&Security Rule"), QStringLiteral("&Miscellaneous"),
                                           QStringLiteral("E&xit Program")};
// The titles of the boxes that tell of a file that could not be opened, and of a save.
inline const QString OpenDocumentTitle = QStringLiteral("Open Document");
inline const QString SaveCommandTitle = QStringLiteral("Save Command");
// The display mode.
inline constexpr int FullScreenDisplay = 0;
inline constexpr int SmallerScreenDisplay = 9;
inline int DisplayMode = FullScreenDisplay;
// The start window's outer size in twips: the reference for the other windows. Kept in 32
// bits so that a wide screen never overflows.
inline std::int32_t StartWidth = 0;
inline std::int32_t StartHeight = 0;
// Whether the splash has been shown in this run.
inline constexpr int SplashNotShown = 0;
inline constexpr int SplashWasShown = 99;
inline int SplashShown = SplashNotShown;
// StartUnloadNormal from the start window's Load; SecurityRuleReturned once the Security Rule
// window has returned to the Action Area (the start window then ends the program when it is
// activated).
inline constexpr int StartUnloadNormal = 0;
inline constexpr int SecurityRuleReturned = 9;
inline int StartUnloadFlag = StartUnloadNormal;
// The start window's background colour: an integer colour, or the text "Def" while the system
// default is being saved.
inline platform::VariantValue StartBackColor;
// Shared loop counter, last answer and marker.
inline int LoopIndex = 0;
// LoopIndex while a window's Load restores its print options: the option handlers then
// neither store nor rebuild.
inline constexpr int RestoringPrintOptions = -899;
// LoopIndex from the spell checker's end event: stops the to-do spell loop.
inline constexpr int StopToDoSpellLoop = 501;
// Backup window mode.
inline constexpr int BackupModeBackup = 0;
inline constexpr int BackupModeRestore = 1;
inline int BackupMode = BackupModeBackup;
// The backup window's mode again, and a one-time marker of the editor's print opener, which
// ticks a print check box itself (the check box's handler then swallows that click once).
inline constexpr int ModeFlagBackup = 0;
inline constexpr int ModeFlagRestore = 99;
inline constexpr int ModeFlagPrintOpenerTick = 88;
inline int ModeFlag = ModeFlagBackup;
// Page margins in twips shared by all print panels, and the print font.
inline std::int32_t PrintMarginLeft = 1440;
inline std::int32_t PrintMarginRight = 1440;
inline std::int32_t PrintMarginTop = 1440;
inline std::int32_t PrintMarginBottom = 1440;
inline QString PrintFontName = QStringLiteral("Arial");
inline double PrintFontSize = 10;
inline bool PrintFontBold = false;
inline bool PrintFontItalic = false;
inline bool PrintFontUnderline = false;
inline bool PrintFontStrikethru = false;
inline std::uint32_t PrintFontColor = 0;
// The print preview's normal size, saved by each window's Activate for the Enlarge/Normal
// button.
inline std::int32_t PreviewNormalWidth = 0;
inline std::int32_t PreviewNormalLeft = 0;
// The to-do report's options: 1 when "Print 'As of' date on each page" or "Print Grid Lines"
// is unticked, else 0.
inline int NoAsOfDate = 0;
inline int NoGridLines = 0;

// State of the two-second wait.
inline int WaitCurrent = 0;
inline int WaitStart = 0;
inline int WaitTarget = 0;
inline QTime WaitReference;

// ---- module procedures -----------------------------------------------------------------------
// The busy pointer on and off; one HourglassOff ends any number of HourglassOn.
void HourglassOn();
void HourglassOff();

// Says that characters typed into a box whose text goes to an 8-bit file (Windows-1252, which
// would keep each as "?") have been left out: the message, with the given title, names each
// of them and says that they cannot be kept in what, because why.
void ReportUnstorableCharacters(const QStringList& refused, const QString& what, const QString& why,
                                const QString& title);
// The face of the program's own labels and buttons (DejaVu Sans) at a size, bold or not.
platform::Font ProgramFont(int size, bool bold);
// The print font becomes the given font: its name, size and styles (the colour is left).
void UsePrintFont(const platform::Font& f);
// Returns when the clock's seconds have advanced by two (between one and two seconds after the
// call). Processes no events; sleeps briefly between clock readings.
void WaitTwoSeconds();
