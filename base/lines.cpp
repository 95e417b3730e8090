#include "base/lines.h"

namespace tavlex {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::u16string_view kCrLf = u"\r\n";

}  // namespace

std::string_view SkipUtf8Bom(std::string_view text) {
  while (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    while (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

std::vector<std::u16string_view> SplitAtCrLf(std::u16string_view text) {
  std::vector<std::u16string_view> pieces;
  for (std::size_t at = text.find(kCrLf); at != std::u16string_view::npos; at = text.find(kCrLf)) {
    pieces.push_back(text.substr(0, at));
    text.remove_prefix(at + kCrLf.size());
  }
  pieces.push_back(text);
  return pieces;
}

std::u16string CrLfToLf(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  const std::vector<std::u16string_view> pieces = SplitAtCrLf(text);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += u'\n';
    out += pieces[i];
  }
  return out;
}

std::u16string_view FirstLine(std::u16string_view text) {
  return text.substr(0, text.find_first_of(u"\r\n"));
}

}  // namespace tavlex
