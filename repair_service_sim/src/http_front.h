#ifndef REPAIR_SERVICE_SIM_SRC_HTTP_FRONT_H_
#define REPAIR_SERVICE_SIM_SRC_HTTP_FRONT_H_

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "sim_clock.h"
#include "simulator.h"

namespace repair_sim {

// Plain HTTP in front of a Simulator: every request of any method and path
// goes to it, and its Reply is written back, late or cut off as it says.
class HttpFront {
 public:
  HttpFront(Simulator* simulator, const SimClock* clock);
  HttpFront(const HttpFront&) = delete;
  HttpFront& operator=(const HttpFront&) = delete;

  // `port` 0 picks a free one. Returns the port bound, or -1.
  int Bind(const std::string& address, int port);
  // Serves until Stop(); returns false if the server failed.
  bool Run();
  // Wakes slow answers and ends Run(). Callable from any thread.
  void Stop();

 private:
  void Serve(const httplib::Request& request, httplib::Response& response);
  void Wait(std::chrono::microseconds duration);

  Simulator* const simulator_;
  const SimClock* const clock_;
  httplib::Server server_;
  socket_t listen_socket_ = INVALID_SOCKET;
  std::mutex mutex_;
  std::condition_variable stop_signal_;
  bool stopping_ = false;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_HTTP_FRONT_H_
