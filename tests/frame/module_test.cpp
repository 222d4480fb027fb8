// The shared module procedures: the two-second wait and the hourglass.
#include "frame/HINFO1.h"
#include "tests/support/TestSupport.h"

namespace {

class ModuleTest : public testsupport::ProgramTest {};

struct WaitCase {
    int startSecond;
    int endSecond;
};

class WaitTest : public ModuleTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(WaitTest, EndsWhenTheSecondsReachTheStartPlusTwo) {
    clock->setTime(9, 15, GetParam().startSecond, 500);
    WaitTwoSeconds();
    EXPECT_EQ(clock->timeOfDay().second(), GetParam().endSecond);
    // It ends at the first reading in that second, not later.
    EXPECT_LT(clock->timeOfDay().msec(), 20 + 1);
    EXPECT_GT(clock->pauses(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seconds, WaitTest,
                         ::testing::Values(WaitCase{30, 32}, WaitCase{0, 2}, WaitCase{57, 59}, WaitCase{58, 0},
                                           WaitCase{59, 1}, WaitCase{1, 3}));

TEST_F(ModuleTest, AWaitThatMissesItsSecondGoesOnForAMinute) {
    clock->setTime(9, 15, 30, 900);
    clock->stallAtPause(3, 2500);  // the thread is held up over the whole of second 32
    QTime begin = clock->timeOfDay();
    WaitTwoSeconds();
    EXPECT_EQ(clock->timeOfDay().second(), 32);
    EXPECT_GT(begin.secsTo(clock->timeOfDay()), 60);
}

TEST_F(ModuleTest, OneHourglassOffEndsAnyNumberOfOns) {
    HourglassOn();
    HourglassOn();
    EXPECT_TRUE(pointer->hourglass());
    HourglassOff();
    EXPECT_FALSE(pointer->hourglass());
}

}  // namespace
