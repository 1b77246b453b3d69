// Process entry, X11 error handlers, start-up and shut-down.

#include <string>

#include "include/cef_app.h"
#include "repair_app.h"

#include "main.h"

int OnXError(Display* display, XErrorEvent* event) {
  if (cef_get_min_log_level() > cef::logging::LOG_WARNING)
    return 0;
  auto code = [](unsigned char value) { return std::to_string(int{value}); };
  std::string text = "X error received: type " + std::to_string(event->type) +
                     ", serial " + std::to_string(event->serial) +
                     ", error_code " + code(event->error_code) +
                     ", request_code " + code(event->request_code) +
                     ", minor_code " + code(event->minor_code);
  cef_log("cef_app/src/main", __LINE__, cef::logging::LOG_WARNING,
          text.c_str());
  return 0;
}

int OnXIOError(Display* display) {
  return 0;
}

int main(int argc, char* argv[]) {
  CefMainArgs main_args(argc, argv);
  CefRefPtr<RepairApp> app = new RepairApp();

  int exit_code = CefExecuteProcess(main_args, app, nullptr);
  if (exit_code >= 0)
    return exit_code;

  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnXIOError);

  CefSettings settings;
  settings.background_color = 0xff969696;
  CefString(&settings.user_agent_product) = "Lumenos";

  CefInitialize(main_args, settings, app, nullptr);
  CefRunMessageLoop();
  CefShutdown();
  return 0;
}
