// tavlex-render: draws the viewer's window after a search into a PNG file, so
// that anyone can see what a user sees without a screen. It works on a copy
// of the settings file, which the viewer rewrites when it closes.
#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription("Draws the Tavlex window after a search into a PNG file.");
  parser.addHelpOption();
  parser.addOption({"ini", "Settings file naming the dictionaries.", "file"});
  parser.addOption({"word", "The word typed into the search box.", "word"});
  parser.addOption({"out", "The PNG file to write.", "file"});
  parser.addOption({"size", "Window size in logical pixels, WxH.", "size", "520x720"});
  parser.addOption({"scale", "Device pixel ratio (for example 2 for a high-density screen).", "ratio", "1"});
  parser.process(application);
  if (!parser.isSet("ini") || !parser.isSet("out")) {
    std::fprintf(stderr, "tavlex-render: --ini and --out are required\n");
    return 2;
  }

  QTemporaryDir scratch;
  const std::filesystem::path copy = std::filesystem::path(scratch.path().toStdString()) / "tavlex.ini";
  std::error_code error;
  std::filesystem::copy_file(parser.value("ini").toStdString(), copy, error);
  if (error) {
    std::fprintf(stderr, "tavlex-render: %s: %s\n", qPrintable(parser.value("ini")), error.message().c_str());
    return 2;
  }

  tavlex::CViewerApp viewer;
  viewer.InitialiseWith(copy);
  tavlex::CMainFrame* frame = viewer.frame();
  const QStringList size = parser.value("size").split('x');
  if (size.size() == 2) frame->resize(size[0].toInt(), size[1].toInt());
  QApplication::processEvents();

  tavlex::CLookupView* view = frame->view();
  view->searchEdit()->setText(parser.value("word"));
  tavlex::platform::PostCommand(view, tavlex::ids::kSearch);
  QApplication::processEvents();

  const qreal scale = parser.value("scale").toDouble();
  QPixmap image(frame->size() * scale);
  image.setDevicePixelRatio(scale);
  frame->render(&image);
  if (!image.save(parser.value("out"))) {
    std::fprintf(stderr, "tavlex-render: cannot write %s\n", qPrintable(parser.value("out")));
    return 1;
  }
  return 0;
}
