// CefBrowser, its host and its main frame over one QWebEnginePage.

#ifndef CEF_QT_SRC_BROWSER_IMPL_H_
#define CEF_QT_SRC_BROWSER_IMPL_H_

#include <QPointer>

#include "browser_page.h"
#include "frame_impl.h"
#include "include/cef_browser.h"
#include "include/cef_client.h"

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

namespace cef_qt {

class BrowserViewImpl;

class BrowserImpl : public CefBrowser, public CefBrowserHost {
 public:
  BrowserImpl(BrowserViewImpl* view,
              BrowserPage* page,
              CefRefPtr<CefClient> client,
              const CefBrowserSettings& settings);

  // Reports the new browser to the life-span handler.
  void NotifyCreated();
  // Ends the browser: OnBeforeClose, then the browser is invalid.
  void Destroy();
  bool IsValid() const { return valid_; }
  BrowserViewImpl* View() { return view_; }
  BrowserPage* Page() { return page_; }

  // CefBrowser:
  CefRefPtr<CefBrowserHost> GetHost() override { return this; }
  bool IsSame(CefRefPtr<CefBrowser> that) override {
    return that.get() == static_cast<CefBrowser*>(this);
  }
  CefRefPtr<CefFrame> GetMainFrame() override { return main_frame_.get(); }

  // CefBrowserHost:
  bool TryCloseBrowser() override;

 private:
  enum class CloseState { kNone, kPending, kAccepted };

  // The client's handler that |getter| hands out, or null without a client.
  template <class Handler>
  CefRefPtr<Handler> ClientHandler(CefRefPtr<Handler> (CefClient::*getter)());

  void ApplySettings(const CefBrowserSettings& settings);
  void ConnectPage();
  void OnCloseAccepted();
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);
  void OnRenderProcessTerminated(cef_termination_status_t status);

  BrowserViewImpl* view_;
  QPointer<BrowserPage> page_;
  CefRefPtr<CefClient> client_;
  CefRefPtr<FrameImpl> main_frame_;
  CefBrowserSettings settings_;
  bool valid_ = true;
  CloseState close_state_ = CloseState::kNone;

  IMPLEMENT_REFCOUNTING(BrowserImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_IMPL_H_
