// Opening a web address in the desktop's browser from a link or button of a window.
#pragma once

#include <QString>

// Asks the shell to open the address. When the desktop cannot take it (no browser, no handler
// for web addresses) the user is told "Unable to connect to Internet." instead of being left
// waiting for a page that never opens. Returns whether the address was handed over.
bool OpenWebAddress(const QString& address);
