// The process's minimum log level and its hand-over to helper processes.

#ifndef CEF_QT_SRC_LOGGING_H_
#define CEF_QT_SRC_LOGGING_H_

#include <string>

namespace cef_qt {

// Sets the level from the "log-severity" switch's value (info when it is
// empty or unknown) and passes it on to the helper processes through the
// environment.
void ConfigureLogging(const std::string& switch_value);

// In a helper process: takes the level that the browser process passed on.
void InheritLogging();

}  // namespace cef_qt

#endif  // CEF_QT_SRC_LOGGING_H_
