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
  const std::vector<std::string>& loaded_urls() const { return loaded_urls_; }

  void LoadURL(const CefString& url) override {
    loaded_urls_.push_back(url.ToString());
  }

 private:
  std::vector<std::string> loaded_urls_;

  IMPLEMENT_REFCOUNTING(FakeFrame);
};

class FakeBrowserHost : public CefBrowserHost {
 public:
  explicit FakeBrowserHost(bool try_close_answer)
      : try_close_answer_(try_close_answer) {}

  int try_close_calls() const { return try_close_calls_; }

  bool TryCloseBrowser() override {
    ++try_close_calls_;
    return try_close_answer_;
  }

 private:
  const bool try_close_answer_;
  int try_close_calls_ = 0;

  IMPLEMENT_REFCOUNTING(FakeBrowserHost);
};

// Browsers are the same when their identifiers are, as the engine may hand
// out several objects for one browser.
class FakeBrowser : public CefBrowser {
 public:
  explicit FakeBrowser(int identifier,
                       CefRefPtr<CefBrowserHost> host = nullptr,
                       CefRefPtr<CefFrame> main_frame = nullptr)
      : identifier_(identifier), host_(host), main_frame_(main_frame) {}

  CefRefPtr<CefBrowserHost> GetHost() override { return host_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override {
    auto* other = static_cast<FakeBrowser*>(that.get());
    return other && other->identifier_ == identifier_;
  }
  CefRefPtr<CefFrame> GetMainFrame() override { return main_frame_; }

 private:
  const int identifier_;
  const CefRefPtr<CefBrowserHost> host_;
  const CefRefPtr<CefFrame> main_frame_;

  IMPLEMENT_REFCOUNTING(FakeBrowser);
};

// CefView's part of a fake view; focus and background go to |log|.
template <class ViewInterface>
class FakeView : public ViewInterface {
 public:
  explicit FakeView(CallLog* log) : log_(log) {}

  void RequestFocus() override { log_->push_back("RequestFocus"); }
  void SetBackgroundColor(cef_color_t color) override {
    log_->push_back("SetBackgroundColor(" + std::to_string(color) + ")");
  }

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

  CefRefPtr<CefWindow> GetWindow() override { return window_; }
  CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }

 private:
  CefRefPtr<CefBrowser> browser_;
  CefRefPtr<CefWindow> window_;

  IMPLEMENT_REFCOUNTING(FakeBrowserView);
};

// Keeps child views; logs them, showing, titles and fullscreen changes.
class FakeWindow : public FakeView<CefWindow> {
 public:
  explicit FakeWindow(CallLog* log) : FakeView(log) {}

  const std::vector<CefRefPtr<CefView>>& children() const { return children_; }

  // CefView:
  CefRefPtr<CefWindow> GetWindow() override { return this; }

  // CefPanel:
  void AddChildView(CefRefPtr<CefView> view) override {
    log()->push_back("AddChildView");
    children_.push_back(view);
  }

  // CefWindow:
  void Show() override { log()->push_back("Show"); }
  void SetFullscreen(bool fullscreen) override {
    log()->push_back("SetFullscreen(" + std::to_string(fullscreen) + ")");
  }
  void SetTitle(const CefString& title) override {
    log()->push_back("SetTitle(" + title.ToString() + ")");
  }

 private:
  std::vector<CefRefPtr<CefView>> children_;

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
