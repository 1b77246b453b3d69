// CefWindow: a top-level QWidget whose children fill it.

#ifndef CEF_QT_SRC_WINDOW_IMPL_H_
#define CEF_QT_SRC_WINDOW_IMPL_H_

#include <vector>

#include "include/views/cef_window.h"
#include "view_impl.h"

class QStackedLayout;

namespace cef_qt {

class WindowImpl : public ViewImpl<CefWindow> {
 public:
  explicit WindowImpl(CefRefPtr<CefWindowDelegate> delegate);

  // Builds the widget by the delegate's answers and reports the creation.
  void Initialize();
  // A close request (the window manager's or the browser's): closes the
  // window once CanClose agrees.
  void Close();
  // Ends the window without asking CanClose.
  void Destroy();
  QWidget* Widget() { return widget_; }

  // CefView:
  CefRefPtr<CefWindow> GetWindow() override { return this; }

  // CefPanel:
  void AddChildView(CefRefPtr<CefView> view) override;

  // CefWindow:
  void Show() override;
  void SetFullscreen(bool fullscreen) override;
  void SetTitle(const CefString& title) override;

 private:
  void ApplySizePolicy(bool resizable);

  CefRefPtr<CefWindowDelegate> delegate_;
  QStackedLayout* layout_ = nullptr;
  std::vector<CefRefPtr<CefView>> children_;
  cef_show_state_t initial_show_state_ = CEF_SHOW_STATE_NORMAL;
  bool resizable_ = true;
  bool shown_ = false;
  bool closed_ = false;
  bool maximized_before_fullscreen_ = false;

  IMPLEMENT_REFCOUNTING(WindowImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_WINDOW_IMPL_H_
