// The shared module: the program-wide values that windows share, the hourglass and the
// two-second wait.
#pragma once

#include "platform/Files.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

// ---- program-wide values ---------------------------------------------------------------------
// Navigation request between the area windows: 0 none, 1 Information Advisor, 2 Security Rule,
// 3 Miscellaneous, 4 exit.
inline int RequestedArea = 0;
// 9 smaller-screen display, 0 full-screen display.
inline int DisplayMode = 0;
// The start window's outer size in twips: the reference for the other windows. Kept in 32
// bits so that a wide screen never overflows.
inline std::int32_t StartWidth = 0;
inline std::int32_t StartHeight = 0;
// 0 at program start, 99 once the splash has been shown.
inline int SplashShown = 0;
// 0 from the start window's Load; 9 once the Security Rule window has returned to the Action
// Area (the start window then ends the program when it is activated).
inline int StartUnloadFlag = 0;
// The start window's background colour: an integer colour, or the text "Def" while the system
// default is being saved.
inline platform::VariantValue StartBackColor;
// Shared loop counter, last answer and marker (-899 while a window's Load restores its print
// options, 501 to stop the to-do spell loop).
inline int LoopIndex = 0;
// Backup window mode: BackupMode 0 backup, 1 restore; ModeFlag 0 backup, 99 restore, 88 while
// the editor's print opener ticks a print check box itself.
inline int BackupMode = 0;
inline int ModeFlag = 0;
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
// Work texts of the report procedures.
inline QString PrintLine;
inline std::int32_t PrintPos = 0;

// State of the two-second wait.
inline int WaitCurrent = 0;
inline int WaitStart = 0;
inline int WaitTarget = 0;
inline QTime WaitReference;

namespace HINFO1 {
// Puts every program-wide value back to its value at program start (tests run many programs
// in one process).
void resetProgramState();
}  // namespace HINFO1

// ---- module procedures -----------------------------------------------------------------------
// The busy pointer on and off; one HourglassOff ends any number of HourglassOn.
void HourglassOn();
void HourglassOff();
// Returns when the clock's seconds have advanced by two (between one and two seconds after the
// call). Processes no events; sleeps briefly between clock readings.
void WaitTwoSeconds();
