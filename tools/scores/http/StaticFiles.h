// A set of files kept in memory and served as they are: by name only, so no request reaches
// outside the set. Each reply carries the set's security policy, a strong ETag answered with
// 304, a cache rule (for good for a name carrying its content's hash, revalidated otherwise),
// and the precompressed copy ("X.br", "X.gz" beside X) the client takes.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "scores/http/HttpReply.h"
#include "scores/http/HttpServer.h"

namespace brinecast::scores {

class StaticFiles {
 public:
  explicit StaticFiles(std::string securityPolicy) : policy_(std::move(securityPolicy)) {}

  // `name` is relative, its folders separated by '/'.
  void Add(const std::string& name, std::string bytes);
  bool Has(std::string_view name) const { return files_.contains(name); }
  size_t Count() const { return files_.size(); }
  size_t Bytes() const { return bytes_; }

  // The reply to a GET or HEAD of `name`; "" and a name ending in '/' mean its index.html.
  Reply Serve(std::string_view name, const HttpRequest& request) const;

  // The name a request path (after the set's prefix) asks for, its %XX decoded; nothing for
  // one that is not a plain relative name ("..", ".", empty parts, a backslash, a NUL).
  static std::optional<std::string> NameOf(std::string_view path);

 private:
  struct Stored {
    std::shared_ptr<const std::string> bytes;
    std::string etag;
  };
  const Stored* Find(const std::string& name) const;

  std::string policy_;
  std::map<std::string, Stored, std::less<>> files_;
  size_t bytes_ = 0;
};

}  // namespace brinecast::scores
