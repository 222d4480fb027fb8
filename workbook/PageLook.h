// The look the Action Area's pages share: their face colours, the title colour and the
// window's font.
#pragma once

#include "platform/Types.h"

namespace workbook {

inline constexpr platform::Color PageFace = platform::rgb(232, 236, 242);
inline constexpr platform::Color SelectorFace = platform::rgb(214, 222, 232);
inline constexpr platform::Color TitleColor = platform::rgb(16, 40, 96);

inline platform::Font uiFont(double size = 8.25, bool bold = false) {
    platform::Font f;
    f.name = QStringLiteral("MS Sans Serif");
    f.size = size;
    f.bold = bold;
    return f;
}

}  // namespace workbook
