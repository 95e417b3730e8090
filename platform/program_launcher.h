// Starting a helper program by path and asking it to end, for the font loader
// that a user may name in the settings.
#pragma once

#include <QString>

namespace tavlex::platform {

// Starts the program with no arguments; its process id, or 0 when it did not start.
qint64 StartProgram(const QString& path);

// Asks the process to end (the desktop's equivalent of closing its window).
void RequestProgramEnd(qint64 processId);

}  // namespace tavlex::platform
