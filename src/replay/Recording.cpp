// The recording file: a short plain header (what it is, its version, its build) and the
// rest packed with zlib behind its unpacked size and checksum.
#include "replay/Recording.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>

namespace brinecast::replay {

namespace {

constexpr char kMagic[8] = {'B', 'R', 'N', 'C', 'R', 'P', 'L', 'Y'};
constexpr size_t kBuildMost = 256;
constexpr size_t kClaimTextMost = 1024;
constexpr size_t kHeldKeysMost = 256;
// Start state, end and claim around the tape; generous, but bounded.
constexpr size_t kRawMostBytes = kTapeMostBytes + (size_t{1} << 16U);

void WriteStart(ByteWriter& out, const StartState& start) {
  out.Unsigned(start.ticks);
  out.Fixed64(start.random);
  out.Byte(start.frameNo);
  out.Bool(start.soundOn);
  out.Bool(start.musicOn);
  out.Bool(start.sendOnline);
  for (const TimerStart& timer : start.timers) {
    out.Bool(timer.enabled);
    out.Unsigned(timer.due);
  }
  out.Bool(start.frameEnabled);
  out.Bool(start.frameActiveOnly);
  out.Unsigned(start.frameInterval);
  out.Unsigned(start.frameLast);
  out.Byte(start.hookLoad);
  out.Bool(start.catchSoundDue);
  out.Unsigned(start.heldKeys.size());
  for (const int32_t key : start.heldKeys) out.Signed(key);
  out.Fixed64(start.inputStates);
  out.Fixed64(start.inputPrevious);
  out.Bool(start.mouseHeld);
  out.Bool(start.mouseStepLeft);
  out.Bool(start.mouseStepRight);
  out.Signed(start.lastMouseX);
  out.Signed(start.keySum);
  out.Unsigned(start.swallowedKeyUps.size());
  for (const int32_t key : start.swallowedKeyUps) out.Signed(key);
}

std::vector<int32_t> ReadKeys(ByteReader& in) {
  const uint64_t count = in.UnsignedUpTo(kHeldKeysMost);
  std::vector<int32_t> keys;
  for (uint64_t i = 0; i < count; ++i) keys.push_back(static_cast<int32_t>(in.SignedIn(0, 0xFFFF)));
  return keys;
}

int32_t ReadInt32(ByteReader& in) {
  return static_cast<int32_t>(
      in.SignedIn(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

StartState ReadStart(ByteReader& in) {
  StartState start;
  start.ticks = in.Unsigned();
  start.random = in.Fixed64();
  start.frameNo = in.Byte();
  start.soundOn = in.Bool();
  start.musicOn = in.Bool();
  start.sendOnline = in.Bool();
  for (TimerStart& timer : start.timers) {
    timer.enabled = in.Bool();
    timer.due = in.Unsigned();
  }
  start.frameEnabled = in.Bool();
  start.frameActiveOnly = in.Bool();
  start.frameInterval = static_cast<uint32_t>(in.UnsignedUpTo(60000));
  start.frameLast = in.Unsigned();
  start.hookLoad = in.Byte();
  start.catchSoundDue = in.Bool();
  start.heldKeys = ReadKeys(in);
  start.inputStates = in.Fixed64();
  start.inputPrevious = in.Fixed64();
  start.mouseHeld = in.Bool();
  start.mouseStepLeft = in.Bool();
  start.mouseStepRight = in.Bool();
  // A pointer position, as bounded as the tape's: the game subtracts them.
  start.lastMouseX = static_cast<int32_t>(in.SignedIn(-(1 << 20), 1 << 20));
  start.keySum = ReadInt32(in);
  start.swallowedKeyUps = ReadKeys(in);
  return start;
}

void WriteEnd(ByteWriter& out, const EndState& end) {
  out.Bool(end.complete);
  out.Signed(end.score);
  out.Signed(end.level);
  out.Unsigned(end.frames);
  out.Fixed64(end.state);
}

EndState ReadEnd(ByteReader& in) {
  EndState end;
  end.complete = in.Bool();
  end.score = in.Signed();
  end.level = ReadInt32(in);
  end.frames = in.Unsigned();
  end.state = in.Fixed64();
  return end;
}

void WriteFixed32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t ReadFixed32(ByteReader& in) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(in.Byte()) << (8 * i);
  return value;
}

uint32_t Checksum(std::span<const uint8_t> bytes) {
  return static_cast<uint32_t>(
      crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

}  // namespace

std::vector<uint8_t> EncodeRecording(const Recording& recording) {
  ByteWriter raw;
  WriteStart(raw, recording.start);
  WriteEnd(raw, recording.end);
  raw.Text(recording.claim.name.substr(0, kClaimTextMost));
  raw.Text(recording.claim.note.substr(0, kClaimTextMost));
  raw.Bool(recording.scripted);
  raw.Bytes(recording.tape);
  const std::vector<uint8_t>& body = raw.Out();

  ByteWriter head;
  for (const char c : kMagic) head.Byte(static_cast<uint8_t>(c));
  head.Byte(static_cast<uint8_t>(kFormatVersion & 0xFFU));
  head.Byte(static_cast<uint8_t>(kFormatVersion >> 8U));
  head.Text(recording.build.substr(0, kBuildMost));
  head.Unsigned(body.size());
  std::vector<uint8_t> file = std::move(head.Out());
  WriteFixed32(file, Checksum(body));

  uLongf packedSize = compressBound(static_cast<uLong>(body.size()));
  const size_t at = file.size();
  file.resize(at + packedSize);
  if (compress2(file.data() + at, &packedSize, body.data(), static_cast<uLong>(body.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("the recording could not be packed");
  }
  file.resize(at + packedSize);
  return file;
}

Recording DecodeRecording(std::span<const uint8_t> file, const std::string& build) {
  if (file.size() > kFileMostBytes) throw DamagedRecording("the file is too big to be a recording");
  if (file.size() < sizeof kMagic || std::memcmp(file.data(), kMagic, sizeof kMagic) != 0) {
    throw DamagedRecording("the file is not a recording");
  }
  ByteReader head(file.subspan(sizeof kMagic));
  const uint8_t low = head.Byte();
  const uint8_t high = head.Byte();
  const auto version = static_cast<uint16_t>(low | (high << 8U));
  if (version != kFormatVersion) {
    throw RefusedRecording("the recording is of format version " + std::to_string(version) +
                           "; this build reads version " + std::to_string(kFormatVersion));
  }
  Recording recording;
  recording.build = head.Text(kBuildMost);
  if (!build.empty() && recording.build != build) {
    throw RefusedRecording("the recording was played by build " + recording.build +
                           "; this is build " + build + ", whose play may differ");
  }
  const uint64_t rawSize = head.UnsignedUpTo(kRawMostBytes);
  const uint32_t checksum = ReadFixed32(head);
  const std::span<const uint8_t> packed = file.subspan(sizeof kMagic + head.Position());

  std::vector<uint8_t> body(static_cast<size_t>(rawSize));
  uLongf bodySize = static_cast<uLongf>(body.size());
  uLong packedSize = static_cast<uLong>(packed.size());
  // uncompress2 stops at the output's end, so a packed bomb costs no more than rawSize.
  if (uncompress2(body.data(), &bodySize, packed.data(), &packedSize) != Z_OK ||
      bodySize != body.size() || packedSize != packed.size()) {
    throw DamagedRecording("the recording's packed data is damaged");
  }
  if (Checksum(body) != checksum) throw DamagedRecording("the recording's checksum is wrong");

  ByteReader in(body);
  recording.start = ReadStart(in);
  recording.end = ReadEnd(in);
  recording.claim.name = in.Text(kClaimTextMost);
  recording.claim.note = in.Text(kClaimTextMost);
  recording.scripted = in.Bool();
  recording.tape = in.Bytes(kTapeMostBytes);
  if (!in.AtEnd()) throw DamagedRecording("the recording has bytes after its end");
  return recording;
}

std::vector<uint8_t> ReadRecordingFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("Cannot open " + path + ": " + std::strerror(errno));
  std::vector<uint8_t> bytes(kFileMostBytes + 1);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(file.gcount()));
  return bytes;
}

const std::string& ThisBuild() {
  static const std::string build = BRINECAST_BUILD;
  return build;
}

}  // namespace brinecast::replay
