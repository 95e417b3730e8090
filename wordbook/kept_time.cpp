#include "wordbook/kept_time.h"

#include <cstdio>
#include <ctime>

namespace tavlex::wordbook {
namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int kFirstYear = 1900;
constexpr size_t kDateLength = 10;     // YYYY-MM-DD
constexpr size_t kMinutesLength = 16;  // YYYY-MM-DDTHH:MM
constexpr size_t kSecondsLength = 19;  // YYYY-MM-DDTHH:MM:SS
constexpr size_t kTimeBuffer = 32;

std::string Format(int64_t ms, const char* format, bool utc) {
  const std::time_t seconds = static_cast<std::time_t>(ms / kMsPerSecond);
  std::tm parts{};
  if ((utc ? gmtime_r(&seconds, &parts) : localtime_r(&seconds, &parts)) == nullptr) return "?";
  char text[kTimeBuffer];
  return std::string(text, std::strftime(text, sizeof text, format, &parts));
}

// The digits of text[at, at + count) as a number, or -1.
int Digits(std::string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string UtcTime(int64_t ms) { return Format(ms, "%Y-%m-%dT%H:%M:%SZ", true); }

std::string LocalTime(int64_t ms) { return Format(ms, "%Y-%m-%d %H:%M", false); }

std::optional<int64_t> ParseLocalTime(std::string_view text) {
  std::tm parts{};
  parts.tm_year = Digits(text, 0, 4) - kFirstYear;
  parts.tm_mon = Digits(text, 5, 2) - 1;
  parts.tm_mday = Digits(text, 8, 2);
  const bool dateShape = text.size() >= kDateLength && text[4] == '-' && text[7] == '-';
  if (!dateShape || parts.tm_year < -kFirstYear || parts.tm_mon < 0 || parts.tm_mday < 0) return std::nullopt;
  if (text.size() > kDateLength) {
    // "T" or a space, HH:MM, and optionally :SS.
    const bool seconds = text.size() == kSecondsLength;
    if ((text.size() != kMinutesLength && !seconds) ||
        (text[kDateLength] != 'T' && text[kDateLength] != ' ') || text[13] != ':' ||
        (seconds && text[16] != ':')) {
      return std::nullopt;
    }
    parts.tm_hour = Digits(text, 11, 2);
    parts.tm_min = Digits(text, 14, 2);
    parts.tm_sec = seconds ? Digits(text, 17, 2) : 0;
    if (parts.tm_hour < 0 || parts.tm_min < 0 || parts.tm_sec < 0) return std::nullopt;
  }
  parts.tm_isdst = -1;
  const std::tm asked = parts;
  const std::time_t seconds = std::mktime(&parts);
  // mktime moves 02-30 to 03-02 and 25:00 to the next day: such a time does not exist.
  if (seconds == -1 || parts.tm_mday != asked.tm_mday || parts.tm_mon != asked.tm_mon ||
      parts.tm_hour != asked.tm_hour || parts.tm_min != asked.tm_min) {
    return std::nullopt;
  }
  return static_cast<int64_t>(seconds) * kMsPerSecond;
}

}  // namespace tavlex::wordbook
