// AnkiConnect's answers, as any program listening on its port may send them:
// read for every request, never crashing, and what is read fits the request.
// The input's first byte is the number of notes asked about; its first line
// is also read as a --since time.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wordbook/anki_connect.h"
#include "wordbook/kept_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavlex::wordbook;
  if (size == 0) return 0;
  const size_t count = data[0] % 8;
  const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
  ReadNames(body);
  const Answer<std::vector<bool>> canAdd = ReadCanAdd(body, count);
  if (canAdd.value && canAdd.value->size() != count) __builtin_trap();
  const Answer<std::vector<std::optional<int64_t>>> added = ReadAdded(body, count);
  if (added.value && added.value->size() != count) __builtin_trap();
  if (!canAdd.value && canAdd.error.empty()) __builtin_trap();  // a refusal always says why
  if (NoteOutcomes(canAdd.value.value_or(std::vector<bool>(count, true)), added).size() != count)
    __builtin_trap();
  ParseLocalTime(body.substr(0, body.find('\n')));
  return 0;
}
