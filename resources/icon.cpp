#include "resources/icon.h"

namespace tavlex {

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/icons/tavlex.png")); }

}  // namespace tavlex
