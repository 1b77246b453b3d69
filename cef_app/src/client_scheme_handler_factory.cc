#include "client_scheme_handler_factory.h"

#include "embedded_resource_handler.h"
#include "start_url.h"

void RegisterClientSchemeHandlerFactory() {
  CefRegisterSchemeHandlerFactory(kClientScheme, kClientDomain,
                                  new ClientSchemeHandlerFactory());
}

CefRefPtr<CefResourceHandler> ClientSchemeHandlerFactory::Create(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    const CefString& scheme_name,
    CefRefPtr<CefRequest> request) {
  return new EmbeddedResourceHandler();
}
