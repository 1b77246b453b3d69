// The handler factory for the "client" scheme and the "web" domain.

#ifndef CEF_APP_SRC_CLIENT_SCHEME_HANDLER_FACTORY_H_
#define CEF_APP_SRC_CLIENT_SCHEME_HANDLER_FACTORY_H_

#include "include/cef_scheme.h"

// Registers a ClientSchemeHandlerFactory for client://web/ with the engine,
// which keeps it from then on. Call before the first browser exists.
void RegisterClientSchemeHandlerFactory();

// Makes one EmbeddedResourceHandler per request.
class ClientSchemeHandlerFactory : public CefSchemeHandlerFactory {
 public:
  ClientSchemeHandlerFactory() = default;
  ClientSchemeHandlerFactory(const ClientSchemeHandlerFactory&) = delete;
  ClientSchemeHandlerFactory& operator=(const ClientSchemeHandlerFactory&) =
      delete;

  // CefSchemeHandlerFactory:
  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser> browser,
                                       CefRefPtr<CefFrame> frame,
                                       const CefString& scheme_name,
                                       CefRefPtr<CefRequest> request) override;

 private:
  IMPLEMENT_REFCOUNTING(ClientSchemeHandlerFactory);
};

#endif  // CEF_APP_SRC_CLIENT_SCHEME_HANDLER_FACTORY_H_
