#include "browser_view_impl.h"

#include <QStackedLayout>
#include <QWebEngineView>

#include "browser_impl.h"
#include "browser_page.h"
#include "browser_process.h"
#include "window_impl.h"

namespace cef_qt {

BrowserViewImpl::BrowserViewImpl(CefRefPtr<CefClient> client,
                                 const std::string& url,
                                 const CefBrowserSettings& settings,
                                 CefRefPtr<CefBrowserViewDelegate> delegate,
                                 BrowserPage* page)
    : client_(client),
      url_(url),
      settings_(settings),
      browser_view_delegate_(delegate),
      popup_page_(page) {}

BrowserViewImpl::~BrowserViewImpl() = default;

void BrowserViewImpl::AttachToWindow(WindowImpl* window,
                                     QStackedLayout* layout) {
  if (window_ || browser_)
    return;
  window_ = window;
  auto* web_view = new QWebEngineView(window->Widget());
  widget_ = web_view;
  BrowserPage* page = popup_page_ ? popup_page_ : new BrowserPage(Profile());
  popup_page_ = nullptr;
  page->setParent(web_view);
  web_view->setPage(page);
  if (background_color_)
    SetBackgroundColor(background_color_);
  layout->addWidget(web_view);

  browser_ = new BrowserImpl(this, page, client_, settings_);
  browser_->NotifyCreated();
  if (!url_.empty())
    browser_->GetMainFrame()->LoadURL(url_);
}

void BrowserViewImpl::DetachFromWindow() {
  CefRefPtr<BrowserImpl> browser;
  browser.swap(browser_);
  if (browser)
    browser->Destroy();
  if (widget_)
    widget_->deleteLater();
  window_ = nullptr;
}

void BrowserViewImpl::CloseHostWindow() {
  if (window_)
    window_->Close();
}

CefRefPtr<CefWindow> BrowserViewImpl::GetWindow() {
  return window_;
}

CefRefPtr<CefBrowser> BrowserViewImpl::GetBrowser() {
  return browser_.get();
}

}  // namespace cef_qt

CefRefPtr<CefBrowserView> CefBrowserView::CreateBrowserView(
    CefRefPtr<CefClient> client,
    const CefString& url,
    const CefBrowserSettings& settings,
    CefRefPtr<CefDictionaryValue> extra_info,
    CefRefPtr<CefRequestContext> request_context,
    CefRefPtr<CefBrowserViewDelegate> delegate) {
  return new cef_qt::BrowserViewImpl(client, url.ToString(), settings, delegate,
                                     nullptr);
}

CefRefPtr<CefBrowserView> CefBrowserView::GetForBrowser(
    CefRefPtr<CefBrowser> browser) {
  if (!browser)
    return nullptr;
  return static_cast<cef_qt::BrowserImpl*>(browser.get())->View();
}
