#include "scheme/scheme_registry.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace cef_qt {

SchemeRegistry& SchemeRegistry::Get() {
  // Never destroyed: requests may still arrive while the process exits.
  static SchemeRegistry* registry = new SchemeRegistry();
  return *registry;
}

bool SchemeRegistry::Declare(const std::string& name, int options) {
  const std::string scheme = ToLowerAscii(name);
  if (scheme.empty() || IsBuiltInScheme(scheme))
    return false;
  std::lock_guard<std::mutex> hold(lock_);
  return declared_.emplace(scheme, options).second;
}

std::vector<std::string> SchemeRegistry::DeclaredSchemes() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::string> schemes;
  for (const auto& [scheme, options] : declared_)
    schemes.push_back(scheme);
  return schemes;
}

bool SchemeRegistry::Register(const std::string& scheme_name,
                              const std::string& domain_name,
                              CefRefPtr<CefSchemeHandlerFactory> factory) {
  const std::string scheme = ToLowerAscii(scheme_name);
  const std::string domain = ToLowerAscii(domain_name);
  if (scheme.empty() || IsBuiltInScheme(scheme))
    return false;
  SchemeListener listener;
  {
    std::lock_guard<std::mutex> hold(lock_);
    const auto declared = declared_.find(scheme);
    const bool standard = declared != declared_.end() &&
                          (declared->second & CEF_SCHEME_OPTION_STANDARD);
    const Key key(scheme, standard ? domain : std::string());
    if (!factory) {
      factories_.erase(key);
      return true;
    }
    const auto next = factories_.lower_bound(Key(scheme, std::string()));
    if (next == factories_.end() || next->first.first != scheme)
      listener = listener_;  // The scheme's first factory.
    factories_[key] = factory;
  }
  if (listener)
    listener(scheme);
  return true;
}

CefRefPtr<CefSchemeHandlerFactory> SchemeRegistry::Find(
    const std::string& scheme_name,
    const std::string& host_name) const {
  const std::string scheme = ToLowerAscii(scheme_name);
  std::lock_guard<std::mutex> hold(lock_);
  auto found = factories_.find(Key(scheme, ToLowerAscii(host_name)));
  if (found == factories_.end())
    found = factories_.find(Key(scheme, std::string()));
  return found == factories_.end() ? nullptr : found->second;
}

std::vector<std::string> SchemeRegistry::SchemesWithFactories() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::string> schemes;
  for (const auto& [key, factory] : factories_) {
    if (schemes.empty() || schemes.back() != key.first)
      schemes.push_back(key.first);
  }
  return schemes;
}

void SchemeRegistry::SetSchemeListener(SchemeListener listener) {
  std::lock_guard<std::mutex> hold(lock_);
  listener_ = std::move(listener);
}

std::string ToLowerAscii(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return name;
}

bool IsBuiltInScheme(const std::string& scheme) {
  static const std::set<std::string> kBuiltIn = {
      "about",      "blob",        "chrome", "data",  "file",
      "filesystem", "ftp",         "http",   "https", "javascript",
      "qrc",        "view-source", "ws",     "wss"};
  return kBuiltIn.count(scheme) > 0;
}

}  // namespace cef_qt
