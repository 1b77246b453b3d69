#ifndef CEF_INCLUDE_VIEWS_CEF_VIEW_H_
#define CEF_INCLUDE_VIEWS_CEF_VIEW_H_

#include "include/cef_base.h"
#include "include/views/cef_view_delegate.h"

class CefWindow;

// A view in a views hierarchy. UI thread only.
class CefView : public CefBaseRefCounted {
 public:
  // The window that holds this view; null while it is in none.
  virtual CefRefPtr<CefWindow> GetWindow() = 0;
  virtual void RequestFocus() = 0;
  virtual void SetBackgroundColor(cef_color_t color) = 0;
};

#endif  // CEF_INCLUDE_VIEWS_CEF_VIEW_H_
