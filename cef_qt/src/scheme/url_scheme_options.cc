#include "scheme/url_scheme_options.h"

#include "include/internal/cef_types.h"

namespace cef_qt {

QWebEngineUrlScheme ToQtUrlScheme(const std::string& name, int options) {
  QWebEngineUrlScheme scheme(QByteArray::fromStdString(name));
  if (options & CEF_SCHEME_OPTION_STANDARD) {
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
  } else {
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  }

  // Chromium lets any page be viewed as source; Qt asks per scheme.
  QWebEngineUrlScheme::Flags flags = QWebEngineUrlScheme::ViewSourceAllowed;
  if (options & CEF_SCHEME_OPTION_LOCAL) {
    flags |= QWebEngineUrlScheme::LocalScheme |
             QWebEngineUrlScheme::LocalAccessAllowed;
  }
  if (options & CEF_SCHEME_OPTION_SECURE)
    flags |= QWebEngineUrlScheme::SecureScheme;
  if (options & CEF_SCHEME_OPTION_CORS_ENABLED)
    flags |= QWebEngineUrlScheme::CorsEnabled;
  if (options & CEF_SCHEME_OPTION_CSP_BYPASSING)
    flags |= QWebEngineUrlScheme::ContentSecurityPolicyIgnored;
  scheme.setFlags(flags);
  return scheme;
}

}  // namespace cef_qt
