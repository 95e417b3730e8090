#include "tools/dicwriter/text_encoder.h"

#include <unicode/unistr.h>

#include <algorithm>

namespace tavlex::dicwriter {
namespace {

constexpr const char* kBocu1Converter = "BOCU-1";
constexpr const char* kAnsiTextConverter = "windows-932";
constexpr const char* kAnsiPronunciationConverter = "windows-1252";
constexpr char16_t kNul = u'\0';
constexpr char16_t kNulSymbol = u'\u2400';  // shows the NUL in error messages

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string utf8;
  icu::UnicodeString(text.data(), static_cast<int32_t>(text.size())).toUTF8String(utf8);
  return utf8;
}

TextEncoder::Converter::Converter(const char* name) : name_(name) {
  UErrorCode status = U_ZERO_ERROR;
  converter_.reset(ucnv_open(name, &status));
  if (U_FAILURE(status)) {
    throw WriterError("cannot open the ICU converter " + name_ + ": " + u_errorName(status));
  }
  ucnv_setFromUCallBack(converter_.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) {
    throw WriterError("cannot set up the ICU converter " + name_ + ": " + u_errorName(status));
  }
}

std::vector<uint8_t> TextEncoder::Converter::Encode(std::u16string_view text) {
  // A zero byte ends every stored text, so U+0000 could never be read back.
  if (text.find(kNul) != std::u16string_view::npos) {
    std::u16string shown(text);
    std::replace(shown.begin(), shown.end(), kNul, kNulSymbol);
    throw WriterError("text \"" + ToUtf8(shown) + "\" contains U+0000");
  }
  if (text.empty()) {
    return {};
  }
  UConverter* converter = converter_.get();
  ucnv_resetFromUnicode(converter);
  const auto length = static_cast<int32_t>(text.size());
  std::vector<uint8_t> out(UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(converter)));
  char* const begin = reinterpret_cast<char*>(out.data());
  char* target = begin;
  const UChar* source = text.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(converter, &target, begin + out.size(), &source, source + length, nullptr,
                   /*flush=*/true, &status);
  if (U_FAILURE(status)) {
    throw WriterError("cannot encode \"" + ToUtf8(text) + "\" as " + name_ + ": " + u_errorName(status));
  }
  out.resize(target - begin);
  return out;
}

TextEncoder::TextEncoder(Charset charset)
    : charset_(charset), text_(charset == Charset::kAnsi ? kAnsiTextConverter : kBocu1Converter) {
  if (charset == Charset::kAnsi) {
    ansiPronunciation_ = std::make_unique<Converter>(kAnsiPronunciationConverter);
  }
}

std::vector<uint8_t> TextEncoder::Text(std::u16string_view text) { return text_.Encode(text); }

std::vector<uint8_t> TextEncoder::Pronunciation(std::u16string_view text) {
  return ansiPronunciation_ ? ansiPronunciation_->Encode(text) : text_.Encode(text);
}

}  // namespace tavlex::dicwriter
