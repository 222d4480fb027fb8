// The look the Action Area's pages share: their face colours, the title colour and the
// window's font.
#pragma once

#include "platform/Types.h"

namespace workbook {

inline constexpr platform::Color PageFace = platform::rgb(232, 236, 242);
inline constexpr platform::Color SelectorFace = platform::rgb(214, 222, 232);
inline constexpr platform::Color TitleColor = platform::rgb(16, 40, 96);

// The overview grid's room, in twips: beside the columns for the vertical scroll bar and the
// frame; the least width of the standards column; the grid's frame; the most a row grows
// where there is room; the grid's height in the smallest window, where it shows the program's
// type size.
inline constexpr int OverviewScrollBarRoom = 360;
inline constexpr int OverviewStandardsMinimum = 1500;
inline constexpr int OverviewGridFrame = 60;
inline constexpr int OverviewExtraPerRow = 240;
inline constexpr int OverviewReferenceHeight = 6600;

inline platform::Font uiFont(double size = 8.25, bool bold = false) {
    platform::Font f;
    f.name = QStringLiteral("MS Sans Serif");
    f.size = size;
    f.bold = bold;
    return f;
}

}  // namespace workbook
