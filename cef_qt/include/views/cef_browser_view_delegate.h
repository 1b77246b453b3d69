#ifndef CEF_INCLUDE_VIEWS_CEF_BROWSER_VIEW_DELEGATE_H_
#define CEF_INCLUDE_VIEWS_CEF_BROWSER_VIEW_DELEGATE_H_

#include "include/cef_client.h"
#include "include/views/cef_view_delegate.h"

// Decides a browser view's behaviour. UI thread. A pop-up's browser view gets
// its opener's delegate and opens in a default top-level window, as with
// CEF's defaults.
class CefBrowserViewDelegate : public CefViewDelegate {};

#endif  // CEF_INCLUDE_VIEWS_CEF_BROWSER_VIEW_DELEGATE_H_
