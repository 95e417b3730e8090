#include "cli/program.h"

namespace tavlex::cli {

void Program::Report(std::string_view message) const { std::cerr << name_ << ": " << message << '\n'; }

void Program::ReportUsageError(std::string_view message) const {
  Report(message);
  std::cerr << "Try '" << name_ << " --help'.\n";
}

void Program::PrintVersion() const { std::cout << name_ << ' ' << TAVLEX_VERSION << '\n'; }

}  // namespace tavlex::cli
