// The folding of single characters from many pages of the BMP, alone and on
// threads that meet each page first at the same time.
#include "engine/text/text_folding.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace tavlex {
namespace {

struct Case {
  char16_t from;
  char32_t to;
};

// Written out by hand from the Unicode tables: case, width, then nothing.
constexpr Case kCases[] = {
    {u'A', U'a'},           {u'z', U'z'},           {u'\u00C9', U'\u00E9'},  // É
    {u'\u0130', U'\u0130'},                          // İ: no simple folding to one ASCII letter
    {u'\u03A3', U'\u03C3'},                          // Σ
    {u'\u03C2', U'\u03C3'},                          // ς
    {u'\u0416', U'\u0436'},                          // Ж
    {u'\u1E9E', U'\u00DF'},                          // ẞ
    {u'\u2160', U'\u2170'},                          // Ⅰ
    {u'\u3000', U' '},      {u'\u30AB', U'\u30AB'},  // the ideographic space, カ
    {u'\u6F22', U'\u6F22'},                          // 漢
    {u'\uFF21', U'a'},      {u'\uFF41', U'a'},      {u'\uFF76', U'\u30AB'},  // Ａ ａ ｶ
    {u'\uFFE5', U'\u00A5'},                                                  // ￥
    {u'\uFFEF', U'\uFFEF'},                                                  // past the width forms
};

std::u16string AllFrom() {
  std::u16string text;
  for (const Case& c : kCases) text.push_back(c.from);
  return text;
}

std::u32string AllTo() {
  std::u32string folded;
  for (const Case& c : kCases) folded.push_back(c.to);
  return folded;
}

TEST(TextFolding, EachPageFoldsCaseAndWidth) {
  for (const Case& c : kCases) {
    EXPECT_EQ(FoldedChars(std::u16string(1, c.from), {}), std::u32string(1, c.to)) << int(c.from);
  }
}

TEST(TextFolding, ThreadsMeetingNewPagesAgree) {
  // Each thread starts at another case, so that pages are first met on several threads at once.
  constexpr size_t kThreads = 4;
  const std::u16string text = AllFrom();
  std::vector<std::u32string> results(kThreads);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const size_t shift = t * text.size() / kThreads;
      const std::u16string rotated = text.substr(shift) + text.substr(0, shift);
      const std::u32string folded = FoldedChars(rotated, {});
      const size_t back = folded.size() - shift;
      results[t] = folded.substr(back) + folded.substr(0, back);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::u32string& result : results) EXPECT_EQ(result, AllTo());
}

}  // namespace
}  // namespace tavlex
