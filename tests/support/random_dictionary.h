// Random dictionaries for the tests that compare the engine with a plain
// model: text drawn from a small alphabet (which gives long runs of shared
// prefixes), a layout with odd block sizes, and the file written into the
// test's directory with the records as they lie in it.
#pragma once

#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::testing {

class RandomText {
 public:
  RandomText(std::mt19937& random, std::u16string alphabet)
      : random_(random), alphabet_(std::move(alphabet)) {}

  // One to longest characters.
  std::u16string Word(int longest) { return Text(1 + Pick(longest)); }
  // Up to longest characters, none among the choices.
  std::u16string UpTo(int longest) { return Text(Pick(longest + 1)); }
  // Words separated by spaces and now and then a line break.
  std::u16string Sentence() {
    std::u16string text = Word(6);
    for (int n = Pick(5); n > 0; --n) text += (Pick(4) == 0 ? u"\r\n" : u" ") + Word(6);
    return text;
  }
  // 0 to n - 1.
  int Pick(size_t n) { return static_cast<int>(random_() % n); }

 private:
  std::u16string Text(int length) {
    std::u16string text;
    for (; length > 0; --length) text.push_back(alphabet_[Pick(alphabet_.size())]);
    return text;
  }

  std::mt19937& random_;
  std::u16string alphabet_;
};

// The charset's layout with one of the block sizes (odd ones among them) and
// a cap on the records of a block (0: as many as fit), drawn at random.
inline dicwriter::Options RandomLayout(RandomText& text, dicwriter::Charset charset) {
  dicwriter::Options options;
  options.charset = charset;
  options.blockSize = std::array{256, 300, 1024}[text.Pick(3)];
  options.maxRecordsPerBlock = text.Pick(8);
  return options;
}

// Writes the records into dir/name; what was written, records in file order.
inline dicwriter::WrittenDictionary WriteRandomDictionary(const TempDir& dir, const std::string& name,
                                                          std::vector<dicwriter::Record> records,
                                                          const dicwriter::Options& options) {
  dicwriter::WrittenDictionary written = dicwriter::WriteDictionary(std::move(records), options);
  dicwriter::WriteDictionaryFile(std::filesystem::path(dir.File(name)).string(), written);
  return written;
}

}  // namespace tavlex::testing
