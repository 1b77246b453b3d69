#include "engine_recorder.h"

#include "include/cef_app.h"
#include "include/cef_task.h"

namespace engine_recorder {

Recording& Recorded() {
  static Recording recording;
  return recording;
}

}  // namespace engine_recorder

extern "C" int cef_get_min_log_level() {
  return engine_recorder::Recorded().min_log_level;
}

extern "C" void cef_log(const char* file,
                        int line,
                        int severity,
                        const char* message) {
  engine_recorder::Recorded().log_records.push_back(
      {file ? file : "", line, severity, message ? message : ""});
}

void CefQuitMessageLoop() {
  ++engine_recorder::Recorded().quit_count;
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
       engine_recorder::Recorded().browser_views) {
    if (known->IsSame(browser))
      return browser_view;
  }
  return nullptr;
}
