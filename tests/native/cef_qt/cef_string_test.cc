// CefString: UTF-8 and UTF-16 conversions and the settings-struct idiom.

#include <string>

#include <gtest/gtest.h>

#include "include/internal/cef_string.h"
#include "include/internal/cef_types_wrappers.h"

namespace {

TEST(CefStringTest, Utf8RoundTripsThroughUtf16) {
  for (const std::string text :
       {"", "Lumenos", "Grüße", "€ 100", "\xF0\x9D\x84\x9E clef",
        "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"}) {
    CefString string(text);
    EXPECT_EQ(text, string.ToString());
    EXPECT_EQ(text, static_cast<std::string>(string));
  }
}

TEST(CefStringTest, NonBmpCharactersBecomeSurrogatePairs) {
  CefString string("a\xF0\x9D\x84\x9E");  // "a" U+1D11E
  ASSERT_EQ(3u, string.length());
  EXPECT_EQ(u"a\U0001D11E", string.ToString16());
  EXPECT_EQ(0xD834, string.c_str()[1]);
  EXPECT_EQ(0xDD1E, string.c_str()[2]);

  CefString from_utf16(u"\u00FC\u20AC\U0001F600");
  EXPECT_EQ("\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", from_utf16.ToString());
}

TEST(CefStringTest, KeepsEmbeddedNulCharacters) {
  const std::string text("a\0b", 3);
  CefString string(text);
  EXPECT_EQ(3u, string.length());
  EXPECT_EQ(text, string.ToString());
}

TEST(CefStringTest, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(u"a\uFFFDb", CefString("a\xFF"
                                   "b")
                             .ToString16());
  EXPECT_EQ(u"\uFFFD", CefString("\xE2\x82").ToString16());

  const char16_t lone_surrogate[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ("x\xEF\xBF\xBDy", CefString(lone_surrogate).ToString());
}

TEST(CefStringTest, NullAndEmptyAreEmpty) {
  EXPECT_TRUE(CefString().empty());
  EXPECT_TRUE(CefString(static_cast<const char*>(nullptr)).empty());
  EXPECT_TRUE(CefString("").empty());
  EXPECT_EQ("", CefString().ToString());
}

TEST(CefStringTest, ComparesByCodeUnits) {
  EXPECT_TRUE(CefString("a") < CefString("b"));
  EXPECT_TRUE(CefString("") < CefString("a"));
  EXPECT_TRUE(CefString("ab") == CefString("ab"));
  EXPECT_TRUE(CefString("ab") != CefString("abc"));
}

TEST(CefStringTest, SelfAssignmentKeepsTheText) {
  CefString string("Grüße, Lumenos");
  const CefString& same = string;
  string = same;
  EXPECT_EQ("Grüße, Lumenos", string.ToString());

  CefSettings settings;
  CefString(&settings.user_agent_product) = "Lumenos";
  const CefSettings& same_settings = settings;
  settings = same_settings;
  EXPECT_EQ("Lumenos", CefString(&settings.user_agent_product).ToString());
}

TEST(CefStringTest, WritesReadsAndCopiesASettingsMember) {
  CefSettings settings;
  EXPECT_EQ(sizeof(cef_settings_t), settings.size);
  EXPECT_EQ(0u, settings.user_agent_product.length);

  CefString(&settings.user_agent_product) = "Lumenos";
  EXPECT_EQ("Lumenos", CefString(&settings.user_agent_product).ToString());
  EXPECT_EQ(7u, settings.user_agent_product.length);

  // A copy owns its strings.
  CefSettings copy(settings);
  CefString(&settings.user_agent_product) = "Lumenos Grüße";
  EXPECT_EQ("Lumenos Grüße",
            CefString(&settings.user_agent_product).ToString());
  EXPECT_EQ("Lumenos", CefString(&copy.user_agent_product).ToString());
  EXPECT_NE(settings.user_agent_product.str, copy.user_agent_product.str);
}

}  // namespace
