// Captions that never run past their control: the font and the line breaks with which a
// caption shows whole in the room its control gives it.
//
// The windows were laid out for a narrow bitmap font; the desktop's fonts are wider. A caption
// keeps the control's font where it fits on one line; else it wraps at blanks onto as many lines
// as the control has the height for; else its font shrinks in half-point steps, trying one line
// and then more at each size (one line up to a point and a half smaller rather than more lines),
// down to a floor. What a person reads is the whole caption, never its middle.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

class QWidget;

namespace platform {

struct CaptionFit {
    QFont font;
    // The caption as the widget is given it: with "\n" at the blank where it wraps (the "&"
    // marks kept when the caption has access keys).
    QString text;
    int lines = 1;
    // false only when not even the smallest font fits; the smallest is used then.
    bool fits = true;
};

// How a caption may break.
enum class CaptionWrap {
    OneLine,  // never wraps (a frame's title)
    Lines,    // wraps at blanks where the height allows; two lines are balanced (buttons, options)
    Free,     // the widget wraps words itself (labels, panels); only the font is fitted
};

// The smallest type size a caption is shrunk to, in points, and the share of its own size
// below which it is never shrunk.
inline constexpr double MinCaptionPointSize = 6.0;
inline constexpr double MinCaptionShare = 0.6;

// caption: the text as the control holds it; accessKeys: "&" marks an access key and "&&"
// shows one "&" (the measured text is what a person sees). room: the text area in pixels of
// the widget (its font metrics are those of widget's screen; widget may be null).
CaptionFit fitCaption(const QString& caption, const QFont& font, QSizeF room, CaptionWrap wrap,
                      bool accessKeys, const QWidget* widget = nullptr);

// Whether text, shown in font with the widget's metrics, takes no more room than given:
// lines split at "\n", or words wrapped at room's width for CaptionWrap::Free.
bool captionFitsRoom(const QString& shownText, const QFont& font, QSizeF room, CaptionWrap wrap,
                     const QWidget* widget = nullptr);

class Control;

// The width (twips) a caption takes on one line in a control's own font, as the control
// draws it (the "&" access-key marks aside), with a pixel of room either side.
int captionWidth(const Control& control, const QString& caption);

}  // namespace platform
