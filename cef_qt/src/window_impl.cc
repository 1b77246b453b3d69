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
      owner_->Close();
  }

 private:
  WindowImpl* owner_;
};

QSize ToQSize(const CefSize& size) {
  return QSize(size.width, size.height);
}

}  // namespace

WindowImpl::WindowImpl(CefRefPtr<CefWindowDelegate> delegate)
    : delegate_(delegate) {}

// Asks the delegate what CEF asks while it creates a window, then reports
// the creation.
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
  CefSize preferred;
  if (delegate_) {
    if (delegate_->IsFrameless(self)) {
      flags |= Qt::FramelessWindowHint;
    } else {
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (delegate_->CanMaximize(self))
        flags |= Qt::WindowMaximizeButtonHint;
      if (delegate_->CanMinimize(self))
        flags |= Qt::WindowMinimizeButtonHint;
    }
    resizable_ = delegate_->CanResize(self);
    bounds = delegate_->GetInitialBounds(self);
    preferred = delegate_->GetPreferredSize(self);
    initial_show_state_ = delegate_->GetInitialShowState(self);
  }
  widget->setWindowFlags(flags);
  if (!bounds.IsEmpty()) {
    widget->setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
  } else if (!preferred.IsEmpty()) {
    widget->resize(ToQSize(preferred));
  } else {
    widget->resize(800, 600);
  }
  ApplySizePolicy(resizable_);

  if (delegate_)
    delegate_->OnWindowCreated(self);
}

void WindowImpl::ApplySizePolicy(bool resizable) {
  if (!widget_)
    return;
  if (resizable) {
    widget_->setMinimumSize(QSize(0, 0));
    widget_->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  } else {
    widget_->setFixedSize(widget_->size());
  }
}

void WindowImpl::AddChildView(CefRefPtr<CefView> view) {
  if (!view || !widget_)
    return;
  children_.push_back(view);
  // Every view that the engine hands out is its own.
  if (auto* browser_view = dynamic_cast<BrowserViewImpl*>(view.get()))
    browser_view->AttachToWindow(this, layout_);
}

void WindowImpl::Show() {
  if (!widget_ || closed_)
    return;
  if (shown_) {
    widget_->show();
    return;
  }
  shown_ = true;
  switch (initial_show_state_) {
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

void WindowImpl::Close() {
  if (closed_ || !widget_)
    return;
  if (delegate_ && !delegate_->CanClose(this))
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
  if (delegate_)
    delegate_->OnWindowDestroyed(self);
  std::vector<CefRefPtr<CefView>> children;
  children.swap(children_);
  for (auto& child : children) {
    if (auto* browser_view = dynamic_cast<BrowserViewImpl*>(child.get()))
      browser_view->DetachFromWindow();
  }
  if (widget_)
    widget_->deleteLater();
  delegate_ = nullptr;
  UnregisterWindow(this);
}

void WindowImpl::SetFullscreen(bool fullscreen) {
  if (!widget_ || fullscreen == widget_->isFullScreen())
    return;
  if (fullscreen) {
    maximized_before_fullscreen_ = widget_->isMaximized();
    // A window that cannot be resized still fills the screen.
    ApplySizePolicy(true);
    widget_->showFullScreen();
    return;
  }
  if (maximized_before_fullscreen_) {
    widget_->showMaximized();
  } else {
    widget_->showNormal();
  }
  if (!resizable_) {
    CefSize preferred =
        delegate_ ? delegate_->GetPreferredSize(this) : CefSize();
    if (!preferred.IsEmpty())
      widget_->resize(ToQSize(preferred));
    ApplySizePolicy(false);
  }
}

void WindowImpl::SetTitle(const CefString& title) {
  if (widget_)
    widget_->setWindowTitle(QString::fromStdU16String(title.ToString16()));
}

}  // namespace cef_qt

CefRefPtr<CefWindow> CefWindow::CreateTopLevelWindow(
    CefRefPtr<CefWindowDelegate> delegate) {
  CefRefPtr<cef_qt::WindowImpl> window = new cef_qt::WindowImpl(delegate);
  window->Initialize();
  return window;
}
