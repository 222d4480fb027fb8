#include "timeline/ToDoNames.h"

namespace timeline {

namespace {

QString withoutTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return s.left(n);
}

QString withoutLeadingBlanks(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i).isSpace()) ++i;
    return s.mid(i);
}

}  // namespace

ToDoNameList::ToDoNameList(QStringList names) : names_(std::move(names)) {
    if (names_.size() > MaxToDoNames) names_.resize(MaxToDoNames);
}

bool ToDoNameList::isFull() const { return names_.size() >= MaxToDoNames && !isOneEmptyEntry(); }

bool ToDoNameList::contains(const QString& text) const {
    const QString wanted = withoutTrailingBlanks(text);
    if (wanted.isEmpty()) return true;
    for (const QString& name : names_)
        if (QString::compare(withoutTrailingBlanks(name), wanted, Qt::CaseInsensitive) == 0) return true;
    return false;
}

ToDoNameList::AddResult ToDoNameList::add(const QString& text) {
    if (contains(text)) return AddResult::AlreadyThere;
    if (isOneEmptyEntry()) {
        names_.front() = text;
        return AddResult::Added;
    }
    if (isFull()) return AddResult::Full;
    names_.append(text);
    return AddResult::Added;
}

bool ToDoNameList::remove(const QString& text) {
    const QString wanted = text.trimmed();
    for (qsizetype i = 0; i < names_.size(); ++i) {
        if (QString::compare(names_.at(i).trimmed(), wanted, Qt::CaseInsensitive) != 0) continue;
        if (names_.size() > 1) names_.removeAt(i);
        else names_.front().clear();
        return true;
    }
    return false;
}

QString ToDoNameList::completion(const QString& typed) const {
    const QString start = withoutLeadingBlanks(typed);
    if (start.isEmpty()) return {};
    for (const QString& name : names_)
        if (name.startsWith(start, Qt::CaseInsensitive)) return name;
    return {};
}

}  // namespace timeline
