#include "platform/CaptionFit.h"
#include "platform/Control.h"

#include "platform/Types.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

// Half a pixel of tolerance: metrics are fractional, the widget's pixels are not.
constexpr double Slack = 0.5;
// Points a caption may shrink further to stay on one line rather than wrap.
constexpr double OneLineRather = 1.5;

QFontMetricsF metrics(const QFont& font, const QWidget* widget) {
    return widget ? QFontMetricsF(font, widget) : QFontMetricsF(font);
}

// Blanks at the end of a line take no room a person could miss.
QString withoutTrailingBlanks(QString s) {
    while (s.endsWith(QLatin1Char(' '))) s.chop(1);
    return s;
}

QString lineBreaksAsNewlines(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// The blanks (their positions among the caption's blanks, 0 first) at which shown breaks into
// lines no wider than width: one break where it makes the two most even lines, else as late as
// each line allows. Empty when the caption fits on one line or cannot be broken to fit.
std::vector<int> lineBreaks(const QString& shown, const QFontMetricsF& fm, double width) {
    std::vector<qsizetype> blanks;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (shown[i] == QLatin1Char(' ')) blanks.push_back(i);
    auto widthOf = [&](qsizetype from, qsizetype to) {
        return fm.horizontalAdvance(shown.mid(from, to - from).trimmed());
    };
    if (blanks.empty() || widthOf(0, shown.size()) <= width + Slack) return {};
    // Two even lines read best where two are enough.
    int best = -1;
    double bestWidth = 0;
    for (std::size_t b = 0; b < blanks.size(); ++b) {
        const double w = std::max(widthOf(0, blanks[b]), widthOf(blanks[b] + 1, shown.size()));
        if (best < 0 || w < bestWidth) {
            best = int(b);
            bestWidth = w;
        }
    }
    if (bestWidth <= width + Slack) return {best};
    // Otherwise each line takes as many words as fit.
    std::vector<int> breaks;
    qsizetype lineStart = 0;
    int lastFit = -1;
    for (std::size_t b = 0; b <= blanks.size(); ++b) {
        const qsizetype end = b < blanks.size() ? blanks[b] : shown.size();
        if (widthOf(lineStart, end) <= width + Slack) {
            lastFit = int(b);
            continue;
        }
        if (lastFit < 0 || (!breaks.empty() && lastFit == breaks.back())) return {};  // a word too wide
        breaks.push_back(lastFit);
        lineStart = blanks[std::size_t(lastFit)] + 1;
        if (widthOf(lineStart, end) > width + Slack) return {};
        lastFit = int(b);
    }
    return breaks;
}

// text with the given blanks (positions among its blanks, ascending) turned into line breaks.
QString breakAtBlanks(QString text, const std::vector<int>& breaks) {
    int blank = -1;
    std::size_t next = 0;
    for (qsizetype i = 0; i < text.size() && next < breaks.size(); ++i) {
        if (text[i] != QLatin1Char(' ') || ++blank != breaks[next]) continue;
        text[i] = QLatin1Char('\n');
        ++next;
    }
    return text;
}

// The caption as shown once broken: the blanks beside a break count towards neither line.
QString brokenShown(const QString& shown, const std::vector<int>& breaks) {
    QStringList parts = breakAtBlanks(shown, breaks).split(QLatin1Char('\n'));
    for (QString& p : parts) p = p.trimmed();
    return parts.join(QLatin1Char('\n'));
}

}  // namespace

bool captionFitsRoom(const QString& shownText, const QFont& font, QSizeF room, CaptionWrap wrap,
                     const QWidget* widget) {
    const QFontMetricsF fm = metrics(font, widget);
    if (wrap == CaptionWrap::Free) {
        const QRectF r = fm.boundingRect(QRectF(0, 0, room.width(), 1e6),
                                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, shownText);
        return r.width() <= room.width() + Slack && r.height() <= room.height() + Slack;
    }
    const QStringList lines = lineBreaksAsNewlines(shownText).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (fm.horizontalAdvance(withoutTrailingBlanks(line)) > room.width() + Slack) return false;
    // Lines stand on whole pixels.
    const double height = std::ceil(fm.height()) + std::ceil(fm.lineSpacing()) * double(lines.size() - 1);
    return height <= room.height() + Slack;
}

CaptionFit fitCaption(const QString& caption, const QFont& font, QSizeF room, CaptionWrap wrap,
                      bool accessKeys, const QWidget* widget) {
    CaptionFit fit;
    fit.font = font;
    fit.text = lineBreaksAsNewlines(caption);
    const QString shown = lineBreaksAsNewlines(accessKeys ? stripAccessKey(caption) : caption);
    fit.lines = int(shown.count(QLatin1Char('\n'))) + 1;
    if (shown.trimmed().isEmpty() || room.width() <= 0 || room.height() <= 0) return fit;

    const double own = font.pointSizeF() > 0 ? font.pointSizeF() : 8.25;
    const double floor = std::min(own, std::max(MinCaptionPointSize, own * MinCaptionShare));
    const bool mayWrap = wrap == CaptionWrap::Lines && fit.lines == 1;
    QFont f = font;
    std::vector<int> breaks;
    for (double size = own;; size = std::max(floor, size - 0.5)) {
        f.setPointSizeF(size);
        if (captionFitsRoom(shown, f, room, wrap, widget)) {
            fit.font = f;
            return fit;
        }
        if (mayWrap) {
            breaks = lineBreaks(shown, metrics(f, widget), room.width());
            if (!breaks.empty() && captionFitsRoom(brokenShown(shown, breaks), f, room, wrap, widget)) {
                // Where the font has had to shrink already, one line a little smaller reads
                // better than two lines; at the control's own size the caption wraps, as the
                // other captions of its list do.
                QFont one = f;
                for (double smaller = size - 0.25; size < own && smaller >= std::max(floor, size - OneLineRather);
                     smaller -= 0.25) {
                    one.setPointSizeF(smaller);
                    if (captionFitsRoom(shown, one, room, wrap, widget)) {
                        fit.font = one;
                        return fit;
                    }
                }
                fit.font = f;
                fit.text = breakAtBlanks(fit.text, breaks);
                fit.lines = int(breaks.size()) + 1;
                return fit;
            }
        }
        if (size <= floor) break;
    }
    // Not even the smallest size fits: show it at that size, broken where it may break.
    fit.font = f;
    fit.fits = false;
    if (!breaks.empty()) {
        fit.text = breakAtBlanks(fit.text, breaks);
        fit.lines = int(breaks.size()) + 1;
    }
    return fit;
}

int captionWidth(const Control& control, const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("&&"), QString(QChar(1))).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
    const QFontMetricsF fm(toQFont(control.font()), control.widget());
    return pixelsToTwipsX(int(std::ceil(fm.horizontalAdvance(shown))) + 2);
}

}  // namespace platform
