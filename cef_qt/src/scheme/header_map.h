// Case-insensitive access to the header multimaps of requests and responses.

#ifndef CEF_QT_SRC_SCHEME_HEADER_MAP_H_
#define CEF_QT_SRC_SCHEME_HEADER_MAP_H_

#include <map>

#include "include/cef_base.h"

namespace cef_qt {

using HeaderMultimap = std::multimap<CefString, CefString>;

// The first value of the header |name| (any case); empty if it is absent.
CefString FindHeader(const HeaderMultimap& headers, const CefString& name);

// Adds |name|: |value|; an existing header of that name is replaced when
// |overwrite| and kept otherwise.
void SetHeader(HeaderMultimap& headers,
               const CefString& name,
               const CefString& value,
               bool overwrite);

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_HEADER_MAP_H_
