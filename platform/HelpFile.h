// The help file: plain UTF-8 text, read whole.
//
//   QUORVANE HELP 1          first line: a name, "HELP" and the format version 1
//   == 0 Contents            a topic: "==", its context id (a whole number), its title
//   First paragraph ...      the body: paragraphs separated by blank lines; the lines of
//   ... continued.           one paragraph are joined with a blank
//
//   - A list item            a line starting with "- " is a list item of its own
//
// Id 0 is the contents topic; without one the first topic serves as contents. A topic line
// with a malformed id starts no topic (its body is skipped); a repeated id keeps the first.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace platform {

struct HelpParagraph {
    QString text;
    bool listItem = false;
    bool operator==(const HelpParagraph&) const = default;
};

struct HelpTopic {
    int id = 0;
    QString title;
    std::vector<HelpParagraph> paragraphs;
};

class HelpFile {
public:
    // nullopt when the first line is not a help-file line of version 1 or no topic is found.
    static std::optional<HelpFile> parse(const QByteArray& utf8);
    // Reads the file (a relative name is looked up in the program folder, letter case
    // ignored) and parses it. nullopt when it is missing, unreadable or not a help file.
    static std::optional<HelpFile> load(const QString& name);

    const std::vector<HelpTopic>& topics() const { return topics_; }
    // The topic with this id, or nullptr.
    const HelpTopic* topic(int id) const;
    // The contents topic: id 0, or the first topic when there is none.
    const HelpTopic& contents() const;
    // The topic with this id, or the contents when the id is unknown.
    const HelpTopic& topicOrContents(int id) const;

private:
    std::vector<HelpTopic> topics_;
};

}  // namespace platform
