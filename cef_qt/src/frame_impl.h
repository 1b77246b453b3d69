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

  // Called when the browser goes; the frame is then invalid.
  void Detach() { browser_ = nullptr; }

  // CefFrame:
  bool IsValid() override;
  void LoadURL(const CefString& url) override;
  void ExecuteJavaScript(const CefString& code,
                         const CefString& script_url,
                         int start_line) override;
  bool IsMain() override { return true; }
  CefString GetName() override { return CefString(); }
  int64 GetIdentifier() override;
  CefString GetURL() override;
  CefRefPtr<CefBrowser> GetBrowser() override;

 private:
  BrowserImpl* browser_;

  IMPLEMENT_REFCOUNTING(FrameImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_FRAME_IMPL_H_
