// The recording file: a short plain header (what it is, its version, its build) and the
// rest packed with zlib behind its unpacked size and checksum.
#include "replay/Recording.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <type_traits>

namespace brinecast::replay {

namespace {

constexpr char kMagic[8] = {'B', 'R', 'N', 'C', 'R', 'P', 'L', 'Y'};
constexpr size_t kBuildMost = 256;
constexpr size_t kClaimTextMost = 1024;
// Start state, end and claim around the tape; generous, but bounded.
constexpr size_t kRawMostBytes = kTapeMostBytes + (size_t{1} << 16U);

// Writes each field of the start state by its type.
class StartWriter {
 public:
  explicit StartWriter(ByteWriter& out) : out_(out) {}

  template <class Field, class... Place>
  void operator()(const Field& field, Bounds, Place&&...) {
    Write(field);
  }

 private:
  void Write(bool value) { out_.Bool(value); }
  void Write(uint8_t value) { out_.Byte(value); }
  void Write(int8_t value) { out_.Signed(value); }
  void Write(int32_t value) { out_.Signed(value); }
  void Write(uint16_t value) { out_.Unsigned(value); }
  void Write(uint32_t value) { out_.Unsigned(value); }
  void Write(uint64_t value) { out_.Unsigned(value); }
  void Write(double value) {
    // Bit for bit; the web build's standard library has no std::bit_cast.
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    out_.Fixed64(bits);
  }
  template <class Part, size_t N>
  void Write(const std::array<Part, N>& parts) {
    for (const Part& part : parts) PartFields(part, *this);
  }
  template <class Part>
  void Write(const std::vector<Part>& parts) {
    out_.Unsigned(parts.size());
    for (const Part& part : parts) WritePart(part);
  }
  void WritePart(int32_t key) { out_.Signed(key); }
  template <class Part>
  void WritePart(const Part& part) {
    PartFields(part, *this);
  }

  ByteWriter& out_;
};

// Reads each field of the start state by its type, within its bounds (or its type's).
class StartReader {
 public:
  explicit StartReader(ByteReader& in) : in_(in) {}

  template <class Field, class... Place>
  void operator()(Field& field, Bounds bounds, Place&&...) {
    Read(field, bounds);
  }

 private:
  static bool Unbounded(Bounds bounds) { return bounds.least == 0 && bounds.most == 0; }
  template <class Int>
  static Bounds Within(Bounds bounds) {
    if (!Unbounded(bounds)) return bounds;
    return {static_cast<int64_t>(std::numeric_limits<Int>::min()),
            static_cast<int64_t>(std::numeric_limits<Int>::max())};
  }

  void Read(bool& value, Bounds) { value = in_.Bool(); }
  void Read(uint8_t& value, Bounds) { value = in_.Byte(); }
  void Read(uint64_t& value, Bounds) { value = in_.Unsigned(); }
  template <class Int>
  requires std::is_signed_v<Int> && std::is_integral_v<Int>
  void Read(Int& value, Bounds bounds) {
    const Bounds within = Within<Int>(bounds);
    value = static_cast<Int>(in_.SignedIn(within.least, within.most));
  }
  template <class Int>
  requires std::is_unsigned_v<Int> &&
      (sizeof(Int) == 2 || sizeof(Int) == 4) void Read(Int& value, Bounds bounds) {
    value = static_cast<Int>(in_.UnsignedUpTo(static_cast<uint64_t>(Within<Int>(bounds).most)));
  }
  void Read(double& value, Bounds bounds) {
    const uint64_t bits = in_.Fixed64();
    std::memcpy(&value, &bits, sizeof value);
    // A position the game draws at: a number, and on or near the screen.
    if (!std::isfinite(value) || value < static_cast<double>(bounds.least) ||
        value > static_cast<double>(bounds.most)) {
      throw DamagedRecording("the recording's start state holds a position off the sea");
    }
  }
  template <class Part, size_t N>
  void Read(std::array<Part, N>& parts, Bounds) {
    for (Part& part : parts) PartFields(part, *this);
  }
  template <class Part>
  void Read(std::vector<Part>& parts, Bounds bounds) {
    const uint64_t count = in_.UnsignedUpTo(static_cast<uint64_t>(bounds.most));
    parts.assign(static_cast<size_t>(count), Part{});
    for (Part& part : parts) ReadPart(part);
  }
  void ReadPart(int32_t& key) { Read(key, kKeyCode); }
  template <class Part>
  void ReadPart(Part& part) {
    PartFields(part, *this);
  }

  ByteReader& in_;
};

void WriteStart(ByteWriter& out, const StartState& start) {
  StartFields(start, StartWriter(out));
}

StartState ReadStart(ByteReader& in) {
  StartState start;
  StartFields(start, StartReader(in));
  return start;
}

int32_t ReadInt32(ByteReader& in) {
  return static_cast<int32_t>(
      in.SignedIn(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
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
