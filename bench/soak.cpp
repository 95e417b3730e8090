// A long run of the lookup view, offscreen, over nine dictionaries of a
// million entries with their full-text indexes ready: random words and
// prefixes in every search mode, the inflection search after the prefix
// ones, cache sizes changing, and a dictionary removed and opened again every
// thousand searches. Reports resident memory beside its goals and the slowest
// search, and every thousand searches where the memory is (anonymous or
// file pages, the allocator's pieces in use and free); run it from the
// sanitizer build too, where any finding ends the run.
//
// Usage: soak [FURTHER]  (FURTHER: the searches after the first thousand, 10,000 by default)
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/generated_dictionary.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_timers.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"
#include "view/search_flow.h"

namespace tavlex::bench {
namespace {

constexpr int kMillion = 1'000'000;
constexpr int kDictionaries = 9;
constexpr int kWarmSearches = 1'000;
constexpr int kFurtherSearches = 10'000;
constexpr int kFiguresEvery = 1'000;
constexpr double kResidentGoalMiB = 100;
constexpr double kGrowthGoalPercent = 10;
constexpr int kReopenEvery = 1'000;
constexpr int kResizeCachesEvery = 100;
constexpr int kMostCacheSize = 6;

constexpr double kMiB = 1024.0 * 1024.0;

double ResidentMiB() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / kMiB;
}

// A line of /proc/self/status such as "RssAnon:   1234 kB", in MiB.
double StatusMiB(const char* field) {
  double kib = 0;
  if (FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
      if (std::strncmp(line, field, length) == 0) kib = std::atof(line + length);
    }
    std::fclose(status);
  }
  return kib / 1024;
}

// The heaps the allocator keeps: the main one and one for each arena threads took.
int HeapCount() {
  char* text = nullptr;
  size_t size = 0;
  FILE* out = ::open_memstream(&text, &size);
  if (!out) return 0;
  ::malloc_info(0, out);
  std::fclose(out);
  int heaps = 0;
  for (const char* at = text; (at = std::strstr(at, "<heap nr=")); ++at) ++heaps;
  std::free(text);
  return heaps;
}

// Where the resident memory is, on one line.
void PrintWhere(int searches) {
  const struct mallinfo2 heap = ::mallinfo2();
  std::printf(
      "%6d searches: %.1f MiB resident (anonymous %.1f, files %.1f); allocated %.1f MiB "
      "(%.1f of it mapped alone), %.1f MiB free in %d heaps\n",
      searches, ResidentMiB(), StatusMiB("RssAnon:"), StatusMiB("RssFile:") + StatusMiB("RssShmem:"),
      static_cast<double>(heap.uordblks + heap.hblkhd) / kMiB, static_cast<double>(heap.hblkhd) / kMiB,
      static_cast<double>(heap.fordblks) / kMiB, HeapCount());
  std::fflush(stdout);
}

// Nine paths: hard links to the two generated dictionaries, BOCU-1 and ANSI in turn.
std::vector<std::string> NineDictionaries() {
  const std::vector<std::filesystem::path> names[2] = {
      LinkedNames(GeneratedDictionary(kMillion, dicwriter::Charset::kBocu1), "soak-bocu1",
                  (kDictionaries + 1) / 2),
      LinkedNames(GeneratedDictionary(kMillion, dicwriter::Charset::kAnsi), "soak-ansi", kDictionaries / 2)};
  std::vector<std::string> paths;
  for (int i = 0; i < kDictionaries; ++i) paths.push_back(names[i % 2][static_cast<size_t>(i / 2)].string());
  return paths;
}

// A word a user might type, and the mode it is searched in: a headword, a
// prefix of one, an inflected form, or noise; a headword's piece in the
// substring and suffix modes; a word of a headword in full text.
struct Query {
  int mode = ids::kModePrefix;
  QString text;
};

Query RandomQuery(std::mt19937& random, const std::vector<std::u16string>& headwords) {
  const std::u16string& word = headwords[random() % headwords.size()];
  const auto piece = [&](size_t most) {
    const size_t length = std::min<size_t>(word.size(), 1 + random() % most);
    return QString::fromStdU16String(word.substr(random() % (word.size() - length + 1), length));
  };
  switch (random() % 20) {
    case 0:
      return {ids::kModePrefix, QString::fromStdU16String(word + u"s")};
    case 1:
      return {ids::kModePrefix, QString::fromStdU16String(word + u"ed")};
    case 2: {
      std::u16string noise;
      for (int n = 1 + random() % 8; n > 0; --n) noise += static_cast<char16_t>(u'a' + random() % 26);
      return {ids::kModePrefix, QString::fromStdU16String(noise)};
    }
    case 3:
    case 4:
      return {ids::kModeExact, QString::fromStdU16String(word)};
    case 5:
    case 6:
      return {ids::kModeSubstring, piece(4)};
    case 7:
      return {ids::kModeSuffix, piece(4)};
    case 8:
    case 9:
    case 10:
    case 11: {
      const QStringList words = QString::fromStdU16String(word).split(u' ', Qt::SkipEmptyParts);
      return {ids::kModeFullText, words.isEmpty() ? QString("a") : words[random() % words.size()]};
    }
    default:
      return {ids::kModePrefix, QString::fromStdU16String(word.substr(0, 1 + random() % word.size()))};
  }
}

void Settle() {
  for (int round = 0; round < 3; ++round) QApplication::sendPostedEvents();
}

int Run(int further) {
  const int searches = kWarmSearches + further;
  const std::vector<std::string> paths = NineDictionaries();
  QTemporaryDir scratch;
  const std::filesystem::path ini = std::filesystem::path(scratch.path().toStdString()) / "tavlex.ini";
  {
    std::ofstream out(ini);
    out << "[dictionary]\ndelay=0\nconjudelay=1\n";
    for (int i = 0; i < kDictionaries; ++i) out << "dic" << i + 1 << "=" << paths[i] << "\n";
  }
  IniFile settings;
  settings.LoadPath(ini);
  testing::FakeTimers timers;
  CLookupView view(settings, nullptr);
  view.resize(520, 720);
  view.show();
  QApplication::processEvents();
  DictionarySet& set = view.dictionarySet();
  // Every index made (or read from the bench's cache) before anything is measured.
  platform::PostCommand(&view, ids::kBuildIndexes);
  while (QApplication::sendPostedEvents(), !view.searchFlow().IndexesUnderWay().empty()) QThread::msleep(50);
  const std::vector<std::u16string> headwords =
      SampleHeadwords(std::filesystem::path(paths[0]).u16string(), 20'000, 11);
  int mode = ids::kModePrefix;

  const double atStart = ResidentMiB();
  PrintWhere(0);
  double afterThousand = 0;
  std::mt19937 random(20'000);
  double slowestMs = 0;
  QString slowestQuery;
  const auto began = std::chrono::steady_clock::now();
  for (int search = 1; search <= searches; ++search) {
    if (search % kResizeCachesEvery == 0) {
      for (size_t i = 0; i < set.count(); ++i) set.at(i).SetCacheSize(random() % (kMostCacheSize + 1));
    }
    if (search % kReopenEvery == 0) {
      const size_t index = random() % set.count();
      const std::u16string path = set.at(index).path();
      set.RemoveAt(index);
      if (!set.Open(path)) return std::fprintf(stderr, "cannot open %s again\n", paths[index].c_str()), 1;
    }
    const Query query = RandomQuery(random, headwords);
    if (query.mode != mode) {
      mode = query.mode;
      platform::PostCommand(&view, mode);
      Settle();
    }
    const auto start = std::chrono::steady_clock::now();
    view.searchEdit()->setText(query.text);
    Settle();
    if (mode == ids::kModePrefix && timers.Fire(&view, ids::kInflectionSearchTimer)) Settle();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms > slowestMs) slowestMs = ms, slowestQuery = query.text;
    if (search == kWarmSearches) afterThousand = ResidentMiB();
    if (search % kFiguresEvery == 0) PrintWhere(search);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  const double atEnd = ResidentMiB();

  std::printf("searches                 %d (%.1f s, %.2f ms on average)\n", searches, seconds,
              seconds * 1000 / searches);
  std::printf("resident at start        %.1f MiB\n", atStart);
  std::printf("after 1,000 searches     %.1f MiB (goal <= %.0f MiB)\n", afterThousand, kResidentGoalMiB);
  std::printf("at the end               %.1f MiB (%+.1f%% from 1,000 searches; goal <= +%.0f%% over %d)\n",
              atEnd, 100.0 * (atEnd - afterThousand) / afterThousand, kGrowthGoalPercent, kFurtherSearches);
  std::printf("slowest search           %.1f ms (\"%s\")\n", slowestMs, slowestQuery.toUtf8().constData());
  return 0;
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The indexes of the benchmark dictionaries stay beside them, out of the user's cache.
  qputenv("XDG_CACHE_HOME", TAVLEX_BENCH_DATA "/cache");
  QApplication application(argc, argv);
  const int further = argc > 1 ? std::max(0, std::atoi(argv[1])) : tavlex::bench::kFurtherSearches;
  return tavlex::bench::Run(further);
}
