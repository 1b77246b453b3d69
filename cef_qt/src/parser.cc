// Base64 and URI encoding.

#include "include/cef_parser.h"

#include <string>

CefString CefBase64Encode(const void* data, size_t data_size) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::string out;
  out.reserve((data_size + 2) / 3 * 4);
  for (size_t i = 0; i < data_size; i += 3) {
    unsigned int chunk = bytes[i] << 16;
    if (i + 1 < data_size)
      chunk |= bytes[i + 1] << 8;
    if (i + 2 < data_size)
      chunk |= bytes[i + 2];
    out += kAlphabet[(chunk >> 18) & 0x3F];
    out += kAlphabet[(chunk >> 12) & 0x3F];
    out += i + 1 < data_size ? kAlphabet[(chunk >> 6) & 0x3F] : '=';
    out += i + 2 < data_size ? kAlphabet[chunk & 0x3F] : '=';
  }
  return out;
}

CefString CefURIEncode(const CefString& text, bool use_plus) {
  static const char kHex[] = "0123456789ABCDEF";
  static const std::string kUnreserved = "-_.!~*'()";
  std::string out;
  for (unsigned char c : text.ToString()) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
        (c >= '0' && c <= '9') || kUnreserved.find(c) != std::string::npos) {
      out += static_cast<char>(c);
    } else if (c == ' ' && use_plus) {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}
