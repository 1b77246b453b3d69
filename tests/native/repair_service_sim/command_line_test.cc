#include "command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace repair_sim {
namespace {

// Every option parsed from |args|, "|" between them, or the error.
std::string Shown(std::vector<const char*> args) {
  args.insert(args.begin(), "lumenos-repair-sim");
  std::string error;
  std::optional<Options> options =
      ParseCommandLine(static_cast<int>(args.size()), args.data(), &error);
  if (!options)
    return "error: " + error;
  const Options& o = *options;
  std::ostringstream out;
  out << o.address << '|' << o.port << '|' << o.scenario << '|'
      << o.scenario_dir << '|' << o.journal << '|' << o.time_scale << '|'
      << o.help;
  return out.str();
}

TEST(CommandLineTest, DefaultsServeThePagesAddress) {
  EXPECT_EQ(Shown({}), "127.0.0.1|8080||||1|0");
}

TEST(CommandLineTest, TakesBothFlagForms) {
  EXPECT_EQ(
      Shown({"--address", "0.0.0.0", "--port=0", "--scenario", "scan-fails",
             "--scenario-dir=/s", "--journal", "/tmp/j", "--time-scale=20"}),
      "0.0.0.0|0|scan-fails|/s|/tmp/j|20|0");
}

TEST(CommandLineTest, RefusesBadValuesWithTheFlagNamed) {
  struct Case {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
      {{"--port", "70000"}, "--port: must be an integer from 0 to 65535"},
      {{"--port=8o"}, "--port: must be an integer"},
      {{"--time-scale", "0"}, "--time-scale: must be a number above 0"},
      {{"--time-scale=nan"}, "--time-scale: must be a number above 0"},
      {{"--time-scale=1e9"}, "--time-scale: must be a number above 0"},
      {{"--journal"}, "flag --journal needs a value"},
      {{"--verbose=1"}, "unknown flag \"--verbose\""},
      {{"stray"}, "unexpected argument \"stray\""},
      {{"--address="}, "--address: must not be empty"},
  };
  for (const Case& c : cases) {
    const std::string shown = Shown(c.args);
    EXPECT_EQ(shown.rfind(std::string("error: ") + c.error, 0), 0u)
        << c.args[0] << " gave " << shown;
  }
}

}  // namespace
}  // namespace repair_sim
