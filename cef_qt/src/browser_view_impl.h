// CefBrowserView: a QWebEngineView whose browser exists while the view is in
// a window.

#ifndef CEF_QT_SRC_BROWSER_VIEW_IMPL_H_
#define CEF_QT_SRC_BROWSER_VIEW_IMPL_H_

#include <string>

#include "include/views/cef_browser_view.h"
#include "view_impl.h"

class QStackedLayout;

namespace cef_qt {

class BrowserImpl;
class BrowserPage;
class WindowImpl;

class BrowserViewImpl : public ViewImpl<CefBrowserView> {
 public:
  // |page| is the pop-up page that the engine already made, or null.
  BrowserViewImpl(CefRefPtr<CefClient> client,
                  const std::string& url,
                  const CefBrowserSettings& settings,
                  CefRefPtr<CefBrowserViewDelegate> delegate,
                  BrowserPage* page);
  ~BrowserViewImpl() override;

  // Creates the browser inside |window|.
  void AttachToWindow(WindowImpl* window, QStackedLayout* layout);
  // Destroys the browser; the view stays, without a browser.
  void DetachFromWindow();

  // Closes the window that holds this view, as the close sequence asks.
  void CloseHostWindow();
  CefRefPtr<CefBrowserViewDelegate> BrowserViewDelegate() {
    return browser_view_delegate_;
  }

  // CefView:
  CefRefPtr<CefWindow> GetWindow() override;

  // CefBrowserView:
  CefRefPtr<CefBrowser> GetBrowser() override;

 private:
  CefRefPtr<CefClient> client_;
  std::string url_;
  CefBrowserSettings settings_;
  CefRefPtr<CefBrowserViewDelegate> browser_view_delegate_;
  BrowserPage* popup_page_;
  WindowImpl* window_ = nullptr;
  CefRefPtr<BrowserImpl> browser_;

  IMPLEMENT_REFCOUNTING(BrowserViewImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_VIEW_IMPL_H_
