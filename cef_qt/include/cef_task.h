#ifndef CEF_INCLUDE_CEF_TASK_H_
#define CEF_INCLUDE_CEF_TASK_H_

#include "include/cef_base.h"

typedef cef_thread_id_t CefThreadId;

bool CefCurrentlyOn(CefThreadId threadId);

#endif  // CEF_INCLUDE_CEF_TASK_H_
