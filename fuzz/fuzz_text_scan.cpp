// The look-up of a selected text (clipboard text, anything at all) against
// small dictionaries in both layouts, and the rules that undo inflections on
// their own: no crash, no endless loop, every group a start of the text.
// Input: UTF-8, or UTF-16 units as they come when the first byte is 0x01
// (lone surrogates and all).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "engine/dictionary_set.h"
#include "engine/search/text_scan.h"
#include "engine/text/english_forms.h"
#include "engine/text/japanese_forms.h"
#include "fuzz/memory_file.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace {

using tavlex::dicwriter::Record;

std::unique_ptr<tavlex::fuzz::MemoryFile> Written(const std::vector<std::u16string>& keys,
                                                  tavlex::dicwriter::Charset charset,
                                                  const std::u16string& base = {}) {
  std::vector<Record> records;
  for (const std::u16string& key : keys)
    records.push_back({key, u"", 0, base.empty() ? u"t" : base, u"", u""});
  tavlex::dicwriter::Options options;
  options.charset = charset;
  options.blockSize = 256;
  options.maxRecordsPerBlock = 3;
  const auto written = tavlex::dicwriter::WriteDictionary(std::move(records), options);
  return std::make_unique<tavlex::fuzz::MemoryFile>(written.bytes.data(), written.bytes.size());
}

struct Dictionaries {
  Dictionaries() {
    using tavlex::dicwriter::Charset;
    files.push_back(Written({u"take", u"take care", u"take care of", u"take ～ into account", u"turn off",
                             u"lose one's temper", u"child", u"big", u"食べる", u"勉強", u"勉強する",
                             u"カード", u"行く", u"Tシャツ", u"ｶﾞｰﾄﾞ", u"か\u3099"},
                            Charset::kBocu1));
    files.push_back(Written({u"take", u"Take", u"off", u"来る", u"美しい"}, Charset::kAnsi));
    files.push_back(Written({u"went", u"foobs"}, Charset::kBocu1, u"go"));
    for (const auto& file : files) set.Open(file->path());
    set.at(2).settings().irregular = true;
    set.at(1).settings().accent = true;
  }
  std::vector<std::unique_ptr<tavlex::fuzz::MemoryFile>> files;
  tavlex::DictionarySet set;
  tavlex::ScanMemory memory;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Dictionaries* const dictionaries =
      new Dictionaries;  // kept across inputs, as a window keeps its set
  std::u16string text;
  if (size > 0 && data[0] == 0x01) {
    for (size_t i = 1; i + 1 < size; i += 2)
      text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  } else {
    text = tavlex::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  }
  for (const bool kana : {false, true}) {
    const auto groups =
        tavlex::ScanText(dictionaries->set, text, {kana}, kana ? &dictionaries->memory : nullptr);
    uint32_t longest = UINT32_MAX;
    for (const tavlex::ScanGroup& group : groups) {
      if (group.begin > group.end || group.end > text.size() || group.end > longest || group.hits.empty()) {
        __builtin_trap();
      }
      longest = group.end;
      for (const tavlex::ScanHit& hit : group.hits) {
        if (!hit.entry || hit.form.empty()) __builtin_trap();
      }
    }
  }
  const std::u16string start = text.substr(0, 64);
  for (const tavlex::FormCandidate& form : tavlex::JapaneseDictionaryForms(start)) {
    if (form.form.empty() && !start.empty()) __builtin_trap();
  }
  tavlex::EnglishWordForms(start);
  return 0;
}
