// Shared by the kill-during-restore test and the helper it kills: the helper runs one restore
// and counts every file operation in a page of memory both processes map; when the count
// reaches the test's target it says so, and waits a moment there when asked to, so that the
// test's SIGKILL lands right at that operation.
#pragma once

#include <atomic>

namespace restorekill {

struct Progress {
    std::atomic<int> operations{0};  // file operations begun
    std::atomic<int> target{0};      // the operation the test waits for (0: none)
    std::atomic<int> pauseAtTarget{0};
    std::atomic<int> reached{0};
    std::atomic<int> finished{0};    // 1 restored, 2 ended otherwise
};

}  // namespace restorekill
