// Small building blocks of the synthesiser: note frequencies, fades, normalising and 16-bit
// samples.
#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace brinecast::synth {

double NoteFrequency(double semitonesFromC4) {
  return 440.0 * std::pow(2.0, (semitonesFromC4 - 9.0) / 12.0);
}

double Noise::Next() {
  // xorshift32: plenty for noise, identical on every machine.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

namespace {
struct Coefficients {
  double w, cosw, alpha;
};
Coefficients Prepare(double frequency, double q, double rate) {
  const double w = kTwoPi * std::min(frequency, rate * 0.49) / rate;
  return {w, std::cos(w), std::sin(w) / (2.0 * q)};
}
}  // namespace

Biquad Biquad::LowPass(double frequency, double q, double rate) {
  const auto c = Prepare(frequency, q, rate);
  const double a0 = 1 + c.alpha;
  Biquad f;
  f.b0_ = (1 - c.cosw) / 2 / a0;
  f.b1_ = (1 - c.cosw) / a0;
  f.b2_ = f.b0_;
  f.a1_ = -2 * c.cosw / a0;
  f.a2_ = (1 - c.alpha) / a0;
  return f;
}

Biquad Biquad::HighPass(double frequency, double q, double rate) {
  const auto c = Prepare(frequency, q, rate);
  const double a0 = 1 + c.alpha;
  Biquad f;
  f.b0_ = (1 + c.cosw) / 2 / a0;
  f.b1_ = -(1 + c.cosw) / a0;
  f.b2_ = f.b0_;
  f.a1_ = -2 * c.cosw / a0;
  f.a2_ = (1 - c.alpha) / a0;
  return f;
}

Biquad Biquad::BandPass(double frequency, double q, double rate) {
  const auto c = Prepare(frequency, q, rate);
  const double a0 = 1 + c.alpha;
  Biquad f;
  f.b0_ = c.alpha / a0;
  f.b1_ = 0;
  f.b2_ = -c.alpha / a0;
  f.a1_ = -2 * c.cosw / a0;
  f.a2_ = (1 - c.alpha) / a0;
  return f;
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

double EdgeFade(size_t i, size_t n, size_t fade) {
  if (fade == 0 || n == 0) return 1.0;
  const size_t fromEdge = std::min(i, n - 1 - std::min(i, n - 1));
  if (fromEdge >= fade) return 1.0;
  return 0.5 - 0.5 * std::cos(kPi * static_cast<double>(fromEdge) / static_cast<double>(fade));
}

double Peak(const std::vector<double>& signal) {
  double peak = 0;
  for (double x : signal) peak = std::max(peak, std::abs(x));
  return peak;
}

void Normalize(std::vector<double>& signal, double peak) {
  const double current = Peak(signal);
  if (current <= 0) return;
  for (double& x : signal) x *= peak / current;
}

int16_t ToPcm16(double x) {
  const double scaled = std::round(x * 32767.0);
  return static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

}  // namespace brinecast::synth
