#include "view/search_commands.h"

#include <array>

#include "resources/resource_ids.h"

namespace tavlex {
namespace {

struct ModeCommand {
  int command;
  SearchMode mode;
  const char16_t* name;
};
constexpr std::array<ModeCommand, 6> kModeCommands = {{
    {ids::kModePrefix, SearchMode::kPrefix, u"前方一致"},
    {ids::kModeExact, SearchMode::kExact, u"完全一致"},
    {ids::kModeSuffix, SearchMode::kSuffix, u"後方一致"},
    {ids::kModeSubstring, SearchMode::kSubstring, u"部分一致"},
    {ids::kModeFullText, SearchMode::kFullText, u"全文検索"},
    {ids::kModeScan, SearchMode::kScan, u"文から検索"},
}};

struct FieldCommand {
  int command;
  SearchField field;
};
constexpr std::array<FieldCommand, 4> kFieldCommands = {{
    {ids::kFieldHeadword, SearchField::kHeadword},
    {ids::kFieldTranslation, SearchField::kTranslation},
    {ids::kFieldExample, SearchField::kExample},
    {ids::kFieldPronunciation, SearchField::kPronunciation},
}};

}  // namespace

std::optional<SearchOptions> SearchOptionsAfter(int command, SearchOptions options) {
  for (const ModeCommand& m : kModeCommands) {
    if (m.command != command) continue;
    options.mode = m.mode;
    return options;
  }
  for (const FieldCommand& f : kFieldCommands) {
    if (f.command != command) continue;
    options.fields ^= FieldBit(f.field);
    return options;
  }
  if (command == ids::kToggleFullText) {
    options.mode = ToggledMode(options.mode);
    return options;
  }
  if (command == ids::kFoldKana) {
    options.foldKana = !options.foldKana;
    return options;
  }
  return std::nullopt;
}

std::optional<bool> SearchCommandChecked(int command, const SearchOptions& options) {
  for (const ModeCommand& m : kModeCommands) {
    if (m.command == command) return options.mode == m.mode;
  }
  for (const FieldCommand& f : kFieldCommands) {
    if (f.command == command) return (options.fields & FieldBit(f.field)) != 0;
  }
  if (command == ids::kFoldKana) return options.foldKana;
  return std::nullopt;
}

std::u16string_view ModeName(SearchMode mode) {
  for (const ModeCommand& m : kModeCommands) {
    if (m.mode == mode) return m.name;
  }
  return {};
}

}  // namespace tavlex
