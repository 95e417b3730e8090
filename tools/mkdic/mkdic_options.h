// The command line of tavlex-mkdic.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::mkdic {

struct MkdicOptions {
  std::string input;          // the TSV file
  std::string output;         // the dictionary to write
  dicwriter::Options writer;  // version, layout and block size; checked by the writer's rules
  uint8_t attributes = 0;     // the attribute byte of every record
  bool help = false;
};

// Throws cli::UsageError for a command line that cannot run. With --help the
// rest need not make sense.
MkdicOptions ParseMkdicOptions(std::span<const std::string> args);

extern const char kMkdicUsage[];

}  // namespace tavlex::mkdic
