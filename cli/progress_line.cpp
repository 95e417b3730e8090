#include "cli/progress_line.h"

#include <unistd.h>

namespace tavlex::cli {
namespace {

constexpr int kBarWidth = 20;
constexpr uint64_t kPercent = 100;

}  // namespace

void ProgressLine::Show(const std::string& label, uint64_t done, uint64_t total) {
  if (!shown_) return;
  const uint64_t percent = total == 0 ? 0 : done * kPercent / total;
  const auto filled = static_cast<int>(percent * kBarWidth / kPercent);
  std::string line = label + " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
  const std::string number = std::to_string(percent) + "%";
  line += std::string(4 - std::min<size_t>(4, number.size()), ' ') + number;
  // Blanks over what a longer line left behind.
  const size_t width = line.size();
  if (width < drawn_) line += std::string(drawn_ - width, ' ');
  out_ << '\r' << line << std::flush;
  drawn_ = width;
}

void ProgressLine::Finish() {
  if (!shown_ || drawn_ == 0) return;
  out_ << '\r' << std::string(drawn_, ' ') << '\r' << std::flush;
  drawn_ = 0;
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tavlex::cli
