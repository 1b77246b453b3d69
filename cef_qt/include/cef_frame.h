#ifndef CEF_INCLUDE_CEF_FRAME_H_
#define CEF_INCLUDE_CEF_FRAME_H_

#include "include/cef_base.h"
#include "include/cef_request.h"

class CefFrame : public virtual CefBaseRefCounted {
 public:
  virtual void LoadURL(const CefString& url) = 0;
};

#endif  // CEF_INCLUDE_CEF_FRAME_H_
