#ifndef REPAIR_SERVICE_SIM_SRC_REPLY_H_
#define REPAIR_SERVICE_SIM_SRC_REPLY_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "json.h"

namespace repair_sim {

// A request as the HTTP front hands it over: the path already decoded, the
// query as sent.
struct SimRequest {
  std::string method;
  std::string path;
  std::string query;
  std::string body;
};

// What the HTTP front sends back.
struct Reply {
  int http_status = 200;
  std::string content_type = "application/json";
  std::string body;
  // Simulated time to wait before answering.
  int64_t delay_ms = 0;
  // Close the connection after the headers, with the body missing.
  bool drop = false;
};

Reply JsonReply(int http_status, const Json& body);
// An answer of the service: HTTP 200 carrying the JSON "status".
Reply ServiceReply(int status, std::string_view message);
// An HTTP error whose JSON body repeats the HTTP status.
Reply ErrorReply(int http_status, std::string_view message);

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_REPLY_H_
