// The registrar lent to CefApp::OnRegisterCustomSchemes.

#ifndef CEF_QT_SRC_SCHEME_SCHEME_REGISTRAR_H_
#define CEF_QT_SRC_SCHEME_SCHEME_REGISTRAR_H_

#include "include/cef_scheme.h"

namespace cef_qt {

// Declares each scheme to the registry and to Qt WebEngine, which must
// happen before the QApplication exists.
class SchemeRegistrar : public CefSchemeRegistrar {
 public:
  SchemeRegistrar() = default;
  SchemeRegistrar(const SchemeRegistrar&) = delete;
  SchemeRegistrar& operator=(const SchemeRegistrar&) = delete;

  // CefSchemeRegistrar:
  bool AddCustomScheme(const CefString& scheme_name, int options) override;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_SCHEME_REGISTRAR_H_
