// The uploads waiting in the player's folder: their files read back exactly or not at all,
// what is due and what is out of time, the caps, and damaged or foreign files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "storage/UploadOutbox.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

WaitingUpload Upload(uint8_t seed, size_t size = 200) {
  WaitingUpload upload{"scores.test:8765", "1700000600abcDEF123", 1700000600, 1, 1700000030, {}};
  for (size_t i = 0; i < size; ++i) upload.recording.push_back(static_cast<uint8_t>(seed + i * 7));
  return upload;
}

std::vector<uint8_t> Text(const std::string& text) {
  return {text.begin(), text.end()};
}

TEST(UploadFile, WhatIsWrittenReadsBackAndAnythingElseIsRefused) {
  const WaitingUpload upload = Upload(3);
  EXPECT_EQ(DecodeUpload(EncodeUpload(upload)), upload);
  WaitingUpload empty = Upload(0, 0);
  empty.attempts = 0;
  empty.deadline = 0;
  EXPECT_EQ(DecodeUpload(EncodeUpload(empty)), empty);

  const std::string head =
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 2\nnext 5\nbytes 3\n";
  ASSERT_TRUE(DecodeUpload(Text(head + "abc")));
  const std::vector<std::string> damaged = {
      "",
      head,           // its bytes are missing
      head + "ab",    // cut short
      head + "abcd",  // longer than it says
      "brinecast upload 2\nhost h:1\ntoken t\ndeadline 9\nattempts 2\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h 1\ntoken t\ndeadline 9\nattempts 2\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken \ndeadline 9\nattempts 2\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline -9\nattempts 2\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 02\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 2\nnext 5x\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 99999999999\nnext 5\nbytes "
      "3\nabc",
      "brinecast upload 1\ntoken t\nhost h:1\ndeadline 9\nattempts 2\nnext 5\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 2\nbytes 3\nabc",
      "brinecast upload 1\nhost h:1\ntoken t\ndeadline 9\nattempts 2\nnext 5\nbytes "
      "99999999999999999999\nabc",
  };
  for (const std::string& text : damaged) {
    EXPECT_FALSE(DecodeUpload(Text(text))) << text;
  }
}

TEST(UploadOutbox, UploadsOutliveTheGameAndComeDueInTurnUntilTheirDeadline) {
  ScratchFolder player;
  WaitingUpload first = Upload(1);
  WaitingUpload second = Upload(2);
  second.token = "other";
  second.nextTry = 1700000100;
  WaitingUpload late = Upload(3);
  late.deadline = 1700000050;
  late.nextTry = 1700000010;
  std::vector<std::string> names;
  {
    UploadOutbox outbox(player.Dir());
    EXPECT_EQ(outbox.Folder(), player / "Uploads");
    for (const WaitingUpload* upload : {&first, &second, &late}) {
      const std::optional<std::string> name = outbox.Add(*upload);
      ASSERT_TRUE(name);
      names.push_back(*name);
    }
  }
  UploadOutbox outbox(player.Dir());
  ASSERT_EQ(outbox.Names(), names);
  // Nothing is due before its next try.
  EXPECT_FALSE(outbox.NextDue(1700000000));
  auto due = outbox.NextDue(1700000012);
  ASSERT_TRUE(due);
  EXPECT_EQ(*due, std::make_pair(names[2], late));
  due = outbox.NextDue(1700000030);
  ASSERT_TRUE(due);
  EXPECT_EQ(*due, std::make_pair(names[0], first));
  // A later try, as a restart finds it.
  first.attempts = 2;
  first.nextTry = 1700000200;
  outbox.Update(names[0], first);
  EXPECT_EQ(UploadOutbox(player.Dir()).NextDue(1700000200)->second, first);
  due = outbox.NextDue(1700000150);
  ASSERT_TRUE(due);
  EXPECT_EQ(due->second, second);
  outbox.Remove(names[1]);
  // Past its deadline an upload goes, file and all, without being offered.
  EXPECT_FALSE(outbox.NextDue(1700000150));
  EXPECT_EQ(outbox.Names(), std::vector<std::string>{names[0]});
  EXPECT_EQ(FilesIn(outbox.Folder()), std::set<std::string>{names[0]});
  // A new upload after a restart never takes a kept one's name, and comes after it.
  UploadOutbox restarted(player.Dir());
  const std::optional<std::string> added = restarted.Add(second);
  ASSERT_TRUE(added);
  EXPECT_EQ(restarted.Names(), (std::vector<std::string>{names[0], *added}));
  EXPECT_EQ(restarted.NextDue(1700000200)->second, first);
}

TEST(UploadOutbox, TheOldestGoFirstToKeepWithinTheCaps) {
  ScratchFolder player;
  UploadOutbox outbox(player.Dir());
  std::vector<std::string> names;
  for (size_t i = 0; i < UploadOutbox::kMaxUploads + 3; ++i) {
    names.push_back(*outbox.Add(Upload(static_cast<uint8_t>(i), 10)));
  }
  const std::vector<std::string> newest(names.end() - UploadOutbox::kMaxUploads, names.end());
  EXPECT_EQ(outbox.Names(), newest);
  EXPECT_EQ(FilesIn(outbox.Folder()), std::set<std::string>(newest.begin(), newest.end()));

  // By weight: recordings of a MiB each leave room for fewer.
  ScratchFolder heavy;
  UploadOutbox big(heavy.Dir());
  const size_t mib = size_t{1} << 20U;
  names.clear();
  for (uint8_t i = 0; i < 6; ++i) names.push_back(*big.Add(Upload(i, mib)));
  const size_t fit = UploadOutbox::kMaxBytes / mib - 1;  // the headers take a little more
  EXPECT_EQ(big.Names(), std::vector<std::string>(names.end() - fit, names.end()));
  EXPECT_EQ(FilesIn(big.Folder()).size(), fit);
  // One that could never fit is not kept, and takes nothing with it.
  EXPECT_FALSE(big.Add(Upload(9, UploadOutbox::kMaxBytes)));
  EXPECT_EQ(big.Names().size(), fit);
}

TEST(UploadOutbox, DamagedFilesAreDroppedAndOthersLeftAlone) {
  ScratchFolder player;
  std::string kept;
  std::string spoiled;
  {
    UploadOutbox outbox(player.Dir());
    kept = *outbox.Add(Upload(1));
    spoiled = *outbox.Add(Upload(2));
  }
  const std::string folder = player / "Uploads";
  std::vector<uint8_t> bytes = ReadBytes(folder + "/" + spoiled);
  bytes.pop_back();
  WriteBytes(folder + "/" + spoiled, bytes);
  WriteBytes(folder + "/upload-0000000009.bcupload", Text("garbage"));
  WriteBytes(folder + "/upload-0000000010.bcupload.tmp", Text("a crashed write"));
  WriteBytes(folder + "/notes.txt", Text("the player's own"));
  WriteBytes(player / "elsewhere", EncodeUpload(Upload(5)));
  ASSERT_EQ(
      ::symlink((player / "elsewhere").c_str(), (folder + "/upload-0000000011.bcupload").c_str()),
      0);

  UploadOutbox outbox(player.Dir());
  EXPECT_EQ(outbox.Names(), std::vector<std::string>{kept});
  EXPECT_EQ(FilesIn(folder),
            (std::set<std::string>{kept, "notes.txt", "upload-0000000011.bcupload"}));
  EXPECT_TRUE(fs::exists(player / "elsewhere"));
  // A file spoiled while the game runs is dropped when its turn comes.
  WriteBytes(folder + "/" + kept, Text("brinecast upload 1\n"));
  EXPECT_FALSE(outbox.NextDue(1700000100));
  EXPECT_TRUE(outbox.Names().empty());
  // Numbers go on past every name seen, even those dropped.
  EXPECT_EQ(outbox.Add(Upload(3)), "upload-0000000012.bcupload");
}

}  // namespace
}  // namespace brinecast
