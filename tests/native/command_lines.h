// Command lines as the engine makes them, read back as plain strings.

#ifndef TESTS_NATIVE_COMMAND_LINES_H_
#define TESTS_NATIVE_COMMAND_LINES_H_

#include <string>
#include <vector>

#include "command_line_impl.h"
#include "include/cef_command_line.h"

inline CefRefPtr<cef_qt::CommandLineImpl> Parse(std::vector<const char*> argv) {
  CefRefPtr<cef_qt::CommandLineImpl> command_line =
      new cef_qt::CommandLineImpl();
  command_line->InitFromArgv(static_cast<int>(argv.size()), argv.data());
  return command_line;
}

inline std::vector<std::string> ArgvOf(CefRefPtr<CefCommandLine> command_line) {
  std::vector<CefString> argv;
  command_line->GetArgv(argv);
  return std::vector<std::string>(argv.begin(), argv.end());
}

// Makes the command line of |argv| the global one, read-only as the engine
// leaves it.
inline CefRefPtr<cef_qt::CommandLineImpl> SetGlobalCommandLine(
    std::vector<const char*> argv) {
  CefRefPtr<cef_qt::CommandLineImpl> command_line = Parse(argv);
  command_line->SetReadOnly(true);
  cef_qt::CommandLineImpl::SetGlobal(command_line);
  return command_line;
}

#endif  // TESTS_NATIVE_COMMAND_LINES_H_
