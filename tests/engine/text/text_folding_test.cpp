// Single characters from many pages of the BMP fold as the Unicode tables
// say, also on threads that meet each page first at the same time.
#include "engine/text/text_folding.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace tavlex {
namespace {

// Case, width, then nothing: É Σ ς Ж ẞ Ⅰ, the ideographic space, カ 漢 Ａ ｶ ￥, past the width forms.
constexpr char16_t kFrom[] =
    u"Az\u00C9\u03A3\u03C2\u0416\u1E9E\u2160\u3000\u30AB\u6F22\uFF21\uFF76\uFFE5\uFFEF";
constexpr char32_t kTo[] = U"az\u00E9\u03C3\u03C3\u0436\u00DF\u2170 \u30AB\u6F22a\u30AB\u00A5\uFFEF";

TEST(TextFolding, PagesFoldAloneAndOnThreadsAtOnce) {
  for (size_t i = 0; kFrom[i] != 0; ++i) {
    EXPECT_EQ(FoldedChars(std::u16string(1, kFrom[i]), {}), std::u32string(1, kTo[i])) << i;
  }
  // Each thread starts at another character, so that pages are first met on several threads at once.
  const std::u16string from = kFrom;
  std::vector<std::u32string> folded(4);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < folded.size(); ++t) {
    threads.emplace_back([&, t] {
      const size_t shift = t * from.size() / folded.size();
      const std::u32string rotated = FoldedChars(from.substr(shift) + from.substr(0, shift), {});
      folded[t] = rotated.substr(rotated.size() - shift) + rotated.substr(0, rotated.size() - shift);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::u32string& f : folded) EXPECT_EQ(f, kTo);
}

}  // namespace
}  // namespace tavlex
