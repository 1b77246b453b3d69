#include "browser_page.h"

#include <string>

#include "include/base/cef_logging.h"

namespace cef_qt {

BrowserPage::BrowserPage(QWebEngineProfile* profile)
    : QWebEnginePage(profile) {}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message,
                                           int line_number,
                                           const QString& source_id) {
  std::string text = "\"" + message.toStdString() +
                     "\", source: " + source_id.toStdString() + " (" +
                     std::to_string(line_number) + ")";
  cef_log("CONSOLE", line_number, cef::logging::LOG_INFO, text.c_str());
}

}  // namespace cef_qt
