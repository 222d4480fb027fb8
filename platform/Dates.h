// Short English date texts: writing a date with a picture such as "ddd - mmm d, yy" or
// "mmmm d, yyyy", and reading a date back from what a person or the program wrote. Month and
// day names are always English, whatever the desktop's locale.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace platform {

// Writes a date after a picture. Letters of a run stand for:
//   d 6   dd 06   ddd Thu   dddd Thursday
//   m 1   mm 01   mmm Jan   mmmm January
//   yy 05   yyyy 2005
// Any other character is copied as it stands. An invalid date gives the empty text.
QString formatDate(const QDate& date, const QString& picture);

// The four-digit year of a year written with one or two digits: the one year of the hundred
// from 70 years before to 29 years after currentYear that ends in those digits.
int expandTwoDigitYear(int twoDigitYear, int currentYear);

// Reads a date from a short text: a month name (full or its first three letters) with the day
// and the year in either order ("Jan 6, 05", "6 January 2005"), month/day/year in digits
// ("1/6/05", "01-06-2005"), or year-month-day ("2005-01-06"). Day names are passed over, so a
// text written as "ddd mmm d, yy" reads back too. A missing year is the current one; a year of
// one or two digits follows expandTwoDigitYear. Nothing when the text is no date.
// The current year is today's on the program's clock.
std::optional<QDate> parseDate(const QString& text);
// The same with the current year given.
std::optional<QDate> parseDate(const QString& text, int currentYear);

}  // namespace platform
