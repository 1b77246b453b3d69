// The top-level window's delegate: size, show state, resizing, the order of
// filling the window, and closing only once the browser agrees.

#include "repair_window_delegate.h"

#include <vector>

#include <gtest/gtest.h>

#include "command_lines.h"
#include "fakes.h"

namespace {

class RepairWindowDelegateTest : public testing::Test {
 protected:
  void TearDown() override { cef_qt::CommandLineImpl::SetGlobal(nullptr); }

  CallLog log_;
  CefRefPtr<FakeBrowserView> browser_view_ = new FakeBrowserView(&log_);
  CefRefPtr<FakeWindow> window_ = new FakeWindow(&log_);
  CefRefPtr<RepairWindowDelegate> delegate_ =
      new RepairWindowDelegate(browser_view_);
};

// Normal and fixed in size unless --maximized is given (with any value).
// One delegate answers every case: it asks the command line on every call.
TEST_F(RepairWindowDelegateTest, MaximizedAndResizableOnlyWithTheSwitch) {
  const struct {
    std::vector<const char*> argv;
    bool maximized;
  } cases[] = {
      {{"app"}, false},
      {{"app", "--start-fullscreen", "maximized"}, false},
      {{"app", "--", "--maximized"}, false},
      {{"app", "--maximizedx"}, false},
      {{"app", "--maximized"}, true},
      {{"app", "--maximized=1"}, true},
      {{"app", "-maximized"}, true},
      {{"app", "--disable-sync", "--MAXIMIZED=0", "page"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.argv));
    SetGlobalCommandLine(c.argv);
    EXPECT_EQ(c.maximized ? CEF_SHOW_STATE_MAXIMIZED : CEF_SHOW_STATE_NORMAL,
              delegate_->GetInitialShowState(window_));
    EXPECT_EQ(c.maximized, delegate_->CanResize(window_));
  }
}

TEST_F(RepairWindowDelegateTest, PrefersEightHundredBySevenHundred) {
  EXPECT_EQ(CefSize(800, 700), delegate_->GetPreferredSize(browser_view_));
  // The engine's defaults elsewhere.
  EXPECT_TRUE(delegate_->CanMaximize(window_));
  EXPECT_TRUE(delegate_->CanMinimize(window_));
  EXPECT_FALSE(delegate_->IsFrameless(window_));
  EXPECT_EQ(CefRect(), delegate_->GetInitialBounds(window_));
}

TEST_F(RepairWindowDelegateTest, FillsShowsAndFocusesInThatOrder) {
  delegate_->OnWindowCreated(window_);

  EXPECT_EQ((CallLog{"AddChildView", "SetBackgroundColor(0)", "Show",
                     "RequestFocus"}),
            log_);
  EXPECT_EQ(std::vector<CefRefPtr<CefView>>{browser_view_}, window_->children);
}

TEST_F(RepairWindowDelegateTest, ClosesAtOnceWithoutBrowserElseWhenItAgrees) {
  EXPECT_TRUE(delegate_->CanClose(window_));
  for (bool browser_answer : {false, true}) {
    CefRefPtr<FakeBrowserHost> host = new FakeBrowserHost(browser_answer);
    browser_view_->browser = new FakeBrowser(1, host);
    EXPECT_EQ(browser_answer, delegate_->CanClose(window_));
    EXPECT_EQ(1, host->try_close_calls);
  }
}

TEST_F(RepairWindowDelegateTest, DestroyedWindowDropsTheBrowserView) {
  CefRefPtr<FakeBrowserHost> host = new FakeBrowserHost(false);
  browser_view_->browser = new FakeBrowser(1, host);

  delegate_->OnWindowDestroyed(window_);
  EXPECT_TRUE(browser_view_->HasOneRef());
  EXPECT_TRUE(delegate_->CanClose(window_));
  EXPECT_EQ(0, host->try_close_calls);
}

}  // namespace
