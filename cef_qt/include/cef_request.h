#ifndef CEF_INCLUDE_CEF_REQUEST_H_
#define CEF_INCLUDE_CEF_REQUEST_H_

#include "include/cef_base.h"

// A web request. Requests handed to resource handlers are read-only.
class CefRequest : public virtual CefBaseRefCounted {
 public:
  virtual CefString GetURL() = 0;
  // Does nothing on a read-only request.
  virtual void SetURL(const CefString& url) = 0;
};

#endif  // CEF_INCLUDE_CEF_REQUEST_H_
