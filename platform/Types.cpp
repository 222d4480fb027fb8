#include "platform/Types.h"

#include "platform/Services.h"

#include <QGuiApplication>
#include <QFontDatabase>
#include <QPalette>
#include <cmath>

namespace platform {

Color paletteColor(int n) {
    // The classic 16-colour palette, stored with red in the lowest byte: 1 navy, 4 maroon,
    // 9 blue (&HFF0000), 12 red (&H0000FF), 15 white.
    static constexpr Color classic[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (n < 0 || n > 15) return 0;
    return classic[n];
}

static QColor systemColor(int index) {
    QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 5: return pal.color(QPalette::Base);            // window background
    case 8: return pal.color(QPalette::Text);            // window text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);         // button face
    case 18: return pal.color(QPalette::ButtonText);
    case 24: return pal.color(QPalette::ToolTipBase);
    case 23: return pal.color(QPalette::ToolTipText);
    case 12: return pal.color(QPalette::Window);         // application workspace
    case 1: return pal.color(QPalette::Window);          // desktop
    case 4: return pal.color(QPalette::Window);          // menu
    case 7: return pal.color(QPalette::WindowText);      // menu text
    case 17: return pal.color(QPalette::PlaceholderText);  // grey text
    case 16: return pal.color(QPalette::Dark);           // button shadow
    case 20: return pal.color(QPalette::Light);          // button highlight
    default: return pal.color(QPalette::Window);
    }
}

QColor toQColor(Color c) {
    if (isSystemColor(c)) return systemColor(int(c & 0xFF));
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

Color fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

QFont toQFont(const Font& f) {
    QFont q;
    QString family = f.name;
    // Times New Roman has faces of the same widths on Linux; a table laid out for it keeps
    // its columns only in one of them.
    static const QString sameWidthSerif = [] {
        for (const QString& candidate : {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman")})
            if (QFontDatabase::families().contains(candidate)) return candidate;
        return QStringLiteral("DejaVu Serif");
    }();
    // The classic bitmap faces are not on Linux desktops; show them in a near family.
    static const QHash<QString, QString> nearFamily = {
        {QStringLiteral("ms sans serif"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("arial"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("times new roman"), sameWidthSerif},
        {QStringLiteral("courier new"), QStringLiteral("DejaVu Sans Mono")},
    };
    // Whether the system has the face is asked once per name: listing every family is slow,
    // and a font is made for every control that is drawn or fitted.
    static QHash<QString, bool> installed;
    auto it = nearFamily.find(family.toLower());
    if (it != nearFamily.end()) {
        auto known = installed.constFind(family);
        if (known == installed.cend()) known = installed.insert(family, QFontDatabase::families().contains(family));
        if (!*known) family = *it;
    }
    q.setFamily(family);
    q.setPointSizeF(f.size > 0 ? f.size : 8.25);
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikethrough);
    return q;
}

Font fromQFont(const QFont& q) {
    Font f;
    f.name = q.family();
    f.size = q.pointSizeF();
    f.bold = q.bold();
    f.italic = q.italic();
    f.underline = q.underline();
    f.strikethrough = q.strikeOut();
    return f;
}

static int divRound(long long a, int b) {
    if (b <= 0) b = 15;
    return int(a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b));
}

int twipsToPixelsX(int twips) { return divRound(twips, screen().twipsPerPixelX()); }
int twipsToPixelsY(int twips) { return divRound(twips, screen().twipsPerPixelY()); }
int pixelsToTwipsX(int pixels) { return int((long long)pixels * screen().twipsPerPixelX()); }
int pixelsToTwipsY(int pixels) { return int((long long)pixels * screen().twipsPerPixelY()); }

QString stripAccessKey(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace platform
