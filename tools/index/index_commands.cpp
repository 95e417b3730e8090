#include "tools/index/index_commands.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "base/utf8.h"
#include "cli/progress_line.h"
#include "engine/index/index_store.h"
#include "engine/index/text_indexes.h"

namespace tavlex::index {
namespace {

constexpr double kKilobyte = 1024.0;

std::string Size(uint64_t bytes) {
  const double kilobytes = static_cast<double>(bytes) / kKilobyte;
  char text[32];
  if (kilobytes < kKilobyte) {
    std::snprintf(text, sizeof text, "%.0f KB", std::max(1.0, kilobytes));
  } else {
    std::snprintf(text, sizeof text, "%.1f MB", kilobytes / kKilobyte);
  }
  return text;
}

std::string FileSize(const std::filesystem::path& file) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(file, error);
  return error ? std::string("in memory only") : Size(size) + ", " + file.string();
}

bool Build(const IndexOptions& options, DictionarySet& set, const std::filesystem::path& folder,
           std::ostream& out, cli::ProgressLine& progress) {
  TextIndexes indexes(folder);
  for (size_t i = 0; i < set.count(); ++i) indexes.Prepare(set.at(i), options.force);
  bool all = true;
  for (size_t i = 0; i < set.count(); ++i) {
    const Dictionary& dictionary = set.at(i);
    const std::string name = Utf16ToUtf8(dictionary.path());
    const auto index = indexes.Wait(dictionary, [&](const TextIndexes::Status& status) {
      progress.Show("indexing " + std::filesystem::path(name).filename().string(), status.done, status.total);
    });
    progress.Finish();
    const TextIndexes::Status status = indexes.StatusOf(dictionary);
    const bool built = status.total > 0;
    if (index && status.saveError) {
      // Said so, rather than "indexed" beside the old file that is still there.
      out << name << ": cannot write the index " << IndexFilePath(folder, dictionary.path()).string() << ": "
          << status.saveError.message() << "\n";
      all = false;
    } else if (index) {
      out << name << ": " << (built ? "indexed" : "up to date") << " ("
          << FileSize(folder.empty() ? folder : IndexFilePath(folder, dictionary.path())) << ")\n";
    } else {
      out << name << ": cannot be indexed: the dictionary cannot be read\n";
      all = false;
    }
  }
  return all;
}

}  // namespace

bool RunIndexCommand(const IndexOptions& options, DictionarySet& set, const std::filesystem::path& folder,
                     std::ostream& out, std::ostream& progressOut, bool progressShown) {
  cli::ProgressLine progress(progressOut, progressShown);
  if (options.command == IndexCommand::kBuild) return Build(options, set, folder, out, progress);
  bool all = true;
  for (size_t i = 0; i < set.count(); ++i) {
    const Dictionary& dictionary = set.at(i);
    const std::string name = Utf16ToUtf8(dictionary.path());
    const std::filesystem::path file = IndexFilePath(folder, dictionary.path());
    std::error_code error;
    if (options.command == IndexCommand::kClear) {
      if (std::filesystem::remove(file, error)) {
        out << name << ": removed " << file.string() << "\n";
      } else if (error) {
        out << name << ": cannot remove " << file.string() << ": " << error.message() << "\n";
        all = false;
      } else {
        out << name << ": no index\n";
      }
      continue;
    }
    const std::optional<IndexStamp> stamp = StampOf(dictionary);
    if (!std::filesystem::exists(file, error)) {
      out << name << ": no index\n";
      all = false;
    } else if (stamp && TextIndex::Open(file, *stamp)) {
      out << name << ": up to date (" << FileSize(file) << ")\n";
    } else {
      out << name << ": out of date or damaged, rebuilt when next needed (" << file.string() << ")\n";
      all = false;
    }
  }
  return all;
}

}  // namespace tavlex::index
