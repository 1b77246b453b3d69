// The CefView part shared by windows and browser views: a QWidget, its focus
// and its background colour.

#ifndef CEF_QT_SRC_VIEW_IMPL_H_
#define CEF_QT_SRC_VIEW_IMPL_H_

#include <QPointer>
#include <QWidget>

#include "color.h"
#include "include/views/cef_view.h"

namespace cef_qt {

template <class Interface>
class ViewImpl : public Interface {
 public:
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

 protected:
  ViewImpl() = default;

  QPointer<QWidget> widget_;
  cef_color_t background_color_ = 0;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_VIEW_IMPL_H_
