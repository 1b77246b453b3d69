#include "http_front.h"

#include <sys/socket.h>

#include <exception>

namespace repair_sim {

namespace {

// Slow answers hold a worker each; keep enough for the page's polls.
constexpr size_t kWorkerThreads = 32;

// The library listens with a backlog of 5, which drops connections of a
// burst; Bind() listens again with this one.
constexpr int kListenBacklog = 512;

constexpr char kAnyPath[] = ".*";

std::string QueryOf(const std::string& target) {
  size_t mark = target.find('?');
  return mark == std::string::npos ? "" : target.substr(mark + 1);
}

}  // namespace

HttpFront::HttpFront(Simulator* simulator, const SimClock* clock)
    : simulator_(simulator), clock_(clock) {
  server_.new_task_queue = [] {
    return new httplib::ThreadPool(kWorkerThreads);
  };
  server_.set_socket_options([this](socket_t socket) {
    // Not SO_REUSEPORT: a second instance on the same port must fail.
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    listen_socket_ = socket;
  });
  auto serve = [this](const httplib::Request& request,
                      httplib::Response& response) {
    Serve(request, response);
  };
  server_.Get(kAnyPath, serve);
  server_.Post(kAnyPath, serve);
  server_.Put(kAnyPath, serve);
  server_.Patch(kAnyPath, serve);
  server_.Delete(kAnyPath, serve);
  server_.Options(kAnyPath, serve);
  server_.set_exception_handler([](const httplib::Request&,
                                   httplib::Response& response,
                                   std::exception_ptr) {
    Reply reply = ErrorReply(500, "internal error of the simulator");
    response.status = reply.http_status;
    response.set_content(reply.body, reply.content_type.c_str());
  });
}

int HttpFront::Bind(const std::string& address, int port) {
  int bound = port == 0 ? server_.bind_to_any_port(address.c_str())
              : server_.bind_to_port(address.c_str(), port) ? port
                                                            : -1;
  if (bound > 0)
    ::listen(listen_socket_, kListenBacklog);
  return bound;
}

bool HttpFront::Run() {
  return server_.listen_after_bind();
}

void HttpFront::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stop_signal_.notify_all();
  server_.stop();
}

void HttpFront::Wait(std::chrono::microseconds duration) {
  std::unique_lock<std::mutex> lock(mutex_);
  stop_signal_.wait_for(lock, duration, [this] { return stopping_; });
}

void HttpFront::Serve(const httplib::Request& request,
                      httplib::Response& response) {
  SimRequest sim_request{request.method, request.path, QueryOf(request.target),
                         request.body};
  Reply reply = simulator_->Handle(sim_request);
  if (reply.delay_ms > 0)
    Wait(clock_->ToReal(reply.delay_ms));
  response.status = reply.http_status;
  response.set_header("Access-Control-Allow-Origin", "*");
  if (reply.drop) {
    // Headers promising a body, then a closed connection.
    response.set_content_provider(
        1, "application/json",
        [](size_t, size_t, httplib::DataSink&) { return false; });
    return;
  }
  response.set_content(reply.body, reply.content_type.c_str());
}

}  // namespace repair_sim
