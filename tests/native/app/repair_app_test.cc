// The application object: the switches of every process, the scheme
// declaration, the default client and the browser-process handler.

#include "repair_app.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command_lines.h"
#include "engine_recorder.h"
#include "fakes.h"
#include "repair_client.h"

namespace {

std::vector<std::string> ArgvAfterHook(const std::string& process_type,
                                       std::vector<const char*> argv) {
  CefRefPtr<CefCommandLine> command_line = Parse(argv);
  CefRefPtr<RepairApp> app = new RepairApp();
  app->OnBeforeCommandLineProcessing(process_type, command_line);
  return ArgvOf(command_line);
}

TEST(RepairAppTest, AppendsTheFourSwitchesInOrderInEveryProcess) {
  EXPECT_EQ(
      (std::vector<std::string>{
          "/opt/lumenos-repair-app", "--disable-web-security", "--disable-sync",
          "--ignore-gpu-blacklist", "--start-fullscreen"}),
      ArgvAfterHook("", {"/opt/lumenos-repair-app"}));

  EXPECT_EQ((std::vector<std::string>{
                "/opt/lumenos-repair-app", "--maximized", "--log-severity=info",
                "--disable-web-security", "--disable-sync",
                "--ignore-gpu-blacklist", "--start-fullscreen", "extra"}),
            ArgvAfterHook("", {"/opt/lumenos-repair-app", "--maximized",
                               "--log-severity=info", "extra"}));

  EXPECT_EQ((std::vector<std::string>{
                "/opt/lumenos-repair-app", "--type=renderer", "--lang=en-US",
                "--disable-web-security", "--disable-sync",
                "--ignore-gpu-blacklist", "--start-fullscreen"}),
            ArgvAfterHook("renderer", {"/opt/lumenos-repair-app",
                                       "--type=renderer", "--lang=en-US"}));
}

TEST(RepairAppTest, AppendsEvenSwitchesAlreadyPresent) {
  EXPECT_EQ(
      (std::vector<std::string>{
          "app", "--disable-sync", "--disable-web-security", "--disable-sync",
          "--ignore-gpu-blacklist", "--start-fullscreen"}),
      ArgvAfterHook("gpu-process", {"app", "--disable-sync"}));
}

TEST(RepairAppTest, DeclaresTheClientSchemeOnce) {
  CefRefPtr<RepairApp> app = new RepairApp();
  FakeSchemeRegistrar registrar;
  app->OnRegisterCustomSchemes(&registrar);

  // Standard, secure, CORS-enabled, fetch-enabled.
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"client", 89}}),
            registrar.added);
}

TEST(RepairAppTest, DefaultClientIsTheCurrentClientHandler) {
  engine_recorder::Recorded() = {};
  CefRefPtr<RepairApp> app = new RepairApp();
  EXPECT_EQ(nullptr, app->GetDefaultClient());

  CefRefPtr<RepairClient> client = new RepairClient(/*use_views=*/true);
  CefRefPtr<CefClient> default_client = app->GetDefaultClient();
  EXPECT_EQ(static_cast<CefClient*>(client.get()), default_client.get());
  default_client = nullptr;
  EXPECT_TRUE(client->HasOneRef());

  client = nullptr;
  EXPECT_EQ(nullptr, app->GetDefaultClient());
}

TEST(RepairAppTest, IsItsOwnBrowserProcessHandler) {
  CefRefPtr<RepairApp> app = new RepairApp();
  CefRefPtr<CefBrowserProcessHandler> handler = app->GetBrowserProcessHandler();
  EXPECT_EQ(static_cast<CefBrowserProcessHandler*>(app.get()), handler.get());
  EXPECT_FALSE(app->HasOneRef());

  handler = nullptr;
  EXPECT_TRUE(app->HasOneRef());
}

}  // namespace
