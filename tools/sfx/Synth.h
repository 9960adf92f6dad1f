// Small building blocks for the sound effects and the music's instruments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Small building blocks for the sound effects and the music's instruments.
namespace brinecast::synth {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

// Frequency in Hz of a note counted in semitones from middle C (C4 = 261.63 Hz).
double NoteFrequency(double semitonesFromC4);

// Deterministic white noise in -1..1, so every build makes the same files.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
  double Next();

 private:
  uint32_t state_;
};

// Second-order filter (RBJ cookbook forms).
class Biquad {
 public:
  static Biquad LowPass(double frequency, double q, double rate);
  static Biquad HighPass(double frequency, double q, double rate);
  static Biquad BandPass(double frequency, double q, double rate);
  double Process(double x);

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Gain for frame i of n with raised-cosine fades of `fade` frames at both ends;
// the fades keep every clip free of clicks.
double EdgeFade(size_t i, size_t n, size_t fade);

// Scales the signal so its largest magnitude is `peak` (silence stays silent).
void Normalize(std::vector<double>& signal, double peak);

double Peak(const std::vector<double>& signal);

// Converts -1..1 to 16-bit signed, rounding and saturating.
int16_t ToPcm16(double x);

}  // namespace brinecast::synth
