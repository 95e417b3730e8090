// TextEncoder: turns the text runs of records into stored bytes through ICU's
// converters. The converters are opened once and reset before every run, so
// each run is encoded from the converter's initial state, as the reader
// decodes it.
#pragma once

#include <unicode/ucnv.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::dicwriter {

class TextEncoder {
 public:
  explicit TextEncoder(Charset charset);

  Charset charset() const { return charset_; }

  // Headword, translation and example text.
  std::vector<uint8_t> Text(std::u16string_view text);
  std::vector<uint8_t> Pronunciation(std::u16string_view text);

 private:
  // One open ICU converter that refuses unmappable characters instead of
  // substituting them.
  class Converter {
   public:
    explicit Converter(const char* name);
    std::vector<uint8_t> Encode(std::u16string_view text);

   private:
    struct Closer {
      void operator()(UConverter* converter) const { ucnv_close(converter); }
    };
    std::string name_;
    std::unique_ptr<UConverter, Closer> converter_;
  };

  Charset charset_;
  Converter text_;
  // Only the ANSI layout stores pronunciations in a code page of their own.
  std::unique_ptr<Converter> ansiPronunciation_;
};

// UTF-8 copy of a text for error messages.
std::string ToUtf8(std::u16string_view text);

}  // namespace tavlex::dicwriter
