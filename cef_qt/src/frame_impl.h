// CefFrame for a browser's main frame. Qt WebEngine 6.4 exposes no other
// frames.

#ifndef CEF_QT_SRC_FRAME_IMPL_H_
#define CEF_QT_SRC_FRAME_IMPL_H_

#include "include/cef_frame.h"

namespace cef_qt {

class BrowserImpl;

class FrameImpl : public CefFrame {
 public:
  explicit FrameImpl(BrowserImpl* browser) : browser_(browser) {}

  // Called when the browser goes; the frame then loads nothing.
  void Detach() { browser_ = nullptr; }

  // CefFrame:
  void LoadURL(const CefString& url) override;

 private:
  BrowserImpl* browser_;

  IMPLEMENT_REFCOUNTING(FrameImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_FRAME_IMPL_H_
