// Tests of the request targets: the exact shapes the game sends, and the server's reading
// of them and of everything else it may be sent.
#include "protocol/Requests.h"

#include <gtest/gtest.h>

#include <string>

namespace brinecast::protocol {
namespace {

TEST(RequestTargets, ExactTargets) {
  EXPECT_EQ(CheckTarget(), "/cgi/version.pl?version&prg=Brinecast");
  EXPECT_EQ(SubmitTarget("NFTGG3DF"), "/cgi/version.pl?hs&prg=Brinecast&inf=NFTGG3DF");
  EXPECT_EQ(WorldTarget(), "/cgi/version.pl?prg=Brinecast&show&type=0");
  EXPECT_EQ(PortalTarget(), "/");
}

TEST(RequestTargets, EachIsReadAsWhatItAsks) {
  EXPECT_EQ(ReadTarget(CheckTarget()).asked, Asked::kCheck);
  EXPECT_EQ(ReadTarget(WorldTarget()).asked, Asked::kWorldPage);
  EXPECT_EQ(ReadTarget(PortalTarget()).asked, Asked::kPortal);
  const std::string submit = SubmitTarget("NFTGG3DF");
  const Request read = ReadTarget(submit);
  EXPECT_EQ(read.asked, Asked::kSubmission);
  EXPECT_EQ(read.encodedPayload, "NFTGG3DF");
}

struct ReadCase {
  const char* target;
  Asked asked;
  const char* payload;
};

TEST(ReadTarget, EveryShape) {
  const ReadCase cases[] = {
      {"/", Asked::kPortal, ""},
      {"/?x=1", Asked::kPortal, ""},
      {"", Asked::kOtherPath, ""},
      {"/nothing", Asked::kOtherPath, ""},
      {"/cgi/version.pl/?version&prg=Brinecast", Asked::kOtherPath, ""},
      {"/cgi/version.pl?version&prg=Other", Asked::kOtherProgram, ""},
      {"/cgi/version.pl?version", Asked::kOtherProgram, ""},
      {"/cgi/version.pl?version&prg=brinecast", Asked::kOtherProgram, ""},
      {"/cgi/version.pl?prg=Brinecast&prg=Other&version", Asked::kOtherProgram, ""},
      {"/cgi/version.pl?prg=Brinecast", Asked::kUnknown, ""},
      {"/cgi/version.pl?prg=Brinecast&show&type=1", Asked::kUnknown, ""},
      {"/cgi/version.pl?prg=Brinecast&show", Asked::kUnknown, ""},
      {"/cgi/version.pl?prg=Brinecast&type=0", Asked::kUnknown, ""},
      {"/cgi/version.pl?prg=Brinecast&version=1", Asked::kCheck, ""},  // flags may carry values
      {"/cgi/version.pl?prg=Brinecast&hs&version", Asked::kCheck, ""},
      {"/cgi/version.pl?hs&prg=Brinecast", Asked::kSubmission, ""},
      {"/cgi/version.pl?hs&prg=Brinecast&inf=", Asked::kSubmission, ""},
      {"/cgi/version.pl?inf=AB&hs&inf=CD&prg=Brinecast", Asked::kSubmission, "CD"},
      {"/cgi/version.pl?hs&prg=Brinecast&show&type=0&inf=AB", Asked::kSubmission, "AB"},
      {"/cgi/version.pl?show&type=0&prg=Brinecast", Asked::kWorldPage, ""},
      {"/cgi/version.pl?prg=Brinecast&&show&type=0&", Asked::kWorldPage, ""},
  };
  for (const ReadCase& c : cases) {
    const Request read = ReadTarget(c.target);
    EXPECT_EQ(read.asked, c.asked) << c.target;
    EXPECT_EQ(read.encodedPayload, c.payload) << c.target;
  }
}

TEST(TargetPath, IsTheTargetUpToItsQuery) {
  EXPECT_EQ(TargetPath("/health"), "/health");
  EXPECT_EQ(TargetPath("/cgi/version.pl?version&prg=Brinecast"), "/cgi/version.pl");
  EXPECT_EQ(TargetPath("/?"), "/");
}

}  // namespace
}  // namespace brinecast::protocol

namespace brinecast::protocol {
namespace {

TEST(RecordingTarget, NamesItsTokenAndReadsItBack) {
  EXPECT_EQ(RecordingTarget("0a1f"), "/cgi/recording?p=0a1f");
  for (const std::string token : {"0123abcdef", "a b&c=d%", "", "\x01\xff"}) {
    EXPECT_EQ(RecordingToken(RecordingTarget(token)), token);
  }
  // Only the upload's path carries a token; the last of a repeated key counts.
  EXPECT_EQ(RecordingToken("/cgi/version.pl?p=ab"), "");
  EXPECT_EQ(RecordingToken("/cgi/recording"), "");
  EXPECT_EQ(RecordingToken("/cgi/recording?x=1&p=ab&p=cd"), "cd");
  EXPECT_EQ(RecordingToken("/cgi/recording?p=%4"), "%4");
}

}  // namespace
}  // namespace brinecast::protocol
