// The program's icon (icon 128), drawn from resources/icons/tavlex.svg at
// build time: the main window, the about box and the desktop entry use it.
#pragma once

#include <QIcon>

namespace tavlex {

QIcon ProgramIcon();

}  // namespace tavlex
