#include "query.h"

#include <gtest/gtest.h>

namespace repair_sim {
namespace {

Query Parsed(const std::string& raw) {
  std::string error;
  std::optional<Query> query = Query::Parse(raw, &error);
  EXPECT_TRUE(query) << error;
  return query.value_or(Query());
}

TEST(QueryTest, DecodesPercentEscapesAndKeepsOrderAndPlus) {
  Query query = Parsed(
      "disc=a%20b&image=x%2By+z&&uuid=%E2%82%AC&flag&"
      "key=/dev/sda2:[a]@b!$(c)*,;~%3F%26%3D");
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(query.pairs(), (Pairs{{"disc", "a b"},
                                  {"image", "x+y+z"},
                                  {"uuid", "\xE2\x82\xAC"},
                                  {"flag", ""},
                                  {"key", "/dev/sda2:[a]@b!$(c)*,;~?&="}}));
}

TEST(QueryTest, RefusesBadEscapesAndRepeatedKeys) {
  std::string error;
  for (const char* raw : {"a=%zz", "a=%4", "a=%", "%=1"}) {
    EXPECT_FALSE(Query::Parse(raw, &error)) << raw;
    EXPECT_NE(error.find("bad percent escape"), std::string::npos) << raw;
  }
  EXPECT_FALSE(Query::Parse("uuid=a&uuid=b", &error));
  EXPECT_EQ(error, "query key \"uuid\" given twice");
}

TEST(QueryTest, TextNeedsAPresentNonEmptyValue) {
  Query query = Parsed("uuid=&disc=d");
  std::string error;
  EXPECT_EQ(query.Text("disc", &error), "d");
  EXPECT_FALSE(query.Text("uuid", &error));
  EXPECT_EQ(error, "query key \"uuid\" is empty");
  EXPECT_FALSE(query.Text("image", &error));
  EXPECT_EQ(error, "missing query key \"image\"");
}

TEST(QueryTest, CountTakesOnlyNonNegativeDecimalIntegers) {
  Query query = Parsed(
      "a=0&b=18446744073709551615&c=-1&d=1x&e=18446744073709551616&f=+3&g=1.0");
  std::string error;
  EXPECT_EQ(query.Count("a", &error), 0u);
  EXPECT_EQ(query.Count("b", &error), UINT64_MAX);
  for (const char* key : {"c", "d", "e", "f", "g"}) {
    EXPECT_FALSE(query.Count(key, &error)) << key;
    EXPECT_NE(error.find("must be a non-negative integer"), std::string::npos);
  }
}

}  // namespace
}  // namespace repair_sim
