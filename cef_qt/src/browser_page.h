// The page of one browser: reports console messages to its browser.

#ifndef CEF_QT_SRC_BROWSER_PAGE_H_
#define CEF_QT_SRC_BROWSER_PAGE_H_

#include <functional>

#include <QWebEnginePage>

namespace cef_qt {

class BrowserPage : public QWebEnginePage {
 public:
  using ConsoleSink = std::function<
      void(JavaScriptConsoleMessageLevel, const QString&, int, const QString&)>;

  BrowserPage(QWebEngineProfile* profile, bool is_popup = false);

  bool IsPopup() const { return is_popup_; }
  void SetConsoleSink(ConsoleSink sink) { console_sink_ = std::move(sink); }

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                const QString& message,
                                int line_number,
                                const QString& source_id) override;

 private:
  const bool is_popup_;
  ConsoleSink console_sink_;
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_BROWSER_PAGE_H_
