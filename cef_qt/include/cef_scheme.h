#ifndef CEF_INCLUDE_CEF_SCHEME_H_
#define CEF_INCLUDE_CEF_SCHEME_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_request.h"
#include "include/cef_resource_handler.h"
#include "include/cef_response.h"

class CefSchemeHandlerFactory;

// Registers |factory| for |scheme_name| and, for standard schemes,
// |domain_name| (empty matches every host). A null factory removes it.
bool CefRegisterSchemeHandlerFactory(
    const CefString& scheme_name,
    const CefString& domain_name,
    CefRefPtr<CefSchemeHandlerFactory> factory);

// Declares custom schemes; lent to CefApp::OnRegisterCustomSchemes.
class CefSchemeRegistrar : public CefBaseScoped {
 public:
  virtual bool AddCustomScheme(const CefString& scheme_name, int options) = 0;
};

class CefSchemeHandlerFactory : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefResourceHandler> Create(
      CefRefPtr<CefBrowser> browser,
      CefRefPtr<CefFrame> frame,
      const CefString& scheme_name,
      CefRefPtr<CefRequest> request) = 0;
};

#endif  // CEF_INCLUDE_CEF_SCHEME_H_
