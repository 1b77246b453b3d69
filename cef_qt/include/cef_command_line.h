#ifndef CEF_INCLUDE_CEF_COMMAND_LINE_H_
#define CEF_INCLUDE_CEF_COMMAND_LINE_H_

#include <vector>

#include "include/cef_base.h"

// A process command line: program, switches ("--name" or "--name=value")
// and arguments. A bare "--" ends switch parsing.
class CefCommandLine : public virtual CefBaseRefCounted {
 public:
  // The process's own command line, read-only.
  static CefRefPtr<CefCommandLine> GetGlobalCommandLine();

  virtual void InitFromArgv(int argc, const char* const* argv) = 0;
  virtual void GetArgv(std::vector<CefString>& argv) = 0;
  virtual CefString GetCommandLineString() = 0;
  virtual bool HasSwitch(const CefString& name) = 0;
  virtual CefString GetSwitchValue(const CefString& name) = 0;
  virtual void AppendSwitch(const CefString& name) = 0;
};

#endif  // CEF_INCLUDE_CEF_COMMAND_LINE_H_
