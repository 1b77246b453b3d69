#include "window_registry.h"

#include <vector>

#include "window_impl.h"

namespace cef_qt {

namespace {

std::vector<CefRefPtr<WindowImpl>>& LiveWindows() {
  static std::vector<CefRefPtr<WindowImpl>> windows;
  return windows;
}

}  // namespace

void RegisterWindow(WindowImpl* window) {
  LiveWindows().push_back(window);
}

void UnregisterWindow(WindowImpl* window) {
  auto& windows = LiveWindows();
  for (auto it = windows.begin(); it != windows.end(); ++it) {
    if (it->get() == window) {
      CefRefPtr<WindowImpl> keep = *it;
      windows.erase(it);
      return;
    }
  }
}

void DestroyAllWindows() {
  std::vector<CefRefPtr<WindowImpl>> windows;
  windows.swap(LiveWindows());
  for (auto& window : windows)
    window->Destroy();
}

}  // namespace cef_qt
