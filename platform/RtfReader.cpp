#include "platform/RtfReader.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

// ---- code pages ----------------------------------------------------------------------------

namespace {

// Windows-1252 0x80-0x9F; the five unassigned bytes map to the C1 control of the same value,
// as Windows itself does, so that every byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

using HighTable = std::array<char16_t, 128>;

HighTable cp1252Table() {
    HighTable t{};
    for (int i = 0; i < 128; ++i)
        t[size_t(i)] = i < 32 ? kCp1252High[i] : char16_t(0x80 + i);
    return t;
}

const HighTable& cp1252() {
    static const HighTable t = cp1252Table();
    return t;
}

// The code pages whose characters take a lead and a trail byte.
bool isMultiByte(int codePage) {
    switch (codePage) {
    case 932: case 936: case 949: case 950: case 1361:
    case 10001: case 10002: case 10003: case 10008:
        return true;
    default:
        return false;
    }
}

// The name Qt's decoders know a code page by; empty when there is none to try.
QByteArray decoderName(int codePage) {
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 10000: return "macintosh";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10029: return "x-mac-centraleurroman";
    case 10081: return "x-mac-turkish";
    default:
        if (codePage >= 1250 && codePage <= 1258) return "windows-" + QByteArray::number(codePage);
        return {};
    }
}

QStringDecoder makeDecoder(int codePage) {
    const QByteArray name = decoderName(codePage);
    if (name.isEmpty()) return QStringDecoder();
    return QStringDecoder(name.constData(), QStringDecoder::Flag::Stateless);
}

// The upper half of a single-byte code page, built once from Qt's decoder; nullptr when Qt
// cannot decode it. A byte the code page leaves undefined reads as in Windows-1252.
const HighTable* singleByteTable(int codePage) {
    if (codePage == 1252 || codePage == 0) return &cp1252();
    if (isMultiByte(codePage)) return nullptr;
    static std::mutex mutex;
    static std::map<int, std::optional<HighTable>> tables;
    const std::lock_guard<std::mutex> lock(mutex);
    auto it = tables.find(codePage);
    if (it == tables.end()) {
        std::optional<HighTable> table;
        QStringDecoder dec = makeDecoder(codePage);
        if (dec.isValid()) {
            table = cp1252();
            for (int i = 0; i < 128; ++i) {
                const char byte = char(0x80 + i);
                const QString s = dec.decode(QByteArrayView(&byte, 1));
                if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter)
                    (*table)[size_t(i)] = s.at(0).unicode();
            }
        }
        it = tables.emplace(codePage, table).first;
    }
    return it->second ? &*it->second : nullptr;
}

// The code page of a font's \fcharset; 0 for ANSI, the default and symbol fonts, whose text
// is in the document's code page.
int charsetToCodePage(int charset) {
    switch (charset) {
    case 77: return 10000;   // Mac Roman
    case 78: return 10001;   // Mac Japanese
    case 79: return 10003;   // Mac Korean
    case 80: return 10008;   // Mac Simplified Chinese
    case 81: return 10002;   // Mac Traditional Chinese
    case 83: return 10005;   // Mac Hebrew
    case 84: return 10004;   // Mac Arabic
    case 85: return 10006;   // Mac Greek
    case 86: return 10081;   // Mac Turkish
    case 87: return 10021;   // Mac Thai
    case 88: return 10029;   // Mac Central European
    case 89: return 10007;   // Mac Cyrillic
    case 128: return 932;    // Japanese (Shift-JIS)
    case 129: return 949;    // Korean (Hangul)
    case 130: return 1361;   // Korean (Johab)
    case 134: return 936;    // Simplified Chinese (GBK)
    case 136: return 950;    // Traditional Chinese (Big5)
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai
    case 238: return 1250;   // Eastern European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;
    }
}

}  // namespace

QChar decodeCodePageByte(int codePage, unsigned char byte) {
    if (byte < 0x80) return QChar(char16_t(byte));
    const HighTable* t = singleByteTable(codePage);
    return QChar((t ? *t : cp1252())[byte - 0x80]);
}

bool canDecodeCodePage(int codePage) {
    if (isMultiByte(codePage)) return makeDecoder(codePage).isValid();
    return singleByteTable(codePage) != nullptr;
}

int encodeCp1252(QChar c) {
    char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    static const QHash<char16_t, int> reverse = [] {
        QHash<char16_t, int> h;
        for (int i = 0; i < 32; ++i) h.insert(kCp1252High[i], 0x80 + i);
        return h;
    }();
    return reverse.value(u, -1);
}

bool looksLikeRtf(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

// ---- the parser ----------------------------------------------------------------------------

namespace {

constexpr int kMaxDepth = 200;
constexpr long long kParamLimit = 1000000;
constexpr int kIndentLimit = 31680;  // 22 inches in twips

struct CharState {
    int font = -1;  // -1: the default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int color = 0;  // 0: automatic
    bool operator==(const CharState&) const = default;
};

struct TabStop {
    int pos = 0;   // twips from the left margin
    int kind = 0;  // 0 left, 1 right, 2 centre
    bool operator==(const TabStop&) const = default;
};

// A paragraph keeps at most this many tab stops; further ones are not read.
constexpr std::size_t kMaxTabStops = 64;

struct ParaState {
    int align = 0;  // 0 left, 1 right, 2 centre, 3 justified
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;  // twips
    bool inTable = false;
    std::vector<TabStop> tabs;  // in the order written
    int nextTabKind = 0;        // \tqr or \tqc before the next \tx
};

enum class Dest { Text, Skip, FontTable, ColorTable };

struct Group {
    CharState c;
    ParaState p;
    Dest dest = Dest::Text;
    int uc = 1;
};

struct Run {
    CharState c;
    QString text;
};

struct Para {
    ParaState p;
    CharState endFormat;
    std::vector<Run> runs;
    bool ended = false;
    bool endedRow = false;  // ended by \row: the next cell starts a line of its own
    bool hasText() const {
        for (const Run& r : runs)
            if (!r.text.isEmpty()) return true;
        return false;
    }
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

class Parser {
public:
    explicit Parser(const QByteArray& in) : in_(in) {}

    void parse();

    std::vector<Para> paras;
    std::map<int, FontEntry> fonts;
    std::vector<std::optional<QColor>> colors;
    int deff = 0;
    int undecodableCodePage = 0;  // the first code page text was in that Qt cannot decode

private:
    Group& g() { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void controlWord(const QByteArray& word, bool hasParam, long long param, long long raw);
    void controlSymbol(char c);
    void textByte(unsigned char b);
    void hexByte(unsigned char b);
    void codeByte(unsigned char b);
    void flushBytes();
    void deliver(QChar ch);
    void text(QChar ch);
    void endParagraph();
    void flushPendingTab();
    int codePageForText();
    void commitFont();
    void skipBinary(long long n);
    bool skippingFallback();

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<Group> stack_;
    int overflow_ = 0;  // groups opened beyond the depth cap
    int docCodePage_ = 1252;
    // Bytes of a multi-byte code page not yet decoded: a character's lead and trail bytes
    // come as two \'hh (or a \'hh and a letter) and are decoded together.
    QByteArray pending_;
    int pendingCodePage_ = 0;
    QStringDecoder decoder_;
    int decoderCodePage_ = -1;
    int skip_ = 0;      // fallback characters still to skip after \uN
    bool pendingTab_ = false;
    bool done_ = false;
    // "\*" was just read: the group is skipped unless the control word that follows names a
    // destination the reader reads; starDest_ is where the group's text went before.
    bool star_ = false;
    Dest starDest_ = Dest::Text;
    // The cells of the table row being read: where each ends (\cellx) and the room before a
    // cell's text (\trgaph). A row shown as one line of tab-separated cells gets a tab stop
    // where each of its cells after the first begins, so its columns line up as in the table.
    std::vector<int> rowCellEnds_;
    int rowGap_ = 0;

    // font table entry being read
    int fontNum_ = -1;
    int fontCodePage_ = 0;
    QString fontName_;
    bool fontOpen_ = false;
    // colour table entry being read
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
};

void Parser::parse() {
    stack_.reserve(kMaxDepth + 1);
    stack_.push_back(Group{});
    paras.emplace_back();
    const qsizetype n = in_.size();
    // The outermost "{" opens the document group; everything is read inside it.
    bool started = false;
    while (pos_ < n && !done_) {
        const char ch = in_[pos_];
        switch (ch) {
        case '{':
            ++pos_;
            skip_ = 0;
            star_ = false;
            if (!pending_.isEmpty()) flushBytes();
            if (!started) started = true;
            else openGroup();
            break;
        case '}':
            ++pos_;
            skip_ = 0;
            star_ = false;
            if (!pending_.isEmpty()) flushBytes();
            closeGroup();
            break;
        case '\\': {
            ++pos_;
            if (pos_ >= n) break;
            const char c = in_[pos_];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                QByteArray word;
                while (pos_ < n && ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z'))) {
                    if (word.size() < 32) word.append(in_[pos_]);
                    ++pos_;
                }
                bool hasParam = false;
                bool negative = false;
                long long raw = 0;
                if (pos_ + 1 < n && in_[pos_] == '-' && in_[pos_ + 1] >= '0' && in_[pos_ + 1] <= '9') {
                    negative = true;
                    ++pos_;
                }
                while (pos_ < n && in_[pos_] >= '0' && in_[pos_] <= '9') {
                    hasParam = true;
                    if (raw < 1000000000000LL) raw = raw * 10 + (in_[pos_] - '0');
                    ++pos_;
                }
                if (negative) raw = -raw;
                if (pos_ < n && in_[pos_] == ' ') ++pos_;
                const long long param = std::clamp(raw, -kParamLimit, kParamLimit);
                if (skippingFallback()) {
                    if (word == "bin" && hasParam) skipBinary(raw);
                    break;
                }
                if (!pending_.isEmpty()) flushBytes();
                controlWord(word, hasParam, param, raw);
            } else {
                ++pos_;
                if (c == '\'') {
                    star_ = false;
                    int value = 0, digits = 0;
                    while (digits < 2 && pos_ < n) {
                        const char h = in_[pos_];
                        int d = (h >= '0' && h <= '9') ? h - '0'
                              : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                              : (h >= 'A' && h <= 'F') ? h - 'A' + 10 : -1;
                        if (d < 0) break;
                        value = value * 16 + d;
                        ++digits;
                        ++pos_;
                    }
                    if (skippingFallback()) break;
                    if (digits > 0) hexByte((unsigned char)value);
                } else {
                    if (skippingFallback()) break;
                    if (!pending_.isEmpty() && c != '\\' && c != '{' && c != '}') flushBytes();
                    controlSymbol(c);
                }
            }
            break;
        }
        case '\r':
        case '\n':
            ++pos_;
            break;
        default:
            ++pos_;
            star_ = false;
            if (skippingFallback()) break;
            textByte((unsigned char)ch);
            break;
        }
    }
    if (!pending_.isEmpty()) flushBytes();
    // A file cut short keeps its open font entry.
    if (fontOpen_) commitFont();
}

bool Parser::skippingFallback() {
    if (skip_ <= 0) return false;
    --skip_;
    return true;
}

void Parser::openGroup() {
    if ((int)stack_.size() >= kMaxDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(stack_.back());
}

void Parser::closeGroup() {
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) {
        done_ = true;  // the document group is closed; what follows is not read
        return;
    }
    const Dest closing = g().dest;
    stack_.pop_back();
    // A font entry written as its own group may omit the closing ";".
    if (closing == Dest::FontTable && fontOpen_) commitFont();
}

void Parser::commitFont() {
    if (fontNum_ >= 0 && !fonts.count(fontNum_))
        fonts[fontNum_] = FontEntry{fontName_.trimmed(), fontCodePage_};
    fontOpen_ = false;
    fontName_.clear();
}

void Parser::skipBinary(long long n) {
    const qsizetype left = in_.size() - pos_;
    pos_ += qsizetype(std::clamp<long long>(n, 0, left));
}

int Parser::codePageForText() {
    if (g().dest == Dest::FontTable && fontCodePage_) return fontCodePage_;
    int f = g().c.font < 0 ? deff : g().c.font;
    auto it = fonts.find(f);
    if (it != fonts.end() && it->second.codePage) return it->second.codePage;
    return docCodePage_;
}

void Parser::textByte(unsigned char b) {
    switch (g().dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (b == ';') {
            if (!pending_.isEmpty()) flushBytes();
            commitFont();
        } else if (b >= 0x20) {
            codeByte(b);
        }
        return;
    case Dest::ColorTable:
        if (b == ';') {
            colors.push_back(colorSet_ ? std::optional<QColor>(QColor(red_, green_, blue_)) : std::nullopt);
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        }
        return;
    case Dest::Text:
        if (b == '\t') {
            if (!pending_.isEmpty()) flushBytes();
            text(QChar('\t'));
        } else if (b >= 0x20) {
            codeByte(b);
        }
        return;
    }
}

void Parser::hexByte(unsigned char b) {
    if (g().dest != Dest::Text && g().dest != Dest::FontTable) return;
    if (b == '\t' && g().dest == Dest::Text) {
        if (!pending_.isEmpty()) flushBytes();
        text(QChar('\t'));
    } else if (b >= 0x20 || !pending_.isEmpty()) {
        // A trail byte may lie below 0x20 in no code page, but a lone control byte after a
        // lead byte still belongs to the pair the decoder judges.
        codeByte(b);
    }
}

// A byte of text in the code page of the current font (or of the document).
void Parser::codeByte(unsigned char b) {
    const int cp = codePageForText();
    if (!pending_.isEmpty() && cp != pendingCodePage_) flushBytes();
    if (pending_.isEmpty()) {
        if (b < 0x80) {
            deliver(QChar(char16_t(b)));
            return;
        }
        if (isMultiByte(cp)) {
            pendingCodePage_ = cp;
            pending_.append(char(b));
            return;
        }
        const HighTable* t = singleByteTable(cp);
        if (!t && !undecodableCodePage) undecodableCodePage = cp;
        deliver(QChar((t ? *t : cp1252())[b - 0x80]));
        return;
    }
    pending_.append(char(b));
}

void Parser::flushBytes() {
    const QByteArray bytes = std::exchange(pending_, QByteArray());
    if (decoderCodePage_ != pendingCodePage_) {
        decoder_ = makeDecoder(pendingCodePage_);
        decoderCodePage_ = pendingCodePage_;
    }
    QStringDecoder& dec = decoder_;
    if (!dec.isValid()) {
        if (!undecodableCodePage) undecodableCodePage = pendingCodePage_;
        for (char b : bytes) deliver(decodeCodePageByte(1252, (unsigned char)b));
        return;
    }
    const QString s = dec.decode(bytes);
    for (QChar ch : s)
        if (ch.unicode() >= 0x20 || ch == QLatin1Char('\t')) deliver(ch);
}

void Parser::deliver(QChar ch) {
    if (g().dest == Dest::FontTable) fontName_.append(ch);
    else text(ch);
}

void Parser::flushPendingTab() {
    if (!pendingTab_) return;
    pendingTab_ = false;
    QChar tab('\t');
    Para& p = paras.back();
    if (p.runs.empty() || !(p.runs.back().c == g().c)) p.runs.push_back(Run{g().c, {}});
    p.runs.back().text.append(tab);
}

void Parser::text(QChar ch) {
    if (g().dest != Dest::Text || g().c.hidden) return;
    const char16_t u = ch.unicode();
    // Characters that would change the document's structure rather than show.
    if (u == 0x2029) { endParagraph(); return; }
    if ((u < 0x20 && u != '\t') || u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1 || u == 0xFEFF) return;
    flushPendingTab();
    Para& p = paras.back();
    if (p.runs.empty() || !(p.runs.back().c == g().c)) p.runs.push_back(Run{g().c, {}});
    p.runs.back().text.append(ch);
}

void Parser::endParagraph() {
    if (g().dest != Dest::Text) return;
    flushPendingTab();
    Para& p = paras.back();
    p.p = g().p;
    p.endFormat = g().c;
    p.ended = true;
    paras.emplace_back();
}

void Parser::controlSymbol(char c) {
    switch (c) {
    case '\\': case '{': case '}': textByte((unsigned char)c); break;
    case '~': text(QChar(0x00A0)); break;
    case '_': text(QChar(0x2011)); break;
    case '-': break;  // optional hyphen: nothing to show
    case '*':
        if (g().dest == Dest::Skip) break;
        starDest_ = g().dest;
        star_ = true;
        g().dest = Dest::Skip;
        break;
    case '\r': case '\n': endParagraph(); break;
    case '\t': text(QChar('\t')); break;
    default: break;
    }
}

// Destinations whose contents are never shown.
bool isSkippedDestination(const QByteArray& w) {
    static const QByteArray words[] = {
        "info", "stylesheet", "pict", "object", "fldinst", "listtable", "listoverridetable",
        "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
        "generator", "rsidtbl", "pn", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor",
        "txe", "xe", "tc", "tcn", "filetbl", "revtbl", "pgdsctbl", "bkmkstart", "bkmkend",
        "objdata", "nonshppict", "shp", "shpinst", "shprslt", "do", "private", "template",
        "userprops", "docvar", "background", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc",
        "fchars", "lchars", "pntxta", "pntxtb", "falt", "panose", "mmathPr", "keywords",
        "title", "subject", "author", "operator", "comment", "doccomm", "company",
        "category", "manager", "hlinkbase", "printim", "revtim", "creatim", "buptim",
        "wgrffmtfilter", "pnseclvl", "listpicture", "passwordhash", "protusertbl",
        "nonesttables"};
    for (const QByteArray& d : words)
        if (w == d) return true;
    return false;
}

void Parser::controlWord(const QByteArray& w, bool hasParam, long long param, long long raw) {
    Group& s = g();
    if (w == "bin") {  // raw bytes follow, in any destination
        if (hasParam) skipBinary(raw);
        return;
    }
    if (s.dest == Dest::Skip) {
        // A destination marked "\*" is read when the reader knows it: the visible result of
        // a field, as some word processors mark every one.
        if (!std::exchange(star_, false) || w != "fldrslt") return;
        s.dest = starDest_;
    }
    star_ = false;

    if (w == "fonttbl") { s.dest = Dest::FontTable; return; }
    if (w == "colortbl") {
        s.dest = Dest::ColorTable;
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
        return;
    }
    if (isSkippedDestination(w)) { s.dest = Dest::Skip; return; }

    if (s.dest == Dest::FontTable) {
        if (w == "f") {
            if (fontOpen_) commitFont();
            fontNum_ = int(std::max<long long>(param, 0));
            fontCodePage_ = 0;
            fontName_.clear();
            fontOpen_ = true;
        } else if (w == "fcharset") {
            fontCodePage_ = charsetToCodePage(int(param));
        } else if (w == "cpg") {
            fontCodePage_ = param > 0 ? int(param) : 0;
        } else if (w == "u" && hasParam) {
            long long u = std::clamp<long long>(param, -32768, 65535);
            if (u < 0) u += 65536;
            if (u >= 0x20) fontName_.append(QChar(char16_t(u)));
            skip_ = s.uc;
        } else if (w == "uc") {
            s.uc = int(std::clamp<long long>(param, 0, 10));
        }
        return;
    }
    if (s.dest == Dest::ColorTable) {
        const int v = int(std::clamp<long long>(param, 0, 255));
        if (w == "red") { red_ = v; colorSet_ = true; }
        else if (w == "green") { green_ = v; colorSet_ = true; }
        else if (w == "blue") { blue_ = v; colorSet_ = true; }
        return;
    }

    // ---- body text ----
    const bool on = !hasParam || param != 0;
    if (w == "par") { endParagraph(); return; }
    if (w == "line") { text(QChar(0x2028)); return; }
    if (w == "tab") { text(QChar('\t')); return; }
    if (w == "cell" || w == "nestcell") {
        // A cell whose text ends with \par: the cell stays on the row's line. An empty cell at
        // the start of a row is not such a one; its row keeps a line of its own.
        if (paras.size() > 1 && paras.back().runs.empty() && paras[paras.size() - 2].ended
            && !paras[paras.size() - 2].endedRow && paras[paras.size() - 2].p.inTable) {
            paras.pop_back();
            paras.back().ended = false;
        }
        flushPendingTab();
        pendingTab_ = true;
        return;
    }
    if (w == "row" || w == "nestrow") {
        pendingTab_ = false;
        if (g().dest != Dest::Text) return;
        endParagraph();
        Para& row = paras[paras.size() - 2];
        row.endedRow = true;
        if (row.p.inTable && row.p.tabs.empty())
            for (std::size_t k = 0; k + 1 < rowCellEnds_.size(); ++k)
                row.p.tabs.push_back(TabStop{std::min(rowCellEnds_[k] + rowGap_, kIndentLimit), 0});
        return;
    }
    if (w == "page" || w == "sect") {
        if (paras.back().hasText()) endParagraph();
        return;
    }
    if (w == "u") {
        if (hasParam) {
            long long u = std::clamp<long long>(param, -32768, 65535);
            if (u < 0) u += 65536;
            text(QChar(char16_t(u)));
        }
        skip_ = s.uc;
        return;
    }
    if (w == "uc") { s.uc = int(std::clamp<long long>(param, 0, 10)); return; }
    if (w == "b") { s.c.bold = on; return; }
    if (w == "i") { s.c.italic = on; return; }
    if (w == "strike" || w == "striked") { s.c.strike = on; return; }
    if (w == "ulnone") { s.c.underline = false; return; }
    if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash"
        || w == "uldashd" || w == "uldashdd" || w == "ulhwave" || w == "ulwave"
        || w == "ululdbwave" || w == "ulthd" || w == "ulthdash" || w == "ulldash"
        || w == "ulthldash" || w == "ulthdashd" || w == "ulthdashdd") {
        s.c.underline = on;
        return;
    }
    if (w == "v") { s.c.hidden = on; return; }
    if (w == "fs") {
        s.c.halfPoints = (hasParam && param > 0) ? int(std::clamp<long long>(param, 2, 3276)) : 24;
        return;
    }
    if (w == "f") { s.c.font = int(std::max<long long>(param, 0)); return; }
    if (w == "cf") { s.c.color = int(std::max<long long>(param, 0)); return; }
    if (w == "plain") {
        s.c = CharState{};
        return;
    }
    if (w == "pard") { s.p = ParaState{}; return; }
    if (w == "intbl") { s.p.inTable = true; return; }
    if (w == "ql") { s.p.align = 0; return; }
    if (w == "qr") { s.p.align = 1; return; }
    if (w == "qc") { s.p.align = 2; return; }
    if (w == "qj" || w == "qd") { s.p.align = 3; return; }
    const int twips = int(std::clamp<long long>(param, -kIndentLimit, kIndentLimit));
    if (w == "li") { s.p.li = twips; return; }
    if (w == "ri") { s.p.ri = twips; return; }
    if (w == "fi") { s.p.fi = twips; return; }
    if (w == "sb") { s.p.sb = std::max(0, twips); return; }
    if (w == "sa") { s.p.sa = std::max(0, twips); return; }
    if (w == "tqr") { s.p.nextTabKind = 1; return; }
    if (w == "tqc") { s.p.nextTabKind = 2; return; }
    if (w == "trowd") {
        rowCellEnds_.clear();
        rowGap_ = 0;
        return;
    }
    if (w == "trgaph") { rowGap_ = std::clamp(twips, 0, 1440); return; }
    if (w == "cellx") {
        if (rowCellEnds_.size() < kMaxTabStops) rowCellEnds_.push_back(std::max(0, twips));
        return;
    }
    if (w == "tx") {
        if (s.p.tabs.size() < kMaxTabStops) s.p.tabs.push_back(TabStop{std::max(0, twips), s.p.nextTabKind});
        s.p.nextTabKind = 0;
        return;
    }
    if (w == "deff") { deff = int(std::max<long long>(param, 0)); return; }
    if (w == "ansicpg") { docCodePage_ = param > 0 ? int(param) : 1252; return; }
    if (w == "ansi") { docCodePage_ = 1252; return; }
    if (w == "mac") { docCodePage_ = 10000; return; }
    if (w == "pc") { docCodePage_ = 437; return; }
    if (w == "pca") { docCodePage_ = 850; return; }

    static const std::pair<const char*, char16_t> symbols[] = {
        {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C},
        {"ltrmark", 0x200E}, {"rtlmark", 0x200F}};
    for (const auto& [name, u] : symbols) {
        if (w == name) {
            text(QChar(u));
            return;
        }
    }
    // Anything else (unknown words, list and table layout, page set-up) changes nothing shown.
}

// ---- building the document -------------------------------------------------------------------

class Builder {
public:
    explicit Builder(const Parser& p) : p_(p) {}

    QTextCharFormat charFormat(const CharState& c) const {
        QTextCharFormat f;
        auto it = p_.fonts.find(c.font < 0 ? p_.deff : c.font);
        if (it != p_.fonts.end() && !it->second.name.isEmpty())
            f.setFontFamilies(QStringList{it->second.name});
        f.setFontPointSize(c.halfPoints / 2.0);
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontStrikeOut(c.strike);
        if (c.color > 0 && size_t(c.color) < p_.colors.size() && p_.colors[size_t(c.color)].has_value())
            f.setForeground(QBrush(*p_.colors[size_t(c.color)]));
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState& p) {
        QTextBlockFormat f;
        static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                                   Qt::AlignJustify};
        f.setAlignment(aligns[std::clamp(p.align, 0, 3)]);
        // Indents are kept in document pixels at 96 dpi: 15 twips each.
        if (p.li) f.setLeftMargin(p.li / 15.0);
        if (p.ri) f.setRightMargin(p.ri / 15.0);
        if (p.fi) f.setTextIndent(p.fi / 15.0);
        if (p.sb) f.setTopMargin(p.sb / 15.0);
        if (p.sa) f.setBottomMargin(p.sa / 15.0);
        if (!p.tabs.empty()) {
            // A file measures tab stops from the left margin; the layout measures them from
            // where the paragraph's first line starts.
            const int lineStart = std::max(0, p.li + p.fi);
            QList<QTextOption::Tab> tabs;
            for (const TabStop& t : p.tabs)
                tabs.append(QTextOption::Tab(std::max(0, t.pos - lineStart) / 15.0,
                                             t.kind == 1   ? QTextOption::RightTab
                                                           : t.kind == 2 ? QTextOption::CenterTab
                                                                         : QTextOption::LeftTab));
            f.setTabPositions(tabs);
        }
        return f;
    }

    void insertRuns(QTextCursor& cur, const Para& para) const {
        for (const Run& r : para.runs)
            if (!r.text.isEmpty()) cur.insertText(fixSurrogates(r.text), charFormat(r.c));
    }

    static QString fixSurrogates(const QString& s) {
        QString out = s;
        for (qsizetype i = 0; i < out.size(); ++i) {
            const QChar c = out.at(i);
            if (c.isHighSurrogate()) {
                if (i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) ++i;
                else out[i] = QChar::ReplacementCharacter;
            } else if (c.isLowSurrogate()) {
                out[i] = QChar::ReplacementCharacter;
            }
        }
        return out;
    }

private:
    const Parser& p_;
};

std::vector<QString> plainLines(const QByteArray& bytes) {
    std::vector<QString> lines(1);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = (unsigned char)bytes[i];
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else if (b == '\t' || b >= 0x20) {
            lines.back().append(decodeCodePageByte(1252, b));
        }
    }
    return lines;
}

}  // namespace

void readRtfDocument(const QByteArray& bytes, QTextDocument& doc, RtfReadReport* report) {
    if (report) *report = RtfReadReport{};
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    QTextCursor cur(&doc);
    cur.beginEditBlock();
    if (!looksLikeRtf(bytes)) {
        const std::vector<QString> lines = plainLines(bytes);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) cur.insertBlock(QTextBlockFormat(), QTextCharFormat());
            if (!lines[i].isEmpty()) cur.insertText(lines[i], QTextCharFormat());
        }
    } else {
        Parser parser(bytes);
        parser.parse();
        if (report) report->undecodableCodePage = parser.undecodableCodePage;
        std::vector<Para>& paras = parser.paras;
        if (paras.size() > 1 && !paras.back().ended && !paras.back().hasText()) paras.pop_back();
        Builder b(parser);
        // The paragraph still open at the end takes the state the file left it in.
        for (size_t i = 0; i < paras.size(); ++i) {
            const Para& p = paras[i];
            const QTextBlockFormat bf = Builder::blockFormat(p.p);
            const CharState& last = p.ended || p.runs.empty() ? p.endFormat : p.runs.back().c;
            const QTextCharFormat endFmt = b.charFormat(last);
            if (i == 0) {
                cur.setBlockFormat(bf);
                cur.setBlockCharFormat(endFmt);
            } else {
                cur.insertBlock(bf, endFmt);
            }
            b.insertRuns(cur, p);
        }
    }
    cur.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
}

void insertRtf(const QByteArray& bytes, QTextCursor& cursor) {
    cursor.beginEditBlock();
    if (cursor.hasSelection()) cursor.removeSelectedText();
    const QTextBlockFormat original = cursor.blockFormat();
    if (!looksLikeRtf(bytes)) {
        const std::vector<QString> lines = plainLines(bytes);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) cursor.insertBlock(original);
            if (!lines[i].isEmpty()) cursor.insertText(lines[i]);
        }
    } else {
        Parser parser(bytes);
        parser.parse();
        Builder b(parser);
        for (const Para& p : parser.paras) {
            b.insertRuns(cursor, p);
            if (p.ended) {
                cursor.setBlockFormat(Builder::blockFormat(p.p));
                cursor.insertBlock(original, b.charFormat(p.endFormat));
            }
        }
    }
    cursor.endEditBlock();
}

}  // namespace platform
