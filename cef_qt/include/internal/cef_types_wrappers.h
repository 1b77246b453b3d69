#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_

#include <string.h>

#include "include/internal/cef_string.h"
#include "include/internal/cef_types.h"

// Wraps a C struct: zero-filled on construction, strings freed on
// destruction.
template <class traits>
class CefStructBase : public traits::struct_type {
 public:
  typedef typename traits::struct_type struct_type;

  CefStructBase() : attached_to_(nullptr) { Init(); }
  virtual ~CefStructBase() {
    if (!attached_to_)
      Clear(this);
  }

  CefStructBase(const CefStructBase& r) {
    Init();
    *this = r;
  }
  CefStructBase(const struct_type& r) {
    Init();
    *this = r;
  }

  void Reset() {
    Clear(this);
    Init();
  }

  void AttachTo(struct_type& source) {
    if (!attached_to_)
      Clear(this);
    attached_to_ = &source;
    memcpy(static_cast<struct_type*>(this), &source, sizeof(struct_type));
  }

  void DetachTo(struct_type& target) {
    if (attached_to_ != &target)
      Clear(&target);
    memcpy(&target, static_cast<struct_type*>(this), sizeof(struct_type));
    attached_to_ = nullptr;
    Init();
  }

  void Set(const struct_type& source, bool copy) {
    traits::set(&source, this, copy);
  }

  CefStructBase& operator=(const CefStructBase& s) {
    return operator=(static_cast<const struct_type&>(s));
  }
  CefStructBase& operator=(const struct_type& s) {
    Set(s, true);
    return *this;
  }

 protected:
  void Init() {
    memset(static_cast<struct_type*>(this), 0, sizeof(struct_type));
    attached_to_ = nullptr;
    traits::init(this);
  }

  static void Clear(struct_type* s) { traits::clear(s); }

  struct_type* attached_to_;
};

// Plain structs without strings share one set of traits.
template <class T>
struct CefPlainStructTraits {
  typedef T struct_type;
  static inline void init(struct_type* s) {}
  static inline void clear(struct_type* s) {}
  static inline void set(const struct_type* src,
                         struct_type* target,
                         bool copy) {
    *target = *src;
  }
};

struct CefPointTraits : CefPlainStructTraits<cef_point_t> {};
class CefPoint : public CefStructBase<CefPointTraits> {
 public:
  typedef CefStructBase<CefPointTraits> parent;
  CefPoint() {}
  CefPoint(const cef_point_t& r) : parent(r) {}
  CefPoint(int x, int y) { Set(x, y); }
  bool IsEmpty() const { return x <= 0 && y <= 0; }
  void Set(int x_val, int y_val) { x = x_val, y = y_val; }
};
inline bool operator==(const CefPoint& a, const CefPoint& b) {
  return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const CefPoint& a, const CefPoint& b) {
  return !(a == b);
}

struct CefRectTraits : CefPlainStructTraits<cef_rect_t> {};
class CefRect : public CefStructBase<CefRectTraits> {
 public:
  typedef CefStructBase<CefRectTraits> parent;
  CefRect() {}
  CefRect(const cef_rect_t& r) : parent(r) {}
  CefRect(int x, int y, int width, int height) { Set(x, y, width, height); }
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  void Set(int x_val, int y_val, int width_val, int height_val) {
    x = x_val, y = y_val, width = width_val, height = height_val;
  }
  bool Contains(int point_x, int point_y) const {
    return point_x >= x && point_x < x + width && point_y >= y &&
           point_y < y + height;
  }
  bool Contains(const CefPoint& point) const {
    return Contains(point.x, point.y);
  }
};
inline bool operator==(const CefRect& a, const CefRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
inline bool operator!=(const CefRect& a, const CefRect& b) {
  return !(a == b);
}

struct CefSizeTraits : CefPlainStructTraits<cef_size_t> {};
class CefSize : public CefStructBase<CefSizeTraits> {
 public:
  typedef CefStructBase<CefSizeTraits> parent;
  CefSize() {}
  CefSize(const cef_size_t& r) : parent(r) {}
  CefSize(int width, int height) { Set(width, height); }
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  void Set(int width_val, int height_val) {
    width = width_val, height = height_val;
  }
};
inline bool operator==(const CefSize& a, const CefSize& b) {
  return a.width == b.width && a.height == b.height;
}
inline bool operator!=(const CefSize& a, const CefSize& b) {
  return !(a == b);
}

struct CefSettingsTraits {
  typedef cef_settings_t struct_type;

  static inline void init(struct_type* s) { s->size = sizeof(struct_type); }

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->browser_subprocess_path);
    cef_string_clear(&s->framework_dir_path);
    cef_string_clear(&s->main_bundle_path);
    cef_string_clear(&s->cache_path);
    cef_string_clear(&s->root_cache_path);
    cef_string_clear(&s->user_data_path);
    cef_string_clear(&s->user_agent);
    cef_string_clear(&s->user_agent_product);
    cef_string_clear(&s->locale);
    cef_string_clear(&s->log_file);
    cef_string_clear(&s->javascript_flags);
    cef_string_clear(&s->resources_dir_path);
    cef_string_clear(&s->locales_dir_path);
    cef_string_clear(&s->accept_language_list);
    cef_string_clear(&s->cookieable_schemes_list);
    cef_string_clear(&s->application_client_id_for_file_scanning);
  }

  static inline void set(const struct_type* src,
                         struct_type* target,
                         bool copy) {
    auto set_string = [copy](const cef_string_t& from, cef_string_t* to) {
      cef_string_set(from.str, from.length, to, copy);
    };
    target->no_sandbox = src->no_sandbox;
    set_string(src->browser_subprocess_path, &target->browser_subprocess_path);
    set_string(src->framework_dir_path, &target->framework_dir_path);
    set_string(src->main_bundle_path, &target->main_bundle_path);
    target->chrome_runtime = src->chrome_runtime;
    target->multi_threaded_message_loop = src->multi_threaded_message_loop;
    target->external_message_pump = src->external_message_pump;
    target->windowless_rendering_enabled = src->windowless_rendering_enabled;
    target->command_line_args_disabled = src->command_line_args_disabled;
    set_string(src->cache_path, &target->cache_path);
    set_string(src->root_cache_path, &target->root_cache_path);
    set_string(src->user_data_path, &target->user_data_path);
    target->persist_session_cookies = src->persist_session_cookies;
    target->persist_user_preferences = src->persist_user_preferences;
    set_string(src->user_agent, &target->user_agent);
    set_string(src->user_agent_product, &target->user_agent_product);
    set_string(src->locale, &target->locale);
    set_string(src->log_file, &target->log_file);
    target->log_severity = src->log_severity;
    set_string(src->javascript_flags, &target->javascript_flags);
    set_string(src->resources_dir_path, &target->resources_dir_path);
    set_string(src->locales_dir_path, &target->locales_dir_path);
    target->pack_loading_disabled = src->pack_loading_disabled;
    target->remote_debugging_port = src->remote_debugging_port;
    target->uncaught_exception_stack_size = src->uncaught_exception_stack_size;
    target->background_color = src->background_color;
    set_string(src->accept_language_list, &target->accept_language_list);
    set_string(src->cookieable_schemes_list, &target->cookieable_schemes_list);
    target->cookieable_schemes_exclude_defaults =
        src->cookieable_schemes_exclude_defaults;
    set_string(src->application_client_id_for_file_scanning,
               &target->application_client_id_for_file_scanning);
  }
};
typedef CefStructBase<CefSettingsTraits> CefSettings;

struct CefBrowserSettingsTraits {
  typedef cef_browser_settings_t struct_type;

  static inline void init(struct_type* s) { s->size = sizeof(struct_type); }

  static inline void clear(struct_type* s) {
    cef_string_clear(&s->standard_font_family);
    cef_string_clear(&s->fixed_font_family);
    cef_string_clear(&s->serif_font_family);
    cef_string_clear(&s->sans_serif_font_family);
    cef_string_clear(&s->cursive_font_family);
    cef_string_clear(&s->fantasy_font_family);
    cef_string_clear(&s->default_encoding);
    cef_string_clear(&s->accept_language_list);
  }

  static inline void set(const struct_type* src,
                         struct_type* target,
                         bool copy) {
    auto set_string = [copy](const cef_string_t& from, cef_string_t* to) {
      cef_string_set(from.str, from.length, to, copy);
    };
    target->windowless_frame_rate = src->windowless_frame_rate;
    set_string(src->standard_font_family, &target->standard_font_family);
    set_string(src->fixed_font_family, &target->fixed_font_family);
    set_string(src->serif_font_family, &target->serif_font_family);
    set_string(src->sans_serif_font_family, &target->sans_serif_font_family);
    set_string(src->cursive_font_family, &target->cursive_font_family);
    set_string(src->fantasy_font_family, &target->fantasy_font_family);
    target->default_font_size = src->default_font_size;
    target->default_fixed_font_size = src->default_fixed_font_size;
    target->minimum_font_size = src->minimum_font_size;
    target->minimum_logical_font_size = src->minimum_logical_font_size;
    set_string(src->default_encoding, &target->default_encoding);
    target->remote_fonts = src->remote_fonts;
    target->javascript = src->javascript;
    target->javascript_close_windows = src->javascript_close_windows;
    target->javascript_access_clipboard = src->javascript_access_clipboard;
    target->javascript_dom_paste = src->javascript_dom_paste;
    target->plugins = src->plugins;
    target->image_loading = src->image_loading;
    target->image_shrink_standalone_to_fit =
        src->image_shrink_standalone_to_fit;
    target->text_area_resize = src->text_area_resize;
    target->tab_to_links = src->tab_to_links;
    target->local_storage = src->local_storage;
    target->databases = src->databases;
    target->webgl = src->webgl;
    target->background_color = src->background_color;
    set_string(src->accept_language_list, &target->accept_language_list);
  }
};
typedef CefStructBase<CefBrowserSettingsTraits> CefBrowserSettings;

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_WRAPPERS_H_
