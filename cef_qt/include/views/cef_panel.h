#ifndef CEF_INCLUDE_VIEWS_CEF_PANEL_H_
#define CEF_INCLUDE_VIEWS_CEF_PANEL_H_

#include "include/views/cef_panel_delegate.h"
#include "include/views/cef_view.h"

// A view that holds child views, filling it one on top of the other.
class CefPanel : public CefView {
 public:
  virtual void AddChildView(CefRefPtr<CefView> view) = 0;
};

#endif  // CEF_INCLUDE_VIEWS_CEF_PANEL_H_
