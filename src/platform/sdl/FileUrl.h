// The URL handed to the desktop to open a web address or a file.
#pragma once

#include <filesystem>
#include <string>

namespace brinecast {

// What the desktop's "open" is given: a target with a scheme ("http://...", "mailto:")
// as it is, anything else as a file:// URL of its absolute path, percent-encoded so
// that '#', '?', '%' and spaces in a file name stay part of the path.
inline std::string UrlForTarget(const std::string& target, const std::string& workingDir) {
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto alnum = [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); };
  if (target.empty()) return {};
  size_t i = 0;
  while (i < target.size() &&
         (alnum(target[i]) || target[i] == '+' || target[i] == '-' || target[i] == '.')) {
    ++i;
  }
  // Two letters at least, so a lone drive letter is never taken for a scheme.
  if (i >= 2 && i < target.size() && target[i] == ':' && alpha(target[0])) {
    return target;
  }
  std::filesystem::path path(target);
  if (path.is_relative()) {
    if (workingDir.empty()) return {};  // nowhere to resolve it from
    path = std::filesystem::path(workingDir) / path;
  }
  const std::string plain = path.lexically_normal().string();
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : plain) {
    const auto b = static_cast<unsigned char>(c);
    if (alnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      url += c;
    } else {
      url += '%';
      url += kHex[b >> 4];
      url += kHex[b & 15];
    }
  }
  return url;
}

}  // namespace brinecast
