// The top-level windows that are alive; the engine holds a reference to each
// until it is destroyed.

#ifndef CEF_QT_SRC_WINDOW_REGISTRY_H_
#define CEF_QT_SRC_WINDOW_REGISTRY_H_

namespace cef_qt {

class WindowImpl;

void RegisterWindow(WindowImpl* window);
void UnregisterWindow(WindowImpl* window);

// At shut-down: destroys every window still alive, without asking.
void DestroyAllWindows();

}  // namespace cef_qt

#endif  // CEF_QT_SRC_WINDOW_REGISTRY_H_
