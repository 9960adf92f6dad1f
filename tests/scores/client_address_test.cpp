// Tests of how the server names clients: limit keys per IPv4 address and IPv6 /64, the
// address a proxy forwards, and targets as the log shows them.
#include <gtest/gtest.h>

#include <string>

#include "protocol/Requests.h"
#include "scores/http/ClientAddress.h"
#include "scores/http/RequestLog.h"

namespace brinecast::scores {
namespace {

struct KeyCase {
  const char* address;
  const char* key;
};

TEST(ClientAddress, LimitKeyIsTheIpv4AddressOrTheIpv6Slash64) {
  const KeyCase cases[] = {
      {"192.0.2.7", "192.0.2.7"},
      {"::ffff:192.0.2.7", "192.0.2.7"},
      {"2001:db8:1:2:3:4:5:6", "2001:db8:1:2::/64"},
      {"2001:0db8:0001:0002:ffff::1", "2001:db8:1:2::/64"},
      {"2001:db8:1:3::1", "2001:db8:1:3::/64"},
      {"::1", "::/64"},
      {"not an address", "not an address"},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(LimitKey(c.address), c.key) << c.address;
}

struct ForwardCase {
  const char* header;
  const char* client;  // empty: none
};

TEST(ClientAddress, ForwardedClientIsTheLastAddressAProxyGives) {
  const ForwardCase cases[] = {
      {"198.51.100.7", "198.51.100.7"},
      {"203.0.113.1, 198.51.100.7", "198.51.100.7"},
      {"  2001:db8::5 ", "2001:db8::5"},
      {"::ffff:10.0.0.1", "10.0.0.1"},
      {"198.51.100.7, unknown", ""},
      {"", ""},
      {"198.51.100.300", ""},
      {"[2001:db8::5]:443", ""},
  };
  for (const ForwardCase& c : cases) {
    EXPECT_EQ(ForwardedClient(c.header).value_or(""), c.client) << c.header;
  }
}

struct TargetCase {
  const char* target;
  const char* logged;
};

TEST(RequestLog, TargetsLeaveOutThePayloadAndEscapeOddBytes) {
  const TargetCase cases[] = {
      {"/cgi/version.pl?hs&prg=Brinecast&inf=ABCDEFGH", "/cgi/version.pl?hs&prg=Brinecast&inf=..."},
      {"/cgi/version.pl?inf=SECRET&prg=Brinecast", "/cgi/version.pl?inf=...&prg=Brinecast"},
      {"/x?notinf=kept", "/x?notinf=kept"},
      {"/a b\r\nfake line", "/a%20b%0D%0Afake%20line"},
      {"/100%", "/100%25"},
      {"/\xc3\xa9", "/%C3%A9"},
  };
  for (const TargetCase& c : cases) EXPECT_EQ(LoggedTarget(c.target), c.logged) << c.target;
  EXPECT_EQ(LoggedTarget(protocol::SubmitTarget("NFTGG3DF")), protocol::SubmitTarget("..."));
  EXPECT_LE(LoggedTarget(std::string(5000, 'a')).size(), 210u);
}

TEST(RequestLog, RequestLineHoldsEveryField) {
  const std::string line = RequestLine("192.0.2.1", "GET", "/health", "200", 2.5);
  EXPECT_NE(line.find("Z 192.0.2.1 GET /health 200 2.5ms"), std::string::npos) << line;
  EXPECT_EQ(line[4], '-');
  EXPECT_EQ(line[10], 'T');
}

TEST(RequestLog, RefusalCauseEndsItsLineInQuotes) {
  const std::string line = RequestLine("192.0.2.1", "GET", "/x", "429", 0.5, "Too many, \"now\"\n");
  EXPECT_TRUE(line.ends_with(" 429 0.5ms \"Too many,  now\"")) << line;
  EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  EXPECT_TRUE(RequestLine("a", "GET", "/", "200", 1, "").ends_with(" 1.0ms"));
  EXPECT_LT(RequestLine("a", "GET", "/", "503", 1, std::string(5000, 'x')).size(), 300u);
}

}  // namespace
}  // namespace brinecast::scores
