// The C string functions behind CefString.

#include <string.h>

#include <string>

#include "include/internal/cef_string_types.h"

namespace {

void FreeUtf16(char16* str) {
  delete[] str;
}

void FreeUtf8(char* str) {
  delete[] str;
}

// Decodes one code point starting at |i|; invalid bytes give U+FFFD.
char32_t DecodeUtf8(const unsigned char* s, size_t len, size_t& i) {
  unsigned char c = s[i++];
  if (c < 0x80)
    return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || c > 0xF4)
    return 0xFFFD;
  char32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= len || (s[i] & 0xC0) != 0x80)
      return 0xFFFD;
    cp = (cp << 6) | (s[i++] & 0x3F);
  }
  static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0xFFFD;
  return cp;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

extern "C" {

int cef_string_utf16_set(const char16* src,
                         size_t src_len,
                         cef_string_utf16_t* output,
                         int copy) {
  // Freed only after copying: |src| may be |output|'s own text.
  cef_string_utf16_t previous = *output;
  *output = {};
  if (src && src_len > 0) {
    if (copy) {
      output->str = new char16[src_len + 1];
      memcpy(output->str, src, src_len * sizeof(char16));
      output->str[src_len] = 0;
      output->dtor = FreeUtf16;
    } else {
      output->str = const_cast<char16*>(src);
    }
    output->length = src_len;
  }
  cef_string_utf16_clear(&previous);
  return 1;
}

int cef_string_utf8_set(const char* src,
                        size_t src_len,
                        cef_string_utf8_t* output,
                        int copy) {
  // Freed only after copying: |src| may be |output|'s own text.
  cef_string_utf8_t previous = *output;
  *output = {};
  if (src && src_len > 0) {
    if (copy) {
      output->str = new char[src_len + 1];
      memcpy(output->str, src, src_len);
      output->str[src_len] = 0;
      output->dtor = FreeUtf8;
    } else {
      output->str = const_cast<char*>(src);
    }
    output->length = src_len;
  }
  cef_string_utf8_clear(&previous);
  return 1;
}

void cef_string_utf16_clear(cef_string_utf16_t* str) {
  if (str->str && str->dtor)
    str->dtor(str->str);
  str->str = nullptr;
  str->length = 0;
  str->dtor = nullptr;
}

void cef_string_utf8_clear(cef_string_utf8_t* str) {
  if (str->str && str->dtor)
    str->dtor(str->str);
  str->str = nullptr;
  str->length = 0;
  str->dtor = nullptr;
}

int cef_string_utf16_cmp(const cef_string_utf16_t* str1,
                         const cef_string_utf16_t* str2) {
  size_t n = str1->length < str2->length ? str1->length : str2->length;
  for (size_t i = 0; i < n; ++i) {
    if (str1->str[i] != str2->str[i])
      return str1->str[i] < str2->str[i] ? -1 : 1;
  }
  if (str1->length == str2->length)
    return 0;
  return str1->length < str2->length ? -1 : 1;
}

int cef_string_utf8_to_utf16(const char* src,
                             size_t src_len,
                             cef_string_utf16_t* output) {
  std::u16string out;
  out.reserve(src_len);
  const auto* s = reinterpret_cast<const unsigned char*>(src);
  bool valid = true;
  for (size_t i = 0; i < src_len;) {
    char32_t cp = DecodeUtf8(s, src_len, i);
    if (cp == 0xFFFD)
      valid = false;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  cef_string_utf16_set(reinterpret_cast<const char16*>(out.data()), out.size(),
                       output, 1);
  return valid;
}

int cef_string_utf16_to_utf8(const char16* src,
                             size_t src_len,
                             cef_string_utf8_t* output) {
  std::string out;
  out.reserve(src_len);
  bool valid = true;
  for (size_t i = 0; i < src_len; ++i) {
    char32_t cp = src[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < src_len &&
        src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (src[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
      valid = false;
    }
    AppendUtf8(cp, out);
  }
  cef_string_utf8_set(out.data(), out.size(), output, 1);
  return valid;
}

}  // extern "C"
