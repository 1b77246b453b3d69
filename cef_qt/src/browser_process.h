// What CefInitialize sets up for the browser process (app.cc).

#ifndef CEF_QT_SRC_BROWSER_PROCESS_H_
#define CEF_QT_SRC_BROWSER_PROCESS_H_

#include <QColor>

class QWebEngineProfile;

namespace cef_qt {

// The global request context's profile; null before CefInitialize.
QWebEngineProfile* Profile();

// CefSettings::background_color, the colour shown before a page paints.
QColor DefaultBackgroundColor();

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_PROCESS_H_
