#include "scheme/header_map.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace cef_qt {

namespace {

bool SameName(const CefString& a, const CefString& b) {
  const std::string x = a.ToString();
  const std::string y = b.ToString();
  return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                    [](unsigned char c, unsigned char d) {
                      return std::tolower(c) == std::tolower(d);
                    });
}

}  // namespace

CefString FindHeader(const HeaderMultimap& headers, const CefString& name) {
  for (const auto& [key, value] : headers) {
    if (SameName(key, name))
      return value;
  }
  return CefString();
}

void SetHeader(HeaderMultimap& headers,
               const CefString& name,
               const CefString& value,
               bool overwrite) {
  bool present = false;
  for (auto it = headers.begin(); it != headers.end();) {
    if (!SameName(it->first, name)) {
      ++it;
    } else if (overwrite) {
      it = headers.erase(it);
    } else {
      present = true;
      ++it;
    }
  }
  if (!present)
    headers.emplace(name, value);
}

}  // namespace cef_qt
