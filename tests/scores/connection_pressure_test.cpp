// Under pressure (many connections open) the server gives headers less time: slow ones are
// cut off sooner, and say why in the log, while requests that send their headers at once
// are answered as before.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RawConnection.h"
#include "RecordingClient.h"
#include "RunningServer.h"
#include "StderrCapture.h"
#include "WaitFor.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;

TEST(ConnectionPressure, SlowHeadersAreCutSoonerOnceManyConnectionsAreOpen) {
  testing::StderrCapture log;
  HttpOptions http = testing::QuietHttp();
  http.logRequests = true;
  http.watch.headers = 60s;
  http.watch.pressure = 3;
  http.watch.pressedHeaders = 300ms;
  testing::RunningServer server({}, http);
  ASSERT_GT(server.port(), 0);
  std::vector<std::unique_ptr<RawConnection>> slow;
  for (int i = 0; i < 3; ++i) {
    slow.push_back(
        std::make_unique<RawConnection>(server.port(), "127.0.1." + std::to_string(i + 1)));
    slow.back()->Send("GET / HTTP/1.1\r\nHost: t\r\n");
  }
  EXPECT_TRUE(testing::WaitFor(
      [&] {
        for (auto& c : slow) {
          if (!c->ClosedByServer()) return false;
        }
        return true;
      },
      5s));
  EXPECT_TRUE(testing::WaitFor(
      [&] {
        return log.Text().find("\"headers not done within 300 ms (server under pressure)\"") !=
               std::string::npos;
      },
      3s))
      << log.Text();
  EXPECT_EQ(testing::Send(server.port(), "GET", protocol::CheckTarget()).status, 200);
}

}  // namespace
}  // namespace brinecast::scores
