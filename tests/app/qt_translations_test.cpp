// Qt's own dialogs (the file dialog, the buttons of message boxes) speak
// Japanese as the rest of the viewer does.
#include "app/qt_translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "tests/support/qt_printers.h"

namespace tavlex {
namespace {

TEST(QtTranslations, QtsOwnDialogsSpeakJapanese) {
  ASSERT_TRUE(InstallQtTranslations()) << "qt6-translations-l10n is missing (scripts/setup installs it)";
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "アドレス:");
  for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
    delete translator;
}

}  // namespace
}  // namespace tavlex
