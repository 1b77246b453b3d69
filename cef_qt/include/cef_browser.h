#ifndef CEF_INCLUDE_CEF_BROWSER_H_
#define CEF_INCLUDE_CEF_BROWSER_H_

#include "include/cef_base.h"
#include "include/cef_callback.h"
#include "include/cef_frame.h"
#include "include/cef_request.h"
#include "include/cef_request_context.h"
#include "include/cef_values.h"

class CefBrowserHost;

class CefBrowser : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
  // True if |that| is the same browser, whichever object stands for it.
  virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
  // The top-level frame; valid until OnBeforeClose.
  virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
};

class CefBrowserHost : public virtual CefBaseRefCounted {
 public:
  // Starts the browser's close (the page's beforeunload handler first) if
  // none is pending. False while the close is pending, true once it has been
  // accepted.
  virtual bool TryCloseBrowser() = 0;
};

#endif  // CEF_INCLUDE_CEF_BROWSER_H_
