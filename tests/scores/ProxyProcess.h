// nginx in front of score servers, round robin on loopback, as the README shows it: its
// configuration and temporary files in a folder of the test's own, run in the foreground
// and ended by its pid. The client's address comes from the test's X-Test-Client header, so
// one test can speak as many clients.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "RecordingClient.h"
#include "ServerProcess.h"
#include "WaitFor.h"
#include "support/ScratchFolder.h"

namespace brinecast::testing {

inline constexpr const char* kNginx = "/usr/sbin/nginx";

class ProxyProcess {
 public:
  explicit ProxyProcess(const std::vector<int>& upstreams) : port_(FreeLoopbackPort()) {
    const std::string dir = folder_.Path().string();
    std::string servers;
    for (int port : upstreams) servers += "    server 127.0.0.1:" + std::to_string(port) + ";\n";
    std::string temps;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"}) {
      const std::filesystem::path temp = folder_.Path() / kind;
      std::filesystem::create_directories(temp);
      // Workers may run as another user.
      std::filesystem::permissions(temp, std::filesystem::perms::all);
      temps += "  " + std::string(kind) + "_temp_path " + temp.string() + ";\n";
    }
    std::ofstream(folder_.Path() / "nginx.conf")
        << "daemon off;\nworker_processes 1;\npid " << dir << "/nginx.pid;\nerror_log " << dir
        << "/error.log;\nevents { worker_connections 512; }\nhttp {\n  access_log off;\n"
        << temps << "  upstream scores {\n"
        << servers << "  }\n  server {\n    listen 127.0.0.1:" << port_
        << ";\n    client_max_body_size 2m;\n    client_body_buffer_size 2m;\n"
           "    location / {\n      proxy_pass http://scores;\n"
           "      proxy_http_version 1.1;\n      proxy_set_header Connection \"\";\n"
           "      proxy_set_header X-Forwarded-For $http_x_test_client;\n"
           "      proxy_read_timeout 20s;\n    }\n  }\n}\n";
    process_ = std::make_unique<ServerProcess>(
        std::vector<std::string>{"-p", dir, "-c", dir + "/nginx.conf"}, kNginx);
  }
  ~ProxyProcess() {
    process_->Signal(SIGTERM);
    if (!process_->Exited(std::chrono::seconds(10))) process_->Signal(SIGKILL);
  }
  ProxyProcess(const ProxyProcess&) = delete;
  ProxyProcess& operator=(const ProxyProcess&) = delete;

  // Whether it answers within `wait`.
  bool WaitAnswering(std::chrono::milliseconds wait = std::chrono::seconds(10)) {
    return WaitFor([&] { return Send(port_, "GET", "/health").status == 200; }, wait);
  }
  int port() const { return port_; }
  std::string Log() const {
    std::ifstream in(folder_.Path() / "error.log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  ScratchFolder folder_;
  int port_;
  std::unique_ptr<ServerProcess> process_;
};

}  // namespace brinecast::testing
