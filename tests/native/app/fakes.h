// Engine objects for the application shell's tests: browsers, frames, hosts,
// views and the scheme registrar, recording what is asked of them.

#ifndef TESTS_NATIVE_APP_FAKES_H_
#define TESTS_NATIVE_APP_FAKES_H_

#include <string>
#include <utility>
#include <vector>

#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_scheme.h"
#include "include/views/cef_browser_view.h"
#include "include/views/cef_window.h"

// Calls made on several fakes, in the order they happened.
using CallLog = std::vector<std::string>;

class FakeFrame : public CefFrame {
 public:
  FakeFrame() = default;

  const std::vector<std::string>& loaded_urls() const { return loaded_urls_; }

  bool IsValid() override { return true; }
  void LoadURL(const CefString& url) override {
    loaded_urls_.push_back(url.ToString());
  }
  void ExecuteJavaScript(const CefString& code,
                         const CefString& script_url,
                         int start_line) override {}
  bool IsMain() override { return true; }
  CefString GetName() override { return CefString(); }
  int64 GetIdentifier() override { return 1; }
  CefString GetURL() override { return CefString(); }
  CefRefPtr<CefBrowser> GetBrowser() override { return nullptr; }

 private:
  std::vector<std::string> loaded_urls_;

  IMPLEMENT_REFCOUNTING(FakeFrame);
};

class FakeBrowserHost : public CefBrowserHost {
 public:
  explicit FakeBrowserHost(bool try_close_answer)
      : try_close_answer_(try_close_answer) {}

  int try_close_calls() const { return try_close_calls_; }

  CefRefPtr<CefBrowser> GetBrowser() override { return nullptr; }
  void CloseBrowser(bool force_close) override {}
  bool TryCloseBrowser() override {
    ++try_close_calls_;
    return try_close_answer_;
  }
  void SetFocus(bool focus) override {}
  bool HasView() override { return true; }
  CefRefPtr<CefClient> GetClient() override { return nullptr; }

 private:
  const bool try_close_answer_;
  int try_close_calls_ = 0;

  IMPLEMENT_REFCOUNTING(FakeBrowserHost);
};

// Browsers are the same when their identifiers are, as the engine may hand
// out several objects for one browser.
class FakeBrowser : public CefBrowser {
 public:
  explicit FakeBrowser(int identifier, CefRefPtr<CefBrowserHost> host = nullptr)
      : identifier_(identifier), host_(host) {}

  bool IsValid() override { return true; }
  CefRefPtr<CefBrowserHost> GetHost() override { return host_; }
  bool IsLoading() override { return false; }
  void Reload() override {}
  int GetIdentifier() override { return identifier_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override {
    return that && that->GetIdentifier() == identifier_;
  }
  bool IsPopup() override { return false; }
  CefRefPtr<CefFrame> GetMainFrame() override { return nullptr; }

 private:
  const int identifier_;
  const CefRefPtr<CefBrowserHost> host_;

  IMPLEMENT_REFCOUNTING(FakeBrowser);
};

// CefView's part of a fake view; focus and background go to |log|.
template <class ViewInterface>
class FakeView : public ViewInterface {
 public:
  explicit FakeView(CallLog* log) : log_(log) {}

  bool IsValid() override { return true; }
  bool IsAttached() override { return false; }
  bool IsSame(CefRefPtr<CefView> that) override { return that.get() == this; }
  CefRefPtr<CefViewDelegate> GetDelegate() override { return nullptr; }
  CefRefPtr<CefView> GetParentView() override { return nullptr; }
  CefRect GetBounds() override { return CefRect(); }
  CefRect GetBoundsInScreen() override { return CefRect(); }
  CefSize GetSize() override { return CefSize(); }
  CefSize GetPreferredSize() override { return CefSize(); }
  void SetVisible(bool visible) override {}
  bool IsVisible() override { return true; }
  bool IsDrawn() override { return true; }
  void RequestFocus() override { log_->push_back("RequestFocus"); }
  void SetBackgroundColor(cef_color_t color) override {
    log_->push_back("SetBackgroundColor(" + std::to_string(color) + ")");
  }
  cef_color_t GetBackgroundColor() override { return 0; }

 protected:
  CallLog* log() const { return log_; }

 private:
  CallLog* const log_;
};

class FakeBrowserView : public FakeView<CefBrowserView> {
 public:
  explicit FakeBrowserView(CallLog* log) : FakeView(log) {}

  void set_browser(CefRefPtr<CefBrowser> browser) { browser_ = browser; }
  void set_window(CefRefPtr<CefWindow> window) { window_ = window; }

  CefRefPtr<CefBrowserView> AsBrowserView() override { return this; }
  CefRefPtr<CefPanel> AsPanel() override { return nullptr; }
  CefRefPtr<CefWindow> GetWindow() override { return window_; }
  CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
  void SetPreferAccelerators(bool prefer_accelerators) override {}

 private:
  CefRefPtr<CefBrowser> browser_;
  CefRefPtr<CefWindow> window_;

  IMPLEMENT_REFCOUNTING(FakeBrowserView);
};

// Records child views, showing, titles and fullscreen changes.
class FakeWindow : public FakeView<CefWindow> {
 public:
  explicit FakeWindow(CallLog* log) : FakeView(log) {}

  const std::vector<CefRefPtr<CefView>>& children() const { return children_; }
  const std::vector<std::string>& titles() const { return titles_; }
  const std::vector<bool>& fullscreen_changes() const {
    return fullscreen_changes_;
  }

  // CefView:
  CefRefPtr<CefBrowserView> AsBrowserView() override { return nullptr; }
  CefRefPtr<CefPanel> AsPanel() override { return this; }
  CefRefPtr<CefWindow> GetWindow() override { return this; }

  // CefPanel:
  CefRefPtr<CefWindow> AsWindow() override { return this; }
  void Layout() override {}
  void AddChildView(CefRefPtr<CefView> view) override {
    log()->push_back("AddChildView");
    children_.push_back(view);
  }
  void RemoveChildView(CefRefPtr<CefView> view) override {}
  size_t GetChildViewCount() override { return children_.size(); }
  CefRefPtr<CefView> GetChildViewAt(int index) override {
    return children_.at(index);
  }

  // CefWindow:
  void Show() override { log()->push_back("Show"); }
  void Hide() override {}
  void Close() override {}
  bool IsClosed() override { return false; }
  void Activate() override {}
  bool IsActive() override { return true; }
  void Maximize() override {}
  void Minimize() override {}
  void Restore() override {}
  void SetFullscreen(bool fullscreen) override {
    fullscreen_changes_.push_back(fullscreen);
  }
  bool IsMaximized() override { return false; }
  bool IsMinimized() override { return false; }
  bool IsFullscreen() override { return false; }
  void SetTitle(const CefString& title) override {
    titles_.push_back(title.ToString());
  }
  CefString GetTitle() override { return CefString(); }
  CefWindowHandle GetWindowHandle() override { return 0; }

 private:
  std::vector<CefRefPtr<CefView>> children_;
  std::vector<std::string> titles_;
  std::vector<bool> fullscreen_changes_;

  IMPLEMENT_REFCOUNTING(FakeWindow);
};

class FakeSchemeRegistrar : public CefSchemeRegistrar {
 public:
  const std::vector<std::pair<std::string, int>>& added() const {
    return added_;
  }

  bool AddCustomScheme(const CefString& scheme_name, int options) override {
    added_.emplace_back(scheme_name.ToString(), options);
    return true;
  }

 private:
  std::vector<std::pair<std::string, int>> added_;
};

#endif  // TESTS_NATIVE_APP_FAKES_H_
