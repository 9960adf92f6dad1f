// A stand-in score server on loopback for the shell tests: it answers the check with a known
// token and the submission with OK, keeps what a recording upload sends (after answering the
// first few 503, as a busy server does, when told to), and logs every request. It ends by
// itself after its lifetime, or when killed.
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "protocol/Requests.h"

namespace {

struct Options {
  std::string portFile;
  std::string logDir;
  std::string token = "5eed70ce";
  bool knowsRecordings = true;
  int busyUploads = 0;  // how many uploads are answered 503 before one is taken
  int lifetimeSeconds = 60;
};

// Written whole under a temporary name and renamed, so a reader never sees half a file.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: recording_listener --port-file FILE --log-dir DIR [--token T] "
               "[--unknown-recording-path] [--busy UPLOADS] [--lifetime SECONDS]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--port-file" && hasValue) {
      options.portFile = argv[++i];
    } else if (arg == "--log-dir" && hasValue) {
      options.logDir = argv[++i];
    } else if (arg == "--token" && hasValue) {
      options.token = argv[++i];
    } else if (arg == "--lifetime" && hasValue) {
      options.lifetimeSeconds = std::atoi(argv[++i]);
    } else if (arg == "--busy" && hasValue) {
      options.busyUploads = std::atoi(argv[++i]);
    } else if (arg == "--unknown-recording-path") {
      options.knowsRecordings = false;
    } else {
      return Usage();
    }
  }
  if (options.portFile.empty() || options.logDir.empty() || options.lifetimeSeconds <= 0) {
    return Usage();
  }

  namespace protocol = brinecast::protocol;
  httplib::Server server;
  std::mutex logMutex;
  std::string log;
  server.set_logger([&](const httplib::Request& req, const httplib::Response& res) {
    std::lock_guard lock(logMutex);
    log += req.method + " " + req.target + " " + std::to_string(res.status) + "\n";
    WriteWhole(options.logDir + "/requests.log", log);
  });
  server.Get(std::string(protocol::kScriptPath),
             [&](const httplib::Request& req, httplib::Response& res) {
               const protocol::Request asked = protocol::ReadTarget(req.target);
               if (asked.asked == protocol::Asked::kCheck) {
                 res.set_content("OK|1|||" + options.token + "|", "text/html");
               } else if (asked.asked == protocol::Asked::kSubmission) {
                 res.set_content("OK", "text/html");
               } else {
                 res.status = 400;
               }
             });
  // Handlers run on the server's threads.
  std::atomic<int> busy = options.busyUploads;
  if (options.knowsRecordings) {
    server.Post(std::string(protocol::kRecordingPath),
                [&](const httplib::Request& req, httplib::Response& res) {
                  if (busy-- > 0) {
                    res.status = 503;
                    res.set_content("Too many recordings waiting, try again later", "text/plain");
                    return;
                  }
                  WriteWhole(options.logDir + "/upload.bin", req.body);
                  WriteWhole(options.logDir + "/upload.txt",
                             "token " + protocol::RecordingToken(req.target) + "\ntype " +
                                 req.get_header_value("Content-Type") + "\n");
                  res.set_content("OK", "text/plain");
                });
  }

  const int port = server.bind_to_any_port("127.0.0.1");
  if (port <= 0) {
    std::fprintf(stderr, "recording_listener: cannot bind a port on 127.0.0.1\n");
    return 1;
  }
  // Ends by itself, so a test that dies never leaves it behind for long.
  std::mutex waitMutex;
  std::condition_variable ended;
  bool done = false;
  std::thread timer([&] {
    std::unique_lock lock(waitMutex);
    ended.wait_for(lock, std::chrono::seconds(options.lifetimeSeconds), [&] { return done; });
    server.stop();
  });
  std::thread serving([&] { server.listen_after_bind(); });
  for (int waited = 0; !server.is_running() && waited < 5000; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // The port is told only once requests are served.
  const bool told =
      server.is_running() && WriteWhole(options.portFile, std::to_string(port) + "\n");
  if (!told) server.stop();
  serving.join();
  {
    std::lock_guard lock(waitMutex);
    done = true;
  }
  ended.notify_all();
  timer.join();
  return told ? 0 : 1;
}
