// The page of one browser: logs the page's console messages as CEF does
// when no handler takes them.

#ifndef CEF_QT_SRC_BROWSER_PAGE_H_
#define CEF_QT_SRC_BROWSER_PAGE_H_

#include <QWebEnginePage>

namespace cef_qt {

class BrowserPage : public QWebEnginePage {
 public:
  explicit BrowserPage(QWebEngineProfile* profile);

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                const QString& message,
                                int line_number,
                                const QString& source_id) override;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_PAGE_H_
