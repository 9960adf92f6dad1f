// The node simulator has no HTTP client: a run that names a real score server gets every
// request refused with a reason, as when no server answers.
#include "net/HttpClient.h"

namespace brinecast {

struct CurlTransport::Handle {};

CurlTransport::CurlTransport(HttpLimits limits) : limits_(limits) {}
CurlTransport::~CurlTransport() = default;

HttpResult CurlTransport::Get(const HttpRequest& request) {
  return Perform(request, nullptr);
}

HttpResult CurlTransport::Post(const HttpRequest& request, const HttpBody& body) {
  return Perform(request, &body);
}

HttpResult CurlTransport::Perform(const HttpRequest&, const HttpBody*) {
  HttpResult result;
  result.error = "this build of the simulator cannot reach a score server";
  return result;
}

}  // namespace brinecast
