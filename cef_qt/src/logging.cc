// Log records in the engine's format:
//   [pid:tid:MMDD/HHMMSS.uuuuuu:SEVERITY:file(line)] message

#include "logging.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "include/base/cef_logging.h"

namespace {

constexpr char kInheritedLevelVariable[] = "CEF_QT_MIN_LOG_LEVEL";

std::atomic<int> g_min_log_level{cef::logging::LOG_INFO};

// The minimum level that a "log-severity" switch value names.
bool LevelFromSwitch(const std::string& value, int& level) {
  static const struct {
    const char* name;
    int level;
  } kNames[] = {{"verbose", cef::logging::LOG_VERBOSE},
                {"info", cef::logging::LOG_INFO},
                {"warning", cef::logging::LOG_WARNING},
                {"error", cef::logging::LOG_ERROR},
                {"fatal", cef::logging::LOG_FATAL},
                {"disable", cef::logging::LOG_NUM_SEVERITIES}};
  for (const auto& entry : kNames) {
    if (value == entry.name) {
      level = entry.level;
      return true;
    }
  }
  return false;
}

std::string SeverityName(int severity) {
  switch (severity) {
    case cef::logging::LOG_INFO:
      return "INFO";
    case cef::logging::LOG_WARNING:
      return "WARNING";
    case cef::logging::LOG_ERROR:
      return "ERROR";
    case cef::logging::LOG_FATAL:
      return "FATAL";
    default:
      return severity < 0 ? "VERBOSE" + std::to_string(-severity) : "UNKNOWN";
  }
}

}  // namespace

namespace cef_qt {

void ConfigureLogging(const std::string& switch_value) {
  int level = cef::logging::LOG_INFO;
  if (!switch_value.empty() && !LevelFromSwitch(switch_value, level)) {
    fprintf(stderr, "Ignoring unknown --log-severity value \"%s\"\n",
            switch_value.c_str());
  }
  g_min_log_level = level;
  setenv(kInheritedLevelVariable, std::to_string(level).c_str(), 1);
}

void InheritLogging() {
  if (const char* value = getenv(kInheritedLevelVariable))
    g_min_log_level = atoi(value);
}

}  // namespace cef_qt

extern "C" {

int cef_get_min_log_level() {
  return g_min_log_level;
}

void cef_log(const char* file, int line, int severity, const char* message) {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  struct tm local;
  localtime_r(&tv.tv_sec, &local);
  char prefix[96];
  snprintf(prefix, sizeof(prefix),
           "[%d:%ld:%02d%02d/%02d%02d%02d.%06ld:", static_cast<int>(getpid()),
           static_cast<long>(syscall(SYS_gettid)), local.tm_mon + 1,
           local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
           static_cast<long>(tv.tv_usec));
  std::string record = std::string(prefix) + SeverityName(severity) + ":" +
                       (file ? file : "") + "(" + std::to_string(line) + ")] " +
                       (message ? message : "") + "\n";
  fwrite(record.data(), 1, record.size(), stderr);
  fflush(stderr);
}

}  // extern "C"

namespace cef {
namespace logging {

LogMessage::LogMessage(const char* file, int line, LogSeverity severity)
    : file_(file), line_(line), severity_(severity) {}

LogMessage::~LogMessage() {
  cef_log(file_, line_, severity_, stream_.str().c_str());
  if (severity_ == LOG_FATAL)
    abort();
}

}  // namespace logging
}  // namespace cef
