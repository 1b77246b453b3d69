#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_

#include <string.h>

#include <string>

#include "include/internal/cef_string_types.h"

struct CefStringTraitsUTF16 {
  typedef char16 char_type;
  typedef cef_string_utf16_t struct_type;

  static inline void clear(struct_type* s) { cef_string_utf16_clear(s); }
  static inline int set(const char_type* src,
                        size_t src_size,
                        struct_type* output,
                        int copy) {
    return cef_string_utf16_set(src, src_size, output, copy);
  }
  static inline int compare(const struct_type* s1, const struct_type* s2) {
    return cef_string_utf16_cmp(s1, s2);
  }
  static inline std::string to_string(const struct_type* s) {
    cef_string_utf8_t cstr;
    memset(&cstr, 0, sizeof(cstr));
    cef_string_utf16_to_utf8(s->str, s->length, &cstr);
    std::string str;
    if (cstr.length > 0)
      str = std::string(cstr.str, cstr.length);
    cef_string_utf8_clear(&cstr);
    return str;
  }
  static inline bool from_string(const std::string::value_type* data,
                                 size_t length,
                                 struct_type* s) {
    return cef_string_utf8_to_utf16(data, length, s) ? true : false;
  }
  static inline std::u16string to_string16(const struct_type* s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s->str),
                          s->length);
  }
  static inline bool from_string16(const std::u16string::value_type* data,
                                   size_t length,
                                   struct_type* s) {
    return cef_string_utf16_set(reinterpret_cast<const char16*>(data), length,
                                s, true)
               ? true
               : false;
  }
};

// A string that either owns its storage or borrows an existing C struct.
template <class traits>
class CefStringBase {
 public:
  typedef typename traits::char_type char_type;
  typedef typename traits::struct_type struct_type;

  CefStringBase() : string_(nullptr), owner_(false) {}
  CefStringBase(const CefStringBase& str) : CefStringBase() {
    FromString(str.c_str(), str.length(), true);
  }
  CefStringBase(const std::string& src) : CefStringBase() { FromString(src); }
  CefStringBase(const char* src, size_t length = 0) : CefStringBase() {
    if (src)
      FromString(src, length);
  }
  CefStringBase(const std::u16string& src) : CefStringBase() {
    FromString16(src);
  }
  CefStringBase(const std::u16string::value_type* src, size_t length = 0)
      : CefStringBase() {
    if (src)
      FromString16(src, length);
  }
  CefStringBase(const char16* src, size_t length = 0) : CefStringBase() {
    if (src) {
      FromString16(reinterpret_cast<const char16_t*>(src), length);
    }
  }
  CefStringBase(const char_type* src, size_t src_len, bool copy)
      : CefStringBase() {
    if (src && src_len > 0)
      FromString(src, src_len, copy);
  }
  // Borrows |src| without taking ownership.
  CefStringBase(const struct_type* src) : CefStringBase() {
    if (src)
      string_ = const_cast<struct_type*>(src);
  }

  virtual ~CefStringBase() { ClearAndFree(); }

  const char_type* c_str() const { return string_ ? string_->str : nullptr; }
  size_t length() const { return string_ ? string_->length : 0; }
  size_t size() const { return length(); }
  bool empty() const { return string_ == nullptr || string_->length == 0; }

  int compare(const CefStringBase& str) const {
    if (empty() && str.empty())
      return 0;
    if (empty())
      return -1;
    if (str.empty())
      return 1;
    return traits::compare(string_, str.GetStruct());
  }

  void clear() {
    if (string_)
      traits::clear(string_);
  }

  const struct_type* GetStruct() const { return string_; }

  void ClearAndFree() {
    if (!string_)
      return;
    if (owner_) {
      clear();
      delete string_;
    }
    string_ = nullptr;
    owner_ = false;
  }

  bool FromString(const char_type* src, size_t src_len, bool copy) {
    if (src == nullptr || src_len == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::set(src, src_len, string_, copy) ? true : false;
  }

  std::string ToString() const {
    if (empty())
      return std::string();
    return traits::to_string(string_);
  }

  bool FromString(const std::string& str) {
    return FromString(str.data(), str.length());
  }
  bool FromString(const std::string::value_type* data, size_t length = 0) {
    if (data && length == 0)
      length = strlen(data);
    if (!data || length == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_string(data, length, string_);
  }

  std::u16string ToString16() const {
    if (empty())
      return std::u16string();
    return traits::to_string16(string_);
  }

  bool FromString16(const std::u16string& str) {
    return FromString16(str.data(), str.length());
  }
  bool FromString16(const std::u16string::value_type* data,
                    size_t length = 0) {
    if (data && length == 0)
      length = std::char_traits<char16_t>::length(data);
    if (!data || length == 0) {
      clear();
      return true;
    }
    AllocIfNeeded();
    return traits::from_string16(data, length, string_);
  }

  bool operator<(const CefStringBase& str) const { return compare(str) < 0; }
  bool operator<=(const CefStringBase& str) const { return compare(str) <= 0; }
  bool operator>(const CefStringBase& str) const { return compare(str) > 0; }
  bool operator>=(const CefStringBase& str) const { return compare(str) >= 0; }
  bool operator==(const CefStringBase& str) const { return compare(str) == 0; }
  bool operator!=(const CefStringBase& str) const { return compare(str) != 0; }

  CefStringBase& operator=(const CefStringBase& str) {
    FromString(str.c_str(), str.length(), true);
    return *this;
  }
  operator std::string() const { return ToString(); }
  CefStringBase& operator=(const std::string& str) {
    FromString(str);
    return *this;
  }
  CefStringBase& operator=(const std::string::value_type* str) {
    FromString(str);
    return *this;
  }
  operator std::u16string() const { return ToString16(); }
  CefStringBase& operator=(const std::u16string& str) {
    FromString16(str);
    return *this;
  }
  CefStringBase& operator=(const std::u16string::value_type* str) {
    FromString16(str);
    return *this;
  }

 private:
  void AllocIfNeeded() {
    if (string_ == nullptr) {
      string_ = new struct_type;
      memset(string_, 0, sizeof(struct_type));
      owner_ = true;
    }
  }

  struct_type* string_;
  bool owner_;
};

typedef CefStringBase<CefStringTraitsUTF16> CefStringUTF16;

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_WRAPPERS_H_
