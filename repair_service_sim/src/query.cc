#include "query.h"

#include <charconv>

namespace repair_sim {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size())
      return std::nullopt;
    int high = HexDigit(text[i + 1]);
    int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0)
      return std::nullopt;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return decoded;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

std::optional<Query> Query::Parse(std::string_view raw, std::string* error) {
  Query query;
  while (!raw.empty()) {
    size_t end = raw.find('&');
    std::string_view part = raw.substr(0, end);
    raw = end == std::string_view::npos ? std::string_view()
                                        : raw.substr(end + 1);
    if (part.empty())
      continue;
    size_t equals = part.find('=');
    std::optional<std::string> key = PercentDecode(part.substr(0, equals));
    std::optional<std::string> value = PercentDecode(
        equals == std::string_view::npos ? std::string_view()
                                         : part.substr(equals + 1));
    if (!key || !value) {
      *error = "bad percent escape in query part " + Quoted(part);
      return std::nullopt;
    }
    if (query.Find(*key)) {
      *error = "query key " + Quoted(*key) + " given twice";
      return std::nullopt;
    }
    query.pairs_.emplace_back(std::move(*key), std::move(*value));
  }
  return query;
}

const std::string* Query::Find(std::string_view key) const {
  for (const auto& [name, value] : pairs_) {
    if (name == key)
      return &value;
  }
  return nullptr;
}

std::optional<std::string> Query::Text(std::string_view key,
                                       std::string* error) const {
  const std::string* value = Find(key);
  if (!value) {
    *error = "missing query key " + Quoted(key);
    return std::nullopt;
  }
  if (value->empty()) {
    *error = "query key " + Quoted(key) + " is empty";
    return std::nullopt;
  }
  return *value;
}

std::optional<uint64_t> Query::Count(std::string_view key,
                                     std::string* error) const {
  std::optional<std::string> text = Text(key, error);
  if (!text)
    return std::nullopt;
  uint64_t number = 0;
  const char* end = text->data() + text->size();
  auto [stop, failure] = std::from_chars(text->data(), end, number);
  if (failure != std::errc() || stop != end) {
    *error = "query key " + Quoted(key) +
             " must be a non-negative integer, got " + Quoted(*text);
    return std::nullopt;
  }
  return number;
}

}  // namespace repair_sim
