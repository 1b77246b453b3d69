// Serves one request under client://web/ from the embedded resource store.

#ifndef CEF_APP_SRC_EMBEDDED_RESOURCE_HANDLER_H_
#define CEF_APP_SRC_EMBEDDED_RESOURCE_HANDLER_H_

#include <cstdint>
#include <map>
#include <string>

#include "include/cef_resource_handler.h"

class EmbeddedResourceHandler : public CefResourceHandler {
 public:
  EmbeddedResourceHandler();
  EmbeddedResourceHandler(const EmbeddedResourceHandler&) = delete;
  EmbeddedResourceHandler& operator=(const EmbeddedResourceHandler&) = delete;

  // CefResourceHandler:
  bool Open(CefRefPtr<CefRequest> request,
            bool& handle_request,
            CefRefPtr<CefCallback> callback) override;
  void GetResponseHeaders(CefRefPtr<CefResponse> response,
                          int64& response_length,
                          CefString& redirectUrl) override;
  bool Read(void* data_out,
            int bytes_to_read,
            int& bytes_read,
            CefRefPtr<CefResourceReadCallback> callback) override;
  void Cancel() override;

 private:
  // Copies the file that |store_path| names into |data_|; false if there is
  // none.
  bool LoadFile(const std::string& store_path);
  std::string MimeTypeOf(const std::string& request_path) const;

  std::string data_;
  std::string mime_type_;
  uint64_t read_offset_ = 0;
  const std::map<std::string, std::string> extension_table_;

  IMPLEMENT_REFCOUNTING(EmbeddedResourceHandler);
};

#endif  // CEF_APP_SRC_EMBEDDED_RESOURCE_HANDLER_H_
