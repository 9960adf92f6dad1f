// Inlining the pictures an SVG references, so the rasteriser can draw them from memory;
// bounded in depth, count and total size so no file can make the pack run away.
#include "ImageReferences.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <locale>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "SourceImage.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

// Deep enough for any real picture, shallow enough to stop a file that includes itself.
constexpr int kMaxDepth = 8;
// A picture made of a few others is normal; one that multiplies into thousands of copies, or
// tens of megabytes of text, is a file built to exhaust the machine.
constexpr int kMaxReferences = 1000;
constexpr size_t kMaxExpandedBytes = size_t{64} << 20;

// What the whole expansion of one source picture has used so far.
struct Expansion {
  int references = 0;
  size_t bytes = 0;
};

// The rasteriser draws a referenced SVG at its own size and then scales that bitmap, so it is
// enlarged this much first to stay sharp when drawn larger and smooth when drawn smaller.
constexpr double kOversample = 4;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read \"" + path.string() + "\"");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// data: URIs and URLs with a scheme are the renderer's business, not files of ours.
bool IsFileReference(const std::string& href) {
  if (href.empty() || href.front() == '#') return false;
  if (!std::isalpha(static_cast<unsigned char>(href.front()))) return true;
  for (char c : href) {
    if (c == ':') return false;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
      return true;
  }
  return true;
}

std::string Extension(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string Inline(const std::string& svg, const fs::path& file, const fs::path& root, int depth,
                   Expansion& used);

// Hands each attribute of the tag starting at `at` to `visit(name, valueBegin, valueEnd)`
// and returns the position just past the tag.
template <typename Visit>
size_t ScanTag(const std::string& text, size_t at, Visit visit) {
  size_t i = at;
  while (i < text.size() && text[i] != '>') {
    if (std::isspace(static_cast<unsigned char>(text[i])) || text[i] == '/') {
      ++i;
      continue;
    }
    const size_t nameBegin = i;
    while (i < text.size() && text[i] != '=' && text[i] != '>' && text[i] != '/' &&
           !std::isspace(static_cast<unsigned char>(text[i])))
      ++i;
    const std::string name = text.substr(nameBegin, i - nameBegin);
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i >= text.size() || text[i] != '=') continue;
    ++i;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) continue;
    const size_t valueEnd = text.find(text[i], i + 1);
    if (valueEnd == std::string::npos) return text.size();
    visit(name, i + 1, valueEnd);
    i = valueEnd + 1;
  }
  return std::min(i + 1, text.size());
}

bool StartsTag(const std::string& text, size_t at, const std::string& tag) {
  if (text.compare(at, tag.size(), tag) != 0) return false;
  const size_t after = at + tag.size();
  return after < text.size() && (std::isspace(static_cast<unsigned char>(text[after])) ||
                                 text[after] == '/' || text[after] == '>');
}

std::optional<double> Pixels(const std::string& length) {
  char* end = nullptr;
  const double value = std::strtod(length.c_str(), &end);
  if (end == length.c_str() || !(value > 0) || (std::string(end) != "" && std::string(end) != "px"))
    return std::nullopt;
  return value;
}

std::string Oversampled(const std::string& svg, const std::string& where) {
  size_t at = 0;
  while ((at = svg.find("<svg", at)) != std::string::npos && !StartsTag(svg, at, "<svg")) ++at;
  if (at == std::string::npos) return svg;
  struct Span {
    size_t begin = 0, end = 0;
  };
  std::optional<Span> width, height;
  bool hasViewBox = false;
  ScanTag(svg, at + 4, [&](const std::string& name, size_t begin, size_t end) {
    if (name == "width") width = Span{begin, end};
    if (name == "height") height = Span{begin, end};
    if (name == "viewBox") hasViewBox = true;
  });
  if (!width || !height) return svg;
  auto value = [&](const Span& s) { return Pixels(svg.substr(s.begin, s.end - s.begin)); };
  const auto w = value(*width), h = value(*height);
  if (!w || !h) return svg;
  if (*w > kMaxPictureSide || *h > kMaxPictureSide)
    throw std::runtime_error(where + " is larger than " + std::to_string(kMaxPictureSide) +
                             " pixels a side");
  auto number = [](double v) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(10) << v;
    return text.str();
  };
  // Spans are replaced back to front so the earlier ones keep their offsets.
  std::vector<std::pair<Span, std::string>> edits = {{*width, number(*w * kOversample)},
                                                     {*height, number(*h * kOversample)}};
  if (!hasViewBox)
    edits.push_back(
        {Span{at + 4, at + 4}, " viewBox=\"0 0 " + number(*w) + " " + number(*h) + "\""});
  std::sort(edits.begin(), edits.end(),
            [](const auto& a, const auto& b) { return a.first.begin > b.first.begin; });
  std::string out = svg;
  for (const auto& [span, text] : edits) out.replace(span.begin, span.end - span.begin, text);
  return out;
}

// The size a PNG's header states, read before the rasteriser decodes it; 0 x 0 when the
// bytes carry no header (the rasteriser then refuses them itself).
std::pair<uint32_t, uint32_t> PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(12, 4, "IHDR") != 0) return {0, 0};
  auto big = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
    return v;
  };
  return {big(16), big(20)};
}

std::string DataUri(const std::string& href, const fs::path& file, const fs::path& root, int depth,
                    Expansion& used) {
  const std::string where = "image \"" + href + "\" in \"" + file.string() + "\"";
  const fs::path target = fs::weakly_canonical(file.parent_path() / href);
  const fs::path inside = target.lexically_relative(root);
  if (inside.empty() || *inside.begin() == "..")
    throw std::runtime_error(where + " lies outside \"" + root.string() + "\"");
  if (!fs::is_regular_file(target)) throw std::runtime_error(where + " is missing");
  if (fs::file_size(target) > kMaxExpandedBytes)
    throw std::runtime_error(where + " is larger than " + std::to_string(kMaxExpandedBytes >> 20) +
                             " MB");
  if (++used.references > kMaxReferences)
    throw std::runtime_error(where + ": more than " + std::to_string(kMaxReferences) +
                             " pictures referenced in all");
  const std::string ext = Extension(target);
  std::string bytes, type;
  if (ext == ".svg") {
    if (depth >= kMaxDepth)
      throw std::runtime_error(where + " nests pictures more than " + std::to_string(kMaxDepth) +
                               " deep; does it include itself?");
    bytes = Oversampled(Inline(ReadBytes(target), target, root, depth + 1, used), where);
    type = "image/svg+xml";
  } else if (ext == ".png") {
    bytes = ReadBytes(target);
    const auto [w, h] = PngSize(bytes);
    if (w > kMaxPictureSide || h > kMaxPictureSide)
      throw std::runtime_error(where + " is larger than " + std::to_string(kMaxPictureSide) +
                               " pixels a side");
    type = "image/png";
  } else {
    throw std::runtime_error(where + ": only .svg and .png pictures can be referenced");
  }
  used.bytes += bytes.size() / 3 * 4 + 4;
  if (used.bytes > kMaxExpandedBytes)
    throw std::runtime_error(where + ": the referenced pictures expand beyond " +
                             std::to_string(kMaxExpandedBytes >> 20) + " MB");
  std::unique_ptr<gchar, void (*)(gpointer)> encoded(
      g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size()), g_free);
  return "data:" + type + ";base64," + encoded.get();
}

std::string Inline(const std::string& svg, const fs::path& file, const fs::path& root, int depth,
                   Expansion& used) {
  std::string out;
  size_t copied = 0;
  size_t i = 0;
  while ((i = svg.find('<', i)) != std::string::npos) {
    // Commented-out or quoted markup is not markup.
    for (const auto& [open, close] : {std::pair{"<!--", "-->"}, std::pair{"<![CDATA[", "]]>"}}) {
      if (svg.compare(i, std::char_traits<char>::length(open), open) == 0) {
        const size_t end = svg.find(close, i);
        i = end == std::string::npos ? svg.size() : end;
        break;
      }
    }
    if (!StartsTag(svg, i, "<image")) {
      ++i;
      continue;
    }
    i = ScanTag(svg, i + 6, [&](const std::string& name, size_t begin, size_t end) {
      const std::string href = svg.substr(begin, end - begin);
      if ((name != "href" && name != "xlink:href") || !IsFileReference(href)) return;
      out.append(svg, copied, begin - copied);
      out += DataUri(href, file, root, depth, used);
      copied = end;
    });
  }
  out.append(svg, copied, std::string::npos);
  return out;
}

}  // namespace

std::string InlineImageReferences(const std::string& svg, const fs::path& file,
                                  const fs::path& root) {
  Expansion used;
  return Inline(svg, fs::absolute(file), fs::weakly_canonical(root), 0, used);
}

}  // namespace brinecast
