// brinecast-scores: the score server's entry point. Stops cleanly on SIGINT or SIGTERM.
#include <httplib.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "scores/ScoreHttp.h"
#include "scores/ServerOptions.h"

using namespace brinecast::scores;

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<ServerOptions> options =
      ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "brinecast-scores: %s\n%s", error.c_str(), ServerUsage().c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(ServerUsage().c_str(), stdout);
    return 0;
  }
  // The signals are taken by a waiting thread, not a handler, so stopping is ordinary code.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  try {
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->db);
    ScoreService service(*store, options->limits, Now);
    httplib::Server server;
    ConfigureServer(server);
    InstallRoutes(server, service);
    if (!server.bind_to_port(options->bind, options->port)) {
      std::fprintf(stderr, "brinecast-scores: cannot listen on %s:%d\n", options->bind.c_str(),
                   options->port);
      return 1;
    }
    std::atomic<bool> finished{false};
    std::thread stopper([&server, &stopSignals, &finished] {
      int signal = 0;
      sigwait(&stopSignals, &signal);
      // A stop asked for before the accept loop runs is lost: ask until it has ended.
      while (!finished.load()) {
        server.stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    std::printf("brinecast-scores listening on http://%s:%d/\n", options->bind.c_str(),
                options->port);
    std::fflush(stdout);
    server.listen_after_bind();
    finished.store(true);
    // When the loop ended by itself, the waiting thread still needs its signal.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores: %s\n", e.what());
    return 1;
  }
  return 0;
}
