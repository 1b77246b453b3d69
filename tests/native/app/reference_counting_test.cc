// Every object the program hands to the engine counts its references by the
// engine's rules: starts at 0, Release answers true exactly at 0.

#include <type_traits>

#include <gtest/gtest.h>

#include "fakes.h"
#include "repair_app.h"
#include "repair_browser_view_delegate.h"
#include "repair_client.h"
#include "repair_window_delegate.h"

namespace {

template <class T>
T* Create() {
  static CallLog log;
  if constexpr (std::is_same_v<T, RepairClient>)
    return new RepairClient(/*use_views=*/true);
  else if constexpr (std::is_same_v<T, RepairWindowDelegate>)
    return new RepairWindowDelegate(new FakeBrowserView(&log));
  else
    return new T();
}

template <class T>
class ReferenceCountingTest : public testing::Test {};

using CountedTypes = testing::Types<RepairApp,
                                    RepairClient,
                                    RepairWindowDelegate,
                                    RepairBrowserViewDelegate>;
TYPED_TEST_SUITE(ReferenceCountingTest, CountedTypes);

TYPED_TEST(ReferenceCountingTest, ReleaseAnswersTrueExactlyAtZero) {
  TypeParam* object = Create<TypeParam>();
  EXPECT_FALSE(object->HasAtLeastOneRef());
  EXPECT_FALSE(object->HasOneRef());

  object->AddRef();
  EXPECT_TRUE(object->HasOneRef());
  EXPECT_TRUE(object->HasAtLeastOneRef());

  object->AddRef();
  object->AddRef();
  EXPECT_FALSE(object->HasOneRef());
  EXPECT_TRUE(object->HasAtLeastOneRef());

  EXPECT_FALSE(object->Release());
  EXPECT_FALSE(object->Release());
  EXPECT_TRUE(object->HasOneRef());
  EXPECT_TRUE(object->Release());
}

TEST(ObjectLifetimeTest, LastReleaseDestroysTheClient) {
  RepairClient* client = Create<RepairClient>();
  client->AddRef();
  client->AddRef();
  EXPECT_FALSE(client->Release());
  EXPECT_EQ(client, RepairClient::GetInstance());
  EXPECT_TRUE(client->Release());
  EXPECT_EQ(nullptr, RepairClient::GetInstance());
}

TEST(ObjectLifetimeTest, WindowDelegateDropsItsBrowserViewWhenDestroyed) {
  CallLog log;
  CefRefPtr<FakeBrowserView> browser_view = new FakeBrowserView(&log);
  CefRefPtr<RepairWindowDelegate> delegate =
      new RepairWindowDelegate(browser_view);
  EXPECT_FALSE(browser_view->HasOneRef());

  delegate = nullptr;
  EXPECT_TRUE(browser_view->HasOneRef());
}

}  // namespace
