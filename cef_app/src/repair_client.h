// The client of every browser: tracks the live browsers and ends the message
// loop with the last one, forwards title and fullscreen requests to the
// views window, replaces a failed load by a fixed error page, and loads the
// start page again when a renderer dies (a fixed message once they keep
// dying).

#ifndef CEF_APP_SRC_REPAIR_CLIENT_H_
#define CEF_APP_SRC_REPAIR_CLIENT_H_

#include <list>

#include "include/cef_client.h"
#include "renderer_crash_guard.h"

class RepairClient : public CefClient,
                     public CefDisplayHandler,
                     public CefLifeSpanHandler,
                     public CefLoadHandler,
                     public CefRequestHandler {
 public:
  // Becomes the current instance.
  explicit RepairClient(bool use_views);
  RepairClient(const RepairClient&) = delete;
  RepairClient& operator=(const RepairClient&) = delete;
  ~RepairClient() override;

  // The current instance; null before the constructor and after the
  // destructor.
  static RepairClient* GetInstance();

  // CefClient:
  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

  // CefDisplayHandler:
  void OnTitleChange(CefRefPtr<CefBrowser> browser,
                     const CefString& title) override;
  void OnFullscreenModeChange(CefRefPtr<CefBrowser> browser,
                              bool fullscreen) override;

  // CefLifeSpanHandler:
  void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

  // CefLoadHandler:
  void OnLoadError(CefRefPtr<CefBrowser> browser,
                   CefRefPtr<CefFrame> frame,
                   ErrorCode errorCode,
                   const CefString& errorText,
                   const CefString& failedUrl) override;

  // CefRequestHandler:
  void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser,
                                 TerminationStatus status) override;

 private:
  const bool use_views_;
  std::list<CefRefPtr<CefBrowser>> browser_list_;
  RendererCrashGuard crash_guard_;

  IMPLEMENT_REFCOUNTING(RepairClient);
};

#endif  // CEF_APP_SRC_REPAIR_CLIENT_H_
