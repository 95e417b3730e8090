#include "platform/program_launcher.h"

#include <signal.h>
#include <sys/stat.h>

#include <QFile>
#include <QProcess>

namespace tavlex::platform {

qint64 StartProgram(const QString& path) {
  // The path comes from the settings file: never try to run a directory, a
  // FIFO or a device. (A bare name that is not here is still looked up in PATH.)
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) return 0;
  qint64 processId = 0;
  if (!QProcess::startDetached(path, {}, QString(), &processId)) return 0;
  return processId;
}

void RequestProgramEnd(qint64 processId) {
  if (processId > 0) ::kill(static_cast<pid_t>(processId), SIGTERM);
}

}  // namespace tavlex::platform
