#include "scenario_parser.h"

#include <initializer_list>
#include <set>
#include <utility>

#include "service_requests.h"

namespace repair_sim {

namespace {

constexpr int64_t kMaxDurationMs = 7LL * 24 * 3600 * 1000;

// Thrown inside the parser only; ParseScenario turns it into the error text.
struct Invalid {
  std::string path;
  std::string what;
};

[[noreturn]] void Fail(const std::string& path, std::string what) {
  throw Invalid{path, std::move(what)};
}

std::string Member(const std::string& path, std::string_view name) {
  return path + "." + std::string(name);
}

std::string Index(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

void RequireObject(const Json& node, const std::string& path) {
  if (!node.is_object())
    Fail(path, "must be an object");
}

void RejectUnknownMembers(const Json& node,
                          const std::string& path,
                          std::initializer_list<std::string_view> known) {
  for (const auto& item : node.items()) {
    bool found = false;
    for (std::string_view name : known)
      found = found || item.key() == name;
    if (!found)
      Fail(Member(path, item.key()), "unknown field");
  }
}

std::string ReadString(const Json& node, const std::string& path) {
  if (!node.is_string())
    Fail(path, "must be a string");
  return node.get<std::string>();
}

std::string ReadNonEmptyString(const Json& node, const std::string& path) {
  std::string value = ReadString(node, path);
  if (value.empty())
    Fail(path, "must be a non-empty string");
  return value;
}

int64_t ReadInteger(const Json& node,
                    const std::string& path,
                    int64_t min,
                    int64_t max) {
  std::string range = "must be an integer from " + std::to_string(min) +
                      " to " + std::to_string(max);
  if (!node.is_number_integer())
    Fail(path, range);
  if (node.is_number_unsigned() &&
      node.get<uint64_t>() > static_cast<uint64_t>(max)) {
    Fail(path, range);
  }
  int64_t value = node.get<int64_t>();
  if (value < min || value > max)
    Fail(path, range);
  return value;
}

bool ReadBool(const Json& node, const std::string& path) {
  if (!node.is_boolean())
    Fail(path, "must be true or false");
  return node.get<bool>();
}

std::vector<std::string> ReadStrings(const Json& node,
                                     const std::string& path,
                                     bool non_empty) {
  if (!node.is_array() || (non_empty && node.empty())) {
    Fail(path, non_empty ? "must be a non-empty array of strings"
                         : "must be an array of strings");
  }
  std::vector<std::string> lines;
  for (size_t i = 0; i < node.size(); ++i)
    lines.push_back(ReadString(node[i], Index(path, i)));
  return lines;
}

int ReadFinalCode(const Json& node, const std::string& path) {
  int64_t code = ReadInteger(node, path, 200, 999);
  if (code != 200 && code < 400)
    Fail(path, "must be 200 or a failure code from 400 to 999");
  return static_cast<int>(code);
}

// Reads one member into `field`, or keeps `field` as the base gave it.
template <typename Read>
void ReadMember(const Json& object,
                const std::string& path,
                std::string_view name,
                bool required,
                Read read) {
  auto it = object.find(name);
  if (it == object.end()) {
    if (required)
      Fail(Member(path, name), "is required");
    return;
  }
  read(*it, Member(path, name));
}

OperationScript ReadScript(const Json& node,
                           const std::string& path,
                           const OperationScript* base) {
  RequireObject(node, path);
  RejectUnknownMembers(node, path,
                       {"duration_ms", "immediate", "message", "status_lines",
                        "log_lines", "final_code", "final_line"});
  OperationScript script = base ? *base : OperationScript();
  bool required = base == nullptr;
  ReadMember(node, path, "duration_ms", required,
             [&](const Json& value, const std::string& at) {
               script.duration_ms = ReadInteger(value, at, 0, kMaxDurationMs);
             });
  ReadMember(node, path, "immediate", false,
             [&](const Json& value, const std::string& at) {
               script.immediate = ReadBool(value, at);
             });
  ReadMember(node, path, "message", required,
             [&](const Json& value, const std::string& at) {
               script.message = ReadString(value, at);
             });
  ReadMember(node, path, "status_lines", required,
             [&](const Json& value, const std::string& at) {
               script.status_lines = ReadStrings(value, at, true);
             });
  ReadMember(node, path, "log_lines", false,
             [&](const Json& value, const std::string& at) {
               script.log_lines = ReadStrings(value, at, false);
             });
  ReadMember(node, path, "final_code", required,
             [&](const Json& value, const std::string& at) {
               script.final_code = ReadFinalCode(value, at);
             });
  ReadMember(node, path, "final_line", required,
             [&](const Json& value, const std::string& at) {
               script.final_line = ReadString(value, at);
             });
  return script;
}

void ReadOperations(const Json& node,
                    const std::string& path,
                    const Scenario* base,
                    Scenario* scenario) {
  RequireObject(node, path);
  for (const auto& item : node.items()) {
    if (!OperationFromName(item.key()))
      Fail(Member(path, item.key()), "unknown operation");
  }
  for (OperationKind kind : kAllOperationKinds) {
    std::string name(OperationName(kind));
    auto it = node.find(name);
    if (it == node.end()) {
      if (!base)
        Fail(Member(path, name), "is required");
      continue;
    }
    scenario->script(kind) = ReadScript(*it, Member(path, name),
                                        base ? &base->script(kind) : nullptr);
  }
}

Disc ReadDisc(const Json& node, const std::string& path) {
  RequireObject(node, path);
  RejectUnknownMembers(node, path, {"key", "label", "images"});
  Disc disc;
  ReadMember(node, path, "key", true,
             [&](const Json& value, const std::string& at) {
               disc.key = ReadNonEmptyString(value, at);
             });
  ReadMember(node, path, "label", true,
             [&](const Json& value, const std::string& at) {
               disc.label = ReadString(value, at);
             });
  ReadMember(node, path, "images", true,
             [&](const Json& value, const std::string& at) {
               if (!value.is_object() || value.empty())
                 Fail(at, "must be a non-empty object");
               for (const auto& image : value.items()) {
                 if (image.key().empty())
                   Fail(at, "image keys must be non-empty");
                 if (!image.value().is_object())
                   Fail(Member(at, image.key()), "must be an object");
               }
               disc.images = value;
             });
  return disc;
}

std::vector<Disc> ReadDiscs(const Json& node, const std::string& path) {
  if (!node.is_array() || node.empty())
    Fail(path, "must be a non-empty array");
  std::vector<Disc> discs;
  std::set<std::string> keys;
  for (size_t i = 0; i < node.size(); ++i) {
    discs.push_back(ReadDisc(node[i], Index(path, i)));
    if (!keys.insert(discs.back().key).second) {
      Fail(Member(Index(path, i), "key"),
           "duplicate disc key \"" + discs.back().key + "\"");
    }
  }
  return discs;
}

FaultKind ReadFaultKind(const Json& node, const std::string& path) {
  static const std::pair<std::string_view, FaultKind> kKinds[] = {
      {"refusal", FaultKind::kRefusal},
      {"http-error", FaultKind::kHttpError},
      {"not-json", FaultKind::kNotJson},
      {"drop", FaultKind::kDrop},
      {"slow", FaultKind::kSlow},
      {"failure-entry", FaultKind::kFailureEntry},
      {"still-running", FaultKind::kStillRunning},
      {"omit", FaultKind::kOmit}};
  std::string name = ReadString(node, path);
  for (const auto& [kind_name, kind] : kKinds) {
    if (kind_name == name)
      return kind;
  }
  Fail(path,
       "must be one of refusal, http-error, not-json, drop, slow, "
       "failure-entry, still-running, omit");
}

std::vector<OperationKind> ReadOperationFilter(const Json& node,
                                               const std::string& path) {
  std::vector<std::string> names;
  if (node.is_string())
    names.push_back(node.get<std::string>());
  else
    names = ReadStrings(node, path, true);
  std::vector<OperationKind> kinds;
  for (const std::string& name : names) {
    std::optional<OperationKind> kind = OperationFromName(name);
    if (!kind)
      Fail(path, "unknown operation \"" + name + "\"");
    kinds.push_back(*kind);
  }
  return kinds;
}

void ReadOccurrences(const Json& node, const std::string& path, Fault* fault) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  if (node.contains("occurrence") &&
      (node.contains("from") || node.contains("to"))) {
    Fail(Member(path, "occurrence"), "cannot be combined with from or to");
  }
  ReadMember(node, path, "occurrence", false,
             [&](const Json& value, const std::string& at) {
               fault->first = fault->last = ReadInteger(value, at, 1, kMax);
             });
  ReadMember(node, path, "from", false,
             [&](const Json& value, const std::string& at) {
               fault->first = ReadInteger(value, at, 1, kMax);
             });
  ReadMember(node, path, "to", false,
             [&](const Json& value, const std::string& at) {
               fault->last = ReadInteger(value, at, fault->first, kMax);
             });
}

bool IsJson(const std::string& text) {
  return Json::accept(text);
}

// The optional code and text of the kinds that answer with both.
struct CodeAndText {
  std::string_view code_key;
  int min_code;
  int max_code;
  int default_code;
  std::string_view text_key;
  const char* default_text;
};

void ReadCodeAndText(const Json& node,
                     const std::string& path,
                     const CodeAndText& fields,
                     Fault* fault) {
  RejectUnknownMembers(node, path, {fields.code_key, fields.text_key});
  fault->code = fields.default_code;
  fault->text = fields.default_text;
  ReadMember(node, path, fields.code_key, false,
             [&](const Json& value, const std::string& at) {
               fault->code = static_cast<int>(
                   ReadInteger(value, at, fields.min_code, fields.max_code));
             });
  ReadMember(node, path, fields.text_key, false,
             [&](const Json& value, const std::string& at) {
               fault->text = ReadString(value, at);
             });
}

// The fields each kind takes besides the common ones, with their defaults.
void ReadFaultDetails(const Json& node, const std::string& path, Fault* fault) {
  switch (fault->kind) {
    case FaultKind::kRefusal:
      ReadCodeAndText(
          node, path,
          {"status", 400, 999, 503, "message", "Service busy, try again"},
          fault);
      break;
    case FaultKind::kHttpError:
      ReadCodeAndText(
          node, path,
          {"status", 400, 599, 500, "message", "Internal service error"},
          fault);
      break;
    case FaultKind::kNotJson:
      RejectUnknownMembers(node, path, {"body"});
      fault->text = "<html><body>Internal Server Error</body></html>";
      ReadMember(node, path, "body", false,
                 [&](const Json& value, const std::string& at) {
                   fault->text = ReadString(value, at);
                   if (IsJson(fault->text))
                     Fail(at, "must not be valid JSON");
                 });
      break;
    case FaultKind::kDrop:
      RejectUnknownMembers(node, path, {});
      break;
    case FaultKind::kSlow:
      RejectUnknownMembers(node, path, {});
      if (fault->delay_ms == 0)
        Fail(Member(path, "delay_ms"), "a slow answer needs a delay above 0");
      break;
    case FaultKind::kFailureEntry:
      ReadCodeAndText(node, path,
                      {"code", 400, 999, 500, "line", "Operation failed"},
                      fault);
      if (fault->on != "status") {
        Fail(Member(path, "on"),
             "a failure-entry fault applies to status requests only");
      }
      break;
    case FaultKind::kStillRunning:
      RejectUnknownMembers(node, path, {"message"});
      fault->code = 102;
      fault->text = "Still running, ask again";
      ReadMember(node, path, "message", false,
                 [&](const Json& value, const std::string& at) {
                   fault->text = ReadString(value, at);
                 });
      break;
    case FaultKind::kOmit:
      RejectUnknownMembers(node, path, {"member"});
      ReadMember(node, path, "member", true,
                 [&](const Json& value, const std::string& at) {
                   fault->text = ReadString(value, at);
                 });
      break;
  }
}

Fault ReadFault(const Json& node, const std::string& path) {
  RequireObject(node, path);
  Fault fault;
  Json details = node;
  for (std::string_view common :
       {"on", "operation", "occurrence", "from", "to", "kind", "delay_ms"}) {
    details.erase(std::string(common));
  }
  ReadMember(
      node, path, "on", true, [&](const Json& value, const std::string& at) {
        fault.on = ReadString(value, at);
        if (fault.on != "*" && !FindRequest(fault.on)) {
          std::string names;
          for (const ServiceRequest& request : kServiceRequests)
            names += (names.empty() ? "" : ", ") + std::string(request.name);
          Fail(at, "must be \"*\" or one of " + names);
        }
      });
  ReadMember(node, path, "operation", false,
             [&](const Json& value, const std::string& at) {
               fault.operations = ReadOperationFilter(value, at);
             });
  ReadOccurrences(node, path, &fault);
  ReadMember(node, path, "kind", true,
             [&](const Json& value, const std::string& at) {
               fault.kind = ReadFaultKind(value, at);
             });
  ReadMember(node, path, "delay_ms", false,
             [&](const Json& value, const std::string& at) {
               fault.delay_ms = ReadInteger(value, at, 0, kMaxDurationMs);
             });
  ReadFaultDetails(details, path, &fault);
  return fault;
}

std::vector<Fault> ReadFaults(const Json& node, const std::string& path) {
  if (!node.is_array())
    Fail(path, "must be an array");
  std::vector<Fault> faults;
  for (size_t i = 0; i < node.size(); ++i)
    faults.push_back(ReadFault(node[i], Index(path, i)));
  return faults;
}

Scenario ReadScenario(const Json& root, const Scenario* base) {
  const std::string path = "scenario";
  RequireObject(root, path);
  RejectUnknownMembers(
      root, path, {"name", "description", "discs", "operations", "faults"});
  Scenario scenario = base ? *base : Scenario();
  scenario.description.clear();
  ReadMember(root, path, "name", true,
             [&](const Json& value, const std::string& at) {
               scenario.name = ReadNonEmptyString(value, at);
             });
  ReadMember(root, path, "description", false,
             [&](const Json& value, const std::string& at) {
               scenario.description = ReadString(value, at);
             });
  ReadMember(root, path, "discs", base == nullptr,
             [&](const Json& value, const std::string& at) {
               scenario.discs = ReadDiscs(value, at);
             });
  ReadMember(root, path, "operations", base == nullptr,
             [&](const Json& value, const std::string& at) {
               ReadOperations(value, at, base, &scenario);
             });
  ReadMember(root, path, "faults", false,
             [&](const Json& value, const std::string& at) {
               scenario.faults = ReadFaults(value, at);
             });
  return scenario;
}

}  // namespace

std::optional<Scenario> ParseScenario(std::string_view text,
                                      const Scenario* base,
                                      std::string* error) {
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& parse_error) {
    // Drop the library's "[json.exception.parse_error.N] " tag.
    std::string what = parse_error.what();
    size_t tag_end = what.find("] ");
    if (tag_end != std::string::npos)
      what.erase(0, tag_end + 2);
    *error = "scenario: not valid JSON: " + what;
    return std::nullopt;
  }
  try {
    return ReadScenario(root, base);
  } catch (const Invalid& invalid) {
    *error = invalid.path + ": " + invalid.what;
    return std::nullopt;
  }
}

}  // namespace repair_sim
