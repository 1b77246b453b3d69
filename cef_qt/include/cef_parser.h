#ifndef CEF_INCLUDE_CEF_PARSER_H_
#define CEF_INCLUDE_CEF_PARSER_H_

#include "include/cef_base.h"

// Standard base64 (RFC 4648) with padding.
CefString CefBase64Encode(const void* data, size_t data_size);

// Escapes every character but A-Za-z0-9 - _ . ! ~ * ' ( ) as %XX;
// |use_plus| turns a blank into "+".
CefString CefURIEncode(const CefString& text, bool use_plus);

#endif  // CEF_INCLUDE_CEF_PARSER_H_
