// DictionarySet: the open dictionaries in registration order. It opens files,
// runs a search on every dictionary in use, merges their results in set order,
// and answers the irregular-form questions its dictionaries ask it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/dictionary.h"
#include "engine/dictionary_owner.h"

namespace tavlex {

class DictionarySet final : public DictionaryOwner {
 public:
  DictionarySet() = default;
  ~DictionarySet() override;
  DictionarySet(const DictionarySet&) = delete;
  DictionarySet& operator=(const DictionarySet&) = delete;

  // Where the dictionaries opened from now on keep their position tables
  // (Dictionary::Open); empty, as at first: nowhere.
  void SetPositionsFolder(std::filesystem::path folder) { positionsFolder_ = std::move(folder); }

  // True when the file is open in the set afterwards; a path already open
  // (exactly, case-sensitively) is not opened again. Refusals leave the set as it was.
  bool Open(const std::u16string& path);

  // Search in every dictionary that is neither not-used nor irregular.
  void SearchAll(const std::u16string& word);
  // SearchInflected in each of those; true when any of them returned true.
  bool SearchInflectedAll(const std::u16string& word);
  // The results of every dictionary in use (neither not-used nor irregular), in set order.
  const std::vector<EntryRef>& MergeResults();

  // Closes the dictionary at index; later ones move down a place. Throws
  // std::out_of_range for an index outside the set.
  void RemoveAt(size_t index);

  size_t count() const { return dictionaries_.size(); }
  // Throws std::out_of_range for an index outside the set.
  Dictionary& at(size_t index) const { return *dictionaries_.at(index); }

  std::u16string IrregularBaseForm(const std::u16string& word) override;
  bool IrregularHasPrefix(const std::u16string& text) override;

  // Dictionaries that take part in searches: neither not-used nor irregular.
  static bool InUse(const Dictionary& d) { return !d.settings().notUsed && !d.settings().irregular; }

 private:
  // Dictionaries that answer irregular-form questions.
  static bool IsSource(const Dictionary& d) { return d.settings().irregular && !d.settings().notUsed; }

  std::vector<std::shared_ptr<Dictionary>> dictionaries_;
  std::vector<EntryRef> merged_;
  std::filesystem::path positionsFolder_;
};

}  // namespace tavlex
