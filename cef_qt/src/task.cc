// include/cef_task.h on Qt: the UI thread is the main thread.

#include "include/cef_task.h"

#include <QCoreApplication>
#include <QThread>

bool CefCurrentlyOn(CefThreadId thread_id) {
  QCoreApplication* application = QCoreApplication::instance();
  bool on_main =
      application && QThread::currentThread() == application->thread();
  return thread_id == TID_UI ? on_main : false;
}
