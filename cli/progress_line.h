// A progress bar on the standard error of a terminal, redrawn in place; on
// anything else (a pipe, a file, a test) nothing at all.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace tavlex::cli {

class ProgressLine {
 public:
  // Draws only when shown is true; ProgressLine(std::cerr, StandardErrorIsTerminal()).
  ProgressLine(std::ostream& out, bool shown) : out_(out), shown_(shown) {}
  ~ProgressLine() { Finish(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // "label [#####.....]  37%", replacing what was drawn before.
  void Show(const std::string& label, uint64_t done, uint64_t total);
  // Clears the line, so that what follows starts on a clean one.
  void Finish();

 private:
  std::ostream& out_;
  bool shown_;
  size_t drawn_ = 0;  // characters on the line now
};

bool StandardErrorIsTerminal();

}  // namespace tavlex::cli
