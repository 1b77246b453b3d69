#include "frame_impl.h"

#include <QUrl>

#include "browser_impl.h"

namespace cef_qt {

void FrameImpl::LoadURL(const CefString& url) {
  if (browser_ && browser_->IsValid() && browser_->Page())
    browser_->Page()->load(QUrl(QString::fromStdU16String(url.ToString16())));
}

}  // namespace cef_qt
