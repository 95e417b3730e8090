// main() for the Qt tests: widgets need a QApplication, and without a choice
// of platform the tests draw offscreen, with no display; the user's folders
// (the word book, the index files) are temporary ones, in this process and
// in the programs it starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "tests/support/fake_desktop_folders.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  const tavlex::testing::FakeDesktopFolders folders(home.path().toStdString());
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("XDG_CACHE_HOME", home.path().toLocal8Bit());
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
