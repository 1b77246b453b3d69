#include "window_impl.h"

#include <QCloseEvent>
#include <QStackedLayout>

#include "browser_view_impl.h"
#include "window_registry.h"

namespace cef_qt {

namespace {

// Hands the window manager's close request to the engine's close sequence.
class TopLevelWidget : public QWidget {
 public:
  explicit TopLevelWidget(WindowImpl* owner) : owner_(owner) {}
  void Disown() { owner_ = nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (owner_)
      owner_->OnCloseRequested();
  }

 private:
  WindowImpl* owner_;
};

QSize ToQSize(const CefSize& size) {
  return QSize(size.width, size.height);
}

}  // namespace

WindowImpl::WindowImpl(CefRefPtr<CefWindowDelegate> delegate)
    : ViewImpl(delegate.get()), window_delegate_(delegate) {}

void WindowImpl::Initialize() {
  auto* widget = new TopLevelWidget(this);
  widget_ = widget;
  layout_ = new QStackedLayout(widget);
  layout_->setStackingMode(QStackedLayout::StackAll);
  layout_->setContentsMargins(0, 0, 0, 0);
  RegisterWindow(this);

  CefRefPtr<CefWindow> self(this);
  Qt::WindowFlags flags = Qt::Window;
  CefRect bounds;
  CefSize preferred, minimum, maximum;
  if (window_delegate_) {
    if (window_delegate_->IsFrameless(self)) {
      flags |= Qt::FramelessWindowHint;
    } else {
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (window_delegate_->CanMaximize(self))
        flags |= Qt::WindowMaximizeButtonHint;
      if (window_delegate_->CanMinimize(self))
        flags |= Qt::WindowMinimizeButtonHint;
    }
    resizable_ = window_delegate_->CanResize(self);
    bounds = window_delegate_->GetInitialBounds(self);
    preferred = window_delegate_->GetPreferredSize(self);
    minimum = window_delegate_->GetMinimumSize(self);
    maximum = window_delegate_->GetMaximumSize(self);
  }
  widget->setWindowFlags(flags);
  if (!minimum.IsEmpty())
    widget->setMinimumSize(ToQSize(minimum));
  if (!maximum.IsEmpty())
    widget->setMaximumSize(ToQSize(maximum));
  if (!bounds.IsEmpty()) {
    widget->setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
  } else if (!preferred.IsEmpty()) {
    widget->resize(ToQSize(preferred));
  } else {
    widget->resize(800, 600);
  }
  ApplySizePolicy(resizable_);

  if (window_delegate_)
    window_delegate_->OnWindowCreated(self);
}

void WindowImpl::ApplySizePolicy(bool resizable) {
  if (!widget_)
    return;
  if (resizable) {
    CefSize minimum, maximum;
    if (window_delegate_) {
      minimum = window_delegate_->GetMinimumSize(this);
      maximum = window_delegate_->GetMaximumSize(this);
    }
    widget_->setMinimumSize(minimum.IsEmpty() ? QSize(0, 0) : ToQSize(minimum));
    widget_->setMaximumSize(maximum.IsEmpty()
                                ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)
                                : ToQSize(maximum));
  } else {
    widget_->setFixedSize(widget_->size());
  }
}

void WindowImpl::Layout() {
  if (layout_)
    layout_->activate();
}

void WindowImpl::AddChildView(CefRefPtr<CefView> view) {
  if (!view || !widget_)
    return;
  children_.push_back(view);
  if (CefRefPtr<CefBrowserView> browser_view = view->AsBrowserView()) {
    auto* impl = static_cast<BrowserViewImpl*>(browser_view.get());
    impl->AttachToWindow(this, layout_);
  }
  if (window_delegate_)
    window_delegate_->OnChildViewChanged(this, true, view);
}

void WindowImpl::RemoveChildView(CefRefPtr<CefView> view) {
  for (auto it = children_.begin(); it != children_.end(); ++it) {
    if ((*it)->IsSame(view)) {
      if (CefRefPtr<CefBrowserView> browser_view = view->AsBrowserView())
        static_cast<BrowserViewImpl*>(browser_view.get())->DetachFromWindow();
      children_.erase(it);
      if (window_delegate_)
        window_delegate_->OnChildViewChanged(this, false, view);
      return;
    }
  }
}

CefRefPtr<CefView> WindowImpl::GetChildViewAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= children_.size())
    return nullptr;
  return children_[index];
}

void WindowImpl::Show() {
  if (!widget_ || closed_)
    return;
  if (shown_) {
    widget_->show();
    return;
  }
  shown_ = true;
  cef_show_state_t state = window_delegate_
                               ? window_delegate_->GetInitialShowState(this)
                               : CEF_SHOW_STATE_NORMAL;
  switch (state) {
    case CEF_SHOW_STATE_MAXIMIZED:
      widget_->showMaximized();
      break;
    case CEF_SHOW_STATE_MINIMIZED:
      widget_->showMinimized();
      break;
    case CEF_SHOW_STATE_FULLSCREEN:
      SetFullscreen(true);
      break;
    default:
      widget_->show();
  }
}

void WindowImpl::Hide() {
  if (widget_)
    widget_->hide();
}

void WindowImpl::Close() {
  if (closed_ || !widget_)
    return;
  if (window_delegate_ && !window_delegate_->CanClose(this))
    return;
  Destroy();
}

void WindowImpl::Destroy() {
  if (closed_)
    return;
  closed_ = true;
  CefRefPtr<WindowImpl> self(this);
  if (widget_) {
    static_cast<TopLevelWidget*>(widget_.data())->Disown();
    widget_->hide();
  }
  if (window_delegate_)
    window_delegate_->OnWindowDestroyed(self);
  std::vector<CefRefPtr<CefView>> children;
  children.swap(children_);
  for (auto& child : children) {
    if (CefRefPtr<CefBrowserView> browser_view = child->AsBrowserView())
      static_cast<BrowserViewImpl*>(browser_view.get())->DetachFromWindow();
  }
  if (widget_)
    widget_->deleteLater();
  window_delegate_ = nullptr;
  delegate_ = nullptr;
  UnregisterWindow(this);
}

void WindowImpl::Activate() {
  if (widget_) {
    widget_->raise();
    widget_->activateWindow();
  }
}

bool WindowImpl::IsActive() {
  return widget_ && widget_->isActiveWindow();
}

void WindowImpl::Maximize() {
  if (widget_)
    widget_->showMaximized();
}

void WindowImpl::Minimize() {
  if (widget_)
    widget_->showMinimized();
}

void WindowImpl::Restore() {
  if (widget_)
    widget_->showNormal();
}

void WindowImpl::SetFullscreen(bool fullscreen) {
  if (!widget_ || fullscreen == widget_->isFullScreen())
    return;
  if (fullscreen) {
    maximized_before_fullscreen_ = widget_->isMaximized();
    // A window that cannot be resized still fills the screen.
    ApplySizePolicy(true);
    widget_->showFullScreen();
  } else {
    if (maximized_before_fullscreen_) {
      widget_->showMaximized();
    } else {
      widget_->showNormal();
    }
    if (!resizable_) {
      CefSize preferred = window_delegate_
                              ? window_delegate_->GetPreferredSize(this)
                              : CefSize();
      if (!preferred.IsEmpty())
        widget_->resize(ToQSize(preferred));
      ApplySizePolicy(false);
    }
  }
}

bool WindowImpl::IsMaximized() {
  return widget_ && widget_->isMaximized();
}

bool WindowImpl::IsMinimized() {
  return widget_ && widget_->isMinimized();
}

bool WindowImpl::IsFullscreen() {
  return widget_ && widget_->isFullScreen();
}

void WindowImpl::SetTitle(const CefString& title) {
  if (widget_)
    widget_->setWindowTitle(QString::fromStdU16String(title.ToString16()));
}

CefString WindowImpl::GetTitle() {
  return widget_ ? CefString(widget_->windowTitle().toStdU16String())
                 : CefString();
}

CefWindowHandle WindowImpl::GetWindowHandle() {
  return widget_ ? static_cast<CefWindowHandle>(widget_->winId()) : 0;
}

}  // namespace cef_qt

CefRefPtr<CefWindow> CefWindow::CreateTopLevelWindow(
    CefRefPtr<CefWindowDelegate> delegate) {
  CefRefPtr<cef_qt::WindowImpl> window = new cef_qt::WindowImpl(delegate);
  window->Initialize();
  return window;
}
