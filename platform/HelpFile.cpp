#include "platform/HelpFile.h"

#include "platform/Files.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform {

namespace {

bool isFormatLine(const QString& line) {
    static const QRegularExpression re(QStringLiteral("^\\S+ HELP 1$"));
    return re.match(line.trimmed()).hasMatch();
}

// "== <id> <title>": true when the line is a topic line at all; *ok tells whether its id
// could be read.
bool topicLine(const QString& line, int* id, QString* title, bool* ok) {
    if (!line.startsWith(QLatin1String("=="))) return false;
    const QString rest = line.mid(2).trimmed();
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    const QString number = blank < 0 ? rest : rest.left(blank);
    *id = number.toInt(ok);
    if (*ok && *id < 0) *ok = false;
    *title = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
    return true;
}

}  // namespace

std::optional<HelpFile> HelpFile::parse(const QByteArray& utf8) {
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.isEmpty() || !isFormatLine(lines.first())) return std::nullopt;

    HelpFile file;
    HelpTopic* current = nullptr;  // null while outside a topic or in a skipped one
    QStringList pending;           // lines of the paragraph being read

    auto flush = [&]() {
        if (current && !pending.isEmpty()) current->paragraphs.push_back({pending.join(QLatin1Char(' ')), false});
        pending.clear();
    };

    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        int id = 0;
        QString title;
        bool ok = false;
        if (topicLine(line, &id, &title, &ok)) {
            flush();
            current = nullptr;
            if (ok && !file.topic(id)) {
                file.topics_.push_back({id, title.isEmpty() ? QStringLiteral("Topic %1").arg(id) : title, {}});
                current = &file.topics_.back();
            }
            continue;
        }
        const QString text = line.trimmed();
        if (text.isEmpty()) {
            flush();
        } else if (text.startsWith(QLatin1String("- "))) {
            flush();
            if (current) current->paragraphs.push_back({text.mid(2).trimmed(), true});
        } else {
            pending << text;
        }
    }
    flush();
    if (file.topics_.empty()) return std::nullopt;
    return file;
}

std::optional<HelpFile> HelpFile::load(const QString& name) {
    const ReadResult r = readWholeFile(name);
    if (!r.ok()) return std::nullopt;
    return parse(r.bytes);
}

const HelpTopic* HelpFile::topic(int id) const {
    for (const HelpTopic& t : topics_)
        if (t.id == id) return &t;
    return nullptr;
}

const HelpTopic& HelpFile::contents() const {
    const HelpTopic* t = topic(0);
    return t ? *t : topics_.front();
}

const HelpTopic& HelpFile::topicOrContents(int id) const {
    const HelpTopic* t = topic(id);
    return t ? *t : contents();
}

}  // namespace platform
