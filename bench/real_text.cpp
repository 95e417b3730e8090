#include "bench/real_text.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "base/utf8.h"

namespace tavlex::bench {
namespace {

constexpr char kWordNet[] = "/usr/share/wordnet";
constexpr char kEdict[] = "/usr/share/edict/edict";
constexpr char kManualPages[] = "/usr/share/man/ja";
// Sentences shorter than this are mostly headings; longer ones, tables run together.
constexpr size_t kShortestSentence = 12;
constexpr size_t kLongestSentence = 160;

std::string ReadFile(const std::filesystem::path& path, const char* package) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string() + ": install " + package);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A WordNet data line: "offset lexfile type count word lexid ... pointers | gloss".
void ParseWordNetLine(std::string_view line, char part, std::vector<WordNetSense>& senses) {
  const size_t bar = line.find(" | ");
  if (line.empty() || line[0] == ' ' || bar == std::string_view::npos) return;
  std::istringstream fields{std::string(line.substr(0, bar))};
  std::string offset, lexfile, type, count;
  fields >> offset >> lexfile >> type >> count;
  const int words = static_cast<int>(std::strtol(count.c_str(), nullptr, 16));
  std::string_view gloss = line.substr(bar + 3);
  while (!gloss.empty() && (gloss.back() == ' ' || gloss.back() == '\r')) gloss.remove_suffix(1);
  // The definition comes first; quoted examples follow, separated by "; ".
  std::u16string definition;
  std::vector<std::u16string> examples;
  for (size_t start = 0; start < gloss.size();) {
    size_t end = gloss.find("; ", start);
    if (end == std::string_view::npos) end = gloss.size();
    std::string_view piece = gloss.substr(start, end - start);
    if (piece.size() > 2 && piece.front() == '"') {
      piece.remove_prefix(1);
      if (piece.back() == '"') piece.remove_suffix(1);
      examples.push_back(Utf8ToUtf16(piece));
    } else if (examples.empty()) {
      if (!definition.empty()) definition += u"; ";
      definition += Utf8ToUtf16(piece);
    }
    start = end + 2;
  }
  for (int w = 0; w < words; ++w) {
    std::string word, lexid;
    if (!(fields >> word >> lexid)) break;
    if (const size_t marker = word.find('('); marker != std::string::npos) word.resize(marker);
    std::replace(word.begin(), word.end(), '_', ' ');
    senses.push_back({Utf8ToUtf16(word), part == 's' ? 'a' : part, definition, examples});
  }
}

std::vector<WordNetSense> ReadWordNet() {
  std::vector<WordNetSense> senses;
  for (const auto& [file, part] :
       {std::pair{"data.noun", 'n'}, {"data.verb", 'v'}, {"data.adj", 'a'}, {"data.adv", 'r'}}) {
    const std::string text = ReadFile(std::filesystem::path(kWordNet) / file, "wordnet-base");
    for (const std::string_view line : Lines(text)) ParseWordNetLine(line, part, senses);
  }
  return senses;
}

std::u16string FromEucJp(std::string_view bytes) {
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open("EUC-JP", &status),
                                                                     ucnv_close);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no EUC-JP converter");
  std::u16string text(bytes.size() + 1, u'\0');
  const int32_t length =
      ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), static_cast<int32_t>(text.size()),
                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("edict is not EUC-JP");
  text.resize(static_cast<size_t>(length));
  return text;
}

// "HEADWORD [READING] /gloss/gloss/.../"
std::vector<EdictEntry> ReadEdict() {
  const std::u16string text = FromEucJp(ReadFile(kEdict, "edict"));
  std::vector<EdictEntry> entries;
  size_t start = text.find(u'\n') + 1;  // the first line names the file's makers
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    start = end + 1;
    const size_t slash = line.find(u'/');
    const size_t space = line.find(u' ');
    if (slash == std::u16string_view::npos || space == std::u16string_view::npos || space > slash) continue;
    EdictEntry entry;
    entry.headword = line.substr(0, space);
    if (line[space + 1] == u'[') {
      const size_t close = line.find(u']', space);
      if (close == std::u16string_view::npos) continue;
      entry.reading = line.substr(space + 2, close - space - 2);
    }
    for (size_t g = slash + 1; g < line.size();) {
      size_t next = line.find(u'/', g);
      if (next == std::u16string_view::npos) next = line.size();
      if (next > g) entry.glosses.emplace_back(line.substr(g, next - g));
      g = next + 1;
    }
    if (!entry.glosses.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

bool IsJapanese(char16_t c) { return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF); }

// The text of a roff line, its font and character escapes dropped.
std::string PlainRoff(std::string_view line) {
  std::string plain;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\' || i + 1 >= line.size()) {
      plain.push_back(line[i]);
      continue;
    }
    const char kind = line[++i];
    if (kind == 'f' && i + 1 < line.size()) {
      i += line[i + 1] == '(' ? 3 : 1;  // \fB, \f(CW
    } else if (kind == '(') {
      i += 2;  // \(em and its kin
    } else if (kind == '-' || kind == 'e') {
      plain.push_back(kind == '-' ? '-' : '\\');
    }  // \& and others: nothing
  }
  return plain;
}

// Splits at "。" and keeps the pieces that are mostly Japanese.
void AppendSentences(const std::u16string& text, std::vector<std::u16string>& sentences) {
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(u'\u3002', start);
    end = end == std::u16string::npos ? text.size() : end + 1;
    std::u16string sentence = text.substr(start, end - start);
    start = end;
    const auto trim = sentence.find_first_not_of(u" \t");
    if (trim == std::u16string::npos) continue;
    sentence.erase(0, trim);
    // Prose only: no option lists, no rows of tables.
    const auto japanese = std::count_if(sentence.begin(), sentence.end(), IsJapanese);
    if (sentence.size() >= kShortestSentence && sentence.size() <= kLongestSentence &&
        static_cast<size_t>(japanese) * 3 >= sentence.size() * 2 && IsJapanese(sentence.front()) &&
        sentence.find_first_of(u"{}@\\<>|") == std::u16string::npos) {
      sentences.push_back(std::move(sentence));
    }
  }
}

std::vector<std::u16string> ReadManualPages() {
  std::vector<std::filesystem::path> pages;
  if (std::filesystem::is_directory(kManualPages)) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(kManualPages)) {
      if (file.is_regular_file() && file.path().extension() == ".gz") pages.push_back(file.path());
    }
  }
  if (pages.empty()) throw std::runtime_error("no Japanese manual pages: install manpages-ja");
  std::sort(pages.begin(), pages.end());  // the same sentences in the same order on every machine
  std::vector<std::u16string> sentences;
  for (const std::filesystem::path& page : pages) {
    const std::string command = "gzip -dc '" + page.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) continue;
    std::string roff;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) roff.append(buffer, n);
    ::pclose(pipe);
    // A paragraph runs on over lines until a request line ends it.
    std::string paragraph;
    bool table = false;
    for (const std::string_view line : Lines(roff)) {
      if (line.starts_with(".TS")) table = true;
      if (line.starts_with(".TE")) table = false;
      if (table || (!line.empty() && (line[0] == '.' || line[0] == '\''))) {
        AppendSentences(Utf8ToUtf16(paragraph), sentences);
        paragraph.clear();
      } else {
        paragraph += PlainRoff(line);
      }
    }
    AppendSentences(Utf8ToUtf16(paragraph), sentences);
  }
  std::sort(sentences.begin(), sentences.end());
  sentences.erase(std::unique(sentences.begin(), sentences.end()), sentences.end());
  return sentences;
}

}  // namespace

const RealText& LoadRealText() {
  static const RealText text{ReadWordNet(), ReadEdict(), ReadManualPages()};
  return text;
}

}  // namespace tavlex::bench
