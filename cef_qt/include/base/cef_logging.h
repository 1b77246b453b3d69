// LOG and DCHECK macros that write through cef_log().

#ifndef CEF_INCLUDE_BASE_CEF_LOGGING_H_
#define CEF_INCLUDE_BASE_CEF_LOGGING_H_

#include <sstream>
#include <string>

#include "include/internal/cef_logging_internal.h"

namespace cef {
namespace logging {

typedef int LogSeverity;
const LogSeverity LOG_VERBOSE = -1;
const LogSeverity LOG_INFO = 0;
const LogSeverity LOG_WARNING = 1;
const LogSeverity LOG_ERROR = 2;
const LogSeverity LOG_FATAL = 3;
const LogSeverity LOG_NUM_SEVERITIES = 4;

inline int GetMinLogLevel() {
  return cef_get_min_log_level();
}

// One record; written when the object is destroyed. A FATAL record ends the
// process.
class CEF_EXPORT LogMessage {
 public:
  LogMessage(const char* file, int line, LogSeverity severity);
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;
  ~LogMessage();

  std::ostream& stream() { return stream_; }

 private:
  const char* file_;
  int line_;
  LogSeverity severity_;
  std::ostringstream stream_;
};

// Swallows a stream expression so that a disabled LOG evaluates nothing.
class LogMessageVoidify {
 public:
  LogMessageVoidify() = default;
  void operator&(std::ostream&) {}
};

}  // namespace logging
}  // namespace cef

#define LOG_IS_ON(severity) \
  ((::cef::logging::LOG_##severity) >= ::cef::logging::GetMinLogLevel())

#define LAZY_STREAM(stream, condition) \
  !(condition) ? (void)0 : ::cef::logging::LogMessageVoidify() & (stream)

#define LOG_STREAM(severity)                                 \
  ::cef::logging::LogMessage(__FILE__, __LINE__,             \
                             ::cef::logging::LOG_##severity) \
      .stream()

#define LOG(severity) LAZY_STREAM(LOG_STREAM(severity), LOG_IS_ON(severity))

#ifdef NDEBUG
#define DCHECK_IS_ON() 0
#else
#define DCHECK_IS_ON() 1
#endif

#define DCHECK(condition)                                        \
  LAZY_STREAM(LOG_STREAM(FATAL), DCHECK_IS_ON() && !(condition)) \
      << "Check failed: " #condition ". "

#endif  // CEF_INCLUDE_BASE_CEF_LOGGING_H_
