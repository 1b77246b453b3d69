#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_H_

#include "include/internal/cef_string_types.h"

#define CEF_STRING_TYPE_UTF16 1

typedef char16 cef_char_t;
typedef cef_string_utf16_t cef_string_t;

#define cef_string_set cef_string_utf16_set
#define cef_string_clear cef_string_utf16_clear

#ifdef __cplusplus
#include "include/internal/cef_string_wrappers.h"
typedef CefStringUTF16 CefString;
#endif

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_H_
