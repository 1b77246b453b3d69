#include "repair_service.h"

#include <utility>

namespace repair_sim {

namespace {

// Where an action request carries the image key and the scan uuid. The
// page sends a factory reset's image key as "efi" and its scan uuid as
// "image".
struct ActionKeys {
  std::string_view image;
  std::string_view scan;
  bool has_delay;
};

ActionKeys KeysOf(OperationKind kind) {
  switch (kind) {
    case OperationKind::kFactoryReset:
      return {"efi", "image", false};
    case OperationKind::kReboot:
      return {"image", "scanuuid", true};
    default:
      return {"image", "scanuuid", false};
  }
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string Capitalized(std::string_view text) {
  std::string result(text);
  if (!result.empty() && result[0] >= 'a' && result[0] <= 'z')
    result[0] = static_cast<char>(result[0] - 'a' + 'A');
  return result;
}

void ReplaceAll(std::string* text,
                std::string_view placeholder,
                const std::string& value) {
  for (size_t at = text->find(placeholder); at != std::string::npos;
       at = text->find(placeholder, at + value.size())) {
    text->replace(at, placeholder.size(), value);
  }
}

// Fills "{disc}", "{image}" and "{delay}" in every text of the script.
OperationScript Substituted(OperationScript script,
                            const std::string& disc,
                            const std::string& image,
                            const std::string& delay) {
  auto fill = [&](std::string* text) {
    ReplaceAll(text, "{disc}", disc);
    ReplaceAll(text, "{image}", image);
    ReplaceAll(text, "{delay}", delay);
  };
  fill(&script.message);
  fill(&script.final_line);
  for (std::string& line : script.status_lines)
    fill(&line);
  for (std::string& line : script.log_lines)
    fill(&line);
  return script;
}

Json OsList(const Scenario& scenario) {
  Json os_list = Json::object();
  for (const Disc& disc : scenario.discs)
    os_list[disc.key] = {{"disc", disc.label}, {"images", disc.images}};
  return os_list;
}

size_t ImageCount(const Scenario& scenario) {
  size_t count = 0;
  for (const Disc& disc : scenario.discs)
    count += disc.images.size();
  return count;
}

Reply FaultReply(const Fault& fault) {
  switch (fault.kind) {
    case FaultKind::kRefusal:
    case FaultKind::kStillRunning:
      return ServiceReply(fault.code, fault.text);
    case FaultKind::kHttpError:
      return ErrorReply(fault.code, fault.text);
    case FaultKind::kNotJson: {
      Reply reply;
      reply.content_type = "text/html; charset=utf-8";
      reply.body = fault.text;
      return reply;
    }
    default: {  // kDrop; slow answers and failure entries are served.
      Reply reply;
      reply.drop = true;
      return reply;
    }
  }
}

// The reply without the JSON member `member`.
Reply Omitted(Reply reply, const std::string& member) {
  Json body = Json::parse(reply.body, nullptr, false);
  if (body.is_object() && body.erase(member) > 0)
    reply.body = body.dump();
  return reply;
}

}  // namespace

RepairService::RepairService(Scenario scenario, const SimClock* clock)
    : clock_(clock),
      scenario_(std::move(scenario)),
      faults_(scenario_.faults) {}

void RepairService::Load(Scenario scenario) {
  std::lock_guard<std::mutex> lock(mutex_);
  scenario_ = std::move(scenario);
  faults_ = FaultPlan(scenario_.faults);
  operations_.clear();
}

void RepairService::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.ResetCounts();
  operations_.clear();
}

Scenario RepairService::scenario() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return scenario_;
}

Reply RepairService::Handle(const SimRequest& request) {
  if (request.method != "GET") {
    return ErrorReply(405, "method " + request.method +
                               " not allowed: the service answers GET");
  }
  std::string prefix = std::string(kServicePrefix) + "/";
  std::string_view path = request.path;
  const ServiceRequest* known = path.substr(0, prefix.size()) == prefix
                                    ? FindRequest(path.substr(prefix.size()))
                                    : nullptr;
  if (!known)
    return ErrorReply(404, "unknown path " + Quoted(request.path));

  std::string query_error;
  std::optional<Query> query = Query::Parse(request.query, &query_error);

  std::lock_guard<std::mutex> lock(mutex_);
  const Fault* fault =
      faults_.Select(known->name, Concerns(*known, query ? &*query : nullptr));
  bool shows_fault = fault && fault->kind != FaultKind::kSlow &&
                     fault->kind != FaultKind::kFailureEntry &&
                     fault->kind != FaultKind::kOmit;
  Reply reply;
  if (shows_fault)
    reply = FaultReply(*fault);
  else if (!query)
    reply = ErrorReply(400, query_error);
  else
    reply = Serve(
        *known, *query,
        fault && fault->kind == FaultKind::kFailureEntry ? fault : nullptr);
  if (fault && fault->kind == FaultKind::kOmit)
    reply = Omitted(std::move(reply), fault->text);
  if (fault)
    reply.delay_ms = fault->delay_ms;
  return reply;
}

std::optional<OperationKind> RepairService::Concerns(
    const ServiceRequest& request,
    const Query* query) {
  if (request.operation)
    return request.operation;
  std::string error;
  std::optional<std::string> uuid =
      query ? query->Text("uuid", &error) : std::nullopt;
  Operation* operation = uuid ? Find(*uuid) : nullptr;
  if (!operation)
    return std::nullopt;
  return operation->kind();
}

Reply RepairService::Serve(const ServiceRequest& request,
                           const Query& query,
                           const Fault* failure_entry) {
  switch (request.role) {
    case RequestRole::kStatus:
      return Status(query, failure_entry);
    case RequestRole::kList:
      return List(query);
    case RequestRole::kClear:
      return Clear(query);
    case RequestRole::kStart:
      break;
  }
  OperationKind kind = *request.operation;
  if (kind == OperationKind::kScan)
    return Start(kind, scenario_.script(kind));
  return StartAction(kind, query);
}

Operation* RepairService::Find(const std::string& uuid) {
  auto it = operations_.find(uuid);
  if (it == operations_.end())
    return nullptr;
  it->second.AdvanceTo(clock_->NowMs());
  return &it->second;
}

Reply RepairService::Start(OperationKind kind, OperationScript script) {
  std::string uuid = uuids_.Next();
  bool immediate = script.immediate;
  std::string message = script.message;
  auto [it, inserted] = operations_.emplace(
      uuid, Operation(kind, std::move(script), clock_->NowMs()));
  Operation& operation = it->second;
  int status = kRunningCode;
  if (immediate) {
    operation.RunToEnd();
    StatusEntry entry = operation.Status();
    status = entry.code;
    message = entry.line;
  }
  return JsonReply(200,
                   {{"status", status}, {"message", message}, {"uuid", uuid}});
}

Reply RepairService::Status(const Query& query, const Fault* failure_entry) {
  std::string error;
  std::optional<std::string> uuid = query.Text("uuid", &error);
  std::optional<uint64_t> start =
      uuid ? query.Count("start", &error) : std::nullopt;
  std::optional<uint64_t> max =
      start ? query.Count("max", &error) : std::nullopt;
  if (!max)
    return ErrorReply(400, error);
  Operation* operation = Find(*uuid);
  if (!operation)
    return ServiceReply(404, "unknown request uuid " + Quoted(*uuid));
  if (failure_entry)
    operation->FailAt(clock_->NowMs(), failure_entry->code,
                      failure_entry->text);
  StatusEntry entry = operation->Status();
  std::string state = !operation->ended()              ? " running"
                      : operation->final_code() == 200 ? " finished"
                                                       : " failed";
  return JsonReply(
      200, {{"status", 200},
            {"message", Capitalized(OperationName(operation->kind())) + state},
            {"uuid", *uuid},
            {"status_list",
             {{*uuid, Json::array({entry.code, entry.type, entry.line})}}},
            {"log_messages", operation->LogSlice(*start, *max)}});
}

std::optional<Reply> RepairService::CheckScan(const std::string& uuid) {
  Operation* scan = Find(uuid);
  if (!scan)
    return ServiceReply(404, "unknown scan uuid " + Quoted(uuid));
  if (scan->kind() != OperationKind::kScan)
    return ServiceReply(400, Quoted(uuid) + " is not a scan");
  if (!scan->ended())
    return ServiceReply(409, "scan " + Quoted(uuid) + " has not finished");
  if (scan->final_code() != 200)
    return ServiceReply(409, "scan " + Quoted(uuid) + " failed");
  return std::nullopt;
}

Reply RepairService::List(const Query& query) {
  std::string error;
  std::optional<std::string> uuid = query.Text("uuid", &error);
  if (!uuid)
    return ErrorReply(400, error);
  Operation* scan = Find(*uuid);
  if (scan && scan->kind() == OperationKind::kScan && !scan->ended())
    return ServiceReply(kRunningCode, "Scan still running");
  if (std::optional<Reply> refusal = CheckScan(*uuid))
    return *refusal;
  return JsonReply(
      200, {{"status", 200},
            {"message", std::to_string(ImageCount(scenario_)) + " images on " +
                            std::to_string(scenario_.discs.size()) + " discs"},
            {"os_list", OsList(scenario_)}});
}

Reply RepairService::StartAction(OperationKind kind, const Query& query) {
  ActionKeys keys = KeysOf(kind);
  std::string error;
  std::optional<std::string> disc_key = query.Text("disc", &error);
  std::optional<std::string> image_key =
      disc_key ? query.Text(keys.image, &error) : std::nullopt;
  std::optional<std::string> scan_uuid =
      image_key ? query.Text(keys.scan, &error) : std::nullopt;
  std::optional<uint64_t> delay;
  if (scan_uuid && keys.has_delay)
    delay = query.Count("delay", &error);
  if (!scan_uuid || (keys.has_delay && !delay))
    return ErrorReply(400, error);

  const Disc* disc = scenario_.FindDisc(*disc_key);
  if (!disc)
    return ServiceReply(404, "unknown disc " + Quoted(*disc_key));
  if (!disc->images.contains(*image_key)) {
    return ServiceReply(404, "unknown image " + Quoted(*image_key) +
                                 " on disc " + Quoted(*disc_key));
  }
  if (std::optional<Reply> refusal = CheckScan(*scan_uuid))
    return *refusal;
  return Start(kind, Substituted(scenario_.script(kind), *disc_key, *image_key,
                                 delay ? std::to_string(*delay) : ""));
}

Reply RepairService::Clear(const Query& query) {
  std::string error;
  std::optional<std::string> uuid = query.Text("uuid", &error);
  if (!uuid)
    return ErrorReply(400, error);
  Operation* operation = Find(*uuid);
  if (!operation)
    return ServiceReply(404, "unknown request uuid " + Quoted(*uuid));
  operation->ClearLog();
  return JsonReply(
      200, {{"status", 200}, {"message", "Log cleared"}, {"uuid", *uuid}});
}

}  // namespace repair_sim
