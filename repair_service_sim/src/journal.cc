#include "journal.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "query.h"

namespace repair_sim {

namespace {

Json DecodedParams(const std::string& raw_query) {
  std::string error;
  std::optional<Query> query = Query::Parse(raw_query, &error);
  if (!query)
    return nullptr;
  Json params = Json::object();
  for (const auto& [key, value] : query->pairs())
    params[key] = value;
  return params;
}

}  // namespace

std::string FormatUtcNow() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                    now.time_since_epoch())
                    .count() %
                1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof(text), "%Y-%m-%dT%H:%M:%S", &utc);
  char with_millis[40];
  std::snprintf(with_millis, sizeof(with_millis), "%s.%03dZ", text,
                static_cast<int>(millis));
  return with_millis;
}

bool Journal::OpenFile(const std::string& path, std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  file_.open(path, std::ios::app);
  if (!file_) {
    *error = "cannot open journal file " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void Journal::Record(const SimRequest& request, const Reply& reply) {
  Json answer = reply.drop ? Json{{"dropped", true}}
                           : Json{{"http_status", reply.http_status},
                                  {"body", reply.body}};
  Json entry = {
      {"method", request.method}, {"path", request.path},
      {"query", request.query},   {"params", DecodedParams(request.query)},
      {"time", FormatUtcNow()},   {"answer", std::move(answer)}};
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_.is_open()) {
    file_ << entry.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n'
          << std::flush;
  }
  entries_.push_back(std::move(entry));
}

Json Journal::Entries() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return Json(entries_);
}

void Journal::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.clear();
}

}  // namespace repair_sim
