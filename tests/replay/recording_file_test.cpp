// The recording file: what goes in comes back, and nothing damaged, foreign or oversized is
// ever taken for a recording.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "replay/Recording.h"
#include "replay/Tape.h"

namespace brinecast::replay {
namespace {

Recording Sample() {
  Recording recording;
  recording.build = "test-build";
  recording.start.ticks = 123456789;
  recording.start.random = 0xDEADBEEFCAFEF00DULL;
  recording.start.frameNo = 200;
  recording.start.musicOn = false;
  recording.start.timers[1] = {true, 123458789};
  recording.start.frameLast = 123456780;
  recording.start.hookLoad = 3;
  recording.start.catchSoundDue = true;
  recording.start.bubbles = {{true, 526, 466, 520, 7, -1, 2}, {false, 20.5, 300, 20, 3, 1, 1}};
  recording.start.heldKeys = {37, 40};
  recording.start.inputStates = 5;
  recording.start.lastMouseX = -12;
  recording.start.keySum = 667;
  recording.start.swallowedKeyUps = {13};
  TapeWriter tape(recording.start.ticks);
  tape.Ticks(recording.start.ticks + 16);
  PlatformEvent key;
  key.kind = PlatformEvent::Kind::KeyDown;
  key.key = 40;
  tape.Event(&key);
  tape.Event(nullptr);
  tape.Flag(Answer::kActive, true);
  tape.Joystick({true, -1000, 999, 3});
  tape.Ticks(recording.start.ticks + 100000);
  recording.tape = tape.Bytes();
  recording.end = {true, 4321, 7, 9000, 0x0123456789ABCDEFULL};
  recording.claim = {"Ann", "hello"};
  return recording;
}

TEST(RecordingFile, GivesBackWhatWasWritten) {
  const Recording sample = Sample();
  const Recording read = DecodeRecording(EncodeRecording(sample), "test-build");
  EXPECT_EQ(read.build, sample.build);
  EXPECT_EQ(read.start, sample.start);
  EXPECT_EQ(read.tape, sample.tape);
  EXPECT_EQ(read.end, sample.end);
  EXPECT_EQ(read.claim.name, "Ann");
  EXPECT_EQ(read.claim.note, "hello");
  EXPECT_FALSE(read.scripted);
}

TEST(RecordingFile, RefusesAnotherBuildOrVersionButReadsAnyBuildWhenAskedTo) {
  std::vector<uint8_t> file = EncodeRecording(Sample());
  EXPECT_THROW(DecodeRecording(file, "another-build"), RefusedRecording);
  EXPECT_NO_THROW(DecodeRecording(file, ""));
  file[8] = static_cast<uint8_t>(kFormatVersion + 1);  // the version follows the 8-byte mark
  EXPECT_THROW(DecodeRecording(file, ""), RefusedRecording);
}

TEST(RecordingFile, EveryCutAndEveryFlippedByteIsDamaged) {
  const std::vector<uint8_t> file = EncodeRecording(Sample());
  for (size_t size = 0; size < file.size(); ++size) {
    EXPECT_THROW(DecodeRecording({file.data(), size}, ""), DamagedRecording) << size;
  }
  // Past the mark and the version every byte is guarded by the packing or the checksum,
  // except the build's own name, which only changes who refuses it.
  for (size_t at = 10; at < file.size(); ++at) {
    std::vector<uint8_t> flipped = file;
    flipped[at] ^= 0x41U;
    bool taken = false;
    try {
      DecodeRecording(flipped, "");
      taken = true;
    } catch (const DamagedRecording&) {
    } catch (const RefusedRecording&) {
    }
    const bool inBuildName = at >= 11 && at < 11 + Sample().build.size();
    if (!inBuildName) {
      EXPECT_FALSE(taken) << "byte " << at;
    }
  }
  std::vector<uint8_t> longer = file;
  longer.push_back(0);
  EXPECT_THROW(DecodeRecording(longer, ""), DamagedRecording);
}

TEST(RecordingFile, AStartStateBeyondWhatAGameCanHoldIsDamaged) {
  const std::vector<std::pair<const char*, void (*)(StartState&)>> cases = {
      {"bubble at no number",
       [](StartState& s) { s.bubbles[0].x = std::numeric_limits<double>::quiet_NaN(); }},
      {"bubble far off the sea", [](StartState& s) { s.bubbles[1].y = 1e12; }},
      {"bubble turning neither way", [](StartState& s) { s.bubbles[0].dir = 2; }},
      {"too many bubbles", [](StartState& s) { s.bubbles.resize(kListMost + 1); }},
      {"a key code no key has", [](StartState& s) { s.heldKeys.push_back(0x10000); }},
      {"a negative key code", [](StartState& s) { s.swallowedKeyUps.push_back(-1); }},
      {"pointer far away", [](StartState& s) { s.lastMouseX = (1 << 20) + 1; }},
      {"frame interval of minutes", [](StartState& s) { s.frameInterval = 60001; }},
  };
  for (const auto& [what, change] : cases) {
    Recording recording = Sample();
    change(recording.start);
    EXPECT_THROW(DecodeRecording(EncodeRecording(recording), ""), DamagedRecording) << what;
  }
}

TEST(RecordingFile, RefusesHugeInputBeforeUnpackingIt) {
  std::vector<uint8_t> huge(kFileMostBytes + 1, 0);
  EXPECT_THROW(DecodeRecording(huge, ""), DamagedRecording);
  // A header that promises more unpacked data than any recording holds.
  std::vector<uint8_t> file = EncodeRecording(Sample());
  std::vector<uint8_t> bomb(file.begin(), file.begin() + 11 + 10);  // mark, version, build
  for (int i = 0; i < 9; ++i) bomb.push_back(0xFF);
  bomb.push_back(0x01);
  EXPECT_THROW(DecodeRecording(bomb, ""), DamagedRecording);
}

TEST(Tape, ReadsBackInOrderAndNamesAReadingOutOfPlace) {
  const Recording sample = Sample();
  TapeReader reader(sample.tape, sample.start.ticks);
  EXPECT_EQ(reader.Ticks(), sample.start.ticks + 16);
  PlatformEvent event;
  ASSERT_TRUE(reader.Event(event));
  EXPECT_EQ(event.kind, PlatformEvent::Kind::KeyDown);
  EXPECT_EQ(event.key, 40);
  EXPECT_FALSE(reader.Event(event));
  EXPECT_THROW(reader.Ticks(), TapeMismatch);  // the flag comes next, not a clock reading
}

TEST(Tape, ClockStepsOfAnySizeAndDirectionComeBack) {
  const std::vector<uint64_t> readings = {1000, 1000, 1191, 1192, 5000, 999, 1ULL << 40U, 0};
  TapeWriter writer(1000);
  for (const uint64_t now : readings) writer.Ticks(now);
  TapeReader reader(writer.Bytes(), 1000);
  for (const uint64_t now : readings) EXPECT_EQ(reader.Ticks(), now);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_THROW(reader.Ticks(), TapeMismatch);
}

}  // namespace
}  // namespace brinecast::replay
