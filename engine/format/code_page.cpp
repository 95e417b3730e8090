#include "engine/format/code_page.h"

#include <unicode/ucnv.h>

#include <memory>
#include <stdexcept>

namespace tavlex {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

const char* IcuName(CodePage codePage) {
  switch (codePage) {
    case CodePage::kShiftJis:
      return "windows-932";
    case CodePage::kWestern:
      return "windows-1252";
  }
  return nullptr;
}

// Opening an ICU converter costs far more than a short conversion, so each
// thread keeps one converter per code page.
UConverter* ConverterFor(CodePage codePage) {
  thread_local ConverterPtr shiftJis;
  thread_local ConverterPtr western;
  ConverterPtr& slot = codePage == CodePage::kShiftJis ? shiftJis : western;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(ucnv_open(IcuName(codePage), &status));
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no converter for a dictionary code page");
  }
  ucnv_reset(slot.get());
  return slot.get();
}

}  // namespace

std::u16string MultiByteToUtf16(const uint8_t* bytes, size_t length, CodePage codePage) {
  if (length == 0) return {};
  UConverter* converter = ConverterFor(codePage);
  // A multibyte character never yields more UTF-16 units than it has bytes.
  std::u16string result(length, u'\0');
  const char* source = reinterpret_cast<const char*>(bytes);
  UChar* target = result.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, target + result.size(), &source, source + length, nullptr, true,
                 &status);
  if (U_FAILURE(status)) return {};
  result.resize(static_cast<size_t>(target - result.data()));
  return result;
}

std::string Utf16ToMultiByte(const std::u16string& text, CodePage codePage) {
  if (text.empty()) return {};
  UConverter* converter = ConverterFor(codePage);
  // A UTF-16 unit becomes at most two bytes in these code pages.
  std::string result(text.size() * 2 + 4, '\0');
  const UChar* source = text.data();
  char* target = result.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(converter, &target, target + result.size(), &source, source + text.size(), nullptr, true,
                   &status);
  if (U_FAILURE(status)) return {};
  result.resize(static_cast<size_t>(target - result.data()));
  return result;
}

}  // namespace tavlex
