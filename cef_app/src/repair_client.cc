#include "repair_client.h"

#include <string>

#include "include/cef_app.h"
#include "include/cef_parser.h"
#include "include/views/cef_browser_view.h"
#include "include/views/cef_window.h"
#include "include/wrapper/cef_helpers.h"
#include "start_url.h"

namespace {

RepairClient* g_instance = nullptr;

constexpr char kErrorPage[] =
    "<html><body bgcolor=\"white\"><h2>Failed to load </h2></body></html>";

// Shown for good once renderers keep dying: no script, nothing loaded.
constexpr char kRendererFailedPage[] =
    "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
    "<title>Lumenos Repair</title></head>"
    "<body style=\"background: white; color: black; font: 20px sans-serif; "
    "margin: 40px;\">"
    "<h1 style=\"font-size: 28px;\">The display of the repair tool failed</h1>"
    "<p>An action that you started (a restore, factory reset, repair or "
    "reboot) may still be going on in the repair service.</p>"
    "<p><strong>Do not switch the unit off.</strong> Switching it off while "
    "the service writes to its disc can leave the system broken.</p>"
    "<p>To restart the repair tool, close this window with the close button "
    "of its title bar, then start lumenos-repair-app again.</p>"
    "</body></html>";

// |page| as a data URL: base64, then percent-escaped.
template <size_t N>
std::string DataUrlOf(const char (&page)[N]) {
  std::string base64 =
      CefURIEncode(CefBase64Encode(page, N - 1), false).ToString();
  return "data:text/html;base64," + base64;
}

// The views window that shows |browser|, or null.
CefRefPtr<CefWindow> WindowOf(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefBrowserView> browser_view =
      CefBrowserView::GetForBrowser(browser);
  return browser_view ? browser_view->GetWindow() : nullptr;
}

}  // namespace

RepairClient::RepairClient(bool use_views) : use_views_(use_views) {
  g_instance = this;
}

RepairClient::~RepairClient() {
  g_instance = nullptr;
}

// static
RepairClient* RepairClient::GetInstance() {
  return g_instance;
}

void RepairClient::OnTitleChange(CefRefPtr<CefBrowser> browser,
                                 const CefString& title) {
  CEF_REQUIRE_UI_THREAD();
  if (!use_views_)
    return;
  if (CefRefPtr<CefWindow> window = WindowOf(browser))
    window->SetTitle(title);
}

void RepairClient::OnFullscreenModeChange(CefRefPtr<CefBrowser> browser,
                                          bool fullscreen) {
  CEF_REQUIRE_UI_THREAD();
  if (!use_views_)
    return;
  if (CefRefPtr<CefWindow> window = WindowOf(browser))
    window->SetFullscreen(fullscreen);
}

void RepairClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  browser_list_.push_back(browser);
}

void RepairClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  for (auto it = browser_list_.begin(); it != browser_list_.end(); ++it) {
    if ((*it)->IsSame(browser)) {
      browser_list_.erase(it);
      break;
    }
  }
  if (browser_list_.empty())
    CefQuitMessageLoop();
}

void RepairClient::OnLoadError(CefRefPtr<CefBrowser> browser,
                               CefRefPtr<CefFrame> frame,
                               ErrorCode errorCode,
                               const CefString& errorText,
                               const CefString& failedUrl) {
  CEF_REQUIRE_UI_THREAD();
  if (errorCode == ERR_ABORTED)
    return;
  frame->LoadURL(DataUrlOf(kErrorPage));
}

void RepairClient::OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                             TerminationStatus status) {
  CEF_REQUIRE_UI_THREAD();
  CefRefPtr<CefFrame> frame = browser->GetMainFrame();
  if (!frame)
    return;
  // The page takes up a running action again by itself.
  frame->LoadURL(crash_guard_.MayReload() ? StartUrl()
                                          : DataUrlOf(kRendererFailedPage));
}
