#include "platform/RtfWriter.h"

#include "platform/RtfReader.h"

#include <QBrush>
#include <QBuffer>
#include <QImageReader>
#include <QTextImageFormat>
#include <QUrl>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr int kSoftLine = 100;  // break at the next safe point after this many characters
constexpr int kHardLine = 200;  // break before the next token whatever it is

struct RunState {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    int vertical = 0;    // 0 on the line, 1 superscript, 2 subscript
    int caps = 0;        // 0 as written, 1 all capitals, 2 small capitals
    int background = 0;  // colour table index of the background; 0 none
    QString link;        // the hyperlink the text belongs to
    bool operator==(const RunState&) const = default;
};

struct ParaProps {
    int align = 0;
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;
    bool rtl = false;
    std::vector<std::pair<int, int>> tabs;  // twips, kind: 0 left, 1 right, 2 centre
    bool operator==(const ParaProps&) const = default;
};

// A picture of the document: its bytes as they were read, and its size in document pixels.
struct Picture {
    QByteArray bytes;
    bool jpeg = false;
    double width = 0, height = 0;
};

struct Run {
    RunState s;
    QString text;
    std::optional<Picture> picture;  // a run of one picture
};

struct Para {
    ParaProps p;
    std::vector<Run> runs;
    bool ended = false;
    bool breakBefore = false;  // the paragraph starts a page
};

// Output with short lines: breaks go only where every reader ignores them (CR and LF
// between tokens, never between a control word and its delimiting blank).
class Out {
public:
    QByteArray bytes;

    void raw(const char* s) { bytes.append(s); line_ += int(qstrlen(s)); }
    void word(const QByteArray& w) {
        if (line_ >= kSoftLine) newline();
        bytes.append(w);
        line_ += int(w.size());
        delim_ = true;
    }
    void symbol(const QByteArray& s) {
        if (line_ >= kHardLine) newline();
        bytes.append(s);
        line_ += int(s.size());
        delim_ = false;
    }
    void text(char c) {
        if (delim_) {
            bytes.append(' ');
            ++line_;
            delim_ = false;
        }
        if (line_ >= kHardLine) newline();
        bytes.append(c);
        ++line_;
        if (c == ' ' && line_ >= kSoftLine) newline();
    }
    void brace(char c) {
        bytes.append(c);
        ++line_;
        delim_ = false;
    }
    void newline() {
        if (delim_) bytes.append(' ');
        delim_ = false;
        bytes.append("\r\n");
        line_ = 0;
    }
    // Binary data as lines of hex digits.
    void hex(const QByteArray& data) {
        static const char digits[] = "0123456789abcdef";
        newline();
        for (qsizetype i = 0; i < data.size(); ++i) {
            const unsigned char b = (unsigned char)data[i];
            bytes.append(digits[b >> 4]);
            bytes.append(digits[b & 15]);
            if (i % 64 == 63 && i + 1 < data.size()) bytes.append("\r\n");
        }
        line_ = kHardLine;  // the next token starts a new line
    }

private:
    int line_ = 0;
    bool delim_ = false;
};

void writeChar(Out& out, QChar c, bool inFontName) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
        out.symbol(QByteArray("\\") + char(u));
    } else if (u == '\t') {
        if (!inFontName) out.word("\\tab");
    } else if (u == 0x2028) {
        if (!inFontName) out.word("\\line");
    } else if (u < 0x20 || u == 0xFFFC || u == 0x2029 || (inFontName && u == ';')) {
        // control characters and embedded objects have no text form
    } else if (u < 0x7F) {
        out.text(char(u));
    } else {
        const int b = encodeCp1252(c);
        if (b >= 0) {
            char hex[8];
            qsnprintf(hex, sizeof hex, "\\'%02x", b);
            out.symbol(hex);
        } else {
            // The '?' fallback is written as \'3f: some readers skip one character too many
            // after a literal '?', none do after the escaped form.
            const int n = u > 32767 ? int(u) - 65536 : int(u);
            out.symbol("\\u" + QByteArray::number(n) + "\\'3f");
        }
    }
}

// A font name as the font table can hold it (no ';', no control characters, no blanks at
// either end: the reader trims them), so that equal names share one entry.
QString writableFontName(const QString& name) {
    QString out;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == ';' || u == 0x2028 || u == 0x2029 || u == 0xFFFC) continue;
        out += c;
    }
    return out.trimmed();
}

class Writer {
public:
    Writer(const QTextDocument& doc, const RtfDefaults& d) : doc_(doc) {
        defaultFamily_ = d.fontFamily.isEmpty() ? doc.defaultFont().family() : d.fontFamily;
        double pt = d.pointSize > 0 ? d.pointSize : doc.defaultFont().pointSizeF();
        defaultHalfPoints_ = pt > 0 ? std::max(1, int(std::lround(pt * 2))) : 24;
    }

    QByteArray write(int from, int to, bool whole) {
        collect(from, to, whole);
        if (fonts_.isEmpty()) fonts_.append(writableFontName(defaultFamily_));

        Out out;
        out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0");
        out.newline();
        out.brace('{');
        out.word("\\fonttbl");
        for (int i = 0; i < fonts_.size(); ++i) {
            out.brace('{');
            out.word("\\f" + QByteArray::number(i));
            out.word("\\fnil");
            out.word("\\fcharset0");
            for (QChar c : fonts_[i]) writeChar(out, c, true);
            out.symbol(";");
            out.brace('}');
        }
        out.brace('}');
        out.newline();
        out.brace('{');
        out.word("\\colortbl");
        out.symbol(";");
        for (const QColor& c : colors_) {
            out.word("\\red" + QByteArray::number(c.red()));
            out.word("\\green" + QByteArray::number(c.green()));
            out.word("\\blue" + QByteArray::number(c.blue()));
            out.symbol(";");
        }
        out.brace('}');
        out.newline();
        out.word("\\uc1");

        RunState cur;
        ParaProps curPara;
        bool first = true;
        for (const Para& p : paras_) {
            if (p.breakBefore) out.word("\\page");
            if (first || !(p.p == curPara)) {
                writePara(out, p.p);
                curPara = p.p;
                first = false;
            }
            // Text of a hyperlink is the result of a HYPERLINK field; the field's group keeps
            // the formats inside it, so the text after it continues from the state before.
            QString link;
            RunState beforeLink;
            for (const Run& r : p.runs) {
                if (r.s.link != link) {
                    if (!link.isEmpty()) {
                        writeFieldEnd(out);
                        cur = beforeLink;
                    }
                    link = r.s.link;
                    if (!link.isEmpty()) {
                        beforeLink = cur;
                        writeFieldStart(out, link);
                    }
                }
                writeRunState(out, cur, r.s);
                cur = r.s;
                if (r.picture) writePicture(out, *r.picture);
                else
                    for (QChar c : r.text) writeChar(out, c, false);
            }
            if (!link.isEmpty()) {
                writeFieldEnd(out);
                cur = beforeLink;
            }
            if (p.ended) {
                out.word("\\par");
                out.newline();
            }
        }
        out.brace('}');
        out.newline();
        return out.bytes;
    }

private:
    int fontIndex(const QString& family) {
        int i = int(fonts_.indexOf(family));
        if (i >= 0) return i;
        fonts_.append(family);
        return int(fonts_.size()) - 1;
    }

    int colorIndex(const QColor& c) {
        for (size_t i = 0; i < colors_.size(); ++i)
            if (colors_[i].rgb() == c.rgb()) return int(i) + 1;
        colors_.push_back(QColor(c.red(), c.green(), c.blue()));
        return int(colors_.size());
    }

    RunState stateOf(const QTextCharFormat& f) {
        RunState s;
        QString family;
        const QVariant families = f.property(QTextFormat::FontFamilies);
        if (families.isValid()) {
            const QStringList list = families.toStringList();
            if (!list.isEmpty()) family = list.first();
        }
        if (family.isEmpty()) family = f.stringProperty(QTextFormat::FontFamily);
        family = writableFontName(family);
        if (family.isEmpty()) family = writableFontName(defaultFamily_);
        s.font = fontIndex(family);
        s.halfPoints = f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0
                           ? std::max(1, int(std::lround(f.fontPointSize() * 2)))
                           : defaultHalfPoints_;
        s.bold = f.fontWeight() >= QFont::DemiBold;
        s.italic = f.fontItalic();
        s.underline = f.fontUnderline();
        s.strike = f.fontStrikeOut();
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            s.color = colorIndex(f.foreground().color());
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) s.vertical = 1;
        else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) s.vertical = 2;
        if (f.fontCapitalization() == QFont::AllUppercase) s.caps = 1;
        else if (f.fontCapitalization() == QFont::SmallCaps) s.caps = 2;
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            s.background = colorIndex(f.background().color());
        if (f.isAnchor() && !f.anchorHref().isEmpty()) s.link = f.anchorHref();
        return s;
    }

    // A picture of the document whose bytes the document still holds as a resource.
    std::optional<Picture> pictureOf(const QTextImageFormat& f) const {
        const QVariant res = doc_.resource(QTextDocument::ImageResource, QUrl(f.name()));
        if (res.typeId() != QMetaType::QByteArray) return std::nullopt;
        Picture p;
        p.bytes = res.toByteArray();
        if (p.bytes.isEmpty()) return std::nullopt;
        p.jpeg = p.bytes.startsWith("\xff\xd8");
        p.width = f.width();
        p.height = f.height();
        return p;
    }

    static ParaProps propsOf(const QTextBlockFormat& f) {
        ParaProps p;
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignJustify) p.align = 3;
        else if (a & Qt::AlignHCenter) p.align = 2;
        else if (a & Qt::AlignRight) p.align = 1;
        auto twips = [](qreal px) { return int(std::lround(px * 15)); };
        p.li = twips(f.leftMargin());
        p.ri = twips(f.rightMargin());
        p.fi = twips(f.textIndent());
        p.sb = twips(f.topMargin());
        p.sa = twips(f.bottomMargin());
        p.rtl = f.layoutDirection() == Qt::RightToLeft;
        // The layout measures tab stops from where the first line starts; a file from the
        // left margin.
        const int lineStart = std::max(0, p.li + p.fi);
        for (const QTextOption::Tab& t : f.tabPositions())
            p.tabs.emplace_back(twips(t.position) + lineStart, t.type == QTextOption::RightTab    ? 1
                                                   : t.type == QTextOption::CenterTab ? 2
                                                                                      : 0);
        return p;
    }

    void collect(int from, int to, bool whole) {
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            const int start = b.position();
            const int end = start + b.length() - 1;  // the paragraph break stands at `end`
            if (!whole && (end < from || start >= to)) continue;
            Para para;
            para.p = propsOf(b.blockFormat());
            para.ended = whole || (end >= from && end < to);
            para.breakBefore = (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                               && (whole || start >= from);
            for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (!frag.isValid()) continue;
                const int fs = frag.position();
                const int fe = fs + frag.length();
                const int s = whole ? fs : std::max(fs, from);
                const int e = whole ? fe : std::min(fe, to);
                if (s >= e) continue;
                const QString text = frag.text().mid(s - fs, e - s);
                const RunState st = stateOf(frag.charFormat());
                if (frag.charFormat().isImageFormat()) {
                    // One run for each picture (a fragment holds the same picture repeated).
                    const std::optional<Picture> pict = pictureOf(frag.charFormat().toImageFormat());
                    if (pict)
                        for (qsizetype k = 0; k < text.size(); ++k) para.runs.push_back(Run{st, text.mid(k, 1), pict});
                    continue;
                }
                if (!para.runs.empty() && para.runs.back().s == st && !para.runs.back().picture)
                    para.runs.back().text += text;
                else
                    para.runs.push_back(Run{st, text, std::nullopt});
            }
            paras_.push_back(std::move(para));
        }
    }

    static void writePara(Out& out, const ParaProps& p) {
        out.word("\\pard");
        if (p.align == 1) out.word("\\qr");
        else if (p.align == 2) out.word("\\qc");
        else if (p.align == 3) out.word("\\qj");
        if (p.li) out.word("\\li" + QByteArray::number(p.li));
        if (p.ri) out.word("\\ri" + QByteArray::number(p.ri));
        if (p.fi) out.word("\\fi" + QByteArray::number(p.fi));
        if (p.sb) out.word("\\sb" + QByteArray::number(p.sb));
        if (p.sa) out.word("\\sa" + QByteArray::number(p.sa));
        if (p.rtl) out.word("\\rtlpar");
        for (const auto& [pos, kind] : p.tabs) {
            if (kind == 1) out.word("\\tqr");
            if (kind == 2) out.word("\\tqc");
            out.word("\\tx" + QByteArray::number(pos));
        }
    }

    static void writeRunState(Out& out, const RunState& from, const RunState& to) {
        if (from.font != to.font) out.word("\\f" + QByteArray::number(to.font));
        if (from.halfPoints != to.halfPoints) out.word("\\fs" + QByteArray::number(to.halfPoints));
        if (from.bold != to.bold) out.word(to.bold ? "\\b" : "\\b0");
        if (from.italic != to.italic) out.word(to.italic ? "\\i" : "\\i0");
        if (from.underline != to.underline) out.word(to.underline ? "\\ul" : "\\ulnone");
        if (from.strike != to.strike) out.word(to.strike ? "\\strike" : "\\strike0");
        if (from.color != to.color) out.word("\\cf" + QByteArray::number(to.color));
        if (from.vertical != to.vertical) {
            // Each ended by its own word with 0, which more readers know than \nosupersub.
            if (from.vertical == 1) out.word("\\super0");
            if (from.vertical == 2) out.word("\\sub0");
            if (to.vertical == 1) out.word("\\super");
            if (to.vertical == 2) out.word("\\sub");
        }
        if (from.caps != to.caps) {
            if (from.caps == 1) out.word("\\caps0");
            if (from.caps == 2) out.word("\\scaps0");
            if (to.caps == 1) out.word("\\caps");
            if (to.caps == 2) out.word("\\scaps");
        }
        // Character shading, which word processors show and convert as the text's background.
        if (from.background != to.background) out.word("\\chcbpat" + QByteArray::number(to.background));
    }

    static void writeFieldStart(Out& out, const QString& link) {
        out.brace('{');
        out.word("\\field");
        out.brace('{');
        out.symbol("\\*");
        out.word("\\fldinst");
        // A place in the document (#name) is a \l switch; a quote ends the argument, so one in
        // the address is written as the address escapes it.
        QString target = link;
        target.replace(QLatin1Char('"'), QStringLiteral("%22"));
        QString inst = QStringLiteral("HYPERLINK ");
        if (target.startsWith(QLatin1Char('#'))) inst += QStringLiteral("\\l \"") + target.mid(1) + QLatin1Char('"');
        else inst += QLatin1Char('"') + target + QLatin1Char('"');
        // The instruction and the result each in a group of their own, as word processors
        // write them: some readers find neither otherwise.
        out.brace('{');
        for (QChar c : inst) writeChar(out, c, false);
        out.brace('}');
        out.brace('}');
        out.brace('{');
        out.word("\\fldrslt");
        out.brace('{');
    }

    static void writeFieldEnd(Out& out) {
        out.brace('}');
        out.brace('}');
        out.brace('}');
    }

    // A picture with the size it is shown at: \picwgoal and \pichgoal in twips, \picw and
    // \pich the bitmap's own size in pixels.
    static void writePicture(Out& out, const Picture& p) {
        QBuffer buffer;
        buffer.setData(p.bytes);
        buffer.open(QIODevice::ReadOnly);
        const QSize natural = QImageReader(&buffer).size();
        const double w = p.width > 0 ? p.width : std::max(0, natural.width());
        const double h = p.height > 0 ? p.height : std::max(0, natural.height());
        out.brace('{');
        out.word("\\pict");
        out.word(p.jpeg ? "\\jpegblip" : "\\pngblip");
        out.word("\\picw" + QByteArray::number(natural.isValid() ? natural.width() : int(std::lround(w))));
        out.word("\\pich" + QByteArray::number(natural.isValid() ? natural.height() : int(std::lround(h))));
        out.word("\\picwgoal" + QByteArray::number(std::lround(w * 15)));
        out.word("\\pichgoal" + QByteArray::number(std::lround(h * 15)));
        out.hex(p.bytes);
        out.brace('}');
    }

    const QTextDocument& doc_;
    QString defaultFamily_;
    int defaultHalfPoints_ = 24;
    QStringList fonts_;
    std::vector<QColor> colors_;
    std::vector<Para> paras_;
};

}  // namespace

QByteArray writeRtf(const QTextDocument& doc, const RtfDefaults& defaults) {
    return Writer(doc, defaults).write(0, 0, true);
}

QByteArray writeRtfRange(const QTextDocument& doc, int from, int to, const RtfDefaults& defaults) {
    const int last = std::max(0, doc.characterCount() - 1);
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);
    return Writer(doc, defaults).write(from, to, false);
}

}  // namespace platform
