// lumenos-repair-sim: a stand-in for the repair service, answering its HTTP
// interface from a scenario in simulated time.

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "command_line.h"
#include "http_front.h"
#include "scenario_library.h"
#include "sim_clock.h"
#include "simulator.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "lumenos-repair-sim: %s\n", message.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace repair_sim;
  std::string error;
  std::optional<Options> options = ParseCommandLine(argc, argv, &error);
  if (!options)
    return Fail(kExitBadInput, error + "\n" + kUsage);
  if (options->help) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  ScenarioLibrary library(options->scenario_dir.empty()
                              ? FindScenarioDirectory()
                              : options->scenario_dir);
  std::optional<Scenario> scenario =
      options->scenario.empty() ? DefaultScenario()
                                : library.Load(options->scenario, &error);
  if (!scenario)
    return Fail(kExitBadInput, error);
  std::string scenario_name = scenario->name;

  ScaledClock clock(options->time_scale);
  Simulator simulator(std::move(*scenario), library, &clock);
  if (!options->journal.empty() &&
      !simulator.journal().OpenFile(options->journal, &error)) {
    return Fail(kExitBadInput, error);
  }

  // Signals are taken by sigwait below, not by the server's threads.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  HttpFront front(&simulator, &clock);
  int port = front.Bind(options->address, options->port);
  if (port < 0) {
    return Fail(kExitFailure, "cannot listen on " + options->address + ":" +
                                  std::to_string(options->port));
  }
  std::printf(
      "lumenos-repair-sim: listening on http://%s:%d/lumenos-repair "
      "(scenario %s, time scale %g)\n",
      options->address.c_str(), port, scenario_name.c_str(),
      options->time_scale);
  std::fflush(stdout);

  bool served = true;
  std::thread server([&] {
    served = front.Run();
    // Wake sigwait if the server ends on its own.
    kill(getpid(), SIGTERM);
  });
  int signal_number = 0;
  sigwait(&signals, &signal_number);
  front.Stop();
  server.join();
  return served ? 0 : Fail(kExitFailure, "the server stopped on an error");
}
