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

// Shown once renderers keep dying: no script. Its one control, focused so
// that Enter or a tap takes it, loads the start page again on purpose.
std::string RendererFailedPage() {
  return "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<title>Lumenos Repair</title><style>"
         "body { background: white; color: black; font: 20px sans-serif; "
         "margin: 40px; } h1 { font-size: 28px; } "
         "a { display: inline-block; margin-top: 12px; padding: 12px 24px; "
         "border: 2px solid #333; border-radius: 6px; background: #eee; "
         "color: black; text-decoration: none; } "
         "a:focus { outline: 3px solid #ffd500; outline-offset: 3px; }"
         "</style></head><body>"
         "<h1>The display of the repair tool failed</h1>"
         "<p>An action that you started (a restore, factory reset, repair or "
         "reboot) may still be going on in the repair service.</p>"
         "<p><strong>Do not switch the unit off.</strong> Switching it off "
         "while the service writes to its disc can leave the system broken.</p>"
         "<p>Press Enter or tap the button to show the repair tool again. A "
         "running action is shown again; nothing starts without your Yes. "
         "Or close this window and start lumenos-repair-app again.</p>"
         "<a href=\"" +
         StartUrl() +
         "\" autofocus>Show the repair tool again</a></body></html>";
}

// |page| as a data URL: base64, then percent-escaped.
std::string DataUrlOf(const std::string& page) {
  std::string base64 =
      CefURIEncode(CefBase64Encode(page.data(), page.size()), false).ToString();
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
                                          : DataUrlOf(RendererFailedPage()));
}
