#ifndef CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_
#define CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_

#include "include/cef_base.h"

class CefView;

// Asked by a view about its size. UI thread.
class CefViewDelegate : public virtual CefBaseRefCounted {
 public:
  // An empty size leaves the size to the engine.
  virtual CefSize GetPreferredSize(CefRefPtr<CefView> view) {
    return CefSize();
  }
};

#endif  // CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_
