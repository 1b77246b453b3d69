// The process entry point's X11 error handlers. Include it after the
// engine's headers: Xlib's macros clash with them.

#ifndef CEF_APP_SRC_MAIN_H_
#define CEF_APP_SRC_MAIN_H_

#include <X11/Xlib.h>

// Logs an X protocol error at warning severity and lets the process go on.
int OnXError(Display* display, XErrorEvent* event);

// Ignores a fatal X I/O error.
int OnXIOError(Display* display);

#endif  // CEF_APP_SRC_MAIN_H_
