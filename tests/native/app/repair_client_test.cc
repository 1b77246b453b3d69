// The client handler: browser bookkeeping, the end of the message loop, the
// error page, title and fullscreen forwarding, what follows a renderer's
// death, its current instance.

#include "repair_client.h"

#include <string>

#include <gtest/gtest.h>

#include "engine_recorder.h"
#include "fakes.h"

namespace {

constexpr char kErrorPage[] =
    "<html><body bgcolor=\"white\"><h2>Failed to load </h2></body></html>";
constexpr char kDataUrlPrefix[] = "data:text/html;base64,";

class RepairClientTest : public testing::Test {
 protected:
  void SetUp() override { engine_recorder::Reset(); }

  CefRefPtr<RepairClient> client_ = new RepairClient(/*use_views=*/true);
};

// Decodes RFC 4648 base64; fails the test on a character outside it.
std::string DecodeBase64(const std::string& text) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned int bits = 0;
  int bit_count = 0;
  for (char c : text) {
    if (c == '=')
      break;
    size_t value = kAlphabet.find(c);
    EXPECT_NE(std::string::npos, value) << "not base64: " << c;
    bits = (bits << 6) | static_cast<unsigned int>(value);
    bit_count += 6;
    if (bit_count >= 8) {
      bit_count -= 8;
      bytes += static_cast<char>((bits >> bit_count) & 0xFF);
    }
  }
  return bytes;
}

// Undoes %XX escapes; fails the test on a malformed one.
std::string DecodePercent(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    EXPECT_LE(i + 3, text.size()) << "truncated escape in " << text;
    if (i + 3 > text.size())
      break;
    out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return out;
}

TEST_F(RepairClientTest, QuitsOnlyWhenTheLastBrowserCloses) {
  for (bool main_browser_first : {true, false}) {
    engine_recorder::Reset();
    CefRefPtr<CefBrowser> main_browser = new FakeBrowser(1);
    CefRefPtr<CefBrowser> popup = new FakeBrowser(2);
    client_->OnAfterCreated(main_browser);
    client_->OnAfterCreated(popup);

    client_->OnBeforeClose(main_browser_first ? main_browser : popup);
    EXPECT_EQ(0, engine_recorder::QuitCount());
    client_->OnBeforeClose(main_browser_first ? popup : main_browser);
    EXPECT_EQ(1, engine_recorder::QuitCount());
  }
}

TEST_F(RepairClientTest, MatchesTheClosingBrowserWithIsSame) {
  client_->OnAfterCreated(new FakeBrowser(1));
  client_->OnAfterCreated(new FakeBrowser(2));

  // Other objects standing for the same browsers.
  client_->OnBeforeClose(new FakeBrowser(2));
  EXPECT_EQ(0, engine_recorder::QuitCount());
  client_->OnBeforeClose(new FakeBrowser(1));
  EXPECT_EQ(1, engine_recorder::QuitCount());
}

TEST_F(RepairClientTest, BrowserNeverAddedChangesNothing) {
  client_->OnAfterCreated(new FakeBrowser(1));

  client_->OnBeforeClose(new FakeBrowser(7));
  EXPECT_EQ(0, engine_recorder::QuitCount());
  client_->OnBeforeClose(new FakeBrowser(1));
  EXPECT_EQ(1, engine_recorder::QuitCount());
}

TEST_F(RepairClientTest, EmptyListStillQuits) {
  client_->OnBeforeClose(new FakeBrowser(1));
  EXPECT_EQ(1, engine_recorder::QuitCount());
}

TEST_F(RepairClientTest, SameBrowserAddedTwiceNeedsTwoCloses) {
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  client_->OnAfterCreated(browser);
  client_->OnAfterCreated(browser);

  client_->OnBeforeClose(browser);
  EXPECT_EQ(0, engine_recorder::QuitCount());
  client_->OnBeforeClose(browser);
  EXPECT_EQ(1, engine_recorder::QuitCount());
}

TEST_F(RepairClientTest, ListHoldsABrowserReferenceUntilItCloses) {
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  client_->OnAfterCreated(browser);
  EXPECT_FALSE(browser->HasOneRef());

  client_->OnBeforeClose(browser);
  EXPECT_TRUE(browser->HasOneRef());
}

TEST_F(RepairClientTest, DestructionReleasesBrowsersStillListed) {
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  client_->OnAfterCreated(browser);
  client_ = nullptr;

  EXPECT_TRUE(browser->HasOneRef());
  EXPECT_EQ(0, engine_recorder::QuitCount());
}

TEST_F(RepairClientTest, AbortedLoadLeavesTheFrameAlone) {
  CefRefPtr<FakeFrame> frame = new FakeFrame();
  client_->OnLoadError(new FakeBrowser(1), frame, ERR_ABORTED,
                       "net::ERR_ABORTED", "client://web/index.html");
  EXPECT_TRUE(frame->loaded_urls().empty());
}

// The page of a data URL that the client loaded.
std::string PageOfDataUrl(const std::string& url) {
  EXPECT_EQ(0u, url.find(kDataUrlPrefix)) << url;
  if (url.find(kDataUrlPrefix) != 0)
    return std::string();
  std::string encoded = url.substr(sizeof(kDataUrlPrefix) - 1);
  EXPECT_EQ(std::string::npos, encoded.find_first_of("+/=")) << encoded;
  return DecodeBase64(DecodePercent(encoded));
}

TEST_F(RepairClientTest, FailedLoadShowsTheErrorPage) {
  for (cef_errorcode_t code :
       {ERR_NAME_NOT_RESOLVED, ERR_FAILED, ERR_CONNECTION_ABORTED}) {
    CefRefPtr<FakeFrame> frame = new FakeFrame();
    client_->OnLoadError(new FakeBrowser(1), frame, code, "some error",
                         "http://failed.example/?q=1");
    ASSERT_EQ(1u, frame->loaded_urls().size()) << "code " << code;
    std::string page = PageOfDataUrl(frame->loaded_urls()[0]);
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

  const std::vector<std::string>& urls = frame->loaded_urls();
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
            frame->loaded_urls());
}

TEST_F(RepairClientTest, TitleAndFullscreenReachTheBrowsersWindow) {
  CallLog log;
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  CefRefPtr<FakeBrowserView> browser_view = new FakeBrowserView(&log);
  CefRefPtr<FakeWindow> window = new FakeWindow(&log);
  browser_view->set_window(window);
  engine_recorder::SetBrowserViewFor(browser, browser_view);

  client_->OnTitleChange(browser, "Lumenos Repair");
  client_->OnTitleChange(browser, "  later ");
  client_->OnFullscreenModeChange(browser, true);
  client_->OnFullscreenModeChange(browser, false);

  EXPECT_EQ((std::vector<std::string>{"Lumenos Repair", "  later "}),
            window->titles());
  EXPECT_EQ((std::vector<bool>{true, false}), window->fullscreen_changes());
}

TEST_F(RepairClientTest, TitleAndFullscreenWithoutWindowAreDropped) {
  CallLog log;
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);

  // No browser view.
  client_->OnTitleChange(browser, "title");
  client_->OnFullscreenModeChange(browser, true);

  // A browser view outside any window.
  CefRefPtr<FakeBrowserView> browser_view = new FakeBrowserView(&log);
  engine_recorder::SetBrowserViewFor(browser, browser_view);
  client_->OnTitleChange(browser, "title");
  client_->OnFullscreenModeChange(browser, true);

  EXPECT_TRUE(log.empty());
}

TEST_F(RepairClientTest, WithoutViewsTitleAndFullscreenAreIgnored) {
  client_ = nullptr;
  CefRefPtr<RepairClient> client = new RepairClient(/*use_views=*/false);
  CallLog log;
  CefRefPtr<CefBrowser> browser = new FakeBrowser(1);
  CefRefPtr<FakeBrowserView> browser_view = new FakeBrowserView(&log);
  CefRefPtr<FakeWindow> window = new FakeWindow(&log);
  browser_view->set_window(window);
  engine_recorder::SetBrowserViewFor(browser, browser_view);

  client->OnTitleChange(browser, "title");
  client->OnFullscreenModeChange(browser, true);
  EXPECT_TRUE(window->titles().empty());
  EXPECT_TRUE(window->fullscreen_changes().empty());
}

TEST_F(RepairClientTest, HandsOutItselfAsItsHandlers) {
  CefRefPtr<CefClient> as_client = client_;
  EXPECT_EQ(static_cast<CefDisplayHandler*>(client_.get()),
            as_client->GetDisplayHandler().get());
  EXPECT_EQ(static_cast<CefLifeSpanHandler*>(client_.get()),
            as_client->GetLifeSpanHandler().get());
  EXPECT_EQ(static_cast<CefLoadHandler*>(client_.get()),
            as_client->GetLoadHandler().get());
  EXPECT_EQ(static_cast<CefRequestHandler*>(client_.get()),
            as_client->GetRequestHandler().get());
}

TEST(RepairClientInstanceTest, CurrentFromConstructionToDestruction) {
  ASSERT_EQ(nullptr, RepairClient::GetInstance());
  CefRefPtr<RepairClient> client = new RepairClient(/*use_views=*/true);
  EXPECT_EQ(client.get(), RepairClient::GetInstance());
  client = nullptr;
  EXPECT_EQ(nullptr, RepairClient::GetInstance());
}

}  // namespace
