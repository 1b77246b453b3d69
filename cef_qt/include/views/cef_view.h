#ifndef CEF_INCLUDE_VIEWS_CEF_VIEW_H_
#define CEF_INCLUDE_VIEWS_CEF_VIEW_H_

#include "include/cef_base.h"
#include "include/views/cef_view_delegate.h"

class CefBrowserView;
class CefPanel;
class CefWindow;

// A view in a views hierarchy. UI thread only.
class CefView : public CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefBrowserView> AsBrowserView() = 0;
  virtual CefRefPtr<CefPanel> AsPanel() = 0;
  virtual bool IsValid() = 0;
  virtual bool IsAttached() = 0;
  virtual bool IsSame(CefRefPtr<CefView> that) = 0;
  virtual CefRefPtr<CefViewDelegate> GetDelegate() = 0;
  virtual CefRefPtr<CefWindow> GetWindow() = 0;
  virtual CefRefPtr<CefView> GetParentView() = 0;
  virtual CefRect GetBounds() = 0;
  virtual CefRect GetBoundsInScreen() = 0;
  virtual CefSize GetSize() = 0;
  virtual CefSize GetPreferredSize() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsVisible() = 0;
  virtual bool IsDrawn() = 0;
  virtual void RequestFocus() = 0;
  virtual void SetBackgroundColor(cef_color_t color) = 0;
  virtual cef_color_t GetBackgroundColor() = 0;
};

#endif  // CEF_INCLUDE_VIEWS_CEF_VIEW_H_
