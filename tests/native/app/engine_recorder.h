// Observes the application shell's calls into the engine. The test
// executable defines the engine functions below itself; its definitions take
// the place of the engine library's.

#ifndef TESTS_NATIVE_APP_ENGINE_RECORDER_H_
#define TESTS_NATIVE_APP_ENGINE_RECORDER_H_

#include <string>
#include <utility>
#include <vector>

#include "include/base/cef_logging.h"
#include "include/cef_browser.h"
#include "include/views/cef_browser_view.h"

namespace engine_recorder {

struct LogRecord {
  std::string file;
  int line;
  int severity;
  std::string message;
};

// What the engine functions were given, and what some of them answer.
struct Recording {
  // What cef_get_min_log_level() answers.
  int min_log_level = cef::logging::LOG_INFO;
  // Every record given to cef_log(), in order.
  std::vector<LogRecord> log_records;
  // Calls of CefQuitMessageLoop().
  int quit_count = 0;
  // CefBrowserView::GetForBrowser() answers the view of the first browser
  // listed here that is the same as the one asked about.
  std::vector<std::pair<CefRefPtr<CefBrowser>, CefRefPtr<CefBrowserView>>>
      browser_views;
};

// The executable's one recording; assigning {} forgets everything recorded.
Recording& Recorded();

}  // namespace engine_recorder

#endif  // TESTS_NATIVE_APP_ENGINE_RECORDER_H_
