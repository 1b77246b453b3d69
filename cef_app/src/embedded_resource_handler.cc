#include "embedded_resource_handler.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "embedded_filesystem.h"
#include "start_url.h"

namespace {

constexpr char kStoreDirectory[] = "web/";

// What "client://web/" is removed from the URL's front.
size_t RequestPathStart() {
  return std::strlen(kClientScheme) + std::strlen(kSchemeSeparator) +
         std::strlen(kClientDomain) + 1;
}

}  // namespace

EmbeddedResourceHandler::EmbeddedResourceHandler()
    : extension_table_{
          {"gif", "image/gif"},         {"jpeg", "image/jpeg"},
          {"jpg", "image/jpeg"},        {"png", "image/png"},
          {"webp", "image/webp"},       {"mhtml", "multipart/related"},
          {"mht", "multipart/related"}, {"css", "text/css"},
          {"html", "text/html"},        {"htm", "text/html"},
          {"mjs", "text/javascript"},   {"js", "text/javascript"},
          {"xml", "text/xml"},
      } {}

bool EmbeddedResourceHandler::Open(CefRefPtr<CefRequest> request,
                                   bool& handle_request,
                                   CefRefPtr<CefCallback> callback) {
  const std::string url = request ? request->GetURL().ToString() : "";
  const std::string request_path =
      url.substr(std::min(RequestPathStart(), url.size()));

  if (!LoadFile(kStoreDirectory + request_path)) {
    // Nothing to serve: cancel now, so the page sees a failed load.
    handle_request = true;
    return false;
  }
  mime_type_ = MimeTypeOf(request_path);

  if (!data_.empty() && !mime_type_.empty())
    handle_request = true;
  if (!handle_request)
    return false;
  callback->Continue();
  return true;
}

void EmbeddedResourceHandler::GetResponseHeaders(
    CefRefPtr<CefResponse> response,
    int64& response_length,
    CefString& redirectUrl) {
  response->SetMimeType(mime_type_);
  response->SetStatus(200);
  response_length = static_cast<int64>(data_.size());
}

bool EmbeddedResourceHandler::Read(
    void* data_out,
    int bytes_to_read,
    int& bytes_read,
    CefRefPtr<CefResourceReadCallback> callback) {
  bytes_read = 0;
  if (read_offset_ >= data_.size())
    return false;
  if (bytes_to_read <= 0) {
    // Nothing could be handed out; answering true with 0 would mean "later".
    bytes_read = ERR_FAILED;
    return false;
  }
  const int n = static_cast<int>(
      std::min<uint64_t>(bytes_to_read, data_.size() - read_offset_));
  std::memcpy(data_out, data_.data() + read_offset_, n);
  read_offset_ += n;
  bytes_read = n;
  return true;
}

void EmbeddedResourceHandler::Cancel() {}

bool EmbeddedResourceHandler::LoadFile(const std::string& store_path) {
  try {
    const EmbeddedFile file = GetEmbeddedFilesystem().Open(store_path);
    data_.assign(file.begin, file.end);
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

std::string EmbeddedResourceHandler::MimeTypeOf(
    const std::string& request_path) const {
  const size_t dot = request_path.rfind('.');
  if (dot == std::string::npos)
    return std::string();
  const auto found = extension_table_.find(request_path.substr(dot + 1));
  return found == extension_table_.end() ? std::string() : found->second;
}
