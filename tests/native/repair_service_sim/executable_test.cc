// Runs the lumenos-repair-sim binary itself.

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;

// Runs the binary with |arguments| to its end; expects it to exit with 2 and
// to say |said|.
void ExpectExitsWithTwoSaying(const std::string& arguments,
                              const std::string& said) {
  testing::internal::CaptureStdout();
  const std::string command =
      std::string(SIM_EXECUTABLE) + " " + arguments + " 2>&1";
  const int status = std::system(command.c_str());
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << arguments;
  EXPECT_NE(output.find(said), std::string::npos) << output;
}

TEST(ExecutableTest, MalformedScenarioExitsWithTwoNamingTheField) {
  fs::path file =
      fs::temp_directory_path() / (std::to_string(getpid()) + "-bad.json");
  std::ofstream(file) << R"({"name": "bad", "discs": [{"key": "a",)"
                         R"( "label": "A", "images": {}}]})";
  ExpectExitsWithTwoSaying(
      "--port 0 --scenario " + file.string(),
      "scenario.discs[0].images: must be a non-empty object");
  fs::remove(file);
}

TEST(ExecutableTest, BadFlagsAndMissingScenarioExitWithTwo) {
  ExpectExitsWithTwoSaying("--port nine", "usage:");
  ExpectExitsWithTwoSaying("--port 0 --scenario no-such-scenario",
                           "no scenario \"no-such-scenario\"");
}

TEST(ExecutableTest, ServesANamedScenarioAndStopsCleanlyOnSigterm) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    execl(SIM_EXECUTABLE, SIM_EXECUTABLE, "--port", "0", "--scenario",
          "scan-fails", "--time-scale", "100", nullptr);
    _exit(127);
  }
  close(pipe_ends[1]);
  FILE* banner_stream = fdopen(pipe_ends[0], "r");
  char banner[256] = {};
  ASSERT_TRUE(std::fgets(banner, sizeof(banner), banner_stream));
  std::cmatch port;
  ASSERT_TRUE(std::regex_search(banner, port, std::regex(R"(:(\d+)/)")))
      << banner;
  EXPECT_NE(std::string(banner).find("scenario scan-fails"), std::string::npos);

  httplib::Client client("127.0.0.1", std::stoi(port[1]));
  httplib::Result scan = client.Get("/lumenos-repair/scan");
  ASSERT_TRUE(scan);
  EXPECT_NE(scan->body.find("\"status\":102"), std::string::npos);

  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fclose(banner_stream);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
