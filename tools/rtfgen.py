"""Small RTF writer for the shipped content documents.

Every document is plain Windows-1252 RTF: a font table, a colour table, then paragraphs.
Characters outside ASCII are written as \\'hh escapes of code page 1252, so the files are
7-bit clean and read the same in any RTF reader.

Fonts carry meaning in the rule documents: \\f0 (Times New Roman) is used only for text
quoted from the published rule and preamble, \\f1 (Arial) for everything the program says in
its own words (titles, program notes). The content tests rely on that split.
"""

import re

QUOTE_FONT = 0
OWN_FONT = 1

HEADER = (
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
    "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
    "{\\f2\\fmodern\\fcharset0 Courier New;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red96\\green96\\blue96;\\red0\\green96\\blue0;}"
    "\\viewkind4\\uc1\n"
)


def esc(text):
    """Escapes plain text for RTF (code page 1252)."""
    out = []
    for ch in text:
        if ch == "\\" or ch == "{" or ch == "}":
            out.append("\\" + ch)
        elif ch == "\t":
            out.append("\\tab ")
        elif ch == "\n":
            out.append("\\line ")
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                b = ch.encode("cp1252")
                out.append("\\'%02x" % b[0])
            except UnicodeEncodeError:
                code = ord(ch)
                if code > 32767:
                    code -= 65536
                out.append("\\u%d?" % code)
    return "".join(out)


def marked(text, words=None):
    """Escapes plain text, with every whole-word occurrence of words (letter case ignored) set
    bold and underlined, as the program marks a specification's name."""
    if not words:
        return esc(text)
    pattern = re.compile(r"(?<![A-Za-z0-9])" + re.escape(words) + r"(?![A-Za-z0-9])", re.I)
    out = []
    pos = 0
    for m in pattern.finditer(text):
        out.append(esc(text[pos:m.start()]))
        out.append("{\\b\\ul " + esc(m.group(0)) + "}")
        pos = m.end()
    out.append(esc(text[pos:]))
    return "".join(out)


def inline(text, words=None):
    """Plain text with **bold** spans (and the marked words, if any)."""
    parts = text.split("**")
    out = []
    for i, part in enumerate(parts):
        if i % 2 == 1:
            out.append("{\\b " + marked(part, words) + "}")
        else:
            out.append(marked(part, words))
    return "".join(out)


class Doc:
    def __init__(self, mark=None):
        self.parts = []
        # The words marked bold and underlined wherever they stand in the document's text.
        self.mark = mark

    def _para(self, fmt, body):
        self.parts.append("\\pard\\plain" + fmt + " " + body + "\\par\n")

    # ---- the program's own text (Arial) -----------------------------------------------------
    def title(self, text):
        self._para("\\qc\\sb120\\sa240\\f1\\fs32\\b\\cf2", inline(text, self.mark))

    def subtitle(self, text):
        self._para("\\qc\\sa240\\f1\\fs22\\i", inline(text, self.mark))

    def heading(self, text):
        self._para("\\keepn\\sb240\\sa120\\f1\\fs24\\b\\cf2", inline(text, self.mark))

    def subheading(self, text):
        self._para("\\keepn\\sb180\\sa80\\f1\\fs21\\b", inline(text, self.mark))

    def p(self, text):
        self._para("\\sa120\\f1\\fs20", inline(text, self.mark))

    def field(self, label, width=40):
        self._para("\\sa120\\f1\\fs20", "{\\b " + esc(label) + "} " + esc("_" * width))

    def numbered(self, items, start=1):
        for i, item in enumerate(items, start):
            self._para("\\fi-360\\li720\\tx720\\sa80\\f1\\fs20", esc("%d." % i) + "\\tab " + inline(item, self.mark))

    def bullets(self, items):
        for item in items:
            self._para("\\fi-360\\li720\\tx720\\sa80\\f1\\fs20", "\\'95\\tab " + inline(item, self.mark))

    def note(self, paragraphs):
        """A program note: the heading "Program note" and the note's own paragraphs."""
        self._para("\\keepn\\sb240\\sa80\\f1\\fs20\\b\\cf3", esc("Program note"))
        for text in paragraphs:
            self._para("\\sa120\\li360\\f1\\fs20\\i", inline(text, self.mark))

    def rule(self):
        self._para("\\brdrb\\brdrs\\brdrw10\\brsp20\\sa120\\f1\\fs8", "")

    def page_break(self):
        self.parts.append("\\page\n")

    def table(self, rows, widths, header=True, font=OWN_FONT, size=20):
        """rows: lists of cell texts; widths: cell widths in twips. The first row is bold when
        header is set. A row of one cell spans the whole table."""
        for r, row in enumerate(rows):
            cells = list(row)
            ws = widths if len(cells) == len(widths) else [sum(widths)]
            bold = header and r == 0
            line = ["\\trowd\\trgaph100\\trleft0"]
            if bold:
                line.append("\\trhdr")
            edge = 0
            for w in ws:
                edge += w
                line.append("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                            "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx%d" % edge)
            body = []
            for c in cells:
                fmt = "\\pard\\plain\\intbl\\f%d\\fs%d" % (font, size)
                if bold or (len(ws) == 1 and len(widths) > 1):
                    fmt += "\\b"
                body.append(fmt + " " + inline(c) + "\\cell")
            self.parts.append("".join(line) + "\n" + "\n".join(body) + "\n\\row\n")
        self.parts.append("\\pard\\plain\\sa120\\f1\\fs20\\par\n")

    # ---- quoted text (Times New Roman) ------------------------------------------------------
    def qtitle(self, text):
        self._para("\\qc\\sb120\\sa240\\f0\\fs32\\b\\cf2", marked(text, self.mark))

    def qheading(self, text):
        self._para("\\keepn\\sb240\\sa120\\f0\\fs24\\b", marked(text, self.mark))

    def quote(self, text):
        self._para("\\sa120\\fi360\\f0\\fs22", marked(text, self.mark))

    def qline(self, text):
        """A short quoted line kept on its own (headings of the front matter, outline lines,
        list items)."""
        self._para("\\sa40\\f0\\fs22", marked(text, self.mark))

    def qcolumns(self, cells, stops, hang=True, bold=False, space_before=0):
        """One line of quoted text in columns: the cells separated by tabs that stop at the
        given positions (twips from the left margin). With hang, text that does not fit on the
        line goes on under the last column, as it would in a table cell."""
        fmt = "\\sb%d\\sa0" % space_before if space_before else "\\sa0"
        if hang and stops:
            fmt += "\\li%d\\fi-%d" % (stops[-1], stops[-1])
        fmt += "".join("\\tx%d" % t for t in stops)
        fmt += "\\f0\\fs20" + ("\\b" if bold else "")
        self._para(fmt, "\\tab ".join(esc(c) for c in cells))

    def extend(self, other):
        self.parts.extend(other.parts)

    def rtf(self):
        return HEADER + "".join(self.parts) + "}\n"

    def write(self, path):
        data = self.rtf()
        data.encode("ascii")  # every non-ASCII character has been escaped
        with open(path, "w", encoding="ascii", newline="\r\n") as f:
            f.write(data)
