// A music module in memory: instruments, samples, patterns of cells and the order.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace brinecast::xm {

// One cell of a pattern; zero fields are left out when packed.
struct Cell {
  uint8_t note = 0;  // 1..96 (1 = C-0, 49 = C-4), 97 = key off
  uint8_t instrument = 0;
  uint8_t volume = 0;  // volume column byte (0x10..0x50 sets volume 0..64)
  uint8_t effect = 0;
  uint8_t param = 0;
};

inline constexpr uint8_t kKeyOff = 97;

struct Pattern {
  int rows = 64;
  std::vector<Cell> cells;  // rows x channels, row by row
};

struct Sample {
  std::string name;
  std::vector<int16_t> data;
  uint32_t loopStart = 0;  // in samples; loopLength 0 means no loop
  uint32_t loopLength = 0;
  uint8_t volume = 64;
  int8_t finetune = 0;
  uint8_t panning = 128;
  int8_t relativeNote = 0;
};

struct Envelope {
  std::vector<std::pair<uint16_t, uint16_t>> points;  // (tick, level 0..64); empty = off
  int sustain = -1;                                   // point index held until key off
};

struct Instrument {
  std::string name;
  Sample sample;
  Envelope volume;
  uint16_t fadeout = 0;
};

struct Module {
  std::string name;
  int channels = 4;
  int speed = 6;  // ticks per row
  int bpm = 125;
  int restart = 0;  // order index played again after the last one
  std::vector<uint8_t> orders;
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;
};

}  // namespace brinecast::xm
