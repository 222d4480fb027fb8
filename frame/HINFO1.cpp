#include "frame/HINFO1.h"

#include "platform/Services.h"

void HourglassOn() { platform::pointer().setHourglass(true); }

platform::Font ProgramFont(int size, bool bold) {
    platform::Font f;
    f.name = QStringLiteral("DejaVu Sans");
    f.size = size;
    f.bold = bold;
    return f;
}

void UsePrintFont(const platform::Font& f) {
    PrintFontName = f.name;
    PrintFontSize = f.size;
    PrintFontBold = f.bold;
    PrintFontItalic = f.italic;
    PrintFontUnderline = f.underline;
    PrintFontStrikethru = f.strikethrough;
}

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
