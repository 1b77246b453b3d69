// Qt WebEngine's side of the custom schemes: hands each request job to the
// CefResourceHandler that the scheme's factory creates.

#ifndef CEF_QT_SRC_SCHEME_URL_SCHEME_HANDLER_H_
#define CEF_QT_SRC_SCHEME_URL_SCHEME_HANDLER_H_

#include <QWebEngineUrlSchemeHandler>
#include <string>

class QWebEngineProfile;

namespace cef_qt {

// Owned by the profile it serves. Lives on the profile's thread, which is
// also the thread that drives the resource handlers.
class UrlSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  explicit UrlSchemeHandler(QWebEngineProfile* profile);

  // Serves |scheme| in the profile unless something already does.
  void InstallFor(const std::string& scheme);

  // QWebEngineUrlSchemeHandler:
  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  QWebEngineProfile* const profile_;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_URL_SCHEME_HANDLER_H_
