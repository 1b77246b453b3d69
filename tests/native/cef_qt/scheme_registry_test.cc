#include "scheme/scheme_registry.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "scheme/url_scheme_options.h"

namespace cef_qt {
namespace {

class NamedFactory : public CefSchemeHandlerFactory {
 public:
  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser>,
                                       CefRefPtr<CefFrame>,
                                       const CefString&,
                                       CefRefPtr<CefRequest>) override {
    return nullptr;
  }

 private:
  IMPLEMENT_REFCOUNTING(NamedFactory);
};

constexpr int kClientOptions =
    CEF_SCHEME_OPTION_STANDARD | CEF_SCHEME_OPTION_SECURE |
    CEF_SCHEME_OPTION_CORS_ENABLED | CEF_SCHEME_OPTION_FETCH_ENABLED;

TEST(SchemeRegistryTest, DomainsCountForStandardSchemesOnly) {
  SchemeRegistry registry;
  ASSERT_TRUE(registry.Declare("client", kClientOptions));
  ASSERT_TRUE(registry.Declare("plain", CEF_SCHEME_OPTION_NONE));
  CefRefPtr<CefSchemeHandlerFactory> web = new NamedFactory();
  CefRefPtr<CefSchemeHandlerFactory> any_host = new NamedFactory();
  CefRefPtr<CefSchemeHandlerFactory> plain = new NamedFactory();

  EXPECT_TRUE(registry.Register("CLIENT", "Web", web));
  EXPECT_EQ(registry.Find("client", "web"), web);
  EXPECT_EQ(registry.Find("Client", "WEB"), web);
  EXPECT_FALSE(registry.Find("client", "other"));

  EXPECT_TRUE(registry.Register("client", "", any_host));
  EXPECT_EQ(registry.Find("client", "web"), web);
  EXPECT_EQ(registry.Find("client", "other"), any_host);

  EXPECT_TRUE(registry.Register("plain", "ignored", plain));
  EXPECT_EQ(registry.Find("plain", ""), plain);
  EXPECT_EQ(registry.Find("plain", "anything"), plain);

  EXPECT_TRUE(registry.Register("client", "web", nullptr));
  EXPECT_EQ(registry.Find("client", "web"), any_host);
}

TEST(SchemeRegistryTest, RefusesBuiltInEmptyAndRepeatedSchemes) {
  SchemeRegistry registry;
  EXPECT_FALSE(registry.Declare("", kClientOptions));
  EXPECT_FALSE(registry.Declare("https", kClientOptions));
  EXPECT_TRUE(registry.Declare("client", kClientOptions));
  EXPECT_FALSE(registry.Declare("Client", kClientOptions));
  EXPECT_FALSE(registry.Register("http", "", new NamedFactory()));
  EXPECT_FALSE(registry.Register("", "", new NamedFactory()));
  EXPECT_EQ(registry.DeclaredSchemes(), std::vector<std::string>{"client"});
}

TEST(SchemeRegistryTest, ListenerHearsOfEachSchemesFirstFactory) {
  SchemeRegistry registry;
  registry.Declare("client", kClientOptions);
  std::vector<std::string> heard;
  registry.SetSchemeListener(
      [&](const std::string& scheme) { heard.push_back(scheme); });
  registry.Register("Client", "web", new NamedFactory());
  registry.Register("client", "other", new NamedFactory());
  registry.Register("extra", "", new NamedFactory());
  EXPECT_EQ(heard, (std::vector<std::string>{"client", "extra"}));
  EXPECT_EQ(registry.SchemesWithFactories(),
            (std::vector<std::string>{"client", "extra"}));
}

TEST(UrlSchemeOptionsTest, ClientOptionsMapToHostSyntaxSecureAndCors) {
  const QWebEngineUrlScheme scheme = ToQtUrlScheme("client", kClientOptions);
  EXPECT_EQ(scheme.name(), "client");
  EXPECT_EQ(scheme.syntax(), QWebEngineUrlScheme::Syntax::Host);
  EXPECT_EQ(scheme.defaultPort(), QWebEngineUrlScheme::PortUnspecified);
  EXPECT_EQ(scheme.flags(), QWebEngineUrlScheme::SecureScheme |
                                QWebEngineUrlScheme::CorsEnabled |
                                QWebEngineUrlScheme::ViewSourceAllowed);
}

}  // namespace
}  // namespace cef_qt
