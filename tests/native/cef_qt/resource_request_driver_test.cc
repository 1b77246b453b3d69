#include "scheme/resource_request_driver.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "gtest/gtest.h"
#include "include/cef_request.h"
#include "scheme/request_impl.h"

namespace cef_qt {
namespace {

// The driving thread's task queue; tasks may be posted from any thread.
class TaskQueue {
 public:
  ResourceRequestDriver::Executor Executor() {
    return [this](std::function<void()> task) {
      std::lock_guard<std::mutex> hold(lock_);
      tasks_.push_back(std::move(task));
    };
  }

  void RunAll() {
    for (;;) {
      std::function<void()> task;
      {
        std::lock_guard<std::mutex> hold(lock_);
        if (tasks_.empty())
          return;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
  }

 private:
  std::mutex lock_;
  std::deque<std::function<void()>> tasks_;
};

// What the client heard, one entry per call.
using Heard = std::vector<std::string>;

std::string Response(const std::string& body,
                     const std::string& mime_type = "image/png",
                     int status = 200) {
  return "response " + std::to_string(status) + " " + mime_type + ": " + body;
}
std::string Failure(cef_errorcode_t error) {
  return "failure " + std::to_string(error);
}

class RecordingClient : public ResourceRequestDriver::Client {
 public:
  explicit RecordingClient(Heard* heard) : heard_(heard) {}

  void OnResponse(int status,
                  const std::string& mime_type,
                  std::string body) override {
    heard_->push_back(Response(body, mime_type, status));
  }
  void OnRedirect(const std::string& url) override {
    heard_->push_back("redirect " + url);
  }
  void OnFailure(cef_errorcode_t error) override {
    heard_->push_back(Failure(error));
  }

 private:
  Heard* const heard_;
};

// Opens at once, the way the program's handler does.
bool OpenNow(bool& handle_request, CefRefPtr<CefCallback> callback) {
  handle_request = true;
  callback->Continue();
  return true;
}

// A handler whose steps the test scripts; it opens at once with status 200
// and type image/png, and other unscripted steps keep CEF's defaults.
// Records the thread of every call.
class ScriptedHandler : public CefResourceHandler {
 public:
  std::function<bool(bool&, CefRefPtr<CefCallback>)> open = OpenNow;
  std::function<bool(CefRefPtr<CefCallback>)> process_request;
  std::function<void(CefRefPtr<CefResponse>, int64&, CefString&)> headers =
      [](CefRefPtr<CefResponse> response, int64& length, CefString&) {
        response->SetStatus(200);
        response->SetMimeType("image/png");
      };
  std::function<bool(void*, int, int&, CefRefPtr<CefResourceReadCallback>)>
      read;
  std::function<bool(void*, int, int&, CefRefPtr<CefCallback>)> read_response;

  int reads = 0;
  int cancels = 0;
  bool other_thread_call = false;

  bool Open(CefRefPtr<CefRequest> request,
            bool& handle_request,
            CefRefPtr<CefCallback> callback) override {
    Note();
    return open ? open(handle_request, callback)
                : CefResourceHandler::Open(request, handle_request, callback);
  }
  bool ProcessRequest(CefRefPtr<CefRequest> request,
                      CefRefPtr<CefCallback> callback) override {
    Note();
    return process_request
               ? process_request(callback)
               : CefResourceHandler::ProcessRequest(request, callback);
  }
  void GetResponseHeaders(CefRefPtr<CefResponse> response,
                          int64& response_length,
                          CefString& redirectUrl) override {
    Note();
    headers(response, response_length, redirectUrl);
  }
  bool Read(void* data_out,
            int bytes_to_read,
            int& bytes_read,
            CefRefPtr<CefResourceReadCallback> callback) override {
    Note();
    ++reads;
    return read ? read(data_out, bytes_to_read, bytes_read, callback)
                : CefResourceHandler::Read(data_out, bytes_to_read, bytes_read,
                                           callback);
  }
  bool ReadResponse(void* data_out,
                    int bytes_to_read,
                    int& bytes_read,
                    CefRefPtr<CefCallback> callback) override {
    Note();
    return read_response
               ? read_response(data_out, bytes_to_read, bytes_read, callback)
               : CefResourceHandler::ReadResponse(data_out, bytes_to_read,
                                                  bytes_read, callback);
  }
  void Cancel() override {
    Note();
    ++cancels;
  }

 private:
  void Note() {
    other_thread_call |= std::this_thread::get_id() != driving_thread_;
  }

  const std::thread::id driving_thread_ = std::this_thread::get_id();

  IMPLEMENT_REFCOUNTING(ScriptedHandler);
};

// Hands |body| out in pieces of at most the buffer's size, then ends.
auto ReadFrom(std::string body) {
  auto offset = std::make_shared<size_t>(0);
  return [body, offset](void* data_out, int bytes_to_read, int& bytes_read,
                        CefRefPtr<CefResourceReadCallback>) {
    bytes_read = static_cast<int>(
        std::min<size_t>(bytes_to_read, body.size() - *offset));
    memcpy(data_out, body.data() + *offset, bytes_read);
    *offset += bytes_read;
    return bytes_read > 0;
  };
}

class ResourceRequestDriverTest : public testing::Test {
 protected:
  // Starts a request to |handler_|; what the client heard before is forgotten.
  void Start() {
    heard_.clear();
    driver_ = std::make_shared<ResourceRequestDriver>(
        handler_, new RequestImpl(), std::make_unique<RecordingClient>(&heard_),
        tasks_.Executor());
    driver_->Start();
  }

  // Makes Open decide later: keeps the callback in |pending_open_|.
  void DeferOpen() {
    handler_->open = [this](bool&, CefRefPtr<CefCallback> callback) {
      pending_open_ = callback;
      return true;
    };
  }

  // Makes the first Read wait: keeps its callback in |pending_read_| and its
  // buffer in |pending_buffer_|. The next Read ends the body.
  void DeferRead() {
    handler_->read = [this](void* data_out, int, int& bytes_read,
                            CefRefPtr<CefResourceReadCallback> callback) {
      bytes_read = 0;
      if (pending_buffer_)
        return false;
      pending_read_ = callback;
      pending_buffer_ = data_out;
      return true;
    };
  }

  // Runs |call| on another thread, then the driving thread's tasks.
  void FromOtherThread(std::function<void()> call) {
    std::thread(std::move(call)).join();
    tasks_.RunAll();
  }

  // Starts the request: the client hears nothing until |answer| has run on
  // another thread, then |expected|; the handler was called on this thread
  // only.
  void ExpectHeardOnlyAfter(const Heard& expected,
                            std::function<void()> answer) {
    Start();
    tasks_.RunAll();
    EXPECT_EQ(heard_, Heard{});
    FromOtherThread(std::move(answer));
    EXPECT_EQ(heard_, expected);
    EXPECT_FALSE(handler_->other_thread_call);
  }

  TaskQueue tasks_;
  CefRefPtr<ScriptedHandler> handler_ = new ScriptedHandler();
  std::shared_ptr<ResourceRequestDriver> driver_;
  CefRefPtr<CefCallback> pending_open_;
  CefRefPtr<CefResourceReadCallback> pending_read_;
  void* pending_buffer_ = nullptr;
  Heard heard_;
};

TEST_F(ResourceRequestDriverTest, ImmediateOpenReadsTheWholeBody) {
  std::string body(3 * ResourceRequestDriver::kReadSize + 17, 'x');
  for (size_t i = 0; i < body.size(); ++i)
    body[i] = static_cast<char>(i * 7);
  handler_->read = ReadFrom(body);
  Start();
  tasks_.RunAll();  // The Continue from Open changes nothing.

  EXPECT_EQ(heard_, Heard{Response(body)});
  EXPECT_EQ(handler_->reads, 5);
  EXPECT_EQ(handler_->cancels, 0);
  EXPECT_TRUE(handler_->HasOneRef());  // Released once done.
}

TEST_F(ResourceRequestDriverTest, DeferredOpenWaitsForContinueFromAnyThread) {
  DeferOpen();
  handler_->read = ReadFrom("later");
  ExpectHeardOnlyAfter(Heard{Response("later")}, [&] {
    pending_open_->Continue();
    pending_open_->Continue();
    pending_open_ = nullptr;
  });
}

TEST_F(ResourceRequestDriverTest, DeferredOpenCancelledFails) {
  DeferOpen();
  Start();
  FromOtherThread([&] { pending_open_->Cancel(); });
  EXPECT_EQ(heard_, Heard{Failure(ERR_FAILED)});
  EXPECT_EQ(handler_->reads, 0);
}

// Open answers that let nothing be read fail the request, without hanging;
// only a declined Open falls back to ProcessRequest (here declining too).
TEST_F(ResourceRequestDriverTest, OpenWithoutAGoAheadFails) {
  const struct {
    const char* name;
    bool answer;
    bool handle_request;
    bool asks_process_request;
  } cases[] = {
      {"decides later, then forgets the callback", true, false, false},
      {"declined", false, false, true},
      {"cancelled", false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    handler_ = new ScriptedHandler();
    bool asked = false;
    handler_->open = [&](bool& handle_request, CefRefPtr<CefCallback>) {
      handle_request = c.handle_request;
      return c.answer;
    };
    handler_->process_request = [&](CefRefPtr<CefCallback>) {
      asked = true;
      return false;
    };
    Start();
    tasks_.RunAll();
    EXPECT_EQ(heard_, Heard{Failure(ERR_FAILED)});
    EXPECT_EQ(asked, c.asks_process_request);
  }
}

TEST_F(ResourceRequestDriverTest, DeclinedOpenFallsBackToProcessRequest) {
  CefRefPtr<CefCallback> pending;
  handler_->open = nullptr;  // CEF's default: declined, not handled.
  handler_->process_request = [&](CefRefPtr<CefCallback> callback) {
    pending = callback;
    return true;
  };
  handler_->read = ReadFrom("old style");
  ExpectHeardOnlyAfter(Heard{Response("old style")},
                       [&] { pending->Continue(); });
}

TEST_F(ResourceRequestDriverTest, HeadersWithARedirectRedirect) {
  handler_->headers = [](CefRefPtr<CefResponse>, int64&,
                         CefString& redirect_url) {
    redirect_url = "client://web/index.html";
  };
  Start();
  EXPECT_EQ(heard_, Heard{"redirect client://web/index.html"});
  EXPECT_EQ(handler_->reads, 0);
}

TEST_F(ResourceRequestDriverTest, KnownLengthEndsTheBody) {
  handler_->headers = [](CefRefPtr<CefResponse>, int64& length, CefString&) {
    length = 4;
  };
  handler_->read = ReadFrom("abcdefgh");
  Start();
  EXPECT_EQ(heard_, Heard{Response("abcd", "", 0)});  // Status and type unset.
  EXPECT_EQ(handler_->reads, 1);
}

TEST_F(ResourceRequestDriverTest, ReadErrorsFail) {
  handler_->read = [](void*, int, int& bytes_read,
                      CefRefPtr<CefResourceReadCallback>) {
    bytes_read = ERR_TIMED_OUT;
    return false;
  };
  Start();
  EXPECT_EQ(heard_, Heard{Failure(ERR_TIMED_OUT)});

  handler_ = new ScriptedHandler();
  handler_->read = [](void*, int bytes_to_read, int& bytes_read,
                      CefRefPtr<CefResourceReadCallback>) {
    bytes_read = bytes_to_read + 1;  // More than there was room for.
    return true;
  };
  Start();
  EXPECT_EQ(heard_, Heard{Failure(ERR_FAILED)});

  handler_ = new ScriptedHandler();
  DeferRead();
  Start();
  FromOtherThread([&] { pending_read_->Continue(ERR_CONNECTION_RESET); });
  EXPECT_EQ(heard_, Heard{Failure(ERR_CONNECTION_RESET)});
}

TEST_F(ResourceRequestDriverTest, AsyncReadContinuesFromAnyThread) {
  DeferRead();
  ExpectHeardOnlyAfter(Heard{Response("async")}, [&] {
    memcpy(pending_buffer_, "async", 5);
    pending_read_->Continue(5);
    pending_read_ = nullptr;
  });
}

TEST_F(ResourceRequestDriverTest, WithoutReadTheOlderReadResponseServes) {
  bool served = false;
  handler_->read_response = [&](void* data_out, int, int& bytes_read,
                                CefRefPtr<CefCallback>) {
    bytes_read = served ? 0 : 3;
    memcpy(data_out, "old", bytes_read);
    served = true;
    return bytes_read > 0;
  };
  Start();
  EXPECT_EQ(heard_, Heard{Response("old")});
}

TEST_F(ResourceRequestDriverTest, CancelTellsTheHandlerOnceAndReportsNothing) {
  DeferOpen();
  Start();
  driver_->Cancel();
  driver_->Cancel();
  FromOtherThread([&] { pending_open_->Continue(); });
  EXPECT_EQ(handler_->cancels, 1);
  EXPECT_EQ(heard_, Heard{});
  EXPECT_EQ(handler_->reads, 0);
}

}  // namespace
}  // namespace cef_qt
