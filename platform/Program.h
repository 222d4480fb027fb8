// Start-up of the platform layer for the real program.
#pragma once

#include <QString>

namespace platform {

// Sets the application's name and look, makes the executable's folder the program folder and
// installs the real services. Call once after the QApplication exists.
void initializeProgram(const QString& name);

}  // namespace platform
