// include/cef_app.h on Qt WebEngine: process entry, initialisation, message
// loop and shut-down.

#include "include/cef_app.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <QWebEngineProfile>

#include "browser_process.h"
#include "color.h"
#include "command_line_impl.h"
#include "include/base/cef_logging.h"
#include "logging.h"
#include "scheme/scheme_bridge.h"
#include "window_registry.h"

namespace QtWebEngineCore {
int processMain(int argc, const char** argv);
}

namespace cef_qt {

namespace {

struct BrowserProcess {
  CefRefPtr<CefApp> app;
  CefSettings settings;
  std::unique_ptr<QApplication> qt_application;
  QWebEngineProfile* profile = nullptr;
};

BrowserProcess& State() {
  static BrowserProcess state;
  return state;
}

// Qt keeps a reference to its argument count and vector.
int g_qt_argc = 1;
char* g_qt_argv[2] = {nullptr, nullptr};

CefRefPtr<CommandLineImpl> GlobalCommandLine(const CefMainArgs& args) {
  CefRefPtr<CommandLineImpl> command_line = CommandLineImpl::Global();
  if (!command_line) {
    command_line = new CommandLineImpl();
    command_line->InitFromArgv(args.argc, args.argv);
    CommandLineImpl::SetGlobal(command_line);
  }
  return command_line;
}

void RunCommandLineHook(CefRefPtr<CefApp> app,
                        const std::string& process_type,
                        CefRefPtr<CommandLineImpl> command_line) {
  command_line->SetReadOnly(false);
  if (app)
    app->OnBeforeCommandLineProcessing(process_type, command_line);
  command_line->SetReadOnly(true);
  if (cef_get_min_log_level() <= cef::logging::LOG_VERBOSE) {
    std::string text =
        "Command line: " + command_line->GetCommandLineString().ToString();
    cef_log(__FILE__, __LINE__, cef::logging::LOG_VERBOSE, text.c_str());
  }
}

std::string ExecutablePath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0)
    return std::string();
  return std::string(path, length);
}

// Chromium reads the browser process's switches from this variable.
void HandSwitchesToChromium(CefRefPtr<CommandLineImpl> command_line) {
  std::string flags;
  if (const char* existing = getenv("QTWEBENGINE_CHROMIUM_FLAGS"))
    flags = existing;
  for (const auto& text : command_line->SwitchStrings()) {
    if (!flags.empty())
      flags += ' ';
    flags += text;
  }
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
}

// The default User-Agent with |product| in place of the engine's own tokens.
QString UserAgent(const QString& engine_user_agent,
                  const std::string& product) {
  static const std::regex kEngineTokens(R"((QtWebEngine/\S+ )?Chrome/\S+)");
  return QString::fromStdString(std::regex_replace(
      engine_user_agent.toStdString(), kEngineTokens, product));
}

void ApplyUserAgent(const CefSettings& settings, QWebEngineProfile* profile) {
  std::string product = CefString(&settings.user_agent_product).ToString();
  if (!product.empty())
    profile->setHttpUserAgent(UserAgent(profile->httpUserAgent(), product));
}

}  // namespace

QWebEngineProfile* Profile() {
  return State().profile;
}

QColor DefaultBackgroundColor() {
  cef_color_t color = State().settings.background_color;
  return CefColorGetA(color) ? ToQColor(color) : QColor(Qt::white);
}

}  // namespace cef_qt

using cef_qt::CommandLineImpl;

int CefExecuteProcess(const CefMainArgs& args,
                      CefRefPtr<CefApp> application,
                      void* windows_sandbox_info) {
  CefRefPtr<CommandLineImpl> command_line = cef_qt::GlobalCommandLine(args);
  std::string process_type = command_line->GetSwitchValue("type").ToString();
  if (process_type.empty())
    return -1;

  cef_qt::InheritLogging();
  std::string log_severity =
      command_line->GetSwitchValue("log-severity").ToString();
  if (!log_severity.empty())
    cef_qt::ConfigureLogging(log_severity);
  cef_qt::RunCommandLineHook(application, process_type, command_line);
  cef_qt::DeclareCustomSchemes(application);

  std::vector<CefString> argv;
  command_line->GetArgv(argv);
  std::vector<std::string> storage;
  for (const auto& arg : argv)
    storage.push_back(arg.ToString());
  std::vector<const char*> pointers;
  for (const auto& arg : storage)
    pointers.push_back(arg.c_str());
  pointers.push_back(nullptr);
  int argc = static_cast<int>(storage.size());
  // The engine's helper expects a core application, as Qt's own helper has.
  QCoreApplication helper_application(argc,
                                      const_cast<char**>(pointers.data()));
  return QtWebEngineCore::processMain(argc, pointers.data());
}

bool CefInitialize(const CefMainArgs& args,
                   const CefSettings& settings,
                   CefRefPtr<CefApp> application,
                   void* windows_sandbox_info) {
  auto& state = cef_qt::State();
  if (state.qt_application)
    return false;
  state.app = application;
  state.settings = settings;

  CefRefPtr<CommandLineImpl> command_line = cef_qt::GlobalCommandLine(args);
  cef_qt::ConfigureLogging(
      command_line->GetSwitchValue("log-severity").ToString());
  cef_qt::RunCommandLineHook(application, std::string(), command_line);
  cef_qt::DeclareCustomSchemes(application);

  // Every engine process is this executable, as with CEF's default
  // browser_subprocess_path.
  std::string executable = cef_qt::ExecutablePath();
  setenv("QTWEBENGINEPROCESS_PATH", executable.c_str(), 1);
  cef_qt::HandSwitchesToChromium(command_line);

  static std::string program_name =
      args.argc > 0 && args.argv[0] ? args.argv[0] : executable;
  cef_qt::g_qt_argv[0] = program_name.data();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // The view's scene graph in software, unless QT_QUICK_BACKEND chooses: on
  // this window it redraws only what changed, where the default one
  // composites the whole window for every frame of a small animation.
  if (!getenv("QT_QUICK_BACKEND"))
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  // CEF writes nothing to disc with an empty cache path; neither does Qt.
  QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
  state.qt_application =
      std::make_unique<QApplication>(cef_qt::g_qt_argc, cef_qt::g_qt_argv);
  state.qt_application->setQuitOnLastWindowClosed(false);

  state.profile = QWebEngineProfile::defaultProfile();
  cef_qt::ApplyUserAgent(settings, state.profile);
  cef_qt::AttachSchemeHandlers(state.profile);

  QTimer::singleShot(0, state.qt_application.get(), [] {
    CefRefPtr<CefApp> app = cef_qt::State().app;
    if (!app)
      return;
    if (CefRefPtr<CefBrowserProcessHandler> handler =
            app->GetBrowserProcessHandler()) {
      handler->OnContextInitialized();
    }
  });
  return true;
}

void CefRunMessageLoop() {
  if (QApplication* application = cef_qt::State().qt_application.get())
    application->exec();
}

void CefQuitMessageLoop() {
  if (QApplication* application = cef_qt::State().qt_application.get())
    application->exit(0);
}

void CefShutdown() {
  auto& state = cef_qt::State();
  if (!state.qt_application)
    return;
  cef_qt::DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  state.profile = nullptr;
  state.qt_application.reset();
  state.app = nullptr;
  state.settings.Reset();
}
