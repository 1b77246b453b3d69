// CefBase64Encode and CefURIEncode.

#include <string>

#include <gtest/gtest.h>

#include "include/cef_parser.h"

namespace {

std::string Base64(const std::string& bytes) {
  return CefBase64Encode(bytes.data(), bytes.size()).ToString();
}

std::string UriEncode(const std::string& text, bool use_plus) {
  return CefURIEncode(text, use_plus).ToString();
}

TEST(Base64EncodeTest, MatchesTheRfc4648Vectors) {
  EXPECT_EQ("", Base64(""));
  EXPECT_EQ("Zg==", Base64("f"));
  EXPECT_EQ("Zm8=", Base64("fo"));
  EXPECT_EQ("Zm9v", Base64("foo"));
  EXPECT_EQ("Zm9vYg==", Base64("foob"));
  EXPECT_EQ("Zm9vYmE=", Base64("fooba"));
  EXPECT_EQ("Zm9vYmFy", Base64("foobar"));
}

TEST(Base64EncodeTest, EncodesBinaryBytes) {
  EXPECT_EQ("AP/+gH8=", Base64(std::string("\x00\xFF\xFE\x80\x7F", 5)));
  EXPECT_EQ("+/8=", Base64("\xFB\xFF"));
  EXPECT_EQ("AAAA", Base64(std::string(3, '\0')));
  EXPECT_EQ("", CefBase64Encode(nullptr, 0).ToString());
}

TEST(UriEncodeTest, KeepsLettersDigitsAndTheUnreservedMarks) {
  const std::string kept =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
      "-_.!~*'()";
  EXPECT_EQ(kept, UriEncode(kept, false));
  EXPECT_EQ(kept, UriEncode(kept, true));
}

TEST(UriEncodeTest, EscapesEverythingElseInUpperCaseHex) {
  EXPECT_EQ("%2B%2F%3D", UriEncode("+/=", false));
  EXPECT_EQ("a%20b%25c", UriEncode("a b%c", false));
  EXPECT_EQ("%3F%26%23%3A%40%3B%2C%24%22%0A", UriEncode("?&#:@;,$\"\n", false));
  EXPECT_EQ("%C3%BC%E2%82%AC%F0%9F%98%80",
            UriEncode("\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", false));
  EXPECT_EQ("%C3%BF", UriEncode("\xC3\xBF", false));
  EXPECT_EQ("", UriEncode("", false));
}

TEST(UriEncodeTest, UsePlusTurnsOnlyBlanksIntoPlus) {
  EXPECT_EQ("a+b+", UriEncode("a b ", true));
  EXPECT_EQ("%2B+%2B", UriEncode("+ +", true));
  // Escaped base64 has no plus, slash or equals sign left.
  EXPECT_EQ("%2B%2F8%3D", UriEncode(Base64("\xFB\xFF"), false));
}

}  // namespace
