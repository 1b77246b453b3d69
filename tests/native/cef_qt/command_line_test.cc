// CefCommandLine: Chromium's switch syntax, argument order and the
// read-only global command line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command_line_impl.h"
#include "include/cef_command_line.h"

namespace {

CefRefPtr<CefCommandLine> Parse(std::vector<const char*> argv) {
  CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
  command_line->InitFromArgv(static_cast<int>(argv.size()), argv.data());
  return command_line;
}

std::vector<std::string> ArgvOf(CefRefPtr<CefCommandLine> command_line) {
  std::vector<CefString> argv;
  command_line->GetArgv(argv);
  return std::vector<std::string>(argv.begin(), argv.end());
}

std::vector<std::string> ArgumentsOf(CefRefPtr<CefCommandLine> command_line) {
  CefCommandLine::ArgumentList arguments;
  command_line->GetArguments(arguments);
  return std::vector<std::string>(arguments.begin(), arguments.end());
}

TEST(CommandLineTest, ParsesBothPrefixesWithAndWithoutValue) {
  auto command_line =
      Parse({"/usr/bin/app", "--alpha", "-beta", "--gamma=Mixed=Case",
             "--Delta=Grüße", "plain", "-"});

  EXPECT_EQ("/usr/bin/app", command_line->GetProgram().ToString());
  EXPECT_TRUE(command_line->HasSwitches());
  EXPECT_TRUE(command_line->HasSwitch("alpha"));
  EXPECT_TRUE(command_line->HasSwitch("beta"));
  EXPECT_TRUE(command_line->HasSwitch("gamma"));
  EXPECT_TRUE(command_line->HasSwitch("delta"));
  EXPECT_TRUE(command_line->HasSwitch("DELTA"));
  EXPECT_FALSE(command_line->HasSwitch("plain"));
  EXPECT_FALSE(command_line->HasSwitch("alph"));

  EXPECT_EQ("", command_line->GetSwitchValue("alpha").ToString());
  EXPECT_EQ("Mixed=Case", command_line->GetSwitchValue("gamma").ToString());
  EXPECT_EQ("Grüße", command_line->GetSwitchValue("delta").ToString());
  EXPECT_EQ("", command_line->GetSwitchValue("absent").ToString());

  EXPECT_TRUE(command_line->HasArguments());
  EXPECT_EQ((std::vector<std::string>{"plain", "-"}),
            ArgumentsOf(command_line));
}

TEST(CommandLineTest, EmptyValueStillCountsAsPresent) {
  auto command_line = Parse({"app", "--name="});
  EXPECT_TRUE(command_line->HasSwitch("name"));
  EXPECT_EQ("", command_line->GetSwitchValue("name").ToString());
}

TEST(CommandLineTest, DoubleDashEndsSwitches) {
  auto command_line = Parse({"app", "--a", "--", "--b", "-c", "--", "d"});

  EXPECT_TRUE(command_line->HasSwitch("a"));
  EXPECT_FALSE(command_line->HasSwitch("b"));
  EXPECT_FALSE(command_line->HasSwitch("c"));
  EXPECT_EQ((std::vector<std::string>{"--b", "-c", "--", "d"}),
            ArgumentsOf(command_line));
}

TEST(CommandLineTest, LaterDuplicateWins) {
  auto command_line = Parse({"app", "--level=1", "--LEVEL=2"});
  EXPECT_EQ("2", command_line->GetSwitchValue("level").ToString());

  CefCommandLine::SwitchMap switches;
  command_line->GetSwitches(switches);
  ASSERT_EQ(1u, switches.size());
  EXPECT_EQ("2", switches[CefString("level")].ToString());
}

TEST(CommandLineTest, GetSwitchesGivesValuelessSwitchesAnEmptyValue) {
  CefCommandLine::SwitchMap switches;
  Parse({"app", "--x", "--y=1"})->GetSwitches(switches);
  ASSERT_EQ(2u, switches.size());
  EXPECT_EQ("", switches[CefString("x")].ToString());
  EXPECT_EQ("1", switches[CefString("y")].ToString());
}

TEST(CommandLineTest, AppendedSwitchesDropTheirDashes) {
  auto command_line = Parse({"app"});
  command_line->AppendSwitch("--disable-sync");
  command_line->AppendSwitch("plain-name");
  command_line->AppendSwitchWithValue("--Log-Severity", "Verbose");

  EXPECT_TRUE(command_line->HasSwitch("disable-sync"));
  EXPECT_TRUE(command_line->HasSwitch("plain-name"));
  EXPECT_EQ("Verbose", command_line->GetSwitchValue("log-severity").ToString());
  EXPECT_EQ((std::vector<std::string>{"app", "--disable-sync", "--plain-name",
                                      "--log-severity=Verbose"}),
            ArgvOf(command_line));
}

TEST(CommandLineTest, ArgvListsProgramThenSwitchesThenArguments) {
  auto command_line = Parse({"app", "first", "--x", "second", "--y=2"});
  command_line->AppendArgument("third");
  command_line->AppendSwitch("z");

  EXPECT_EQ((std::vector<std::string>{"app", "--x", "--y=2", "--z", "first",
                                      "second", "third"}),
            ArgvOf(command_line));
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
  EXPECT_EQ(ArgumentsOf(original), ArgumentsOf(reparsed));
  EXPECT_EQ(argv, ArgvOf(reparsed));
}

TEST(CommandLineTest, EmptyArgvGivesAnEmptyCommandLine) {
  auto command_line = Parse({});
  EXPECT_EQ("", command_line->GetProgram().ToString());
  EXPECT_FALSE(command_line->HasSwitches());
  EXPECT_FALSE(command_line->HasArguments());
}

TEST(CommandLineTest, ResetKeepsOnlyTheProgram) {
  auto command_line = Parse({"app", "--x", "arg"});
  command_line->Reset();
  EXPECT_EQ((std::vector<std::string>{"app"}), ArgvOf(command_line));
}

class GlobalCommandLineTest : public testing::Test {
 protected:
  void SetUp() override {
    global_ = new cef_qt::CommandLineImpl();
    const char* argv[] = {"app", "--maximized", "page"};
    global_->InitFromArgv(3, argv);
    global_->SetReadOnly(true);
    cef_qt::CommandLineImpl::SetGlobal(global_);
  }
  void TearDown() override { cef_qt::CommandLineImpl::SetGlobal(nullptr); }

  CefRefPtr<cef_qt::CommandLineImpl> global_;
};

TEST_F(GlobalCommandLineTest, ReadOnlyGlobalIgnoresChanges) {
  CefRefPtr<CefCommandLine> global = CefCommandLine::GetGlobalCommandLine();
  ASSERT_TRUE(global);
  EXPECT_TRUE(global->IsReadOnly());
  std::vector<std::string> before = ArgvOf(global);

  global->AppendSwitch("x");
  global->AppendSwitchWithValue("y", "1");
  global->AppendArgument("z");
  global->SetProgram("other");
  const char* argv[] = {"other", "--w"};
  global->InitFromArgv(2, argv);
  global->Reset();

  EXPECT_EQ(before, ArgvOf(global));
}

TEST_F(GlobalCommandLineTest, CopyIsWritableAndIndependent) {
  CefRefPtr<CefCommandLine> copy =
      CefCommandLine::GetGlobalCommandLine()->Copy();
  EXPECT_FALSE(copy->IsReadOnly());
  EXPECT_TRUE(copy->HasSwitch("maximized"));
  EXPECT_EQ((std::vector<std::string>{"page"}), ArgumentsOf(copy));

  copy->AppendSwitch("x");
  EXPECT_TRUE(copy->HasSwitch("x"));
  EXPECT_FALSE(CefCommandLine::GetGlobalCommandLine()->HasSwitch("x"));
}

}  // namespace
