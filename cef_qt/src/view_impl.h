// The CefView part shared by windows and browser views: a QWidget and the
// view's delegate.

#ifndef CEF_QT_SRC_VIEW_IMPL_H_
#define CEF_QT_SRC_VIEW_IMPL_H_

#include <QPointer>
#include <QWidget>

#include "include/views/cef_browser_view.h"
#include "include/views/cef_view.h"
#include "include/views/cef_window.h"
#include "runtime.h"

namespace cef_qt {

template <class Interface>
class ViewImpl : public Interface {
 public:
  CefRefPtr<CefBrowserView> AsBrowserView() override { return nullptr; }
  CefRefPtr<CefPanel> AsPanel() override { return nullptr; }
  bool IsValid() override { return !widget_.isNull(); }
  bool IsSame(CefRefPtr<CefView> that) override {
    return that.get() == static_cast<CefView*>(this);
  }
  CefRefPtr<CefViewDelegate> GetDelegate() override { return delegate_; }
  CefRect GetBounds() override {
    if (!widget_)
      return CefRect();
    QRect r = widget_->geometry();
    return CefRect(r.x(), r.y(), r.width(), r.height());
  }
  CefRect GetBoundsInScreen() override {
    if (!widget_)
      return CefRect();
    QPoint origin = widget_->mapToGlobal(QPoint(0, 0));
    return CefRect(origin.x(), origin.y(), widget_->width(), widget_->height());
  }
  CefSize GetSize() override {
    return widget_ ? CefSize(widget_->width(), widget_->height()) : CefSize();
  }
  CefSize GetPreferredSize() override {
    return delegate_ ? delegate_->GetPreferredSize(this) : CefSize();
  }
  void SetVisible(bool visible) override {
    if (widget_)
      widget_->setVisible(visible);
  }
  bool IsVisible() override { return widget_ && widget_->isVisible(); }
  bool IsDrawn() override { return widget_ && widget_->isVisible(); }
  void RequestFocus() override {
    if (widget_)
      widget_->setFocus(Qt::OtherFocusReason);
  }
  void SetBackgroundColor(cef_color_t color) override {
    background_color_ = color;
    if (!widget_)
      return;
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(CefColorGetA(color) != 0);
  }
  cef_color_t GetBackgroundColor() override { return background_color_; }

 protected:
  explicit ViewImpl(CefRefPtr<CefViewDelegate> delegate)
      : delegate_(delegate) {}

  QPointer<QWidget> widget_;
  CefRefPtr<CefViewDelegate> delegate_;
  cef_color_t background_color_ = 0;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_VIEW_IMPL_H_
