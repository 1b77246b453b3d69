// CefWindow: a top-level QWidget whose children fill it.

#ifndef CEF_QT_SRC_WINDOW_IMPL_H_
#define CEF_QT_SRC_WINDOW_IMPL_H_

#include <vector>

#include "include/views/cef_window.h"
#include "view_impl.h"

class QStackedLayout;

namespace cef_qt {

class BrowserViewImpl;

class WindowImpl : public ViewImpl<CefWindow> {
 public:
  explicit WindowImpl(CefRefPtr<CefWindowDelegate> delegate);

  // Builds the widget by the delegate's answers and reports the creation.
  void Initialize();
  // The window manager's close request.
  void OnCloseRequested() { Close(); }
  // Ends the window without asking CanClose.
  void Destroy();
  QWidget* Widget() { return widget_; }

  // CefView:
  CefRefPtr<CefPanel> AsPanel() override { return this; }
  bool IsAttached() override { return false; }
  CefRefPtr<CefWindow> GetWindow() override { return this; }
  CefRefPtr<CefView> GetParentView() override { return nullptr; }

  // CefPanel:
  CefRefPtr<CefWindow> AsWindow() override { return this; }
  void Layout() override;
  void AddChildView(CefRefPtr<CefView> view) override;
  void RemoveChildView(CefRefPtr<CefView> view) override;
  size_t GetChildViewCount() override { return children_.size(); }
  CefRefPtr<CefView> GetChildViewAt(int index) override;

  // CefWindow:
  void Show() override;
  void Hide() override;
  void Close() override;
  bool IsClosed() override { return closed_; }
  void Activate() override;
  bool IsActive() override;
  void Maximize() override;
  void Minimize() override;
  void Restore() override;
  void SetFullscreen(bool fullscreen) override;
  bool IsMaximized() override;
  bool IsMinimized() override;
  bool IsFullscreen() override;
  void SetTitle(const CefString& title) override;
  CefString GetTitle() override;
  CefWindowHandle GetWindowHandle() override;

 private:
  void ApplySizePolicy(bool resizable);

  CefRefPtr<CefWindowDelegate> window_delegate_;
  QStackedLayout* layout_ = nullptr;
  std::vector<CefRefPtr<CefView>> children_;
  bool resizable_ = true;
  bool shown_ = false;
  bool closed_ = false;
  bool maximized_before_fullscreen_ = false;

  IMPLEMENT_REFCOUNTING(WindowImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_WINDOW_IMPL_H_
