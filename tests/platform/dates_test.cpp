// Short English dates: written after a picture and read back from short texts, with two-digit
// years in the hundred years from 70 before to 29 after the current year.
#include "platform/Dates.h"
#include "tests/support/platform/PlatformFakes.h"

using namespace platform;

namespace {

struct FormatCase {
    QDate date;
    const char* picture;
    const char* expected;
};

class DateFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateFormatTest, WritesTheDateAfterThePicture) {
    EXPECT_EQ(formatDate(GetParam().date, QString::fromLatin1(GetParam().picture)),
              QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DateFormatTest,
    ::testing::Values(FormatCase{QDate(2005, 1, 6), "ddd - mmm d, yy", "Thu - Jan 6, 05"},
                      FormatCase{QDate(2031, 12, 25), "ddd - mmm d, yy", "Thu - Dec 25, 31"},
                      FormatCase{QDate(1999, 9, 30), "ddd - mmm d, yy", "Thu - Sep 30, 99"},
                      FormatCase{QDate(2005, 1, 6), "mmmm d, yyyy", "January 6, 2005"},
                      FormatCase{QDate(2005, 1, 6), "mmmm dd, yyyy", "January 06, 2005"},
                      FormatCase{QDate(2026, 11, 1), "dddd, mm/dd/yyyy", "Sunday, 11/01/2026"},
                      FormatCase{QDate(2000, 2, 29), "m-d-yy", "2-29-00"},
                      FormatCase{QDate(), "mmmm d, yyyy", ""}));

TEST(TwoDigitYearTest, NamesTheOneYearOfTheHundredAroundTheCurrentYear) {
    // 2026: from 1956 to 2055.
    EXPECT_EQ(expandTwoDigitYear(56, 2026), 1956);
    EXPECT_EQ(expandTwoDigitYear(99, 2026), 1999);
    EXPECT_EQ(expandTwoDigitYear(0, 2026), 2000);
    EXPECT_EQ(expandTwoDigitYear(5, 2026), 2005);
    EXPECT_EQ(expandTwoDigitYear(55, 2026), 2055);
    // Plans for the coming decades keep reading right as the years go by.
    EXPECT_EQ(expandTwoDigitYear(70, 2060), 2070);
    EXPECT_EQ(expandTwoDigitYear(89, 2060), 2089);
    EXPECT_EQ(expandTwoDigitYear(90, 2060), 1990);
    EXPECT_EQ(expandTwoDigitYear(5, 2005), 2005);
    EXPECT_EQ(expandTwoDigitYear(35, 2005), 1935);
    EXPECT_EQ(expandTwoDigitYear(34, 2005), 2034);
}

struct ParseCase {
    const char* text;
    QDate expected;  // invalid: not a date
};

class DateParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateParseTest, ReadsAShortDateText) {
    const std::optional<QDate> d = parseDate(QString::fromLatin1(GetParam().text), 2026);
    if (GetParam().expected.isValid()) {
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(*d, GetParam().expected);
    } else {
        EXPECT_FALSE(d.has_value()) << d->toString(Qt::ISODate).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateParseTest,
    ::testing::Values(ParseCase{" Jan 6, 05", QDate(2005, 1, 6)},         // after the hyphen of the calendar's form
                      ParseCase{"Thu - Jan 6, 05", QDate(2005, 1, 6)},    // the whole form
                      ParseCase{"Dec 31, 55", QDate(2055, 12, 31)},
                      ParseCase{"Jan 1, 56", QDate(1956, 1, 1)},
                      ParseCase{"January 6, 2005", QDate(2005, 1, 6)},
                      ParseCase{"6 january 2005", QDate(2005, 1, 6)},
                      ParseCase{"Sept 3 2027", QDate(2027, 9, 3)},
                      ParseCase{"Mar 4", QDate(2026, 3, 4)},
                      ParseCase{"1/6/05", QDate(2005, 1, 6)},
                      ParseCase{"01-06-2005", QDate(2005, 1, 6)},
                      ParseCase{"2005-01-06", QDate(2005, 1, 6)},
                      ParseCase{"12/25", QDate(2026, 12, 25)},
                      ParseCase{"Feb 29, 01", QDate()},  // no such day
                      ParseCase{"13/1/05", QDate()},
                      ParseCase{"next week", QDate()},
                      ParseCase{"", QDate()},
                      ParseCase{"Jan", QDate()},
                      ParseCase{"Jan 6, 123", QDate()},
                      ParseCase{"6/1/2005 10:30", QDate()},
                      ParseCase{"1/2/3/4", QDate()},
                      ParseCase{"123456789", QDate()}));

// Every day of the hundred-year window written in the calendar's form reads back as itself,
// from the text after the first hyphen, as the timeline reads a date cell.
TEST(DateRoundTripTest, TheCalendarsFormReadsBackAsTheDateItWasWrittenFrom) {
    const int current = 2026;
    int days = 0;
    for (QDate d(current - 70, 1, 1); d <= QDate(current + 29, 12, 31); d = d.addDays(1), ++days) {
        const QString cell = formatDate(d, QStringLiteral("ddd - mmm d, yy"));
        const QString afterHyphen = cell.mid(cell.indexOf(QLatin1Char('-')) + 1);
        const std::optional<QDate> back = parseDate(afterHyphen, current);
        ASSERT_TRUE(back.has_value()) << cell.toStdString();
        ASSERT_EQ(*back, d) << cell.toStdString();
    }
    EXPECT_EQ(days, 36525);
}

TEST(DateClockTest, TheWindowFollowsTheProgramsClock) {
    auto fake = std::make_unique<testsupport::FakeClock>();
    fake->setDate(2080, 6, 1);  // from 2010 to 2109
    auto old = setClock(std::move(fake));
    EXPECT_EQ(parseDate(QStringLiteral("Jan 6, 05")), QDate(2105, 1, 6));
    EXPECT_EQ(parseDate(QStringLiteral("Jan 6, 10")), QDate(2010, 1, 6));
    EXPECT_EQ(parseDate(QStringLiteral("Mar 4")), QDate(2080, 3, 4));
    setClock(std::move(old));
}

}  // namespace
