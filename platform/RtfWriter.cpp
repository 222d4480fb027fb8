#include "platform/RtfWriter.h"

#include "platform/RtfReader.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cmath>
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
    bool operator==(const RunState&) const = default;
};

struct ParaProps {
    int align = 0;
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;
    std::vector<std::pair<int, int>> tabs;  // twips, kind: 0 left, 1 right, 2 centre
    bool operator==(const ParaProps&) const = default;
};

struct Run {
    RunState s;
    QString text;
};

struct Para {
    ParaProps p;
    std::vector<Run> runs;
    bool ended = false;
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
            if (first || !(p.p == curPara)) {
                writePara(out, p.p);
                curPara = p.p;
                first = false;
            }
            for (const Run& r : p.runs) {
                writeRunState(out, cur, r.s);
                cur = r.s;
                for (QChar c : r.text) writeChar(out, c, false);
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
        return s;
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
                if (!para.runs.empty() && para.runs.back().s == st) para.runs.back().text += text;
                else para.runs.push_back(Run{st, text});
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
