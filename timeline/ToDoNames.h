// The reusable list of to-do item names, without any window: up to 1000 names in list order,
// compared as the timeline compares them, and the type-ahead of the entry box.
//
// The list may be one empty entry: deleting the last name leaves it so, and the next name
// added takes that place.
#pragma once

#include <QString>
#include <QStringList>

namespace timeline {

constexpr int MaxToDoNames = 1000;

class ToDoNameList {
public:
    ToDoNameList() = default;
    // Names as read from the file (already trimmed); those after the 1000th are dropped.
    explicit ToDoNameList(QStringList names);

    const QStringList& names() const { return names_; }
    int count() const { return int(names_.size()); }
    bool isFull() const;

    // Whether a text names an entry of the list: trailing blanks removed, letter case ignored,
    // leading blanks counting. A blank text always counts as present, so it is never added.
    bool contains(const QString& text) const;

    enum class AddResult { Added, AlreadyThere, Full };
    // Adds a text unchanged as the last entry (or in place of the one empty entry) unless
    // contains() finds it. A full list refuses it.
    AddResult add(const QString& text);

    // Removes the first entry that equals the text with blanks removed on both sides, letter
    // case ignored. The only name becomes one empty entry. False when nothing matched.
    bool remove(const QString& text);

    // The type-ahead: the first entry whose beginning equals the typed text without its
    // leading blanks, letter case ignored; empty when none does or nothing was typed.
    QString completion(const QString& typed) const;

private:
    bool isOneEmptyEntry() const { return names_.size() == 1 && names_.front().isEmpty(); }
    QStringList names_;
};

}  // namespace timeline
