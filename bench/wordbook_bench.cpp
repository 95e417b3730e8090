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
// every entry read newest first), the filter at each keystroke, and the
// exports of every entry.
#include <unicode/ucnv.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/utf8.h"
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

double Time(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return MsSince(start);
}

void Row(const std::string& what, double figure, const char* unit, const std::string& goal) {
  std::printf("| %-58s | %10.3f %s | %10s |\n", what.c_str(), figure, unit, goal.c_str());
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
    figures.ms.push_back(Time([&] {
      sqlite::Transaction transaction(db);
      db.Execute("INSERT INTO t VALUES ('an entry of a few hundred bytes, as a kept entry is')");
      transaction.Commit();
    }));
  }
  return figures.Median();
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
  std::printf("%zu entries of WordNet and EDICT, in %s\n\n", count, file.c_str());
  std::printf("| %-58s | %13s | %10s |\n|---|---|---|\n", "What", "Figure", "Goal");

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
  Row("  a commit of one row, synchronous=FULL, median", CommitMedian(folder / "full.sqlite", "FULL", 200),
      "ms", "");
  Row("  a commit of one row, synchronous=NORMAL (ours), median",
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
  for (const char16_t* typed : {u"t", u"th", u"the", u"the ", u"the a", u"the ac", u"the act", u"w", u"wa",
                                u"wat", u"wate", u"water", u"の", u"日本", u"\"of a\""}) {
    keystrokes.ms.push_back(Time([&] { list.SetFilter(typed, false); }));
    shown += list.size();
  }
  Row("filter, a keystroke, median (" + std::to_string(shown / 15) + " shown on average)",
      keystrokes.Median(), "ms", "<= 30 ms");
  Row("filter, the slowest keystroke", keystrokes.At(1.0), "ms", "<= 30 ms");

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

int main(int argc, char** argv) { return tavlex::bench::Run(argc > 1 ? std::stoul(argv[1]) : 10'000); }
