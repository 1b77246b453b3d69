// CefCommandLine: Chromium's switch syntax, argument order and the
// read-only global command line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command_line_impl.h"
#include "include/cef_command_line.h"

namespace {

CefRefPtr<CefCommandLine> Parse(std::vector<const char*> argv) {
  CefRefPtr<CefCommandLine> command_line = new cef_qt::CommandLineImpl();
  command_line->InitFromArgv(static_cast<int>(argv.size()), argv.data());
  return command_line;
}

std::vector<std::string> ArgvOf(CefRefPtr<CefCommandLine> command_line) {
  std::vector<CefString> argv;
  command_line->GetArgv(argv);
  return std::vector<std::string>(argv.begin(), argv.end());
}

TEST(CommandLineTest, ParsesBothPrefixesWithAndWithoutValue) {
  auto command_line =
      Parse({"/usr/bin/app", "--alpha", "-beta", "--gamma=Mixed=Case",
             "--Delta=Grüße", "plain", "-", "--name="});

  EXPECT_TRUE(command_line->HasSwitch("alpha"));
  EXPECT_TRUE(command_line->HasSwitch("beta"));
  EXPECT_TRUE(command_line->HasSwitch("gamma"));
  EXPECT_TRUE(command_line->HasSwitch("delta"));
  EXPECT_TRUE(command_line->HasSwitch("DELTA"));
  EXPECT_TRUE(command_line->HasSwitch("--name"));
  EXPECT_FALSE(command_line->HasSwitch("plain"));
  EXPECT_FALSE(command_line->HasSwitch("alph"));

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
  CefRefPtr<cef_qt::CommandLineImpl> global = new cef_qt::CommandLineImpl();
  const char* argv[] = {"app", "--maximized", "page"};
  global->InitFromArgv(3, argv);
  global->SetReadOnly(true);
  cef_qt::CommandLineImpl::SetGlobal(global);

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
