// What a screen reader finds in a window: the tree of accessible objects from the window down,
// and for every control in it a role that fits its kind, a name, and the states a person
// would see (showing or not, read-only, checked).
#pragma once

#include "platform/Form.h"

#include <QString>
#include <vector>

namespace testsupport {

// What is wrong, one line per fault ("Name(index): ..."); empty when nothing is.
std::vector<QString> accessibilityFaults(const platform::Form& form);

}  // namespace testsupport
