#include "frame/HINFO1.h"

#include "platform/Services.h"

void HINFO1::resetProgramState() {
    RequestedArea = 0;
    DisplayMode = 0;
    StartWidth = 0;
    StartHeight = 0;
    SplashShown = 0;
    StartUnloadFlag = 0;
    StartBackColor = {};
    LoopIndex = 0;
    BackupMode = 0;
    ModeFlag = 0;
    PrintMarginLeft = PrintMarginRight = PrintMarginTop = PrintMarginBottom = 1440;
    PrintFontName = QStringLiteral("Arial");
    PrintFontSize = 10;
    PrintFontBold = PrintFontItalic = PrintFontUnderline = PrintFontStrikethru = false;
    PrintFontColor = 0;
    PreviewNormalWidth = PreviewNormalLeft = 0;
    NoAsOfDate = NoGridLines = 0;
    PrintLine.clear();
    PrintPos = 0;
    WaitCurrent = WaitStart = WaitTarget = 0;
    WaitReference = QTime();
}

void HourglassOn() { platform::pointer().setHourglass(true); }

void HourglassOff() { platform::pointer().setHourglass(false); }

void WaitTwoSeconds() {
    WaitReference = QTime::fromString(QStringLiteral("23:59:59"), QStringLiteral("HH:mm:ss"));
    const int r = WaitReference.second();
    auto secondsLeft = [r] { return (r - platform::clock().timeOfDay().second()) + 1; };
    WaitCurrent = secondsLeft();
    WaitStart = WaitCurrent;
    // Across a minute boundary the difference runs negative: a wait begun in second 58 or 59
    // ends in second 0 or 1.
    WaitTarget = WaitStart < 3 ? -58 : 2;
    while (WaitStart - WaitCurrent != WaitTarget) {
        // No events are processed here; the pause only keeps the wait from spinning a core.
        platform::clock().pause(20);
        WaitCurrent = secondsLeft();
    }
}
