// Observes the application shell's calls into the engine. The test
// executable defines the engine functions below itself; its definitions take
// the place of the engine library's.

#ifndef TESTS_NATIVE_APP_ENGINE_RECORDER_H_
#define TESTS_NATIVE_APP_ENGINE_RECORDER_H_

#include <string>
#include <vector>

#include "include/cef_browser.h"
#include "include/views/cef_browser_view.h"

namespace engine_recorder {

struct LogRecord {
  std::string file;
  int line;
  int severity;
  std::string message;
};

// Forgets everything recorded and sets the minimum log level to info.
void Reset();

// What cef_get_min_log_level() answers.
void SetMinLogLevel(int level);

// Every record given to cef_log(), in order.
const std::vector<LogRecord>& LogRecords();

// Calls of CefQuitMessageLoop().
int QuitCount();

// Makes CefBrowserView::GetForBrowser() answer |browser_view| for browsers
// that are the same as |browser|, unless an earlier call named one of them.
void SetBrowserViewFor(CefRefPtr<CefBrowser> browser,
                       CefRefPtr<CefBrowserView> browser_view);

}  // namespace engine_recorder

#endif  // TESTS_NATIVE_APP_ENGINE_RECORDER_H_
