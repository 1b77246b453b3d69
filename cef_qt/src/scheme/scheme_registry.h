// The process's custom schemes and the scheme handler factories registered
// for them.

#ifndef CEF_QT_SRC_SCHEME_SCHEME_REGISTRY_H_
#define CEF_QT_SRC_SCHEME_SCHEME_REGISTRY_H_

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_scheme.h"

namespace cef_qt {

class SchemeRegistry {
 public:
  // Told of every scheme that gets its first factory; called on the thread
  // that registered it, outside the registry's lock.
  using SchemeListener = std::function<void(const std::string& scheme)>;

  static SchemeRegistry& Get();

  SchemeRegistry() = default;
  SchemeRegistry(const SchemeRegistry&) = delete;
  SchemeRegistry& operator=(const SchemeRegistry&) = delete;

  // Names are compared in lower case.

  // Records a scheme declared with CEF scheme |options|; false if |scheme|
  // is empty, built in or already declared.
  bool Declare(const std::string& scheme, int options);
  std::vector<std::string> DeclaredSchemes() const;

  // Registers |factory| for |scheme| and |domain| (empty: every host), or
  // removes the registration when |factory| is null. The domain counts only
  // for standard schemes. False for an empty or built-in scheme.
  bool Register(const std::string& scheme,
                const std::string& domain,
                CefRefPtr<CefSchemeHandlerFactory> factory);

  // The factory for |host| under |scheme|, else the one for every host.
  CefRefPtr<CefSchemeHandlerFactory> Find(const std::string& scheme,
                                          const std::string& host) const;

  std::vector<std::string> SchemesWithFactories() const;
  void SetSchemeListener(SchemeListener listener);

 private:
  using Key = std::pair<std::string, std::string>;  // Scheme, domain.

  mutable std::mutex lock_;
  std::map<std::string, int> declared_;
  std::map<Key, CefRefPtr<CefSchemeHandlerFactory>> factories_;
  SchemeListener listener_;
};

// |name| in lower case, as URLs carry scheme and host names.
std::string ToLowerAscii(std::string name);

// Whether the engine serves |scheme| itself (http, file, data, ...).
bool IsBuiltInScheme(const std::string& scheme);

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_SCHEME_REGISTRY_H_
