// The window delegate's hooks are asked where CEF asks them: the creation
// questions before OnWindowCreated, CanClose on every close request, and
// OnWindowDestroyed once a close has been let through. Their answers shape
// the window.

#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QWidget>

#include "gtest/gtest.h"
#include "include/views/cef_window.h"
#include "window_impl.h"
#include "window_registry.h"

namespace {

using CallLog = std::vector<std::string>;

class RecordingWindowDelegate : public CefWindowDelegate {
 public:
  explicit RecordingWindowDelegate(CallLog* log) : log_(log) {}

  CefRect initial_bounds;
  cef_show_state_t initial_show_state = CEF_SHOW_STATE_NORMAL;
  bool frameless = false;
  bool can_resize = true;
  bool can_maximize = true;
  bool can_close = true;
  CefRefPtr<CefWindow> created_window;

  CefSize GetPreferredSize(CefRefPtr<CefView> view) override {
    return Asked(__func__, CefSize(640, 480));
  }
  void OnWindowCreated(CefRefPtr<CefWindow> window) override {
    created_window = Asked(__func__, window);
  }
  void OnWindowDestroyed(CefRefPtr<CefWindow> window) override {
    created_window = Asked(__func__, nullptr);
  }
  CefRect GetInitialBounds(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, initial_bounds);
  }
  cef_show_state_t GetInitialShowState(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, initial_show_state);
  }
  bool IsFrameless(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, frameless);
  }
  bool CanResize(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, can_resize);
  }
  bool CanMaximize(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, can_maximize);
  }
  bool CanMinimize(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, true);
  }
  bool CanClose(CefRefPtr<CefWindow> window) override {
    return Asked(__func__, can_close);
  }

 private:
  // Logs the call of |hook| and answers |answer|.
  template <class T>
  T Asked(const char* hook, T answer) {
    log_->push_back(hook);
    return answer;
  }

  CallLog* const log_;

  IMPLEMENT_REFCOUNTING(RecordingWindowDelegate);
};

class WindowDelegateTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "window_delegate_test";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { application_.reset(); }

  void TearDown() override {
    cef_qt::DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The calls made so far, forgotten.
  CallLog TakeLog() { return std::exchange(log_, {}); }

  static QWidget* WidgetOf(CefRefPtr<CefWindow> window) {
    return static_cast<cef_qt::WindowImpl*>(window.get())->Widget();
  }

  static std::unique_ptr<QApplication> application_;
  CallLog log_;
  CefRefPtr<RecordingWindowDelegate> delegate_ =
      new RecordingWindowDelegate(&log_);
};

std::unique_ptr<QApplication> WindowDelegateTest::application_;

TEST_F(WindowDelegateTest, AsksEveryCreationQuestionOnceBeforeOnWindowCreated) {
  CefRefPtr<CefWindow> window = CefWindow::CreateTopLevelWindow(delegate_);

  CallLog calls = TakeLog();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ("OnWindowCreated", calls.back());
  for (const char* hook : {"IsFrameless", "CanMaximize", "CanMinimize",
                           "CanResize", "GetInitialBounds", "GetPreferredSize",
                           "GetInitialShowState", "OnWindowCreated"}) {
    EXPECT_EQ(1, std::count(calls.begin(), calls.end(), hook))
        << hook << " in " << testing::PrintToString(calls);
  }
  EXPECT_EQ(window.get(), delegate_->created_window.get());

  // Showing uses the answer given at creation and asks nothing more.
  window->Show();
  window->Show();
  EXPECT_EQ(CallLog{}, TakeLog());
}

TEST_F(WindowDelegateTest, TheAnswersShapeTheWindow) {
  delegate_->can_resize = false;
  delegate_->can_maximize = false;
  delegate_->initial_show_state = CEF_SHOW_STATE_MAXIMIZED;
  CefRefPtr<CefWindow> fixed = CefWindow::CreateTopLevelWindow(delegate_);
  QWidget* widget = WidgetOf(fixed);
  EXPECT_EQ(QSize(640, 480), widget->minimumSize());
  EXPECT_EQ(QSize(640, 480), widget->maximumSize());
  EXPECT_FALSE(widget->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(widget->windowFlags() & Qt::FramelessWindowHint);
  fixed->Show();
  EXPECT_TRUE(widget->isMaximized());

  CefRefPtr<RecordingWindowDelegate> placed =
      new RecordingWindowDelegate(&log_);
  placed->frameless = true;
  placed->initial_bounds = CefRect(10, 20, 300, 200);
  widget = WidgetOf(CefWindow::CreateTopLevelWindow(placed));
  EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(QRect(10, 20, 300, 200), widget->geometry());
  EXPECT_EQ(QSize(0, 0), widget->minimumSize());
}

TEST_F(WindowDelegateTest, EveryCloseAsksCanCloseAndOnlyAnAllowedOneDestroys) {
  CefRefPtr<CefWindow> window = CefWindow::CreateTopLevelWindow(delegate_);
  window->Show();
  QWidget* widget = WidgetOf(window);
  TakeLog();

  // The window manager's close button.
  delegate_->can_close = false;
  widget->close();
  widget->close();
  EXPECT_EQ((CallLog{"CanClose", "CanClose"}), TakeLog());
  EXPECT_TRUE(delegate_->created_window);

  delegate_->can_close = true;
  widget->close();
  EXPECT_EQ((CallLog{"CanClose", "OnWindowDestroyed"}), TakeLog());
  EXPECT_FALSE(delegate_->created_window);
  EXPECT_FALSE(widget->isVisible());

  // A destroyed window asks nothing any more.
  widget->close();
  EXPECT_EQ(CallLog{}, TakeLog());
}

}  // namespace
