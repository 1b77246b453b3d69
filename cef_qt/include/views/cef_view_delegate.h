#ifndef CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_
#define CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_

#include "include/cef_base.h"

class CefView;

// Asked by a view about its size and told about its changes. UI thread.
class CefViewDelegate : public virtual CefBaseRefCounted {
 public:
  virtual CefSize GetPreferredSize(CefRefPtr<CefView> view) {
    return CefSize();
  }
  virtual CefSize GetMinimumSize(CefRefPtr<CefView> view) { return CefSize(); }
  virtual CefSize GetMaximumSize(CefRefPtr<CefView> view) { return CefSize(); }
  virtual int GetHeightForWidth(CefRefPtr<CefView> view, int width) {
    return 0;
  }
  virtual void OnParentViewChanged(CefRefPtr<CefView> view,
                                   bool added,
                                   CefRefPtr<CefView> parent) {}
  virtual void OnChildViewChanged(CefRefPtr<CefView> view,
                                  bool added,
                                  CefRefPtr<CefView> child) {}
  virtual void OnWindowChanged(CefRefPtr<CefView> view, bool added) {}
  virtual void OnLayoutChanged(CefRefPtr<CefView> view,
                               const CefRect& new_bounds) {}
  virtual void OnFocus(CefRefPtr<CefView> view) {}
  virtual void OnBlur(CefRefPtr<CefView> view) {}
};

#endif  // CEF_INCLUDE_VIEWS_CEF_VIEW_DELEGATE_H_
