// The base of the program's tests: the platform fakes (tests/support/platform/PlatformFakes.h)
// and, before each test, every program-wide value back to its value at program start.
#pragma once

#include "tests/support/platform/PlatformFakes.h"

namespace testsupport {

class ProgramTest : public PlatformTest {
protected:
    void SetUp() override;
    // Every window gone and every program-wide value back to its start: the program started
    // anew in the same folder.
    void startAgain();
};

// Puts every program-wide value back to its value at program start (a test process runs many
// programs one after another).
void resetProgramState();

}  // namespace testsupport
