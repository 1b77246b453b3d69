// The application object: the switches of every engine process, the
// "client" scheme's declaration, and the window on the start page.

#ifndef CEF_APP_SRC_REPAIR_APP_H_
#define CEF_APP_SRC_REPAIR_APP_H_

#include "include/cef_app.h"

class RepairApp : public CefApp, public CefBrowserProcessHandler {
 public:
  RepairApp() = default;
  RepairApp(const RepairApp&) = delete;
  RepairApp& operator=(const RepairApp&) = delete;

  // CefApp:
  void OnBeforeCommandLineProcessing(
      const CefString& process_type,
      CefRefPtr<CefCommandLine> command_line) override;
  void OnRegisterCustomSchemes(
      CefRawPtr<CefSchemeRegistrar> registrar) override;
  CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override {
    return this;
  }

  // CefBrowserProcessHandler:
  void OnContextInitialized() override;
  CefRefPtr<CefClient> GetDefaultClient() override;

 private:
  IMPLEMENT_REFCOUNTING(RepairApp);
};

#endif  // CEF_APP_SRC_REPAIR_APP_H_
