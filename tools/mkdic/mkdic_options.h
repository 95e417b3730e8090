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
  bool version = false;           // --version alone: the program's version
  bool oldFormatVersion = false;  // the format version was given as "--version N"
};

// Throws cli::UsageError for a command line that cannot run. With --help or
// --version the rest need not make sense. "--version N" (a number after it)
// and "--version=N" are the old spelling of --format-version N: they still
// set the format version, and oldFormatVersion says so.
MkdicOptions ParseMkdicOptions(std::span<const std::string> args);

extern const char kMkdicUsage[];
// What tavlex-mkdic says on the standard error when oldFormatVersion is set.
extern const char kOldFormatVersionNotice[];

}  // namespace tavlex::mkdic
