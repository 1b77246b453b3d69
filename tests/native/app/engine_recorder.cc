#include "engine_recorder.h"

#include <utility>

#include "include/base/cef_logging.h"
#include "include/cef_app.h"
#include "include/cef_task.h"

namespace engine_recorder {

namespace {

struct State {
  int min_log_level = cef::logging::LOG_INFO;
  std::vector<LogRecord> log_records;
  int quit_count = 0;
  std::vector<std::pair<CefRefPtr<CefBrowser>, CefRefPtr<CefBrowserView>>>
      browser_views;
};

State& GetState() {
  static State state;
  return state;
}

}  // namespace

void Reset() {
  GetState() = State();
}

void SetMinLogLevel(int level) {
  GetState().min_log_level = level;
}

const std::vector<LogRecord>& LogRecords() {
  return GetState().log_records;
}

int QuitCount() {
  return GetState().quit_count;
}

void SetBrowserViewFor(CefRefPtr<CefBrowser> browser,
                       CefRefPtr<CefBrowserView> browser_view) {
  GetState().browser_views.emplace_back(browser, browser_view);
}

}  // namespace engine_recorder

extern "C" int cef_get_min_log_level() {
  return engine_recorder::GetState().min_log_level;
}

extern "C" void cef_log(const char* file,
                        int line,
                        int severity,
                        const char* message) {
  engine_recorder::GetState().log_records.push_back(
      {file ? file : "", line, severity, message ? message : ""});
}

void CefQuitMessageLoop() {
  ++engine_recorder::GetState().quit_count;
}

// The handlers require the UI thread; the test's thread stands for it.
bool CefCurrentlyOn(CefThreadId thread_id) {
  return thread_id == TID_UI;
}

CefRefPtr<CefBrowserView> CefBrowserView::GetForBrowser(
    CefRefPtr<CefBrowser> browser) {
  if (!browser)
    return nullptr;
  for (const auto& [known, browser_view] :
       engine_recorder::GetState().browser_views) {
    if (known->IsSame(browser))
      return browser_view;
  }
  return nullptr;
}
