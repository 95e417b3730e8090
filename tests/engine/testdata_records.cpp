#include "testdata_records.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tavlex::testing {
namespace {

// A reader for JSON objects, arrays, strings and integers: what the records files hold.
class JsonReader {
 public:
  explicit JsonReader(std::string text) : text_(std::move(text)) {}

  std::vector<ExpectedEntry> Entries() {
    std::vector<ExpectedEntry> entries;
    Object([&](const std::string& name) {
      if (name != "entries") return Skip();
      Array([&] {
        ExpectedEntry& e = entries.emplace_back();
        Object([&](const std::string& field) {
          if (field == "attributes") {
            e.attributes = Integer();
          } else if (field == "key") {
            e.key = String();
          } else if (field == "display") {
            e.display = String();
          } else if (field == "translation") {
            e.translation = String();
          } else if (field == "pronunciation") {
            e.pronunciation = String();
          } else if (field == "example") {
            e.example = String();
          } else {
            Skip();
          }
        });
      });
    });
    return entries;
  }

 private:
  template <typename Member>
  void Object(Member member) {
    Expect('{');
    if (Peek() == '}') return void(++at_);
    do {
      std::u16string name = String();
      Expect(':');
      member(std::string(name.begin(), name.end()));
    } while (Comma());
    Expect('}');
  }

  template <typename Element>
  void Array(Element element) {
    Expect('[');
    if (Peek() == ']') return void(++at_);
    do element();
    while (Comma());
    Expect(']');
  }

  void Skip() {
    switch (Peek()) {
      case '{':
        return Object([&](const std::string&) { Skip(); });
      case '[':
        return Array([&] { Skip(); });
      case '"':
        return void(String());
      default:
        while (at_ < text_.size() && std::string_view(",}] \n").find(text_[at_]) == std::string_view::npos)
          ++at_;
    }
  }

  int Integer() {
    Peek();
    size_t used = 0;
    const int value = std::stoi(text_.substr(at_), &used);
    at_ += used;
    return value;
  }

  std::u16string String() {
    Expect('"');
    std::u16string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      const unsigned char c = static_cast<unsigned char>(text_[at_++]);
      if (c == '\\') {
        const char escape = text_.at(at_++);
        switch (escape) {
          case 'n':
            out += u'\n';
            break;
          case 't':
            out += u'\t';
            break;
          case 'r':
            out += u'\r';
            break;
          case 'b':
            out += u'\b';
            break;
          case 'f':
            out += u'\f';
            break;
          case 'u':
            out += static_cast<char16_t>(std::stoi(text_.substr(at_, 4), nullptr, 16));
            at_ += 4;
            break;
          default:
            out += static_cast<char16_t>(escape);
        }
      } else if (c < 0x80) {
        out += static_cast<char16_t>(c);
      } else {
        // UTF-8 sequence
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
        char32_t cp = c & (0x3F >> extra);
        for (int i = 0; i < extra; ++i) cp = cp << 6 | (static_cast<unsigned char>(text_.at(at_++)) & 0x3F);
        if (cp > 0xFFFF) {
          out += static_cast<char16_t>(0xD7C0 + (cp >> 10));
          out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
        } else {
          out += static_cast<char16_t>(cp);
        }
      }
    }
    Expect('"');
    return out;
  }

  char Peek() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    if (at_ >= text_.size()) throw std::runtime_error("unexpected end of JSON");
    return text_[at_];
  }
  void Expect(char c) {
    if (Peek() != c)
      throw std::runtime_error(std::string("JSON: expected ") + c + " at " + std::to_string(at_));
    ++at_;
  }
  bool Comma() {
    if (Peek() != ',') return false;
    ++at_;
    return true;
  }

  std::string text_;
  size_t at_ = 0;
};

}  // namespace

std::vector<ExpectedEntry> ReadExpectedEntries(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::stringstream text;
  text << in.rdbuf();
  try {
    return JsonReader(text.str()).Entries();
  } catch (const std::exception& e) {
    ADD_FAILURE() << path << ": " << e.what();
    return {};
  }
}

}  // namespace tavlex::testing
