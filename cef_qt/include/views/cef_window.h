#ifndef CEF_INCLUDE_VIEWS_CEF_WINDOW_H_
#define CEF_INCLUDE_VIEWS_CEF_WINDOW_H_

#include "include/views/cef_panel.h"
#include "include/views/cef_window_delegate.h"

// A top-level window.
class CefWindow : public CefPanel {
 public:
  static CefRefPtr<CefWindow> CreateTopLevelWindow(
      CefRefPtr<CefWindowDelegate> delegate);

  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Close() = 0;
  virtual bool IsClosed() = 0;
  virtual void Activate() = 0;
  virtual bool IsActive() = 0;
  virtual void Maximize() = 0;
  virtual void Minimize() = 0;
  virtual void Restore() = 0;
  virtual void SetFullscreen(bool fullscreen) = 0;
  virtual bool IsMaximized() = 0;
  virtual bool IsMinimized() = 0;
  virtual bool IsFullscreen() = 0;
  virtual void SetTitle(const CefString& title) = 0;
  virtual CefString GetTitle() = 0;
  virtual CefWindowHandle GetWindowHandle() = 0;
};

#endif  // CEF_INCLUDE_VIEWS_CEF_WINDOW_H_
