#include "scheme/scheme_registrar.h"

#include "scheme/scheme_registry.h"
#include "scheme/url_scheme_options.h"

namespace cef_qt {

bool SchemeRegistrar::AddCustomScheme(const CefString& scheme_name,
                                      int options) {
  const std::string scheme = ToLowerAscii(scheme_name.ToString());
  if (!SchemeRegistry::Get().Declare(scheme, options))
    return false;
  QWebEngineUrlScheme::registerScheme(ToQtUrlScheme(scheme, options));
  return true;
}

}  // namespace cef_qt
