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
              const CefBrowserSettings& settings,
              bool is_popup);

  // Reports the new browser to the life-span handler.
  void NotifyCreated();
  // Ends the browser: OnBeforeClose, then the browser is invalid.
  void Destroy();
  BrowserViewImpl* View() { return view_; }
  BrowserPage* Page() { return page_; }

  // CefBrowser:
  bool IsValid() override { return valid_; }
  CefRefPtr<CefBrowserHost> GetHost() override { return this; }
  bool IsLoading() override { return loading_; }
  void Reload() override;
  int GetIdentifier() override { return identifier_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override {
    return that.get() == static_cast<CefBrowser*>(this);
  }
  bool IsPopup() override { return is_popup_; }
  CefRefPtr<CefFrame> GetMainFrame() override;

  // CefBrowserHost:
  CefRefPtr<CefBrowser> GetBrowser() override { return this; }
  void CloseBrowser(bool force_close) override;
  bool TryCloseBrowser() override;
  void SetFocus(bool focus) override;
  bool HasView() override { return true; }
  CefRefPtr<CefClient> GetClient() override { return client_; }

 private:
  enum class CloseState { kNone, kPending, kAccepted };

  void ApplySettings(const CefBrowserSettings& settings);
  void ConnectPage();
  void OnCloseAccepted();
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);

  BrowserViewImpl* view_;
  QPointer<BrowserPage> page_;
  CefRefPtr<CefClient> client_;
  CefRefPtr<FrameImpl> main_frame_;
  CefBrowserSettings settings_;
  const int identifier_;
  const bool is_popup_;
  bool valid_ = true;
  bool loading_ = false;
  CloseState close_state_ = CloseState::kNone;

  IMPLEMENT_REFCOUNTING(BrowserImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_IMPL_H_
