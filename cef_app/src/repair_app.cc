#include "repair_app.h"

#include "client_scheme_handler_factory.h"
#include "include/views/cef_browser_view.h"
#include "include/views/cef_window.h"
#include "include/wrapper/cef_helpers.h"
#include "repair_browser_view_delegate.h"
#include "repair_client.h"
#include "repair_window_delegate.h"
#include "start_url.h"

namespace {

// STANDARD | SECURE | CORS_ENABLED | FETCH_ENABLED
constexpr int kClientSchemeOptions =
    CEF_SCHEME_OPTION_STANDARD | CEF_SCHEME_OPTION_SECURE |
    CEF_SCHEME_OPTION_CORS_ENABLED | CEF_SCHEME_OPTION_FETCH_ENABLED;
static_assert(kClientSchemeOptions == 89, "options of the client scheme");

}  // namespace

void RepairApp::OnBeforeCommandLineProcessing(
    const CefString& process_type,
    CefRefPtr<CefCommandLine> command_line) {
  command_line->AppendSwitch("--disable-web-security");
  command_line->AppendSwitch("--disable-sync");
  command_line->AppendSwitch("--ignore-gpu-blacklist");
  command_line->AppendSwitch("--start-fullscreen");
}

void RepairApp::OnRegisterCustomSchemes(
    CefRawPtr<CefSchemeRegistrar> registrar) {
  registrar->AddCustomScheme(kClientScheme, kClientSchemeOptions);
}

void RepairApp::OnContextInitialized() {
  CEF_REQUIRE_UI_THREAD();
  RegisterClientSchemeHandlerFactory();

  CefRefPtr<RepairClient> client = new RepairClient(/*use_views=*/true);

  CefBrowserSettings browser_settings;
  browser_settings.javascript_close_windows = STATE_ENABLED;
  browser_settings.plugins = STATE_DISABLED;
  browser_settings.text_area_resize = STATE_DISABLED;

  CefRefPtr<CefBrowserView> browser_view = CefBrowserView::CreateBrowserView(
      client, StartUrl(), browser_settings, nullptr, nullptr,
      new RepairBrowserViewDelegate());
  CefWindow::CreateTopLevelWindow(new RepairWindowDelegate(browser_view));
}

CefRefPtr<CefClient> RepairApp::GetDefaultClient() {
  return RepairClient::GetInstance();
}
