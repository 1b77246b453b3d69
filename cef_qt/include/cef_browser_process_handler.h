#ifndef CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_
#define CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_client.h"
#include "include/cef_command_line.h"

// Browser-process callbacks. Called on the UI thread unless noted.
class CefBrowserProcessHandler : public virtual CefBaseRefCounted {
 public:
  // Called once the engine's context has been initialised.
  virtual void OnContextInitialized() {}
  virtual CefRefPtr<CefClient> GetDefaultClient() { return nullptr; }
};

#endif  // CEF_INCLUDE_CEF_BROWSER_PROCESS_HANDLER_H_
