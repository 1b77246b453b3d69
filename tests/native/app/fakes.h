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
  void LoadURL(const CefString& url) override {
    loaded_urls.push_back(url.ToString());
  }

  std::vector<std::string> loaded_urls;

  IMPLEMENT_REFCOUNTING(FakeFrame);
};

class FakeBrowserHost : public CefBrowserHost {
 public:
  explicit FakeBrowserHost(bool try_close_answer)
      : try_close_answer_(try_close_answer) {}

  bool TryCloseBrowser() override {
    ++try_close_calls;
    return try_close_answer_;
  }

  int try_close_calls = 0;

 private:
  const bool try_close_answer_;

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
  CallLog* const log_;
};

class FakeBrowserView : public FakeView<CefBrowserView> {
 public:
  explicit FakeBrowserView(CallLog* log) : FakeView(log) {}

  CefRefPtr<CefWindow> GetWindow() override { return window; }
  CefRefPtr<CefBrowser> GetBrowser() override { return browser; }

  CefRefPtr<CefBrowser> browser;
  CefRefPtr<CefWindow> window;

  IMPLEMENT_REFCOUNTING(FakeBrowserView);
};

// Keeps child views; logs them, showing, titles and fullscreen changes.
class FakeWindow : public FakeView<CefWindow> {
 public:
  explicit FakeWindow(CallLog* log) : FakeView(log) {}

  // CefView:
  CefRefPtr<CefWindow> GetWindow() override { return this; }

  // CefPanel:
  void AddChildView(CefRefPtr<CefView> view) override {
    log_->push_back("AddChildView");
    children.push_back(view);
  }

  // CefWindow:
  void Show() override { log_->push_back("Show"); }
  void SetFullscreen(bool fullscreen) override {
    log_->push_back("SetFullscreen(" + std::to_string(fullscreen) + ")");
  }
  void SetTitle(const CefString& title) override {
    log_->push_back("SetTitle(" + title.ToString() + ")");
  }

  std::vector<CefRefPtr<CefView>> children;

  IMPLEMENT_REFCOUNTING(FakeWindow);
};

class FakeSchemeRegistrar : public CefSchemeRegistrar {
 public:
  bool AddCustomScheme(const CefString& scheme_name, int options) override {
    added.emplace_back(scheme_name.ToString(), options);
    return true;
  }

  std::vector<std::pair<std::string, int>> added;
};

#endif  // TESTS_NATIVE_APP_FAKES_H_
