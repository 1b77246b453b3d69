// CEF's global scheme handler factory functions.

#include "include/cef_scheme.h"
#include "scheme/scheme_registry.h"

bool CefRegisterSchemeHandlerFactory(
    const CefString& scheme_name,
    const CefString& domain_name,
    CefRefPtr<CefSchemeHandlerFactory> factory) {
  return cef_qt::SchemeRegistry::Get().Register(
      scheme_name.ToString(), domain_name.ToString(), factory);
}
