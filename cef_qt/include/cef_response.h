#ifndef CEF_INCLUDE_CEF_RESPONSE_H_
#define CEF_INCLUDE_CEF_RESPONSE_H_

#include "include/cef_base.h"

class CefResponse : public virtual CefBaseRefCounted {
 public:
  virtual int GetStatus() = 0;
  virtual void SetStatus(int status) = 0;
  virtual CefString GetMimeType() = 0;
  virtual void SetMimeType(const CefString& mimeType) = 0;
};

#endif  // CEF_INCLUDE_CEF_RESPONSE_H_
