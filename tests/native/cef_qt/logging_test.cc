// Log records on stderr in the engine's format, and the minimum level taken
// from the settings and the --log-severity switch.

#include <sys/syscall.h>
#include <unistd.h>

#include <functional>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "include/base/cef_logging.h"
#include "include/internal/cef_logging_internal.h"
#include "include/internal/cef_types.h"
#include "logging.h"

namespace {

// What |write| puts on file descriptor 2.
std::string StderrOf(const std::function<void()>& write) {
  testing::internal::CaptureStderr();
  write();
  return testing::internal::GetCapturedStderr();
}

class LoggingTest : public testing::Test {
 protected:
  void TearDown() override { cef_qt::ConfigureLogging(std::string()); }
};

// Counts the evaluations of a disabled record's stream expression.
int g_evaluations = 0;
const char* Evaluated() {
  ++g_evaluations;
  return "evaluated";
}

TEST_F(LoggingTest, RecordNamesProcessThreadTimeSeverityAndSource) {
  std::string text = StderrOf([] {
    cef_log("cef_app/src/main", 19, cef::logging::LOG_WARNING,
            "X error received: type 0");
  });

  std::smatch match;
  ASSERT_TRUE(std::regex_match(
      text, match,
      std::regex(R"(\[(\d+):(\d+):(\d\d)(\d\d)/(\d\d)(\d\d)(\d\d)\.\d{6}:)"
                 R"(WARNING:cef_app/src/main\(19\)\] X error received: type 0)"
                 "\n")))
      << text;
  EXPECT_EQ(std::to_string(getpid()), match[1].str());
  EXPECT_EQ(std::to_string(syscall(SYS_gettid)), match[2].str());
  // Month, day, hours, minutes, seconds.
  const int lowest[] = {1, 1, 0, 0, 0}, highest[] = {12, 31, 23, 59, 60};
  for (int i = 0; i < 5; ++i) {
    EXPECT_GE(std::stoi(match[3 + i].str()), lowest[i]) << text;
    EXPECT_LE(std::stoi(match[3 + i].str()), highest[i]) << text;
  }
}

TEST_F(LoggingTest, SeverityNames) {
  std::string text = StderrOf([] {
    cef_log("f", 1, cef::logging::LOG_INFO, "i");
    cef_log("f", 2, cef::logging::LOG_ERROR, "e");
    cef_log("f", 3, cef::logging::LOG_VERBOSE, "v");
  });

  EXPECT_NE(std::string::npos, text.find(":INFO:f(1)] i\n")) << text;
  EXPECT_NE(std::string::npos, text.find(":ERROR:f(2)] e\n")) << text;
  EXPECT_NE(std::string::npos, text.find(":VERBOSE1:f(3)] v\n")) << text;
}

TEST_F(LoggingTest, SwitchSetsTheMinimumLevelOrKeepsTheDefault) {
  struct {
    const char* value;
    int level;
  } cases[] = {
      {"", cef::logging::LOG_INFO},
      {"verbose", cef::logging::LOG_VERBOSE},
      {"info", cef::logging::LOG_INFO},
      {"warning", cef::logging::LOG_WARNING},
      {"error", cef::logging::LOG_ERROR},
      {"fatal", cef::logging::LOG_FATAL},
  };
  for (const auto& test_case : cases) {
    cef_qt::ConfigureLogging(test_case.value);
    EXPECT_EQ(test_case.level, cef_get_min_log_level())
        << "--log-severity=" << test_case.value;
  }
  cef_qt::ConfigureLogging("disable");
  EXPECT_GT(cef_get_min_log_level(), cef::logging::LOG_FATAL);

  // An unknown value keeps the default and says so.
  cef_qt::ConfigureLogging("error");
  std::string text = StderrOf([] { cef_qt::ConfigureLogging("loud"); });

  EXPECT_EQ(cef::logging::LOG_INFO, cef_get_min_log_level());
  EXPECT_NE(std::string::npos, text.find("\"loud\"")) << text;
}

TEST_F(LoggingTest, LogMacroHonoursTheMinimumLevel) {
  cef_qt::ConfigureLogging("error");
  g_evaluations = 0;
  EXPECT_EQ("", StderrOf([] { LOG(WARNING) << Evaluated(); }));
  EXPECT_EQ(0, g_evaluations);

  cef_qt::ConfigureLogging("warning");
  std::string text = StderrOf([] { LOG(WARNING) << "shown " << 42; });
  EXPECT_NE(std::string::npos, text.find(":WARNING:")) << text;
  EXPECT_NE(std::string::npos, text.find("logging_test.cc(")) << text;
  EXPECT_NE(std::string::npos, text.find(")] shown 42\n")) << text;

  // Disabled logging writes not even errors.
  cef_qt::ConfigureLogging("disable");
  EXPECT_EQ("", StderrOf([] { LOG(ERROR) << "hidden"; }));
}

}  // namespace
