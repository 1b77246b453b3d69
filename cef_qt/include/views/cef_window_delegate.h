#ifndef CEF_INCLUDE_VIEWS_CEF_WINDOW_DELEGATE_H_
#define CEF_INCLUDE_VIEWS_CEF_WINDOW_DELEGATE_H_

#include "include/views/cef_panel_delegate.h"

class CefWindow;

// Decides a top-level window's behaviour. UI thread.
class CefWindowDelegate : public CefPanelDelegate {
 public:
  virtual void OnWindowCreated(CefRefPtr<CefWindow> window) {}
  virtual void OnWindowDestroyed(CefRefPtr<CefWindow> window) {}
  // An empty rectangle gives the preferred size at the engine's placement.
  virtual CefRect GetInitialBounds(CefRefPtr<CefWindow> window) {
    return CefRect();
  }
  virtual cef_show_state_t GetInitialShowState(CefRefPtr<CefWindow> window) {
    return CEF_SHOW_STATE_NORMAL;
  }
  virtual bool IsFrameless(CefRefPtr<CefWindow> window) { return false; }
  virtual bool CanResize(CefRefPtr<CefWindow> window) { return true; }
  virtual bool CanMaximize(CefRefPtr<CefWindow> window) { return true; }
  virtual bool CanMinimize(CefRefPtr<CefWindow> window) { return true; }
  // Asked on every close request, the user's and the browser's.
  virtual bool CanClose(CefRefPtr<CefWindow> window) { return true; }
};

#endif  // CEF_INCLUDE_VIEWS_CEF_WINDOW_DELEGATE_H_
