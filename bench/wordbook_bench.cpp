// Figures of the word book beside their goals, on 10,000 entries made of real
// text: WordNet's synsets (a word, its definition, an example sentence it
// was looked up in) and EDICT's entries (a Japanese word, its reading, its
// glosses), from the Debian packages wordnet-base and edict. A program, not a
// test:
//
//   wordbook_bench [ENTRIES]   (10000)
//
// It times keeping an entry (with the commit's wait for the disk, and, for
// comparison, a commit that waits only at checkpoints), the marks of a result
// display of 9 × 30 entries, the window's open (the file opened and checked,
// every entry read newest first) and its filter at each keystroke, each on
// the list alone, through WordBookBrowser and in the real CWordBookWindow
// (offscreen, shown and painted), and the exports of every entry.
#include <unicode/ucnv.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/word_book_window.h"
#include "base/utf8.h"
#include "settings/ini_file.h"
#include "view/word_book_browser.h"
#include "wordbook/exports.h"
#include "wordbook/word_book.h"
#include "wordbook/word_book_list.h"

namespace tavlex::bench {
namespace {

using namespace tavlex::wordbook;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kWordNet[] = {"/usr/share/wordnet/data.noun", "/usr/share/wordnet/data.verb",
                                    "/usr/share/wordnet/data.adj", "/usr/share/wordnet/data.adv"};
constexpr const char* kEdict = "/usr/share/edict/edict";

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
  std::vector<double> ms;
  double Median() { return At(0.5); }
  double At(double p) {
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? 0
                      : ms[std::min(ms.size() - 1, static_cast<size_t>(p * static_cast<double>(ms.size())))];
  }
};

// The processor time (user and system) work takes in this process: on a
// shared machine steadier than the time on the clock, which waits for the
// processor too. A wait for the disk is on the clock only: WallTime.
double Time(const std::function<void()>& work) {
  timespec start{}, end{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
  work();
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
  return static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

double WallTime(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return MsSince(start);
}

void Row(const std::string& what, double figure, const char* unit, const std::string& goal) {
  std::printf("| %-64s | %10.3f %s | %10s |\n", what.c_str(), figure, unit, goal.c_str());
}

// A WordNet line: "offset lex type count word lex_id ... | gloss; \"example\"".
bool FromWordNet(const std::string& line, KeptEntry& entry) {
  const size_t bar = line.find(" | ");
  if (line.starts_with("  ") || bar == std::string::npos) return false;
  std::istringstream fields(line.substr(0, bar));
  std::string offset, lex, type, count, word;
  fields >> offset >> lex >> type >> count >> word;
  std::replace(word.begin(), word.end(), '_', ' ');
  const std::string gloss = line.substr(bar + 3);
  const size_t quote = gloss.find('"');
  entry.headword = Utf8ToUtf16(word);
  entry.translation = Utf8ToUtf16(gloss.substr(0, quote == std::string::npos ? gloss.size() : quote));
  entry.dictionaryName = u"WordNet";
  entry.dictionaryPath = u"/usr/share/wordnet/data." + Utf8ToUtf16(type);
  if (quote != std::string::npos) {
    const size_t end = gloss.find('"', quote + 1);
    entry.example = Utf8ToUtf16(gloss.substr(quote + 1, end == std::string::npos ? 0 : end - quote - 1));
    // Looked up from its example, the word marked where it stands.
    entry.sourceText = entry.example;
    const size_t at = entry.sourceText.find(entry.headword);
    entry.coveredBegin = at == std::u16string::npos ? 0 : static_cast<uint32_t>(at);
    entry.coveredEnd = at == std::u16string::npos ? 0 : static_cast<uint32_t>(at + entry.headword.size());
  }
  return true;
}

// An EDICT line: "word [reading] /gloss/gloss/".
bool FromEdict(const std::u16string& line, KeptEntry& entry) {
  const size_t slash = line.find(u" /");
  if (slash == std::u16string::npos || line.starts_with(u"\u3000")) return false;
  const size_t bracket = line.find(u" [");
  entry.headword = line.substr(0, std::min(bracket, slash));
  if (bracket < slash) entry.pronunciation = line.substr(bracket + 2, line.find(u']', bracket) - bracket - 2);
  entry.translation = line.substr(slash + 2);
  std::replace(entry.translation.begin(), entry.translation.end(), u'/', u'\n');
  entry.dictionaryName = u"EDICT";
  entry.dictionaryPath = u"/usr/share/edict/edict";
  return true;
}

std::vector<KeptEntry> RealEntries(size_t count) {
  std::vector<KeptEntry> entries;
  // Six in ten from WordNet, spread over its files; the rest from EDICT.
  const size_t fromWordNet = count * 6 / 10;
  for (size_t f = 0; f < std::size(kWordNet); ++f) {
    std::ifstream in(kWordNet[f]);
    std::string line;
    const size_t upTo = fromWordNet * (f + 1) / std::size(kWordNet);
    for (size_t i = 0; std::getline(in, line) && entries.size() < upTo; ++i) {
      KeptEntry entry;
      if (i % 3 == 0 && FromWordNet(line, entry)) entries.push_back(std::move(entry));
    }
  }
  std::ifstream in(kEdict, std::ios::binary);
  UErrorCode status = U_ZERO_ERROR;
  UConverter* euc = ucnv_open("EUC-JP", &status);
  std::string line;
  std::u16string text;
  for (size_t i = 0; std::getline(in, line) && entries.size() < count; ++i) {
    if (i % 20 != 0) continue;
    text.resize(line.size() + 1);
    status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(euc, text.data(), static_cast<int32_t>(text.size()), line.data(),
                                         static_cast<int32_t>(line.size()), &status);
    KeptEntry entry;
    if (U_SUCCESS(status) && FromEdict(text.substr(0, static_cast<size_t>(length)), entry)) {
      entries.push_back(std::move(entry));
    }
  }
  ucnv_close(euc);
  return entries;
}

// Commits of one row each on a raw connection with the synchronous setting
// given: how much of a keep the wait for the disk is.
double CommitMedian(const fs::path& file, const char* synchronous, int rows) {
  sqlite::Connection db(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  db.Execute(("PRAGMA journal_mode=WAL; PRAGMA synchronous=" + std::string(synchronous) +
              "; CREATE TABLE IF NOT EXISTS t (text TEXT)")
                 .c_str());
  Figures figures;
  for (int i = 0; i < rows; ++i) {
    figures.ms.push_back(WallTime([&] {
      sqlite::Transaction transaction(db);
      db.Execute("INSERT INTO t VALUES ('an entry of a few hundred bytes, as a kept entry is')");
      transaction.Commit();
    }));
  }
  return figures.Median();
}

// What is typed into the filter box, a keystroke each.
constexpr const char16_t* kTyped[] = {u"t",  u"th",  u"the",  u"the ",  u"the a", u"the ac", u"the act", u"w",
                                      u"wa", u"wat", u"wate", u"water", u"の",    u"日本",   u"\"of a\""};

// The window's open: the word book opened and read, through the browser
// with the first entry in full, and as the viewer opens the real window
// (over the word book it has open for the marks), made, shown and painted.
void WindowFigures(const fs::path& file, const fs::path& settingsFile) {
  const DetailLabels labels{u"source: ", u"kept: "};
  const auto noSettings = [](std::u16string_view) { return std::optional<DictionarySettings>(); };
  Figures browsers;
  Figures windows;
  IniFile settings;
  settings.LoadPath(settingsFile);
  for (int round = 0; round < 10; ++round) {
    browsers.ms.push_back(Time([&] {
      WordBook book(file);
      WordBookBrowser browser(book, noSettings);
      browser.Detail(labels);
    }));
    WordBook book(file);
    windows.ms.push_back(Time([&] {
      CWordBookWindow window(
          book, settings, noSettings, [] { return false; }, nullptr);
      window.FitScreen();
      window.show();
      QApplication::processEvents();
    }));
  }
  Row("  the same through WordBookBrowser, the first entry in full", browsers.Median(), "ms", "<= 100 ms");
  Row("  CWordBookWindow made, shown and painted (offscreen)", windows.Median(), "ms", "<= 100 ms");
}

// The filter at each keystroke through the browser, and in the real window
// with the list, the entry chosen first and the repaint.
void FilterFigures(WordBook& book) {
  const auto noSettings = [](std::u16string_view) { return std::optional<DictionarySettings>(); };
  WordBookBrowser browser(book, noSettings);
  Figures browsed;
  for (const char16_t* typed : kTyped) browsed.ms.push_back(Time([&] { browser.SetFilter(typed, false); }));
  Row("  through WordBookBrowser, median", browsed.Median(), "ms", "<= 30 ms");
  Row("  through WordBookBrowser, the slowest", browsed.At(1.0), "ms", "<= 30 ms");

  IniFile settings;
  CWordBookWindow window(
      book, settings, noSettings, [] { return false; }, nullptr);
  window.FitScreen();
  window.show();
  QApplication::processEvents();
  auto* box = window.findChild<QLineEdit*>("wordBookFilter");
  Figures typed;
  for (const char16_t* text : kTyped) {
    typed.ms.push_back(Time([&] {
      box->setText(QString::fromStdU16String(text));
      QApplication::processEvents();
    }));
  }
  Row("  in CWordBookWindow, repainted (offscreen), median", typed.Median(), "ms", "<= 30 ms");
  Row("  in CWordBookWindow, the slowest", typed.At(1.0), "ms", "<= 30 ms");
}

int Run(size_t count) {
  for (const char* file : {kWordNet[0], kEdict}) {
    if (!fs::exists(file)) {
      std::printf("%s is missing: install wordnet-base and edict (scripts/setup)\n", file);
      return 0;
    }
  }
  const std::vector<KeptEntry> entries = RealEntries(count + 200);
  const fs::path folder = fs::temp_directory_path() / ("wordbook-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "wordbook.sqlite";
  double load = 0;
  ::getloadavg(&load, 1);
  std::printf(
      "%zu entries of WordNet and EDICT, in %s; processor time (user+sys), but the commits' on the clock;\n"
      "load average %.1f\n\n",
      count, file.c_str(), load);
  std::printf("| %-64s | %13s | %10s |\n|---|---|---|\n", "What", "Figure", "Goal");

  Figures keeps;
  {
    WordBook book(file);
    const int64_t start = 1'700'000'000'000;
    for (size_t i = 0; i < count; ++i) {
      KeptEntry entry = entries[i];
      entry.keptAt = start + static_cast<int64_t>(i) * 60'000;
      const double ms = Time([&] { book.Keep(entry); });
      if (i < 100 || i + 200 > count) keeps.ms.push_back(ms);
    }
  }
  Row("keep an entry, median (first 100 and last 200)", keeps.Median(), "ms", "<= 5 ms");
  Row("keep an entry, 95th percentile", keeps.At(0.95), "ms", "<= 5 ms");
  Row("  a commit of one row, synchronous=FULL, median, clock",
      CommitMedian(folder / "full.sqlite", "FULL", 200), "ms", "");
  Row("  a commit of one row, synchronous=NORMAL (ours), median, clock",
      CommitMedian(folder / "normal.sqlite", "NORMAL", 200), "ms", "");

  Figures opens;
  Figures checks;
  for (int round = 0; round < 10; ++round) {
    opens.ms.push_back(Time([&] {
      WordBook book(file);
      WordBookList list(book);
    }));
    checks.ms.push_back(Time([&] { WordBook book(file); }));
  }
  Row("the window opens: file opened and checked, list read", opens.Median(), "ms", "<= 100 ms");
  Row("  of which opening and checking the file", checks.Median(), "ms", "");
  WindowFigures(file, folder / "tavlex.ini");

  WordBook book(file);
  // 9 dictionaries × 30 entries with their paths, every other one kept.
  std::vector<std::pair<Entry, std::u16string>> display;
  for (size_t i = 0; i < 270; ++i) {
    const KeptEntry& kept = entries[i % 2 == 0 ? i * 7 % count : count + i % 200];
    Entry entry;
    entry.key = kept.headword;
    entry.translation = kept.translation;
    display.emplace_back(entry, kept.dictionaryPath);
  }
  const double firstMarks = Time([&] { book.Marks(); });
  Figures marks;
  size_t marked = 0;
  for (int round = 0; round < 100; ++round) {
    marks.ms.push_back(Time([&] {
      const KeptMarks& kept = book.Marks();
      marked = 0;
      for (const auto& [entry, path] : display) marked += kept.Contains(IdentityOf(entry, path));
    }));
  }
  Row("marks of 9 x 30 entries (" + std::to_string(marked) + " kept), median", marks.Median(), "ms",
      "<= 1 ms");
  Row("  the marks read first, 10,000 identities", firstMarks, "ms", "");

  WordBookList list(book);
  Figures keystrokes;
  size_t shown = 0;
  for (const char16_t* typed : kTyped) {
    keystrokes.ms.push_back(Time([&] { list.SetFilter(typed, false); }));
    shown += list.size();
  }
  Row("filter, a keystroke, median (" + std::to_string(shown / std::size(kTyped)) + " shown on average)",
      keystrokes.Median(), "ms", "<= 30 ms");
  Row("filter, the slowest keystroke", keystrokes.At(1.0), "ms", "<= 30 ms");
  FilterFigures(book);

  for (const auto& [name, format] : {std::pair{"Anki text", ExportFormat::kAnki},
                                     {"CSV", ExportFormat::kCsv},
                                     {"JSON lines", ExportFormat::kJsonLines}}) {
    std::ostringstream out;
    const double ms = Time([&] {
      const std::vector<KeptEntry> read = book.Entries();
      WriteExport(format, read, {}, out);
    });
    Row(std::string("export of all, ") + name + " (" + std::to_string(out.str().size() / 1024) + " KB)", ms,
        "ms", "<= 1000 ms");
  }
  fs::remove_all(folder);
  return 0;
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform's remarks on each window would come between the rows.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication app(argc, argv);
  return tavlex::bench::Run(argc > 1 ? std::stoul(argv[1]) : 10'000);
}
