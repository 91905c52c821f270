#include "history/path_field.h"

#include <openssl/evp.h>

#include "platform/text.h"

namespace tarnwick {
namespace {

using nlohmann::json;

std::string BytesKey(std::string_view key) { return std::string(key) + "_bytes"; }

std::string Base64Encode(std::string_view bytes) {
  std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');  // + the closing NUL
  const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                     reinterpret_cast<const unsigned char*>(bytes.data()),
                                     static_cast<int>(bytes.size()));
  text.resize(static_cast<size_t>(length));
  return text;
}

// EVP_DecodeBlock counts the zero bytes that '=' padding stands for; they are
// cut off again.
std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string bytes(text.size() / 4 * 3, '\0');
  const int length = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                     reinterpret_cast<const unsigned char*>(text.data()),
                                     static_cast<int>(text.size()));
  if (length < 0) return std::nullopt;
  const size_t padding = text.ends_with("==") ? 2 : text.ends_with('=') ? 1 : 0;
  bytes.resize(static_cast<size_t>(length) - padding);
  return bytes;
}

// The raw bytes from `bytes` when it is a string, else the readable `text`.
std::optional<std::string> PathFrom(const json& text, const json* bytes) {
  if (bytes != nullptr && bytes->is_string()) return Base64Decode(bytes->get<std::string>());
  if (!text.is_string()) return std::nullopt;
  return text.get<std::string>();
}

}  // namespace

void PutPath(json& object, std::string_view key, std::string_view path) {
  object[std::string(key)] = ToUtf8(path);
  if (!IsValidUtf8(path)) object[BytesKey(key)] = Base64Encode(path);
}

std::optional<std::string> GetPath(const json& object, std::string_view key) {
  const auto text = object.find(std::string(key));
  if (text == object.end()) return std::nullopt;
  const auto bytes = object.find(BytesKey(key));
  return PathFrom(*text, bytes == object.end() ? nullptr : &*bytes);
}

void PutPaths(json& object, std::string_view key, const std::vector<std::string>& paths) {
  json texts = json::array(), bytes = json::array();
  bool any_bytes = false;
  for (const std::string& path : paths) {
    texts.push_back(ToUtf8(path));
    const bool exact = IsValidUtf8(path);
    bytes.push_back(exact ? json() : json(Base64Encode(path)));
    any_bytes = any_bytes || !exact;
  }
  object[std::string(key)] = texts;
  if (any_bytes) object[BytesKey(key)] = bytes;
}

std::optional<std::vector<std::string>> GetPaths(const json& object, std::string_view key) {
  const auto texts = object.find(std::string(key));
  if (texts == object.end() || !texts->is_array()) return std::nullopt;
  const auto bytes = object.find(BytesKey(key));
  const bool has_bytes = bytes != object.end() && bytes->is_array();
  std::vector<std::string> paths;
  for (size_t i = 0; i < texts->size(); ++i) {
    const bool in_bytes = has_bytes && i < bytes->size();
    const std::optional<std::string> path =
        PathFrom((*texts)[i], in_bytes ? &(*bytes)[i] : nullptr);
    if (!path) return std::nullopt;
    paths.push_back(*path);
  }
  return paths;
}

}  // namespace tarnwick
