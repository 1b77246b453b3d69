// The entry point's X11 error handlers, over the engine's logging calls.

#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "engine_recorder.h"
#include "include/base/cef_logging.h"

#include "main.h"

namespace {

class XErrorHandlerTest : public testing::Test {
 protected:
  void SetUp() override { engine_recorder::Recorded() = {}; }
};

// One warning per error from the entry point's module, every number in
// decimal.
TEST_F(XErrorHandlerTest, LogsOneWarningPerErrorNamingTheEntryPointModule) {
  struct Case {
    // Type, display, resource id, serial, error, request and minor code.
    XErrorEvent event;
    const char* message;
  } cases[] = {
      {{0, nullptr, 0, 17, 3, 42, 1},
       "X error received: type 0, serial 17, error_code 3, request_code 42, "
       "minor_code 1"},
      {{0, nullptr, 0, 4294967301ul, 200, 0, 255},
       "X error received: type 0, serial 4294967301, error_code 200, "
       "request_code 0, minor_code 255"},
      {{-7, nullptr, 0, 0, 0, 200, 200},
       "X error received: type -7, serial 0, error_code 0, request_code 200, "
       "minor_code 200"},
      {{65, nullptr, 0, 1, 0, 0, 0},
       "X error received: type 65, serial 1, error_code 0, request_code 0, "
       "minor_code 0"},
  };
  const auto& records = engine_recorder::Recorded().log_records;
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].message);
    EXPECT_EQ(0, OnXError(nullptr, &cases[i].event));
    ASSERT_EQ(i + 1, records.size());
    EXPECT_EQ(cef::logging::LOG_WARNING, records[i].severity);
    EXPECT_EQ("cef_app/src/main", records[i].file);
    EXPECT_EQ(19, records[i].line);
    EXPECT_EQ(cases[i].message, records[i].message);
  }
  // Each error keeps its own record.
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].message, records[i].message);
}

TEST_F(XErrorHandlerTest, LogsOnlyAtOrBelowTheWarningLevel) {
  for (int level :
       {cef::logging::LOG_VERBOSE, cef::logging::LOG_INFO,
        cef::logging::LOG_WARNING, cef::logging::LOG_ERROR,
        cef::logging::LOG_FATAL, cef::logging::LOG_NUM_SEVERITIES}) {
    engine_recorder::Recorded() = {};
    engine_recorder::Recorded().min_log_level = level;
    XErrorEvent event = {0, nullptr, 0, 5, 8, 12, 0};
    EXPECT_EQ(0, OnXError(nullptr, &event));
    EXPECT_EQ(level <= cef::logging::LOG_WARNING ? 1u : 0u,
              engine_recorder::Recorded().log_records.size())
        << "level " << level;
  }
}

TEST_F(XErrorHandlerTest, IOErrorIsIgnored) {
  EXPECT_EQ(0, OnXIOError(nullptr));
  EXPECT_TRUE(engine_recorder::Recorded().log_records.empty());
}

}  // namespace
