#include "platform/program_launcher.h"

#include <signal.h>

#include <QProcess>

namespace tavlex::platform {

qint64 StartProgram(const QString& path) {
  qint64 processId = 0;
  if (!QProcess::startDetached(path, {}, QString(), &processId)) return 0;
  return processId;
}

void RequestProgramEnd(qint64 processId) {
  if (processId > 0) ::kill(static_cast<pid_t>(processId), SIGTERM);
}

}  // namespace tavlex::platform
