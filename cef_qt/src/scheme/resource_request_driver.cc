#include "scheme/resource_request_driver.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "scheme/response_impl.h"

namespace cef_qt {

// Holds the driver for one callback and posts the callback's first answer
// to the driving thread; later answers are dropped.
class ResourceRequestDriver::OnceForwarder {
 public:
  explicit OnceForwarder(std::shared_ptr<ResourceRequestDriver> driver)
      : driver_(std::move(driver)) {}

  void Post(std::function<void(ResourceRequestDriver&)> answer) {
    std::shared_ptr<ResourceRequestDriver> driver;
    {
      std::lock_guard<std::mutex> hold(lock_);
      driver.swap(driver_);
    }
    if (!driver)
      return;
    Executor& executor = driver->executor_;
    executor([driver, answer = std::move(answer)] { answer(*driver); });
  }

 private:
  std::mutex lock_;
  std::shared_ptr<ResourceRequestDriver> driver_;
};

// Lent to Open, ProcessRequest and ReadResponse. Forwards its first Continue
// or Cancel to the driving thread; released without either, it cancels, so
// that a handler that forgets its callback cannot leave the request hanging.
class ResourceRequestDriver::StepCallback : public CefCallback {
 public:
  StepCallback(std::shared_ptr<ResourceRequestDriver> driver, uint64 step)
      : forwarder_(std::move(driver)), step_(step) {}
  ~StepCallback() override { Forward(false); }

  // CefCallback:
  void Continue() override { Forward(true); }
  void Cancel() override { Forward(false); }

 private:
  void Forward(bool proceed) {
    forwarder_.Post([step = step_, proceed](ResourceRequestDriver& driver) {
      driver.OnStepCallback(step, proceed);
    });
  }

  OnceForwarder forwarder_;
  const uint64 step_;

  IMPLEMENT_REFCOUNTING(StepCallback);
};

// Lent to Read. Forwards its first Continue to the driving thread; released
// without one, it fails the read.
class ResourceRequestDriver::ReadCallback : public CefResourceReadCallback {
 public:
  ReadCallback(std::shared_ptr<ResourceRequestDriver> driver, uint64 step)
      : forwarder_(std::move(driver)), step_(step) {}
  ~ReadCallback() override { Forward(ERR_ABORTED); }

  // CefResourceReadCallback:
  void Continue(int bytes_read) override { Forward(bytes_read); }

 private:
  void Forward(int bytes_read) {
    forwarder_.Post([step = step_, bytes_read](ResourceRequestDriver& driver) {
      driver.OnReadContinued(step, bytes_read);
    });
  }

  OnceForwarder forwarder_;
  const uint64 step_;

  IMPLEMENT_REFCOUNTING(ReadCallback);
};

ResourceRequestDriver::ResourceRequestDriver(
    CefRefPtr<CefResourceHandler> handler,
    CefRefPtr<CefRequest> request,
    std::unique_ptr<Client> client,
    Executor executor)
    : handler_(std::move(handler)),
      request_(std::move(request)),
      client_(std::move(client)),
      executor_(std::move(executor)) {}

ResourceRequestDriver::~ResourceRequestDriver() {
  if (handler_ && state_ != State::kIdle)
    handler_->Cancel();
}

void ResourceRequestDriver::Start() {
  bool handle_request = false;
  const bool opened = handler_->Open(
      request_, handle_request, new StepCallback(shared_from_this(), ++step_));
  if (handle_request) {
    // Handled now, or cancelled now.
    opened ? ReadHeaders() : Fail(ERR_FAILED);
    return;
  }
  state_ = State::kWaitingForOpen;
  if (opened)
    return;  // The handler decides later through the callback.
  if (!handler_->ProcessRequest(
          request_, new StepCallback(shared_from_this(), ++step_))) {
    Fail(ERR_FAILED);  // Declined.
  }
}

void ResourceRequestDriver::Cancel() {
  if (state_ == State::kDone)
    return;
  CefRefPtr<CefResourceHandler> handler = handler_;
  Finish();
  if (handler)
    handler->Cancel();
}

void ResourceRequestDriver::OnStepCallback(uint64 step, bool proceed) {
  if (step != step_)
    return;
  if (state_ == State::kWaitingForOpen) {
    proceed ? ReadHeaders() : Fail(ERR_FAILED);
  } else if (state_ == State::kWaitingForRead && use_read_response_) {
    proceed ? ReadBody() : Fail(ERR_FAILED);
  }
}

void ResourceRequestDriver::OnReadContinued(uint64 step, int bytes_read) {
  if (step != step_ || state_ != State::kWaitingForRead || use_read_response_)
    return;
  if (bytes_read > 0) {
    if (TakeBytes(bytes_read))
      ReadBody();
  } else if (bytes_read == 0) {
    Complete();
  } else {
    Fail(static_cast<cef_errorcode_t>(bytes_read));
  }
}

void ResourceRequestDriver::ReadHeaders() {
  CefRefPtr<CefResponse> response = new ResponseImpl();
  int64 length = -1;
  CefString redirect_url;
  handler_->GetResponseHeaders(response, length, redirect_url);

  if (!redirect_url.empty()) {
    Finish();
    client_->OnRedirect(redirect_url.ToString());
    return;
  }
  status_ = response->GetStatus();
  mime_type_ = response->GetMimeType().ToString();
  expected_length_ = length;
  buffer_.resize(kReadSize);
  ReadBody();
}

void ResourceRequestDriver::ReadBody() {
  state_ = State::kReading;
  while (state_ == State::kReading) {
    const int size = NextReadSize();
    if (size == 0) {
      Complete();
      return;
    }
    int bytes_read = 0;
    const uint64 step = ++step_;
    const bool more =
        use_read_response_
            ? handler_->ReadResponse(&buffer_[0], size, bytes_read,
                                     new StepCallback(shared_from_this(), step))
            : handler_->Read(&buffer_[0], size, bytes_read,
                             new ReadCallback(shared_from_this(), step));
    if (more) {
      if (bytes_read == 0) {
        state_ = State::kWaitingForRead;  // Data comes later.
      } else if (bytes_read < 0) {
        Fail(static_cast<cef_errorcode_t>(bytes_read));
      } else {
        TakeBytes(bytes_read);
      }
    } else if (!use_read_response_ && bytes_read == -1) {
      use_read_response_ = true;  // Read is not implemented.
    } else if (bytes_read < 0) {
      Fail(static_cast<cef_errorcode_t>(bytes_read));
    } else if (bytes_read == 0 || TakeBytes(bytes_read)) {
      Complete();
    }
  }
}

bool ResourceRequestDriver::TakeBytes(int bytes_read) {
  if (bytes_read > NextReadSize()) {
    Fail(ERR_FAILED);
    return false;
  }
  body_.append(buffer_.data(), static_cast<size_t>(bytes_read));
  return true;
}

int ResourceRequestDriver::NextReadSize() const {
  if (expected_length_ < 0)
    return kReadSize;
  const int64 left = expected_length_ -
                     static_cast<int64>(std::min<size_t>(
                         body_.size(), static_cast<size_t>(expected_length_)));
  return static_cast<int>(std::min<int64>(left, kReadSize));
}

void ResourceRequestDriver::Complete() {
  Finish();
  client_->OnResponse(status_, mime_type_, std::move(body_));
}

void ResourceRequestDriver::Fail(cef_errorcode_t error) {
  Finish();
  client_->OnFailure(error);
}

void ResourceRequestDriver::Finish() {
  state_ = State::kDone;
  handler_ = nullptr;
}

}  // namespace cef_qt
