// Custom schemes and scheme handler factories on Qt WebEngine.

#ifndef CEF_QT_SRC_SCHEME_SCHEME_BRIDGE_H_
#define CEF_QT_SRC_SCHEME_SCHEME_BRIDGE_H_

#include "include/cef_app.h"

class QWebEngineProfile;

namespace cef_qt {

// Runs the application's OnRegisterCustomSchemes and declares the schemes to
// Qt. Must run before the QApplication exists, in every process.
void DeclareCustomSchemes(CefRefPtr<CefApp> app);

// Serves the declared schemes on |profile| through the registered factories,
// including factories registered later.
void AttachSchemeHandlers(QWebEngineProfile* profile);

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_SCHEME_BRIDGE_H_
