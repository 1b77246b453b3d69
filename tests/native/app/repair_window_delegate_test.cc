// The top-level window's delegate: size, show state, resizing, the order of
// filling the window, and closing only once the browser agrees.

#include "repair_window_delegate.h"

#include <vector>

#include <gtest/gtest.h>

#include "command_line_impl.h"
#include "fakes.h"

namespace {

class RepairWindowDelegateTest : public testing::Test {
 protected:
  void TearDown() override { cef_qt::CommandLineImpl::SetGlobal(nullptr); }

  // Makes the global command line the one of |argv|, read-only as the engine
  // leaves it.
  void SetGlobalCommandLine(std::vector<const char*> argv) {
    CefRefPtr<cef_qt::CommandLineImpl> command_line =
        new cef_qt::CommandLineImpl();
    command_line->InitFromArgv(static_cast<int>(argv.size()), argv.data());
    command_line->SetReadOnly(true);
    cef_qt::CommandLineImpl::SetGlobal(command_line);
  }

  CallLog log_;
  CefRefPtr<FakeBrowserView> browser_view_ = new FakeBrowserView(&log_);
  CefRefPtr<FakeWindow> window_ = new FakeWindow(&log_);
  CefRefPtr<RepairWindowDelegate> delegate_ =
      new RepairWindowDelegate(browser_view_);
};

TEST_F(RepairWindowDelegateTest, PrefersEightHundredBySevenHundred) {
  CefSize size = delegate_->GetPreferredSize(browser_view_);
  EXPECT_EQ(800, size.width);
  EXPECT_EQ(700, size.height);
}

TEST_F(RepairWindowDelegateTest, NormalAndFixedWithoutTheSwitch) {
  for (auto argv : std::vector<std::vector<const char*>>{
           {"app"},
           {"app", "--start-fullscreen", "maximized"},
           {"app", "--", "--maximized"},
           {"app", "--maximizedx"}}) {
    SetGlobalCommandLine(argv);
    EXPECT_EQ(CEF_SHOW_STATE_NORMAL, delegate_->GetInitialShowState(window_))
        << testing::PrintToString(argv);
    EXPECT_FALSE(delegate_->CanResize(window_)) << testing::PrintToString(argv);
  }
}

TEST_F(RepairWindowDelegateTest, MaximizedAndResizableWithTheSwitch) {
  for (auto argv : std::vector<std::vector<const char*>>{
           {"app", "--maximized"},
           {"app", "--maximized=1"},
           {"app", "-maximized"},
           {"app", "--disable-sync", "--MAXIMIZED=0", "page"}}) {
    SetGlobalCommandLine(argv);
    EXPECT_EQ(CEF_SHOW_STATE_MAXIMIZED, delegate_->GetInitialShowState(window_))
        << testing::PrintToString(argv);
    EXPECT_TRUE(delegate_->CanResize(window_)) << testing::PrintToString(argv);
  }
}

TEST_F(RepairWindowDelegateTest, AsksTheCommandLineOnEveryCall) {
  SetGlobalCommandLine({"app"});
  EXPECT_FALSE(delegate_->CanResize(window_));
  SetGlobalCommandLine({"app", "--maximized"});
  EXPECT_TRUE(delegate_->CanResize(window_));
  EXPECT_EQ(CEF_SHOW_STATE_MAXIMIZED, delegate_->GetInitialShowState(window_));
}

TEST_F(RepairWindowDelegateTest, KeepsTheEngineDefaultsElsewhere) {
  EXPECT_TRUE(delegate_->CanMaximize(window_));
  EXPECT_TRUE(delegate_->CanMinimize(window_));
  EXPECT_FALSE(delegate_->IsFrameless(window_));
  CefRect bounds = delegate_->GetInitialBounds(window_);
  EXPECT_EQ(0, bounds.width);
  EXPECT_EQ(0, bounds.height);
}

TEST_F(RepairWindowDelegateTest, FillsShowsAndFocusesInThatOrder) {
  delegate_->OnWindowCreated(window_);

  EXPECT_EQ((CallLog{"AddChildView", "SetBackgroundColor(0)", "Show",
                     "RequestFocus"}),
            log_);
  ASSERT_EQ(1u, window_->children().size());
  EXPECT_EQ(static_cast<CefView*>(browser_view_.get()),
            window_->children()[0].get());
}

TEST_F(RepairWindowDelegateTest, ClosesAtOnceWithoutBrowser) {
  EXPECT_TRUE(delegate_->CanClose(window_));
}

TEST_F(RepairWindowDelegateTest, ClosesWhenTheBrowserAgrees) {
  for (bool browser_answer : {false, true}) {
    CefRefPtr<FakeBrowserHost> host = new FakeBrowserHost(browser_answer);
    browser_view_->set_browser(new FakeBrowser(1, host));
    EXPECT_EQ(browser_answer, delegate_->CanClose(window_));
    EXPECT_EQ(1, host->try_close_calls());
  }
}

TEST_F(RepairWindowDelegateTest, DestroyedWindowDropsTheBrowserView) {
  CefRefPtr<FakeBrowserHost> host = new FakeBrowserHost(false);
  browser_view_->set_browser(new FakeBrowser(1, host));

  delegate_->OnWindowDestroyed(window_);
  EXPECT_TRUE(browser_view_->HasOneRef());
  EXPECT_TRUE(delegate_->CanClose(window_));
  EXPECT_EQ(0, host->try_close_calls());
}

}  // namespace
