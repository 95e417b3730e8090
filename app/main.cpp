// The viewer's entry point.
#include <QApplication>
#include <cstdlib>

#include "app/qt_translations.h"
#include "app/viewer_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  tavlex::InstallQtTranslations();
  tavlex::CViewerApp viewer;
  if (!viewer.Initialise()) return EXIT_FAILURE;
  return application.exec();
}
