// Writing a module as an XM file: header, packed patterns, instruments and delta samples.
#include "XmWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace brinecast::xm {

namespace {

class Out {
 public:
  void U8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v & 0xFF)); }
  void U16(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  // Fixed-width text, padded with `pad`.
  void Text(const std::string& text, size_t width, uint8_t pad = 0) {
    for (size_t i = 0; i < width; ++i) U8(i < text.size() ? static_cast<uint8_t>(text[i]) : pad);
  }
  void Zeros(size_t count) { bytes.insert(bytes.end(), count, 0); }
  std::vector<uint8_t> bytes;
};

void Check(bool ok, const char* what) {
  if (!ok) throw std::invalid_argument(what);
}

void Validate(const Module& m) {
  Check(m.channels >= 1 && m.channels <= 32, "channels must be 1..32");
  Check(!m.orders.empty() && m.orders.size() <= 256, "order list must hold 1..256 entries");
  Check(m.restart >= 0 && m.restart < static_cast<int>(m.orders.size()), "restart out of range");
  Check(!m.patterns.empty() && m.patterns.size() <= 256, "1..256 patterns");
  Check(m.instruments.size() <= 128, "at most 128 instruments");
  Check(m.speed >= 1 && m.speed <= 31 && m.bpm >= 32 && m.bpm <= 255, "speed 1..31, bpm 32..255");
  for (uint8_t order : m.orders) Check(order < m.patterns.size(), "order names a missing pattern");
  for (const Pattern& p : m.patterns) {
    Check(p.rows >= 1 && p.rows <= 256, "pattern rows must be 1..256");
    Check(p.cells.size() == static_cast<size_t>(p.rows * m.channels), "pattern size mismatch");
    for (const Cell& c : p.cells) {
      Check(c.note <= kKeyOff, "note out of range");
      Check(c.instrument <= m.instruments.size(), "cell names a missing instrument");
    }
  }
  for (const Instrument& i : m.instruments) {
    const Sample& s = i.sample;
    Check(s.volume <= 64, "sample volume must be 0..64");
    Check(s.loopLength == 0 || static_cast<size_t>(s.loopStart) + s.loopLength <= s.data.size(),
          "sample loop runs past its data");
    Check(i.volume.points.size() <= 12, "at most 12 envelope points");
    Check(i.volume.sustain < static_cast<int>(i.volume.points.size()), "sustain point missing");
  }
}

std::vector<uint8_t> PackPattern(const Pattern& p) {
  std::vector<uint8_t> packed;
  for (const Cell& c : p.cells) {
    const uint8_t fields[5] = {c.note, c.instrument, c.volume, c.effect, c.param};
    uint8_t mask = 0;
    for (int f = 0; f < 5; ++f) {
      if (fields[f]) mask |= static_cast<uint8_t>(1u << f);
    }
    if (mask == 0x1F) {
      // A full cell is stored plainly: five bytes instead of six.
      packed.insert(packed.end(), fields, fields + 5);
      continue;
    }
    packed.push_back(static_cast<uint8_t>(0x80 | mask));
    for (int f = 0; f < 5; ++f) {
      if (fields[f]) packed.push_back(fields[f]);
    }
  }
  return packed;
}

void WriteInstrument(Out& out, const Instrument& instrument) {
  const Sample& s = instrument.sample;
  const Envelope& env = instrument.volume;
  // Header size counts itself: 4 + 22 + 1 + 2 + 4 + 96 + 48 + 48 + 16 + 22 reserved.
  out.U32(263);
  out.Text(instrument.name, 22);
  out.U8(0);
  out.U16(1);
  out.U32(40);
  out.Zeros(96);  // every note plays sample 0
  for (size_t i = 0; i < 12; ++i) {
    out.U16(i < env.points.size() ? env.points[i].first : 0);
    out.U16(i < env.points.size() ? env.points[i].second : 0);
  }
  out.Zeros(48);  // no panning envelope
  out.U8(static_cast<unsigned>(env.points.size()));
  out.U8(0);
  out.U8(env.sustain < 0 ? 0 : static_cast<unsigned>(env.sustain));
  out.U8(0);
  out.U8(0);
  out.Zeros(3);
  unsigned type = env.points.empty() ? 0 : 1;
  if (!env.points.empty() && env.sustain >= 0) type |= 2;
  out.U8(type);
  out.U8(0);
  out.Zeros(4);  // no auto-vibrato
  out.U16(instrument.fadeout);
  out.Zeros(22);
  // The sample header; lengths are in bytes.
  out.U32(static_cast<uint32_t>(s.data.size() * 2));
  out.U32(s.loopStart * 2);
  out.U32(s.loopLength * 2);
  out.U8(s.volume);
  out.U8(static_cast<uint8_t>(s.finetune));
  out.U8((s.loopLength ? 1 : 0) | 0x10);
  out.U8(s.panning);
  out.U8(static_cast<uint8_t>(s.relativeNote));
  out.U8(0);
  out.Text(s.name, 22);
  // Sample data follows all sample headers, delta-encoded.
  int16_t previous = 0;
  for (int16_t v : s.data) {
    out.U16(static_cast<uint16_t>(static_cast<uint16_t>(v) - static_cast<uint16_t>(previous)));
    previous = v;
  }
}

}  // namespace

std::vector<uint8_t> EncodeXm(const Module& m) {
  Validate(m);
  Out out;
  out.Text("Extended Module: ", 17);
  out.Text(m.name, 20);
  out.U8(0x1A);
  out.Text("brinecast-xm", 20);
  out.U16(0x0104);
  out.U32(276);  // header size from here: 4 + 16 + the 256-byte order table
  out.U16(static_cast<unsigned>(m.orders.size()));
  out.U16(static_cast<unsigned>(m.restart));
  out.U16(static_cast<unsigned>(m.channels));
  out.U16(static_cast<unsigned>(m.patterns.size()));
  out.U16(static_cast<unsigned>(m.instruments.size()));
  out.U16(1);  // linear frequency table
  out.U16(static_cast<unsigned>(m.speed));
  out.U16(static_cast<unsigned>(m.bpm));
  for (size_t i = 0; i < 256; ++i) out.U8(i < m.orders.size() ? m.orders[i] : 0);

  for (const Pattern& p : m.patterns) {
    const std::vector<uint8_t> packed = PackPattern(p);
    Check(packed.size() <= 0xFFFF, "pattern too large");
    out.U32(9);
    out.U8(0);
    out.U16(static_cast<unsigned>(p.rows));
    out.U16(static_cast<unsigned>(packed.size()));
    out.bytes.insert(out.bytes.end(), packed.begin(), packed.end());
  }
  for (const Instrument& instrument : m.instruments) WriteInstrument(out, instrument);
  return out.bytes;
}

}  // namespace brinecast::xm
