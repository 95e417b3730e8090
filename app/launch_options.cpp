#include "app/launch_options.h"

#include <array>

#include "base/utf8.h"
#include "cli/argument_scanner.h"

namespace tavlex {
namespace {

using Source = LookupRequest::Source;
using Place = LookupRequest::Place;

constexpr std::string_view kSelection = "--selection";
constexpr std::string_view kClipboard = "--clipboard";
constexpr std::string_view kPopup = "--popup";
constexpr std::string_view kWindow = "--window";
constexpr std::string_view kService = "--service";
constexpr std::string_view kVersion = "--version";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
// Given by an X11 session manager that starts the viewer again at login.
constexpr std::string_view kSession = "-session";

constexpr std::array<cli::OptionSpec, 9> kOptions = {{
    {kSelection, false},
    {kClipboard, false},
    {kPopup, false},
    {kWindow, false},
    {kService, false},
    {kVersion, false},
    {kHelp, false},
    {kShortHelp, false},
    {kSession, true},
}};

}  // namespace

const char kLaunchUsage[] =
    "Usage: tavlex [--popup | --window] [WORD... | --selection | --clipboard]\n"
    "\n"
    "Opens the Tavlex dictionary viewer. When it runs already for this user and\n"
    "display, the running viewer takes the request and comes to the front.\n"
    "\n"
    "  WORD...      look WORD up (several words are looked up as one phrase)\n"
    "  --selection  look up the text selected in any program (the clipboard's\n"
    "               where the system has no selection)\n"
    "  --clipboard  look up the text on the clipboard\n"
    "  --popup      show the results in a pop-up near the pointer\n"
    "  --window     show them in the main window, also when the pop-up is the\n"
    "               default (ツール → ポップアップで表示)\n"
    "  --service    start without a window and wait for a request on the session\n"
    "               bus (how the desktop starts the viewer)\n"
    "  --version    show the version\n"
    "  -h, --help   show this help\n"
    "\n"
    "Only the first line of a text is looked up. With nothing to look up, the\n"
    "window comes up with its search box as it was.\n";

LaunchOptions ParseLaunchOptions(std::span<const std::string> args) {
  LaunchOptions options;
  std::string words;
  int sources = 0;
  int places = 0;
  for (const cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option.empty()) {
      if (words.empty()) ++sources;
      words += (words.empty() ? "" : " ") + arg.value;
    } else if (arg.option == kSelection || arg.option == kClipboard) {
      options.request.source = arg.option == kSelection ? Source::kSelection : Source::kClipboard;
      ++sources;
    } else if (arg.option == kPopup || arg.option == kWindow) {
      options.request.place = arg.option == kPopup ? Place::kPopup : Place::kWindow;
      ++places;
    } else if (arg.option == kService) {
      options.service = true;
    } else if (arg.option == kVersion) {
      options.version = true;
    } else if (arg.option == kHelp || arg.option == kShortHelp) {
      options.help = true;
    }
  }
  if (options.help || options.version) return options;
  if (sources > 1) throw cli::UsageError("give one of WORD, --selection and --clipboard");
  if (places > 1) throw cli::UsageError("--popup and --window cannot be combined");
  if (!words.empty()) {
    options.request.source = Source::kWord;
    options.request.word = Utf8ToUtf16(words);
  }
  if (places > 0 && sources == 0) throw cli::UsageError("--popup and --window need something to look up");
  if (options.service && (sources > 0 || places > 0)) throw cli::UsageError("--service takes nothing else");
  return options;
}

}  // namespace tavlex
