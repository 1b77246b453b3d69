#ifndef CEF_INCLUDE_CEF_BROWSER_H_
#define CEF_INCLUDE_CEF_BROWSER_H_

#include "include/cef_base.h"
#include "include/cef_callback.h"
#include "include/cef_frame.h"
#include "include/cef_request.h"
#include "include/cef_request_context.h"
#include "include/cef_values.h"

class CefBrowserHost;
class CefClient;

class CefBrowser : public virtual CefBaseRefCounted {
 public:
  // False once CefLifeSpanHandler::OnBeforeClose has been called.
  virtual bool IsValid() = 0;
  virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
  virtual bool IsLoading() = 0;
  virtual void Reload() = 0;
  virtual int GetIdentifier() = 0;
  virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
  virtual bool IsPopup() = 0;
  virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
};

class CefBrowserHost : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
  // Runs the page's beforeunload handler unless |force_close|, then leads
  // to CefLifeSpanHandler::DoClose.
  virtual void CloseBrowser(bool force_close) = 0;
  // Starts CloseBrowser(false) if no close is pending. False while the close
  // is pending, true once it has been accepted.
  virtual bool TryCloseBrowser() = 0;
  virtual void SetFocus(bool focus) = 0;
  virtual bool HasView() = 0;
  virtual CefRefPtr<CefClient> GetClient() = 0;
};

#endif  // CEF_INCLUDE_CEF_BROWSER_H_
