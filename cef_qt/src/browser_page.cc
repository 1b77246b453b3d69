#include "browser_page.h"

namespace cef_qt {

BrowserPage::BrowserPage(QWebEngineProfile* profile, bool is_popup)
    : QWebEnginePage(profile), is_popup_(is_popup) {}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message,
                                           int line_number,
                                           const QString& source_id) {
  if (console_sink_)
    console_sink_(level, message, line_number, source_id);
}

}  // namespace cef_qt
