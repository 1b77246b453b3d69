// The client handler: browser bookkeeping, the end of the message loop, the
// error page, title and fullscreen forwarding, what follows a renderer's
// death, its current instance.

#include "repair_client.h"

#include <map>
#include <string>
#include <vector>

#include <QByteArray>

#include <gtest/gtest.h>

#include "engine_recorder.h"
#include "fakes.h"

namespace {

constexpr char kErrorPage[] =
    "<html><body bgcolor=\"white\"><h2>Failed to load </h2></body></html>";
constexpr char kDataUrlPrefix[] = "data:text/html;base64,";

class RepairClientTest : public testing::Test {
 protected:
  void SetUp() override { engine_recorder::Recorded() = {}; }

  CefRefPtr<RepairClient> client_ = new RepairClient(/*use_views=*/true);
};

// Quits once every browser created has closed. The closing browser is
// another object standing for the same browser, matched with IsSame.
TEST_F(RepairClientTest, QuitsOnlyWhenTheLastBrowserCloses) {
  const struct {
    const char* name;
    std::vector<int> created;
    std::vector<int> closed;
    std::vector<int> quits;  // The count after each close.
  } cases[] = {
      {"main browser first", {1, 2}, {1, 2}, {0, 1}},
      {"popup first", {1, 2}, {2, 1}, {0, 1}},
      {"a browser never added", {1}, {7, 1}, {0, 1}},
      {"an empty list", {}, {1}, {1}},
      {"one browser object added twice", {1, 1}, {1, 1}, {0, 1}},
  };
  for (const auto& c : cases) {
    engine_recorder::Recorded() = {};
    std::map<int, CefRefPtr<CefBrowser>> created;
    for (int id : c.created) {
      if (!created[id])
        created[id] = new FakeBrowser(id);
      client_->OnAfterCreated(created[id]);
    }
    std::vector<int> quits;
    for (int id : c.closed) {
      client_->OnBeforeClose(new FakeBrowser(id));
      quits.push_back(engine_recorder::Recorded().quit_count);
    }
    EXPECT_EQ(c.quits, quits) << c.name;
  }
}

TEST_F(RepairClientTest, ListHoldsABrowserReferenceUntilItClosesOrTheEnd) {
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  CefRefPtr<CefBrowser> still_open = new FakeBrowser(2);
  client_->OnAfterCreated(browser);
  client_->OnAfterCreated(still_open);
  EXPECT_FALSE(browser->HasOneRef());

  client_->OnBeforeClose(browser);
  EXPECT_TRUE(browser->HasOneRef());
  EXPECT_FALSE(still_open->HasOneRef());

  // Destruction releases the browsers still listed, without quitting.
  client_ = nullptr;
  EXPECT_TRUE(still_open->HasOneRef());
  EXPECT_EQ(0, engine_recorder::Recorded().quit_count);
}

TEST_F(RepairClientTest, AbortedLoadLeavesTheFrameAlone) {
  CefRefPtr<FakeFrame> frame = new FakeFrame();
  client_->OnLoadError(new FakeBrowser(1), frame, ERR_ABORTED,
                       "net::ERR_ABORTED", "client://web/index.html");
  EXPECT_TRUE(frame->loaded_urls.empty());
}

// The page of a data URL that the client loaded: base64 under percent
// escapes, with no '+', '/' or '=' left unescaped. Fails the test otherwise.
std::string PageOfDataUrl(const std::string& url) {
  EXPECT_EQ(0u, url.rfind(kDataUrlPrefix, 0)) << url;
  const std::string encoded = url.substr(sizeof(kDataUrlPrefix) - 1);
  EXPECT_EQ(std::string::npos, encoded.find_first_of("+/=")) << encoded;
  const QByteArray::FromBase64Result page = QByteArray::fromBase64Encoding(
      QByteArray::fromPercentEncoding(QByteArray::fromStdString(encoded)),
      QByteArray::AbortOnBase64DecodingErrors);
  EXPECT_TRUE(page) << "not base64: " << encoded;
  return page.decoded.toStdString();
}

TEST_F(RepairClientTest, FailedLoadShowsTheErrorPage) {
  for (cef_errorcode_t code :
       {ERR_NAME_NOT_RESOLVED, ERR_FAILED, ERR_CONNECTION_ABORTED}) {
    CefRefPtr<FakeFrame> frame = new FakeFrame();
    client_->OnLoadError(new FakeBrowser(1), frame, code, "some error",
                         "http://failed.example/?q=1");
    ASSERT_EQ(1u, frame->loaded_urls.size()) << "code " << code;
    std::string page = PageOfDataUrl(frame->loaded_urls[0]);
    EXPECT_EQ(66u, page.size());
    EXPECT_EQ(kErrorPage, page);
  }
}

// The first deaths load the start page again in the main frame; from the
// third within a minute on, the fixed message stands instead, whatever the
// status.
TEST_F(RepairClientTest, RendererDeathReloadsTheStartPageUntilItKeepsDying) {
  CefRefPtr<FakeFrame> frame = new FakeFrame();
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1, nullptr, frame);
  for (auto status : {TS_PROCESS_WAS_KILLED, TS_PROCESS_CRASHED, TS_PROCESS_OOM,
                      TS_ABNORMAL_TERMINATION})
    client_->OnRenderProcessTerminated(browser, status);

  const std::vector<std::string>& urls = frame->loaded_urls;
  ASSERT_EQ(4u, urls.size());
  EXPECT_EQ("client://web/index.html", urls[0]);
  EXPECT_EQ("client://web/index.html", urls[1]);
  EXPECT_EQ(urls[2], urls[3]);
  std::string page = PageOfDataUrl(urls[2]);
  for (const char* said :
       {"The display of the repair tool failed", "may still be going on",
        "Do not switch the unit off", "start lumenos-repair-app again"}) {
    EXPECT_NE(std::string::npos, page.find(said)) << said;
  }
  for (const char* loads : {"<script", "src=", "url("})
    EXPECT_EQ(std::string::npos, page.find(loads)) << loads;
  // Its one control, focused at load, leads back to the start page only.
  const std::string link = "<a href=\"client://web/index.html\" autofocus>";
  ASSERT_NE(std::string::npos, page.find(link));
  EXPECT_EQ(page.find("href="), page.rfind("href="));
}

TEST_F(RepairClientTest, RendererDeathWithoutMainFrameIsDropped) {
  client_->OnRenderProcessTerminated(new FakeBrowser(1), TS_PROCESS_CRASHED);
  CefRefPtr<FakeFrame> frame = new FakeFrame();
  client_->OnRenderProcessTerminated(new FakeBrowser(1, nullptr, frame),
                                     TS_PROCESS_CRASHED);
  EXPECT_EQ(std::vector<std::string>{"client://web/index.html"},
            frame->loaded_urls);
}

// Titles and fullscreen changes go to the window of the browser's view, with
// views only; the view itself is not touched (it logs into the same log).
TEST_F(RepairClientTest, TitleAndFullscreenReachOnlyTheBrowsersWindow) {
  const struct {
    const char* name;
    bool use_views;
    bool has_view;
    bool view_in_window;
  } cases[] = {
      {"a browser view in a window", true, true, true},
      {"no browser view", true, false, false},
      {"a browser view outside any window", true, true, false},
      {"without views", false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    engine_recorder::Recorded() = {};
    client_ = nullptr;
    client_ = new RepairClient(c.use_views);
    CallLog log;
    CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
    CefRefPtr<FakeBrowserView> browser_view = new FakeBrowserView(&log);
    CefRefPtr<FakeWindow> window = new FakeWindow(&log);
    if (c.view_in_window)
      browser_view->window = window;
    if (c.has_view)
      engine_recorder::Recorded().browser_views = {{browser, browser_view}};

    client_->OnTitleChange(browser, "Lumenos Repair");
    client_->OnTitleChange(browser, "  later ");
    client_->OnFullscreenModeChange(browser, true);
    client_->OnFullscreenModeChange(browser, false);

    const bool reached = c.use_views && c.has_view && c.view_in_window;
    EXPECT_EQ(
        (reached ? CallLog{"SetTitle(Lumenos Repair)", "SetTitle(  later )",
                           "SetFullscreen(1)", "SetFullscreen(0)"}
                 : CallLog{}),
        log);
  }
}

TEST_F(RepairClientTest, HandsOutItselfAsItsHandlers) {
  // Each compared as the handler part of the client object.
  CefRefPtr<CefClient> as_client = client_;
  EXPECT_EQ(as_client->GetDisplayHandler(), client_);
  EXPECT_EQ(as_client->GetLifeSpanHandler(), client_);
  EXPECT_EQ(as_client->GetLoadHandler(), client_);
  EXPECT_EQ(as_client->GetRequestHandler(), client_);
}

TEST(RepairClientInstanceTest, CurrentFromConstructionToDestruction) {
  ASSERT_EQ(nullptr, RepairClient::GetInstance());
  CefRefPtr<RepairClient> client = new RepairClient(/*use_views=*/true);
  EXPECT_EQ(client.get(), RepairClient::GetInstance());
  client = nullptr;
  EXPECT_EQ(nullptr, RepairClient::GetInstance());
}

}  // namespace
