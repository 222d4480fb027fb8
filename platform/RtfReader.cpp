#include "platform/RtfReader.h"

#include <QBrush>
#include <QCryptographicHash>
#include <QTextImageFormat>
#include <QUrl>
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
#include <string_view>
#include <unordered_map>
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
    int color = 0;       // 0: automatic
    int vertical = 0;    // 0 on the line, 1 superscript, 2 subscript
    int caps = 0;        // 0 as written, 1 all capitals, 2 small capitals
    int background = 0;  // colour of highlight or shading; 0: none
    int link = -1;       // the hyperlink the text belongs to (index in links)
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
    bool rtl = false;           // a right-to-left paragraph
    bool breakBefore = false;   // \pagebb: the paragraph starts a page
    std::vector<TabStop> tabs;  // in the order written
    int nextTabKind = 0;        // \tqr or \tqc before the next \tx
    bool operator==(const ParaState&) const = default;
};

enum class Dest { Text, Skip, FontTable, ColorTable, StyleSheet, FieldInst, Picture };

struct Group {
    CharState c;
    ParaState p;
    Dest dest = Dest::Text;
    int uc = 1;
};

// A run of text in one character state: where its characters stand in the parser's text.
struct Run {
    CharState c;
    qsizetype start = 0, length = 0;
    int picture = -1;  // a picture (index in pictures): its one object character
};

struct Para {
    ParaState p;
    CharState endFormat;
    std::vector<Run> runs;
    bool ended = false;
    bool endedRow = false;  // ended by \row: the next cell starts a line of its own
    bool breakBefore = false;  // a \page stands before it
    bool hasText() const {
        for (const Run& r : runs)
            if (r.length > 0) return true;
        return false;
    }
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

enum class PictureKind { None, Png, Jpeg, Other };

// A picture the document can draw: its bytes as the file has them, and its size in document
// pixels (0: the picture's own).
struct PictureData {
    PictureKind kind = PictureKind::None;
    QByteArray bytes;
    double width = 0, height = 0;
};

// The picture being read: \pict's words and its data.
struct Picture {
    PictureKind kind = PictureKind::None;
    QByteArray bytes;
    int nibble = -1;  // the first hex digit of a byte still to come
    int w = 0, h = 0, goalW = 0, goalH = 0, scaleX = 100, scaleY = 100;
};

struct StyleWord {
    std::string_view name;  // the keyword table's own copy of the word
    bool hasParam = false;
    long long param = 0;
};

// A style of the stylesheet: the formatting words it gives, in order.
struct Style {
    std::vector<StyleWord> words;
    int basedOn = -1;
};

constexpr int kMaxStyle = 4095;
constexpr std::size_t kMaxStyleWords = 64;
constexpr std::size_t kMaxLinks = 100000;
constexpr int kMaxFieldInstruction = 4096;

// What a control word means to the reader. Looked up once per word in a hash table: a document
// of a few megabytes holds hundreds of thousands of them.
enum class Kw : unsigned char {
    None, Bin, FontTbl, ColorTbl, StyleSheet, SkipDest, Field, FldInst, FldRslt, Pict, ShpPict,
    Object, Shape, Note, HeaderFooter, Comment,
    F, FCharset, Cpg, U, Uc, Red, Green, Blue,
    Par, Line, Tab, Cell, Row, NestCell, NestRow, Page, Sect, SbkNone, PageBB,
    B, I, Strike, UlNone, Ul, V, Fs, Cf, Plain, Pard, InTbl, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa,
    Tqr, Tqc, Trowd, Trgaph, Cellx, Tx, Deff, AnsiCpg, Ansi, Mac, Pc, Pca,
    Super, Sub, NoSuperSub, Up, Dn, Highlight, Cb, Chcbpat, Caps, Scaps, RtlPar, LtrPar,
    S, Cs, Ds, Ts, SBasedOn,
    PngBlip, JpegBlip, OtherBlip, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
    Symbol,
};

class Parser {
public:
    // Each character of the text comes from at least one byte of the file (a row's cells add
    // a tab or two more), so the text rarely grows beyond what is reserved.
    explicit Parser(const QByteArray& in) : in_(in) { text_.reserve(in.size() + 16); }

    void parse();

    std::vector<Para> paras;
    QString text_;  // the text of every run, in order
    std::map<int, FontEntry> fonts;
    std::vector<std::optional<QColor>> colors;
    std::vector<QString> links;  // hyperlink targets
    std::vector<PictureData> pictures;
    int deff = 0;
    int undecodableCodePage = 0;  // the first code page text was in that Qt cannot decode
    unsigned notKept = 0;         // RtfNotKept flags

private:
    Group& g() { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view word, bool hasParam, long long param, long long raw);
    void applyStyle(const std::map<int, Style>& styles, int n, int depth);
    void noteNotKept(Kw k);
    void finishPicture();
    void takeBinary(long long n);
    void controlSymbol(char c);
    void textByte(unsigned char b);
    void hexByte(unsigned char b);
    void codeByte(unsigned char b);
    void flushBytes();
    void deliver(QChar ch);
    void text(QChar ch);
    void append(QChar ch);
    void appendAscii(const char* bytes, qsizetype length);
    Run& openRun();
    void endParagraph();
    void endCell();
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
    // The run text goes to while nothing changes the character state: every control word,
    // group and paragraph ends it, so that a character costs no comparison of states.
    Run* openRun_ = nullptr;
    // "\*" was just read: the group is skipped unless the control word that follows names a
    // destination the reader reads; starDest_ is where the group's text went before.
    bool star_ = false;
    Dest starDest_ = Dest::Text;
    // The cells of the table row being read: where each ends (\cellx) and the room before a
    // cell's text (\trgaph). A row shown as one line of tab-separated cells gets a tab stop
    // where each of its cells after the first begins, so its columns line up as in the table.
    std::vector<int> rowCellEnds_;
    std::vector<int> rowCellAligns_;  // the alignment of each cell's text, as each cell ends
    int rowGap_ = 0;
    bool firstCellHasText_ = false;  // the row's first cell ended with text on the row's line
    // The pending tab ends a cell of a table nested in a cell: when the outer cell ends right
    // after it, that one tab stands between the two outer cells, not two.
    bool pendingTabIsNested_ = false;
    // The paragraph a section break (\sect) starts on a new page; -1: none. A section that
    // says it runs on (\sbknone) takes the page break back.
    std::ptrdiff_t sectionStart_ = -1;

    QString fieldInst_;  // the instruction of the field being read
    Picture picture_;
    std::size_t pictureDepth_ = 0;  // the depth of the \pict group being read; 0: none
    std::map<int, Style> paraStyles_, charStyles_;
    Style* style_ = nullptr;  // the stylesheet entry being read

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
    paras.reserve(std::size_t(in_.size() / 128) + 4);  // room enough for most files, grown for others
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
                const qsizetype wordStart = pos_;
                while (pos_ < n && ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z')))
                    ++pos_;
                // Longer words than any keyword are no keyword; they are cut to stay so.
                const std::string_view word(in_.constData() + wordStart, std::size_t(std::min<qsizetype>(pos_ - wordStart, 32)));
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
        default: {
            star_ = false;
            const auto plain = [](unsigned char b) { return b >= 0x20 && b < 0x7F && b != '\\' && b != '{' && b != '}'; };
            if (skip_ == 0 && pending_.isEmpty() && plain((unsigned char)ch) && g().dest == Dest::Text && !g().c.hidden) {
                // A stretch of plain ASCII text, the same in every code page, goes in at once.
                qsizetype end = pos_ + 1;
                while (end < n && plain((unsigned char)in_[end])) ++end;
                appendAscii(in_.constData() + pos_, end - pos_);
                pos_ = end;
                break;
            }
            ++pos_;
            if (skippingFallback()) break;
            textByte((unsigned char)ch);
            break;
        }
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
    openRun_ = nullptr;
    if ((int)stack_.size() >= kMaxDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(stack_.back());
}

void Parser::closeGroup() {
    openRun_ = nullptr;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) {
        done_ = true;  // the document group is closed; what follows is not read
        return;
    }
    const Dest closing = g().dest;
    const bool pictureEnds = closing == Dest::Picture && stack_.size() == pictureDepth_;
    stack_.pop_back();
    // A font entry written as its own group may omit the closing ";".
    if (closing == Dest::FontTable && fontOpen_) commitFont();
    if (pictureEnds) finishPicture();
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
    case Dest::StyleSheet:
        if (b == ';') style_ = nullptr;
        return;
    case Dest::FieldInst:
        if (b >= 0x20) codeByte(b);
        return;
    case Dest::Picture: {
        const int d = (b >= '0' && b <= '9') ? b - '0'
                    : (b >= 'a' && b <= 'f') ? b - 'a' + 10
                    : (b >= 'A' && b <= 'F') ? b - 'A' + 10 : -1;
        if (d < 0) return;
        if (picture_.nibble < 0) {
            picture_.nibble = d;
        } else {
            picture_.bytes.append(char(picture_.nibble * 16 + d));
            picture_.nibble = -1;
        }
        return;
    }
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
    if (g().dest != Dest::Text && g().dest != Dest::FontTable && g().dest != Dest::FieldInst) return;
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
    else if (g().dest == Dest::FieldInst) {
        if (fieldInst_.size() < kMaxFieldInstruction) fieldInst_.append(ch);
    } else {
        text(ch);
    }
}

void Parser::noteNotKept(Kw k) {
    switch (k) {
    case Kw::Object: notKept |= NotKeptObjects; break;
    case Kw::Shape: notKept |= NotKeptShapes; break;
    case Kw::Note: notKept |= NotKeptNotes; break;
    case Kw::HeaderFooter: notKept |= NotKeptHeadersFooters; break;
    case Kw::Comment: notKept |= NotKeptComments; break;
    default: break;
    }
}

void Parser::takeBinary(long long n) {
    const qsizetype left = in_.size() - pos_;
    const qsizetype take = qsizetype(std::clamp<long long>(n, 0, left));
    picture_.bytes.append(in_.constData() + pos_, take);
    pos_ += take;
}

// The picture group has closed: a PNG or JPEG picture stands in the text where it was; one of
// another kind is left out and reported.
void Parser::finishPicture() {
    pictureDepth_ = 0;
    Picture pict = std::exchange(picture_, Picture{});
    if (pict.kind != PictureKind::Png && pict.kind != PictureKind::Jpeg) {
        notKept |= NotKeptPictures;
        return;
    }
    if (pict.bytes.isEmpty() || g().dest != Dest::Text || g().c.hidden) return;
    // The size the file asks for, in document pixels (15 twips each); a bitmap's own size
    // (\picw, \pich in pixels) when it asks for none.
    PictureData data{pict.kind, std::move(pict.bytes), 0, 0};
    if (pict.goalW > 0) data.width = pict.goalW * pict.scaleX / 100.0 / 15.0;
    else if (pict.w > 0) data.width = pict.w * pict.scaleX / 100.0;
    if (pict.goalH > 0) data.height = pict.goalH * pict.scaleY / 100.0 / 15.0;
    else if (pict.h > 0) data.height = pict.h * pict.scaleY / 100.0;
    pictures.push_back(std::move(data));
    flushPendingTab();
    openRun_ = nullptr;
    paras.back().runs.push_back(Run{g().c, text_.size(), 1, int(pictures.size()) - 1});
    text_.append(QChar(QChar::ObjectReplacementCharacter));
}

void Parser::flushPendingTab() {
    if (!pendingTab_) return;
    pendingTab_ = false;
    pendingTabIsNested_ = false;
    append(QChar('\t'));
}

// A cell (of the row or of a table nested in one of its cells) ends: the next cell's text
// follows on the same line after a tab. A cell whose text ends with \par stays on the row's
// line; an empty cell at the start of a row is not such a one, its row keeps a line of its own.
void Parser::endCell() {
    if (paras.size() > 1 && paras.back().runs.empty() && paras[paras.size() - 2].ended
        && !paras[paras.size() - 2].endedRow && paras[paras.size() - 2].p.inTable) {
        paras.pop_back();
        paras.back().ended = false;
    }
    flushPendingTab();
    pendingTab_ = true;
}

// All text goes into one string, each run a stretch of it, so that a run costs no string of
// its own.
Run& Parser::openRun() {
    if (!openRun_) {
        Para& p = paras.back();
        const bool continues = !p.runs.empty() && p.runs.back().c == g().c && p.runs.back().picture < 0
                               && p.runs.back().start + p.runs.back().length == text_.size();
        if (!continues) p.runs.push_back(Run{g().c, text_.size(), 0, -1});
        openRun_ = &p.runs.back();
    }
    return *openRun_;
}

void Parser::append(QChar ch) {
    Run& r = openRun();
    text_.append(ch);
    ++r.length;
}

// Plain ASCII text in the body: what text() lets through of it, at once.
void Parser::appendAscii(const char* bytes, qsizetype length) {
    flushPendingTab();
    Run& r = openRun();
    text_.append(QLatin1StringView(bytes, length));
    r.length += length;
}

void Parser::text(QChar ch) {
    if (g().dest != Dest::Text || g().c.hidden) return;
    const char16_t u = ch.unicode();
    // Characters that would change the document's structure rather than show.
    if (u == 0x2029) { endParagraph(); return; }
    if ((u < 0x20 && u != '\t') || u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1 || u == 0xFEFF) return;
    flushPendingTab();
    append(ch);
}

void Parser::endParagraph() {
    if (g().dest != Dest::Text) return;
    flushPendingTab();
    openRun_ = nullptr;
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

struct KwInfo {
    Kw kw = Kw::None;
    char16_t symbol = 0;  // the character of a Symbol
};

const std::unordered_map<std::string_view, KwInfo>& keywords() {
    static const std::unordered_map<std::string_view, KwInfo> table = [] {
        std::unordered_map<std::string_view, KwInfo> t;
        // Destinations whose contents are never shown.
        for (const char* d :
             {"info", "listtable", "listoverridetable", "themedata", "colorschememapping", "latentstyles",
              "datastore", "xmlnstbl", "generator", "rsidtbl", "pn", "atnid", "atnauthor", "atndate",
              "atnref", "atnparent", "atrfstart", "atrfend", "txe", "xe", "tc", "tcn", "filetbl", "revtbl",
              "pgdsctbl", "bkmkstart", "bkmkend", "objdata", "nonshppict", "shprslt", "private", "template",
              "userprops", "docvar", "background", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "fchars",
              "lchars", "pntxta", "pntxtb", "falt", "panose", "mmathPr", "keywords", "title", "subject",
              "author", "operator", "comment", "doccomm", "company", "category", "manager", "hlinkbase",
              "printim", "revtim", "creatim", "buptim", "wgrffmtfilter", "pnseclvl", "listpicture",
              "passwordhash", "protusertbl", "nonesttables", "fldtype", "formfield", "datafield", "blipuid",
              "picprop", "ud", "upr"})
            t[d] = {Kw::SkipDest};
        // Content the document cannot hold: skipped, and reported.
        for (const char* d : {"object"}) t[d] = {Kw::Object};
        for (const char* d : {"shp", "shpgrp", "do", "shpinst", "shptxt"}) t[d] = {Kw::Shape};
        for (const char* d : {"footnote"}) t[d] = {Kw::Note};
        for (const char* d : {"header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf"})
            t[d] = {Kw::HeaderFooter};
        for (const char* d : {"annotation"}) t[d] = {Kw::Comment};
        for (const char* d : {"ul", "uld", "uldb", "ulw", "ulth", "uldash", "uldashd", "uldashdd", "ulhwave",
                              "ulwave", "ululdbwave", "ulthd", "ulthdash", "ulldash", "ulthldash", "ulthdashd",
                              "ulthdashdd"})
            t[d] = {Kw::Ul};
        const std::pair<const char*, Kw> words[] = {
            {"bin", Kw::Bin}, {"fonttbl", Kw::FontTbl}, {"colortbl", Kw::ColorTbl},
            {"stylesheet", Kw::StyleSheet}, {"field", Kw::Field}, {"fldinst", Kw::FldInst},
            {"fldrslt", Kw::FldRslt}, {"pict", Kw::Pict}, {"shppict", Kw::ShpPict}, {"f", Kw::F},
            {"fcharset", Kw::FCharset}, {"cpg", Kw::Cpg}, {"u", Kw::U}, {"uc", Kw::Uc}, {"red", Kw::Red},
            {"green", Kw::Green}, {"blue", Kw::Blue}, {"par", Kw::Par}, {"line", Kw::Line}, {"tab", Kw::Tab},
            {"cell", Kw::Cell}, {"nestcell", Kw::NestCell}, {"row", Kw::Row}, {"nestrow", Kw::NestRow},
            {"page", Kw::Page}, {"sect", Kw::Sect}, {"sbknone", Kw::SbkNone}, {"pagebb", Kw::PageBB}, {"b", Kw::B}, {"i", Kw::I},
            {"strike", Kw::Strike}, {"striked", Kw::Strike}, {"ulnone", Kw::UlNone}, {"v", Kw::V},
            {"fs", Kw::Fs}, {"cf", Kw::Cf}, {"plain", Kw::Plain}, {"pard", Kw::Pard}, {"intbl", Kw::InTbl},
            {"ql", Kw::Ql}, {"qr", Kw::Qr}, {"qc", Kw::Qc}, {"qj", Kw::Qj}, {"qd", Kw::Qj}, {"li", Kw::Li},
            {"ri", Kw::Ri}, {"fi", Kw::Fi}, {"sb", Kw::Sb}, {"sa", Kw::Sa}, {"tqr", Kw::Tqr}, {"tqc", Kw::Tqc},
            {"trowd", Kw::Trowd}, {"trgaph", Kw::Trgaph}, {"cellx", Kw::Cellx}, {"tx", Kw::Tx},
            {"deff", Kw::Deff}, {"ansicpg", Kw::AnsiCpg}, {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc},
            {"pca", Kw::Pca}, {"super", Kw::Super}, {"sub", Kw::Sub}, {"nosupersub", Kw::NoSuperSub},
            {"up", Kw::Up}, {"dn", Kw::Dn}, {"highlight", Kw::Highlight}, {"cb", Kw::Cb},
            {"chcbpat", Kw::Chcbpat}, {"caps", Kw::Caps}, {"scaps", Kw::Scaps}, {"rtlpar", Kw::RtlPar},
            {"ltrpar", Kw::LtrPar}, {"s", Kw::S}, {"cs", Kw::Cs}, {"ds", Kw::Ds}, {"ts", Kw::Ts},
            {"sbasedon", Kw::SBasedOn}, {"pngblip", Kw::PngBlip}, {"jpegblip", Kw::JpegBlip},
            {"emfblip", Kw::OtherBlip}, {"wmetafile", Kw::OtherBlip}, {"dibitmap", Kw::OtherBlip},
            {"wbitmap", Kw::OtherBlip}, {"macpict", Kw::OtherBlip}, {"pmmetafile", Kw::OtherBlip},
            {"picw", Kw::PicW}, {"pich", Kw::PicH}, {"picwgoal", Kw::PicWGoal}, {"pichgoal", Kw::PicHGoal},
            {"picscalex", Kw::PicScaleX}, {"picscaley", Kw::PicScaleY}};
        for (const auto& [w, k] : words) t[w] = {k};
        const std::pair<const char*, char16_t> symbols[] = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
            {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C},
            {"ltrmark", 0x200E}, {"rtlmark", 0x200F}};
        for (const auto& [w, u] : symbols) t[w] = {Kw::Symbol, u};
        return t;
    }();
    return table;
}

KwInfo keyword(std::string_view w) {
    const auto& t = keywords();
    const auto it = t.find(w);
    return it == t.end() ? KwInfo{} : it->second;
}

// The formatting a style in the stylesheet gives: these words are kept with the style and
// applied where a paragraph or text names it.
bool isStyleFormatting(Kw k) {
    switch (k) {
    case Kw::B: case Kw::I: case Kw::Strike: case Kw::UlNone: case Kw::Ul: case Kw::V: case Kw::Fs:
    case Kw::F: case Kw::Cf: case Kw::Ql: case Kw::Qr: case Kw::Qc: case Kw::Qj: case Kw::Li: case Kw::Ri:
    case Kw::Fi: case Kw::Sb: case Kw::Sa: case Kw::Super: case Kw::Sub: case Kw::NoSuperSub: case Kw::Up:
    case Kw::Dn: case Kw::Highlight: case Kw::Cb: case Kw::Chcbpat: case Kw::Caps: case Kw::Scaps:
    case Kw::RtlPar: case Kw::LtrPar: case Kw::PageBB:
        return true;
    default:
        return false;
    }
}

// The target of a HYPERLINK field instruction: its first argument, or "#name" for a place in
// the document (\l); empty when the field is no hyperlink.
QString hyperlinkTarget(const QString& instruction) {
    const QString in = instruction.trimmed();
    if (!in.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive)) return {};
    QString url, bookmark;
    qsizetype i = 9;
    bool nextIsBookmark = false, nextIsArgument = false;
    while (i < in.size()) {
        while (i < in.size() && in.at(i).isSpace()) ++i;
        if (i >= in.size()) break;
        QString token;
        if (in.at(i) == QLatin1Char('"')) {
            const qsizetype end = in.indexOf(QLatin1Char('"'), i + 1);
            token = in.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? in.size() : end + 1;
        } else {
            qsizetype end = i;
            while (end < in.size() && !in.at(end).isSpace()) ++end;
            token = in.mid(i, end - i);
            i = end;
            if (token.startsWith(QLatin1Char('\\'))) {
                // \l names a place in the document; \o, \t take an argument; others none.
                nextIsBookmark = token == QLatin1String("\\l");
                nextIsArgument = token == QLatin1String("\\o") || token == QLatin1String("\\t");
                continue;
            }
        }
        if (nextIsBookmark) bookmark = token;
        else if (!nextIsArgument && url.isEmpty()) url = token;
        nextIsBookmark = nextIsArgument = false;
    }
    if (!bookmark.isEmpty()) url += QLatin1Char('#') + bookmark;
    return url;
}

void Parser::controlWord(std::string_view w, bool hasParam, long long param, long long raw) {
    openRun_ = nullptr;
    Group& s = g();
    const KwInfo info = keyword(w);
    const Kw k = info.kw;
    if (k == Kw::Bin) {  // raw bytes follow, in any destination
        if (hasParam) {
            if (s.dest == Dest::Picture) takeBinary(raw);
            else skipBinary(raw);
        }
        return;
    }
    if (s.dest == Dest::Skip) {
        if (!std::exchange(star_, false)) return;
        // A destination marked "\*" is read when the reader knows it: the visible result of a
        // field (as some word processors mark every one), a picture in its modern form, a
        // character style. What cannot be kept is still reported.
        noteNotKept(k);
        const bool read = k == Kw::FldRslt || k == Kw::ShpPict || (k == Kw::Cs && starDest_ == Dest::StyleSheet)
                          || (k == Kw::FldInst && starDest_ == Dest::Text);
        if (!read) return;
        s.dest = starDest_;
    }
    star_ = false;

    switch (k) {
    case Kw::FontTbl: s.dest = Dest::FontTable; return;
    case Kw::ColorTbl:
        s.dest = Dest::ColorTable;
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
        return;
    case Kw::StyleSheet:
        s.dest = Dest::StyleSheet;
        style_ = nullptr;
        return;
    case Kw::SkipDest: s.dest = Dest::Skip; return;
    case Kw::Object: case Kw::Shape: case Kw::Note: case Kw::HeaderFooter: case Kw::Comment:
        noteNotKept(k);
        s.dest = Dest::Skip;
        return;
    default: break;
    }

    if (s.dest == Dest::FontTable) {
        if (k == Kw::F) {
            if (fontOpen_) commitFont();
            fontNum_ = int(std::max<long long>(param, 0));
            fontCodePage_ = 0;
            fontName_.clear();
            fontOpen_ = true;
        } else if (k == Kw::FCharset) {
            fontCodePage_ = charsetToCodePage(int(param));
        } else if (k == Kw::Cpg) {
            fontCodePage_ = param > 0 ? int(param) : 0;
        } else if (k == Kw::U && hasParam) {
            long long u = std::clamp<long long>(param, -32768, 65535);
            if (u < 0) u += 65536;
            if (u >= 0x20) fontName_.append(QChar(char16_t(u)));
            skip_ = s.uc;
        } else if (k == Kw::Uc) {
            s.uc = int(std::clamp<long long>(param, 0, 10));
        }
        return;
    }
    if (s.dest == Dest::ColorTable) {
        const int v = int(std::clamp<long long>(param, 0, 255));
        if (k == Kw::Red) { red_ = v; colorSet_ = true; }
        else if (k == Kw::Green) { green_ = v; colorSet_ = true; }
        else if (k == Kw::Blue) { blue_ = v; colorSet_ = true; }
        return;
    }
    if (s.dest == Dest::StyleSheet) {
        const int n = int(std::clamp<long long>(param, 0, kMaxStyle));
        if (k == Kw::S) style_ = &paraStyles_[n];
        else if (k == Kw::Cs) style_ = &charStyles_[n];
        else if (k == Kw::Ds || k == Kw::Ts) style_ = nullptr;
        else if (style_ && k == Kw::SBasedOn) style_->basedOn = n;
        else if (style_ && isStyleFormatting(k) && style_->words.size() < kMaxStyleWords)
            style_->words.push_back(StyleWord{keywords().find(w)->first, hasParam, param});
        return;
    }
    if (s.dest == Dest::Picture) {
        const int v = int(std::clamp<long long>(param, 0, kParamLimit));
        switch (k) {
        case Kw::PngBlip: picture_.kind = PictureKind::Png; break;
        case Kw::JpegBlip: picture_.kind = PictureKind::Jpeg; break;
        case Kw::OtherBlip: picture_.kind = PictureKind::Other; break;
        case Kw::PicW: picture_.w = v; break;
        case Kw::PicH: picture_.h = v; break;
        case Kw::PicWGoal: picture_.goalW = v; break;
        case Kw::PicHGoal: picture_.goalH = v; break;
        case Kw::PicScaleX: picture_.scaleX = std::clamp(v, 1, 1000); break;
        case Kw::PicScaleY: picture_.scaleY = std::clamp(v, 1, 1000); break;
        default: break;
        }
        return;
    }
    if (s.dest == Dest::FieldInst) {
        if (k == Kw::U && hasParam) {
            long long u = std::clamp<long long>(param, -32768, 65535);
            if (u < 0) u += 65536;
            deliver(QChar(char16_t(u)));
            skip_ = s.uc;
        }
        return;
    }

    // ---- body text ----
    const bool on = !hasParam || param != 0;
    const int twips = int(std::clamp<long long>(param, -kIndentLimit, kIndentLimit));
    switch (k) {
    case Kw::Field: fieldInst_.clear(); return;
    case Kw::FldInst:
        fieldInst_.clear();
        s.dest = Dest::FieldInst;
        return;
    case Kw::FldRslt: {
        const QString target = hyperlinkTarget(fieldInst_);
        fieldInst_.clear();
        if (!target.isEmpty() && links.size() < kMaxLinks) {
            links.push_back(target);
            s.c.link = int(links.size()) - 1;
        }
        return;
    }
    case Kw::Pict:
        s.dest = Dest::Picture;
        picture_ = Picture{};
        pictureDepth_ = stack_.size();
        return;
    case Kw::ShpPict: return;  // the picture inside is read
    case Kw::Par: endParagraph(); return;
    case Kw::Line: text(QChar(0x2028)); return;
    case Kw::Tab: text(QChar('\t')); return;
    case Kw::Cell: {
        if (pendingTab_ && pendingTabIsNested_) pendingTab_ = pendingTabIsNested_ = false;
        const bool joins = paras.size() > 1 && paras.back().runs.empty() && paras[paras.size() - 2].ended
                           && !paras[paras.size() - 2].endedRow && paras[paras.size() - 2].p.inTable;
        endCell();
        const int align = joins ? paras.back().p.align : s.p.align;
        if (rowCellAligns_.empty()) firstCellHasText_ = paras.back().hasText();
        if (rowCellAligns_.size() < kMaxTabStops) rowCellAligns_.push_back(align);
        return;
    }
    case Kw::NestCell:
        // A nested table's cells stand in order on the outer row's line, each after a tab;
        // they are not cells of the outer row.
        pendingTabIsNested_ = false;
        endCell();
        pendingTabIsNested_ = true;
        return;
    case Kw::NestRow: return;  // the nested table's row ends; the outer row goes on
    case Kw::Row: {
        pendingTab_ = pendingTabIsNested_ = false;
        if (s.dest != Dest::Text) return;
        endParagraph();
        Para& row = paras[paras.size() - 2];
        row.endedRow = true;
        if (row.p.inTable) {
            // One line for the row: a cell's text stands where the cell begins, or centred in
            // it, or against its right edge, as the cell's text is aligned.
            if (rowCellAligns_.size() == 1) row.p.align = rowCellAligns_[0];
            else if (!rowCellAligns_.empty()) row.p.align = 0;
            if (row.p.tabs.empty()) {
                // The first cell's text, centred or against its right edge, stands after a tab
                // of its own: the paragraph's alignment is the whole line's.
                const int first = rowCellAligns_.size() > 1 ? rowCellAligns_[0] : 0;
                if ((first == 1 || first == 2) && firstCellHasText_ && !rowCellEnds_.empty()) {
                    const int end = rowCellEnds_[0];
                    TabStop t = first == 2 ? TabStop{end / 2, 2} : TabStop{std::max(0, end - rowGap_), 1};
                    t.pos = std::clamp(t.pos, 0, kIndentLimit);
                    row.p.tabs.push_back(t);
                    const CharState c = row.runs.empty() ? row.endFormat : row.runs.front().c;
                    row.runs.insert(row.runs.begin(), Run{c, text_.size(), 1, -1});
                    text_.append(QChar('\t'));
                }
                for (std::size_t c = 0; c + 1 < rowCellEnds_.size(); ++c) {
                    const int begin = rowCellEnds_[c];
                    const int end = c + 1 < rowCellEnds_.size() ? rowCellEnds_[c + 1] : begin;
                    const int align = c + 1 < rowCellAligns_.size() ? rowCellAligns_[c + 1] : 0;
                    TabStop t{begin + rowGap_, 0};
                    if (align == 2) t = TabStop{(begin + end) / 2, 2};
                    else if (align == 1) t = TabStop{std::max(begin, end - rowGap_), 1};
                    t.pos = std::clamp(t.pos, 0, kIndentLimit);
                    row.p.tabs.push_back(t);
                }
            }
        }
        rowCellAligns_.clear();
        firstCellHasText_ = false;
        return;
    }
    case Kw::Page:
        if (paras.back().hasText()) endParagraph();
        if (s.dest == Dest::Text) paras.back().breakBefore = true;
        return;
    case Kw::Sect:
        // A section break starts a new page unless the next section says it runs on.
        if (paras.back().hasText()) endParagraph();
        if (s.dest == Dest::Text) {
            paras.back().breakBefore = true;
            sectionStart_ = std::ptrdiff_t(paras.size()) - 1;
        }
        return;
    case Kw::SbkNone:
        if (sectionStart_ == std::ptrdiff_t(paras.size()) - 1 && !paras.back().hasText())
            paras.back().breakBefore = false;
        sectionStart_ = -1;
        return;
    case Kw::U:
        if (hasParam) {
            long long u = std::clamp<long long>(param, -32768, 65535);
            if (u < 0) u += 65536;
            text(QChar(char16_t(u)));
        }
        skip_ = s.uc;
        return;
    case Kw::Uc: s.uc = int(std::clamp<long long>(param, 0, 10)); return;
    case Kw::B: s.c.bold = on; return;
    case Kw::I: s.c.italic = on; return;
    case Kw::Strike: s.c.strike = on; return;
    case Kw::UlNone: s.c.underline = false; return;
    case Kw::Ul: s.c.underline = on; return;
    case Kw::V: s.c.hidden = on; return;
    case Kw::Fs:
        s.c.halfPoints = (hasParam && param > 0) ? int(std::clamp<long long>(param, 2, 3276)) : 24;
        return;
    case Kw::F: s.c.font = int(std::max<long long>(param, 0)); return;
    case Kw::Cf: s.c.color = int(std::max<long long>(param, 0)); return;
    case Kw::Super: s.c.vertical = on ? 1 : 0; return;
    case Kw::Sub: s.c.vertical = on ? 2 : 0; return;
    case Kw::NoSuperSub: s.c.vertical = 0; return;
    case Kw::Up: s.c.vertical = (!hasParam || param > 0) ? 1 : 0; return;
    case Kw::Dn: s.c.vertical = (!hasParam || param > 0) ? 2 : 0; return;
    case Kw::Highlight: case Kw::Cb: case Kw::Chcbpat:
        s.c.background = int(std::clamp<long long>(param, 0, kParamLimit));
        return;
    case Kw::Caps:
        if (on) s.c.caps = 1;
        else if (s.c.caps == 1) s.c.caps = 0;
        return;
    case Kw::Scaps:
        if (on) s.c.caps = 2;
        else if (s.c.caps == 2) s.c.caps = 0;
        return;
    case Kw::Plain: {
        const int link = s.c.link;  // a field's result stays a link whatever its text looks like
        s.c = CharState{};
        s.c.link = link;
        return;
    }
    case Kw::Pard: s.p = ParaState{}; return;
    case Kw::InTbl: s.p.inTable = true; return;
    case Kw::Ql: s.p.align = 0; return;
    case Kw::Qr: s.p.align = 1; return;
    case Kw::Qc: s.p.align = 2; return;
    case Kw::Qj: s.p.align = 3; return;
    case Kw::RtlPar: s.p.rtl = true; return;
    case Kw::LtrPar: s.p.rtl = false; return;
    case Kw::PageBB: s.p.breakBefore = on; return;
    case Kw::Li: s.p.li = twips; return;
    case Kw::Ri: s.p.ri = twips; return;
    case Kw::Fi: s.p.fi = twips; return;
    case Kw::Sb: s.p.sb = std::max(0, twips); return;
    case Kw::Sa: s.p.sa = std::max(0, twips); return;
    case Kw::Tqr: s.p.nextTabKind = 1; return;
    case Kw::Tqc: s.p.nextTabKind = 2; return;
    case Kw::Trowd:
        // Some word processors give a row's definition again after its cells, before \row:
        // the alignments of the cells already read stay.
        rowCellEnds_.clear();
        rowGap_ = 0;
        return;
    case Kw::Trgaph: rowGap_ = std::clamp(twips, 0, 1440); return;
    case Kw::Cellx:
        if (rowCellEnds_.size() < kMaxTabStops) rowCellEnds_.push_back(std::max(0, twips));
        return;
    case Kw::Tx:
        if (s.p.tabs.size() < kMaxTabStops) s.p.tabs.push_back(TabStop{std::max(0, twips), s.p.nextTabKind});
        s.p.nextTabKind = 0;
        return;
    case Kw::S: applyStyle(paraStyles_, int(std::clamp<long long>(param, 0, kMaxStyle)), 0); return;
    case Kw::Cs: applyStyle(charStyles_, int(std::clamp<long long>(param, 0, kMaxStyle)), 0); return;
    case Kw::Deff: deff = int(std::max<long long>(param, 0)); return;
    case Kw::AnsiCpg: docCodePage_ = param > 0 ? int(param) : 1252; return;
    case Kw::Ansi: docCodePage_ = 1252; return;
    case Kw::Mac: docCodePage_ = 10000; return;
    case Kw::Pc: docCodePage_ = 437; return;
    case Kw::Pca: docCodePage_ = 850; return;
    case Kw::Symbol: text(QChar(info.symbol)); return;
    default:
        // Anything else (unknown words, list and table layout, page set-up) changes nothing
        // shown.
        return;
    }
}

// The formatting of a style, after that of the style it is based on (a few levels deep, so a
// style based on itself ends).
void Parser::applyStyle(const std::map<int, Style>& styles, int n, int depth) {
    const auto it = styles.find(n);
    if (it == styles.end() || depth > 8) return;
    const Style& st = it->second;
    if (st.basedOn >= 0 && st.basedOn != n) applyStyle(styles, st.basedOn, depth + 1);
    for (const StyleWord& sw : st.words) controlWord(sw.name, sw.hasParam, sw.param, sw.param);
}

// ---- building the document -------------------------------------------------------------------

class Builder {
public:
    explicit Builder(const Parser& p) : p_(p) {}

    // Formats are made once for each state the file uses: a large document has a few dozen
    // states and hundreds of thousands of runs.
    const QTextCharFormat& charFormat(const CharState& c) const {
        const auto it = formats_.find(c);
        if (it != formats_.end()) return it->second;
        return formats_.emplace(c, makeCharFormat(c)).first->second;
    }

    QTextCharFormat makeCharFormat(const CharState& c) const {
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
        if (c.vertical)
            f.setVerticalAlignment(c.vertical == 1 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
        if (c.caps) f.setFontCapitalization(c.caps == 1 ? QFont::AllUppercase : QFont::SmallCaps);
        if (c.background > 0 && size_t(c.background) < p_.colors.size() && p_.colors[size_t(c.background)].has_value())
            f.setBackground(QBrush(*p_.colors[size_t(c.background)]));
        if (c.link >= 0 && size_t(c.link) < p_.links.size()) {
            f.setAnchor(true);
            f.setAnchorHref(p_.links[size_t(c.link)]);
        }
        return f;
    }

    static QTextBlockFormat blockFormat(const Para& para) { return blockFormat(para.p, para.breakBefore); }

    static QTextBlockFormat blockFormat(const ParaState& p, bool breakBefore = false) {
        QTextBlockFormat f;
        static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                                   Qt::AlignJustify};
        if (p.rtl) {
            // Left and right stay where the file puts them in a right-to-left paragraph.
            f.setLayoutDirection(Qt::RightToLeft);
            f.setAlignment(aligns[std::clamp(p.align, 0, 3)] | Qt::AlignAbsolute);
        } else {
            f.setAlignment(aligns[std::clamp(p.align, 0, 3)]);
        }
        if (breakBefore || p.breakBefore) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
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
        for (const Run& r : para.runs) {
            if (r.picture >= 0) insertPicture(cur, r);
            else if (r.length > 0)
                cur.insertText(fixSurrogates(QString::fromRawData(p_.text_.constData() + r.start, r.length)),
                               charFormat(r.c));
        }
    }

    // The picture's bytes become a resource of the document, named by their digest so that a
    // picture pasted twice is one resource and two pictures never share a name.
    void insertPicture(QTextCursor& cur, const Run& r) const {
        const PictureData& pict = p_.pictures[size_t(r.picture)];
        const QString name = QStringLiteral("rtfpict:")
                             + QString::fromLatin1(QCryptographicHash::hash(pict.bytes, QCryptographicHash::Sha1).toHex());
        cur.document()->addResource(QTextDocument::ImageResource, QUrl(name), QVariant(pict.bytes));
        QTextImageFormat f;
        f.merge(charFormat(r.c));
        f.setName(name);
        if (pict.width > 0) f.setWidth(pict.width);
        if (pict.height > 0) f.setHeight(pict.height);
        cur.insertImage(f);
    }

    static QString fixSurrogates(const QString& s) {
        if (std::none_of(s.begin(), s.end(), [](QChar c) { return c.isSurrogate(); })) return s;
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
    struct StateHash {
        std::size_t operator()(const CharState& c) const {
            std::size_t h = std::hash<int>()(c.font);
            for (int v : {c.halfPoints, int(c.bold), int(c.italic), int(c.underline), int(c.strike), int(c.hidden),
                          c.color, c.vertical, c.caps, c.background, c.link})
                h = h * 31 + std::size_t(v);
            return h;
        }
    };
    const Parser& p_;
    mutable std::unordered_map<CharState, QTextCharFormat, StateHash> formats_;
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
    // Emptied and filled in one edit: the layout then sees the whole document new and lays
    // out only what is shown, the rest a part at a time after, instead of all of it at once.
    QTextCursor cur(&doc);
    cur.beginEditBlock();
    doc.clear();
    if (!looksLikeRtf(bytes)) {
        const std::vector<QString> lines = plainLines(bytes);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) cur.insertBlock(QTextBlockFormat(), QTextCharFormat());
            if (!lines[i].isEmpty()) cur.insertText(lines[i], QTextCharFormat());
        }
    } else {
        Parser parser(bytes);
        parser.parse();
        if (report) {
            report->undecodableCodePage = parser.undecodableCodePage;
            report->notKept = parser.notKept;
        }
        std::vector<Para>& paras = parser.paras;
        if (paras.size() > 1 && !paras.back().ended && !paras.back().hasText()) paras.pop_back();
        Builder b(parser);
        // The paragraph still open at the end takes the state the file left it in.
        QTextBlockFormat bf;
        for (size_t i = 0; i < paras.size(); ++i) {
            const Para& p = paras[i];
            // Paragraphs in a row mostly share one format: it is made once for them.
            if (i == 0 || !(p.p == paras[i - 1].p && p.breakBefore == paras[i - 1].breakBefore))
                bf = Builder::blockFormat(p);
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
                cursor.setBlockFormat(Builder::blockFormat(p));
                cursor.insertBlock(original, b.charFormat(p.endFormat));
            }
        }
    }
    cursor.endEditBlock();
}

}  // namespace platform
