// CefCommandLine: Chromium's switch syntax, argument order and the
// read-only global command line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command_lines.h"

namespace {

TEST(CommandLineTest, ParsesBothPrefixesWithAndWithoutValue) {
  auto command_line =
      Parse({"/usr/bin/app", "--alpha", "-beta", "--gamma=Mixed=Case",
             "--Delta=Grüße", "plain", "-", "--name="});

  for (const char* name :
       {"alpha", "beta", "gamma", "delta", "DELTA", "--name"})
    EXPECT_TRUE(command_line->HasSwitch(name)) << name;
  for (const char* name : {"plain", "alph"})
    EXPECT_FALSE(command_line->HasSwitch(name)) << name;
  EXPECT_EQ("", command_line->GetSwitchValue("alpha").ToString());
  EXPECT_EQ("Mixed=Case", command_line->GetSwitchValue("gamma").ToString());
  EXPECT_EQ("Grüße", command_line->GetSwitchValue("delta").ToString());
  EXPECT_EQ("", command_line->GetSwitchValue("name").ToString());
  EXPECT_EQ("", command_line->GetSwitchValue("absent").ToString());

  EXPECT_EQ((std::vector<std::string>{"/usr/bin/app", "--alpha", "--beta",
                                      "--gamma=Mixed=Case", "--delta=Grüße",
                                      "--name", "--", "plain", "-"}),
            ArgvOf(command_line));
}

TEST(CommandLineTest, DoubleDashEndsSwitches) {
  auto command_line = Parse({"app", "--a", "--", "--b", "-c", "--", "d"});

  EXPECT_TRUE(command_line->HasSwitch("a"));
  EXPECT_FALSE(command_line->HasSwitch("b"));
  EXPECT_FALSE(command_line->HasSwitch("c"));
  EXPECT_EQ(
      (std::vector<std::string>{"app", "--a", "--", "--b", "-c", "--", "d"}),
      ArgvOf(command_line));
}

TEST(CommandLineTest, LaterDuplicateWins) {
  auto command_line = Parse({"app", "--level=1", "--LEVEL=2"});
  EXPECT_EQ("2", command_line->GetSwitchValue("level").ToString());
}

TEST(CommandLineTest, ArgvListsProgramThenSwitchesThenArguments) {
  auto command_line = Parse({"app", "first", "--x", "second", "--y=2"});
  command_line->AppendSwitch("--disable-sync");
  command_line->AppendSwitch("Plain-Name");

  EXPECT_TRUE(command_line->HasSwitch("disable-sync"));
  EXPECT_TRUE(command_line->HasSwitch("plain-name"));
  EXPECT_EQ((std::vector<std::string>{"app", "--x", "--y=2", "--disable-sync",
                                      "--plain-name", "first", "second"}),
            ArgvOf(command_line));
  EXPECT_EQ("app --x --y=2 --disable-sync --plain-name first second",
            command_line->GetCommandLineString().ToString());
  EXPECT_EQ("app \"two words\" \"say \\\"hi\\\"\"",
            Parse({"app", "two words", "say \"hi\""})
                ->GetCommandLineString()
                .ToString());
}

TEST(CommandLineTest, ArgvParsesBackToTheSameCommandLine) {
  auto original = Parse({"app", "--x=1", "plain", "--", "--not-a-switch"});
  std::vector<std::string> argv = ArgvOf(original);
  std::vector<const char*> pointers;
  for (const auto& arg : argv)
    pointers.push_back(arg.c_str());
  auto reparsed = Parse(pointers);

  EXPECT_FALSE(reparsed->HasSwitch("not-a-switch"));
  EXPECT_EQ("1", reparsed->GetSwitchValue("x").ToString());
  EXPECT_EQ(argv, ArgvOf(reparsed));
}

TEST(CommandLineTest, EmptyArgvGivesAnEmptyCommandLine) {
  EXPECT_EQ((std::vector<std::string>{""}), ArgvOf(Parse({})));
}

TEST(CommandLineTest, ReadOnlyGlobalIgnoresChanges) {
  CefRefPtr<cef_qt::CommandLineImpl> global =
      SetGlobalCommandLine({"app", "--maximized", "page"});

  CefRefPtr<CefCommandLine> seen = CefCommandLine::GetGlobalCommandLine();
  ASSERT_EQ(global.get(), seen.get());
  seen->AppendSwitch("x");
  const char* other[] = {"other", "--w"};
  seen->InitFromArgv(2, other);
  EXPECT_EQ((std::vector<std::string>{"app", "--maximized", "page"}),
            ArgvOf(seen));
  cef_qt::CommandLineImpl::SetGlobal(nullptr);
}

}  // namespace
