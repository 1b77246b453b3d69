#include "command_line.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace repair_sim {

const char kUsage[] =
    "usage: lumenos-repair-sim [--address A] [--port N] [--scenario "
    "FILE|NAME]\n"
    "                          [--scenario-dir DIR] [--journal FILE] "
    "[--time-scale X]\n"
    "\n"
    "  --address A       listen address (127.0.0.1)\n"
    "  --port N          listen port, 0 for any free one (8080)\n"
    "  --scenario S      scenario file, or name in the scenario directory\n"
    "  --scenario-dir D  directory of named scenarios (beside the binary)\n"
    "  --journal FILE    append every request received as a JSON line\n"
    "  --time-scale X    simulated time runs X times faster (1)\n";

namespace {

constexpr double kMaxTimeScale = 1e6;

bool ParsePort(const std::string& text, int* port) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, *port);
  return failure == std::errc() && stop == end && *port >= 0 && *port <= 65535;
}

bool ParseScale(const std::string& text, double* scale) {
  char* end = nullptr;
  *scale = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() &&
         std::isfinite(*scale) && *scale > 0 && *scale <= kMaxTimeScale;
}

}  // namespace

std::optional<Options> ParseCommandLine(int argc,
                                        const char* const* argv,
                                        std::string* error) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg.substr(0, 2) != "--") {
      *error = "unexpected argument \"" + std::string(arg) + "\"";
      return std::nullopt;
    }
    std::string flag(arg.substr(0, arg.find('=')));
    std::string value;
    if (flag.size() < arg.size()) {
      value = std::string(arg.substr(flag.size() + 1));
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      *error = "flag " + flag + " needs a value";
      return std::nullopt;
    }

    if (flag == "--address") {
      options.address = value;
    } else if (flag == "--port") {
      if (!ParsePort(value, &options.port)) {
        *error =
            "--port: must be an integer from 0 to 65535, got \"" + value + "\"";
        return std::nullopt;
      }
    } else if (flag == "--scenario") {
      options.scenario = value;
    } else if (flag == "--scenario-dir") {
      options.scenario_dir = value;
    } else if (flag == "--journal") {
      options.journal = value;
    } else if (flag == "--time-scale") {
      if (!ParseScale(value, &options.time_scale)) {
        *error =
            "--time-scale: must be a number above 0 and at most 1e6, "
            "got \"" +
            value + "\"";
        return std::nullopt;
      }
    } else {
      *error = "unknown flag \"" + flag + "\"";
      return std::nullopt;
    }
  }
  if (options.address.empty()) {
    *error = "--address: must not be empty";
    return std::nullopt;
  }
  return options;
}

}  // namespace repair_sim
