#include "reply.h"

namespace repair_sim {

namespace {

Json StatusBody(int status, std::string_view message) {
  return Json{{"status", status}, {"message", message}};
}

}  // namespace

Reply JsonReply(int http_status, const Json& body) {
  Reply reply;
  reply.http_status = http_status;
  // Replace bad UTF-8 (it can come from a decoded query) rather than throw.
  reply.body = body.dump(-1, ' ', false, Json::error_handler_t::replace);
  return reply;
}

Reply ServiceReply(int status, std::string_view message) {
  return JsonReply(200, StatusBody(status, message));
}

Reply ErrorReply(int http_status, std::string_view message) {
  return JsonReply(http_status, StatusBody(http_status, message));
}

}  // namespace repair_sim
