// From the start of `tavlex WORD` (or `tavlex --popup --selection`) to the
// repainted results in a viewer that is running already, over nine
// dictionaries of a million entries each: the second process starts, finds
// the running viewer on the session bus and hands its request over, and the
// viewer searches and repaints. The viewer runs in this process (offscreen);
// the second start is the real program. Run it on a session bus:
//
//   dbus-run-session build/bench/handoff_bench [ROUNDS]   (default 50)
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/launch_bus.h"
#include "app/main_frame.h"
#include "app/outside_lookups.h"
#include "app/viewer_app.h"
#include "bench/generated_dictionary.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "ui/lookup_popup.h"
#include "view/lookup_view.h"

namespace tavlex::bench {
namespace {

constexpr int kMillion = 1'000'000;
constexpr int kDictionaries = 9;
constexpr int kPatienceMs = 10'000;

// The settings file of a viewer with nine names for one generated dictionary.
std::filesystem::path NineDictionaries(const QTemporaryDir& scratch) {
  const std::filesystem::path original = GeneratedDictionary(kMillion, dicwriter::Charset::kBocu1);
  const std::filesystem::path ini = std::filesystem::path(scratch.path().toStdString()) / "tavlex.ini";
  WriteDictionaryList(ini, LinkedNames(original, "nine", kDictionaries));
  return ini;
}

// Notes when a display has painted the results of the current look-up.
class RepaintWatcher : public QObject {
 public:
  RepaintWatcher(QWidget* viewport, const CLookupView* view) {
    viewport->installEventFilter(this);
    connect(view, &CLookupView::resultsShown, this,
            [this, view] { shown_ = view->searchEdit()->text() == word_; });
    clock_.start();
  }
  // A look-up of word starts now.
  qint64 Start(const QString& word) {
    word_ = word;
    shown_ = false;
    paintedAt_ = -1;
    return clock_.nsecsElapsed();
  }
  qint64 paintedAt() const { return paintedAt_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && shown_ && paintedAt_ < 0) {
      // The paint runs after this filter: the time is taken once it is done.
      QTimer::singleShot(0, this, [this] { paintedAt_ = clock_.nsecsElapsed(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QElapsedTimer clock_;
  QString word_;
  bool shown_ = false;  // the results of word_ are shown
  qint64 paintedAt_ = -1;
};

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const size_t at =
      std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
  return values[at];
}

// Starts the program with args and answers the bus until display has painted
// the results of word; the milliseconds that took, or none.
std::optional<double> LookUp(const QString& word, const QStringList& args, RepaintWatcher& watcher) {
  QProcess second;
  const qint64 start = watcher.Start(word);
  second.start(QStringLiteral(TAVLEX_VIEWER), args);
  QElapsedTimer waited;
  waited.start();
  while (watcher.paintedAt() < 0 && waited.elapsed() < kPatienceMs) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  second.waitForFinished();
  if (watcher.paintedAt() < 0) return std::nullopt;
  return static_cast<double>(watcher.paintedAt() - start) / 1e6;
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  using namespace tavlex;
  using namespace tavlex::bench;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  std::optional<SessionBus> bus = SessionBus::Connect();
  if (!bus) {
    std::fprintf(stderr, "handoff_bench: no session bus; run it with dbus-run-session\n");
    return 2;
  }
  std::fprintf(stderr, "handoff_bench: preparing dictionaries (generated once, slow the first time)\n");
  QTemporaryDir scratch;
  CViewerApp viewer;
  viewer.InitialiseWith(NineDictionaries(scratch));
  viewer.frame()->view()->OpenDictionaries();
  if (!bus->Serve(viewer.outside())) {
    std::fprintf(stderr, "handoff_bench: another viewer runs on this bus\n");
    return 2;
  }
  CLookupView* view = viewer.frame()->view();
  QApplication::processEvents();
  // One pop-up first, unmeasured, so that its display exists to be watched.
  viewer.outside()->OnLaunch({LookupRequest::Source::kWord, u"re", LookupRequest::Place::kPopup}, {});
  RepaintWatcher window(view->resultDisplay()->viewport(), view);
  RepaintWatcher popup(viewer.outside()->popup()->display()->viewport(), view);

  const std::vector<std::u16string> words = SampleHeadwords(
      GeneratedDictionary(kMillion, dicwriter::Charset::kBocu1), static_cast<size_t>(2 * rounds), 22);
  size_t next = 0;
  std::printf("%-32s %9s %9s  %s\n", "From the start of", "median", "p95", "goal");
  for (const bool inPopup : {false, true}) {
    std::vector<double> milliseconds;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      const QString word = QString::fromStdU16String(words[next++]);
      viewer.outside()->popup()->close();
      QApplication::processEvents();
      // Offscreen, the selection is read from the clipboard.
      if (inPopup) QGuiApplication::clipboard()->setText(word);
      const QStringList args = inPopup ? QStringList{"--popup", "--selection"} : QStringList{word};
      const std::optional<double> took = LookUp(word, args, inPopup ? popup : window);
      if (took && view->searchEdit()->text() == word) {
        milliseconds.push_back(*took);
      } else {
        ++failures;
      }
    }
    const char* what = inPopup ? "tavlex --popup --selection" : "tavlex WORD";
    if (milliseconds.empty()) {
      std::printf("%-32s no look-up was painted\n", what);
      continue;
    }
    const double median = Percentile(milliseconds, 0.5);
    const double p95 = Percentile(milliseconds, 0.95);
    std::printf("%-32s %9.1f %9.1f  median <= 60 ms: %s, p95 <= 100 ms: %s%s\n", what, median, p95,
                median <= 60 ? "met" : "MISSED", p95 <= 100 ? "met" : "MISSED",
                failures ? "  (some look-ups failed)" : "");
  }
  std::printf("(%d look-ups each, nine dictionaries of %d entries, offscreen)\n", rounds, kMillion);
  return 0;
}
