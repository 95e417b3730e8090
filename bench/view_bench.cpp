// From a change of the search text to the finished repaint of the result
// display, over nine dictionaries of a million entries each: in the prefix
// search, and in the full-text search with every index ready.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <ctime>
#include <filesystem>

#include "bench/generated_dictionary.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex::bench {
namespace {

constexpr int kMillion = 1'000'000;
constexpr int kDictionaries = 9;

// A view over nine dictionaries, each under its own path, 30 results each.
class NineDictionaryView {
 public:
  NineDictionaryView() {
    const std::filesystem::path original = GeneratedDictionary(kMillion, dicwriter::Charset::kBocu1);
    const std::filesystem::path ini = std::filesystem::path(scratch_.path().toStdString()) / "tavlex.ini";
    WriteDictionaryList(ini, LinkedNames(original, "nine", kDictionaries));
    settings_.LoadPath(ini);
    view_ = std::make_unique<CLookupView>(settings_, nullptr);
    view_->resize(520, 720);
    view_->show();
    QApplication::processEvents();
  }

  // Types one more letter (or takes it back), lets the posted search run and repaints.
  void ChangeAndRepaint(const QString& text) {
    view_->searchEdit()->setText(text);
    QApplication::sendPostedEvents();  // the change message, then the search command
    QApplication::sendPostedEvents();
    view_->resultDisplay()->viewport()->repaint();
  }

  void EmptyCaches() {
    for (size_t i = 0; i < view_->dictionarySet().count(); ++i) {
      Dictionary& dictionary = view_->dictionarySet().at(i);
      const int32_t size = dictionary.settings().cacheSize;
      dictionary.SetCacheSize(0);
      dictionary.SetCacheSize(size);
    }
  }

  // Switches the mode as its menu item does, and for full text makes every index now.
  void UseMode(int command) {
    platform::PostCommand(view_.get(), command);
    QApplication::sendPostedEvents();
    if (command != ids::kModeFullText) return;
    platform::PostCommand(view_.get(), ids::kBuildIndexes);
    while (QApplication::sendPostedEvents(), !view_->searchFlow().IndexesUnderWay().empty()) {
      QThread::msleep(50);
    }
  }

  size_t shownParagraphs() const { return view_->resultDisplay()->paragraphs().size(); }

  // Wraps what the repaint left for the turns of the event loop after it,
  // which come before the next key; the processor time it took, in ms.
  double WrapTheRest() {
    const auto now = [] {
      timespec t{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
      return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    view_->resultDisplay()->lines();
    return now() - start;
  }

 private:
  QTemporaryDir scratch_;
  IniFile settings_;
  std::unique_ptr<CLookupView> view_;
};

void BM_ChangeToRepaint(benchmark::State& state, bool cold, int mode) {
  NineDictionaryView view;
  view.UseMode(mode);
  const std::u16string word = CommonPrefix();
  const QString texts[2] = {QString::fromStdU16String(word), QString::fromStdU16String(word.substr(0, 4))};
  int flip = 0;
  double rest = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      view.EmptyCaches();
      state.ResumeTiming();
    }
    view.ChangeAndRepaint(texts[flip ^= 1]);
    state.PauseTiming();
    rest += view.WrapTheRest();
    state.ResumeTiming();
  }
  state.counters["paragraphs"] = static_cast<double>(view.shownParagraphs());
  // Not part of the repaint: the lines below the page, wrapped after it.
  state.counters["rest_cpu_ms"] = rest / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(BM_ChangeToRepaint, warm, false, ids::kModePrefix)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChangeToRepaint, cold, true, ids::kModePrefix)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChangeToRepaint, fulltext_warm, false, ids::kModeFullText)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChangeToRepaint, fulltext_cold, true, ids::kModeFullText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The indexes of the generated dictionaries stay beside them, out of the user's cache.
  qputenv("XDG_CACHE_HOME", TAVLEX_BENCH_DATA "/cache");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
