#include "browser_impl.h"

#include <atomic>

#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "browser_view_impl.h"
#include "frame_impl.h"
#include "include/base/cef_logging.h"
#include "include/views/cef_window.h"
#include "popup_window_delegate.h"
#include "runtime.h"

namespace cef_qt {

namespace {

std::atomic<int> g_next_identifier{1};

// Chromium's switch for resizable text areas has no Qt setting; a user
// style sheet has the same effect.
constexpr char kNoTextAreaResizeScript[] = R"(
(() => {
  const style = document.createElement('style');
  style.textContent = 'textarea { resize: none !important; }';
  (document.head || document.documentElement).appendChild(style);
})();
)";

cef_log_severity_t ConsoleSeverity(
    QWebEnginePage::JavaScriptConsoleMessageLevel level) {
  switch (level) {
    case QWebEnginePage::WarningMessageLevel:
      return LOGSEVERITY_WARNING;
    case QWebEnginePage::ErrorMessageLevel:
      return LOGSEVERITY_ERROR;
    default:
      return LOGSEVERITY_INFO;
  }
}

cef_window_open_disposition_t Disposition(
    QWebEngineNewWindowRequest::DestinationType type) {
  switch (type) {
    case QWebEngineNewWindowRequest::InNewTab:
      return WOD_NEW_FOREGROUND_TAB;
    case QWebEngineNewWindowRequest::InNewBackgroundTab:
      return WOD_NEW_BACKGROUND_TAB;
    case QWebEngineNewWindowRequest::InNewDialog:
      return WOD_NEW_POPUP;
    default:
      return WOD_NEW_WINDOW;
  }
}

CefString FromQString(const QString& text) {
  return text.toStdU16String();
}

}  // namespace

BrowserImpl::BrowserImpl(BrowserViewImpl* view,
                         BrowserPage* page,
                         CefRefPtr<CefClient> client,
                         const CefBrowserSettings& settings,
                         bool is_popup)
    : view_(view),
      page_(page),
      client_(client),
      main_frame_(new FrameImpl(this)),
      settings_(settings),
      identifier_(g_next_identifier++),
      is_popup_(is_popup) {
  ApplySettings(settings);
  ConnectPage();
}

void BrowserImpl::ApplySettings(const CefBrowserSettings& settings) {
  QWebEngineSettings* qt = page_->settings();
  qt->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  // Chromium lets pages ask for fullscreen; Qt's default forbids it.
  qt->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
  const struct {
    cef_state_t state;
    QWebEngineSettings::WebAttribute attribute;
  } kStates[] = {
      {settings.javascript, QWebEngineSettings::JavascriptEnabled},
      {settings.javascript_access_clipboard,
       QWebEngineSettings::JavascriptCanAccessClipboard},
      {settings.javascript_dom_paste, QWebEngineSettings::JavascriptCanPaste},
      {settings.plugins, QWebEngineSettings::PluginsEnabled},
      {settings.image_loading, QWebEngineSettings::AutoLoadImages},
      {settings.tab_to_links, QWebEngineSettings::LinksIncludedInFocusChain},
      {settings.local_storage, QWebEngineSettings::LocalStorageEnabled},
      {settings.webgl, QWebEngineSettings::WebGLEnabled},
  };
  for (const auto& entry : kStates) {
    if (entry.state != STATE_DEFAULT)
      qt->setAttribute(entry.attribute, entry.state == STATE_ENABLED);
  }
  if (settings.text_area_resize == STATE_DISABLED) {
    QWebEngineScript script;
    script.setName("cef_qt_text_area_resize");
    script.setSourceCode(kNoTextAreaResizeScript);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    page_->scripts().insert(script);
  }
  page_->setBackgroundColor(CefColorGetA(settings.background_color)
                                ? ToQColor(settings.background_color)
                                : DefaultBackgroundColor());
}

void BrowserImpl::ConnectPage() {
  BrowserPage* page = page_;
  page->SetConsoleSink(
      [this](QWebEnginePage::JavaScriptConsoleMessageLevel level,
             const QString& message, int line, const QString& source) {
        CefRefPtr<CefDisplayHandler> handler =
            client_ ? client_->GetDisplayHandler() : nullptr;
        if (handler && handler->OnConsoleMessage(this, ConsoleSeverity(level),
                                                 FromQString(message),
                                                 FromQString(source), line)) {
          return;
        }
        std::string text = "\"" + message.toStdString() +
                           "\", source: " + source.toStdString() + " (" +
                           std::to_string(line) + ")";
        cef_log("CONSOLE", line, cef::logging::LOG_INFO, text.c_str());
      });
  QObject::connect(page, &QWebEnginePage::titleChanged, page,
                   [this](const QString& title) {
                     if (CefRefPtr<CefDisplayHandler> handler =
                             client_ ? client_->GetDisplayHandler() : nullptr)
                       handler->OnTitleChange(this, FromQString(title));
                   });
  QObject::connect(page, &QWebEnginePage::urlChanged, page,
                   [this](const QUrl& url) {
                     if (CefRefPtr<CefDisplayHandler> handler =
                             client_ ? client_->GetDisplayHandler() : nullptr)
                       handler->OnAddressChange(this, main_frame_.get(),
                                                FromQString(url.toString()));
                   });
  QObject::connect(page, &QWebEnginePage::fullScreenRequested, page,
                   [this](QWebEngineFullScreenRequest request) {
                     request.accept();
                     if (CefRefPtr<CefDisplayHandler> handler =
                             client_ ? client_->GetDisplayHandler() : nullptr)
                       handler->OnFullscreenModeChange(this,
                                                       request.toggleOn());
                   });
  QObject::connect(
      page, &QWebEnginePage::loadingChanged, page,
      [this](const QWebEngineLoadingInfo& info) { OnLoadingChanged(info); });
  QObject::connect(page, &QWebEnginePage::windowCloseRequested, page,
                   [this] { OnCloseAccepted(); });
  QObject::connect(page, &QWebEnginePage::newWindowRequested, page,
                   [this](QWebEngineNewWindowRequest& request) {
                     OnNewWindowRequested(request);
                   });
  QObject::connect(
      page, &QWebEnginePage::renderProcessTerminated, page,
      [](QWebEnginePage::RenderProcessTerminationStatus status, int code) {
        LOG(ERROR) << "Render process terminated with status "
                   << static_cast<int>(status) << ", exit code " << code;
      });
}

void BrowserImpl::NotifyCreated() {
  if (CefRefPtr<CefLifeSpanHandler> handler =
          client_ ? client_->GetLifeSpanHandler() : nullptr)
    handler->OnAfterCreated(this);
}

void BrowserImpl::Destroy() {
  if (!valid_)
    return;
  CefRefPtr<BrowserImpl> self(this);
  if (page_) {
    page_->SetConsoleSink(nullptr);
    QObject::disconnect(page_, nullptr, nullptr, nullptr);
  }
  if (CefRefPtr<CefLifeSpanHandler> handler =
          client_ ? client_->GetLifeSpanHandler() : nullptr)
    handler->OnBeforeClose(self);
  valid_ = false;
  main_frame_->Detach();
  view_ = nullptr;
  client_ = nullptr;
}

void BrowserImpl::Reload() {
  if (valid_ && page_)
    page_->triggerAction(QWebEnginePage::Reload);
}

CefRefPtr<CefFrame> BrowserImpl::GetMainFrame() {
  return main_frame_.get();
}

void BrowserImpl::CloseBrowser(bool force_close) {
  if (!valid_ || close_state_ == CloseState::kAccepted)
    return;
  if (force_close || !page_) {
    OnCloseAccepted();
    return;
  }
  // Runs the page's beforeunload handler; windowCloseRequested follows once
  // the page agrees. A cancelled unload leaves the close pending, and the
  // next request asks the page again.
  close_state_ = CloseState::kPending;
  page_->triggerAction(QWebEnginePage::RequestClose);
}

bool BrowserImpl::TryCloseBrowser() {
  if (!valid_ || close_state_ == CloseState::kAccepted)
    return true;
  CloseBrowser(false);
  return false;
}

void BrowserImpl::SetFocus(bool focus) {
  if (view_ && focus)
    view_->RequestFocus();
}

void BrowserImpl::OnCloseAccepted() {
  if (!valid_ || close_state_ == CloseState::kAccepted)
    return;
  close_state_ = CloseState::kAccepted;
  CefRefPtr<BrowserImpl> self(this);
  CefRefPtr<CefLifeSpanHandler> handler =
      client_ ? client_->GetLifeSpanHandler() : nullptr;
  if (handler && handler->DoClose(self))
    return;
  if (view_)
    view_->CloseHostWindow();
}

void BrowserImpl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  CefRefPtr<BrowserImpl> self(this);
  CefRefPtr<CefLoadHandler> handler =
      client_ ? client_->GetLoadHandler() : nullptr;
  bool can_go_back = page_ && page_->history()->canGoBack();
  bool can_go_forward = page_ && page_->history()->canGoForward();
  switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
      loading_ = true;
      if (handler) {
        handler->OnLoadingStateChange(self, true, can_go_back, can_go_forward);
        handler->OnLoadStart(self, main_frame_.get(), TT_EXPLICIT);
      }
      return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      loading_ = false;
      if (handler) {
        handler->OnLoadEnd(self, main_frame_.get(), 200);
        handler->OnLoadingStateChange(self, false, can_go_back, can_go_forward);
      }
      return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
      break;
  }
  loading_ = false;
  if (!handler)
    return;
  if (info.errorDomain() == QWebEngineLoadingInfo::HttpErrorDomain) {
    // An HTTP error status is a completed load, as in CEF.
    handler->OnLoadEnd(self, main_frame_.get(), info.errorCode());
  } else {
    cef_errorcode_t code =
        info.status() == QWebEngineLoadingInfo::LoadStoppedStatus ||
                info.errorCode() == 0
            ? ERR_ABORTED
            : static_cast<cef_errorcode_t>(info.errorCode());
    handler->OnLoadError(self, main_frame_.get(), code,
                         FromQString(info.errorString()),
                         FromQString(info.url().toString()));
  }
  handler->OnLoadingStateChange(self, false, can_go_back, can_go_forward);
}

void BrowserImpl::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  if (!valid_)
    return;
  CefRefPtr<BrowserImpl> self(this);
  CefRefPtr<CefClient> client = client_;
  CefBrowserSettings settings(settings_);
  CefWindowInfo window_info;
  CefPopupFeatures features;
  QRect geometry = request.requestedGeometry();
  if (geometry.isValid()) {
    features.x = geometry.x();
    features.xSet = 1;
    features.y = geometry.y();
    features.ySet = 1;
    features.width = geometry.width();
    features.widthSet = 1;
    features.height = geometry.height();
    features.heightSet = 1;
  }
  CefRefPtr<CefDictionaryValue> extra_info;
  bool no_javascript_access = false;
  if (CefRefPtr<CefLifeSpanHandler> handler =
          client_ ? client_->GetLifeSpanHandler() : nullptr) {
    if (handler->OnBeforePopup(self, main_frame_.get(),
                               FromQString(request.requestedUrl().toString()),
                               CefString(), Disposition(request.destination()),
                               request.isUserInitiated(), features, window_info,
                               client, settings, extra_info,
                               &no_javascript_access)) {
      return;
    }
  }

  auto* popup_page = new BrowserPage(Profile(), /*is_popup=*/true);
  CefRefPtr<CefBrowserViewDelegate> opener_delegate =
      view_ ? view_->BrowserViewDelegate() : nullptr;
  CefRefPtr<CefBrowserViewDelegate> popup_delegate =
      opener_delegate ? opener_delegate->GetDelegateForPopupBrowserView(
                            view_, settings, client, false)
                      : nullptr;
  CefRefPtr<BrowserViewImpl> popup_view = new BrowserViewImpl(
      client, std::string(), settings, popup_delegate, popup_page);
  if (!opener_delegate ||
      !opener_delegate->OnPopupBrowserViewCreated(view_, popup_view, false)) {
    CefWindow::CreateTopLevelWindow(
        new PopupWindowDelegate(popup_view, features));
  }
  request.openIn(popup_page);
}

}  // namespace cef_qt
