#ifndef REPAIR_SERVICE_SIM_SRC_COMMAND_LINE_H_
#define REPAIR_SERVICE_SIM_SRC_COMMAND_LINE_H_

#include <optional>
#include <string>

namespace repair_sim {

struct Options {
  std::string address = "127.0.0.1";
  // 0: any free port; the banner names it.
  int port = 8080;
  // A scenario file or the name of one in the scenario directory; empty:
  // the default scenario.
  std::string scenario;
  // Empty: found beside the executable.
  std::string scenario_dir;
  std::string journal;
  double time_scale = 1.0;
  bool help = false;
};

extern const char kUsage[];

// Flags as "--flag value" or "--flag=value".
std::optional<Options> ParseCommandLine(int argc,
                                        const char* const* argv,
                                        std::string* error);

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_COMMAND_LINE_H_
