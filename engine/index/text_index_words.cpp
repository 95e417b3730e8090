// TextIndex: counting the entries that hold query words from the word pages
// and word postings of the index file (engine/index/index_format.h). Word
// pages are not kept: a count reads every one of them, which would only
// push the gram pages out of the cache.
#include <algorithm>

#include "engine/format/little_endian.h"
#include "engine/format/varint.h"
#include "engine/index/posting_list.h"
#include "engine/index/text_index.h"

namespace tavlex {
namespace {

// Postings are read a window at a time: the ones near each other together,
// since a short term is in many words, and up to a bound, since a term in
// most words would otherwise read them all at once.
constexpr uint64_t kLargestWindow = 1 << 20;
constexpr uint64_t kLargestGap = 1 << 15;

}  // namespace

bool TextIndex::ReadWordPage(const WordPage& page, std::vector<uint8_t>& bytes) const {
  bytes.resize(page.length);
  return ReadAt(page.offset, bytes.data(), bytes.size()) == bytes.size() &&
         PageChecksum(bytes.data(), bytes.size()) == page.checksum;
}

template <typename Take>
bool TextIndex::WalkWordPage(std::span<const uint8_t> bytes, uint64_t posting, Take take) const {
  size_t position = 0;
  for (size_t i = 0; position < bytes.size(); ++i) {
    uint64_t length, postingLength;
    if (i >= kWordsPerPage || !GetVarint(bytes, &position, &length) || length > bytes.size() - position)
      return false;
    const std::string_view word(reinterpret_cast<const char*>(bytes.data() + position), length);
    position += length;
    if (!GetVarint(bytes, &position, &postingLength) || posting > fileSize_ ||
        fileSize_ - posting < kPostingChecksumSize ||
        fileSize_ - posting - kPostingChecksumSize < postingLength)
      return false;
    take(word, WordPosting{posting, postingLength});
    posting += kPostingChecksumSize + postingLength;
  }
  return true;
}

bool TextIndex::WordPostingsEndAtFileEnd() const {
  if (wordPages_.empty()) return true;
  std::vector<uint8_t> bytes;
  uint64_t end = wordPages_.back().postings;
  return ReadWordPage(wordPages_.back(), bytes) &&
         WalkWordPage(bytes, end,
                      [&](std::string_view, const WordPosting& p) {
                        end = p.offset + kPostingChecksumSize + p.length;
                      }) &&
         end == fileSize_;
}

bool TextIndex::FindWords(std::span<const std::string> terms,
                          std::vector<std::vector<WordPosting>>& found) const {
  found.assign(terms.size(), {});
  std::vector<uint8_t> bytes;
  for (const WordPage& page : wordPages_) {
    if (!ReadWordPage(page, bytes) ||
        !WalkWordPage(bytes, page.postings, [&](std::string_view word, const WordPosting& posting) {
          for (size_t t = 0; t < terms.size(); ++t) {
            if (word.find(terms[t]) != std::string_view::npos) found[t].push_back(posting);
          }
        }))
      return false;
  }
  return true;
}

bool TextIndex::Unite(std::span<const WordPosting> postings, std::vector<uint64_t>& bits) const {
  std::vector<uint8_t> window;
  const auto end = [](const WordPosting& p) { return p.offset + kPostingChecksumSize + p.length; };
  for (size_t first = 0; first < postings.size();) {
    const uint64_t begin = postings[first].offset;
    uint64_t last = end(postings[first]);
    size_t next = first + 1;
    for (; next < postings.size(); ++next) {
      const WordPosting& p = postings[next];
      if (p.offset < last || p.offset - last > kLargestGap || end(p) - begin > kLargestWindow) break;
      last = end(p);
    }
    window.resize(last - begin);
    if (ReadAt(begin, window.data(), window.size()) != window.size()) return false;
    for (size_t k = first; k < next; ++k) {
      const uint8_t* at = window.data() + (postings[k].offset - begin);
      const std::span<const uint8_t> posting(at + kPostingChecksumSize, postings[k].length);
      if (PageChecksum(posting.data(), posting.size()) != ReadU32(at) ||
          !AddPosting(posting, entryCount_, bits))
        return false;
    }
    first = next;
  }
  return true;
}

std::optional<uint64_t> TextIndex::CountHoldingWords(std::span<const std::string> terms) const {
  // A term inside another adds nothing: every entry holding the longer one holds it.
  std::vector<std::string> distinct(terms.begin(), terms.end());
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::vector<std::string> kept;
  for (const std::string& term : distinct) {
    if (std::none_of(distinct.begin(), distinct.end(), [&](const std::string& other) {
          return other != term && other.find(term) != std::string::npos;
        }))
      kept.push_back(term);
  }
  if (kept.empty()) return entryCount_;
  std::vector<std::vector<WordPosting>> found;
  if (!FindWords(kept, found)) return std::nullopt;
  const size_t words = (uint64_t{entryCount_} + 63) / 64;
  std::vector<uint64_t> holding(words);
  std::vector<uint64_t> bits;
  for (size_t t = 0; t < kept.size(); ++t) {
    if (found[t].empty()) return 0;
    std::vector<uint64_t>& into = t == 0 ? holding : bits;
    if (t > 0) bits.assign(words, 0);
    if (!Unite(found[t], into)) return std::nullopt;
    if (t > 0) {
      for (size_t i = 0; i < words; ++i) holding[i] &= bits[i];
    }
  }
  uint64_t count = 0;
  for (const uint64_t bitsOfWord : holding) count += static_cast<uint64_t>(__builtin_popcountll(bitsOfWord));
  return count;
}

}  // namespace tavlex
