#include "browser_impl.h"

#include <QTimer>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "browser_process.h"
#include "browser_view_impl.h"
#include "frame_impl.h"
#include "include/base/cef_logging.h"
#include "include/views/cef_window.h"
#include "popup_window_delegate.h"

namespace cef_qt {

namespace {

// Chromium's switch for resizable text areas has no Qt setting; a user
// style sheet has the same effect.
constexpr char kNoTextAreaResizeScript[] = R"(
(() => {
  const style = document.createElement('style');
  style.textContent = 'textarea { resize: none !important; }';
  (document.head || document.documentElement).appendChild(style);
})();
)";

CefString FromQString(const QString& text) {
  return text.toStdU16String();
}

// Qt tells an out-of-memory death as one of its other statuses.
cef_termination_status_t TerminationStatusOf(
    QWebEnginePage::RenderProcessTerminationStatus status) {
  switch (status) {
    case QWebEnginePage::KilledTerminationStatus:
      return TS_PROCESS_WAS_KILLED;
    case QWebEnginePage::CrashedTerminationStatus:
      return TS_PROCESS_CRASHED;
    default:
      return TS_ABNORMAL_TERMINATION;
  }
}

}  // namespace

BrowserImpl::BrowserImpl(BrowserViewImpl* view,
                         BrowserPage* page,
                         CefRefPtr<CefClient> client,
                         const CefBrowserSettings& settings)
    : view_(view),
      page_(page),
      client_(client),
      main_frame_(new FrameImpl(this)),
      settings_(settings) {
  ApplySettings(settings);
  ConnectPage();
}

template <class Handler>
CefRefPtr<Handler> BrowserImpl::ClientHandler(
    CefRefPtr<Handler> (CefClient::*getter)()) {
  return client_ ? (client_.get()->*getter)() : nullptr;
}

void BrowserImpl::ApplySettings(const CefBrowserSettings& settings) {
  QWebEngineSettings* qt = page_->settings();
  qt->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  // Chromium lets pages ask for fullscreen; Qt's default forbids it.
  qt->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
  if (settings.plugins != STATE_DEFAULT) {
    qt->setAttribute(QWebEngineSettings::PluginsEnabled,
                     settings.plugins == STATE_ENABLED);
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
  page_->setBackgroundColor(DefaultBackgroundColor());
}

void BrowserImpl::ConnectPage() {
  BrowserPage* page = page_;
  QObject::connect(page, &QWebEnginePage::titleChanged, page,
                   [this](const QString& title) {
                     if (CefRefPtr<CefDisplayHandler> handler =
                             ClientHandler(&CefClient::GetDisplayHandler))
                       handler->OnTitleChange(this, FromQString(title));
                   });
  QObject::connect(page, &QWebEnginePage::fullScreenRequested, page,
                   [this](QWebEngineFullScreenRequest request) {
                     request.accept();
                     if (CefRefPtr<CefDisplayHandler> handler =
                             ClientHandler(&CefClient::GetDisplayHandler))
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
      [this](QWebEnginePage::RenderProcessTerminationStatus status, int code) {
        LOG(ERROR) << "Render process terminated with status "
                   << static_cast<int>(status) << ", exit code " << code;
        // A normal exit is not reported, as in CEF.
        if (status == QWebEnginePage::NormalTerminationStatus)
          return;
        // Reported once the signal has returned, so that the handler may
        // load a page at once.
        CefRefPtr<BrowserImpl> self(this);
        QTimer::singleShot(0, page_.data(), [self, status] {
          self->OnRenderProcessTerminated(TerminationStatusOf(status));
        });
      });
}

void BrowserImpl::NotifyCreated() {
  if (CefRefPtr<CefLifeSpanHandler> handler =
          ClientHandler(&CefClient::GetLifeSpanHandler))
    handler->OnAfterCreated(this);
}

void BrowserImpl::Destroy() {
  if (!valid_)
    return;
  CefRefPtr<BrowserImpl> self(this);
  if (page_)
    QObject::disconnect(page_, nullptr, nullptr, nullptr);
  if (CefRefPtr<CefLifeSpanHandler> handler =
          ClientHandler(&CefClient::GetLifeSpanHandler))
    handler->OnBeforeClose(self);
  valid_ = false;
  main_frame_->Detach();
  view_ = nullptr;
  client_ = nullptr;
}

bool BrowserImpl::TryCloseBrowser() {
  if (!valid_ || close_state_ == CloseState::kAccepted)
    return true;
  if (!page_) {
    OnCloseAccepted();
    return false;
  }
  // Runs the page's beforeunload handler; windowCloseRequested follows once
  // the page agrees. A cancelled unload leaves the close pending, and the
  // next request asks the page again.
  close_state_ = CloseState::kPending;
  page_->triggerAction(QWebEnginePage::RequestClose);
  return false;
}

void BrowserImpl::OnCloseAccepted() {
  if (!valid_ || close_state_ == CloseState::kAccepted)
    return;
  close_state_ = CloseState::kAccepted;
  // CEF's standard close: the top-level window closes.
  if (view_)
    view_->CloseHostWindow();
}

void BrowserImpl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (info.status() != QWebEngineLoadingInfo::LoadStoppedStatus &&
      info.status() != QWebEngineLoadingInfo::LoadFailedStatus) {
    return;
  }
  // An HTTP error status is a completed load, as in CEF.
  if (info.errorDomain() == QWebEngineLoadingInfo::HttpErrorDomain)
    return;
  CefRefPtr<CefLoadHandler> handler = ClientHandler(&CefClient::GetLoadHandler);
  if (!handler)
    return;
  cef_errorcode_t code =
      info.status() == QWebEngineLoadingInfo::LoadStoppedStatus ||
              info.errorCode() == 0
          ? ERR_ABORTED
          : static_cast<cef_errorcode_t>(info.errorCode());
  CefRefPtr<BrowserImpl> self(this);
  handler->OnLoadError(self, main_frame_.get(), code,
                       FromQString(info.errorString()),
                       FromQString(info.url().toString()));
}

void BrowserImpl::OnRenderProcessTerminated(cef_termination_status_t status) {
  if (!valid_)
    return;
  if (CefRefPtr<CefRequestHandler> handler =
          ClientHandler(&CefClient::GetRequestHandler))
    handler->OnRenderProcessTerminated(this, status);
}

// Every pop-up is allowed, with the opener's client, settings and browser
// view delegate, in a default top-level window.
void BrowserImpl::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  if (!valid_)
    return;
  auto* popup_page = new BrowserPage(Profile());
  CefRefPtr<BrowserViewImpl> popup_view = new BrowserViewImpl(
      client_, std::string(), settings_,
      view_ ? view_->BrowserViewDelegate() : nullptr, popup_page);
  CefWindow::CreateTopLevelWindow(
      new PopupWindowDelegate(popup_view, request.requestedGeometry()));
  request.openIn(popup_page);
}

}  // namespace cef_qt
