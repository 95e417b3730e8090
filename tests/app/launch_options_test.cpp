// The viewer's command line, and a request's way over the session bus: each
// command line gives its request or its usage error, and a request comes
// back from the action's parameter as it was sent.
#include "app/launch_options.h"

#include <gtest/gtest.h>

#include "app/launch_bus.h"
#include "cli/argument_scanner.h"

namespace tavlex {
namespace {

using Source = LookupRequest::Source;
using Place = LookupRequest::Place;
using Args = std::vector<std::string>;

TEST(LaunchOptions, EachCommandLineGivesItsRequest) {
  struct Case {
    Args args;
    LookupRequest expected;
  };
  const Case cases[] = {
      {{}, {Source::kNone, u"", Place::kDefault}},
      {{"apple"}, {Source::kWord, u"apple", Place::kDefault}},
      {{"ice", "cream"}, {Source::kWord, u"ice cream", Place::kDefault}},
      {{"--", "--help"}, {Source::kWord, u"--help", Place::kDefault}},
      {{"na\xC3\xAFve"}, {Source::kWord, u"na\u00EFve", Place::kDefault}},
      {{"--popup", "--selection"}, {Source::kSelection, u"", Place::kPopup}},
      {{"--clipboard", "--window"}, {Source::kClipboard, u"", Place::kWindow}},
      {{"-session", "1234abcd", "go"}, {Source::kWord, u"go", Place::kDefault}},
  };
  for (const Case& c : cases) {
    const LaunchOptions options = ParseLaunchOptions(c.args);
    EXPECT_EQ(options.request, c.expected) << ::testing::PrintToString(c.args);
    EXPECT_FALSE(options.help || options.version || options.service);
  }
  EXPECT_TRUE(ParseLaunchOptions(Args{"--selection", "--help"}).help);
  EXPECT_TRUE(ParseLaunchOptions(Args{"--service"}).service);
}

TEST(LaunchOptions, CommandLinesThatCannotRunAreUsageErrors) {
  const Args errors[] = {
      {"--bogus"},
      {"--selection", "--clipboard"},
      {"--selection", "apple"},
      {"--popup", "--window", "go"},
      {"--popup"},
      {"--service", "apple"},
      {"-session"},
      {"--popup=1", "go"},
  };
  for (const Args& args : errors) {
    EXPECT_THROW(ParseLaunchOptions(args), cli::UsageError) << ::testing::PrintToString(args);
  }
}

TEST(LookupParameter, ARequestCrossesTheBusUnchanged) {
  const LookupRequest requests[] = {
      {Source::kWord, u"ice cream", Place::kDefault},
      {Source::kSelection, u"", Place::kPopup},
      {Source::kClipboard, u"", Place::kWindow},
  };
  for (const LookupRequest& request : requests) {
    EXPECT_EQ(RequestFromParameter(LookupParameter(request)), request) << int(request.source);
  }
  // A script may send the word alone.
  EXPECT_EQ(RequestFromParameter(QStringLiteral("went")),
            (LookupRequest{Source::kWord, u"went", Place::kDefault}));
  EXPECT_EQ(RequestFromParameter(QVariantMap{{"source", "mouse"}}), std::nullopt);
  EXPECT_EQ(RequestFromParameter(QVariantMap{{"place", "corner"}}), std::nullopt);
}

}  // namespace
}  // namespace tavlex
