// Runs one request through a CefResourceHandler the way CEF does: Open (or
// the older ProcessRequest), GetResponseHeaders, then Read (or the older
// ReadResponse) until the handler says the body is complete. Knows nothing
// of Qt, so that the contract can be tested without a browser.

#ifndef CEF_QT_SRC_SCHEME_RESOURCE_REQUEST_DRIVER_H_
#define CEF_QT_SRC_SCHEME_RESOURCE_REQUEST_DRIVER_H_

#include <functional>
#include <memory>
#include <string>

#include "include/cef_resource_handler.h"

namespace cef_qt {

class ResourceRequestDriver
    : public std::enable_shared_from_this<ResourceRequestDriver> {
 public:
  // Learns how the request ended; exactly one call, on the driving thread,
  // unless the request was cancelled first.
  class Client {
   public:
    virtual ~Client() = default;
    virtual void OnResponse(int status,
                            const std::string& mime_type,
                            std::string body) = 0;
    virtual void OnRedirect(const std::string& url) = 0;
    virtual void OnFailure(cef_errorcode_t error) = 0;
  };

  // Runs a task later, never inline, on the driving thread; may be called
  // from any thread. The handler's callbacks resume the request through it.
  using Executor = std::function<void(std::function<void()>)>;

  // How many bytes one Read may hand out.
  static constexpr int kReadSize = 32 * 1024;

  ResourceRequestDriver(CefRefPtr<CefResourceHandler> handler,
                        CefRefPtr<CefRequest> request,
                        std::unique_ptr<Client> client,
                        Executor executor);
  ResourceRequestDriver(const ResourceRequestDriver&) = delete;
  ResourceRequestDriver& operator=(const ResourceRequestDriver&) = delete;
  ~ResourceRequestDriver();

  // Opens the request. Call once, on the driving thread, with the driver held
  // by a std::shared_ptr.
  void Start();

  // The request went away: tells the handler and reports nothing.
  void Cancel();

 private:
  enum class State {
    kIdle,
    kWaitingForOpen,
    kReading,
    kWaitingForRead,
    kDone,
  };
  class OnceForwarder;
  class StepCallback;
  class ReadCallback;

  // Every call that lends the handler a callback is a new step; a callback
  // of an earlier step is stale and ignored.
  void OnStepCallback(uint64 step, bool proceed);
  void OnReadContinued(uint64 step, int bytes_read);
  void ReadHeaders();
  void ReadBody();
  // Takes |bytes_read| bytes from the buffer; fails the request and answers
  // false if the handler claims more than it was given room for.
  bool TakeBytes(int bytes_read);
  int NextReadSize() const;
  void Complete();
  void Fail(cef_errorcode_t error);
  // Drops the handler; nothing is called on it from here on.
  void Finish();

  CefRefPtr<CefResourceHandler> handler_;
  CefRefPtr<CefRequest> request_;
  std::unique_ptr<Client> client_;
  Executor executor_;

  State state_ = State::kIdle;
  uint64 step_ = 0;
  bool use_read_response_ = false;
  int status_ = 0;
  std::string mime_type_;
  int64 expected_length_ = -1;
  std::string buffer_;
  std::string body_;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_RESOURCE_REQUEST_DRIVER_H_
