#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_LINUX_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_LINUX_H_

#include "include/internal/cef_string.h"
#include "include/internal/cef_types_geometry.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _cef_main_args_t {
  int argc;
  char** argv;
} cef_main_args_t;

#ifdef __cplusplus
}
#endif

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_LINUX_H_
