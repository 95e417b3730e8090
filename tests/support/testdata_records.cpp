#include "tests/support/testdata_records.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "base/utf8.h"

namespace tavlex::testing {

std::vector<ExpectedEntry> ReadExpectedEntries(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::vector<ExpectedEntry> entries;
  try {
    const auto text = [](const nlohmann::json& value) { return Utf8ToUtf16(value.get<std::string>()); };
    const nlohmann::json records = nlohmann::json::parse(in);
    for (const nlohmann::json& e : records.at("entries")) {
      entries.push_back({text(e.at("key")), text(e.at("display")), e.at("attributes").get<int>(),
                         text(e.at("translation")), text(e.at("pronunciation")), text(e.at("example"))});
    }
  } catch (const nlohmann::json::exception& e) {
    ADD_FAILURE() << path << ": " << e.what();
  }
  return entries;
}

}  // namespace tavlex::testing
