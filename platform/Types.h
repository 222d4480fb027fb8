// Small value types shared by every part of the platform layer: colours, fonts, twips.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

namespace platform {

// A colour as the program stores it: 32 bits with red in the lowest byte (0x00BBGGRR).
// Values with the top bit set (0x800000nn) name a system colour n and are resolved from the
// desktop palette each time they are used.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}
constexpr bool isSystemColor(Color c) { return (c & 0x80000000u) != 0; }

// Common system colours (the low byte is the system colour index).
constexpr Color SysWindowBackground = 0x80000005u;
constexpr Color SysWindowText = 0x80000008u;
constexpr Color SysButtonFace = 0x8000000Fu;
constexpr Color SysButtonText = 0x80000012u;
constexpr Color SysHighlight = 0x8000000Du;
constexpr Color SysHighlightText = 0x8000000Eu;
constexpr Color SysInfoBackground = 0x80000018u;

// Colour n (0-15) of the 16-colour palette; 9 is pure blue (&HFF0000).
Color paletteColor(int n);

// Turns a stored colour (RGB or system colour) into what the screen shows.
QColor toQColor(Color c);
Color fromQColor(const QColor& c);

// A control's or printer's font.
struct Font {
    QString name = QStringLiteral("MS Sans Serif");
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const Font&) const = default;
};

// The Qt font that shows a Font; names the desktop lacks fall back to a near family.
QFont toQFont(const Font& f);
Font fromQFont(const QFont& f);

// Twips: 1440 per inch. The conversions use the screen service's twips per pixel.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

// Text of an "&" caption as a person sees it: the access-key marks removed, "&&" as one "&".
QString stripAccessKey(const QString& caption);

}  // namespace platform
