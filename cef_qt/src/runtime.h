// Process-wide engine state of the browser process.

#ifndef CEF_QT_SRC_RUNTIME_H_
#define CEF_QT_SRC_RUNTIME_H_

#include <QColor>

#include "include/cef_app.h"

class QWebEngineProfile;

namespace cef_qt {

// The application object given to CefInitialize.
CefRefPtr<CefApp> Application();

// The global request context's profile; null before CefInitialize.
QWebEngineProfile* Profile();

// CefSettings::background_color, the colour shown before a page paints.
QColor DefaultBackgroundColor();

// An ARGB colour as Qt's colour.
QColor ToQColor(cef_color_t color);

}  // namespace cef_qt

#endif  // CEF_QT_SRC_RUNTIME_H_
