#include "wordbook/anki_connect.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <nlohmann/json.hpp>
#include <utility>

namespace tavlex::wordbook {
namespace {

using Json = nlohmann::ordered_json;

// Usual names of note fields, besides our own, lower case.
constexpr std::array<std::pair<std::string_view, KeptField>, 8> kUsualNames = {{
    {"front", KeptField::kHeadword},
    {"word", KeptField::kHeadword},
    {"expression", KeptField::kHeadword},
    {"back", KeptField::kTranslation},
    {"meaning", KeptField::kTranslation},
    {"reading", KeptField::kPronunciation},
    {"sentence", KeptField::kExample},
    {"context", KeptField::kSource},
}};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::optional<KeptField> FieldFor(std::string_view noteField) {
  const std::string name = Lower(noteField);
  for (const KeptField field : kKeptFields) {
    if (Lower(FieldName(field)) == name) return field;
  }
  for (const auto& [usual, field] : kUsualNames) {
    if (usual == name) return field;
  }
  return std::nullopt;
}

std::string Request(std::string_view action, Json params = nullptr) {
  Json request = {{"action", action}, {"version", kAnkiConnectVersion}};
  if (!params.is_null()) request["params"] = std::move(params);
  return request.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json Notes(std::span<const KeptEntry> entries, const NoteTarget& target) {
  Json notes = Json::array();
  for (const KeptEntry& entry : entries) {
    Json fields = Json::object();
    for (const FieldMapping::Pair& pair : target.mapping.fields) {
      fields[pair.noteField] = pair.from ? FieldHtml(entry, *pair.from) : "";
    }
    notes.push_back({{"deckName", target.deck},
                     {"modelName", target.noteType},
                     {"fields", std::move(fields)},
                     {"tags", target.tags},
                     {"options", {{"allowDuplicate", false}, {"duplicateScope", "deck"}}}});
  }
  return notes;
}

// The result of an answer {"result": ..., "error": ...}, or the error.
Answer<Json> Result(std::string_view body) {
  const Json answer = Json::parse(body, nullptr, false);
  if (answer.is_discarded() || !answer.is_object() || !answer.contains("result")) {
    return {std::nullopt, "not an answer of AnkiConnect"};
  }
  const Json& error = answer.contains("error") ? answer["error"] : Json();
  if (!error.is_null()) return {std::nullopt, error.is_string() ? error.get<std::string>() : error.dump()};
  return {answer["result"], ""};
}

// The result as an array of count elements that each pass is, or an error.
template <typename Is>
Answer<Json> ArrayResult(std::string_view body, size_t count, Is is) {
  Answer<Json> result = Result(body);
  if (!result.value) return result;
  const Json& array = *result.value;
  if (!array.is_array() || array.size() != count || !std::all_of(array.begin(), array.end(), is)) {
    return {std::nullopt, "an answer of AnkiConnect that does not fit the request"};
  }
  return result;
}

}  // namespace

FieldMapping DefaultMapping(std::span<const std::string> noteFields) {
  FieldMapping mapping;
  for (const std::string& name : noteFields) mapping.fields.push_back({name, FieldFor(name)});
  const bool headword =
      std::any_of(mapping.fields.begin(), mapping.fields.end(),
                  [](const FieldMapping::Pair& pair) { return pair.from == KeptField::kHeadword; });
  if (!headword && !mapping.fields.empty()) mapping.fields.front().from = KeptField::kHeadword;
  return mapping;
}

std::string DeckNamesRequest() { return Request("deckNames"); }

std::string ModelNamesRequest() { return Request("modelNames"); }

std::string ModelFieldNamesRequest(std::string_view noteType) {
  return Request("modelFieldNames", {{"modelName", noteType}});
}

std::string CanAddNotesRequest(std::span<const KeptEntry> entries, const NoteTarget& target) {
  return Request("canAddNotes", {{"notes", Notes(entries, target)}});
}

std::string AddNotesRequest(std::span<const KeptEntry> entries, const NoteTarget& target) {
  return Request("addNotes", {{"notes", Notes(entries, target)}});
}

Answer<std::vector<std::string>> ReadNames(std::string_view body) {
  Answer<Json> result = Result(body);
  if (!result.value) return {std::nullopt, result.error};
  const Json& names = *result.value;
  if (!names.is_array() ||
      !std::all_of(names.begin(), names.end(), [](const Json& n) { return n.is_string(); })) {
    return {std::nullopt, "an answer of AnkiConnect that does not fit the request"};
  }
  return {names.get<std::vector<std::string>>(), ""};
}

Answer<std::vector<bool>> ReadCanAdd(std::string_view body, size_t count) {
  Answer<Json> result = ArrayResult(body, count, [](const Json& can) { return can.is_boolean(); });
  if (!result.value) return {std::nullopt, result.error};
  return {result.value->get<std::vector<bool>>(), ""};
}

Answer<std::vector<std::optional<int64_t>>> ReadAdded(std::string_view body, size_t count) {
  Answer<Json> result =
      ArrayResult(body, count, [](const Json& id) { return id.is_null() || id.is_number_integer(); });
  if (!result.value) return {std::nullopt, result.error};
  std::vector<std::optional<int64_t>> ids;
  for (const Json& id : *result.value)
    ids.push_back(id.is_null() ? std::nullopt : std::optional(id.get<int64_t>()));
  return {std::move(ids), ""};
}

std::vector<NoteOutcome> NoteOutcomes(const std::vector<bool>& canAdd,
                                      const Answer<std::vector<std::optional<int64_t>>>& added) {
  std::vector<NoteOutcome> outcomes;
  size_t sent = 0;
  for (const bool can : canAdd) {
    if (!can) {
      outcomes.push_back({NoteOutcome::kDuplicate, 0, ""});
    } else if (!added.value) {
      // AnkiConnect adds all or none: its error holds for every note sent.
      outcomes.push_back({NoteOutcome::kFailed, 0, added.error});
    } else if (sent < added.value->size() && (*added.value)[sent]) {
      outcomes.push_back({NoteOutcome::kAdded, *(*added.value)[sent], ""});
    } else {
      outcomes.push_back({NoteOutcome::kFailed, 0, "not added by Anki"});
    }
    if (can) ++sent;
  }
  return outcomes;
}

}  // namespace tavlex::wordbook
