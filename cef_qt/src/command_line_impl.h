// CefCommandLine with Chromium's switch syntax.

#ifndef CEF_QT_SRC_COMMAND_LINE_IMPL_H_
#define CEF_QT_SRC_COMMAND_LINE_IMPL_H_

#include <string>
#include <utility>
#include <vector>

#include "include/cef_command_line.h"

namespace cef_qt {

class CommandLineImpl : public CefCommandLine {
 public:
  CommandLineImpl() = default;

  // Makes |command_line| the process's global one. It stays writable until
  // SetReadOnly() so that the application's hook can change it.
  static void SetGlobal(CefRefPtr<CommandLineImpl> command_line);
  static CefRefPtr<CommandLineImpl> Global();

  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  // The switches as "--name" or "--name=value", in order.
  std::vector<std::string> SwitchStrings() const;

  // CefCommandLine:
  void InitFromArgv(int argc, const char* const* argv) override;
  void GetArgv(std::vector<CefString>& argv) override;
  CefString GetCommandLineString() override;
  bool HasSwitch(const CefString& name) override;
  CefString GetSwitchValue(const CefString& name) override;
  void AppendSwitch(const CefString& name) override;

 private:
  // Switches in the order given; a later one of the same name wins on lookup.
  std::vector<std::pair<std::string, std::string>> switches_;
  std::vector<std::string> arguments_;
  std::string program_;
  bool read_only_ = false;

  IMPLEMENT_REFCOUNTING(CommandLineImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_COMMAND_LINE_IMPL_H_
