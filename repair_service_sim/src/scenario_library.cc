#include "scenario_library.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "default_scenario_text.h"
#include "scenario_parser.h"

namespace repair_sim {

namespace fs = std::filesystem;

namespace {

bool IsPlainName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

}  // namespace

const Scenario& DefaultScenario() {
  static const Scenario* const kDefault = [] {
    std::string error;
    std::optional<Scenario> parsed =
        ParseScenario(kDefaultScenarioText, nullptr, &error);
    if (!parsed) {
      std::fprintf(stderr, "built-in default scenario: %s\n", error.c_str());
      std::abort();
    }
    return new Scenario(std::move(*parsed));
  }();
  return *kDefault;
}

std::optional<Scenario> ParseOverDefault(std::string_view text,
                                         std::string* error) {
  return ParseScenario(text, &DefaultScenario(), error);
}

std::optional<Scenario> LoadScenarioFile(const std::string& path,
                                         std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  if (!file || !(text << file.rdbuf()) || fs::is_directory(path)) {
    *error = "cannot read scenario file " + path;
    return std::nullopt;
  }
  std::optional<Scenario> scenario = ParseOverDefault(text.str(), error);
  if (!scenario)
    *error = path + ": " + *error;
  return scenario;
}

ScenarioLibrary::ScenarioLibrary(std::string directory)
    : directory_(std::move(directory)) {}

std::optional<Scenario> ScenarioLibrary::Load(const std::string& file_or_name,
                                              std::string* error) const {
  std::error_code ignored;
  if (IsPlainName(file_or_name) && !fs::exists(file_or_name, ignored))
    return LoadNamed(file_or_name, error);
  return LoadScenarioFile(file_or_name, error);
}

std::optional<Scenario> ScenarioLibrary::LoadNamed(const std::string& name,
                                                   std::string* error) const {
  if (!IsPlainName(name)) {
    *error = "bad scenario name \"" + name +
             "\": use letters, digits, \"-\" and \"_\"";
    return std::nullopt;
  }
  fs::path path = fs::path(directory_) / (name + ".json");
  std::error_code ignored;
  if (!fs::is_regular_file(path, ignored)) {
    if (name == "default")
      return DefaultScenario();
    *error = "no scenario \"" + name + "\" in " + directory_;
    return std::nullopt;
  }
  return LoadScenarioFile(path.string(), error);
}

std::vector<std::string> ScenarioLibrary::Names() const {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(directory_, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() == ".json")
      names.push_back(it->path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string FindScenarioDirectory() {
  std::error_code error;
  fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error)
    return "scenarios";
  fs::path beside = executable.parent_path() / "scenarios";
  if (fs::is_directory(beside, error))
    return beside.string();
  return (executable.parent_path().parent_path() / "share" /
          "lumenos-repair-sim" / "scenarios")
      .string();
}

}  // namespace repair_sim
