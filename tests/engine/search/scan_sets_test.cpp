// Right answers of the look-up of a selected text, on the sets that
// scripts/make-scan-sets made from WordNet and EDICT (scan_sets/README.md):
// in a dictionary of the sets' headwords and their distractors, the headword
// expected is among the hits of the longest start that found something, and
// that start is the part of the text expected, for at least 95% of each group.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "base/utf8.h"
#include "engine/search/text_scan.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

struct Row {
  std::string group;
  std::u16string text;
  std::u16string headword;
  std::u16string covered;
};

std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::ifstream in(std::string(TAVLEX_SCAN_SETS) + "/" + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string>& fields = rows.emplace_back();
    for (size_t at = 0;;) {
      const size_t tab = line.find('\t', at);
      fields.push_back(line.substr(at, tab - at));
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
  }
  return rows;
}

std::vector<Row> ReadSet(const std::string& name) {
  std::vector<Row> rows;
  for (const auto& fields : ReadTable(name)) {
    if (fields.size() != 4) continue;
    rows.push_back({fields[0], Utf8ToUtf16(fields[1]), Utf8ToUtf16(fields[2]), Utf8ToUtf16(fields[3])});
  }
  return rows;
}

// The longest start that found something covers the expected part and has the expected headword.
bool Found(DictionarySet& set, const Row& row) {
  const std::vector<ScanGroup> groups = ScanText(set, row.text, {});
  if (groups.empty()) return false;
  const ScanGroup& longest = groups.front();
  if (row.text.substr(longest.begin, longest.end - longest.begin) != row.covered) return false;
  for (const ScanHit& hit : longest.hits) {
    if (hit.entry->key == row.headword) return true;
  }
  return false;
}

TEST(ScanSets, LongestMatchIsRightInEveryGroup) {
  const std::vector<Row> english = ReadSet("english.tsv");
  const std::vector<Row> japanese = ReadSet("japanese.tsv");
  ASSERT_GE(english.size(), 300u);
  ASSERT_GE(japanese.size(), 300u);

  std::set<std::u16string> headwords;
  for (const auto& fields : ReadTable("distractors.txt")) headwords.insert(Utf8ToUtf16(fields[0]));
  for (const std::vector<Row>* rows : {&english, &japanese}) {
    for (const Row& row : *rows) headwords.insert(row.headword);
  }
  testing::TempDir dir;
  DictionarySet set;
  ASSERT_TRUE(set.Open(
      testing::WriteTestDictionary(dir, "sets.dic", testing::Words({headwords.begin(), headwords.end()}))));
  set.at(0).settings().searchMax = 50;

  std::map<std::string, std::pair<int, int>> figures;  // group: right, all
  for (const std::vector<Row>* rows : {&english, &japanese}) {
    for (const Row& row : *rows) {
      auto& [right, all] = figures[row.group];
      ++all;
      if (Found(set, row)) {
        ++right;
      } else {
        std::printf("missed: %s (%s)\n", Utf16ToUtf8(row.text).c_str(), Utf16ToUtf8(row.headword).c_str());
      }
    }
  }
  for (const auto& [group, figure] : figures) {
    const double share = 100.0 * figure.first / figure.second;
    std::printf("%6.1f%% of %3d  %s\n", share, figure.second, group.c_str());
    EXPECT_GE(share, 95.0) << group;
  }
}

}  // namespace
}  // namespace tavlex
