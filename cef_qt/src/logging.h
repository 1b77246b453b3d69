// The process's minimum log level and its hand-over to helper processes.

#ifndef CEF_QT_SRC_LOGGING_H_
#define CEF_QT_SRC_LOGGING_H_

#include <string>

#include "include/internal/cef_types.h"

namespace cef_qt {

// Sets the level from the settings and the "log-severity" switch, which wins,
// and passes it on to the helper processes through the environment.
void ConfigureLogging(cef_log_severity_t settings_severity,
                      const std::string& switch_value);

// In a helper process: takes the level that the browser process passed on.
void InheritLogging();

}  // namespace cef_qt

#endif  // CEF_QT_SRC_LOGGING_H_
