#include "platform/Dates.h"

#include "platform/Services.h"

#include <vector>

namespace platform {

QString formatDate(const QDate& date, const QString& picture) {
    if (!date.isValid()) return {};
    QString out;
    const qsizetype n = picture.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = picture.at(i).toLower();
        if (c != QLatin1Char('d') && c != QLatin1Char('m') && c != QLatin1Char('y')) {
            out += picture.at(i++);
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && picture.at(i + run).toLower() == c) ++run;
        i += run;
        if (c == QLatin1Char('d')) {
            if (run >= 4) out += englishDayName(date.dayOfWeek());
            else if (run == 3) out += englishDayName(date.dayOfWeek()).left(3);
            else if (run == 2) out += QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
            else out += QString::number(date.day());
        } else if (c == QLatin1Char('m')) {
            if (run >= 4) out += englishMonthName(date.month());
            else if (run == 3) out += englishMonthName(date.month()).left(3);
            else if (run == 2) out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            else out += QString::number(date.month());
        } else {
            if (run >= 3) out += QString::number(date.year());
            else out += QStringLiteral("%1").arg(((date.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
        }
    }
    return out;
}

int expandTwoDigitYear(int twoDigitYear, int currentYear) {
    const int first = currentYear - 70;
    const int digits = ((twoDigitYear % 100) + 100) % 100;
    int year = first - ((first % 100) + 100) % 100 + digits;
    if (year < first) year += 100;
    return year;
}

namespace {

struct Token {
    bool number = false;
    QString text;
};

// 1..12 for a month name or its first three letters (and "Sept"); 0 otherwise.
int monthOf(const QString& word) {
    const QString w = word.toLower();
    if (w.size() < 3) return 0;
    for (int m = 1; m <= 12; ++m) {
        const QString full = englishMonthName(m).toLower();
        if (w == full || w == full.left(3) || (m == 9 && w == QLatin1String("sept"))) return m;
    }
    return 0;
}

bool isDayName(const QString& word) {
    const QString w = word.toLower();
    if (w.size() < 3) return false;
    for (int d = 1; d <= 7; ++d) {
        const QString full = englishDayName(d).toLower();
        if (w == full || w == full.left(3)) return true;
    }
    return false;
}

// A year as written: one or two digits follow the window, four are taken as they stand.
std::optional<int> yearOf(const QString& digits, int currentYear) {
    if (digits.size() <= 2) return expandTwoDigitYear(digits.toInt(), currentYear);
    if (digits.size() == 4) return digits.toInt();
    return std::nullopt;
}

std::optional<QDate> makeDate(int year, int month, int day) {
    const QDate d(year, month, day);
    if (!d.isValid()) return std::nullopt;
    return d;
}

}  // namespace

std::optional<QDate> parseDate(const QString& text, int currentYear) {
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.isDigit() || c.isLetter()) {
            const bool digit = c.isDigit();
            qsizetype j = i;
            while (j < text.size() && (digit ? text.at(j).isDigit() : text.at(j).isLetter())) ++j;
            tokens.push_back({digit, text.mid(i, j - i)});
            i = j;
        } else if (c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('/') ||
                   c == QLatin1Char('-')) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    int month = 0;
    std::vector<QString> numbers;
    for (const Token& t : tokens) {
        if (t.number) {
            if (t.text.size() > 4) return std::nullopt;
            numbers.push_back(t.text);
        } else if (const int m = monthOf(t.text); m != 0 && month == 0) {
            month = m;
        } else if (!isDayName(t.text)) {
            return std::nullopt;
        }
    }
    if (month != 0) {
        // A month name with the day and perhaps the year: four digits, or a number that
        // cannot be a day, is the year; otherwise the day comes first.
        if (numbers.empty() || numbers.size() > 2) return std::nullopt;
        if (numbers.size() == 1) {
            if (numbers[0].size() > 2) return std::nullopt;
            return makeDate(currentYear, month, numbers[0].toInt());
        }
        QString day = numbers[0], year = numbers[1];
        if (day.size() > 2 || day.toInt() > 31) std::swap(day, year);
        if (day.size() > 2) return std::nullopt;
        const std::optional<int> y = yearOf(year, currentYear);
        if (!y) return std::nullopt;
        return makeDate(*y, month, day.toInt());
    }
    if (numbers.size() == 3) {
        if (numbers[0].size() == 4) {  // year-month-day
            if (numbers[1].size() > 2 || numbers[2].size() > 2) return std::nullopt;
            return makeDate(numbers[0].toInt(), numbers[1].toInt(), numbers[2].toInt());
        }
        if (numbers[0].size() > 2 || numbers[1].size() > 2) return std::nullopt;
        const std::optional<int> y = yearOf(numbers[2], currentYear);
        if (!y) return std::nullopt;
        return makeDate(*y, numbers[0].toInt(), numbers[1].toInt());
    }
    if (numbers.size() == 2) {
        if (numbers[0].size() > 2 || numbers[1].size() > 2) return std::nullopt;
        return makeDate(currentYear, numbers[0].toInt(), numbers[1].toInt());
    }
    return std::nullopt;
}

std::optional<QDate> parseDate(const QString& text) { return parseDate(text, clock().today().year()); }

}  // namespace platform
