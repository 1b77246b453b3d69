#ifndef CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
#define CEF_INCLUDE_BASE_CEF_BASICTYPES_H_

#include <stddef.h>

typedef long int64;
typedef unsigned long uint64;
typedef unsigned int uint32;
typedef unsigned short char16;

#endif  // CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
