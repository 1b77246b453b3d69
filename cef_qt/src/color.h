// CEF's ARGB colours as Qt's.

#ifndef CEF_QT_SRC_COLOR_H_
#define CEF_QT_SRC_COLOR_H_

#include <QColor>

#include "include/internal/cef_types.h"

namespace cef_qt {

inline QColor ToQColor(cef_color_t color) {
  return QColor(CefColorGetR(color), CefColorGetG(color), CefColorGetB(color),
                CefColorGetA(color));
}

}  // namespace cef_qt

#endif  // CEF_QT_SRC_COLOR_H_
