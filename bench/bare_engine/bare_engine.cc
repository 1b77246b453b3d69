// The bare engine for comparisons: one Qt WebEngine window of 800 by 700 on
// the URL given, nothing else. Chromium switches come through
// QTWEBENGINE_CHROMIUM_FLAGS.

#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char* argv[]) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  if (argc < 2)
    return 2;
  QWebEngineView view;
  view.resize(800, 700);
  view.load(QUrl(QString::fromLocal8Bit(argv[1])));
  view.show();
  return application.exec();
}
