#include "view/outside_lookup.h"

#include "base/lines.h"
#include "engine/text/text.h"

namespace tavlex {
namespace {

using Source = LookupRequest::Source;

// The first line of text, when a search would find something to look up in it.
std::optional<std::u16string> SearchableLine(std::u16string_view text) {
  const std::u16string_view line = FirstLine(text);
  if (StripSearchWord(line).empty()) return std::nullopt;
  return std::u16string(line);
}

}  // namespace

LookupDecision DecideLookup(const LookupRequest& request, bool popupByDefault,
                            const ReadClipboardText& read) {
  std::optional<std::u16string> text;
  switch (request.source) {
    case Source::kNone:
      break;
    case Source::kWord:
      text = request.word;
      break;
    case Source::kSelection:
      text = read(Source::kSelection);
      if (!text) text = read(Source::kClipboard);
      break;
    case Source::kClipboard:
      text = read(Source::kClipboard);
      break;
  }
  LookupDecision decision;
  if (text) decision.text = SearchableLine(*text);
  if (!decision.text) return decision;
  decision.popup = request.place == LookupRequest::Place::kPopup ||
                   (request.place == LookupRequest::Place::kDefault && popupByDefault);
  return decision;
}

std::optional<std::u16string> WatchedText(const ClipboardChange& change, std::u16string_view lastLookedUp) {
  if (!change.hasText || change.ownedByViewer || change.text.size() > kMostWatchedCharacters)
    return std::nullopt;
  std::optional<std::u16string> text = SearchableLine(change.text);
  if (text && *text == lastLookedUp) return std::nullopt;
  return text;
}

void ClipboardWatch::Start(const std::optional<ClipboardChange>& now) {
  lastLookedUp_.clear();
  held_.reset();
  startUnread_ = !now;
  if (now && now->hasText) {
    held_ = FirstLine(now->text);
    LookedUp(now->text);
  }
}

void ClipboardWatch::LookedUp(std::u16string_view text) { lastLookedUp_ = FirstLine(text); }

std::optional<std::u16string> ClipboardWatch::Changed(const ClipboardChange& change) {
  if (startUnread_) {
    Start(change);
    return std::nullopt;
  }
  std::optional<std::u16string> held;
  if (change.hasText) held = FirstLine(change.text);
  const bool sentAgain = held && held == held_;
  held_ = std::move(held);
  if (sentAgain) return std::nullopt;
  std::optional<std::u16string> text = WatchedText(change, lastLookedUp_);
  if (text) lastLookedUp_ = *text;
  return text;
}

}  // namespace tavlex
