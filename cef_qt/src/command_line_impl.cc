#include "command_line_impl.h"

#include <algorithm>
#include <cctype>

namespace cef_qt {

namespace {

CefRefPtr<CommandLineImpl>& GlobalSlot() {
  static CefRefPtr<CommandLineImpl> global;
  return global;
}

std::string ToLowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  return text;
}

// Length of a leading "--" or "-", 0 if there is none.
size_t SwitchPrefixLength(const std::string& text) {
  if (text.compare(0, 2, "--") == 0)
    return 2;
  if (text.compare(0, 1, "-") == 0)
    return 1;
  return 0;
}

// A switch name without its prefix, in lower case.
std::string SwitchKey(const std::string& name) {
  return ToLowerAscii(name.substr(SwitchPrefixLength(name)));
}

std::string QuoteIfNeeded(const std::string& arg) {
  if (arg.find_first_of(" \t\"'") == std::string::npos && !arg.empty())
    return arg;
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '\\')
      quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

void CommandLineImpl::SetGlobal(CefRefPtr<CommandLineImpl> command_line) {
  GlobalSlot() = command_line;
}

CefRefPtr<CommandLineImpl> CommandLineImpl::Global() {
  return GlobalSlot();
}

std::vector<std::string> CommandLineImpl::SwitchStrings() const {
  std::vector<std::string> strings;
  for (const auto& [name, value] : switches_)
    strings.push_back(value.empty() ? "--" + name : "--" + name + "=" + value);
  return strings;
}

void CommandLineImpl::InitFromArgv(int argc, const char* const* argv) {
  if (read_only_)
    return;
  switches_.clear();
  arguments_.clear();
  program_ = argc > 0 && argv[0] ? argv[0] : "";
  bool parse_switches = true;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i] ? argv[i] : "";
    if (parse_switches && arg == "--") {
      parse_switches = false;
      continue;
    }
    size_t prefix = SwitchPrefixLength(arg);
    if (parse_switches && prefix > 0 && arg.size() > prefix) {
      size_t equals = arg.find('=');
      std::string name =
          arg.substr(prefix, equals == std::string::npos ? std::string::npos
                                                         : equals - prefix);
      std::string value =
          equals == std::string::npos ? std::string() : arg.substr(equals + 1);
      switches_.emplace_back(ToLowerAscii(name), value);
    } else {
      arguments_.push_back(arg);
    }
  }
}

void CommandLineImpl::GetArgv(std::vector<CefString>& argv) {
  argv.clear();
  argv.push_back(program_);
  for (const auto& text : SwitchStrings())
    argv.push_back(text);
  bool needs_terminator =
      std::any_of(arguments_.begin(), arguments_.end(),
                  [](const std::string& a) { return SwitchPrefixLength(a); });
  if (needs_terminator)
    argv.push_back("--");
  for (const auto& argument : arguments_)
    argv.push_back(argument);
}

CefString CommandLineImpl::GetCommandLineString() {
  std::vector<CefString> argv;
  GetArgv(argv);
  std::string text;
  for (const auto& arg : argv) {
    if (!text.empty())
      text += ' ';
    text += QuoteIfNeeded(arg.ToString());
  }
  return text;
}

bool CommandLineImpl::HasSwitch(const CefString& name) {
  std::string key = SwitchKey(name.ToString());
  return std::any_of(switches_.begin(), switches_.end(),
                     [&](const auto& entry) { return entry.first == key; });
}

CefString CommandLineImpl::GetSwitchValue(const CefString& name) {
  std::string key = SwitchKey(name.ToString());
  for (auto it = switches_.rbegin(); it != switches_.rend(); ++it) {
    if (it->first == key)
      return it->second;
  }
  return CefString();
}

void CommandLineImpl::AppendSwitch(const CefString& name) {
  if (read_only_)
    return;
  std::string key = SwitchKey(name.ToString());
  if (!key.empty())
    switches_.emplace_back(key, std::string());
}

}  // namespace cef_qt

CefRefPtr<CefCommandLine> CefCommandLine::GetGlobalCommandLine() {
  return cef_qt::CommandLineImpl::Global();
}
