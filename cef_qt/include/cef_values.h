#ifndef CEF_INCLUDE_CEF_VALUES_H_
#define CEF_INCLUDE_CEF_VALUES_H_

#include "include/cef_base.h"

// Extra information passed to a new browser. The program passes none.
class CefDictionaryValue : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_VALUES_H_
