#ifndef CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
#define CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"

// Browser creation and closing. Called on the UI thread.
class CefLifeSpanHandler : public virtual CefBaseRefCounted {
 public:
  // Every browser, pop-ups included, once it exists.
  virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) {}
  // The last call for a browser: its close has ended.
  virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) {}
};

#endif  // CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
