#include "frame/HINFO1.h"

#include "frame/ElasticResizer.h"

#include "platform/Dialogs.h"
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

void ReportUnstorableCharacters(const QStringList& refused, const QString& what, const QString& why,
                                const QString& title) {
    if (refused.isEmpty()) return;
    // Each named as it looks and by its code, so that one that shows as nothing is named too.
    QStringList named;
    for (const QString& c : refused) {
        const char32_t code = c.size() == 2 ? QChar::surrogateToUcs4(c.at(0), c.at(1)) : c.at(0).unicode();
        named << QStringLiteral("\"%1\" (U+%2)").arg(c, QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper());
    }
    const bool one = named.size() == 1;
    QString list = named.takeLast();
    if (!named.isEmpty()) list = named.join(QStringLiteral(", ")) + QStringLiteral(" and ") + list;
    HourglassOff();
    platform::msgBox((one ? QStringLiteral("The character ") : QStringLiteral("The characters ")) + list +
                         QStringLiteral(" cannot be kept in ") + what + QStringLiteral(": ") + why + QStringLiteral(".") +
                         platform::CR + (one ? QStringLiteral("It has been left out.") : QStringLiteral("They have been left out.")),
                     platform::Msg::OKOnly | platform::Msg::Exclamation, title);
}

void ElasticResizer::followDisplayMode() { enabled = DisplayMode != SmallerScreenDisplay; }
