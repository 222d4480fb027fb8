#include "tests/support/TestSupport.h"

#include "frame/HINFO1.h"

namespace testsupport {

// ---- a fresh program ------------------------------------------------------------------------

void resetProgramState() {
    RequestedArea = Area::None;
    DisplayMode = FullScreenDisplay;
    StartWidth = 0;
    StartHeight = 0;
    SplashShown = SplashNotShown;
    StartUnloadFlag = StartUnloadNormal;
    StartBackColor = {};
    LoopIndex = 0;
    BackupMode = BackupModeBackup;
    ModeFlag = ModeFlagBackup;
    PrintMarginLeft = PrintMarginRight = PrintMarginTop = PrintMarginBottom = 1440;
    PrintFontName = QStringLiteral("Arial");
    PrintFontSize = 10;
    PrintFontBold = PrintFontItalic = PrintFontUnderline = PrintFontStrikethru = false;
    PrintFontColor = 0;
    PreviewNormalWidth = PreviewNormalLeft = 0;
    NoAsOfDate = NoGridLines = 0;
    WaitCurrent = WaitStart = WaitTarget = 0;
    WaitReference = QTime();
}

void ProgramTest::SetUp() {
    PlatformTest::SetUp();
    resetProgramState();
}

void ProgramTest::startAgain() {
    platform::runtime().destroyAllForms();
    resetProgramState();
}

}  // namespace testsupport
