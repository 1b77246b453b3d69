#ifndef CEF_INCLUDE_BASE_CEF_REF_COUNTED_H_
#define CEF_INCLUDE_BASE_CEF_REF_COUNTED_H_

#include "include/base/cef_atomic_ref_count.h"
#include "include/base/cef_logging.h"
#include "include/base/cef_scoped_refptr.h"

#endif  // CEF_INCLUDE_BASE_CEF_REF_COUNTED_H_
