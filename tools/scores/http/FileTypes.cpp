// The media types of what a built site holds; text is always UTF-8.
#include "scores/http/FileTypes.h"

#include <cctype>

namespace brinecast::scores {

namespace {

struct TypeOfExtension {
  std::string_view extension;
  std::string_view type;
};

constexpr TypeOfExtension kTypes[] = {
    {"html", "text/html; charset=utf-8"},
    {"js", "text/javascript; charset=utf-8"},
    {"mjs", "text/javascript; charset=utf-8"},
    {"css", "text/css; charset=utf-8"},
    {"json", "application/json"},
    {"webmanifest", "application/manifest+json"},
    {"wasm", "application/wasm"},
    {"png", "image/png"},
    {"svg", "image/svg+xml"},
    {"ico", "image/x-icon"},
    {"jpg", "image/jpeg"},
    {"webp", "image/webp"},
    {"txt", "text/plain; charset=utf-8"},
    {"woff2", "font/woff2"},
    {"ttf", "font/ttf"},
    {"wav", "audio/wav"},
    {"xm", "audio/xm"},
    {"data", "application/octet-stream"},
};

constexpr std::string_view kUnknown = "application/octet-stream";

bool HexRun(std::string_view part) {
  if (part.size() < 8) return false;
  for (char c : part) {
    if (std::isxdigit(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

std::string_view BaseName(std::string_view name) {
  const size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

}  // namespace

std::string_view MediaType(std::string_view name) {
  const std::string_view base = BaseName(name);
  const size_t dot = base.rfind('.');
  if (dot == std::string_view::npos) return kUnknown;
  const std::string_view extension = base.substr(dot + 1);
  for (const TypeOfExtension& known : kTypes) {
    if (known.extension == extension) return known.type;
  }
  return kUnknown;
}

bool HashedName(std::string_view name) {
  std::string_view base = BaseName(name);
  const size_t first = base.find('.');
  const size_t last = base.rfind('.');
  if (first == std::string_view::npos || first == last) return false;
  base = base.substr(first + 1, last - first - 1);
  while (!base.empty()) {
    const size_t dot = base.find('.');
    if (HexRun(base.substr(0, dot))) return true;
    base = dot == std::string_view::npos ? std::string_view() : base.substr(dot + 1);
  }
  return false;
}

}  // namespace brinecast::scores
