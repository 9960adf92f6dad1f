// Every copy of a file has its own ETag (a digest of its bytes), so a cache that holds the
// gzip copy never takes it for the brotli one.
#include "scores/http/StaticFiles.h"

#include <openssl/evp.h>

#include <cctype>

#include "scores/http/FileTypes.h"
#include "scores/http/Negotiation.h"

namespace brinecast::scores {

namespace {

constexpr std::string_view kForGood = "public, max-age=31536000, immutable";
constexpr std::string_view kRevalidate = "no-cache";

std::string Etag(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string tag = "\"";
  for (unsigned i = 0; i < 16 && i < length; ++i) {
    tag += kHex[digest[i] >> 4U];
    tag += kHex[digest[i] & 15U];
  }
  return tag + "\"";
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void StaticFiles::Add(const std::string& name, std::string bytes) {
  if (const Stored* old = Find(name)) bytes_ -= old->bytes->size();
  bytes_ += bytes.size();
  std::string etag = Etag(bytes);
  files_[name] = {std::make_shared<const std::string>(std::move(bytes)), std::move(etag)};
}

const StaticFiles::Stored* StaticFiles::Find(const std::string& name) const {
  const auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second;
}

std::optional<std::string> StaticFiles::NameOf(std::string_view path) {
  std::string name;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c == '%') {
      const int high = i + 2 < path.size() ? HexValue(path[i + 1]) : -1;
      const int low = high >= 0 ? HexValue(path[i + 2]) : -1;
      if (low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      i += 2;
    }
    if (c == '\0' || c == '\\') return std::nullopt;
    name += c;
  }
  // Every part but a last empty one (a folder's index) must be a plain name.
  size_t start = 0;
  while (start < name.size()) {
    const size_t slash = name.find('/', start);
    const std::string_view part = std::string_view(name).substr(
        start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part.empty() || part == "." || part == "..") return std::nullopt;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return name;
}

Reply StaticFiles::Serve(std::string_view asked, const HttpRequest& request) const {
  std::string name(asked);
  if (name.empty() || name.ends_with('/')) name += "index.html";
  Reply reply{404, "Not found"};
  reply.headers.emplace_back("Content-Security-Policy", policy_);
  const Stored* plain = Find(name);
  if (!plain) return reply;
  const Stored* brotli = Find(name + ".br");
  const Stored* gzip = Find(name + ".gz");
  const Coding coding =
      ChooseCoding(request.Header("Accept-Encoding"), brotli != nullptr, gzip != nullptr);
  const Stored& sent = coding == Coding::kBrotli ? *brotli
                       : coding == Coding::kGzip ? *gzip
                                                 : *plain;
  reply.status = 200;
  reply.contentType = std::string(MediaType(name));
  reply.headers.emplace_back("Cache-Control", HashedName(name) ? kForGood : kRevalidate);
  reply.headers.emplace_back("ETag", sent.etag);
  if (brotli || gzip) reply.headers.emplace_back("Vary", "Accept-Encoding");
  if (coding != Coding::kIdentity) {
    reply.headers.emplace_back("Content-Encoding", std::string(CodingName(coding)));
  }
  if (EtagMatches(request.Header("If-None-Match"), sent.etag)) {
    reply.status = 304;
    reply.body.clear();
    return reply;
  }
  reply.body.clear();
  reply.file = sent.bytes;
  return reply;
}

}  // namespace brinecast::scores
