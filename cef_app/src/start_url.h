// The start URL's parts, shared by the scheme declaration, the scheme
// handler factory's registration and the browser's first navigation.

#ifndef CEF_APP_SRC_START_URL_H_
#define CEF_APP_SRC_START_URL_H_

#include <string>

inline constexpr char kClientScheme[] = "client";
inline constexpr char kClientDomain[] = "web";
inline constexpr char kStartDocument[] = "index.html";
inline constexpr char kSchemeSeparator[] = "://";

// "client://web/index.html"
inline std::string StartUrl() {
  return std::string(kClientScheme) + kSchemeSeparator + kClientDomain + "/" +
         kStartDocument;
}

#endif  // CEF_APP_SRC_START_URL_H_
