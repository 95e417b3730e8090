// The bar of OK and Cancel buttons at the bottom of the viewer's dialogs,
// built from a menu resource: command IDOK accepts the dialog, IDCANCEL
// rejects it. Each button is named "button" plus its command id.
#pragma once

#include <QDialog>
#include <vector>

#include "resources/menus.h"

namespace tavlex {

QWidget* CreateDialogMenuBar(QDialog* dialog, const std::vector<MenuItem>& menu);

}  // namespace tavlex
