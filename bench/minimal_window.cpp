// The baseline of the viewer's start-up figures: a minimal Qt Widgets program
// that opens one window with one line of text and ends once it has painted.
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {

class Line : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    QTimer::singleShot(0, [] { ::_exit(0); });
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  Line line(QStringLiteral("Tavlex 辞書ビューア"));
  line.show();
  application.exec();
  return 1;
}
