#ifndef CEF_INCLUDE_INTERNAL_CEF_LINUX_H_
#define CEF_INCLUDE_INTERNAL_CEF_LINUX_H_

#include "include/internal/cef_types_linux.h"
#include "include/internal/cef_types_wrappers.h"

struct CefMainArgsTraits {
  typedef cef_main_args_t struct_type;
  static inline void init(struct_type* s) {}
  static inline void clear(struct_type* s) {}
  static inline void set(const struct_type* src,
                         struct_type* target,
                         bool copy) {
    target->argc = src->argc;
    target->argv = src->argv;
  }
};

class CefMainArgs : public CefStructBase<CefMainArgsTraits> {
 public:
  typedef CefStructBase<CefMainArgsTraits> parent;
  CefMainArgs() {}
  explicit CefMainArgs(const cef_main_args_t& r) : parent(r) {}
  explicit CefMainArgs(const CefMainArgs& r) : parent(r) {}
  CefMainArgs(int argc_arg, char** argv_arg) {
    argc = argc_arg;
    argv = argv_arg;
  }
};

#endif  // CEF_INCLUDE_INTERNAL_CEF_LINUX_H_
