#include "scheme/scheme_bridge.h"

#include <QMetaObject>
#include <QPointer>
#include <QWebEngineProfile>
#include <string>

#include "scheme/scheme_registrar.h"
#include "scheme/scheme_registry.h"
#include "scheme/url_scheme_handler.h"

namespace cef_qt {

void DeclareCustomSchemes(CefRefPtr<CefApp> app) {
  if (!app)
    return;
  SchemeRegistrar registrar;
  app->OnRegisterCustomSchemes(&registrar);
}

void AttachSchemeHandlers(QWebEngineProfile* profile) {
  if (!profile)
    return;
  auto* handler = new UrlSchemeHandler(profile);
  SchemeRegistry& registry = SchemeRegistry::Get();
  for (const std::string& scheme : registry.DeclaredSchemes())
    handler->InstallFor(scheme);
  for (const std::string& scheme : registry.SchemesWithFactories())
    handler->InstallFor(scheme);

  // Factories may be registered later, on any thread.
  registry.SetSchemeListener([target = QPointer<UrlSchemeHandler>(handler)](
                                 const std::string& scheme) {
    if (UrlSchemeHandler* handler = target.data()) {
      QMetaObject::invokeMethod(
          handler, [handler, scheme] { handler->InstallFor(scheme); },
          Qt::AutoConnection);
    }
  });
}

}  // namespace cef_qt
