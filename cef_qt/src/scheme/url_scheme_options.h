// CEF's custom scheme options in Qt WebEngine's terms.

#ifndef CEF_QT_SRC_SCHEME_URL_SCHEME_OPTIONS_H_
#define CEF_QT_SRC_SCHEME_URL_SCHEME_OPTIONS_H_

#include <QWebEngineUrlScheme>
#include <string>

namespace cef_qt {

// The Qt scheme for |name| declared with the cef_scheme_options_t bits in
// |options|. Qt 6.4 has nothing for DISPLAY_ISOLATED and FETCH_ENABLED.
QWebEngineUrlScheme ToQtUrlScheme(const std::string& name, int options);

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_URL_SCHEME_OPTIONS_H_
